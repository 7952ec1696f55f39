// The font dialog offers the font colour among its effects: the 16
// standard colours, the font's own one selected; the choice reaches the
// font on OK, Cancel leaves the font as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <functional>

#include "quellix/host/FontDialog.h"

using namespace quellix;

namespace {

// Runs ChooseFont and, once its dialog is up, lets Act work on the colour
// list and the dialog.
bool RunDialog(TFont& F, const std::function<void(QDialog&, QComboBox&)>& Act) {
  QTimer::singleShot(0, [&] {
    auto* D = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(D, nullptr);
    auto* Colors = D->findChild<QComboBox*>(QStringLiteral("FontColor"));
    ASSERT_NE(Colors, nullptr);
    EXPECT_TRUE(Colors->isVisibleTo(D));
    Act(*D, *Colors);
  });
  return ChooseFont(F, false);
}

}  // namespace

TEST(FontDialog, TheColourIsOneOfTheEffects) {
  struct Row {
    const char* Name;
    TColor Start;
    int Pick;        // index in the list, -1: leave it
    bool Ok;
    TColor Result;
  };
  const Row Rows[] = {
      {"red picked, OK", clBlack, 9, true, clRed},
      {"blue picked, Cancel", clBlack, 12, false, clBlack},
      {"untouched, OK keeps a system colour", clWindowText, -1, true, clWindowText},
      {"a colour of its own is offered and kept", RGB(1, 2, 3), -1, true, RGB(1, 2, 3)},
  };
  for (const Row& R : Rows) {
    TFont F;
    F.SetName(QStringLiteral("Arial"));
    F.SetColor(R.Start);
    int Shown = -2;
    const bool Ok = RunDialog(F, [&](QDialog& D, QComboBox& Colors) {
      Shown = Colors.currentIndex();
      if (R.Pick >= 0) Colors.setCurrentIndex(R.Pick);
      if (R.Ok)
        D.accept();
      else
        D.reject();
    });
    EXPECT_EQ(Ok, R.Ok) << R.Name;
    EXPECT_EQ(F.Color(), R.Result) << R.Name;
    const auto Choices = FontColorChoices(R.Start);
    ASSERT_GE(Shown, 0) << R.Name;
    EXPECT_EQ(ColorToRGB(Choices[Shown].Color), ColorToRGB(R.Start)) << R.Name << ": the font's colour is selected";
  }
  EXPECT_EQ(FontColorChoices(clRed).size(), 16u);
  EXPECT_EQ(FontColorChoices(RGB(1, 2, 3)).size(), 17u);
}
