// The data file and the remark file: bytes as written, appending, playback,
// run selection, remarks, and damaged, cut-off and foreign files.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "StripTestUtil.h"

using namespace striptest;

namespace {

class StripFile : public ::testing::Test {
protected:
  QString Path(const QString& Name) const { return Dir.filePath(Name); }

  // Logs one run of Count samples per series in calls of Step.
  static void LogRun(TStripChartInt& Chart, const QString& File, const QString& Comment, std::int64_t& Next,
                     Integer Count, Integer Step, Integer Series) {
    Chart.StartLogging(File, Comment);
    Feed(Chart, Next, Count, Step, Series);
    Chart.StopLogging();
  }

  // The chunks of a file: offset, id, size.
  struct Chunk {
    qsizetype Pos;
    QByteArray Id;
    std::uint32_t Size;
  };
  static std::vector<Chunk> Chunks(const QByteArray& B) {
    std::vector<Chunk> Result;
    for (qsizetype Pos = 6; Pos + 40 <= B.size();) {
      const std::uint32_t Size = U32(B, Pos + 4);
      Result.push_back({Pos, B.mid(Pos, 4), Size});
      if (Size < 40) break;
      Pos += Size;
    }
    return Result;
  }

  QTemporaryDir Dir;
};

}  // namespace

TEST_F(StripFile, TwoSeriesRunOf2500SamplesByteForByte) {
  TStripChartInt Chart;
  Chart.SetSeriesNumber(2);
  Chart.SetLogTimeIncrement(0.5);
  std::int64_t Next = 0;
  LogRun(Chart, Path("run.qlx"), "Versuch 1", Next, 2500, 100, 2);
  const QByteArray B = ReadAll(Path("run.qlx"));
  ASSERT_EQ(B.left(4), QByteArray("QLXM"));
  EXPECT_EQ(U16(B, 4), 256);

  const auto C = Chunks(B);
  ASSERT_EQ(C.size(), 5u);
  const char* Ids[] = {"HEAD", "DATA", "DATA", "DATA", "TAIL"};
  const std::uint32_t Sizes[] = {125, 40 + 8 * 1024, 40 + 8 * 1024, 3656, 44};
  const std::uint16_t BytesPerSeries[] = {0, 4096, 4096, 1808, 0};
  const double FirstTimes[] = {0, 0, 512, 1024, 0};
  const double LastTimes[] = {0, 511.5, 1023.5, 1249.5, 1249.5};
  for (size_t i = 0; i < 5; ++i) {
    const qsizetype P = C[i].Pos;
    EXPECT_EQ(C[i].Id, QByteArray(Ids[i])) << i;
    EXPECT_EQ(C[i].Size, Sizes[i]) << i;
    EXPECT_EQ(F64(B, P + 8), FirstTimes[i]) << i;
    EXPECT_EQ(F64(B, P + 16), LastTimes[i]) << i;
    EXPECT_EQ(F64(B, P + 24), 0.5) << i;
    EXPECT_EQ(I32(B, P + 32), i == 0 ? 0 : C[i - 1].Pos) << "back link " << i;
    EXPECT_EQ(B[P + 36], 0) << i;
    EXPECT_EQ(B[P + 37], 2) << i;
    EXPECT_EQ(U16(B, P + 38), BytesPerSeries[i]) << i;
  }
  EXPECT_EQ(C[4].Pos + 44, B.size());
  // HEAD: run number, comment as a short string.
  EXPECT_EQ(I32(B, 6 + 40), 1);
  EXPECT_EQ(static_cast<int>(B[6 + 44]), 9);
  EXPECT_EQ(B.mid(6 + 45, 9), QByteArray("Versuch 1"));
  // TAIL: run number.
  EXPECT_EQ(I32(B, C[4].Pos + 40), 1);
  // DATA: series 1, then series 2; the last block's second series.
  EXPECT_EQ(F32(B, C[1].Pos + 40), Expected(1, 0));
  EXPECT_EQ(F32(B, C[1].Pos + 40 + 4096), Expected(2, 0));
  EXPECT_EQ(F32(B, C[3].Pos + 40 + 1808 + 4 * 451), Expected(2, 2499));
  EXPECT_FALSE(Chart.Logging());
  EXPECT_EQ(Chart.RunComment(), "Ohne Kommentar");
}

