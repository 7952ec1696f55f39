// Pixel probes of the canvas: the device-context semantics the components
// rely on (end points, exclusive edges, XOR modes, clipping, scrolling,
// copy modes, 3-D frames, rotated text).
#include <gtest/gtest.h>

#include "quellix/host/Graphics.h"

using namespace quellix;

namespace {

// A bitmap filled with one colour.
struct Surface {
  TBitmap Bmp;
  explicit Surface(int W = 40, int H = 40, TColor Back = clWhite) : Bmp(W, H) {
    Bmp.Canvas().Brush().Color = Back;
    Bmp.Canvas().FillRect(Rect(0, 0, W, H));
  }
  TCanvas& C() { return Bmp.Canvas(); }
  TColor At(int X, int Y) { return Bmp.Canvas().Pixel(X, Y); }
};

// Fills every pixel with a different colour, so that a pixel changed and
// changed back by a wrong operation cannot go unnoticed.
void FillPattern(TBitmap& B) {
  for (int Y = 0; Y < B.Height(); ++Y)
    for (int X = 0; X < B.Width(); ++X) B.Canvas().SetPixel(X, Y, RGB(X * 7, Y * 5, (X * Y) & 0xFF));
}

}  // namespace

TEST(Colors, SystemColoursAndPaletteResolve) {
  EXPECT_EQ(ColorToRGB(-2147483633), 0xC0C0C0);  // button face
  EXPECT_EQ(ColorToRGB(-2147483643), 0xFFFFFF);  // window
  EXPECT_EQ(ColorToRGB(-2147483640), 0x000000);  // window text
  EXPECT_EQ(ColorToRGB(-2147483628), 0xFFFFFF);  // 3-D highlight
  EXPECT_EQ(ColorToRGB(-2147483632), 0x808080);  // 3-D shadow
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(0, 0, 128));
  // Red sits in the low byte of a TColor and in the high colour byte of a QRgb.
  EXPECT_EQ(ToQRgb(255), qRgb(255, 0, 0));
  EXPECT_EQ(FromQColor(QColor(0, 0, 255)), clBlue);
  // Entries 0..7 and 12..19 are the 16 standard colours.
  const TColor Standard[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clSilver,
                               clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  for (int I = 0; I < 8; ++I) EXPECT_EQ(SystemPaletteEntry(I), Standard[I]) << I;
  for (int I = 12; I < 20; ++I) EXPECT_EQ(SystemPaletteEntry(I), Standard[I - 4]) << I;
}

TEST(Rects, IntersectUnionAndPointTests) {
  TRect D{1, 1, 1, 1};
  EXPECT_FALSE(IntersectRect(D, Rect(0, 0, 5, 5), Rect(5, 0, 9, 5)));  // touching edges do not overlap
  EXPECT_TRUE(IsRectEmpty(D));
  EXPECT_TRUE(IntersectRect(D, Rect(0, 0, 5, 5), Rect(3, 2, 9, 9)));
  EXPECT_EQ(D, Rect(3, 2, 5, 5));
  EXPECT_TRUE(UnionRect(D, Rect(0, 0, 0, 0), Rect(2, 2, 4, 4)));
  EXPECT_EQ(D, Rect(2, 2, 4, 4));
  EXPECT_TRUE(PtInRect(Rect(0, 0, 5, 5), Point(4, 4)));
  EXPECT_FALSE(PtInRect(Rect(0, 0, 5, 5), Point(5, 4)));
}

TEST(Fonts, SizeHeightAndAssign) {
  TFont F;
  EXPECT_EQ(F.Height(), -11);
  EXPECT_EQ(F.Size(), 8);
  F.SetSize(10);
  EXPECT_EQ(F.Height(), -13);
  int Changes = 0;
  TFont G;
  G.OnChange = [&] { ++Changes; };
  F.SetStyle(fsBold);
  F.SetEscapement(900);
  G.Assign(F);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(G.Height(), -13);
  EXPECT_EQ(G.Style(), fsBold);
  EXPECT_EQ(G.Escapement(), 900);
  ASSERT_TRUE(G.OnChange);  // the handler stays with its owner
  EXPECT_EQ(G.ToQFont().pixelSize(), 13);
}

