// The files under stress: readers that must not write, a process killed
// while logging, writes that fail at a real file size limit, files that
// cannot be written, and files changed by someone else during a run.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <random>
#include <sys/resource.h>

#include "ChildProcess.h"
#include "StripTestUtil.h"

using namespace striptest;

namespace {

class StripFileSafety : public ::testing::Test {
protected:
  void SetUp() override {
    // A child that becomes "nobody" must reach the files.
    QFile::setPermissions(Dir.path(), QFileDevice::Permissions(0x7777));
  }
  QString Path(const QString& Name) const { return Dir.filePath(Name); }
  static QString RemarkFile(const QString& Data) { return Data.left(Data.lastIndexOf('.')) + ".XRM"; }

  // Two runs of two series with remarks in both.
  void LogTwoRuns(const QString& File) {
    TStripChartInt Chart;
    Chart.SetSeriesNumber(2);
    std::int64_t Next = 0;
    Chart.StartLogging(File, "eins");
    Feed(Chart, Next, 2500, 100, 2);
    Chart.AddRemark(1, -1, dfManual, 10, "erste");
    Chart.AddRemark(1, 2, dfAutomatic, 20, "zweite");
    Chart.StopLogging();
    Chart.StartLogging(File, "zwei");
    Feed(Chart, Next, 300, 100, 2);
    Chart.AddRemark(2, 1, dfManual, 2600, "dritte");
    Chart.StopLogging();
  }

  // Samples per series in every run of a file, as the reader finds them.
  static std::vector<std::int64_t> RunSamples(const QString& File) {
    TFileStream S(File, TFileStream::fmOpenRead);
    std::vector<std::int64_t> Samples;
    for (const TRunInfo& R : ScanDataFile(S).Runs) Samples.push_back(R.Samples);
    return Samples;
  }

  // Every sample of run 1 is the one Feed gave it (series 1 and 2).
  static void ExpectRunHoldsFedSamples(const QString& File, std::int64_t Count, Integer Series) {
    TStripChartInt Chart;
    Chart.StartPlaying(File);
    ASSERT_EQ(Chart.DisplayRunNumber(), 1);
    ASSERT_EQ(Chart.DisplaySampleCount(), Count);
    std::vector<std::vector<Single>> A(Series, std::vector<Single>(Count + 1));
    TSeriesBuffers Dest{};
    for (Integer k = 0; k < Series; ++k) Dest[k] = A[k].data();
    Integer Read = 0;
    ASSERT_EQ(Chart.ReadRunSamples(0, static_cast<Integer>(Count), Dest, Series, Read), lsDone);
    ASSERT_EQ(Read, Count);
    for (Integer k = 0; k < Series; ++k)
      for (std::int64_t i = 1; i <= Count; ++i) ASSERT_EQ(A[k][i], Expected(k + 1, i - 1)) << k << " " << i;
  }

  QTemporaryDir Dir;
};

// Ignores SIGXFSZ and limits the size of every file this process writes.
void LimitFileSize(rlim_t Bytes) {
  signal(SIGXFSZ, SIG_IGN);
  rlimit L{};
  getrlimit(RLIMIT_FSIZE, &L);
  L.rlim_cur = Bytes;
  setrlimit(RLIMIT_FSIZE, &L);
}

void LiftFileSizeLimit() {
  rlimit L{};
  getrlimit(RLIMIT_FSIZE, &L);
  L.rlim_cur = L.rlim_max;
  setrlimit(RLIMIT_FSIZE, &L);
}

}  // namespace

// ---------------------------------------------------------------------------
// Readers

