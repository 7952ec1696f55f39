/// The FFT dialog: a generated real signal of 512 samples and its
/// magnitude spectrum (bin 0 the mean, bins 1 … 255 the magnitudes). \file
#pragma once

#include "quellix/analysis/AnalysisDialog.h"

namespace quellix::Ufft {

class TfftDialog : public AnalysisDialog::TAnalysisDialog {
  Q_OBJECT
public:
  explicit TfftDialog(TComponentCore* AOwner = nullptr);

  FFT::TVector* Signal() const { return FSignal; }
  FFT::TComplexVector* Display() const { return FDisplay; }

protected:
  void ComputeAndShow() override;

private:
  FFT::TVector* FSignal;
  FFT::TVector* FWork;
  FFT::TComplexVector* FSpectrum;
  FFT::TComplexVector* FDisplay;
};

}  ///< namespace quellix::Ufft
