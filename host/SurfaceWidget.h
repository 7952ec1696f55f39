/// The widget layers under every control: TSurfaceWidget keeps the
/// control's picture in a surface of its own and draws into it (at once,
/// on request, or deferred to the next frame); TInputWidget makes it a
/// component that takes the mouse, clicks, capture and drag and drop.
/// TControl (Controls.h) adds the published properties. \file
#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <functional>

#include "quellix/host/Component.h"
#include "quellix/host/Graphics.h"

namespace quellix {

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = int;  ///< set of TShiftStateFlag bits
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragMode { dmManual, dmAutomatic };

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;

/// The farthest position and the largest size a control takes. No screen
/// shows more; beyond them the rectangle arithmetic of positions plus
/// sizes overflows, and a drawing surface of the control's size would
/// exhaust the machine. Form text beyond them is refused; SetBounds brings
/// values set by code inside.
constexpr Integer kMaxControlPosition = 1000000;
constexpr Integer kMaxControlSize = 8192;

/// A widget with its own surface (a QImage of the widget's size) and the
/// canvas that draws on it.
///
/// Painting: Invalidate() asks for Paint() later; Repaint() runs Paint()
/// into the surface now and copies it to the screen. Drawing outside
/// Paint() (a value update, a flashing LED, an XOR cross-hair, a scroll)
/// goes into the surface at once through Canvas(), and the touched
/// rectangle is copied to the screen on the next paint event. The surface
/// keeps what was drawn, so XOR drawing and scrolling work.
class TSurfaceWidget : public QWidget {
  Q_OBJECT
public:
  explicit TSurfaceWidget(QWidget* AParent = nullptr);
  ~TSurfaceWidget() override;

  /// Bounds, relative to the parent.
  Integer Left() const { return x(); }
  Integer Top() const { return y(); }
  Integer Width() const { return width(); }
  Integer Height() const { return height(); }
  void SetLeft(Integer Value) { SetBounds(Value, Top(), Width(), Height()); }
  void SetTop(Integer Value) { SetBounds(Left(), Value, Width(), Height()); }
  void SetWidth(Integer Value) { SetBounds(Left(), Top(), Value, Height()); }
  void SetHeight(Integer Value) { SetBounds(Left(), Top(), Width(), Value); }
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  TRect ClientRect() const { return Rect(0, 0, Width(), Height()); }
  TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  /// The canvas of the control's surface.
  TCanvas& Canvas() { return FCanvas; }
  const QImage& Surface() const { return FSurface; }
  /// Opaque style: the control paints its whole rectangle (the surface is
  /// not cleared to the background before Paint).
  bool Opaque() const { return FOpaque; }
  void SetOpaque(bool Value);

  /// Ask for a repaint later; repaint now; copy the touched parts of the
  /// surface to the screen now.
  void Invalidate();
  void InvalidateRect(const TRect& R);
  void Repaint();
  void Update();

  /// Deferred drawing. A data call that changes the picture records what
  /// must be drawn and calls ScheduleDrawing; DrawPending then draws it at
  /// most once per frame (the host's frame clock), before a paint event
  /// copies the surface to the screen, at the start of Update, when
  /// ProcessMessages runs, or at once on FlushDrawing. A paint of the whole
  /// control (Repaint) shows the present state and makes it moot. The picture is
  /// the one that drawing every call at once gives; with
  /// SetDrawDeferred(false) every call draws at once.
  void FlushDrawing();
  bool DrawingPending() const { return FDrawingPending; }
  bool DrawDeferred() const { return FDrawDeferred; }
  void SetDrawDeferred(bool Value);

  /// Device pixel ratio of the surface: the screen's, unless set here
  /// (0 returns to the screen's). Geometry stays in logical pixels.
  qreal PixelRatio() const;
  void SetPixelRatio(qreal Value);
  /// True while Paint runs.
  bool Painting() const { return FPainting; }

