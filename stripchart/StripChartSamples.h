/// The sample ring of the strip chart recorder: the series slots, the
/// linear sample buffer with its window, the time base the buffer is read
/// in, the range watch and the margins of the plot.
/// \file
/// Buffer indices run from 1 to SampleCount(), oldest first; index 0 of
/// every array is unused so that the indices read as in the algorithms.
/// Buffer index i holds the absolute sample number (i - 1) + SampleBase()
/// of the run shown, at time DisplayStartTime + DisplayTimeIncrement x that
/// number.
#pragma once

#include <QString>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "quellix/stripchart/StripChartSignals.h"

namespace quellix::StrpChrtInt {

using TStripRangeCheck =
    std::function<void(TObject* Sender, Double Time, Single Value, Integer Series, TStripRange Range)>;

/// An error of the component that arose inside one of its own event
/// handlers (a remark click, a jog shuttle move, a tool window), where no
/// caller can catch it.
using TNotifyError = std::function<void(TObject* Sender, const Exception& E)>;

class TStripSampleRing : public TStripChartSignals {
public:
  using TStripChartSignals::TStripChartSignals;

  // --- Series -------------------------------------------------------------
  Integer SeriesNumber() const { return FSeriesNumber; }
  void SetSeriesNumber(Integer Value);
  Integer SeriesCurrent() const { return FSeriesCurrent; }
  void SetSeriesCurrent(Integer Value);
  /// Per-series settings of slot SeriesCurrent; the setters do nothing when
  /// that slot is not in use, and SeriesColor then reads 0.
  TColor SeriesColor() const;
  void SetSeriesColor(TColor Value);
  TPenStyle SeriesLineStyle() const;
  void SetSeriesLineStyle(TPenStyle Value);
  bool SeriesVisible() const;
  void SetSeriesVisible(bool Value);
  int SeriesLineStyleInt() const { return SeriesLineStyle(); }
  void SetSeriesLineStyleInt(int Value) {
    const TChangeScope Changes;
    if (TPenStyle Style; PenStyleFromOrdinal(Value, Style)) SetSeriesLineStyle(Style);
  }

  // --- Sample window ------------------------------------------------------
  Integer SamplesPerBuffer() const { return FSamplesPerBuffer; }
  /// Accepts 0 < Value < 200000000 and Value >= SamplesPerWindow.
  void SetSamplesPerBuffer(Integer Value);
  Integer SamplesPerWindow() const { return FSamplesPerWindow; }

  // --- Time base (set by the file session) ----------------------------------
  Double LogStartTime() const { return FLogStartTime; }
  Double LogTimeIncrement() const { return FLogTimeIncrement; }
  Extended LogTimeLast() const { return FLogTimeLast; }
  Extended DisplayStartTime() const { return FDisplayStartTime; }
  Extended DisplayTimeIncrement() const { return FDisplayTimeIncrement; }
  Extended DisplayTimeLast() const { return FDisplayTimeLast; }
  /// Time of the newest buffered sample (buffer index SampleCount()).
  Double WindowEndTime() const { return static_cast<Double>(BufferIndexTime(FCount)); }
  /// Time of buffer index i.
  Extended BufferIndexTime(Integer Index) const {
    return FDisplayStartTime + FDisplayTimeIncrement * ((Index - 1) + FSampleBase);
  }

  // --- Range watch --------------------------------------------------------
  Single RangeLower() const { return FRangeLower; }
  /// The limits take finite numbers only.
  void SetRangeLower(Single Value) {
    const TChangeScope Changes;
    if (std::isfinite(Value)) FRangeLower = Value;
  }
  Single RangeUpper() const { return FRangeUpper; }
  void SetRangeUpper(Single Value) {
    const TChangeScope Changes;
    if (std::isfinite(Value)) FRangeUpper = Value;
  }

  // --- Margins of the plot rectangle --------------------------------------
  Integer GapLeft() const { return FGapLeft; }
  void SetGapLeft(Integer Value);
  Integer GapTop() const { return FGapTop; }
  void SetGapTop(Integer Value);
  Integer GapRight() const { return FGapRight; }
  void SetGapRight(Integer Value);
  Integer GapBottom() const { return FGapBottom; }
  void SetGapBottom(Integer Value);
  /// (GapLeft, GapTop, Width - GapRight, Height - GapBottom).
  TRect PlotRect() const;

