#include "arguments.h"

#include <QCoreApplication>

#include <array>

namespace thaikit {
namespace {

struct ArgumentText {
    Q_DECLARE_TR_FUNCTIONS(thaikit::ArgumentText)
};

constexpr unsigned bit(Command c) {
    return 1u << static_cast<unsigned>(c);
}
// The commands on the data folder; syllable and say read their word alone.
constexpr unsigned kFolderCommands = bit(Command::Lookup) | bit(Command::Add) | bit(Command::Edit) |
                                     bit(Command::Delete) | bit(Command::Import);
constexpr unsigned kAllCommands = kFolderCommands | bit(Command::Syllable) | bit(Command::Say);
constexpr unsigned kChanges = bit(Command::Edit) | bit(Command::Delete);

enum class Kind { Help, Version, Folder, Value, Set, Record, ForwardAlone, Wav, Phonemes, DryRun };

struct Option {
    const char* name;
    Kind kind;
    unsigned commands; // the commands that take it; help and version stand alone
    int box = -1;      // Value: the entry panel's box it fills
};

constexpr std::array<Option, 14> kOptions = {{
    {"--help", Kind::Help, kAllCommands},
    {"--version", Kind::Version, kAllCommands},
    {"--folder", Kind::Folder, kFolderCommands},
    {"--attribute", Kind::Value, bit(Command::Add), 1},
    {"--thai", Kind::Value, bit(Command::Add), 2},
    {"--note", Kind::Value, bit(Command::Add), 4},
    {"--thai-sound", Kind::Value, bit(Command::Add), 5},
    {"--italian-sound", Kind::Value, bit(Command::Add), 6},
    {"--set", Kind::Set, bit(Command::Edit)},
    {"--record", Kind::Record, kChanges},
    {"--forward-alone", Kind::ForwardAlone, kChanges},
    {"--wav", Kind::Wav, bit(Command::Say)},
    {"--phonemes", Kind::Phonemes, bit(Command::Say)},
    {"--dry-run", Kind::DryRun, bit(Command::Import)},
}};

bool takesValue(Kind kind) {
    return kind == Kind::Folder || kind == Kind::Value || kind == Kind::Set ||
           kind == Kind::Record || kind == Kind::Wav;
}

struct Given {
    const Option* option;
    QString value;
};

struct CommandName {
    const char* name;
    Command command;
    qsizetype words;
};
constexpr std::array<CommandName, 7> kCommands = {{
    {"lookup", Command::Lookup, 1},
    {"add", Command::Add, 2},
    {"edit", Command::Edit, 2},
    {"delete", Command::Delete, 2},
    {"syllable", Command::Syllable, 1},
    {"say", Command::Say, 1},
    {"import", Command::Import, 1},
}};

// The options given, each checked against the command.
void takeOptions(const std::vector<Given>& given, Arguments& a) {
    const QString command = QLatin1String(kCommands[static_cast<std::size_t>(a.command) - 1].name);
    std::vector<const Option*> seen;
    for (const Given& g : given) {
        const QString name = QLatin1String(g.option->name);
        if (!(g.option->commands & bit(a.command))) {
            a.problem = ArgumentText::tr("%1 is not an option of %2").arg(name, command);
            return;
        }
        if (g.option->kind != Kind::Set) {
            for (const Option* o : seen)
                if (o == g.option) {
                    a.problem = ArgumentText::tr("%1 is given twice").arg(name);
                    return;
                }
            seen.push_back(g.option);
        }
        switch (g.option->kind) {
        case Kind::Folder:
            if (g.value.isEmpty()) { // not the current folder by accident
                a.problem = ArgumentText::tr("--folder needs a folder, not an empty text");
                return;
            }
            a.folder = g.value;
            break;
        case Kind::Value:
            a.values[g.option->box] = g.value;
            break;
        case Kind::Set: {
            const qsizetype equals = g.value.indexOf(QLatin1Char('='));
            const int box = equals < 0 ? -1 : fieldBox(g.value.left(equals));
            if (box < 0) {
                a.problem = ArgumentText::tr(
                                "--set takes FIELD=VALUE, FIELD one of italian, pronunciation, "
                                "thai, attribute, note, thai-sound, italian-sound: not \"%1\"")
                                .arg(g.value);
                return;
            }
            a.sets.emplace_back(box, g.value.mid(equals + 1));
            break;
        }
        case Kind::Record: {
            bool number = false;
            const int n = g.value.toInt(&number);
            if (!number || n < 1) {
                a.problem =
                    ArgumentText::tr("--record takes a number from 1: not \"%1\"").arg(g.value);
                return;
            }
            a.record = n;
            break;
        }
        case Kind::ForwardAlone:
            a.forwardAlone = true;
            break;
        case Kind::Wav:
            if (g.value.isEmpty()) {
                a.problem = ArgumentText::tr("--wav needs a file, not an empty text");
                return;
            }
            a.wav = g.value;
            break;
        case Kind::Phonemes:
            a.phonemes = true;
            break;
        case Kind::DryRun:
            a.dryRun = true;
            break;
        case Kind::Help:
        case Kind::Version:
            break;
        }
    }
    if (a.command == Command::Edit && a.sets.empty())
        a.problem = ArgumentText::tr("edit needs at least one --set FIELD=VALUE");
    if (a.command == Command::Say && !a.wav && !a.phonemes)
        a.problem = ArgumentText::tr("say needs --wav FILE or --phonemes");
}

} // namespace

int fieldBox(const QString& field) {
    static const std::array<const char*, 7> names = {
        "italian", "attribute", "thai", "pronunciation", "note", "thai-sound", "italian-sound"};
    for (std::size_t i = 0; i < names.size(); ++i)
        if (field == QLatin1String(names[i]))
            return static_cast<int>(i);
    return -1;
}

Arguments parseArguments(const QStringList& arguments) {
    Arguments a;
    std::vector<Given> given;
    QStringList positional;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnd || !arg.startsWith(QLatin1String("-")) || arg == QLatin1String("-")) {
            positional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnd = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg : arg.left(equals);
        const Option* option = nullptr;
        for (const Option& o : kOptions)
            if (name == QLatin1String(o.name))
                option = &o;
        if (!option || (!takesValue(option->kind) && equals >= 0)) {
            a.problem = ArgumentText::tr("unknown option \"%1\"").arg(arg);
            return a;
        }
        if (option->kind == Kind::Help)
            a.help = true;
        else if (option->kind == Kind::Version)
            a.version = true;
        if (!takesValue(option->kind)) {
            given.push_back({option, {}});
        } else if (equals >= 0) {
            given.push_back({option, arg.mid(equals + 1)});
        } else if (i + 1 < arguments.size()) {
            given.push_back({option, arguments[++i]});
        } else {
            a.problem = ArgumentText::tr("%1 needs a value").arg(name);
            return a;
        }
    }
    if (a.help || a.version)
        return a;
    if (positional.isEmpty()) {
        a.problem = ArgumentText::tr("no command given");
        return a;
    }
    for (const CommandName& c : kCommands)
        if (positional.front() == QLatin1String(c.name)) {
            a.command = c.command;
            a.words = positional.mid(1);
            if (a.words.size() != c.words) {
                a.problem = c.command == Command::Import ? ArgumentText::tr("import takes one file")
                            : c.words == 1
                                ? ArgumentText::tr("%1 takes one word").arg(QLatin1String(c.name))
                                : ArgumentText::tr("%1 takes two words: ITALIAN PRONUNCIATION")
                                      .arg(QLatin1String(c.name));
                return a;
            }
            if (a.command == Command::Lookup && a.words.front().isEmpty()) {
                a.problem = ArgumentText::tr("lookup takes a word, not an empty text");
                return a;
            }
            if (a.command == Command::Syllable && a.words.front().isEmpty()) {
                a.problem = ArgumentText::tr("syllable takes a word, not an empty text");
                return a;
            }
            if (a.command == Command::Say && a.words.front().isEmpty()) {
                a.problem = ArgumentText::tr("say takes a word, not an empty text");
                return a;
            }
            if (a.command == Command::Import && a.words.front().isEmpty()) {
                a.problem = ArgumentText::tr("import takes a file, not an empty text");
                return a;
            }
            takeOptions(given, a);
            return a;
        }
    a.problem = ArgumentText::tr("unknown command \"%1\"").arg(positional.front());
    return a;
}

} // namespace thaikit
