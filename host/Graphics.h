/// Colours, pens, brushes, fonts, the canvas over a persistent QImage
/// surface, off-screen bitmaps and pictures.
/// \file
/// The canvas keeps the semantics of a device-context canvas:
/// - LineTo does not draw its end point;
/// - Rectangle, Ellipse, FillRect and FrameRect cover left .. right-1 and
///   top .. bottom-1;
/// - polygons are filled with the brush and outlined with the pen;
/// - no anti-aliasing;
/// - pen modes pmNotXor and pmNot: drawing the same figure twice restores
///   the picture; DrawFocusRect is an XOR dotted rectangle;
/// - clip regions are in device (surface) coordinates and are part of the
///   state saved by SaveDC and restored by RestoreDC;
/// - ScrollDC moves pixels and reports the uncovered strip.
///
/// Coordinates are logical pixels. The surface may have a device pixel
/// ratio above 1 (a high-DPI screen): then every logical pixel covers a
/// block of surface pixels, fills and one-pixel lines cover exactly the
/// blocks of their logical pixels, and sloped lines, shapes and text are
/// drawn at the surface's resolution. At ratio 1 a logical pixel is a
/// surface pixel.
#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QRegion>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/host/NumericTypes.h"

class QPainter;

namespace quellix {

// ---------------------------------------------------------------------------
// Colours: RGB with red in the low byte; the top bit set names a system
// colour by index in the low byte.

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor SystemColor(int Index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(Index)); }
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);          ///< -2147483643
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);      ///< -2147483640
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);        ///< -2147483633
constexpr TColor clBtnShadow = SystemColor(16);      ///< -2147483632
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);   ///< -2147483628
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

/// The RGB value of a colour (system colours resolved), red in the low byte.
TColor ColorToRGB(TColor Color);
QColor ToQColor(TColor Color);
QRgb ToQRgb(TColor Color);
TColor FromQColor(const QColor& Color);
/// Builds an RGB colour from its parts.
constexpr TColor RGB(int R, int G, int B) { return (R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16); }

/// The default 20-entry system palette (entries 0..7 and 12..19 are the 16
/// standard colours; 8..11 are the reserved middle entries).
TColor SystemPaletteEntry(int Index);

// ---------------------------------------------------------------------------
// Geometry

struct TPoint {
  Integer X = 0;
  Integer Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  Integer cx = 0;
  Integer cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

/// Right and Bottom are exclusive, as everywhere in the canvas.
struct TRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;
  Integer Width() const { return Right - Left; }
  Integer Height() const { return Bottom - Top; }
  QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
  static TRect FromQRect(const QRect& R) { return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(Integer X, Integer Y) { return {X, Y}; }
inline TRect Rect(Integer Left, Integer Top, Integer Right, Integer Bottom) { return {Left, Top, Right, Bottom}; }
inline TRect Bounds(Integer Left, Integer Top, Integer Width, Integer Height) {
  return {Left, Top, Left + Width, Top + Height};
}
void InflateRect(TRect& R, Integer DX, Integer DY);
void OffsetRect(TRect& R, Integer DX, Integer DY);
/// Returns false (and an empty Dest) when the rectangles do not overlap.
bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B);
bool UnionRect(TRect& Dest, const TRect& A, const TRect& B);
bool PtInRect(const TRect& R, const TPoint& P);
bool IsRectEmpty(const TRect& R);

// ---------------------------------------------------------------------------
// Pens, brushes, fonts

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The pen style an ordinal from outside (a stream, an int property) names;
// false when it names none, so that no invalid style is ever formed.
constexpr bool PenStyleFromOrdinal(std::int64_t Ordinal, TPenStyle& Style) {
  if (Ordinal < psSolid || Ordinal > psInsideFrame) return false;
  Style = static_cast<TPenStyle>(Ordinal);
  return true;
}
enum TPenMode { pmCopy, pmNotXor, pmNot, pmXor, pmBlack, pmWhite };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TBkMode { bkTransparent = 1, bkOpaque = 2 };
enum TCopyMode { cmSrcCopy, cmSrcAnd, cmSrcPaint };

struct TPen {
  TColor Color = clBlack;
  TPenStyle Style = psSolid;
  Integer Width = 1;
  TPenMode Mode = pmCopy;
  void Assign(const TPen& Source) { *this = Source; }
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  void Assign(const TBrush& Source) { *this = Source; }
};

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = int;  ///< set of TFontStyle bits

/// A font description. Height in pixels (negative: character height, as
/// the system gives it); Size in points at 96 pixels per inch. Escapement
/// turns the text, in tenths of a degree counter-clockwise (900: text runs
/// upwards). Assigning from another font copies everything.
class TFont : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Name READ Name WRITE SetName)
  Q_PROPERTY(int Height READ Height WRITE SetHeight)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(int Style READ Style WRITE SetStyle)
  Q_CLASSINFO("default:Name", "MS Sans Serif")
  Q_CLASSINFO("default:Height", "-11")
  Q_CLASSINFO("default:Color", "-2147483640")
  Q_CLASSINFO("default:Style", "0")
