/// The look of the histograph: colours, grid, border, margins and the
/// flicker-free drawing.
/// \file
#pragma once

#include <memory>

#include "quellix/histograph/HistographDataProperties.h"

namespace quellix::HistoInt {

class THistoLook : public THistoDataProperties {
public:
  using THistoDataProperties::THistoDataProperties;

  // --- drawing properties ---
  bool EnableUpdate() const { return FEnableUpdate; }
  void SetEnableUpdate(bool Value);
  TColor GridColor() const { return FGridColor; }
  void SetGridColor(TColor Value);
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TGrdVisible GridVisible() const { return FGridVisible; }
  void SetGridVisible(TGrdVisible Value);
  TGrdScale GridScale() const { return FGridScale; }
  void SetGridScale(TGrdScale Value);
  TPenStyle GridLineStyle() const { return FGridLineStyle; }
  void SetGridLineStyle(TPenStyle Value);
  int GridLineStyleInt() const { return FGridLineStyle; }
  void SetGridLineStyleInt(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  Integer GapRight() const { return FGapRight; }
  void SetGapRight(Integer Value);
  Integer GapLeft() const { return FGapLeft; }
  void SetGapLeft(Integer Value);
  Integer GapTop() const { return FGapTop; }
  void SetGapTop(Integer Value);
  Integer GapBottom() const { return FGapBottom; }
  void SetGapBottom(Integer Value);
  bool ReduceFlicker() const { return FReduceFlicker; }
  void SetReduceFlicker(bool Value);

protected:
  void SetGap(Integer& Field, Integer Value);

  bool FEnableUpdate = true;
  TColor FGridColor = clGray;
  TColor FBkColor = clBtnFace;
  TGrdVisible FGridVisible = grdNone;
  TPenStyle FGridLineStyle = psSolid;
  TBorderStyle FBorderStyle = bsSingle;
  bool FReduceFlicker = false;
  std::unique_ptr<TBitmap> FBitmap;
};

}  ///< namespace quellix::HistoInt
