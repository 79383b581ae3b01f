#pragma once
// Vocaboro's one working window: a console printed in colour, the direction buttons, the
// word input, the help pages and the new-word entry panel, all on one surface.

#include "datafiles/dictionary_record.h"
#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "datafiles/path_mapping.h"
#include "datafiles/record_reader.h"
#include "platform/console_surface.h"
#include "platform/dialogs.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vocaboro {

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

class Form1 : public QWidget {
    Q_OBJECT
public:
    Form1(platform::Dialogs& dialogs, ConsoleOptions options, QWidget* parent = nullptr);
    ~Form1() override;

    // Event handlers.
    void Form_Load();
    void Command3D10_Click();
    void Command3D11_Click();
    void Command3D12_Click();
    void Text8_KeyPress(int keyAscii);
    void Command3d9_Click();
    void Command3D1_Click();
    void Command3D2_Click();
    void Command3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void Form_Terminate();

    // The entry panel.
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

    // Console state, read by tests and by the entry panel.
    const QString& datapath() const { return datapath_; }
    const QString& direction() const { return direction_; }
    const QString& lookupWord() const { return lookupWord_; }
    const QString& lookupPronunciation() const { return lookupPronunciation_; }
    const QString& lookupFile() const { return lookupFile_; }
    int matchCount() const { return matchCount_; }
    int answerCode() const { return answerCode_; }
    const QString& reply() const { return reply_; }
    const datafiles::DictionaryRecord& record() const { return record_; }
    bool hasEnded() const { return ended_; }
    const QString& forwardFile() const { return forwardFile_; }
    const QString& reverseFile() const { return reverseFile_; }
    int checkPassed() const { return checkPassed_; }
    platform::ConsoleSurface* console() const { return console_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What differs between the two look-up directions.
    struct LookupKind {
        datafiles::Direction files;
        QString Form1::*word;
        bool crossReferences;
        QString hashDirection; // direction after the word "#"
        QString listTitle;
        void (Form1::*insert)();
        bool hideDataLabelAtEnd;
        QPushButton* Form1::*directionButton;
    };
    enum class ScanOutcome { Done, Redirect };

    void createConsoleControls();
    // Printed rows end where the leftmost control shown beside the console begins.
    void fitConsoleToControls();
    void createEntryPanel();
    // Every control of the entry panel: its labels, boxes and buttons.
    QList<QWidget*> entryPanel() const;
    // A box edited after a passing check: the write button goes, so the user checks again.
    void entryEdited();
    enum class PanelOpener { Button, ItalianLookup, ThaiLookup };
    void openPanel(PanelOpener opener);
    void entryKeyPress(int box, int keyAscii);
    void failCheck(const QString& message);
    QString writeFailureText(const datafiles::EntryWriteResult& result, const QString& forwardTyped,
                             const QString& reverseTyped);
    // Tells the user about an interrupted earlier write that was found and undone.
    void reportRecovery(const datafiles::RecoveryResult& recovery);
    QString checkRepresentable();
    void runLookup(const LookupKind& kind);
    ScanOutcome scan(const LookupKind& kind);
    bool crossReference(const LookupKind& kind);
    void endOfSearch(const LookupKind& kind, bool lastRecordMatched);
    void listMode(const LookupKind& kind);
    void commonEnd(const LookupKind& kind);
    void printMatchLine();
    void printListEntry(int number);
    void listHeader();

    bool openFile1();
    void closeFile1();
    bool readRecord1(); // false when the file ends inside a record (reported)
    QString typedPath(const QString& fileName) const { return datapath_ + fileName; }
    // The native folder that the data files' names are joined to.
    std::filesystem::path dataFolder() const;
    void reportFileProblem(const QString& path, const QString& reason);
    void endProgram();
    void setDirectionInput(const QString& direction, const QString& prompt, const QString& font,
                           double size, const QString& spokenName);
    platform::Answer ask(const QString& text, platform::MessageStyle style, const QString& title);

    platform::Dialogs& dialogs_;
    ConsoleOptions options_;
    datafiles::PathMapper paths_;

    // Console state.
    QString datapath_;
    QString direction_;
    QString lookupWord_;
    QString lookupPronunciation_;
    QString lookupFile_;
    int matchCount_ = 0;
    int answerCode_ = 0;
    QString reply_;
    datafiles::DictionaryRecord record_;
    bool ended_ = false;

    // Check and write.
    QString forwardFile_;
    QString reverseFile_;
    int checkPassed_ = 0;

    // File 1, the data file of the running look-up: its bytes and the reader over them.
    struct OpenFile {
        std::string bytes;
        std::optional<datafiles::RecordReader> reader;
        bool readAny = false;
    };
    std::optional<OpenFile> file1_;

    platform::ConsoleSurface* console_ = nullptr;

    // Controls, under their designer names.
    QPushButton* Command3D10 = nullptr;
    QPushButton* Command3D11 = nullptr;
    QPushButton* Command3D12 = nullptr;
    QPushButton* Command3D1 = nullptr;
    QPushButton* Command3D2 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label14 = nullptr;
    QLineEdit* Text8 = nullptr;
    QPushButton* Command3d9 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;
    QLabel* Label15 = nullptr;

    // The entry panel.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QPushButton* Command3D3 = nullptr;
    QPushButton* Command3D4 = nullptr;
    QPushButton* Command3D5 = nullptr;
    QPushButton* Command3D6 = nullptr;
    QPushButton* Command3D7 = nullptr;
    QPushButton* Command3D8 = nullptr;
};

} // namespace vocaboro
