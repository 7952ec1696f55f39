#include "quellix/stripchart/StripChartEngine.h"

#include "quellix/stripchart/RemarkDialog.h"
#include "quellix/stripchart/ValueBar.h"
#include "quellix/stripchart/JogShuttleBar.h"
#include "quellix/stripchart/ToolBar.h"

#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <numbers>

#include "quellix/host/NumberFormat.h"

namespace quellix::StrpChrtInt {

namespace {

constexpr Integer kMaxSamplesPerBuffer = 200000000;

void SamplesToFile(Byte* Out, const Single* Data, Integer Count) {
  if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
    for (Integer i = 0; i < Count; ++i) qToLittleEndian(Data[i], Out + 4 * i);
  } else {
    std::memcpy(Out, Data, 4 * static_cast<size_t>(Count));
  }
}

}  // namespace

// ===========================================================================
// Construction

TStripChartInt::TStripChartInt(TComponentCore* AOwner, QWidget* AParent) : TPaintBox(AOwner, AParent) {
  SetupDrawing();
  FSamplesPerWindow = 512;
  FPoints.resize(FSamplesPerWindow + 1);
  SetSamplesPerBuffer(1024);
  FWindowOffset = -FSamplesPerWindow;
  StoreHandler = [this](TStream* Stream, TStoreCommand Command, const TSeriesValues& Values, Integer SeriesCount,
                        Integer SampleCount) { FileStore(Stream, Command, Values, SeriesCount, SampleCount); };
  LoadHandler = [this](TStream* Stream, const TSeriesBuffers& Dest, Integer FirstIndex, Integer LastIndex,
                       Integer BufferLength, Integer SeriesCount, Extended StartTime, Extended EndTime,
                       Extended Interval, Integer& SamplesRead) {
    return FileLoad(Stream, Dest, FirstIndex, LastIndex, BufferLength, SeriesCount, StartTime, EndTime, Interval,
                    SamplesRead);
  };
}

TStripChartInt::~TStripChartInt() {
  // The tool windows go first, while the chart they refer to is whole.
  FShowToolBar = FShowValueBar = FShowJogShuttleBar = false;
  FToolBar.reset();
  FValueBar.reset();
  FJogShuttleBar.reset();
  FRemarkDialog.reset();
  Destroying();
  try {
    StopLogging();
  } catch (const Exception&) {
    // A failing disk must not turn destruction into a crash; the streams
    // are closed below either way.
  }
  CloseFiles();
  FLogging = FPlaying = false;
}

// ===========================================================================
// Series

void TStripChartInt::SetSeriesNumber(Integer Value) {
  const TChangeScope Changes;
  if (Value < 1 || Value > kMaxSeries || Value == FSeriesNumber) return;
  AllocateBuffers(FSamplesPerBuffer, Value);
}

void TStripChartInt::SetSeriesCurrent(Integer Value) {
  const TChangeScope Changes;
  if (Value < 1 || Value > kMaxSeries) return;
  FSeriesCurrent = Value;
}

TColor TStripChartInt::SeriesColor() const { return SlotInUse() ? FSeries[FSeriesCurrent].Color : 0; }

void TStripChartInt::SetSeriesColor(TColor Value) {
  const TChangeScope Changes;
  if (!SlotInUse() || FSeries[FSeriesCurrent].Color == Value) return;
  FSeries[FSeriesCurrent].Color = Value;
  InvalidatePlot();
}

TPenStyle TStripChartInt::SeriesLineStyle() const {
  return SlotInUse() ? FSeries[FSeriesCurrent].LineStyle : psSolid;
}

void TStripChartInt::SetSeriesLineStyle(TPenStyle Value) {
  const TChangeScope Changes;
  if (!SlotInUse() || FSeries[FSeriesCurrent].LineStyle == Value) return;
  FSeries[FSeriesCurrent].LineStyle = Value;
  InvalidatePlot();
}

bool TStripChartInt::SeriesVisible() const { return SlotInUse() ? FSeries[FSeriesCurrent].Visible : false; }

void TStripChartInt::SetSeriesVisible(bool Value) {
  const TChangeScope Changes;
  if (!SlotInUse() || FSeries[FSeriesCurrent].Visible == Value) return;
  FSeries[FSeriesCurrent].Visible = Value;
  InvalidatePlot();
}

const Single* TStripChartInt::SeriesValues(Integer Series) const {
  if (Series < 1 || Series > kMaxSeries) return nullptr;
  const TSeriesSlot& Slot = FSeries[Series];
  if (!Slot.Allocated || Slot.Data.size() != static_cast<size_t>(FSamplesPerBuffer) + 1) return nullptr;
  return Slot.Data.data();
}

