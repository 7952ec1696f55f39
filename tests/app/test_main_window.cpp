#include <gtest/gtest.h>

#include <QMenu>

#include "quellix/app/Application.h"

using namespace quellix;

namespace {

// The main window and its windows, created once for all tests of this file.
class MainWindowTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Demo = new app::TDemoApplication();
    Demo->CreateForms();
  }
  static void TearDownTestSuite() {
    delete Demo;
    Demo = nullptr;
  }
  void SetUp() override {
    M = Demo->MainForm();
    Shown.clear();
    M->ShowModalWindow = [this](TForm* W) { Shown.push_back(W); };
  }
  void TearDown() override { SetMessageBoxHandler(nullptr); }

  // Captions of a menu's actions, separators as "-".
  static QStringList Captions(QMenu* Menu) {
    QStringList R;
    for (QAction* A : Menu->actions()) R << (A->isSeparator() ? QStringLiteral("-") : A->text());
    return R;
  }

  static app::TDemoApplication* Demo;
  Main::TQuellix32* M = nullptr;
  std::vector<TForm*> Shown;
};

app::TDemoApplication* MainWindowTest::Demo = nullptr;

}  // namespace

TEST_F(MainWindowTest, WindowsAreCreatedHiddenInTheirOrder) {
  const QStringList Expected = {
      "TQuellix32", "TAutokorrDialog", "TKreuzkorrelationDialog", "TfftDialog", "TDial_Demo", "TBarGraph_Demo",
      "THisto1_Demo", "TSlider_Demo", "TPanelMeter_Demo", "THisto2_Demo", "TLed_Demo", "TMeter_Demo",
      "TStripchart_Demo", "TFastlog_Demo", "TRCHoch_Demo", "TRCTief_Demo", "TSVFilter_Demo", "TIIR_Demo",
      "TPowerSpectrumDialog", "TCrossPowerDialog", "TComm2_Demo", "THersteller_Demo", "TPro_Demo", "TFIR_Demo",
      "TFlipFlop_Demo", "TAudio_Demo", "TMeasureSource_Demo"};
  EXPECT_EQ(Demo->CreationOrder(), Expected);
  for (TForm* W : Demo->Forms()) EXPECT_FALSE(W->isVisible());
  EXPECT_EQ(Demo->FormByClass("TfftDialog")->Caption(), QString("FFT Demo"));
  EXPECT_EQ(Demo->FormByClass("THersteller_Demo")->Caption(), QString("Vertrieb und Hersteller"));
}

TEST_F(MainWindowTest, MenuTreeHasTheExactCaptions) {
  QStringList Top;
  for (QAction* A : M->MainMenu1->actions()) Top << A->text();
  EXPECT_EQ(Top, QStringList({"&Demo", "&Beispielprogramme", "Produktinformation", "&Hilfe"}));
  EXPECT_EQ(Captions(M->Demo1),
            QStringList({"&Measurement Library", "Measure&Source Library", "S&cientific Library", "&Filter Library",
                         "C&ommunications Library", "&Audio Library", "&Quellix Pro", "-", "&Beenden"}));
  EXPECT_EQ(Captions(M->MeasurementLibrary1),
            QStringList({"&Potentiometer (TDial)", "&Schieberegler (TSlider)", "&LCD Anzeige (TPanelMeter)",
                         "&Yt-Anzeige (THistograph)", "&XY-Anzeige (THistograph)", "&8-Kanal Schreiber (TStripchart)",
                         "L&ed (TLed)", "&Datenlogger (TFastlog)", "&Analoginstrument (TMeter)",
                         "&Bargraph (TBargraph)"}));
  EXPECT_EQ(Captions(M->ScientificLibrary1),
            QStringList({"&Autokorrelation", "&Kreuzkorrelation", "&Fourier Transformation", "&Leistungsdichte",
                         "K&reuzleistungsdichte"}));
  EXPECT_EQ(Captions(M->FilterLibrary1), QStringList({QString::fromUtf8("RC &Hochpaß"), QString::fromUtf8("RC &Tiefpaß"),
                                                      "&IIR Filter", "&State variable Filter", "&FIR Filter"}));
  EXPECT_EQ(Captions(M->CommunicationsLibrary1), QStringList({"RS-232 Kommunikation"}));
  EXPECT_EQ(Captions(M->Beispiel1), QStringList({"&Flip-Flop"}));
  EXPECT_EQ(Captions(M->Produktinformation1), QStringList({"&Vertrieb und Herstellung", "&Handbuch aufrufen"}));
  EXPECT_EQ(Captions(M->Hilfe1), QStringList({QString::fromUtf8("&Über diese Demo")}));
}

