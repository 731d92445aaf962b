// Qt's own texts (file dialog, message-box buttons) in Japanese.
#pragma once

class QTranslator;

namespace app {

// Loads Qt's Japanese translations from the system's Qt translations folder
// (QLibraryInfo::TranslationsPath; Debian's qt6-translations-l10n) into
// `translator` and installs it in the application. False when they are not
// installed; Qt's texts then stay English.
bool installQtTranslations(QTranslator& translator);

}  // namespace app