TEST_F(StripFileSafety, ReadersLeaveTheFilesAsTheyAreAndCreateNothing) {
  struct Row {
    const char* Name;
    bool ReadOnly;       // both files without write permission
    bool RemarkFile;     // the remark file exists
  };
  const Row Rows[] = {
      {"read-only data and remark file", true, true},
      {"writable data file without remark file", false, false},
  };
  for (const Row& R : Rows) {
    const QString File = Path(QStringLiteral("lesen.qlx"));
    QFile::remove(File);
    QFile::remove(RemarkFile(File));
    LogTwoRuns(File);
    if (!R.RemarkFile) QFile::remove(RemarkFile(File));
    const auto ReadOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (R.ReadOnly)
      for (const QString& F : {File, RemarkFile(File)}) QFile::setPermissions(F, ReadOnly);
    const QByteArray Data = ReadAll(File), Remarks = ReadAll(RemarkFile(File));

    TChildProcess Child([&](TChildProcess& C) {
      if (!TChildProcess::DropPrivileges()) throw std::runtime_error("cannot become nobody");
      for (const QStringList& Args : {QStringList{"info", File}, QStringList{"export", File, "--run", "1"},
                                      QStringList{"export", File, "--run", "2"}, QStringList{"remarks", File}}) {
        const Result T = RunTool(Args);
        C.Report(Args[0].toStdString() + Args.value(3).toStdString(), T.Code);
        C.Report(Args[0].toStdString() + Args.value(3).toStdString() + "Err", T.Err);
        C.Report(Args[0].toStdString() + Args.value(3).toStdString() + "Lines", T.Out.count('\n'));
      }
      TStripChartInt Chart;
      Chart.StartPlaying(File);
      C.Report("playing", Chart.Playing());
      C.Report("samples", Chart.DisplaySampleCount());
      C.Report("shownRemarks", static_cast<long long>(Chart.Remarks().size()));
      Chart.MoveWindowTo(false, 1000);
      Chart.SetDisplayRunNumber(2);
      C.Report("samples2", Chart.DisplaySampleCount());
      if (R.ReadOnly) {
        // A remark cannot reach a read-only file: an error, and no entry.
        try {
          Chart.AddRemark(2, -1, dfManual, 2700, "geht nicht");
          C.Report("addRemark", QStringLiteral("stored"));
        } catch (const EStreamError& E) {
          C.Report("addRemark", E.Message());
        }
        C.Report("remarksAfter", static_cast<long long>(Chart.Remarks().size()));
      }
      Chart.StopPlaying();
    });
    ASSERT_TRUE(Child.Succeeded()) << R.Name << ": " << Child.AllReports().toStdString();
    for (const char* Key : {"info", "export1", "export2", "remarks"})
      EXPECT_EQ(Child[Key], "0") << R.Name << Key << Child.AllReports().toStdString();
    EXPECT_EQ(Child["export1Lines"], "2501") << R.Name;
    EXPECT_EQ(Child["export2Lines"], "301") << R.Name;
    EXPECT_EQ(Child["remarksLines"], R.RemarkFile ? "4" : "1") << R.Name;
    EXPECT_EQ(Child["playing"], "1") << R.Name;
    EXPECT_EQ(Child["samples"], "2500") << R.Name;
    EXPECT_EQ(Child["shownRemarks"], R.RemarkFile ? "2" : "0") << R.Name;
    EXPECT_EQ(Child["samples2"], "300") << R.Name;
    if (R.ReadOnly) {
      EXPECT_TRUE(Child["addRemark"].contains(RemarkFile(File))) << Child["addRemark"].toStdString();
      EXPECT_TRUE(Child["addRemark"].contains(QString::fromLocal8Bit(std::strerror(EACCES))))
          << Child["addRemark"].toStdString();
      EXPECT_EQ(Child["remarksAfter"], "1");
    }
    EXPECT_EQ(ReadAll(File), Data) << R.Name;
    EXPECT_EQ(QFile::exists(RemarkFile(File)), R.RemarkFile) << R.Name;
    EXPECT_EQ(ReadAll(RemarkFile(File)), Remarks) << R.Name;
    for (const QString& F : {File, RemarkFile(File)}) QFile::setPermissions(F, ReadOnly | QFileDevice::WriteOwner);
  }
}

// ---------------------------------------------------------------------------
// kill -9 while logging

