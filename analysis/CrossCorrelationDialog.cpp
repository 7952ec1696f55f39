#include "quellix/analysis/CrossCorrelationDialog.h"

namespace quellix::Ucross {

using namespace AnalysisDialog;

namespace {

TDialogSetup Setup() {
  TDialogSetup S;
  S.ClassName = QStringLiteral("TKreuzkorrelationDialog");
  S.Caption = TAnalysisDialog::tr("Kreuzkorrelation");
  S.Exponent = 8;
  S.Sweep = {0.031f, 0.001f, 0.01L, 0.15L, true};
  S.TwoSignals = true;
  S.FunctionCount = FunctionKindCount;
  S.TimerInterval = 1;
  S.Result = {TAnalysisDialog::tr("Kreuzkorrelation"), TAnalysisDialog::tr("Amplitude [V]"), TAnalysisDialog::tr("Zeit [s]"),
              -1, 1, 0.5f, 0, 1, 0.1f};
  S.Operation = TAnalysisDialog::tr("Kreuzkorrelation");
  return S;
}

}  // namespace

TKreuzkorrelationDialog::TKreuzkorrelationDialog(TComponentCore* AOwner) : TAnalysisDialog(Setup(), AOwner) {
  const TTwoSignalVectors V = MakeTwoSignalVectors();
  FF1 = V.F1;
  FF2 = V.F2;
  FA = V.A;
  FB = V.B;
  FResult = V.Result;
}

void TKreuzkorrelationDialog::FunctionClick(Integer Kind) {
  if (Kind >= 0 && Kind < Integer(FunctionButtons.size())) {
    Histograph2->SetEnableUpdate(false);
    SetCorrelationRange(Kind);
    Histograph2->SetEnableUpdate(true);
  }
  TAnalysisDialog::FunctionClick(Kind);
}

// R[k] = (1/N)·Σₜ a[t]·b[(t−k) mod N] of the windowed signals a and b.
void TKreuzkorrelationDialog::ComputeAndShow() {
  FA->Assign(FF1);
  FB->Assign(FF2);
  FFT1->ApplyLeakFunction(FA->Re());
  FFT1->ApplyLeakFunction(FB->Re());
  FFT1->CrossCorrelation(FResult, FA, FB);
  Show(Histograph1, FF1->Re()->Data(), FF1->Count());
  Show(Histograph3, FF2->Re()->Data(), FF2->Count());
  Show(Histograph2, FResult->Re()->Data(), FResult->Count());
}

}  // namespace quellix::Ucross
