/// TColorGridHisto: a grid of the 16 standard palette colours. Pressing a
/// cell selects it and starts a drag of the control at once; the histograph
/// and the strip chart accept that drag and take SelectColor as the colour
/// dropped on a part of their display. The keyboard moves the selection and
/// sets the foreground ("F") and background ("B") markers. \file
#pragma once

#include <array>

#include "quellix/host/Component.h"
#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"

namespace quellix::Colorhis {
Q_NAMESPACE

/// Columns x rows: columns = 16 >> ordinal, rows = 1 << ordinal.
enum TGridOrdering : Byte { go16x1, go8x2, go4x4, go2x8, go1x16 };
Q_ENUM_NS(TGridOrdering)

constexpr Integer CellCount = 16;

class TColorGridHisto : public TCustomControl {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "100,100")
  Q_CLASSINFO("MinimumSize", "40,40")
  Q_PROPERTY(bool ClickEnablesColor READ ClickEnablesColor WRITE SetClickEnablesColor NOTIFY ClickEnablesColorChanged)
  Q_CLASSINFO("default:ClickEnablesColor", "false")
  Q_PROPERTY(int ForegroundIndex READ ForegroundIndex WRITE SetForegroundIndex NOTIFY ForegroundIndexChanged)
  Q_CLASSINFO("default:ForegroundIndex", "0")
  Q_PROPERTY(int BackgroundIndex READ BackgroundIndex WRITE SetBackgroundIndex NOTIFY BackgroundIndexChanged)
  Q_CLASSINFO("default:BackgroundIndex", "0")
  Q_PROPERTY(bool ForegroundEnabled READ ForegroundEnabled WRITE SetForegroundEnabled NOTIFY ForegroundEnabledChanged)
  Q_CLASSINFO("default:ForegroundEnabled", "true")
  Q_PROPERTY(bool BackgroundEnabled READ BackgroundEnabled WRITE SetBackgroundEnabled NOTIFY BackgroundEnabledChanged)
  Q_CLASSINFO("default:BackgroundEnabled", "true")
  Q_PROPERTY(int Selection READ Selection WRITE SetSelection NOTIFY SelectionChanged)
  Q_CLASSINFO("default:Selection", "0")
  Q_PROPERTY(quellix::Colorhis::TGridOrdering GridOrdering READ GridOrdering WRITE SetGridOrdering NOTIFY GridOrderingChanged)
  Q_CLASSINFO("default:GridOrdering", "go4x4")
  Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D NOTIFY Ctl3DChanged)
  Q_CLASSINFO("default:Ctl3D", "true")
  Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop NOTIFY TabStopChanged)
  Q_CLASSINFO("default:TabStop", "false")
  Q_PROPERTY(int SelectColor READ SelectColor STORED false NOTIFY SelectColorChanged)

Q_SIGNALS:
  // Events as signals.
  void change(quellix::TObject* Sender);
  // Property change signals.
  void ClickEnablesColorChanged(bool Value);
  void ForegroundIndexChanged(int Value);
  void BackgroundIndexChanged(int Value);
  void ForegroundEnabledChanged(bool Value);
  void BackgroundEnabledChanged(bool Value);
  void SelectionChanged(int Value);
  void GridOrderingChanged(quellix::Colorhis::TGridOrdering Value);
  void Ctl3DChanged(bool Value);
  void TabStopChanged(bool Value);
  void SelectColorChanged(int Value);

public:
  explicit TColorGridHisto(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);

  bool ClickEnablesColor() const { return FClickEnablesColor; }
  void SetClickEnablesColor(bool Value) { const TChangeScope Changes; FClickEnablesColor = Value; }
  Integer ForegroundIndex() const { return FForegroundIndex; }
  void SetForegroundIndex(Integer Value);
  Integer BackgroundIndex() const { return FBackgroundIndex; }
  void SetBackgroundIndex(Integer Value);
  bool ForegroundEnabled() const { return FForegroundEnabled; }
  void SetForegroundEnabled(bool Value);
  bool BackgroundEnabled() const { return FBackgroundEnabled; }
  void SetBackgroundEnabled(bool Value);
  Integer Selection() const { return FSelection; }
  void SetSelection(Integer Value);
  TGridOrdering GridOrdering() const { return FGridOrdering; }
  void SetGridOrdering(TGridOrdering Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  /// The RGB colour of the selected cell.
  TColor SelectColor() const { return FSelectColor; }

  // --- geometry, shared by painting and hit-testing ---
  Integer Columns() const { return FColumns; }
  Integer Rows() const { return FRows; }
  Integer CellWidth() const { return FCellWidth; }
  Integer CellHeight() const { return FCellHeight; }
  /// The cell under a point (the point is limited to the control first).
  Integer CellAt(Integer X, Integer Y) const;
  TRect CellRect(Integer Index) const;
  /// The colour of cell Index (0..15).
  TColor CellColor(Integer Index) const { return FColors.at(Index); }
  /// The button of the last press and whether it is still held.
  TMouseButton LastButton() const { return FButton; }
  bool ButtonDown() const { return FButtonDown; }

  /// Fires when ForegroundIndex or BackgroundIndex change.
  TNotifyEvent OnChange;

  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

protected:
  void Resize() override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

private:
  // Shrinks the control to whole cells and derives the cell size.
  void AdjustSize();
  bool CanDraw();
  void DrawCell(Integer Index, bool Highlight);
  void DrawMarkers();
  void DrawMarker(Integer Index, const QString& Text);

  bool FClickEnablesColor = false;
  Integer FForegroundIndex = 0;
  Integer FBackgroundIndex = 0;
  bool FForegroundEnabled = true;
  bool FBackgroundEnabled = true;
  Integer FSelection = 0;
  Integer FCellWidth = 0;
  Integer FCellHeight = 0;
  Integer FColumns = 4;
  Integer FRows = 4;
  TGridOrdering FGridOrdering = go4x4;
  std::array<TColor, CellCount> FColors{};
  bool FCtl3D = true;
  TMouseButton FButton = mbLeft;
  bool FButtonDown = false;
  TColor FSelectColor = clBlack;
};

}  ///< namespace quellix::Colorhis
