// The English translation: built by the build, carried in the library and
// chosen by the locale; German stays the text of German locales.
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <gtest/gtest.h>
#include <memory>

#include "quellix/host/Translations.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;

namespace {

QString Tr(const char* Context, const char* Text) { return QCoreApplication::translate(Context, Text); }

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
