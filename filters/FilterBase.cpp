#include "quellix/filters/FilterBase.h"

namespace quellix::FiltBase {

TFilterBase::TFilterBase(TComponentCore* AOwner, const QString& AVersion)
    : TComponent(AOwner), FVersion(AVersion), FCopyright(LibraryCopyright()) {}

void TFilterBase::SetSampleFrequency(Single Value) {
  const TChangeScope Changes;
  if (!AcceptsFrequency(Value) || Value == FSampleFrequency) return;
  FSampleFrequency = Value;
  FrequencyChanged();
}

void TFilterBase::SetCutoffFrequency(Single Value) {
  const TChangeScope Changes;
  if (!AcceptsFrequency(Value) || Value == FCutoffFrequency) return;
  FCutoffFrequency = Value;
  FrequencyChanged();
}

void TFilterBase::CheckStreamedFloats(std::initializer_list<Single> Values) {
  for (Single V : Values)
    if (!std::isfinite(V)) throw EStreamError(QStringLiteral("Ungültiger Eigenschaftswert: Floats"));
}

}  // namespace quellix::FiltBase