public:
  TFont();
  TFont(const TFont& Other);
  TFont& operator=(const TFont& Other);
  void Assign(const TFont& Source) { *this = Source; }

  QString Name() const { return FName; }
  void SetName(const QString& Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  Integer Size() const;  ///< points
  void SetSize(Integer Points);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  Integer Escapement() const { return FEscapement; }
  void SetEscapement(Integer TenthsOfDegree);

  /// The Qt font for drawing: family resolved through fontconfig ("Arial"
  /// becomes Liberation Sans, "MS Sans Serif" a sans font), pixel size from
  /// the character height.
  QFont ToQFont() const;

  /// Called after any change (controls repaint with their new font).
  std::function<void()> OnChange;

private:
  void Changed();
  QString FName = QStringLiteral("MS Sans Serif");
  Integer FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle = 0;
  Integer FEscapement = 0;
};

// ---------------------------------------------------------------------------
// The canvas

class TGraphic;
struct TTextImage;

/// What a canvas draws with and where: the surface (a QImage it does not
/// own), the tools (pen, brush, font), the copy and background modes, the
/// pen position, the window origin and the clip, and a stack of saved
/// states. The drawing itself is TCanvas's.
class TCanvasState {
public:
  explicit TCanvasState(QImage* Surface = nullptr);
  ~TCanvasState();
  TCanvasState(const TCanvasState&) = delete;
  TCanvasState& operator=(const TCanvasState&) = delete;

  void SetSurface(QImage* Surface);
  QImage* Surface() const { return FSurface; }
  /// The surface's device pixel ratio (1 without a surface).
  qreal PixelRatio() const;

  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }
  TFont& Font() { return FFont; }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Mode) { FCopyMode = Mode; }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint P) { FPenPos = P; }
  TBkMode BkMode() const { return FBkMode; }
  void SetBkMode(TBkMode Mode) { FBkMode = Mode; }

  /// Clipping, in device coordinates. An empty optional region means no clip.
  void SelectClipRect(const TRect& R);
  void SelectClipRgn(const QRegion& Region);
  void SelectNoClip();
  void IntersectClipRect(const TRect& R);
  void ExcludeClipRect(const TRect& R);
  bool HasClip() const { return FHasClip; }
  QRegion ClipRegion() const { return FClip; }
  /// The smallest rectangle around the drawable area.
  TRect ClipBox() const;
  /// Logical to device coordinates (identity plus the window origin).
  TPoint LPtoDP(TPoint P) const { return {P.X + FOrigin.X, P.Y + FOrigin.Y}; }
  void SetWindowOrigin(TPoint Origin) { FOrigin = Origin; }
  TPoint WindowOrigin() const { return FOrigin; }

  /// Saves pen, brush, font, copy mode, background mode, pen position,
  /// origin and clip. RestoreDC(-1) restores the last saved state;
  /// RestoreDC(n) the state SaveDC returned n for, dropping later ones.
  int SaveDC();
  bool RestoreDC(int SavedDC);

