// Colours, rectangles, fonts, the canvas's state, fills, shapes, copying,
// clipping and scrolling, bitmaps. One-pixel lines are in ThinLines.cpp,
// text in TextOut.cpp.
#include "quellix/host/Graphics.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "quellix/host/CanvasOps.h"

namespace quellix {

using namespace CanvasDetail;

// ---------------------------------------------------------------------------
// Colours

namespace {

// The classic system colour scheme, indexed by the low byte of a system colour.
const TColor SystemColors[] = {
    RGB(192, 192, 192),  // 0 scroll bar
    RGB(0, 128, 128),    // 1 desktop
    RGB(0, 0, 128),      // 2 active caption
    RGB(128, 128, 128),  // 3 inactive caption
    RGB(192, 192, 192),  // 4 menu
    RGB(255, 255, 255),  // 5 window
    RGB(0, 0, 0),        // 6 window frame
    RGB(0, 0, 0),        // 7 menu text
    RGB(0, 0, 0),        // 8 window text
    RGB(255, 255, 255),  // 9 caption text
    RGB(192, 192, 192),  // 10 active border
    RGB(192, 192, 192),  // 11 inactive border
    RGB(128, 128, 128),  // 12 application workspace
    RGB(0, 0, 128),      // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(192, 192, 192),  // 15 button face
    RGB(128, 128, 128),  // 16 button shadow
    RGB(128, 128, 128),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(192, 192, 192),  // 19 inactive caption text
    RGB(255, 255, 255),  // 20 button highlight (3-D highlight)
    RGB(0, 0, 0),        // 21 3-D dark shadow
    RGB(192, 192, 192),  // 22 3-D light
    RGB(0, 0, 0),        // 23 tool-tip text
    RGB(255, 255, 225),  // 24 tool-tip background
};

// The default logical palette of the display: 8 dark colours, 4 reserved
// middle entries, 8 bright colours.
const TColor DefaultPalette[20] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
    RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
    RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
    RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255),
};

inline QRgb CopyOp(QRgb Dest, QRgb Src, TCopyMode Mode) {
  switch (Mode) {
    case cmSrcCopy: return Src | Opaque;
    case cmSrcAnd: return (Src & Dest) | Opaque;
    case cmSrcPaint: return (Src | Dest) | Opaque;
  }
  return Src | Opaque;
}

Qt::BrushStyle QtBrushStyle(TBrushStyle Style) {
  switch (Style) {
    case bsSolid: return Qt::SolidPattern;
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

// Rounds A*B/C to the nearest integer, halves away from zero.
int MulDiv(int A, int B, int C) {
  long long N = static_cast<long long>(A) * B;
  long long Q = (2 * std::llabs(N) + std::llabs(C)) / (2 * std::llabs(C));
  return static_cast<int>(((N < 0) != (C < 0)) ? -Q : Q);
}

// Start and span of an arc in 1/16 degree for QPainter, from the radials
// through two points. QPainter's angles are parametric on the ellipse, so
// the radial direction is scaled by the radii first.
bool ArcAngles(const QRectF& R, int X3, int Y3, int X4, int Y4, int& Start16, int& Span16) {
  double Rx = R.width() / 2, Ry = R.height() / 2;
  if (Rx <= 0 || Ry <= 0) return false;
  QPointF C = R.center();
  double A3 = std::atan2(-(Y3 - C.y()) / Ry, (X3 - C.x()) / Rx) * 180.0 / M_PI;
  double A4 = std::atan2(-(Y4 - C.y()) / Ry, (X4 - C.x()) / Rx) * 180.0 / M_PI;
  double Span = A4 - A3;
  while (Span <= 0) Span += 360.0;
  while (Span > 360.0) Span -= 360.0;
  Start16 = static_cast<int>(std::lround(A3 * 16));
  Span16 = static_cast<int>(std::lround(Span * 16));
  return true;
}

}  // namespace

TColor ColorToRGB(TColor Color) {
  if (Color < 0) {
    int Index = Color & 0xFF;
    if (Index < static_cast<int>(std::size(SystemColors))) return SystemColors[Index];
    return clBlack;
  }
  return Color & 0xFFFFFF;
}

QRgb ToQRgb(TColor Color) {
  TColor C = ColorToRGB(Color);
  return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF);
}

