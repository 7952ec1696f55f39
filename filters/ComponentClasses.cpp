#include "quellix/filters/ComponentClasses.h"

#include "quellix/filters/FIRFilter.h"
#include "quellix/filters/IIRFilter.h"
#include "quellix/filters/RCHighpass.h"
#include "quellix/filters/RCLowpass.h"
#include "quellix/filters/StateVariableFilter.h"
#include "quellix/host/ComponentRegistry.h"

namespace quellix {

void RegisterFilterClasses() {
  RegisterClass<Rclow::TRCLowpass>();
  RegisterClass<Rchigh::TRCHighpass>();
  RegisterClass<IIRFilt::TIIRFilter>();
  RegisterClass<SVFilt::TStateVariableFilter>();
  RegisterClass<Firfilt::TFIRFilter>();
}

}  // namespace quellix
