#include "quellix/histograph/HistographSink.h"

#include <algorithm>
#include <cmath>

namespace quellix::Histo {

using namespace MeasIntf;
using HistoInt::MaxSeries;

namespace {

// Number of grid intervals of width Gap in Span, at least 1 (1 when the
// gap is 0). Quotients beyond the Integer range count as that range.
Integer GridIntervals(Extended Span, Extended Gap) {
  if (Gap == 0) return 1;
  const Extended Q = Span / Gap;
  if (!(Q >= 1)) return 1;  // also NaN
  return std::max(Round(std::min<Extended>(Q, 1e9L)), 1);
}

}  // namespace

THistograph::THistograph(TComponentCore* AOwner, QWidget* AParent)
    : THistographInt(AOwner, AParent), FLink(std::make_unique<TMeasureLink>(this)) {
  FLink->OnSourceChanged = [this](TObject*) { SourceChanged(); };
  FLink->OnStateChanged = [](TObject*, TMeasureSourceState) {};
  FLink->OnData = [this](TObject*, TDescArraySingle& Data) { DataArrived(Data); };
}

THistograph::~THistograph() {
  FLink.reset();
  // The engine outlives this part of the object; a series showing a
  // receive buffer must not keep its address once the buffer is gone.
  for (Integer K = 0; K < MaxSeries; ++K)
    for (Integer S = 1; S <= MaxSeries; ++S)
      if (FBuffers[K] && Series(S).Data == FBuffers[K].get()) Slot(S).Clear();
}

void THistograph::SetMeasureSource(TMeasureSource* Value) {
  const TChangeScope Changes;
  if (Value != FLink->Source()) FLink->SetSource(Value);
}

void THistograph::SourceChanged() {
  TMeasureSource* Source = FLink->Source();
  if (!Source) return;
  TMeasureSourceInfo Info{};
  Source->GetInfo(Info);
  // A source that does not describe its blocks yet leaves the display as it is.
  if (Info.ChannelCount == 0 || Info.Duration == 0) return;

  const TMeasureCapabilities Caps = Source->Capabilities();
  if (!Caps.Contains(mcValues) || Caps.Contains(mcSingleValues)) {
    FLink->SetSource(nullptr);
    throw EMSIncompatibleSource(
        QString::fromUtf8("Histograph benötigt kontinuierlichen Betrieb und keine Einzelwerte."));
  }

  // No painting while the set-up runs; the old setting comes back at the
  // end and, when it was on, repaints once.
  struct TRestore {
    THistograph* H;
    bool Update;
    ~TRestore() { H->SetEnableUpdate(Update); }
  } Restore{this, EnableUpdate()};
  SetEnableUpdate(false);

  // Grid intervals of the X axis, counted before anything changes.
  const Integer N = GridIntervals(Extended(ViewXNominalMax()) - ViewXNominalMin(), ViewXGap());

  const Extended Start = Info.StartTime;
  const Extended End = Info.StartTime + Info.Duration;
  SetViewXNominalMin(static_cast<Single>(Start));
  SetViewXNominalMax(static_cast<Single>(End));

  if (!FAutoConfig) return;
  SetViewXCurrentMin(static_cast<Single>(Start));
  SetViewXCurrentMax(static_cast<Single>(End));
  SetViewXGap(static_cast<Single>((Extended(ViewXNominalMax()) - ViewXNominalMin()) / N));

  const Integer M = GridIntervals(Extended(ViewYMax()) - ViewYMin(), ViewYGap());
  if (Info.ValueMin != Info.ValueMax) {
    SetViewYMin(Info.ValueMin);
    SetViewYMax(Info.ValueMax);
    SetViewYGap(static_cast<Single>((Extended(ViewYMax()) - ViewYMin()) / M));
  }
  SetSeriesNumber(std::min(Info.ChannelCount, MaxSeries));
}

void THistograph::SizeBuffers(Integer C) {
  if (FBuffers[0] && C <= FCapacity) return;
  // All new buffers first: if an allocation fails, the old ones stay.
  std::array<std::unique_ptr<Single[]>, MaxSeries> Fresh;
  for (auto& B : Fresh) B = std::make_unique<Single[]>(std::size_t(std::max(C, 1)));
  // A series that still shows an old buffer (its channel is missing from
  // this block) moves to the new one with its values.
  for (Integer K = 0; K < MaxSeries; ++K) {
    if (!FBuffers[K]) continue;
    std::copy(FBuffers[K].get(), FBuffers[K].get() + FCapacity, Fresh[K].get());
    for (Integer S = 1; S <= MaxSeries; ++S)
      if (Series(S).Data == FBuffers[K].get() && !Series(S).Owned) Slot(S).Data = Fresh[K].get();
  }
  FBuffers = std::move(Fresh);
  FCapacity = C;
}

void THistograph::DataArrived(TDescArraySingle& Data) {
  // The channels that carry data, in channel order; the first eight are shown.
  std::array<const TChannelData*, MaxSeries> Used{};
  Integer Taken = 0;
  Integer C = 0;
  for (const TChannelData& Ch : Data.Channels) {
    if (!Ch.Values || Ch.Count <= 0) continue;
    Used[Taken++] = &Ch;
    C = std::max(C, Ch.Count);
    if (Taken == MaxSeries) break;
  }
  if (Taken == 0) return;

  SizeBuffers(C);
  for (Integer K = 0; K < Taken; ++K) {
    std::copy(Used[K]->Values, Used[K]->Values + Used[K]->Count, FBuffers[K].get());
    SetData(FBuffers[K].get(), Used[K]->Count, K + 1);
  }
  UpdatePlot();
}

}  // namespace quellix::Histo
