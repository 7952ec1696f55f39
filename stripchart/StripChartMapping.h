/// The mapping of the strip chart recorder: the value range and the value
/// axis, the time axis and its labels, the automatic value range and the
/// sample under a mouse position.
/// \file
#pragma once

#include <QString>
#include <vector>

#include "quellix/stripchart/StripChartLook.h"

namespace quellix::StrpChrtInt {

class TStripChartMapping : public TStripChartLook {
public:
  using TStripChartLook::TStripChartLook;

  Single ViewYMin() const { return FViewYMin; }
  void SetViewYMin(Single Value);
  Single ViewYMax() const { return FViewYMax; }
  void SetViewYMax(Single Value);
  Single ViewYGap() const { return FViewYGap; }
  void SetViewYGap(Single Value);
  Integer ViewYDecimals() const { return FViewYDecimals; }
  void SetViewYDecimals(Integer Value);
  Double ViewXGap() const { return FViewXGap; }
  void SetViewXGap(Double Value);
  bool ShowCross() const { return FShowCross; }
  void SetShowCross(bool Value);

  // --- Drawing geometry, shared by painting, the mouse modes and tests ----
  // A value row or label of the value axis.
  struct TValueMark {
    Extended Value = 0;
    Integer Row = 0;
    QString Text;   ///< labels only
  };
  struct TValueAxis {
    std::vector<TValueMark> Grid;     ///< at most 999 rows
    std::vector<TValueMark> Labels;
  };
  /// The time-axis layout: first grid time, unit class, label step.
  struct TTimeAxis {
    Extended FirstGridTime = 0;
    Integer UnitClass = 0;
    Integer LabelStep = 1;
  };
  /// False when the view range cannot be drawn (the red error display).
  bool ViewRangeValid() const;
  /// Pixel row of a value: linear Trunc(c0 + c1 v) with ViewYMin on
  /// Bottom and ViewYMax on Top, or logarithmic; limited to -30000..30000.
  Integer ValueToRow(Single Value) const;
  /// The value grid and labels as the paint draws them; a ViewYGap that
  /// would put more grid lines than pixel rows is enlarged first.
  /// The grid rows alone (the labels left empty) when WithLabels is false.
  TValueAxis LayoutValueAxis(bool WithLabels = true);
  const TTimeAxis& TimeAxis() const { return FTimeAxis; }
  /// Number pattern of the linear value labels for a range.
  static QString ValueLabelFormat(Single YMin, Single YMax, Integer Decimals);
  /// Unit class of a window span of Samples x Increment seconds, its
  /// caption unit and the sample string that spaces the labels.
  static Integer TimeUnitClass(Integer Samples, Extended Increment);
  static QString TimeUnitCaption(Integer UnitClass);
  static QString TimeUnitSample(Integer UnitClass);
  /// Text of a time-axis label at Time seconds in a unit class.
  static QString TimeLabelText(Integer UnitClass, Extended Time);
  /// Calendar date and time of the window end for the caption.
  static QString TimeCaptionText(Extended Time);

  bool AutoScale() const { return FAutoScale; }
  void SetAutoScale(bool Value);
  /// The sample under a mouse position: the buffer index whose column is
  /// the last one not right of X, and among the visible series with data
  /// the one whose sample there lies closest to the value of row Y (the
  /// first on equal distance). Series -1 when there is none.
  struct TSampleHit {
    Integer Series = -1;
    Integer Index = 0;
    Double Value = 0;
    Integer X = 0;
  };
  TSampleHit FindSample(Integer X, Integer Y) const;
  /// The value of pixel row Y on the value axis.
  Double RowToValue(Integer Y) const;
  /// Adapts the value range to the samples of the window once (the
  /// AutoScale algorithm); true when the range changed.
  bool CaptureRange();

protected:
  void LayoutTimeAxis() override;
  void PreviewRange(Single& YMin, Single& YMax) const override {
    YMin = FViewYMin;
    YMax = FViewYMax;
  }
  bool AdaptRange(bool Invalidate) override;
  struct TValueMap;
  TValueMap MakeValueMap() const;
  // Buffer indices From..To that carry a line of the time grid.
  std::vector<Integer> TimeGridIndices(Integer From, Integer To) const;
  // Rows of the time-axis label strip below the plot, and of the caption.
  TRect LabelStrip();
  TRect CaptionStrip();
  // The text heights of FontXAxis and FontYAxis.
  Integer XAxisTextHeight();
  Integer YAxisTextHeight();

  Single FViewYMin = 0, FViewYMax = 10, FViewYGap = 2;
  Integer FViewYDecimals = 2;
  Double FViewXGap = 1.0;
  bool FShowCross = true;
  TTimeAxis FTimeAxis;
};

}  ///< namespace quellix::StrpChrtInt
