/// The power spectrum dialog: a generated signal of 512 samples, windowed,
/// and the squared magnitudes of its transform. \file
#pragma once

#include "quellix/analysis/AnalysisDialog.h"

namespace quellix::Upow {

class TPowerSpectrumDialog : public AnalysisDialog::TAnalysisDialog {
  Q_OBJECT
public:
  explicit TPowerSpectrumDialog(TComponentCore* AOwner = nullptr);

  FFT::TComplexVector* Signal() const { return FSignal; }
  FFT::TComplexVector* Work() const { return FWork; }

protected:
  void ComputeAndShow() override;

private:
  FFT::TComplexVector* FSignal;
  FFT::TComplexVector* FWork;
};

}  ///< namespace quellix::Upow
