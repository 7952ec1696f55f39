// The remark file alone, beside a fixed data file of three runs: loading
// each run's chain, the remark nearest to the window, the marks drawn over
// the traces, and changing the current remark.
#include "FuzzApplication.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;

namespace {

// Three runs of 1500, 10 and 0 samples, made by the chart's own writer.
QString MakeDataFile() {
  const QString Name = fuzz::ScratchDir() + QStringLiteral("/remarks.qlx");
  QFile::remove(Name);
  {
    TStripChartInt Writer;
    Writer.SetSeriesNumber(2);
    Writer.StartLogging(Name, QStringLiteral("fuzz"));
    for (Integer Run = 0; Run < 3; ++Run) {
      const Integer Count = Run == 0 ? 1500 : Run == 1 ? 10 : 0;
      std::vector<Single> A(Count + 1), B(Count + 1);
      for (Integer i = 0; i < Count; ++i) A[i] = B[i] = static_cast<Single>(i % 10);
      if (Count > 0) Writer.AddValues(TSeriesValues{A.data(), B.data()}, 2, Count);
      if (Run < 2) Writer.SetLogStartTime(Writer.LogStartTime() + 10000);
    }
    Writer.StopLogging();
  }
  return Name;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  // Playback never writes the data file: it is written once.
  static const QString File = MakeDataFile();
  static TStripChartInt* Chart = [] {
    auto* C = new TStripChartInt;
    C->SetBounds(0, 0, 417, 233);
    C->SetMarkerWidth(3);
    return C;
  }();
  fuzz::WriteFile(RemarkFileName(File), fuzz::Bytes(Data, Size));
  try {
    Chart->StartPlaying(File);
    for (Integer N = 1; N <= 3; ++N) {
      Chart->SetDisplayRunNumber(N);
      // A few window moves onto remarks; the list itself may be long.
      const std::vector<TRemarkIndexEntry> List = Chart->Remarks();
      for (size_t i = 0; i < List.size() && i < 4; ++i) {
        Chart->MoveWindowTo(false, List[i].Time);
        Chart->RemarkRecord(List[i]);
      }
      if (Chart->FindNearestRemark(static_cast<Double>(Chart->DisplayStartTime())))
        Chart->UpdateCurrentRemark(QStringLiteral("geändert"), 1, dfManual);
      Chart->Repaint();
    }
  } catch (const Exception&) {
  }
  Chart->StopPlaying();
  return 0;
}
