// A measure source of one's own pushes blocks to two sinks: a data-event
// component that hands them to a function, and a sink written by hand.
#include <QCoreApplication>
#include <cstdio>

#include <quellix/measure/DataEvent.h>
#include <quellix/measure/MeasureSource.h>

using namespace quellix;
using namespace quellix::MeasIntf;

// A source that delivers blocks of one channel when asked to.
class TCounter : public TMeasureSource {
public:
  using TMeasureSource::TMeasureSource;
  void Send(Single* Values, Integer Count) {
    TDescArraySingle Block;
    Block.Duration = Count * 0.001L;  // 1000 samples per second
    Block.ChannelCount = 1;
    Block.Channels[0] = {Values, Count};
    DeliverData(Block);  // every attached link, in attachment order
  }
};

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);
  TCounter Source;

  // The ready-made sink: each block becomes a call of OnData.
  dataevent::TDataEvent Printer;
  Printer.OnData = [](TObject*, TDescArraySingle& Block) {
    std::printf("block of %d values, first %g\n", Block.Channels[0].Count, Block.Channels[0].Values[0]);
  };
  Printer.SetMeasureSource(&Source);

  // A sink of one's own owns a link; the block is valid only during the call.
  Single Sum = 0;
  TMeasureLink Totals(nullptr);
  Totals.OnData = [&Sum](TObject*, TDescArraySingle& Block) {
    for (Integer i = 0; i < Block.Channels[0].Count; ++i) Sum += Block.Channels[0].Values[i];
  };
  Totals.SetSource(&Source);

  Single Values[4] = {1, 2, 3, 4};
  Source.Send(Values, 4);
  Source.Send(Values, 2);
  std::printf("sum of everything sent: %g\n", Sum);  // 13
  return Sum == 13 ? 0 : 1;
}
