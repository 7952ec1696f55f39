#include "quellix/instruments/LinearScale.h"

#include <algorithm>
#include <cmath>

#include "quellix/host/ChangeWatch.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/host/ScaleSteps.h"

namespace quellix::LinearScale {

namespace {

// Pixel coordinates stay well inside what the canvas and Integer hold.
constexpr Double CoordLimit = 30000.0;

Integer ClampedRound(Extended X) {
  if (std::isnan(X)) return 0;
  return Round(std::clamp<Extended>(X, -CoordLimit, CoordLimit));
}

}  // namespace

// ---------------------------------------------------------------------------
// Value ranges

TValueRanges::TValueRanges(TColor DefaultColor, Double DefaultLimit) {
  for (TValueRange& R : Items) {
    R.Color = DefaultColor;
    R.Limit = DefaultLimit;
  }
}

void TValueRanges::Normalise(Double Min, Double Max) {
  for (Integer i = 1; i <= Number; ++i) Range(i).Limit = std::clamp(Range(i).Limit, Min, Max);
  Range(Number).Limit = Max;
}

bool TValueRanges::SetNumber(Integer Value, Double Min, Double Max) {
  if (Value < 1 || Value > MaxRanges || Value == Number) return false;
  Number = Value;
  Normalise(Min, Max);
  return true;
}

bool TValueRanges::SetCurrent(Integer Value) {
  if (Value < 1 || Value > MaxRanges || Value == Current) return false;
  Current = Value;
  return true;
}

bool TValueRanges::SetLimit(Double Value, Double Min, Double Max) {
  if (!std::isfinite(Value) || Value == CurrentRange().Limit) return false;
  CurrentRange().Limit = Value;
  Normalise(Min, Max);
  return true;
}

bool TValueRanges::SetColor(TColor Value) {
  if (Value == CurrentRange().Color) return false;
  CurrentRange().Color = Value;
  return true;
}

void TRangeProperties::SetRangeNumber(Integer Value) {
  const TChangeScope Changes;
  if (FRanges.SetNumber(Value, SpanMin(), SpanMax())) RangesChanged();
}

void TRangeProperties::SetRangeCurrent(Integer Value) {
  const TChangeScope Changes;
  if (FRanges.SetCurrent(Value)) RangesChanged();
}

void TRangeProperties::SetRangeLimit(Double Value) {
  const TChangeScope Changes;
  if (FRanges.SetLimit(Value, SpanMin(), SpanMax())) RangesChanged();
}

void TRangeProperties::SetRangeColor(TColor Value) {
  const TChangeScope Changes;
  if (FRanges.SetColor(Value)) RangesChanged();
}

void TValueRanges::WritePairs(TWriter& W) const {
  W.WriteListBegin();
  for (Integer i = 1; i <= Number; ++i) {
    W.WriteInteger(Range(i).Color);
    W.WriteFloat(Range(i).Limit);
  }
  W.WriteListEnd();
}

void TValueRanges::ReadPairs(TReader& R) {
  R.ReadListBegin();
  Integer Count = 0;
  while (!R.EndOfList()) {
    const TColor Color = static_cast<TColor>(R.ReadInteger());
    const Double Limit = static_cast<Double>(R.ReadFloat());
    // A limit that is no finite number keeps the range's own.
    if (Count < MaxRanges) Items[Count] = {Color, std::isfinite(Limit) ? Limit : Items[Count].Limit};
    ++Count;
  }
  R.ReadListEnd();
  if (Count >= 1) Number = std::min(Count, MaxRanges);
}

bool SetSpanMin(Double Value, Double& Min, Double Max, TValueRanges& Ranges) {
  if (!(Value < Max) || !std::isfinite(Value) || Value == Min) return false;
  Min = Value;
  Ranges.Normalise(Min, Max);
  return true;
}

bool SetSpanMax(Double Value, Double Min, Double& Max, TValueRanges& Ranges) {
  if (!(Value > Min) || !std::isfinite(Value) || Value == Max) return false;
  Max = Value;
  Ranges.Normalise(Min, Max);
  return true;
}

// ---------------------------------------------------------------------------
// Scale

void SetDefaultFont(TFont& F) {
  F.SetName(QStringLiteral("Arial"));
  F.SetSize(8);
  F.SetStyle(0);
  F.SetColor(clBlack);
}

Integer ValueToPixel(Double V, Double Min, Double Span, Integer Len) {
  if (!(Span > 0)) return 0;
  return ClampedRound(static_cast<Extended>(Len) * (V - Min) / Span);
}

QString LabelFormat(Double ValueMin, Double ValueMax, Integer Decimals) {
  const Double Span = ValueMax - ValueMin;
  if (ValueMin <= -100000 || ValueMax >= 100000 || ((ValueMax < 0.001 || ValueMin > -0.001) && Span < 0.001))
    return QStringLiteral("0.00E-00");
  if (Decimals <= 0) return QStringLiteral("0");
  return QStringLiteral("0.") + QString(Decimals, QLatin1Char('0'));
}

TScaleLayout LayoutScale(TCanvas& Cv, const TScaleSetup& S) {
  TScaleLayout L;
  L.Gap = S.Gap;
  const Double Span = S.ValueMax - S.ValueMin;
  const Integer Ls = S.End - S.Start;
  if (Ls <= 0 || !(Span > 0) || !(S.Gap > 0) || !std::isfinite(Span)) return L;

  // Density: at least two pixels between ticks.
  if (std::trunc(Span * 2 / L.Gap) > Ls) L.Gap = Span * 2 / Ls;
  L.Pitch = std::max(1, ClampedRound(static_cast<Extended>(Ls) * L.Gap / Span));
  L.Format = LabelFormat(S.ValueMin, S.ValueMax, S.Decimals);
  L.TextHeight = Cv.TextHeight(QStringLiteral("012."));

  // Label thinning: whole gaps per label until the labels have room.
  if (S.Labels) {
    if (S.Vertical) {
      const Integer Need = 2 * L.TextHeight;
      while (Need > L.LabelStep * L.Pitch) ++L.LabelStep;
    } else {
      const Double Widest = std::fabs(S.ValueMax) >= std::fabs(S.ValueMin) ? S.ValueMax : S.ValueMin;
      const Integer Need = Cv.TextWidth(FormatFloat(L.Format, Widest) + QLatin1Char('-')) + 10;
      while (Need > L.LabelStep * L.Pitch) ++L.LabelStep;
    }
  }

  // Ticks at the multiples of the gap inside [ValueMin, ValueMax].
  const TGapMultiples Ticks = GapMultiples(S.ValueMin, S.ValueMax, L.Gap, DoubleScale, Ls + 2);
  // Position from the low end: the two roundings as the scale's own
  // formula has them, so that equal values always land on equal pixels.
  const Extended Offset = Round64(static_cast<Extended>(Ls) * S.ValueMin / Span);
  for (std::int64_t k = 0; k < Ticks.Count; ++k) {
    const Double V = static_cast<Double>(Ticks.At(k));
    TScaleMark M;
    M.Value = V;
    const Extended Pos = S.Start + Round64(static_cast<Extended>(Ls) * V / Span) - Offset;
    M.Along = AlongToDevice(S.Vertical, S.Width, S.Height, ClampedRound(Pos));
    // Labels stand at the multiples of LabelStep gaps, so that zero
    // carries one whenever it is on the scale.
    M.Labelled = S.Labels && std::fmod(Ticks.FirstIndex + k, Extended(L.LabelStep)) == 0;
    if (M.Labelled) {
      M.Text = FormatFloat(L.Format, V);
      M.TextWidth = Cv.TextWidth(M.Text);
      L.LabelWidth = std::max(L.LabelWidth, M.TextWidth);
    }
    L.Marks.push_back(M);
  }
  L.Valid = true;
  return L;
}

namespace {

// One tick line across the track at Along, covering the cross coordinates
// From .. To - 1.
void CrossLine(TCanvas& Cv, bool Vertical, Integer Along, Integer From, Integer To) {
  if (To <= From) return;
  if (Vertical) {
    Cv.MoveTo(From, Along);
    Cv.LineTo(To, Along);
  } else {
    Cv.MoveTo(Along, From);
    Cv.LineTo(Along, To);
  }
}

void DrawLabels(TCanvas& Cv, const TScaleSetup& S, const TScaleLayout& L) {
  const Integer C = S.Vertical ? S.Width : S.Height;
  const Integer W8 = S.Asymmetric ? Cv.TextWidth(QStringLiteral("8")) : 0;
  for (const TScaleMark& M : L.Marks) {
    if (!M.Labelled) continue;
    const Integer Th = Cv.TextHeight(M.Text);
    // Cross positions on the near and far side.
    Integer Near, Far;
    if (S.Vertical) {
      Near = S.Asymmetric ? Trunc(0.2 * C) + W8 : 0;
      Far = S.Asymmetric ? C - M.TextWidth - Trunc(0.2 * C) - W8 : C - M.TextWidth;
    } else {
      Near = S.Asymmetric ? Trunc(0.5 * L.TextHeight + 0.2 * C) : 0;
      Far = S.Asymmetric ? C - Trunc(1.5 * L.TextHeight + 0.2 * C) : C - L.TextHeight;
    }
    const Integer AlongPos = S.Vertical ? M.Along - Th / 2 : M.Along - M.TextWidth / 2;
    const auto Out = [&](Integer Cross) {
      if (S.Vertical)
        Cv.TextOut(Cross, AlongPos, M.Text);
      else
        Cv.TextOut(AlongPos, Cross, M.Text);
    };
    if (S.Symmetric || !S.FarSide) Out(Near);
    if (S.Symmetric || S.FarSide) Out(Far);
  }
}

void DrawTicks(TCanvas& Cv, const TScaleSetup& S, const TScaleLayout& L) {
  const Integer C = S.Vertical ? S.Width : S.Height;
  // Depth of the label band on a label side.
  Integer Band = 0;
  if (S.Labels) Band = S.Vertical ? L.LabelWidth + 8 : L.TextHeight + 8;
  for (const TScaleMark& M : L.Marks) {
    const Integer Extra = M.Labelled ? 4 : 0;
    const bool NearIsLabelSide = S.Symmetric || !S.FarSide;
    const bool FarIsLabelSide = S.Symmetric || S.FarSide;
    // Near side (top or left edge).
    if (NearIsLabelSide) {
      const Integer From = Band - Extra;
      if (From < S.SlotLo) CrossLine(Cv, S.Vertical, M.Along, std::max(0, From), S.SlotLo);
    } else {
      CrossLine(Cv, S.Vertical, M.Along, 0, S.SlotLo);
    }
    // Far side (bottom or right edge).
    if (FarIsLabelSide) {
      const Integer From = C - Band + Extra;
      if (From >= S.SlotHi) CrossLine(Cv, S.Vertical, M.Along, S.SlotHi, std::min(C, From));
    } else {
      CrossLine(Cv, S.Vertical, M.Along, S.SlotHi, C);
    }
  }
}

}  // namespace

void DrawScale(TCanvas& Cv, const TScaleSetup& S, const TScaleLayout& L) {
  if (!L.Valid) return;
  Cv.Pen().Color = Cv.Font().Color();
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Width = 1;
  Cv.Brush().Color = S.Color;
  Cv.Brush().Style = bsSolid;
  const TBkMode OldBk = Cv.BkMode();
  Cv.SetBkMode(bkTransparent);
  if (S.Lines) DrawTicks(Cv, S, L);
  if (S.Labels) DrawLabels(Cv, S, L);
  Cv.SetBkMode(OldBk);
}

TScaleLayout PaintScale(TCanvas& Cv, const TScaleSetup& S, Double& Gap) {
  TScaleLayout L = LayoutScale(Cv, S);
  if (!L.Valid) return L;
  Gap = L.Gap;
  DrawScale(Cv, S, L);
  return L;
}

}  // namespace quellix::LinearScale
