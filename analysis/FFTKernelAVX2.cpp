// The transform kernel built for AVX2 (this file alone is compiled with
// -mavx2; the component calls it only where the processor has AVX2).
// It takes and calls nothing but raw pointers and the internal-linkage
// code of FFTKernelImpl.h, so no AVX2 code can leak into shared symbols.
#define QUELLIX_FFT_AVX2 1
#include "quellix/analysis/FFTKernelImpl.h"

namespace quellix::FFT::Kernel {

void TransformAVX2(const TPlanView& Plan, Single* Re, Single* Im, bool Inverse) {
  RunTransform(Plan, Re, Im, Inverse);
}

Integer SplitAVX2(Single* Re, Single* Im, Integer N, const Single* Cos, const Single* Sin) {
  return RunSplit(Re, Im, N, Cos, Sin);
}

Integer MagnitudesAVX2(Single* Re, const Single* Im, Integer From, Integer To) {
  return RunMagnitudes(Re, Im, From, To);
}

}  // namespace quellix::FFT::Kernel
