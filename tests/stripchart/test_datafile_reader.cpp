// The widget-free reader of data files: runs, comments, samples across
// chunk boundaries, cut-off files, remarks, and files it refuses.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <functional>

#include "StripTestUtil.h"
#include "quellix/stripchart/DataFileReader.h"

using namespace striptest;

namespace {

class DataFileReader : public ::testing::Test {
protected:
  QString Path(const QString& Name) const { return Dir.filePath(Name); }

  // Two runs written by the recorder: run 1 of 100 samples, run 2 of 2500
  // samples (DATA chunks of 1024, 1024 and 452), both in two series.
  void LogTwoRuns(const QString& File) {
    TStripChartInt Chart;
    Chart.SetSeriesNumber(2);
    std::int64_t Next = 0;
    Chart.StartLogging(File, "eins");
    Feed(Chart, Next, 100, 10, 2);
    Chart.StopLogging();
    Chart.StartLogging(File, "zwei");
    Feed(Chart, Next, 2500, 100, 2);
    Chart.StopLogging();
  }

  QTemporaryDir Dir;
};

}  // namespace

TEST_F(DataFileReader, ListsRunsWithTheirCommentsAndTimes) {
  LogTwoRuns(Path("m.qlx"));
  TDataFileReader File(Path("m.qlx"));
  EXPECT_EQ(File.ScanResult(), TFileScan::Complete);
  ASSERT_EQ(File.Runs().size(), 2u);
  const TRunInfo& Second = File.Runs()[1];
  EXPECT_EQ(Second.RunNumber, 2);
  EXPECT_EQ(Second.SeriesCount, 2);
  EXPECT_EQ(Second.Samples, 2500);
  EXPECT_EQ(Second.StartTime, 100);
  EXPECT_EQ(File.RunComment(File.Runs()[0]), "eins");
  EXPECT_EQ(File.RunComment(Second), "zwei");
  EXPECT_EQ(File.FindRun(2), &Second);
  EXPECT_EQ(File.FindRun(3), nullptr);
}

TEST_F(DataFileReader, ReadsAnyWindowOfARun) {
  LogTwoRuns(Path("m.qlx"));
  TDataFileReader File(Path("m.qlx"));
  const TRunInfo& Run = *File.FindRun(2);
  struct Row {
    const char* Name;
    std::int64_t First;
    Integer Count;
    Integer Read;
  };
  const Row Rows[] = {
      {"the whole run", 0, 2500, 2500},
      {"inside the first chunk", 10, 20, 20},
      {"across a chunk boundary", 1000, 100, 100},
      {"across two boundaries", 1020, 1100, 1100},
      {"the short last chunk", 2048, 452, 452},
      {"past the end is cut", 2490, 50, 10},
      {"first sample after the run", 2500, 5, 0},
      {"negative first sample", -1, 5, 0},
      {"nothing wanted", 7, 0, 0},
  };
  for (const Row& R : Rows) {
    std::vector<Single> A(2600, -1), B(2600, -1);
    const Integer Read = File.ReadSamples(Run, R.First, R.Count, {A.data(), B.data()});
    ASSERT_EQ(Read, R.Read) << R.Name;
    for (Integer i = 0; i < Read; ++i) {
      // Run 2 continues the numbering of run 1's 100 samples.
      ASSERT_EQ(A[i], Expected(1, 100 + R.First + i)) << R.Name << " at " << i;
      ASSERT_EQ(B[i], Expected(2, 100 + R.First + i)) << R.Name << " at " << i;
    }
    EXPECT_EQ(A[Read], -1) << R.Name << ": nothing written behind the samples read";
  }
}

TEST_F(DataFileReader, NullDestinationSkipsASeries) {
  LogTwoRuns(Path("m.qlx"));
  TDataFileReader File(Path("m.qlx"));
  std::vector<Single> B(30, -1);
  EXPECT_EQ(File.ReadSamples(File.Runs()[0], 70, 30, {nullptr, B.data()}), 30);
  EXPECT_EQ(B[0], Expected(2, 70));
  EXPECT_EQ(B[29], Expected(2, 99));
}

TEST_F(DataFileReader, CutOffRunKeepsItsWholeChunks) {
  LogTwoRuns(Path("m.qlx"));
  const QByteArray Full = ReadAll(Path("m.qlx"));
  // Cut into the last DATA chunk (452 samples of 2 series, then the TAIL).
  WriteAll(Path("m.qlx"), Full.left(Full.size() - 44 - 1000));
  TDataFileReader File(Path("m.qlx"));
  EXPECT_EQ(File.ScanResult(), TFileScan::CutOff);
  ASSERT_EQ(File.Runs().size(), 2u);
  const TRunInfo& Run = File.Runs()[1];
  EXPECT_EQ(Run.TailPos, -1);
  ASSERT_EQ(Run.Samples, 2048);
  std::vector<Single> A(2500);
  EXPECT_EQ(File.ReadSamples(Run, 0, 2500, {A.data()}), 2048);
  EXPECT_EQ(A[2047], Expected(1, 100 + 2047));
}

