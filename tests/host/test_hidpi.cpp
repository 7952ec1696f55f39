// The canvas on a surface with a device pixel ratio above 1: geometry in
// logical pixels (fills, frames and straight lines cover exactly the
// surface pixels of their logical pixels), sloped lines and text at the
// surface's resolution, text as QPainter draws it at twice the size.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"

using namespace quellix;

namespace {

constexpr int W = 60, H = 40;

// The surface pixels of logical pixel X at ratio R: [Cell(X), Cell(X + 1)).
int Cell(qreal R, int X) { return static_cast<int>(std::floor(X * R + 0.5)); }

// The ratio-1 picture spread over the cells of ratio R.
QImage Spread(const QImage& Lo, qreal R) {
  QImage Hi(Cell(R, Lo.width()), Cell(R, Lo.height()), QImage::Format_RGB32);
  for (int Y = 0; Y < Lo.height(); ++Y)
    for (int X = 0; X < Lo.width(); ++X)
      for (int SY = Cell(R, Y); SY < Cell(R, Y + 1); ++SY)
        for (int SX = Cell(R, X); SX < Cell(R, X + 1); ++SX) Hi.setPixel(SX, SY, Lo.pixel(X, Y));
  Hi.setDevicePixelRatio(R);
  return Hi;
}

// Straight geometry, drawn the same on any canvas.
void DrawGeometry(TCanvas& C) {
  C.Brush().Color = clWhite;
  C.FillRect(Rect(0, 0, W, H));
  C.Brush().Color = clYellow;
  C.Pen().Color = clBlue;
  C.Rectangle(3, 4, 20, 15);
  C.Brush().Color = clRed;
  C.FrameRect(Rect(25, 5, 40, 9));
  C.Pen().Color = clGreen;
  C.MoveTo(2, 30);
  C.LineTo(50, 30);
  C.MoveTo(55, 2);
  C.LineTo(55, 38);
  C.Pen().Style = psDot;
  C.MoveTo(2, 35);
  C.LineTo(50, 35);
  C.Pen().Style = psSolid;
  TRect F = Rect(42, 12, 58, 26);
  C.Frame3D(F, clBtnHighlight, clBtnShadow, 2);
  C.DrawFocusRect(Rect(22, 18, 38, 27));
  C.SetPixel(1, 1, clPurple);
}

// A white W x H bitmap at ratio R; its canvas.
TCanvas& WhiteAt(TBitmap& B, qreal R) {
  B.SetPixelRatio(R);
  B.SetSize(W, H);
  B.Canvas().Brush().Color = clWhite;
  B.Canvas().FillRect(Rect(0, 0, W, H));
  return B.Canvas();
}

}  // namespace

TEST(HiDpi, StraightGeometryCoversTheCellsOfItsLogicalPixels) {
  TBitmap Lo(W, H);
  DrawGeometry(Lo.Canvas());
  for (const qreal R : {2.0, 1.5}) {
    TBitmap Hi;
    Hi.SetPixelRatio(R);
    Hi.SetSize(W, H);
    EXPECT_EQ(Hi.Width(), W);
    EXPECT_EQ(Hi.Image().width(), Cell(R, W));
    DrawGeometry(Hi.Canvas());
    const QImage Expected = Spread(Lo.Image(), R);
    ASSERT_EQ(Hi.Image().size(), Expected.size());
    for (int Y = 0; Y < Expected.height(); ++Y)
      for (int X = 0; X < Expected.width(); ++X)
        ASSERT_EQ(Hi.Image().pixel(X, Y), Expected.pixel(X, Y)) << "ratio " << R << " at (" << X << ", " << Y << ")";
    // Probes read logical pixels.
    EXPECT_EQ(Hi.Canvas().Pixel(1, 1), clPurple);
    EXPECT_EQ(Hi.Canvas().Pixel(10, 10), clYellow);
  }
}

// Text at ratio 2 is the text QPainter draws with the font twice as large
// at twice the coordinates: crisp, not a pixel-doubled copy.
TEST(HiDpi, TextIsDrawnAtTheSurfaceResolution) {
  TBitmap Hi;
  TCanvas& C = WhiteAt(Hi, 2);
  C.Font().SetName("Arial");
  C.Font().SetHeight(-11);
  C.Font().SetColor(clBlack);
  C.SetBkMode(bkTransparent);
  C.TextOut(4, 6, "2,5 Wg");
  EXPECT_EQ(C.TextWidth("2,5 Wg"), TBitmap(1, 1).Canvas().TextWidth("2,5 Wg"));  // logical extents

  QImage Expected(2 * W, 2 * H, QImage::Format_RGB32);
  Expected.fill(Qt::white);
  {
    TFont Twice;
    Twice.SetName("Arial");
    Twice.SetHeight(-22);
    QPainter P(&Expected);
    P.setRenderHint(QPainter::TextAntialiasing, false);
    P.setFont(Twice.ToQFont());
    P.setPen(Qt::black);
    const QFontMetrics M(C.Font().ToQFont());
    P.drawText(QPoint(8, 2 * (6 + M.ascent())), "2,5 Wg");
  }
  Expected.setDevicePixelRatio(2);
  EXPECT_EQ(Hi.Image(), Expected);
  // Some 2 x 2 block is not all one colour: finer than a logical pixel.
  int Fine = 0;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      const QRgb A = Hi.Image().pixel(2 * X, 2 * Y);
      Fine += Hi.Image().pixel(2 * X + 1, 2 * Y) != A || Hi.Image().pixel(2 * X, 2 * Y + 1) != A ||
              Hi.Image().pixel(2 * X + 1, 2 * Y + 1) != A;
    }
  EXPECT_GT(Fine, 10);
}

