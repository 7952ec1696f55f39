// TStripChartInt drawing: the drawing properties, the error display, the
// margins with their titles, the 3-D frames, the plot with its time and
// value grids and the traces, the value-axis and time-axis labels, the
// off-screen paint, and the incremental scroll that moves the picture and
// paints only the uncovered strip.
//
// The plot rectangle (Left, Top, Right, Bottom) = (GapLeft, GapTop,
// Width - GapRight, Height - GapBottom) is drawn on including Right and
// Bottom: the newest sample sits on column Right. The sunken frame lies one
// pixel outside it.
#include <QDate>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <unordered_map>

#include "quellix/host/NumberFormat.h"
#include "quellix/host/ScaleSteps.h"
#include "quellix/stripchart/StripChartEngine.h"
#include "quellix/stripchart/StripChartRows.h"

namespace quellix::StrpChrtInt {

namespace {

constexpr Integer kMaxGridLines = 999;
const QString kRangeErrorText = QStringLiteral("Range-Error in ViewY-Properties");

template <class T>
bool Store(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

// The numeric view properties take only finite numbers: an infinite or
// NaN range or spacing has no picture, and would stay until replaced.
template <class T>
bool StoreFinite(T& Field, const T& Value) {
  return std::isfinite(Value) && Store(Field, Value);
}

// The label text of a time, kept: a scrolling chart shows the same label
// times frame after frame. By unit class, time and decimal separator (the
// texts depend on nothing else); a few thousand at most.
const QString& CachedTimeLabel(Integer UnitClass, Extended T) {
  struct TKey {
    Integer Unit;
    Extended Time;
    char16_t Separator;
    bool operator==(const TKey&) const = default;
  };
  struct THash {
    size_t operator()(const TKey& K) const {
      return std::hash<Extended>()(K.Time) ^ (static_cast<size_t>(K.Unit) * 0x9E3779B97F4A7C15ull) ^ K.Separator;
    }
  };
  thread_local std::unordered_map<TKey, QString, THash> Texts;
  const TKey Key{UnitClass, T, DecimalSeparator().unicode()};
  const auto Found = Texts.find(Key);
  if (Found != Texts.end()) return Found->second;
  if (Texts.size() >= 4096) Texts.clear();
  return Texts.emplace(Key, TStripChartInt::TimeLabelText(UnitClass, T)).first->second;
}

}  // namespace

// ===========================================================================
// Value mapping

// Linear: y(v) = Trunc(c0 + c1 v), c1 = -H / (max - min),
// c0 = Bottom + H min / (max - min), so min lies on Bottom and max on Top,
// both rows of the plot (a trace at min is not hidden by the frame below
// it). Logarithmic: y(v) = Trunc(o + f ln v),
// f = -(H - 1) / (ln max - ln min), o = Bottom - f ln min - 1.
// Both are evaluated as the distance from the row of min, so that the
// range ends land on their rows exactly.
struct TStripChartMapping::TValueMap {
  bool Log = false;
  double Bottom = 0;
  double Height = 0;
  double Low = 0, Span = 1;

