// TStripChartInt interaction: the measuring cross that follows the mouse,
// the four mouse modes (measure, remark, zoom, calculate), automatic
// scaling of the value axis, the remark marks, colour drops from the
// colour grid, and showing the three tool windows.
//
// The crosses and the zoom rectangle are drawn in XOR on the control's
// surface, so drawing one a second time takes it off again. Each cross
// remembers where it is on the screen (FCrossesOnScreen), which keeps
// erasing exact when the picture under it scrolls or is repainted.
#include <QApplication>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <limits>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/stripchart/RemarkDialog.h"
#include "quellix/stripchart/StripChartEngine.h"
#include "quellix/stripchart/ValueBar.h"
#include "quellix/stripchart/JogShuttleBar.h"
#include "quellix/stripchart/ToolBar.h"

namespace quellix::StrpChrtInt {

namespace {

// A full buffer's x coordinates stay below this many pixels.
constexpr Extended kMaxColumns = 32760;
// A colour drop inside the plot lands on the background when the nearest
// trace or grid line is farther away than this.
constexpr Integer kDropReach = 3;
// Width of the axis strips left of and below the plot that take the axis
// fonts' colour.
constexpr Integer kAxisStrip = 10;

bool InPlot(const TRect& P, Integer X, Integer Y) {
  return X >= P.Left && X <= P.Right && Y >= P.Top && Y <= P.Bottom;
}

}  // namespace

// ===========================================================================
// Properties

// The tool windows are complete types here.
TStripChartInteraction::~TStripChartInteraction() = default;

// The interaction exists only as a part of the component.
TStripChartInt* TStripChartInteraction::Component() { return static_cast<TStripChartInt*>(this); }

void TStripChartInteraction::SetStripMode(TStripMode Value) {
  const TChangeScope Changes;
  if (Value == FStripMode) return;
  FStripMode = Value;
  if (Value == modeCalculate) {
    EraseCross(crMeasure);
    FCrosses[crMeasure].Shown = false;
    if (MouseCapture()) SetMouseCapture(false);
  } else {
    for (TCrossKind K : {crFirst, crSecond}) {
      EraseCross(K);
      FCrosses[K].Shown = false;
    }
  }
  if (FValueBar) FValueBar->ShowCalculateGroups(Value == modeCalculate);
}

void TStripChartMapping::SetAutoScale(bool Value) {
  const TChangeScope Changes;
  if (Value == FAutoScale) return;
  FAutoScale = Value;
  if (Value) InvalidatePlot();
}

void TStripChartInteraction::SetShowToolBar(bool Value) {
  const TChangeScope Changes;
  if (Value == FShowToolBar) return;
  FShowToolBar = Value;
  if (IsDesigning()) return;
  if (Value) {
    if (!FToolBar) FToolBar = std::make_unique<_sEtb::TFormToolBarStrip>(Component());
    RetitleToolWindows();
    FToolBar->show();
  } else if (FToolBar) {
    FToolBar->hide();
  }
}

void TStripChartInteraction::SetShowValueBar(bool Value) {
  const TChangeScope Changes;
  if (Value == FShowValueBar) return;
  FShowValueBar = Value;
  if (IsDesigning()) return;
  if (Value) {
    if (!FValueBar) FValueBar = std::make_unique<_sEca::TFormCalculateBarStrip>(Component());
    RetitleToolWindows();
    FValueBar->ShowCalculateGroups(FStripMode != modeMeasure);
    FValueBar->show();
  } else if (FValueBar) {
    FValueBar->hide();
  }
}

void TStripChartInteraction::SetShowJogShuttleBar(bool Value) {
  const TChangeScope Changes;
  if (Value == FShowJogShuttleBar) return;
  FShowJogShuttleBar = Value;
  if (IsDesigning()) return;
  if (Value) {
    if (!FJogShuttleBar) FJogShuttleBar = std::make_unique<_sEjs::TFormJogShuttleBarStrip>(Component());
    RetitleToolWindows();
    FJogShuttleBar->show();
    FJogShuttleBar->UpdateFileState();
  } else if (FJogShuttleBar) {
    FJogShuttleBar->hide();
  }
}

void TStripChartInteraction::RetitleToolWindows() {
  const QString& Top = FTitles[tpTop];
  if (FToolBar) FToolBar->SetCaption(tr("Werkzeuge: ") + Top);
  if (FValueBar) FValueBar->SetCaption(tr("Anzeige: ") + Top);
  if (FJogShuttleBar) FJogShuttleBar->SetCaption(QStringLiteral("Jog Shuttle: ") + Top);
}

void TStripChartInteraction::FileStateChanged() {
  if (FJogShuttleBar) FJogShuttleBar->UpdateFileState();
}

Remedit::TEditRemark* TStripChartInteraction::RemarkDialog() {
  if (!FRemarkDialog) FRemarkDialog = std::make_unique<Remedit::TEditRemark>();
  return FRemarkDialog.get();
}

// ===========================================================================
// Finding the sample under the mouse

// Linear: ViewYMin + (Height - y - GapBottom) (ViewYMax - ViewYMin) /
// (Height - GapTop - GapBottom); logarithmic: the inverse of the row
// mapping of the paint.
Double TStripChartMapping::RowToValue(Integer Y) const {
  const TRect P = PlotRect();
  const Double H = P.Bottom - P.Top;
  if (H <= 0) return FViewYMin;
  if (FGridScale == strpLog && FViewYMin > 0 && FViewYMax > 0) {
    const Double Low = std::log(static_cast<Double>(FViewYMin));
    const Double Span = std::log(static_cast<Double>(FViewYMax)) - Low;
    if (H <= 1) return FViewYMin;
    return std::exp(Low + (P.Bottom - 1 - Y) * Span / (H - 1));
  }
  return FViewYMin + (P.Bottom - Y) * (static_cast<Double>(FViewYMax) - FViewYMin) / H;
}

TStripChartMapping::TSampleHit TStripChartMapping::FindSample(Integer X, Integer Y) const {
  TSampleHit Hit;
  const Integer From = std::max(1, FWindowOffset + 1);
  const Integer To = std::min(FCount, FSamplesPerBuffer);
  if (To < From) return Hit;
  // The last index whose column is not right of X (the first one when X
  // lies left of the window).
  const Integer* Xs = FXPos.data();
  const Integer* It = std::upper_bound(Xs + From, Xs + To + 1, X);
  const Integer Index = std::max(From, static_cast<Integer>(It - Xs) - 1);
  const Double Wanted = RowToValue(Y);
  Double Best = std::numeric_limits<Double>::infinity();
  for (Integer k = 1; k <= FSeriesNumber; ++k) {
    const Single* V = SeriesValues(k);
    if (!V || !FSeries[k].Visible) continue;
    const Double D = std::fabs(V[Index] - Wanted);
    if (D < Best) {
      Best = D;
      Hit.Series = k;
      Hit.Value = V[Index];
    }
  }
  if (Hit.Series < 0) return Hit;
  Hit.Index = Index;
  Hit.X = Xs[Index];
  return Hit;
}

// ===========================================================================
// Crosses

// One horizontal line across the plot at y (only when Top < y < Bottom)
// and one vertical line at x (only when Left < x < Right); the crossing
// pixel is drawn once, so that the XOR of the two lines keeps it.
void TStripChartCrosses::XorCross(const TCrossOnScreen& C) {
  TCanvas& Cv = Canvas();
  const TRect P = PlotRect();
  const int Saved = Cv.SaveDC();
  Cv.IntersectClipRect(Rect(P.Left, P.Top, P.Right + 1, P.Bottom + 1));
  Cv.Pen().Color = C.Color;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Width = 1;
  Cv.Pen().Mode = pmNotXor;
  const bool Horizontal = C.Y > P.Top && C.Y < P.Bottom;
  const bool Vertical = C.X > P.Left && C.X < P.Right;
  if (Horizontal) {
    Cv.MoveTo(P.Left, C.Y);
    Cv.LineTo(P.Right + 1, C.Y);
  }
  if (Vertical) {
    if (Horizontal) {
      Cv.MoveTo(C.X, P.Top);
      Cv.LineTo(C.X, C.Y);
      Cv.MoveTo(C.X, C.Y + 1);
    } else {
      Cv.MoveTo(C.X, P.Top);
    }
    Cv.LineTo(C.X, P.Bottom + 1);
  }
  Cv.RestoreDC(Saved);
}

void TStripChartCrosses::EraseCross(TCrossKind Kind) {
  TCrossOnScreen& S = FCrossesOnScreen[Kind];
  if (!S.Drawn) return;
  XorCross(S);
  S.Drawn = false;
}

// A cross whose sample has left the window (x 0) is not drawn, nor the
// measure cross while ShowCross is off.
void TStripChartCrosses::DrawCross(TCrossKind Kind) {
  const TCross& C = FCrosses[Kind];
  TCrossOnScreen& S = FCrossesOnScreen[Kind];
  if (S.Drawn || !C.Shown || C.X == 0 || !ViewRangeValid()) return;
  if (Kind == crMeasure && !FShowCross) return;
  S = {true, C.Color, C.X, C.Y};
  XorCross(S);
}

void TStripChartCrosses::EraseCrosses() {
  for (TCrossKind K : {crMeasure, crFirst, crSecond}) EraseCross(K);
}

void TStripChartCrosses::DrawCrosses() {
  for (TCrossKind K : {crMeasure, crFirst, crSecond}) DrawCross(K);
}

void TStripChartCrosses::ForgetCrossesOnScreen() {
  for (TCrossOnScreen& S : FCrossesOnScreen) S.Drawn = false;
}

void TStripChartCrosses::HideCrosses() {
  for (TCross& C : FCrosses) C.Shown = false;
}

void TStripChartCrosses::UpdateCrossPositions() {
  const Integer From = std::max(1, FWindowOffset + 1);
  const Extended Inc = FDisplayTimeIncrement;
  for (TCross& C : FCrosses) {
    if (!C.Shown) continue;
    C.X = 0;
    if (Inc > 0) {
      const Extended I = std::nearbyint((C.Time - FDisplayStartTime) / Inc - FSampleBase) + 1;
      if (I >= From && I <= FCount && I <= FSamplesPerBuffer) {
        C.Index = static_cast<Integer>(I);
        C.X = FXPos[C.Index];
      }
    }
    C.Y = ValueToRow(static_cast<Single>(C.Value));
  }
}

void TStripChartCrosses::PlaceCross(TCrossKind Kind, Integer X, Integer Y) {
  EraseCross(Kind);
  const TSampleHit Hit = FindSample(X, Y);
  TCross& C = FCrosses[Kind];
  if (Hit.Series < 0) {
    C.Shown = false;
    return;
  }
  C.Shown = true;
  C.Color = FSeries[Hit.Series].Color;
  C.Time = static_cast<Double>(BufferIndexTime(Hit.Index));
  C.Value = Hit.Value;
  C.Series = Hit.Series;
  C.Index = Hit.Index;
  C.X = Hit.X;
  C.Y = ValueToRow(static_cast<Single>(Hit.Value));
  DrawCross(Kind);
  ReportCross(Kind);
}

void TStripChartInteraction::ReportCross(TCrossKind Kind) {
  if (Kind == crMeasure) {
    const TCross& C = FCrosses[crMeasure];
    if (OnCrossMove) OnCrossMove(this, static_cast<Single>(C.X), static_cast<Single>(C.Value), C.Series, C.Index);
    emit crossMove(this, static_cast<Single>(C.X), static_cast<Single>(C.Value), C.Series, C.Index);
    if (FValueBar && FShowValueBar) FValueBar->ShowMeasure(C.Series, C.Time, C.Value);
    return;
  }
  const TCross& C1 = FCrosses[crFirst];
  const TCross& C2 = FCrosses[crSecond];
  if (OnCalculate) OnCalculate(this, C1.Series, C2.Series, C1.Time, C2.Time, C1.Value, C2.Value);
  emit calculate(this, C1.Series, C2.Series, C1.Time, C2.Time, C1.Value, C2.Value);
  if (FValueBar && FShowValueBar)
    FValueBar->ShowCalculate(C1.Series, C1.Time, C1.Value, C2.Series, C2.Time, C2.Value);
}

// After the plot changed under the mouse, the measure cross moves to the
// sample now under it.
void TStripChartInteraction::RedrawCross() {
  if (FStripMode != modeMeasure || !FShowCross || !FCrosses[crMeasure].Shown || !MouseCapture()) return;
  PlaceCross(crMeasure, FLastMove.X, FLastMove.Y);
}

// ===========================================================================
// Mouse

void TStripChartInteraction::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FMouseButton = Button;
  FMousePos = Point(X, Y);
  FLastMove = FMousePos;
  FMousePressed = true;
  const TRect P = PlotRect();
  if (FStripMode == modeZoom && Button == mbLeft) {
    if (FZoomRectShowing) DrawZoomRect();
    const Integer X0 = std::clamp(X, P.Left, std::max(P.Left, P.Right));
    const Integer Y0 = std::clamp(Y, P.Top, std::max(P.Top, P.Bottom));
    FZoomRect = Rect(X0, Y0, X0, Y0);
    FZoomDragging = true;
    FZoomRectShowing = true;
    DrawZoomRect();
  } else if (FStripMode == modeCalculate) {
    PlaceCross(Button == mbRight ? crSecond : crFirst, X, Y);
  }
  TPaintBox::MouseDown(Button, Shift, X, Y);
}

