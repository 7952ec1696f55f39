// The audio input records from the built-in test signal into a data-event
// sink without Qt Widgets. Exits non-zero when no block arrives.
#include <QCoreApplication>
#include <cstdio>

#include "quellix/measure/AudioIn.h"
#include "quellix/measure/DataEvent.h"

using namespace quellix;

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);
  // Fed by hand below instead of at the real rate.
  WaveIn::SetVirtualClock(false);
  audioin::TAudioIn Audio;
  Audio.SetDevice(WaveIn::VirtualDeviceNames().value(0));
  Audio.SetBufferSize(256);
  dataevent::TDataEvent Sink;
  Sink.SetMeasureSource(&Audio);
  int Values = 0;
  Sink.OnData = [&](TObject*, MeasIntf::TDescArraySingle& D) { Values += D.Channels[0].Count; };
  Audio.Start();
  static_cast<WaveIn::TVirtualWaveInDevice*>(Audio.WaveDevice())->Produce(512);
  Audio.ProcessMessages();
  Audio.Stop();
  if (Values < 512) {
    std::fprintf(stderr, "wrong: %d values arrived, 512 expected\n", Values);
    return 1;
  }
  return 0;
}
