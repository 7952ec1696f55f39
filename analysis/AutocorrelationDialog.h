/// The autocorrelation dialog: a generated signal of 512 samples, windowed,
/// and its circular autocorrelation. \file
#pragma once

#include "quellix/analysis/AnalysisDialog.h"

namespace quellix::Uauto {

class TAutokorrDialog : public AnalysisDialog::TAnalysisDialog {
  Q_OBJECT
public:
  explicit TAutokorrDialog(TComponentCore* AOwner = nullptr);

  /// The Y range of the result follows the chosen function, set after the
  /// new result is shown.
  void FunctionClick(Integer Kind) override;

  FFT::TComplexVector* Signal() const { return FSignal; }
  FFT::TComplexVector* Work() const { return FWork; }

protected:
  void ComputeAndShow() override;

private:
  FFT::TComplexVector* FSignal;
  FFT::TComplexVector* FWork;
};

}  ///< namespace quellix::Uauto
