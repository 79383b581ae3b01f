#include "anki_export.h"

#include "datafiles/dictionary_record.h"
#include "datafiles/sound_files.h"
#include "export_files.h"

#include <cstdint>
#include <cstdio>

namespace fs = std::filesystem;

namespace ripasso {

namespace {

using namespace exporting;

bool needsQuotes(std::string_view text, bool firstColumn) {
    return text.find_first_of("\t\r\n\"") != std::string_view::npos ||
           (firstColumn && !text.empty() && text.front() == '#');
}

bool hasTab(std::string_view bytes) {
    return bytes.find('\t') != std::string_view::npos;
}

// The recording a sound field names, as Anki's sound tag; nothing when it names none.
std::string soundTag(std::string_view field) {
    std::string_view name;
    if (datafiles::soundField(field, &name) != datafiles::SoundField::Name)
        return {};
    std::string tag = "[sound:";
    appendHtml(tag, name, latinTable());
    return tag + "]";
}

// The front of the card: the Italian word, then its Italian recording.
void appendFront(std::string& out, const datafiles::RecordView& r) {
    const std::string_view headword = r.headword();
    const bool quoted = hasTab(headword) || (!headword.empty() && headword.front() == '#');
    if (quoted)
        out += '"';
    appendHtml(out, headword, latinTable());
    if (const std::string sound = soundTag(r.fields[6]); !sound.empty())
        out += " " + sound;
    if (quoted)
        out += '"';
}

// The back of the card: the pronunciation, the Thai script, the attribute, the note and the
// Thai recording, one a line; a field that holds only its "none" marker leaves no line.
void appendBack(std::string& out, const datafiles::RecordView& r) {
    const std::string_view thai = unmarked(r.thai(), datafiles::kNoThai);
    const std::string_view attribute = unmarked(r.attribute(), datafiles::kNoAttribute);
    const std::string_view note = unmarked(r.note(), datafiles::kNoNote);
    const bool quoted =
        hasTab(r.counterpart()) || hasTab(thai) || hasTab(attribute) || hasTab(note);
    if (quoted)
        out += '"';
    bool first = true;
    auto line = [&](std::string_view bytes, const ByteTable& table) {
        if (bytes.empty())
            return;
        if (!first)
            out += "<br>";
        first = false;
        appendHtml(out, bytes, table);
    };
    line(r.counterpart(), latinTable());
    line(thai, thaiTable());
    line(attribute, latinTable());
    line(note, latinTable());
    if (const std::string sound = soundTag(r.fields[5]); !sound.empty()) {
        if (!first)
            out += "<br>";
        out += sound;
    }
    if (quoted)
        out += '"';
}

// The output is written each time it holds this much.
constexpr std::size_t kFlushBytes = std::size_t(1) << 20;

} // namespace

std::string noteId(std::string_view headword, std::string_view pronunciation, int occurrence) {
    char id[32];
    std::snprintf(id, sizeof id, "ripasso-%016llx",
                  static_cast<unsigned long long>(pairHash(headword, pronunciation)));
    return occurrence > 1 ? id + ("-" + std::to_string(occurrence)) : std::string(id);
}

std::string ankiField(std::string_view utf8, bool firstColumn) {
    if (!needsQuotes(utf8, firstColumn))
        return std::string(utf8);
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

ExportResult exportForAnki(const PathOf& pathOf, const fs::path& target, std::string_view deck,
                           const datafiles::FileAccess& access) {
    ExportResult result;
    result.error = replaceTarget(target, access, [&](int fd) -> std::string {
        std::string out = "#separator:tab\n#html:true\n#notetype:";
        out += kAnkiNoteType;
        out += "\n#deck:";
        for (const char c : deck) // a header line ends at its line end
            out += c == '\r' || c == '\n' ? ' ' : c;
        // Anki's stock note type has the fields Front and Back alone, and Anki fills fields by the
        // columns' names: every field the learner needs is in one of those two.
        out +=
            "\n#columns:Front\tBack\tTags\tGUID\n#tags:ripasso\n#tags column:3\n#guid column:4\n";
        out.reserve(kFlushBytes + (std::size_t(1) << 20));
        int error = 0;
        KeyCounter occurrences;
        const std::string unread =
            readLetters(pathOf, access, result.problems, [&](const datafiles::RecordView& r) {
                if (r.isCrossReference())
                    return true;
                const std::uint64_t pair = pairHash(r.headword(), r.counterpart());
                const int occurrence = occurrences.count(pair);
                appendFront(out, r);
                out += '\t';
                appendBack(out, r);
                out += '\t';
                appendTag(out, unmarked(r.attribute(), datafiles::kNoAttribute));
                out += '\t';
                out += noteId(r.headword(), r.counterpart(), occurrence);
                out += '\n';
                ++result.notes;
                if (out.size() >= kFlushBytes) {
                    error = writeAll(fd, out);
                    out.clear();
                }
                return error == 0;
            });
        if (!unread.empty())
            return unread;
        if (error == 0)
            error = writeAll(fd, out);
        return error == 0 ? std::string() : cannotWrite(target, error);
    });
    result.written = result.error.empty();
    return result;
}

} // namespace ripasso
