// Number formatting patterns and text-to-number conversion. The input is
// a 10-byte extended value, a precision byte, then the pattern text, which
// is also parsed as a number.
#include <cstring>

#include "FuzzSupport.h"
#include "quellix/host/Component.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 11) return 0;
  long double Value = 0;
  std::memcpy(&Value, Data, 10);
  const int Precision = Data[10] % 40;
  const QString Text =
      QString::fromUtf8(reinterpret_cast<const char*>(Data + 11), static_cast<qsizetype>(Size - 11));
  FormatFloat(Text, Value);
  FormatFloat(Text, static_cast<double>(Value));
  FloatToStrGeneral(Value, Precision);
  FloatToStrFixed(Value, Precision);
  FloatToStr(Value);
  FloatToStreamText(Value);
  try {
    StrToFloat(Text);
  } catch (const Exception&) {
  }
  try {
    StrToInt(Text);
  } catch (const Exception&) {
  }
  return 0;
}
