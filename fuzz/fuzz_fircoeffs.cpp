// The FIR filter's coefficient list, one number per line, then a block of
// samples filtered with it.
#include <QStringList>
#include <vector>

#include "FuzzSupport.h"
#include "quellix/filters/FIRFilter.h"

using namespace quellix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static Firfilt::TFIRFilter Filter;
  const QString Text = QString::fromUtf8(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  try {
    Filter.SetCoefficientStrings(Text.split(QLatin1Char('\n')));
  } catch (const Exception&) {
  }
  std::vector<Single> Block(64);
  for (size_t i = 0; i < Block.size(); ++i) Block[i] = static_cast<Single>(i % 7) - 3;
  Filter.Filter(Block.data(), static_cast<Integer>(Block.size()));
  Filter.SetCoefficientNumber(static_cast<Integer>(Size % 600));
  Filter.FilterSample(1);
  return 0;
}
