// THistographInt: series table, view ranges, automatic scaling, timer and
// streaming. The drawing is in HistoDraw.cpp.
#include "quellix/histograph/HistographEngine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "quellix/host/NumberFormat.h"

namespace quellix::HistoInt {

void THistoSeries::Clear() {
  Data = nullptr;
  Count = 0;
  Owned = false;
  std::vector<Single>().swap(Own);  // really frees the copy
}

THistographInt::THistographInt(TComponentCore* AOwner, QWidget* AParent)
    : THistoInteraction(AOwner, AParent) {
  SetOpaque(true);
  // The histograph keeps a font of its own ("Arial") rather than the
  // parent's; the title and axis fonts start as copies of it.
  SetParentFont(false);
  Font().SetName(QStringLiteral("Arial"));
  for (TFont* F : {&FFontTitleTop, &FFontXAxis, &FFontYAxis, &FFontTitleBottom, &FFontTitleLeft, &FFontTitleRight})
    F->Assign(Font());
  FTitleRects.fill(Rect(-1, -1, -1, -1));

  FTimer->SetEnabled(false);
  FTimer->SetInterval(1000);
  FTimer->OnTimer = [this](TObject*) {
    if (OnTimer) OnTimer(this);
    emit timer(this);
  };

  InitInteraction();
  if (IsDesigning() || (AOwner && AOwner->IsDesigning())) MakeSampleCurves();
}

THistographInt::~THistographInt() {
  FreeToolWindows();
  Destroying();
  FTimer->OnTimer = nullptr;
}

// ---------------------------------------------------------------------------
// Data

void THistoData::StoreSeries(const Single* Data, Integer Count, Integer Serie, bool XY) {
  if (Serie < 1 || Serie > MaxSeries || Serie > FSeriesNumber) return;
  THistoSeries& S = Slot(Serie);
  // Empty first: if the copy below fails, the slot stays empty.
  S.Clear();
  switch (S.Style) {
    case dtData:
      if (!XY) {
        S.Data = Data;
        S.Count = Count;
      }
      break;
    case dtDataXY:
      if (XY) {
        S.Data = Data;
        S.Count = Count;
      }
      break;
    case dtUpperRef:
    case dtLowerRef: {
      const Integer Limit = XY ? MaxRefPairs : MaxRefValues;
      if (Data && Count > 0 && Count <= Limit) {
        const qsizetype N = XY ? 2 * qsizetype(Count) : qsizetype(Count);
        S.Own.assign(Data, Data + N);
        S.Data = S.Own.data();
        S.Count = Count;
        S.Owned = true;
      }
      break;
    }
  }
  GrowPointBuffer();
  UpdatePlot();
}

void THistoData::SetData(const Single* Data, Integer Count, Integer Serie) { StoreSeries(Data, Count, Serie, false); }

void THistoData::SetDataXY(const Single* Data, Integer Count, Integer Serie) {
  StoreSeries(Data, Count, Serie, true);
}

Integer THistoData::GetData(Single* Dest, Integer MaxCount, Integer Serie) const {
  if (!Dest || MaxCount < 1 || Serie < 1 || Serie > FSeriesNumber) return 0;
  const THistoSeries& S = Series(Serie);
  if (!S.HasData()) return 0;
  const Integer N = std::min(MaxCount, S.Count);
  std::copy(S.Data, S.Data + N, Dest);
  return N;
}

void THistoData::GrowPointBuffer() {
  std::size_t Need = 2;  // a single-value series is drawn as a two-point dot
  for (Integer k = 1; k <= FSeriesNumber; ++k) {
    const THistoSeries& S = Series(k);
    if (S.HasData() && S.Count <= MaxDrawCount) Need = std::max<std::size_t>(Need, std::size_t(S.Count));
  }
  if (Need > FPoints.size()) FPoints.resize(Need);
}

// ---------------------------------------------------------------------------
// Automatic scaling

bool THistoData::CalcAutoScale() {
  // 1. Smallest minimum and largest maximum of the Y values of all series
  //    in use; an empty series counts as 0..0.
  Extended Lo = 1E38L, Hi = -1E38L;
  for (Integer k = 1; k <= FSeriesNumber; ++k) {
    const THistoSeries& S = Series(k);
    Extended Mn = std::numeric_limits<Extended>::infinity();
    Extended Mx = -Mn;
    if (S.HasData()) {
      const bool XY = S.Style == dtDataXY;
      const qsizetype N = XY ? 2 * qsizetype(S.Count) : qsizetype(S.Count);
      for (qsizetype i = XY ? 1 : 0; i < N; i += XY ? 2 : 1) {
        const Extended V = S.Data[i];
        if (!std::isfinite(V)) continue;  // no number to fit the range to
        if (V < Mn) Mn = V;
        if (V > Mx) Mx = V;
      }
    }
    if (Mn > Mx) Mn = Mx = 0;  // no data, or no numbers in it
    Lo = std::min(Lo, Mn);
    Hi = std::max(Hi, Mx);
  }

  // 2. Is a new range needed?
  const Extended D = Hi - Lo;
  bool Need = D != 0 && (Lo < FViewYMin || Hi > FViewYMax || D < 0.4L * (Extended(FViewYMax) - FViewYMin));
  if (LogY() && FViewYMin <= 0) Need = true;
  // A range that is no range at all is replaced whenever there are data.
  if (D != 0 && !(std::isfinite(FViewYMin) && std::isfinite(FViewYMax))) Need = true;
  if (!Need) return false;

  // 3. A span of 2, 5 or 10 times a power of ten around the data, with four
  //    grid intervals.
  if (D > 0) {
    const Extended L = std::log10(D);
    const Integer E = D < 1 ? Trunc(L) - 1 : Trunc(L);
    const Extended P = std::pow(10.0L, E);
    Integer M = Round(D / P);
    if (D / P > M) ++M;
    const Integer S = M <= 2 ? 2 : (M <= 5 ? 5 : 10);
    const Single YMin = Single((Lo + Hi) / 2 - S * P / 2);
    const Single YMax = Single(Extended(YMin) + S * P);
    const Single YGap = Single((Extended(YMax) - YMin) / 4);
    // Data near the ends of the Single range: a span around them
    // overflows; the range stays as it is.
    if (!std::isfinite(YMin) || !std::isfinite(YMax) || !std::isfinite(YGap)) return false;
    FViewYMin = YMin;
    FViewYMax = YMax;
    FViewYGap = YGap;
  } else if (Hi > 0) {
    // All values equal on a logarithmic axis: the decade that holds them.
    const Extended P = std::pow(10.0L, std::floor(std::log10(Hi)));
    FViewYMin = Single(P);
    FViewYMax = Single(10 * P);
    FViewYGap = Single((Extended(FViewYMax) - FViewYMin) / 4);
  }

  // 4. A logarithmic axis needs positive limits.
  if (LogY()) {
    if (FViewYMax <= 0) SetViewYMax(0.1f);
    if (FViewYMin <= 0) FViewYMin = 0.01f * FViewYMax;
    CalcLogY();
  }
  return true;
}

// ---------------------------------------------------------------------------
// Logarithmic mappings

void THistoData::CalcLogY() {
  if (!(FViewYMin < FViewYMax && FViewYMin > 0)) return;
  const TRect P = PlotRect();
  FLogFY = Extended(P.Top - P.Bottom + 1) / (std::log(Extended(FViewYMax)) - std::log(Extended(FViewYMin)));
  FLogOY = P.Bottom - FLogFY * std::log(Extended(FViewYMin)) - 1;
}

void THistoData::CalcLogX() {
  if (!(FViewXCurrentMin < FViewXCurrentMax && FViewXCurrentMin > 0 && FViewXNominalMin < FViewXNominalMax &&
        FViewXNominalMin > 0))
    return;
  const TRect P = PlotRect();
  FLogFX = Extended(P.Right - P.Left) / (std::log(Extended(FViewXCurrentMax)) - std::log(Extended(FViewXCurrentMin)));
  FLogOX = P.Left - FLogFX * std::log(Extended(FViewXCurrentMin));
}

namespace {
// Trunc of a pixel coordinate limited to -CoordLimit..CoordLimit; NaN
// (from a NaN value) lands below the plot.
Integer ClampTrunc(Extended V) {
  if (std::isnan(V)) return CoordLimit;
  return Trunc(std::clamp<Extended>(V, -CoordLimit, CoordLimit));
}
}  // namespace

Integer THistoView::LogYPixel(Extended V) const {
  if (!(V > 0) && !std::isnan(V)) V = 0.1L * FViewYMin;
  return ClampTrunc(FLogOY + FLogFY * std::log(V));
}

Integer THistoView::LogXPixel(Extended V) const {
  if (!(V > 0) && !std::isnan(V)) V = FViewXCurrentMin;
  return ClampTrunc(FLogOX + FLogFX * std::log(V));
}

void THistoData::FixLogXRange() {
  if (FViewXCurrentMax <= 0) FViewXCurrentMax = 0.1f;
  if (FViewXCurrentMin <= 0) FViewXCurrentMin = 0.01f * FViewXCurrentMax;
  CalcLogX();
}

void THistoData::Resize() {
  CalcLogY();
  CalcLogX();
}

// ---------------------------------------------------------------------------
// Series properties

void THistoData::SetSeriesNumber(Integer Value) {
  const TChangeScope Changes;
  if (Value < 1 || Value > MaxSeries || Value == FSeriesNumber) return;
  FSeriesNumber = Value;
  Invalidate();
}

void THistoData::SetSeriesCurrent(Integer Value) {
  const TChangeScope Changes;
  if (Value < 1 || Value > MaxSeries || Value == FSeriesCurrent) return;
  FSeriesCurrent = Value;
  Invalidate();
}

void THistoData::SetSeriesColor(TColor Value) {
  const TChangeScope Changes;
  if (!CurrentSlotEditable() || Value == CurrentSlot().Color) return;
  Slot(FSeriesCurrent).Color = Value;
  Invalidate();
}

void THistoData::SetSeriesLineStyle(TPenStyle Value) {
  const TChangeScope Changes;
  if (Value < psSolid || Value > psInsideFrame) return;
  if (!CurrentSlotEditable() || Value == CurrentSlot().LineStyle) return;
  Slot(FSeriesCurrent).LineStyle = Value;
  Invalidate();
}

void THistoData::SetSeriesLineStyleInt(int Value) {
  if (TPenStyle Style; PenStyleFromOrdinal(Value, Style)) SetSeriesLineStyle(Style);
}

void THistoData::SetSeriesStyle(TDataKind Value) {
  const TChangeScope Changes;
  if (Value > dtLowerRef) return;
  if (!CurrentSlotEditable() || Value == CurrentSlot().Style) return;
  THistoSeries& S = Slot(FSeriesCurrent);
  const auto IsRef = [](TDataKind K) { return K == dtUpperRef || K == dtLowerRef; };
  // The array's layout and owner follow the kind: only a switch between
  // the two reference kinds keeps the data; any other switch empties the
  // slot, so that a caller's array is never read as pairs nor edited.
  if (!(IsRef(S.Style) && IsRef(Value))) S.Clear();
  S.Style = Value;
  if (IsDesigning()) MakeSampleCurves(FSeriesCurrent);
  Invalidate();
}

// ---------------------------------------------------------------------------
// View ranges

void THistoData::SetViewYMin(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FViewYMin) return;
  if (FAutoScale) CalcAutoScale();
  FViewYMin = Value;
  if (LogY()) CalcLogY();
  if (IsDesigning()) MakeSampleCurves();
  Invalidate();
}

