// The information windows: the RTF reader behind the measure-source
// library's text (formatting, characters, skipped destinations, broken
// input), loading and paging in that window, the contact tabs, the
// pictures, and the launcher's rows for the four windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <memory>
#include <set>

#include "quellix/app/Application.h"
#include "quellix/app/SerialLineWindow.h"
#include "quellix/app/DataLoggerWindow.h"
#include "quellix/app/DistributorsWindow.h"
#include "quellix/app/MeasureLibraryWindow.h"

using namespace quellix;
using MSLib_Unit::ReadRtf;
using MSLib_Unit::TMeasureSource_Demo;

namespace {

QString ReadText(const QByteArray& Rtf) {
  QTextDocument Doc;
  EXPECT_TRUE(ReadRtf(Rtf, Doc));
  // The raw text keeps non-breaking spaces; paragraphs shown as '\n'.
  return Doc.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

// The character format of the first character of Word in Doc.
QTextCharFormat FormatOf(QTextDocument& Doc, const QString& Word) {
  const int At = Doc.toPlainText().indexOf(Word);
  EXPECT_GE(At, 0) << Word.toStdString();
  QTextCursor C(&Doc);
  C.setPosition(At + 1);
  return C.charFormat();
}

}  // namespace

// ---------------------------------------------------------------- RTF reader

TEST(RtfReader, CharacterFormattingFollowsGroupsAndPlain) {
  QTextDocument Doc;
  ASSERT_TRUE(ReadRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
                      "Plain {\\b Bold {\\i Both}} After \\i Ital\\i0  Upright \\fs40 Big\\cf1 Red\\cf2 Navy"
                      "\\cf9 Beyond\\plain  Reset}",
                      Doc));
  EXPECT_EQ(Doc.toPlainText(), QStringLiteral("Plain Bold Both After Ital Upright BigRedNavyBeyond Reset"));
  EXPECT_EQ(FormatOf(Doc, "Plain").fontWeight(), QFont::Normal);
  EXPECT_EQ(FormatOf(Doc, "Bold").fontWeight(), QFont::Bold);
  EXPECT_FALSE(FormatOf(Doc, "Bold").fontItalic());
  EXPECT_EQ(FormatOf(Doc, "Both").fontWeight(), QFont::Bold);
  EXPECT_TRUE(FormatOf(Doc, "Both").fontItalic());
  // Closing the groups restores the state before them.
  EXPECT_EQ(FormatOf(Doc, "After").fontWeight(), QFont::Normal);
  EXPECT_FALSE(FormatOf(Doc, "After").fontItalic());
  EXPECT_TRUE(FormatOf(Doc, "Ital").fontItalic());
  EXPECT_FALSE(FormatOf(Doc, "Upright").fontItalic());
  EXPECT_DOUBLE_EQ(FormatOf(Doc, "Plain").fontPointSize(), 12.0);  // RTF's default \fs24
  EXPECT_DOUBLE_EQ(FormatOf(Doc, "Big").fontPointSize(), 20.0);
  EXPECT_FALSE(FormatOf(Doc, "Big").hasProperty(QTextFormat::ForegroundBrush));
  EXPECT_EQ(FormatOf(Doc, "Red").foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(FormatOf(Doc, "Navy").foreground().color(), QColor(0, 0, 128));
  // An index beyond the colour table falls back to the automatic colour.
  EXPECT_FALSE(FormatOf(Doc, "Beyond").hasProperty(QTextFormat::ForegroundBrush));
  EXPECT_DOUBLE_EQ(FormatOf(Doc, "Reset").fontPointSize(), 12.0);
  EXPECT_FALSE(FormatOf(Doc, "Reset").hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfReader, ColourTableEntries) {
  QTextDocument Doc;
  // Entry 0 is automatic, entry 1 has only green, and the last entry lacks
  // its ';' because the table is cut off by its closing brace.
  ASSERT_TRUE(ReadRtf("{\\rtf1{\\colortbl;\\green200;\\red1\\green2\\blue3}"
                      "\\cf0 Auto \\cf1 Green \\cf2 Last \\cf-4 Negative}",
                      Doc));
  EXPECT_FALSE(FormatOf(Doc, "Auto").hasProperty(QTextFormat::ForegroundBrush));
  EXPECT_EQ(FormatOf(Doc, "Green").foreground().color(), QColor(0, 200, 0));
  EXPECT_EQ(FormatOf(Doc, "Last").foreground().color(), QColor(1, 2, 3));
  EXPECT_FALSE(FormatOf(Doc, "Negative").hasProperty(QTextFormat::ForegroundBrush));
  // The table's own text never reaches the document.
  EXPECT_EQ(Doc.toPlainText(), QStringLiteral("Auto Green Last Negative"));
}

TEST(RtfReader, ParagraphsCarryTheirAlignment) {
  QTextDocument Doc;
  ASSERT_TRUE(ReadRtf("{\\rtf1{\\pard\\qc\\sa240 Title\\par}{\\pard Body\\line second\\par}Tail}", Doc));
  ASSERT_EQ(Doc.blockCount(), 3);
  EXPECT_EQ(Doc.findBlockByNumber(0).text(), QStringLiteral("Title"));
  EXPECT_EQ(Doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_DOUBLE_EQ(Doc.findBlockByNumber(0).blockFormat().bottomMargin(), 12.0);
  EXPECT_EQ(Doc.findBlockByNumber(1).text(), QStringLiteral("Body") + QChar(QChar::LineSeparator) + "second");
  EXPECT_EQ(Doc.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  EXPECT_EQ(Doc.findBlockByNumber(2).text(), QStringLiteral("Tail"));
}

TEST(RtfReader, Characters) {
  struct TRow {
    const char* Name;
    QByteArray Body;
    QString Expected;
  };
  const TRow Rows[] = {
      {"escaped braces and backslash", "a\\{b\\}c\\\\d", "a{b}c\\d"},
      {"code-page umlauts", "\\'e4\\'f6\\'fc\\'df\\'C4", QString::fromUtf8("äöüßÄ")},
      {"code-page 0x80 is the euro sign", "\\'80\\'96", QString::fromUtf8("€–")},
      {"unassigned code-page byte", "\\'81", QString(QChar(0xFFFD))},
      {"raw high byte read in the code page", "x\x93y", QString::fromUtf8("x“y")},
      {"bad hex pair dropped, text kept", "a\\'zzb", "azzb"},
      {"unicode with its fallback skipped", "\\u8364?x", QString::fromUtf8("€x")},
      {"no fallback after uc0", "\\uc0\\u8364 x", QString::fromUtf8("€x")},
      {"fallback given as hex escape", "\\u252\\'fc!", QString::fromUtf8("ü!")},
      {"negative unicode wraps to 16 bits", "\\u-4064?", QString(QChar(0xF020))},
      {"lone surrogate dropped", "\\u55296?a", "a"},
      {"space delimits a control word", "\\b  two", " two"},
      {"par and pard are different words", "a\\pard b", "ab"},
      {"unknown control words ignored", "\\foo12 text\\bar", "text"},
      {"non-breaking space", "a\\~b", QString::fromUtf8("a\u00A0b")},
      {"optional hyphen ignored", "a\\-b", "ab"},
      {"line ends in the text ignored", "a\r\nb", "ab"},
      {"backslash before a line end ends the paragraph", "a\\\nb", "a\nb"},
      {"named punctuation", "\\ldblquote x\\rdblquote \\endash", QString::fromUtf8("“x”–")},
      {"destinations skipped",
       "{\\fonttbl{\\f0 Arial;}}{\\*\\generator X;}{\\*\\unknown Y}{\\info{\\title T}}{\\stylesheet{S;}}Z", "Z"},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    EXPECT_EQ(ReadText("{\\rtf1 " + Row.Body + "}"), Row.Expected);
  }
}

TEST(RtfReader, BrokenInputGivesWhatCouldBeRead) {
  struct TRow {
    const char* Name;
    QByteArray Rtf;
    QString Expected;
  };
  const TRow Rows[] = {
      {"surplus closing braces ignored", "{\\rtf1 a}}}b", "ab"},
      {"groups never closed", "{\\rtf1 {\\b a{\\i b", "ab"},
      {"cut off inside a skipped group", "{\\rtf1 abc{\\*\\foo x", "abc"},
      {"backslash at the end", "{\\rtf1 a\\", "a"},
      {"code-page escape cut off", "{\\rtf1 a\\'", "a"},
      {"code-page escape with one digit", "{\\rtf1 a\\'4", "a4"},
      {"unicode fallback cut off", "{\\rtf1 a\\u8364", QString::fromUtf8("a€")},
      {"header only", "{\\rtf", ""},
      {"overlong control word", "{\\rtf1 \\" + QByteArray(5000, 'x') + " a}", "a"},
      {"absurd parameters", "{\\rtf1 \\fs99999999999999999999999 \\cf-99999999999 \\u99999999?a}", "a"},
      {"nul bytes", QByteArray("{\\rtf1 a\0b}", 11), QString("a") + QChar(0) + "b"},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    EXPECT_EQ(ReadText(Row.Rtf), Row.Expected);
  }
  // Clamped sizes stay usable fonts.
  QTextDocument Doc;
  ASSERT_TRUE(ReadRtf("{\\rtf1 \\fs99999999 Huge}", Doc));
  EXPECT_DOUBLE_EQ(FormatOf(Doc, "Huge").fontPointSize(), 200.0);

  // Nesting far deeper than any document neither overflows nor loses text.
  const QByteArray Deep = "{\\rtf1 " + QByteArray(200000, '{') + "deep" + QByteArray(200000, '}') + "}";
  EXPECT_EQ(ReadText(Deep), QStringLiteral("deep"));
}

TEST(RtfReader, DamagedCopiesOfTheDescriptionAreReadWithoutFailing) {
  QFile File(TMeasureSource_Demo::DefaultFileName());
  ASSERT_TRUE(File.open(QIODevice::ReadOnly));
  const QByteArray Original = File.readAll();
  QRandomGenerator Random(20261208);
  for (int Round = 0; Round < 300; ++Round) {
    QByteArray Copy = Original.left(Random.bounded(Original.size() + 1));
    if (Copy.size() < 5) Copy = "{\\rtf";
    // Flip a few bytes, favouring the characters that steer the reader.
    static const char Special[] = "{}\\'*;0123456789 -";
    for (int I = 0; I < 8; ++I) {
      const int At = Random.bounded(5, int(std::max<qsizetype>(Copy.size(), 6)));
      if (At >= Copy.size()) break;
      Copy[At] = Random.bounded(2) ? Special[Random.bounded(int(sizeof(Special) - 1))]
                                   : char(Random.bounded(256));
    }
    QTextDocument Doc;
    EXPECT_TRUE(ReadRtf(Copy, Doc)) << "round " << Round;
  }
}

TEST(RtfReader, RefusesTextWithoutTheHeader) {
  QTextDocument Doc;
  Doc.setPlainText("old");
  QString Error;
  EXPECT_FALSE(ReadRtf("Hallo {\\rtf1 x}", Doc, &Error));
  EXPECT_TRUE(Error.contains("kein RTF")) << Error.toStdString();
  EXPECT_TRUE(Doc.isEmpty());
  EXPECT_FALSE(ReadRtf("", Doc, &Error));
  EXPECT_FALSE(ReadRtf("{\\rt", Doc, &Error));
  // Leading white space before the header is allowed.
  EXPECT_TRUE(ReadRtf(" \r\n{\\rtf1 x}", Doc, &Error));
  EXPECT_TRUE(Error.isEmpty());
  EXPECT_EQ(Doc.toPlainText(), QStringLiteral("x"));
}

// ---------------------------------------------------------------- library window

TEST(MeasureSourceWindow, ShowsTheBuiltInDescription) {
  TMeasureSource_Demo W;
  EXPECT_EQ(W.Caption(), QStringLiteral("MeasureSource Library"));
  EXPECT_TRUE(W.LoadError().isEmpty()) << W.LoadError().toStdString();
  QTextDocument* Doc = W.RichEdit1->document();
  const QString Text = Doc->toPlainText();
  for (const char* Name : {"TMeasureSource", "TMeasureLink", "TAudioIn", "TDataEvent", "MeasureSource"})
    EXPECT_TRUE(Text.contains(QLatin1String(Name))) << Name;
  // Code-page characters of the file come out as umlauts.
  EXPECT_TRUE(Text.contains(QString::fromUtf8("Überblick")));
  EXPECT_FALSE(Text.contains(QLatin1Char('\\')));
  EXPECT_EQ(FormatOf(*Doc, QString::fromUtf8("Überblick")).fontWeight(), QFont::Bold);
  EXPECT_GT(Doc->blockCount(), 10);

  // The three-line blue title beside the viewer and the red hint below it.
  EXPECT_EQ(W.TitleLabel()->text().count(QLatin1Char('\n')), 2);
  EXPECT_TRUE(W.TitleLabel()->styleSheet().contains("#0000ff"));
  EXPECT_EQ(W.HintLabel->text(), QString::fromUtf8("Blättern mit PgUp - PgDown"));
  EXPECT_TRUE(W.HintLabel->styleSheet().contains("#ff0000"));
}

TEST(MeasureSourceWindow, FailedLoadShowsAGermanMessage) {
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  TMeasureSource_Demo W;

  EXPECT_FALSE(W.LoadFile(Dir.filePath("MSLib.RTF")));
  EXPECT_TRUE(W.LoadError().contains("MSLib.RTF"));
  EXPECT_TRUE(W.LoadError().contains("nicht gefunden")) << W.LoadError().toStdString();
  EXPECT_EQ(W.RichEdit1->toPlainText(), W.LoadError());

  const QString Plain = Dir.filePath("Notiz.RTF");
  {
    QFile F(Plain);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("Nur Text");
  }
  EXPECT_FALSE(W.LoadFile(Plain));
  EXPECT_TRUE(W.LoadError().contains("kein RTF")) << W.LoadError().toStdString();
  EXPECT_EQ(W.RichEdit1->toPlainText(), W.LoadError());

  // A good file afterwards replaces the message and clears the error.
  const QString Good = Dir.filePath("Gut.RTF");
  {
    QFile F(Good);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("{\\rtf1 Neu\\par}");
  }
  EXPECT_TRUE(W.LoadFile(Good));
  EXPECT_TRUE(W.LoadError().isEmpty());
  EXPECT_EQ(W.RichEdit1->toPlainText(), QStringLiteral("Neu\n"));
}

TEST(MeasureSourceWindow, PageKeysPageTheViewer) {
  TMeasureSource_Demo W;
  W.setAttribute(Qt::WA_DontShowOnScreen, true);
  W.show();
  QApplication::processEvents();
  QScrollBar* Bar = W.RichEdit1->verticalScrollBar();
  ASSERT_GT(Bar->maximum(), Bar->pageStep()) << "the text must be longer than two pages";
  ASSERT_EQ(Bar->value(), 0);

  auto Press = [](QWidget* Target, int Key) {
    QKeyEvent Event(QEvent::KeyPress, Key, Qt::NoModifier);
    QApplication::sendEvent(Target, &Event);
  };
  // Keys that reach the window page the viewer, whichever control has focus.
  Press(&W, Qt::Key_PageDown);
  EXPECT_EQ(Bar->value(), Bar->pageStep());
  Press(&W, Qt::Key_PageUp);
  EXPECT_EQ(Bar->value(), 0);
  Press(&W, Qt::Key_PageUp);
  EXPECT_EQ(Bar->value(), 0);
  for (int I = 0; I < 200 && Bar->value() < Bar->maximum(); ++I) Press(&W, Qt::Key_PageDown);
  EXPECT_EQ(Bar->value(), Bar->maximum());
  // Other keys leave the text where it is.
  Press(&W, Qt::Key_A);
  EXPECT_EQ(Bar->value(), Bar->maximum());

  // The viewer has the keyboard once the window is shown, and pages itself.
  EXPECT_TRUE(W.RichEdit1->hasFocus() || QApplication::focusWidget() == nullptr);
  Press(W.RichEdit1, Qt::Key_PageUp);
  EXPECT_LT(Bar->value(), Bar->maximum());
  W.hide();
}

// ---------------------------------------------------------------- contacts

TEST(HerstellerWindow, ThreeTabsOfPlaceholderContacts) {
  Hersteller_Unit::THersteller_Demo W;
  const auto& Contacts = Hersteller_Unit::Contacts();
  ASSERT_EQ(Contacts.size(), 3u);
  ASSERT_EQ(W.PageControl1->count(), 3);
  EXPECT_EQ(Contacts[0].Role, QStringLiteral("Vertrieb"));
  EXPECT_EQ(Contacts[1].Role, QStringLiteral("Vertrieb"));
  EXPECT_EQ(Contacts[2].Role, QStringLiteral("Entwicklung"));
  EXPECT_EQ(Contacts[2].Name, QStringLiteral("Quellix-Entwicklergruppe"));

  std::set<QString> Names;
  for (int I = 0; I < 3; ++I) {
    const Hersteller_Unit::TContact& C = Contacts[size_t(I)];
    SCOPED_TRACE(C.Name.toStdString());
    EXPECT_EQ(W.PageControl1->tabText(I), C.TabCaption);
    Names.insert(C.Name);
    // Every address, number and online contact is a placeholder.
    EXPECT_TRUE(C.Name.startsWith("Quellix-"));
    EXPECT_EQ(C.PostalCode, QStringLiteral("00000"));
    EXPECT_TRUE(C.Telephone.startsWith("0000 000"));
    EXPECT_TRUE(C.Fax.startsWith("0000 000"));
    EXPECT_NE(C.Telephone, C.Fax);
    EXPECT_TRUE(C.EMail.endsWith("@quellix.example"));
    EXPECT_TRUE(C.Web.startsWith("www.quellix.example"));
    // Each tab shows all of its contact's fields.
    for (const char* Field : {"Name", "Anschrift", "Telefon", "Telefax", "E-Mail", "Internet"})
      ASSERT_NE(W.Field(I, Field), nullptr) << Field;
    EXPECT_EQ(W.Field(I, "Name")->text(), C.Name);
    EXPECT_EQ(W.Field(I, "Anschrift")->text(), C.Street + "\n" + C.PostalCode + " " + C.City);
    EXPECT_EQ(W.Field(I, "Telefon")->text(), C.Telephone);
    EXPECT_EQ(W.Field(I, "Telefax")->text(), C.Fax);
    EXPECT_EQ(W.Field(I, "E-Mail")->text(), C.EMail);
    EXPECT_EQ(W.Field(I, "Internet")->text(), C.Web);
    ASSERT_NE(W.PageControl1->widget(I)->findChild<QLabel*>("Picture"), nullptr);
  }
  EXPECT_EQ(Names.size(), 3u);
  EXPECT_EQ(W.Field(3, "Name"), nullptr);
}

// ---------------------------------------------------------------- pictures

TEST(InfoPictures, EveryPictureIsDrawnAtAnySize) {
  struct TRow {
    const char* Name;
    std::function<QImage(int, int)> Draw;
  };
  const TRow Rows[] = {
      {"instrument", Comm2_Unit::DrawInstrumentPicture},
      {"warehouse", [](int W, int H) { return Hersteller_Unit::DrawBuildingPicture(Hersteller_Unit::bdWarehouse, W, H); }},
      {"shop", [](int W, int H) { return Hersteller_Unit::DrawBuildingPicture(Hersteller_Unit::bdShop, W, H); }},
      {"office", [](int W, int H) { return Hersteller_Unit::DrawBuildingPicture(Hersteller_Unit::bdOffice, W, H); }},
      {"data flow", MSLib_Unit::DrawFlowPicture},
  };
  for (const TRow& Row : Rows) {
    for (const QSize Size : {QSize(200, 170), QSize(60, 50)}) {
      SCOPED_TRACE(std::string(Row.Name) + " " + std::to_string(Size.width()));
      const QImage Image = Row.Draw(Size.width(), Size.height());
      ASSERT_EQ(Image.size(), Size);
      // Drawn, not empty: a good share of the pixels is covered, in
      // several colours.
      int Covered = 0;
      std::set<QRgb> Colours;
      for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X) {
          const QRgb P = Image.pixel(X, Y);
          if (qAlpha(P) == 255) {
            ++Covered;
            Colours.insert(P);
          }
        }
      EXPECT_GT(Covered, Image.width() * Image.height() / 5);
      EXPECT_GE(Colours.size(), 5u);
    }
  }
}

// ---------------------------------------------------------------- launcher

TEST(InfoWindows, LauncherBuildsTheRealWindows) {
  const QStringList Classes = {"TFastlog_Demo", "TComm2_Demo", "THersteller_Demo", "TMeasureSource_Demo"};
  int Found = 0;
  for (const app::TWindowSpec& Entry : app::WindowSpecs()) {
    if (!Classes.contains(Entry.ClassName)) continue;
    ++Found;
    SCOPED_TRACE(Entry.ClassName.toStdString());
    ASSERT_TRUE(bool(Entry.Create));
    std::unique_ptr<TForm> W(Entry.Create());
    auto* Demo = dynamic_cast<app::TDemoWindow*>(W.get());
    ASSERT_NE(Demo, nullptr);
    EXPECT_EQ(Demo->WindowClassName(), Entry.ClassName);
    EXPECT_EQ(W->Caption(), Entry.Caption);
    EXPECT_TRUE(W->isModal());
  }
  EXPECT_EQ(Found, 4);
  EXPECT_EQ(Fastlog_Unit::TFastlog_Demo().Caption(), QStringLiteral("TFastlog Demo"));
  EXPECT_EQ(Comm2_Unit::TComm2_Demo().Caption(), QStringLiteral("TComm Demo"));
  EXPECT_EQ(Hersteller_Unit::THersteller_Demo().Caption(), QStringLiteral("Vertrieb und Hersteller"));
}