// The x-position array follows the buffer length; series in use get arrays
// of Length zeros unless they have one of that length; arrays of series
// beyond Series are kept. The new arrays exist before the old ones go.
void TStripChartInt::AllocateBuffers(Integer Length, Integer Series) {
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
void TStripChartInt::FillPreview() {
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

void TStripChartInt::Loaded() {
  TPaintBox::Loaded();
  if (IsDesigning()) FillPreview();
}

void TStripChartInt::DefineProperties(TFiler& Filer) {
  TPaintBox::DefineProperties(Filer);
  // "Series": one (colour, line style, visible) triple per series in use.
  Filer.DefineProperty(
      QStringLiteral("Series"),
      [this](TReader& Reader) {
        Reader.ReadListBegin();
        for (Integer k = 1; !Reader.EndOfList(); ++k) {
          Reader.ReadListBegin();
          const auto Color = static_cast<TColor>(Reader.ReadInteger());
          const auto Style = static_cast<TPenStyle>(Reader.ReadInteger());
          const bool Visible = Reader.ReadBoolean();
          Reader.ReadListEnd();
          if (k > kMaxSeries) continue;
          FSeries[k].Color = Color;
          FSeries[k].LineStyle = Style;
          FSeries[k].Visible = Visible;
        }
        Reader.ReadListEnd();
      },
      [this](TWriter& Writer) {
        Writer.WriteListBegin();
        for (Integer k = 1; k <= FSeriesNumber; ++k) {
          Writer.WriteListBegin();
          Writer.WriteInteger(FSeries[k].Color);
          Writer.WriteInteger(FSeries[k].LineStyle);
          Writer.WriteBoolean(FSeries[k].Visible);
          Writer.WriteListEnd();
        }
        Writer.WriteListEnd();
      },
      FSeriesNumber > 0);
}

// ===========================================================================
// Sample window

void TStripChartInt::SetSamplesPerBuffer(Integer Value) {
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

void TStripChartInt::SetSamplesPerWindow(Integer Value) {
  const TChangeScope Changes;
  if (Value < 1 || Value > FSamplesPerBuffer || Value == FSamplesPerWindow) return;
  Extended EndTime = WindowEndTime();
  FSamplesPerWindow = Value;
  if (FPoints.size() < static_cast<size_t>(Value) + 1) FPoints.resize(Value + 1);
  FWindowOffset = FCount - Value;
  if (!IsDesigning() && FDisplayTimeIncrement != 0) {
    const bool NothingReceived = FLogTimeLast < FLogStartTime - 0.5 * FLogTimeIncrement;
    if (FLiveView) EndTime = FLogTimeLast;
    if (!(FLiveView && NothingReceived)) {
      // The new window width changes every x position: lay out the window
      // that ends where the old one did.
      FPrevCount = 0;
      MoveWindowTo(false, static_cast<Double>(EndTime));
    }
  }
  InvalidatePlot();
}

void TStripChartInt::SetGapLeft(Integer Value) {
  const TChangeScope Changes;
  if (Value == FGapLeft) return;
  FGapLeft = Value;
  InvalidatePlot();
}

void TStripChartInt::SetGapTop(Integer Value) {
  const TChangeScope Changes;
  if (Value == FGapTop) return;
  FGapTop = Value;
  InvalidatePlot();
}

void TStripChartInt::SetGapRight(Integer Value) {
  const TChangeScope Changes;
  if (Value == FGapRight) return;
  FGapRight = Value;
  InvalidatePlot();
}

void TStripChartInt::SetGapBottom(Integer Value) {
  const TChangeScope Changes;
  if (Value == FGapBottom) return;
  FGapBottom = Value;
  InvalidatePlot();
}

TRect TStripChartInt::PlotRect() const {
  return Rect(FGapLeft, FGapTop, Width() - FGapRight, Height() - FGapBottom);
}

// ===========================================================================
// Time base

// The samples taken so far keep their times: the new interval starts with
// the next sample, at the time the log has reached. While logging, the run
// so far is closed with its own interval and the next run starts there.
void TStripChartInt::SetLogTimeIncrement(Double Value) {
  const TChangeScope Changes;
  if (!(Value > 0) || !std::isfinite(Value) || Value == FLogTimeIncrement) return;
  const bool Received = FLogTimeLast > FLogStartTime - 0.5 * FLogTimeIncrement;
  const auto Next = Received ? static_cast<Double>(FLogTimeLast + FLogTimeIncrement) : FLogStartTime;
  FLogTimeIncrement = Value;
  if (FLogging) {
    RestartRun(Next);
  } else {
    FLogStartTime = Next;
    FLogTimeLast = Next - Value;
    if (!FPlaying) {
      FLiveView = true;
      ShowLiveFrom(Next);
    }
  }
  LayoutTimeAxis();
}

void TStripChartInt::SetLogStartTime(Double Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value)) return;  // no time to start a run at
  if (FLogging) {
    // A new start time closes the run and opens the next one in the file.
    RestartRun(Value);
  } else {
    FLogStartTime = Value;
    FLogTimeLast = Value - FLogTimeIncrement;
    if (FLiveView && !FPlaying) ShowLiveFrom(Value);
  }
  LayoutTimeAxis();
  InvalidatePlot();
}

void TStripChartInt::ShowLiveFrom(Double StartTime) {
  FLogStartTime = StartTime;
  FLogTimeLast = StartTime - FLogTimeIncrement;
  ForgetShownRun();
  FDisplayStartTime = StartTime;
  FDisplayTimeIncrement = FLogTimeIncrement;
  FDisplayTimeLast = StartTime;
  LayoutTimeAxis();
  InvalidatePlot();
}

void TStripChartInt::ForgetShownRun() {
  FSampleBase = 0;
  FCount = FCached = FPrevCount = 0;
  FWindowOffset = -FSamplesPerWindow;
  FCarry = 0;
  FLastRefillRun = -1;
  FRemarks.clear();
  FRemarkListChanged = true;
  FCurrentRemarkPos = -1;
  FCurrentRemark = TRemarkRecord{};
  for (TCross& C : FCrosses) C.Shown = false;
}

std::int64_t TStripChartInt::DisplaySampleCount() const {
  if (!(FDisplayTimeIncrement > 0)) return 0;
  const Extended Last = FLogging && ShowsLiveRun() ? FLogTimeLast : FDisplayTimeLast;
  std::int64_t LastSample;
  if (!SampleOfTime(Last, FDisplayStartTime, FDisplayTimeIncrement, LastSample)) return 0;
  return std::max<std::int64_t>(0, LastSample + 1);
}

// ===========================================================================
// Appending samples

void TStripChartInt::AddValues(const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount) {
  const Integer n = SampleCount;
  const Integer m = std::min(SeriesCount, kMaxSeries);
  if (n <= 0 || m <= 0) return;

  // A failing write ends the run; the block is still shown, and the error
  // leaves when the chart is up to date.
  std::exception_ptr Failure;
  if (FLogging) {
    try {
      CallStore(scWrite, Values, m, n);
    } catch (const Exception&) {
      Failure = std::current_exception();
    }
  }
  if (Wanted(OnRangeCheck, &TStripChartInt::rangeCheck)) WatchRange(Values, m, n);
  if (FLiveView || FLogging) FLogTimeLast += n * static_cast<Extended>(FLogTimeIncrement);
  if (!FLiveView) {
    // Logged, not shown.
    if (Failure) std::rethrow_exception(Failure);
    return;
  }
  FDisplayTimeLast = FLogTimeLast;

  const Integer B = FSamplesPerBuffer;
  const Integer W = FSamplesPerWindow;
  const Integer c = FCount;
  Integer First;          // first buffer index of the new samples
  Integer SourceSkip = 0; // samples of the block that are dropped
  bool Full;
  if (c + n + 1 <= B) {
    // Room behind the buffered samples.
    First = c + 1;
    FCount = c + n;
    Full = n >= W;
  } else if (n <= W) {
    // Shift: keep the newest W - n old samples at the front.
    const Integer Keep = W - n;
    MoveToFront(c - Keep + 1, Keep);
    FSampleBase += c - Keep;
    First = Keep + 1;
    FCount = W;
    Full = n == W;
  } else if (n <= B) {
    // A block larger than the window replaces the buffer.
    FSampleBase += c;
    First = 1;
    FCount = n;
    Full = true;
  } else {
    // A block larger than the buffer: only its newest B samples are kept.
    FSampleBase += c + n - B;
    SourceSkip = n - B;
    First = 1;
    FCount = B;
    FCarry = 0;
    Full = true;
  }
  const Integer Placed = FCount - First + 1;
  for (Integer k = 1; k <= kMaxSeries; ++k) {
    TSeriesSlot& Slot = FSeries[k];
    if (!Slot.Allocated || Slot.Data.size() != static_cast<size_t>(B) + 1) continue;
    Single* Dest = Slot.Data.data() + First;
    if (k <= m && Values[k - 1])
      std::memcpy(Dest, Values[k - 1] + SourceSkip, sizeof(Single) * Placed);
    else if (k <= FSeriesNumber)
      std::fill(Dest, Dest + Placed, 0.0f);
  }
  FCached = FCount;
  FWindowOffset = FCount - W;
  LayoutXPositions(First);
  FPrevCount = FCount;

  if (Full) {
    InvalidatePlot();
    RedrawCross();
  } else {
    ScrollBy(n);
  }
  if (Failure) std::rethrow_exception(Failure);
}

void TStripChartInt::ReportRange(Double Time, Single Value, Integer Series, TStripRange Range) {
  if (OnRangeCheck) OnRangeCheck(this, Time, Value, Series, Range);
  emit rangeCheck(this, Time, Value, Series, Range);
}

// Edge-triggered per series: each change of range is reported once.
void TStripChartInt::WatchRange(const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount) {
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
      if (!Wanted(OnRangeCheck, &TStripChartInt::rangeCheck)) return;  // the handler removed itself
    }
  }
}