TEST_F(StripFile, EmptyRunIsHeadThenTail) {
  TStripChartInt Chart;
  Chart.StartLogging(Path("empty.qlx"), "");
  EXPECT_TRUE(Chart.Logging());
  EXPECT_EQ(Chart.DisplayRunNumber(), 1);
  Chart.StopLogging();
  const QByteArray B = ReadAll(Path("empty.qlx"));
  ASSERT_EQ(B.size(), 6 + 125 + 44);
  EXPECT_EQ(B.mid(131, 4), QByteArray("TAIL"));
  EXPECT_EQ(I32(B, 131 + 32), 6);
  EXPECT_EQ(I32(B, 131 + 40), 1);
  EXPECT_TRUE(QFile::exists(Path("empty.XRM")));
  // Played back, the run has no samples and the window stays empty.
  Chart.StartPlaying(Path("empty.qlx"));
  EXPECT_EQ(Chart.DisplayRunNumber(), 1);
  EXPECT_EQ(Chart.DisplaySampleCount(), 0);
  EXPECT_EQ(Chart.SampleCount(), 0);
}

TEST_F(StripFile, AppendingContinuesNumberingAndLinksBackToTheOldTail) {
  TStripChartInt Chart;
  std::int64_t Next = 0;
  LogRun(Chart, Path("a.qlx"), "eins", Next, 10, 10, 1);
  const qsizetype OldSize = ReadAll(Path("a.qlx")).size();
  LogRun(Chart, Path("a.qlx"), "zwei", Next, 1030, 10, 1);
  const QByteArray B = ReadAll(Path("a.qlx"));
  ASSERT_EQ(B.mid(OldSize, 4), QByteArray("HEAD"));
  EXPECT_EQ(I32(B, OldSize + 32), OldSize - 44);   // the old TAIL
  EXPECT_EQ(I32(B, OldSize + 40), 2);
  // The second run starts where the first one ended.
  EXPECT_EQ(F64(B, OldSize + 8), 10);
  EXPECT_EQ(B.mid(B.size() - 44, 4), QByteArray("TAIL"));
  EXPECT_EQ(I32(B, B.size() - 4), 2);
  EXPECT_EQ(F64(B, B.size() - 44 + 16), 1039);
}

TEST_F(StripFile, PlaybackReadsAcrossDataChunksAndMovesBothWays) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  Chart.SetSeriesNumber(2);
  std::int64_t Next = 0;
  LogRun(Chart, Path("p.qlx"), "", Next, 2500, 250, 2);
  Chart.StartPlaying(Path("p.qlx"));
  ASSERT_TRUE(Chart.Playing());
  EXPECT_FALSE(Chart.LiveView());
  EXPECT_EQ(Chart.DisplaySampleCount(), 2500);
  auto Check = [&](Double End) {
    EXPECT_EQ(Chart.LoadStatus(), lsDone);
    EXPECT_EQ(Chart.WindowEndTime(), End);
    const auto Base = static_cast<std::int64_t>(Chart.SampleBase());
    for (Integer k = 1; k <= 2; ++k)
      for (Integer i = 1; i <= Chart.SampleCount(); ++i)
        ASSERT_EQ(Chart.SeriesValues(k)[i], Expected(k, i - 1 + Base)) << "end " << End << " index " << i;
    EXPECT_EQ(Chart.XPosition(Chart.SampleCount()), Chart.PlotRect().Right);
  };
  // A jump far forward reads a whole buffer that spans two DATA chunks.
  Chart.MoveWindowTo(false, 1500);
  EXPECT_EQ(Chart.SampleCount(), 1024);
  Check(1500);
  // A small step forward reads only the missing samples into the last chunk.
  Chart.MoveWindowTo(true, 300);
  Check(1800);
  // Past the end: limited to the run's last sample.
  Chart.MoveWindowTo(true, 5000);
  Check(2499);
  // A jump back walks the chunks backwards.
  Chart.MoveWindowTo(false, 300);
  Check(300);
  // Before the start: limited to the first sample.
  Chart.MoveWindowTo(false, -20);
  EXPECT_EQ(Chart.SampleCount(), 1);
  Check(0);
}

