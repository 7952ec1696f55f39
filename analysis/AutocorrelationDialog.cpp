#include "quellix/analysis/AutocorrelationDialog.h"

namespace quellix::Uauto {

using namespace AnalysisDialog;

namespace {

TDialogSetup Setup() {
  TDialogSetup S;
  S.ClassName = QStringLiteral("TAutokorrDialog");
  S.Caption = TAnalysisDialog::tr("Autokorrelation");
  S.Exponent = 9;
  S.Sweep = {0.1f, 0.002f, 0.005L, 0.5L, false};
  S.TwoSignals = false;
  S.FunctionCount = FunctionKindCount;
  S.TimerInterval = 1;
  S.Result = {TAnalysisDialog::tr("Autokorrelation"), TAnalysisDialog::tr("Korrelation [V^2]"), TAnalysisDialog::tr("Zeit [s]"),
              -1, 1, 0.5f, 0, 1, 0.1f};
  S.Operation = TAnalysisDialog::tr("Autokorrelation");
  return S;
}

}  // namespace

TAutokorrDialog::TAutokorrDialog(TComponentCore* AOwner) : TAnalysisDialog(Setup(), AOwner) {
  const Integer N = FFT1->Size();
  FSignal = FFT1->NewComplexVector(N);
  FWork = FFT1->NewComplexVector(N);
  SetSignals(FSignal->Re()->Data(), FSignal->Count());
}

void TAutokorrDialog::FunctionClick(Integer Kind) {
  TAnalysisDialog::FunctionClick(Kind);
  if (Kind == FunctionKind()) SetCorrelationRange(Kind);
}

// r[k] = (1/N)·Σₜ x[t]·x[(t−k) mod N] of the windowed signal x.
void TAutokorrDialog::ComputeAndShow() {
  FWork->Assign(FSignal);
  FFT1->ApplyLeakFunction(FWork->Re());
  FFT1->AutoCorrelation(FWork);
  Show(Histograph1, FSignal->Re()->Data(), FSignal->Count());
  Show(Histograph2, FWork->Re()->Data(), FWork->Count());
}

}  // namespace quellix::Uauto
