// The recorder at its state changes: the time base changing during a run,
// the window widening while live, recording after playback and back,
// remark marks while the chart scrolls, remark texts, and a buffer the
// machine cannot hold.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/resource.h>

#include "ChildProcess.h"
#include "StripTestUtil.h"
#include "quellix/stripchart/RemarkDialog.h"

using namespace striptest;

// AddressSanitizer maps its shadow memory beyond any address-space limit.
#if defined(__SANITIZE_ADDRESS__)
#define STRIPTEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STRIPTEST_ASAN 1
#endif
#endif

namespace {

class StripStateChange : public ::testing::Test {
protected:
  QString Path(const QString& Name) const { return Dir.filePath(Name); }
  QTemporaryDir Dir;
};

// The CSV lines of qlxm export of one run, without the header.
QStringList ExportRun(const QString& File, int Run) {
  const Result R = RunTool({"export", File, "--run", QString::number(Run)});
  EXPECT_EQ(R.Code, 0) << R.Err.toStdString();
  QStringList Lines = R.Out.split('\n', Qt::SkipEmptyParts);
  if (!Lines.isEmpty()) Lines.removeFirst();
  return Lines;
}

// Every sample of Lines is the one Feed gave it: absolute number First + i
// at time Start + i x Interval.
void ExpectSamples(const QStringList& Lines, std::int64_t First, double Start, double Interval, const char* Name) {
  for (qsizetype i = 0; i < Lines.size(); ++i) {
    const QStringList F = Lines[i].split(',');
    ASSERT_EQ(F.size(), 2) << Name;
    ASSERT_DOUBLE_EQ(F[0].toDouble(), Start + i * Interval) << Name << " line " << i;
    ASSERT_EQ(F[1].toFloat(), Expected(1, First + i)) << Name << " line " << i;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// The time base changes during a run

TEST_F(StripStateChange, NewIntervalOrStartTimeDuringARunKeepsTheSamplesTaken) {
  struct Row {
    const char* Name;
    std::function<void(TStripChartInt&)> Change;
    double Start2, Interval2;   // of the second run
  };
  const Row Rows[] = {
      // A source connecting with another rate: the next run starts where
      // the next sample would have been.
      {"interval 1 -> 0.25", [](TStripChartInt& C) { C.SetLogTimeIncrement(0.25); }, 1500, 0.25},
      {"start time 5000", [](TStripChartInt& C) { C.SetLogStartTime(5000); }, 5000, 1.0},
  };
  for (const Row& R : Rows) {
    const QString File = Path(QStringLiteral("zeit.qlx"));
    QFile::remove(File);
    TStripChartInt Chart;
    SizeLikeDemo(Chart);
    std::int64_t Next = 0;
    Chart.StartLogging(File, "");
    Feed(Chart, Next, 1500, 100);
    R.Change(Chart);
    EXPECT_TRUE(Chart.Logging()) << R.Name;
    EXPECT_EQ(Chart.DisplayRunNumber(), 2) << R.Name;
    Feed(Chart, Next, 700, 100);
    // The live view shows the new run in its own time base.
    EXPECT_EQ(Chart.DisplayTimeIncrement(), R.Interval2) << R.Name;
    EXPECT_EQ(Chart.WindowEndTime(), R.Start2 + 699 * R.Interval2) << R.Name;
    EXPECT_EQ(Chart.SeriesValues(1)[Chart.SampleCount()], Expected(1, 2199)) << R.Name;
    Chart.StopLogging();

    const QStringList Run1 = ExportRun(File, 1), Run2 = ExportRun(File, 2);
    ASSERT_EQ(Run1.size(), 1500) << R.Name;
    ASSERT_EQ(Run2.size(), 700) << R.Name;
    ExpectSamples(Run1, 0, 0, 1.0, R.Name);
    ExpectSamples(Run2, 1500, R.Start2, R.Interval2, R.Name);
  }
}

// Looking back at the run being logged when the interval changes: the view
// keeps the time base of the run it shows, which is now a closed run.
TEST_F(StripStateChange, ViewOfAnEarlierPartKeepsItsTimeBaseWhenTheIntervalChanges) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  std::int64_t Next = 0;
  Chart.StartLogging(Path("blick.qlx"), "");
  Feed(Chart, Next, 3000, 100);
  Chart.MoveWindowTo(false, 1000);
  ASSERT_FALSE(Chart.LiveView());
  Chart.SetLogTimeIncrement(0.5);
  EXPECT_EQ(Chart.DisplayRunNumber(), 1);
  EXPECT_EQ(Chart.DisplayTimeIncrement(), 1.0);
  EXPECT_EQ(Chart.DisplayTimeLast(), 2999);
  EXPECT_EQ(Chart.WindowEndTime(), 1000);
  EXPECT_EQ(Chart.SeriesValues(1)[Chart.SampleCount()], Expected(1, 1000));
  // Winding on within the closed run reads it from the file.
  Chart.MoveWindowTo(false, 2999);
  EXPECT_EQ(Chart.LoadStatus(), lsDone);
  EXPECT_EQ(Chart.SeriesValues(1)[Chart.SampleCount()], Expected(1, 2999));
  Feed(Chart, Next, 10, 10);
  Chart.StopLogging();
  EXPECT_EQ(ExportRun(Path("blick.qlx"), 2).size(), 10);
}

// ---------------------------------------------------------------------------
// The window widens while live, without a data file

TEST_F(StripStateChange, WiderWindowKeepsEveryBufferedSample) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  std::int64_t Next = 0;
  Feed(Chart, Next, 3000, 100);   // the buffer has shifted many times
  const Integer Count = Chart.SampleCount();
  const Double End = Chart.WindowEndTime();
  ASSERT_GT(Count, 512);
  Chart.SetSamplesPerWindow(1000);
  EXPECT_EQ(Chart.SampleCount(), Count);
  EXPECT_EQ(Chart.WindowEndTime(), End);
  EXPECT_EQ(Chart.WindowStartOffset(), Count - 1000);
  for (Integer i = 1; i <= Count; ++i)
    ASSERT_EQ(Chart.SeriesValues(1)[i], Expected(1, Next - Count + i - 1)) << i;
  EXPECT_EQ(Chart.XPosition(Count), Chart.PlotRect().Right);
  // Appending goes on behind them.
  Feed(Chart, Next, 10, 10);
  EXPECT_EQ(Chart.SeriesValues(1)[Chart.SampleCount()], Expected(1, Next - 1));

  // Zooming in from the live view and out again widens the window too.
  Chart.SetSamplesPerWindow(512);
  Chart.Repaint();
  const Integer Before = Chart.SampleCount();
  ZoomOnSamples(Chart, Chart.SampleCount() - 50, 20);
  ASSERT_TRUE(Chart.Zoomed());
  Unzoom(Chart);
  ASSERT_FALSE(Chart.Zoomed());
  EXPECT_EQ(Chart.SamplesPerWindow(), 512);
  EXPECT_EQ(Chart.SampleCount(), Before);
  EXPECT_EQ(Chart.SeriesValues(1)[Chart.SampleCount()], Expected(1, Next - 1));
}

// ---------------------------------------------------------------------------
// Recording after playback, playback after recording

TEST_F(StripStateChange, NothingOfTheRunShownBeforeLeaksIntoTheNext) {
  // A file with interval 0.25, a start at 100 and two remarks.
  const QString Old = Path("alt.qlx"), New = Path("neu.qlx");
  {
    TStripChartInt W;
    W.SetLogTimeIncrement(0.25);
    W.SetLogStartTime(100);
    std::int64_t Next = 0;
    W.StartLogging(Old, "alt");
    Feed(W, Next, 3000, 100);
    W.AddRemark(1, -1, dfManual, 300, "eins");
    W.AddRemark(1, 1, dfManual, 500, "zwei");
    W.StopLogging();
  }
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  Chart.SetLogTimeIncrement(0.5);
  Chart.StartPlaying(Old);
  Chart.MoveWindowTo(false, 500);
  ASSERT_TRUE(Chart.FindNearestRemark(500));
  ASSERT_EQ(Chart.DisplayTimeIncrement(), 0.25);

  // Recording after playback: the view is the new run's from its start.
  Chart.StartLogging(New, "neu");
  EXPECT_TRUE(Chart.LiveView());
  EXPECT_EQ(Chart.DisplayRunNumber(), 1);
  EXPECT_EQ(Chart.DisplayTimeIncrement(), 0.5);
  EXPECT_EQ(Chart.DisplayStartTime(), Chart.LogStartTime());
  EXPECT_EQ(Chart.SampleCount(), 0);
  EXPECT_TRUE(Chart.Remarks().empty());
  EXPECT_EQ(Chart.CurrentRemarkPos(), -1);
  EXPECT_EQ(Chart.RunComment(), "neu");
  std::int64_t Next = 0;
  Feed(Chart, Next, 100, 10);
  EXPECT_EQ(Chart.SampleCount(), 100);
  EXPECT_EQ(Chart.WindowEndTime(), Chart.LogStartTime() + 99 * 0.5);
  EXPECT_EQ(Chart.SeriesValues(1)[1], Expected(1, 0));
  EXPECT_EQ(Chart.XPosition(100), Chart.PlotRect().Right);
  const double NewStart = Chart.LogStartTime();

  // Playback after recording: the played file's run, remarks and time base.
  Chart.StartPlaying(Old);
  EXPECT_EQ(Chart.DisplayRunNumber(), 1);
  EXPECT_EQ(Chart.DisplayTimeIncrement(), 0.25);
  EXPECT_EQ(Chart.DisplayStartTime(), 100);
  EXPECT_EQ(Chart.Remarks().size(), 2u);
  EXPECT_EQ(Chart.RunComment(), "alt");
  EXPECT_EQ(Chart.SeriesValues(1)[Chart.SampleCount()], Expected(1, Chart.SampleCount() - 1));
  EXPECT_EQ(ExportRun(New, 1).size(), 100);   // the recording was closed whole
  ExpectSamples(ExportRun(New, 1), 0, NewStart, 0.5, "recorded after playback");

  // The end of playback returns to the live samples.
  Chart.StopPlaying();
  EXPECT_TRUE(Chart.LiveView());
  EXPECT_EQ(Chart.DisplayTimeIncrement(), 0.5);
  EXPECT_EQ(Chart.SampleCount(), 0);
  EXPECT_TRUE(Chart.Remarks().empty());
  Feed(Chart, Next, 10, 10);
  EXPECT_EQ(Chart.SampleCount(), 10);
  EXPECT_EQ(Chart.SeriesValues(1)[10], Expected(1, Next - 1));
}

// ---------------------------------------------------------------------------
// Remark marks while the chart scrolls

// Remarks added by program code while the chart scrolls: after each step
// the picture is what a full repaint draws (but for the left columns, where
// the segment to a sample that left the window is not drawn again).
TEST_F(StripStateChange, RemarkMarksLookAsAFullRepaintWhileScrolling) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  Chart.SetBkColor(clWhite);
  Chart.SetMarkerWidth(16);
  std::int64_t Next = 0;
  Chart.StartLogging(Path("marken.qlx"), "");
  Feed(Chart, Next, 300, 10);
  Chart.Repaint();
  int Compared = 0;
  auto ExpectFullPicture = [&](const char* Step) {
    Chart.Update();
    const QImage Drawn = Chart.Surface().copy();
    Chart.Repaint();
    const QImage Full = Chart.Surface().copy();
    const Integer Skip = Chart.XPosition(std::max(1, Chart.WindowStartOffset() + 1)) + 1;
    for (int Y = 0; Y < Full.height(); ++Y)
      for (int X = Skip; X < Full.width(); ++X)
        ASSERT_EQ(Drawn.pixel(X, Y), Full.pixel(X, Y)) << Step << " at " << X << "," << Y;
    ++Compared;
  };
  // On a visible sample: shown at once, as the current remark.
  Chart.AddRemark(1, -1, dfManual, 200, "mitte");
  ExpectFullPicture("remark on a visible sample");
  // A second one makes the first go back to its colour.
  Chart.AddRemark(1, 1, dfManual, 250, "kreis");
  ExpectFullPicture("second remark");
  for (int Step = 0; Step < 40; ++Step) {
    Feed(Chart, Next, 10, 10);
    // Now and then a mark at the newest sample, which the right edge cuts.
    if (Step % 9 == 0) Chart.AddRemark(1, Step % 2 ? -1 : 1, dfAutomatic, static_cast<Double>(Next - 1), "neu");
    ExpectFullPicture("scroll");
  }
  EXPECT_EQ(Compared, 42);
  Chart.StopLogging();
}

