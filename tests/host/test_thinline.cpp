// The one-pixel line routine against a plain reference: Bresenham's
// algorithm plotting pixel by pixel with a bounds and clip test for each,
// the pen mode and dash pattern applied per pixel. Random lines (many of
// them reaching far outside), clip regions, window origins, pen modes and
// styles must give the same picture, pixel for pixel.
#include <gtest/gtest.h>

#include <QRegion>
#include <random>

#include "quellix/host/Graphics.h"

using namespace quellix;

namespace {

constexpr int W = 61, H = 47;

QRgb ReferenceOp(QRgb D, QRgb S, TPenMode M) {
  switch (M) {
    case pmCopy: return S | 0xFF000000u;
    case pmNotXor: return ~(S ^ D) | 0xFF000000u;
    case pmNot: return ~D | 0xFF000000u;
    case pmXor: return (S ^ D) | 0xFF000000u;
    case pmBlack: return 0xFF000000u;
    case pmWhite: return 0xFFFFFFFFu;
  }
  return S;
}

bool ReferenceDashOn(TPenStyle Style, unsigned Phase) {
  static const std::vector<int> Dash{18, 6}, Dot{3, 3}, DashDot{9, 6, 3, 6}, DashDotDot{9, 3, 3, 3, 3, 3};
  const std::vector<int>* Runs = Style == psDash         ? &Dash
                                 : Style == psDot        ? &Dot
                                 : Style == psDashDot    ? &DashDot
                                 : Style == psDashDotDot ? &DashDotDot
                                                         : nullptr;
  if (!Runs) return true;
  int Pos = static_cast<int>(Phase % (Runs == &Dot ? 6u : 24u));
  for (size_t I = 0; I < Runs->size(); ++I) {
    if (Pos < (*Runs)[I]) return (I & 1) == 0;
    Pos -= (*Runs)[I];
  }
  return true;
}

// What the canvas must do for a polyline (device coordinates already).
struct Reference {
  QImage Img;
  QRegion Clip;
  bool HasClip = false;
  TPen Pen;
  unsigned Phase = 0;

  void Line(int X1, int Y1, int X2, int Y2) {
    const int DX = std::abs(X2 - X1), SX = X1 < X2 ? 1 : -1;
    const int DY = -std::abs(Y2 - Y1), SY = Y1 < Y2 ? 1 : -1;
    int Err = DX + DY, X = X1, Y = Y1;
    const int N = std::max(DX, -DY);
    for (int I = 0; I < N; ++I) {
      const bool On = ReferenceDashOn(Pen.Style, Phase++);
      if (On && X >= 0 && Y >= 0 && X < Img.width() && Y < Img.height() && (!HasClip || Clip.contains(QPoint(X, Y)))) {
        QRgb* P = reinterpret_cast<QRgb*>(Img.scanLine(Y)) + X;
        *P = ReferenceOp(*P, ToQRgb(Pen.Color), Pen.Mode);
      }
      const int E2 = 2 * Err;
      if (E2 >= DY) {
        Err += DY;
        X += SX;
      }
      if (E2 <= DX) {
        Err += DX;
        Y += SY;
      }
    }
  }
};

// Every pixel a different colour, so that a pixel touched twice by an XOR
// mode or missed shows.
void Pattern(QImage& Img) {
  for (int Y = 0; Y < Img.height(); ++Y)
    for (int X = 0; X < Img.width(); ++X)
      reinterpret_cast<QRgb*>(Img.scanLine(Y))[X] = qRgb(X * 4, Y * 5, (X * Y) & 0xFF);
}

int FirstDifference(const QImage& A, const QImage& B) {
  for (int Y = 0; Y < A.height(); ++Y)
    for (int X = 0; X < A.width(); ++X)
      if (A.pixel(X, Y) != B.pixel(X, Y)) return Y * A.width() + X;
  return -1;
}

}  // namespace

