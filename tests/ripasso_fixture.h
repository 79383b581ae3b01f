#pragma once
// Ripasso's window on a temporary folder of words and a progress database of its own,
// answered by scripted dialogs, with a recording player and speech, a fake microphone and a
// day chosen by the test.

#include "datafiles/record_writer.h"
#include "platform/fonts.h"
#include "platform/scripted_dialogs.h"
#include "platform/test_doubles.h"
#include "ripasso/main_window.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>
#include <vector>

struct RipassoFixture {
    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingPlayer player;
    platform::RecordingSpeech speech;
    platform::FakeRecorder recorder;
    std::unique_ptr<ripasso::ProgressStore> store;
    int day = 20000;
    std::unique_ptr<ripasso::MainWindow> window;

    explicit RipassoFixture(std::chrono::milliseconds busyTimeout = std::chrono::seconds(2)) {
        platform::installFontSubstitutes();
        std::filesystem::create_directory(words().toStdString());
        for (char letter = 'A'; letter <= 'Z'; ++letter) // every letter, empty unless filled
            std::ofstream(
                (words() + QStringLiteral("LEXFWD_%1.DAT").arg(QLatin1Char(letter))).toStdString());
        ripasso::StoreError error;
        store = ripasso::ProgressStore::open(
            dir.filePath(QStringLiteral("ripasso.sqlite")).toStdString(), error,
            {busyTimeout, false});
    }
    QString words() const { return dir.filePath(QStringLiteral("words")) + QLatin1Char('/'); }
    void write(const char* name, const std::vector<datafiles::DictionaryRecord>& records,
               std::ios::openmode mode = std::ios::trunc) {
        std::ofstream out((words() + QLatin1String(name)).toStdString(), std::ios::binary | mode);
        for (const auto& r : records)
            out << datafiles::formatRecordLine(r);
    }
    // A new window, as at a start: it asks for the folder and reads it, then tells `told`
    // when that is given.
    ripasso::MainWindow& open(const QString& folder, const QString& told = {}) {
        window = std::make_unique<ripasso::MainWindow>(
            ripasso::Links{dialogs, player, speech, recorder, *store, dir.path().toStdString(),
                           [this] { return day; }, 5});
        dialogs.expectInput(QStringLiteral("Folder of the data files"), folder);
        if (!told.isEmpty())
            dialogs.expectMessage(told);
        window->show();
        window->chooseFolder();
        return *window;
    }
    ripasso::MainWindow& open() { return open(words()); }
    template <typename T> T* control(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
};
