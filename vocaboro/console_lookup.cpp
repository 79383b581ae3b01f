// The look-up engine shared by both directions: start, scan, cross-references, the match
// line, the end-of-search question, list mode and the common end.

#include "console_window.h"

#include "datafiles/file_naming.h"
#include "platform/fonts.h"
#include "platform/text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vocaboro {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::DefaultButton;
using platform::Icon;

constexpr int kEntriesPerPage = 20;
const QString kSearchTitle = QStringLiteral("Vocaboro Search Engime");

// The file a word's first character selects, by the direction's table.
std::optional<std::string> fileForWord(datafiles::Direction files, const QString& word) {
    const std::optional<std::string> first = platform::toLatin(word.left(1));
    if (!first)
        return std::nullopt;
    return files == datafiles::Direction::Forward ? datafiles::forwardFileForLookup(*first)
                                                  : datafiles::reverseFile(*first);
}

} // namespace

void Form1::runLookup(const LookupKind& kind) {
    QString& word = this->*kind.word;

    Label8->hide();
    Command3d9->hide();
    matchCount_ = 0;
    console_->setCurrentX(0);
    console_->setCurrentY(0);
    console_->cls();
    fitConsoleToControls();
    word = Text8->text();
    if (word == QLatin1String("exit")) {
        endProgram();
        return;
    }
    if (word == QLatin1String("#")) {
        closeFile1();
        direction_ = kind.hashDirection;
    }
    if (word.isEmpty()) {
        lookupFile_.clear();
        Label8->setText(QStringLiteral("Datafile : "));
        commonEnd(kind);
        return;
    }
    Label8->show();
    const std::optional<std::string> file = fileForWord(kind.files, word);
    if (!file) {
        Label8->hide();
        Command3d9->hide();
        commonEnd(kind);
        return;
    }
    lookupFile_ = QString::fromStdString(*file);

    // A redirect to a suggested word opens the same file again and scans it anew.
    for (;;) {
        // Named before the open, so that a message about the file never shows another name.
        Label8->setText(QStringLiteral("Datafile : ") + lookupFile_);
        if (!openFile1()) {
            Label8->hide(); // no file is in use
            commonEnd(kind);
            return;
        }
        if (word.size() >= 2 && word[1] == QLatin1Char('*')) {
            listMode(kind);
            break;
        }
        if (scan(kind) != ScanOutcome::Redirect)
            break;
        closeFile1();
    }
    commonEnd(kind);
}

Form1::ScanOutcome Form1::scan(const LookupKind& kind) {
    // A word with a character the files cannot hold matches no record.
    const std::optional<std::string> key = platform::toLatin(this->*kind.word);
    datafiles::RecordReader& reader = *file1_->reader;
    if (reader.atEnd()) {
        // An empty file: there is no record to compare, so the word was not found.
        endOfSearch(kind, false);
        return ScanOutcome::Done;
    }
    for (;;) {
        if (!reader.atEnd() && !readRecord1())
            return ScanOutcome::Done;
        if (!key || record_.headword != *key) {
            if (reader.atEnd()) {
                endOfSearch(kind, false);
                return ScanOutcome::Done;
            }
            continue;
        }
        if (kind.crossReferences && record_.isCrossReference())
            return crossReference(kind) ? ScanOutcome::Redirect : ScanOutcome::Done;
        printMatchLine();
        if (reader.atEnd()) {
            endOfSearch(kind, true);
            return ScanOutcome::Done;
        }
    }
}

bool Form1::crossReference(const LookupKind& kind) {
    // The suggestions are Italian words kept in the fields after the note.
    auto offer = [this](const std::string& suggestion) {
        const Answer answer =
            ask(QStringLiteral("Maybe you searching [ ") + platform::fromLatin(suggestion) +
                    QStringLiteral(" ]  ? (y/n)"),
                {Buttons::YesNo, Icon::Question, DefaultButton::First},
                QStringLiteral("Vocaboro Intellisense"));
        return answer == Answer::Yes;
    };
    const datafiles::DictionaryRecord pointer = record_;
    std::optional<std::string> accepted;
    if (offer(pointer.thai))
        accepted = pointer.thai;
    else if (pointer.thaiSound != datafiles::kNoSound && offer(pointer.thaiSound))
        accepted = pointer.thaiSound;
    else if (pointer.italianSound != datafiles::kNoSound && offer(pointer.italianSound))
        accepted = pointer.italianSound;
    if (!accepted)
        return false;
    this->*kind.word = platform::fromLatin(*accepted);
    return true;
}

