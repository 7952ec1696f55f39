#include "quellix/host/Controls.h"

#include <algorithm>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QPointer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPushButton>
#include <QTimer>

namespace quellix {

namespace {

// The control that holds the mouse capture (set on a press, or on request).
TInputWidget* GCapture = nullptr;

TShiftState ShiftOf(Qt::KeyboardModifiers M, Qt::MouseButtons B = Qt::NoButton) {
  TShiftState S = 0;
  if (M & Qt::ShiftModifier) S |= ssShift;
  if (M & Qt::AltModifier) S |= ssAlt;
  if (M & Qt::ControlModifier) S |= ssCtrl;
  if (B & Qt::LeftButton) S |= ssLeft;
  if (B & Qt::RightButton) S |= ssRight;
  if (B & Qt::MiddleButton) S |= ssMiddle;
  return S;
}

bool ButtonOf(Qt::MouseButton B, TMouseButton& Result) {
  switch (B) {
    case Qt::LeftButton: Result = mbLeft; return true;
    case Qt::RightButton: Result = mbRight; return true;
    case Qt::MiddleButton: Result = mbMiddle; return true;
    default: return false;
  }
}

// The platform's virtual key code of a Qt key, 0 for keys without one.
Word VirtualKeyOf(int Key) {
  if ((Key >= Qt::Key_A && Key <= Qt::Key_Z) || (Key >= Qt::Key_0 && Key <= Qt::Key_9)) return static_cast<Word>(Key);
  if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24) return static_cast<Word>(0x70 + (Key - Qt::Key_F1));
  switch (Key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Plus: return 0xBB;
    case Qt::Key_Minus: return 0xBD;
    default: return 0;
  }
}

// Lays out the aligned controls of a parent: top, bottom, left, right,
// then client, each taking its strip of what is left.
void AlignChildren(QWidget* Parent) {
  if (!Parent) return;
  QRect Area = Parent->rect();
  const TAlign Order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign A : Order) {
    for (QObject* O : Parent->children()) {
      TControl* C = qobject_cast<TControl*>(O);
      if (!C || C->Align() != A || !C->Visible()) continue;
      switch (A) {
        case alTop:
          C->SetBounds(Area.left(), Area.top(), Area.width(), C->Height());
          Area.setTop(Area.top() + C->Height());
          break;
        case alBottom:
          C->SetBounds(Area.left(), Area.bottom() + 1 - C->Height(), Area.width(), C->Height());
          Area.setBottom(Area.bottom() - C->Height());
          break;
        case alLeft:
          C->SetBounds(Area.left(), Area.top(), C->Width(), Area.height());
          Area.setLeft(Area.left() + C->Width());
          break;
        case alRight:
          C->SetBounds(Area.right() + 1 - C->Width(), Area.top(), C->Width(), Area.height());
          Area.setRight(Area.right() - C->Width());
          break;
        case alClient: C->SetBounds(Area.left(), Area.top(), std::max(0, Area.width()), std::max(0, Area.height())); break;
        case alNone: break;
      }
    }
  }
}

// Re-aligns a parent's controls whenever the parent is resized.
class AlignWatcher : public QObject {
public:
  explicit AlignWatcher(QWidget* Parent) : QObject(Parent) {
    setObjectName(QStringLiteral("quellix_align_watcher"));
    Parent->installEventFilter(this);
  }
  bool eventFilter(QObject* O, QEvent* E) override {
    if (E->type() == QEvent::Resize) AlignChildren(static_cast<QWidget*>(O));
    return false;
  }
};

void WatchAlign(QWidget* Parent) {
  if (!Parent) return;
  if (!Parent->findChild<QObject*>(QStringLiteral("quellix_align_watcher"), Qt::FindDirectChildrenOnly))
    new AlignWatcher(Parent);
}

}  // namespace

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponentCore* AOwner, QWidget* AParent) : TInputWidget(AOwner, AParent) {
  FFont.OnChange = [this] {
    if (!FApplyingFont) FParentFont = false;
    PropagateFont(this);
    Invalidate();
  };
  ApplyParentFont();
  EnsureSurface();
  Invalidate();
  if (AParent && AParent->isVisible()) show();
}

TControl::~TControl() {
  Destroying();
  FFont.OnChange = nullptr;
}

TControl* TControl::ParentControl() const { return qobject_cast<TControl*>(parentWidget()); }

