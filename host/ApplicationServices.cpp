// Application services of the host: the message box (answered by a handler
// or, headless, by its first button), the beep, the cursor position and the
// window under a screen point.
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>

#include "quellix/host/Controls.h"

namespace quellix {

// ---------------------------------------------------------------------------
// Application services

namespace {

TMessageBoxHandler& MessageHandler() {
  static TMessageBoxHandler H;
  return H;
}

struct ButtonInfo {
  TMsgDlgBtn Button;
  int Result;
  QMessageBox::StandardButton Standard;
};

// In the order the buttons appear in the box.
const ButtonInfo MsgButtons[] = {
    {mbYes, mrYes, QMessageBox::Yes},       {mbNo, mrNo, QMessageBox::No},
    {mbOK, mrOk, QMessageBox::Ok},          {mbCancel, mrCancel, QMessageBox::Cancel},
    {mbAbort, mrAbort, QMessageBox::Abort}, {mbRetry, mrRetry, QMessageBox::Retry},
    {mbIgnore, mrIgnore, QMessageBox::Ignore},
};

bool Headless() {
  const QString P = QGuiApplication::platformName();
  return P == QLatin1String("offscreen") || P == QLatin1String("minimal");
}

}  // namespace

void SetMessageBoxHandler(TMessageBoxHandler Handler) { MessageHandler() = std::move(Handler); }

// With a handler installed the handler answers. Without one, a headless
// run (offscreen platform) must not block on a box nobody can press: it
// answers with the first button's result.
int MessageDlg(const QString& Msg, TMsgDlgType DlgType, int Buttons, const QString& Caption) {
  if (MessageHandler()) return MessageHandler()(Msg, DlgType, Buttons, Caption);
  if ((Buttons & 0x7F) == 0) Buttons = mbOK;
  if (Headless()) {
    for (const ButtonInfo& B : MsgButtons)
      if (Buttons & B.Button) return B.Result;
  }
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QString Title = Caption;
  switch (DlgType) {
    case mtWarning:
      Icon = QMessageBox::Warning;
      if (Title.isEmpty()) Title = QStringLiteral("Warnung");
      break;
    case mtError:
      Icon = QMessageBox::Critical;
      if (Title.isEmpty()) Title = QStringLiteral("Fehler");
      break;
    case mtInformation:
      Icon = QMessageBox::Information;
      if (Title.isEmpty()) Title = QStringLiteral("Information");
      break;
    case mtConfirmation:
      Icon = QMessageBox::Question;
      if (Title.isEmpty()) Title = QStringLiteral("Bestätigen");
      break;
    case mtCustom:
      if (Title.isEmpty()) Title = QCoreApplication::applicationName();
      break;
  }
  QMessageBox Box(Icon, Title, Msg, QMessageBox::NoButton, QApplication::activeWindow());
  for (const ButtonInfo& B : MsgButtons)
    if (Buttons & B.Button) Box.addButton(B.Standard);
  Box.exec();
  const auto Clicked = Box.standardButton(Box.clickedButton());
  for (const ButtonInfo& B : MsgButtons)
    if (B.Standard == Clicked) return B.Result;
  return mrCancel;
}

void ShowMessage(const QString& Msg) { MessageDlg(Msg, mtCustom, mbOK, QString()); }

void MessageBeep() { QApplication::beep(); }

TPoint CursorPos() {
  QPoint P = QCursor::pos();
  return {P.x(), P.y()};
}

QWidget* WindowFromPoint(TPoint ScreenPoint) { return QApplication::widgetAt(QPoint(ScreenPoint.X, ScreenPoint.Y)); }

}  // namespace quellix
