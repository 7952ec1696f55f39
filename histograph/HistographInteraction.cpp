// THistographInt mouse modes: the measuring cross that snaps to the nearest
// curve point, the two calculation crosses, reshaping a reference curve
// with a band of Gaussian weights, rubber-rectangle zoom with one-step
// undo, colour drops from the colour grid, and the two tool windows.
#include <algorithm>
#include <cmath>
#include <limits>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/histograph/ValueBar.h"
#include "quellix/histograph/ToolBar.h"
#include "quellix/host/NumberFormat.h"

namespace quellix::HistoInt {

namespace {

Integer PixelClamp(Extended V) {
  if (std::isnan(V)) return CoordLimit;
  return Trunc(std::clamp<Extended>(V, -CoordLimit, CoordLimit));
}

}  // namespace

// w_i = (exp(-12 (i - n/2)^2 / n^2) - 0.04978) * 1.05239, i = 1..n; the two
// outermost weights on each side are damped further for wide bands.
std::vector<Extended> ReferenceWeights(Integer N) {
  if (N < 1) return {};
  if (N == 1) return {1.0L};
  std::vector<Extended> W(N);
  const Extended Nn = Extended(N) * N;
  for (Integer i = 1; i <= N; ++i) {
    const Extended D = i - 0.5L * N;
    W[i - 1] = (std::exp(-12 * D * D / Nn) - 0.04978L) * 1.05239L;
  }
  if (N > 10) {
    W[0] *= 0.1L;
    W[N - 1] *= 0.1L;
    W[1] *= 0.5L;
    W[N - 2] *= 0.5L;
  }
  return W;
}

// The interaction exists only as a part of the component.
THistographInt* THistoInteraction::Component() { return static_cast<THistographInt*>(this); }

void THistoInteraction::InitInteraction() {
  OnDragOver = [this](TObject*, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
    ColorDragOver(Source, X, Y, State, Accept);
  };
  OnDragDrop = [this](TObject*, TObject* Source, Integer X, Integer Y) { ColorDragDrop(Source, X, Y); };
}

// ---------------------------------------------------------------------------
// Pixels and values

Extended THistoInteraction::XValueAt(Integer Px) const {
  const TRect P = PlotRect();
  if (LogX()) return std::exp((Px - FLogOX) / FLogFX);
  return FViewXCurrentMin + Extended(Px - P.Left) * (Extended(FViewXCurrentMax) - FViewXCurrentMin) / (P.Right - P.Left);
}

Extended THistoInteraction::YValueAt(Integer Py) const {
  const TRect P = PlotRect();
  if (LogY()) return std::exp((Py - FLogOY) / FLogFY);
  return FViewYMin + Extended(P.Bottom - Py) * (Extended(FViewYMax) - FViewYMin) / (P.Bottom - P.Top);
}

Integer THistoInteraction::XPixelOf(Extended X) const {
  if (LogX()) return LogXPixel(X);
  const TRect P = PlotRect();
  return PixelClamp(P.Left + (X - FViewXCurrentMin) * (P.Right - P.Left) / (Extended(FViewXCurrentMax) - FViewXCurrentMin));
}

Integer THistoInteraction::YPixelOf(Extended Y) const {
  if (LogY()) return LogYPixel(Y);
  const TRect P = PlotRect();
  const Extended T = P.Bottom + (FViewYMin - Y) * (P.Bottom - P.Top) / (Extended(FViewYMax) - FViewYMin);
  if (std::isnan(T)) return CoordLimit;
  return PixelClamp(std::trunc(T) + 1);
}

bool THistoInteraction::InPlot(Integer X, Integer Y) const {
  const TRect P = PlotRect();
  return X >= P.Left && X <= P.Right && Y >= P.Top && Y <= P.Bottom;
}

// ---------------------------------------------------------------------------
// Nearest point and crosses

// The sample of a Yt or reference series nearest to pixel column Mx (1..Count).
Integer THistoInteraction::NearestSample(const THistoSeries& S, Integer Mx) const {
  const Integer Count = S.Count;
  if (Count <= 1) return 1;
  const TRect P = PlotRect();
  const Extended NomSpan = Extended(FViewXNominalMax) - FViewXNominalMin;
  Extended Pos;
  if (!LogX()) {
    // Sample i lies at x0 + i dx, as the curve is drawn.
    const Extended PW = P.Right - P.Left, CurSpan = Extended(FViewXCurrentMax) - FViewXCurrentMin;
    const Extended Dx = PW * NomSpan / CurSpan / (Count - 1);
    const Extended X0 = P.Left + PW * (FViewXNominalMin - Extended(FViewXCurrentMin)) / CurSpan - Dx;
    Pos = (Mx - X0) / Dx;
  } else {
    Pos = (XValueAt(Mx) - FViewXNominalMin) / (NomSpan / (Count - 1)) + 1;
  }
  if (std::isnan(Pos)) return 1;
  return Round(std::clamp<Extended>(Pos, 1, Count));
}

TNearestPoint THistoInteraction::NearestPoint(Integer Mx, Integer My) const {
  TNearestPoint Best;
  const Extended Y0 = YValueAt(My);
  Extended BestDist = std::numeric_limits<Extended>::infinity();
  for (Integer k = 1; k <= FSeriesNumber; ++k) {
    const THistoSeries& S = Series(k);
    if (!S.HasData()) continue;
    Integer Index;
    Extended X, Y;
    if (S.Style == dtDataXY) {
      // Bisection on the ascending X values, then the nearer neighbour.
      const Extended Xm = XValueAt(Mx);
      Integer Lo = 0, Hi = S.Count - 1;
      while (Hi - Lo > 1) {
        const Integer Mid = Lo + (Hi - Lo) / 2;
        if (S.Data[2 * qsizetype(Mid)] <= Xm)
          Lo = Mid;
        else
          Hi = Mid;
      }
      Integer I = Lo;
      if (std::fabs(S.Data[2 * qsizetype(Hi)] - Xm) < std::fabs(S.Data[2 * qsizetype(Lo)] - Xm)) I = Hi;
      Index = I + 1;
      X = S.Data[2 * qsizetype(I)];
      Y = S.Data[2 * qsizetype(I) + 1];
    } else {
      Index = NearestSample(S, Mx);
      X = S.Count > 1 ? FViewXNominalMin + (Index - 1) * (Extended(FViewXNominalMax) - FViewXNominalMin) / (S.Count - 1)
                      : Extended(FViewXNominalMin);
      Y = S.Data[Index - 1];
    }
    const Extended D = std::fabs(Y - Y0);
    if (D < BestDist) {  // ties keep the earlier series; NaN never wins
      BestDist = D;
      Best = {k, Index, Single(X), Single(Y)};
    }
  }
  return Best;
}

bool THistoInteraction::PlaceCross(Integer I, Integer Mx, Integer My, bool EraseFirst) {
  if (I < 0 || I > 2) return false;
  const TNearestPoint N = NearestPoint(Mx, My);
  if (N.Serie == 0) return false;
  TCross& C = FCrosses[I];
  if (EraseFirst && C.Visible) DrawCross(C);
  C.X = N.X;
  C.Y = N.Y;
  C.Serie = N.Serie;
  C.Color = Series(N.Serie).Color;
  C.Pixel = {XPixelOf(N.X), YPixelOf(N.Y)};
  C.Mouse = {Mx, My};
  C.Visible = true;
  DrawCross(C);
  if (FMode == modeMeasure) {
    if (OnCrossMove) OnCrossMove(this, N.X, N.Y, N.Serie, N.Index);
    emit crossMove(this, N.X, N.Y, N.Serie, N.Index);
    if (FValueBar && FValueBar->isVisible()) FValueBar->ShowMeasure(N.Serie, N.X, N.Y);
  } else if (FMode == modeCalculate) {
    const TCross &A = FCrosses[0], &B = FCrosses[1];
    if (OnCalculate) OnCalculate(this, A.Serie, B.Serie, A.X, B.X, A.Y, B.Y);
    emit calculate(this, A.Serie, B.Serie, A.X, B.X, A.Y, B.Y);
    if (FValueBar && FValueBar->isVisible()) FValueBar->ShowCalculate(A.Serie, A.X, A.Y, B.Serie, B.X, B.Y);
  }
  return true;
}

// ---------------------------------------------------------------------------
// Mode and mouse

void THistoInteraction::SetMode(TMode Value) {
  const TChangeScope Changes;
  if (Value > modeCalculate || Value == FMode) return;
  FMode = Value;
  if (Value != modeCalculate) {
    FCrosses[0].Visible = false;
    FCrosses[1].Visible = false;
  } else {
    FCrosses[2].Visible = false;
  }
  if (FValueBar) FValueBar->ShowCalculateGroups(Value == modeCalculate);
  Invalidate();
}

void THistoInteraction::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FButton = Button;
  FButtonDown = true;
  switch (FMode) {
    case modeCalculate:
      if (Button == mbLeft || Button == mbRight) {
        PlaceCross(Button == mbLeft ? 0 : 1, X, Y, true);
        return;
      }
      break;
    case modeZoom:
      if (Button == mbLeft) {
        FZoomRubber = Rect(X, Y, X, Y);
        DrawZoomRubber();
        FZoomRubberOnScreen = true;
      }
      break;
    case modeLowerRef:
    case modeUpperRef:
      if (Button == mbLeft && InPlot(X, Y)) StartReference(X, Y);
      break;
    case modeMeasure:
      break;
  }
  TPaintBox::MouseDown(Button, Shift, X, Y);
}

