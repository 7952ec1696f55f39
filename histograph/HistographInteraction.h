/// The interaction of the histograph: the mouse modes (measure, reference
/// editing, zoom, calculate), colour drops and the tool windows.
/// \file
#pragma once

#include <vector>

#include "quellix/histograph/HistographView.h"

namespace quellix::Etb {
class TFormToolBar;
}
namespace quellix::Eca {
class TFormValueBar;
}

namespace quellix::HistoInt {

class THistographInt;

class THistoInteraction : public THistoView {
public:
  using THistoView::THistoView;

  // --- mouse modes and tool windows (HistoInteract.cpp) ---
  TMode Mode() const { return FMode; }
  void SetMode(TMode Value);
  bool ShowCross() const { return FShowCross; }
  void SetShowCross(bool Value) { const TChangeScope Changes; FShowCross = Value; }
  bool ShowValues() const { return FShowValues; }
  void SetShowValues(bool Value) { const TChangeScope Changes; FShowValues = Value; }
  Integer ReferenceRubberWidth() const { return FReferenceRubberWidth; }
  void SetReferenceRubberWidth(Integer Value) { const TChangeScope Changes; FReferenceRubberWidth = Value; }
  bool ShowToolBar() const { return FShowToolBar; }
  void SetShowToolBar(bool Value);
  /// Whether the value bar window is really on the screen.
  bool ShowValueBar() const;
  void SetShowValueBar(bool Value);
  /// The tool windows, once created (nullptr before).
  Etb::TFormToolBar* ToolBar() const { return FToolBar; }
  Eca::TFormValueBar* ValueBar() const { return FValueBar; }

  /// Pixels and values (crosses, zoom, reference editing).
  Extended XValueAt(Integer Px) const;
  Extended YValueAt(Integer Py) const;
  Integer XPixelOf(Extended X) const;
  Integer YPixelOf(Extended Y) const;
  /// The curve point nearest to (Mx, My): per series the sample nearest in
  /// X, then the series whose value is nearest to the Y value of My.
  TNearestPoint NearestPoint(Integer Mx, Integer My) const;
  /// Places cross I (0, 1 calculation; 2 measuring) on the curve point
  /// nearest to the mouse position, erasing the old one first when asked.
  /// Returns false (and does nothing) when no series has data.
  bool PlaceCross(Integer I, Integer Mx, Integer My, bool EraseFirst) override;
  const TCross& Cross(Integer I) const { return FCrosses.at(I); }
  bool Zoomed() const { return FZoomed; }
  const TSavedView& SavedView() const { return FSavedView; }
  bool ReferenceDragging() const { return FRefDragging; }
  /// The part of the display at (X, Y) a dropped colour would change, and
  /// the series number for a curve.
  TColorTarget ColorTargetAt(Integer X, Integer Y, Integer& Serie);
  TColor TargetColor(TColorTarget Target, Integer Serie);
  void SetTargetColor(TColorTarget Target, Integer Serie, TColor Value);
  TColorTarget PreviewTarget() const { return FPreviewTarget; }

  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

  // --- events ---
  TNotifyCrossMove OnCrossMove;
  TNotifyCrossMove OnReferenceMove;
  TNotifyCalculate OnCalculate;

protected:
  // Mouse modes (HistoInteract.cpp).
  void InitInteraction();
  void FreeToolWindows();
  void UpdateToolCaptions() override;
  // The component these parts make up, which the tool windows show.
  THistographInt* Component();

private:
  void MeasureMove(Integer X, Integer Y);
  void CalculateFollow(Integer X, Integer Y);
  void ZoomRelease(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void StartReference(Integer X, Integer Y);
  void MoveReference(Integer X, Integer Y);
  void EndReference();
  Integer NearestSample(const THistoSeries& S, Integer Mx) const;
  TPoint SamplePixel(const THistoSeries& S, Integer I, Extended V) const;
  void DrawShadow();
  void DrawValueBox(Extended X, Extended V);
  void ColorDragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  void ColorDragDrop(TObject* Source, Integer X, Integer Y);
  void UndoPreview();
  bool InPlot(Integer X, Integer Y) const;

  TMode FMode = modeMeasure;
  bool FShowCross = true;
  bool FShowValues = true;
  Integer FReferenceRubberWidth = 30;
  bool FShowToolBar = false;
  Etb::TFormToolBar* FToolBar = nullptr;   // child window of this control, freed with it
  Eca::TFormValueBar* FValueBar = nullptr;
  TMouseButton FButton = mbLeft;
  bool FButtonDown = false;
  bool FZoomed = false;
  TSavedView FSavedView;
  // Reference drag: series k, centre sample c, band first..last and the
  // offset of the band into the weights; old values and the edited copy.
  bool FRefDragging = false;
  TPoint FRefPress;
  Integer FRefSerie = 0, FRefCentre = 0, FRefFirst = 0, FRefLast = 0, FRefOffset = 0;
  Extended FRefCentreX = 0;
  TRect FRefBand;
  std::vector<Single> FRefOld, FRefShadow;
  std::vector<Extended> FRefWeights;
  // Colour drop preview.
  TColorTarget FPreviewTarget = ctNone;
  Integer FPreviewSerie = -1;
  TColor FPreviewColor = clWhite;
};

}  ///< namespace quellix::HistoInt
