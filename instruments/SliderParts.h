/// The parts TSlider (Slider.h) is composed of, each a class on top of the
/// one before: TSliderSignals (the value change event as a signal),
/// TSliderModel (identification, geometry, value, ranges), TSliderLook
/// (scale, colours, caption, pictures) and TSliderView (button and slot
/// geometry, painting, dragging). The component adds the published
/// properties and streaming. A part calls up into a later one only through
/// the protected virtual functions it declares.
/// \file
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


class TSliderSignals : public TGraphicControl {
  Q_OBJECT

public:
  using TGraphicControl::TGraphicControl;

Q_SIGNALS:
  // Events as signals.
  void valueChange(quellix::TObject* Sender);
};

class TSliderModel : public TSliderSignals, public LinearScale::TRangeProperties {
public:
  explicit TSliderModel(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr)
      : TSliderSignals(AOwner, AParent), TRangeProperties(clBtnFace) {}

  // --- identification (fixed texts) ---
  QUELLIX_FIXED_IDENTIFICATION("V2.11")

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

  TNotifyEvent OnValueChange;

  // --- geometry, shared by drawing and mouse hit-testing ---
  bool Vertical() const { return FKind == sbVertical; }
  /// Extent along the track (L) and across it (C).
  Integer AlongExtent() const { return Vertical() ? Height() : Width(); }
  Integer CrossExtent() const { return Vertical() ? Width() : Height(); }
  /// Pixels the button travels between ValueMin and ValueMax.
  Integer TravelLength() const { return AlongExtent() - FButtonHeight - FOffsetLower - FOffsetUpper; }

protected:
  Double SpanMin() const override { return FValueMin; }
  Double SpanMax() const override { return FValueMax; }
  void RangesChanged() override { Invalidate(); }

  bool Asymmetric() const { return FLabelingStyle == lbsAsymmetric; }
  // ButtonWidth limited to the cross extent minus 2 (when there is one).
  Integer LimitedButtonWidth(Integer Value) const;

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
  TLabelingStyle FLabelingStyle = lbsNone;
  std::unique_ptr<TPicture> FPictureButton = std::make_unique<TPicture>();
};

class TSliderLook : public TSliderModel {
public:
  using TSliderModel::TSliderModel;

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

protected:
  bool PointerBar() const { return FButtonTransparent && Asymmetric(); }
  bool FarSide() const { return FLabelingOrientation == lboRight || FLabelingOrientation == lboBelow; }

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
  std::unique_ptr<TPicture> FPictureSlide = std::make_unique<TPicture>();
  std::unique_ptr<TPicture> FPictureMask = std::make_unique<TPicture>();
  bool FReduceFlicker = false;
  std::unique_ptr<TBitmap> FBitmap;
};

class TSliderView : public TSliderLook {
public:
  using TSliderLook::TSliderLook;

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

protected:
  // A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;

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
