#include "lookup.h"

#include "datafiles/near_words.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_stream.h"
#include "datafiles/thai_search.h"
#include "platform/error_text.h"
#include "platform/fonts.h"
#include "platform/text.h"

#include "thaitext/folding.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

namespace vocaboro {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::DefaultButton;
using platform::Icon;
using platform::Palette;

constexpr int kEntriesPerPage = 20;

struct LookupText {
    Q_DECLARE_TR_FUNCTIONS(vocaboro::LookupText)
};

const QString kSearchTitle = QStringLiteral("Vocaboro Search Engime");
const QString kDataLabel = QStringLiteral("Datafile : ");

} // namespace

struct LookupKind {
    LookupDirection direction;
    datafiles::Direction files;
    QString ConsoleState::*word;
    bool crossReferences; // a note of "*" offers its suggestions instead of a line
    const char* directionAfterHash;
    const char* listTitle;
    bool hideDataLabelAtEnd;
};

namespace {

const LookupKind kItalianThai{
    .direction = LookupDirection::ItalianThai,
    .files = datafiles::Direction::Forward,
    .word = &ConsoleState::lookupWord,
    .crossReferences = true,
    .directionAfterHash = "T-I",
    .listTitle = "ITALY Vocable List : ",
    .hideDataLabelAtEnd = false,
};

const LookupKind kThaiItalian{
    .direction = LookupDirection::ThaiItalian,
    .files = datafiles::Direction::Reverse,
    .word = &ConsoleState::lookupPronunciation,
    .crossReferences = false,
    .directionAfterHash = "I-T",
    .listTitle = "THAI Vocable List : ",
    .hideDataLabelAtEnd = true,
};

// The file a first character selects, by the direction's table.
std::optional<std::string> fileForInitial(datafiles::Direction files, const std::string& first) {
    return files == datafiles::Direction::Forward ? datafiles::forwardFileForLookup(first)
                                                  : datafiles::reverseFile(first);
}

std::optional<std::string> fileForWord(datafiles::Direction files, const QString& word) {
    const std::optional<std::string> first = platform::toLatin(word.left(1));
    if (!first)
        return std::nullopt;
    return fileForInitial(files, *first);
}

} // namespace

// The data file of a look-up, read a window at a time, and the last record read from it.
class Lookup::File {
public:
    explicit File(const datafiles::FileAccess& access) : records(access) {}
    datafiles::RecordStream records;
    datafiles::RecordView record; // valid until the next call on `records`
};

Lookup::Lookup(ConsoleState& state, platform::Dialogs& dialogs, platform::ConsolePrinter& printer,
               LookupHost& host, const datafiles::PathMapper& paths,
               const datafiles::FileAccess& access)
    : state_(state), dialogs_(dialogs), printer_(printer), host_(host), paths_(paths),
      access_(access) {}

void Lookup::italianThai(const QString& typed) {
    run(kItalianThai, typed);
}

void Lookup::thaiItalian(const QString& typed) {
    run(kThaiItalian, typed);
}

// What every look-up does first: the label and "Go !" hidden, nothing matched yet, the console
// cleared.
void Lookup::begin() {
    host_.showDataLabel(false);
    host_.hideGoButton();
    state_.matchCount = 0;
    state_.lastMatch.reset(); // a look-up that prints no match leaves nothing to say
    printer_.setCurrentX(0);
    printer_.setCurrentY(0);
    host_.clearConsole();
}

