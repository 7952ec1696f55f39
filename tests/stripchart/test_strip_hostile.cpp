// Data and remark files as a hostile sender makes them: every stored value
// a file can hold must end in a reader status or a message, never in a
// loop, a crash or undefined behaviour (the checked build traps on that),
// and the run index must read what the chunks hold.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <limits>

#include "StripTestUtil.h"
#include "quellix/stripchart/QlxmCommands.h"

using namespace striptest;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void PutF64(QByteArray& B, qsizetype At, double V) {
  std::uint64_t Bits;
  std::memcpy(&Bits, &V, 8);
  qToLittleEndian(Bits, B.data() + At);
}

class StripHostile : public ::testing::Test {
protected:
  QString Path(const QString& Name) const { return Dir.filePath(Name); }

  // One run of Count samples of one series, interval 1, starting at 0:
  // HEAD at 6, DATA chunks of 1024 samples from 131 on, then the TAIL.
  QByteArray LogOneRun(const QString& File, Integer Count) {
    TStripChartInt Chart;
    std::int64_t Next = 0;
    Chart.StartLogging(File, "Lauf");
    Feed(Chart, Next, Count, 100);
    Chart.StopLogging();
    return ReadAll(File);
  }

  int Qlxm(const QStringList& Args, QString* Output = nullptr) {
    QString Out, Err;
    QTextStream O(&Out), E(&Err);
    const int Code = RunQlxm(Args, O, E);
    if (Output) *Output = Out;
    return Code;
  }

  // Plays the file back as a user would: every run, the window moved to
  // both ends and the middle, and drawn.
  static void PlayEverything(TStripChartInt& Chart, const QString& File) {
    Chart.SetBounds(0, 0, 417, 233);
    Chart.StartPlaying(File);
    for (Integer N = 1; N <= 3; ++N) {
      Chart.SetDisplayRunNumber(N);
      Chart.Repaint();
      Chart.MoveWindowTo(false, static_cast<Double>(Chart.DisplayTimeLast()));
      Chart.MoveWindowTo(false, static_cast<Double>(Chart.DisplayStartTime() + Chart.DisplayTimeLast()) / 2);
      Chart.Repaint();
    }
  }

  QTemporaryDir Dir;
};

constexpr qsizetype kHead = 6, kData = 131;

}  // namespace

// Each row changes one stored value of a run of 1500 samples (HEAD, DATA
// of 1024, DATA of 476, TAIL) and says what run selection reports.
TEST_F(StripHostile, StoredTimesThatAreNoSampleTimesEndInAStatus) {
  struct Row {
    const char* Name;
    qsizetype At;
    double Value;
    bool Selectable;       // run 1 can be shown at all
    Integer Status;        // LoadStatus after selecting it
  };
  const qsizetype Data2 = kData + 40 + 4096, Tail = Data2 + 40 + 4 * 476;
  const Row Rows[] = {
      {"run start not a number", kHead + 8, kNaN, false, lsInconsistent},
      {"run start infinite", kHead + 8, -kInf, false, lsInconsistent},
      {"interval not a number", kHead + 24, kNaN, false, lsInconsistent},
      {"interval so small that sample numbers overflow", kHead + 24, 1e-300, true, lsInconsistent},
      {"block time not a number", kData + 8, kNaN, true, lsInconsistent},
      {"block end time infinite", kData + 16, kInf, true, lsInconsistent},
      {"block before the one it follows", Data2 + 8, 3.0, true, lsInconsistent},
      {"block far beyond any run", Data2 + 8, 1e300, true, lsInconsistent},
      {"run end not a number", Tail + 16, kNaN, true, lsInconsistent},
      {"run end far in the future", Tail + 16, 1e300, true, lsInconsistent},
      {"run end before the run start", Tail + 16, -1e300, true, lsInconsistent},
  };
  const QByteArray Good = LogOneRun(Path("good.qlx"), 1500);
  ASSERT_EQ(Good.size(), Tail + 44);
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Name);
    QByteArray B = Good;
    PutF64(B, R.At, R.Value);
    const QString File = Path("bad.qlx");
    WriteAll(File, B);
    TStripChartInt Chart;
    Chart.SetBounds(0, 0, 417, 233);
    Chart.StartPlaying(File);
    EXPECT_EQ(Chart.DisplayRunNumber() == 1, R.Selectable);
    EXPECT_EQ(Chart.LoadStatus(), R.Status);
    PlayEverything(Chart, File);
    Chart.StopPlaying();
    // qlxm reports the damage and returns.
    EXPECT_EQ(Qlxm({"info", File}), 2);
    EXPECT_EQ(Qlxm({"export", File, "--run", "1"}), 2);
  }
}

