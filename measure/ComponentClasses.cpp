#include "quellix/measure/ComponentClasses.h"

#include "quellix/measure/AudioIn.h"
#include "quellix/measure/DataEvent.h"
#include "quellix/host/ComponentRegistry.h"

namespace quellix {

void RegisterMeasureClasses() {
  RegisterClass<audioin::TAudioIn>();
  RegisterClass<dataevent::TDataEvent>();
}

}  // namespace quellix
