/// TBarGraphInt: a level bar. A sunken track fills from its low end up to
/// the value, each part of the filled bar in the colour of the value range
/// (up to 16) it lies in, with an optional background picture and an
/// optional scale of ticks and labels. The display counterpart of the
/// slider: the same ranges, offsets and scale. A value change redraws only
/// the strip between the old and the new level.
/// \file
/// The measure sink TBarGraph derives from it and sets Value (and, when it
/// configures itself, ValueMin and ValueMax).
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

class TBarGraphInt : public TGraphicControl {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "60,233")
  Q_CLASSINFO("MinimumSize", "24,60")
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(quellix::LinearScale::TScrollBarKind Kind READ Kind WRITE SetKind NOTIFY KindChanged)
  Q_CLASSINFO("default:Kind", "sbVertical")
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth NOTIFY BevelWidthChanged)
  Q_CLASSINFO("default:BevelWidth", "1")
  Q_PROPERTY(int BarWidth READ BarWidth WRITE SetBarWidth NOTIFY BarWidthChanged)
  Q_CLASSINFO("default:BarWidth", "10")
  Q_PROPERTY(int OffsetLower READ OffsetLower WRITE SetOffsetLower NOTIFY OffsetLowerChanged)
  Q_CLASSINFO("default:OffsetLower", "8")
  Q_PROPERTY(int OffsetUpper READ OffsetUpper WRITE SetOffsetUpper NOTIFY OffsetUpperChanged)
  Q_CLASSINFO("default:OffsetUpper", "8")
  Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY ValueChanged)
  Q_CLASSINFO("default:Value", "0")
  Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin NOTIFY ValueMinChanged)
  Q_CLASSINFO("default:ValueMin", "0")
  Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax NOTIFY ValueMaxChanged)
  Q_CLASSINFO("default:ValueMax", "100")
  Q_PROPERTY(int RangeNumber READ RangeNumber WRITE SetRangeNumber NOTIFY RangeNumberChanged)
  Q_CLASSINFO("default:RangeNumber", "1")
  Q_PROPERTY(int RangeCurrent READ RangeCurrent WRITE SetRangeCurrent NOTIFY RangeCurrentChanged)
  Q_CLASSINFO("default:RangeCurrent", "1")
  Q_PROPERTY(double RangeLimit READ RangeLimit WRITE SetRangeLimit NOTIFY RangeLimitChanged)
  Q_CLASSINFO("default:RangeLimit", "100")
  QUELLIX_COLOR_PROPERTY(RangeColor)
  Q_CLASSINFO("default:RangeColor", "0")
  QUELLIX_COLOR_PROPERTY(BarColor)
  Q_CLASSINFO("default:BarColor", "-2147483633")
  Q_PROPERTY(int BevelColor1 READ BevelColor1 WRITE SetBevelColor1 NOTIFY BevelColor1Changed)
  Q_CLASSINFO("default:BevelColor1", "-2147483628")
  Q_PROPERTY(int BevelColor2 READ BevelColor2 WRITE SetBevelColor2 NOTIFY BevelColor2Changed)
  Q_CLASSINFO("default:BevelColor2", "-2147483632")
  Q_PROPERTY(quellix::bargraphint::TLabelingStyle LabelingStyle READ LabelingStyle WRITE SetLabelingStyle NOTIFY LabelingStyleChanged)
  Q_CLASSINFO("default:LabelingStyle", "lbsNone")
  Q_PROPERTY(quellix::bargraphint::TLabelingOrientation LabelingOrientation READ LabelingOrientation WRITE SetLabelingOrientation NOTIFY LabelingOrientationChanged)
  Q_CLASSINFO("default:LabelingOrientation", "lboLeft")
  Q_PROPERTY(double LabelingGap READ LabelingGap WRITE SetLabelingGap NOTIFY LabelingGapChanged)
  Q_CLASSINFO("default:LabelingGap", "5")
  Q_PROPERTY(int LabelingDecimals READ LabelingDecimals WRITE SetLabelingDecimals NOTIFY LabelingDecimalsChanged)
  Q_CLASSINFO("default:LabelingDecimals", "1")
  Q_PROPERTY(quellix::TFont* LabelingFont READ LabelingFontPtr WRITE SetLabelingFont NOTIFY LabelingFontChanged)