void TStripChartInteraction::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  FLastMove = Point(X, Y);
  const TRect P = PlotRect();
  switch (FStripMode) {
    case modeZoom:
      if (FZoomDragging && FMousePressed && FMouseButton == mbLeft) {
        if (FZoomRectShowing) DrawZoomRect();
        FZoomRect.Right = std::clamp(X, P.Left, std::max(P.Left, P.Right));
        FZoomRect.Bottom = std::clamp(Y, P.Top, std::max(P.Top, P.Bottom));
        FZoomRectShowing = true;
        DrawZoomRect();
      }
      break;
    case modeMeasure: {
      if (!FShowCross) break;
      // A resize not painted yet leaves the x positions of the old size;
      // the move after a remark click belongs to the closed dialog.
      if (!(TSize{Width(), Height()} == FPaintedSize) || FCount < 1) break;
      if (FSkipMove) {
        FSkipMove = false;
        break;
      }
      const bool Inside = InPlot(P, X, Y);
      if (!MouseCapture()) {
        if (Inside) {
          SetMouseCapture(true);
          PlaceCross(crMeasure, X, Y);
        }
        break;
      }
      // Another window over the chart takes the cross away as leaving does.
      QWidget* Under = WindowFromPoint(ClientToScreen(Point(X, Y)));
      const bool Covered = Under && Under != this && Under != parentWidget();
      if (!Inside || Covered) {
        EraseCross(crMeasure);
        FCrosses[crMeasure].Shown = false;
        SetMouseCapture(false);
      } else {
        PlaceCross(crMeasure, X, Y);
      }
      break;
    }
    case modeCalculate:
      if (FMousePressed) {
        for (TCrossKind K : {crFirst, crSecond})
          if (FCrosses[K].Series > 0) {
            FCrosses[K].Shown = true;
            DrawCross(K);
          }
        PlaceCross(FMouseButton == mbRight ? crSecond : crFirst, X, Y);
      }
      break;
    case modeRemark:
      break;
  }
  TPaintBox::MouseMove(Shift, X, Y);
}

