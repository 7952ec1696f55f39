#include "quellix/filters/RCFilter.h"

#include <cmath>
#include <numbers>

namespace quellix::RCBase {

TRCFilter::TRCFilter(TComponentCore* AOwner) : TFilterBase(AOwner, QStringLiteral("V2.10")) {
  ComputeCoefficients();
}

// a = exp(-2*pi*Fc/Fs) in extended precision, stored as Single; b = 1 - a.
void TRCFilter::ComputeCoefficients() {
  const Extended Pi = std::numbers::pi_v<long double>;
  FA = static_cast<Single>(std::exp(-2.0L * Pi * FCutoffFrequency / FSampleFrequency));
  FB = static_cast<Single>(1.0L - FA);
}

void TRCFilter::DefineProperties(TFiler& Filer) {
  TFilterBase::DefineProperties(Filer);
  // "Floats" = (SampleFrequency, CutoffFrequency), taken over without the
  // setters' checks.
  Filer.DefineProperty(
      QStringLiteral("Floats"),
      [this](TReader& Reader) {
        Reader.ReadListBegin();
        const Single Fs = static_cast<Single>(Reader.ReadFloat());
        const Single Fc = static_cast<Single>(Reader.ReadFloat());
        Reader.ReadListEnd();
        CheckStreamedFloats({Fs, Fc});
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

}  // namespace quellix::RCBase