TEST_F(StripFile, ReadingTheRunBeingLoggedTakesTheNewestFromTheBlockBuffer) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  std::int64_t Next = 0;
  Chart.StartLogging(Path("live.qlx"), "");
  Feed(Chart, Next, 1500, 10);   // one DATA chunk written, 476 samples in the block buffer
  Chart.MoveWindowTo(false, 600);
  EXPECT_FALSE(Chart.LiveView());
  EXPECT_EQ(Chart.WindowEndTime(), 600);
  Feed(Chart, Next, 20, 10);      // logged but not shown
  EXPECT_EQ(Chart.WindowEndTime(), 600);
  Chart.MoveWindowTo(false, 1510);
  EXPECT_EQ(Chart.LoadStatus(), lsDone);
  EXPECT_EQ(Chart.WindowEndTime(), 1510);
  auto CheckValues = [&] {
    const auto Base = static_cast<std::int64_t>(Chart.SampleBase());
    for (Integer i = 1; i <= Chart.SampleCount(); ++i)
      ASSERT_EQ(Chart.SeriesValues(1)[i], Expected(1, i - 1 + Base)) << i;
  };
  CheckValues();
  // Back to the live end, then appending goes on where the file is.
  Chart.MoveWindowTo(true, 100);
  EXPECT_TRUE(Chart.LiveView());
  EXPECT_EQ(Chart.WindowEndTime(), 1519);
  Feed(Chart, Next, 30, 10);
  EXPECT_EQ(Chart.WindowEndTime(), 1549);
  CheckValues();
  Chart.StopLogging();
}

TEST_F(StripFile, RunSelectionForwardsAndBackwards) {
  TStripChartInt Chart;
  std::int64_t Next = 0;
  LogRun(Chart, Path("r.qlx"), "eins", Next, 1100, 100, 1);
  Chart.SetLogTimeIncrement(0.25);
  LogRun(Chart, Path("r.qlx"), "zwei", Next, 10, 10, 1);
  LogRun(Chart, Path("r.qlx"), "drei", Next, 3000, 1000, 1);
  Chart.StartPlaying(Path("r.qlx"));
  EXPECT_EQ(Chart.RunComment(), "eins");
  Chart.SetDisplayRunNumber(3);
  EXPECT_EQ(Chart.DisplayRunNumber(), 3);
  EXPECT_EQ(Chart.RunComment(), "drei");
  EXPECT_EQ(Chart.DisplayTimeIncrement(), 0.25);
  EXPECT_EQ(Chart.DisplaySampleCount(), 3000);
  Chart.SetDisplayRunNumber(2);
  EXPECT_EQ(Chart.RunComment(), "zwei");
  EXPECT_EQ(Chart.DisplaySampleCount(), 10);
  EXPECT_EQ(Chart.SeriesValues(1)[Chart.SampleCount()], Expected(1, 1100));
  // A run that does not exist leaves the run shown as it was.
  Chart.SetDisplayRunNumber(7);
  EXPECT_EQ(Chart.DisplayRunNumber(), 2);
  EXPECT_EQ(Chart.LoadStatus(), lsEndOfFile);
  Chart.SetDisplayRunNumber(1);
  EXPECT_EQ(Chart.RunComment(), "eins");
  EXPECT_EQ(Chart.DisplayTimeIncrement(), 1.0);
  EXPECT_EQ(Chart.DisplaySampleCount(), 1100);
}

