/// The view of the histograph: the range check, the axes, the curves, the
/// painting and the overlays drawn in XOR over the finished picture.
/// \file
#pragma once

#include <array>
#include <vector>

#include "quellix/histograph/HistographTitles.h"

namespace quellix::HistoInt {

class THistoView : public THistoTitles {
public:
  using THistoTitles::THistoTitles;

  void UpdatePlot() override;
  /// Places cross I (0, 1 calculation; 2 measuring) on the curve point
  /// nearest to the mouse position, erasing the old one first when asked.
  /// Returns false (and does nothing) when no series has data.
  virtual bool PlaceCross(Integer I, Integer Mx, Integer My, bool EraseFirst) = 0;

  /// The range error the paint would report instead of the plot, or an
  /// empty text when the view ranges are consistent.
  QString RangeError() const;
  /// The labels and grid lines of the axes as the paint draws them. Laying
  /// out a linear axis stores a wider grid gap when the set one would put
  /// more than one grid line on every two pixels.
  TAxisLayout LayoutYAxis() { return LayoutYAxis(Canvas()); }
  TAxisLayout LayoutXAxis() { return LayoutXAxis(Canvas()); }
  /// The pixel points of series Serie's curve for a paint limited to Clip
  /// (only the visible samples plus one on each side).
  std::vector<TPoint> CurvePoints(Integer Serie, const TRect& Clip);
  std::vector<TPoint> CurvePoints(Integer Serie) { return CurvePoints(Serie, ClientRect()); }
  /// The logarithmic mappings of values to pixels (rows, columns).
  Integer LogYPixel(Extended V) const;
  Integer LogXPixel(Extended V) const;
  /// Capacity of the shared point buffer.
  std::size_t PointBufferCapacity() const { return FPoints.size(); }

  void Paint() override;

protected:
  void DrawPending() override;

  // --- overlays drawn in XOR over the finished picture ---
  // The crosses and the zoom rubber rectangle belong to the mouse modes;
  // the engine keeps them on the screen across repaints: a paint draws the
  // visible crosses after the picture (never after a range error), and
  // UpdatePlot takes the rubber rectangle off before it redraws the plot
  // and puts it back afterwards.
  void DrawCross(const TCross& Cross);
  void DrawZoomRubber();
  std::array<TCross, 3> FCrosses;
  TRect FZoomRubber;
  bool FZoomRubberOnScreen = false;

  // Drawing pieces, in the order the picture is composed.
  void DrawRangeError(const QString& Text, Integer X, Integer Y);
  void DrawPicture(TCanvas& Cv, const TRect& Clip);
  void DrawMargins(TCanvas& Cv, const TRect& Clip);
  void DrawFrames(TCanvas& Cv);
  void DrawTitles(TCanvas& Cv);
  void DrawAxis(TCanvas& Cv, const TAxisLayout& Axis, bool IsY);
  void DrawCurves(TCanvas& Cv, const TRect& Clip);
  Integer BuildCurve(Integer Serie, const TRect& Clip);
  TAxisLayout LayoutYAxis(TCanvas& Cv);
  TAxisLayout LayoutXAxis(TCanvas& Cv);
  TAxisLayout LayoutLinearAxis(TCanvas& Cv, bool IsY);
  TAxisLayout LayoutLogAxis(TCanvas& Cv, bool IsY);

  // UpdatePlot calls not drawn yet; one of them moved the range.
  bool FPlotPending = false;
  bool FRangePending = false;
};

}  ///< namespace quellix::HistoInt