// A sloped line runs at the surface's resolution, one logical pixel
// thick, between the cells of its end points; twice in XOR is nothing.
TEST(HiDpi, SlopedLinesFollowTheIdealLineAtTheSurfaceResolution) {
  TBitmap Hi;
  TCanvas& C = WhiteAt(Hi, 2);
  const QImage Blank = Hi.Image().copy();
  C.MoveTo(5, 5);
  C.LineTo(45, 22);
  int Lit = 0;
  for (int Y = 0; Y < Hi.Image().height(); ++Y)
    for (int X = 0; X < Hi.Image().width(); ++X) {
      if (Hi.Image().pixel(X, Y) == Blank.pixel(X, Y)) continue;
      ++Lit;
      // Distance from the ideal line through (10, 10) and (90, 44), at most
      // the thickness of one logical pixel.
      const double D = std::fabs((X - 10) * 34.0 - (Y - 10) * 80.0) / std::hypot(80.0, 34.0);
      EXPECT_LE(D, 2.0) << X << "," << Y;
    }
  EXPECT_EQ(Lit, 2 * 80);  // two surface pixels across, end point left out
  C.Pen().Mode = pmNotXor;
  C.MoveTo(3, 30);
  C.LineTo(50, 2);
  C.MoveTo(3, 30);
  C.LineTo(50, 2);
  C.Pen().Mode = pmCopy;
  C.Pen().Color = clWhite;
  C.MoveTo(5, 5);
  C.LineTo(45, 22);
  EXPECT_EQ(Hi.Image(), Blank);
}

// Scrolling moves whole surface pixels; a move the surface cannot make
// (an odd logical distance at ratio 1.5) moves nothing and reports the
// whole area to be painted anew.
TEST(HiDpi, ScrollMovesSurfacePixelsOrReportsEverything) {
  for (const qreal R : {2.0, 1.5}) {
    TBitmap Lo(W, H), Hi;
    Hi.SetPixelRatio(R);
    Hi.SetSize(W, H);
    DrawGeometry(Lo.Canvas());
    DrawGeometry(Hi.Canvas());
    const TRect Area = Rect(0, 0, 50, 40);
    const TRect A = Lo.Canvas().ScrollDC(-4, 0, Area, Area);
    const TRect B = Hi.Canvas().ScrollDC(-4, 0, Area, Area);
    EXPECT_EQ(A, B);
    EXPECT_EQ(Hi.Image(), Spread(Lo.Image(), R)) << "ratio " << R;
    if (R == 1.5) {
      const QImage Before = Hi.Image().copy();
      EXPECT_EQ(Hi.Canvas().ScrollDC(-3, 0, Area, Area), Area);
      EXPECT_EQ(Hi.Image(), Before);
    }
  }
}

// A control's surface takes the ratio: twice the pixels, the same logical
// geometry, and the screen copy of a paint event shows it.
TEST(HiDpi, ControlSurfaceHasTheRatio) {
  TPaintBox Box;
  Box.SetBounds(0, 0, 30, 20);
  Box.OnPaint = [&](TObject*) {
    Box.Canvas().Brush().Color = clRed;
    Box.Canvas().FillRect(Rect(10, 5, 20, 15));
  };
  Box.SetPixelRatio(2);
  Box.Repaint();
  EXPECT_EQ(Box.Surface().size(), QSize(60, 40));
  EXPECT_EQ(Box.Surface().devicePixelRatio(), 2);
  EXPECT_EQ(Box.Canvas().Pixel(10, 5), clRed);
  EXPECT_NE(Box.Canvas().Pixel(9, 5), clRed);
  EXPECT_EQ(Box.Surface().pixel(20, 10), ToQRgb(clRed));
  EXPECT_NE(Box.Surface().pixel(19, 10), ToQRgb(clRed));
  Box.SetPixelRatio(0);  // back to the screen's
  Box.Repaint();
  EXPECT_EQ(Box.Surface().size(), QSize(30, 20));
  EXPECT_EQ(Box.Canvas().Pixel(10, 5), clRed);
}