TEST_F(StripFile, InterleavedRemarksKeepEachRunsChain) {
  TStripChartInt Chart;
  std::int64_t Next = 0;
  LogRun(Chart, Path("m.qlx"), "eins", Next, 100, 10, 1);
  Chart.StartLogging(Path("m.qlx"), "zwei");
  Feed(Chart, Next, 100, 10);
  Chart.AddRemark(1, -1, dfManual, 10, "erste");
  Chart.AddRemark(2, 1, dfAutomatic, 150, "zweite");
  Chart.AddRemark(1, 1, dfAutomatic, 20, "dritte");
  Chart.AddRemark(2, -1, dfManual, 160, "vierte");
  EXPECT_EQ(Chart.Remarks().size(), 2u);   // those of the run shown
  Chart.StopLogging();

  const QByteArray R = ReadAll(Path("m.XRM"));
  ASSERT_EQ(R.size(), 4 * 232);
  const std::int32_t Runs[] = {1, 2, 1, 2};
  const std::int32_t NextLinks[] = {464, 696, -1, -1};
  const std::int32_t PrevLinks[] = {-1, -1, 0, 232};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(I32(R, 232 * i), Runs[i]) << i;
    EXPECT_EQ(I32(R, 232 * i + 20), NextLinks[i]) << i;
    EXPECT_EQ(I32(R, 232 * i + 24), PrevLinks[i]) << i;
  }
  EXPECT_EQ(F64(R, 4), 10);
  EXPECT_EQ(I32(R, 12), -1);
  EXPECT_EQ(R[16], 1);
  EXPECT_EQ(static_cast<int>(R[28]), 5);
  EXPECT_EQ(R.mid(29, 5), QByteArray("erste"));
  EXPECT_EQ(R.mid(34, 195), QByteArray(195, ' '));

  Chart.StartPlaying(Path("m.qlx"));
  ASSERT_EQ(Chart.Remarks().size(), 2u);
  EXPECT_EQ(Chart.Remarks()[0].FilePos, 0);
  EXPECT_EQ(Chart.Remarks()[1].FilePos, 464);
  Chart.SetDisplayRunNumber(2);
  ASSERT_EQ(Chart.Remarks().size(), 2u);
  EXPECT_EQ(Chart.Remarks()[1].FilePos, 696);

  // Nearest remark, then rewrite it: the chain stays as it was.
  ASSERT_TRUE(Chart.FindNearestRemark(158));
  EXPECT_EQ(Chart.CurrentRemark().Text, "vierte");
  Chart.UpdateCurrentRemark(QString(250, 'x'), 3, dfAutomatic);
  EXPECT_EQ(Chart.Remarks()[1].Series, 3);
  Chart.StopPlaying();
  const QByteArray After = ReadAll(Path("m.XRM"));
  EXPECT_EQ(static_cast<unsigned char>(After[696 + 28]), 200);
  EXPECT_EQ(I32(After, 696 + 24), 232);
  EXPECT_EQ(I32(After, 232 + 20), 696);
}

TEST_F(StripFile, WindowMoveMakesTheRemarkNearestTheMiddleCurrent) {
  TStripChartInt Chart;
  std::int64_t Next = 0;
  Chart.SetSamplesPerWindow(100);
  LogRun(Chart, Path("n.qlx"), "", Next, 1000, 100, 1);
  Chart.StartPlaying(Path("n.qlx"));
  Chart.AddRemark(1, -1, dfManual, 200, "a");
  Chart.AddRemark(1, -1, dfManual, 640, "b");
  std::vector<QString> Fired;
  Chart.OnRemark = [&](TObject*, Double, Integer, TDescFlag, Integer Run, const TRemarkString& Text) {
    EXPECT_EQ(Run, 1);
    Fired.push_back(Text);
  };
  Chart.MoveWindowTo(false, 700);   // window 600..700, middle 650
  ASSERT_EQ(Fired.size(), 1u);
  EXPECT_EQ(Fired[0], "b");
  EXPECT_TRUE(Chart.NearestRemarkChanged());
}

// --- Damaged, cut-off and foreign files -------------------------------------

