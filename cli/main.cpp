// thai-kit: the kit's command line. See thai_kit.h and thai-kit(1).

#include "thai_kit.h"

#include "platform/install_paths.h"
#include "platform/translations.h"
#include "ripasso/progress_store.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("thai-kit"));
    platform::installTranslations();
    const thaikit::Setup setup{.driveRoot =
                                   [] {
                                       return platform::driveRoot(
                                           QCoreApplication::applicationDirPath().toStdString(),
                                           platform::userDataHome());
                                   },
                               .progressFile = ripasso::defaultProgressFile(),
                               .fileAccess = {}};
    const int status =
        thaikit::run(QCoreApplication::arguments().mid(1), setup, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
