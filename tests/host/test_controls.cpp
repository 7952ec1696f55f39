// Control bases, timers, drag and drop and message boxes, driven headless.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QElapsedTimer>

#include "quellix/host/Controls.h"

using namespace quellix;

// Readable failure messages for logs of QStrings.
static void PrintTo(const QString& S, std::ostream* Out) { *Out << '"' << S.toStdString() << '"'; }

namespace {

// Counts its paints and fills its whole rectangle with PaintColor.
class Probe : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  int Paints = 0;
  int Resizes = 0;
  TColor PaintColor = clNone;
  void Paint() override {
    ++Paints;
    if (PaintColor != clNone) {
      Canvas().Brush().Color = PaintColor;
      Canvas().FillRect(ClientRect());
    }
  }
  void Resize() override { ++Resizes; }
  TColor At(int X, int Y) const { return FromQColor(QColor(Surface().pixel(X, Y))); }
};

TColor ScreenPixel(QWidget& W, int X, int Y) { return FromQColor(W.grab().toImage().pixelColor(X, Y)); }

void SendMouse(QWidget* W, QEvent::Type Type, int X, int Y, Qt::MouseButton Button, Qt::MouseButtons Buttons) {
  QPointF Local(X, Y);
  QMouseEvent E(Type, Local, W->mapToGlobal(Local), Button, Buttons, Qt::NoModifier);
  QApplication::sendEvent(W, &E);
}

}  // namespace

TEST(Control, InvalidateThenRepaintPaintsOnce) {
  Probe P;
  P.SetBounds(0, 0, 30, 20);
  P.show();
  ProcessMessages();
  P.Paints = 0;
  P.Invalidate();
  P.Repaint();
  EXPECT_EQ(P.Paints, 1);
  ProcessMessages();  // the pending paint event only copies the surface
  P.grab();
  EXPECT_EQ(P.Paints, 1);
}

TEST(Control, DrawingOutsidePaintSurvivesThePaintEvent) {
  Probe P;
  P.SetColor(clWhite);
  P.SetBounds(0, 0, 40, 30);
  P.show();
  P.Repaint();
  P.Canvas().Pen().Color = clRed;
  P.Canvas().MoveTo(0, 5);
  P.Canvas().LineTo(40, 5);
  EXPECT_EQ(P.At(20, 5), clRed);
  EXPECT_EQ(ScreenPixel(P, 20, 5), clRed);
  // Only the invalidated part is painted anew; the line elsewhere stays.
  P.PaintColor = clBlue;
  P.InvalidateRect(Rect(0, 0, 10, 30));
  EXPECT_EQ(ScreenPixel(P, 5, 5), clBlue);
  EXPECT_EQ(ScreenPixel(P, 20, 5), clRed);
  EXPECT_EQ(ScreenPixel(P, 20, 20), clWhite);
}

TEST(Control, UpdatePaintsTheInvalidRegionHeadless) {
  Probe P;  // never shown
  P.SetColor(clWhite);
  P.SetBounds(0, 0, 20, 20);
  P.Repaint();
  P.PaintColor = clLime;
  P.InvalidateRect(Rect(0, 0, 5, 5));
  P.Update();
  EXPECT_EQ(P.At(4, 4), clLime);
  EXPECT_EQ(P.At(5, 5), clWhite);
}

TEST(Control, ResizeGivesASurfaceOfTheNewSize) {
  Probe P;
  P.SetColor(clYellow);
  P.SetBounds(3, 4, 20, 10);
  P.Resizes = 0;
  P.SetBounds(3, 4, 50, 40);  // hidden: no resize event, but the surface follows
  EXPECT_EQ(P.Surface().size(), QSize(50, 40));
  EXPECT_EQ(P.Resizes, 1);
  EXPECT_EQ(P.ClientRect(), Rect(0, 0, 50, 40));
  EXPECT_EQ(P.BoundsRect(), Rect(3, 4, 53, 44));
  P.Repaint();
  EXPECT_EQ(P.At(49, 39), clYellow);
  P.SetBounds(3, 4, 50, 40);  // same size: nothing happens
  EXPECT_EQ(P.Resizes, 1);
}

TEST(Control, ParentColorAndOpaqueStyle) {
  Probe Parent;
  Parent.SetColor(clRed);
  Parent.SetBounds(0, 0, 50, 50);
  Probe Child(nullptr, &Parent);
  Child.SetBounds(5, 5, 10, 10);
  ASSERT_TRUE(Child.ParentColor());
  EXPECT_TRUE(Child.Visible());
  Child.Repaint();
  EXPECT_EQ(Child.At(0, 0), clRed);
  Parent.SetColor(clBlue);
  Child.Update();
  EXPECT_EQ(Child.At(0, 0), clBlue);
  // An opaque control's surface is not cleared before Paint.
  Child.SetOpaque(true);
  Child.Canvas().SetPixel(3, 3, clLime);
  Child.Repaint();
  EXPECT_EQ(Child.At(3, 3), clLime);
}

