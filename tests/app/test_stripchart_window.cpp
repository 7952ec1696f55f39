// The strip chart window: its chart set-up, the Timer1 feed, recording to a
// chosen file, the information box and closing.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "quellix/app/StripChartWindow.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/stripchart/JogShuttleBar.h"
#include "quellix/stripchart/RemarkDialog.h"
#include "quellix/stripchart/ToolBar.h"
#include "quellix/stripchart/ValueBar.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;
using quellix::Stripchart_Unit::TStripchart_Demo;

TEST(StripchartWindow, EightColouredSeriesAndTheTimeStepOfOneTenthTick) {
  TStripchart_Demo W;
  EXPECT_EQ(W.Caption(), QStringLiteral("TStripchart Demo"));
  EXPECT_EQ(W.Timer1->Interval(), 50);
  EXPECT_DOUBLE_EQ(W.StripChart1->LogTimeIncrement(), 0.005);
  ASSERT_EQ(W.StripChart1->SeriesNumber(), 8);
  const TColor Colors[8] = {255, 16711680, 32768, 65535, 8388736, 128, 65280, 16776960};
  for (Integer k = 1; k <= 8; ++k) {
    W.StripChart1->SetSeriesCurrent(k);
    EXPECT_EQ(W.StripChart1->SeriesColor(), Colors[k - 1]) << k;
  }
  EXPECT_TRUE(W.Werkzeugleiste->isEnabled());
  W.Werkzeugleiste->click();
  EXPECT_TRUE(W.StripChart1->ShowToolBar());
  W.Werkzeugleiste->click();
  EXPECT_FALSE(W.StripChart1->ShowToolBar());
}

TEST(StripchartWindow, EachTickAppendsTenSamplesOfEachChannelInItsBand) {
  TStripchart_Demo W;
  SetRandSeed(3);
  W.Timer1Timer(W.Timer1);
  W.Timer1Timer(W.Timer1);
  ASSERT_EQ(W.StripChart1->SampleCount(), 20);
  EXPECT_NEAR(double(W.StripChart1->LogTimeLast()), 19 * 0.005, 1e-12);
  for (Integer k = 1; k <= 8; ++k) {
    const Single* V = W.StripChart1->SeriesValues(k);
    for (Integer i = 1; i <= 20; ++i) {
      EXPECT_GE(V[i], 10 * k - 5) << k;
      EXPECT_LT(V[i], 10 * k - 3) << k;
    }
  }
}

TEST(StripchartWindow, RecordingToAChosenFileAndClosing) {
  QTemporaryDir Dir;
  const QString File = Dir.filePath(QStringLiteral("demo.qlx"));
  TStripchart_Demo W;
  W.StartRecording(QString());   // dialog cancelled
  EXPECT_FALSE(W.StripChart1->Logging());
  EXPECT_FALSE(W.Timer1->Enabled());

  W.StartRecording(File);
  EXPECT_TRUE(W.StripChart1->Logging());
  EXPECT_EQ(W.StripChart1->RunComment(), QStringLiteral("Kein Kommentar"));
  EXPECT_TRUE(W.Timer1->Enabled());
  for (int T = 0; T < 3; ++T) W.Timer1Timer(W.Timer1);

  W.FormClose();
  EXPECT_FALSE(W.Timer1->Enabled());
  EXPECT_FALSE(W.StripChart1->Logging());

  // Playing the file back shows the 30 samples of the run.
  W.StartPlayback(File);
  EXPECT_TRUE(W.StripChart1->Playing());
  EXPECT_EQ(W.StripChart1->DisplaySampleCount(), 30);
}

TEST(StripchartWindow, CrossMoveShowsSeriesAndVoltage) {
  SetDecimalSeparator('.');
  TStripchart_Demo W;
  // The chart's measuring cross reaches the handler.
  ASSERT_TRUE(W.StripChart1->OnCrossMove);
  W.StripChart1->OnCrossMove(W.StripChart1, 120, 35.456f, 4, 17);
  EXPECT_EQ(W.Kurve->text(), QStringLiteral("4"));
  EXPECT_EQ(W.Spannung->text(), QStringLiteral("35.46 V"));
}