void THistoInteraction::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TPaintBox::MouseMove(Shift, X, Y);
  switch (FMode) {
    case modeMeasure:
      if (FShowCross) MeasureMove(X, Y);
      break;
    case modeCalculate:
      if (FButtonDown) CalculateFollow(X, Y);
      break;
    case modeZoom:
      if (FZoomRubberOnScreen) {
        DrawZoomRubber();
        FZoomRubber.Right = X;
        FZoomRubber.Bottom = Y;
        DrawZoomRubber();
      }
      break;
    case modeLowerRef:
    case modeUpperRef:
      if (FRefDragging) MoveReference(X, Y);
      break;
  }
}

void THistoInteraction::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  const bool WasDown = FButtonDown;
  FButtonDown = false;
  switch (FMode) {
    case modeCalculate:
      if (WasDown) {
        FButtonDown = true;  // the follow step looks at the held button
        CalculateFollow(X, Y);
        FButtonDown = false;
      }
      break;
    case modeZoom:
      ZoomRelease(Button, Shift, X, Y);
      return;
    case modeLowerRef:
    case modeUpperRef:
      if (FRefDragging) EndReference();
      break;
    case modeMeasure:
      break;
  }
  TPaintBox::MouseUp(Button, Shift, X, Y);
}

// The measuring cross follows the mouse while it is over the plot; the
// capture tells when it leaves.
void THistoInteraction::MeasureMove(Integer X, Integer Y) {
  const bool Inside = InPlot(X, Y);
  // A hidden control cannot be covered by another window.
  const bool OverSelf = !isVisible() || WindowFromPoint(ClientToScreen({X, Y})) == this;
  if (!MouseCapture() && Inside) {
    SetMouseCapture(true);
    PlaceCross(2, X, Y, true);
  } else if (MouseCapture() && Inside && OverSelf) {
    PlaceCross(2, X, Y, true);
  } else {
    if (FCrosses[2].Visible) DrawCross(FCrosses[2]);
    FCrosses[2].Visible = false;
    SetMouseCapture(false);
  }
}