// ---------------------------------------------------------------------------
// Remark texts

TEST_F(StripStateChange, RemarkTextsKeepEveryCharacterTheDialogTakes) {
  const QString File = Path("text.qlx");
  struct Row {
    const char* Name;
    QString Text;
    QString Stored;     // what comes back
    int Utf8Mark;       // record byte 17
  };
  const QString Euro200(200, QChar(0x20AC));
  const QString Emoji = QString::fromUtf8("\xF0\x9F\x98\x80");   // one character, two UTF-16 units
  const Row Rows[] = {
      {"Latin-1 as always", QString::fromUtf8("Druck über 5 bar, Ventil ä"), QString::fromUtf8("Druck über 5 bar, Ventil ä"), 0},
      {"beyond Latin-1", QString::fromUtf8("Ω = 3 kΩ, 5 € – 漢字 ") + Emoji, QString::fromUtf8("Ω = 3 kΩ, 5 € – 漢字 ") + Emoji, 1},
      {"200 Latin-1 characters", QString(200, QChar(0xE4)), QString(200, QChar(0xE4)), 0},
      {"cut to whole characters", Euro200, QString(66, QChar(0x20AC)), 1},
      {"emoji not split", QString(196, 'x') + Emoji + Emoji, QString(196, 'x') + Emoji, 1},
  };
  TStripChartInt Chart;
  Chart.StartLogging(File, "");
  for (const Row& R : Rows) Chart.AddRemark(1, -1, dfManual, 1, R.Text);
  Chart.StopLogging();
  const QByteArray Bytes = ReadAll(Path("text.XRM"));
  ASSERT_EQ(Bytes.size(), 5 * kRemarkRecordSize);
  Chart.StartPlaying(File);
  ASSERT_EQ(Chart.Remarks().size(), 5u);
  const Result Listed = RunTool({"remarks", File});
  for (int i = 0; i < 5; ++i) {
    const Row& R = Rows[i];
    EXPECT_EQ(Chart.RemarkRecord(Chart.Remarks()[i]).Text, R.Stored) << R.Name;
    EXPECT_EQ(static_cast<int>(Bytes[i * kRemarkRecordSize + 17]), R.Utf8Mark) << R.Name;
    EXPECT_TRUE(Listed.Out.contains(R.Stored)) << R.Name;
  }
  // The first record is the old format byte for byte: Latin-1, padded with
  // spaces.
  EXPECT_EQ(static_cast<unsigned char>(Bytes[28]), 26);
  EXPECT_EQ(static_cast<unsigned char>(Bytes[29 + 25]), 0xE4);
  EXPECT_EQ(Bytes[29 + 26], ' ');

  // A record written before, whose padding byte is 1 by chance but whose
  // text is no UTF-8, still reads as Latin-1.
  QByteArray Old = Bytes.left(kRemarkRecordSize);
  Old[17] = 1;
  TRemarkRecord Decoded = DecodeRemarkRecord(reinterpret_cast<const Byte*>(Old.constData()));
  EXPECT_EQ(Decoded.Text, Rows[0].Stored);

  // The dialog takes no character more than fits.
  Remedit::TEditRemark Dialog;
  Dialog.EditText->setText(QString(66, QChar(0x20AC)));
  Dialog.EditText->end(false);
  Dialog.EditText->insert(QString(QChar(0x20AC)));
  EXPECT_EQ(Dialog.EditText->text(), QString(66, QChar(0x20AC)));
  Dialog.EditText->insert(QStringLiteral("ab"));
  EXPECT_EQ(Dialog.EditText->text().size(), 68);
  EXPECT_TRUE(RemarkTextFits(Dialog.EditText->text()));
}