TEST(StripchartWindow, ClosingHidesJogShuttleValueBarAndToolBar) {
  TStripchart_Demo W;
  W.setAttribute(Qt::WA_DontShowOnScreen, true);
  W.show();
  W.StripChart1->SetShowToolBar(true);
  W.StripChart1->SetShowValueBar(true);
  W.StripChart1->SetShowJogShuttleBar(true);
  const std::array<QWidget*, 3> Tools = {W.StripChart1->ToolBar(), W.StripChart1->ValueBar(),
                                          W.StripChart1->JogShuttleBar()};
  for (QWidget* T : Tools) ASSERT_TRUE(T && T->isVisible());
  W.hide();
  EXPECT_FALSE(W.StripChart1->ShowToolBar());
  EXPECT_FALSE(W.StripChart1->ShowValueBar());
  EXPECT_FALSE(W.StripChart1->ShowJogShuttleBar());
  for (QWidget* T : Tools) EXPECT_FALSE(T->isVisible());
}

// Errors of the chart while recording reach the user once, in a message
// box, and never leave a handler: a data file deleted during the run, and
// a remark that cannot be stored after its file was deleted.
TEST(StripchartWindow, EveryErrorOfTheChartIsShownOnce) {
  QTemporaryDir Dir;
  QStringList Shown;
  SetMessageBoxHandler([&](const QString& Msg, TMsgDlgType, int, const QString&) {
    Shown << Msg;
    return int(mrOk);
  });
  TStripchart_Demo W;
  const QString File = Dir.filePath(QStringLiteral("weg.qlx"));
  W.StartRecording(File);
  QFile::remove(File);
  for (int T = 0; T < 150; ++T) EXPECT_NO_THROW(W.Timer1Timer(W.Timer1));   // 1500 samples: a block is due
  ASSERT_EQ(Shown.size(), 1);
  EXPECT_TRUE(Shown[0].contains(File)) << Shown[0].toStdString();
  EXPECT_TRUE(Shown[0].contains(QStringLiteral("gelöscht"))) << Shown[0].toStdString();
  EXPECT_FALSE(W.StripChart1->Logging());
  EXPECT_NO_THROW(W.FormClose());
  EXPECT_EQ(Shown.size(), 1);

  // A remark click in the remark mode, whose remark file is gone.
  const QString Second = Dir.filePath(QStringLiteral("zwei.qlx"));
  W.StartRecording(Second);
  for (int T = 0; T < 60; ++T) W.Timer1Timer(W.Timer1);
  QFile::remove(Dir.filePath(QStringLiteral("zwei.XRM")));
  Remedit::SetModalRunner([](TForm& D) {
    static_cast<Remedit::TEditRemark&>(D).FormClose();
    return int(mrOk);
  });
  auto* Chart = W.StripChart1;
  Chart->SetBounds(0, 0, 417, 233);
  Chart->Repaint();
  Chart->SetStripMode(StrpChrtInt::modeRemark);
  const Integer X = Chart->XPosition(Chart->SampleCount() - 5);
  const Integer Y = Chart->ValueToRow(Chart->SeriesValues(1)[Chart->SampleCount() - 5]);
  EXPECT_NO_THROW(Chart->MouseDown(mbLeft, 0, X, Y));
  EXPECT_NO_THROW(Chart->MouseUp(mbLeft, 0, X, Y));
  Remedit::SetModalRunner(nullptr);
  SetMessageBoxHandler(nullptr);
  ASSERT_EQ(Shown.size(), 2);
  EXPECT_TRUE(Shown[1].contains(QStringLiteral("zwei.XRM"))) << Shown[1].toStdString();
  EXPECT_TRUE(Chart->Remarks().empty());
  EXPECT_FALSE(Chart->Logging());
}