void TStripChartInt::MoveToFront(Integer From, Integer Count) {
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
void TStripChartInt::LayoutXPositions(Integer First) {
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
// Moving the window

bool TStripChartInt::ShowsLiveRun() const {
  return FLogging ? FDisplayRunNumber == FRunCounter : !FPlaying;
}

void TStripChartInt::MoveWindowTo(bool Relative, Double Time) {
  // NaN names no time; an infinite one is limited to the run's ends below.
  if (std::isnan(Time)) return;
  Extended T = Time;
  if (Relative) {
    if (Time == 0) return;
    T = WindowEndTime() + static_cast<Extended>(Time);
  }
  if (ShowsLiveRun()) {
    if (FLogTimeLast < FDisplayStartTime) return;  // nothing received yet
    if (T < FLogTimeLast - 0.1 * FDisplayTimeIncrement) {
      FLiveView = false;
    } else {
      FLiveView = true;
      T = FLogTimeLast;
    }
  } else if (T > FDisplayTimeLast) {
    T = FDisplayTimeLast;
  }
  if (T < FDisplayStartTime) {
    FLiveView = false;
    T = FDisplayStartTime;
  }

  const TRefill Result = Refill(T);
  if (FDisplayRunNumber != FLastRefillRun) {
    FLastRefillRun = FDisplayRunNumber;
    InvalidatePlot();
    return;
  }
  if (Result.Scroll) {
    ScrollBy(Result.NewSamples);
    return;
  }
  SelectRemarkNearWindowMiddle(false);
  InvalidatePlot();
}

// The middle of the window: (S + E) / 2 with E = WindowEndTime and S one
// window earlier, not before the run start.
bool TStripChartInt::SelectRemarkNearWindowMiddle(bool OnlyWhenChanged) {
  if (FRemarks.empty()) return false;
  const Extended E = WindowEndTime();
  const Extended S = std::max(E - FSamplesPerWindow * FDisplayTimeIncrement, FDisplayStartTime);
  const std::int64_t Before = FCurrentRemarkPos;
  if (!FindNearestRemark(static_cast<Double>((S + E) / 2))) return false;
  if (OnlyWhenChanged && FCurrentRemarkPos == Before) return false;
  FNearestRemarkChanged = true;
  if (OnRemark)
    OnRemark(this, FCurrentRemark.Time, FCurrentRemark.Series, FCurrentRemark.Flag, FCurrentRemark.RunNumber,
             FCurrentRemark.Text);
  emit remark(this, FCurrentRemark.Time, FCurrentRemark.Series, FCurrentRemark.Flag, FCurrentRemark.RunNumber,
              FCurrentRemark.Text);
  return true;
}

// The whole buffer is a cache around the window, in absolute sample
// numbers: a window inside the buffered samples reads nothing; a small
// step forward keeps the overlap and reads only the missing newest
// samples; anything else reads the buffer anew.
TStripChartInt::TRefill TStripChartInt::Refill(Extended T) {
  TRefill Result;
  const Integer B = FSamplesPerBuffer;
  const Integer W = FSamplesPerWindow;
  const Extended Inc = FDisplayTimeIncrement;
  const bool Live = ShowsLiveRun();
  const Extended Newest = Live ? FLogTimeLast : FDisplayTimeLast;
  if (T > Newest) T = Newest;
  std::int64_t sT = -1;
  const Integer OldCount = FCount;
  FLoadStatus = lsDone;
  if (!SampleOfTime(T, FDisplayStartTime, Inc, sT) || sT < 0) {
    // An empty run.
    FSampleBase = 0;
    FCount = FCached = FPrevCount = 0;
    FWindowOffset = -W;
    return Result;
  }
  const auto Base = static_cast<std::int64_t>(FSampleBase);
  const std::int64_t CachedLast = Base + FCached - 1;
  // A live display without a file: the buffer is all there is, so the
  // window stays within it instead of reading (and losing) it; a window
  // wider than what is buffered shows all of it.
  const bool BufferOnly = Live && !FLogging && FCached > 0;
  if (BufferOnly) {
    const std::int64_t Oldest = Base > 0 ? std::min(Base + W - 1, CachedLast) : 0;
    sT = std::clamp(sT, Oldest, CachedLast);
  }
  const std::int64_t BufStart = std::max<std::int64_t>(0, sT - (B - 1));
  const std::int64_t WinStart = std::max<std::int64_t>(0, sT - (W - 1));

  if (FCached > 0 && (WinStart >= Base || BufferOnly) && sT <= CachedLast) {
    // Inside the buffer: only the window end moves.
    FCount = static_cast<Integer>(sT - Base + 1);
    FWindowOffset = FCount - W;
    FCarry = 0;
    LayoutXPositions(1);
    FPrevCount = FCount;
    return Result;
  }

  Integer Read = 0;
  Integer Status;
  if (FCached > 0 && sT > CachedLast && BufStart >= Base && BufStart <= CachedLast + 1) {
    // A small step forward: keep the overlap, read the rest.
    const auto Shift = static_cast<Integer>(BufStart - Base);
    const Integer Keep = FCached - Shift;
    MoveToFront(Shift + 1, Keep);
    FSampleBase += Shift;
    const auto Wanted = static_cast<Integer>(sT - CachedLast);
    Status = CallLoad(Keep + 1, Wanted, CachedLast + 1, Read);
    FCount = FCached = Keep + Read;
    FWindowOffset = FCount - W;
    if (OldCount == Keep + Shift) {
      LayoutXPositions(Keep + 1);
      Result.Scroll = Status == lsDone && Read > 0 && Read < W;
      Result.NewSamples = Read;
    } else {
      FCarry = 0;
      LayoutXPositions(1);
    }
    if (Status != lsDone && Live) ResetLiveBuffer();
  } else {
    // A jump: read the whole buffer anew.
    FSampleBase = static_cast<Extended>(BufStart);
    FCount = FCached = 0;
    Status = CallLoad(1, static_cast<Integer>(sT - BufStart + 1), BufStart, Read);
    FCount = FCached = Read;
    FWindowOffset = FCount - W;
    FCarry = 0;
    LayoutXPositions(1);
    if (Status != lsDone && Live) ResetLiveBuffer();
  }
  FPrevCount = FCount;
  FLoadStatus = Status;
  return Result;
}

// The live run could not be read back (no file to read from): start an
// empty buffer whose first index is the next sample to arrive, so that
// appending keeps the sample numbers right.
void TStripChartInt::ResetLiveBuffer() {
  FSampleBase = static_cast<Extended>(Round64((FLogTimeLast - FDisplayStartTime) / FDisplayTimeIncrement) + 1);
  FCount = FCached = FPrevCount = 0;
  FWindowOffset = -FSamplesPerWindow;
  FCarry = 0;
}

Integer TStripChartInt::CallLoad(Integer FirstIndex, Integer Count, std::int64_t FirstSample, Integer& SamplesRead) {
  SamplesRead = 0;
  if (Count <= 0) return lsDone;
  if (!LoadHandler) return 1;
  TSeriesBuffers Dest{};
  for (Integer k = 1; k <= kMaxSeries; ++k)
    Dest[k - 1] = SeriesValues(k) ? FSeries[k].Data.data() : nullptr;
  const Extended Start = FDisplayStartTime + FDisplayTimeIncrement * FirstSample;
  const Extended End = Start + FDisplayTimeIncrement * (Count - 1);
  const Integer Status = LoadHandler(FDataStream.get(), Dest, FirstIndex, FirstIndex + Count - 1, FSamplesPerBuffer,
                                     FSeriesNumber, Start, End, FDisplayTimeIncrement, SamplesRead);
  SamplesRead = std::clamp(SamplesRead, 0, Count);
  return Status;
}

Integer TStripChartInt::ReadRunSamples(std::int64_t First, Integer Count, const TSeriesBuffers& Dest,
                                       Integer SeriesCount, Integer& SamplesRead) {
  SamplesRead = 0;
  if (Count <= 0) return lsDone;
  if (!LoadHandler) return 1;
  const Extended Start = FDisplayStartTime + FDisplayTimeIncrement * First;
  const Extended End = Start + FDisplayTimeIncrement * (Count - 1);
  const Integer Status =
      LoadHandler(FDataStream.get(), Dest, 1, Count, Count, SeriesCount, Start, End, FDisplayTimeIncrement, SamplesRead);
  SamplesRead = std::clamp(SamplesRead, 0, Count);
  FLoadStatus = Status;
  return Status;
}

// ===========================================================================
// Logging: the built-in writer

void TStripChartInt::EncodeHeader(Byte* Out, const char* Id, Cardinal Size, Double First, Double Last,
                                  Word BytesPerSeries) const {
  TChunkHeader H;
  std::memcpy(H.Id.data(), Id, 4);
  H.Size = Size;
  H.FirstTime = First;
  H.LastTime = Last;
  H.Interval = FBlock.Interval;
  H.PrevChunk = static_cast<Integer>(FPrevChunkPos);
  H.SeriesCount = static_cast<Byte>(FBlock.SeriesCount);
  H.BytesPerSeries = BytesPerSeries;
  EncodeChunkHeader(H, Out);
}

void TStripChartInt::WriteChunk(const Byte* Bytes, Cardinal Size) {
  TStream& S = *FDataStream;
  // Nobody else may have changed the file since the last chunk: a write
  // behind a truncation would leave a hole that looks like data.
  S.Flush();
  const std::int64_t At = S.Position();
  try {
    S.WriteBuffer(Bytes, Size);
  } catch (const Exception&) {
    try {
      S.SetSize(At);
    } catch (const Exception&) {
      // The file keeps a cut chunk, which every reader stops before.
    }
    throw;
  }
  FPrevChunkPos = At;
  FWritePos = S.Position();
}

void TStripChartInt::FlushFiles() {
  if (FDataStream) FDataStream->Flush();
  if (FRemarkStream && FRemarkWritable) {
    try {
      FRemarkStream->Flush();
    } catch (const Exception&) {
      FRemarkFileFailed = true;
      throw;
    }
  }
}

// One DATA chunk of the samples of the block buffer, written in one piece:
// header, then each series' Singles in series order. The block buffer is
// empty again behind it.
void TStripChartInt::WriteDataChunk() {
  const Integer Samples = FBlock.Fill;
  const auto FirstTime = static_cast<Double>(FBlock.BlockTime + FBlock.Interval);
  const Integer Series = FBlock.SeriesCount;
  const Integer BytesPerSeries = 4 * Samples;
  const Cardinal Size = kChunkHeaderSize + Series * BytesPerSeries;
  FChunkBytes.resize(Size);
  EncodeHeader(FChunkBytes.data(), "DATA", Size, FirstTime,
               static_cast<Double>(FBlock.BlockTime + Samples * static_cast<Extended>(FBlock.Interval)),
               static_cast<Word>(BytesPerSeries));
  for (Integer s = 0; s < Series; ++s)
    SamplesToFile(FChunkBytes.data() + kChunkHeaderSize + s * BytesPerSeries, FBlock.Data[s].data(), Samples);
  WriteChunk(FChunkBytes.data(), Size);
  FBlock.Fill = 0;
  FBlock.BlockTime += Samples * static_cast<Extended>(FBlock.Interval);
  FlushFiles();
}

void TStripChartInt::WriteTail() {
  Byte Raw[kTailChunkSize];
  EncodeHeader(Raw, "TAIL", kTailChunkSize, 0, static_cast<Double>(FBlock.BlockTime), 0);
  qToLittleEndian<std::int32_t>(FRunCounter, Raw + kChunkHeaderSize);
  WriteChunk(Raw, kTailChunkSize);
  FlushFiles();
}

void TStripChartInt::StartRun(Integer SeriesCount) {
  if (FBlock.Capacity != kBlockSamples) {
    for (auto& Array : FBlock.Data) Array.assign(kBlockSamples, 0.0f);
    FBlock.Capacity = kBlockSamples;
  }
  FBlock.Fill = 0;
  FBlock.Interval = FLogTimeIncrement;
  FBlock.BlockTime = static_cast<Extended>(FLogStartTime) - FLogTimeIncrement;
  FBlock.SeriesCount = std::clamp(SeriesCount, 1, kMaxSeries);
  FDataStream->Seek(FDataStream->Size());
  FLogging = true;
  const std::int64_t HeadPos = FDataStream->Position();
  Byte Raw[kHeadChunkSize];
  EncodeHeader(Raw, "HEAD", kHeadChunkSize, static_cast<Double>(FBlock.BlockTime + FLogTimeIncrement), 0, 0);
  qToLittleEndian<std::int32_t>(FRunCounter + 1, Raw + kChunkHeaderSize);
  EncodeShortString(FBlock.Comment, kCommentLength, Raw + kChunkHeaderSize + 4, '\0');
  WriteChunk(Raw, kHeadChunkSize);
  ++FRunCounter;
  if (FLiveView) {
    // The run being written becomes the run shown; it has no remarks yet.
    FDisplayRunNumber = FRunCounter;
    FReadCursor = FDisplayHeadPos = HeadPos;
    FDisplaySeries = FBlock.SeriesCount;
    FRemarks.clear();
    FCurrentRemarkPos = -1;
    FRemarkListChanged = true;
  }
  FlushFiles();
}

void TStripChartInt::FileStore(TStream* Stream, TStoreCommand Command, const TSeriesValues& Values,
                               Integer SeriesCount, Integer SampleCount) {
  if (!Stream || Stream != FDataStream.get()) return;
  // Display reads move the same stream: continue where the writer stopped.
  if (FWritePos >= 0) Stream->Seek(FWritePos);
  switch (Command) {
    case scNewFile: {
      Stream->Seek(0);
      Byte Signature[kFirstChunkPos];
      std::memcpy(Signature, kSignature, 4);
      qToLittleEndian<std::uint16_t>(kFileVersion, Signature + 4);
      Stream->WriteBuffer(Signature, kFirstChunkPos);
      FPrevChunkPos = 0;
      FRunCounter = 0;
      StartRun(SeriesCount);
      break;
    }
    case scStartRun:
      StartRun(SeriesCount);
      break;
    case scWrite: {
      if (FBlock.Capacity != kBlockSamples || !FLogging || SeriesCount < 1 || SeriesCount > kMaxSeries) return;
      Integer Done = 0;
      while (Done < SampleCount) {
        const Integer Part = std::min(kBlockSamples - FBlock.Fill, SampleCount - Done);
        for (Integer s = 0; s < FBlock.SeriesCount; ++s) {
          Single* Dest = FBlock.Data[s].data() + FBlock.Fill;
          if (s < SeriesCount && Values[s])
            std::memcpy(Dest, Values[s] + Done, sizeof(Single) * Part);
          else
            std::fill(Dest, Dest + Part, 0.0f);
        }
        Done += Part;
        FBlock.Fill += Part;
        // A full block goes to the file at once, so that no more than the
        // block being filled is ever only in memory.
        if (FBlock.Fill == kBlockSamples) WriteDataChunk();
      }
      break;
    }
    case scEndRun: {
      if (!FLogging) return;
      if (FBlock.Fill > 0) WriteDataChunk();
      WriteTail();
      FLogging = false;
      break;
    }
  }
  FWritePos = Stream->Position();
}

void TStripChartInt::CallStore(TStoreCommand Command, const TSeriesValues& Values, Integer SeriesCount,
                           Integer SampleCount) {
  if (!StoreHandler) return;
  try {
    StoreHandler(FDataStream.get(), Command, Values, SeriesCount, SampleCount);
  } catch (const Exception& E) {
    // When only the remark file failed, the data file is whole.
    FailLogging(E.Message(), FRemarkFileFailed);
  } catch (const std::bad_alloc&) {
    FailLogging(QStringLiteral("Zu wenig Speicher zum Schreiben der Messdatei %1").arg(FFileName), false);
  }
}

void TStripChartInt::FailLogging(const QString& Reason, bool DataFileWhole) {
  FRemarkFileFailed = false;
  if (DataFileWhole && StoreHandler && FLogging) {
    // Only the remark file failed: the data file still takes the end of
    // the run.
    FRemarkStream.reset();
    FRemarkWritable = false;
    try {
      StoreHandler(FDataStream.get(), scEndRun, TSeriesValues{}, FSeriesNumber, 0);
    } catch (const Exception&) {
      // Then the run ends as if cut off; its whole chunks stay readable.
    }
  }
  CloseFiles();
  FLogging = false;
  FRunCounter = 0;
  FRunComment = DefaultRunComment();
  AfterRunEnded();
  FileStateChanged();
  InvalidatePlot();
  throw EStreamError(Reason + QStringLiteral(". Die Aufnahme wurde beendet."));
}

void TStripChartInt::AfterRunEnded() {
  if (FLiveView || IsDestroying()) return;
  // The view showed an earlier part of the log: it returns to the live
  // samples, which go on where the time of the log is now.
  FLiveView = true;
  SetLogStartTime(static_cast<Double>(FLogTimeLast + FLogTimeIncrement));
}

void TStripChartInt::RestartRun(Double NewStart) {
  const bool ShownRunCloses = FDisplayRunNumber == FRunCounter;
  const Extended ClosedEnd = FLogTimeLast;
  CallStore(scEndRun, TSeriesValues{}, 0, 0);
  FLogStartTime = NewStart;
  FLogTimeLast = NewStart - FLogTimeIncrement;
  if (FLiveView) {
    ShowLiveFrom(NewStart);
  } else if (ShownRunCloses) {
    // The run shown is an ordinary closed run from now on, indexed anew
    // with its last chunks.
    FDisplayTimeLast = ClosedEnd;
    FRunIndex.Clear();
  }
  FLogging = true;
  CallStore(scStartRun, TSeriesValues{}, FSeriesNumber, 0);
  FLogging = true;
  if (FLiveView) FLastRefillRun = FDisplayRunNumber;
}

// ===========================================================================
// Starting and stopping

void TStripChartInt::StartLogging(const QString& FileName, const QString& Comment) {
  if (FLogging) return;
  StopPlaying();
  const QString RemarkName = RemarkFileName(FileName);
  const bool Exists = QFileInfo::exists(FileName);
  bool RemarksCreated = false;
  std::int64_t KeepSize = -1;   // the data file's size before this run
  try {
    // Nothing is written before both files are open: a remark file that
    // cannot be written leaves the data file as it was.
    TFileScan Scan;
    std::unique_ptr<TStream> Data;
    if (Exists) {
      Data = std::make_unique<TFileStream>(FileName, TFileStream::fmOpenReadWrite);
      // A foreign or damaged file raises here, before anything is written.
      CheckDataFileSignature(*Data, FileName);
      Scan = ScanDataFile(*Data);
      if (Scan.Result == TFileScan::Damaged)
        throw EStripChartFile(QStringLiteral("Messdatei %1 ist beschädigt (Block bei Position %2), es wird nichts "
                                             "angehängt")
                                  .arg(FileName)
                                  .arg(Scan.DamagedPos));
    }
    if (QFileInfo::exists(RemarkName)) {
      FRemarkStream = std::make_unique<TFileStream>(RemarkName, TFileStream::fmOpenReadWrite);
    } else {
      FRemarkStream = std::make_unique<TFileStream>(RemarkName, TFileStream::fmCreate);
      RemarksCreated = true;
    }
    FRemarkWritable = true;
    if (!Exists) Data = std::make_unique<TFileStream>(FileName, TFileStream::fmCreate);
    FDataStream = std::move(Data);
    FFileName = FileName;
    FRunComment = Comment.left(kCommentLength);
    FBlock.Comment = FRunComment;
    FLastRemark = TRemarkRecord{};
    FLastRemarkPos = -1;
    if (Exists) {
      RecoverInterruptedRun(Scan);
      KeepSize = FDataStream->Size();
    } else {
      FWritePos = 0;
      FRunCounter = 0;
      KeepSize = 0;
    }
    // The new run continues the time of the live display, and the chart
    // shows it from its start.
    FLiveView = true;
    ShowLiveFrom(static_cast<Double>(FLogTimeLast + FLogTimeIncrement));
    FLogging = true;
    if (StoreHandler)
      StoreHandler(FDataStream.get(), Exists ? scStartRun : scNewFile, TSeriesValues{}, FSeriesNumber, 0);
    FLogging = true;
    FDisplayRunNumber = FRunCounter;
    FLastRefillRun = FRunCounter;
  } catch (...) {
    // No empty run and no empty files are left behind.
    if (FDataStream && KeepSize >= 0) {
      try {
        FDataStream->SetSize(KeepSize);
      } catch (const Exception&) {
        // The file keeps a cut HEAD, which every reader stops before.
      }
    }
    CloseFiles();
    if (!Exists && KeepSize >= 0) QFile::remove(FileName);
    if (RemarksCreated) QFile::remove(RemarkName);
    FLogging = false;
    FRunCounter = 0;
    FDisplayRunNumber = 0;
    FRunComment = DefaultRunComment();
    throw;
  }
  FileStateChanged();
  InvalidatePlot();
}

// A run without TAIL was cut off (a crash or power loss while logging).
// Its complete chunks stay as they are; a chunk whose writing was cut off
// is removed, and a TAIL closes the run at its last complete sample, so
// that the new run is appended behind an intact chain.
void TStripChartInt::RecoverInterruptedRun(const TFileScan& Scan) {
  if (Scan.Result == TFileScan::CutOff) FDataStream->SetSize(Scan.ValidEnd);
  FPrevChunkPos = Scan.Runs.empty() ? 0 : Scan.LastChunkPos;
  FRunCounter = Scan.Runs.empty() ? 0 : Scan.Runs.back().RunNumber;
  if (!Scan.Runs.empty() && Scan.Runs.back().TailPos < 0) {
    const TRunInfo& Run = Scan.Runs.back();
    FDataStream->Seek(Scan.ValidEnd);
    FBlock.Interval = Run.Interval;   // the TAIL carries the run's interval
    FBlock.BlockTime = Run.EndTime;
    FBlock.SeriesCount = Run.SeriesCount;
    WriteTail();
  }
  FWritePos = FDataStream->Size();
}

void TStripChartInt::StopLogging() {
  if (!FLogging) return;
  CallStore(scEndRun, TSeriesValues{}, FSeriesNumber, 0);
  CloseFiles();
  FRunComment = DefaultRunComment();
  FLogging = false;
  FRunCounter = 0;
  AfterRunEnded();
  FileStateChanged();
}

void TStripChartInt::StartPlaying(const QString& FileName) {
  StopLogging();
  StopPlaying();
  if (!QFileInfo::exists(FileName)) return;
  try {
    // A reader: both files are opened for reading only, and a missing
    // remark file stays missing.
    FDataStream = std::make_unique<TFileStream>(FileName, TFileStream::fmOpenRead);
    CheckDataFileSignature(*FDataStream, FileName);
    const QString RemarkName = RemarkFileName(FileName);
    if (QFileInfo::exists(RemarkName)) FRemarkStream = std::make_unique<TFileStream>(RemarkName, TFileStream::fmOpenRead);
    FRemarkWritable = false;
    FReadCursor = kFirstChunkPos;
    FDisplayHeadPos = -1;
    FRunCounter = 0;
    FDisplayRunNumber = 0;   // so that run 1 is selected even if it was shown before
    FFileName = FileName;
  } catch (...) {
    CloseFiles();
    throw;
  }
  // Nothing of the live view stays on the screen, also when the file holds
  // no run.
  ForgetShownRun();
  FLiveView = false;
  FPlaying = true;
  SetDisplayRunNumber(1);
  FileStateChanged();
  InvalidatePlot();
}

void TStripChartInt::StopPlaying() {
  if (!FPlaying) return;
  CloseFiles();
  FPlaying = false;
  FDisplayRunNumber = 0;
  FRunComment = DefaultRunComment();
  // Back to the live samples, from where the time of the log is now.
  FLiveView = true;
  SetLogStartTime(static_cast<Double>(FLogTimeLast + FLogTimeIncrement));
  FileStateChanged();
}

void TStripChartInt::CloseFiles() {
  FDataStream.reset();
  FRemarkStream.reset();
  FRemarkWritable = false;
  FPrevChunkPos = FReadCursor = FWritePos = FDisplayHeadPos = -1;
  FRunIndex.Clear();
  FLastRefillRun = -1;
  FRemarks.clear();
  FRemarkListChanged = true;
  FCurrentRemarkPos = FLastRemarkPos = -1;
  FLastRemark = TRemarkRecord{};
}

// ===========================================================================
// Run selection

// Walks from the HEAD of the run shown: forward chunk by chunk for a later
// run, backward along the back links for an earlier one. Every step moves
// strictly forward or strictly backward within the file, so a damaged
// size or link ends the walk instead of looping.
bool TStripChartInt::LocateRun(Integer Number, std::int64_t& HeadPos) {
  TStream& S = *FDataStream;
  const std::int64_t Size = S.Size();
  std::int64_t Pos = FDisplayHeadPos >= kFirstChunkPos ? FDisplayHeadPos : kFirstChunkPos;
  const bool Forward = FDisplayHeadPos < kFirstChunkPos || Number > FDisplayRunNumber;
  for (;;) {
    TChunkHeader H;
    if (!ReadChunkHeader(S, Pos, H)) {
      FLoadStatus = Pos >= Size ? lsEndOfFile : lsInconsistent;
      return false;
    }
    if (H.Kind() == TChunkKind::Unknown) {
      FLoadStatus = lsUnknownChunk;
      return false;
    }
    if (!H.Consistent()) {
      FLoadStatus = lsInconsistent;
      return false;
    }
    if (H.Kind() == TChunkKind::Head) {
      Byte Raw[4];
      S.Seek(Pos + kChunkHeaderSize);
      if (S.Read(Raw, 4) != 4) {
        FLoadStatus = lsInconsistent;
        return false;
      }
      if (qFromLittleEndian<std::int32_t>(Raw) == Number) {
        HeadPos = Pos;
        return true;
      }
    }
    if (Forward) {
      Pos += H.Size;   // at least one header: the walk advances
      if (Pos >= Size) {
        FLoadStatus = lsEndOfFile;
        return false;
      }
    } else {
      if (H.PrevChunk == 0) {
        FLoadStatus = lsStartOfFile;
        return false;
      }
      if (H.PrevChunk < kFirstChunkPos || H.PrevChunk >= Pos) {
        FLoadStatus = lsInconsistent;
        return false;
      }
      Pos = H.PrevChunk;
    }
  }
}

void TStripChartInt::SetDisplayRunNumber(Integer Value) {
  const TChangeScope Changes;
  if (Value == FDisplayRunNumber || Value <= 0 || !(FLogging || FPlaying) || !FDataStream) return;
  std::int64_t HeadPos;
  if (!LocateRun(Value, HeadPos)) return;
  TStream& S = *FDataStream;
  TChunkHeader Head;
  Byte Payload[4 + 1 + kCommentLength];
  if (!ReadChunkHeader(S, HeadPos, Head) || S.Read(Payload, sizeof Payload) != static_cast<int>(sizeof Payload)) {
    FLoadStatus = lsInconsistent;
    return;
  }
  // One walk over the run's chunk headers indexes its DATA chunks and
  // finds its end: the TAIL, or for a run cut off without TAIL its last
  // complete DATA chunk. A damaged chunk ends the run, which is shown up
  // to there with the error.
  if (!FRunIndex.Build(S, HeadPos)) {
    FLoadStatus = lsInconsistent;
    return;
  }
  FLoadStatus = FRunIndex.End == TRunIndex::reUnknownChunk ? lsUnknownChunk
                : FRunIndex.End == TRunIndex::reDamaged    ? lsInconsistent
                                                           : lsDone;
  FDisplayStartTime = Head.FirstTime;
  FDisplayTimeIncrement = Head.Interval;
  FRunComment = DecodeShortString(Payload + 4, kCommentLength);
  FReadCursor = FDisplayHeadPos = HeadPos;
  FDisplaySeries = Head.SeriesCount;
  FDisplayTimeLast = FLogging && Value == FRunCounter ? FLogTimeLast : static_cast<Extended>(FRunIndex.LastTime);
  FLiveView = false;
  FDisplayRunNumber = Value;
  LayoutTimeAxis();
  LoadRemarks(Value);
  FSampleBase = 0;
  FCount = FCached = FPrevCount = 0;
  FWindowOffset = -FSamplesPerWindow;
  const Integer Status = FLoadStatus;
  MoveWindowTo(false, static_cast<Double>(FDisplayStartTime));
  if (FLoadStatus == lsDone) FLoadStatus = Status;
  InvalidatePlot();
}

// ===========================================================================
// Reading: the built-in reader

// Takes samples of the run being logged that are not in the file yet from
// the block buffer.
Integer TStripChartInt::LoadFromBlockBuffer(const TSeriesBuffers& Dest, Integer At, Integer Wanted,
                                            Integer SeriesCount, Extended Time, Integer& SamplesRead) {
  if (!FLogging || FBlock.Capacity != kBlockSamples) return lsLoggingStopped;
  const std::int64_t Index =
      Round64((Time - (FBlock.BlockTime + FLogTimeIncrement)) / static_cast<Extended>(FLogTimeIncrement));
  if (Index < 0) return lsInconsistent;
  if (Index >= FBlock.Fill) return lsEndOfFile;
  const auto Count = static_cast<Integer>(std::min<std::int64_t>(FBlock.Fill - Index, Wanted));
  const Integer Series = std::min(SeriesCount, FBlock.SeriesCount);
  for (Integer s = 0; s < Series; ++s)
    if (Dest[s]) std::memcpy(Dest[s] + At, FBlock.Data[s].data() + Index, sizeof(Single) * Count);
  SamplesRead += Count;
  return Count == Wanted ? lsDone : lsEndOfFile;
}

// The chunk that holds the wanted time is looked up in the run's index;
// from there the chunks follow one another. Each chunk costs one seek and
// one read (of the wanted part of every series at once).
Integer TStripChartInt::FileLoad(TStream* Stream, const TSeriesBuffers& Dest, Integer FirstIndex, Integer LastIndex,
                                 Integer BufferLength, Integer SeriesCount, Extended StartTime, Extended EndTime,
                                 Extended Interval, Integer& SamplesRead) {
  (void)EndTime;
  SamplesRead = 0;
  if (!(FLogging || FPlaying) || !Stream || FDisplayHeadPos < kFirstChunkPos) return lsNoFile;
  LastIndex = std::min(LastIndex, BufferLength);
  const Integer Wanted = LastIndex - FirstIndex + 1;
  if (Wanted <= 0) return lsDone;
  if (!(Interval > 0)) return lsInconsistent;
  const Integer Series = std::min({SeriesCount, FDisplaySeries, kMaxSeries});
  const bool LiveRun = FLogging && FDisplayRunNumber == FRunCounter;
  const Extended Half = 0.5 * Interval;
  if (FRunIndex.HeadPos != FDisplayHeadPos && !FRunIndex.Build(*Stream, FDisplayHeadPos)) return lsInconsistent;
  const TRunIndex& Index = FRunIndex;
  std::int64_t Sample;
  if (!SampleOfTime(StartTime, Index.StartTime, Interval, Sample)) return lsInconsistent;
  if (Sample < 0) return lsStartOfFile;
  size_t c = Index.Find(Sample);
  while (SamplesRead < Wanted) {
    const Extended t = StartTime + SamplesRead * Interval;
    if (LiveRun && t > FBlock.BlockTime + Half)
      return LoadFromBlockBuffer(Dest, FirstIndex + SamplesRead, Wanted - SamplesRead, Series, t, SamplesRead);
    // The run being written grows: chunks written since the index was
    // built join it.
    if (c >= Index.Chunks.size() && LiveRun && FRunIndex.Extend(*Stream)) {
      c = Index.Find(Sample + SamplesRead);
      continue;
    }
    if (c >= Index.Chunks.size()) {
      switch (Index.End) {
        case TRunIndex::reUnknownChunk: return lsUnknownChunk;
        case TRunIndex::reDamaged:
        case TRunIndex::reCutOff: return lsInconsistent;
        default: return lsEndOfFile;
      }
    }
    const TChunkIndexEntry& E = Index.Chunks[c];
    const std::int64_t s = Sample + SamplesRead;
    if (s < E.FirstSample) return SamplesRead > 0 || c > 0 ? lsGap : lsStartOfFile;
    const auto At = static_cast<Integer>(s - E.FirstSample);
    const Integer Count = std::min(E.Samples - At, Wanted - SamplesRead);
    // Series 1..Series of the chunk from sample At on, in one read.
    const std::int64_t Bytes = static_cast<std::int64_t>(Series - 1) * E.BytesPerSeries + 4 * Count;
    FReadBytes.resize(static_cast<size_t>(Bytes));
    Stream->Seek(E.Pos + kChunkHeaderSize + 4 * static_cast<std::int64_t>(At));
    if (Stream->Read(FReadBytes.data(), Bytes) != Bytes) return lsInconsistent;
    for (Integer k = 0; k < Series; ++k) {
      if (!Dest[k]) continue;
      Single* To = Dest[k] + FirstIndex + SamplesRead;
      std::memcpy(To, FReadBytes.data() + static_cast<size_t>(k) * E.BytesPerSeries, 4 * static_cast<size_t>(Count));
      SamplesFromFile(To, Count);
    }
    SamplesRead += Count;
    FReadCursor = E.Pos;
    ++c;
  }
  return lsDone;
}

// ===========================================================================
// Remarks

bool TStripChartInt::ReadRemark(std::int64_t Pos, TRemarkRecord& R) {
  return FRemarkStream && ReadRemarkRecord(*FRemarkStream, Pos, R);
}

void TStripChartInt::WriteRemark(std::int64_t Pos, const TRemarkRecord& R) {
  Byte Raw[kRemarkRecordSize];
  EncodeRemarkRecord(R, Raw);
  FRemarkStream->Seek(Pos);
  FRemarkStream->WriteBuffer(Raw, kRemarkRecordSize);
}

TRemarkRecord TStripChartInt::RemarkRecord(const TRemarkIndexEntry& Entry) {
  TRemarkRecord R;
  ReadRemark(Entry.FilePos, R);
  return R;
}

// The first record of the run is found by reading the file from its
// start; the rest follow the next links.
void TStripChartInt::LoadRemarks(Integer RunNumber) {
  FRemarks.clear();
  FRemarkListChanged = true;
  FCurrentRemarkPos = -1;
  if (!FRemarkStream || RunNumber <= 0) return;
  ForEachChainedRemark(*FRemarkStream, FindFirstRemark(*FRemarkStream, RunNumber),
                       [this](std::int64_t Pos, const TRemarkRecord& R) {
                         // A record whose time is not a number marks no
                         // point of the run; the chain goes on behind it.
                         if (std::isfinite(R.Time))
                           FRemarks.push_back({R.RunNumber, R.Time, R.Series, R.Flag, static_cast<Integer>(Pos)});
                       });
}

void TStripChartInt::OpenRemarkWriter() {
  if (FRemarkStream && FRemarkWritable) return;
  if (!FLogging && !FPlaying)
    throw EStreamError(QStringLiteral("Bemerkungen werden nur gespeichert, während eine Messdatei aufgenommen oder "
                                      "wiedergegeben wird"));
  // During playback the remark file is opened for writing only for an
  // edit the user asked for.
  const QString Name = RemarkFileName(FFileName);
  std::unique_ptr<TStream> Writer =
      QFileInfo::exists(Name) ? std::make_unique<TFileStream>(Name, TFileStream::fmOpenReadWrite)
                              : std::make_unique<TFileStream>(Name, TFileStream::fmCreate);
  FRemarkStream = std::move(Writer);
  FRemarkWritable = true;
}

void TStripChartInt::FailRemark(const Exception& E) {
  // The data file takes the end of the run unless it failed too (the
  // writer checks it before every chunk).
  if (FLogging) FailLogging(E.Message(), true);
  throw EStreamError(E.Message());
}

void TStripChartInt::AddRemark(Integer RunNumber, Integer Series, TDescFlag Flag, Double Time,
                               const TRemarkString& Text) {
  std::int64_t NewPos = -1;
  try {
    OpenRemarkWriter();
    TStream& S = *FRemarkStream;
    S.Flush();
    const std::int64_t Size = S.Size();
    // Records are appended behind the last whole one.
    NewPos = Size - Size % kRemarkRecordSize;
    std::int64_t Prev = -1;
    TRemarkRecord P;
    if (FLastRemarkPos >= 0 && FLastRemark.RunNumber == RunNumber && ReadRemark(FLastRemarkPos, P) &&
        P.RunNumber == RunNumber) {
      Prev = FLastRemarkPos;
    } else {
      for (std::int64_t Pos = NewPos - kRemarkRecordSize; Pos >= 0; Pos -= kRemarkRecordSize)
        if (ReadRemark(Pos, P) && P.RunNumber == RunNumber) {
          Prev = Pos;
          break;
        }
    }
    TRemarkRecord R;
    R.RunNumber = RunNumber;
    R.Time = Time;
    R.Series = Series;
    R.Flag = Flag;
    R.Next = -1;
    R.Prev = static_cast<Integer>(Prev);
    R.Text = FitRemarkText(Text);
    // The record, then its predecessor's link to it: only then is it in
    // its run's chain, and both are in the system before the call returns.
    WriteRemark(NewPos, R);
    if (Prev >= 0) {
      P.Next = static_cast<Integer>(NewPos);
      WriteRemark(Prev, P);
    }
    FlushFiles();
    FLastRemark = R;
    FLastRemarkPos = NewPos;
    // The list holds the remarks of the run shown only.
    if (RunNumber == FDisplayRunNumber) {
      FRemarks.push_back({RunNumber, Time, Series, Flag, static_cast<Integer>(NewPos)});
      FRemarkListChanged = true;
    }
    SetCurrentRemark(NewPos, R);
  } catch (const Exception& E) {
    // A record that is not linked is taken off again.
    if (NewPos >= 0 && FRemarkStream && FRemarkWritable && FRemarkStream->Size() > NewPos) {
      try {
        FRemarkStream->SetSize(NewPos);
      } catch (const Exception&) {
        // Unlinked, it is not read as a remark of its run.
      }
    }
    FailRemark(E);
  }
}

bool TStripChartInt::FindNearestRemark(Double Time) {
  if (FRemarks.empty() || !FRemarkStream) return false;
  auto Nearest = FRemarks.begin();
  for (auto It = FRemarks.begin(); It != FRemarks.end(); ++It)
    if (std::abs(Time - It->Time) < std::abs(Time - Nearest->Time)) Nearest = It;
  TRemarkRecord R;
  if (!ReadRemark(Nearest->FilePos, R)) return false;
  SetCurrentRemark(Nearest->FilePos, R);
  return true;
}

void TStripChartInt::SetCurrentRemark(std::int64_t Pos, const TRemarkRecord& R) {
  const std::int64_t Old = FCurrentRemarkPos;
  FCurrentRemark = R;
  FCurrentRemarkPos = Pos;
  InvalidateRemarkMarks({Old, Pos});
}

void TStripChartInt::UpdateCurrentRemark(const TRemarkString& Text, Integer Series, TDescFlag Flag) {
  if (FCurrentRemarkPos < 0 || !FRemarkStream) return;
  try {
    OpenRemarkWriter();
    FRemarkStream->Flush();
    // Read the record again so that links changed since it became current
    // are kept.
    TRemarkRecord R;
    if (!ReadRemark(FCurrentRemarkPos, R))
      throw EStreamError(QStringLiteral("Bemerkung bei Position %1 fehlt in %2")
                             .arg(FCurrentRemarkPos)
                             .arg(RemarkFileName(FFileName)));
    R.Text = FitRemarkText(Text);
    R.Series = Series;
    R.Flag = Flag;
    WriteRemark(FCurrentRemarkPos, R);
    FlushFiles();
    // The old mark goes with the old series, the new one comes with the new.
    InvalidateRemarkMarks({FCurrentRemarkPos});
    FCurrentRemark = R;
    if (FLastRemarkPos == FCurrentRemarkPos) FLastRemark = R;
    for (TRemarkIndexEntry& E : FRemarks)
      if (E.FilePos == FCurrentRemarkPos) {
        E.Series = Series;
        E.Flag = Flag;
      }
    InvalidateRemarkMarks({FCurrentRemarkPos});
  } catch (const Exception& E) {
    FailRemark(E);
  }
}

}  // namespace quellix::StrpChrtInt
