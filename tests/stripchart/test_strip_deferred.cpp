// Deferred drawing of the strip chart: the appends of a frame are scrolled
// in as one. After the frames have passed, the picture must be the one a
// chart that draws every call at once shows, over random sequences of
// appends, property changes, window moves and overlays (zoom rectangle,
// calculation crosses).
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <random>

#include "StripTestUtil.h"
#include "quellix/host/NumberFormat.h"

using namespace striptest;

namespace {

struct TPair {
  TStripChartInt Now, Later;
  std::int64_t Next = 0;
  std::mt19937 Rng;

  explicit TPair(unsigned Seed) : Rng(Seed) {
    Now.SetDrawDeferred(false);
    for (TStripChartInt* C : {&Now, &Later}) {
      SizeLikeDemo(*C);
      C->SetBkColor(clWhite);
      C->SetSeriesNumber(3);
      const TColor Colors[] = {clRed, clBlue, clGreen};
      for (Integer k = 1; k <= 3; ++k) {
        C->SetSeriesCurrent(k);
        C->SetSeriesColor(Colors[k - 1]);
      }
    }
  }
  int Uniform(int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); }

  template <class F>
  void Both(F&& Do) {
    Do(Now);
    Do(Later);
  }

  void Append(Integer n) {
    std::vector<std::vector<Single>> Data(3, std::vector<Single>(n));
    TSeriesValues V{};
    for (Integer k = 0; k < 3; ++k) {
      for (Integer j = 0; j < n; ++j)
        Data[k][j] = static_cast<Single>(2 + 3 * k + 2 * std::sin((Next + j) * 0.05 * (k + 1)) +
                                         0.7 * std::sin((Next + j) * 1.1));
      V[k] = Data[k].data();
    }
    Both([&](TStripChartInt& C) { C.AddValues(V, 3, n); });
    Next += n;
  }

  // The pictures after the event loop has run: the pending drawing done
  // and the invalidated parts painted.
  void Settle() {
    Both([](TStripChartInt& C) {
      C.FlushDrawing();
      C.Update();
    });
  }

  // Both pictures equal, but for the columns left of the window's first
  // sample, which a scrolled picture fills with pieces of samples that
  // have left the window and a fresh paint leaves empty.
  void ExpectSame(const char* What) {
    Settle();
    const QImage& A = Now.Surface();
    const QImage& B = Later.Surface();
    ASSERT_EQ(A.size(), B.size());
    const TRect P = Now.PlotRect();
    const Integer From = std::max(1, Now.WindowStartOffset() + 1);
    const Integer Skip = Now.SampleCount() >= From ? Now.XPosition(From) + 1 : P.Left;
    for (int Y = 0; Y < A.height(); ++Y)
      for (int X = 0; X < A.width(); ++X) {
        if (X >= P.Left && X < Skip && Y >= P.Top && Y <= P.Bottom + 1) continue;
        ASSERT_EQ(A.pixel(X, Y), B.pixel(X, Y)) << What << " at (" << X << ", " << Y << ")";
      }
  }
};

}  // namespace

TEST(StripDeferred, AppendsOfAFrameDrawOnceAndGiveTheSamePicture) {
  TPair T(1);
  T.Both([](TStripChartInt& C) { C.SetGridVisible(grdBoth); });
  T.Append(300);
  T.Both([](TStripChartInt& C) { C.Repaint(); });
  int Paints = 0;
  T.Later.OnPaint = [&](TObject*) { ++Paints; };
  for (int i = 0; i < 20; ++i) T.Append(7);
  // Nothing drawn yet: the surface still shows the picture before.
  EXPECT_EQ(Paints, 0);
  EXPECT_TRUE(T.Later.DrawingPending());
  ProcessMessages();  // a frame passes
  EXPECT_FALSE(T.Later.DrawingPending());
  EXPECT_EQ(Paints, 1);  // one strip for the twenty appends
  T.ExpectSame("after one frame");
}

