#include "quellix/app/FilterWindow.h"

#include <algorithm>

#include "quellix/host/NumberFormat.h"

namespace quellix::app {

using namespace HistoInt;

void MakeSquareWave(Single* Out, Integer Count, Double Step, Double F) {
  const Double HalfPeriod = 0.5 / F;
  Double T = 0;
  Double Edge = HalfPeriod;
  Single Level = kSquareLevel;
  for (Integer I = 0; I < Count; ++I) {
    if (T > Edge) {
      Level = -Level;
      Edge += HalfPeriod;
    }
    Out[I] = Level;
    T += Step;
  }
}

void TFrequencySweep::Advance() {
  if (F > High || F < Low) DF = -DF;
  F += DF;
}

// Scales, titles and series of the graph that shows the square wave (series
// 1, blue) and its filtered copy (series 2, red); its timer drives the window.
void SetUpSquareWaveGraph(Histo::THistograph* H) {
  H->SetViewYMin(-3);
  H->SetViewYMax(3);
  H->SetViewYGap(1);
  H->SetViewYDecimals(0);
  H->SetViewXNominalMin(0);
  H->SetViewXNominalMax(1);
  H->SetViewXCurrentMin(0);
  H->SetViewXCurrentMax(1);
  H->SetViewXGap(0.1f);
  H->SetViewXDecimals(1);
  H->SetTitleTop(TFilterDemo::tr("Rechteck (blau) und gefiltertes Signal (rot)"));
  H->SetTitleBottom(TFilterDemo::tr("Zeit [s]"));
  H->SetTitleLeft(TFilterDemo::tr("Amplitude"));
  H->SetSeriesNumber(2);
  H->SetSeriesCurrent(1);
  H->SetSeriesColor(clBlue);
  H->SetSeriesCurrent(2);
  H->SetSeriesColor(clRed);
  H->SetSeriesCurrent(1);
  H->SetTimerInterval(1);
}

TFilterDemo::TFilterDemo(const QString& ClassName, const QString& Caption, const QString& FilterName,
                         const QString& Explanation, TComponentCore* AOwner)
    : TDemoWindow(ClassName, Caption, AOwner), FSignal(kSampleCount), FFiltered(kSampleCount) {
  SetTitle(FilterName);
  SetExplanation(Explanation);
  resize(700, 560);
  QWidget* Area = ClientArea();

  Histograph1 = new Histo::THistograph(this, Area);
  Histograph1->SetName(QStringLiteral("Histograph1"));
  Histograph1->SetBounds(0, 0, 560, 390);
  // The window feeds the curves itself; no source reconfigures them.
  Histograph1->SetAutoConfig(false);
  Histograph1->SetBkColor(clWhite);
  Histograph1->SetGridColor(clSilver);
  Histograph1->SetGridVisible(grdBoth);
  Histograph1->SetGridLineStyle(psDot);
  Histograph1->SetGapLeft(60);
  Histograph1->SetGapRight(20);
  Histograph1->SetGapTop(36);
  Histograph1->SetGapBottom(50);
  SetUpSquareWaveGraph(Histograph1);
  Histograph1->OnTimer = [this](TObject* Sender) { Histograph1Timer(Sender); };

  auto* Caption1 = new QLabel(tr("Eckfrequenz"), Area);
  Caption1->setGeometry(570, 0, 100, 18);
  Caption1->setAlignment(Qt::AlignCenter);

  Eckfrequenz = new Slider::TSlider(this, Area);
  Eckfrequenz->SetName(QStringLiteral("Eckfrequenz"));
  Eckfrequenz->SetBounds(588, 22, 64, 320);
  Eckfrequenz->SetLabelingStyle(Slider::lbsBoth);
  Eckfrequenz->SetLabelingOrientation(Slider::lboLeft);
  Eckfrequenz->SetLabelingDecimals(0);
  Eckfrequenz->SetSliderWidth(8);
  Eckfrequenz->SetButtonWidth(26);
  Eckfrequenz->SetButtonHeight(16);
  Eckfrequenz->SetButtonCaption(QStringLiteral("="));

  EckfrequenzText = new QLabel(Area);
  EckfrequenzText->setObjectName(QStringLiteral("EckfrequenzText"));
  EckfrequenzText->setGeometry(575, 352, 90, 22);
  EckfrequenzText->setAlignment(Qt::AlignCenter);
  EckfrequenzText->setFrameShape(QFrame::Panel);
  EckfrequenzText->setFrameShadow(QFrame::Sunken);

  // The timer runs only while the window is on the screen.
  OnShow = [this](TObject*) { Histograph1->SetTimerEnabled(true); };
  OnHide = [this](TObject*) { Histograph1->SetTimerEnabled(false); };
}

void TFilterDemo::AttachFilter(FiltBase::TFilterBase* Filter, Double CutoffMin, Double CutoffMax,
                               Double CutoffInitial) {
  FFilter = Filter;
  Eckfrequenz->SetValueMin(CutoffMin);
  Eckfrequenz->SetValueMax(CutoffMax);
  // Five labels up to the top of the range (5, 10, ... 25 or 10, 20, ... 50).
  Eckfrequenz->SetLabelingGap(CutoffMax / 5);
  Eckfrequenz->SetValue(CutoffInitial);
  FFilter->SetSampleFrequency(kSampleFrequency);
  FFilter->SetCutoffFrequency(Single(Eckfrequenz->Value()));
  Eckfrequenz->OnValueChange = [this](TObject* Sender) { EckfrequenzChange(Sender); };
  ShowCutoff();
}

void TFilterDemo::EckfrequenzChange(TObject*) {
  if (!FFilter) return;
  FFilter->SetCutoffFrequency(Single(Eckfrequenz->Value()));
  ShowCutoff();
}

void TFilterDemo::ShowCutoff() {
  EckfrequenzText->setText(FloatToStrFixed(FFilter->CutoffFrequency(), 1) + QStringLiteral(" Hz"));
}

void TFilterDemo::Histograph1Timer(TObject*) {
  MakeSquareWave(FSignal.data(), kSampleCount, 1.0 / kSampleFrequency, Sweep.F);
  // The histograph points at both arrays, so they are refilled in place.
  std::copy(FSignal.begin(), FSignal.end(), FFiltered.begin());
  RunFilter(FFiltered.data(), kSampleCount);
  // Both curves appear in one redraw.
  Histograph1->SetEnableUpdate(false);
  Histograph1->SetData(FSignal.data(), kSampleCount, 1);
  Histograph1->SetData(FFiltered.data(), kSampleCount, 2);
  Histograph1->SetEnableUpdate(true);
  Sweep.Advance();
}

}  // namespace quellix::app