  Integer Row(double V) const {
    if (!Log) return LinearRow(Bottom, Height, Low, Span, V);
    if (!(V > 0)) return kRowLimit;
    return RowTrunc(Bottom - 1 - (Height - 1) * (std::log(V) - Low) / Span);
  }
  // Row of each of N values on a linear scale.
  void LinearRows(const Single* V, Integer N, Integer* Out) const {
    StrpChrtInt::LinearRows(Bottom, Height, Low, Span, V, N, Out);
  }
};

TStripChartMapping::TValueMap TStripChartMapping::MakeValueMap() const {
  TValueMap M;
  const TRect P = PlotRect();
  M.Bottom = P.Bottom;
  M.Height = P.Bottom - P.Top;
  M.Log = FGridScale == strpLog;
  if (M.Log) {
    M.Low = std::log(static_cast<double>(FViewYMin));
    M.Span = std::log(static_cast<double>(FViewYMax)) - M.Low;
  } else {
    M.Low = FViewYMin;
    M.Span = static_cast<double>(FViewYMax) - FViewYMin;
  }
  return M;
}

bool TStripChartMapping::ViewRangeValid() const {
  if (!std::isfinite(FViewYMin) || !std::isfinite(FViewYMax) || !(FViewYMax > FViewYMin)) return false;
  return FGridScale == strpLin || FViewYMin > 0;
}

Integer TStripChartMapping::ValueToRow(Single Value) const {
  if (!ViewRangeValid()) return kRowLimit;
  return MakeValueMap().Row(Value);
}

// ===========================================================================
// Value axis

QString TStripChartMapping::ValueLabelFormat(Single YMin, Single YMax, Integer Decimals) {
  const QString Scientific = QStringLiteral("#.##E-00");
  if (YMin < -100000 || YMax > 100000) return Scientific;
  if (static_cast<Extended>(YMax) - YMin >= 0.001L || (YMax >= 0.001f && YMin <= -0.001f)) {
    if (Decimals < 1) return QStringLiteral("0");
    return QStringLiteral("0.") + QString(Decimals, QLatin1Char('0'));
  }
  return Scientific;
}

Integer TStripChartMapping::YAxisTextHeight() {
  TCanvas& Cv = Canvas();
  const TFont Saved = Cv.Font();
  Cv.Font().Assign(FFontYAxis);
  const Integer H = Cv.TextHeight(QStringLiteral("0"));
  Cv.Font().Assign(Saved);
  return H;
}

// Linear: grid values from the first multiple of ViewYGap at or above
// ViewYMin upwards while below ViewYMax; labels on every k-th of them, k
// the smallest that keeps labelled rows two text heights apart, up to and
// including ViewYMax. Logarithmic: grid at m x 10^e (m = 1..9) inside the
// range, labels at the decades. At most 999 of each.
TStripChartMapping::TValueAxis TStripChartMapping::LayoutValueAxis(bool WithLabels) {
  TValueAxis A;
  const TRect P = PlotRect();
  const Integer H = P.Bottom - P.Top;
  if (!ViewRangeValid() || H <= 0) return A;
  const TValueMap M = MakeValueMap();
  const Extended Lo = FViewYMin, Hi = FViewYMax;

  if (FGridScale == strpLin) {
    const Extended Span = Hi - Lo;
    // More grid lines than pixel rows (or no usable spacing): one line
    // every two pixels.
    if (!(FViewYGap > 0) || !std::isfinite(FViewYGap) || H < Span / FViewYGap)
      FViewYGap = static_cast<Single>(2 * Span / H);
    const Extended Gap = FViewYGap;
    // Every multiple of the gap inside the range, the ends included where
    // decimal steps in binary miss them by a hair.
    const TGapMultiples Multiples = GapMultiples(Lo, Hi, Gap, SingleScale, kMaxGridLines);
    for (std::int64_t k = 0; k < Multiples.Count; ++k) {
      const Extended V = Multiples.At(k);
      if (V >= Hi) break;  // the frame marks the upper end
      A.Grid.push_back({V, M.Row(static_cast<double>(V)), QString()});
    }
    if (!WithLabels) return A;
    const Extended RowsPerStep = H * Gap / Span;
    const Integer Need = 2 * YAxisTextHeight();
    Integer Every = 1;
    if (RowsPerStep > 0 && RowsPerStep < Need)
      Every = static_cast<Integer>(std::min<Extended>(std::ceil(Need / RowsPerStep), kMaxGridLines));
    const QString Format = ValueLabelFormat(FViewYMin, FViewYMax, FViewYDecimals);
    for (std::int64_t k = 0; k < Multiples.Count; k += Every) {
      const Extended V = Multiples.At(k);
      A.Labels.push_back({V, M.Row(static_cast<double>(V)), FormatFloat(Format, V)});
    }
    return A;
  }

  const Extended L0 = std::log10(Lo), L1 = std::log10(Hi);
  // The range ends are Single: 0.1f lies a hair above 10^-1. A power of
  // ten within Single precision of an end counts as inside, so that its
  // decade keeps its line and label.
  constexpr Extended Eps = 1e-6L;
  Integer E = static_cast<Integer>(std::floor(L0 + Eps));
  for (Integer m = 1; A.Grid.size() < static_cast<size_t>(kMaxGridLines);) {
    const Extended V = m * std::pow(10.0L, E);
    if (V >= Hi * (1 - Eps)) break;
    if (V >= Lo * (1 - Eps)) A.Grid.push_back({V, M.Row(static_cast<double>(V)), QString()});
    if (++m == 10) {
      m = 1;
      ++E;
    }
  }
  if (!WithLabels) return A;
  const Integer D0 = static_cast<Integer>(std::ceil(L0 - Eps));
  const Integer D1 = static_cast<Integer>(std::floor(L1 + Eps));
  const bool Scientific = D0 < -3 || D1 > 3;
  for (Integer D = D0; D <= D1 && A.Labels.size() < static_cast<size_t>(kMaxGridLines); ++D) {
    const Extended V = std::pow(10.0L, D);
    A.Labels.push_back({V, M.Row(static_cast<double>(V)), Scientific ? FormatFloat(QStringLiteral("#E+00"), V) : FloatToStr(V)});
  }
  return A;
}

// ===========================================================================
// Time axis

// First grid time: the run start rounded to the decade p of the sample
// interval, then back by whole grid steps while still at or after the
// start. Unit class from the window span. Label step: how many grid steps
// one label of the class's width sample needs. A spacing that makes the
// step incomputable (zero, negative, or so fine that the step overflows)
// becomes a tenth of the window span.
void TStripChartMapping::LayoutTimeAxis() {
  TTimeAxis A;
  const Extended Inc = FDisplayTimeIncrement;
  const Integer W = FSamplesPerWindow;
  const Extended Span = W * Inc;
  if (!(Span > 0) || !std::isfinite(Span)) {
    FTimeAxis = A;
    return;
  }
  A.UnitClass = TimeUnitClass(W, Inc);
  const TRect P = PlotRect();
  const Integer PlotWidth = P.Right - P.Left;
  TCanvas& Cv = Canvas();
  const TFont Saved = Cv.Font();
  Cv.Font().Assign(FFontXAxis);
  const Integer SampleWidth = Cv.TextWidth(TimeUnitSample(A.UnitClass));
  Cv.Font().Assign(Saved);

  const auto LabelStep = [&](Extended Gap, Integer& Step) {
    if (!(Gap > 0) || !std::isfinite(Gap)) return false;
    if (PlotWidth <= 0) {
      Step = 1;
      return true;
    }
    const Extended D = PlotWidth * Gap / Span;
    const Extended Q = SampleWidth / D + 0.5L;
    if (!(D > 0) || !std::isfinite(Q) || Q >= static_cast<Extended>(INT_MAX)) return false;
    Step = std::max(1, Round(Q));
    return true;
  };
  if (!LabelStep(FViewXGap, A.LabelStep)) {
    FViewXGap = static_cast<Double>(0.1L * Span);
    LabelStep(FViewXGap, A.LabelStep);
  }

  // The grid lines stand at the whole multiples of ViewXGap from the run
  // start on, where the labels stand too.
  const Extended Gap = FViewXGap;
  const Extended First = std::ceil(FDisplayStartTime / Gap - 1e-9L) * Gap;
  A.FirstGridTime = First;
  FTimeAxis = A;
}

// ===========================================================================
// Properties

void TStripChartLook::SetupDrawing() {
  // The picture covers the whole control: no background fill before Paint.
  SetOpaque(true);
  FTitleRects.fill(Rect(-1, -1, -1, -1));
  for (TFont* F : {&FFontTitleTop, &FFontXAxis, &FFontYAxis, &FFontTitleBottom, &FFontTitleLeft, &FFontTitleRight}) {
    F->Assign(Font());
    F->SetName(QStringLiteral("Arial"));
    F->OnChange = [this] {
      FRotatedValid = false;
      InvalidatePlot();
    };
  }
}

// A paint of everything makes a pending move moot.
void TStripChartView::InvalidatePlot() {
  FPendingScroll = 0;
  Invalidate();
}

void TStripChartLook::SetEnableUpdate(bool Value) {
  const TChangeScope Changes;
  if (Store(FEnableUpdate, Value) && Value) InvalidatePlot();
}

void TStripChartLook::SetGridColor(TColor Value) {
  const TChangeScope Changes;
  if (Store(FGridColor, Value)) InvalidatePlot();
}

void TStripChartLook::SetBkColor(TColor Value) {
  const TChangeScope Changes;
  if (Store(FBkColor, Value)) InvalidatePlot();
}

void TStripChartLook::SetGridVisible(TGrdVisible Value) {
  const TChangeScope Changes;
  if (Store(FGridVisible, Value)) InvalidatePlot();
}

void TStripChartLook::SetGridScale(TstrpScale Value) {
  const TChangeScope Changes;
  if (!Store(FGridScale, Value)) return;
  InvalidatePlot();
  if (FAutoScale && Value == strpLog) AdaptRange(true);
}

void TStripChartLook::SetGridLineStyle(TPenStyle Value) {
  if (Store(FGridLineStyle, Value)) InvalidatePlot();
}

void TStripChartLook::SetMarkerHighlightColor(TColor Value) {
  const TChangeScope Changes;
  if (Store(FMarkerHighlightColor, Value)) InvalidatePlot();
}

void TStripChartLook::SetMarkerColor(TColor Value) {
  const TChangeScope Changes;
  if (Store(FMarkerColor, Value)) InvalidatePlot();
}

void TStripChartLook::SetMarkerWidth(Single Value) {
  const TChangeScope Changes;
  if (StoreFinite(FMarkerWidth, Value)) InvalidatePlot();
}

void TStripChartLook::SetBorderStyle(TBorderStyle Value) {
  const TChangeScope Changes;
  if (Store(FBorderStyle, Value)) InvalidatePlot();
}

void TStripChartLook::SetTitle(TTitlePlace Place, const QString& Value) {
  if (!Store(FTitles[Place], Value)) return;
  // The tool windows carry the top title in their captions.
  if (Place == tpTop) RetitleToolWindows();
  InvalidatePlot();
}

void TStripChartMapping::SetViewYMin(Single Value) {
  const TChangeScope Changes;
  if (!StoreFinite(FViewYMin, Value)) return;
  InvalidatePlot();
  if (FAutoScale) AdaptRange(true);
}

void TStripChartMapping::SetViewYMax(Single Value) {
  const TChangeScope Changes;
  if (StoreFinite(FViewYMax, Value)) InvalidatePlot();
}

void TStripChartMapping::SetViewYGap(Single Value) {
  const TChangeScope Changes;
  if (StoreFinite(FViewYGap, Value)) InvalidatePlot();
}

void TStripChartMapping::SetViewYDecimals(Integer Value) {
  const TChangeScope Changes;
  if (Store(FViewYDecimals, Value)) InvalidatePlot();
}

void TStripChartMapping::SetViewXGap(Double Value) {
  const TChangeScope Changes;
  if (!StoreFinite(FViewXGap, Value)) return;
  LayoutTimeAxis();
  InvalidatePlot();
}

void TStripChartMapping::SetShowCross(bool Value) {
  const TChangeScope Changes;
  if (Store(FShowCross, Value)) InvalidatePlot();
}

void TStripChartView::SetReduceFlicker(bool Value) {
  const TChangeScope Changes;
  if (!Store(FReduceFlicker, Value)) return;
  if (!Value) FBitmap.reset();
  InvalidatePlot();
}

// ===========================================================================
// Paint

void TStripChartView::Paint() {
  if (!FEnableUpdate) return;
  TCanvas& Cv = Canvas();
  const TRect P = PlotRect();
  if (IsDesigning() && FSamplesPerWindow <= FSamplesPerBuffer) {
    // The preview waves fill one window.
    FCount = FCached = FSamplesPerWindow;
    FWindowOffset = 0;
    const Single Step = static_cast<Single>(P.Right - P.Left) / static_cast<Single>(FSamplesPerWindow);
    for (Integer i = 1; i <= FCount; ++i) FXPos[i] = Trunc(P.Right - Step * FCount + Step * (i - 1));
  }
  // AutoScale adapts the value range to the window before anything is drawn.
  // A new range during a partial paint asks for the whole picture.
  if (FAutoScale && !IsDesigning() && AdaptRange(false) && Cv.HasClip()) InvalidatePlot();
  if (!ViewRangeValid()) {
    ForgetCrossesOnScreen();
    DrawRangeError();
    return;
  }
  const TSize Size{Width(), Height()};
  if (!(Size == FPaintedSize)) {
    // The plot has another width: lay the x positions out anew from the
    // right edge, keeping the carry of the appends.
    if (FCount > 0 && !IsDesigning()) {
      const Single Carry = FCarry;
      LayoutXPositions(1);
      FCarry = Carry;
    }
    FPaintedSize = Size;
    FFullRedraw = true;
  }
  LayoutTimeAxis();

  TRect Clip = ClientRect();
  if (Cv.HasClip()) IntersectRect(Clip, Cv.ClipBox(), ClientRect());
  if (FFullRedraw) {
    FFullRedraw = false;
    // A part painted after a resize: the rest of the picture moved too.
    if (!(Clip == ClientRect())) InvalidatePlot();
  }

  if (!FReduceFlicker || P.Bottom - P.Top < 21) {
    FBitmap.reset();
    DrawFrame(Cv, Clip);
  } else {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    FBitmap->SetPixelRatio(PixelRatio());
    if (FBitmap->Width() != Width() || FBitmap->Height() != Height()) FBitmap->SetSize(Width(), Height());
    TCanvas& B = FBitmap->Canvas();
    if (Cv.HasClip())
      B.SelectClipRgn(Cv.ClipRegion());
    else
      B.SelectNoClip();
    DrawFrame(B, Clip);
    B.SelectNoClip();
    Cv.CopyRect(Clip, B, Clip);
  }
  // The overlays: a full paint places the shown crosses anew; a partial one
  // restores the crosses on the screen inside the area just painted.
  if (Clip == ClientRect()) {
    FPendingScroll = 0;  // the picture shows every sample
    ForgetCrossesOnScreen();
    UpdateCrossPositions();
    DrawCrosses();
  } else {
    for (const TCrossOnScreen& C : FCrossesOnScreen)
      if (C.Drawn) XorCross(C);
  }
  if (FZoomRectShowing) DrawZoomRect();
  TPaintBox::Paint();
}

void TStripChartView::DrawRangeError() {
  TCanvas& Cv = Canvas();
  Cv.Brush().Color = clRed;
  Cv.Brush().Style = bsSolid;
  Cv.FillRect(ClientRect());
  Cv.Font().Assign(Font());
  Cv.SetBkMode(bkOpaque);
  Cv.TextOut(10, 20, kRangeErrorText);
}

// Margins and titles, the raised frame round the control, the plot with
// its sunken frame, then what the update area needs of grid and traces
// and the two label strips.
void TStripChartView::DrawFrame(TCanvas& Cv, const TRect& C) {
  const TRect P = PlotRect();
  const Integer W = Width(), H = Height();
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Width = 1;
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = EffectiveColor();
  Cv.FillRect(Rect(0, 0, W, P.Top));
  Cv.FillRect(Rect(0, P.Bottom + 1, W, H));
  Cv.FillRect(Rect(0, P.Top, P.Left, P.Bottom + 1));
  Cv.FillRect(Rect(P.Right + 1, P.Top, W, P.Bottom + 1));
  DrawTitles(Cv);

  if (FBorderStyle == bsSingle) {
    TRect Outer = ClientRect();
    Cv.Frame3D(Outer, clBtnHighlight, clBtnShadow, 1);
  }
  const TRect Plot = Rect(P.Left, P.Top, P.Right + 1, P.Bottom + 1);
  if (IsRectEmpty(Plot)) return;
  Cv.Brush().Color = FBkColor;
  Cv.FillRect(Plot);
  TRect Sunken = Rect(P.Left - 1, P.Top - 1, P.Right + 2, P.Bottom + 2);
  Cv.Frame3D(Sunken, clBtnShadow, clBtnHighlight, 1);

  TRect Common;
  if (IntersectRect(Common, C, Plot)) DrawGridAndTraces(Cv);
  if (C.Bottom > P.Bottom + 1) DrawTimeLabels(Cv);
  if (C.Left < P.Left) DrawValueLabels(Cv);
}

// Top and bottom titles centred, the left one turned to run upwards and
// the right one downwards, both centred vertically.
void TStripChartView::DrawTitles(TCanvas& Cv) {
  const Integer W = Width(), H = Height();
  if (!FRotatedValid) {
    FRotatedLeft.Assign(FFontTitleLeft);
    FRotatedLeft.SetEscapement(900);
    FRotatedRight.Assign(FFontTitleRight);
    FRotatedRight.SetEscapement(2700);
    FRotatedValid = true;
  }
  Cv.SetBkMode(bkTransparent);
  if (!FTitles[tpTop].isEmpty()) {
    const QString& S = FTitles[tpTop];
    Cv.Font().Assign(FFontTitleTop);
    const TSize E = Cv.TextExtent(S);
    const Integer X = W / 2 - E.cx / 2;
    Cv.TextOut(X, 10, S);
    FTitleRects[tpTop] = Rect(X, 10, X + E.cx, 10 + E.cy);
  }
  if (!FTitles[tpBottom].isEmpty()) {
    const QString& S = FTitles[tpBottom];
    Cv.Font().Assign(FFontTitleBottom);
    const TSize E = Cv.TextExtent(S);
    const Integer X = W / 2 - E.cx / 2, Y = H - E.cy - 10;
    Cv.TextOut(X, Y, S);
    FTitleRects[tpBottom] = Rect(X, Y, X + E.cx, Y + E.cy);
  }
  if (!FTitles[tpLeft].isEmpty()) {
    const QString& S = FTitles[tpLeft];
    Cv.Font().Assign(FFontTitleLeft);
    const TSize E = Cv.TextExtent(S);
    Cv.Font().Assign(FRotatedLeft);
    const Integer Y = H / 2 + E.cx / 2;
    Cv.TextOut(10, Y, S);
    FTitleRects[tpLeft] = Rect(10, Y - E.cx, 10 + E.cy, Y);
  }
  if (!FTitles[tpRight].isEmpty()) {
    const QString& S = FTitles[tpRight];
    Cv.Font().Assign(FFontTitleRight);
    const TSize E = Cv.TextExtent(S);
    Cv.Font().Assign(FRotatedRight);
    const Integer Y = H / 2 - E.cx / 2;
    Cv.TextOut(W - 10, Y, S);
    FTitleRects[tpRight] = Rect(W - 10 - E.cy, Y, W - 10, Y + E.cx);
  }
}

// Time grid, value grid, one polyline per visible series, the remark
// marks; all clipped to the plot.
void TStripChartView::DrawGridAndTraces(TCanvas& Cv) {
  if (FCount < 1) return;
  const TRect P = PlotRect();
  const int Saved = Cv.SaveDC();
  Cv.IntersectClipRect(Rect(P.Left, P.Top, P.Right + 1, P.Bottom + 1));
  Cv.SetBkMode(bkTransparent);
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Width = 1;
  Cv.Pen().Color = FGridColor;
  Cv.Pen().Style = FGridLineStyle;
  const Integer From = std::max(1, FWindowOffset + 1);

  // Only the samples that reach into the area being painted: the x
  // positions grow with the index, so the first and last are found by
  // bisection (one point beyond the area on each side).
  const TRect Box = Cv.ClipBox();
  const Integer* X = FXPos.data();
  const Integer Newest = std::min(FCount, FSamplesPerBuffer);
  const Integer First =
      std::max(From, static_cast<Integer>(std::lower_bound(X + From, X + Newest + 1, Box.Left) - X) - 1);
  const Integer Last =
      std::min(Newest, static_cast<Integer>(std::upper_bound(X + From, X + Newest + 1, Box.Right - 1) - X));

  if (FGridVisible == grdHor || FGridVisible == grdBoth) {
    FGridColumns.clear();
    for (const Integer Index : TimeGridIndices(First, Last < Newest ? Last : FCount))
      FGridColumns.push_back(FXPos[Index]);
    Cv.VerticalLines(FGridColumns.data(), static_cast<int>(FGridColumns.size()), P.Top, P.Bottom + 1);
  }
  if (FGridVisible == grdVer || FGridVisible == grdBoth) {
    for (const TValueMark& M : LayoutValueAxis(false).Grid) {
      Cv.MoveTo(P.Left, M.Row);
      Cv.LineTo(P.Right + 1, M.Row);
    }
  }
  const TValueMap Map = MakeValueMap();
  Cv.Pen().Style = psSolid;
  for (Integer k = 1; k <= FSeriesNumber; ++k) {
    const TSeriesSlot& S = FSeries[k];
    Cv.Pen().Color = S.Color;
    Cv.Pen().Style = S.LineStyle;
    const Single* V = SeriesValues(k);
    if (!S.Visible || !V) continue;
    const Integer To = std::min<Integer>(Last, static_cast<Integer>(S.Data.size()) - 1);
    const Integer N = To - First + 1;
    if (N < 1) continue;
    if (FPoints.size() < static_cast<size_t>(N)) FPoints.resize(N);
    TPoint* Out = FPoints.data();
    if (!Map.Log) {
      // The rows first, in a loop of arithmetic alone, then the points.
      if (FRows.size() < static_cast<size_t>(N)) FRows.resize(N);
      Map.LinearRows(V + First, N, FRows.data());
      for (Integer i = 0; i < N; ++i) Out[i] = {X[First + i], FRows[i]};
    } else {
      for (Integer i = First; i <= To; ++i) *Out++ = {X[i], Map.Row(V[i])};
    }
    Cv.Polyline(FPoints.data(), N);
  }
  DrawRemarkMarks(Cv);
  Cv.RestoreDC(Saved);
}

// The grid times are the whole multiples of ViewXGap from the first grid
// time of the layout; each line stands at the sample nearest its time,
// and with more than one grid step per sample only every k-th step (k
// counted from the first grid time) gets a line. The lines thus belong to
// their samples and move with them when the picture scrolls.
std::vector<Integer> TStripChartMapping::TimeGridIndices(Integer From, Integer To) const {
  std::vector<Integer> Result;
  const Extended Inc = FDisplayTimeIncrement;
  const Extended Gap = FViewXGap;
  if (!(Inc > 0) || !(Gap > 0) || From > To || From < 1) return Result;
  const Extended First = FTimeAxis.FirstGridTime;
  const Extended SamplesPerStep = Gap / Inc;
  const Extended KStep = SamplesPerStep < 1 ? std::ceil(1 / SamplesPerStep) : 1;
  Extended J = std::ceil((BufferIndexTime(From) - First) / Gap - 1e-9L);
  const Extended Rest = std::fmod(J, KStep);
  if (Rest != 0) J += Rest > 0 ? KStep - Rest : -Rest;
  for (Integer n = 0; n <= To - From + 1; ++n, J += KStep) {
    const Extended Index = std::nearbyint((First + J * Gap - FDisplayStartTime) / Inc - FSampleBase) + 1;
    if (!(Index <= To)) break;
    if (Index >= From) Result.push_back(static_cast<Integer>(Index));
  }
  return Result;
}

// Labels right-aligned 10 pixels left of the plot, centred on their rows,
// each with a tick to the plot's left edge.
void TStripChartView::DrawValueLabels(TCanvas& Cv) {
  const TValueAxis Axis = LayoutValueAxis();
  const TRect P = PlotRect();
  Cv.Font().Assign(FFontYAxis);
  Cv.SetBkMode(bkTransparent);
  Cv.Pen().Color = FFontYAxis.Color();
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  const Integer Th = Cv.TextHeight(QStringLiteral("0"));
  for (const TValueMark& M : Axis.Labels) {
    Cv.TextOut(P.Left - 10 - Cv.TextWidth(M.Text), M.Row - Th / 2, M.Text);
    Cv.MoveTo(P.Left - 2, M.Row);
    Cv.LineTo(P.Left, M.Row);
  }
}

Integer TStripChartMapping::XAxisTextHeight() {
  TCanvas& Cv = Canvas();
  const TFont Saved = Cv.Font();
  Cv.Font().Assign(FFontXAxis);
  const Integer H = Cv.TextHeight(QStringLiteral("0"));
  Cv.Font().Assign(Saved);
  return H;
}

TRect TStripChartMapping::LabelStrip() {
  const TRect P = PlotRect();
  return Rect(P.Left, P.Bottom + 2, P.Right + 1, P.Bottom + 5 + XAxisTextHeight() + 1);
}

TRect TStripChartMapping::CaptionStrip() {
  const TRect P = PlotRect();
  const Integer Th = XAxisTextHeight();
  const Integer Top = P.Bottom + 5 + Th + 2;
  return Rect(P.Left, Top, P.Right + 1, Top + Th);
}

// Labels at the whole multiples of LabelStep x ViewXGap inside the window
// (t >= 0), each with a tick down from the plot's bottom and its text
// centred below; the caption (window end as calendar time and the unit)
// right-aligned under them. Nothing leaves the plot's horizontal extent.
void TStripChartView::DrawTimeLabels(TCanvas& Cv) {
  const TRect P = PlotRect();
  const Extended Inc = FDisplayTimeIncrement;
  if (P.Right <= P.Left || !(Inc > 0)) return;
  const int Saved = Cv.SaveDC();
  Cv.IntersectClipRect(Rect(P.Left, P.Top, P.Right + 1, Height()));
  Cv.Font().Assign(FFontXAxis);
  Cv.SetBkMode(bkTransparent);
  Cv.Pen().Color = FFontXAxis.Color();
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Width = 1;
  const Integer From = std::max(1, FWindowOffset + 1);
  const Extended LabelGap = FTimeAxis.LabelStep * static_cast<Extended>(FViewXGap);
  if (FCount >= From && LabelGap > 0) {
    const Extended Start = BufferIndexTime(From), End = BufferIndexTime(FCount);
    const Extended Tolerance = 1e-6L * Inc;
    Extended J = std::max<Extended>(0, std::ceil((Start - Tolerance) / LabelGap));
    for (Integer n = 0; n < kMaxGridLines; ++n, J += 1) {
      const Extended T = J * LabelGap;
      if (T > End + Tolerance) break;
      const Extended Index = std::nearbyint((T - FDisplayStartTime) / Inc - FSampleBase) + 1;
      if (Index < From || Index > FCount) continue;
      const Integer X = FXPos[static_cast<Integer>(Index)];
      Cv.MoveTo(X, P.Bottom);
      Cv.LineTo(X, P.Bottom + 4);
      const QString& S = CachedTimeLabel(FTimeAxis.UnitClass, T);
      Cv.TextOut(X - Cv.TextWidth(S) / 2, P.Bottom + 5, S);
    }
  }
  const QString Caption = TimeCaptionText(WindowEndTime()) + TimeUnitCaption(FTimeAxis.UnitClass);
  const TRect CS = CaptionStrip();
  Cv.TextOut(P.Right + 1 - Cv.TextWidth(Caption), CS.Top, Caption);
  Cv.RestoreDC(Saved);
}

// ===========================================================================
// Overlays

void TStripChartCrosses::DrawZoomRect() {
  TRect R = FZoomRect;
  if (R.Left > R.Right) std::swap(R.Left, R.Right);
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
  Canvas().DrawFocusRect(R);
}

// ===========================================================================
// Scroll

// What belongs to the data happens at once: automatic scaling, the crosses
// following their samples (the measure cross reporting the sample now
// under the mouse), the current remark following the window middle (a new
// one repaints the marks in their colours). The move of the picture waits
// for the deferred drawing, which moves once for all appends of a frame.
void TStripChartView::ScrollBy(Integer Samples) {
  if (!FEnableUpdate) return;   // the next enabling repaints everything
  if (FAutoScale && AdaptRange(true)) {
    // A new range repaints everything.
    SelectRemarkNearWindowMiddle(true);
    return;
  }
  if (ScrollDistance(Samples) < 0) {
    InvalidatePlot();
    return;
  }
  FPendingScroll += Samples;
  ScheduleDrawing();
  UpdateCrossPositions();
  RedrawCross();
  if (SelectRemarkNearWindowMiddle(true)) InvalidatePlot();
}

// The old newest sample lies d = Right - its x position left of the plot's
// right edge once Samples more have come; -1 when the picture cannot be
// moved and must be painted anew.
Integer TStripChartView::ScrollDistance(Integer Samples) {
  const TRect P = PlotRect();
  const Integer OldNewest = FCount - Samples;
  const bool Painted = TSize{Width(), Height()} == FPaintedSize;
  if (Samples <= 0 || Samples >= FSamplesPerWindow || OldNewest < 1 || !Painted || !ViewRangeValid() ||
      P.Right <= P.Left || IsDesigning() || Canvas().Surface()->isNull() || !ScrollKeepsPicture())
    return -1;
  const Integer D = P.Right - FXPos[OldNewest];
  return D < 0 || D > P.Right - P.Left ? -1 : D;
}

void TStripChartView::DrawPending() {
  const Integer Samples = FPendingScroll;
  FPendingScroll = 0;
  if (Samples > 0) DrawScroll(Samples);
}

// The old newest sample now lies d = Right - its x position to the left.
// The plot and the frame row below it (both with the ticks of the time
// labels) move left by d; the uncovered strip (with the column of the old
// newest sample, where its segment to the new samples starts), the label
// strip and the caption are painted at once, in one paint, so that the
// labels are drawn once. Crosses and the zoom rectangle are taken off
// before the move and put back after it.
void TStripChartView::DrawScroll(Integer Samples) {
  if (!FEnableUpdate) return;
  const TRect P = PlotRect();
  const TRect Area = Rect(P.Left, P.Top, P.Right + 1, P.Bottom + 2);
  if ((QRegion(rect()) - InvalidRegion()).isEmpty()) {
    Update();  // a paint of everything is due anyway
    return;
  }
  const Integer D = ScrollDistance(Samples);
  if (D < 0) {
    InvalidatePlot();
    return;
  }
  EraseCrosses();
  const bool Zoom = FZoomRectShowing;
  if (Zoom) DrawZoomRect();
  FZoomRectShowing = false;

  TCanvas& Cv = Canvas();
  TRect Strip = Rect(P.Right - D, P.Top, P.Right + 1, Area.Bottom);
  if (D > 0) {
    const TRect Uncovered = Cv.ScrollDC(-D, 0, Area, Area);
    // A move the surface cannot make exactly leaves more to paint.
    UnionRect(Strip, Strip, Uncovered);
  }

  InvalidateRect(Strip);
  InvalidateRect(LabelStrip());
  InvalidateRect(CaptionStrip());
  Update();

  FZoomRectShowing = Zoom;
  if (Zoom) DrawZoomRect();
  // The crosses follow their samples (or leave with them).
  UpdateCrossPositions();
  DrawCrosses();
}

bool TStripChartView::ScrollKeepsPicture() const {
  const auto Moves = [](TPenStyle S) { return S == psSolid || S == psClear || S == psInsideFrame; };
  if ((FGridVisible == grdVer || FGridVisible == grdBoth) && !Moves(FGridLineStyle)) return false;
  for (Integer k = 1; k <= FSeriesNumber; ++k)
    if (FSeries[k].Visible && SeriesValues(k) && !Moves(FSeries[k].LineStyle)) return false;
  return true;
}

}  // namespace quellix::StrpChrtInt
