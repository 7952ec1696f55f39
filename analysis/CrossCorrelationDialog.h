/// The cross-correlation dialog: signal 1 at a fixed frequency, signal 2
/// swept, both windowed, and their circular cross-correlation. \file
#pragma once

#include "quellix/analysis/AnalysisDialog.h"

namespace quellix::Ucross {

class TKreuzkorrelationDialog : public AnalysisDialog::TAnalysisDialog {
  Q_OBJECT
public:
  explicit TKreuzkorrelationDialog(TComponentCore* AOwner = nullptr);

  /// The Y range of the result follows signal 1's function; it is set
  /// before the new result is computed, with the screen updates of the
  /// result histograph held back meanwhile.
  void FunctionClick(Integer Kind) override;

  FFT::TComplexVector* F1() const { return FF1; }
  FFT::TComplexVector* F2() const { return FF2; }
  FFT::TComplexVector* Result() const { return FResult; }

protected:
  void ComputeAndShow() override;

private:
  FFT::TComplexVector* FF1;
  FFT::TComplexVector* FF2;
  FFT::TComplexVector* FA;
  FFT::TComplexVector* FB;
  FFT::TComplexVector* FResult;
};

}  ///< namespace quellix::Ucross