protected:
  // The surface in logical pixels.
  QRect SurfaceRect() const;
  // Calls Part for each piece of R (device coordinates) inside the surface
  // and the clip.
  void ForEachClipPart(const QRect& R, const std::function<void(const QRect&)>& Part) const;
  std::vector<QRect> FClipRects;  // FClip as rectangles, cached
  std::vector<QRect> FSurfaceClipRects;  // the same in surface pixels
  QRect FClipBound;
  QImage* FSurface = nullptr;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TCopyMode FCopyMode = cmSrcCopy;
  TBkMode FBkMode = bkOpaque;
  TPoint FPenPos;
  TPoint FOrigin;
  QRegion FClip;
  bool FHasClip = false;

private:
  struct State;
  void UpdateClipCache();
  std::vector<std::unique_ptr<State>> FSaved;
};

/// Draws on its state's surface (a control's surface or a bitmap's image).
/// Every drawing call reports the touched rectangle through OnTouched, so a
/// control can copy that part to the screen.
class TCanvas : public TCanvasState {
public:
  explicit TCanvas(QImage* Surface = nullptr) : TCanvasState(Surface) {}

  /// Lines and shapes.
  void MoveTo(Integer X, Integer Y);
  void LineTo(Integer X, Integer Y);  ///< end point not drawn
  void Polyline(const TPoint* Points, int Count);
  void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), static_cast<int>(Points.size())); }
  void Polygon(const TPoint* Points, int Count);
  void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), static_cast<int>(Points.size())); }
  /// Vertical lines from (X, Y1) to (X, Y2) for each X of Xs: the pixels,
  /// pen position and pattern of MoveTo and LineTo for each in turn.
  void VerticalLines(const Integer* Xs, int Count, Integer Y1, Integer Y2);
  void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
  void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  /// Pie of the ellipse in X1..X2, Y1..Y2 from the radial through (X3,Y3)
  /// counter-clockwise to the radial through (X4,Y4).
  void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void FillRect(const TRect& R);   ///< with the brush, no outline
  void FrameRect(const TRect& R);  ///< one pixel wide, in the brush colour
  void DrawFocusRect(const TRect& R);  ///< dotted XOR frame: twice restores
  TColor Pixel(Integer X, Integer Y) const;  ///< -1 outside the surface
  void SetPixel(Integer X, Integer Y, TColor Color);

  /// Text. TextOut draws at a top-left point in the font's colour, turned
  /// by the font's escapement about that point. The background is filled
  /// with the brush colour when the background mode is opaque.
  void TextOut(Integer X, Integer Y, const QString& Text);
  void TextRect(const TRect& R, Integer X, Integer Y, const QString& Text);  ///< clipped to R
  /// One line centred in R, not clipped.
  void DrawTextCentered(const QString& Text, const TRect& R);
  Integer TextWidth(const QString& Text);
  Integer TextHeight(const QString& Text);
  /// Extent of the unrotated text (cx along the text, cy across it).
  TSize TextExtent(const QString& Text);
  /// Extent of the text's bounding box as drawn with the escapement.
  TSize RotatedTextExtent(const QString& Text);

  /// Copies Source's SourceRect into DestRect (stretched when the sizes
  /// differ) with the current copy mode.
  void CopyRect(const TRect& DestRect, TCanvas& Source, const TRect& SourceRect);
  void Draw(Integer X, Integer Y, const TGraphic& Graphic);
  void StretchDraw(const TRect& R, const TGraphic& Graphic);

  /// Moves the pixels of Scroll (limited to Clip) by (DX, DY) and returns
  /// the strip of Scroll that the move uncovered (the part that must be
  /// painted anew). The uncovered strip keeps its old pixels.
  TRect ScrollDC(Integer DX, Integer DY, const TRect& Scroll, const TRect& Clip);

  /// Frame Width pixels wide inside Rect: TopColor on the top and left
  /// edges, BottomColor on the bottom and right edges. Rect shrinks by Width.
  void Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width);

  /// Told of every rectangle drawn into (device coordinates, clipped).
  std::function<void(const QRect&)> OnTouched;