TEST(ThinLine, SamePixelsAsThePlainRoutineOverRandomLinesClipsModesAndStyles) {
  std::mt19937 Rng(20240611);
  const auto Uniform = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
  const TPenMode Modes[] = {pmCopy, pmNotXor, pmNot, pmXor, pmBlack, pmWhite};
  const TPenStyle Styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  for (int Case = 0; Case < 3000; ++Case) {
    TBitmap Bmp(W, H);
    Pattern(Bmp.Image());
    Reference Ref;
    Ref.Img = Bmp.Image().copy();
    TCanvas& C = Bmp.Canvas();
    C.Pen().Color = RGB(Uniform(0, 255), Uniform(0, 255), Uniform(0, 255));
    C.Pen().Mode = Modes[Uniform(0, 5)];
    C.Pen().Style = Styles[Uniform(0, 4)];
    Ref.Pen = C.Pen();
    // No clip, one rectangle, or a region of several (one cut out).
    switch (Uniform(0, 3)) {
      case 0: break;
      case 1: {
        const TRect R = Rect(Uniform(-5, W), Uniform(-5, H), Uniform(-5, W + 5), Uniform(-5, H + 5));
        C.SelectClipRect(R);
        Ref.Clip = C.ClipRegion();
        Ref.HasClip = true;
        break;
      }
      case 2: {
        QRegion Rg(QRect(Uniform(0, W / 2), Uniform(0, H / 2), Uniform(1, W), Uniform(1, H)));
        Rg += QRect(Uniform(0, W), Uniform(0, H), Uniform(1, W / 2), Uniform(1, H / 2));
        C.SelectClipRgn(Rg);
        C.ExcludeClipRect(Rect(Uniform(0, W), Uniform(0, H), Uniform(0, W), Uniform(0, H)));
        Ref.Clip = C.ClipRegion();
        Ref.HasClip = C.HasClip();
        break;
      }
      default: {
        C.IntersectClipRect(Rect(Uniform(0, W), Uniform(0, H), Uniform(0, W), Uniform(0, H)));  // may be empty
        Ref.Clip = C.ClipRegion();
        Ref.HasClip = true;
      }
    }
    const TPoint Origin{Uniform(-3, 3), Uniform(-3, 3)};
    C.SetWindowOrigin(Origin);
    // A polyline of a few points: near the surface, on it, or far away
    // (the clamped coordinates of the charts).
    const int Count = Uniform(2, 6);
    std::vector<TPoint> P;
    for (int I = 0; I < Count; ++I) {
      const int Kind = Uniform(0, 9);
      if (Kind == 0)
        P.push_back({Uniform(-30000, 30000), Uniform(-30000, 30000)});
      else if (Kind == 1)
        P.push_back(P.empty() ? TPoint{Uniform(0, W), Uniform(0, H)} : TPoint{P.back().X, Uniform(-20, H + 20)});
      else if (Kind == 2)
        P.push_back(P.empty() ? TPoint{Uniform(0, W), Uniform(0, H)} : TPoint{Uniform(-20, W + 20), P.back().Y});
      else
        P.push_back({Uniform(-20, W + 20), Uniform(-20, H + 20)});
    }
    if (Case % 2 == 0) {
      C.Polyline(P);
    } else {
      C.MoveTo(P[0].X, P[0].Y);
      for (size_t I = 1; I < P.size(); ++I) C.LineTo(P[I].X, P[I].Y);
    }
    for (size_t I = 1; I < P.size(); ++I)
      Ref.Line(P[I - 1].X + Origin.X, P[I - 1].Y + Origin.Y, P[I].X + Origin.X, P[I].Y + Origin.Y);
    const int Diff = FirstDifference(Bmp.Image(), Ref.Img);
    ASSERT_EQ(Diff, -1) << "case " << Case << " mode " << Ref.Pen.Mode << " style " << Ref.Pen.Style << " at ("
                        << Diff % W << ", " << Diff / W << ")";
  }
}

// The one-pixel frame of Rectangle draws each outline pixel once, the
// corners included, with the pen's pattern running on round the frame.
TEST(ThinLine, FrameDrawsEveryOutlinePixelOnceInXorModes) {
  for (const TRect& R : {Rect(3, 4, 20, 15), Rect(5, 5, 6, 9), Rect(5, 5, 12, 6), Rect(5, 5, 6, 6)}) {
    TBitmap Bmp(W, H);
    Pattern(Bmp.Image());
    const QImage Before = Bmp.Image().copy();
    TCanvas& C = Bmp.Canvas();
    C.Pen().Mode = pmNot;
    C.Brush().Style = bsClear;
    C.Rectangle(R);
    int Changed = 0;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X)
        if (Bmp.Image().pixel(X, Y) != Before.pixel(X, Y)) ++Changed;
    const int Outline = R.Width() == 1 || R.Height() == 1 ? R.Width() * R.Height()
                                                          : 2 * (R.Width() + R.Height()) - 4;
    EXPECT_EQ(Changed, Outline) << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom;
    C.Rectangle(R);
    EXPECT_EQ(FirstDifference(Bmp.Image(), Before), -1);
  }
}

