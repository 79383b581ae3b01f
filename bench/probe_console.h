#pragma once
// Vocaboro's console as the probes start it: on a data folder, the folder prompt answered
// with it, shown and active, its first events handled.

#include "platform/scripted_dialogs.h"
#include "platform/test_doubles.h"
#include "vocaboro/console_window.h"

#include <QApplication>

namespace bench {

inline vocaboro::ConsoleOptions consoleOn(const QString& folder) {
    vocaboro::ConsoleOptions options;
    options.driveRoot = folder.toStdString();
    return options;
}

struct ProbeConsole {
    explicit ProbeConsole(const QString& folder) : window(dialogs, speech, consoleOn(folder)) {
        dialogs.expectInput(QStringLiteral("Path Folder"), folder + QLatin1Char('/'));
        window.Form_Load();
        window.show();
        QApplication::setActiveWindow(&window);
        QCoreApplication::processEvents();
    }

    platform::ScriptedDialogs dialogs;
    platform::RecordingSpeech speech;
    vocaboro::Form1 window;
};

} // namespace bench
