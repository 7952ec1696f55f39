// A headless application for fuzz targets whose components are controls.
#pragma once

#include <QApplication>
#include <cstdlib>

#include "FuzzSupport.h"

namespace quellix::fuzz {

// Called from LLVMFuzzerInitialize: the controls need an application but
// no screen, and Qt's notes about the platform would only fill the log.
inline void StartApplication(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  static QApplication App(*argc, *argv);
}

}  // namespace quellix::fuzz
