#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>

#include "StripTestUtil.h"
#include "quellix/measure/AudioIn.h"
#include "quellix/stripchart/StripChartSink.h"

using namespace striptest;
using namespace quellix::MeasIntf;
using quellix::StrpChrt::TStripChart;

namespace {

// A source whose description a test sets.
class TDescribedSource : public TMeasureSource {
public:
  using TMeasureSource::SetCapabilities;
  void GetInfo(TMeasureSourceInfo& I) override { I = Info; }
  TMeasureSourceInfo Info{};
};

// A chart that records, for every repaint it asks for, whether screen
// updates were on at that moment.
class TViewChart : public TStripChart {
public:
  std::vector<bool> Repaints;

protected:
  void InvalidatePlot() override {
    Repaints.push_back(EnableUpdate());
    TStripChart::InvalidatePlot();
  }
};

}  // namespace

TEST(StripSink, SetUpFromTheSourceDescription) {
  TDescribedSource Source;
  Source.SetCapabilities({mcValues, mcReserved, mcBlocks, mcMultiChannel});
  Source.Info.ChannelCount = 2;
  Source.Info.BlockLength = 1024;
  Source.Info.Duration = 0.1L;
  Source.Info.ValueMin = -1;
  Source.Info.ValueMax = 1;

  TViewChart Chart;
  EXPECT_TRUE(Chart.AutoConfig());
  Chart.Repaints.clear();
  Chart.SetMeasureSource(&Source);
  EXPECT_EQ(Chart.MeasureSource(), &Source);
  EXPECT_TRUE(Source.GetLinkFlag(Chart.Link()));
  EXPECT_EQ(Chart.LogTimeIncrement(), static_cast<Double>(0.1L / 1024));
  // The window shows four blocks and scrolls by one; the buffer holds two
  // windows.
  EXPECT_EQ(Chart.SamplesPerBuffer(), 8192);
  EXPECT_EQ(Chart.SamplesPerWindow(), 4096);
  EXPECT_EQ(Chart.SeriesNumber(), 2);
  EXPECT_EQ(Chart.ViewYMin(), -1.0f);
  EXPECT_EQ(Chart.ViewYMax(), 1.0f);
  EXPECT_FLOAT_EQ(Chart.ViewYGap(), 0.4f);  // five divisions kept from 0..10 step 2
  // The 512 time divisions of the default window are kept over 4096 samples.
  EXPECT_NEAR(Chart.ViewXGap(), 4096 * Chart.DisplayTimeIncrement() / 512, 1e-15);
  // Nothing is painted while the set-up runs; switching updates on again
  // asks for one repaint.
  ASSERT_GE(Chart.Repaints.size(), 2u);
  EXPECT_TRUE(Chart.EnableUpdate());
  EXPECT_TRUE(Chart.Repaints.back());
  EXPECT_EQ(std::count(Chart.Repaints.begin(), Chart.Repaints.end(), true), 1);

  // Without AutoConfig only the time base follows the source.
  TViewChart Plain;
  Plain.SetAutoConfig(false);
  Plain.SetMeasureSource(&Source);
  EXPECT_EQ(Plain.SamplesPerWindow(), 4096);
  EXPECT_EQ(Plain.SeriesNumber(), 1);
  EXPECT_EQ(Plain.ViewYMax(), 10.0f);
  EXPECT_EQ(Plain.ViewXGap(), 1.0);
}

TEST(StripSink, CompatibilityCheck) {
  TDescribedSource Source;
  TStripChart Chart;
  // Not described yet: accepted without set-up or check.
  Source.SetCapabilities({mcMultiChannel});
  Chart.SetMeasureSource(&Source);
  EXPECT_EQ(Chart.MeasureSource(), &Source);
  EXPECT_EQ(Chart.SamplesPerBuffer(), 1024);

  // Described, but neither blocks, single values nor one channel: refused
  // when the source announces its new configuration.
  Source.Info.ChannelCount = 2;
  Source.Info.Duration = 1;
  Source.SetCapabilities({mcValues, mcMultiChannel});
  try {
    Source.AnnounceSourceChanged();
    FAIL() << "accepted";
  } catch (const EMSIncompatibleSource& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("StripChart benötigt kontinuierlichen Betrieb und harmonisierte Daten."));
  }
  EXPECT_EQ(Chart.MeasureSource(), nullptr);
  EXPECT_EQ(Source.LinkCount(), 0);
}