// ---------------------------------------------------------------------------
// A buffer the machine cannot hold

TEST_F(StripStateChange, BufferTooLargeForTheMemoryLeavesTheChartAsItWas) {
#ifdef STRIPTEST_ASAN
  GTEST_SKIP() << "an address-space limit cannot hold under AddressSanitizer";
#endif
  TChildProcess Child([&](TChildProcess& C) {
    TStripChartInt Chart;
    SizeLikeDemo(Chart);
    Chart.SetSeriesNumber(8);
    std::int64_t Next = 0;
    Feed(Chart, Next, 700, 100, 8);
    Chart.Repaint();
    const QImage Before = Chart.Surface().copy();
    // The address space of this process may grow by 512 MB only; eight
    // series of 150 million samples need 4.8 GB.
    rlimit L{};
    getrlimit(RLIMIT_AS, &L);
    QFile Statm(QStringLiteral("/proc/self/statm"));
    Statm.open(QIODevice::ReadOnly);
    const rlim_t Used = Statm.readAll().split(' ').value(0).toULongLong() * sysconf(_SC_PAGESIZE);
    L.rlim_cur = Used + (rlim_t(512) << 20);
    setrlimit(RLIMIT_AS, &L);
    try {
      Chart.SetSamplesPerBuffer(150000000);
      C.Report("error", QStringLiteral("none"));
    } catch (const EOutOfMemory& E) {
      C.Report("error", E.Message());
    }
    C.Report("buffer", Chart.SamplesPerBuffer());
    C.Report("count", Chart.SampleCount());
    C.Report("newest", Chart.SeriesValues(8)[Chart.SampleCount()]);
    Chart.Repaint();
    C.Report("samePicture", Chart.Surface() == Before);
    // Smaller sizes are taken as before.
    Chart.SetSamplesPerBuffer(4096);
    C.Report("smaller", Chart.SamplesPerBuffer());
  });
  ASSERT_TRUE(Child.Succeeded()) << Child.AllReports().toStdString();
  EXPECT_TRUE(Child["error"].contains("Zu wenig Speicher")) << Child["error"].toStdString();
  EXPECT_TRUE(Child["error"].contains("150000000")) << Child["error"].toStdString();
  EXPECT_EQ(Child["buffer"], "1024");
  EXPECT_EQ(Child["count"], "700");
  EXPECT_EQ(Child["newest"].toFloat(), Expected(8, 699));
  EXPECT_EQ(Child["samePicture"], "1");
  EXPECT_EQ(Child["smaller"], "4096");
}
