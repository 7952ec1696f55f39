// Unrotated text comes from the canvas's cache of shaped and rasterised
// texts. It must give the pixels QPainter gives for the same text, font,
// position, background and clip, and a change of text or font must show
// at once.
#include <gtest/gtest.h>

#include <QPainter>
#include <random>

#include "quellix/host/Graphics.h"

using namespace quellix;

namespace {

constexpr int W = 90, H = 40;

// What the canvas did before it cached texts: QPainter on the surface.
QImage ReferenceText(const QImage& Start, const TFont& Font, int X, int Y, const QString& Text, bool Background,
                     TColor Back, const QRegion* Clip) {
  QImage Img = Start.copy();
  const QFont F = Font.ToQFont();
  const QFontMetrics M(F);
  QPainter P(&Img);
  P.setRenderHint(QPainter::Antialiasing, false);
  P.setRenderHint(QPainter::TextAntialiasing, false);
  if (Clip) P.setClipRegion(*Clip);
  P.translate(X, Y);
  if (Background) P.fillRect(QRect(0, 0, M.horizontalAdvance(Text), M.height()), ToQColor(Back));
  P.setFont(F);
  P.setPen(ToQColor(Font.Color()));
  P.drawText(QPoint(0, M.ascent()), Text);
  return Img;
}

}  // namespace

TEST(TextCache, CachedTextHasThePixelsOfPainterText) {
  std::mt19937 Rng(7);
  const auto Uniform = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
  const QString Names[] = {"Arial", "MS Sans Serif", "Times New Roman", "Courier New"};
  const QString Texts[] = {"0.00", "12:34", "-1.5E-03", "Wg\u00e4j", "00.000", "[sec:msec]", "Range-Error", "1"};
  const TFontStyles Styles[] = {0, fsBold, fsItalic, fsUnderline, fsBold | fsItalic | fsStrikeOut};
  for (int Case = 0; Case < 400; ++Case) {
    TBitmap Bmp(W, H);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) reinterpret_cast<QRgb*>(Bmp.Image().scanLine(Y))[X] = qRgb(X * 2, Y * 6, 200);
    const QImage Start = Bmp.Image().copy();
    TCanvas& C = Bmp.Canvas();
    C.Font().SetName(Names[Uniform(0, 3)]);
    C.Font().SetHeight(-Uniform(6, 20));
    C.Font().SetStyle(Styles[Uniform(0, 4)]);
    C.Font().SetColor(RGB(Uniform(0, 255), 0, Uniform(0, 255)));
    const bool Background = Uniform(0, 1);
    C.SetBkMode(Background ? bkOpaque : bkTransparent);
    C.Brush().Color = clYellow;
    QRegion Clip;
    const bool Clipped = Uniform(0, 1);
    if (Clipped) {
      Clip = QRegion(Uniform(0, W), Uniform(0, H), Uniform(1, W), Uniform(1, H)) +
             QRegion(Uniform(0, W), Uniform(0, H), Uniform(1, 20), Uniform(1, 20));
      C.SelectClipRgn(Clip);
      Clip = C.ClipRegion();
    }
    const QString Text = Texts[Uniform(0, 7)];
    const int X = Uniform(-20, W), Y = Uniform(-10, H);
    C.TextOut(X, Y, Text);
    const QImage Expected = ReferenceText(Start, C.Font(), X, Y, Text, Background, clYellow, Clipped ? &Clip : nullptr);
    ASSERT_EQ(Bmp.Image(), Expected) << "case " << Case << " " << Text.toStdString() << " in "
                                     << C.Font().Name().toStdString() << " " << C.Font().Height();
    EXPECT_EQ(C.TextWidth(Text), QFontMetrics(C.Font().ToQFont()).horizontalAdvance(Text));
  }
}

TEST(TextCache, NewTextOrFontShowsAtOnce) {
  TBitmap Bmp(W, H);
  TCanvas& C = Bmp.Canvas();
  C.SetBkMode(bkOpaque);
  C.Brush().Color = clWhite;
  C.Font().SetName("Arial");
  C.Font().SetHeight(-12);
  const auto Draw = [&](const QString& Text) {
    C.FillRect(Rect(0, 0, W, H));
    C.TextOut(2, 2, Text);
    return Bmp.Image().copy();
  };
  const QImage A = Draw("10.00");
  EXPECT_NE(Draw("10.01"), A);
  EXPECT_EQ(Draw("10.00"), A);
  C.Font().SetHeight(-14);
  EXPECT_NE(Draw("10.00"), A);
  C.Font().SetHeight(-12);
  C.Font().SetStyle(fsBold);
  EXPECT_NE(Draw("10.00"), A);
  C.Font().SetStyle(0);
  C.Font().SetColor(clRed);
  const QImage Red = Draw("10.00");
  EXPECT_NE(Red, A);
  EXPECT_EQ(Red.pixel(0, 0), A.pixel(0, 0));  // background unchanged, only the ink
}