TEST(StripSink, ShortChannelIsPaddedWithoutTouchingTheSourceArray) {
  TDescribedSource Source;
  TStripChart Chart;
  Chart.SetSeriesNumber(2);
  Chart.SetMeasureSource(&Source);

  Single Long[10], Short[10];
  for (int I = 0; I < 10; ++I) {
    Long[I] = Single(I + 1);
    Short[I] = I < 7 ? Single(100 + I) : -999.0f;  // beyond the delivered 7: not the sink's
  }
  TDescArraySingle Block;
  Block.ChannelCount = 2;
  Block.Channels[0] = {Long, 10};
  Block.Channels[1] = {Short, 7};
  Source.DeliverData(Block);

  EXPECT_EQ(Block.Channels[1].Count, 7);
  for (int I = 7; I < 10; ++I) EXPECT_EQ(Short[I], -999.0f);
  ASSERT_EQ(Chart.SampleCount(), 10);
  for (int I = 1; I <= 10; ++I) {
    EXPECT_EQ(Chart.SeriesValues(1)[I], Single(I));
    EXPECT_EQ(Chart.SeriesValues(2)[I], I <= 7 ? Single(99 + I) : 106.0f) << I;
  }
}

TEST(StripSink, OnlyTheFirstEightUsableChannelsBecomeSeries) {
  TDescribedSource Source;
  TStripChart Chart;
  Chart.SetSeriesNumber(8);
  Chart.SetMeasureSource(&Source);

  // Fourteen entries, of which 2 (no values) and 5 (count 0) are unusable:
  // twelve usable ones, the first eight are 0, 1, 3, 4, 6, 7, 8, 9.
  std::vector<std::array<Single, 3>> Arrays(14);
  TDescArraySingle Block;
  Block.ChannelCount = 14;
  for (int C = 0; C < 14; ++C) {
    Arrays[C].fill(Single(C));
    Block.Channels[C] = {Arrays[C].data(), 3};
  }
  Block.Channels[2].Values = nullptr;
  Block.Channels[5].Count = 0;
  Source.DeliverData(Block);

  const int Expected[8] = {0, 1, 3, 4, 6, 7, 8, 9};
  ASSERT_EQ(Chart.SampleCount(), 3);
  for (int K = 1; K <= 8; ++K) EXPECT_EQ(Chart.SeriesValues(K)[3], Single(Expected[K - 1])) << K;
}

TEST(StripSink, ClosingTheSourceEndsTheLogRunWithATail) {
  QTemporaryDir Dir;
  const QString File = Dir.filePath("sink.qlx");
  TDescribedSource Source;
  TStripChart Chart;
  Chart.SetMeasureSource(&Source);
  Chart.StartLogging(File, QStringLiteral("Quelle"));
  std::int64_t Next = 0;
  Feed(Chart, Next, 100, 10);

  Source.AnnounceState(msOpened);  // changes nothing
  EXPECT_TRUE(Chart.Logging());
  Source.AnnounceState(msClosed);
  EXPECT_FALSE(Chart.Logging());
  EXPECT_EQ(Chart.SampleCount(), 100);  // the chart keeps its contents
  const QByteArray Bytes = ReadAll(File);
  ASSERT_GE(Bytes.size(), kTailChunkSize);
  EXPECT_EQ(Bytes.mid(Bytes.size() - kTailChunkSize, 4), QByteArray("TAIL"));
}

