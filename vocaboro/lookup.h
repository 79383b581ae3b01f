#pragma once
// The console's look-ups, without widgets: the Italian-to-Thai search through the forward
// files (with cross-reference suggestions), the Thai-to-Italian search by pronunciation
// through the reverse files, each with its list mode and its end-of-search offer, and the
// search by Thai script through all the reverse files.
//
// A look-up asks its questions through Dialogs, prints through a ConsolePrinter and tells
// the window around the console what to show through a LookupHost, so that its rules can be
// tested without a window.

#include "console_state.h"

#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "datafiles/headword_scan.h"
#include "datafiles/path_mapping.h"
#include "platform/console_printer.h"
#include "platform/dialogs.h"

#include <QString>

#include <string>
#include <vector>

namespace vocaboro {

enum class LookupDirection { ItalianThai, ThaiItalian, ThaiScript };
struct LookupKind; // what differs between the two directions

// What a look-up does to the window around the console.
class LookupHost {
public:
    virtual ~LookupHost() = default;
    // The console is about to be printed on anew.
    virtual void clearConsole() = 0;
    // The data-file label: its caption, and whether it shows.
    virtual void setDataLabel(const QString& caption) = 0;
    virtual void showDataLabel(bool shown) = 0;
    virtual void hideGoButton() = 0;
    // The user accepted the offer to insert the word: the entry panel opens with it.
    virtual void openEntryPanel(LookupDirection from) = 0;
    // Every way out but "exit": the input is hidden and the focus goes back to the
    // direction's button.
    virtual void finishLookup(LookupDirection direction, bool hideDataLabel) = 0;
    // "exit" ends the program at once.
    virtual void endProgram() = 0;
};

class Lookup {
public:
    Lookup(ConsoleState& state, platform::Dialogs& dialogs, platform::ConsolePrinter& printer,
           LookupHost& host, const datafiles::PathMapper& paths,
           const datafiles::FileAccess& access);

    // The Italian-to-Thai look-up of the typed word.
    void italianThai(const QString& typed);
    // The Thai-to-Italian look-up of the typed pronunciation.
    void thaiItalian(const QString& typed);
    // The Thai-script-to-Italian look-up of the typed script, in every reverse file.
    void thaiScript(const QString& typed);

private:
    class File;
    enum class ScanOutcome { Done, Redirect };

    void begin();
    void run(const LookupKind& kind, const QString& typed);
    ScanOutcome scan(const LookupKind& kind, File& file);
    // The same answers from the matches the fast search found in a file it decided.
    ScanOutcome answer(const LookupKind& kind, const datafiles::HeadwordScan& found);
    // Asks "Maybe you searching [ ... ]"; true on Yes.
    bool offer(const std::string& suggestion);
    bool crossReference(const LookupKind& kind);
    // Offers up to three head words near the word not found, from `sameFile` (if any) and the
    // file of its plain initial; true, with the word and file set, on the first Yes.
    bool offerNearWords(const LookupKind& kind, const QString& sameFile);
    ScanOutcome endOfSearch(const LookupKind& kind, bool lastRecordMatched);
    // The end-of-search question, "Not Found !" or "another translate"; true on Yes, when the
    // entry panel is opened.
    bool offerToInsert(LookupDirection direction);
    // The matches of the Thai script `thai` in the reverse files, printed; false, after a
    // message, when a file could not be read.
    bool searchScript(const std::string& thai);
    // Offers up to three Thai words near the script not found; the first accepted, if any.
    std::optional<std::string> offerNearScripts(const std::string& thai);
    void listMode(const LookupKind& kind, File& file);
    // Reads the next record; false, after a message, when the file ends inside it.
    bool readNext(File& file);
    void reportUnreadable(int error);
    void printMatchLine();
    void printListEntry(int number);
    void printNumberedHeadword(int number);
    void printAttribute();
    void printNote(const QString& opening);
    platform::Answer ask(const QString& text, platform::MessageStyle style, const QString& title);

    ConsoleState& state_;
    platform::Dialogs& dialogs_;
    platform::ConsolePrinter& printer_;
    LookupHost& host_;
    const datafiles::PathMapper& paths_;
    const datafiles::FileAccess& access_;
    bool redirected_ = false; // a suggestion was followed in this look-up
    // The file last read for the word, and how it was when found of the writer's shape.
    struct Read {
        QString file;
        std::optional<datafiles::FileStamp> shape;
    } read_;
};

} // namespace vocaboro
