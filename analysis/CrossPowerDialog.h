/// The cross-power dialog: signal 1 at a fixed frequency, signal 2 swept,
/// both windowed, and the magnitude of their cross-power spectrum. \file
#pragma once

#include "quellix/analysis/AnalysisDialog.h"

namespace quellix::Ucropow {

class TCrossPowerDialog : public AnalysisDialog::TAnalysisDialog {
  Q_OBJECT
public:
  explicit TCrossPowerDialog(TComponentCore* AOwner = nullptr);

  /// Bins shown of the result.
  static constexpr Integer ShownBins = 128;

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

}  ///< namespace quellix::Ucropow