TEST(Canvas, LineToLeavesOutTheEndPoint) {
  Surface S;
  S.C().MoveTo(2, 5);
  S.C().LineTo(10, 5);
  EXPECT_EQ(S.At(2, 5), clBlack);
  EXPECT_EQ(S.At(9, 5), clBlack);
  EXPECT_EQ(S.At(10, 5), clWhite);
  EXPECT_EQ(S.C().PenPos(), Point(10, 5));
  S.C().LineTo(10, 1);  // upwards, continuing from the last end
  EXPECT_EQ(S.At(10, 5), clBlack);
  EXPECT_EQ(S.At(10, 2), clBlack);
  EXPECT_EQ(S.At(10, 1), clWhite);
  S.C().MoveTo(20, 20);
  S.C().LineTo(25, 25);
  EXPECT_EQ(S.At(24, 24), clBlack);
  EXPECT_EQ(S.At(25, 25), clWhite);
  S.C().MoveTo(30, 30);
  S.C().LineTo(30, 30);  // zero length draws nothing
  EXPECT_EQ(S.At(30, 30), clWhite);
}

TEST(Canvas, DashedPenFollowsItsPattern) {
  Surface S;
  S.C().Pen().Style = psDot;
  S.C().MoveTo(0, 0);
  S.C().LineTo(12, 0);
  const bool Expected[12] = {1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0};
  for (int X = 0; X < 12; ++X) EXPECT_EQ(S.At(X, 0) == clBlack, Expected[X]) << X;
  S.C().Pen().Style = psClear;
  S.C().MoveTo(0, 3);
  S.C().LineTo(12, 3);
  EXPECT_EQ(S.At(0, 3), clWhite);
}

TEST(Canvas, RectanglesExcludeRightAndBottom) {
  Surface S;
  S.C().Brush().Color = clRed;
  S.C().Rectangle(2, 3, 8, 9);
  EXPECT_EQ(S.At(2, 3), clBlack);   // outline corner
  EXPECT_EQ(S.At(7, 8), clBlack);   // last column and row carry the outline
  EXPECT_EQ(S.At(7, 5), clBlack);
  EXPECT_EQ(S.At(5, 8), clBlack);
  EXPECT_EQ(S.At(8, 5), clWhite);   // right edge excluded
  EXPECT_EQ(S.At(5, 9), clWhite);   // bottom edge excluded
  EXPECT_EQ(S.At(4, 5), clRed);     // brush inside
  S.C().Brush().Color = clBlue;
  S.C().FillRect(Rect(10, 10, 13, 12));
  EXPECT_EQ(S.At(12, 11), clBlue);
  EXPECT_EQ(S.At(13, 11), clWhite);
  EXPECT_EQ(S.At(12, 12), clWhite);
  S.C().Brush().Color = clLime;
  S.C().FrameRect(Rect(20, 20, 25, 24));
  EXPECT_EQ(S.At(24, 23), clLime);
  EXPECT_EQ(S.At(22, 21), clWhite);
  EXPECT_EQ(S.At(25, 23), clWhite);
  // An ellipse fits the same area: nothing in column 30 or row 40.
  Surface E(40, 41);
  E.C().Brush().Style = bsClear;
  E.C().Ellipse(20, 30, 30, 40);
  bool Left = false, Right = false;
  for (int Y = 30; Y < 41; ++Y) {
    Left |= E.At(20, Y) == clBlack;
    Right |= E.At(29, Y) == clBlack;
    EXPECT_EQ(E.At(30, Y), clWhite) << Y;
  }
  for (int X = 19; X < 31; ++X) EXPECT_EQ(E.At(X, 40), clWhite) << X;
  EXPECT_TRUE(Left && Right);
}

TEST(Canvas, PolygonIsFilledAndOutlined) {
  Surface S;
  S.C().Brush().Color = clYellow;
  S.C().Pen().Color = clBlue;
  S.C().Polygon({Point(5, 5), Point(25, 5), Point(25, 25), Point(5, 25)});
  EXPECT_EQ(S.At(15, 15), clYellow);
  EXPECT_EQ(S.At(5, 15), clBlue);
  EXPECT_EQ(S.At(25, 25), clBlue);  // closed: every corner is on the outline
  EXPECT_EQ(S.At(26, 15), clWhite);
}

