#include "quellix/analysis/PowerSpectrumDialog.h"

namespace quellix::Upow {

using namespace AnalysisDialog;

namespace {

TDialogSetup Setup() {
  TDialogSetup S;
  S.ClassName = QStringLiteral("TPowerSpectrumDialog");
  S.Caption = TAnalysisDialog::tr("Power Spectrum");
  S.Exponent = 9;
  S.Sweep = {0.1f, 0.002f, 0.005L, 0.5L, false};
  S.TwoSignals = false;
  S.FunctionCount = FunctionKindCount;
  S.TimerInterval = 1;
  S.Result = {TAnalysisDialog::tr("Power Spectrum"), TAnalysisDialog::tr("Leistungsdichte [V^2s]"),
              TAnalysisDialog::tr("Frequenz [Hz]"), 1e-8f, 1, 0.5f, 0, 255, 32, 0, true};
  S.Operation = TAnalysisDialog::tr("Berechnung der Leistungsdichte");
  return S;
}

}  // namespace

TPowerSpectrumDialog::TPowerSpectrumDialog(TComponentCore* AOwner) : TAnalysisDialog(Setup(), AOwner) {
  const Integer N = FFT1->Size();
  FSignal = FFT1->NewComplexVector(N);
  FWork = FFT1->NewComplexVector(N);
  SetSignals(FSignal->Re()->Data(), FSignal->Count());
}

// |Z[j]|² of the windowed signal; the first half of the bins is shown (the
// second half mirrors it for a real signal).
void TPowerSpectrumDialog::ComputeAndShow() {
  FWork->Assign(FSignal);
  FFT1->ApplyLeakFunction(FWork->Re());
  FFT1->PowerSpectrum(FWork);
  Show(Histograph1, FSignal->Re()->Data(), FSignal->Count());
  Show(Histograph2, FWork->Re()->Data(), FWork->Count() / 2);
}

}  // namespace quellix::Upow
