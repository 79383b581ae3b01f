#include "console_window.h"

#include "platform/fonts.h"
#include "platform/qt_dialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vocaboro"));
    platform::installFontSubstitutes();

    platform::QtDialogs dialogs;
    vocaboro::Form1 console(dialogs, {QApplication::applicationDirPath().toStdString(),
                                      [] { QCoreApplication::exit(0); }});
    dialogs.setParent(&console);
    console.Form_Load();
    if (console.hasEnded())
        return 0;
    console.show();
    return app.exec();
}