// Fill and outline of a convex polygon as one shape: along every row and
// every column the outermost pixels are the outline's, and every pixel
// between them is either outline or fill (no fill outside the frame, no
// background inside it).
TEST(Canvas, PolygonFillStaysInsideItsOutline) {
  struct Row {
    const char* Name;
    std::vector<TPoint> Points;
  };
  const Row Rows[] = {
      {"arrow to the left", {Point(20, 0), Point(20, 20), Point(0, 10)}},
      {"arrow to the right", {Point(0, 0), Point(0, 20), Point(20, 10)}},
      {"arrow up", {Point(0, 20), Point(20, 20), Point(10, 0)}},
      {"arrow down", {Point(0, 0), Point(20, 0), Point(10, 20)}},
      {"diamond", {Point(16, 0), Point(33, 10), Point(16, 21), Point(0, 10)}},
      {"slanted triangle", {Point(3, 2), Point(37, 9), Point(11, 33)}},
      {"flat triangle", {Point(0, 5), Point(37, 0), Point(30, 9)}},
      {"needle", {Point(2, 30), Point(30, 2), Point(33, 6)}},
  };
  for (const Row& R : Rows) {
    Surface S;
    S.C().Brush().Color = clYellow;
    S.C().Pen().Color = clBlue;
    S.C().Polygon(R.Points);
    const auto Check = [&](bool ByRow) {
      for (int Line = 0; Line < 40; ++Line) {
        const auto Px = [&](int I) { return ByRow ? S.At(I, Line) : S.At(Line, I); };
        int First = -1, Last = -1;
        for (int I = 0; I < 40; ++I)
          if (Px(I) != clWhite) {
            if (First < 0) First = I;
            Last = I;
          }
        if (First < 0) continue;
        const std::string Where = std::string(R.Name) + (ByRow ? ", row " : ", column ") + std::to_string(Line);
        EXPECT_EQ(Px(First), clBlue) << Where << " at " << First;
        EXPECT_EQ(Px(Last), clBlue) << Where << " at " << Last;
        for (int I = First; I <= Last; ++I) EXPECT_NE(Px(I), clWhite) << Where << " at " << I;
      }
    };
    Check(true);
    Check(false);
  }
}

TEST(Canvas, NotXorAndNotDrawnTwiceRestoreEveryPixel) {
  TBitmap B(60, 50);
  FillPattern(B);
  const QImage Original = B.Image().copy();
  TCanvas& C = B.Canvas();
  auto DrawAll = [&] {
    C.MoveTo(1, 1);
    C.LineTo(58, 47);  // diagonal
    C.LineTo(3, 40);
    C.Polyline({Point(10, 2), Point(20, 12), Point(30, 2), Point(40, 12)});  // shared vertices once
    C.Pen().Style = psDash;
    C.MoveTo(0, 30);
    C.LineTo(59, 30);
    C.Pen().Style = psSolid;
    C.Brush().Style = bsClear;
    C.Rectangle(5, 5, 50, 45);
    C.Ellipse(10, 10, 40, 30);
    C.Pen().Width = 3;
    C.MoveTo(2, 45);
    C.LineTo(55, 20);
    C.Pen().Width = 1;
    C.Brush().Style = bsSolid;
    C.Brush().Color = clAqua;
    C.Rectangle(30, 35, 45, 48);  // the brush takes part in the mode too
  };
  for (TPenMode Mode : {pmNotXor, pmNot, pmXor}) {
    C.Pen().Mode = Mode;
    C.Pen().Color = RGB(0x12, 0x34, 0x56);
    DrawAll();
    EXPECT_NE(B.Image(), Original) << Mode;
    DrawAll();
    EXPECT_EQ(B.Image(), Original) << Mode;
  }
  // The raster operations themselves.
  Surface S(4, 4, RGB(0x10, 0x20, 0x30));
  S.C().Pen().Color = RGB(0x0F, 0x0F, 0x0F);
  S.C().Pen().Mode = pmNotXor;
  S.C().MoveTo(0, 0);
  S.C().LineTo(1, 0);
  EXPECT_EQ(S.At(0, 0), (~(0x0F0F0F ^ 0x302010)) & 0xFFFFFF);
  S.C().Pen().Mode = pmNot;
  S.C().MoveTo(0, 1);
  S.C().LineTo(1, 1);
  EXPECT_EQ(S.At(0, 1), (~0x302010) & 0xFFFFFF);
  EXPECT_EQ(qAlpha(S.Bmp.Image().pixel(0, 1)), 255);
}

