// quellix-gallery: renders windows and components to PNG files headless.
// Each subsystem adds its pages in a file of its own with QUELLIX_GALLERY_PAGE.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace quellix::gallery {

using TRenderer = std::function<void(const QString& OutDir)>;

struct TPage {
  QString Name;
  TRenderer Render;
};

std::vector<TPage>& Pages();

struct TRegistrar {
  TRegistrar(const char* Name, TRenderer Render) { Pages().push_back({QString::fromLatin1(Name), std::move(Render)}); }
};

// Lays out and paints W (shown off-screen) and writes it to OutDir/FileName.
// Returns false when the file could not be written.
bool SaveWidget(QWidget* W, const QString& OutDir, const QString& FileName);

}  // namespace quellix::gallery

#define QUELLIX_GALLERY_PAGE(Id)                                                   \
  static void Id(const QString& OutDir);                                           \
  static const quellix::gallery::TRegistrar Id##_registrar(#Id, Id);               \
  static void Id(const QString& OutDir)
