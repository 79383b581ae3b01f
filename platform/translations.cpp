#include "translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace platform {

QString kitLanguage(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        // "it", "it_IT", "it-IT", "it_IT.UTF-8": the language is what comes before the first
        // separator.
        const QString language = name.section(QLatin1Char('_'), 0, 0)
                                     .section(QLatin1Char('-'), 0, 0)
                                     .section(QLatin1Char('.'), 0, 0)
                                     .toLower();
        if (language == QLatin1String("it") || language == QLatin1String("en"))
            return language;
    }
    return QStringLiteral("en");
}

QString installTranslations() {
    // Owned by the application: gone with it, so that a later application gets its own.
    static QPointer<QTranslator> installed;
    const QString language = kitLanguage(QLocale::system().uiLanguages());
    if (!installed.isNull())
        return language;
    // English is the texts' own language; its file holds the plural forms alone.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/translations/kit_%1.qm").arg(language)) &&
        QCoreApplication::installTranslator(translator))
        installed = translator;
    else
        delete translator;
    return language;
}

} // namespace platform