  /// Draws the control into the surface (the canvas is clipped to the
  /// region being painted).
  virtual void Paint() {}
  /// Called after the size changed (the surface already has the new size).
  virtual void Resize() {}

protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  /// Asks for DrawPending (see FlushDrawing).
  void ScheduleDrawing();
  /// Draws what the data calls recorded since the last time.
  virtual void DrawPending() {}
  /// The parts invalidated and not painted yet.
  const QRegion& InvalidRegion() const { return FInvalid; }
  /// The background colour: new surface pixels, and the painted region
  /// unless the control is opaque.
  virtual TColor EffectiveColor() const = 0;
  /// The font the canvas has when Paint starts.
  virtual const TFont& PaintFont() const = 0;
  /// Places the child controls after this widget's size changed, before
  /// Resize runs.
  virtual void ArrangeChildren() {}
  /// Gives the surface the control's size; true when it changed.
  bool EnsureSurface();

private:
  void PaintInto(const QRegion& Region);
  void SizeChanged();
  void Touched(const QRect& R);
  QImage FSurface;
  TCanvas FCanvas;
  QRect FTouched;  // drawn outside Paint, not yet sent to the screen
  QRegion FInvalid;  // parts that need Paint() before the next copy
  bool FOpaque = false;
  bool FPainting = false;
  bool FDrawingPending = false;
  bool FDrawDeferred = true;
  bool FFlushing = false;       // DrawPending runs
  bool FInPaintEvent = false;
  qreal FPixelRatio = 0;  // 0: the screen's
};

/// Runs the deferred drawing of every control that asked for it, now.
void FlushPendingDrawing();

/// A surface widget that is a component and takes the mouse: clicks,
/// double clicks, mouse capture, and in-process drag and drop.
class TInputWidget : public TSurfaceWidget, public TComponentCore {
  Q_OBJECT
public:
  explicit TInputWidget(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TInputWidget() override;
  QObject* AsQObject() override { return this; }

  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }

  /// Mouse capture: while set, moves outside the control still come here.
  void SetMouseCapture(bool Value);
  bool MouseCapture() const;
  /// Is the keyboard focus on this control?
  bool Focused() const { return hasFocus(); }
  void SetFocus() { setFocus(); }

  /// Drag and drop between controls (in-process). BeginDrag starts a drag
  /// with this control as the source; the drag follows the mouse until the
  /// button is released.
  void BeginDrag(bool Immediate = true);
  bool Dragging() const;

  /// Standard events.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;

  /// Overridable handlers; the defaults call the events above.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void Click();
  virtual void DblClick();
  virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, Integer X, Integer Y);
  virtual void DoEndDrag(TObject* Target, Integer X, Integer Y);
  virtual void DoStartDrag(TObject*& DragObject);

  /// Used by the host's drag manager and by tests.
  void DispatchDragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
    DragOver(Source, X, Y, State, Accept);
  }
  void DispatchDragDrop(TObject* Source, Integer X, Integer Y) { DragDrop(Source, X, Y); }

Q_SIGNALS:
  // The standard events as signals.
  void click(quellix::TObject* Sender);
  void dblClick(quellix::TObject* Sender);
  void mouseDown(quellix::TObject* Sender, quellix::TMouseButton Button, int Shift, int X, int Y);
  void mouseMove(quellix::TObject* Sender, int Shift, int X, int Y);
  void mouseUp(quellix::TObject* Sender, quellix::TMouseButton Button, int Shift, int X, int Y);
  void dragDrop(quellix::TObject* Sender, quellix::TObject* Source, int X, int Y);
  void dragOver(quellix::TObject* Sender, quellix::TObject* Source, int X, int Y, quellix::TDragState State,
                bool& Accept);
  void endDrag(quellix::TObject* Sender, quellix::TObject* Target, int X, int Y);

protected:
  // An event is wanted when its handler is assigned or its signal has a
  // receiver (work done only for the event checks this).
  template <class THandler, class TSignal>
  bool Wanted(const THandler& Handler, TSignal Signal) const {
    return Handler || isSignalConnected(QMetaMethod::fromSignal(Signal));
  }
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;

private:
  bool FPressed = false;
  bool FDoubleClicked = false;
  TDragMode FDragMode = dmManual;
};

}  ///< namespace quellix
