#include "quellix/histograph/ComponentClasses.h"

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/histograph/HistographSink.h"
#include "quellix/host/Streaming.h"

namespace quellix {

void RegisterHistographClasses() {
  RegisterClass<HistoInt::THistographInt>();
  RegisterClass<Histo::THistograph>();
  RegisterClass<Colorhis::TColorGridHisto>();
}

}  // namespace quellix