void TStripChartInteraction::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  const bool Pressed = FMousePressed;
  FMousePressed = false;
  if (FStripMode == modeZoom) {
    if (Button == mbLeft && FZoomDragging) {
      FZoomDragging = false;
      if (FZoomRectShowing) DrawZoomRect();
      FZoomRectShowing = false;
      ZoomTo(FZoomRect);
    } else if (Button == mbRight) {
      Unzoom();
    }
  } else if (FStripMode == modeRemark && Pressed) {
    // The host reports a click for the left button only; a remark is
    // edited with the right one, so both are handled on release.
    Guarded([&] { RemarkClick(FMouseButton, FMousePos.X, FMousePos.Y); });
  }
  TPaintBox::MouseUp(Button, Shift, X, Y);
}

void TStripChartInteraction::Click() {
  if (FStripMode != modeRemark) TPaintBox::Click();
}

// ===========================================================================
// Zoom

void TStripChartInteraction::ZoomTo(const TRect& Dragged) {
  TRect R = Dragged;
  if (R.Left > R.Right) std::swap(R.Left, R.Right);
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
  const TSampleHit H1 = FindSample(R.Left, R.Top);
  const TSampleHit H2 = FindSample(R.Right, R.Top);
  if (H1.Series < 0 || H2.Series < 0) return;
  const Integer I1 = H1.Index, I2 = H2.Index;
  const Extended T1 = BufferIndexTime(I1), T2 = BufferIndexTime(I2);
  const TRect P = PlotRect();
  const Integer N =
      std::max(Trunc((P.Right - P.Left) / kMaxColumns * FSamplesPerBuffer) + 1, I2 - I1 + 1);
  const Double VTop = RowToValue(R.Top), VBottom = RowToValue(R.Bottom);
  if (VTop == VBottom) return;
  if (!Zoomed()) {
    FSavedWindow = FSamplesPerWindow;
    FSavedYMax = FViewYMax;
    FSavedYMin = FViewYMin;
    FSavedXGap = FViewXGap;
    FSavedYGap = FViewYGap;
    FSavedLive = FLiveView;
  }
  const bool Update = FEnableUpdate;
  SetEnableUpdate(false);
  if (!FAutoScale) {
    // The number of value divisions stays.
    SetViewYGap(static_cast<Single>((VTop - VBottom) * FSavedYGap / (static_cast<Double>(FSavedYMax) - FSavedYMin)));
    SetViewYMax(static_cast<Single>(VTop));
    SetViewYMin(static_cast<Single>(VBottom));
  }
  const Extended Inc = FDisplayTimeIncrement;
  if (T2 != T1) {
    // The number of time divisions stays, rounded down to whole samples.
    const Extended Gap = Inc * Trunc64((T2 - T1) * FSavedXGap / (Inc * Inc * FSavedWindow));
    if (Gap > 0) SetViewXGap(static_cast<Double>(Gap));
  }
  if (!FLiveView) {
    FSamplesPerWindow = N;
    if (FPoints.size() < static_cast<size_t>(N) + 1) FPoints.resize(N + 1);
    FWindowOffset = FCount - N;
    FPrevCount = 0;
    MoveWindowTo(false, static_cast<Double>(T2));
  } else {
    FSampleBase = std::nearbyint(FSampleBase);
    FLiveView = false;
    SetSamplesPerWindow(N);
    MoveWindowTo(false, static_cast<Double>(FLogTimeLast));
  }
  SetEnableUpdate(Update);
  InvalidatePlot();
}

