/// TSlider: a linear fader. A sunken slot divided into up to 16 coloured
/// value ranges, a button the user drags along it, and an optional scale of
/// tick lines and labels beside it. Vertical or horizontal; the slot and
/// the button can be replaced by pictures (the button with a mask, as a
/// transparent sprite). Values are quantised to ValueStepWidth and changes
/// reported through OnValueChange. A value change redraws only the old and
/// the new button area, optionally through an off-screen bitmap. \file
#pragma once

#include <QString>
#include <memory>

#include "quellix/instruments/LinearScale.h"
#include "quellix/host/Controls.h"

namespace quellix::Slider {
Q_NAMESPACE

using LinearScale::TScrollBarKind;
using LinearScale::sbHorizontal;
using LinearScale::sbVertical;

enum TLabelingStyle { lbsNone, lbsLines, lbsLabels, lbsBoth, lbsSymmetric, lbsAsymmetric };
Q_ENUM_NS(TLabelingStyle)

/// Side of the scale: lboLeft and lboAbove the near side (left or top edge),
/// lboRight and lboBelow the far side.
enum TLabelingOrientation { lboLeft, lboRight, lboAbove, lboBelow };
Q_ENUM_NS(TLabelingOrientation)

class TSlider : public TGraphicControl {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "70,233")
  Q_CLASSINFO("MinimumSize", "30,80")
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(quellix::LinearScale::TScrollBarKind Kind READ Kind WRITE SetKind NOTIFY KindChanged)
  Q_CLASSINFO("default:Kind", "sbVertical")
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth NOTIFY BevelWidthChanged)
  Q_CLASSINFO("default:BevelWidth", "1")
  Q_PROPERTY(int SliderWidth READ SliderWidth WRITE SetSliderWidth NOTIFY SliderWidthChanged)
  Q_CLASSINFO("default:SliderWidth", "10")
  Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth NOTIFY ButtonWidthChanged)
  Q_CLASSINFO("default:ButtonWidth", "40")
  Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE SetButtonHeight NOTIFY ButtonHeightChanged)
  Q_CLASSINFO("default:ButtonHeight", "10")
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
  Q_PROPERTY(double ValueStepWidth READ ValueStepWidth WRITE SetValueStepWidth NOTIFY ValueStepWidthChanged)
  Q_CLASSINFO("default:ValueStepWidth", "0")
  Q_PROPERTY(int RangeNumber READ RangeNumber WRITE SetRangeNumber NOTIFY RangeNumberChanged)
  Q_CLASSINFO("default:RangeNumber", "1")
  Q_PROPERTY(int RangeCurrent READ RangeCurrent WRITE SetRangeCurrent NOTIFY RangeCurrentChanged)
  Q_CLASSINFO("default:RangeCurrent", "1")
  Q_PROPERTY(double RangeLimit READ RangeLimit WRITE SetRangeLimit NOTIFY RangeLimitChanged)
  Q_CLASSINFO("default:RangeLimit", "100")
  QUELLIX_COLOR_PROPERTY(RangeColor)
  Q_CLASSINFO("default:RangeColor", "-2147483633")
  Q_PROPERTY(quellix::Slider::TLabelingStyle LabelingStyle READ LabelingStyle WRITE SetLabelingStyle NOTIFY LabelingStyleChanged)
  Q_CLASSINFO("default:LabelingStyle", "lbsNone")
  Q_PROPERTY(quellix::Slider::TLabelingOrientation LabelingOrientation READ LabelingOrientation WRITE SetLabelingOrientation NOTIFY LabelingOrientationChanged)
  Q_CLASSINFO("default:LabelingOrientation", "lboLeft")
  Q_PROPERTY(double LabelingGap READ LabelingGap WRITE SetLabelingGap NOTIFY LabelingGapChanged)
  Q_CLASSINFO("default:LabelingGap", "5")
  Q_PROPERTY(int LabelingDecimals READ LabelingDecimals WRITE SetLabelingDecimals NOTIFY LabelingDecimalsChanged)
  Q_CLASSINFO("default:LabelingDecimals", "1")
  Q_PROPERTY(quellix::TFont* LabelingFont READ LabelingFontPtr WRITE SetLabelingFont NOTIFY LabelingFontChanged)
  Q_PROPERTY(int BevelColor1 READ BevelColor1 WRITE SetBevelColor1 NOTIFY BevelColor1Changed)
  Q_CLASSINFO("default:BevelColor1", "-2147483628")
  Q_PROPERTY(int BevelColor2 READ BevelColor2 WRITE SetBevelColor2 NOTIFY BevelColor2Changed)
  Q_CLASSINFO("default:BevelColor2", "-2147483632")
  QUELLIX_COLOR_PROPERTY(ButtonColor)
  Q_CLASSINFO("default:ButtonColor", "-2147483633")
  QUELLIX_COLOR_PROPERTY(ButtonBorderColor)
  Q_CLASSINFO("default:ButtonBorderColor", "-2147483633")
  Q_PROPERTY(QString ButtonCaption READ ButtonCaption WRITE SetButtonCaption NOTIFY ButtonCaptionChanged)
  Q_CLASSINFO("default:ButtonCaption", "")
  Q_PROPERTY(quellix::TFont* ButtonFont READ ButtonFontPtr WRITE SetButtonFont NOTIFY ButtonFontChanged)
  Q_PROPERTY(bool ButtonTransparent READ ButtonTransparent WRITE SetButtonTransparent NOTIFY ButtonTransparentChanged)
  Q_CLASSINFO("default:ButtonTransparent", "false")
  Q_PROPERTY(bool ReduceFlicker READ ReduceFlicker WRITE SetReduceFlicker NOTIFY ReduceFlickerChanged)
  Q_CLASSINFO("default:ReduceFlicker", "false")