// The smallest file that made every command hang: a run whose only DATA
// chunk starts after the run itself. The reader went back to the HEAD for
// the run's first sample and forward to the chunk again, for ever.
TEST_F(StripHostile, DataChunkStartingAfterTheRunStartEndsTheReadAtTheStart) {
  QByteArray B = LogOneRun(Path("one.qlx"), 1);
  ASSERT_EQ(B.size(), 219);
  PutF64(B, kData + 8, 5.0);
  PutF64(B, kData + 16, 5.0);
  WriteAll(Path("one.qlx"), B);
  TStripChartInt Chart;
  Chart.StartPlaying(Path("one.qlx"));
  EXPECT_EQ(Chart.DisplayRunNumber(), 1);
  EXPECT_EQ(Chart.LoadStatus(), lsStartOfFile);
  EXPECT_EQ(Chart.SampleCount(), 0);
  QString Out;
  EXPECT_EQ(Qlxm({"info", Path("one.qlx")}, &Out), 0);
  EXPECT_TRUE(Out.contains("run 1:"));
  EXPECT_EQ(Qlxm({"remarks", Path("one.qlx")}), 0);
  EXPECT_EQ(Qlxm({"export", Path("one.qlx"), "--run", "1"}), 2);
}

// Remarks whose stored time is no time: the list leaves them out, the
// chain goes on behind them, and drawing the marks never converts them.
TEST_F(StripHostile, RemarkTimesThatAreNotNumbersAreLeftOut) {
  const QString File = Path("rem.qlx");
  {
    TStripChartInt Chart;
    std::int64_t Next = 0;
    Chart.StartLogging(File, "Lauf");
    Feed(Chart, Next, 600, 100);
    Chart.AddRemark(1, -1, dfManual, 100, "erste");
    Chart.AddRemark(1, 1, dfManual, 200, "zweite");
    Chart.AddRemark(1, -1, dfManual, 300, "dritte");
    Chart.StopLogging();
  }
  QByteArray R = ReadAll(Path("rem.XRM"));
  ASSERT_EQ(R.size(), 3 * 232);
  PutF64(R, 232 + 4, kNaN);
  PutF64(R, 2 * 232 + 4, 1e300);
  WriteAll(Path("rem.XRM"), R);
  TStripChartInt Chart;
  Chart.SetBounds(0, 0, 417, 233);
  Chart.SetMarkerWidth(5);
  Chart.StartPlaying(File);
  ASSERT_EQ(Chart.Remarks().size(), 2u);
  EXPECT_EQ(Chart.Remarks()[0].Time, 100);
  EXPECT_EQ(Chart.Remarks()[1].Time, 1e300);
  Chart.MoveWindowTo(false, 400);
  Chart.Repaint();
  Chart.MoveWindowTo(false, kNaN);   // no window ends at such a time
  EXPECT_EQ(Chart.WindowEndTime(), 400);
  Chart.MoveWindowTo(true, kInf);    // as far as the run goes
  EXPECT_EQ(Chart.WindowEndTime(), 599);
  Chart.Repaint();
}

// Jumps through a long run land on the right samples, whatever the order.
TEST_F(StripHostile, JumpsReadTheSamplesOfTheirTimeFromTheIndex) {
  const QString File = Path("long.qlx");
  LogOneRun(File, 20000);
  TStripChartInt Chart;
  Chart.SetBounds(0, 0, 417, 233);
  Chart.StartPlaying(File);
  for (const double End : {19999.0, 512.0, 7000.0, 1023.0, 1024.0, 15000.0, 3000.0, 19999.0}) {
    SCOPED_TRACE(End);
    Chart.MoveWindowTo(false, End);
    ASSERT_EQ(Chart.LoadStatus(), lsDone);
    const Single* V = Chart.SeriesValues(1);
    ASSERT_GE(Chart.SampleCount(), 512);
    for (Integer i = 1; i <= Chart.SampleCount(); ++i)
      ASSERT_EQ(V[i], Expected(1, static_cast<std::int64_t>(Chart.SampleBase()) + i - 1)) << i;
    EXPECT_EQ(Chart.WindowEndTime(), End);
  }
}

// Showing an older part of the run being logged, then moving forward over
// blocks written since: the index grows with the file.
TEST_F(StripHostile, IndexOfTheRunBeingLoggedGrowsWithTheFile) {
  const QString File = Path("live.qlx");
  TStripChartInt Chart;
  Chart.SetBounds(0, 0, 417, 233);
  std::int64_t Next = 0;
  Chart.StartLogging(File, "Lauf");
  Feed(Chart, Next, 3000, 100);
  Chart.MoveWindowTo(false, 1500);
  ASSERT_FALSE(Chart.LiveView());
  Feed(Chart, Next, 5000, 100);   // written, not shown
  Chart.MoveWindowTo(false, 6500);
  EXPECT_EQ(Chart.LoadStatus(), lsDone);
  const Single* V = Chart.SeriesValues(1);
  for (Integer i = 1; i <= Chart.SampleCount(); ++i)
    ASSERT_EQ(V[i], Expected(1, static_cast<std::int64_t>(Chart.SampleBase()) + i - 1)) << i;
  EXPECT_EQ(Chart.WindowEndTime(), 6500);
  Chart.StopLogging();
}