void THistoData::SetViewYMax(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FViewYMax) return;
  FViewYMax = Value;
  if (LogY()) CalcLogY();
  if (IsDesigning()) MakeSampleCurves();
  Invalidate();
}

void THistoData::SetViewYGap(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FViewYGap) return;
  if (Value > 0) FViewYGap = Value;
  Invalidate();
}

void THistoData::SetViewXGap(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FViewXGap) return;
  if (Value > 0) FViewXGap = Value;
  Invalidate();
}

void THistoData::SetViewYDecimals(Integer Value) {
  const TChangeScope Changes;
  if (Value == FViewYDecimals) return;
  FViewYDecimals = Value;
  Invalidate();
}

void THistoData::SetViewXDecimals(Integer Value) {
  const TChangeScope Changes;
  if (Value == FViewXDecimals) return;
  FViewXDecimals = Value;
  Invalidate();
}

// The logarithmic X mapping needs a positive nominal range too: it is
// made anew when that range changes.
void THistoData::SetViewXNominalMin(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FViewXNominalMin) return;
  FViewXNominalMin = Value;
  if (LogX()) CalcLogX();
  Invalidate();
}

void THistoData::SetViewXNominalMax(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FViewXNominalMax) return;
  FViewXNominalMax = Value;
  if (LogX()) CalcLogX();
  Invalidate();
}

