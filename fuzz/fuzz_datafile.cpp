// Data file and its remark file: the qlxm commands (run walk, export of
// the runs, the remark chains), the reader without chart, checked to read
// every sample it counted, and the chart's own playback of every run,
// drawn once per run.
//
// One chart serves every execution: the input is written once to a scratch
// file in memory, and the chart reopens it; no control is created per input.
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "FuzzApplication.h"
#include "quellix/stripchart/DataFileReader.h"
#include "quellix/stripchart/QlxmCommands.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;

namespace {

constexpr Integer kMaxRuns = 6;   // runs played back: keeps one input's work bounded

TStripChartInt& Chart() {
  static TStripChartInt* C = [] {
    auto* C = new TStripChartInt;
    C->SetBounds(0, 0, 417, 233);
    C->SetSeriesNumber(8);
    C->SetGridVisible(grdBoth);
    C->SetMarkerWidth(3);
    return C;
  }();
  return *C;
}

void Qlxm(const QStringList& Args) {
  QString OutText, ErrText;
  QTextStream Out(&OutText), Err(&ErrText);
  RunQlxm(Args, Out, Err, Chart());
}

// The reader lists a run's samples from its whole DATA chunks, so it must
// read every one of them back.
void ReadEveryRun(const QString& File) {
  try {
    TDataFileReader Reader(File);
    std::vector<Single> Buffer(4096);
    TSeriesBuffers Dest{};
    for (size_t k = 0; k < Dest.size(); ++k) Dest[k] = k % 2 == 0 ? Buffer.data() : nullptr;
    for (const TRunInfo& Run : Reader.Runs()) {
      for (std::int64_t First = 0; First < Run.Samples;) {
        const auto Count = static_cast<Integer>(std::min<std::int64_t>(4096, Run.Samples - First));
        if (Reader.ReadSamples(Run, First, Count, Dest) != Count) {
          std::fprintf(stderr, "run %d: %d samples from %lld not read back\n", Run.RunNumber, Count,
                       static_cast<long long>(First));
          std::abort();
        }
        First += Count;
      }
      Reader.RunComment(Run);
    }
    Reader.RemarksOfAllRuns();
  } catch (const Exception&) {
    // A file the reader refuses with a message is a good outcome.
  }
}

void Playback(const QString& File) {
  TStripChartInt& C = Chart();
  try {
    C.StartPlaying(File);
    for (Integer N = 1; N <= kMaxRuns; ++N) {
      C.SetDisplayRunNumber(N);
      if (C.DisplayRunNumber() != N) break;
      const Double Start = static_cast<Double>(C.DisplayStartTime());
      const Double Last = static_cast<Double>(C.DisplayTimeLast());
      C.MoveWindowTo(false, Last);
      C.MoveWindowTo(false, Start + (Last - Start) / 2);
      C.MoveWindowTo(true, -100 * static_cast<Double>(C.DisplayTimeIncrement()));
      const std::vector<TRemarkIndexEntry> List = C.Remarks();
      if (!List.empty()) C.MoveWindowTo(false, List.back().Time);
      C.Repaint();
    }
  } catch (const Exception&) {
    // A file the reader refuses with a message is a good outcome.
  }
  C.StopPlaying();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const QString File = fuzz::ScratchDir() + QStringLiteral("/run.qlx");
  static const QString Remarks = fuzz::ScratchDir() + QStringLiteral("/run.XRM");
  const QByteArray Input = fuzz::Bytes(Data, Size);
  const qsizetype Cut = Input.indexOf(fuzz::RemarkSeparator());
  fuzz::WriteFile(File, Cut < 0 ? Input : Input.left(Cut));
  // Without a remark part the remark file is empty.
  fuzz::WriteFile(Remarks, Cut < 0 ? QByteArray() : Input.mid(Cut + fuzz::RemarkSeparator().size()));

  Qlxm({QStringLiteral("info"), File});
  ReadEveryRun(File);
  Qlxm({QStringLiteral("remarks"), File});
  for (Integer N = 1; N <= 2; ++N) Qlxm({QStringLiteral("export"), File, QStringLiteral("--run"), QString::number(N)});
  Playback(File);
  return 0;
}
