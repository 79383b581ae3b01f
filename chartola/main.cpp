#include "program.h"

#include "platform/fonts.h"
#include "platform/install_paths.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_sound_player.h"
#include "platform/registry.h"
#include "platform/start_options.h"
#include "platform/startup.h"
#include "platform/translations.h"

#include <QApplication>

namespace {

struct MainText {
    Q_DECLARE_TR_FUNCTIONS(chartola::MainText)
};

QString help() {
    return MainText::tr(
        "Usage: chartola [--help | --version]\n"
        "Chartola, the Thai alphabet trainer of the Thai kit: a chart of the 46 Thai\n"
        "consonants (a click shows the reading and the name and plays the letter's sound) and\n"
        "a dictionary window that loads the word lists and shows the entry picked.\n"
        "It asks for the folder of the data files and of the sounds; C:\\THAI\\ is your own\n"
        "copy of the kit's starter dictionary and letter sounds.\n"
        "\n"
        "  --help     show this help and end\n"
        "  --version  show the version and end\n"
        "\n"
        "It needs a graphical session. See also: man chartola.\n");
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> status =
            platform::answerBeforeWindows(argc, argv, {.command = "chartola", .help = help}))
        return *status;
    platform::StartupExit startup;
    QApplication app(argc, argv);
    startup.drop();
    platform::installTranslations();
    QApplication::setApplicationName(QStringLiteral("Chartola"));
    // Ties the windows to the menu entry: the Wayland app id; on X11 the window class
    // "Chartola" (from the application name) matches the entry's StartupWMClass.
    QApplication::setDesktopFileName(QStringLiteral("net.example.thaikit.Chartola"));
    QApplication::setQuitOnLastWindowClosed(false); // the windows end the program themselves
    platform::installFontSubstitutes();

    const std::filesystem::path driveRoot = platform::driveRoot(
        QApplication::applicationDirPath().toStdString(), platform::userDataHome());
    platform::QtDialogs dialogs;
    platform::QtSoundPlayer player{datafiles::PathMapper(driveRoot)};
    platform::DesktopRegistry registry;
    platform::DesktopLauncher launcher;
    chartola::Program program(
        {dialogs, player, registry, launcher, driveRoot, [] { QCoreApplication::exit(0); }});
    program.start();
    if (program.hasEnded())
        return 0;
    return app.exec();
}
