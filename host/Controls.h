/// Controls: the visual component bases (windowless graphic control, paint
/// box, focusable custom control), each a QWidget with its own persistent
/// surface; timers; mouse capture and in-process drag and drop; message
/// boxes and the other application services the components use. \file
#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QWidget>
#include <functional>

#include "quellix/host/Component.h"
#include "quellix/host/Graphics.h"
#include "quellix/host/QtSurface.h"

class QTimer;

namespace quellix {

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = int;  ///< set of TShiftStateFlag bits
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragMode { dmManual, dmAutomatic };
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TControl;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;

/// Virtual key codes used by the components.
enum : Word {
  VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_ESCAPE = 27, VK_SPACE = 32,
  VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
  VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_DELETE = 46
};

/// The farthest position and the largest size a control takes. No screen
/// shows more; beyond them the rectangle arithmetic of positions plus
/// sizes overflows, and a drawing surface of the control's size would
/// exhaust the machine. Form text beyond them is refused; SetBounds brings
/// values set by code inside.
constexpr Integer kMaxControlPosition = 1000000;
constexpr Integer kMaxControlSize = 8192;

/// A visual component: a QWidget with its own surface (a QImage of the
/// control's size) and the component core.
///
/// Painting: Invalidate() asks for Paint() later; Repaint() runs Paint()
/// into the surface now and copies it to the screen. Drawing outside
/// Paint() (a value update, a flashing LED, an XOR cross-hair, a scroll)
/// goes into the surface at once through Canvas(), and the touched
/// rectangle is copied to the screen on the next paint event. The surface
/// keeps what was drawn, so XOR drawing and scrolling work.
class TControl : public QWidget, public TComponentCore {
  Q_OBJECT
  Q_PROPERTY(QString Name READ Name WRITE SetName NOTIFY NameChanged STORED false)
  Q_PROPERTY(int Tag READ Tag WRITE SetTag NOTIFY TagChanged)
  Q_PROPERTY(int Left READ Left WRITE SetLeft NOTIFY LeftChanged)
  Q_PROPERTY(int Top READ Top WRITE SetTop NOTIFY TopChanged)
  Q_PROPERTY(int Width READ Width WRITE SetWidth NOTIFY WidthChanged)
  Q_PROPERTY(int Height READ Height WRITE SetHeight NOTIFY HeightChanged)
  Q_PROPERTY(bool Visible READ Visible WRITE SetVisible NOTIFY VisibleChanged)
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled NOTIFY EnabledChanged)
  QUELLIX_COLOR_PROPERTY(Color)
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint NOTIFY HintChanged)
  Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint NOTIFY ShowHintChanged)
  Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor NOTIFY ParentColorChanged)
  Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont NOTIFY ParentFontChanged)
  Q_PROPERTY(quellix::TFont* Font READ FontPtr NOTIFY FontChanged)
  Q_CLASSINFO("default:Tag", "0")
  Q_CLASSINFO("default:Visible", "true")
  Q_CLASSINFO("default:Enabled", "true")
  Q_CLASSINFO("default:Hint", "")
  Q_CLASSINFO("default:ShowHint", "false")
  Q_CLASSINFO("default:ParentColor", "true")
  Q_CLASSINFO("default:ParentFont", "true")
public:
  explicit TControl(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TControl() override;
  QObject* AsQObject() override { return this; }

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
  /// The parent control, when the parent is a TControl.
  TControl* ParentControl() const;
  void SetParentWidget(QWidget* AParent);

  /// Visible unless hidden on purpose (a child of a window that is not
  /// shown yet is still Visible, as the property means).
  bool Visible() const {
    return !(testAttribute(Qt::WA_WState_Hidden) && testAttribute(Qt::WA_WState_ExplicitShowHide));
  }
  virtual void SetVisible(bool Value);
  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont& Font() { return FFont; }
  TFont* FontPtr() { return &FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Value);
  QString Text() const { return FCaption; }
  void SetText(const QString& Value) { SetCaption(Value); }
  QString Hint() const { return FHint; }
  void SetHint(const QString& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }

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
  virtual void Paint();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void Click();
  virtual void DblClick();
  virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, Integer X, Integer Y);
  virtual void DoEndDrag(TObject* Target, Integer X, Integer Y);
  virtual void DoStartDrag(TObject*& DragObject);
  /// Called after the size changed (the surface already has the new size).
  virtual void Resize() {}

  /// Used by the host's drag manager and by tests.
  void DispatchDragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
    DragOver(Source, X, Y, State, Accept);
  }
  void DispatchDragDrop(TObject* Source, Integer X, Integer Y) { DragDrop(Source, X, Y); }

  // Qt layouts: the component's natural and smallest useful size, from its
  // class infos "NaturalSize" and "MinimumSize".
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

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
  // Property change signals.
  void NameChanged(const QString& Value);
  void TagChanged(int Value);
  void LeftChanged(int Value);
  void TopChanged(int Value);
  void WidthChanged(int Value);
  void HeightChanged(int Value);
  void VisibleChanged(bool Value);
  void EnabledChanged(bool Value);
  void HintChanged(const QString& Value);
  void ShowHintChanged(bool Value);
  void ParentColorChanged(bool Value);
  void ParentFontChanged(bool Value);
  void FontChanged(quellix::TFont* Value);