void THistoData::SetViewXCurrentMin(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FViewXCurrentMin) return;
  FViewXCurrentMin = Value;
  if (LogX()) {
    if (FAutoScale) FixLogXRange();
    CalcLogX();
  }
  Invalidate();
}

void THistoData::SetViewXCurrentMax(Single Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FViewXCurrentMax) return;
  FViewXCurrentMax = Value;
  if (LogX()) {
    if (FAutoScale) FixLogXRange();
    CalcLogX();
  }
  Invalidate();
}

void THistoData::SetAutoScale(bool Value) {
  const TChangeScope Changes;
  if (Value == FAutoScale) return;
  FAutoScale = Value;
  UpdatePlot();
}

// ---------------------------------------------------------------------------
// Timer

Integer THistoData::TimerInterval() const { return FTimer->Interval(); }
void THistoData::SetTimerInterval(Integer Value) { FTimer->SetInterval(Value); }
bool THistoData::TimerEnabled() const { return FTimer->Enabled(); }
void THistoData::SetTimerEnabled(bool Value) { FTimer->SetEnabled(Value); }

// ---------------------------------------------------------------------------
// Drawing properties

void THistoLook::SetEnableUpdate(bool Value) {
  const TChangeScope Changes;
  if (Value == FEnableUpdate) return;
  FEnableUpdate = Value;
  if (Value) Invalidate();
}