TEST(Canvas, FocusRectangleTwiceRestores) {
  TBitmap B(30, 30);
  FillPattern(B);
  const QImage Original = B.Image().copy();
  B.Canvas().DrawFocusRect(Rect(3, 4, 20, 17));
  int Changed = 0;
  for (int X = 3; X < 20; ++X) Changed += B.Image().pixel(X, 4) != Original.pixel(X, 4);
  EXPECT_GE(Changed, 8);  // dotted: about every other pixel
  EXPECT_LE(Changed, 9);
  EXPECT_EQ(B.Image().pixel(20, 10), Original.pixel(20, 10));  // right edge exclusive
  EXPECT_EQ(B.Image().pixel(10, 10), Original.pixel(10, 10));  // inside untouched
  B.Canvas().DrawFocusRect(Rect(3, 4, 20, 17));
  EXPECT_EQ(B.Image(), Original);
}

TEST(Canvas, ClipRegionWithSaveAndRestore) {
  Surface S;
  TCanvas& C = S.C();
  C.SelectClipRect(Rect(5, 5, 15, 15));
  const int Saved = C.SaveDC();
  C.IntersectClipRect(Rect(10, 0, 40, 40));
  C.Pen().Color = clRed;
  C.Brush().Color = clBlue;
  C.FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(S.At(9, 9), clWhite);
  EXPECT_EQ(S.At(10, 10), clBlue);
  EXPECT_EQ(C.ClipBox(), Rect(10, 5, 15, 15));
  EXPECT_TRUE(C.RestoreDC(Saved));
  EXPECT_EQ(C.Pen().Color, clBlack);  // pen and brush come back with the clip
  EXPECT_EQ(C.Brush().Color, clWhite);
  C.Brush().Color = clLime;
  C.FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(S.At(5, 5), clLime);
  EXPECT_EQ(S.At(14, 14), clLime);
  EXPECT_EQ(S.At(15, 14), clWhite);
  EXPECT_EQ(S.At(4, 5), clWhite);
  // A line across the clip is cut at its edges.
  C.MoveTo(0, 7);
  C.LineTo(40, 7);
  EXPECT_EQ(S.At(4, 7), clWhite);
  EXPECT_EQ(S.At(5, 7), clBlack);
  EXPECT_EQ(S.At(15, 7), clWhite);
  EXPECT_FALSE(C.RestoreDC(-1));  // nothing saved any more
  C.ExcludeClipRect(Rect(8, 8, 12, 12));
  C.Brush().Color = clRed;
  C.FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(S.At(9, 9), clLime);
  EXPECT_EQ(S.At(6, 6), clRed);
  C.SelectNoClip();
  C.FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(S.At(39, 39), clRed);
}

TEST(Canvas, RestoreDCDropsLaterStates) {
  Surface S;
  TCanvas& C = S.C();
  C.Pen().Color = clRed;
  const int First = C.SaveDC();
  C.Pen().Color = clBlue;
  C.SaveDC();
  C.Pen().Color = clLime;
  EXPECT_TRUE(C.RestoreDC(First));
  EXPECT_EQ(C.Pen().Color, clRed);
  EXPECT_FALSE(C.RestoreDC(-1));
}

TEST(Canvas, ScrollMovesPixelsAndReportsTheStrip) {
  Surface S(20, 10);
  for (int X = 0; X < 20; ++X) {
    S.C().Pen().Color = RGB(X * 10, 0, 0);
    S.C().MoveTo(X, 0);
    S.C().LineTo(X, 10);
  }
  TRect Strip = S.C().ScrollDC(-3, 0, Rect(0, 0, 20, 10), Rect(0, 0, 20, 10));
  EXPECT_EQ(Strip, Rect(17, 0, 20, 10));
  EXPECT_EQ(S.At(0, 5), RGB(30, 0, 0));
  EXPECT_EQ(S.At(16, 5), RGB(190, 0, 0));
  // A clip narrower than the scrolled area limits what changes.
  Strip = S.C().ScrollDC(0, 2, Rect(0, 0, 20, 10), Rect(5, 0, 10, 10));
  EXPECT_EQ(Strip, Rect(5, 0, 10, 2));
  EXPECT_EQ(S.At(7, 9), RGB(100, 0, 0));
  EXPECT_EQ(S.At(4, 9), RGB(70, 0, 0));
}

