/// The data of the histograph: the series slots, the view ranges, the
/// automatic Y range, the logarithmic mappings of the plot and the
/// built-in timer.
/// \file
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "quellix/histograph/HistographSignals.h"

namespace quellix::HistoInt {

class THistoData : public THistoSignals {
public:
  using THistoSignals::THistoSignals;

  // --- data ---
  // Shows Count values of series Serie (dtData: the caller's array, not
  // copied; reference series: a copy). Redraws the plot area at once.
  void SetData(const Single* Data, Integer Count, Integer Serie);
  /// Shows Count X/Y pairs (2 * Count Singles) of series Serie (dtDataXY:
  /// the caller's array; reference series: a copy of the pairs).
  void SetDataXY(const Single* Data, Integer Count, Integer Serie);
  /// Copies up to MaxCount Singles of series Serie into Dest; returns how
  /// many (for an XY series the first Singles of the pair array).
  Integer GetData(Single* Dest, Integer MaxCount, Integer Serie) const;
  /// Adapts the Y range to the data; true when it changed the range.
  bool CalcAutoScale();
  /// Redraws the plot rectangle (everything when AutoScale moved the
  /// range). The range adapts at once; the drawing is deferred to the next
  /// frame (DrawPending), so that many calls in one frame draw once.
  virtual void UpdatePlot() = 0;

  /// The slot of series Serie (1..8). Read access for the mouse modes,
  /// dialogs and the measure sink.
  const THistoSeries& Series(Integer Serie) const { return FSeries.at(Serie - 1); }

  Integer SeriesNumber() const { return FSeriesNumber; }
  void SetSeriesNumber(Integer Value);
  Integer SeriesCurrent() const { return FSeriesCurrent; }
  void SetSeriesCurrent(Integer Value);
  TColor SeriesColor() const { return CurrentSlot().Color; }
  void SetSeriesColor(TColor Value);
  TPenStyle SeriesLineStyle() const { return CurrentSlot().LineStyle; }
  void SetSeriesLineStyle(TPenStyle Value);
  TDataKind SeriesStyle() const { return CurrentSlot().Style; }
  void SetSeriesStyle(TDataKind Value);
  int SeriesLineStyleInt() const { return SeriesLineStyle(); }
  void SetSeriesLineStyleInt(int Value);

  // --- view ranges ---
  Single ViewYMin() const { return FViewYMin; }
  void SetViewYMin(Single Value);
  Single ViewYMax() const { return FViewYMax; }
  void SetViewYMax(Single Value);
  Single ViewYGap() const { return FViewYGap; }
  void SetViewYGap(Single Value);
  Integer ViewYDecimals() const { return FViewYDecimals; }
  void SetViewYDecimals(Integer Value);
  Single ViewXNominalMin() const { return FViewXNominalMin; }
  void SetViewXNominalMin(Single Value);
  Single ViewXNominalMax() const { return FViewXNominalMax; }
  void SetViewXNominalMax(Single Value);
  Single ViewXCurrentMin() const { return FViewXCurrentMin; }
  void SetViewXCurrentMin(Single Value);
  Single ViewXCurrentMax() const { return FViewXCurrentMax; }
  void SetViewXCurrentMax(Single Value);
  Single ViewXGap() const { return FViewXGap; }
  void SetViewXGap(Single Value);
  Integer ViewXDecimals() const { return FViewXDecimals; }
  void SetViewXDecimals(Integer Value);
  bool AutoScale() const { return FAutoScale; }
  void SetAutoScale(bool Value);

  // --- timer ---
  Integer TimerInterval() const;
  void SetTimerInterval(Integer Value);
  bool TimerEnabled() const;
  void SetTimerEnabled(bool Value);
  /// The built-in timer (tests drive it with Tick).
  TTimer& Timer() { return *FTimer; }

  // The plot rectangle as its four edges: L = GapLeft, T = GapTop,
  // R = Width - GapRight, B = Height - GapBottom (R and B are drawn on).
  TRect PlotRect() const;

  TNotifyEvent OnTimer;

protected:
  void Resize() override;
  /// Mutable access to a slot (reference editing).
  THistoSeries& Slot(Integer Serie) { return FSeries.at(Serie - 1); }
  const THistoSeries& CurrentSlot() const { return FSeries.at(FSeriesCurrent - 1); }
  bool CurrentSlotEditable() const { return FSeriesCurrent >= 1 && FSeriesCurrent <= FSeriesNumber; }
  bool LogX() const { return FGridScale == sclLogLin || FGridScale == sclLogLog; }
  bool LogY() const { return FGridScale == sclLinLog || FGridScale == sclLogLog; }
  void StoreSeries(const Single* Data, Integer Count, Integer Serie, bool XY);
  void GrowPointBuffer();
  void CalcLogY();
  void CalcLogX();
  void FixLogXRange();
  void MakeSampleCurves(Integer OnlySlot = 0);

  std::array<THistoSeries, MaxSeries> FSeries;
  Integer FSeriesNumber = 1;
  Integer FSeriesCurrent = 1;
  std::vector<TPoint> FPoints;  // shared point buffer, grown, never shrunk

  Single FViewYMin = 0, FViewYMax = 10, FViewYGap = 2;
  Single FViewXNominalMin = 0, FViewXNominalMax = 10;
  Single FViewXCurrentMin = 0, FViewXCurrentMax = 10, FViewXGap = 2;
  Integer FViewYDecimals = 2, FViewXDecimals = 2;
  bool FAutoScale = false;

  std::unique_ptr<TTimer> FTimer = std::make_unique<TTimer>(nullptr);
  TGrdScale FGridScale = sclLinLin;
  Integer FGapRight = 40, FGapLeft = 70, FGapTop = 40, FGapBottom = 60;
  // Logarithmic mappings: pixel = Trunc(o + f * ln v), and the control
  // size they were last computed for.
  Extended FLogOY = 0, FLogFY = 1, FLogOX = 0, FLogFX = 1;
  TSize FLastSize{-1, -1};
};

}  ///< namespace quellix::HistoInt
