#pragma once
// The kit's own texts in the user's language. The kit speaks Italian and English; the
// language is the first of the desktop's languages (LANGUAGE, then LC_ALL, LC_MESSAGES,
// LANG, as QLocale::system().uiLanguages() lists them) that the kit has, and English when
// none is. The translations (translations/kit_*.ts) are compiled into the programs, so an
// installed copy needs no file of them. The system's own captions and messages are never
// translated: only the texts the kit added go through tr().

#include <QString>
#include <QStringList>

namespace platform {

// The kit's language for a list of languages in order of preference ("it_IT", "en-GB",
// "de"...): "it" or "en".
QString kitLanguage(const QStringList& uiLanguages);

// Installs on the running application (a QCoreApplication is enough) the translator of the
// desktop's language; the language chosen. Installing twice changes nothing.
QString installTranslations();

} // namespace platform
