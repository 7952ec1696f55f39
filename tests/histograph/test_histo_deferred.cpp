// Deferred drawing of the histograph: SetData and UpdatePlot adapt the
// range at once and draw with the next frame, once for all calls of the
// frame. The picture after the frame is the one of drawing every call.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "quellix/histograph/HistographEngine.h"

using namespace quellix;
using namespace quellix::HistoInt;

TEST(HistoDeferred, CallsOfAFrameDrawOnceAndGiveThePictureOfDrawingEveryCall) {
  for (const bool AutoScale : {false, true}) {
    THistographInt Now, Later;
    Now.SetDrawDeferred(false);
    for (THistographInt* H : {&Now, &Later}) {
      H->SetBounds(0, 0, 400, 300);
      H->SetBkColor(clWhite);
      H->SetGridVisible(grdBoth);
      H->SetSeriesNumber(3);
      H->SetAutoScale(AutoScale);
      H->Repaint();
    }
    int Paints = 0;
    Later.OnPaint = [&](TObject*) { ++Paints; };
    std::mt19937 Rng(AutoScale ? 5 : 3);
    std::vector<std::vector<Single>> Data(3);
    for (int Step = 0; Step < 60; ++Step) {
      const Integer Serie = std::uniform_int_distribution<int>(1, 3)(Rng);
      const Integer Count = std::uniform_int_distribution<int>(2, 300)(Rng);
      const double Scale = std::uniform_real_distribution<double>(0.5, 30)(Rng);
      // Each series keeps its own array, as a caller's buffers do.
      std::vector<Single>& D = Data[Serie - 1];
      D.resize(Count);
      for (Integer i = 0; i < Count; ++i) D[i] = static_cast<Single>(Scale * std::sin(i * 0.1 + Step));
      for (THistographInt* H : {&Now, &Later}) H->SetData(D.data(), Count, Serie);
      if (Step % 10 == 9) {
        EXPECT_EQ(Paints, 0) << "drawn before the frame";
        ProcessMessages();
        EXPECT_EQ(Paints, 1) << "one paint for the frame";
        Paints = 0;
        EXPECT_EQ(Now.Surface(), Later.Surface()) << "step " << Step << (AutoScale ? " with AutoScale" : "");
      }
    }
  }
}

TEST(HistoDeferred, FlushDrawsAtOnce) {
  THistographInt H;
  H.SetBounds(0, 0, 200, 150);
  H.Repaint();
  const QImage Before = H.Surface().copy();
  std::vector<Single> D{1, 9, 2, 8, 3};
  H.SetData(D.data(), 5, 1);
  EXPECT_TRUE(H.DrawingPending());
  EXPECT_EQ(H.Surface(), Before);
  H.FlushDrawing();
  EXPECT_FALSE(H.DrawingPending());
  EXPECT_NE(H.Surface(), Before);
}