void TStripChartInteraction::Unzoom() {
  if (!Zoomed()) return;
  const Integer From = std::max(1, FWindowOffset + 1);
  const Extended TA = BufferIndexTime(From), TB = BufferIndexTime(FCount);
  if (!FSavedLive && TA == TB) return;
  const Integer n = FSamplesPerWindow, N = FSavedWindow;
  const bool Update = FEnableUpdate;
  SetEnableUpdate(false);
  SetViewYMax(FSavedYMax);
  SetViewYMin(FSavedYMin);
  SetViewXGap(FSavedXGap);
  SetViewYGap(FSavedYGap);
  FSavedWindow = -1;
  if (FSavedLive) {
    FLiveView = true;
    SetSamplesPerWindow(N);
    MoveWindowTo(false, static_cast<Double>(FLogTimeLast));
  } else {
    // The saved window is centred on the zoomed one. With a data file the
    // buffer is read anew; without one the buffer is all the data there
    // is, so it is kept and the window moves inside it.
    if (FLogging || FPlaying) {
      FCount = FCached = FPrevCount = 0;
      FSampleBase = 0;
    }
    FSamplesPerWindow = N;
    if (FPoints.size() < static_cast<size_t>(N) + 1) FPoints.resize(N + 1);
    FWindowOffset = FCount - N;
    FPrevCount = 0;
    MoveWindowTo(false, static_cast<Double>(TA + (TB - TA) * N / (2.0L * n)));
  }
  SetEnableUpdate(Update);
  InvalidatePlot();
}

