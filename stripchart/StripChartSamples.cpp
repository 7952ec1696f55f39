#include "quellix/stripchart/StripChartSamples.h"

#include "quellix/host/NumberFormat.h"

#include <QMessageBox>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace quellix::StrpChrtInt {

namespace {

constexpr Integer kMaxSamplesPerBuffer = 200000000;

}  // namespace

// ===========================================================================
// Series

void TStripSampleRing::SetSeriesNumber(Integer Value) {
  const TChangeScope Changes;
  if (Value < 1 || Value > kMaxSeries || Value == FSeriesNumber) return;
  AllocateBuffers(FSamplesPerBuffer, Value);
}

void TStripSampleRing::SetSeriesCurrent(Integer Value) {
  const TChangeScope Changes;
  if (Value < 1 || Value > kMaxSeries) return;
  FSeriesCurrent = Value;
}

TColor TStripSampleRing::SeriesColor() const { return SlotInUse() ? FSeries[FSeriesCurrent].Color : 0; }

void TStripSampleRing::SetSeriesColor(TColor Value) {
  const TChangeScope Changes;
  if (!SlotInUse() || FSeries[FSeriesCurrent].Color == Value) return;
  FSeries[FSeriesCurrent].Color = Value;
  InvalidatePlot();
}

TPenStyle TStripSampleRing::SeriesLineStyle() const {
  return SlotInUse() ? FSeries[FSeriesCurrent].LineStyle : psSolid;
}

void TStripSampleRing::SetSeriesLineStyle(TPenStyle Value) {
  const TChangeScope Changes;
  if (!SlotInUse() || FSeries[FSeriesCurrent].LineStyle == Value) return;
  FSeries[FSeriesCurrent].LineStyle = Value;
  InvalidatePlot();
}

bool TStripSampleRing::SeriesVisible() const { return SlotInUse() ? FSeries[FSeriesCurrent].Visible : false; }

void TStripSampleRing::SetSeriesVisible(bool Value) {
  const TChangeScope Changes;
  if (!SlotInUse() || FSeries[FSeriesCurrent].Visible == Value) return;
  FSeries[FSeriesCurrent].Visible = Value;
  InvalidatePlot();
}

const Single* TStripSampleRing::SeriesValues(Integer Series) const {
  if (Series < 1 || Series > kMaxSeries) return nullptr;
  const TSeriesSlot& Slot = FSeries[Series];
  if (!Slot.Allocated || Slot.Data.size() != static_cast<size_t>(FSamplesPerBuffer) + 1) return nullptr;
  return Slot.Data.data();
}

// The x-position array follows the buffer length; series in use get arrays
// of Length zeros unless they have one of that length; arrays of series
// beyond Series are kept. The new arrays exist before the old ones go.
void TStripSampleRing::AllocateBuffers(Integer Length, Integer Series) {
  const size_t Size = static_cast<size_t>(Length) + 1;
  std::vector<Integer> XPos;
  std::array<std::vector<Single>, kMaxSeries + 1> Fresh;
  try {
    // Asked before allocating: the arrays are filled at once, and a size
    // granted on paper would end the program while they fill.
    const std::uint64_t Bytes = Size * (sizeof(Integer) + static_cast<std::uint64_t>(Series) * sizeof(Single));
    if (!MemoryCanHold(Bytes)) throw std::bad_alloc();
    XPos.assign(Size + 1, 0);
    for (Integer k = 1; k <= Series; ++k)
      if (!FSeries[k].Allocated || FSeries[k].Data.size() != Size) Fresh[k].assign(Size, 0.0f);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(QStringLiteral("Zu wenig Speicher für %1 Werte je Kurve in %2 Kurven (SamplesPerBuffer)")
                           .arg(Length)
                           .arg(Series));
  }
  FXPos.swap(XPos);
  for (Integer k = 1; k <= Series; ++k) {
    if (Fresh[k].empty()) continue;
    FSeries[k].Data.swap(Fresh[k]);
    FSeries[k].Allocated = true;
  }
  FSamplesPerBuffer = Length;
  FSeriesNumber = Series;
  if (IsDesigning()) FillPreview();
  InvalidatePlot();
}

// At design time every series shows a sine wave of random frequency and
// phase spanning the value range.
void TStripSampleRing::FillPreview() {
  Single YMin, YMax;
  PreviewRange(YMin, YMax);
  for (Integer k = 1; k <= kMaxSeries; ++k) {
    TSeriesSlot& Slot = FSeries[k];
    if (!Slot.Allocated) continue;
    const Double R1 = Random() * 0.1;
    const Double R2 = Random() * 2 * std::numbers::pi;
    for (size_t i = 1; i < Slot.Data.size(); ++i)
      Slot.Data[i] = static_cast<Single>((std::sin(i * R1 + R2) + 1) * 0.5 * (YMax - YMin) + YMin);
  }
}

// ===========================================================================
// Sample window