TEST(Control, ParentFontReachesChildrenUntilTheirOwnIsSet) {
  TForm Form;
  Form.Font().SetHeight(-20);
  Probe Child(nullptr, &Form);
  EXPECT_EQ(Child.Font().Height(), -20);
  Form.Font().SetColor(clRed);
  EXPECT_EQ(Child.Font().Color(), clRed);
  Child.Font().SetHeight(-9);
  EXPECT_FALSE(Child.ParentFont());
  Form.Font().SetHeight(-30);
  EXPECT_EQ(Child.Font().Height(), -9);
}

TEST(Control, AlignedControlsShareTheParent) {
  Probe Parent;
  Parent.SetBounds(0, 0, 100, 80);
  Probe Top(nullptr, &Parent), Client(nullptr, &Parent);
  Top.SetHeight(20);
  Client.SetAlign(alClient);
  Top.SetAlign(alTop);
  EXPECT_EQ(Top.BoundsRect(), Rect(0, 0, 100, 20));
  EXPECT_EQ(Client.BoundsRect(), Rect(0, 20, 100, 80));
  Parent.SetBounds(0, 0, 60, 50);
  EXPECT_EQ(Client.BoundsRect(), Rect(0, 20, 60, 50));
}

TEST(Control, MouseCaptureClickAndDoubleClick) {
  Probe P;
  P.SetBounds(0, 0, 30, 30);
  QStringList Log;
  P.OnMouseDown = [&](TObject*, TMouseButton B, TShiftState S, Integer X, Integer Y) {
    Log << QStringLiteral("down %1 %2 %3,%4").arg(B).arg(S).arg(X).arg(Y);
  };
  P.OnMouseUp = [&](TObject*, TMouseButton B, TShiftState, Integer X, Integer Y) {
    Log << QStringLiteral("up %1 %2,%3").arg(B).arg(X).arg(Y);
  };
  P.OnClick = [&](TObject*) { Log << QStringLiteral("click"); };
  P.OnDblClick = [&](TObject*) { Log << QStringLiteral("dblclick"); };
  SendMouse(&P, QEvent::MouseButtonPress, 4, 5, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(P.MouseCapture());  // held while the button is down
  SendMouse(&P, QEvent::MouseButtonRelease, 6, 7, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(P.MouseCapture());
  SendMouse(&P, QEvent::MouseButtonPress, 4, 5, Qt::RightButton, Qt::RightButton);
  SendMouse(&P, QEvent::MouseButtonRelease, 40, 5, Qt::RightButton, Qt::NoButton);
  SendMouse(&P, QEvent::MouseButtonPress, 1, 1, Qt::LeftButton, Qt::LeftButton);
  SendMouse(&P, QEvent::MouseButtonRelease, 40, 1, Qt::LeftButton, Qt::NoButton);  // outside: no click
  SendMouse(&P, QEvent::MouseButtonDblClick, 2, 2, Qt::LeftButton, Qt::LeftButton);
  SendMouse(&P, QEvent::MouseButtonRelease, 2, 2, Qt::LeftButton, Qt::NoButton);
  const QStringList Expected = {
      "down 0 8 4,5", "click", "up 0 6,7", "down 1 16 4,5", "up 1 40,5", "down 0 8 1,1", "up 0 40,1",
      "dblclick",     "down 0 72 2,2", "up 0 2,2"};
  EXPECT_EQ(Log, Expected);
  P.SetMouseCapture(true);
  EXPECT_TRUE(P.MouseCapture());
  P.SetMouseCapture(false);
  EXPECT_FALSE(P.MouseCapture());
}

TEST(Timer, TickAndIntervalChangesWhileRunning) {
  TTimer T;
  int Ticks = 0;
  T.OnTimer = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &T);
    ++Ticks;
  };
  EXPECT_TRUE(T.Running());  // enabled, 1000 ms by default
  T.Tick();
  EXPECT_EQ(Ticks, 1);
  T.SetInterval(10);
  EXPECT_TRUE(T.Running());
  EXPECT_EQ(T.Interval(), 10);
  T.SetInterval(0);
  EXPECT_FALSE(T.Running());
  T.SetInterval(1);
  T.SetEnabled(false);
  EXPECT_FALSE(T.Running());
  T.SetEnabled(true);
  // The running timer reaches its handler through the event loop.
  QElapsedTimer Clock;
  Clock.start();
  while (Ticks < 3 && Clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_GE(Ticks, 3);
}

// Intervals below the platform timer's period run at that period; the
// property keeps what was set.
TEST(Timer, TicksNoFasterThanTheMinimumPeriod) {
  struct Row {
    const char* Name;
    Integer Interval, Period;
  };
  const Row Rows[] = {{"1 ms", 1, 10}, {"9 ms", 9, 10}, {"10 ms", 10, 10}, {"50 ms", 50, 50}, {"1 s", 1000, 1000}};
  for (const Row& R : Rows) {
    TTimer T;
    T.SetInterval(R.Interval);
    EXPECT_EQ(T.Interval(), R.Interval) << R.Name;
    EXPECT_EQ(T.Period(), R.Period) << R.Name;
    auto* Q = T.findChild<QTimer*>();
    ASSERT_NE(Q, nullptr);
    EXPECT_EQ(Q->interval(), R.Period) << R.Name;
  }
}

namespace {

class ColorSource : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
};

struct DragFixture {
  ColorSource Source;
  Probe Target, Other;
  QStringList Log;
  bool AcceptIt = true;
  DragFixture() {
    auto Over = [this](const char* Name) {
      return [this, Name](TObject*, TObject* Src, Integer X, Integer Y, TDragState S, bool& Accept) {
        EXPECT_TRUE(Accept);  // a handler starts from acceptance
        static const char* States[] = {"enter", "leave", "move"};
        Log << QStringLiteral("%1 %2 %3,%4").arg(Name, States[S]).arg(X).arg(Y);
        Accept = AcceptIt && dynamic_cast<ColorSource*>(Src) != nullptr;
      };
    };
    Target.OnDragOver = Over("target");
    Other.OnDragOver = Over("other");
    Target.OnDragDrop = [this](TObject*, TObject* Src, Integer X, Integer Y) {
      EXPECT_NE(dynamic_cast<ColorSource*>(Src), nullptr);
      Log << QStringLiteral("drop %1,%2").arg(X).arg(Y);
    };
    Source.OnEndDrag = [this](TObject*, TObject* T, Integer, Integer) {
      Log << QStringLiteral("end %1").arg(T == &Target ? "target" : T ? "?" : "none");
    };
  }
};

}  // namespace

