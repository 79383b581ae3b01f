#include "thai_kit.h"

#include "arguments.h"

#include "datafiles/entry_editor.h"
#include "datafiles/entry_writer.h"
#include "datafiles/file_naming.h"
#include "datafiles/headword_scan.h"
#include "datafiles/near_words.h"
#include "datafiles/path_mapping.h"
#include "datafiles/record_stream.h"
#include "datafiles/record_writer.h"
#include "platform/error_text.h"
#include "platform/espeak_voice.h"
#include "platform/text.h"
#include "platform/wav.h"
#include "ripasso/progress_store.h"
#include "ripasso/word_import.h"
#include "thaiscript/phonemes.h"
#include "thaiscript/syllable.h"
#include "vocaboro/entry_check.h"
#include "vocaboro/entry_messages.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace thaikit {
namespace {

namespace fs = std::filesystem;
using datafiles::DictionaryRecord;

struct Text {
    Q_DECLARE_TR_FUNCTIONS(thaikit::Text)
};

const QString kProgram = vocaboro::kCommandLineProgram;
const QString kDefaultFolder = QStringLiteral("C:\\THAI\\");
// The setting of Ripasso's progress that keeps the folder of the words chosen last.
constexpr char kWordsFolderSetting[] = "wordsFolder";

QString usage() {
    // The syllable command's lines apart, so that the rest keeps its translation meanwhile.
    return Text::tr(
               "Usage: thai-kit [--folder DIR] lookup WORD\n"
               "       thai-kit [--folder DIR] add ITALIAN PRONUNCIATION [--thai T] [--attribute "
               "A]\n"
               "                [--note N] [--thai-sound S] [--italian-sound S]\n"
               "       thai-kit [--folder DIR] edit ITALIAN PRONUNCIATION --set FIELD=VALUE...\n"
               "                [--record N] [--forward-alone]\n"
               "       thai-kit [--folder DIR] delete ITALIAN PRONUNCIATION [--record N] "
               "[--forward-alone]\n"
               "       thai-kit --help | --version\n"
               "\n"
               "FIELD: italian, pronunciation, thai, attribute, note, thai-sound, italian-sound.\n"
               "DIR: a folder typed as in Vocaboro (default: the folder chosen last in Ripasso,\n"
               "else C:\\THAI\\). Exit status: 0 done, 1 nothing done (the reason on stderr),\n"
               "2 a wrong command line. See thai-kit(1).\n") +
           Text::tr(
               "\n"
               "thai-kit syllable WORD reads each syllable of a Thai WORD (its pieces between\n"
               "\"-\" and spaces, split where only one split reads), a line each: syllable,\n"
               "initial, class, vowel, length, final, live or dead, tone mark, tone; or the\n"
               "piece and \"cannot read\", with exit status 1. It needs no folder.\n") +
           Text::tr("\n"
                    "thai-kit [--folder DIR] import FILE [--dry-run] adds the words of FILE: a\n"
                    "CSV or TSV table in UTF-8 whose header names the columns italiano,\n"
                    "pronuncia and, if wanted, thai, attributo, note, suono; Anki's text export;\n"
                    "or an Anki package (.apkg) of the kit's note type. Rows already in the\n"
                    "dictionary are skipped, rows the check refuses are told on stderr as\n"
                    "FILE:LINE: message. --dry-run checks and counts without writing. Exit\n"
                    "status 0 when the file was read to its end, 1 otherwise.\n") +
           Text::tr("\n"
                    "thai-kit say WORD --wav FILE writes the Thai WORD as the kit says it, a\n"
                    "16-bit mono WAV at 22050 Hz; --phonemes prints each syllable's phonemes, a\n"
                    "line each. Exit status 1 when the word does not read whole, 3 when the\n"
                    "synthetic voice (eSpeak NG) is not installed. It needs no folder.\n");
}

void say(std::ostream& stream, const QString& text) {
    stream << text.toStdString() << '\n';
}
void complain(std::ostream& err, const QString& text) {
    say(err, kProgram + QStringLiteral(": ") + text);
}

// The folder as the user typed it, and where its files are.
class Folder {
public:
    Folder(QString typed, fs::path driveRoot) : typed_(std::move(typed)), paths_(driveRoot) {
        // A file name follows the folder text, as in Ripasso.
        if (!typed_.isEmpty() && !typed_.endsWith(QLatin1Char('\\')) &&
            !typed_.endsWith(QLatin1Char('/')))
            typed_ += typed_.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
    }
    // A file of the folder, named as the user typed the folder.
    QString typed(const fs::path& file) const {
        return typed_ + QString::fromStdString(file.filename().string());
    }
    QString typed(const std::string& name) const { return typed_ + QString::fromStdString(name); }
    fs::path native(const std::string& name) const { return paths_.map(typed(name).toStdString()); }
    // The native folder the files' names are joined to.
    fs::path native() const { return native("LEXFWD_A.DAT").parent_path(); }
    vocaboro::TypedPath typedPath() const {
        return [this](const fs::path& file) { return typed(file); };
    }

private:
    QString typed_;
    datafiles::PathMapper paths_;
};

// The folder of --folder, else the one chosen last in Ripasso, else C:\THAI\.
QString chooseFolder(const Arguments& arguments, const Setup& setup, std::ostream& err) {
    if (arguments.folder)
        return *arguments.folder;
    ripasso::StoreError error;
    const auto store = ripasso::ProgressStore::open(setup.progressFile, error, {.readOnly = true});
    if (!store) {
        std::error_code ec;
        if (fs::exists(setup.progressFile, ec))
            complain(err, QString::fromStdString(error.message) +
                              Text::tr(" The folder %1 is used.").arg(kDefaultFolder));
        return kDefaultFolder;
    }
    const std::optional<std::string> chosen = store->setting(kWordsFolderSetting);
    return chosen && !chosen->empty() ? QString::fromStdString(*chosen) : kDefaultFolder;
}

// --- reading

struct Found {
    std::vector<DictionaryRecord> records; // whose head word is the key, in file order
    QString problem;                       // why the file could not be read, or empty
};

// The records of the letter file `name` whose head word is `key`, read as the look-up reads
// them: the writer's shape at the speed of the file, any other record by record.
Found findHeadword(const Folder& folder, const std::string& name, const std::string& key,
                   const datafiles::FileAccess& access) {
    Found found;
    const fs::path path = folder.native(name);
    auto unreadable = [&](int error) {
        // In a folder that exists, a letter with no file yet has no words yet.
        std::error_code ec;
        if (error == ENOENT && fs::is_directory(path.parent_path(), ec))
            return;
        found.problem = Text::tr("The data file \"%1\" could not be read: %2.")
                            .arg(folder.typed(name), platform::errorText(error));
    };
    datafiles::HeadwordScan scan = datafiles::scanHeadwords(path, key, access);
    if (scan.decided) {
        found.records = std::move(scan.records);
        return found;
    }
    if (scan.error != 0) {
        unreadable(scan.error);
        return found;
    }
    datafiles::RecordStream stream(access);
    if (const int error = stream.open(path)) {
        unreadable(error);
        return found;
    }
    datafiles::RecordView record;
    while (!stream.atEnd()) {
        const datafiles::ReadStatus status = stream.next(record);
        if (status == datafiles::ReadStatus::Record) {
            if (record.headword() == key)
                record.copyTo(found.records.emplace_back());
            continue;
        }
        if (stream.error() != 0) {
            unreadable(stream.error());
        } else {
            found.problem = Text::tr("The data file \"%1\" could not be read: %2 (line %3).")
                                .arg(folder.typed(name),
                                     status == datafiles::ReadStatus::TooLong
                                         ? Text::tr("it holds a record longer than 4 MiB")
                                         : Text::tr("it ends in the middle of a record"),
                                     QString::number(stream.line()));
        }
        break;
    }
    return found;
}

// "I-T casa = baan บ้าน (s.f.) -- la mia casa [thai sound: baan.wav]": the direction, the head
// word and its counterpart, then what the record has of the Thai script, the attribute, the
// note and the sound files. Scripts read these lines: they are the same in every language.
QString recordLine(const DictionaryRecord& r, bool forward) {
    QString line = QLatin1String(forward ? "I-T " : "T-I ") + platform::fromLatin(r.headword);
    if (forward && r.isCrossReference()) {
        // A pointer from a misspelt word: its suggestions are Italian words.
        QStringList words{platform::fromLatin(r.thai)};
        for (const std::string* more : {&r.thaiSound, &r.italianSound})
            if (*more != datafiles::kNoSound)
                words << platform::fromLatin(*more);
        return line + QStringLiteral(" -> ") + words.join(QStringLiteral(", "));
    }
    line += QStringLiteral(" = ") + platform::fromLatin(r.counterpart);
    if (r.thai != datafiles::kNoThai)
        line += QStringLiteral(" ") + platform::fromThai(r.thai);
    if (r.attribute != datafiles::kNoAttribute)
        line += QStringLiteral(" (") + platform::fromLatin(r.attribute) + QStringLiteral(")");
    if (r.note != datafiles::kNoNote)
        line += QStringLiteral(" -- ") + platform::fromLatin(r.note);
    if (r.thaiSound != datafiles::kNoSound)
        line += QStringLiteral(" [thai sound: %1]").arg(platform::fromLatin(r.thaiSound));
    if (r.italianSound != datafiles::kNoSound)
        line += QStringLiteral(" [italian sound: %1]").arg(platform::fromLatin(r.italianSound));
    return line;
}

int lookup(const Arguments& arguments, const Folder& folder, const Setup& setup, std::ostream& out,
           std::ostream& err) {
    const QString& word = arguments.words[0];
    const std::optional<std::string> key = platform::toLatin(word);
    if (!key || key->empty()) {
        complain(err,
                 Text::tr("\"%1\" has a character that the data files cannot hold: no entry has "
                          "it.")
                     .arg(word));
        return kNothingDone;
    }
    struct Side {
        std::optional<std::string> file;
        bool forward;
    };
    const Side sides[] = {{datafiles::forwardFileForLookup(*key), true},
                          {datafiles::reverseFile(*key), false}};
    int printed = 0;
    bool failed = false;
    for (const Side& side : sides) {
        if (!side.file)
            continue;
        const Found found = findHeadword(folder, *side.file, *key, setup.fileAccess);
        for (const DictionaryRecord& r : found.records) {
            say(out, recordLine(r, side.forward));
            ++printed;
        }
        if (!found.problem.isEmpty()) {
            complain(err, found.problem);
            failed = true;
        }
    }
    if (failed)
        return kNothingDone;
    if (printed > 0)
        return kDone;
    // Not found: the nearest head words of either direction, as the look-up offers them.
    QStringList near;
    for (const Side& side : sides)
        if (side.file)
            for (const datafiles::NearWord& n : datafiles::nearHeadwords(
                     folder.native(*side.file), *key, !side.forward, setup.fileAccess))
                if (!near.contains(platform::fromLatin(n.headword)))
                    near << platform::fromLatin(n.headword);
    complain(err, near.isEmpty() ? Text::tr("no entry \"%1\" in either direction.").arg(word)
                                 : Text::tr("no entry \"%1\" in either direction; near it: %2.")
                                       .arg(word, near.join(QStringLiteral(", "))));
    return kNothingDone;
}

// --- writing

// Tells what a write's own recovery found, as the start's.
void tellRecovery(const datafiles::RecoveryResult& recovered, const Folder& folder,
                  std::ostream& err) {
    const QString text = vocaboro::recoveryText(recovered, false, folder.typedPath(), kProgram);
    if (!text.isEmpty())
        complain(err, text);
}

int add(const Arguments& arguments, const Folder& folder, const Setup& setup, std::ostream& out,
        std::ostream& err) {
    vocaboro::EntryTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = arguments.values[i].value_or(QString());
    texts[0] = arguments.words[0];
    texts[3] = arguments.words[1];
    const vocaboro::CheckResult check = vocaboro::checkEntry(texts);
    if (!check.passed()) {
        complain(err, check.failure);
        return kNothingDone;
    }
    const DictionaryRecord forward = check.record;
    const QString forwardTyped = folder.typed(check.forwardFile.toStdString());
    const QString reverseTyped = folder.typed(check.reverseFile.toStdString());
    const datafiles::EntryWriteResult result = datafiles::appendEntry(
        folder.native(check.forwardFile.toStdString()), datafiles::formatRecordLine(forward),
        folder.native(check.reverseFile.toStdString()),
        datafiles::formatRecordLine(datafiles::reverseOf(forward)), setup.fileAccess);
    tellRecovery(result.recovered, folder, err);
    if (!result.ok()) {
        complain(err, vocaboro::writeFailureText(result, forwardTyped, reverseTyped,
                                                 folder.typedPath(), kProgram));
        return kNothingDone;
    }
    say(out, Text::tr("added to %1 and %2: %3")
                 .arg(forwardTyped, reverseTyped, recordLine(forward, true).mid(4)));
    return kDone;
}

// The entry panel's seven texts of a record, box by box.
vocaboro::EntryTexts textsOf(const DictionaryRecord& r) {
    return {platform::fromLatin(r.headword),    platform::fromLatin(r.attribute),
            platform::fromThai(r.thai),         platform::fromLatin(r.counterpart),
            platform::fromLatin(r.note),        platform::fromLatin(r.thaiSound),
            platform::fromLatin(r.italianSound)};
}

// The record field that holds each of the entry panel's boxes.
constexpr int kFieldOfBox[] = {0, 2, 4, 1, 3, 5, 6};

// The file names that a change touched, as typed, each once.
QString touchedFiles(const datafiles::EntryEditResult& result, const Folder& folder) {
    QStringList files;
    for (const fs::path* file :
         {&result.forwardFrom, &result.forwardTo, &result.reverseFrom, &result.reverseTo})
        if (!file->empty() && !files.contains(folder.typed(*file)))
            files << folder.typed(*file);
    if (files.isEmpty())
        return {};
    const QString last = files.takeLast();
    return files.isEmpty() ? last
                           : Text::tr("%1 and %2").arg(files.join(QStringLiteral(", ")), last);
}

int change(const Arguments& arguments, const Folder& folder, const Setup& setup, std::ostream& out,
           std::ostream& err) {
    const QString& italian = arguments.words[0];
    const QString& pronunciation = arguments.words[1];
    const std::optional<std::string> headword = platform::toLatin(italian);
    const std::optional<std::string> counterpart = platform::toLatin(pronunciation);
    const std::optional<std::string> file =
        headword ? datafiles::forwardFileForLookup(*headword) : std::nullopt;
    std::vector<DictionaryRecord> matches;
    if (file && counterpart) {
        Found found = findHeadword(folder, *file, *headword, setup.fileAccess);
        if (!found.problem.isEmpty()) {
            complain(err, found.problem);
            return kNothingDone;
        }
        for (DictionaryRecord& r : found.records)
            if (r.counterpart == *counterpart)
                matches.push_back(std::move(r));
    }
    if (matches.empty()) {
        complain(err, file ? Text::tr("the data file \"%1\" holds no entry \"%2\" = \"%3\".")
                                 .arg(folder.typed(*file), italian, pronunciation)
                           : Text::tr("the data files hold no entry \"%1\" = \"%2\".")
                                 .arg(italian, pronunciation));
        return kNothingDone;
    }
    std::size_t chosen = 0;
    if (arguments.record) {
        if (static_cast<std::size_t>(*arguments.record) > matches.size()) {
            complain(err, Text::tr("there is no --record %1: the data file \"%2\" holds the entry "
                                   "\"%3\" = \"%4\" %5 time(s).")
                              .arg(QString::number(*arguments.record), folder.typed(*file), italian,
                                   pronunciation, QString::number(matches.size())));
            return kNothingDone;
        }
        chosen = static_cast<std::size_t>(*arguments.record) - 1;
    } else if (std::any_of(matches.begin(), matches.end(),
                           [&](const DictionaryRecord& r) { return !(r == matches.front()); })) {
        QString text =
            Text::tr("the data file \"%1\" holds %2 different entries \"%3\" = \"%4\"; "
                     "choose one with --record N:")
                .arg(folder.typed(*file), QString::number(matches.size()), italian, pronunciation);
        for (std::size_t i = 0; i < matches.size(); ++i)
            text += QStringLiteral("\n  %1: ").arg(i + 1) + recordLine(matches[i], true);
        complain(err, text);
        return kNothingDone;
    }
    const DictionaryRecord& old = matches[chosen];
    datafiles::EntryChange change;
    change.forward = old;
    change.occurrence = static_cast<std::size_t>(
        std::count(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(chosen), old));
    change.forwardAlone = arguments.forwardAlone;
    if (arguments.command == Command::Edit) {
        vocaboro::EntryTexts texts = textsOf(old);
        for (const auto& [box, value] : arguments.sets)
            texts[static_cast<std::size_t>(box)] = value;
        const vocaboro::CheckResult check = vocaboro::checkEntry(texts);
        if (!check.passed()) {
            complain(err, check.failure);
            return kNothingDone;
        }
        // The fields not set keep their bytes as they are in the file.
        DictionaryRecord replacement = old;
        for (const auto& set : arguments.sets)
            replacement.field(kFieldOfBox[set.first]) = check.record.field(kFieldOfBox[set.first]);
        if (replacement == old) {
            complain(err, Text::tr("the entry already reads so: nothing was changed."));
            return kNothingDone;
        }
        change.replacement = replacement;
    }
    const datafiles::EntryEditResult result =
        datafiles::changeEntry(folder.native(), change, setup.fileAccess);
    tellRecovery(result.recovered, folder, err);
    if (!result.ok()) {
        QString text = vocaboro::changeFailureText(result, folder.typedPath());
        using P = datafiles::EntryEditResult::Problem;
        if (result.problem == P::CounterpartMissing || result.problem == P::CounterpartNotSingle)
            text += change.replacement
                        ? Text::tr(" To change the forward record alone, add --forward-alone.")
                        : Text::tr(" To remove the forward record alone, add --forward-alone.");
        complain(err, text);
        return kNothingDone;
    }
    QString files = touchedFiles(result, folder);
    if (files.isEmpty())
        files = folder.typed(*file);
    if (change.replacement)
        say(out, Text::tr("changed in %1: %2\n    now: %3")
                     .arg(files, recordLine(old, true).mid(4),
                          recordLine(*change.replacement, true).mid(4)));
    else
        say(out, Text::tr("removed from %1: %2").arg(files, recordLine(old, true).mid(4)));
    return kDone;
}

// --- reading Thai

// "บ้าน<TAB>บ<TAB>mid<TAB>aa<TAB>long<TAB>น -n<TAB>live<TAB>mai tho<TAB>falling": what the
// reader makes of one syllable, in the same words in every language.
std::string syllableLine(const thaiscript::Syllable& s) {
    using thaiscript::finalSoundName;
    const auto utf8 = [](const std::string& tis620) {
        return platform::fromThai(tis620).toStdString();
    };
    const char* const classNames[] = {"mid", "high", "low"};
    std::string line = utf8(s.text) + '\t' + utf8(s.initial) + '\t' +
                       classNames[static_cast<int>(s.toneClass)] + '\t' + s.vowel + '\t' +
                       thaiscript::lengthName(s.length) + '\t';
    line += s.finalLetters.empty() ? std::string("-")
                                   : utf8(s.finalLetters) + ' ' + finalSoundName(s.finalSound);
    line += std::string("\t") + (s.live ? "live" : "dead") + '\t' + thaiscript::markName(s.mark) +
            '\t' + thaiscript::toneName(s.tone);
    return line;
}

// Reads the word's pieces one by one; touches neither the folder nor the progress.
int syllable(const QString& word, std::ostream& out) {
    bool whole = true;
    static const QRegularExpression separators(QStringLiteral("[- ]"));
    for (const QString& part : word.split(separators)) {
        // A part with a character TIS-620 lacks cannot be Thai that reads.
        const std::optional<std::string> bytes = platform::toThai(part);
        std::vector<thaiscript::Piece> pieces;
        if (bytes)
            pieces = thaiscript::readWord(*bytes);
        else
            pieces.push_back({});
        for (const thaiscript::Piece& piece : pieces) {
            if (piece.syllable) {
                out << syllableLine(*piece.syllable) << '\n';
                continue;
            }
            whole = false;
            out << (bytes ? platform::fromThai(piece.text) : part).toStdString()
                << "\tcannot read\n";
        }
    }
    return whole ? kDone : kNothingDone;
}

// --- saying Thai

// The word read as the programs say it, its phonemes printed or its sound written to a WAV
// file (a temporary file renamed over it: never half written); touches no folder.
int sayWord(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const QString& word = arguments.words[0];
    const std::optional<std::string> bytes = platform::toThai(word);
    std::optional<std::vector<thaiscript::SpokenSyllable>> syllables;
    if (bytes)
        syllables = thaiscript::spokenSyllables(*bytes);
    if (!syllables || syllables->empty()) {
        complain(err, Text::tr("%1 does not read whole (see \"thai-kit syllable %1\"): nothing "
                               "said")
                          .arg(word));
        return kNothingDone;
    }
    if (arguments.phonemes)
        for (const thaiscript::SpokenSyllable& syllable : *syllables)
            out << syllable.phonemes << '\n';
    if (!arguments.wav)
        return kDone;
    if (!platform::voiceInstalled()) {
        complain(err, Text::tr("the synthetic voice (eSpeak NG with its Thai voice) is not "
                               "installed: nothing said"));
        return kNoVoice;
    }
    const std::vector<std::int16_t> samples = platform::renderThaiWhole(*syllables);
    const std::string wav = platform::wavFile(samples, platform::kVoiceRate);
    QSaveFile file(*arguments.wav);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(wav.data(), static_cast<qint64>(wav.size())) !=
            static_cast<qint64>(wav.size()) ||
        !file.commit()) {
        complain(err, Text::tr("cannot write %1: %2").arg(*arguments.wav, file.errorString()));
        return kNothingDone;
    }
    return kDone;
}