void TStripSampleRing::SetSamplesPerBuffer(Integer Value) {
  const TChangeScope Changes;
  if (Value <= 0 || Value >= kMaxSamplesPerBuffer || Value < FSamplesPerWindow || Value == FSamplesPerBuffer)
    return;
  // The arrays are allocated anew: the buffer starts empty, and the next
  // sample keeps its absolute sample number. A size the machine cannot
  // hold raises EOutOfMemory and changes nothing.
  AllocateBuffers(Value, FSeriesNumber);
  FSampleBase += FCount;
  FCount = FCached = FPrevCount = 0;
  FWindowOffset = -FSamplesPerWindow;
  FCarry = 0;
}

void TStripSampleRing::SetGapLeft(Integer Value) {
  const TChangeScope Changes;
  if (Value == FGapLeft) return;
  FGapLeft = Value;
  InvalidatePlot();
}

void TStripSampleRing::SetGapTop(Integer Value) {
  const TChangeScope Changes;
  if (Value == FGapTop) return;
  FGapTop = Value;
  InvalidatePlot();
}

void TStripSampleRing::SetGapRight(Integer Value) {
  const TChangeScope Changes;
  if (Value == FGapRight) return;
  FGapRight = Value;
  InvalidatePlot();
}

void TStripSampleRing::SetGapBottom(Integer Value) {
  const TChangeScope Changes;
  if (Value == FGapBottom) return;
  FGapBottom = Value;
  InvalidatePlot();
}

TRect TStripSampleRing::PlotRect() const {
  return Rect(FGapLeft, FGapTop, Width() - FGapRight, Height() - FGapBottom);
}

void TStripSampleRing::ReportRange(Double Time, Single Value, Integer Series, TStripRange Range) {
  if (OnRangeCheck) OnRangeCheck(this, Time, Value, Series, Range);
  emit rangeCheck(this, Time, Value, Series, Range);
}

// Edge-triggered per series: each change of range is reported once.
void TStripSampleRing::WatchRange(const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount) {
  for (Integer k = 1; k <= SeriesCount; ++k) {
    const Single* V = Values[k - 1];
    if (!V) continue;
    for (Integer j = 1; j <= SampleCount; ++j) {
      const Single v = V[j - 1];
      const Double Time = static_cast<Double>(FLogTimeLast + j * static_cast<Extended>(FLogTimeIncrement));
      if (std::isnan(v)) continue;  // no value: neither inside nor outside
      if (v < FRangeLower) {
        if (!FBelowReported[k]) {
          FBelowReported[k] = true;
          FAboveReported[k] = false;
          ReportRange(Time, v, k, rngBelow);
        }
      } else if (v > FRangeUpper) {
        if (!FAboveReported[k]) {
          FAboveReported[k] = true;
          FBelowReported[k] = false;
          ReportRange(Time, v, k, rngAbove);
        }
      } else if (FBelowReported[k] || FAboveReported[k]) {
        FBelowReported[k] = FAboveReported[k] = false;
        ReportRange(Time, v, k, rngInside);
      }
      if (!Wanted(OnRangeCheck, &TStripChartSignals::rangeCheck)) return;  // the handler removed itself
    }
  }
}

void TStripSampleRing::MoveToFront(Integer From, Integer Count) {
  if (Count <= 0 || From == 1) return;
  for (Integer k = 1; k <= kMaxSeries; ++k) {
    TSeriesSlot& Slot = FSeries[k];
    if (!Slot.Allocated || Slot.Data.size() != static_cast<size_t>(FSamplesPerBuffer) + 1) continue;
    std::memmove(Slot.Data.data() + 1, Slot.Data.data() + From, sizeof(Single) * Count);
  }
  std::memmove(FXPos.data() + 1, FXPos.data() + From, sizeof(Integer) * Count);
}

// step = plot width / SamplesPerWindow; each new index advances the running
// position by one step and takes its integer part; the fraction is carried
// to the next append. Then all positions move so that the newest sample
// lies on the right edge of the plot.
void TStripSampleRing::LayoutXPositions(Integer First) {
  if (FCount < 1) return;
  const TRect R = PlotRect();
  const Single Step = static_cast<Single>(R.Right - R.Left) / static_cast<Single>(FSamplesPerWindow);
  if (First < 1) First = 1;
  Single Acc = First >= 2 ? static_cast<Single>(FXPos[First - 1]) + FCarry : 0.0f;
  if (First <= FCount) {
    for (Integer i = First; i <= FCount; ++i) {
      Acc += Step;
      FXPos[i] = Trunc(Acc);
    }
    FCarry = static_cast<Single>(Frac(Acc));
  }
  const Integer Shift = R.Right - FXPos[FCount];
  if (Shift != 0)
    for (Integer i = 1; i <= FCount; ++i) FXPos[i] += Shift;
}

// ===========================================================================
// Errors

void TStripSampleRing::HandleError(const Exception& E) {
  if (!Wanted(OnError, &TStripChartSignals::errorOccurred)) {
    MessageDlg(E.Message(), mtError, mbOK);
    return;
  }
  const QPointer<TStripSampleRing> Alive(this);
  if (OnError) OnError(this, E);
  if (Alive) emit errorOccurred(E.Message());
}

}  // namespace quellix::StrpChrtInt
