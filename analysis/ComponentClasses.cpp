#include "quellix/analysis/ComponentClasses.h"

#include "quellix/analysis/FFT.h"
#include "quellix/host/Streaming.h"

namespace quellix {

void RegisterAnalysisClasses() {
  RegisterClass<FFT::TFFT>();
}

}  // namespace quellix