void THistoLook::SetGridColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FGridColor) return;
  FGridColor = Value;
  Invalidate();
}

void THistoLook::SetBkColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBkColor) return;
  FBkColor = Value;
  Invalidate();
}

void THistoLook::SetGridVisible(TGrdVisible Value) {
  const TChangeScope Changes;
  if (Value > grdBoth || Value == FGridVisible) return;
  FGridVisible = Value;
  Invalidate();
}

void THistoLook::SetGridScale(TGrdScale Value) {
  const TChangeScope Changes;
  if (Value > sclLogLog || Value == FGridScale) return;
  FGridScale = Value;
  // A logarithmic Y axis may need a positive range at once.
  if (FAutoScale) CalcAutoScale();
  CalcLogY();
  CalcLogX();
  Invalidate();
}

void THistoLook::SetGridLineStyle(TPenStyle Value) {
  const TChangeScope Changes;
  if (Value < psSolid || Value > psInsideFrame || Value == FGridLineStyle) return;
  FGridLineStyle = Value;
  Invalidate();
}

void THistoLook::SetGridLineStyleInt(int Value) {
  if (TPenStyle Style; PenStyleFromOrdinal(Value, Style)) SetGridLineStyle(Style);
}

void THistoLook::SetBorderStyle(TBorderStyle Value) {
  const TChangeScope Changes;
  if (Value > bsSingle || Value == FBorderStyle) return;
  FBorderStyle = Value;
  Invalidate();
}

// The margins move the plot rectangle, on which both logarithmic mappings
// are laid.
void THistoLook::SetGap(Integer& Field, Integer Value) {
  const TChangeScope Changes;
  if (Value == Field) return;
  Field = Value;
  CalcLogY();
  CalcLogX();
  Invalidate();
}

void THistoLook::SetGapRight(Integer Value) { SetGap(FGapRight, Value); }
void THistoLook::SetGapLeft(Integer Value) { SetGap(FGapLeft, Value); }
void THistoLook::SetGapTop(Integer Value) { SetGap(FGapTop, Value); }
void THistoLook::SetGapBottom(Integer Value) { SetGap(FGapBottom, Value); }