// The move is made in place: each direction must read every source pixel
// before it is overwritten (rows in the right order, overlap within rows).
TEST(Canvas, ScrollInEveryDirectionMovesTheOldPixels) {
  const struct {
    int DX, DY;
  } Moves[] = {{-3, 0}, {3, 0}, {0, -2}, {0, 2}, {2, -3}, {-2, 3}, {-19, 0}, {0, 9}};
  for (const auto& M : Moves) {
    Surface S(20, 10);
    for (int Y = 0; Y < 10; ++Y)
      for (int X = 0; X < 20; ++X) S.C().SetPixel(X, Y, RGB(X * 10, Y * 20, 7));
    const TRect Area = Rect(1, 1, 19, 9);
    S.C().ScrollDC(M.DX, M.DY, Area, Area);
    for (int Y = 0; Y < 10; ++Y)
      for (int X = 0; X < 20; ++X) {
        const int FX = X - M.DX, FY = Y - M.DY;
        const bool Moved = X >= 1 && X < 19 && Y >= 1 && Y < 9 && FX >= 1 && FX < 19 && FY >= 1 && FY < 9;
        const TColor Want = Moved ? RGB(FX * 10, FY * 20, 7) : RGB(X * 10, Y * 20, 7);
        ASSERT_EQ(S.At(X, Y), Want) << "move " << M.DX << "," << M.DY << " at " << X << "," << Y;
      }
  }
}

TEST(Canvas, CopyRectModes) {
  Surface Src(8, 8, RGB(0x0F, 0xF0, 0x33));
  Surface Dst(16, 8, RGB(0x3C, 0x3C, 0x3C));
  Dst.C().CopyRect(Rect(0, 0, 4, 4), Src.C(), Rect(0, 0, 4, 4));
  EXPECT_EQ(Dst.At(3, 3), RGB(0x0F, 0xF0, 0x33));
  EXPECT_EQ(Dst.At(4, 3), RGB(0x3C, 0x3C, 0x3C));
  Dst.C().SetCopyMode(cmSrcAnd);
  Dst.C().CopyRect(Rect(4, 0, 8, 4), Src.C(), Rect(0, 0, 4, 4));
  EXPECT_EQ(Dst.At(5, 1), RGB(0x0C, 0x30, 0x30));
  Dst.C().SetCopyMode(cmSrcPaint);
  Dst.C().CopyRect(Rect(8, 0, 12, 4), Src.C(), Rect(0, 0, 4, 4));
  EXPECT_EQ(Dst.At(9, 1), RGB(0x3F, 0xFC, 0x3F));
  // Stretched: a 2x2 source fills a 4x4 destination.
  Src.C().SetPixel(1, 1, clRed);
  Dst.C().SetCopyMode(cmSrcCopy);
  Dst.C().CopyRect(Rect(0, 4, 4, 8), Src.C(), Rect(0, 0, 2, 2));
  EXPECT_EQ(Dst.At(3, 7), clRed);
  EXPECT_EQ(Dst.At(2, 6), clRed);
  EXPECT_EQ(Dst.At(1, 5), RGB(0x0F, 0xF0, 0x33));
}

TEST(Canvas, BitmapDrawHonoursTransparencyAndCopyMode) {
  TBitmap Pic(4, 4);
  Pic.Canvas().Brush().Color = clLime;
  Pic.Canvas().FillRect(Rect(0, 0, 2, 4));  // right half stays white
  Pic.TransparentColor = clWhite;
  Surface S(10, 10, clBlue);
  S.C().Draw(2, 2, Pic);
  EXPECT_EQ(S.At(3, 3), clLime);
  EXPECT_EQ(S.At(4, 3), clBlue);
  TPicture P;
  EXPECT_TRUE(P.Empty());
  P.SetImage(Pic.Image());
  S.C().StretchDraw(Rect(0, 6, 8, 10), P);  // opaque, twice as wide
  EXPECT_EQ(S.At(3, 9), clLime);
  EXPECT_EQ(S.At(4, 9), clWhite);
  // Growing a bitmap keeps its picture; the new part is white.
  Pic.SetSize(6, 5);
  EXPECT_EQ(Pic.Canvas().Pixel(0, 0), clLime);
  EXPECT_EQ(Pic.Canvas().Pixel(5, 4), clWhite);
}