QColor ToQColor(TColor Color) { return QColor::fromRgb(ToQRgb(Color)); }

TColor FromQColor(const QColor& Color) { return RGB(Color.red(), Color.green(), Color.blue()); }

static TColor FromQRgb(QRgb C) { return RGB(qRed(C), qGreen(C), qBlue(C)); }

TColor SystemPaletteEntry(int Index) {
  if (Index < 0 || Index >= 20) return clBlack;
  return DefaultPalette[Index];
}

// ---------------------------------------------------------------------------
// Rectangles

void InflateRect(TRect& R, Integer DX, Integer DY) {
  R.Left -= DX;
  R.Right += DX;
  R.Top -= DY;
  R.Bottom += DY;
}

void OffsetRect(TRect& R, Integer DX, Integer DY) {
  R.Left += DX;
  R.Right += DX;
  R.Top += DY;
  R.Bottom += DY;
}

bool IsRectEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B) {
  TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom)};
  if (IsRectEmpty(R)) {
    Dest = TRect{};
    return false;
  }
  Dest = R;
  return true;
}

bool UnionRect(TRect& Dest, const TRect& A, const TRect& B) {
  bool EA = IsRectEmpty(A), EB = IsRectEmpty(B);
  if (EA && EB) {
    Dest = TRect{};
    return false;
  }
  if (EA) Dest = B;
  else if (EB) Dest = A;
  else Dest = {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)};
  return true;
}

bool PtInRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

// ---------------------------------------------------------------------------
// TFont

TFont::TFont() = default;

TFont::TFont(const TFont& Other)
    : QObject(nullptr),
      FName(Other.FName),
      FHeight(Other.FHeight),
      FColor(Other.FColor),
      FStyle(Other.FStyle),
      FEscapement(Other.FEscapement) {}

