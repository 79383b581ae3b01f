#include "program.h"

#include "console_window.h"
#include "platform/fonts.h"
#include "platform/install_paths.h"
#include "platform/qt_dialogs.h"
#include "platform/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    platform::StartupExit startup;
    QApplication app(argc, argv);
    startup.drop();
    QApplication::setApplicationName(QStringLiteral("Vocaboro"));
    // Ties the windows to the menu entry: the Wayland app id; on X11 the window class
    // "Vocaboro" (from the application name) matches the entry's StartupWMClass.
    QApplication::setDesktopFileName(QStringLiteral("net.example.thaikit.Vocaboro"));
    QApplication::setQuitOnLastWindowClosed(false); // the windows end the program themselves
    platform::installFontSubstitutes();

    platform::QtDialogs dialogs;
    vocaboro::Program program(dialogs,
                              platform::driveRoot(QApplication::applicationDirPath().toStdString(),
                                                  platform::userDataHome()),
                              [] { QCoreApplication::exit(0); });
    program.start();
    return app.exec();
}