// Sound card to data file: the counting ramp in 16-bit stereo through
// TAudioIn into a logging chart, read back with the chart's file reader.
TEST(StripSink, AudioBuffersArriveInTheDataFileInOrder) {
  QTemporaryDir Dir;
  const QString File = Dir.filePath("audio.qlx");
  quellix::WaveIn::SetVirtualClock(false);
  using namespace quellix::audioin;
  TAudioIn Audio;
  Audio.SetDevice(QStringLiteral("Virtuell: Zählrampe"));
  Audio.SetMode(tam_Stereo);
  Audio.SetResolution(taw_16Bit);

  TStripChart Chart;
  Chart.SetMeasureSource(&Audio);
  EXPECT_EQ(Chart.SeriesNumber(), 2);
  EXPECT_EQ(Chart.LogTimeIncrement(), static_cast<Double>(Audio.BufferSize() * (1.0L / 11025) / 2 / 512));
  Chart.StartLogging(File, QStringLiteral("Audio"));
  Audio.Start();
  auto* Device = dynamic_cast<quellix::WaveIn::TVirtualWaveInDevice*>(Audio.WaveDevice());
  ASSERT_NE(Device, nullptr);
  constexpr int Frames = 5 * 512 + 100;  // five full buffers and one partly filled
  for (int B = 0; B < 5; ++B) {
    Device->Produce(512);
    Audio.ProcessMessages();
  }
  Device->Produce(100);
  Audio.Stop();
  Audio.ProcessMessages();
  Chart.StopLogging();

  TStripChartInt Reader;
  Reader.StartPlaying(File);
  ASSERT_EQ(Reader.DisplayRunSeries(), 2);
  ASSERT_EQ(Reader.DisplaySampleCount(), Frames);
  std::vector<Single> Left(Frames + 1), Right(Frames + 1);
  TSeriesBuffers Dest{Left.data(), Right.data()};
  Integer Read = 0;
  EXPECT_EQ(Reader.ReadRunSamples(0, Frames, Dest, 2, Read), lsDone);
  ASSERT_EQ(Read, Frames);
  for (int F = 0; F < Frames; ++F) {
    // Sample values 2F and 2F + 1 of the ramp, full scale at ±1.
    ASSERT_EQ(Left[F + 1], Single(2 * F / 32768.0)) << F;
    ASSERT_EQ(Right[F + 1], Single((2 * F + 1) / 32768.0)) << F;
  }
}


// A source that changes its sample rate while the chart logs: the run so
// far keeps the interval its samples were taken at, and logging goes on in
// a new run of the same file at the new interval.
TEST(StripSink, ANewSourceRateWhileLoggingStartsANewRun) {
  QTemporaryDir Dir;
  const QString File = Dir.filePath("rate.qlx");
  TDescribedSource Source;
  Source.SetCapabilities({mcValues, mcBlocks, mcOneChannel});
  Source.Info.ChannelCount = 1;
  Source.Info.BlockLength = 100;
  Source.Info.Duration = 0.01L;
  TStripChart Chart;
  Chart.SetMeasureSource(&Source);
  const Double Before = Chart.LogTimeIncrement();
  Chart.StartLogging(File, QStringLiteral("Zwei Raten"));
  std::int64_t Next = 0;
  Feed(Chart, Next, 100, 10);

  Source.Info.Duration = 0.02L;
  Source.AnnounceSourceChanged();
  EXPECT_TRUE(Chart.Logging());
  EXPECT_EQ(Chart.RunComment(), QStringLiteral("Zwei Raten"));
  const Double After = Chart.LogTimeIncrement();
  Feed(Chart, Next, 50, 10);
  Chart.StopLogging();

  TFileStream S(File, TFileStream::fmOpenRead);
  const TFileScan Scan = ScanDataFile(S);
  ASSERT_EQ(Scan.Result, TFileScan::Complete);
  ASSERT_EQ(Scan.Runs.size(), 2u);
  struct Row {
    const char* Name;
    Double Interval;
    std::int64_t Samples;
  } Rows[] = {{"closed run keeps its interval", Before, 100}, {"new run at the new interval", After, 50}};
  for (size_t R = 0; R < 2; ++R) {
    EXPECT_EQ(Scan.Runs[R].Interval, Rows[R].Interval) << Rows[R].Name;
    EXPECT_EQ(Scan.Runs[R].Samples, Rows[R].Samples) << Rows[R].Name;
    EXPECT_GE(Scan.Runs[R].TailPos, 0) << Rows[R].Name;
  }
  EXPECT_DOUBLE_EQ(Scan.Runs[0].EndTime, Scan.Runs[0].StartTime + 99 * Before);
  EXPECT_GT(Scan.Runs[1].StartTime, Scan.Runs[0].EndTime);
}

