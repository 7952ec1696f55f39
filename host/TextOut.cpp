// The canvas's text: a cache of shaped and rasterised texts, drawing
// and measuring.
#include <QCache>
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <memory>

#include "quellix/host/CanvasOps.h"

namespace quellix {

using namespace CanvasDetail;

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

// Bounded by the bytes its entries hold (glyph image, key, record); the
// least used go first. Time labels bring new texts for as long as a chart
// runs, so the bound is what the cache costs a long-running program: 512 KB
// holds the labels of a dozen charts and scales at once.
using TTextCache = QCache<QString, TTextImage>;
TTextCache& TextCache() {
  thread_local TTextCache Cache(512 << 10);
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
  auto New = std::make_unique<TTextImage>();
  if (T) {
    // Measured before (a label's width asked for first): the glyphs only.
    New->Width = T->Width;
    New->Height = T->Height;
    New->Ascent = T->Ascent;
  } else {
    const QFontMetrics M(F);
    New->Width = M.horizontalAdvance(Text);
    New->Height = M.height();
    New->Ascent = M.ascent();
  }
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
    const int GW = New->Glyphs.width(), GH = New->Glyphs.height();
    int L = GW, T = GH, R = -1, B = -1;
    for (int Y = 0; Y < GH; ++Y) {
      const uchar* Row = New->Glyphs.constScanLine(Y);
      for (int X = 0; X < GW; ++X)
        if (Row[X] >= 128) {
          L = std::min(L, X);
          R = std::max(R, X);
          T = std::min(T, Y);
          B = Y;
        }
    }
    if (R >= 0) New->Ink = QRect(QPoint(L, T), QPoint(R, B));
    New->Rendered = true;
  }
  const qsizetype Cost = 64 + static_cast<qsizetype>(sizeof(TTextImage)) + Key.size() * 2 + New->Glyphs.sizeInBytes();
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

}  // namespace quellix