void TControl::SetParentWidget(QWidget* AParent) {
  if (AParent == parentWidget()) return;
  const bool Vis = Visible();
  setParent(AParent);
  if (!Vis)
    hide();
  else if (AParent && AParent->isVisible())
    show();
  ApplyParentFont();
  if (FAlign != alNone) {
    WatchAlign(AParent);
    AlignChildren(AParent);
  }
  Invalidate();
}

void TControl::SetVisible(bool Value) {
  const TChangeScope Changes;
  if (Value == Visible()) return;
  setVisible(Value);
  if (FAlign != alNone) AlignChildren(parentWidget());
}

void TControl::SetEnabled(bool Value) {
  const TChangeScope Changes;
  if (Value == isEnabled()) return;
  setEnabled(Value);
  Invalidate();
}

void TControl::SetColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FColor && !FParentColor) return;
  FColor = Value;
  FParentColor = false;
  Invalidate();
  PropagateColor(this);
}

void TControl::SetParentColor(bool Value) {
  const TChangeScope Changes;
  if (Value == FParentColor) return;
  FParentColor = Value;
  Invalidate();
  PropagateColor(this);
}

void TControl::SetParentFont(bool Value) {
  const TChangeScope Changes;
  if (Value == FParentFont) return;
  FParentFont = Value;
  ApplyParentFont();
}

void TControl::ApplyParentFont() {
  if (!FParentFont) return;
  const TFont* Source = nullptr;
  if (TControl* C = qobject_cast<TControl*>(parentWidget()))
    Source = &C->FFont;
  else if (TForm* F = qobject_cast<TForm*>(parentWidget()))
    Source = &F->Font();
  if (!Source) return;
  FApplyingFont = true;
  FFont = *Source;
  FApplyingFont = false;
}

void TControl::PropagateFont(QWidget* Parent) {
  for (QObject* O : Parent->children())
    if (TControl* C = qobject_cast<TControl*>(O))
      if (C->FParentFont) C->ApplyParentFont();
}

void TControl::PropagateColor(QWidget* Parent) {
  for (QObject* O : Parent->children())
    if (TControl* C = qobject_cast<TControl*>(O))
      if (C->FParentColor) {
        C->Invalidate();
        PropagateColor(C);
      }
}

TColor TControl::EffectiveColor() const {
  // Plain Qt containers in between (a window's client area) have no colour
  // of their own: the nearest control or form decides.
  if (FParentColor)
    for (QWidget* W = parentWidget(); W; W = W->parentWidget()) {
      if (TControl* C = qobject_cast<TControl*>(W)) return C->EffectiveColor();
      if (TForm* F = qobject_cast<TForm*>(W)) return F->Color();
    }
  return FColor;
}

void TControl::SetCaption(const QString& Value) {
  const TChangeScope Changes;
  if (Value == FCaption) return;
  FCaption = Value;
  Invalidate();
}

void TControl::SetHint(const QString& Value) {
  const TChangeScope Changes;
  FHint = Value;
  setToolTip(FShowHint ? FHint : QString());
}

void TControl::SetShowHint(bool Value) {
  const TChangeScope Changes;
  FShowHint = Value;
  setToolTip(FShowHint ? FHint : QString());
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  if (FAlign != alNone) WatchAlign(parentWidget());
  AlignChildren(parentWidget());
}

void TControl::changeEvent(QEvent* Event) {
  if (Event->type() == QEvent::ParentChange) {
    ApplyParentFont();
    Invalidate();
  } else if (Event->type() == QEvent::EnabledChange) {
    Invalidate();
  } else if (Event->type() == QEvent::FontChange) {
    TakeWidgetFont();
  } else if (Event->type() == QEvent::PaletteChange) {
    TakeWidgetPalette();
  }
  QWidget::changeEvent(Event);
}

void TControl::ArrangeChildren() { AlignChildren(this); }

// ---------------------------------------------------------------------------
// TInputWidget: mouse

TInputWidget::TInputWidget(TComponentCore* AOwner, QWidget* AParent) : TSurfaceWidget(AParent), TComponentCore(AOwner) {
  setMouseTracking(true);  // moves without a pressed button, as the components expect
  setFocusPolicy(Qt::NoFocus);
}

TInputWidget::~TInputWidget() {
  if (GCapture == this) GCapture = nullptr;
  TDragManager::Instance().Forget(this);
}

