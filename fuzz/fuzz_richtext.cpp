// The rich-text reader of the information windows.
#include <QTextDocument>

#include "FuzzApplication.h"
#include "quellix/app/MeasureLibraryWindow.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  quellix::fuzz::StartApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  QTextDocument Doc;
  QString Error;
  quellix::MSLib_Unit::ReadRtf(quellix::fuzz::Bytes(Data, Size), Doc, &Error);
  return 0;
}