// A child logs two series in blocks of random length and adds a remark
// now and then, publishing after each call how many samples and remarks
// it has handed over; it is killed at a random moment. Full blocks go to
// the file when they fill, so at most the block being filled is lost:
// fewer than 1024 samples per series.
TEST_F(StripFileSafety, KillNineLosesAtMostTheBlockBeingFilled) {
  constexpr int kTrials = 24;
  std::int64_t LostMin = kBlockSamples, LostMax = 0, LostSum = 0, RemarksAdded = 0, RemarksKept = 0;
  for (int Seed = 1; Seed <= kTrials; ++Seed) {
    const QString File = Path(QStringLiteral("kill%1.qlx").arg(Seed));
    std::mt19937 Rng(Seed), KillRng(1000 + Seed);
    TChildProcess Child([&](TChildProcess& C) {
      TStripChartInt Chart;
      Chart.SetSeriesNumber(2);
      Chart.SetLogTimeIncrement(0.5);
      Chart.StartLogging(File, "bis zum Abbruch");
      std::int64_t Next = 0, Remarks = 0;
      for (;;) {
        Feed(Chart, Next, 1 + static_cast<Integer>(Rng() % 700), kBlockSamples, 2);
        C.Publish(0, Next);
        if (Rng() % 6 == 0) {
          Chart.AddRemark(1, -1, dfAutomatic, 0.5 * Next, QStringLiteral("r%1").arg(++Remarks));
          C.Publish(1, Remarks);
        }
      }
    });
    ASSERT_TRUE(Child.Started());
    // Killed once it has handed over a random number of samples, after a
    // random further moment.
    const std::int64_t Target = 1 + KillRng() % 12000;
    while (Child.Progress(0) < Target) usleep(50);
    for (volatile unsigned Spin = KillRng() % 200000; Spin > 0; --Spin) {
    }
    Child.Kill();
    const int Status = Child.Wait();
    ASSERT_TRUE(WIFSIGNALED(Status) && WTERMSIG(Status) == SIGKILL) << Child.AllReports().toStdString();
    const std::int64_t Handed = Child.Progress(0), Remarks = Child.Progress(1);

    // The file plays back: whole blocks, every sample in its place.
    const std::vector<std::int64_t> Runs = RunSamples(File);
    ASSERT_EQ(Runs.size(), 1u) << "seed " << Seed;
    const std::int64_t InFile = Runs[0];
    EXPECT_EQ(InFile % kBlockSamples, 0) << "seed " << Seed;
    EXPECT_LE(InFile, Handed + 700) << "seed " << Seed;
    const std::int64_t Lost = Handed - InFile;
    EXPECT_LT(Lost, kBlockSamples) << "seed " << Seed << ": " << Handed << " handed over, " << InFile << " in the file";
    ExpectRunHoldsFedSamples(File, InFile, 2);
    // More in the file than published: the child went on after its last
    // report; nothing it reported was lost.
    LostMin = std::min(LostMin, std::max<std::int64_t>(Lost, 0));
    LostMax = std::max(LostMax, Lost);
    LostSum += std::max<std::int64_t>(Lost, 0);

    // Every remark handed over is in its chain (the one being added at the
    // kill may be too).
    {
      TStripChartInt Chart;
      Chart.StartPlaying(File);
      const auto Kept = static_cast<std::int64_t>(Chart.Remarks().size());
      EXPECT_GE(Kept, Remarks) << "seed " << Seed;
      EXPECT_LE(Kept, Remarks + 1) << "seed " << Seed;
      for (std::int64_t i = 0; i < Kept; ++i)
        EXPECT_EQ(Chart.RemarkRecord(Chart.Remarks()[i]).Text, QStringLiteral("r%1").arg(i + 1)) << "seed " << Seed;
      RemarksAdded += Remarks;
      RemarksKept += std::min(Kept, Remarks);
    }

    // And it takes a new run behind the one cut off.
    TStripChartInt Chart;
    Chart.SetSeriesNumber(2);
    Chart.StartLogging(File, "danach");
    EXPECT_EQ(Chart.DisplayRunNumber(), 2) << "seed " << Seed;
    std::int64_t Next = 0;
    Feed(Chart, Next, 100, 100, 2);
    Chart.StopLogging();
    EXPECT_EQ(RunSamples(File), (std::vector<std::int64_t>{InFile, 100})) << "seed " << Seed;
    EXPECT_EQ(RunTool({"export", File, "--run", "2"}).Code, 0) << "seed " << Seed;
  }
  RecordProperty("SamplesLostMax", static_cast<int>(LostMax));
  std::printf("kill -9: %d trials, samples lost per series %lld..%lld (mean %.0f), remarks kept %lld of %lld\n",
              kTrials, static_cast<long long>(LostMin), static_cast<long long>(LostMax),
              static_cast<double>(LostSum) / kTrials, static_cast<long long>(RemarksKept),
              static_cast<long long>(RemarksAdded));
}