Q_SIGNALS:
  // Events as signals.
  void valueChange(quellix::TObject* Sender);
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void KindChanged(quellix::LinearScale::TScrollBarKind Value);
  void BevelWidthChanged(int Value);
  void SliderWidthChanged(int Value);
  void ButtonWidthChanged(int Value);
  void ButtonHeightChanged(int Value);
  void OffsetLowerChanged(int Value);
  void OffsetUpperChanged(int Value);
  void ValueChanged(double Value);
  void ValueMinChanged(double Value);
  void ValueMaxChanged(double Value);
  void ValueStepWidthChanged(double Value);
  void RangeNumberChanged(int Value);
  void RangeCurrentChanged(int Value);
  void RangeLimitChanged(double Value);
  void LabelingStyleChanged(quellix::Slider::TLabelingStyle Value);
  void LabelingOrientationChanged(quellix::Slider::TLabelingOrientation Value);
  void LabelingGapChanged(double Value);
  void LabelingDecimalsChanged(int Value);
  void LabelingFontChanged(quellix::TFont* Value);
  void BevelColor1Changed(int Value);
  void BevelColor2Changed(int Value);
  void ButtonCaptionChanged(const QString& Value);
  void ButtonFontChanged(quellix::TFont* Value);
  void ButtonTransparentChanged(bool Value);
  void ReduceFlickerChanged(bool Value);

public:
  explicit TSlider(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TSlider() override;

  // --- identification (fixed texts) ---
  QString Version() const { return QStringLiteral("V2.11"); }
  void SetVersion(const QString&) {}
  QString Copyright() const { return TComponentCore::LibraryCopyright(); }
  void SetCopyright(const QString&) {}

  // --- geometry properties ---
  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  Integer SliderWidth() const { return FSliderWidth; }
  void SetSliderWidth(Integer Value);
  Integer ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value);
  Integer ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(Integer Value);
  Integer OffsetLower() const { return FOffsetLower; }
  void SetOffsetLower(Integer Value);
  Integer OffsetUpper() const { return FOffsetUpper; }
  void SetOffsetUpper(Integer Value);

  // --- value ---
  Double Value() const { return FValue; }
  /// Quantises to ValueStepWidth, clamps into [ValueMin, ValueMax], and on
  /// a change stores, fires OnValueChange and redraws the button.
  void SetValue(Double Value);
  Double ValueMin() const { return FValueMin; }
  void SetValueMin(Double Value);
  Double ValueMax() const { return FValueMax; }
  void SetValueMax(Double Value);
  Double ValueStepWidth() const { return FValueStepWidth; }
  void SetValueStepWidth(Double Value);

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

  // --- colours, caption, pictures ---
  TColor BevelColor1() const { return FBevelColor1; }
  void SetBevelColor1(TColor Value);
  TColor BevelColor2() const { return FBevelColor2; }
  void SetBevelColor2(TColor Value);
  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value);
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value);
  QString ButtonCaption() const { return FButtonCaption; }
  void SetButtonCaption(const QString& Value);
  TFont& ButtonFont() { return FButtonFont; }
  TFont* ButtonFontPtr() { return &FButtonFont; }
  void SetButtonFont(const TFont& Value);
  void SetButtonFont(TFont* Value) { if (Value) SetButtonFont(*Value); }
  bool ButtonTransparent() const { return FButtonTransparent; }
  void SetButtonTransparent(bool Value);
  const TPicture& PictureSlide() const { return *FPictureSlide; }
  void SetPictureSlide(const TPicture& Value);
  const TPicture& PictureButton() const { return *FPictureButton; }
  void SetPictureButton(const TPicture& Value);
  const TPicture& PictureMask() const { return *FPictureMask; }
  void SetPictureMask(const TPicture& Value);
  bool ReduceFlicker() const { return FReduceFlicker; }
  void SetReduceFlicker(bool Value);
  /// The off-screen bitmap; exists only while ReduceFlicker is set.
  TBitmap* Bitmap() const { return FBitmap.get(); }

  TNotifyEvent OnValueChange;

  // --- geometry, shared by drawing and mouse hit-testing ---
  bool Vertical() const { return FKind == sbVertical; }
  /// Extent along the track (L) and across it (C).
  Integer AlongExtent() const { return Vertical() ? Height() : Width(); }
  Integer CrossExtent() const { return Vertical() ? Width() : Height(); }
  /// Pixels the button travels between ValueMin and ValueMax.
  Integer TravelLength() const { return AlongExtent() - FButtonHeight - FOffsetLower - FOffsetUpper; }
  /// The button rectangle for a value (the whole pointer bar for a
  /// transparent button on an asymmetric scale).
  TRect ButtonRectFor(Double V) const;
  TRect ButtonRect() const { return ButtonRectFor(FValue); }
  /// The slot rectangle, frame included.
  TRect SlotRect() const;
  /// The value whose button centre lies under the point.
  Double ValueAt(Integer X, Integer Y) const;
  bool Dragging() const { return FDragging; }
  /// The scale as the next paint lays it out (ticks, labels and their
  /// positions), measured with LabelingFont; not valid with lbsNone.
  LinearScale::TScaleLayout ScaleLayout();
  /// Width of the widest label the scale drew last.
  Integer LabelWidth() const { return FLabelWidth; }

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  /// "Range": ((Color, Limit, ...), Value, ValueMin, ValueMax,
  /// ValueStepWidth, LabelingGap).
  void DefineProperties(TFiler& Filer) override;