TEST_F(MainWindowTest, EveryLeafOpensItsWindowModally) {
  const std::pair<const char*, const char*> Leaves[] = {
      {"PotentiometerTDial1", "TDial_Demo"},       {"XYAnzeigeTHistograph1", "THisto1_Demo"},
      {"YtAnzeigeTHistograph1", "THisto2_Demo"},   {"N8KanalSchreiber1", "TStripchart_Demo"},
      {"MeasureSourceLibrary1", "TMeasureSource_Demo"}, {"Kreuzleistungsdichte1", "TCrossPowerDialog"},
      {"RCHochpa1", "TRCHoch_Demo"},               {"RS232Kommunikation1", "TComm2_Demo"},
      {"QuellixPro1", "TPro_Demo"},                {"FlipFlop1", "TFlipFlop_Demo"},
      {"VertriebundHerstellung1", "THersteller_Demo"}};
  for (auto [Item, Class] : Leaves) {
    Shown.clear();
    QAction* A = M->MenuItem(Item);
    ASSERT_NE(A, nullptr) << Item;
    A->trigger();
    ASSERT_EQ(Shown.size(), 1u) << Item;
    EXPECT_EQ(Shown[0], Demo->FormByClass(Class)) << Item;
  }
}

TEST_F(MainWindowTest, AudioLeafShowsTheNoticeFirst) {
  QString Message;
  int Buttons = 0;
  TMsgDlgType Type = mtCustom;
  SetMessageBoxHandler([&](const QString& Msg, TMsgDlgType T, int B, const QString&) {
    EXPECT_TRUE(Shown.empty());  // the notice comes before the window
    Message = Msg;
    Type = T;
    Buttons = B;
    return int(mrOk);
  });
  M->MenuItem("AudioLibrary1")->trigger();
  EXPECT_EQ(Message, QString("ACHTUNG !!! DIESES BEISPIEL FUNKTIONIERT NUR\n\rMIT EINGEBAUTER UND ANGEMELDETER "
                             "SOUNDKARTE UND BEI\n\rRECHNERN MIT EINGEBAUTEM CD-ROM LAUFWERK, AUSSERDEM\n\rMUSS "
                             "EINE AUDIO-CD IN DAS CD-ROM LAUFWERK EINGELEGT SEIN !"));
  EXPECT_EQ(Type, mtInformation);
  EXPECT_EQ(Buttons, int(mbOK));
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0], Demo->FormByClass("TAudio_Demo"));
}

TEST_F(MainWindowTest, BannerMovesWrapsAndRestarts) {
  const int StripWidth = M->Panel1->width();
  ASSERT_GT(StripWidth, 0);
  EXPECT_FALSE(M->Panel2->isVisibleTo(M));
  EXPECT_EQ(M->Panel2->x(), StripWidth);

  M->berdiesesDemo1Click();
  EXPECT_TRUE(M->Timer1->Enabled());
  EXPECT_TRUE(M->Panel2->isVisibleTo(M));
  EXPECT_FALSE(M->Label1->isVisibleTo(M));
  M->Timer1->Tick();
  M->Timer1->Tick();
  EXPECT_EQ(M->Panel2->x(), StripWidth - 2);

  // The line leaves the strip completely before it starts again at the right.
  const int Width = M->Panel2->width();
  M->Panel2->move(-Width, M->Panel2->y());
  M->Timer1->Tick();
  EXPECT_EQ(M->Panel2->x(), -Width - 1);
  M->Timer1->Tick();
  EXPECT_EQ(M->Panel2->x(), StripWidth);

  // Choosing the item again restarts at the right edge.
  M->Timer1->Tick();
  M->berdiesesDemo1Click();
  EXPECT_EQ(M->Panel2->x(), StripWidth);
}

// The banner panel holds its whole line, so that the line scrolls through
// to its end; the note fits the window's design width of 815 pixels and
// does not make the window any wider.
TEST_F(MainWindowTest, BannerHoldsItsWholeLineAndTheNoteFits) {
  EXPECT_GE(M->Panel2->width(), M->Panel2->fontMetrics().horizontalAdvance(M->Panel2->text()));
  EXPECT_GE(M->Panel2->width(), 1225);
  EXPECT_LE(M->Label1->fontMetrics().horizontalAdvance(M->Label1->text()), 815);
  EXPECT_LE(M->minimumSizeHint().width(), 815);
}

TEST_F(MainWindowTest, OpeningTheDemoMenusStopsTheBannerButHelpDoesNot) {
  for (QMenu* Menu : {M->Demo1, M->Beispiel1, M->Produktinformation1}) {
    M->berdiesesDemo1Click();
    emit M->Hilfe1->aboutToShow();
    EXPECT_TRUE(M->Timer1->Enabled());
    emit Menu->aboutToShow();
    EXPECT_FALSE(M->Timer1->Enabled()) << Menu->objectName().toStdString();
    EXPECT_FALSE(M->Panel2->isVisibleTo(M));
    EXPECT_TRUE(M->Label1->isVisibleTo(M));
  }
}

TEST_F(MainWindowTest, HelpItemIssuesItsCommandLineAndIgnoresFailure) {
  QString Program;
  QStringList Args;
  M->StartProgram = [&](const QString& P, const QStringList& A) {
    Program = P;
    Args = A;
    return false;  // no help viewer on this machine
  };
  M->MenuItem("Handbuchaufrufen2")->trigger();
  EXPECT_EQ(Program, QString("WINHLP32.EXE"));
  EXPECT_EQ(Args, QStringList({"QLLX32.HLP"}));
  EXPECT_TRUE(Shown.empty());
}