// Every short line from one point, clipped at every column and row on
// either side: the clip enters and leaves each line at every pixel of it,
// ties of the minor step included.
TEST(ThinLine, EveryShortLineClippedAtEveryColumnAndRow) {
  constexpr int S = 21;
  std::vector<TRect> Clips;
  for (int K = 0; K <= S; ++K) {
    Clips.push_back(Rect(K, 0, S, S));
    Clips.push_back(Rect(0, K, S, S));
    Clips.push_back(Rect(0, 0, K, S));
    Clips.push_back(Rect(0, 0, S, K));
  }
  for (int X2 = 0; X2 < S; ++X2)
    for (int Y2 = 0; Y2 < S; ++Y2)
      for (const TRect& R : Clips) {
        TBitmap Bmp(S, S);
        Bmp.Canvas().SelectClipRect(R);
        Bmp.Canvas().MoveTo(10, 10);
        Bmp.Canvas().LineTo(X2, Y2);
        Reference Ref;
        Ref.Img = QImage(S, S, QImage::Format_RGB32);
        Ref.Img.fill(0xFFFFFFFFu);
        Ref.Clip = QRegion(R.ToQRect());
        Ref.HasClip = true;
        Ref.Line(10, 10, X2, Y2);
        ASSERT_EQ(FirstDifference(Bmp.Image(), Ref.Img), -1)
            << "to (" << X2 << ", " << Y2 << ") clip " << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom;
      }
}

// A trace with several samples per column (Polyline draws a run of points
// in one column as one span with a solid copying pen) gives the pixels of
// the same points drawn segment by segment: runs in the middle, at the
// start and at the end, columns far off the surface, every pen mode and
// style, clipped, at ratio 1 and 2.
TEST(ThinLine, TraceWithSeveralPointsPerColumnSameAsSegmentBySegment) {
  std::mt19937 Rng(77);
  const auto Uniform = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
  const TPenMode Modes[] = {pmCopy, pmCopy, pmCopy, pmNotXor, pmXor};
  const TPenStyle Styles[] = {psSolid, psSolid, psSolid, psDot};
  for (int Case = 0; Case < 600; ++Case) {
    std::vector<TPoint> P;
    int X = Uniform(-3, 5);
    for (int I = Uniform(2, 40); I > 0; --I) {
      const int Kind = Uniform(0, 19);
      P.push_back({X, Kind == 0 ? Uniform(-30000, 30000) : Uniform(-8, H + 8)});
      X += Uniform(0, 3) == 0 ? Uniform(1, 4) : 0;  // mostly the same column
    }
    const qreal Ratio = Case % 3 == 2 ? 2 : 1;
    TBitmap A, B;
    for (TBitmap* Bmp : {&A, &B}) {
      Bmp->SetPixelRatio(Ratio);
      Bmp->SetSize(W, H);
      Pattern(Bmp->Image());
      TCanvas& C = Bmp->Canvas();
      C.Pen().Color = RGB(Uniform(0, 255), 40, 200);
      C.Pen().Mode = Modes[Case % 5];
      C.Pen().Style = Styles[Case % 4];
      if (Case % 4 == 1) C.SelectClipRect(Rect(4, 6, W - 9, H - 5));
      if (Case % 4 == 3) {
        // A region of several rectangles: the trace is drawn piece by piece.
        QRegion Rg(QRect(2, 3, W / 2, H - 6));
        Rg += QRect(W / 3, H / 4, W / 2, H / 3);
        C.SelectClipRgn(Rg);
      }
      C.SetWindowOrigin({Case % 7 - 3, 0});
      // The same colour on both: draw A's, then B's with A's pen.
      if (Bmp == &B) C.Pen() = A.Canvas().Pen();
    }
    A.Canvas().Polyline(P);
    B.Canvas().MoveTo(P[0].X, P[0].Y);
    for (size_t I = 1; I < P.size(); ++I) B.Canvas().LineTo(P[I].X, P[I].Y);
    const int Diff = FirstDifference(A.Image(), B.Image());
    ASSERT_EQ(Diff, -1) << "case " << Case << " ratio " << Ratio << " at surface pixel " << Diff;
  }
}