TEST_F(StripFile, CorruptChunkSizeStopsSelectionAndReadingWithAnError) {
  TStripChartInt Chart;
  std::int64_t Next = 0;
  LogRun(Chart, Path("c.qlx"), "eins", Next, 3000, 500, 1);
  LogRun(Chart, Path("c.qlx"), "zwei", Next, 10, 10, 1);
  const QByteArray Good = ReadAll(Path("c.qlx"));
  const auto C = Chunks(Good);
  ASSERT_EQ(C[2].Id, QByteArray("DATA"));
  for (std::uint32_t BadSize : {0u, 1u, 0x7fffffffu}) {
    QByteArray Bad = Good;
    qToLittleEndian<std::uint32_t>(BadSize, Bad.data() + C[2].Pos + 4);
    WriteAll(Path("c.qlx"), Bad);
    Chart.StartPlaying(Path("c.qlx"));
    // Run 1 is shown up to the damaged chunk, with the error status.
    ASSERT_EQ(Chart.DisplayRunNumber(), 1) << BadSize;
    EXPECT_EQ(Chart.LoadStatus(), lsInconsistent) << BadSize;
    EXPECT_EQ(Chart.DisplaySampleCount(), 1024) << BadSize;
    // Run 2 lies behind the damaged chunk: not found, with the error.
    Chart.SetDisplayRunNumber(2);
    EXPECT_EQ(Chart.DisplayRunNumber(), 1) << BadSize;
    EXPECT_EQ(Chart.LoadStatus(), lsInconsistent) << BadSize;
    Chart.MoveWindowTo(false, 2000);
    EXPECT_EQ(Chart.WindowEndTime(), 1023) << BadSize;
    // Reading on stops at the damaged chunk with what came before it.
    std::vector<Single> A(3001);
    Integer Read = 0;
    EXPECT_EQ(Chart.ReadRunSamples(0, 3000, {A.data()}, 1, Read), lsInconsistent) << BadSize;
    EXPECT_EQ(Read, 1024) << BadSize;
    EXPECT_EQ(A[1024], Expected(1, 1023)) << BadSize;
    // Nothing is appended to a damaged file.
    EXPECT_THROW(Chart.StartLogging(Path("c.qlx"), ""), EStripChartFile) << BadSize;
    EXPECT_FALSE(Chart.Logging());
    EXPECT_EQ(ReadAll(Path("c.qlx")), Bad) << BadSize;
  }
}

TEST_F(StripFile, RunCutOffWithoutTailPlaysBackAndIsClosedBeforeAppending) {
  TStripChartInt Chart;
  Chart.SetSeriesNumber(2);
  std::int64_t Next = 0;
  LogRun(Chart, Path("t.qlx"), "eins", Next, 100, 10, 2);
  LogRun(Chart, Path("t.qlx"), "zwei", Next, 2500, 100, 2);
  const QByteArray Full = ReadAll(Path("t.qlx"));
  const auto C = Chunks(Full);
  ASSERT_EQ(C.back().Id, QByteArray("TAIL"));
  struct Row {
    const char* Name;
    qsizetype Size;         // bytes left of the file
    std::int64_t Samples;   // samples of run 2 that survive
  };
  const Row Rows[] = {
      {"TAIL missing", Full.size() - 44, 2500},
      {"last DATA cut in its samples", C[C.size() - 2].Pos + 1000, 2048},
      {"last DATA cut in its header", C[C.size() - 2].Pos + 20, 2048},
  };
  for (const Row& R : Rows) {
    WriteAll(Path("t.qlx"), Full.left(R.Size));
    Chart.StartPlaying(Path("t.qlx"));
    Chart.SetDisplayRunNumber(2);
    ASSERT_EQ(Chart.DisplayRunNumber(), 2) << R.Name;
    EXPECT_EQ(Chart.DisplaySampleCount(), R.Samples) << R.Name;
    std::vector<Single> A(2501), B(2501);
    Integer Read = 0;
    EXPECT_EQ(Chart.ReadRunSamples(0, static_cast<Integer>(R.Samples), {A.data(), B.data()}, 2, Read), lsDone)
        << R.Name;
    ASSERT_EQ(Read, R.Samples) << R.Name;
    EXPECT_EQ(A[1], Expected(1, 100)) << R.Name;
    EXPECT_EQ(B[Read], Expected(2, 100 + Read - 1)) << R.Name;
    Chart.StopPlaying();

    // Appending closes the interrupted run with a TAIL and adds run 3.
    Chart.StartLogging(Path("t.qlx"), "drei");
    EXPECT_EQ(Chart.DisplayRunNumber(), 3) << R.Name;
    Feed(Chart, Next, 5, 5, 2);
    Chart.StopLogging();
    TFileStream S(Path("t.qlx"), TFileStream::fmOpenRead);
    const TFileScan Scan = ScanDataFile(S);
    EXPECT_EQ(Scan.Result, TFileScan::Complete) << R.Name;
    ASSERT_EQ(Scan.Runs.size(), 3u) << R.Name;
    EXPECT_GE(Scan.Runs[1].TailPos, 0) << R.Name;
    EXPECT_EQ(Scan.Runs[1].Samples, R.Samples) << R.Name;
    EXPECT_EQ(Scan.Runs[1].EndTime, 100 + R.Samples - 1) << R.Name;
    EXPECT_EQ(Scan.Runs[2].Samples, 5) << R.Name;
  }
}