void THistoInteraction::CalculateFollow(Integer X, Integer Y) {
  for (Integer i = 0; i < 2; ++i)
    if (!FCrosses[i].Visible) PlaceCross(i, FCrosses[i].Mouse.X, FCrosses[i].Mouse.Y, false);
  if (FButton == mbLeft) PlaceCross(0, X, Y, true);
  if (FButton == mbRight) PlaceCross(1, X, Y, true);
}

// ---------------------------------------------------------------------------
// Zoom

void THistoInteraction::ZoomRelease(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft && FZoomRubberOnScreen) {
    DrawZoomRubber();
    FZoomRubberOnScreen = false;
    TRect R = FZoomRubber;
    if (R.Left > R.Right) std::swap(R.Left, R.Right);
    if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
    const Extended X1 = XValueAt(R.Left), X2 = XValueAt(R.Right);
    const Extended Yt = YValueAt(R.Top), Yb = YValueAt(R.Bottom);
    // Stop on an empty rectangle, or when the pixel coordinates or the
    // number of grid lines of the new view would get out of hand.
    if (X1 == X2 || (Width() - FGapRight - FGapLeft - 1) * X1 / (X2 - X1) > 32760 || Yt == Yb ||
        (Height() - FGapBottom - FGapTop) * Extended(FViewYGap) / (Yt - Yb) > 32760)
      return;
    if (!FZoomed)
      FSavedView = {FViewYMin, FViewYMax, FViewXCurrentMin, FViewXCurrentMax, FViewXGap, FViewYGap};
    const TSavedView& S = FSavedView;
    SetEnableUpdate(false);
    SetViewYMax(Single(Yt));
    SetViewYMin(Single(Yb));
    if (!FAutoScale) SetViewYGap(Single((Yt - Yb) * S.YGap / (Extended(S.YMax) - S.YMin)));
    SetViewXGap(Single((X2 - X1) * S.XGap / (Extended(S.XCurrentMax) - S.XCurrentMin)));
    SetViewXCurrentMin(Single(X1));
    SetViewXCurrentMax(Single(X2));
    SetEnableUpdate(true);
    FZoomed = true;
  } else if (Button == mbRight && FZoomed) {
    const TSavedView& S = FSavedView;
    SetEnableUpdate(false);
    SetViewYGap(S.YGap);
    SetViewYMax(S.YMax);
    SetViewYMin(S.YMin);
    SetViewXGap(S.XGap);
    SetViewXCurrentMin(S.XCurrentMin);
    SetViewXCurrentMax(S.XCurrentMax);
    FZoomed = false;
    SetEnableUpdate(true);
  }
  TPaintBox::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------