// ===========================================================================
// Remarks

void TStripChartInteraction::RemarkClick(TMouseButton Button, Integer X, Integer Y) {
  EraseCross(crMeasure);
  FCrosses[crMeasure].Shown = false;
  SetMouseCapture(false);
  FSkipMove = true;
  if (!FLogging && !FPlaying) return;
  Remedit::TEditRemark& D = *RemarkDialog();
  if (Button == mbLeft) {
    const TSampleHit Hit = FindSample(X, Y);
    if (Hit.Series >= 0) {
      D.RunNumber = FDisplayRunNumber;
      D.Time = static_cast<Double>(BufferIndexTime(Hit.Index));
      D.Series = Hit.Series;
      D.Flag = dfManual;
      D.Text = DefaultRunComment();
      if (Remedit::RunModal(D) == mrOk) AddRemark(D.RunNumber, D.Series, D.Flag, D.Time, D.Text);
    }
  } else if (Button == mbRight) {
    const Integer From = std::max(1, FWindowOffset + 1);
    if (FCount >= From) {
      const Integer* Xs = FXPos.data();
      const Integer* It = std::upper_bound(Xs + From, Xs + FCount + 1, X);
      const Integer Index = std::max(From, static_cast<Integer>(It - Xs) - 1);
      if (FindNearestRemark(static_cast<Double>(BufferIndexTime(Index)))) {
        const TRemarkRecord& R = FCurrentRemark;
        D.RunNumber = R.RunNumber;
        D.Time = R.Time;
        D.Series = R.Series;
        D.Flag = R.Flag;
        D.Text = R.Text;
        if (Remedit::RunModal(D) == mrOk) UpdateCurrentRemark(D.Text, D.Series, D.Flag);
      }
    }
  }
  InvalidatePlot();
}

