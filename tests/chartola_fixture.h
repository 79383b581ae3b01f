#pragma once
// Chartola on a temporary data folder with all 52 files, answered by scripted dialogs,
// with a recording player, a fake registry and a fake launcher.

#include "chartola/dictionary_window.h"
#include "chartola/program.h"
#include "datafiles/dictionary_record.h"
#include "datafiles/file_naming.h"
#include "datafiles/record_writer.h"
#include "platform/editable_combo.h"
#include "platform/fonts.h"
#include "platform/scripted_dialogs.h"
#include "platform/test_doubles.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <vector>

struct ChartolaFixture {
    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingPlayer player;
    platform::FakeRegistry registry;
    platform::FakeLauncher launcher;
    bool ended = false;
    chartola::Program program{
        {dialogs, player, registry, launcher, dir.path().toStdString(), [this] { ended = true; }}};

    ChartolaFixture() {
        platform::installFontSubstitutes();
        // Every letter has both files, empty unless a test fills one.
        for (char l = 'A'; l <= 'Z'; ++l)
            for (auto d : {datafiles::Direction::Forward, datafiles::Direction::Reverse})
                write(QString::fromStdString(datafiles::dataFileName(d, l)), {});
    }
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    void write(const QString& name, const std::vector<datafiles::DictionaryRecord>& records) {
        std::ofstream out((dir.path() + QLatin1Char('/') + name).toStdString(),
                          std::ios::binary | std::ios::trunc);
        for (const auto& r : records)
            out << datafiles::formatRecordLine(r);
    }
    // Starts with the credits window and clicks it; the dictionary window asks its folder.
    chartola::Form3& start(const QString& answer) {
        dialogs.expectInput(QStringLiteral("DataBase File Library"), answer);
        program.start();
        QTest::mouseClick(program.widget(chartola::Window::Form2), Qt::LeftButton);
        return program.dictionary();
    }
    chartola::Form3& start() { return start(folder()); }
};
