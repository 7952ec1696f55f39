// The canvas's one-pixel lines: single lines, frames, polylines.
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "quellix/host/CanvasOps.h"

namespace quellix {

using namespace CanvasDetail;

// ---------------------------------------------------------------------------
// One-pixel lines
//
// The pixels are those of Bresenham's algorithm in the form that steps
// both coordinates on one shared error term, taking a step along the minor
// axis on an exact half: with a and b the lengths along the major and the
// minor axis (a >= b), pixel I (I = 0 .. a) of the line lies I steps along
// the major axis and
//     m(I) = floor((2 b I + a) / (2 a))
// steps along the minor one. The closed form lets the line be clipped to
// each clip rectangle before it is rasterised (a line far outside costs
// nothing), and walks the rest as runs on one scanline or one column.

namespace CanvasDetail {

inline std::int64_t CeilDiv(std::int64_t N, std::int64_t D) { return N >= 0 ? (N + D - 1) / D : -((-N) / D); }

// The pixels of one line, from the start point, and which of them lie in
// a rectangle.
struct TLineWalk {
  int X1 = 0, Y1 = 0;
  int SX = 1, SY = 1;
  bool XMajor = true;
  std::int64_t A = 0, B = 0;  // lengths along the major and the minor axis
  int N = 0;                  // pixels drawn

  TLineWalk(int AX1, int AY1, int X2, int Y2, bool DrawLast) : X1(AX1), Y1(AY1) {
    const int DX = std::abs(X2 - X1), DY = std::abs(Y2 - Y1);
    SX = X1 < X2 ? 1 : -1;
    SY = Y1 < Y2 ? 1 : -1;
    XMajor = DX >= DY;
    A = XMajor ? DX : DY;
    B = XMajor ? DY : DX;
    N = static_cast<int>(A) + (DrawLast ? 1 : 0);
  }

  std::int64_t Minor(std::int64_t I) const { return A == 0 ? 0 : (2 * B * I + A) / (2 * A); }
  // The first index whose minor step is at least M.
  std::int64_t FirstWithMinor(std::int64_t M) const { return CeilDiv(A * (2 * M - 1), 2 * B); }