TEST(StripDeferred, RandomSequencesGiveThePictureOfDrawingEveryCall) {
  for (unsigned Seed = 1; Seed <= 6; ++Seed) {
    TPair T(Seed);
    // A time base whose grid steps fall between samples (44.1 samples per
    // step), as with sound-card data.
    T.Both([&](TStripChartInt& C) {
      C.SetLogTimeIncrement(1 / 44100.0);
      C.SetViewXGap(Seed % 2 ? 0.001 : 0.002);
      C.SetGridVisible(Seed % 3 == 0 ? grdHor : grdBoth);
    });
    T.Append(T.Uniform(1, 600));
    T.Both([](TStripChartInt& C) { C.Repaint(); });
    for (int Step = 0; Step < 150; ++Step) {
      const int Kind = T.Uniform(0, 99);
      if (Kind < 70) {
        T.Append(T.Uniform(1, Kind < 60 ? 12 : 700));
      } else if (Kind < 80) {
        ProcessMessages();  // a frame
      } else if (Kind < 83) {
        const TColor Back = T.Uniform(0, 1) ? clWhite : clSilver;
        T.Both([&](TStripChartInt& C) { C.SetBkColor(Back); });
      } else if (Kind < 86) {
        const Single Max = static_cast<Single>(T.Uniform(8, 14));
        T.Both([&](TStripChartInt& C) { C.SetViewYMax(Max); });
      } else if (Kind < 89) {
        const Integer S = T.Uniform(1, 3);
        const bool V = T.Uniform(0, 1);
        T.Both([&](TStripChartInt& C) {
          C.SetSeriesCurrent(S);
          C.SetSeriesVisible(V);
        });
      } else if (Kind < 92) {
        // A window moved back and forth again (refilled from the buffer).
        const Double Back = -T.Uniform(1, 40) / 44100.0;
        T.Both([&](TStripChartInt& C) {
          C.MoveWindowTo(true, Back);
          C.MoveWindowTo(false, static_cast<Double>(C.LogTimeLast()));
        });
      } else if (Kind < 95) {
        T.Both([](TStripChartInt& C) { C.Repaint(); });
      } else {
        T.ExpectSame("mid-sequence");
        if (::testing::Test::HasFatalFailure()) return;
      }
    }
    T.ExpectSame("at the end");
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// The zoom rectangle and the crosses are XOR overlays: the deferred move
// takes them off before it moves the picture and puts them back after.
TEST(StripDeferred, OverlaysStayWhereTheyBelong) {
  TPair T(9);
  T.Append(400);
  T.Both([](TStripChartInt& C) { C.Repaint(); });
  const TRect P = T.Now.PlotRect();
  // Two calculation crosses on samples, then a zoom rectangle being dragged.
  T.Both([&](TStripChartInt& C) {
    C.SetStripMode(modeCalculate);
    C.MouseDown(mbLeft, ssLeft, P.Left + 200, P.Top + 50);
    C.MouseUp(mbLeft, 0, P.Left + 200, P.Top + 50);
    C.MouseDown(mbRight, ssRight, P.Left + 260, P.Top + 70);
    C.MouseUp(mbRight, 0, P.Left + 260, P.Top + 70);
  });
  for (int i = 0; i < 30; ++i) T.Append(5);
  T.ExpectSame("crosses following their samples");
  T.Both([&](TStripChartInt& C) {
    C.SetStripMode(modeZoom);
    C.MouseDown(mbLeft, ssLeft, P.Left + 40, P.Top + 20);
    C.MouseMove(ssLeft, P.Left + 150, P.Top + 90);
  });
  for (int i = 0; i < 30; ++i) {
    T.Append(3);
    if (i % 7 == 0)
      T.Both([&](TStripChartInt& C) { C.MouseMove(ssLeft, P.Left + 150 + i, P.Top + 90 - i); });
  }
  T.ExpectSame("zoom rectangle while appending");
}

// Dashed traces have a pattern that runs along the polyline from the
// window's first sample: a moved picture would not match, so the plot is
// painted anew instead (once per frame).
TEST(StripDeferred, DashedTracesRepaintInsteadOfScrolling) {
  TPair T(4);
  T.Both([](TStripChartInt& C) {
    C.SetSeriesCurrent(2);
    C.SetSeriesLineStyle(psDash);
  });
  T.Append(300);
  T.Both([](TStripChartInt& C) { C.Repaint(); });
  for (int i = 0; i < 40; ++i) T.Append(4);
  T.ExpectSame("dashed");
  // And that picture is the one of a full paint.
  const QImage Scrolled = T.Later.Surface().copy();
  T.Later.Repaint();
  EXPECT_EQ(T.Later.Surface(), Scrolled);
}
