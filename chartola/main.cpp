#include "program.h"

#include "platform/fonts.h"
#include "platform/install_paths.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_sound_player.h"
#include "platform/registry.h"
#include "platform/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    platform::StartupExit startup;
    QApplication app(argc, argv);
    startup.drop();
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
