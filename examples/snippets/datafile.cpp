// Lists the runs of a strip chart data file and prints the first samples
// of each, without the strip chart itself (no Qt Widgets needed).
//   snippet-datafile FILE
#include <QCoreApplication>
#include <cstdio>
#include <vector>

#include <quellix/stripchart/DataFileReader.h>

using namespace quellix;
using namespace quellix::StrpChrtInt;

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);
  if (App.arguments().size() != 2) {
    std::fprintf(stderr, "usage: snippet-datafile FILE\n");
    return 1;
  }
  try {
    TDataFileReader File(App.arguments()[1]);
    for (const TRunInfo& Run : File.Runs()) {
      std::printf("run %d \"%s\": %d series, %lld samples every %g s\n", Run.RunNumber,
                  qPrintable(File.RunComment(Run)), Run.SeriesCount, static_cast<long long>(Run.Samples),
                  Run.Interval);
      std::vector<Single> First(3);
      TSeriesBuffers Dest{};
      Dest[0] = First.data();  // series 1 only
      const Integer Read = File.ReadSamples(Run, 0, 3, Dest);
      for (Integer i = 0; i < Read; ++i) std::printf("  %g\n", First[i]);
      for (const TRemarkRecord& Remark : File.Remarks(Run.RunNumber))
        std::printf("  remark at %g s: %s\n", Remark.Time, qPrintable(Remark.Text));
    }
  } catch (const Exception& E) {  // not there, or not a data file
    std::fprintf(stderr, "%s\n", qPrintable(E.Message()));
    return 2;
  }
  return 0;
}
