// The library's translations. The texts are German, as the components and
// the demonstration program give them; an English translation ships with
// the library (built from translations/quellix_en.ts).
#pragma once

#include <QLocale>

namespace quellix {

// Installs the translation that fits Locale's languages in the
// application: English for a locale that prefers English; none for
// German or a language without a translation (the German texts stay).
// Returns whether a translation was installed. Calling it again replaces
// the one installed before.
bool InstallTranslation(const QLocale& Locale = QLocale());

}  // namespace quellix