TEST_F(DataFileReader, RemarksOfEachRunInTheOrderTheyWereMade) {
  {
    TStripChartInt Chart;
    std::int64_t Next = 0;
    Chart.StartLogging(Path("m.qlx"), "eins");
    Feed(Chart, Next, 100, 10);
    Chart.StopLogging();
    Chart.StartLogging(Path("m.qlx"), "zwei");
    Feed(Chart, Next, 100, 10);
    Chart.AddRemark(1, -1, dfManual, 10, "erste");
    Chart.AddRemark(2, 1, dfAutomatic, 150, "zweite");
    Chart.AddRemark(1, 1, dfAutomatic, 20, "dritte");
    Chart.StopLogging();
  }
  TDataFileReader File(Path("m.qlx"));
  const auto One = File.Remarks(1);
  ASSERT_EQ(One.size(), 2u);
  EXPECT_EQ(One[0].Text, "erste");
  EXPECT_EQ(One[0].Series, -1);
  EXPECT_EQ(One[0].Flag, dfManual);
  EXPECT_EQ(One[1].Text, "dritte");
  EXPECT_EQ(One[1].Time, 20);
  const auto Two = File.Remarks(2);
  ASSERT_EQ(Two.size(), 1u);
  EXPECT_EQ(Two[0].Text, "zweite");
  EXPECT_TRUE(File.Remarks(3).empty());

  // Without the remark file there are no remarks, and no error.
  ASSERT_TRUE(QFile::remove(Path("m.XRM")));
  EXPECT_TRUE(File.Remarks(1).empty());
}

// Records: 0 "a" (run 1), 232 "b" (run 2), 464 "c" (run 1), 696 "d"
// (run 1); run 1's chain is 0 -> 464 -> 696.
TEST_F(DataFileReader, RemarksFollowTheRunsChainAndStopAtADamagedLink) {
  {
    TStripChartInt Chart;
    std::int64_t Next = 0;
    Chart.StartLogging(Path("m.qlx"), "eins");
    Feed(Chart, Next, 100, 10);
    Chart.AddRemark(1, -1, dfManual, 1, "a");
    Chart.AddRemark(2, -1, dfManual, 2, "b");
    Chart.AddRemark(1, -1, dfManual, 3, "c");
    Chart.AddRemark(1, -1, dfManual, 4, "d");
    Chart.StopLogging();
  }
  const QByteArray Good = ReadAll(Path("m.XRM"));
  ASSERT_EQ(Good.size(), 4 * 232);
  struct Row {
    const char* Name;
    std::function<void(QByteArray&)> Damage;
    QString Run1;  // texts, "?" for a record without a time
  };
  const Row Rows[] = {
      {"intact", [](QByteArray&) {}, "acd"},
      {"link to the record itself", [](QByteArray& R) { qToLittleEndian<std::int32_t>(464, R.data() + 464 + 20); }, "ac"},
      {"link into another run's record", [](QByteArray& R) { qToLittleEndian<std::int32_t>(232, R.data() + 20); }, "a"},
      {"link between records", [](QByteArray& R) { qToLittleEndian<std::int32_t>(300, R.data() + 20); }, "a"},
      {"last record cut off", [](QByteArray& R) { R.chop(100); }, "ac"},
      {"record without a time", [](QByteArray& R) { qToLittleEndian<std::uint64_t>(0x7ff8000000000000ull, R.data() + 464 + 4); },
       "a?d"},
      {"record of the run appended without a link", [](QByteArray& R) { R.append(R.mid(464, 232)); }, "acd"},
      {"first record given to run 3", [](QByteArray& R) { qToLittleEndian<std::int32_t>(3, R.data()); }, "cd"},
  };
  TDataFileReader File(Path("m.qlx"));
  const auto Texts = [](const std::vector<TRemarkRecord>& List) {
    QString T;
    for (const TRemarkRecord& R : List) T += std::isfinite(R.Time) ? R.Text : QStringLiteral("?");
    return T;
  };
  for (const Row& R : Rows) {
    QByteArray Remarks = Good;
    R.Damage(Remarks);
    WriteAll(Path("m.XRM"), Remarks);
    EXPECT_EQ(Texts(File.Remarks(1)), R.Run1) << R.Name;
    const auto All = File.RemarksOfAllRuns();
    EXPECT_EQ(All.count(1) ? Texts(All.at(1)) : QString(), R.Run1) << R.Name;
    EXPECT_EQ(Texts(File.Remarks(2)), "b") << R.Name;
  }
}

TEST_F(DataFileReader, RefusesMissingAndForeignFiles) {
  EXPECT_THROW(TDataFileReader(Path("fehlt.qlx")), EStreamError);
  WriteAll(Path("fremd.qlx"), QByteArray("RIFF....WAVEfmt ", 16));
  EXPECT_THROW(TDataFileReader(Path("fremd.qlx")), EStripChartFile);
  // A foreign file is only read, never changed.
  EXPECT_EQ(ReadAll(Path("fremd.qlx")), QByteArray("RIFF....WAVEfmt ", 16));
}