TEST_F(StripFile, ForeignFileRaisesAGermanMessageAndIsNeverWritten) {
  struct Row {
    const char* Name;
    QByteArray Bytes;
  };
  QByteArray WrongVersion("QLXM\x01\x01", 6);
  WrongVersion += QByteArray(200, 'x');
  const Row Rows[] = {
      {"text file", QByteArray("Dies ist keine Messdatei, sondern Text.\n")},
      {"wrong version", WrongVersion},
      {"truncated header", QByteArray("QLX")},
      {"empty", QByteArray()},
  };
  for (const Row& R : Rows) {
    const QString Name = Path("fremd.dat");
    WriteAll(Name, R.Bytes);
    TStripChartInt Chart;
    try {
      Chart.StartLogging(Name, "");
      ADD_FAILURE() << R.Name << ": no exception";
    } catch (const EStripChartFile& E) {
      EXPECT_TRUE(E.Message().contains("ist keine Messdatei")) << R.Name << ": " << E.Message().toStdString();
    }
    EXPECT_FALSE(Chart.Logging()) << R.Name;
    EXPECT_THROW(Chart.StartPlaying(Name), EStripChartFile) << R.Name;
    EXPECT_FALSE(Chart.Playing()) << R.Name;
    EXPECT_EQ(ReadAll(Name), R.Bytes) << R.Name;
    EXPECT_FALSE(QFile::exists(Path("fremd.XRM"))) << R.Name;
    // The component is usable afterwards.
    Chart.StartLogging(Path("neu.qlx"), "");
    EXPECT_TRUE(Chart.Logging()) << R.Name;
    Chart.StopLogging();
  }
}

TEST_F(StripFile, ReplacedLoadHandlerEndsTheRefillWithWhatItRead) {
  TStripChartInt Chart;
  std::int64_t Next = 0;
  LogRun(Chart, Path("h.qlx"), "", Next, 1000, 100, 1);
  Chart.StartPlaying(Path("h.qlx"));
  Chart.LoadHandler = [&](TStream* Stream, const TSeriesBuffers& Dest, Integer First, Integer Last, Integer Length,
                          Integer Series, Extended Start, Extended End, Extended Interval, Integer& Read) {
    // Delegates to the built-in reader but stops after 50 samples.
    const Integer Status =
        Chart.FileLoad(Stream, Dest, First, std::min(Last, First + 49), Length, Series, Start, End, Interval, Read);
    return Last - First + 1 > 50 && Status == lsDone ? Integer(lsGap) : Status;
  };
  Chart.MoveWindowTo(false, 800);
  EXPECT_EQ(Chart.LoadStatus(), lsGap);
  // The first sample was shown before; 50 more were read.
  EXPECT_EQ(Chart.SampleCount(), 51);
  EXPECT_EQ(Chart.SampleBase(), 0);
  EXPECT_EQ(Chart.SeriesValues(1)[51], Expected(1, 50));
}
