/// The view of the strip chart recorder: painting the picture, scrolling
/// it as samples arrive, and the marks of the remarks.
/// \file
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "quellix/stripchart/StripChartCrosses.h"

namespace quellix::StrpChrtInt {

class TStripChartView : public TStripChartCrosses {
public:
  using TStripChartCrosses::TStripChartCrosses;

  bool ReduceFlicker() const { return FReduceFlicker; }
  void SetReduceFlicker(bool Value);

  void Paint() override;

protected:
  void InvalidatePlot() override;
  void InvalidateRemarkMarks(std::initializer_list<std::int64_t> FilePositions) override;
  /// The rectangle of a remark's mark, without its pen; empty when the mark
  /// is not drawn.
  TRect RemarkMarkRect(const TRemarkIndexEntry& Entry) const;
  /// Scroll the plot left by the pixels that Samples new samples take and
  /// draw only the uncovered strip. The drawing is deferred (DrawPending):
  /// the scrolls of all appends of one frame are drawn as one.
  void ScrollBy(Integer Samples) override;
  void DrawPending() override;
  /// Draws the marks of the run's remarks over the traces, clipped to the
  /// plot.
  virtual void DrawRemarkMarks(TCanvas& Cv);
  void DrawRangeError();
  void DrawFrame(TCanvas& Cv, const TRect& Clip);
  void DrawTitles(TCanvas& Cv);
  void DrawGridAndTraces(TCanvas& Cv);
  void DrawValueLabels(TCanvas& Cv);
  void DrawTimeLabels(TCanvas& Cv);
  // The move of the picture by the samples appended since the last one,
  // and the paint of the uncovered strip.
  void DrawScroll(Integer Samples);
  // The pixels the picture moves for Samples appended samples, or -1 when
  // it cannot move and is painted anew.
  Integer ScrollDistance(Integer Samples);
  // Whether a moved picture equals a new one: not with a dashed pen on
  // what moves across the pattern (the traces, the value grid).
  bool ScrollKeepsPicture() const;

  bool FReduceFlicker = false;
  std::unique_ptr<TBitmap> FBitmap;
  TSize FPaintedSize{-1, -1};   // client size of the last paint
  bool FFullRedraw = false;
  Integer FPendingScroll = 0;   // samples appended and not scrolled in yet
  std::vector<Integer> FGridColumns;  // x of the time grid lines being drawn
  std::vector<Integer> FRows;         // rows of the trace being drawn
};

}  ///< namespace quellix::StrpChrtInt
