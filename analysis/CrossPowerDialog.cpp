#include "quellix/analysis/CrossPowerDialog.h"

namespace quellix::Ucropow {

using namespace AnalysisDialog;

namespace {

TDialogSetup Setup() {
  TDialogSetup S;
  S.ClassName = QStringLiteral("TCrossPowerDialog");
  S.Caption = TAnalysisDialog::tr("Cross Power Spectrum");
  S.Exponent = 8;
  S.Sweep = {0.031f, 0.001f, 0.01L, 0.15L, true};
  S.TwoSignals = true;
  S.FunctionCount = FunctionKindCount;
  S.TimerInterval = 10;
  S.Result = {TAnalysisDialog::tr("Kreuzleistungsdichte (Betrag)"), TAnalysisDialog::tr("Leistungsdichte [V^2s]"),
              TAnalysisDialog::tr("Frequenz [Hz]"), 1e-5f, 0.1f, 0.01f, 0, 128, 20, 0, true};
  S.Operation = TAnalysisDialog::tr("Berechnung der Kreuzleistungsdichte");
  return S;
}

}  // namespace

TCrossPowerDialog::TCrossPowerDialog(TComponentCore* AOwner) : TAnalysisDialog(Setup(), AOwner) {
  const TTwoSignalVectors V = MakeTwoSignalVectors();
  FF1 = V.F1;
  FF2 = V.F2;
  FA = V.A;
  FB = V.B;
  FResult = V.Result;
}

// |A[j]·conj B[j]| of the windowed signals' transforms.
void TCrossPowerDialog::ComputeAndShow() {
  FA->Assign(FF1);
  FB->Assign(FF2);
  FFT1->ApplyLeakFunction(FA->Re());
  FFT1->ApplyLeakFunction(FB->Re());
  FFT1->CrossPowerSpectrum(FResult, FA, FB);
  FResult->Magnitude(FResult);
  Show(Histograph1, FF1->Re()->Data(), FF1->Count());
  Show(Histograph3, FF2->Re()->Data(), FF2->Count());
  Show(Histograph2, FResult->Re()->Data(), ShownBins);
}

}  // namespace quellix::Ucropow
