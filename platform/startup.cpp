#include "startup.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

QtMessageHandler previousHandler = nullptr;

void exitOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    previousHandler(type, context, message);
    if (type == QtFatalMsg) {
        std::fflush(stderr);
        // No destructors: the application object is only half made.
        std::_Exit(1);
    }
}

} // namespace

StartupExit::StartupExit() {
    previousHandler = qInstallMessageHandler(exitOnFatal);
}

void StartupExit::drop() {
    if (!active_)
        return;
    active_ = false;
    qInstallMessageHandler(previousHandler);
}

} // namespace platform
