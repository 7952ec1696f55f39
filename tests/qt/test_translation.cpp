// The English translation: built by the build, carried in the library and
// chosen by the locale; German stays the text of German locales.
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
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
  EXPECT_EQ(Demo.CloseButton()->text(), QStringLiteral("S&chließen"));
  Remedit::TEditRemark Remark;
  EXPECT_EQ(ButtonTexts<QRadioButton>(Remark), (QStringList{QStringLiteral("Automatisch"), QStringLiteral("Manuell")}));
}

namespace {

struct TMessage {
  QString Context, Source, Translation;
  bool Finished = true;
};

std::vector<TMessage> ReadTs(const QString& FileName) {
  std::vector<TMessage> L;
  QFile F(FileName);
  if (!F.open(QIODevice::ReadOnly)) return L;
  QXmlStreamReader X(&F);
  QString Context;
  while (!X.atEnd()) {
    if (X.readNext() != QXmlStreamReader::StartElement) continue;
    if (X.name() == QLatin1String("name")) Context = X.readElementText();
    else if (X.name() == QLatin1String("message")) L.push_back({Context, {}, {}});
    else if (X.name() == QLatin1String("source")) L.back().Source = X.readElementText();
    else if (X.name() == QLatin1String("translation")) {
      L.back().Finished = X.attributes().value(QLatin1String("type")).isEmpty();
      L.back().Translation = X.readElementText();
    }
  }
  return L;
}

// What a translation must keep of its source for the code that uses it:
// the arguments filled in by arg(), the number of accelerator marks and
// line breaks, and the blank or colon that joins it to the next text.
QString Shape(const QString& S) {
  QStringList Args;
  for (const auto& M : QRegularExpression(QStringLiteral("%\\d")).globalMatch(S)) Args << M.captured();
  Args.sort();
  const QChar Last = S.isEmpty() ? QChar() : S.back();
  return Args.join(QLatin1Char(' ')) + QStringLiteral(" &%1 n%2 end[%3]")
                                           .arg(S.count(QLatin1Char('&')))
                                           .arg(S.count(QLatin1Char('\n')))
                                           .arg(Last == QLatin1Char(' ') || Last == QLatin1Char(':') ? Last : QChar('-'));
}

}  // namespace

// Every text of the translation source is translated, and keeps what the
// code relies on (a lost %1 would show "%1", a lost & the key).
TEST(Translation, EveryTextIsTranslatedAndKeepsItsArgumentsAndMarks) {
  const std::vector<TMessage> Messages = ReadTs(QStringLiteral(QUELLIX_TS_FILE));
  ASSERT_GT(Messages.size(), 200u);
  for (const TMessage& M : Messages) {
    EXPECT_TRUE(M.Finished && !M.Translation.isEmpty()) << M.Context.toStdString() << ": " << M.Source.toStdString();
    EXPECT_EQ(Shape(M.Translation), Shape(M.Source)) << M.Context.toStdString() << ": " << M.Source.toStdString();
    // The program asks for the class name with its namespace.
    if (M.Context != QLatin1String("TQuellix32")) {
      EXPECT_TRUE(M.Context.startsWith(QLatin1String("quellix::"))) << M.Context.toStdString();
    }
  }
}
