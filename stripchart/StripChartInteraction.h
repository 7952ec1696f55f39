/// The interaction of the strip chart recorder: the mouse modes (measure,
/// remark, zoom, calculate), colour drops and the tool windows.
/// \file
#pragma once

#include <memory>

#include "quellix/stripchart/StripChartView.h"

namespace quellix::_sEtb { class TFormToolBarStrip; }
namespace quellix::_sEca { class TFormCalculateBarStrip; }
namespace quellix::_sEjs { class TFormJogShuttleBarStrip; }
namespace quellix::Remedit { class TEditRemark; }

namespace quellix::StrpChrtInt {

class TStripChartInt;

class TStripChartInteraction : public TStripChartView {
public:
  using TStripChartView::TStripChartView;
  ~TStripChartInteraction() override;

  // --- Interaction (StripChartInteraction.cpp) --------------------------------
  TStripMode StripMode() const { return FStripMode; }
  /// Another mode hides the crosses of the old one and switches the value
  /// bar's second-cross and calculation groups.
  void SetStripMode(TStripMode Value);
  bool ShowToolBar() const { return FShowToolBar; }
  void SetShowToolBar(bool Value);
  bool ShowValueBar() const { return FShowValueBar; }
  void SetShowValueBar(bool Value);
  bool ShowJogShuttleBar() const { return FShowJogShuttleBar; }
  void SetShowJogShuttleBar(bool Value);
  /// Zoomed: the view saved before the first zoom.
  bool Zoomed() const { return FSavedWindow >= 0; }

  /// Colour drops: what a point of the chart stands for.
  enum TDropKind {
    dtNone, dtYAxis, dtXAxis, dtTitleLeft, dtTitleRight, dtTitleBottom, dtTitleTop, dtControl,
    dtSeries, dtGrid, dtBackground
  };
  struct TDropTarget {
    TDropKind Kind = dtNone;
    Integer Series = 0;   ///< dtSeries
    bool operator==(const TDropTarget&) const = default;
  };
  TDropTarget DropTargetAt(Integer X, Integer Y);
  TColor DropTargetColor(const TDropTarget& Target);
  void SetDropTargetColor(const TDropTarget& Target, TColor Color);

  /// The tool windows, created on their first showing (nullptr before).
  _sEtb::TFormToolBarStrip* ToolBar() const { return FToolBar.get(); }
  _sEca::TFormCalculateBarStrip* ValueBar() const { return FValueBar.get(); }
  _sEjs::TFormJogShuttleBarStrip* JogShuttleBar() const { return FJogShuttleBar.get(); }
  Remedit::TEditRemark* RemarkDialog();

  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Click() override;
  void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, Integer X, Integer Y) override;

protected:
  /// Place the measuring cross again after the plot changed under it (the
  /// measure mode puts it on the sample now under the mouse). The paint
  /// itself keeps a showing cross on the screen.
  void RedrawCross() override;
  void ReportCross(TCrossKind Kind) override;
  // The component these parts make up, which the tool windows show.
  TStripChartInt* Component();
  void ZoomTo(const TRect& R);
  void Unzoom();
  void RemarkClick(TMouseButton Button, Integer X, Integer Y);
  void PreviewDrop(const TDropTarget& Target, TColor Color);
  void EndPreview(bool Keep);
  bool ColorOfSource(TObject* Source, TColor& Color) const;
  void RetitleToolWindows() override;
  // Logging or playing started or stopped: the jog shuttle follows.
  void FileStateChanged() override;
  TStripMode FStripMode = modeMeasure;
  bool FShowToolBar = false, FShowValueBar = false, FShowJogShuttleBar = false;
  TMouseButton FMouseButton = mbLeft;
  TPoint FMousePos;    // of the last press
  TPoint FLastMove;    // of the last move
  bool FMousePressed = false;
  bool FZoomDragging = false;
  bool FSkipMove = false;
  bool FMouseOverPlot = false;
  // The view before the first zoom; FSavedWindow -1 when unzoomed.
  Integer FSavedWindow = -1;
  Single FSavedYMax = 0, FSavedYMin = 0, FSavedYGap = 0;
  Double FSavedXGap = 0;
  bool FSavedLive = false;
  // The colour drag: the target previewing the colour and its old colour.
  TDropTarget FDropTarget;
  TColor FDropOldColor = 0;
  std::unique_ptr<_sEtb::TFormToolBarStrip> FToolBar;
  std::unique_ptr<_sEca::TFormCalculateBarStrip> FValueBar;
  std::unique_ptr<_sEjs::TFormJogShuttleBarStrip> FJogShuttleBar;
  std::unique_ptr<Remedit::TEditRemark> FRemarkDialog;
};

}  ///< namespace quellix::StrpChrtInt