protected:
  // Every event the widget handles (mouse, keys, resizing) is an entry
  // point that may change properties.
  bool event(QEvent* Event) override;
  void connectNotify(const QMetaMethod& Signal) override;
  void disconnectNotify(const QMetaMethod& Signal) override;
  // An event is wanted when its handler is assigned or its signal has a
  // receiver (work done only for the event checks this).
  template <class THandler, class TSignal>
  bool Wanted(const THandler& Handler, TSignal Signal) const {
    return Handler || isSignalConnected(QMetaMethod::fromSignal(Signal));
  }
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  /// The background colour resolved through ParentColor.
  TColor EffectiveColor() const;
  /// Asks for DrawPending (see FlushDrawing).
  void ScheduleDrawing();
  /// Draws what the data calls recorded since the last time.
  virtual void DrawPending() {}
  /// The parts invalidated and not painted yet.
  const QRegion& InvalidRegion() const { return FInvalid; }

private:
  friend class TForm;
  friend class TFrameClock;
  // Gives the surface the control's size; true when it changed.
  bool EnsureSurface();
  void PaintInto(const QRegion& Region);
  void ApplyParentFont();
  // setFont and setPalette: the widget's font and colours taken where the
  // component's own are not set explicitly (docs/qt-integration.md).
  void TakeWidgetFont();
  void TakeWidgetPalette();
  void SizeChanged();
  void Touched(const QRect& R);
  static void PropagateFont(QWidget* Parent);
  static void PropagateColor(QWidget* Parent);
  QRect FTouched;  // drawn outside Paint, not yet sent to the screen
  bool FApplyingFont = false;
  bool FDoubleClicked = false;
  QImage FSurface;
  TCanvas FCanvas;
  TFont FFont;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
  bool FParentFont = true;
  bool FOpaque = false;
  bool FPainting = false;
  bool FShowHint = false;
  QString FCaption;
  QString FHint;
  TAlign FAlign = alNone;
  TDragMode FDragMode = dmManual;
  QRegion FInvalid;  // parts that need Paint() before the next copy
  bool FPressed = false;
  bool FDrawingPending = false;
  bool FDrawDeferred = true;
  bool FFlushing = false;       // DrawPending runs
  bool FInPaintEvent = false;
  qreal FPixelRatio = 0;  // 0: the screen's
  QHash<QByteArray, QVariant> FTakenFromWidget;  // font and colour properties last taken from the widget
};

/// Windowless control painted by its own Paint (dial, slider, LED, ...).
class TGraphicControl : public TControl {
  Q_OBJECT
public:
  explicit TGraphicControl(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
};

/// Windowless control with an OnPaint event (base of the charts and meter).
class TPaintBox : public TGraphicControl {
  Q_OBJECT
public:
  explicit TPaintBox(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  TNotifyEvent OnPaint;
  void Paint() override;  ///< calls OnPaint
};

/// Windowed control that takes the keyboard focus (the colour grid).
class TCustomControl : public TControl {
  Q_OBJECT
public:
  explicit TCustomControl(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  TKeyEvent OnKeyDown;
  virtual void KeyDown(Word& Key, TShiftState Shift);
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool Value) {
    const TChangeScope Changes;
    setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus);
  }

protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
};

// ---------------------------------------------------------------------------
// Timer: Interval in ms, Enabled, OnTimer on the user-interface thread;
// interval and handler can be changed while it runs. Like the message-loop
// timers the components were designed with, it ticks no faster than every
// MinimumTimerPeriod ms: an Interval of 1 ms runs the animations and
// demonstrations at the speed they were designed for, not ten times faster.
constexpr Integer MinimumTimerPeriod = 10;

class TTimer : public TComponent {
  Q_OBJECT
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled NOTIFY EnabledChanged)
  Q_PROPERTY(int Interval READ Interval WRITE SetInterval NOTIFY IntervalChanged)
  Q_CLASSINFO("default:Enabled", "true")
  Q_CLASSINFO("default:Interval", "1000")
public:
  explicit TTimer(TComponentCore* AOwner = nullptr);
  ~TTimer() override;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Integer Interval() const { return FInterval; }
  void SetInterval(Integer Value);
  /// The milliseconds between ticks while it runs: Interval, at least
  /// MinimumTimerPeriod.
  Integer Period() const;
  TNotifyEvent OnTimer;
  /// Runs the handler once, as a tick would (tests drive timers this way).
  void Tick();
  bool Running() const;

Q_SIGNALS:
  void timer(quellix::TObject* Sender);
  void EnabledChanged(bool Value);
  void IntervalChanged(int Value);

private:
  void UpdateTimer();
  QTimer* FTimer;
  bool FEnabled = true;
  Integer FInterval = 1000;
};