// Reshaping a reference curve

void THistoInteraction::StartReference(Integer X, Integer Y) {
  FRefPress = {X, Y};
  const TDataKind Want = FMode == modeLowerRef ? dtLowerRef : dtUpperRef;
  Integer K = 0;
  for (Integer k = 1; k <= FSeriesNumber && K == 0; ++k)
    if (Series(k).Style == Want) K = k;
  if (K == 0 || !Series(K).HasData()) {
    FMode = modeMeasure;  // nothing to edit: plain measuring, without a repaint
    return;
  }
  const THistoSeries& S = Series(K);
  const Integer N = std::max(1, FReferenceRubberWidth);
  FRefSerie = K;
  FRefOld.assign(S.Data, S.Data + S.Count);
  FRefShadow = FRefOld;
  FRefWeights = ReferenceWeights(N);
  FRefCentre = NearestSample(S, X);
  FRefCentreX = S.Count > 1 ? FViewXNominalMin + (FRefCentre - 1) * (Extended(FViewXNominalMax) - FViewXNominalMin) /
                                                    (S.Count - 1)
                            : Extended(FViewXNominalMin);
  FRefFirst = FRefCentre - N / 2;
  FRefLast = std::min(FRefFirst + N - 1, S.Count);
  FRefOffset = 0;
  if (FRefFirst < 1) {
    FRefOffset = 1 - FRefFirst;
    FRefFirst = 1;
  }
  const TRect P = PlotRect();
  const Integer Xa = std::clamp(SamplePixel(S, FRefFirst, 0).X, P.Left, P.Right);
  const Integer Xb = std::clamp(SamplePixel(S, FRefLast, 0).X, P.Left, P.Right);
  FRefBand = Rect(Xa, P.Top, Xb + 1, P.Bottom + 1);
  FRefDragging = true;
}

