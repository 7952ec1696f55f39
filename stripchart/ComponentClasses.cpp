#include "quellix/stripchart/ComponentClasses.h"

#include "quellix/stripchart/StripChartEngine.h"
#include "quellix/stripchart/StripChartSink.h"
#include "quellix/host/Streaming.h"

namespace quellix {

void RegisterStripChartClasses() {
  RegisterClass<StrpChrtInt::TStripChartInt>();
  RegisterClass<StrpChrt::TStripChart>();
}

}  // namespace quellix