// ---------------------------------------------------------------------------
// Forms and application services.

/// A window that owns components (a demonstration window, a dialog, a tool
/// window). Shown modally with ShowModal, which returns the modal result.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

class TForm : public QDialog, public TComponentCore {
  Q_OBJECT
public:
  explicit TForm(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TForm() override;
  QObject* AsQObject() override { return this; }
  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& Value) { setWindowTitle(Value); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFont& Font() { return FFont; }
  void SetClientSize(Integer W, Integer H) { resize(W, H); }
  Integer ClientWidth() const { return width(); }
  Integer ClientHeight() const { return height(); }
  /// Modal run: returns the modal result set by Close/SetModalResult.
  int ShowModal();
  void SetModalResult(int Result);
  void Close();
  /// A tool window stays on top of its owner window.
  void SetToolWindow(bool Value);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnClose;

  /// Escape closes the form like Close (modal result mrCancel).
  void reject() override;

protected:
  void showEvent(QShowEvent* Event) override;
  void hideEvent(QHideEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;

private:
  TColor FColor = clBtnFace;
  TFont FFont;
};

/// Message boxes. Flags as the platform's message box: buttons and icon.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64 };
/// Shows a message box and returns the modal result of the button pressed.
int MessageDlg(const QString& Msg, TMsgDlgType DlgType, int Buttons, const QString& Caption = QString());
void ShowMessage(const QString& Msg);
/// Replaces the message box (tests and headless runs record messages
/// instead of showing them). An empty handler restores the real one.
using TMessageBoxHandler = std::function<int(const QString& Msg, TMsgDlgType DlgType, int Buttons, const QString& Caption)>;
void SetMessageBoxHandler(TMessageBoxHandler Handler);

/// Handles the application's pending messages once and returns.
void ProcessMessages();
/// The platform's default beep.
void MessageBeep();
/// The current cursor position in screen coordinates.
TPoint CursorPos();
/// The control under a screen point, or nullptr.
QWidget* WindowFromPoint(TPoint ScreenPoint);

/// In-process drag and drop. The drag manager follows the mouse after a
/// control's BeginDrag: it finds the control under the cursor, sends
/// dsDragEnter, dsDragMove and dsDragLeave with an accept flag, and on
/// release drops on the last control that accepted, then tells the source.
class TDragManager {
public:
  static TDragManager& Instance();
  TControl* Source() const { return FSource; }
  bool Active() const { return FSource != nullptr; }
  void Begin(TControl* Source);
  /// The cursor moved to a point in screen coordinates.
  void MoveTo(TPoint ScreenPoint);
  /// The mouse button was released at a point in screen coordinates.
  void Drop(TPoint ScreenPoint);
  void Cancel();
  /// For tests: move over and drop on a given control at client coordinates.
  void MoveOver(TControl* Target, Integer X, Integer Y);
  void DropOn(TControl* Target, Integer X, Integer Y);
  /// A control is going away: forget it as source or target.
  void Forget(TControl* Control);

private:
  void Finish(TControl* Target, Integer X, Integer Y);
  TObject* DragObject() const;
  TControl* FSource = nullptr;
  TObject* FDragObject = nullptr;
  TControl* FTarget = nullptr;
  bool FAccepted = false;
  TPoint FPos;  // last position over the target, in its client coordinates
};

}  ///< namespace quellix