// The pixel of sample I (1-based) with value V, as the curve is drawn.
TPoint THistoInteraction::SamplePixel(const THistoSeries& S, Integer I, Extended V) const {
  const TRect P = PlotRect();
  const Extended PW = P.Right - P.Left, PH = P.Bottom - P.Top;
  const Extended NomSpan = Extended(FViewXNominalMax) - FViewXNominalMin;
  Integer Px;
  if (!LogX()) {
    const Extended CurSpan = Extended(FViewXCurrentMax) - FViewXCurrentMin;
    const Extended Dx = S.Count > 1 ? PW * NomSpan / CurSpan / (S.Count - 1) : 0;
    const Extended X0 = P.Left + PW * (FViewXNominalMin - Extended(FViewXCurrentMin)) / CurSpan - Dx;
    Px = PixelClamp(X0 + I * Dx);
  } else {
    const Extended Step = S.Count > 1 ? NomSpan / (S.Count - 1) : 0;
    Px = LogXPixel(FViewXNominalMin + (I - 1) * Step);
  }
  Integer Py;
  if (LogY()) {
    Py = LogYPixel(V);
  } else {
    const Extended YSpan = Extended(FViewYMax) - FViewYMin;
    const Extended T = P.Bottom + PH * FViewYMin / YSpan - PH / YSpan * V;
    Py = std::isnan(T) ? CoordLimit : PixelClamp(std::trunc(T) + 1);
  }
  return {Px, Py};
}

// The edited band of the shadow curve in XOR: drawing it twice leaves no trace.
void THistoInteraction::DrawShadow() {
  const THistoSeries& S = Series(FRefSerie);
  TCanvas& Cv = Canvas();
  const int Saved = Cv.SaveDC();
  Cv.SelectClipRect(FRefBand);
  Cv.Pen().Color = S.Color;
  Cv.Pen().Style = S.LineStyle;
  Cv.Pen().Width = 1;
  Cv.Pen().Mode = pmNotXor;
  Cv.SetBkMode(bkTransparent);
  std::vector<TPoint> Pts;
  for (Integer i = FRefFirst; i <= FRefLast; ++i) Pts.push_back(SamplePixel(S, i, FRefShadow[i - 1]));
  if (Pts.size() == 1) Pts.push_back({Pts[0].X + 1, Pts[0].Y});
  Cv.Polyline(Pts);
  Cv.RestoreDC(Saved);
}

void THistoInteraction::MoveReference(Integer X, Integer Y) {
  (void)X;
  const Integer Dy = FRefPress.Y - Y;  // upwards positive
  const auto Weight = [this](Integer i) { return FRefWeights[i - FRefFirst + FRefOffset]; };
  std::vector<Single> New(FRefShadow);
  if (!LogY()) {
    const Extended Dv = Dy * (Extended(FViewYMax) - FViewYMin) / (Height() - FGapTop - FGapBottom);
    for (Integer i = FRefFirst; i <= FRefLast; ++i) New[i - 1] = Single(FRefOld[i - 1] + Dv * Weight(i));
  } else {
    // Multiplying by a positive factor keeps every value's sign.
    const Extended F = std::exp(Dy / std::fabs(FLogFY));
    for (Integer i = FRefFirst; i <= FRefLast; ++i) New[i - 1] = Single(FRefOld[i - 1] * ((F - 1) * Weight(i) + 1));
  }
  const Single Vc = New[FRefCentre - 1];
  if (FShowValues)
    DrawValueBox(FRefCentreX, Vc);
  else if (Wanted(OnReferenceMove, &THistographInt::referenceMove)) {
    if (OnReferenceMove) OnReferenceMove(this, Single(FRefCentreX), Vc, FRefSerie, FRefCentre);
    emit referenceMove(this, Single(FRefCentreX), Vc, FRefSerie, FRefCentre);
  }
  DrawShadow();  // old shape off
  FRefShadow.swap(New);
  DrawShadow();  // new shape on
}

void THistoInteraction::DrawValueBox(Extended X, Extended V) {
  TCanvas& Cv = Canvas();
  const int Saved = Cv.SaveDC();
  Cv.Pen().Color = FGridColor;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Width = 1;
  Cv.Pen().Mode = pmCopy;
  Cv.Brush().Color = EffectiveColor();
  Cv.Brush().Style = bsSolid;
  Cv.Font().Assign(Font());
  Cv.SetBkMode(bkOpaque);
  const QString Fmt = QStringLiteral("#.##E-00");
  const QString Text = QStringLiteral("X=") + FormatFloat(Fmt, X) + QStringLiteral(" Y=") + FormatFloat(Fmt, V);
  const Integer W = Cv.TextWidth(QStringLiteral("X=#.##E-00 Y=#.##E-00")) + 20;
  const Integer H = Cv.TextHeight(Text) + 20;
  Cv.Rectangle(1, Height() - H, W, Height() - 1);
  Cv.TextOut(10, Height() - H + 10, Text);
  Cv.RestoreDC(Saved);
}

