// Uses each library of the signal processing once and checks the result:
// the FFT, a filter, the data flow, and a data file written from its byte
// layout and read back. Links no Qt Gui or Widgets; exits non-zero on a
// wrong result.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "quellix/analysis/FFT.h"
#include "quellix/filters/IIRFilter.h"
#include "quellix/measure/DataEvent.h"
#include "quellix/stripchart/DataFileReader.h"

using namespace quellix;

namespace {

int Failures = 0;

void Check(bool Ok, const char* What) {
  if (!Ok) {
    std::fprintf(stderr, "wrong: %s\n", What);
    ++Failures;
  }
}

// A source that pushes the block it is given.
class TBlockSource : public MeasIntf::TMeasureSource {
public:
  using TMeasureSource::TMeasureSource;
  void Push(MeasIntf::TDescArraySingle& Block) { DeliverData(Block); }
};

void WriteChunk(QFile& File, const char* Id, Cardinal Size, Integer Prev, Word BytesPerSeries) {
  StrpChrtInt::TChunkHeader H;
  std::copy(Id, Id + 4, H.Id.begin());
  H.Size = Size;
  H.Interval = 0.5;
  H.PrevChunk = Prev;
  H.SeriesCount = 1;
  H.BytesPerSeries = BytesPerSeries;
  Byte Raw[StrpChrtInt::kChunkHeaderSize];
  StrpChrtInt::EncodeChunkHeader(H, Raw);
  File.write(reinterpret_cast<const char*>(Raw), sizeof Raw);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);

  // FFT: a cosine of 5 periods in 64 samples has half its amplitude in bin 5.
  FFT::TFFT Fft;
  Fft.SetExponent(6);
  FFT::TComplexVector* C = Fft.NewComplexVector(64);
  for (int t = 0; t < 64; ++t) (*C->Re())[t] = static_cast<Single>(std::cos(2 * std::numbers::pi * 5 * t / 64));
  Fft.Transform(C, false);
  Check(std::abs((*C->Re())[5] - 0.5f) < 1e-5f, "FFT bin 5");

  // Filter: a low-pass passes a constant signal unchanged once settled.
  IIRFilt::TIIRFilter Lowpass;
  Lowpass.SetSampleFrequency(1000);
  Lowpass.SetCutoffFrequency(50);
  std::vector<Single> Signal(2000, 1.0f);
  Lowpass.Filter(Signal.data(), static_cast<Integer>(Signal.size()));
  Check(std::abs(Signal.back() - 1.0f) < 1e-3f, "IIR low-pass of a constant");

  // Data flow: a block pushed by a source reaches a data-event sink.
  TBlockSource Source;
  dataevent::TDataEvent Sink;
  Sink.SetMeasureSource(&Source);
  Single Values[3] = {1, 2, 3};
  Single Sum = 0;
  Sink.OnData = [&](TObject*, MeasIntf::TDescArraySingle& D) {
    for (Integer i = 0; i < D.Channels[0].Count; ++i) Sum += D.Channels[0].Values[i];
  };
  MeasIntf::TDescArraySingle Block;
  Block.ChannelCount = 1;
  Block.Channels[0] = {Values, 3};
  Source.Push(Block);
  Check(Sum == 6, "data flow");

  // Data file: one run of four samples, read back.
  QTemporaryDir Dir;
  const QString Name = Dir.filePath("run.qlx");
  {
    QFile File(Name);
    File.open(QIODevice::WriteOnly);
    File.write("QLXM\x00\x01", 6);
    WriteChunk(File, "HEAD", StrpChrtInt::kHeadChunkSize, 0, 0);
    Byte Head[4 + 1 + StrpChrtInt::kCommentLength] = {1};
    StrpChrtInt::EncodeShortString("Probe", StrpChrtInt::kCommentLength, Head + 4, ' ');
    File.write(reinterpret_cast<const char*>(Head), sizeof Head);
    WriteChunk(File, "DATA", 40 + 16, 6, 16);
    const Single Samples[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    File.write(reinterpret_cast<const char*>(Samples), sizeof Samples);
    WriteChunk(File, "TAIL", StrpChrtInt::kTailChunkSize, 6 + 125, 0);
    const Integer Run = 1;
    File.write(reinterpret_cast<const char*>(&Run), 4);
  }
  StrpChrtInt::TDataFileReader Reader(Name);
  Check(Reader.ScanResult() == StrpChrtInt::TFileScan::Complete && Reader.Runs().size() == 1, "data file runs");
  Single Back[4] = {};
  if (!Reader.Runs().empty()) {
    Check(Reader.RunComment(Reader.Runs()[0]) == "Probe", "data file comment");
    Check(Reader.ReadSamples(Reader.Runs()[0], 1, 4, {Back}) == 3 && Back[0] == 0.5f && Back[2] == 1.0f,
          "data file samples");
  }
  return Failures == 0 ? 0 : 1;
}
