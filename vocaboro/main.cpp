#include "program.h"

#include "console_window.h"
#include "platform/fonts.h"
#include "platform/install_paths.h"
#include "platform/qt_dialogs.h"
#include "platform/start_options.h"
#include "platform/startup.h"
#include "platform/system_speech.h"
#include "platform/translations.h"

#include <QApplication>

namespace {

struct MainText {
    Q_DECLARE_TR_FUNCTIONS(vocaboro::MainText)
};

QString help() {
    return MainText::tr(
        "Usage: vocaboro [--help | --version]\n"
        "Vocaboro, the Italian-Thai dictionary console of the Thai kit. Type an Italian word,\n"
        "or a Thai word in Latin letters, and press Enter: it prints the translations with the\n"
        "Thai script. Its panel adds new words to the dictionary in both directions.\n"
        "At the start it asks for the folder of the data files; C:\\THAI\\ is your own copy\n"
        "of the kit's starter dictionary.\n"
        "\n"
        "  --help     show this help and end\n"
        "  --version  show the version and end\n"
        "\n"
        "It needs a graphical session. See also: man vocaboro.\n");
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> status =
            platform::answerBeforeWindows(argc, argv, {.command = "vocaboro", .help = help}))
        return *status;
    platform::StartupExit startup;
    QApplication app(argc, argv);
    startup.drop();
    platform::installTranslations();
    QApplication::setApplicationName(QStringLiteral("Vocaboro"));
    // Ties the windows to the menu entry: the Wayland app id; on X11 the window class
    // "Vocaboro" (from the application name) matches the entry's StartupWMClass.
    QApplication::setDesktopFileName(QStringLiteral("net.example.thaikit.Vocaboro"));
    QApplication::setQuitOnLastWindowClosed(false); // the windows end the program themselves
    platform::installFontSubstitutes();

    platform::QtDialogs dialogs;
    // Made before the program, so that it outlives the console that speaks through it.
    const std::unique_ptr<platform::Speech> speech = platform::makeSystemSpeech();
    vocaboro::Program program(dialogs, *speech,
                              platform::driveRoot(QApplication::applicationDirPath().toStdString(),
                                                  platform::userDataHome()),
                              [] { QCoreApplication::exit(0); });
    program.start();
    return app.exec();
}
