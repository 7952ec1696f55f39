// Gallery pages of the analysis dialogs: each dialog after a few
// generation steps, with the function and window that show its operation
// best.
#include "Gallery.h"
#include "quellix/analysis/AutocorrelationDialog.h"
#include "quellix/analysis/CrossPowerDialog.h"
#include "quellix/analysis/CrossCorrelationDialog.h"
#include "quellix/analysis/FFTDialog.h"
#include "quellix/analysis/PowerSpectrumDialog.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;
using namespace quellix::AnalysisDialog;

namespace {

void Steps(TAnalysisDialog& D, int N) {
  for (int I = 0; I < N; ++I) D.Timer1->Tick();
}

}  // namespace

QUELLIX_GALLERY_PAGE(Analysis) {
  SetRandSeed(17);
  {
    Uauto::TAutokorrDialog D;
    D.WindowClick(FFT::wnHanning);
    Steps(D, 10);
    gallery::SaveWidget(&D, OutDir, "analysis-auto.png");
    D.FunctionClick(fkVerrSinus);
    Steps(D, 4);
    gallery::SaveWidget(&D, OutDir, "analysis-auto-noisy.png");
  }
  {
    Ucross::TKreuzkorrelationDialog D;
    // About 90 steps bring the swept signal 2 to signal 1's five periods.
    Steps(D, 90);
    gallery::SaveWidget(&D, OutDir, "analysis-cross.png");
    D.Function2Click(fkRechteck);
    gallery::SaveWidget(&D, OutDir, "analysis-cross-square.png");
  }
  {
    Ufft::TfftDialog D;
    D.FunctionClick(fkSinus);
    Steps(D, 20);
    gallery::SaveWidget(&D, OutDir, "analysis-fft.png");
    D.FunctionClick(fkRechteck);
    D.WindowClick(FFT::wnBlackman);
    gallery::SaveWidget(&D, OutDir, "analysis-fft-square.png");
  }
  {
    Upow::TPowerSpectrumDialog D;
    D.WindowClick(FFT::wnHamming);
    Steps(D, 30);
    gallery::SaveWidget(&D, OutDir, "analysis-power.png");
  }
  {
    Ucropow::TCrossPowerDialog D;
    D.WindowClick(FFT::wnHanning);
    Steps(D, 90);
    gallery::SaveWidget(&D, OutDir, "analysis-crosspower.png");
  }
}
