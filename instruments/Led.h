/// TLedInt: a lamp that shows one on/off state as a circle with a white
/// highlight, a rectangle, a triangular arrow or a diamond. While it is on
/// and Flashing is set, its own flash timer alternates the lamp between
/// the on and the off colour.
/// \file
/// The measure sink TLed (SingleValueSinks.h) derives from it and switches
/// Value from the values it receives.
#pragma once

#include <QString>
#include <memory>

#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"

namespace quellix::LedInt {
Q_NAMESPACE

enum TLedStyle : Byte {
  lesCircle,
  lesRectangle,
  lesArrowLeft,
  lesArrowRight,
  lesArrowUp,
  lesArrowDown,
  lesArrowLeftRight,
  lesArrowUpDown
};
Q_ENUM_NS(TLedStyle)

/// The corner points of a polygon style in a W x H control, in drawing
/// order (empty for lesCircle and lesRectangle).
std::vector<TPoint> LedPolygon(TLedStyle Style, Integer W, Integer H);
/// The bounding box of the circle lamp: a square of the smaller side,
/// centred along the longer one.
TRect LedCircleBounds(Integer W, Integer H);
/// The four points of the circle's white highlight.
std::vector<TPoint> LedHighlight(Integer W, Integer H);

class TLedInt : public TGraphicControl {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "20,20")
  Q_CLASSINFO("MinimumSize", "8,8")
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(int ColorInactive READ ColorInactive WRITE SetColorInactive NOTIFY ColorInactiveChanged)
  Q_CLASSINFO("default:ColorInactive", "12632256")
  Q_PROPERTY(int ColorActive READ ColorActive WRITE SetColorActive NOTIFY ColorActiveChanged)
  Q_CLASSINFO("default:ColorActive", "255")
  Q_PROPERTY(bool Flashing READ Flashing WRITE SetFlashing NOTIFY FlashingChanged)
  Q_CLASSINFO("default:Flashing", "false")
  Q_PROPERTY(int FlashInterval READ FlashInterval WRITE SetFlashInterval NOTIFY FlashIntervalChanged)
  Q_CLASSINFO("default:FlashInterval", "1000")
  Q_PROPERTY(quellix::LedInt::TLedStyle Style READ Style WRITE SetStyle NOTIFY StyleChanged)
  Q_CLASSINFO("default:Style", "lesCircle")
  Q_PROPERTY(bool Value READ Value WRITE SetValue NOTIFY ValueChanged)
  Q_CLASSINFO("default:Value", "false")

Q_SIGNALS:
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void ColorInactiveChanged(int Value);
  void ColorActiveChanged(int Value);
  void FlashingChanged(bool Value);
  void FlashIntervalChanged(int Value);
  void StyleChanged(quellix::LedInt::TLedStyle Value);
  void ValueChanged(bool Value);

public:
  explicit TLedInt(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TLedInt() override;

  QUELLIX_FIXED_IDENTIFICATION("V2.50")

  TColor ColorInactive() const { return FColorInactive; }
  void SetColorInactive(TColor Value);
  TColor ColorActive() const { return FColorActive; }
  void SetColorActive(TColor Value);
  bool Flashing() const { return FFlashing; }
  void SetFlashing(bool Value);
  Integer FlashInterval() const { return FFlashInterval; }
  void SetFlashInterval(Integer Value);
  TLedStyle Style() const { return FStyle; }
  void SetStyle(TLedStyle Value);
  bool Value() const { return FValue; }
  /// Switches the lamp: draws it at once in the colour Value selects and
  /// starts or stops the flashing (never at design time).
  void SetValue(bool Value);

  /// The colour the lamp shows now.
  TColor CurrentColor() const { return FCurrentColor; }
  /// The flash timer (tests drive it with Tick).
  TTimer& FlashTimer() { return *FFlashTimer; }

  void Paint() override;
  /// After loading: an LED stored flashing and on starts to flash.
  void Loaded() override;

protected:
  /// Draws the lamp in the current colour over what the control shows.
  void PaintLamp();
  // A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;


private:
  // Starts the timer when flashing and on, stops it otherwise.
  void UpdateFlashTimer();
  void FlashTimerTick();
  TColor SteadyColor() const { return FValue ? FColorActive : FColorInactive; }

  TColor FColorInactive = clSilver;
  TColor FColorActive = clRed;
  TColor FCurrentColor = clSilver;
  bool FFlashing = false;
  Integer FFlashInterval = 1000;
  TLedStyle FStyle = lesCircle;
  bool FValue = false;
  std::unique_ptr<TTimer> FFlashTimer;
};

}  ///< namespace quellix::LedInt