// ---------------------------------------------------------------------------
// Write failures at a real file size limit

// The limit leaves room for the HEAD and two DATA chunks of two series; the
// third chunk fails. The failure is reported once, the run ends, the cut
// chunk is taken off, and when the limit is lifted again (a disk that had
// room again) nothing more is written: the run never goes on with times
// shifted by the gap.
TEST_F(StripFileSafety, FileSizeLimitEndsTheRunOnceAndKeepsTheWholeBlocks) {
  const QString File = Path(QStringLiteral("voll.qlx"));
  constexpr std::int64_t kHead = 6 + 125, kChunk = 40 + 2 * 4 * kBlockSamples;
  TChildProcess Child([&](TChildProcess& C) {
    LimitFileSize(kHead + 2 * kChunk + 1000);
    TStripChartInt Chart;
    Chart.SetSeriesNumber(2);
    Chart.StartLogging(File, "");
    std::int64_t Next = 0;
    int Errors = 0;
    for (int Call = 0; Call < 60; ++Call) {
      try {
        Feed(Chart, Next, 100, 100, 2);
      } catch (const EStreamError& E) {
        ++Errors;
        C.Report("error", E.Message());
        C.Report("errorAt", Next);
        C.Report("logging", Chart.Logging());
      }
    }
    C.Report("errors", Errors);
    C.Report("sizeAfterError", QFileInfo(File).size());
    C.Report("stop", QStringLiteral("ok"));
    try {
      Chart.StopLogging();
      Chart.StopLogging();
    } catch (const Exception& E) {
      C.Report("stop", E.Message());
    }
    LiftFileSizeLimit();
    Feed(Chart, Next, 3000, 100, 2);
    C.Report("sizeAtEnd", QFileInfo(File).size());
    C.Report("liveEnd", Chart.WindowEndTime());
    C.Report("next", Next);
  });
  ASSERT_TRUE(Child.Succeeded()) << Child.AllReports().toStdString();
  EXPECT_EQ(Child["errors"], "1");
  EXPECT_EQ(Child["errorAt"], "3000");   // the call that filled the third block
  EXPECT_EQ(Child["logging"], "0");
  const QString Message = Child["error"];
  EXPECT_TRUE(Message.contains(File)) << Message.toStdString();
  EXPECT_TRUE(Message.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << Message.toStdString();
  EXPECT_TRUE(Message.contains(QStringLiteral("Die Aufnahme wurde beendet"))) << Message.toStdString();
  EXPECT_EQ(Child["stop"], "ok");
  EXPECT_EQ(Child["sizeAfterError"], QString::number(kHead + 2 * kChunk));
  EXPECT_EQ(Child["sizeAtEnd"], QString::number(kHead + 2 * kChunk));
  // The live view goes on with every sample, those of the call that met
  // the error (not counted in "next") included.
  EXPECT_EQ(Child["liveEnd"].toLongLong(), Child["next"].toLongLong() + 100 - 1);
  ExpectRunHoldsFedSamples(File, 2 * kBlockSamples, 2);
  EXPECT_EQ(RunTool({"export", File, "--run", "1"}).Out.count('\n'), 1 + 2 * kBlockSamples);

  // The next start closes the run cut off and appends behind it.
  TStripChartInt Chart;
  Chart.SetSeriesNumber(2);
  Chart.StartLogging(File, "");
  std::int64_t Next = 0;
  Feed(Chart, Next, 10, 10, 2);
  Chart.StopLogging();
  EXPECT_EQ(RunSamples(File), (std::vector<std::int64_t>{2 * kBlockSamples, 10}));
}

// Remarks at the limit: the record that does not fit is reported, is not
// in the list, and nothing of it stays in the file; the run then ends with
// its samples and TAIL, since the data file is whole.
TEST_F(StripFileSafety, RemarkThatDoesNotFitIsReportedAndNotListed) {
  const QString File = Path(QStringLiteral("bem.qlx"));
  TChildProcess Child([&](TChildProcess& C) {
    LimitFileSize(3 * kRemarkRecordSize + 100);
    TStripChartInt Chart;
    Chart.StartLogging(File, "");
    std::int64_t Next = 0;
    Feed(Chart, Next, 10, 10, 1);
    for (int i = 1; i <= 4; ++i) {
      try {
        Chart.AddRemark(1, -1, dfManual, i, QStringLiteral("Bemerkung %1").arg(i));
        C.Report("stored", i);
        C.Report("listed", static_cast<long long>(Chart.Remarks().size()));
      } catch (const EStreamError& E) {
        C.Report("error", E.Message());
      }
      C.Report("logging", Chart.Logging());
    }
  });
  ASSERT_TRUE(Child.Succeeded()) << Child.AllReports().toStdString();
  EXPECT_EQ(Child["stored"], "3");
  EXPECT_EQ(Child["listed"], "3");
  EXPECT_EQ(Child["logging"], "0");
  EXPECT_TRUE(Child["error"].contains(RemarkFile(File))) << Child["error"].toStdString();
  EXPECT_TRUE(Child["error"].contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << Child["error"].toStdString();
  EXPECT_EQ(QFileInfo(RemarkFile(File)).size(), 3 * kRemarkRecordSize);
  const Result Listed = RunTool({"remarks", File});
  EXPECT_EQ(Listed.Code, 0);
  EXPECT_EQ(Listed.Out.count('\n'), 4);
  ExpectRunHoldsFedSamples(File, 10, 1);
  TFileStream S(File, TFileStream::fmOpenRead);
  const TFileScan Scan = ScanDataFile(S);
  ASSERT_EQ(Scan.Runs.size(), 1u);
  EXPECT_GE(Scan.Runs[0].TailPos, 0);
}

// ---------------------------------------------------------------------------
// Starting a run that cannot be written

TEST_F(StripFileSafety, StartThatFailsLeavesNoEmptyRunAndNoFile) {
  struct Row {
    const char* Name;
    bool DataFileExists;
  };
  for (const Row R : {Row{"existing data file, read-only remark file", true},
                      Row{"new data file, read-only remark file", false}}) {
    const QString File = Path(QStringLiteral("start.qlx"));
    QFile::remove(File);
    QFile::remove(RemarkFile(File));
    if (R.DataFileExists) {
      LogTwoRuns(File);
      QFile::setPermissions(File, QFileDevice::Permissions(0x6666));
    } else {
      WriteAll(RemarkFile(File), QByteArray());
    }
    QFile::setPermissions(RemarkFile(File), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const QByteArray Before = ReadAll(File);
    TChildProcess Child([&](TChildProcess& C) {
      if (!TChildProcess::DropPrivileges()) throw std::runtime_error("cannot become nobody");
      TStripChartInt Chart;
      try {
        Chart.StartLogging(File, "");
        C.Report("started", QStringLiteral("yes"));
      } catch (const EStreamError& E) {
        C.Report("error", E.Message());
      }
      C.Report("logging", Chart.Logging());
      C.Report("run", Chart.DisplayRunNumber());
    });
    ASSERT_TRUE(Child.Succeeded()) << R.Name << ": " << Child.AllReports().toStdString();
    EXPECT_EQ(Child["started"], "") << R.Name;
    EXPECT_TRUE(Child["error"].contains(RemarkFile(File))) << R.Name << ": " << Child["error"].toStdString();
    EXPECT_EQ(Child["logging"], "0") << R.Name;
    EXPECT_EQ(Child["run"], "0") << R.Name;
    EXPECT_EQ(QFile::exists(File), R.DataFileExists) << R.Name;
    EXPECT_EQ(ReadAll(File), Before) << R.Name;
    QFile::setPermissions(RemarkFile(File), QFileDevice::Permissions(0x6666));
  }
}

// ---------------------------------------------------------------------------
// Files changed by someone else while logging

// The change is found at the next chunk: the run ends with an error that
// names the file, and what was written before stays as it is.
TEST_F(StripFileSafety, FileChangedUnderARunningLogEndsTheRun) {
  struct Row {
    const char* Name;
    std::function<void(const QString& File)> Change;
    const char* Message;          // part of the error
    bool RemarkFileChanged;       // else the data file
    std::int64_t SamplesKept;     // in run 1 afterwards; -1: data file gone
  };
  const Row Rows[] = {
      {"data file deleted", [](const QString& F) { QFile::remove(F); }, "wurde von außen gelöscht", false, -1},
      {"data file cut in its first block", [](const QString& F) { QFile::resize(F, 6 + 125 + 40 + 2000); },
       "wurde von außen verkürzt", false, 0},
      {"data file replaced",
       [](const QString& F) {
         WriteAll(F + ".neu", "fremd");
         QFile::remove(F);
         QFile::rename(F + ".neu", F);
       },
       "wurde von außen ersetzt", false, -1},
      {"remark file deleted", [](const QString& F) { QFile::remove(RemarkFile(F)); }, "wurde von außen gelöscht",
       true, 2048},
  };
  for (const Row& R : Rows) {
    const QString File = Path(QStringLiteral("aussen.qlx"));
    QFile::remove(File);
    QFile::remove(RemarkFile(File));
    TStripChartInt Chart;
    std::int64_t Next = 0;
    Chart.StartLogging(File, "");
    Feed(Chart, Next, 1500, 100);
    R.Change(File);
    const QByteArray Changed = ReadAll(File);
    QString Error;
    int Errors = 0;
    for (int Call = 0; Call < 20; ++Call) {
      try {
        Feed(Chart, Next, 50, 50);
      } catch (const EStreamError& E) {
        Error = E.Message();
        ++Errors;
      }
    }
    EXPECT_EQ(Errors, 1) << R.Name;
    EXPECT_TRUE(Error.contains(R.Message)) << R.Name << ": " << Error.toStdString();
    EXPECT_TRUE(Error.contains(R.RemarkFileChanged ? RemarkFile(File) : File)) << R.Name;
    EXPECT_FALSE(Chart.Logging()) << R.Name;
    EXPECT_NO_THROW(Chart.StopLogging()) << R.Name;
    if (R.SamplesKept < 0) continue;
    if (!R.RemarkFileChanged) EXPECT_EQ(ReadAll(File), Changed) << R.Name;
    EXPECT_EQ(RunSamples(File), std::vector<std::int64_t>{R.SamplesKept}) << R.Name;
  }
}

// A remark added after its file was deleted: reported, not listed, and
// the run ends whole in the data file.
TEST_F(StripFileSafety, RemarkAfterItsFileWasDeletedIsReported) {
  const QString File = Path(QStringLiteral("weg.qlx"));
  TStripChartInt Chart;
  std::int64_t Next = 0;
  Chart.StartLogging(File, "");
  Feed(Chart, Next, 300, 100);
  Chart.AddRemark(1, -1, dfManual, 10, "da");
  QFile::remove(RemarkFile(File));
  try {
    Chart.AddRemark(1, -1, dfManual, 20, "weg");
    ADD_FAILURE() << "no error";
  } catch (const EStreamError& E) {
    EXPECT_TRUE(E.Message().contains(RemarkFile(File))) << E.Message().toStdString();
  }
  for (const TRemarkIndexEntry& E : Chart.Remarks()) EXPECT_NE(E.Time, 20);
  EXPECT_FALSE(Chart.Logging());
  EXPECT_EQ(RunSamples(File), std::vector<std::int64_t>{300});
}