TEST(Canvas, Frame3DColoursEachEdgeAndShrinks) {
  Surface S(20, 20, clRed);
  TRect R = Rect(2, 2, 12, 10);
  S.C().Frame3D(R, clBtnHighlight, clBtnShadow, 2);
  EXPECT_EQ(R, Rect(4, 4, 10, 8));
  const TColor Hi = 0xFFFFFF, Sh = 0x808080;
  EXPECT_EQ(S.At(2, 2), Hi);    // top-left corner
  EXPECT_EQ(S.At(6, 2), Hi);    // top edge
  EXPECT_EQ(S.At(2, 6), Hi);    // left edge
  EXPECT_EQ(S.At(11, 2), Sh);   // top-right corner belongs to the right edge
  EXPECT_EQ(S.At(2, 9), Sh);    // bottom-left corner belongs to the bottom edge
  EXPECT_EQ(S.At(11, 6), Sh);   // right edge
  EXPECT_EQ(S.At(6, 9), Sh);    // bottom edge
  EXPECT_EQ(S.At(3, 3), Hi);    // second ring
  EXPECT_EQ(S.At(10, 8), Sh);
  EXPECT_EQ(S.At(4, 4), clRed); // inside untouched
  EXPECT_EQ(S.At(12, 6), clRed);
  EXPECT_EQ(S.At(6, 10), clRed);
}

TEST(Canvas, EscapementTurnsTextAndItsExtent) {
  Surface S(120, 120);
  TCanvas& C = S.C();
  C.Font().SetName(QStringLiteral("Arial"));
  C.Font().SetHeight(-14);
  C.Font().SetColor(clBlack);
  C.SetBkMode(bkTransparent);
  const TSize Flat = C.TextExtent(QStringLiteral("Hallo"));
  ASSERT_GT(Flat.cx, Flat.cy);
  C.Font().SetEscapement(900);
  EXPECT_EQ(C.TextExtent(QStringLiteral("Hallo")), Flat);
  EXPECT_EQ(C.RotatedTextExtent(QStringLiteral("Hallo")), (TSize{Flat.cy, Flat.cx}));
  C.TextOut(50, 100, QStringLiteral("Hallo"));
  // Running upwards from (50, 100): everything drawn lies above the point,
  // to its right, within the turned extent; only black and white pixels.
  int Drawn = 0;
  for (int Y = 0; Y < 120; ++Y)
    for (int X = 0; X < 120; ++X) {
      TColor P = S.At(X, Y);
      if (P == clWhite) continue;
      EXPECT_EQ(P, clBlack) << X << "," << Y;
      EXPECT_TRUE(X >= 50 && X <= 50 + Flat.cy && Y <= 100 && Y >= 100 - Flat.cx) << X << "," << Y;
      ++Drawn;
    }
  EXPECT_GT(Drawn, 20);
  // Opaque background: the unrotated text box is filled with the brush.
  C.Font().SetEscapement(0);
  C.SetBkMode(bkOpaque);
  C.Brush().Color = clYellow;
  C.TextOut(0, 0, QStringLiteral("."));
  EXPECT_EQ(S.At(0, 0), clYellow);
  EXPECT_EQ(C.PenPos(), Point(C.TextWidth(QStringLiteral(".")), 0));
}

TEST(Canvas, PieRunsCounterClockwiseBetweenTheRadials) {
  Surface S(41, 41);
  S.C().Brush().Color = clRed;
  S.C().Pen().Style = psClear;
  // From the radial towards the right to the one towards the top.
  S.C().Pie(0, 0, 40, 40, 40, 20, 20, 0);
  EXPECT_EQ(S.At(30, 10), clRed);
  EXPECT_EQ(S.At(10, 10), clWhite);
  EXPECT_EQ(S.At(30, 30), clWhite);
  // The same radials the other way round give the other three quarters.
  Surface T(41, 41);
  T.C().Brush().Color = clRed;
  T.C().Pen().Style = psClear;
  T.C().Pie(0, 0, 40, 40, 20, 0, 40, 20);
  EXPECT_EQ(T.At(30, 10), clWhite);
  EXPECT_EQ(T.At(10, 10), clRed);
  EXPECT_EQ(T.At(30, 30), clRed);
}
