// The qlxm commands, run in-process on files written by the recorder.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "StripTestUtil.h"

using namespace striptest;

namespace {

class Qlxm : public ::testing::Test {
protected:
  void SetUp() override {
    File = Dir.filePath("q.qlx");
    TStripChartInt Chart;
    Chart.SetSeriesNumber(2);
    Chart.SetLogTimeIncrement(0.5);
    std::int64_t Next = 0;
    Chart.StartLogging(File, "erster Lauf");
    Feed(Chart, Next, 1100, 100, 2);
    Chart.AddRemark(1, -1, dfManual, 3.5, "Ventil auf, Druck steigt");
    Chart.StopLogging();
    Chart.StartLogging(File, "");
    Feed(Chart, Next, 3, 3, 2);
    Chart.AddRemark(2, 2, dfAutomatic, 550.5, "Grenze");
    Chart.StopLogging();
  }
  QTemporaryDir Dir;
  QString File;
};

}  // namespace

TEST_F(Qlxm, InfoListsEveryRun) {
  const Result R = RunTool({"info", File});
  ASSERT_EQ(R.Code, 0) << R.Err.toStdString();
  const QStringList Lines = R.Out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(Lines.size(), 4);
  EXPECT_EQ(Lines[1], "version: 256");
  EXPECT_EQ(Lines[2], "run 1: start=0 interval=0.5 series=2 samples=1100 remarks=1 comment=\"erster Lauf\"");
  EXPECT_EQ(Lines[3], "run 2: start=550 interval=0.5 series=2 samples=3 remarks=1 comment=\"\"");
}

TEST_F(Qlxm, ExportWritesOneRowPerSample) {
  Result R = RunTool({"export", File, "--run", "1"});
  ASSERT_EQ(R.Code, 0) << R.Err.toStdString();
  QStringList Lines = R.Out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(Lines.size(), 1101);
  EXPECT_EQ(Lines[0], "time,series1,series2");
  EXPECT_EQ(Lines[1], "0,100000,200000");
  EXPECT_EQ(Lines[1100], "549.5,101099,201099");
  R = RunTool({"export", File, "--run", "2"});
  Lines = R.Out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(Lines.size(), 4);
  EXPECT_EQ(Lines[3], "551,101102,201102");
}

TEST_F(Qlxm, RemarksOfAllRuns) {
  const Result R = RunTool({"remarks", File});
  ASSERT_EQ(R.Code, 0);
  EXPECT_EQ(R.Out,
            "run,time,series,flag,text\n"
            "1,3.5,all,manual,\"Ventil auf, Druck steigt\"\n"
            "2,550.5,2,automatic,Grenze\n");
}

TEST_F(Qlxm, BadArgumentsAndBadFilesGiveOneLineAndAnExitCode) {
  WriteAll(Dir.filePath("fremd.txt"), "kein Format");
  struct Row {
    const char* Name;
    QStringList Args;
    int Code;
  };
  const Row Rows[] = {
      {"no command", {}, 1},
      {"unknown command", {"dump", File}, 1},
      {"export without run", {"export", File}, 1},
      {"run not a number", {"export", File, "--run", "x"}, 1},
      {"run 0", {"export", File, "--run", "0"}, 1},
      {"extra argument", {"info", File, "mehr"}, 1},
      {"missing file", {"info", Dir.filePath("fehlt.qlx")}, 2},
      {"foreign file", {"info", Dir.filePath("fremd.txt")}, 2},
      {"run not in file", {"export", File, "--run", "3"}, 2},
  };
  for (const Row& R : Rows) {
    const Result Got = RunTool(R.Args);
    EXPECT_EQ(Got.Code, R.Code) << R.Name;
    EXPECT_EQ(Got.Err.count('\n'), 1) << R.Name << ": " << Got.Err.toStdString();
  }
  EXPECT_FALSE(QFile::exists(Dir.filePath("fremd.XRM")));
}

TEST_F(Qlxm, DamagedRunIsShownUpToTheDamageAndReported) {
  QByteArray B = ReadAll(File);
  const qsizetype SecondData = 6 + 125 + 40 + 2 * 4096;
  ASSERT_EQ(B.mid(SecondData, 4), QByteArray("DATA"));
  qToLittleEndian<std::uint32_t>(0, B.data() + SecondData + 4);
  WriteAll(File, B);
  Result R = RunTool({"info", File});
  EXPECT_EQ(R.Code, 2);
  EXPECT_TRUE(R.Out.contains("run 1: start=0 interval=0.5 series=2 samples=1024 "));
  EXPECT_EQ(R.Err.count('\n'), 1);
  R = RunTool({"export", File, "--run", "1"});
  EXPECT_EQ(R.Code, 2);
  EXPECT_EQ(R.Out.count('\n'), 1025);
  EXPECT_TRUE(R.Err.contains("beschädigt"));
}

#ifdef QLXM_PROGRAM
#include <QProcess>

TEST_F(Qlxm, ProgramPrintsToStdoutAndFailsWithOneLineOnStderr) {
  QProcess P;
  P.start(QLXM_PROGRAM, {"info", File});
  ASSERT_TRUE(P.waitForFinished(30000));
  EXPECT_EQ(P.exitCode(), 0);
  EXPECT_TRUE(P.readAllStandardOutput().contains("run 2: start=550"));
  EXPECT_EQ(P.readAllStandardError(), QByteArray());
  P.start(QLXM_PROGRAM, {"export", File, "--run", "9"});
  ASSERT_TRUE(P.waitForFinished(30000));
  EXPECT_EQ(P.exitCode(), 2);
  EXPECT_EQ(P.readAllStandardError().count('\n'), 1);
}
#endif
