#include "Rclow.h"

#include <cmath>
#include <numbers>


namespace quellix::Rclow {

TRCLowpass::TRCLowpass(TComponentCore* AOwner)
    : TComponent(AOwner), FVersion(QStringLiteral("V2.10")), FCopyright(LibraryCopyright()) {
  ComputeCoefficients();
}

// a = exp(-2*pi*Fc/Fs) in extended precision, stored as Single; b = 1 - a.
void TRCLowpass::ComputeCoefficients() {
  const Extended Pi = std::numbers::pi_v<long double>;
  FA = static_cast<Single>(std::exp(-2.0L * Pi * FCutoffFrequency / FSampleFrequency));
  FB = static_cast<Single>(1.0L - FA);
}

void TRCLowpass::SetSampleFrequency(Single Value) {
  if (Value <= 0 || Value == FSampleFrequency) return;
  FSampleFrequency = Value;
  ComputeCoefficients();
}

void TRCLowpass::SetCutoffFrequency(Single Value) {
  if (Value <= 0 || Value == FCutoffFrequency) return;
  FCutoffFrequency = Value;
  ComputeCoefficients();
}

// out = b*y (Single); y = y - out + x, i.e. y = a*y + x.
void TRCLowpass::Filter(Single* Data, Integer Count) {
  if (!Data || Count < 1) return;
  const Double B = FB;
  Single Y = FState;
  for (Integer I = 0; I < Count; ++I) {
    const Single Out = static_cast<Single>(B * Y);
    Y = static_cast<Single>(static_cast<Double>(Y) - Out + Data[I]);
    Data[I] = Out;
  }
  FState = Y;
}

void TRCLowpass::DefineProperties(TFiler& Filer) {
  TComponent::DefineProperties(Filer);
  // "Floats" = (SampleFrequency, CutoffFrequency), taken over without the
  // setters' checks.
  Filer.DefineProperty(
      QStringLiteral("Floats"),
      [this](TReader& Reader) {
        Reader.ReadListBegin();
        const Single Fs = static_cast<Single>(Reader.ReadFloat());
        const Single Fc = static_cast<Single>(Reader.ReadFloat());
        Reader.ReadListEnd();
        FSampleFrequency = Fs;
        FCutoffFrequency = Fc;
        ComputeCoefficients();
      },
      [this](TWriter& Writer) {
        Writer.WriteListBegin();
        Writer.WriteFloat(FSampleFrequency);
        Writer.WriteFloat(FCutoffFrequency);
        Writer.WriteListEnd();
      },
      true);
}

}  // namespace quellix::Rclow