void THistoInteraction::EndReference() {
  THistoSeries& S = Slot(FRefSerie);
  // The series may have been given new data while the mouse was held:
  // write back only into the copy the drag started from.
  if (S.Owned && S.Count == Integer(FRefShadow.size()) && S.Own.size() >= FRefShadow.size())
    std::copy(FRefShadow.begin() + (FRefFirst - 1), FRefShadow.begin() + FRefLast, S.Own.begin() + (FRefFirst - 1));
  FRefDragging = false;
  std::vector<Single>().swap(FRefShadow);
  std::vector<Single>().swap(FRefOld);
  std::vector<Extended>().swap(FRefWeights);
  FCrosses[2].Visible = false;
  Invalidate();
}

// ---------------------------------------------------------------------------
// Colour drop

TColorTarget THistoInteraction::ColorTargetAt(Integer X, Integer Y, Integer& Serie) {
  Serie = -1;
  const Integer W = Width(), H = Height();
  const auto In = [X, Y](const TRect& R) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; };
  if (In(Rect(FGapLeft, FGapTop, W - FGapRight + 1, H - FGapBottom + 1))) {
    TColorTarget Kind = ctPlotBackground;
    Extended Best = std::numeric_limits<Extended>::infinity();
    const TNearestPoint N = NearestPoint(X, Y);
    if (N.Serie != 0) {
      const Extended Dx = X - XPixelOf(N.X), Dy = Y - YPixelOf(N.Y);
      Best = std::sqrt(Dx * Dx + Dy * Dy);
      Kind = ctSeries;
      Serie = N.Serie;
    }
    if (FGridVisible == grdVer || FGridVisible == grdBoth)
      for (const TAxisMark& M : LayoutXAxis().Grid)
        if (std::abs(X - M.Pixel) < Best) {
          Best = std::abs(X - M.Pixel);
          Kind = ctGrid;
        }
    if (FGridVisible == grdHor || FGridVisible == grdBoth)
      for (const TAxisMark& M : LayoutYAxis().Grid)
        if (std::abs(Y - M.Pixel) < Best) {
          Best = std::abs(Y - M.Pixel);
          Kind = ctGrid;
        }
    if (Best > 3) Kind = ctPlotBackground;
    if (Kind != ctSeries) Serie = -1;
    return Kind;
  }
  TColorTarget Kind = ctControlBackground;
  if (In(Rect(FGapLeft - 10, FGapTop, FGapLeft, H - FGapBottom + 1))) Kind = ctYLabels;
  if (In(Rect(FGapLeft, H - FGapBottom + 1, W - FGapRight + 1, H - FGapBottom + 11))) Kind = ctXLabels;
  // Only titles that are shown; the later match wins.
  const std::pair<TTitlePlace, TColorTarget> Titles[] = {
      {tpLeft, ctTitleLeft}, {tpRight, ctTitleRight}, {tpBottom, ctTitleBottom}, {tpTop, ctTitleTop}};
  for (const auto& [Place, Target] : Titles)
    if (!FTitles[Place].isEmpty() && In(FTitleRects[Place])) Kind = Target;
  return Kind;
}

TColor THistoInteraction::TargetColor(TColorTarget Target, Integer Serie) {
  switch (Target) {
    case ctSeries: return Serie >= 1 && Serie <= MaxSeries ? Series(Serie).Color : clWhite;
    case ctGrid: return FGridColor;
    case ctPlotBackground: return FBkColor;
    case ctTitleLeft: return FFontTitleLeft.Color();
    case ctTitleRight: return FFontTitleRight.Color();
    case ctTitleTop: return FFontTitleTop.Color();
    case ctTitleBottom: return FFontTitleBottom.Color();
    case ctYLabels: return FFontYAxis.Color();
    case ctXLabels: return FFontXAxis.Color();
    case ctControlBackground: return Color();
    case ctNone: break;
  }
  return clWhite;
}