Q_SIGNALS:
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void KindChanged(quellix::LinearScale::TScrollBarKind Value);
  void BevelWidthChanged(int Value);
  void BarWidthChanged(int Value);
  void OffsetLowerChanged(int Value);
  void OffsetUpperChanged(int Value);
  void ValueChanged(double Value);
  void ValueMinChanged(double Value);
  void ValueMaxChanged(double Value);
  void RangeNumberChanged(int Value);
  void RangeCurrentChanged(int Value);
  void RangeLimitChanged(double Value);
  void BevelColor1Changed(int Value);
  void BevelColor2Changed(int Value);
  void LabelingStyleChanged(quellix::bargraphint::TLabelingStyle Value);
  void LabelingOrientationChanged(quellix::bargraphint::TLabelingOrientation Value);
  void LabelingGapChanged(double Value);
  void LabelingDecimalsChanged(int Value);
  void LabelingFontChanged(quellix::TFont* Value);

public:
  explicit TBarGraphInt(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TBarGraphInt() override;

  // --- identification (fixed texts) ---
  QString Version() const { return QStringLiteral("V2.50"); }
  void SetVersion(const QString&) {}
  QString Copyright() const { return TComponentCore::LibraryCopyright(); }
  void SetCopyright(const QString&) {}

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

  // --- ranges ---
  Integer RangeNumber() const { return FRanges.Number; }
  void SetRangeNumber(Integer Value);
  Integer RangeCurrent() const { return FRanges.Current; }
  void SetRangeCurrent(Integer Value);
  Double RangeLimit() const { return FRanges.CurrentRange().Limit; }
  void SetRangeLimit(Double Value);
  TColor RangeColor() const { return FRanges.CurrentRange().Color; }
  void SetRangeColor(TColor Value);
  const LinearScale::TValueRanges& Ranges() const { return FRanges; }

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

  // --- geometry, shared by drawing and the value redraw ---
  bool Vertical() const { return FKind == sbVertical; }
  Integer AlongExtent() const { return Vertical() ? Height() : Width(); }
  Integer CrossExtent() const { return Vertical() ? Width() : Height(); }
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
  /// "Range": ((Color, Limit, ...), Value, ValueMin, ValueMax, LabelingGap).
  void DefineProperties(TFiler& Filer) override;

protected:
  // A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;

private:
  void ReadRange(TReader& R);
  void WriteRange(TWriter& W) const;
  LinearScale::TScaleSetup ScaleSetup() const;

  // Drawing pieces, in the order the picture is composed.
  void DrawBackground(TCanvas& Cv);
  void DrawTrack(TCanvas& Cv);
  void DrawFill(TCanvas& Cv);
  void DrawScale(TCanvas& Cv);
  // The value redraw: the strip between two levels.
  void RedrawLevels(Double OldValue, Double NewValue);

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
  LinearScale::TValueRanges FRanges{clBlack, 100.0};
  TColor FBarColor = clBtnFace;
  TColor FBevelColor1 = clBtnHighlight;
  TColor FBevelColor2 = clBtnShadow;
  std::unique_ptr<TPicture> FPictureBackground;
  TLabelingStyle FLabelingStyle = lbsNone;
  TLabelingOrientation FLabelingOrientation = lboLeft;
  Double FLabelingGap = 5.0;
  Integer FLabelingDecimals = 1;
  TFont FLabelingFont;

  TRect FTrackRect;  // as last drawn
};

}  ///< namespace quellix::bargraphint
