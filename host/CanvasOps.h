// What the canvas's source files share: raster operations, dash
// patterns, and TCanvasOps, the drawing helpers that reach into the
// canvas (surface pixels, clip rectangles). Not part of the interface.
#pragma once

#include "quellix/host/Graphics.h"

#include <QRect>
#include <algorithm>
#include <cmath>

namespace quellix {

namespace CanvasDetail {

inline constexpr QRgb Opaque = 0xFF000000u;

inline QRgb RasterOp(QRgb Dest, QRgb Src, TPenMode Mode) {
  switch (Mode) {
    case pmCopy: return Src | Opaque;
    case pmNotXor: return ~(Src ^ Dest) | Opaque;
    case pmNot: return ~Dest | Opaque;
    case pmXor: return (Src ^ Dest) | Opaque;
    case pmBlack: return Opaque;
    case pmWhite: return 0xFFFFFFFFu;
  }
  return Src | Opaque;
}

// Dash patterns of one-pixel pens: lengths of alternating on and off runs.
struct DashPattern {
  const int* Runs;
  int Count;
  int Total;
};

inline constexpr int DashRuns[] = {18, 6};
inline constexpr int DotRuns[] = {3, 3};
inline constexpr int DashDotRuns[] = {9, 6, 3, 6};
inline constexpr int DashDotDotRuns[] = {9, 3, 3, 3, 3, 3};

inline DashPattern PatternOf(TPenStyle Style) {
  switch (Style) {
    case psDash: return {DashRuns, 2, 24};
    case psDot: return {DotRuns, 2, 6};
    case psDashDot: return {DashDotRuns, 4, 24};
    case psDashDotDot: return {DashDotDotRuns, 6, 24};
    default: return {nullptr, 0, 0};
  }
}

// Is the pixel at position Phase of the pattern drawn?
inline bool DashOn(const DashPattern& P, unsigned Phase) {
  if (!P.Runs) return true;
  int Pos = static_cast<int>(Phase % static_cast<unsigned>(P.Total));
  for (int I = 0; I < P.Count; ++I) {
    if (Pos < P.Runs[I]) return (I & 1) == 0;
    Pos -= P.Runs[I];
  }
  return true;
}

inline QRect Normalized(int X1, int Y1, int X2, int Y2) {
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  return QRect(X1, Y1, X2 - X1, Y2 - Y1);
}

struct TLineWalk;
struct TDashTable;

}  // namespace CanvasDetail

// Surface pixels of device coordinates: a logical pixel X covers the
// surface pixels ToSurface(X) .. ToSurface(X + 1) - 1, so that neighbouring
// logical pixels share no surface pixel and leave none out.
struct TCanvasOps {
  static int ToSurface(qreal Ratio, int V) {
    return Ratio == 1 ? V : static_cast<int>(std::floor(V * Ratio + 0.5));
  }
  static QRect ToSurface(qreal Ratio, const QRect& R) {
    if (Ratio == 1 || R.isEmpty()) return R;
    return QRect(QPoint(ToSurface(Ratio, R.left()), ToSurface(Ratio, R.top())),
                 QPoint(ToSurface(Ratio, R.right() + 1) - 1, ToSurface(Ratio, R.bottom() + 1) - 1));
  }
  // Calls Part for each piece of the surface-pixel rectangle S inside the
  // surface and the clip.
  template <class F>
  static void ForEachSurfacePart(const TCanvas& C, const QRect& S, F&& Part) {
    const QRect B = S & C.FSurface->rect();
    if (B.isEmpty()) return;
    if (!C.FHasClip) {
      Part(B);
      return;
    }
    for (const QRect& Clip : C.FSurfaceClipRects) {
      const QRect P = B & Clip;
      if (!P.isEmpty()) Part(P);
    }
  }
  // Applies Op to every surface pixel of the logical pixel (X, Y) (device
  // coordinates) inside the surface and the clip.
  template <class F>
  static void ForEachCellPixel(TCanvas& C, int X, int Y, F&& Op) {
    const qreal R = C.PixelRatio();
    ForEachSurfacePart(C, ToSurface(R, QRect(X, Y, 1, 1)), [&](const QRect& P) {
      for (int SY = P.top(); SY <= P.bottom(); ++SY) {
        QRgb* Line = reinterpret_cast<QRgb*>(C.FSurface->scanLine(SY));
        for (int SX = P.left(); SX <= P.right(); ++SX) Op(Line[SX]);
      }
    });
  }
  static bool SurfaceClipped(const TCanvas& C, int SX, int SY) {
    if (!C.FSurface->rect().contains(SX, SY)) return true;
    if (!C.FHasClip) return false;
    for (const QRect& R : C.FSurfaceClipRects)
      if (R.contains(SX, SY)) return false;
    return true;
  }
  static void Walk(TCanvas& C, const CanvasDetail::TLineWalk& L, const CanvasDetail::TDashTable& Dash, unsigned Phase0);
  static void SolidPolyline(TCanvas& C, const TPoint* Points, int Count);
  static void SolidVerticalLines(TCanvas& C, const Integer* Xs, int Count, Integer Y1, Integer Y2);
  static void ThinLineScaled(TCanvas& C, int X1, int Y1, int X2, int Y2, bool DrawLast);
  static void BlitSurface(TCanvas& C, int SX, int SY, const QImage& Image, bool HasTransparent, QRgb Transparent);
};

}  // namespace quellix
