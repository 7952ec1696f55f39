#include "quellix/host/Translations.h"

#include <QCoreApplication>
#include <QTranslator>
#include <memory>

namespace quellix {

bool InstallTranslation(const QLocale& Locale) {
  static std::unique_ptr<QTranslator> Installed;
  if (Installed) {
    QCoreApplication::removeTranslator(Installed.get());
    Installed.reset();
  }
  // German first in the locale's list means the source texts.
  const QStringList Languages = Locale.uiLanguages();
  if (Languages.isEmpty() || Languages.front().startsWith(QLatin1String("de"))) return false;
  auto T = std::make_unique<QTranslator>();
  if (!T->load(Locale, QStringLiteral("quellix"), QStringLiteral("_"), QStringLiteral(":/quellix/translations")))
    return false;
  QCoreApplication::installTranslator(T.get());
  Installed = std::move(T);
  return true;
}

}  // namespace quellix
