/// The measuring crosses of the strip chart recorder and the zoom
/// rectangle, drawn in XOR over the picture.
/// \file
#pragma once

#include <array>
#include <functional>

#include "quellix/stripchart/StripChartMapping.h"

namespace quellix::StrpChrtInt {

/// The measuring cross moved onto a sample: X its pixel column, Y its value.
using TNotifyCrossMove = std::function<void(TObject* Sender, Single X, Single Y, Integer Series, Integer Index)>;
/// The two crosses of the calculate mode: their series, times and values.
using TNotifyCalculateStrip = std::function<void(TObject* Sender, Integer Serie1, Integer Serie2, Double Value1X,
                                                 Double Value2X, Double Value1Y, Double Value2Y)>;

class TStripChartCrosses : public TStripChartMapping {
public:
  using TStripChartMapping::TStripChartMapping;

  /// The three crosses: 0 the measure cross, 1 and 2 those of the calculate
  /// mode.
  enum TCrossKind { crMeasure = 0, crFirst = 1, crSecond = 2 };
  struct TCross {
    bool Shown = false;     ///< placed and to be kept on the screen
    TColor Color = 0;       ///< colour of its series
    Double Time = 0;
    Double Value = 0;
    Integer Series = 0;     ///< 1..8
    Integer Index = 0;      ///< buffer index
    Integer X = 0, Y = 0;   ///< pixel position
  };
  const TCross& Cross(TCrossKind Kind) const { return FCrosses[Kind]; }
  /// Places cross Kind on the sample under (X, Y) and reports it.
  void PlaceCross(TCrossKind Kind, Integer X, Integer Y);

  TNotifyCrossMove OnCrossMove;
  TNotifyCalculateStrip OnCalculate;

protected:
  /// The zoom rectangle of the zoom mode: whether it is showing, and an XOR
  /// draw that erases it when drawn a second time.
  virtual bool ZoomRectShowing() const { return FZoomRectShowing; }
  virtual void DrawZoomRect();
  /// The crosses in XOR: EraseCrosses takes every cross off the screen,
  /// DrawCrosses puts every shown one on it at its current position.
  /// A fresh paint has none on the screen (ForgetCrossesOnScreen).
  void EraseCrosses();
  void DrawCrosses();
  void ForgetCrossesOnScreen();
  /// Recomputes the pixel positions of the shown crosses from their times
  /// and values (x 0 when the time has left the window).
  void UpdateCrossPositions();
  /// The zoom rectangle as the zoom mode drags it.
  TRect FZoomRect;
  bool FZoomRectShowing = false;
  void HideCrosses() override;
  struct TCrossOnScreen {
    bool Drawn = false;
    TColor Color = 0;
    Integer X = 0, Y = 0;
  };
  void XorCross(const TCrossOnScreen& C);
  void EraseCross(TCrossKind Kind);
  void DrawCross(TCrossKind Kind);
  // Reports a placed cross (events, value bar).
  virtual void ReportCross(TCrossKind Kind) = 0;
  std::array<TCross, 3> FCrosses;
  std::array<TCrossOnScreen, 3> FCrossesOnScreen;
};

}  ///< namespace quellix::StrpChrtInt
