// The qlxm commands, run in-process on files written by the recorder.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>

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

// Run 1 of the fixture: HEAD at 6, DATA at 131 (1024 samples) and 8363
// (76), TAIL at 9011; run 2: HEAD at 9055, DATA at 9180, TAIL at 9244.
// Info lists the runs up to the damage and names the run it is in, or the
// file when it is between runs; a run cut off while it was logged is no
// damage.
TEST_F(Qlxm, InfoOnDamagedFilesListsRunsUpToTheDamage) {
  const QByteArray Good = ReadAll(File);
  const QByteArray GoodRemarks = ReadAll(Dir.filePath("q.XRM"));
  ASSERT_EQ(Good.size(), 9288);
  ASSERT_EQ(Good.mid(9180, 4), QByteArray("DATA"));
  const QString Run1 = "run 1: start=0 interval=0.5 series=2 samples=1100 remarks=1 comment=\"erster Lauf\"";
  struct Row {
    const char* Name;
    std::function<void(QByteArray& Data, QByteArray& Remarks)> Damage;
    int Code;
    QString LastLine;
    QString Err;
  };
  const Row Rows[] = {
      {"unknown id in place of run 1's first chunk", [](QByteArray& B, QByteArray&) { B.replace(131, 4, "XXXX"); },
       2, "run 1: start=0 interval=0.5 series=2 samples=0 remarks=1 comment=\"erster Lauf\"",
       "Lauf 1 in %1 ist beschädigt (Lesestatus 7)"},
      {"run 2's HEAD cut off in its comment", [](QByteArray& B, QByteArray&) { B.truncate(9055 + 100); }, 2, Run1,
       "Messdatei %1 ist beschädigt (Lesestatus 6)"},
      {"run 2's samples start two intervals late",
       [](QByteArray& B, QByteArray&) {
         const double Late = 551;
         std::uint64_t Bits;
         std::memcpy(&Bits, &Late, 8);
         qToLittleEndian(Bits, B.data() + 9180 + 8);
       },
       0, "run 2: start=550 interval=0.5 series=2 samples=3 remarks=1 comment=\"\"", ""},
      {"remark of run 1 without a time, chain intact",
       [](QByteArray&, QByteArray& R) { qToLittleEndian<std::uint64_t>(0x7ff8000000000000ull, R.data() + 4); }, 0,
       "run 2: start=550 interval=0.5 series=2 samples=3 remarks=1 comment=\"\"", ""},
      {"run 1's remark linked to run 2's", [](QByteArray&, QByteArray& R) { qToLittleEndian<std::int32_t>(232, R.data() + 20); },
       0, "run 2: start=550 interval=0.5 series=2 samples=3 remarks=1 comment=\"\"", ""},
      {"run 2's DATA cut off while it was logged", [](QByteArray& B, QByteArray&) { B.truncate(9180 + 50); }, 0,
       "run 2: start=550 interval=0.5 series=2 samples=0 remarks=1 comment=\"\"", ""},
      {"run 2 cut off inside a chunk header", [](QByteArray& B, QByteArray&) { B.truncate(9180 + 20); }, 2,
       "run 2: start=550 interval=0.5 series=2 samples=0 remarks=1 comment=\"\"",
       "Messdatei %1 ist beschädigt (Lesestatus 6)"},
      {"run 1's TAIL links to the wrong chunk", [](QByteArray& B, QByteArray&) { qToLittleEndian<std::int32_t>(131, B.data() + 9011 + 32); },
       2, Run1, "Lauf 1 in %1 ist beschädigt (Lesestatus 6)"},
      {"unknown id in place of run 2's HEAD", [](QByteArray& B, QByteArray&) { B.replace(9055, 4, "XXXX"); }, 2, Run1,
       "Messdatei %1 ist beschädigt (Lesestatus 7)"},
  };
  for (const Row& R : Rows) {
    QByteArray Data = Good, Remarks = GoodRemarks;
    R.Damage(Data, Remarks);
    WriteAll(File, Data);
    WriteAll(Dir.filePath("q.XRM"), Remarks);
    const Result Got = RunTool({"info", File});
    EXPECT_EQ(Got.Code, R.Code) << R.Name;
    EXPECT_EQ(Got.Out.split('\n', Qt::SkipEmptyParts).constLast(), R.LastLine) << R.Name;
    EXPECT_EQ(Got.Err.trimmed(), R.Err.isEmpty() ? QString() : R.Err.arg(File)) << R.Name;
  }
  // Info only reads: a data file without remark file stays without one.
  WriteAll(File, Good);
  QFile::remove(Dir.filePath("q.XRM"));
  const Result Got = RunTool({"info", File});
  EXPECT_TRUE(Got.Out.contains("samples=1100 remarks=0 ")) << Got.Out.toStdString();
  EXPECT_FALSE(QFile::exists(Dir.filePath("q.XRM")));
}

TEST_F(Qlxm, RemarksOfADamagedFileUpToTheDamage) {
  QByteArray B = ReadAll(File);
  B.replace(9055, 4, "XXXX");
  WriteAll(File, B);
  const Result R = RunTool({"remarks", File});
  EXPECT_EQ(R.Code, 2);
  EXPECT_EQ(R.Out, "run,time,series,flag,text\n1,3.5,all,manual,\"Ventil auf, Druck steigt\"\n");
  EXPECT_TRUE(R.Err.contains("beschädigt")) << R.Err.toStdString();
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
