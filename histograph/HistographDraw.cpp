// THistographInt drawing: range checks, margins, frames, titles, axes and
// curves. The picture is composed by DrawPicture from the pieces below;
// the axis layouts and curve points are plain geometry that the mouse
// modes use for hit-testing as well.
#include <algorithm>
#include <cmath>
#include <limits>

#include "quellix/histograph/HistographEngine.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/host/ScaleSteps.h"

namespace quellix::HistoInt {

namespace {

// V cut toward zero, for |V| well inside the mantissa (here at most a
// little over CoordLimit). The plain cut switches the x87 rounding mode
// twice per number, which stalls the pipeline; this rounds to the nearest
// integer in the current mode by adding and taking away a number whose
// last mantissa bit is worth 1, then steps back toward zero where the
// rounding went away from it. Exact, so the pixels are the same.
Extended TruncSmall(Extended V) {
  static const Extended Magic = std::ldexp(Extended(1.5), std::numeric_limits<Extended>::digits - 1);
  const Extended Sum = V + Magic;
  const Extended R = Sum - Magic;
  if (V >= 0) return R > V ? R - 1 : R;
  return R < V ? R + 1 : R;
}

// Pixel coordinate limited to -CoordLimit..CoordLimit, cut toward zero;
// NaN lands below the plot. The integral result goes to an Integer by way
// of double, exactly and without the rounding-mode switch.
Integer CoordTrunc(Extended V) {
  if (std::isnan(V)) return CoordLimit;
  return static_cast<Integer>(static_cast<double>(TruncSmall(std::clamp<Extended>(V, -CoordLimit, CoordLimit))));
}

// A sample index from a floating-point position, limited to 0..Limit + 1
// before it is cut so that far-off positions cannot overflow.
Integer IndexTrunc(Extended V, Integer Limit) {
  if (std::isnan(V)) return 0;
  return Trunc(std::clamp<Extended>(V, -1, Extended(Limit) + 1));
}

const QString XRangeText = QStringLiteral("Range-Error in ViewX-Properties");
const QString YRangeText = QStringLiteral("Range-Error in ViewY-Properties");

}  // namespace

QString LinearLabelFormat(Extended Lo, Extended Hi, Integer Decimals) {
  if (Lo <= -100000 || Hi >= 100000 || Hi - Lo < 0.001L) return QStringLiteral("#.##E-00");
  if (Decimals <= 0) return QStringLiteral("0");
  return QStringLiteral("0.") + QString(Decimals, QLatin1Char('0'));
}

QString LogLabelText(Integer E, Integer D0, Integer D1) {
  const Extended V = std::pow(10.0L, E);
  if (D0 < -3 || D1 > 3) return FormatFloat(QStringLiteral("#E+00"), V);
  return FloatToStrGeneral(V, 4);
}

TColor Shade(TColor C, Extended F) {
  const TColor Rgb = ColorToRGB(C);
  const auto Part = [F](int V) { return std::min(255, Round(V * F)); };
  return RGB(Part(Rgb & 0xFF), Part((Rgb >> 8) & 0xFF), Part((Rgb >> 16) & 0xFF));
}

// ---------------------------------------------------------------------------
// Range checks

// A range with an end that is not a finite number has no picture either.
QString THistoView::RangeError() const {
  const auto Finite = [](Single A, Single B) { return std::isfinite(A) && std::isfinite(B); };
  bool XOk = FViewXNominalMin < FViewXNominalMax && FViewXCurrentMin < FViewXCurrentMax &&
             Finite(FViewXNominalMin, FViewXNominalMax) && Finite(FViewXCurrentMin, FViewXCurrentMax);
  if (LogX()) XOk = XOk && FViewXNominalMin > 0 && FViewXCurrentMin > 0;
  if (!XOk) return XRangeText;
  bool YOk = FViewYMin < FViewYMax && Finite(FViewYMin, FViewYMax);
  if (LogY()) YOk = YOk && FViewYMin > 0;
  if (!YOk) return YRangeText;
  return QString();
}

void THistoView::DrawRangeError(const QString& Text, Integer X, Integer Y) {
  TCanvas& Cv = Canvas();
  Cv.Brush().Color = clRed;
  Cv.Brush().Style = bsSolid;
  Cv.FillRect(Rect(0, 0, Width(), Height()));
  Cv.Font().Assign(Font());
  Cv.SetBkMode(bkOpaque);
  Cv.TextOut(X, Y, Text);
}

// ---------------------------------------------------------------------------
// Paint and UpdatePlot

void THistoView::Paint() {
  if (!FEnableUpdate) return;
  if (FAutoScale) {
    CalcAutoScale();
    if (LogX()) FixLogXRange();
  }
  const QString Error = RangeError();
  if (!Error.isEmpty()) {
    // No picture and no crosses, only the report.
    DrawRangeError(Error, 10, Error == XRangeText ? 10 : 20);
    return;
  }

  TCanvas& Cv = Canvas();
  TRect Clip = ClientRect();
  if (Cv.HasClip()) IntersectRect(Clip, Cv.ClipBox(), ClientRect());
  if (Clip == ClientRect()) FPlotPending = FRangePending = false;  // drawn now
  if (!FReduceFlicker) {
    TPaintBox::Paint();
    DrawPicture(Cv, Clip);
  } else {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    FBitmap->SetPixelRatio(PixelRatio());
    if (FBitmap->Width() != Width() || FBitmap->Height() != Height()) FBitmap->SetSize(Width(), Height());
    TPaintBox::Paint();
    DrawPicture(FBitmap->Canvas(), Clip);
    Cv.CopyRect(Clip, FBitmap->Canvas(), Clip);
  }

  // Every visible cross is placed anew at its mouse position, so that it
  // follows changing data and reports the point under it.
  for (Integer i = 0; i < Integer(FCrosses.size()); ++i)
    if (FCrosses[i].Visible && !PlaceCross(i, FCrosses[i].Mouse.X, FCrosses[i].Mouse.Y, false))
      DrawCross(FCrosses[i]);  // no data to follow: it stays where it was
}

void THistoView::UpdatePlot() {
  if (!FEnableUpdate || Width() <= 0 || Height() <= 0 || !Canvas().Surface() || Canvas().Surface()->isNull())
    return;
  if (FAutoScale && CalcAutoScale()) FRangePending = true;
  FPlotPending = true;
  ScheduleDrawing();
}

void THistoView::DrawPending() {
  const bool Plot = FPlotPending, Range = FRangePending;
  FPlotPending = FRangePending = false;
  if (!Plot || !FEnableUpdate || Width() <= 0 || Height() <= 0 || Canvas().Surface()->isNull()) return;
  const bool Rubber = FZoomRubberOnScreen;
  if (Rubber) DrawZoomRubber();  // off: the redraw below would leave half of it
  if (Range) {
    Repaint();
  } else {
    TCanvas& Cv = Canvas();
    const TRect P = PlotRect();
    const int Saved = Cv.SaveDC();
    Cv.SelectClipRect(Rect(P.Left, P.Top, P.Right + 1, P.Bottom + 1));
    Paint();
    Cv.RestoreDC(Saved);
    Update();
  }
  if (Rubber) DrawZoomRubber();
}

// ---------------------------------------------------------------------------
// Overlays

void THistoView::DrawCross(const TCross& Cross) {
  TCanvas& Cv = Canvas();
  const int Saved = Cv.SaveDC();
  Cv.Pen().Color = Cross.Color;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Width = 1;
  Cv.Pen().Mode = pmNotXor;
  Cv.Brush().Color = FBkColor;
  const TRect P = PlotRect();
  const Integer X = Cross.Pixel.X, Y = Cross.Pixel.Y;
  if (P.Top < Y && Y < P.Bottom) {
    Cv.MoveTo(P.Left, Y);
    Cv.LineTo(P.Right, Y);
  }
  if (P.Left < X && X < P.Right) {
    Cv.MoveTo(X, P.Top);
    Cv.LineTo(X, P.Bottom);
  }
  Cv.RestoreDC(Saved);
}

void THistoView::DrawZoomRubber() {
  TRect R = FZoomRubber;
  if (R.Left > R.Right) std::swap(R.Left, R.Right);
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
  Canvas().DrawFocusRect(R);
}

// ---------------------------------------------------------------------------
// The picture

void THistoView::DrawPicture(TCanvas& Cv, const TRect& Clip) {
  if (!FFontsPrepared) {
    // Once: the side titles take the control font's size, style and
    // colour, and keep their own face (they are drawn turned).
    FFontsPrepared = true;
    for (TFont* F : {&FFontTitleLeft, &FFontTitleRight}) {
      const QString Face = F->Name();
      F->Assign(Font());
      F->SetName(Face);
    }
  }
  const TSize Size{Width(), Height()};
  if (!(Size == FLastSize)) {
    if (LogY()) CalcLogY();
    if (LogX()) CalcLogX();
    FLastSize = Size;
  }
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Width = 1;
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = EffectiveColor();

  DrawMargins(Cv, Clip);
  DrawFrames(Cv);
  DrawTitles(Cv);
  DrawAxis(Cv, LayoutYAxis(Cv), true);
  DrawAxis(Cv, LayoutXAxis(Cv), false);
  const TRect P = PlotRect();
  TRect Common;
  if (IntersectRect(Common, Clip, Rect(P.Left, P.Top, P.Right + 1, P.Bottom + 1))) DrawCurves(Cv, Clip);
}

// The parts of the update area outside the plot rectangle, in the
// control's colour (the brush set by DrawPicture).
void THistoView::DrawMargins(TCanvas& Cv, const TRect& C) {
  const TRect P = PlotRect();
  if (C.Top < P.Top) Cv.FillRect(Rect(C.Left, C.Top, C.Right, P.Top));
  if (C.Bottom > P.Bottom + 1) Cv.FillRect(Rect(C.Left, P.Bottom + 1, C.Right, C.Bottom));
  if (C.Left < P.Left) Cv.FillRect(Rect(C.Left, C.Top, P.Left, C.Bottom));
  if (C.Right > P.Right + 1) Cv.FillRect(Rect(P.Right + 1, C.Top, C.Right, C.Bottom));
}

// Raised outer frame (bsSingle), the plot background and the sunken frame
// around the plot.
void THistoView::DrawFrames(TCanvas& Cv) {
  const TColor Light = Shade(EffectiveColor(), 1.25L);
  const TColor Dark = Shade(EffectiveColor(), 0.75L);
  if (FBorderStyle == bsSingle) {
    TRect Outer = ClientRect();
    Cv.Frame3D(Outer, Light, Dark, 1);
  }
  const TRect P = PlotRect();
  const TRect Fill = Rect(P.Left, P.Top, P.Right + 1, P.Bottom + 1);
  if (!IsRectEmpty(Fill)) {
    Cv.Brush().Color = FBkColor;
    Cv.FillRect(Fill);
  }
  if (P.Bottom > P.Top && P.Left < P.Right) {
    Cv.Pen().Color = Dark;
    Cv.MoveTo(P.Left - 1, P.Bottom + 1);
    Cv.LineTo(P.Left - 1, P.Top - 1);
    Cv.LineTo(P.Right, P.Top - 1);
    Cv.Pen().Color = Light;
    Cv.LineTo(P.Right, P.Bottom + 1);
    Cv.LineTo(P.Left - 1, P.Bottom + 1);
  }
}

// The four titles on the control's colour; the side titles in turned
// copies of their fonts (left upwards, right downwards).
void THistoView::DrawTitles(TCanvas& Cv) {
  const Integer W = Width(), H = Height();
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = EffectiveColor();
  Cv.SetBkMode(bkOpaque);
  if (!FTitles[tpTop].isEmpty()) {
    Cv.Font().Assign(FFontTitleTop);
    const QString& S = FTitles[tpTop];
    const Integer Tw = Cv.TextWidth(S), Th = Cv.TextHeight(S);
    const Integer X = W / 2 - Tw / 2;
    Cv.TextOut(X, 10, S);
    FTitleRects[tpTop] = Rect(X, 10, X + Tw, Th + 10);
  }
  if (!FTitles[tpBottom].isEmpty()) {
    Cv.Font().Assign(FFontTitleBottom);
    const QString& S = FTitles[tpBottom];
    const Integer Tw = Cv.TextWidth(S), Th = Cv.TextHeight(S);
    const Integer X = W / 2 - Tw / 2, Y = H - Th - 10;
    Cv.TextOut(X, Y, S);
    FTitleRects[tpBottom] = Rect(X, Y, X + Tw, Y + Th);
  }
  if (!FTitles[tpLeft].isEmpty()) {
    const QString& S = FTitles[tpLeft];
    Cv.Font().Assign(FFontTitleLeft);
    const TSize E = Cv.TextExtent(S);
    Cv.Font().SetEscapement(900);
    Cv.TextOut(10, H / 2 + E.cx / 2, S);
    FTitleRects[tpLeft] = Rect(10, H / 2 + E.cx / 2 - E.cx, 10 + E.cy, H / 2 + E.cx / 2);
  }
  if (!FTitles[tpRight].isEmpty()) {
    const QString& S = FTitles[tpRight];
    Cv.Font().Assign(FFontTitleRight);
    const TSize E = Cv.TextExtent(S);
    Cv.Font().SetEscapement(2700);
    Cv.TextOut(W - 10, H / 2 - E.cx / 2, S);
    FTitleRects[tpRight] = Rect(W - 10 - E.cy, H / 2 + E.cx / 2 - E.cx, W - 10, H / 2 + E.cx / 2);
  }
  Cv.Font().SetEscapement(0);
}

// ---------------------------------------------------------------------------
// Axes

TAxisLayout THistoView::LayoutYAxis(TCanvas& Cv) {
  return LogY() ? LayoutLogAxis(Cv, true) : LayoutLinearAxis(Cv, true);
}

TAxisLayout THistoView::LayoutXAxis(TCanvas& Cv) {
  return LogX() ? LayoutLogAxis(Cv, false) : LayoutLinearAxis(Cv, false);
}

// Linear axis. Y: h = B - T, y(v) = B - Trunc(h v / r) + Trunc(h lo / r);
// X: w = R - L - 1, x(v) = L + Trunc(w v / r) - Trunc(w lo / r); r = hi - lo.
// Grid lines at the multiples of the gap inside lo..hi; labels on every
// n-th of them, n the smallest that keeps labels apart (two text heights
// on Y, the widest label plus 10 pixels on X).
TAxisLayout THistoView::LayoutLinearAxis(TCanvas& Cv, bool IsY) {
  TAxisLayout Axis;
  const TRect P = PlotRect();
  const Integer Size = IsY ? P.Bottom - P.Top : P.Right - P.Left - 1;
  const Extended Lo = IsY ? FViewYMin : FViewXCurrentMin;
  const Extended Hi = IsY ? FViewYMax : FViewXCurrentMax;
  Single& Gap = IsY ? FViewYGap : FViewXGap;
  const Extended Span = Hi - Lo;
  if (Size <= 0 || !(Span > 0) || !std::isfinite(Span) || !(Gap > 0) || !std::isfinite(Gap)) return Axis;

  // Never denser than one grid line per two pixels (a range so wide that
  // this gap is beyond the Single range gets no grid).
  if (std::trunc(2 * Span / Gap) > Size) {
    const Single Wider = Single(2 * Span / Size);
    if (!std::isfinite(Wider)) return Axis;
    Gap = Wider;
  }
  // Every multiple of the gap inside the range, the ends included where
  // decimal steps in binary miss them by a hair.
  const TGapMultiples Multiples = GapMultiples(Lo, Hi, Gap, SingleScale, 2 * std::int64_t(Size) + 2);

  const std::int64_t Offset = Trunc64(Size * Lo / Span);
  const auto Pixel = [&](Extended V) -> Integer {
    const std::int64_t D = Trunc64(Size * V / Span) - Offset;
    return IsY ? P.Bottom - Integer(D) : P.Left + Integer(D);
  };

  const QString Format = LinearLabelFormat(Lo, Hi, IsY ? FViewYDecimals : FViewXDecimals);
  Cv.Font().Assign(IsY ? FFontYAxis : FFontXAxis);
  // Pixels from one grid line to the next; a gap far wider than the range
  // (one line at most) is held below the integer limit before it is
  // converted.
  const Integer Step = std::max(1, Trunc(std::min(Size * Extended(Gap) / Span, Extended(1 << 30))));
  Integer Need;
  if (IsY) {
    Need = 2 * Cv.TextHeight(QStringLiteral("012."));
  } else {
    const Extended Widest = std::fabs(Extended(FViewXCurrentMax)) > std::fabs(Extended(FViewXCurrentMin))
                                ? FViewXCurrentMax
                                : FViewXCurrentMin;
    Need = Cv.TextWidth(FormatFloat(Format, Widest) + QLatin1Char('-')) + 10;
  }
  Integer Spacing = Step, Every = 1;
  while (Need > Spacing) {
    Spacing += Step;
    ++Every;
  }

  // Labels on every Every-th grid line from the first. On the X axis the
  // widest label actually drawn decides too: scientific labels of inner
  // values ("1.25E-05") can be wider than those of the ends.
  for (;;) {
    Axis.Labels.clear();
    Integer Widest = 0, Closest = std::numeric_limits<Integer>::max();
    for (std::int64_t k = 0; k < Multiples.Count; k += Every) {
      const Extended V = Multiples.At(k);
      if (!Axis.Labels.empty()) Closest = std::min(Closest, std::abs(Pixel(V) - Axis.Labels.back().Pixel));
      Axis.Labels.push_back({V, Pixel(V), FormatFloat(Format, V)});
      if (!IsY) Widest = std::max(Widest, Cv.TextWidth(Axis.Labels.back().Text));
    }
    // The pixels actually between neighbouring labels: the step above is
    // truncated and can be a pixel short of them.
    if (IsY || Widest + 10 <= Closest || Every >= Multiples.Count) break;
    ++Every;
  }
  // Grid lines below the upper end, which the frame marks.
  for (std::int64_t k = 0; k < Multiples.Count; ++k) {
    const Extended V = Multiples.At(k);
    if (V >= Hi) break;
    Axis.Grid.push_back({V, Pixel(V), QString()});
  }
  return Axis;
}

// Logarithmic axis: a label at every power of ten inside the range, grid
// lines at 1..9 times each power of ten below the maximum.
TAxisLayout THistoView::LayoutLogAxis(TCanvas& Cv, bool IsY) {
  TAxisLayout Axis;
  const Extended Lo = IsY ? FViewYMin : FViewXCurrentMin;
  const Extended Hi = IsY ? FViewYMax : FViewXCurrentMax;
  if (!(Lo > 0 && Hi > Lo) || !std::isfinite(Hi)) return Axis;
  const auto Pixel = [&](Extended V) { return IsY ? LogYPixel(V) : LogXPixel(V); };
  Cv.Font().Assign(IsY ? FFontYAxis : FFontXAxis);

  const Extended A = std::log10(Lo), B = std::log10(Hi);
  // The range ends are Single: 0.001f lies a hair above 10^-3. A power of
  // ten within Single precision of an end counts as inside, so that decade
  // keeps its label.
  constexpr Extended Tolerance = 1e-6L;
  Integer D0 = Round(A);
  if (D0 < A - Tolerance) ++D0;
  Integer D1 = Round(B);
  if (D1 > B + Tolerance) --D1;
  for (Integer E = D0; E <= D1; ++E) {
    const Extended V = std::pow(10.0L, E);
    Axis.Labels.push_back({V, Pixel(V), LogLabelText(E, D0, D1)});
  }

  Integer G = Trunc(A);
  if (G > A) --G;
  Integer M = Trunc(std::pow(10.0L, A - G));
  Extended Decade = std::pow(10.0L, G);
  const auto Advance = [&] {
    if (++M == 10) {
      M = 1;
      ++G;
      Decade = std::pow(10.0L, G);
    }
  };
  while (M * Decade < Lo) Advance();
  while (M * Decade < Hi) {
    Axis.Grid.push_back({M * Decade, Pixel(M * Decade), QString()});
    Advance();
  }
  return Axis;
}

void THistoView::DrawAxis(TCanvas& Cv, const TAxisLayout& Axis, bool IsY) {
  const TRect P = PlotRect();
  Cv.Font().Assign(IsY ? FFontYAxis : FFontXAxis);
  Cv.SetBkMode(bkTransparent);
  const Integer Th = Cv.TextHeight(QStringLiteral("012."));
  Cv.Pen().Color = FGridColor;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Width = 1;
  Cv.Pen().Mode = pmCopy;
  for (const TAxisMark& M : Axis.Labels) {
    if (IsY) {
      Cv.TextOut(P.Left - Cv.TextWidth(M.Text) - 10, M.Pixel - Th / 2, M.Text);
      Cv.MoveTo(P.Left - 2, M.Pixel);
      Cv.LineTo(P.Left, M.Pixel);
    } else {
      Cv.TextOut(M.Pixel - Cv.TextWidth(M.Text) / 2, P.Bottom + 5, M.Text);
      Cv.MoveTo(M.Pixel, P.Bottom + 1);
      Cv.LineTo(M.Pixel, P.Bottom + 3);
    }
  }
  const bool Show = IsY ? (FGridVisible == grdHor || FGridVisible == grdBoth)
                        : (FGridVisible == grdVer || FGridVisible == grdBoth);
  if (!Show) return;
  Cv.Pen().Style = FGridLineStyle;
  for (const TAxisMark& M : Axis.Grid) {
    if (IsY) {
      Cv.MoveTo(P.Left, M.Pixel);
      Cv.LineTo(P.Right, M.Pixel);
    } else {
      Cv.MoveTo(M.Pixel, P.Top);
      Cv.LineTo(M.Pixel, P.Bottom);
    }
  }
}

// ---------------------------------------------------------------------------
// Curves

void THistoView::DrawCurves(TCanvas& Cv, const TRect& Clip) {
  GrowPointBuffer();  // before the loop: the buffer is not reallocated below
  const TRect P = PlotRect();
  const int Saved = Cv.SaveDC();
  Cv.IntersectClipRect(Rect(P.Left, P.Top, P.Right, P.Bottom));
  Cv.SetBkMode(bkTransparent);
  for (Integer k = 1; k <= FSeriesNumber; ++k) {
    const Integer N = BuildCurve(k, Clip);
    if (N == 0) continue;
    const THistoSeries& S = Series(k);
    Cv.Pen().Color = S.Color;
    Cv.Pen().Style = S.LineStyle;
    Cv.Pen().Mode = pmCopy;
    Cv.Pen().Width = 1;
    Cv.Polyline(FPoints.data(), N);
  }
  Cv.RestoreDC(Saved);
}

std::vector<TPoint> THistoView::CurvePoints(Integer Serie, const TRect& Clip) {
  if (Serie < 1 || Serie > FSeriesNumber) return {};
  GrowPointBuffer();
  const Integer N = BuildCurve(Serie, Clip);
  return std::vector<TPoint>(FPoints.begin(), FPoints.begin() + N);
}

// Writes the pixel points of series Serie into the point buffer and
// returns their number. Yt series: sample i (1..Count) at
// x_i = Trunc(x0 + i dx) on a linear X axis, only the samples inside the
// X window and Clip plus one on each side. XY series: every pair.
// y = Trunc(y0 + ys Y) + 1 on a linear Y axis.
Integer THistoView::BuildCurve(Integer Serie, const TRect& Clip) {
  const THistoSeries& S = Series(Serie);
  if (!S.Data || S.Count < 1 || S.Count > MaxDrawCount) return 0;
  if (FPoints.size() < std::size_t(std::max(S.Count, 2))) return 0;  // buffer not grown for this series
  const TRect P = PlotRect();
  const Extended PW = P.Right - P.Left, PH = P.Bottom - P.Top;
  const Extended YSpan = Extended(FViewYMax) - FViewYMin;
  const Extended Ys = -PH / YSpan;
  const Extended Y0 = P.Bottom + PH * FViewYMin / YSpan;
  const bool LogYAxis = LogY(), LogXAxis = LogX();
  const auto YPixel = [&](Extended Y) -> Integer {
    if (LogYAxis) return LogYPixel(Y);
    const Extended T = Y0 + Ys * Y;
    if (std::isnan(T)) return CoordLimit;
    // Beyond the limits (and a little) every row ends on the same limit.
    return CoordTrunc(TruncSmall(std::clamp<Extended>(T, -CoordLimit - 2, CoordLimit + 2)) + 1);
  };
  const Extended CurSpan = Extended(FViewXCurrentMax) - FViewXCurrentMin;
  TPoint* Out = FPoints.data();
  Integer N = 0;

  if (S.Style == dtDataXY) {
    for (Integer i = 0; i < S.Count; ++i) {
      const Extended X = S.Data[2 * qsizetype(i)];
      const Integer Px = LogXAxis ? LogXPixel(X) : CoordTrunc(P.Left + PW * (X - FViewXCurrentMin) / CurSpan);
      Out[N++] = {Px, YPixel(S.Data[2 * qsizetype(i) + 1])};
    }
    return N;
  }

  const Integer Count = S.Count;
  const Extended NomSpan = Extended(FViewXNominalMax) - FViewXNominalMin;
  Integer First = 1, Last = Count;
  if (FViewXCurrentMin > FViewXNominalMin)
    First = std::max(1, IndexTrunc((FViewXCurrentMin - Extended(FViewXNominalMin)) / NomSpan * Count, Count));
  if (FViewXCurrentMax < FViewXNominalMax)
    Last = std::min(Count, IndexTrunc((FViewXCurrentMax - Extended(FViewXNominalMin)) / NomSpan * Count, Count) +
                               (LogXAxis ? 0 : 1));

  if (!LogXAxis) {
    // A single value sits at ViewXNominalMin.
    const Extended Dx = Count > 1 ? PW * NomSpan / CurSpan / (Count - 1) : 0;
    const Extended X0 = P.Left + PW * (FViewXNominalMin - Extended(FViewXCurrentMin)) / CurSpan - Dx;
    if (Dx > 0) {
      First = std::max(First, IndexTrunc((Clip.Left - X0) / Dx, Count) - 1);
      Last = std::min(Last, IndexTrunc((Clip.Right - X0) / Dx, Count) + 1);
    }
    for (Integer i = std::max(First, 1); i <= Last; ++i)
      Out[N++] = {CoordTrunc(X0 + i * Dx), YPixel(S.Data[i - 1])};
  } else {
    const Extended Step = Count > 1 ? NomSpan / (Count - 1) : 0;
    if (Step > 0) {
      // Sample index (1-based) of the value at a pixel column.
      const auto IndexAt = [&](Integer Px) {
        return (std::exp((Px - FLogOX) / FLogFX) - FViewXNominalMin) / Step + 1;
      };
      First = std::max(First, IndexTrunc(IndexAt(Clip.Left), Count) - 1);
      Last = std::min(Last, IndexTrunc(IndexAt(Clip.Right), Count) + 1);
    }
    for (Integer i = std::max(First, 1); i <= Last; ++i)
      Out[N++] = {LogXPixel(FViewXNominalMin + (i - 1) * Step), YPixel(S.Data[i - 1])};
  }
  if (N == 1) {
    // One point alone draws nothing; make it a dot.
    Out[1] = {Out[0].X + 1, Out[0].Y};
    N = 2;
  }
  return N;
}

}  // namespace quellix::HistoInt
