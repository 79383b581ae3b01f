#pragma once
// The forward records of a words folder as the Words page lists them: the bytes of the 26
// LEXFWD files read whole (datafiles::appendWholeFile, indexed by datafiles::RecordIndexer
// as Chartola's loads are), four bytes a row, cross-references left out. A field becomes
// text only when a view shows it.
//
// The search runs over a folded copy of the bytes, made once after each load by a thread of
// its own: the five shown fields with letter case and accents set aside (thaitext/folding.h;
// the Thai field keeps its Thai bytes and only its plain capitals are made small), every other
// byte zero. Folding is byte for byte, so a hit's offset is the record's own, and since no
// typed text holds a zero byte, a hit lies inside one shown field. Hits map to rows by a
// forward search on the rows' offsets.

#include "forward_records.h"

#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace ripasso {

class WordList {
public:
    enum Column { Italian, Pronunciation, Thai, Attribute, Note };
    static constexpr int kColumns = 5;
    using Row = std::uint32_t;

    // A typed search as the folded bytes it matches. `script` says where it can match: a
    // Thai letter only in the Thai field, an accented or other non-ASCII Latin letter only in
    // the Latin ones; `impossible`: a character neither code set has.
    struct Needle {
        enum class Script { Any, Latin, Thai };
        std::string bytes;
        Script script = Script::Any;
        bool impossible = false;
    };
    static Needle needleOf(const QString& typed);

    WordList() = default;
    ~WordList();
    WordList(const WordList&) = delete;
    WordList& operator=(const WordList&) = delete;

    // Reads LEXFWD_A.DAT to LEXFWD_Z.DAT at the paths `pathOf` gives. A missing file holds no
    // words; what could not be read is returned, one English sentence each, naming the file
    // (a file that ends in a broken record keeps the records before it).
    std::vector<std::string> load(const PathOf& pathOf, const datafiles::FileAccess& access = {});

    std::size_t size() const { return rows_.size(); }
    // One record, its views into the bytes held (valid until the next load).
    datafiles::RecordView record(Row row) const;
    // The field a column shows, its "none" marker ("-", "@") as empty.
    std::string_view shown(Row row, Column column) const;
    // The letter of the file the row is in ('A' to 'Z').
    char fileLetter(Row row) const;
    // How many records of the row's file before it are equal to it (all seven fields).
    std::size_t occurrence(Row row) const;
    // The first row holding `record` in the forward file of `letter`, if any.
    std::optional<Row> find(const datafiles::DictionaryRecord& record, char letter) const;

    // The rows, in file order, of which a shown field contains the needle.
    std::vector<Row> search(const Needle& needle) const;
    // Every row, in the order of the column's folded text (then file order).
    std::vector<Row> sorted(Column column, bool descending) const;

    // Waits for the folded copy of the last load (the search and the sort wait for it too).
    void waitUntilFolded() const;

private:
    struct File {
        char letter;
        std::size_t base;     // where its bytes begin in bytes_
        std::size_t size;     // how many
        std::size_t firstRow; // its rows are [firstRow, firstRow + rows)
        std::size_t rows;
    };
    std::string_view bytesOf(const File& file) const {
        return bytes_.view().substr(file.base, file.size);
    }
    const File& fileOf(Row row) const;
    // Calls `take(record, row)` for every row, in the files' order.
    template <class Take> void forEachRow(Take take) const {
        for (const File& file : files_) {
            datafiles::RecordReader reader(bytesOf(file));
            datafiles::RecordView record;
            for (std::size_t seen = 0; seen < file.rows && !reader.atEnd();) {
                if (reader.next(record) != datafiles::ReadStatus::Record)
                    break;
                if (record.isCrossReference())
                    continue;
                take(record, static_cast<Row>(file.firstRow + seen));
                ++seen;
            }
        }
    }
    std::size_t startOf(Row row) const { return fileOf(row).base + rows_[row]; }
    void fold();
    // Which field of `row` holds the byte at `offset` (absolute); -1 for none.
    int fieldAt(Row row, std::size_t offset) const;

    datafiles::FileBytes bytes_;  // the files, one after another
    datafiles::FileBytes folded_; // the folded copy, the same size
    std::vector<Row> rows_;       // where each record starts in its file
    std::vector<File> files_;
    mutable std::thread folding_;
};

} // namespace ripasso