// Copies the description only; the change handler stays with its owner.
TFont& TFont::operator=(const TFont& Other) {
  if (this == &Other) return *this;
  FName = Other.FName;
  FHeight = Other.FHeight;
  FColor = Other.FColor;
  FStyle = Other.FStyle;
  FEscapement = Other.FEscapement;
  Changed();
  return *this;
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

void TFont::SetName(const QString& Value) {
  if (Value == FName) return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(Integer Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

// Points at 96 pixels per inch, from and to the character height.
Integer TFont::Size() const { return -MulDiv(FHeight, 72, 96); }

void TFont::SetSize(Integer Points) { SetHeight(-MulDiv(Points, 96, 72)); }

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetEscapement(Integer TenthsOfDegree) {
  if (TenthsOfDegree == FEscapement) return;
  FEscapement = TenthsOfDegree;
  Changed();
}

QFont TFont::ToQFont() const {
  QString Family = FName;
  const QString Key = FName.trimmed().toLower();
  if (Key == QLatin1String("ms sans serif") || Key == QLatin1String("arial") || Key == QLatin1String("helvetica") ||
      Key == QLatin1String("ms shell dlg") || Key == QLatin1String("tahoma") || Key.isEmpty())
    Family = QStringLiteral("Liberation Sans");
  else if (Key == QLatin1String("times new roman") || Key == QLatin1String("times"))
    Family = QStringLiteral("Liberation Serif");
  else if (Key == QLatin1String("courier new") || Key == QLatin1String("courier"))
    Family = QStringLiteral("Liberation Mono");
  QFont F(Family);
  int Px = std::abs(FHeight);
  F.setPixelSize(Px > 0 ? Px : 11);  // 0: the default size
  F.setBold(FStyle & fsBold);
  F.setItalic(FStyle & fsItalic);
  F.setUnderline(FStyle & fsUnderline);
  F.setStrikeOut(FStyle & fsStrikeOut);
  F.setStyleStrategy(QFont::NoAntialias);
  F.setKerning(false);
  return F;
}

// ---------------------------------------------------------------------------
// TCanvas

void TCanvas::Touch(const QRect& R) {
  if (!OnTouched) return;
  QRect T = R & SurfaceRect();
  if (FHasClip) T &= FClipBound;
  if (!T.isEmpty()) OnTouched(T);
}

void TCanvas::FillArea(const QRect& R, QRgb Color, TPenMode Mode) {
  if (!FSurface || FSurface->isNull()) return;
  uchar* const Bits = FSurface->bits();
  const qsizetype Stride = FSurface->bytesPerLine();
  TCanvasOps::ForEachSurfacePart(*this, TCanvasOps::ToSurface(PixelRatio(), R), [&](const QRect& P) {
    uchar* Row = Bits + P.top() * Stride;
    if (Mode == pmCopy && P.width() == 1) {
      // A one-pixel column (the spans of a trace): a store per row.
      const QRgb C = Color | Opaque;
      for (int Y = P.top(); Y <= P.bottom(); ++Y, Row += Stride) reinterpret_cast<QRgb*>(Row)[P.left()] = C;
      return;
    }
    for (int Y = P.top(); Y <= P.bottom(); ++Y, Row += Stride) {
      QRgb* Line = reinterpret_cast<QRgb*>(Row);
      if (Mode == pmCopy) {
        std::fill(Line + P.left(), Line + P.right() + 1, Color | Opaque);
      } else {
        for (int X = P.left(); X <= P.right(); ++X) Line[X] = RasterOp(Line[X], Color, Mode);
      }
    }
  });
  Touch(R);
}

void TCanvas::PreparePainter(QPainter& P) const {
  P.setRenderHint(QPainter::Antialiasing, false);
  P.setRenderHint(QPainter::TextAntialiasing, false);
  P.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (FHasClip) P.setClipRegion(FClip);
  P.translate(FOrigin.X, FOrigin.Y);
}

void TCanvas::PaintShape(const QRect& Bounds, TPenMode Mode, const std::function<void(QPainter&)>& Draw) {
  QRect B = Bounds & SurfaceRect();
  if (FHasClip) B &= FClipBound;
  if (B.isEmpty()) return;
  if (Mode == pmCopy) {
    QPainter P(FSurface);
    PreparePainter(P);
    Draw(P);
  } else {
    // The figure apart, at the surface's resolution, then each of its
    // pixels combined once.
    const qreal Ratio = PixelRatio();
    const QRect S = TCanvasOps::ToSurface(Ratio, B);
    QImage T(S.size(), QImage::Format_ARGB32);
    T.setDevicePixelRatio(Ratio);
    T.fill(0);
    {
      QPainter P(&T);
      P.setRenderHint(QPainter::Antialiasing, false);
      P.translate(FOrigin.X - B.left(), FOrigin.Y - B.top());
      Draw(P);
    }
    for (int Y = 0; Y < T.height(); ++Y) {
      const QRgb* Src = reinterpret_cast<const QRgb*>(T.constScanLine(Y));
      for (int X = 0; X < T.width(); ++X) {
        if (qAlpha(Src[X]) < 128) continue;
        const int DX = S.left() + X, DY = S.top() + Y;
        if (TCanvasOps::SurfaceClipped(*this, DX, DY)) continue;
        QRgb* D = reinterpret_cast<QRgb*>(FSurface->scanLine(DY)) + DX;
        *D = RasterOp(*D, Src[X], Mode);
      }
    }
  }
  Touch(B);
}

void TCanvas::HatchFill(const QRect& R, TPenMode Mode) {
  QColor C = ToQColor(FBrush.Color);
  Qt::BrushStyle S = QtBrushStyle(FBrush.Style);
  QRect L = R.translated(-FOrigin.X, -FOrigin.Y);
  PaintShape(R, Mode, [&](QPainter& P) { P.fillRect(L, QBrush(C, S)); });
}

void TCanvas::Polygon(const TPoint* Points, int Count) {
  if (Count < 2 || !FSurface || FSurface->isNull()) return;
  QPolygon Poly;
  for (int I = 0; I < Count; ++I) Poly << QPoint(Points[I].X, Points[I].Y);
  // The fill takes the pixels whose own point lies inside the polygon
  // (QPainter samples pixel centres, half a pixel off the points). The
  // one-pixel outline lies within half a pixel of each edge, so fill and
  // outline meet: no fill outside the outline, no gap inside it.
  QPolygonF Area;
  for (int I = 0; I < Count; ++I) Area << QPointF(Points[I].X + 0.5, Points[I].Y + 0.5);
  const bool Fill = FBrush.Style != bsClear;
  const bool Outline = FPen.Style != psClear;
  const QBrush Brush(ToQColor(FBrush.Color), QtBrushStyle(FBrush.Style));
  const QRect Bounds = PointsBounds(Points, Count);
  if (FPen.Width <= 1 && (FPen.Mode == pmCopy || !Fill)) {
    // Fill by QPainter, outline by the exact one-pixel line, closed.
    if (Fill)
      PaintShape(Bounds, FPen.Mode, [&](QPainter& P) {
        P.setPen(Qt::NoPen);
        P.setBrush(Brush);
        P.drawPolygon(Area, Qt::OddEvenFill);
      });
    if (Outline) {
      FDashPhase = 0;
      for (int I = 0; I < Count; ++I) {
        const TPoint& A = Points[I];
        const TPoint& B = Points[(I + 1) % Count];
        ThinLine(A.X + FOrigin.X, A.Y + FOrigin.Y, B.X + FOrigin.X, B.Y + FOrigin.Y, false);
      }
      Touch(Bounds);
    }
    return;
  }
  QPen Pen = Outline ? QPen(ToQColor(FPen.Color), std::max(1, FPen.Width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                     : QPen(Qt::NoPen);
  PaintShape(Bounds, FPen.Mode, [&](QPainter& P) {
    if (Fill) {
      P.setPen(Qt::NoPen);
      P.setBrush(Brush);
      P.drawPolygon(Area, Qt::OddEvenFill);
    }
    P.setPen(Pen);
    P.setBrush(Qt::NoBrush);
    P.drawPolygon(Poly);
  });
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  if (!FSurface || FSurface->isNull()) return;
  QRect L = Normalized(X1, Y1, X2, Y2);
  if (L.isEmpty()) return;
  QRect D = L.translated(FOrigin.X, FOrigin.Y);
  const bool Outline = FPen.Style != psClear;
  if (FPen.Width <= 1 || !Outline) {
    if (FBrush.Style != bsClear) {
      QRect Inner = Outline ? D.adjusted(1, 1, -1, -1) : D;
      if (FBrush.Style == bsSolid)
        FillArea(Inner, ToQRgb(FBrush.Color), FPen.Mode);
      else if (!Inner.isEmpty())
        HatchFill(Inner, FPen.Mode);
    }
    if (Outline) {
      FDashPhase = 0;
      ThinFrame(D);
    }
    return;
  }
  // Wide pen: centred on the outline of the area, or kept inside it.
  int W = FPen.Width;
  QRectF Stroke(L.left(), L.top(), L.width() - 1, L.height() - 1);
  if (FPen.Style == psInsideFrame) Stroke.adjust((W - 1) / 2.0, (W - 1) / 2.0, -(W - 1) / 2.0, -(W - 1) / 2.0);
  QPen Pen(ToQColor(FPen.Color), W, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  QBrush Brush(ToQColor(FBrush.Color), QtBrushStyle(FBrush.Style));
  PaintShape(D.adjusted(-W, -W, W, W), FPen.Mode, [&](QPainter& P) {
    if (FBrush.Style != bsClear) P.fillRect(L, Brush);
    P.setPen(Pen);
    P.setBrush(Qt::NoBrush);
    P.drawRect(Stroke);
  });
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
  QRect L = Normalized(X1, Y1, X2, Y2);
  if (L.isEmpty()) return;
  const bool Outline = FPen.Style != psClear;
  int W = Outline ? std::max(1, FPen.Width) : 0;
  QPen Pen = Outline ? QPen(ToQColor(FPen.Color), W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen);
  QBrush Brush(ToQColor(FBrush.Color), QtBrushStyle(FBrush.Style));
  QRectF Shape = Outline ? QRectF(L.left(), L.top(), L.width() - 1, L.height() - 1) : QRectF(L);
  PaintShape(L.translated(FOrigin.X, FOrigin.Y).adjusted(-W, -W, W, W), FPen.Mode, [&](QPainter& P) {
    P.setPen(Pen);
    P.setBrush(Brush);
    P.drawRoundedRect(Shape, X3 / 2.0, Y3 / 2.0);
  });
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  QRect L = Normalized(X1, Y1, X2, Y2);
  if (L.isEmpty()) return;
  const bool Outline = FPen.Style != psClear;
  int W = Outline ? std::max(1, FPen.Width) : 0;
  QPen Pen = Outline ? QPen(ToQColor(FPen.Color), W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen);
  QBrush Brush(ToQColor(FBrush.Color), QtBrushStyle(FBrush.Style));
  // With a pen, QPainter's outline of a w-1 by h-1 ellipse covers left ..
  // right-1; without one, the fill covers the pixels whose centres lie inside.
  QRectF Shape = Outline ? QRectF(L.left(), L.top(), L.width() - 1, L.height() - 1) : QRectF(L);
  PaintShape(L.translated(FOrigin.X, FOrigin.Y).adjusted(-W, -W, W, W), FPen.Mode, [&](QPainter& P) {
    P.setPen(Pen);
    P.setBrush(Brush);
    P.drawEllipse(Shape);
  });
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  QRect L = Normalized(X1, Y1, X2, Y2);
  if (L.isEmpty()) return;
  const bool Outline = FPen.Style != psClear;
  int W = Outline ? std::max(1, FPen.Width) : 0;
  QRectF Shape = Outline ? QRectF(L.left(), L.top(), L.width() - 1, L.height() - 1) : QRectF(L);
  int Start = 0, Span = 0;
  if (!ArcAngles(Shape, X3, Y3, X4, Y4, Start, Span)) return;
  QPen Pen = Outline ? QPen(ToQColor(FPen.Color), W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen);
  QBrush Brush(ToQColor(FBrush.Color), QtBrushStyle(FBrush.Style));
  PaintShape(L.translated(FOrigin.X, FOrigin.Y).adjusted(-W, -W, W, W), FPen.Mode, [&](QPainter& P) {
    P.setPen(Pen);
    P.setBrush(Brush);
    P.drawPie(Shape, Start, Span);
  });
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  if (FPen.Style == psClear) return;
  QRect L = Normalized(X1, Y1, X2, Y2);
  if (L.isEmpty()) return;
  int W = std::max(1, FPen.Width);
  QRectF Shape(L.left(), L.top(), L.width() - 1, L.height() - 1);
  int Start = 0, Span = 0;
  if (!ArcAngles(Shape, X3, Y3, X4, Y4, Start, Span)) return;
  QPen Pen(ToQColor(FPen.Color), W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  PaintShape(L.translated(FOrigin.X, FOrigin.Y).adjusted(-W, -W, W, W), FPen.Mode, [&](QPainter& P) {
    P.setPen(Pen);
    P.setBrush(Qt::NoBrush);
    P.drawArc(Shape, Start, Span);
  });
}

void TCanvas::FillRect(const TRect& R) {
  if (FBrush.Style == bsClear) return;
  QRect D = Normalized(R.Left, R.Top, R.Right, R.Bottom).translated(FOrigin.X, FOrigin.Y);
  if (D.isEmpty()) return;
  if (FBrush.Style == bsSolid)
    FillArea(D, ToQRgb(FBrush.Color), pmCopy);
  else
    HatchFill(D, pmCopy);
}

void TCanvas::FrameRect(const TRect& R) {
  if (FBrush.Style == bsClear) return;
  QRect D = Normalized(R.Left, R.Top, R.Right, R.Bottom).translated(FOrigin.X, FOrigin.Y);
  if (D.isEmpty()) return;
  QRgb C = ToQRgb(FBrush.Color);
  FillArea(QRect(D.left(), D.top(), D.width(), 1), C, pmCopy);
  if (D.height() > 1) FillArea(QRect(D.left(), D.bottom(), D.width(), 1), C, pmCopy);
  if (D.height() > 2) {
    FillArea(QRect(D.left(), D.top() + 1, 1, D.height() - 2), C, pmCopy);
    if (D.width() > 1) FillArea(QRect(D.right(), D.top() + 1, 1, D.height() - 2), C, pmCopy);
  }
}

// Inverts every other pixel of the outline (a checkerboard aligned to the
// surface), so drawing the same rectangle again restores the picture.
void TCanvas::DrawFocusRect(const TRect& R) {
  if (!FSurface || FSurface->isNull()) return;
  QRect D = Normalized(R.Left, R.Top, R.Right, R.Bottom).translated(FOrigin.X, FOrigin.Y);
  if (D.isEmpty()) return;
  auto Invert = [&](int X, int Y) {
    if (((X + Y) & 1) != 0) return;
    TCanvasOps::ForEachCellPixel(*this, X, Y, [](QRgb& P) { P = (P ^ 0x00FFFFFFu) | Opaque; });
  };
  int L = D.left(), T = D.top(), Rt = D.right(), B = D.bottom();
  for (int X = L; X <= Rt; ++X) Invert(X, T);
  if (B > T)
    for (int X = L; X <= Rt; ++X) Invert(X, B);
  for (int Y = T + 1; Y < B; ++Y) {
    Invert(L, Y);
    if (Rt > L) Invert(Rt, Y);
  }
  Touch(D);
}

// The colour of the first surface pixel of a logical pixel.
TColor TCanvas::Pixel(Integer X, Integer Y) const {
  int DX = X + FOrigin.X, DY = Y + FOrigin.Y;
  if (!SurfaceRect().contains(DX, DY)) return -1;
  const qreal R = PixelRatio();
  DX = TCanvasOps::ToSurface(R, DX);
  DY = TCanvasOps::ToSurface(R, DY);
  if (!FSurface->rect().contains(DX, DY)) return -1;
  return FromQRgb(reinterpret_cast<const QRgb*>(FSurface->constScanLine(DY))[DX]);
}

void TCanvas::SetPixel(Integer X, Integer Y, TColor Color) {
  if (!FSurface || FSurface->isNull()) return;
  const int DX = X + FOrigin.X, DY = Y + FOrigin.Y;
  const QRgb C = ToQRgb(Color);
  TCanvasOps::ForEachCellPixel(*this, DX, DY, [C](QRgb& P) { P = C; });
  Touch(QRect(DX, DY, 1, 1));
}

// ---------------------------------------------------------------------------
// Copying

// Copies Image onto the surface pixels from (SX, SY) on, one to one.
void TCanvasOps::BlitSurface(TCanvas& C, int SX, int SY, const QImage& Image, bool HasTransparent, QRgb Transparent) {
  const QImage Src = Image.format() == QImage::Format_RGB32 || Image.format() == QImage::Format_ARGB32
                         ? Image
                         : Image.convertToFormat(QImage::Format_RGB32);
  const TCopyMode Mode = C.FCopyMode;
  ForEachSurfacePart(C, QRect(SX, SY, Src.width(), Src.height()), [&](const QRect& P) {
    for (int DY = P.top(); DY <= P.bottom(); ++DY) {
      const QRgb* S = reinterpret_cast<const QRgb*>(Src.constScanLine(DY - SY)) + (P.left() - SX);
      QRgb* Line = reinterpret_cast<QRgb*>(C.FSurface->scanLine(DY));
      for (int DX = P.left(); DX <= P.right(); ++DX, ++S) {
        if (HasTransparent && ((*S ^ Transparent) & 0x00FFFFFFu) == 0) continue;
        Line[DX] = CopyOp(Line[DX], *S, Mode);
      }
    }
  });
}

// An image of another pixel ratio is scaled to the surface's first (a
// bitmap of ratio 1 on a high-DPI surface keeps its logical size).
void TCanvas::Blit(int X, int Y, const QImage& Image, bool HasTransparent, QRgb Transparent) {
  if (Image.isNull() || !FSurface || FSurface->isNull()) return;
  const qreal Ratio = PixelRatio(), From = Image.devicePixelRatio();
  const QSize Logical = From == 1 ? Image.size() : QSize(qRound(Image.width() / From), qRound(Image.height() / From));
  const QRect D(QPoint(X, Y), Logical);
  const QRect S = TCanvasOps::ToSurface(Ratio, D);
  const QImage Src =
      Image.size() == S.size() ? Image : Image.scaled(S.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  TCanvasOps::BlitSurface(*this, S.left(), S.top(), Src, HasTransparent, Transparent);
  Touch(D);
}

void TCanvas::CopyRect(const TRect& DestRect, TCanvas& Source, const TRect& SourceRect) {
  if (!Source.FSurface || Source.FSurface->isNull() || !FSurface || FSurface->isNull()) return;
  QRect S = Normalized(SourceRect.Left, SourceRect.Top, SourceRect.Right, SourceRect.Bottom)
                .translated(Source.FOrigin.X, Source.FOrigin.Y);
  QRect D = Normalized(DestRect.Left, DestRect.Top, DestRect.Right, DestRect.Bottom).translated(FOrigin.X, FOrigin.Y);
  if (S.isEmpty() || D.isEmpty()) return;
  // A copy first, so that source and destination may overlap.
  QImage Part = Source.FSurface->copy(TCanvasOps::ToSurface(Source.PixelRatio(), S));
  const QRect SD = TCanvasOps::ToSurface(PixelRatio(), D);
  if (Part.size() != SD.size()) Part = Part.scaled(SD.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  TCanvasOps::BlitSurface(*this, SD.left(), SD.top(), Part, false, 0);
  Touch(D);
}

void TCanvas::Draw(Integer X, Integer Y, const TGraphic& Graphic) {
  if (Graphic.Empty()) return;
  Blit(X + FOrigin.X, Y + FOrigin.Y, Graphic.Image(), Graphic.TransparentColor != clNone,
       ToQRgb(Graphic.TransparentColor));
}

void TCanvas::StretchDraw(const TRect& R, const TGraphic& Graphic) {
  if (Graphic.Empty() || !FSurface || FSurface->isNull()) return;
  QRect D = Normalized(R.Left, R.Top, R.Right, R.Bottom).translated(FOrigin.X, FOrigin.Y);
  if (D.isEmpty()) return;
  const QRect SD = TCanvasOps::ToSurface(PixelRatio(), D);
  QImage Img = Graphic.Image();
  if (Img.size() != SD.size()) Img = Img.scaled(SD.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  TCanvasOps::BlitSurface(*this, SD.left(), SD.top(), Img, Graphic.TransparentColor != clNone,
                          ToQRgb(Graphic.TransparentColor));
  Touch(D);
}

// ---------------------------------------------------------------------------
// Scrolling and frames

// On a surface whose pixel ratio is not 1 a move that is not a whole
// number of surface pixels cannot keep the picture: then nothing moves and
// the whole area is reported uncovered, to be painted anew.
TRect TCanvas::ScrollDC(Integer DX, Integer DY, const TRect& Scroll, const TRect& Clip) {
  QRect S = Normalized(Scroll.Left, Scroll.Top, Scroll.Right, Scroll.Bottom).translated(FOrigin.X, FOrigin.Y);
  QRect C = IsRectEmpty(Clip) ? S : Normalized(Clip.Left, Clip.Top, Clip.Right, Clip.Bottom).translated(FOrigin.X, FOrigin.Y);
  QRect Area = S & C & SurfaceRect();
  if (Area.isEmpty()) return TRect{};
  const qreal Ratio = PixelRatio();
  const qreal SDX = DX * Ratio, SDY = DY * Ratio;
  if (SDX != std::floor(SDX) || SDY != std::floor(SDY)) return TRect::FromQRect(Area.translated(-FOrigin.X, -FOrigin.Y));
  const QRect Src = S & SurfaceRect();
  const QRect Dest = Src.translated(DX, DY) & Area;
  const QRect SSrc = TCanvasOps::ToSurface(Ratio, Src) & FSurface->rect();
  const QRect SDest = SSrc.translated(static_cast<int>(SDX), static_cast<int>(SDY)) &
                      (TCanvasOps::ToSurface(Ratio, Area) & FSurface->rect());
  if (!SDest.isEmpty()) {
    // In place: rows in the order that reads each source row before it is
    // overwritten, memmove for the overlap within a row.
    const int MX = static_cast<int>(SDX), MY = static_cast<int>(SDY);
    uchar* Bits = FSurface->bits();
    const qsizetype Stride = FSurface->bytesPerLine();
    const int First = MY > 0 ? SDest.bottom() : SDest.top();
    const int Step = MY > 0 ? -1 : 1;
    for (int Y = First, n = 0; n < SDest.height(); ++n, Y += Step) {
      const QRgb* From = reinterpret_cast<const QRgb*>(Bits + (Y - MY) * Stride) + (SDest.left() - MX);
      QRgb* To = reinterpret_cast<QRgb*>(Bits + Y * Stride) + SDest.left();
      std::memmove(To, From, sizeof(QRgb) * SDest.width());
    }
  }
  if (!Dest.isEmpty() && OnTouched) OnTouched(Dest);
  QRect Uncovered = QRegion(Area).subtracted(QRegion(Dest)).boundingRect();
  if (Uncovered.isEmpty()) return TRect{};
  return TRect::FromQRect(Uncovered.translated(-FOrigin.X, -FOrigin.Y));
}

void TCanvas::Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width) {
  QRect D = Normalized(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom).translated(FOrigin.X, FOrigin.Y);
  const QRgb Top = ToQRgb(TopColor), Bottom = ToQRgb(BottomColor);
  for (int I = 0; I < Width; ++I) {
    int L = D.left() + I, T = D.top() + I, R = D.right() - I, B = D.bottom() - I;  // inclusive
    if (R < L || B < T) break;
    // Top row and left column without the far corners, which belong to
    // the bottom and right edges.
    FillArea(QRect(L, T, R - L, 1), Top, pmCopy);
    FillArea(QRect(L, T + 1, 1, B - T - 1), Top, pmCopy);
    FillArea(QRect(R, T, 1, B - T + 1), Bottom, pmCopy);
    FillArea(QRect(L, B, R - L, 1), Bottom, pmCopy);
  }
  InflateRect(Rect, -Width, -Width);
}

// ---------------------------------------------------------------------------
// Bitmaps and pictures

TBitmap::TBitmap() : FCanvas(&FImage) {}

TBitmap::TBitmap(Integer W, Integer H) : FCanvas(&FImage) { SetSize(W, H); }

Integer TBitmap::Width() const {
  const qreal R = FImage.devicePixelRatio();
  return R == 1 ? FImage.width() : qRound(FImage.width() / R);
}

Integer TBitmap::Height() const {
  const qreal R = FImage.devicePixelRatio();
  return R == 1 ? FImage.height() : qRound(FImage.height() / R);
}

void TBitmap::SetSize(Integer W, Integer H) {
  W = std::max(0, W);
  H = std::max(0, H);
  const bool SameRatio = FImage.devicePixelRatio() == FRatio;
  if (W == Width() && H == Height() && SameRatio) return;
  if (W == 0 || H == 0) {
    FImage = QImage();
    FCanvas.SetSurface(&FImage);
    return;
  }
  QImage New(qRound(W * FRatio), qRound(H * FRatio), QImage::Format_RGB32);
  New.setDevicePixelRatio(FRatio);
  New.fill(0xFFFFFFFFu);
  if (!FImage.isNull() && SameRatio) {
    // Keep what was drawn in the part that remains.
    int CW = std::min(New.width(), FImage.width()), CH = std::min(New.height(), FImage.height());
    for (int Y = 0; Y < CH; ++Y)
      std::memcpy(New.scanLine(Y), FImage.constScanLine(Y), sizeof(QRgb) * CW);
  }
  FImage = New;
  FCanvas.SetSurface(&FImage);
}

void TBitmap::SetPixelRatio(qreal Ratio) {
  if (!(Ratio > 0) || Ratio == FRatio) return;
  const Integer W = Width(), H = Height();
  FRatio = Ratio;
  if (!FImage.isNull()) SetSize(W, H);
}

void TBitmap::Assign(const TBitmap& Source) {
  FImage = Source.FImage;
  FRatio = Source.FRatio;
  TransparentColor = Source.TransparentColor;
  FCanvas.SetSurface(&FImage);
}

bool TBitmap::LoadFromFile(const QString& FileName) {
  QImage I;
  if (!I.load(FileName)) return false;
  FImage = I.convertToFormat(QImage::Format_RGB32);
  FImage.setDevicePixelRatio(1);
  FRatio = 1;
  FCanvas.SetSurface(&FImage);
  return true;
}

bool TPicture::LoadFromFile(const QString& FileName) {
  QImage I;
  if (!I.load(FileName)) return false;
  SetImage(I);
  return true;
}

}  // namespace quellix
