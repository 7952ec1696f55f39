#include "quellix/instruments/SingleValueSinks.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "quellix/host/Streaming.h"

namespace quellix::MLSingleSinks {

using MeasIntf::TMeasureSourceInfo;

bool LedCompare(TLEDCompare Compare, Single X, Single Limit, Single RangeLower, Single RangeUpper) {
  switch (Compare) {
    case cmpOver:
      return X > Limit;
    case cmpUnder:
      return X < Limit;
    case cmpInRange:
      return RangeLower <= X && X <= RangeUpper;
    case cmpOutOfRange:
      return X < RangeLower || X > RangeUpper;
  }
  return false;
}

bool FirstValueOfChannel0(const TDescArraySingle& Data, Single& Value) {
  const MeasIntf::TChannelData& C = Data.Channels[0];
  if (!C.Values || C.Count < 1) return false;
  Value = C.Values[0];
  return true;
}

void RegisterClasses() {
  RegisterClass<TLed>();
  RegisterClass<TMeter>();
  RegisterClass<TBarGraph>();
  // Its bare name belongs to the stand-alone panel meter.
  RegisterClass<TPanelMeter>(QStringLiteral("TPanelMeterSink"));
}

namespace {

// The source's description, from a zeroed record.
TMeasureSourceInfo InfoOf(TMeasureSource* Source) {
  TMeasureSourceInfo Info{};
  if (Source) Source->GetInfo(Info);
  return Info;
}

// The display sinks show the first value of channel 0 of every block the
// link delivers; a block without one leaves the display as it is.
template <class TDisplay>
void ShowFirstValue(TMeasureLinkSingleValue& Link, TDisplay* Display) {
  Link.OnData = [Display](TObject*, TDescArraySingle& Data) {
    Single V;
    if (FirstValueOfChannel0(Data, V)) Display->SetValue(V);
  };
}

}  // namespace

// ---------------------------------------------------------------------------
// TLed

TLed::TLed(TComponentCore* AOwner, QWidget* AParent)
    : LedInt::TLedInt(AOwner, AParent), FLink(std::make_unique<TMeasureLinkSingleValue>(this)) {
  FLink->OnData = [this](TObject*, TDescArraySingle& Data) { DoData(Data); };
}

TLed::~TLed() { FLink.reset(); }

void TLed::SetMeasureSource(TMeasureSource* Value) {
  const TChangeScope Changes;
  if (Value != FLink->Source()) FLink->SetSource(Value);
}

void TLed::DoData(TDescArraySingle& Data) {
  Single V;
  if (!FirstValueOfChannel0(Data, V) || !std::isfinite(V)) return;
  FLastValue = V;
  Evaluate();
}

void TLed::Evaluate() { SetValue(LedCompare(FCompare, FLastValue, FLimit, FRangeLower, FRangeUpper)); }

void TLed::SetCompare(TLEDCompare Value) {
  const TChangeScope Changes;
  if (Value == FCompare) return;
  FCompare = Value;
  if (!IsLoading()) Evaluate();
}

void TLed::SetLimit(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FLimit) return;
  FLimit = Value;
  if (!IsLoading()) Evaluate();
}

void TLed::SetRangeLower(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FRangeLower) return;
  FRangeLower = Value;
  if (!IsLoading()) Evaluate();
}

void TLed::SetRangeUpper(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FRangeUpper) return;
  FRangeUpper = Value;
  if (!IsLoading()) Evaluate();
}

// ---------------------------------------------------------------------------
// TPanelMeter

TPanelMeter::TPanelMeter(TComponentCore* AOwner, QWidget* AParent)
    : PMeterInt::TPanelMeterInt(AOwner, AParent), FLink(std::make_unique<TMeasureLinkSingleValue>(this)) {
  ShowFirstValue(*FLink, this);
}

TPanelMeter::~TPanelMeter() { FLink.reset(); }

void TPanelMeter::SetMeasureSource(TMeasureSource* Value) {
  const TChangeScope Changes;
  if (Value != FLink->Source()) FLink->SetSource(Value);
}

// ---------------------------------------------------------------------------
// TMeter

TMeter::TMeter(TComponentCore* AOwner, QWidget* AParent)
    : meterInt::TMeterInt(AOwner, AParent), FLink(std::make_unique<TMeasureLinkSingleValue>(this)) {
  ShowFirstValue(*FLink, this);
  FLink->OnSourceChanged = [this](TObject*) { ConfigureRange(); };
}

TMeter::~TMeter() { FLink.reset(); }

void TMeter::SetMeasureSource(TMeasureSource* Value) {
  const TChangeScope Changes;
  if (Value != FLink->Source()) FLink->SetSource(Value);
}

void TMeter::ConfigureRange() {
  if (!FAutoConfig) return;
  const TMeasureSourceInfo Info = InfoOf(FLink->Source());
  // Keep the number of scale divisions: n of them before, n after.
  const Double Divisions = (ValueMax() - ValueMin()) / ValueGap();
  Integer N = Round(std::min<Double>(Divisions, std::numeric_limits<Integer>::max()));
  if (N == 0) N = 1;
  // The engine's setters keep ValueMax above ValueMin.
  SetValueMin(Info.ValueMin);
  SetValueMax(Info.ValueMax);
  SetValueGap((ValueMax() - ValueMin()) / N);
}

// ---------------------------------------------------------------------------
// TBarGraph

TBarGraph::TBarGraph(TComponentCore* AOwner, QWidget* AParent)
    : bargraphint::TBarGraphInt(AOwner, AParent), FLink(std::make_unique<TMeasureLinkSingleValue>(this)) {
  ShowFirstValue(*FLink, this);
  FLink->OnSourceChanged = [this](TObject*) { ConfigureRange(); };
}

TBarGraph::~TBarGraph() { FLink.reset(); }

void TBarGraph::SetMeasureSource(TMeasureSource* Value) {
  const TChangeScope Changes;
  if (Value != FLink->Source()) FLink->SetSource(Value);
}

void TBarGraph::ConfigureRange() {
  if (!FAutoConfig) return;
  const TMeasureSourceInfo Info = InfoOf(FLink->Source());
  // The engine ignores a ValueMin that is not below the current ValueMax
  // (and a ValueMax not above ValueMin), so a source range lying wholly
  // above the current one needs its upper end first.
  if (Info.ValueMin >= ValueMax()) {
    SetValueMax(Info.ValueMax);
    SetValueMin(Info.ValueMin);
  } else {
    SetValueMin(Info.ValueMin);
    SetValueMax(Info.ValueMax);
  }
}

}  // namespace quellix::MLSingleSinks
