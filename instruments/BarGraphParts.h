/// The parts TBarGraphInt (BarGraph.h) is composed of: TBarGraphModel
/// (identification, geometry, value, ranges) and on top of it TBarGraphView
/// (colours, picture, scale, track geometry, painting and the value
/// redraw). The component adds the published properties and streaming.
/// \file
#pragma once

#include <QString>
#include <memory>

#include "quellix/instruments/LinearScale.h"
#include "quellix/host/Controls.h"

namespace quellix::bargraphint {
Q_NAMESPACE

using LinearScale::TScrollBarKind;
using LinearScale::sbHorizontal;
using LinearScale::sbVertical;

enum TLabelingStyle { lbsNone, lbsLines, lbsLabels, lbsBoth, lbsSymmetric };
Q_ENUM_NS(TLabelingStyle)

/// Side of the scale: lboLeft and lboAbove the near side (left or top edge),
/// lboRight and lboBelow the far side.
enum TLabelingOrientation { lboLeft, lboRight, lboAbove, lboBelow };
Q_ENUM_NS(TLabelingOrientation)
class TBarGraphModel : public TGraphicControl, public LinearScale::TRangeProperties {
public:
  explicit TBarGraphModel(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr)
      : TGraphicControl(AOwner, AParent), TRangeProperties(clBlack) {}

  // --- identification (fixed texts) ---
  QUELLIX_FIXED_IDENTIFICATION("V2.50")

  // --- geometry properties ---
  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  Integer BarWidth() const { return FBarWidth; }
  void SetBarWidth(Integer Value);
  Integer OffsetLower() const { return FOffsetLower; }
  void SetOffsetLower(Integer Value);
  Integer OffsetUpper() const { return FOffsetUpper; }
  void SetOffsetUpper(Integer Value);

  // --- value ---
  Double Value() const { return FValue; }
  /// Clamps into [ValueMin, ValueMax]; on a change stores and redraws the
  /// strip between the old and the new level. No event.
  void SetValue(Double Value);
  Double ValueMin() const { return FValueMin; }
  void SetValueMin(Double Value);
  Double ValueMax() const { return FValueMax; }
  void SetValueMax(Double Value);

  // --- geometry, shared by drawing and the value redraw ---
  bool Vertical() const { return FKind == sbVertical; }
  Integer AlongExtent() const { return Vertical() ? Height() : Width(); }
  Integer CrossExtent() const { return Vertical() ? Width() : Height(); }

protected:
  Double SpanMin() const override { return FValueMin; }
  Double SpanMax() const override { return FValueMax; }
  void RangesChanged() override { Invalidate(); }

  TScrollBarKind FKind = sbVertical;
  Integer FBevelWidth = 1;
  Integer FBarWidth = 10;
  Integer FOffsetLower = 8;
  Integer FOffsetUpper = 8;
  Double FValue = 0.0;
  Double FDrawnValue = 0.0;   // the value on the surface while a change waits
  bool FValuePending = false;
  Double FValueMin = 0.0;
  Double FValueMax = 100.0;
};

class TBarGraphView : public TBarGraphModel {
public:
  using TBarGraphModel::TBarGraphModel;

  // --- colours, picture ---
  TColor BarColor() const { return FBarColor; }
  void SetBarColor(TColor Value);
  TColor BevelColor1() const { return FBevelColor1; }
  void SetBevelColor1(TColor Value);
  TColor BevelColor2() const { return FBevelColor2; }
  void SetBevelColor2(TColor Value);
  const TPicture& PictureBackground() const { return *FPictureBackground; }
  void SetPictureBackground(const TPicture& Value);

  // --- scale ---
  TLabelingStyle LabelingStyle() const { return FLabelingStyle; }
  void SetLabelingStyle(TLabelingStyle Value);
  TLabelingOrientation LabelingOrientation() const { return FLabelingOrientation; }
  void SetLabelingOrientation(TLabelingOrientation Value);
  Double LabelingGap() const { return FLabelingGap; }
  void SetLabelingGap(Double Value);
  Integer LabelingDecimals() const { return FLabelingDecimals; }
  void SetLabelingDecimals(Integer Value);
  TFont& LabelingFont() { return FLabelingFont; }
  TFont* LabelingFontPtr() { return &FLabelingFont; }
  void SetLabelingFont(const TFont& Value);
  void SetLabelingFont(TFont* Value) { if (Value) SetLabelingFont(*Value); }

  /// The track rectangle, frame included.
  TRect TrackRect() const;
  /// The track inside its frame.
  TRect InnerTrack() const;
  /// Pixels from the inner low end to the level of V, limited to the track.
  Integer LevelOf(Double V) const;

  /// The scale as the next paint lays it out (ticks, labels and their
  /// positions), measured with LabelingFont; not valid with lbsNone.
  LinearScale::TScaleLayout ScaleLayout();
  void Paint() override;

protected:
  // A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;
  LinearScale::TScaleSetup ScaleSetup() const;

  // Drawing pieces, in the order the picture is composed.
  void DrawBackground(TCanvas& Cv);
  void DrawTrack(TCanvas& Cv);
  void DrawFill(TCanvas& Cv);
  void DrawScale(TCanvas& Cv);
  // The value redraw: the strip between two levels.
  void RedrawLevels(Double OldValue, Double NewValue);

  TColor FBarColor = clBtnFace;
  TColor FBevelColor1 = clBtnHighlight;
  TColor FBevelColor2 = clBtnShadow;
  std::unique_ptr<TPicture> FPictureBackground = std::make_unique<TPicture>();
  TLabelingStyle FLabelingStyle = lbsNone;
  TLabelingOrientation FLabelingOrientation = lboLeft;
  Double FLabelingGap = 5.0;
  Integer FLabelingDecimals = 1;
  TFont FLabelingFont;

  TRect FTrackRect;  // as last drawn
};

}  ///< namespace quellix::bargraphint