protected:
  // A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;

private:
  bool Asymmetric() const { return FLabelingStyle == lbsAsymmetric; }
  bool PointerBar() const { return FButtonTransparent && Asymmetric(); }
  bool FarSide() const { return FLabelingOrientation == lboRight || FLabelingOrientation == lboBelow; }
  // ButtonWidth limited to the cross extent minus 2 (when there is one).
  Integer LimitedButtonWidth(Integer Value) const;
  void ReadRange(TReader& R);
  void WriteRange(TWriter& W) const;

  // Drawing pieces, in the order the picture is composed.
  void DrawSlot(TCanvas& Cv);
  void DrawScale(TCanvas& Cv);
  void DrawButton(TCanvas& Cv, const TRect& R);
  void DrawPointerBar(TCanvas& Cv, const TRect& R);
  void DrawAll(TCanvas& Cv);
  // The value redraw: the button area as last drawn and the new one.
  void RedrawButton();
  void RedrawArea(const TRect& Area);
  LinearScale::TScaleSetup ScaleSetup() const;

  TScrollBarKind FKind = sbVertical;
  Integer FBevelWidth = 1;
  Integer FSliderWidth = 10;
  Integer FButtonWidth = 40;
  Integer FButtonHeight = 10;
  Integer FOffsetLower = 8;
  Integer FOffsetUpper = 8;
  Double FValue = 0.0;
  Double FValueMin = 0.0;
  Double FValueMax = 100.0;
  Double FValueStepWidth = 0.0;
  LinearScale::TValueRanges FRanges{clBtnFace, 100.0};
  TLabelingStyle FLabelingStyle = lbsNone;
  TLabelingOrientation FLabelingOrientation = lboLeft;
  Double FLabelingGap = 5.0;
  Integer FLabelingDecimals = 1;
  TFont FLabelingFont;
  TColor FBevelColor1 = clBtnHighlight;
  TColor FBevelColor2 = clBtnShadow;
  TColor FButtonColor = clBtnFace;
  TColor FButtonBorderColor = clBtnFace;
  QString FButtonCaption;
  TFont FButtonFont;
  bool FButtonTransparent = false;
  std::unique_ptr<TPicture> FPictureSlide;
  std::unique_ptr<TPicture> FPictureButton;
  std::unique_ptr<TPicture> FPictureMask;
  bool FReduceFlicker = false;
  std::unique_ptr<TBitmap> FBitmap;

  // Internal state.
  TRect FSlotRect;
  TRect FButtonRect;  // as last drawn; empty before the first drawing
  TSize FLastSize{-1, -1};
  TPoint FPressPoint;
  Double FPressValue = 0.0;
  bool FDragging = false;
  Integer FLabelWidth = 0;
};

}  ///< namespace quellix::Slider