void Lookup::thaiScript(const QString& typed) {
    begin();
    if (typed == QLatin1String("exit")) {
        host_.endProgram();
        return;
    }
    // "#" switches no direction here: in Thai script it is plain text, looked up as any other.
    state_.lookupScript = typed.trimmed();
    auto end = [&] {
        state_.lookupFile.clear(); // the search went through every file: none stays in use
        host_.finishLookup(LookupDirection::ThaiScript, true);
    };
    if (state_.lookupScript.isEmpty()) {
        host_.setDataLabel(kDataLabel);
        return end();
    }
    // Typed with any Thai layout or pasted: a character TIS-620 lacks cannot be in the files.
    std::optional<std::string> thai = platform::toThai(state_.lookupScript);
    if (!thai) {
        const QList<uint> characters = state_.lookupScript.toUcs4();
        const auto refused = std::find_if(characters.begin(), characters.end(), [](uint c) {
            return !platform::toThai(QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1));
        });
        dialogs_.messageBox(
            LookupText::tr("The Thai script cannot hold the character “%1”: nothing was "
                           "searched.")
                .arg(QString::fromUcs4(reinterpret_cast<const char32_t*>(&*refused), 1)),
            {Buttons::Ok, Icon::Exclamation}, QStringLiteral("vocaboro"));
        return end();
    }
    redirected_ = false;
    for (;;) {
        if (!searchScript(*thai))
            return end();
        if (state_.matchCount == 0 && !redirected_) {
            if (std::optional<std::string> near = offerNearScripts(*thai)) {
                thai = std::move(near);
                state_.lookupScript = platform::fromThai(*thai);
                redirected_ = true;
                continue;
            }
        }
        break;
    }
    offerToInsert(LookupDirection::ThaiScript);
    end();
}

bool Lookup::searchScript(const std::string& thai) {
    host_.showDataLabel(true);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        // Named before the file is read, so that a message about it never shows another name.
        const QString name =
            QString::fromStdString(datafiles::dataFileName(datafiles::Direction::Reverse, letter));
        const std::filesystem::path path = paths_.map((state_.datapath + name).toStdString());
        const datafiles::ThaiScriptMatches found = datafiles::findThaiScript(path, thai, access_);
        std::error_code ec;
        if (found.error == ENOENT && std::filesystem::is_directory(path.parent_path(), ec))
            continue; // a letter with no words yet
        state_.lookupFile = name;
        host_.setDataLabel(kDataLabel + name);
        if (found.error != 0) {
            reportUnreadable(found.error);
            host_.showDataLabel(false); // no file is in use
            return false;
        }
        for (const datafiles::DictionaryRecord& record : found.records) {
            state_.record = record;
            state_.lastMatch = record;
            state_.lastMatchReverse = true;
            printMatchLine();
        }
    }
    return true;
}

std::optional<std::string> Lookup::offerNearScripts(const std::string& thai) {
    datafiles::ThaiNearWords near(thai);
    std::vector<QString> names;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        names.push_back(
            QString::fromStdString(datafiles::dataFileName(datafiles::Direction::Reverse, letter)));
        // The files were just read: one that cannot be read now offers no word.
        near.read(paths_.map((state_.datapath + names.back()).toStdString()),
                  static_cast<int>(names.size() - 1), access_);
    }
    for (const datafiles::ThaiNearWords::Word& word : near.nearest()) {
        state_.lookupFile = names[static_cast<std::size_t>(word.file)];
        host_.setDataLabel(kDataLabel + state_.lookupFile);
        if (ask(QStringLiteral("Maybe you searching [ ") + platform::fromThai(word.thai) +
                    QStringLiteral(" ]  ? (y/n)"),
                {Buttons::YesNo, Icon::Question, DefaultButton::First},
                QStringLiteral("Vocaboro Intellisense")) == Answer::Yes)
            return word.thai;
    }
    return std::nullopt;
}

