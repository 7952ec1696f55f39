#include "quellix/filters/StateVariableFilter.h"

#include <cmath>
#include <numbers>

namespace quellix::SVFilt {

namespace {

bool ValidOutput(std::int64_t Value) { return Value >= foLowPass && Value <= foNotch; }

// Per sample x, every intermediate rounded to Single:
//   low  = f*B + L
//   high = x - low - d*B
//   band = f*high + B
//   B = band, L = low
// The output selector is a template argument, so the loop carries no branch;
// a block holding samples that are not finite numbers runs a second
// version that passes over them.
// B and L are held in Single variables: GCC 12 at -O2 was seen to carry an
// unrounded double copy of B into d*B when they were held as doubles.
template <TFilterOutput Output, bool SkipNonFinite>
void Run(Single* Data, Integer Count, Double F, Double D, Single& Band, Single& Low) {
  Single B = Band, L = Low;
  for (Integer i = 0; i < Count; ++i) {
    if constexpr (SkipNonFinite)
      if (!std::isfinite(Data[i])) continue;  // no number: left as it is, the states untouched
    const Single Lo = static_cast<Single>(F * B + L);
    const Single Hi = static_cast<Single>(Data[i] - static_cast<Double>(Lo) - D * B);
    const Single Ba = static_cast<Single>(F * Hi + B);
    B = Ba;
    L = Lo;
    if constexpr (Output == foLowPass)
      Data[i] = Lo;
    else if constexpr (Output == foBandPass)
      Data[i] = Ba;
    else if constexpr (Output == foHighPass)
      Data[i] = Hi;
    else
      Data[i] = static_cast<Single>(static_cast<Double>(Hi) + Lo);
  }
  Band = B;
  Low = L;
}

}  // namespace

TStateVariableFilter::TStateVariableFilter(TComponentCore* AOwner)
    : TFilterBase(AOwner, QStringLiteral("V2.10")) {
  ComputeTuning();
}

// d = 1/Q; f = 2*sin(pi*Fc/Fs), the sine in extended precision; both Single.
void TStateVariableFilter::ComputeTuning() {
  const Extended Pi = std::numbers::pi_v<long double>;
  FDamping = static_cast<Single>(1.0L / FQ);
  FTuning = static_cast<Single>(2.0L * std::sin(Pi * FCutoffFrequency / FSampleFrequency));
}

void TStateVariableFilter::SetQ(Single Value) {
  const TChangeScope Changes;
  if (!(Value > 0.4f) || !std::isfinite(Value) || Value == FQ) return;
  FQ = Value;
  ComputeTuning();
}

// Takes effect from the next sample on; the states are kept.
void TStateVariableFilter::SetFilterOutput(TFilterOutput Value) {
  const TChangeScope Changes;
  if (ValidOutput(Value)) FFilterOutput = Value;
}

void TStateVariableFilter::Filter(Single* Data, Integer Count) {
  if (!Data || Count < 1) return;
  const Double F = FTuning, D = FDamping;
  if (AllFinite(Data, Count))
    RunOutput<false>(Data, Count, F, D);
  else
    RunOutput<true>(Data, Count, F, D);
}

template <bool SkipNonFinite>
void TStateVariableFilter::RunOutput(Single* Data, Integer Count, Double F, Double D) {
  switch (FFilterOutput) {
    case foLowPass: Run<foLowPass, SkipNonFinite>(Data, Count, F, D, FBand, FLow); break;
    case foBandPass: Run<foBandPass, SkipNonFinite>(Data, Count, F, D, FBand, FLow); break;
    case foHighPass: Run<foHighPass, SkipNonFinite>(Data, Count, F, D, FBand, FLow); break;
    case foNotch: Run<foNotch, SkipNonFinite>(Data, Count, F, D, FBand, FLow); break;
  }
}

// "Floats" = (SampleFrequency, CutoffFrequency, Q, FilterOutput). The
// numbers are taken over without the setters' checks; an unknown output
// selector or a number that is not finite is refused as a stream error,
// leaving the filter as it was.
void TStateVariableFilter::DefineProperties(TFiler& Filer) {
  TFilterBase::DefineProperties(Filer);
  Filer.DefineProperty(
      QStringLiteral("Floats"),
      [this](TReader& Reader) {
        Reader.ReadListBegin();
        const Single Fs = static_cast<Single>(Reader.ReadFloat());
        const Single Fc = static_cast<Single>(Reader.ReadFloat());
        const Single Quality = static_cast<Single>(Reader.ReadFloat());
        const std::int64_t Output = Reader.ReadInteger();
        Reader.ReadListEnd();
        if (!ValidOutput(Output)) throw EStreamError(QStringLiteral("Ungültiger Eigenschaftswert: Floats"));
        CheckStreamedFloats({Fs, Fc, Quality});
        FSampleFrequency = Fs;
        FCutoffFrequency = Fc;
        FQ = Quality;
        FFilterOutput = static_cast<TFilterOutput>(Output);
        ComputeTuning();
      },
      [this](TWriter& Writer) {
        Writer.WriteListBegin();
        Writer.WriteFloat(FSampleFrequency);
        Writer.WriteFloat(FCutoffFrequency);
        Writer.WriteFloat(FQ);
        Writer.WriteInteger(FFilterOutput);
        Writer.WriteListEnd();
      },
      true);
}

}  // namespace quellix::SVFilt