// --- importing

int importFile(const Arguments& arguments, const Folder& folder, const Setup& setup,
               std::ostream& out, std::ostream& err) {
    const QString& file = arguments.words[0];
    ripasso::ImportOptions options;
    options.dryRun = arguments.dryRun;
    const ripasso::ImportReport report = ripasso::importWords(
        fs::path(file.toStdString()), folder.native(), folder.typedPath(), options,
        [&](std::size_t line, const QString& message) {
            err << QStringLiteral("%1:%2: %3")
                       .arg(file, QString::number(line), message)
                       .toStdString()
                << std::endl;
        },
        setup.fileAccess);
    tellRecovery(report.recovered, folder, err);
    for (const QString& note : report.notes)
        complain(err, note);
    // The counts, unless the file was refused as a whole.
    if (report.finished() || report.added + report.already + report.refused > 0) {
        QString summary = ripasso::importSummary(report);
        if (arguments.dryRun)
            summary += QLatin1Char(' ') + Text::tr("(dry run: nothing was written)");
        say(out, summary);
    }
    if (!report.finished()) {
        complain(err, report.error);
        return kNothingDone;
    }
    return kDone;
}

} // namespace

int run(const QStringList& argumentList, const Setup& setup, std::ostream& out, std::ostream& err) {
    const Arguments arguments = parseArguments(argumentList);
    if (!arguments.problem.isEmpty()) {
        complain(err, arguments.problem + Text::tr(". Try \"thai-kit --help\"."));
        return kUsageError;
    }
    if (arguments.help) {
        out << usage().toStdString();
        return kDone;
    }
    if (arguments.version) {
        out << "thai-kit " THAI_KIT_VERSION "\n";
        return kDone;
    }
    if (arguments.command == Command::Syllable)
        return syllable(arguments.words[0], out);
    if (arguments.command == Command::Say)
        return sayWord(arguments, out, err);
    const Folder folder(chooseFolder(arguments, setup, err), setup.driveRoot());
    // Like Vocaboro at its start: an interrupted write or change is finished or undone
    // before anything reads or writes the folder.
    const QString recovered =
        vocaboro::recoveryText(datafiles::recoverUnfinishedWrite(folder.native(), setup.fileAccess),
                               true, folder.typedPath(), kProgram);
    if (!recovered.isEmpty())
        complain(err, recovered);
    switch (arguments.command) {
    case Command::Lookup:
        return lookup(arguments, folder, setup, out, err);
    case Command::Add:
        return add(arguments, folder, setup, out, err);
    case Command::Edit:
    case Command::Delete:
        return change(arguments, folder, setup, out, err);
    case Command::Import:
        return importFile(arguments, folder, setup, out, err);
    case Command::Syllable:
    case Command::Say:
    case Command::None:
        break;
    }
    return kUsageError;
}

} // namespace thaikit