void Lookup::run(const LookupKind& kind, const QString& typed) {
    QString& word = state_.*kind.word;
    begin();
    word = typed;
    if (word == QLatin1String("exit")) {
        host_.endProgram();
        return;
    }
    if (word == QLatin1String("#"))
        state_.direction = QLatin1String(kind.directionAfterHash);
    auto end = [&] { host_.finishLookup(kind.direction, kind.hideDataLabelAtEnd); };
    if (word.isEmpty()) {
        state_.lookupFile.clear();
        host_.setDataLabel(kDataLabel);
        return end();
    }
    host_.showDataLabel(true);
    redirected_ = false;
    read_ = {};
    const std::optional<std::string> fileName = fileForWord(kind.files, word);
    if (fileName) {
        state_.lookupFile = QString::fromStdString(*fileName);
    } else {
        // No file for such an initial: a word near it, in the file of its initial with
        // case and accent set aside, is offered, and looked up there on Yes.
        host_.showDataLabel(false);
        host_.hideGoButton();
        if (!offerNearWords(kind, QString()))
            return end();
        host_.showDataLabel(true);
    }

    // A redirect to a suggested word reads the same file again from its start.
    for (;;) {
        // Named before the file is read, so that a message about it never shows another name.
        host_.setDataLabel(kDataLabel + state_.lookupFile);
        const QString typedPath = state_.datapath + state_.lookupFile;
        const std::filesystem::path path = paths_.map(typedPath.toStdString());
        // In a folder that exists, a letter with no file yet is a letter with no words yet:
        // the first entry written makes its file.
        auto noFileYet = [&path](int error) {
            std::error_code ec;
            return error == ENOENT && std::filesystem::is_directory(path.parent_path(), ec);
        };
        const bool listing = word.size() >= 2 && word[1] == QLatin1Char('*');
        if (!listing) {
            // A word with a character the files cannot hold matches no record.
            const std::optional<std::string> key = platform::toLatin(word);
            const datafiles::HeadwordScan found = datafiles::scanHeadwords(
                path, key ? std::optional<std::string_view>(*key) : std::nullopt, access_);
            read_ = {state_.lookupFile, found.shape};
            if (found.decided || noFileYet(found.error)) {
                if (answer(kind, found) != ScanOutcome::Redirect)
                    break;
                continue;
            }
            if (found.error != 0) {
                reportUnreadable(found.error);
                host_.showDataLabel(false); // no file is in use
                return end();
            }
            // Not of the writer's shape: read record by record.
        }
        File file(access_);
        if (const int error = file.records.open(path)) {
            if (noFileYet(error)) {
                file.records.openEmpty();
            } else {
                reportUnreadable(error);
                host_.showDataLabel(false); // no file is in use
                return end();
            }
        }
        if (listing) {
            listMode(kind, file);
            break;
        }
        if (scan(kind, file) != ScanOutcome::Redirect)
            break;
    }
    end();
}

Lookup::ScanOutcome Lookup::answer(const LookupKind& kind, const datafiles::HeadwordScan& found) {
    for (const datafiles::DictionaryRecord& record : found.records) {
        state_.record = record;
        if (kind.crossReferences && state_.record.isCrossReference())
            return crossReference(kind) ? ScanOutcome::Redirect : ScanOutcome::Done;
        state_.lastMatch = state_.record;
        state_.lastMatchReverse = kind.files == datafiles::Direction::Reverse;
        printMatchLine();
    }
    return endOfSearch(kind, found.lastRecordMatched);
}

Lookup::ScanOutcome Lookup::scan(const LookupKind& kind, File& file) {
    // A word with a character the files cannot hold matches no record.
    const std::optional<std::string> key = platform::toLatin(state_.*kind.word);
    datafiles::RecordStream& reader = file.records;
    if (reader.atEnd()) {
        // An empty file: there is no record to compare, so the word was not found.
        return endOfSearch(kind, false);
    }
    for (;;) {
        if (!readNext(file))
            return ScanOutcome::Done;
        if (!key || file.record.headword() != *key) {
            if (reader.atEnd()) {
                return endOfSearch(kind, false);
            }
            continue;
        }
        // Only a match is copied out of the file's bytes.
        file.record.copyTo(state_.record);
        if (kind.crossReferences && state_.record.isCrossReference())
            return crossReference(kind) ? ScanOutcome::Redirect : ScanOutcome::Done;
        state_.lastMatch = state_.record;
        state_.lastMatchReverse = kind.files == datafiles::Direction::Reverse;
        printMatchLine();
        if (reader.atEnd()) {
            return endOfSearch(kind, true);
        }
    }
}

bool Lookup::offer(const std::string& suggestion) {
    return ask(QStringLiteral("Maybe you searching [ ") + platform::fromLatin(suggestion) +
                   QStringLiteral(" ]  ? (y/n)"),
               {Buttons::YesNo, Icon::Question, DefaultButton::First},
               QStringLiteral("Vocaboro Intellisense")) == Answer::Yes;
}

bool Lookup::crossReference(const LookupKind& kind) {
    // The suggestions are Italian words kept in the fields after the note.
    const datafiles::DictionaryRecord pointer = state_.record;
    std::optional<std::string> accepted;
    if (offer(pointer.thai))
        accepted = pointer.thai;
    else if (pointer.thaiSound != datafiles::kNoSound && offer(pointer.thaiSound))
        accepted = pointer.thaiSound;
    else if (pointer.italianSound != datafiles::kNoSound && offer(pointer.italianSound))
        accepted = pointer.italianSound;
    if (!accepted)
        return false;
    state_.*kind.word = platform::fromLatin(*accepted);
    redirected_ = true;
    return true;
}

