// Ripasso: the window, or with --export-anki or --export-apkg an export alone, which needs no
// display.
//   ripasso
//   ripasso --export-anki FILE.txt [--folder DIR] [--deck NAME]
//   ripasso --export-apkg FILE.apkg [--folder DIR] [--deck NAME] [--with-speech] [--with-progress]
//   ripasso --help | --version

#include "anki_export.h"
#include "anki_package.h"
#include "links.h"
#include "main_window.h"
#include "progress_store.h"

#include "datafiles/path_mapping.h"
#include "platform/fonts.h"
#include "platform/install_paths.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_sound_player.h"
#include "platform/start_options.h"
#include "platform/startup.h"
#include "platform/system_speech.h"
#include "platform/translations.h"
#include "platform/voice_recorder.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>

namespace {

struct MainText {
    Q_DECLARE_TR_FUNCTIONS(ripasso::MainText)
};

QString usage() {
    return MainText::tr(
        "Usage: ripasso                       the practice window\n"
        "       ripasso --export-anki FILE.txt [--folder DIR] [--deck NAME]\n"
        "                                     writes the words of DIR's forward data files to\n"
        "                                     FILE.txt for Anki's import (DIR: the folder last\n"
        "                                     chosen in Ripasso, else C:\\THAI\\)\n"
        "       ripasso --export-apkg FILE.apkg [--folder DIR] [--deck NAME] [--with-speech]\n"
        "                             [--with-progress]\n"
        "                                     writes the same words as an Anki package with\n"
        "                                     their recordings; --with-speech adds the synthetic\n"
        "                                     voice for the words without a Thai recording,\n"
        "                                     --with-progress the due dates of your answered "
        "cards\n"
        "       ripasso --help | --version\n"
        "Ripasso, the practice of the Thai kit: drills of the Thai letters and a daily review\n"
        "of your words. The window needs a graphical session; the export does not.\n"
        "See also: man ripasso.\n");
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

std::filesystem::path driveRootFor(const QString& programFolder) {
    return platform::driveRoot(programFolder.toStdString(), platform::userDataHome());
}

// --export-anki, or with `package` --export-apkg.
int exportAnki(int argc, char* argv[], bool package) {
    QCoreApplication app(argc, argv);
    platform::installTranslations();
    QString file, folder, deck = QString::fromLatin1(ripasso::kDefaultDeck);
    bool withSpeech = false, withProgress = false;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String(package ? "--export-apkg" : "--export-anki") && hasValue &&
            file.isEmpty())
            file = args[++i];
        else if (package && arg == QLatin1String("--with-speech"))
            withSpeech = true;
        else if (package && arg == QLatin1String("--with-progress"))
            withProgress = true;
        else if (arg == QLatin1String("--folder") && hasValue)
            folder = args[++i];
        else if (arg == QLatin1String("--deck") && hasValue)
            deck = args[++i];
        else {
            print(stderr, usage());
            return 2;
        }
    }
    if (file.isEmpty()) {
        print(stderr, usage());
        return 2;
    }
    if (folder.isEmpty()) {
        // The folder chosen last in the window, read beside a Ripasso that may be running.
        ripasso::StoreError error;
        ripasso::StoreOptions options;
        options.readOnly = true;
        const auto store =
            ripasso::ProgressStore::open(ripasso::defaultProgressFile(), error, options);
        if (!store && std::filesystem::exists(ripasso::defaultProgressFile()))
            print(stderr, MainText::tr("ripasso: %1 The folder C:\\THAI\\ is exported.\n")
                              .arg(QString::fromStdString(error.message)));
        const std::optional<std::string> chosen =
            store ? store->setting("wordsFolder") : std::nullopt;
        folder =
            chosen && !chosen->empty() ? QString::fromStdString(*chosen) : ripasso::kDefaultFolder;
    }
    folder = ripasso::folderText(folder);
    const datafiles::PathMapper paths(driveRootFor(QCoreApplication::applicationDirPath()));
    const ripasso::PathOf pathOf = [&](const std::string& name) {
        return paths.map((folder + QString::fromStdString(name)).toStdString());
    };
    ripasso::ExportResult result;
    if (package) {
        // The progress is read beside a Ripasso that may be running, and never written.
        std::unique_ptr<ripasso::ProgressStore> progress;
        if (withProgress) {
            ripasso::StoreError error;
            ripasso::StoreOptions options;
            options.readOnly = true;
            progress = ripasso::ProgressStore::open(ripasso::defaultProgressFile(), error, options);
            if (!progress) {
                print(stderr, MainText::tr("ripasso: the export was not written: %1\n")
                                  .arg(QString::fromStdString(error.message)));
                return 1;
            }
        }
        const ripasso::PackageResult written =
            ripasso::exportAnkiPackage(pathOf, paths.map(file.toStdString()),
                                       {.deck = deck.toStdString(),
                                        .withSpeech = withSpeech,
                                        .progress = progress.get(),
                                        .today = ripasso::currentDay()});
        result = {written.written, written.notes, written.problems, written.error};
    } else {
        result = ripasso::exportForAnki(pathOf, paths.map(file.toStdString()), deck.toStdString());
    }
    for (const std::string& problem : result.problems)
        std::fprintf(stderr, "ripasso: %s\n", problem.c_str());
    if (!result.written) {
        print(stderr, MainText::tr("ripasso: the export was not written: %1\n")
                          .arg(QString::fromStdString(result.error)));
        return 1;
    }
    print(stdout, MainText::tr("ripasso: %n note(s) from %1 written to %2\n", nullptr,
                               static_cast<int>(result.notes))
                      .arg(folder, file));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--export-anki") == 0 ||
            std::strcmp(argv[i], "--export-apkg") == 0)
            return exportAnki(argc, argv, std::strcmp(argv[i], "--export-apkg") == 0);
    // The window takes no arguments but --help and --version.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") != 0 && std::strcmp(argv[i], "--version") != 0) {
            QCoreApplication app(argc, argv);
            platform::installTranslations();
            print(stderr, usage());
            return 2;
        }
    }
    if (const std::optional<int> status =
            platform::answerBeforeWindows(argc, argv, {.command = "ripasso", .help = usage}))
        return *status;

    platform::StartupExit startup;
    QApplication app(argc, argv);
    startup.drop();
    platform::installTranslations();
    QApplication::setApplicationName(QStringLiteral("Ripasso"));
    QApplication::setDesktopFileName(QStringLiteral("net.example.thaikit.Ripasso"));
    platform::installFontSubstitutes();

    const std::filesystem::path driveRoot = driveRootFor(QApplication::applicationDirPath());
    platform::QtDialogs dialogs;
    ripasso::StoreError error;
    const auto store = ripasso::ProgressStore::open(ripasso::defaultProgressFile(), error);
    if (!store) {
        dialogs.messageBox(QString::fromStdString(error.message),
                           {platform::Buttons::Ok, platform::Icon::Stop}, ripasso::kProgramTitle);
        return 1;
    }
    platform::QtSoundPlayer player{datafiles::PathMapper(driveRoot)};
    // Made before the window, so that they outlive it.
    const std::unique_ptr<platform::Speech> speech = platform::makeSystemSpeech();
    const std::unique_ptr<platform::VoiceRecorder> recorder = platform::makeSystemRecorder();
    ripasso::MainWindow window({.dialogs = dialogs,
                                .player = player,
                                .speech = *speech,
                                .recorder = *recorder,
                                .store = *store,
                                .driveRoot = driveRoot,
                                .today = ripasso::currentDay,
                                .seed = std::random_device()(),
                                .fileAccess = {}});
    window.show();
    window.chooseFolder();
    return app.exec();
}