void THistoTitles::SetTitle(TTitlePlace Place, const QString& Value) {
  if (Value == FTitles[Place]) return;
  FTitles[Place] = Value;
  if (Place == tpTop) UpdateToolCaptions();
  Invalidate();
}

void THistoTitles::SetFont(TFont& Dest, const TFont& Value) {
  if (&Dest == &Value) return;
  Dest.Assign(Value);
  Invalidate();
}

void THistoLook::SetReduceFlicker(bool Value) {
  const TChangeScope Changes;
  if (Value == FReduceFlicker) return;
  FReduceFlicker = Value;
  if (Value)
    FBitmap = std::make_unique<TBitmap>(std::max(Width(), 1), std::max(Height(), 1));
  else
    FBitmap.reset();
  Invalidate();
}

TRect THistoData::PlotRect() const {
  return Rect(FGapLeft, FGapTop, Width() - FGapRight, Height() - FGapBottom);
}

// ---------------------------------------------------------------------------
// Streaming: "Series" = (Color, LineStyle, Style, ...) for the series in use.

void THistographInt::DefineProperties(TFiler& Filer) {
  THistoInteraction::DefineProperties(Filer);
  Filer.DefineProperty(
      QStringLiteral("Series"),
      [this](TReader& R) {
        R.ReadListBegin();
        Integer Slot = 0;
        while (!R.EndOfList()) {
          std::int64_t V[3];
          int N = 0;
          while (N < 3 && !R.EndOfList()) V[N++] = R.ReadInteger();
          // Only whole triples for the eight slots count; an ordinal
          // outside its enumeration leaves that field as it was.
          if (N == 3 && Slot < MaxSeries) {
            THistoSeries& S = FSeries[Slot];
            S.Color = static_cast<TColor>(V[0]);
            PenStyleFromOrdinal(V[1], S.LineStyle);
            if (V[2] >= dtData && V[2] <= dtLowerRef) S.Style = static_cast<TDataKind>(V[2]);
          }
          ++Slot;
        }
        R.ReadListEnd();
      },
      [this](TWriter& W) {
        W.WriteListBegin();
        for (Integer k = 1; k <= FSeriesNumber; ++k) {
          const THistoSeries& S = Series(k);
          W.WriteInteger(S.Color);
          W.WriteInteger(S.LineStyle);
          W.WriteInteger(S.Style);
        }
        W.WriteListEnd();
      },
      FSeriesNumber > 0);
}

// ---------------------------------------------------------------------------
// Design-time sample curves: something to look at while a form is designed.

void THistoData::MakeSampleCurves(Integer OnlySlot) {
  static std::mt19937 Gen{std::random_device{}()};
  std::uniform_real_distribution<double> Uniform(0.0, 1.0);
  const Extended YMin = FViewYMin, YSpan = Extended(FViewYMax) - FViewYMin;
  const Extended XMin = FViewXCurrentMin, XSpan = Extended(FViewXCurrentMax) - FViewXCurrentMin;
  for (Integer k = 1; k <= MaxSeries; ++k) {
    if (OnlySlot != 0 && k != OnlySlot) continue;
    THistoSeries& S = Slot(k);
    const Extended A = Uniform(Gen), B = Uniform(Gen);
    const auto Y = [&](Integer i) { return Single(YMin + (std::sin(i * A + B) + 1) * YSpan * 0.5L); };
    S.Clear();
    if (S.Style == dtDataXY) {
      S.Own.resize(100);
      for (Integer i = 1; i <= 50; ++i) {
        S.Own[2 * (i - 1)] = Single(XMin + XSpan * (i - 1) / 49);
        S.Own[2 * (i - 1) + 1] = Y(i);
      }
      S.Count = 50;
    } else {
      S.Own.resize(100);
      for (Integer i = 1; i <= 100; ++i) S.Own[i - 1] = Y(i);
      S.Count = 100;
    }
    S.Data = S.Own.data();
    S.Owned = true;
  }
  GrowPointBuffer();
}

}  // namespace quellix::HistoInt