// Mark size s: MarkerWidth pixels when above 1, else that fraction of the
// plot height (at least 4); radius r = s div 2. A remark for all series is
// a rounded bar over the plot height, one for a series a circle on its
// trace.
namespace {
constexpr Integer kMarkPen = 3;
}  // namespace

// The mark of a remark of the run shown whose time lies in the window
// (widened by the mark's radius); its sample must be buffered.
TRect TStripChartView::RemarkMarkRect(const TRemarkIndexEntry& E) const {
  if (FCount < 1 || !(FDisplayTimeIncrement > 0)) return {};
  const TRect P = PlotRect();
  const Integer H = Height();
  Integer S;
  if (FMarkerWidth > 1.0f) {
    S = Round(FMarkerWidth);
  } else {
    S = Trunc((H - FGapTop - FGapBottom) * static_cast<Extended>(FMarkerWidth));
    if (S < 4) S = 4;
  }
  const Integer R = S / 2;
  const Integer From = std::max(1, FWindowOffset + 1);
  const Extended Inc = FDisplayTimeIncrement;
  const Integer Width = std::max(1, P.Right - P.Left);
  const Extended Widen = R * FSamplesPerWindow * Inc / Width;
  const Extended Start = BufferIndexTime(From) - Widen, End = BufferIndexTime(FCount) + Widen;
  // Written so that a time that is not a number is left out too.
  if (!(E.Time >= Start && E.Time <= End)) return {};
  const Extended I = std::nearbyint((E.Time - FDisplayStartTime) / Inc - FSampleBase) + 1;
  if (!(I >= 1 && I <= FSamplesPerBuffer && I <= FCount)) return {};
  const auto Index = static_cast<Integer>(I);
  const Integer X = FXPos[Index];
  if (E.Series < 1) return Rect(X - R, FGapTop + 3, X + R, H - FGapBottom - 3);
  if (E.Series > FSeriesNumber) return {};
  const Single* V = SeriesValues(E.Series);
  if (!V || !FSeries[E.Series].Visible) return {};
  const Integer Y = ValueToRow(V[Index]);
  return Rect(X - R, Y - R, X + R, Y + R);
}

void TStripChartView::DrawRemarkMarks(TCanvas& Cv) {
  if (FRemarks.empty()) return;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Width = kMarkPen;
  Cv.Brush().Style = bsClear;
  for (const TRemarkIndexEntry& E : FRemarks) {
    const TRect M = RemarkMarkRect(E);
    if (IsRectEmpty(M)) continue;
    Cv.Pen().Color = E.FilePos == FCurrentRemarkPos ? FMarkerHighlightColor : FMarkerColor;
    const Integer R = (M.Right - M.Left) / 2;
    if (E.Series < 1)
      Cv.RoundRect(M.Left, M.Top, M.Right, M.Bottom, R, R);
    else
      Cv.Ellipse(M.Left, M.Top, M.Right, M.Bottom);
  }
  Cv.Pen().Width = 1;
  Cv.Brush().Style = bsSolid;
}

// The pen of width 3 reaches one pixel outside the shape on every side;
// one more keeps the rounding of the ends inside.
static TRect WithPen(const TRect& M) { return Rect(M.Left - kMarkPen, M.Top - kMarkPen, M.Right + kMarkPen, M.Bottom + kMarkPen); }

void TStripChartView::InvalidateRemarkMarks(std::initializer_list<std::int64_t> FilePositions) {
  for (const TRemarkIndexEntry& E : FRemarks)
    for (const std::int64_t Pos : FilePositions)
      if (Pos >= 0 && E.FilePos == Pos) {
        const TRect M = RemarkMarkRect(E);
        if (!IsRectEmpty(M)) InvalidateRect(WithPen(M));
      }
}

// ===========================================================================
// Automatic scaling

