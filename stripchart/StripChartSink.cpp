#include "quellix/stripchart/StripChartSink.h"

#include <algorithm>

namespace quellix::StrpChrt {

using namespace MeasIntf;
using StrpChrtInt::kMaxSeries;
using StrpChrtInt::TSeriesValues;

TStripChart::TStripChart(TComponentCore* AOwner, QWidget* AParent)
    : TStripChartInt(AOwner, AParent), FLink(std::make_unique<TMeasureLink>(this)) {
  FLink->OnSourceChanged = [this](TObject*) { SourceChanged(); };
  FLink->OnStateChanged = [this](TObject*, TMeasureSourceState State) { StateChanged(State); };
  FLink->OnData = [this](TObject*, TDescArraySingle& Data) { DataArrived(Data); };
}

TStripChart::~TStripChart() { FLink.reset(); }

void TStripChart::SetMeasureSource(TMeasureSource* Value) {
  const TChangeScope Changes;
  if (Value != FLink->Source()) FLink->SetSource(Value);
}

void TStripChart::SourceChanged() {
  TMeasureSource* Source = FLink->Source();
  if (!Source) return;
  TMeasureSourceInfo Info{};
  Source->GetInfo(Info);
  // A source that does not describe itself yet is taken as it is.
  if (Info.ChannelCount == 0 || Info.Duration == 0) return;

  const TMeasureCapabilities Caps = Source->Capabilities();
  if (!Caps.Contains(mcValues) ||
      !(Caps.Contains(mcBlocks) || Caps.Contains(mcSingleValues) || Caps.Contains(mcOneChannel))) {
    FLink->SetSource(nullptr);
    throw EMSIncompatibleSource(
        QStringLiteral("StripChart benötigt kontinuierlichen Betrieb und harmonisierte Daten."));
  }
  Source->SetLinkFlag(FLink.get(), true);

  // No painting while the set-up runs; the old setting comes back even when
  // a setter fails.
  struct TRestore {
    TStripChart* Chart;
    bool Value;
    ~TRestore() { Chart->SetEnableUpdate(Value); }
  } Restore{this, EnableUpdate()};
  SetEnableUpdate(false);

  // Time divisions in the window, kept when the window changes below.
  const Double XGap = ViewXGap();
  Integer D = XGap == 0 ? 1 : Round(SamplesPerWindow() * DisplayTimeIncrement() / XGap);
  D = std::max(D, 1);

  if (Info.BlockLength > 0 && Info.Duration > 0) SetSourceInterval(static_cast<Double>(Info.Duration / Info.BlockLength));
  SizeWindowForBlocks(Info.BlockLength);

  if (FAutoConfig) {
    SetViewXGap(static_cast<Double>(SamplesPerWindow() * DisplayTimeIncrement() / D));
    // Value divisions, kept over the source's range.
    const Single YGap = ViewYGap();
    Integer V = YGap == 0 ? 1 : Round((static_cast<Extended>(ViewYMax()) - ViewYMin()) / YGap);
    V = std::max(V, 1);
    if (Info.ValueMin != Info.ValueMax) {
      SetViewYMin(static_cast<Single>(Info.ValueMin));
      SetViewYMax(static_cast<Single>(Info.ValueMax));
      SetViewYGap(static_cast<Single>((static_cast<Extended>(ViewYMax()) - ViewYMin()) / V));
    }
    SetSeriesNumber(std::min(Info.ChannelCount, kMaxSeries));
  }
}

// A source that changes its sample rate while the chart logs: the run so
// far is closed with the interval its samples were taken at, and logging
// goes on in a new run of the same file, with the same comment, its time
// going on from the last sample logged.
void TStripChart::SetSourceInterval(Double Value) {
  if (!Logging() || !(Value > 0) || Value == LogTimeIncrement()) {
    SetLogTimeIncrement(Value);
    return;
  }
  const QString File = FileName();
  const QString Comment = RunComment();
  const Extended Last = LogTimeLast();
  StopLogging();
  SetLogTimeIncrement(Value);
  SetLogStartTime(static_cast<Double>(Last + Value));
  StartLogging(File, Comment);
}

// The window shows a scrolling history of at least kBlocksShown blocks:
// every block is smaller than the window and arrives as a scroll, and the
// buffer holds two windows, so that the samples move in memory once per
// window. Blocks too large for that get the largest window below a block.
void TStripChart::SizeWindowForBlocks(Integer BlockLength) {
  if (BlockLength <= 0) return;
  const std::int64_t Window = std::max<std::int64_t>(SamplesPerWindow(), std::int64_t(kBlocksShown) * BlockLength);
  const std::int64_t Buffer = std::max<std::int64_t>(SamplesPerBuffer(), 2 * Window);
  if (Buffer < kBufferLimit) {
    SetSamplesPerBuffer(static_cast<Integer>(Buffer));
    SetSamplesPerWindow(static_cast<Integer>(Window));
    return;
  }
  if (BlockLength >= SamplesPerBuffer() && 2 * std::int64_t(BlockLength) < kBufferLimit)
    SetSamplesPerBuffer(2 * BlockLength);
  if (BlockLength >= SamplesPerWindow()) SetSamplesPerWindow(BlockLength - 1);
}

void TStripChart::StateChanged(TMeasureSourceState State) {
  // Called from the source's delivery: an error of the end of the run goes
  // to OnError, not back into the source.
  if (State == msClosed) Guarded([this] { StopLogging(); });
}

void TStripChart::DataArrived(TDescArraySingle& Data) {
  // The first eight usable channels become series 1..8.
  std::array<const TChannelData*, kMaxSeries> Used{};
  Integer N = 0;
  Integer L = 0;
  for (const TChannelData& C : Data.Channels) {
    if (!C.Values || C.Count < 1) continue;
    Used[N++] = &C;
    L = std::max(L, C.Count);
    if (N == kMaxSeries) break;
  }
  if (N == 0) return;

  // Harmonise: a shorter channel is extended to L values by repeating its
  // last value. The source's array may hold no more than its Count values,
  // so the padding goes into a copy of our own.
  TSeriesValues Values{};
  for (Integer K = 0; K < N; ++K) {
    const TChannelData& C = *Used[K];
    if (C.Count == L) {
      Values[K] = C.Values;
      continue;
    }
    std::vector<Single>& Copy = FPadded[K];
    Copy.assign(C.Values, C.Values + C.Count);
    Copy.resize(L, C.Values[C.Count - 1]);
    Values[K] = Copy.data();
  }
  // A write error while logging ends the run; it is reported through
  // OnError, not thrown into the source's delivery.
  Guarded([&] { AddValues(Values, N, L); });
}

}  // namespace quellix::StrpChrt
