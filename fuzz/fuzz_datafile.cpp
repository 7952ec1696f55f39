// Data file and its remark file: the qlxm commands (run selection, export
// of the runs, the remark chain) and the chart's own playback of every run,
// drawn at a few window positions.
#include <QBuffer>
#include <QTextStream>

#include "FuzzSupport.h"
#include "quellix/stripchart/QlxmCommands.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;

namespace {

constexpr Integer kMaxRuns = 6;   // keeps one input's work bounded

void Qlxm(const QStringList& Args) {
  QByteArray OutBytes, ErrBytes;
  QTextStream Out(&OutBytes), Err(&ErrBytes);
  RunQlxm(Args, Out, Err);
}

void Playback(const QString& File) {
  static TStripChartInt* Chart = [] {
    auto* C = new TStripChartInt;
    C->SetBounds(0, 0, 417, 233);
    C->SetSeriesNumber(8);
    C->SetGridVisible(grdBoth);
    return C;
  }();
  try {
    Chart->StartPlaying(File);
    for (Integer N = 1; N <= kMaxRuns; ++N) {
      Chart->SetDisplayRunNumber(N);
      if (Chart->DisplayRunNumber() != N) break;
      const Double Start = static_cast<Double>(Chart->DisplayStartTime());
      const Double Last = static_cast<Double>(Chart->DisplayTimeLast());
      Chart->MoveWindowTo(false, Last);
      Chart->MoveWindowTo(false, Start + (Last - Start) / 2);
      Chart->MoveWindowTo(true, -100 * static_cast<Double>(Chart->DisplayTimeIncrement()));
      Chart->Repaint();
    }
  } catch (const Exception&) {
    // A file the reader refuses with a message is a good outcome.
  }
  Chart->StopPlaying();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const QByteArray Input = fuzz::Bytes(Data, Size);
  const qsizetype Cut = Input.indexOf(fuzz::RemarkSeparator());
  const QString File = fuzz::ScratchDir() + QStringLiteral("/run.qlx");
  const QString Remarks = fuzz::ScratchDir() + QStringLiteral("/run.XRM");
  fuzz::WriteFile(File, Cut < 0 ? Input : Input.left(Cut));
  if (Cut < 0) QFile::remove(Remarks);
  else fuzz::WriteFile(Remarks, Input.mid(Cut + fuzz::RemarkSeparator().size()));

  Qlxm({QStringLiteral("info"), File});
  Qlxm({QStringLiteral("remarks"), File});
  for (Integer N = 1; N <= 2; ++N) Qlxm({QStringLiteral("export"), File, QStringLiteral("--run"), QString::number(N)});
  Playback(File);
  return 0;
}
