#include "start_options.h"

#include "translations.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

struct StartText {
    Q_DECLARE_TR_FUNCTIONS(platform::StartText)
};

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

bool hasGraphicalSession(int argc, const char* const argv[]) {
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    return false;
}

QString versionLine(const char* command) {
    return QStringLiteral("%1 %2\n").arg(QLatin1String(command), QStringLiteral(KIT_VERSION));
}

std::optional<int> answerBeforeWindows(int argc, char* argv[], const ProgramAbout& about) {
    const char* asked = nullptr;
    for (int i = 1; i < argc && asked == nullptr; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "--version") == 0)
            asked = argv[i];
    const bool display = hasGraphicalSession(argc, argv);
    if (asked == nullptr && display)
        return std::nullopt;

    // Enough of an application for the translator, which needs no display.
    QCoreApplication app(argc, argv);
    installTranslations();
    if (asked != nullptr && std::strcmp(asked, "--version") == 0) {
        print(stdout, versionLine(about.command));
        return 0;
    }
    if (asked != nullptr) {
        print(stdout, about.help());
        return 0;
    }
    print(stderr, StartText::tr("%1: a graphical session is needed, and none was found (neither "
                                "DISPLAY nor WAYLAND_DISPLAY is set).\n")
                      .arg(QLatin1String(about.command)));
    return 1;
}

} // namespace platform
