#include "quellix/stripchart/StripChartFileSession.h"

#include "quellix/host/NumberFormat.h"

#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace quellix::StrpChrtInt {

void TStripFileSession::SetSamplesPerWindow(Integer Value) {
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

// ===========================================================================
// Time base

// The samples taken so far keep their times: the new interval starts with
// the next sample, at the time the log has reached. While logging, the run
// so far is closed with its own interval and the next run starts there.
void TStripFileSession::SetLogTimeIncrement(Double Value) {
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

void TStripFileSession::SetLogStartTime(Double Value) {
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

void TStripFileSession::ShowLiveFrom(Double StartTime) {
  FLogStartTime = StartTime;
  FLogTimeLast = StartTime - FLogTimeIncrement;
  ForgetShownRun();
  FDisplayStartTime = StartTime;
  FDisplayTimeIncrement = FLogTimeIncrement;
  FDisplayTimeLast = StartTime;
  LayoutTimeAxis();
  InvalidatePlot();
}

void TStripFileSession::ForgetShownRun() {
  FSampleBase = 0;
  FCount = FCached = FPrevCount = 0;
  FWindowOffset = -FSamplesPerWindow;
  FCarry = 0;
  FLastRefillRun = -1;
  FRemarks.clear();
  FRemarkListChanged = true;
  FCurrentRemarkPos = -1;
  FCurrentRemark = TRemarkRecord{};
  HideCrosses();
}

std::int64_t TStripFileSession::DisplaySampleCount() const {
  if (!(FDisplayTimeIncrement > 0)) return 0;
  const Extended Last = FLogging && ShowsLiveRun() ? FLogTimeLast : FDisplayTimeLast;
  std::int64_t LastSample;
  if (!SampleOfTime(Last, FDisplayStartTime, FDisplayTimeIncrement, LastSample)) return 0;
  return std::max<std::int64_t>(0, LastSample + 1);
}

// ===========================================================================
// Appending samples

void TStripFileSession::AddValues(const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount) {
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
  if (Wanted(OnRangeCheck, &TStripChartSignals::rangeCheck)) WatchRange(Values, m, n);
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

// ===========================================================================
// Moving the window

bool TStripFileSession::ShowsLiveRun() const {
  return FLogging ? FDisplayRunNumber == FRunCounter : !FPlaying;
}

void TStripFileSession::MoveWindowTo(bool Relative, Double Time) {
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

// The whole buffer is a cache around the window, in absolute sample
// numbers: a window inside the buffered samples reads nothing; a small
// step forward keeps the overlap and reads only the missing newest
// samples; anything else reads the buffer anew.
TStripFileSession::TRefill TStripFileSession::Refill(Extended T) {
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
void TStripFileSession::ResetLiveBuffer() {
  FSampleBase = static_cast<Extended>(Round64((FLogTimeLast - FDisplayStartTime) / FDisplayTimeIncrement) + 1);
  FCount = FCached = FPrevCount = 0;
  FWindowOffset = -FSamplesPerWindow;
  FCarry = 0;
}

Integer TStripFileSession::CallLoad(Integer FirstIndex, Integer Count, std::int64_t FirstSample, Integer& SamplesRead) {
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

Integer TStripFileSession::ReadRunSamples(std::int64_t First, Integer Count, const TSeriesBuffers& Dest,
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
// Run selection

// Walks from the HEAD of the run shown: forward chunk by chunk for a later
// run, backward along the back links for an earlier one. Every step moves
// strictly forward or strictly backward within the file, so a damaged
// size or link ends the walk instead of looping.
bool TStripFileSession::LocateRun(Integer Number, std::int64_t& HeadPos) {
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

void TStripFileSession::SetDisplayRunNumber(Integer Value) {
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
Integer TStripFileSession::LoadFromBlockBuffer(const TSeriesBuffers& Dest, Integer At, Integer Wanted,
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
Integer TStripFileSession::FileLoad(TStream* Stream, const TSeriesBuffers& Dest, Integer FirstIndex, Integer LastIndex,
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

}  // namespace quellix::StrpChrtInt