TEST(DragDrop, EnterMoveLeaveDropOrder) {
  DragFixture F;
  F.Source.BeginDrag();
  EXPECT_TRUE(F.Source.Dragging());
  TDragManager& M = TDragManager::Instance();
  M.MoveOver(&F.Other, 1, 1);
  M.MoveOver(&F.Target, 2, 3);
  M.MoveOver(&F.Target, 4, 5);
  M.DropOn(&F.Target, 4, 5);
  EXPECT_FALSE(F.Source.Dragging());
  const QStringList Expected = {"other enter 1,1",  "other move 1,1",  "other leave 1,1",
                                         "target enter 2,3", "target move 2,3", "target move 4,5",
                                         "target leave 4,5", "drop 4,5",        "end target"};
  EXPECT_EQ(F.Log, Expected);
}

TEST(DragDrop, RefusedOrUnhandledTargetGetsNoDrop) {
  DragFixture F;
  F.AcceptIt = false;
  F.Source.BeginDrag();
  TDragManager::Instance().DropOn(&F.Target, 7, 8);
  const QStringList Expected = {"target enter 7,8", "target move 7,8", "target leave 7,8", "end none"};
  EXPECT_EQ(F.Log, Expected);
  // A control without a drag-over handler accepts nothing.
  F.Log.clear();
  Probe Plain;
  bool Dropped = false;
  Plain.OnDragDrop = [&](TObject*, TObject*, Integer, Integer) { Dropped = true; };
  F.Source.BeginDrag();
  TDragManager::Instance().DropOn(&Plain, 1, 1);
  EXPECT_FALSE(Dropped);
  EXPECT_EQ(F.Log, QStringList{"end none"});
}

