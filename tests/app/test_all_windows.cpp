// Every window of the program, opened and run for a while as a user would:
// shown, its timers ticked, hidden again, twice. Catches windows that crash
// or leave a timer running once they are closed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QTabWidget>
#include <map>

#include "quellix/app/Application.h"
#include "quellix/app/DemoWindow.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/instruments/Led.h"

using namespace quellix;

namespace {

// The timers a window owns, directly or through its components (the
// histographs' own timers and the LEDs' flash timers included).
void CollectTimers(TComponentCore* Owner, std::vector<TTimer*>& Timers) {
  for (int I = 0; I < Owner->ComponentCount(); ++I) {
    TComponentCore* C = Owner->Components(I);
    if (auto* T = dynamic_cast<TTimer*>(C)) Timers.push_back(T);
    if (auto* H = dynamic_cast<HistoInt::THistographInt*>(C)) Timers.push_back(&H->Timer());
    if (auto* L = dynamic_cast<LedInt::TLedInt*>(C)) Timers.push_back(&L->FlashTimer());
    CollectTimers(C, Timers);
  }
}

}  // namespace

TEST(AllWindows, OpenRunAndCloseEveryWindowTwice) {
  app::TDemoApplication Demo;
  Demo.CreateForms();
  SetMessageBoxHandler([](const QString&, TMsgDlgType, int, const QString&) { return int(mrOk); });
  size_t TotalTimers = 0;
  for (int Round = 0; Round < 2; ++Round) {
    for (TForm* W : Demo.Forms()) {
      SCOPED_TRACE(W->Caption().toStdString());
      W->setAttribute(Qt::WA_DontShowOnScreen, true);
      W->show();
      QApplication::processEvents();
      std::vector<TTimer*> Timers;
      CollectTimers(W, Timers);
      if (Round == 0) TotalTimers += Timers.size();
      for (int Tick = 0; Tick < 20; ++Tick)
        for (TTimer* T : Timers)
          if (T->Enabled()) T->Tick();
      W->grab();  // paints every component
      W->hide();
      QApplication::processEvents();
      // A closed window keeps nothing ticking behind the menu.
      std::vector<TTimer*> After;
      CollectTimers(W, After);
      for (TTimer* T : After) EXPECT_FALSE(T->Running()) << T->Name().toStdString();
    }
  }
  SetMessageBoxHandler(nullptr);
  // The windows driven by timers of their own or of their histographs.
  EXPECT_GE(TotalTimers, 40u);
}

// Alt plus a letter reaches one control of a window, never two: the close
// button's key differs from "&Start", "&Stop" and every other caption.
TEST(AllWindows, NoTwoControlsOfAWindowShareAnAccessKey) {
  app::TDemoApplication Demo;
  Demo.CreateForms();
  for (TForm* W : Demo.Forms()) {
    std::map<QKeySequence, QString> Owner;
    const auto Take = [&](const QString& Text) {
      const QKeySequence Key = QKeySequence::mnemonic(Text);
      if (Key.isEmpty()) return;
      const auto [It, New] = Owner.emplace(Key, Text);
      EXPECT_TRUE(New) << W->Caption().toStdString() << ": \"" << Text.toStdString() << "\" and \""
                       << It->second.toStdString() << "\"";
    };
    for (QWidget* C : W->findChildren<QWidget*>()) {
      if (!C->isVisibleTo(W)) continue;
      if (auto* B = qobject_cast<QAbstractButton*>(C)) Take(B->text());
      if (auto* G = qobject_cast<QGroupBox*>(C)) Take(G->title());
      if (auto* L = qobject_cast<QLabel*>(C); L && L->buddy()) Take(L->text());
      if (auto* T = qobject_cast<QTabWidget*>(C))
        for (int I = 0; I < T->count(); ++I) Take(T->tabText(I));
    }
  }
}

// The parts of a demonstration window (title, client area, explanation,
// close button) lie side by side, and the client area holds its contents:
// no frame is drawn over another.
TEST(AllWindows, FramesOfADemonstrationWindowDoNotOverlap) {
  app::TDemoApplication Demo;
  Demo.CreateForms();
  for (TForm* F : Demo.Forms()) {
    auto* W = dynamic_cast<app::TDemoWindow*>(F);
    if (!W) continue;
    SCOPED_TRACE(W->Caption().toStdString());
    W->setAttribute(Qt::WA_DontShowOnScreen, true);
    W->show();
    QApplication::processEvents();
    std::vector<QWidget*> Parts;
    for (QWidget* C : W->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (C->isVisible()) Parts.push_back(C);
    for (size_t I = 0; I < Parts.size(); ++I)
      for (size_t J = I + 1; J < Parts.size(); ++J)
        EXPECT_FALSE(Parts[I]->geometry().intersects(Parts[J]->geometry()))
            << Parts[I]->metaObject()->className() << " and " << Parts[J]->metaObject()->className() ;
    const QRect Client = W->ClientArea()->rect();
    for (QWidget* C : W->ClientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (C->isVisible() && C->layout() == nullptr && W->ClientArea()->layout())
        EXPECT_TRUE(Client.contains(C->geometry())) << C->objectName().toStdString();
    W->hide();
  }
}
