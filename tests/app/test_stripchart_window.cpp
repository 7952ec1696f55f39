// The strip chart window: its chart set-up, the Timer1 feed, recording to a
// chosen file, the information box and closing.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "quellix/app/StripChartWindow.h"
#include "quellix/host/NumberFormat.h"

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
