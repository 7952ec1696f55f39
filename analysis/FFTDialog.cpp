#include "quellix/analysis/FFTDialog.h"

namespace quellix::Ufft {

using namespace AnalysisDialog;

namespace {

TDialogSetup Setup() {
  TDialogSetup S;
  S.ClassName = QStringLiteral("TfftDialog");
  S.Caption = TAnalysisDialog::tr("FFT Demo");
  S.Exponent = 8;
  S.Sweep = {0.1f, 0.002f, 0.005L, 0.5L, false};
  S.TwoSignals = false;
  S.FunctionCount = 3;  // Sinus, Rechteck, Sägezahn
  S.TimerInterval = 1;
  S.Result = {TAnalysisDialog::tr("Fourier-Transformierte"), TAnalysisDialog::tr("Amplitude [V]"),
              TAnalysisDialog::tr("Frequenz [Hz]"), 0.001f, 1, 0.1f, 0, 256, 32, 0, true};
  S.Operation = TAnalysisDialog::tr("schnelle Fourier Transformation");
  return S;
}

}  // namespace

TfftDialog::TfftDialog(TComponentCore* AOwner) : TAnalysisDialog(Setup(), AOwner) {
  const Integer N = FFT1->Size();
  FSignal = FFT1->NewVector(2 * N);
  FWork = FFT1->NewVector(2 * N);
  FSpectrum = FFT1->NewComplexVector(N);
  FDisplay = FFT1->NewComplexVector(N);
  SetSignals(FSignal->Data(), FSignal->Count());
}

// The real spectrum of the 2N windowed samples: a cosine of amplitude A on
// bin k (k cycles in 2N samples) shows magnitude A there.
void TfftDialog::ComputeAndShow() {
  FWork->Assign(FSignal);
  FFT1->RealSpectrum(FWork, FSpectrum, false);
  FDisplay->Assign(FSpectrum);
  Show(Histograph1, FSignal->Data(), FSignal->Count());
  Show(Histograph2, FDisplay->Re()->Data(), FDisplay->Count());
}

}  // namespace quellix::Ufft
