#pragma once
// A console window on a temporary data folder, answered by scripted dialogs.

#include "datafiles/dictionary_record.h"
#include "datafiles/file_io.h"
#include "platform/scripted_dialogs.h"
#include "platform/test_doubles.h"
#include "test_support.h"
#include "vocaboro/console_window.h"

#include <QTemporaryDir>

#include <memory>
#include <vector>

class ConsoleFixture {
public:
    ConsoleFixture();

    // The data folder as the user types it: native, with a final slash.
    QString folder() const { return dir_.path() + QLatin1Char('/'); }
    std::filesystem::path file(const QString& name) const {
        return (dir_.path() + QLatin1Char('/') + name).toStdString();
    }
    void writeRecords(const QString& name, const std::vector<datafiles::DictionaryRecord>& records);
    void writeBytes(const QString& name, const std::string& bytes);

    // Creates and loads the window; the folder prompt gets `answer`.
    vocaboro::Form1& start(const QString& answer);
    vocaboro::Form1& start() { return start(folder()); }
    // The same, with the folder prompt and what follows it scripted by the test.
    vocaboro::Form1& startAsScripted();

    // Clicks "Italian-Thai", types `word` and presses Enter.
    void lookUp(const QString& word);
    // The same with another direction button ("Command3D11": Thai-Italian).
    void lookUpWith(const char* directionButton, const QString& word);

    template <typename T> T* control(const char* name) const {
        return findControl<T>(form_.get(), name);
    }
    platform::ScriptedDialogs& dialogs() { return dialogs_; }
    // What the window was asked to say.
    platform::RecordingSpeech& speech() { return speech_; }
    // How the window reaches the files; a test may set it before start(). Locks held by
    // another program are waited for briefly, so that tests of them stay quick.
    datafiles::FileAccess access{&datafiles::systemFileOps(), std::chrono::milliseconds(200)};
    vocaboro::Form1& form() { return *form_; }
    bool ended() const { return ended_; }
    QStringList consoleLines() const;

private:
    QTemporaryDir dir_;
    platform::ScriptedDialogs dialogs_;
    platform::RecordingSpeech speech_;
    std::unique_ptr<vocaboro::Form1> form_;
    bool ended_ = false;
};

// A record with the usual markers where the fields are not given.
datafiles::DictionaryRecord entry(const std::string& italian, const std::string& pronunciation,
                                  const std::string& attribute = "-", const std::string& note = "-",
                                  const std::string& thai = "@");
// A cross-reference record pointing to up to three words.
datafiles::DictionaryRecord pointer(const std::string& word, const std::string& first,
                                    const std::string& second = "$",
                                    const std::string& third = "$");