bool TStripChartMapping::CaptureRange() { return AdaptRange(true); }

// Smallest and largest sample of the window over the used series; a
// rescale to a range of 2, 5 or 10 decades units around their middle when
// the samples leave the range or fill less than 0.4 of it.
bool TStripChartMapping::AdaptRange(bool Invalidate) {
  const Integer From = std::max(1, FWindowOffset + 1);
  Single Min = std::numeric_limits<Single>::max(), Max = std::numeric_limits<Single>::lowest();
  for (Integer k = 1; k <= FSeriesNumber; ++k) {
    const Single* V = SeriesValues(k);
    if (!V || FCount < From) {
      Min = std::min(Min, 0.0f);
      Max = std::max(Max, 0.0f);
      continue;
    }
    for (Integer i = From; i <= FCount; ++i) {
      if (!std::isfinite(V[i])) continue;
      Min = std::min(Min, V[i]);
      Max = std::max(Max, V[i]);
    }
  }
  if (Min > Max) Min = Max = 0;
  const bool Log = FGridScale == strpLog;
  const Extended Span = static_cast<Extended>(Max) - Min;
  const bool Outside = Min < FViewYMin || Max > FViewYMax ||
                       Span < 0.4L * (static_cast<Extended>(FViewYMax) - FViewYMin);
  if (!((Span != 0 && Outside) || (Log && FViewYMin <= 0))) return false;
  Single YMin = FViewYMin, YMax = FViewYMax, YGap = FViewYGap;
  if (Span > 0) {
    Integer E = Trunc(std::log10(Span));
    if (Span < 1) --E;
    const Extended Pw = std::pow(10.0L, E);
    Integer M = Round(Span / Pw);
    if (Span / Pw > M) ++M;
    const Integer Nice = M <= 2 ? 2 : M <= 5 ? 5 : 10;
    YMin = static_cast<Single>((static_cast<Extended>(Min) + Max) / 2 - Nice * Pw / 2);
    YMax = static_cast<Single>(YMin + Nice * Pw);
    YGap = (YMax - YMin) / 4;
  }
  if (Log) {
    if (YMax <= 0) YMax = 0.1f;
    if (YMin <= 0) YMin = 0.01f * YMax;
  }
  // Data near the ends of the Single range: a span around it overflows.
  if (!std::isfinite(YMin) || !std::isfinite(YMax)) return false;
  if (YMin == FViewYMin && YMax == FViewYMax && YGap == FViewYGap) return false;
  FViewYMin = YMin;
  FViewYMax = YMax;
  FViewYGap = YGap;
  if (Invalidate) InvalidatePlot();
  return true;
}

// ===========================================================================
// Colour drops

TStripChartInteraction::TDropTarget TStripChartInteraction::DropTargetAt(Integer X, Integer Y) {
  const TRect P = PlotRect();
  TDropTarget T;
  if (!InPlot(P, X, Y)) {
    const TPoint Pt = Point(X, Y);
    if (X >= P.Left - kAxisStrip && X < P.Left && Y >= P.Top && Y <= P.Bottom)
      T.Kind = dtYAxis;
    else if (Y > P.Bottom && Y <= P.Bottom + kAxisStrip && X >= P.Left && X <= P.Right)
      T.Kind = dtXAxis;
    else if (PtInRect(FTitleRects[tpLeft], Pt))
      T.Kind = dtTitleLeft;
    else if (PtInRect(FTitleRects[tpRight], Pt))
      T.Kind = dtTitleRight;
    else if (PtInRect(FTitleRects[tpBottom], Pt))
      T.Kind = dtTitleBottom;
    else if (PtInRect(FTitleRects[tpTop], Pt))
      T.Kind = dtTitleTop;
    else
      T.Kind = dtControl;
    return T;
  }
  // Inside: the nearest trace sample, vertical and horizontal grid line.
  Extended Best = std::numeric_limits<Extended>::infinity();
  const Integer From = std::max(1, FWindowOffset + 1);
  const Integer To = std::min(FCount, FSamplesPerBuffer);
  if (ViewRangeValid()) {
    for (Integer k = 1; k <= FSeriesNumber; ++k) {
      const Single* V = SeriesValues(k);
      if (!V || !FSeries[k].Visible) continue;
      for (Integer i = From; i <= To; ++i) {
        const Extended Dx = FXPos[i] - X, Dy = ValueToRow(V[i]) - Y;
        const Extended D = std::sqrt(Dx * Dx + Dy * Dy);
        if (D < Best) {
          Best = D;
          T = {dtSeries, k};
        }
      }
    }
    if (FGridVisible == grdVer || FGridVisible == grdBoth)
      for (const TValueMark& M : LayoutValueAxis().Grid)
        if (std::abs(M.Row - Y) < Best) {
          Best = std::abs(M.Row - Y);
          T = {dtGrid, 0};
        }
    // The time grid as the paint lays it out.
    if (FGridVisible == grdHor || FGridVisible == grdBoth)
      for (const Integer Index : TimeGridIndices(From, To)) {
        const Integer D = std::abs(FXPos[Index] - X);
        if (D < Best) {
          Best = D;
          T = {dtGrid, 0};
        }
      }
  }
  if (!(Best <= kDropReach)) T = {dtBackground, 0};
  return T;
}