void TInputWidget::SetMouseCapture(bool Value) {
  if (Value) {
    GCapture = this;
    if (isVisible() && QWidget::mouseGrabber() != this) grabMouse();
  } else if (GCapture == this) {
    GCapture = nullptr;
    if (QWidget::mouseGrabber() == this) releaseMouse();
  }
}

bool TInputWidget::MouseCapture() const { return GCapture == this; }

void TInputWidget::mousePressEvent(QMouseEvent* Event) {
  TMouseButton Button;
  if (!ButtonOf(Event->button(), Button)) return;
  const QPoint P = Event->position().toPoint();
  FPressed = true;
  FDoubleClicked = false;
  GCapture = this;
  if (Button == mbLeft && FDragMode == dmAutomatic && !IsDesigning()) {
    BeginDrag(true);
    return;
  }
  MouseDown(Button, ShiftOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
}

void TInputWidget::mouseDoubleClickEvent(QMouseEvent* Event) {
  TMouseButton Button;
  if (!ButtonOf(Event->button(), Button)) return;
  const QPoint P = Event->position().toPoint();
  FPressed = true;
  FDoubleClicked = true;
  GCapture = this;
  if (Button == mbLeft) DblClick();
  MouseDown(Button, ShiftOf(Event->modifiers(), Event->buttons()) | ssDouble, P.x(), P.y());
}

void TInputWidget::mouseMoveEvent(QMouseEvent* Event) {
  TDragManager& Drag = TDragManager::Instance();
  if (Drag.Source() == this) {
    const QPoint G = Event->globalPosition().toPoint();
    Drag.MoveTo({G.x(), G.y()});
    return;
  }
  const QPoint P = Event->position().toPoint();
  MouseMove(ShiftOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
}

void TInputWidget::mouseReleaseEvent(QMouseEvent* Event) {
  TMouseButton Button;
  const bool Known = ButtonOf(Event->button(), Button);
  const bool WasPressed = FPressed;
  FPressed = Event->buttons() != Qt::NoButton;
  if (!FPressed && GCapture == this) {
    GCapture = nullptr;
    if (QWidget::mouseGrabber() == this) releaseMouse();
  }
  TDragManager& Drag = TDragManager::Instance();
  if (Drag.Source() == this) {
    const QPoint G = Event->globalPosition().toPoint();
    Drag.Drop({G.x(), G.y()});
    return;
  }
  if (!Known) return;
  const QPoint P = Event->position().toPoint();
  if (Button == mbLeft && WasPressed && !FDoubleClicked && rect().contains(P)) Click();
  FDoubleClicked = false;
  MouseUp(Button, ShiftOf(Event->modifiers(), Event->buttons()), P.x(), P.y());
}

void TInputWidget::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
  emit mouseDown(this, Button, Shift, X, Y);
}

void TInputWidget::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
  emit mouseMove(this, Shift, X, Y);
}

void TInputWidget::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
  emit mouseUp(this, Button, Shift, X, Y);
}

void TInputWidget::Click() {
  if (OnClick) OnClick(this);
  emit click(this);
}

void TInputWidget::DblClick() {
  if (OnDblClick) OnDblClick(this);
  emit dblClick(this);
}

// ---------------------------------------------------------------------------
// Drag and drop

// A control without an OnDragOver handler accepts nothing; with one, the
// handler starts from Accept = true and decides. A receiver of the
// dragOver signal counts as a handler.
void TInputWidget::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  Accept = false;
  const bool Signal = isSignalConnected(QMetaMethod::fromSignal(&TInputWidget::dragOver));
  if (OnDragOver || Signal) {
    Accept = true;
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
    emit dragOver(this, Source, X, Y, State, Accept);
  }
}

void TInputWidget::DragDrop(TObject* Source, Integer X, Integer Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
  emit dragDrop(this, Source, X, Y);
}

void TInputWidget::DoEndDrag(TObject* Target, Integer X, Integer Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
  emit endDrag(this, Target, X, Y);
}

void TInputWidget::DoStartDrag(TObject*& DragObject) {
  if (OnStartDrag) OnStartDrag(this, DragObject);
}

// The drag starts at once whether or not Immediate is set: no component
// waits for the mouse to travel a few pixels first.
void TInputWidget::BeginDrag(bool /*Immediate*/) { TDragManager::Instance().Begin(this); }

