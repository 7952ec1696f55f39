// The English translation: built by the build, carried in the library and
// chosen by the locale; German stays the text of German locales.
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <memory>

#include "quellix/app/HistographXYWindow.h"
#include "quellix/host/Translations.h"
#include "quellix/stripchart/RemarkDialog.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;

namespace {

QString Tr(const char* Context, const char* Text) { return QCoreApplication::translate(Context, Text); }

// The texts of a window's buttons, in creation order.
template <class TButton>
QStringList ButtonTexts(const QWidget& W) {
  QStringList L;
  for (const TButton* B : W.findChildren<TButton*>()) L << B->text();
  return L;
}

struct TRestoreGerman {
  ~TRestoreGerman() { InstallTranslation(QLocale(QLocale::German, QLocale::Germany)); }
};

}  // namespace

TEST(Translation, AnEnglishLocaleGetsTheEnglishCaptions) {
  TRestoreGerman Restore;
  ASSERT_TRUE(InstallTranslation(QLocale(QLocale::English, QLocale::UnitedKingdom)));
  EXPECT_EQ(Tr("TQuellix32", "&Beispielprogramme"), QStringLiteral("&Sample programs"));
  EXPECT_EQ(Tr("TQuellix32", "RC &Tiefpaß"), QStringLiteral("RC &low-pass"));
  EXPECT_EQ(Tr("TQuellix32", "&Über diese Demo"), QStringLiteral("&About this demo"));
  StrpChrtInt::TStripChartInt Chart;
  std::unique_ptr<QMenu> Menu(Chart.NewExportMenu());
  EXPECT_EQ(Menu->actions().at(0)->text(), QStringLiteral("Save picture …"));
  EXPECT_EQ(Menu->actions().at(1)->text(), QStringLiteral("Save data (CSV) …"));
}

TEST(Translation, AGermanLocaleKeepsTheGermanTexts) {
  ASSERT_TRUE(InstallTranslation(QLocale(QLocale::English, QLocale::UnitedStates)));
  EXPECT_FALSE(InstallTranslation(QLocale(QLocale::German, QLocale::Austria)));  // removes the English one
  EXPECT_EQ(Tr("TQuellix32", "&Beispielprogramme"), QStringLiteral("&Beispielprogramme"));
  StrpChrtInt::TStripChartInt Chart;
  std::unique_ptr<QMenu> Menu(Chart.NewExportMenu());
  EXPECT_EQ(Menu->actions().at(0)->text(), QStringLiteral("Bild speichern …"));
}

// Windows take their texts when they are built: a demo window and a chart
// dialog built under an English locale speak English, built under a German
// one German.
TEST(Translation, DemoWindowsAndChartDialogsAreBuiltInTheLocalesLanguage) {
  TRestoreGerman Restore;
  ASSERT_TRUE(InstallTranslation(QLocale(QLocale::English, QLocale::UnitedStates)));
  {
    HistoXY_Unit::THisto1_Demo Demo;
    EXPECT_EQ(Demo.windowTitle(), QStringLiteral("THistograph Demo"));
    EXPECT_EQ(Demo.TitleLabel()->text(), QStringLiteral("XY display"));
    EXPECT_EQ(Demo.ExplanationBox()->title(), QStringLiteral("Explanation"));
    EXPECT_EQ(Demo.CloseButton()->text(), QStringLiteral("&Close"));
    EXPECT_TRUE(ButtonTexts<QPushButton>(Demo).contains(QStringLiteral("&New figure")));
    Remedit::TEditRemark Remark;
    EXPECT_EQ(Remark.Caption(), QStringLiteral("Edit remark"));
    EXPECT_EQ(ButtonTexts<QRadioButton>(Remark), (QStringList{QStringLiteral("Automatic"), QStringLiteral("Manual")}));
    EXPECT_TRUE(ButtonTexts<QPushButton>(Remark).contains(QStringLiteral("Cancel")));
  }
  EXPECT_FALSE(InstallTranslation(QLocale(QLocale::German, QLocale::Germany)));
  HistoXY_Unit::THisto1_Demo Demo;
  EXPECT_EQ(Demo.TitleLabel()->text(), QStringLiteral("XY-Darstellung"));
  EXPECT_EQ(Demo.CloseButton()->text(), QStringLiteral("&Schließen"));
  Remedit::TEditRemark Remark;
  EXPECT_EQ(ButtonTexts<QRadioButton>(Remark), (QStringList{QStringLiteral("Automatisch"), QStringLiteral("Manuell")}));
}
