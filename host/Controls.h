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
#include "quellix/host/SurfaceWidget.h"

class QTimer;

namespace quellix {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TControl;

using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;

/// Virtual key codes used by the components.
enum : Word {
  VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_ESCAPE = 27, VK_SPACE = 32,
  VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
  VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_DELETE = 46
};

/// A visual component: a widget with its own surface and the component
/// core (TInputWidget, SurfaceWidget.h), and the published properties every
/// control has: bounds, visibility, colour and font (each following the
/// parent unless set), caption, hint and alignment.
class TControl : public TInputWidget {
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

  // Qt layouts: the component's natural and smallest useful size, from its
  // class infos "NaturalSize" and "MinimumSize".
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

Q_SIGNALS:
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
  void changeEvent(QEvent* Event) override;
  /// The background colour resolved through ParentColor.
  TColor EffectiveColor() const override;
  const TFont& PaintFont() const override { return FFont; }
  // Lays out the child controls by their Align.
  void ArrangeChildren() override;

private:
  friend class TForm;
  void ApplyParentFont();
  // setFont and setPalette: the widget's font and colours taken where the
  // component's own are not set explicitly (docs/qt-integration.md).
  void TakeWidgetFont();
  void TakeWidgetPalette();
  static void PropagateFont(QWidget* Parent);
  static void PropagateColor(QWidget* Parent);
  bool FApplyingFont = false;
  TFont FFont;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
  bool FParentFont = true;
  bool FShowHint = false;
  QString FCaption;
  QString FHint;
  TAlign FAlign = alNone;
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
  TInputWidget* Source() const { return FSource; }
  bool Active() const { return FSource != nullptr; }
  void Begin(TInputWidget* Source);
  /// The cursor moved to a point in screen coordinates.
  void MoveTo(TPoint ScreenPoint);
  /// The mouse button was released at a point in screen coordinates.
  void Drop(TPoint ScreenPoint);
  void Cancel();
  /// For tests: move over and drop on a given control at client coordinates.
  void MoveOver(TInputWidget* Target, Integer X, Integer Y);
  void DropOn(TInputWidget* Target, Integer X, Integer Y);
  /// A control is going away: forget it as source or target.
  void Forget(TInputWidget* Control);

private:
  void Finish(TInputWidget* Target, Integer X, Integer Y);
  TObject* DragObject() const;
  TInputWidget* FSource = nullptr;
  TObject* FDragObject = nullptr;
  TInputWidget* FTarget = nullptr;
  bool FAccepted = false;
  TPoint FPos;  // last position over the target, in its client coordinates
};

}  ///< namespace quellix
