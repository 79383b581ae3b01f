#pragma once
// Vocaboro's one working window: a console printed in colour, the direction buttons, the
// word input, the help pages and the new-word entry panel, all on one surface.
//
// The window holds the controls and the handlers named after them; the look-ups
// (lookup.h) and the entry check (entry_check.h) are classes of their own, which the
// handlers call.

#include "console_state.h"
#include "lookup.h"

#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/path_mapping.h"
#include "platform/console_surface.h"
#include "platform/dialogs.h"
#include "platform/speech.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
struct WordSaid;
}

namespace vocaboro {

class EntryPanel;
class HelpPage;

struct ConsoleOptions {
    // Where a drive prefix such as "C:" of a typed folder leads: drive_c inside it.
    std::filesystem::path driveRoot;
    // Ends the program ("exit", "End", closing the window).
    std::function<void()> endProgram;
    // The credits window: shown once more by "End", unloaded by the start-up and by "End".
    std::function<void()> showCredits;
    std::function<void()> unloadCredits;
    // How the data files are reached: the system's calls, and how long to wait for a lock.
    datafiles::FileAccess fileAccess;
};

class Form1 : public QWidget, private LookupHost {
    Q_OBJECT
public:
    // `speech` says the words of the pronunciation buttons; it outlives the window.
    Form1(platform::Dialogs& dialogs, platform::Speech& speech, ConsoleOptions options,
          QWidget* parent = nullptr);
    ~Form1() override;

    // Event handlers of the console.
    void Form_Load();
    void Command3D10_Click();
    void Command3D11_Click();
    void Command3D12_Click();
    void Text8_KeyPress(int keyAscii);
    void Command3d9_Click();
    void Command3D1_Click(); // pronunciation.cpp
    void Command3D2_Click(); // pronunciation.cpp
    void Command3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void Form_Terminate();

    // Event handlers of the entry panel.
    void Command5_Click();
    void Command3D4_Click();
    void Command3D7_Click();
    void Command3D6_Click();
    void Command3D8_Click();
    void Text1_KeyPress(int keyAscii) { entryKeyPress(0, keyAscii); }
    void Text2_KeyPress(int keyAscii) { entryKeyPress(1, keyAscii); }
    void Text3_KeyPress(int keyAscii) { entryKeyPress(2, keyAscii); }
    void Text4_KeyPress(int keyAscii) { entryKeyPress(3, keyAscii); }
    void Text5_KeyPress(int keyAscii) { entryKeyPress(4, keyAscii); }
    void Text6_KeyPress(int keyAscii) { entryKeyPress(5, keyAscii); }
    void Text7_KeyPress(int keyAscii) { entryKeyPress(6, keyAscii); }
    void Text1_Change();
    void Text4_Change();
    void Command3D5_Click(); // the check
    void Command3D3_Click(); // the write

    // Procedures.
    void vocaboro();
    void lexrev();
    void LEXREV2();
    void neww();
    void newwt();
    void help();
    void help2();

    // Console state, read by tests.
    const ConsoleState& state() const { return state_; }
    const QString& datapath() const { return state_.datapath; }
    const QString& direction() const { return state_.direction; }
    const QString& lookupWord() const { return state_.lookupWord; }
    const QString& lookupPronunciation() const { return state_.lookupPronunciation; }
    const QString& lookupFile() const { return state_.lookupFile; }
    int matchCount() const { return state_.matchCount; }
    int answerCode() const { return state_.answerCode; }
    const QString& reply() const { return state_.reply; }
    bool hasEnded() const { return ended_; }
    const QString& forwardFile() const { return forwardFile_; }
    const QString& reverseFile() const { return reverseFile_; }
    int checkPassed() const { return checkPassed_; }
    platform::ConsoleSurface* console() const { return console_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // While the entry panel is open, Tab and Shift+Tab go round its own controls only.
    bool focusNextPrevChild(bool next) override;
    // Page Up, Page Down, Ctrl+Home and Ctrl+End scroll the console.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What the look-ups do to the window.
    void clearConsole() override;
    void setDataLabel(const QString& caption) override;
    void showDataLabel(bool shown) override;
    void hideGoButton() override;
    void openEntryPanel(LookupDirection from) override;
    void finishLookup(LookupDirection direction, bool hideDataLabel) override;
    void endProgram() override;

    void createConsoleControls();
    void connectHandlers();
    // Printed rows end where the leftmost control shown beside the console begins.
    void fitConsoleToControls();
    enum class PanelOpener { Button, ItalianLookup, ThaiLookup, ScriptLookup };
    void openPanel(PanelOpener opener);
    void entryKeyPress(int box, int keyAscii);
    void setDirectionInput(const QString& direction, const QString& prompt, const QString& font,
                           double size, const QString& spokenName);
    void showConsoleButtons();
    // Tells, in one box, the sound file that was not played and why nothing was said.
    void tellWhatWasSaid(const platform::WordSaid& said);
    // An audio device that cannot play is told once, in a box.
    void watchSpeech();
    // Tells what a recovery found and did; at start-up also what it had to leave undone.
    void reportRecovery(const datafiles::RecoveryResult& recovery, bool atStart);
    QString typedPath(const QString& fileName) const { return state_.datapath + fileName; }
    // A file of the data folder, named as the user typed the folder.
    QString typedPath(const std::filesystem::path& file) const {
        return typedPath(QString::fromStdString(file.filename().string()));
    }
    // The native folder that the data files' names are joined to.
    std::filesystem::path dataFolder() const;

    platform::Dialogs& dialogs_;
    platform::Speech& speech_;
    ConsoleOptions options_;
    datafiles::PathMapper paths_;
    ConsoleState state_;
    std::unique_ptr<Lookup> lookup_;
    bool ended_ = false;

    // Check and write.
    QString forwardFile_;
    QString reverseFile_;
    int checkPassed_ = 0;

    platform::ConsoleSurface* console_ = nullptr;
    EntryPanel* panel_ = nullptr;
    HelpPage* helpPage_ = nullptr;

    // Controls of the console, under their designer names.
    QPushButton* Command3D10 = nullptr;
    QPushButton* Command3D11 = nullptr;
    QPushButton* Command3D12 = nullptr;
    QPushButton* Command3D1 = nullptr;
    QPushButton* Command3D2 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Label14 = nullptr;
    QLineEdit* Text8 = nullptr;
    QPushButton* Command3d9 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Picture1 = nullptr;
};

} // namespace vocaboro