TColor TStripChartInteraction::DropTargetColor(const TDropTarget& T) {
  switch (T.Kind) {
    case dtYAxis: return FFontYAxis.Color();
    case dtXAxis: return FFontXAxis.Color();
    case dtTitleLeft: return FFontTitleLeft.Color();
    case dtTitleRight: return FFontTitleRight.Color();
    case dtTitleBottom: return FFontTitleBottom.Color();
    case dtTitleTop: return FFontTitleTop.Color();
    case dtControl: return Color();
    case dtSeries: return T.Series >= 1 && T.Series <= kMaxSeries ? FSeries[T.Series].Color : 0;
    case dtGrid: return FGridColor;
    case dtBackground: return FBkColor;
    case dtNone: break;
  }
  return 0;
}

void TStripChartInteraction::SetDropTargetColor(const TDropTarget& T, TColor C) {
  switch (T.Kind) {
    case dtYAxis: FFontYAxis.SetColor(C); break;
    case dtXAxis: FFontXAxis.SetColor(C); break;
    case dtTitleLeft: FFontTitleLeft.SetColor(C); break;
    case dtTitleRight: FFontTitleRight.SetColor(C); break;
    case dtTitleBottom: FFontTitleBottom.SetColor(C); break;
    case dtTitleTop: FFontTitleTop.SetColor(C); break;
    case dtControl: SetColor(C); break;
    case dtSeries:
      if (T.Series >= 1 && T.Series <= kMaxSeries && FSeries[T.Series].Color != C) {
        FSeries[T.Series].Color = C;
        InvalidatePlot();
      }
      break;
    case dtGrid: SetGridColor(C); break;
    case dtBackground: SetBkColor(C); break;
    case dtNone: break;
  }
}

bool TStripChartInteraction::ColorOfSource(TObject* Source, TColor& C) const {
  const auto* Grid = dynamic_cast<const Colorhis::TColorGridHisto*>(Source);
  if (!Grid) return false;
  C = Grid->SelectColor();
  return true;
}

void TStripChartInteraction::PreviewDrop(const TDropTarget& T, TColor C) {
  FDropTarget = T;
  FDropOldColor = DropTargetColor(T);
  SetDropTargetColor(T, C);
}

void TStripChartInteraction::EndPreview(bool Keep) {
  if (FDropTarget.Kind == dtNone) return;
  const TDropTarget T = FDropTarget;
  FDropTarget = {};
  if (!Keep) SetDropTargetColor(T, FDropOldColor);
}

// The part under the mouse previews the grid's colour; moving to another
// part or leaving the chart gives the old colour back.
void TStripChartInteraction::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  TColor C = 0;
  Accept = ColorOfSource(Source, C);
  if (!Accept) return;
  if (State == dsDragLeave) {
    EndPreview(false);
    return;
  }
  // The hit test sees the colours before the preview.
  const TDropTarget Old = FDropTarget;
  const TColor OldColor = FDropOldColor;
  EndPreview(false);
  const TDropTarget T = DropTargetAt(X, Y);
  if (T == Old) {
    FDropTarget = T;
    FDropOldColor = OldColor;
    SetDropTargetColor(T, C);
    return;
  }
  PreviewDrop(T, C);
}

void TStripChartInteraction::DragDrop(TObject* Source, Integer X, Integer Y) {
  TColor C = 0;
  if (!ColorOfSource(Source, C)) return;
  EndPreview(false);
  PreviewDrop(DropTargetAt(X, Y), C);
  EndPreview(true);
}

}  // namespace quellix::StrpChrtInt