bool Lookup::offerNearWords(const LookupKind& kind, const QString& sameFile) {
    const std::optional<std::string> typed = platform::toLatin(state_.*kind.word);
    if (!typed || typed->empty())
        return false;
    // The word's own file, then the file of its initial with case and accent set aside.
    QStringList files;
    if (!sameFile.isEmpty())
        files << sameFile;
    const std::string plainInitial(
        1, static_cast<char>(thaitext::foldLatin(static_cast<unsigned char>(typed->front()))));
    if (const std::optional<std::string> plain = fileForInitial(kind.files, plainInitial);
        plain && !files.contains(QString::fromStdString(*plain)))
        files << QString::fromStdString(*plain);
    struct Near {
        datafiles::NearWord word;
        QString file;
    };
    std::vector<Near> near;
    for (const QString& file : files)
        for (datafiles::NearWord& word : datafiles::nearHeadwords(
                 paths_.map((state_.datapath + file).toStdString()), *typed,
                 kind.files == datafiles::Direction::Reverse, access_, 3,
                 // The word's own file was just read and found of the writer's shape.
                 file == read_.file && read_.shape ? &*read_.shape : nullptr))
            if (std::none_of(near.begin(), near.end(),
                             [&word](const Near& n) { return n.word.headword == word.headword; }))
                near.push_back({std::move(word), file});
    std::stable_sort(near.begin(), near.end(), [](const Near& a, const Near& b) {
        return a.word.nearness < b.word.nearness;
    });
    for (std::size_t i = 0; i < near.size() && i < 3; ++i) {
        if (offer(near[i].word.headword)) {
            state_.*kind.word = platform::fromLatin(near[i].word.headword);
            state_.lookupFile = near[i].file;
            redirected_ = true;
            return true;
        }
    }
    return false;
}

Lookup::ScanOutcome Lookup::endOfSearch(const LookupKind& kind, bool lastRecordMatched) {
    // A word not found, with no cross-reference followed: the nearest head words first.
    if (state_.matchCount == 0 && !redirected_ && offerNearWords(kind, state_.lookupFile))
        return ScanOutcome::Redirect;
    if (offerToInsert(kind.direction))
        return ScanOutcome::Done;
    if (!lastRecordMatched) {
        state_.lookupFile.clear();
        host_.showDataLabel(false);
    }
    return ScanOutcome::Done;
}

bool Lookup::offerToInsert(LookupDirection direction) {
    const Answer answer =
        state_.matchCount == 0
            ? ask(QStringLiteral(
                      "Not Found ! This Word don't exist in memory-files. Wish insert this "
                      "new word ? (y/n)"),
                  {Buttons::YesNo, Icon::Stop, DefaultButton::Second}, kSearchTitle)
            : ask(QStringLiteral("Wish insert another translate of this word ? (y/n)"),
                  {Buttons::YesNo, Icon::Question, DefaultButton::Second}, kSearchTitle);
    state_.reply = answer == Answer::Yes ? QStringLiteral("y") : QStringLiteral("n");
    if (answer == Answer::Yes)
        host_.openEntryPanel(direction);
    return answer == Answer::Yes;
}

void Lookup::listMode(const LookupKind& kind, File& file) {
    datafiles::RecordStream& reader = file.records;
    int pageOffset = 0;
    auto header = [this] {
        printer_.printLine(Palette::LightGrey,
                           QStringLiteral(" --- List of all words of Data FILE : ") +
                               state_.lookupFile + QStringLiteral(" ---"));
    };
    printer_.setFontSize(12);
    printer_.setCurrentY(0);
    printer_.setCurrentX(0);
    header();
    for (;;) {
        printer_.endLine();
        int line = 1;
        do {
            if (!reader.atEnd()) {
                if (!readNext(file))
                    return;
                if (!file.record.isCrossReference()) {
                    file.record.copyTo(state_.record);
                    printListEntry(pageOffset + line);
                } else {
                    --line; // a cross-reference takes no number
                }
            }
            if (reader.atEnd())
                break;
            ++line;
        } while (line <= kEntriesPerPage);
        const Answer answer = ask(QStringLiteral("Continue List...?"),
                                  {Buttons::YesNo, Icon::Question, DefaultButton::First},
                                  QLatin1String(kind.listTitle) + state_.lookupFile);
        if (answer == Answer::No || reader.atEnd())
            break;
        printer_.cls();
        pageOffset += kEntriesPerPage;
        header();
    }
}