// Blocks of 1024 samples arrive as scrolls of a window of four blocks:
// the picture keeps the last four blocks, each new block moves it by one.
TEST(StripSink, BlocksScrollThroughAWindowOfFourBlocks) {
  TDescribedSource Source;
  Source.SetCapabilities({mcValues, mcBlocks});
  Source.Info.ChannelCount = 1;
  Source.Info.BlockLength = 1024;
  Source.Info.Duration = 1;
  TViewChart Chart;
  SizeLikeDemo(Chart);
  Chart.SetMeasureSource(&Source);
  Chart.Repaint();
  Chart.Repaints.clear();
  std::vector<Single> Values(1024);
  for (int B = 0; B < 8; ++B) {
    for (int I = 0; I < 1024; ++I) Values[I] = Single(1024 * B + I);
    TDescArraySingle Block;
    Block.ChannelCount = 1;
    Block.Channels[0] = {Values.data(), 1024};
    Source.DeliverData(Block);
    if (B == 0) Chart.Repaints.clear();   // the first one paints an empty chart
    // From the fourth block on, the window is full and shows the last four.
    if (B < 3) continue;
    const Integer First = Chart.WindowStartOffset() + 1;
    EXPECT_EQ(First, Chart.SampleCount() - 4096 + 1) << B;
    EXPECT_EQ(Chart.SeriesValues(1)[First], Single(1024 * (B - 3))) << B;
    EXPECT_EQ(Chart.SeriesValues(1)[Chart.SampleCount()], Single(1024 * B + 1023)) << B;
  }
  // Every further block was a scroll, none a repaint of the whole chart.
  EXPECT_TRUE(Chart.Repaints.empty()) << Chart.Repaints.size();
}

// The sound card under a logging chart changes: a new sample rate closes
// the run at the old interval and logging goes on in a new run; the input
// going away ends the run with its TAIL, as a closing source does.
TEST(StripSink, AudioRateChangeAndDeviceLossWhileLogging) {
  QTemporaryDir Dir;
  const QString File = Dir.filePath("live.qlx");
  const QString Ramp = QStringLiteral("Virtuell: Zählrampe");
  quellix::WaveIn::SetVirtualClock(false);
  using namespace quellix::audioin;
  TAudioIn Audio;
  QStringList Errors;
  Audio.OnError = [&](quellix::TObject*, const QString& M) { Errors << M; };
  Audio.SetDevice(Ramp);
  TStripChart Chart;
  Chart.SetMeasureSource(&Audio);
  Chart.StartLogging(File, QStringLiteral("Live"));
  Audio.Start();
  auto Produce = [&Audio](int Frames) {
    dynamic_cast<quellix::WaveIn::TVirtualWaveInDevice*>(Audio.WaveDevice())->Produce(Frames);
    Audio.ProcessMessages();
  };
  Produce(2 * 1024);
  Audio.SetClockFrequency(taf_22050);
  EXPECT_TRUE(Chart.Logging());
  EXPECT_TRUE(Audio.Recording());
  Produce(3 * 1024);
  quellix::WaveIn::SetVirtualDevicePlugged(Ramp, false);
  Audio.ProcessMessages();
  quellix::WaveIn::SetVirtualDevicePlugged(Ramp, true);
  EXPECT_FALSE(Chart.Logging());
  EXPECT_EQ(Errors.size(), 1);

  TFileStream S(File, TFileStream::fmOpenRead);
  const TFileScan Scan = ScanDataFile(S);
  ASSERT_EQ(Scan.Result, TFileScan::Complete);
  ASSERT_EQ(Scan.Runs.size(), 2u);
  EXPECT_EQ(Scan.Runs[0].Interval, 1.0 / 11025);
  EXPECT_EQ(Scan.Runs[0].Samples, 2 * 1024);
  EXPECT_EQ(Scan.Runs[1].Interval, 1.0 / 22050);
  EXPECT_EQ(Scan.Runs[1].Samples, 3 * 1024);
  for (const TRunInfo& R : Scan.Runs) EXPECT_GE(R.TailPos, 0);
}

// A write error while the source delivers goes to OnError once; the
// source's delivery goes on.
TEST(StripSink, WriteErrorDuringDeliveryGoesToOnError) {
  QTemporaryDir Dir;
  const QString File = Dir.filePath("quelle.qlx");
  TDescribedSource Source;
  TStripChart Chart;
  Chart.SetMeasureSource(&Source);
  QStringList Errors;
  Chart.OnError = [&](TObject*, const quellix::Exception& E) { Errors << E.Message(); };
  Chart.StartLogging(File, QString());
  QFile::remove(File);
  std::vector<Single> Values(500, 1.0f);
  for (int B = 0; B < 6; ++B) {
    TDescArraySingle Block;
    Block.ChannelCount = 1;
    Block.Channels[0] = {Values.data(), 500};
    EXPECT_NO_THROW(Source.DeliverData(Block));
  }
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains(File)) << Errors[0].toStdString();
  EXPECT_FALSE(Chart.Logging());
  EXPECT_EQ(Chart.WindowEndTime(), 6 * 500 - 1);   // every block is still shown
}