private:
  friend struct TCanvasOps;  // the drawing helpers in Graphics.cpp
  // All private helpers take device coordinates (logical pixels after the
  // window origin); "surface pixels" are the pixels of the image.
  void Touch(const QRect& R);
  void WidePenLine(int X1, int Y1, int X2, int Y2);
  void ThinLine(int X1, int Y1, int X2, int Y2, bool DrawLast);
  void PreparePainter(QPainter& P) const;
  void FillArea(const QRect& R, QRgb Color, TPenMode Mode);
  void HatchFill(const QRect& R, TPenMode Mode);
  void ThinFrame(const QRect& R);
  // Runs Draw (logical coordinates) with a QPainter; for modes other than
  // pmCopy the figure is rendered apart and combined pixel by pixel, so
  // each pixel is combined exactly once.
  void PaintShape(const QRect& Bounds, TPenMode Mode, const std::function<void(QPainter&)>& Draw);
  void DrawTextAt(int X, int Y, const QString& Text, int Escapement, const QRect* ClipTo, bool Background);
  void DrawGlyphs(int X, int Y, const TTextImage& Text, const QRect* ClipTo, bool Background);
  void Blit(int X, int Y, const QImage& Image, bool HasTransparent, QRgb Transparent);
  bool TextBackground() const;
  QRect PointsBounds(const TPoint* Points, int Count) const;
  unsigned FDashPhase = 0;
};

// ---------------------------------------------------------------------------
// Graphics: off-screen bitmap and picture.

class TGraphic {
public:
  virtual ~TGraphic() = default;
  virtual bool Empty() const = 0;
  virtual Integer Width() const = 0;
  virtual Integer Height() const = 0;
  virtual const QImage& Image() const = 0;
  /// Pixels of this colour are not copied by Draw (clNone: opaque).
  TColor TransparentColor = clNone;
};

/// An off-screen bitmap with its own canvas; drawn in full and copied to a
/// control's canvas in one operation.
class TBitmap : public TGraphic {
public:
  TBitmap();
  TBitmap(Integer W, Integer H);
  bool Empty() const override { return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0; }
  /// Size in logical pixels.
  Integer Width() const override;
  Integer Height() const override;
  void SetWidth(Integer W) { SetSize(W, Height()); }
  void SetHeight(Integer H) { SetSize(Width(), H); }
  void SetSize(Integer W, Integer H);  ///< new pixels are white
  /// Device pixel ratio of the image (1 unless set; a control's off-screen
  /// bitmap takes the control's). A change keeps the logical size and
  /// clears the picture to white.
  qreal PixelRatio() const { return FRatio; }
  void SetPixelRatio(qreal Ratio);
  const QImage& Image() const override { return FImage; }
  QImage& Image() { return FImage; }
  TCanvas& Canvas() { return FCanvas; }
  void Assign(const TBitmap& Source);
  bool LoadFromFile(const QString& FileName);

private:
  QImage FImage;
  TCanvas FCanvas;
  qreal FRatio = 1;
};

/// A graphic that may be empty, drawn at a point or stretched into a rectangle.
class TPicture : public TGraphic {
public:
  bool Empty() const override { return FImage.isNull(); }
  Integer Width() const override { return FImage.isNull() ? 0 : FImage.width(); }
  Integer Height() const override { return FImage.isNull() ? 0 : FImage.height(); }
  const QImage& Image() const override { return FImage; }
  void SetImage(const QImage& Image) { FImage = Image.convertToFormat(QImage::Format_RGB32); }
  void Assign(const TPicture& Source) { FImage = Source.FImage; }
  void Clear() { FImage = QImage(); }
  bool LoadFromFile(const QString& FileName);

private:
  QImage FImage;
};

}  ///< namespace quellix
