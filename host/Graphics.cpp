#include "quellix/host/Graphics.h"

#include <QCache>
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace quellix {

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

constexpr QRgb Opaque = 0xFF000000u;

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

inline QRgb CopyOp(QRgb Dest, QRgb Src, TCopyMode Mode) {
  switch (Mode) {
    case cmSrcCopy: return Src | Opaque;
    case cmSrcAnd: return (Src & Dest) | Opaque;
    case cmSrcPaint: return (Src | Dest) | Opaque;
  }
  return Src | Opaque;
}

// Dash patterns of one-pixel pens: lengths of alternating on and off runs.
struct DashPattern {
  const int* Runs;
  int Count;
  int Total;
};

const int DashRuns[] = {18, 6};
const int DotRuns[] = {3, 3};
const int DashDotRuns[] = {9, 6, 3, 6};
const int DashDotDotRuns[] = {9, 3, 3, 3, 3, 3};

DashPattern PatternOf(TPenStyle Style) {
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

QRect Normalized(int X1, int Y1, int X2, int Y2) {
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  return QRect(X1, Y1, X2 - X1, Y2 - Y1);
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

struct TCanvas::State {
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TCopyMode CopyMode;
  TBkMode BkMode;
  TPoint PenPos;
  TPoint Origin;
  QRegion Clip;
  bool HasClip;
};

namespace {
struct TLineWalk;
struct TDashTable;
}  // namespace

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
  static void Walk(TCanvas& C, const TLineWalk& L, const TDashTable& Dash, unsigned Phase0);
  static void ThinLineScaled(TCanvas& C, int X1, int Y1, int X2, int Y2, bool DrawLast);
  static void BlitSurface(TCanvas& C, int SX, int SY, const QImage& Image, bool HasTransparent, QRgb Transparent);
};

TCanvas::TCanvas(QImage* Surface) : FSurface(Surface) {}

TCanvas::~TCanvas() = default;

void TCanvas::SetSurface(QImage* Surface) {
  FSurface = Surface;
  UpdateClipCache();
}

qreal TCanvas::PixelRatio() const { return FSurface && !FSurface->isNull() ? FSurface->devicePixelRatio() : 1; }

// The surface in logical pixels.
QRect TCanvas::SurfaceRect() const {
  if (!FSurface || FSurface->isNull()) return QRect();
  const qreal R = FSurface->devicePixelRatio();
  if (R == 1) return FSurface->rect();
  return QRect(0, 0, qRound(FSurface->width() / R), qRound(FSurface->height() / R));
}

void TCanvas::Touch(const QRect& R) {
  if (!OnTouched) return;
  QRect T = R & SurfaceRect();
  if (FHasClip) T &= FClipBound;
  if (!T.isEmpty()) OnTouched(T);
}

void TCanvas::UpdateClipCache() {
  FClipRects.assign(FClip.begin(), FClip.end());
  FClipBound = FClip.boundingRect();
  const qreal R = PixelRatio();
  FSurfaceClipRects.clear();
  for (const QRect& C : FClipRects) FSurfaceClipRects.push_back(TCanvasOps::ToSurface(R, C));
}

void TCanvas::ForEachClipPart(const QRect& R, const std::function<void(const QRect&)>& Part) const {
  QRect B = R & SurfaceRect();
  if (B.isEmpty()) return;
  if (!FHasClip) {
    Part(B);
    return;
  }
  for (const QRect& C : FClipRects) {
    QRect P = B & C;
    if (!P.isEmpty()) Part(P);
  }
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

namespace {

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

}  // namespace

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

void TCanvas::Polyline(const TPoint* Points, int Count) {
  if (Count < 2 || FPen.Style == psClear || !FSurface || FSurface->isNull()) return;
  if (FPen.Width <= 1) {
    FDashPhase = 0;
    // A trace with several samples per column: a run of points in one
    // column that does not end the polyline covers, with the start of the
    // segment that leaves it, exactly the rows from its lowest to its
    // highest point. A solid copying pen draws that as one span (other
    // modes and patterns depend on each pixel being drawn once per
    // segment; above ratio 1 a sloped segment does not cover the whole
    // cell of its start).
    const bool Spans = FPen.Mode == pmCopy && FPen.Style == psSolid && PixelRatio() == 1;
    const QRgb Color = ToQRgb(FPen.Color);
    for (int I = 1; I < Count;) {
      if (Spans && Points[I].X == Points[I - 1].X) {
        int J = I, Lo = std::min(Points[I - 1].Y, Points[I].Y), Hi = std::max(Points[I - 1].Y, Points[I].Y);
        while (J + 1 < Count && Points[J + 1].X == Points[I].X) {
          ++J;
          Lo = std::min(Lo, Points[J].Y);
          Hi = std::max(Hi, Points[J].Y);
        }
        if (J + 1 < Count) {
          // Clamped to the surface first: the points may lie far off.
          const QRect S = SurfaceRect();
          const long long X = static_cast<long long>(Points[I].X) + FOrigin.X;
          const long long Top = std::max<long long>(static_cast<long long>(Lo) + FOrigin.Y, S.top());
          const long long Bottom = std::min<long long>(static_cast<long long>(Hi) + FOrigin.Y, S.bottom());
          if (X >= S.left() && X <= S.right() && Top <= Bottom)
            FillArea(QRect(static_cast<int>(X), static_cast<int>(Top), 1, static_cast<int>(Bottom - Top + 1)), Color,
                     pmCopy);
          I = J + 1;
          continue;
        }
      }
      ThinLine(Points[I - 1].X + FOrigin.X, Points[I - 1].Y + FOrigin.Y, Points[I].X + FOrigin.X,
               Points[I].Y + FOrigin.Y, false);
      ++I;
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
// Text

// A text as the canvas's font draws it without rotation: its extent and,
// once it has been drawn, its glyph pixels (the font has no anti-aliasing,
// so a pixel is either the text colour or untouched). Texts are kept by
// font and text, so a label is shaped and rasterised once and then only
// copied, until its text or its font changes.
struct TTextImage {
  int Width = 0, Height = 0, Ascent = 0;
  bool Rendered = false;
  int Margin = 0;       // logical pixels the glyph image reaches round the extent
  QImage Glyphs;        // Format_Alpha8, (Width + 2 Margin) x (Height + 2 Margin) logical pixels
  QRect Ink;            // the glyph pixels' bounds in Glyphs (surface pixels)
};

namespace {

// Bounded by the bytes of the glyph images; the least used go first.
using TTextCache = QCache<QString, TTextImage>;
TTextCache& TextCache() {
  thread_local TTextCache Cache(4 << 20);
  return Cache;
}

// Name, then height, style and ratio (in hundredths) as one character each
// (16 bits hold every sensible value), then the text: one allocation, no
// number formatting on the way to a cached label.
QString TextKey(const TFont& Font, const QString& Text, qreal Ratio) {
  const QString& Name = Font.Name();
  QString Key;
  Key.reserve(Name.size() + 4 + Text.size());
  Key += Name;
  Key += QChar(u'\x1f');
  Key += QChar(static_cast<char16_t>(Font.Height() & 0xFFFF));
  Key += QChar(static_cast<char16_t>(static_cast<int>(Font.Style()) & 0xFFFF));
  Key += QChar(static_cast<char16_t>(qRound(Ratio * 100) & 0xFFFF));
  Key += Text;
  return Key;
}

// The glyphs are drawn at the surface's pixel ratio.
TTextImage* TextImage(const TFont& Font, const QString& Text, bool WithGlyphs, qreal Ratio) {
  TTextCache& Cache = TextCache();
  const QString Key = TextKey(Font, Text, Ratio);
  TTextImage* T = Cache.object(Key);
  if (T && (T->Rendered || !WithGlyphs)) return T;
  const QFont F = Font.ToQFont();
  const QFontMetrics M(F);
  auto New = std::make_unique<TTextImage>();
  New->Width = M.horizontalAdvance(Text);
  New->Height = M.height();
  New->Ascent = M.ascent();
  if (WithGlyphs) {
    // Italic overhang and accents may leave the extent a little; a
    // multiple of 4 keeps the margin whole surface pixels at the usual
    // ratios.
    New->Margin = (std::max(4, New->Height / 2) + 3) / 4 * 4;
    const int W = New->Width + 2 * New->Margin, H = New->Height + 2 * New->Margin;
    // Above ratio 1 the text is drawn as the font at Ratio times its size
    // draws it (hinted for that size), not as a scaled drawing of the
    // small font.
    QImage G(qRound(W * Ratio), qRound(H * Ratio), QImage::Format_ARGB32_Premultiplied);
    G.fill(0);
    {
      QFont Big = F;
      if (Ratio != 1) Big.setPixelSize(std::max(1, qRound(F.pixelSize() * Ratio)));
      QPainter P(&G);
      P.setRenderHint(QPainter::Antialiasing, false);
      P.setRenderHint(QPainter::TextAntialiasing, false);
      P.setFont(Big);
      P.setPen(Qt::black);
      P.drawText(QPoint(qRound(New->Margin * Ratio), qRound((New->Margin + New->Ascent) * Ratio)), Text);
    }
    New->Glyphs = G.convertToFormat(QImage::Format_Alpha8);
    // Only the rows and columns with ink are walked when the text is drawn.
    for (int Y = 0; Y < New->Glyphs.height(); ++Y) {
      const uchar* Row = New->Glyphs.constScanLine(Y);
      for (int X = 0; X < New->Glyphs.width(); ++X)
        if (Row[X] >= 128) New->Ink |= QRect(X, Y, 1, 1);
    }
    New->Rendered = true;
  }
  const qsizetype Cost = 64 + New->Glyphs.sizeInBytes();
  T = New.get();
  if (!Cache.insert(Key, New.release(), Cost)) return nullptr;  // larger than the whole cache
  return T;
}

}  // namespace

// The text background is filled when the background mode is opaque and
// the brush is not clear (a clear brush is the usual way to ask for
// transparent text).
bool TCanvas::TextBackground() const { return FBkMode == bkOpaque && FBrush.Style != bsClear; }

void TCanvas::DrawTextAt(int X, int Y, const QString& Text, int Escapement, const QRect* ClipTo, bool Background) {
  if (!FSurface || FSurface->isNull() || Text.isEmpty()) return;
  if (Escapement % 3600 == 0)
    if (const TTextImage* T = TextImage(FFont, Text, true, PixelRatio())) {
      DrawGlyphs(X, Y, *T, ClipTo, Background);
      return;
    }
  QFont F = FFont.ToQFont();
  QFontMetrics M(F);
  const int W = M.horizontalAdvance(Text), H = M.height();
  QTransform T;
  T.translate(X, Y);
  if (Escapement % 3600 != 0) T.rotate(-Escapement / 10.0);
  QRect Bounds = T.mapRect(QRectF(0, 0, W, H)).toAlignedRect().adjusted(-2, -2, 3, 3);
  if (ClipTo) Bounds &= *ClipTo;
  if (FHasClip) Bounds &= FClipBound;
  Bounds &= SurfaceRect();
  if (Bounds.isEmpty()) return;
  {
    QPainter P(FSurface);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setRenderHint(QPainter::TextAntialiasing, false);
    if (FHasClip) P.setClipRegion(FClip);
    if (ClipTo) P.setClipRect(*ClipTo, FHasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    P.setTransform(T);
    if (Background) P.fillRect(QRect(0, 0, W, H), ToQColor(FBrush.Color));
    P.setFont(F);
    P.setPen(ToQColor(FFont.Color()));
    P.drawText(QPoint(0, M.ascent()), Text);
  }
  Touch(Bounds);
}

// Unrotated text from its cached glyphs: the background (when asked for)
// and then every glyph pixel in the font colour, inside the surface, the
// clip region and ClipTo.
void TCanvas::DrawGlyphs(int X, int Y, const TTextImage& T, const QRect* ClipTo, bool Background) {
  const QRect Extent(X, Y, T.Width, T.Height);
  QRect Bounds = Extent.adjusted(-2, -2, 3, 3);
  if (ClipTo) Bounds &= *ClipTo;
  if (FHasClip) Bounds &= FClipBound;
  Bounds &= SurfaceRect();
  if (Bounds.isEmpty()) return;
  // In surface pixels from here on.
  const qreal Ratio = PixelRatio();
  const QRect Limit = ClipTo ? TCanvasOps::ToSurface(Ratio, *ClipTo) & FSurface->rect() : FSurface->rect();
  const QRect Back = TCanvasOps::ToSurface(Ratio, Extent);
  const QRgb BackColor = ToQRgb(FBrush.Color) | Opaque, Ink = ToQRgb(FFont.Color()) | Opaque;
  const int Shift = qRound(T.Margin * Ratio);
  const int GX = TCanvasOps::ToSurface(Ratio, X) - Shift, GY = TCanvasOps::ToSurface(Ratio, Y) - Shift;
  const QRect GlyphArea = T.Ink.translated(GX, GY) & Limit;
  TCanvasOps::ForEachSurfacePart(*this, Background ? (Back | GlyphArea) & Limit : GlyphArea, [&](const QRect& P) {
    for (int DY = P.top(); DY <= P.bottom(); ++DY) {
      QRgb* Line = reinterpret_cast<QRgb*>(FSurface->scanLine(DY));
      if (Background && DY >= Back.top() && DY <= Back.bottom()) {
        const int L = std::max(P.left(), Back.left()), R = std::min(P.right(), Back.right());
        if (L <= R) std::fill(Line + L, Line + R + 1, BackColor);
      }
      if (DY < GY || DY >= GY + T.Glyphs.height()) continue;
      const uchar* G = T.Glyphs.constScanLine(DY - GY);
      const int L = std::max(P.left(), GX), R = std::min(P.right(), GX + T.Glyphs.width() - 1);
      for (int DX = L; DX <= R; ++DX)
        if (G[DX - GX] >= 128) Line[DX] = Ink;
    }
  });
  Touch(Bounds);
}

void TCanvas::TextOut(Integer X, Integer Y, const QString& Text) {
  DrawTextAt(X + FOrigin.X, Y + FOrigin.Y, Text, FFont.Escapement(), nullptr, TextBackground());
  FPenPos = {X + TextWidth(Text), Y};
}

void TCanvas::TextRect(const TRect& R, Integer X, Integer Y, const QString& Text) {
  QRect D = Normalized(R.Left, R.Top, R.Right, R.Bottom).translated(FOrigin.X, FOrigin.Y);
  if (D.isEmpty()) return;
  if (TextBackground()) FillArea(D, ToQRgb(FBrush.Color), pmCopy);
  DrawTextAt(X + FOrigin.X, Y + FOrigin.Y, Text, FFont.Escapement(), &D, false);
}

void TCanvas::DrawTextCentered(const QString& Text, const TRect& R) {
  TSize E = TextExtent(Text);
  int X = (R.Left + R.Right - E.cx) / 2, Y = (R.Top + R.Bottom - E.cy) / 2;
  DrawTextAt(X + FOrigin.X, Y + FOrigin.Y, Text, 0, nullptr, TextBackground());
}

Integer TCanvas::TextWidth(const QString& Text) { return TextExtent(Text).cx; }

Integer TCanvas::TextHeight(const QString& Text) { return TextExtent(Text).cy; }

TSize TCanvas::TextExtent(const QString& Text) {
  if (const TTextImage* T = TextImage(FFont, Text, false, PixelRatio())) return {T->Width, T->Height};
  QFontMetrics M(FFont.ToQFont());
  return {M.horizontalAdvance(Text), M.height()};
}

TSize TCanvas::RotatedTextExtent(const QString& Text) {
  TSize E = TextExtent(Text);
  double A = FFont.Escapement() / 10.0 * M_PI / 180.0;
  double C = std::fabs(std::cos(A)), S = std::fabs(std::sin(A));
  return {static_cast<Integer>(std::lround(E.cx * C + E.cy * S)), static_cast<Integer>(std::lround(E.cx * S + E.cy * C))};
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
// Clipping and state

void TCanvas::SelectClipRect(const TRect& R) {
  FClip = QRegion(Normalized(R.Left, R.Top, R.Right, R.Bottom));
  FHasClip = true;
  UpdateClipCache();
}

void TCanvas::SelectClipRgn(const QRegion& Region) {
  if (Region.isEmpty()) {
    SelectNoClip();
    return;
  }
  FClip = Region;
  FHasClip = true;
  UpdateClipCache();
}

void TCanvas::SelectNoClip() {
  FClip = QRegion();
  FHasClip = false;
  UpdateClipCache();
}

void TCanvas::IntersectClipRect(const TRect& R) {
  QRegion Base = FHasClip ? FClip : QRegion(SurfaceRect());
  FClip = Base.intersected(Normalized(R.Left, R.Top, R.Right, R.Bottom));
  FHasClip = true;
  UpdateClipCache();
}

void TCanvas::ExcludeClipRect(const TRect& R) {
  QRegion Base = FHasClip ? FClip : QRegion(SurfaceRect());
  FClip = Base.subtracted(Normalized(R.Left, R.Top, R.Right, R.Bottom));
  FHasClip = true;
  UpdateClipCache();
}

TRect TCanvas::ClipBox() const {
  QRect B = SurfaceRect();
  if (FHasClip) B &= FClipBound;
  if (B.isEmpty()) return TRect{};
  return TRect::FromQRect(B.translated(-FOrigin.X, -FOrigin.Y));
}

int TCanvas::SaveDC() {
  auto S = std::make_unique<State>(State{FPen, FBrush, FFont, FCopyMode, FBkMode, FPenPos, FOrigin, FClip, FHasClip});
  FSaved.push_back(std::move(S));
  return static_cast<int>(FSaved.size());
}

bool TCanvas::RestoreDC(int SavedDC) {
  int N = static_cast<int>(FSaved.size());
  int Index = SavedDC < 0 ? N + SavedDC + 1 : SavedDC;  // 1-based
  if (Index < 1 || Index > N) return false;
  State& S = *FSaved[Index - 1];
  FPen = S.Pen;
  FBrush = S.Brush;
  FFont = S.Font;
  FCopyMode = S.CopyMode;
  FBkMode = S.BkMode;
  FPenPos = S.PenPos;
  FOrigin = S.Origin;
  FClip = S.Clip;
  FHasClip = S.HasClip;
  UpdateClipCache();
  FSaved.resize(Index - 1);
  return true;
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