bool TInputWidget::Dragging() const { return TDragManager::Instance().Source() == this; }

// ---------------------------------------------------------------------------
// Control kinds

TGraphicControl::TGraphicControl(TComponentCore* AOwner, QWidget* AParent) : TControl(AOwner, AParent) {}

TPaintBox::TPaintBox(TComponentCore* AOwner, QWidget* AParent) : TGraphicControl(AOwner, AParent) {}

void TPaintBox::Paint() {
  if (OnPaint) OnPaint(this);
}

TCustomControl::TCustomControl(TComponentCore* AOwner, QWidget* AParent) : TControl(AOwner, AParent) {
  setFocusPolicy(Qt::StrongFocus);
}

void TCustomControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TCustomControl::keyPressEvent(QKeyEvent* Event) {
  Word Key = VirtualKeyOf(Event->key());
  if (Key == 0) {
    QWidget::keyPressEvent(Event);
    return;
  }
  KeyDown(Key, ShiftOf(Event->modifiers()));
  Event->accept();
}

void TCustomControl::focusInEvent(QFocusEvent* Event) {
  QWidget::focusInEvent(Event);
  Invalidate();
}

void TCustomControl::focusOutEvent(QFocusEvent* Event) {
  QWidget::focusOutEvent(Event);
  Invalidate();
}

// ---------------------------------------------------------------------------
// TTimer

TTimer::TTimer(TComponentCore* AOwner) : TComponent(AOwner), FTimer(new QTimer(this)) {
  FTimer->setTimerType(Qt::PreciseTimer);
  connect(FTimer, &QTimer::timeout, this, [this] { Tick(); });
  UpdateTimer();
}

TTimer::~TTimer() {
  FTimer->stop();
  Destroying();
}

// The timer runs while it is enabled with a positive interval; every
// change restarts it, so a new interval counts from the change.
void TTimer::UpdateTimer() {
  FTimer->stop();
  if (FEnabled && FInterval > 0) {
    FTimer->setInterval(Period());
    FTimer->start();
  }
}

void TTimer::SetEnabled(bool Value) {
  const TChangeScope Changes;
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Integer Value) {
  const TChangeScope Changes;
  if (Value == FInterval || Value < 0) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::Tick() {
  const TChangeScope Changes;
  if (OnTimer) OnTimer(this);
  emit timer(this);
}

bool TTimer::Running() const { return FTimer->isActive(); }

Integer TTimer::Period() const { return std::max(FInterval, MinimumTimerPeriod); }

// ---------------------------------------------------------------------------
// TForm

TForm::TForm(TComponentCore* AOwner, QWidget* AParent) : QDialog(AParent), TComponentCore(AOwner) {
  FFont.OnChange = [this] { TControl::PropagateFont(this); };
}

TForm::~TForm() {
  Destroying();
  FFont.OnChange = nullptr;
}

void TForm::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  update();
  TControl::PropagateColor(this);
}

int TForm::ShowModal() {
  setResult(mrNone);
  return exec();
}

// A result other than mrNone ends the modal run (and hides the form).
void TForm::SetModalResult(int Result) {
  if (Result == mrNone) {
    setResult(mrNone);
    return;
  }
  done(Result);
}

void TForm::Close() { close(); }

void TForm::reject() { close(); }

void TForm::SetToolWindow(bool Value) { setWindowFlag(Qt::Tool, Value); }

void TForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (OnShow) OnShow(this);
}

void TForm::hideEvent(QHideEvent* Event) {
  QDialog::hideEvent(Event);
  if (OnHide) OnHide(this);
}

// Closing ends a modal run with mrCancel unless a result was set.
void TForm::closeEvent(QCloseEvent* Event) {
  if (OnClose) OnClose(this);
  const int Result = result() != mrNone ? result() : static_cast<int>(mrCancel);
  Event->accept();
  done(Result);
}

void TForm::paintEvent(QPaintEvent* Event) {
  QPainter P(this);
  P.fillRect(Event->rect(), ToQColor(FColor));
}

// ---------------------------------------------------------------------------
// Application services (the others are in ApplicationServices.cpp)

// The drawing deferred by data calls is done as well, as when a frame of
// the event loop passes.
void ProcessMessages() {
  QCoreApplication::processEvents();
  FlushPendingDrawing();
}

}  // namespace quellix