  // --- Buffer state for drawing -------------------------------------------
  Integer SampleCount() const { return FCount; }
  Integer WindowStartOffset() const { return FWindowOffset; }
  Integer PreviousCount() const { return FPrevCount; }
  Extended SampleBase() const { return FSampleBase; }
  Single PixelCarry() const { return FCarry; }
  /// x pixel column of buffer index i (0 .. SamplesPerBuffer + 1).
  Integer XPosition(Integer Index) const { return FXPos[Index]; }
  /// Samples of series 1..8, indexed 1..SampleCount(); nullptr when the
  /// series has no array of the current buffer length.
  const Single* SeriesValues(Integer Series) const;
  /// SamplesPerWindow + 1 screen points for the traces.
  std::vector<TPoint>& Points() { return FPoints; }

  // --- Events -------------------------------------------------------------
  TStripRangeCheck OnRangeCheck;
  /// Errors met inside the component's own event handlers go here and to
  /// errorOccurred; with neither a handler nor a receiver they are shown in
  /// a message box. No error of the component leaves it into the event loop.
  TNotifyError OnError;
  void HandleError(const Exception& E);
  /// Runs Action and hands an error it raises to HandleError.
  template <class F>
  void Guarded(F&& Action) {
    try {
      Action();
    } catch (const Exception& E) {
      HandleError(E);
    }
  }

protected:
  // Repaint the whole plot.
  virtual void InvalidatePlot() = 0;
  /// Value range of the design-time preview waves.
  virtual void PreviewRange(Single& YMin, Single& YMax) const = 0;

  struct TSeriesSlot {
    TPenStyle LineStyle = psSolid;
    TColor Color = 0;
    std::vector<Single> Data;   ///< SamplesPerBuffer + 1 entries, index 0 unused
    bool Allocated = false;
    bool Visible = true;
  };

  bool SlotInUse() const { return FSeriesCurrent >= 1 && FSeriesCurrent <= FSeriesNumber; }
  // Gives the x-position array and the series in use arrays of Length
  // samples. Everything is allocated before anything is replaced: raises
  // EOutOfMemory and leaves the chart as it was when the memory is not there.
  void AllocateBuffers(Integer Length, Integer Series);
  void FillPreview();
  void ReportRange(Double Time, Single Value, Integer Series, TStripRange Range);
  void WatchRange(const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount);
  // Sets x positions of indices First..FCount and moves all so that FCount
  // sits on the right edge of the plot.
  void LayoutXPositions(Integer First);
  // Moves buffer indices From..From+Count-1 to 1..Count in every array.
  void MoveToFront(Integer From, Integer Count);

  // Series and buffer.
  Integer FSeriesNumber = 1;
  Integer FSeriesCurrent = 1;
  std::array<TSeriesSlot, kMaxSeries + 1> FSeries;   // slots 1..8
  Integer FSamplesPerBuffer = 0;
  Integer FSamplesPerWindow = 512;
  Integer FCount = 0;
  Integer FCached = 0;        // buffered samples, >= FCount after a move back
  Integer FWindowOffset = -512;
  Integer FPrevCount = 0;
  Extended FSampleBase = 0;
  std::vector<Integer> FXPos;
  Single FCarry = 0;
  std::vector<TPoint> FPoints;
  Integer FGapLeft = 70, FGapTop = 40, FGapRight = 40, FGapBottom = 60;

  // Time base.
  Double FLogStartTime = 0;
  Double FLogTimeIncrement = 1.0;
  Extended FLogTimeLast = -1.0;
  Extended FDisplayStartTime = 0;
  Extended FDisplayTimeIncrement = 1.0;
  Extended FDisplayTimeLast = 0;

  // Range watch.
  Single FRangeLower = 0, FRangeUpper = 0;
  std::array<bool, kMaxSeries + 1> FBelowReported{}, FAboveReported{};
};

}  ///< namespace quellix::StrpChrtInt