void THistoInteraction::SetTargetColor(TColorTarget Target, Integer Serie, TColor Value) {
  switch (Target) {
    case ctSeries:
      if (Serie >= 1 && Serie <= MaxSeries) Slot(Serie).Color = Value;
      break;
    case ctGrid: FGridColor = Value; break;
    case ctPlotBackground: FBkColor = Value; break;
    case ctTitleLeft: FFontTitleLeft.SetColor(Value); break;
    case ctTitleRight: FFontTitleRight.SetColor(Value); break;
    case ctTitleTop: FFontTitleTop.SetColor(Value); break;
    case ctTitleBottom: FFontTitleBottom.SetColor(Value); break;
    case ctYLabels: FFontYAxis.SetColor(Value); break;
    case ctXLabels: FFontXAxis.SetColor(Value); break;
    case ctControlBackground: SetColor(Value); break;
    case ctNone: return;
  }
  Invalidate();
}

void THistoInteraction::UndoPreview() {
  if (FPreviewTarget != ctNone) SetTargetColor(FPreviewTarget, FPreviewSerie, FPreviewColor);
  FPreviewTarget = ctNone;
  FPreviewSerie = -1;
  FPreviewColor = clWhite;
}

void THistoInteraction::ColorDragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  const auto* Grid = dynamic_cast<Colorhis::TColorGridHisto*>(Source);
  Accept = Grid != nullptr;
  if (!Accept) return;
  if (State == dsDragLeave) {
    UndoPreview();
    Invalidate();
    return;
  }
  Integer Serie;
  const TColorTarget T = ColorTargetAt(X, Y, Serie);
  if (T == FPreviewTarget && (T != ctSeries || Serie == FPreviewSerie)) return;
  UndoPreview();
  FPreviewTarget = T;
  FPreviewSerie = Serie;
  FPreviewColor = TargetColor(T, Serie);
  SetTargetColor(T, Serie, Grid->SelectColor());
  Invalidate();
}

void THistoInteraction::ColorDragDrop(TObject* Source, Integer X, Integer Y) {
  const auto* Grid = dynamic_cast<Colorhis::TColorGridHisto*>(Source);
  if (!Grid) return;
  UndoPreview();  // the drop decides anew where the colour goes
  Integer Serie;
  const TColorTarget T = ColorTargetAt(X, Y, Serie);
  SetTargetColor(T, Serie, Grid->SelectColor());
}

// ---------------------------------------------------------------------------
// Tool windows

void THistoInteraction::SetShowToolBar(bool Value) {
  const TChangeScope Changes;
  FShowToolBar = Value;
  if (Value) {
    if (IsDesigning()) return;
    if (!FToolBar) FToolBar = new Etb::TFormToolBar(Component());
    FToolBar->show();
    FToolBar->SyncButtons();
    UpdateToolCaptions();
  } else if (FToolBar) {
    FToolBar->hide();
  }
}

bool THistoInteraction::ShowValueBar() const { return FValueBar && FValueBar->isVisible(); }

void THistoInteraction::SetShowValueBar(bool Value) {
  const TChangeScope Changes;
  if (Value) {
    if (IsDesigning()) return;
    if (!FValueBar) FValueBar = new Eca::TFormValueBar(Component());
    FValueBar->show();
    UpdateToolCaptions();
    FValueBar->ShowCalculateGroups(FMode != modeMeasure);
  } else if (FValueBar) {
    FValueBar->hide();
  }
}

void THistoInteraction::UpdateToolCaptions() {
  if (FToolBar) FToolBar->SetCaption(tr("Werkzeuge: ") + TitleTop());
  if (FValueBar) FValueBar->SetCaption(tr("Anzeige: ") + TitleTop());
}

void THistoInteraction::FreeToolWindows() {
  delete FToolBar;
  FToolBar = nullptr;
  delete FValueBar;
  FValueBar = nullptr;
}

}  // namespace quellix::HistoInt