// Dense traces that step one column left or right at a time, with long
// and short rises (the usual segment of a trace with a sample per column),
// drawn whole and segment by segment: the same pixels, inside the surface,
// across its edges and across the pieces of a clip region.
TEST(ThinLine, OneColumnStepsSameAsSegmentBySegment) {
  std::mt19937 Rng(5);
  const auto Uniform = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
  for (int Case = 0; Case < 400; ++Case) {
    std::vector<TPoint> P;
    int X = Uniform(-2, W + 1);
    const int Dir = Case % 2 ? 1 : -1;
    for (int I = Uniform(2, 60); I > 0; --I) {
      P.push_back({X, Uniform(0, 3) == 0 ? Uniform(-5, H + 5) : std::clamp(P.empty() ? H / 2 : P.back().Y + Uniform(-9, 9), -3, H + 3)});
      X += Uniform(0, 5) == 0 ? 0 : Dir;
    }
    TBitmap A(W, H), B(W, H);
    for (TBitmap* Bmp : {&A, &B}) {
      Pattern(Bmp->Image());
      TCanvas& C = Bmp->Canvas();
      C.Pen().Color = RGB(200, Case % 256, 30);
      if (Case % 3 == 1) C.SelectClipRect(Rect(5, 4, W - 7, H - 6));
      if (Case % 3 == 2) {
        QRegion Rg(QRect(0, 0, W / 2, H / 2));
        Rg += QRect(W / 3, H / 3, W / 2, H / 2);
        C.SelectClipRgn(Rg);
      }
      C.SetWindowOrigin({Case % 5 - 2, Case % 3 - 1});
    }
    A.Canvas().Polyline(P);
    B.Canvas().MoveTo(P[0].X, P[0].Y);
    for (size_t I = 1; I < P.size(); ++I) B.Canvas().LineTo(P[I].X, P[I].Y);
    const int Diff = FirstDifference(A.Image(), B.Image());
    ASSERT_EQ(Diff, -1) << "case " << Case << " at (" << Diff % W << ", " << Diff / W << ")";
  }
}

// VerticalLines (a time grid of many columns drawn row by row) leaves the
// picture, the pen position and the dash pattern's phase as MoveTo and
// LineTo for each line do: columns on, beside and far off the surface,
// repeated columns, upward and empty lines, clips of several rectangles,
// window origins, and the pens that go line by line (modes, patterns).
TEST(ThinLine, VerticalLinesSameAsLineByLine) {
  std::mt19937 Rng(11);
  const auto Uniform = [&](int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Rng); };
  const TPenMode Modes[] = {pmCopy, pmCopy, pmCopy, pmXor};
  const TPenStyle Styles[] = {psSolid, psSolid, psDash, psSolid, psClear};
  for (int Case = 0; Case < 300; ++Case) {
    std::vector<Integer> Xs;
    for (int I = Uniform(1, 30); I > 0; --I) Xs.push_back(Uniform(0, 9) == 0 ? Uniform(-30000, 30000) : Uniform(-3, W + 3));
    if (Case % 6 == 0) Xs.push_back(Xs.front());
    const Integer Y1 = Uniform(-10, H), Y2 = Case % 9 == 0 ? Y1 - Uniform(0, 5) : Y1 + Uniform(1, H);
    TBitmap A(W, H), B(W, H);
    for (TBitmap* Bmp : {&A, &B}) {
      Pattern(Bmp->Image());
      TCanvas& C = Bmp->Canvas();
      C.Pen().Color = RGB(10, 120, Case % 256);
      C.Pen().Mode = Modes[Case % 4];
      C.Pen().Style = Styles[Case % 5];
      if (Case % 3 == 1) C.SelectClipRect(Rect(3, 2, W - 4, H - 8));
      if (Case % 3 == 2) {
        QRegion Rg(QRect(1, 1, W / 3, H - 2));
        Rg += QRect(W / 2, H / 4, W / 3, H / 2);
        C.SelectClipRgn(Rg);
      }
      C.SetWindowOrigin({Case % 5 - 2, Case % 7 - 3});
    }
    A.Canvas().VerticalLines(Xs.data(), static_cast<int>(Xs.size()), Y1, Y2);
    for (const Integer X : Xs) {
      B.Canvas().MoveTo(X, Y1);
      B.Canvas().LineTo(X, Y2);
    }
    // A dashed line after them continues the pattern where the lines left it.
    const TPoint End{Uniform(0, W), Uniform(0, H)};
    for (TBitmap* Bmp : {&A, &B}) {
      Bmp->Canvas().Pen().Style = psDot;
      Bmp->Canvas().LineTo(End.X, End.Y);
    }
    EXPECT_EQ(A.Canvas().PenPos().X, B.Canvas().PenPos().X);
    EXPECT_EQ(A.Canvas().PenPos().Y, B.Canvas().PenPos().Y);
    const int Diff = FirstDifference(A.Image(), B.Image());
    ASSERT_EQ(Diff, -1) << "case " << Case << " at (" << Diff % W << ", " << Diff / W << ")";
  }
}