void Form1::printMatchLine() {
    ++matchCount_;
    console_->setFontSize(12);
    console_->setForeColor(10);
    console_->print(platform::ConsoleSurface::formatNumber(matchCount_));
    console_->print(QStringLiteral("> "));
    console_->setForeColor(15);
    console_->print(platform::fromLatin(record_.headword));
    if (record_.attribute != datafiles::kNoAttribute) {
        console_->setForeColor(14);
        console_->print(QStringLiteral(" (") + platform::fromLatin(record_.attribute) +
                        QStringLiteral(")"));
    }
    console_->setForeColor(8);
    console_->print(QStringLiteral(" = "));
    console_->setFontName(platform::kThaiFixedFont);
    console_->setFontSize(30);
    console_->setForeColor(15);
    if (record_.thai != datafiles::kNoThai)
        console_->print(QStringLiteral(" ") + platform::fromThai(record_.thai));
    console_->setFontName(platform::kSerifFont);
    console_->setFontSize(12);
    console_->setForeColor(13);
    console_->print(QStringLiteral("  [ ") + platform::fromLatin(record_.counterpart) +
                    QStringLiteral(" ]"));
    console_->setForeColor(7);
    if (record_.note != datafiles::kNoNote)
        console_->print(
            QStringLiteral("  (") + platform::fromLatin(record_.note) + QStringLiteral(")"), true);
    else
        console_->endLine();
}

void Form1::endOfSearch(const LookupKind& kind, bool lastRecordMatched) {
    const Answer answer =
        matchCount_ == 0
            ? ask(QStringLiteral(
                      "Not Found ! This Word don't exist in memory-files. Wish insert this "
                      "new word ? (y/n)"),
                  {Buttons::YesNo, Icon::Stop, DefaultButton::Second}, kSearchTitle)
            : ask(QStringLiteral("Wish insert another translate of this word ? (y/n)"),
                  {Buttons::YesNo, Icon::Question, DefaultButton::Second}, kSearchTitle);
    reply_ = answer == Answer::Yes ? QStringLiteral("y") : QStringLiteral("n");
    if (answer == Answer::Yes) {
        closeFile1(); // the panel may write; no file stays open under it
        (this->*kind.insert)();
        return;
    }
    if (!lastRecordMatched) {
        lookupFile_.clear();
        Label8->hide();
    }
}

void Form1::listHeader() {
    console_->printLine(7, QStringLiteral(" --- List of all words of Data FILE : ") + lookupFile_ +
                               QStringLiteral(" ---"));
}

void Form1::printListEntry(int number) {
    console_->setForeColor(10);
    console_->print(platform::ConsoleSurface::formatNumber(number));
    console_->print(QStringLiteral("> "));
    console_->setForeColor(15);
    console_->print(platform::fromLatin(record_.headword));
    console_->setForeColor(8);
    console_->print(QStringLiteral(" = "));
    console_->setForeColor(13);
    console_->print(platform::fromLatin(record_.counterpart));
    if (record_.attribute != datafiles::kNoAttribute) {
        console_->setForeColor(14);
        console_->print(QStringLiteral(" (") + platform::fromLatin(record_.attribute) +
                        QStringLiteral(")"));
    }
    console_->setForeColor(7);
    if (record_.note != datafiles::kNoNote)
        console_->print(
            QStringLiteral("(") + platform::fromLatin(record_.note) + QStringLiteral(")"), true);
    else
        console_->endLine();
}

void Form1::listMode(const LookupKind& kind) {
    datafiles::RecordReader& reader = *file1_->reader;
    int pageOffset = 0;
    console_->setFontSize(12);
    console_->setCurrentY(0);
    console_->setCurrentX(0);
    listHeader();
    for (;;) {
        console_->endLine();
        int line = 1;
        do {
            if (!reader.atEnd()) {
                if (!readRecord1())
                    return;
                if (!record_.isCrossReference())
                    printListEntry(pageOffset + line);
                else
                    --line; // a cross-reference takes no number
            }
            if (reader.atEnd())
                break;
            ++line;
        } while (line <= kEntriesPerPage);
        const Answer answer = ask(QStringLiteral("Continue List...?"),
                                  {Buttons::YesNo, Icon::Question, DefaultButton::First},
                                  kind.listTitle + lookupFile_);
        if (answer == Answer::No || reader.atEnd())
            break;
        console_->cls();
        pageOffset += kEntriesPerPage;
        listHeader();
    }
}

void Form1::commonEnd(const LookupKind& kind) {
    closeFile1();
    Label14->hide();
    Text8->hide();
    Command3d9->hide();
    if (kind.hideDataLabelAtEnd)
        Label8->hide();
    QPushButton* button = this->*kind.directionButton;
    if (!button->isHidden())
        button->setFocus();
}

} // namespace vocaboro