TEST(DragDrop, AutomaticDragBeginsOnAPressAndSurvivesATargetGoingAway) {
  DragFixture F;
  F.Source.SetDragMode(dmAutomatic);
  bool Down = false;
  F.Source.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { Down = true; };
  SendMouse(&F.Source, QEvent::MouseButtonPress, 3, 3, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(F.Source.Dragging());
  EXPECT_FALSE(Down);
  {
    Probe Gone;
    Gone.OnDragOver = [](TObject*, TObject*, Integer, Integer, TDragState, bool&) {};
    TDragManager::Instance().MoveOver(&Gone, 1, 1);
  }
  TDragManager::Instance().DropOn(&F.Target, 2, 2);
  EXPECT_EQ(F.Log.back(), QStringLiteral("end target"));
}

TEST(Dialogs, MessageDlgGoesThroughTheHandler) {
  QString Seen;
  int SeenButtons = 0;
  SetMessageBoxHandler([&](const QString& Msg, TMsgDlgType Type, int Buttons, const QString& Caption) {
    Seen = Msg + QLatin1Char('|') + Caption + QLatin1Char('|') + QString::number(Type);
    SeenButtons = Buttons;
    return static_cast<int>(mrNo);
  });
  EXPECT_EQ(MessageDlg(QStringLiteral("Datei speichern?"), mtConfirmation, mbYes | mbNo, QStringLiteral("Frage")), mrNo);
  EXPECT_EQ(Seen, QStringLiteral("Datei speichern?|Frage|3"));
  EXPECT_EQ(SeenButtons, mbYes | mbNo);
  SetMessageBoxHandler(nullptr);
  // Headless without a handler: the first button answers at once.
  EXPECT_EQ(MessageDlg(QStringLiteral("x"), mtWarning, mbOK | mbCancel), mrOk);
  EXPECT_EQ(MessageDlg(QStringLiteral("x"), mtWarning, mbRetry | mbCancel), mrCancel);
}

TEST(Dialogs, ModalFormResults) {
  TForm Form;
  int Closes = 0;
  Form.OnClose = [&](TObject*) { ++Closes; };
  QTimer::singleShot(0, &Form, [&] { Form.Close(); });
  EXPECT_EQ(Form.ShowModal(), mrCancel);
  EXPECT_EQ(Closes, 1);
  QTimer::singleShot(0, &Form, [&] { Form.SetModalResult(mrOk); });
  EXPECT_EQ(Form.ShowModal(), mrOk);
  EXPECT_FALSE(Form.isVisible());
}

TEST(DragDrop, MouseDrivenDragFindsTheControlUnderTheCursor) {
  TForm Form;
  Form.setGeometry(100, 100, 200, 100);
  ColorSource Source(nullptr, &Form);
  Probe Target(nullptr, &Form);
  Source.SetBounds(0, 0, 50, 50);
  Target.SetBounds(100, 0, 50, 50);
  Form.show();
  ProcessMessages();
  QStringList Log;
  Target.OnDragOver = [&](TObject*, TObject* Src, Integer X, Integer Y, TDragState S, bool& Accept) {
    Log << QStringLiteral("over %1 %2,%3").arg(S).arg(X).arg(Y);
    Accept = Src == &Source;
  };
  Target.OnDragDrop = [&](TObject*, TObject*, Integer X, Integer Y) { Log << QStringLiteral("drop %1,%2").arg(X).arg(Y); };
  Source.SetDragMode(dmAutomatic);
  ASSERT_EQ(WindowFromPoint(Target.ClientToScreen(Point(10, 10))), &Target);
  // Qt sends the moves and the release to the pressed control.
  SendMouse(&Source, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton, Qt::LeftButton);
  SendMouse(&Source, QEvent::MouseMove, 110, 10, Qt::NoButton, Qt::LeftButton);
  SendMouse(&Source, QEvent::MouseMove, 20, 20, Qt::NoButton, Qt::LeftButton);  // back over the source
  SendMouse(&Source, QEvent::MouseMove, 112, 12, Qt::NoButton, Qt::LeftButton);
  SendMouse(&Source, QEvent::MouseButtonRelease, 112, 12, Qt::LeftButton, Qt::NoButton);
  const QStringList Expected = {"over 0 10,10", "over 2 10,10", "over 1 10,10", "over 0 12,12",
                                "over 2 12,12", "over 1 12,12", "drop 12,12"};
  EXPECT_EQ(Log, Expected);
  EXPECT_FALSE(Source.Dragging());
  EXPECT_FALSE(Source.MouseCapture());
}

TEST(Control, KeysArriveAsVirtualKeys) {
  ColorSource C;
  QList<int> Keys;
  C.OnKeyDown = [&](TObject*, Word& Key, TShiftState Shift) { Keys << Key << Shift; };
  QKeyEvent Left(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
  QApplication::sendEvent(&C, &Left);
  QKeyEvent A(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
  QApplication::sendEvent(&C, &A);
  EXPECT_EQ(Keys, (QList<int>{VK_LEFT, ssShift, 'A', ssCtrl}));
}
