#include "Gallery.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

namespace quellix::gallery {

std::vector<TPage>& Pages() {
  static std::vector<TPage> P;
  return P;
}

bool SaveWidget(QWidget* W, const QString& OutDir, const QString& FileName) {
  W->ensurePolished();
  if (W->isWindow()) {
    W->setAttribute(Qt::WA_DontShowOnScreen, true);
    W->show();
  }
  QApplication::processEvents();
  QPixmap Pix = W->grab();
  if (W->isWindow()) W->hide();
  QString Path = QDir(OutDir).filePath(FileName);
  bool Ok = Pix.save(Path, "PNG");
  std::printf("%s %s\n", Ok ? "wrote" : "FAILED", qPrintable(Path));
  return Ok;
}

}  // namespace quellix::gallery

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  QString OutDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
  QString Only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  if (!QDir().mkpath(OutDir)) {
    std::fprintf(stderr, "quellix-gallery: cannot create %s\n", qPrintable(OutDir));
    return 1;
  }
  for (const auto& Page : quellix::gallery::Pages()) {
    if (!Only.isEmpty() && !Page.Name.contains(Only)) continue;
    Page.Render(OutDir);
  }
  return 0;
}