bool Lookup::readNext(File& file) {
    const datafiles::ReadStatus status = file.records.next(file.record);
    if (status == datafiles::ReadStatus::Record)
        return true;
    if (file.records.error() != 0) {
        reportUnreadable(file.records.error());
        return false;
    }
    dialogs_.messageBox(LookupText::tr("The data file \"%1\" could not be read: %2 (line %3).")
                            .arg(state_.datapath + state_.lookupFile,
                                 status == datafiles::ReadStatus::TooLong
                                     ? LookupText::tr("it holds a record longer than 4 MiB")
                                     : LookupText::tr("it ends in the middle of a record"))
                            .arg(file.records.line()),
                        {Buttons::Ok, Icon::Stop}, QStringLiteral("vocaboro"));
    return false;
}

void Lookup::reportUnreadable(int error) {
    dialogs_.messageBox(LookupText::tr("The data file \"%1\" could not be read: %2.")
                            .arg(state_.datapath + state_.lookupFile, platform::errorText(error)),
                        {Buttons::Ok, Icon::Stop}, QStringLiteral("vocaboro"));
}

// " 1 > casa": the number in light green, then the headword in white.
void Lookup::printNumberedHeadword(int number) {
    printer_.setForeColor(Palette::LightGreen);
    printer_.print(platform::ConsolePrinter::formatNumber(number));
    printer_.print(QStringLiteral("> "));
    printer_.setForeColor(Palette::White);
    printer_.print(platform::fromLatin(state_.record.headword));
}

void Lookup::printAttribute() {
    if (state_.record.attribute == datafiles::kNoAttribute)
        return;
    printer_.setForeColor(Palette::Yellow);
    printer_.print(QStringLiteral(" (") + platform::fromLatin(state_.record.attribute) +
                   QStringLiteral(")"));
}

// The note in light grey after `opening`, and the end of the line.
void Lookup::printNote(const QString& opening) {
    printer_.setForeColor(Palette::LightGrey);
    if (state_.record.note != datafiles::kNoNote)
        printer_.print(opening + platform::fromLatin(state_.record.note) + QStringLiteral(")"),
                       true);
    else
        printer_.endLine();
}

void Lookup::printMatchLine() {
    const datafiles::DictionaryRecord& r = state_.record;
    printer_.setFontSize(12);
    printNumberedHeadword(++state_.matchCount);
    printAttribute();
    printer_.setForeColor(Palette::DarkGrey);
    printer_.print(QStringLiteral(" = "));
    // The Thai font and size are set even when there is no Thai script to print.
    printer_.setFontName(platform::kThaiFixedFont);
    printer_.setFontSize(30);
    printer_.setForeColor(Palette::White);
    if (r.thai != datafiles::kNoThai)
        printer_.print(QStringLiteral(" ") + platform::fromThai(r.thai));
    printer_.setFontName(platform::kSerifFont);
    printer_.setFontSize(12);
    printer_.setForeColor(Palette::LightMagenta);
    printer_.print(QStringLiteral("  [ ") + platform::fromLatin(r.counterpart) +
                   QStringLiteral(" ]"));
    printNote(QStringLiteral("  ("));
}

void Lookup::printListEntry(int number) {
    printNumberedHeadword(number);
    printer_.setForeColor(Palette::DarkGrey);
    printer_.print(QStringLiteral(" = "));
    printer_.setForeColor(Palette::LightMagenta);
    printer_.print(platform::fromLatin(state_.record.counterpart));
    printAttribute();
    printNote(QStringLiteral("("));
}

platform::Answer Lookup::ask(const QString& text, platform::MessageStyle style,
                             const QString& title) {
    const Answer answer = dialogs_.messageBox(text, style, title);
    state_.answerCode = static_cast<int>(answer);
    return answer;
}

} // namespace vocaboro
