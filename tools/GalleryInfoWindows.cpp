// Gallery page of the information windows: the data logger, the serial-line
// component, each tab of the distributors and developer window, and the
// measure-source library with its text at the top and one page further.
#include <QApplication>
#include <QKeyEvent>

#include "Gallery.h"
#include "quellix/app/SerialLineWindow.h"
#include "quellix/app/DataLoggerWindow.h"
#include "quellix/app/DistributorsWindow.h"
#include "quellix/app/MeasureLibraryWindow.h"

using namespace quellix;

QUELLIX_GALLERY_PAGE(InfoWindows) {
  {
    Fastlog_Unit::TFastlog_Demo W;
    gallery::SaveWidget(&W, OutDir, "info-fastlog.png");
  }
  {
    Comm2_Unit::TComm2_Demo W;
    gallery::SaveWidget(&W, OutDir, "info-comm.png");
  }
  {
    Hersteller_Unit::THersteller_Demo W;
    for (int I = 0; I < W.PageControl1->count(); ++I) {
      W.PageControl1->setCurrentIndex(I);
      gallery::SaveWidget(&W, OutDir, QStringLiteral("info-hersteller-%1.png").arg(I + 1));
    }
  }
  {
    MSLib_Unit::TMeasureSource_Demo W;
    gallery::SaveWidget(&W, OutDir, "info-mslib.png");
    // One page down, as the hint says; the window stays shown while the key
    // goes in, so the viewer has its real size.
    W.setAttribute(Qt::WA_DontShowOnScreen, true);
    W.show();
    QKeyEvent Key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(&W, &Key);
    gallery::SaveWidget(&W, OutDir, "info-mslib-page2.png");
  }
}