  // The index range [I0, I1] of the pixels inside the inclusive rectangle
  // L..R x T..Bt; false when there is none.
  bool Range(int L, int T, int R, int Bt, int& I0, int& I1) const {
    if (N <= 0) return false;
    // Along each axis the allowed steps from the start point.
    const auto Steps = [](int From, int Dir, int Lo, int Hi, std::int64_t& S0, std::int64_t& S1) {
      if (Dir > 0) {
        S0 = Lo - static_cast<std::int64_t>(From);
        S1 = Hi - static_cast<std::int64_t>(From);
      } else {
        S0 = From - static_cast<std::int64_t>(Hi);
        S1 = From - static_cast<std::int64_t>(Lo);
      }
    };
    std::int64_t MajLo, MajHi, MinLo, MinHi;
    if (XMajor) {
      Steps(X1, SX, L, R, MajLo, MajHi);
      Steps(Y1, SY, T, Bt, MinLo, MinHi);
    } else {
      Steps(Y1, SY, T, Bt, MajLo, MajHi);
      Steps(X1, SX, L, R, MinLo, MinHi);
    }
    std::int64_t Lo = std::max<std::int64_t>(0, MajLo), Hi = std::min<std::int64_t>(N - 1, MajHi);
    if (B == 0) {
      if (MinLo > 0 || MinHi < 0) return false;
    } else {
      Lo = std::max(Lo, FirstWithMinor(MinLo));
      Hi = std::min(Hi, FirstWithMinor(MinHi + 1) - 1);
    }
    if (Lo > Hi) return false;
    I0 = static_cast<int>(Lo);
    I1 = static_cast<int>(Hi);
    return true;
  }
};

// The dash pattern as one flag per position, so that the loop only counts.
struct TDashTable {
  bool On[256] = {};
  unsigned Period = 0;  // 0: solid
  explicit TDashTable(const DashPattern& P) {
    if (!P.Runs) return;
    Period = static_cast<unsigned>(P.Total);
    for (unsigned I = 0; I < Period; ++I) On[I] = DashOn(P, I);
  }
  // The pattern stretched by a pixel ratio (over 24 positions, which every
  // pattern divides).
  TDashTable(const DashPattern& P, qreal Ratio) {
    if (!P.Runs) return;
    Period = static_cast<unsigned>(std::clamp<qreal>(std::round(24 * Ratio), 24, 256));
    const qreal Step = 24.0 / Period;
    for (unsigned I = 0; I < Period; ++I) On[I] = DashOn(P, static_cast<unsigned>(I * Step));
  }
};

template <TPenMode Mode>
inline void Combine(QRgb& D, QRgb Src) {
  D = RasterOp(D, Src, Mode);
}

// Pixels I0..I1 of a line, all inside the surface: runs along the major
// axis, one minor step between runs.
template <TPenMode Mode, bool Dashed>
void WalkRuns(const TLineWalk& L, int I0, int I1, QRgb* Bits, qsizetype Stride, QRgb Color, const TDashTable& Dash,
              unsigned Phase) {
  const qsizetype XStep = L.SX, YStep = L.SY * Stride;
  const qsizetype MajorStep = L.XMajor ? XStep : YStep, MinorStep = L.XMajor ? YStep : XStep;
  std::int64_t M = L.Minor(I0);
  const int StepsX = L.XMajor ? I0 : static_cast<int>(M), StepsY = L.XMajor ? static_cast<int>(M) : I0;
  QRgb* P = Bits + static_cast<qsizetype>(L.Y1 + L.SY * StepsY) * Stride + (L.X1 + L.SX * StepsX);
  if (Dashed) Phase %= Dash.Period;
  int I = I0;
  while (I <= I1) {
    // The run on this row (or column) ends before the next minor step.
    const std::int64_t Next = L.B == 0 ? std::int64_t(I1) + 1 : L.FirstWithMinor(M + 1);
    const int End = static_cast<int>(std::min<std::int64_t>(Next, std::int64_t(I1) + 1));
    const int Len = End - I;
    if (!Dashed && Mode == pmCopy && MajorStep == 1) {
      std::fill(P, P + Len, Color | Opaque);
      P += Len;
    } else if (!Dashed && Mode == pmCopy && MajorStep == -1) {
      std::fill(P - Len + 1, P + 1, Color | Opaque);
      P -= Len;
    } else {
      for (int K = 0; K < Len; ++K, P += MajorStep) {
        if (Dashed) {
          const bool On = Dash.On[Phase];
          if (++Phase == Dash.Period) Phase = 0;
          if (!On) continue;
        }
        Combine<Mode>(*P, Color);
      }
    }
    I = End;
    P += MinorStep;
    ++M;
  }
}

template <TPenMode Mode>
void WalkRunsOf(bool Dashed, const TLineWalk& L, int I0, int I1, QRgb* Bits, qsizetype Stride, QRgb Color,
                const TDashTable& Dash, unsigned Phase) {
  if (Dashed)
    WalkRuns<Mode, true>(L, I0, I1, Bits, Stride, Color, Dash, Phase);
  else
    WalkRuns<Mode, false>(L, I0, I1, Bits, Stride, Color, Dash, Phase);
}

}  // namespace CanvasDetail

// One-pixel line with the pen's colour, mode and dash pattern, clipped to
// the surface and the clip region. The dash pattern continues from the
// previous line (FDashPhase), as along a polyline; it advances over the
// pixels that the clip leaves out as well.
void TCanvas::ThinLine(int X1, int Y1, int X2, int Y2, bool DrawLast) {
  if (!FSurface || FSurface->isNull()) return;
  if (PixelRatio() != 1) {
    TCanvasOps::ThinLineScaled(*this, X1, Y1, X2, Y2, DrawLast);
    return;
  }
  const TLineWalk L(X1, Y1, X2, Y2, DrawLast);
  const unsigned Phase0 = FDashPhase;
  FDashPhase += static_cast<unsigned>(std::max(0, L.N));
  if (L.N <= 0) return;
  TCanvasOps::Walk(*this, L, TDashTable(PatternOf(FPen.Style)), Phase0);
}

// Pixels of one line on the surface, inside the surface and the clip.
void TCanvasOps::Walk(TCanvas& C, const TLineWalk& L, const TDashTable& Dash, unsigned Phase0) {
  const bool Dashed = Dash.Period != 0;
  const QRgb Color = ToQRgb(C.FPen.Color);
  QRgb* Bits = reinterpret_cast<QRgb*>(C.FSurface->bits());
  const qsizetype Stride = C.FSurface->bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
  const QRect Surface = C.FSurface->rect();
  const auto Draw = [&](const QRect& Area) {
    const QRect R = Area & Surface;
    int I0, I1;
    if (R.isEmpty() || !L.Range(R.left(), R.top(), R.right(), R.bottom(), I0, I1)) return;
    const unsigned Phase = Phase0 + static_cast<unsigned>(I0);
    switch (C.FPen.Mode) {
      case pmCopy: WalkRunsOf<pmCopy>(Dashed, L, I0, I1, Bits, Stride, Color, Dash, Phase); break;
      case pmNotXor: WalkRunsOf<pmNotXor>(Dashed, L, I0, I1, Bits, Stride, Color, Dash, Phase); break;
      case pmNot: WalkRunsOf<pmNot>(Dashed, L, I0, I1, Bits, Stride, Color, Dash, Phase); break;
      case pmXor: WalkRunsOf<pmXor>(Dashed, L, I0, I1, Bits, Stride, Color, Dash, Phase); break;
      case pmBlack: WalkRunsOf<pmBlack>(Dashed, L, I0, I1, Bits, Stride, Color, Dash, Phase); break;
      case pmWhite: WalkRunsOf<pmWhite>(Dashed, L, I0, I1, Bits, Stride, Color, Dash, Phase); break;
    }
  };
  if (!C.FHasClip) {
    Draw(Surface);
    return;
  }
  // The rectangles of a region do not overlap: each pixel is drawn once.
  for (const QRect& R : C.FSurfaceClipRects) Draw(R);
}

// A line on a surface whose pixel ratio is not 1. A line along a row or a
// column, and one that draws its end point (a frame edge), covers the
// surface pixels of its logical pixels, so that it meets fills and frames
// as at ratio 1. A sloped line runs at the surface's resolution between
// the first surface pixels of its end points, one logical pixel thick,
// with the dash pattern stretched by the ratio.
void TCanvasOps::ThinLineScaled(TCanvas& C, int X1, int Y1, int X2, int Y2, bool DrawLast) {
  const qreal Ratio = C.PixelRatio();
  const TLineWalk L(X1, Y1, X2, Y2, DrawLast);
  const unsigned Phase0 = C.FDashPhase;
  C.FDashPhase += static_cast<unsigned>(std::max(0, L.N));
  if (L.N <= 0) return;
  const DashPattern Pattern = PatternOf(C.FPen.Style);
  const QRgb Color = ToQRgb(C.FPen.Color);
  const TPenMode Mode = C.FPen.Mode;
  if (DrawLast || X1 == X2 || Y1 == Y2) {
    if (!Pattern.Runs) {
      // One rectangle of logical pixels.
      const int XE = L.XMajor ? X1 + L.SX * (L.N - 1) : X1, YE = L.XMajor ? Y1 : Y1 + L.SY * (L.N - 1);
      C.FillArea(Normalized(X1, Y1, XE, YE).adjusted(0, 0, 1, 1), Color, Mode);
      return;
    }
    for (int I = 0; I < L.N; ++I) {
      if (!DashOn(Pattern, Phase0 + static_cast<unsigned>(I))) continue;
      const int M = static_cast<int>(L.Minor(I));
      const int X = X1 + L.SX * (L.XMajor ? I : M), Y = Y1 + L.SY * (L.XMajor ? M : I);
      ForEachCellPixel(C, X, Y, [&](QRgb& P) { P = RasterOp(P, Color, Mode); });
    }
    return;
  }
  const int SX1 = ToSurface(Ratio, X1), SY1 = ToSurface(Ratio, Y1);
  const int SX2 = ToSurface(Ratio, X2), SY2 = ToSurface(Ratio, Y2);
  const int Across = L.XMajor ? Y1 : X1;
  const int Thick = std::max(1, ToSurface(Ratio, Across + 1) - ToSurface(Ratio, Across));
  const TDashTable Dash(Pattern, Ratio);
  const unsigned Phase = Dash.Period ? static_cast<unsigned>(std::floor((Phase0 % 24u) * Ratio)) : 0u;
  for (int K = 0; K < Thick; ++K) {
    const int DX = L.XMajor ? 0 : K, DY = L.XMajor ? K : 0;
    const TLineWalk S(SX1 + DX, SY1 + DY, SX2 + DX, SY2 + DY, false);
    if (S.N > 0) Walk(C, S, Dash, Phase);
  }
}

void TCanvas::WidePenLine(int X1, int Y1, int X2, int Y2) {
  QPen Pen(ToQColor(FPen.Color), FPen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  int HW = FPen.Width / 2 + 2;
  QRect Bounds = Normalized(X1, Y1, X2, Y2).adjusted(-HW, -HW, HW + 1, HW + 1);
  QPoint A(X1 - FOrigin.X, Y1 - FOrigin.Y), B(X2 - FOrigin.X, Y2 - FOrigin.Y);
  PaintShape(Bounds, FPen.Mode, [&](QPainter& P) {
    P.setPen(Pen);
    P.drawLine(A, B);
  });
}

// Each pixel of R's one-pixel outline once, clockwise from the top left,
// with the pen's colour, mode and dash pattern.
void TCanvas::ThinFrame(const QRect& R) {
  if (R.isEmpty()) return;
  int L = R.left(), T = R.top(), Rt = R.right(), B = R.bottom();
  ThinLine(L, T, Rt, T, true);
  if (B > T) {
    if (B - 1 > T) ThinLine(Rt, T + 1, Rt, B - 1, true);
    ThinLine(Rt, B, L, B, true);
    if (Rt > L && B - 1 > T) ThinLine(L, B - 1, L, T + 1, true);
  }
  Touch(R);
}

QRect TCanvas::PointsBounds(const TPoint* Points, int Count) const {
  if (Count <= 0) return QRect();
  int L = Points[0].X, T = Points[0].Y, R = L, B = T;
  for (int I = 1; I < Count; ++I) {
    L = std::min(L, Points[I].X);
    R = std::max(R, Points[I].X);
    T = std::min(T, Points[I].Y);
    B = std::max(B, Points[I].Y);
  }
  int HW = std::max(1, FPen.Width) / 2 + 2;
  return QRect(L + FOrigin.X - HW, T + FOrigin.Y - HW, R - L + 2 * HW + 1, B - T + 2 * HW + 1);
}

void TCanvas::MoveTo(Integer X, Integer Y) {
  FPenPos = {X, Y};
  FDashPhase = 0;
}

void TCanvas::LineTo(Integer X, Integer Y) {
  TPoint From = FPenPos;
  FPenPos = {X, Y};
  if (FPen.Style == psClear || !FSurface || FSurface->isNull()) return;
  int X1 = From.X + FOrigin.X, Y1 = From.Y + FOrigin.Y, X2 = X + FOrigin.X, Y2 = Y + FOrigin.Y;
  if (FPen.Width <= 1) {
    ThinLine(X1, Y1, X2, Y2, false);
    Touch(Normalized(X1, Y1, X2, Y2).adjusted(0, 0, 1, 1));
  } else {
    WidePenLine(X1, Y1, X2, Y2);
  }
}

// A one-pixel polyline with a solid copying pen at ratio 1, the usual
// trace: every pixel gets the same colour, so the segments are drawn clip
// rectangle by clip rectangle, straight into the surface, and a segment
// inside the rectangle needs no clipping. A trace with several samples
// per column: a run of points in one column that does not end the
// polyline covers, with the start of the segment that leaves it, exactly
// the rows from its lowest to its highest point, drawn as one span.
// (Other modes and patterns depend on each pixel being drawn once per
// segment; above ratio 1 a sloped segment does not cover the whole cell
// of its start.)
void TCanvasOps::SolidPolyline(TCanvas& C, const TPoint* Points, int Count) {
  const QRgb Color = ToQRgb(C.FPen.Color) | Opaque;
  QRgb* const Bits = reinterpret_cast<QRgb*>(C.FSurface->bits());
  const qsizetype Stride = C.FSurface->bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
  const QRect Surface = C.FSurface->rect();
  const std::int64_t OX = C.FOrigin.X, OY = C.FOrigin.Y;
  const TDashTable Solid(DashPattern{nullptr, 0, 0});
  unsigned Phase = 0;  // pixels of the sloped segments, as ThinLine counts them
  const auto Draw = [&](const QRect& Area, bool CountPhase) {
    const QRect R = Area & Surface;
    const bool Visible = !R.isEmpty();
    if (!Visible && !CountPhase) return;
    const std::int64_t Left = R.left(), Top = R.top(), Right = R.right(), Bottom = R.bottom();
    for (int I = 1; I < Count;) {
      const TPoint& P = Points[I - 1];
      if (Points[I].X == P.X) {
        int J = I, Lo = std::min(P.Y, Points[I].Y), Hi = std::max(P.Y, Points[I].Y);
        while (J + 1 < Count && Points[J + 1].X == P.X) {
          ++J;
          Lo = std::min(Lo, Points[J].Y);
          Hi = std::max(Hi, Points[J].Y);
        }
        if (J + 1 < Count) {
          const std::int64_t X = P.X + OX;
          const std::int64_t From = std::max(Lo + OY, Top), To = std::min(Hi + OY, Bottom);
          if (Visible && X >= Left && X <= Right && From <= To) {
            QRgb* D = Bits + From * Stride + X;
            for (std::int64_t Y = From; Y <= To; ++Y, D += Stride) *D = Color;
          }
          I = J + 1;
          continue;
        }
      }
      const TPoint& Q = Points[I];
      ++I;
      const std::int64_t X1 = P.X + OX, Y1 = P.Y + OY, X2 = Q.X + OX, Y2 = Q.Y + OY;
      if (CountPhase) Phase += static_cast<unsigned>(std::max(std::llabs(X2 - X1), std::llabs(Y2 - Y1)));
      if (!Visible || std::max(X1, X2) < Left || std::min(X1, X2) > Right || std::max(Y1, Y2) < Top ||
          std::min(Y1, Y2) > Bottom)
        continue;
      const bool Inside = X1 >= Left && X2 >= Left && X1 <= Right && X2 <= Right && Y1 >= Top && Y2 >= Top &&
                          Y1 <= Bottom && Y2 <= Bottom;
      if (Inside && (X2 - X1 == 1 || X1 - X2 == 1) && Y1 != Y2) {
        // A step to the next column (the usual segment of a dense trace):
        // pixel I of the A = |dy| pixels lies in the start column while
        // its minor step (2 I + A) / (2 A) is 0, that is for I < (A + 1) / 2,
        // and in the end column after that.
        const std::int64_t A = std::llabs(Y2 - Y1), Half = (A + 1) / 2;
        const qsizetype Step = Y2 > Y1 ? Stride : -Stride;
        QRgb* D = Bits + Y1 * Stride + X1;
        std::int64_t K = 0;
        for (; K < Half; ++K, D += Step) *D = Color;
        D += X2 - X1;
        for (; K < A; ++K, D += Step) *D = Color;
        continue;
      }
      const TLineWalk L(static_cast<int>(X1), static_cast<int>(Y1), static_cast<int>(X2), static_cast<int>(Y2), false);
      int I0 = 0, I1 = L.N - 1;
      if (L.N <= 0 || (!Inside && !L.Range(R.left(), R.top(), R.right(), R.bottom(), I0, I1))) continue;
      WalkRuns<pmCopy, false>(L, I0, I1, Bits, Stride, Color, Solid, 0);
    }
  };
  if (!C.FHasClip) {
    Draw(Surface, true);
  } else {
    bool First = true;
    for (const QRect& R : C.FSurfaceClipRects) {
      Draw(R, First);
      First = false;
    }
  }
  C.FDashPhase = Phase;
}

// Rows Y1 .. Y2 - 1 of the columns Xs (device coordinates), row by row:
// a grid of many columns then walks each row's memory once instead of
// touching one pixel per row in every column.
void TCanvasOps::SolidVerticalLines(TCanvas& C, const Integer* Xs, int Count, Integer Y1, Integer Y2) {
  const QRgb Color = ToQRgb(C.FPen.Color) | Opaque;
  QRgb* const Bits = reinterpret_cast<QRgb*>(C.FSurface->bits());
  const qsizetype Stride = C.FSurface->bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
  const QRect Surface = C.FSurface->rect();
  const std::int64_t OX = C.FOrigin.X, Top = std::int64_t(Y1) + C.FOrigin.Y, Bottom = std::int64_t(Y2) - 1 + C.FOrigin.Y;
  std::vector<qsizetype> Columns;
  Columns.reserve(static_cast<size_t>(Count));
  const auto Draw = [&](const QRect& Area) {
    const QRect R = Area & Surface;
    if (R.isEmpty()) return;
    const std::int64_t From = std::max<std::int64_t>(Top, R.top()), To = std::min<std::int64_t>(Bottom, R.bottom());
    if (From > To) return;
    Columns.clear();
    for (int I = 0; I < Count; ++I) {
      const std::int64_t X = Xs[I] + OX;
      if (X >= R.left() && X <= R.right()) Columns.push_back(static_cast<qsizetype>(X));
    }
    for (std::int64_t Y = From; Y <= To; ++Y) {
      QRgb* const Row = Bits + Y * Stride;
      for (const qsizetype X : Columns) Row[X] = Color;
    }
  };
  if (!C.FHasClip) {
    Draw(Surface);
  } else {
    for (const QRect& R : C.FSurfaceClipRects) Draw(R);
  }
}

void TCanvas::VerticalLines(const Integer* Xs, int Count, Integer Y1, Integer Y2) {
  if (Count <= 0) return;
  const bool Banded = FSurface && !FSurface->isNull() && FPen.Width <= 1 && FPen.Mode == pmCopy &&
                      FPen.Style == psSolid && PixelRatio() == 1 && Y1 < Y2;
  if (!Banded) {
    for (int I = 0; I < Count; ++I) {
      MoveTo(Xs[I], Y1);
      LineTo(Xs[I], Y2);
    }
    return;
  }
  TCanvasOps::SolidVerticalLines(*this, Xs, Count, Y1, Y2);
  // As the last MoveTo and LineTo leave them: the pattern counted from
  // the last line's start over its pixels, the pen at its end.
  FDashPhase = static_cast<unsigned>(Y2 - Y1);
  FPenPos = {Xs[Count - 1], Y2};
  const auto [Lo, Hi] = std::minmax_element(Xs, Xs + Count);
  Touch(QRect(QPoint(*Lo + FOrigin.X, Y1 + FOrigin.Y), QPoint(*Hi + FOrigin.X, Y2 + FOrigin.Y)));
}

void TCanvas::Polyline(const TPoint* Points, int Count) {
  if (Count < 2 || FPen.Style == psClear || !FSurface || FSurface->isNull()) return;
  if (FPen.Width <= 1) {
    FDashPhase = 0;
    if (FPen.Mode == pmCopy && FPen.Style == psSolid && PixelRatio() == 1) {
      TCanvasOps::SolidPolyline(*this, Points, Count);
    } else {
      for (int I = 1; I < Count; ++I)
        ThinLine(Points[I - 1].X + FOrigin.X, Points[I - 1].Y + FOrigin.Y, Points[I].X + FOrigin.X,
                 Points[I].Y + FOrigin.Y, false);
    }
    Touch(PointsBounds(Points, Count));
    return;
  }
  QPolygon Poly;
  for (int I = 0; I < Count; ++I) Poly << QPoint(Points[I].X, Points[I].Y);
  QPen Pen(ToQColor(FPen.Color), FPen.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  PaintShape(PointsBounds(Points, Count), FPen.Mode, [&](QPainter& P) {
    P.setPen(Pen);
    P.drawPolyline(Poly);
  });
}

}  // namespace quellix
