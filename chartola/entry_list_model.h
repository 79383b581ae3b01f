#pragma once
// The dictionary window's four entry lists, held as the bytes of the data files that a load
// read and an index of where each record lies in them. A field becomes text only when a
// view shows it or the search compares it, so a million entries cost their bytes and four
// more each; the next load reads into the memory of the lists it empties.

#include "datafiles/file_io.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace datafiles {
class RecordIndexer;
}

namespace chartola {

// The records of whole data files, in file order, cross-references left out.
class EntryStore {
public:
    enum Field { Headword, Counterpart, Attribute, Note };

    struct AddResult {
        bool whole = true;    // false: the bytes end in the middle of a record
        bool tooLong = false; // or a record runs over kMaxRecordBytes
        std::size_t line = 0; // where that record starts (from 1)
    };

    EntryStore() = default;
    EntryStore(EntryStore&& other) noexcept;
    EntryStore& operator=(EntryStore&& other) noexcept;

    // Keeps the bytes of one file after those held and indexes its records. A record cut
    // short by the end of the bytes ends the reading; the records before it stay.
    AddResult addFile(datafiles::FileBytes bytes);
    // The same for the file at `path`, read straight after the bytes held (by the rules of
    // datafiles::readWholeFileBytes); `error` is 0 or why it could not be read, and then
    // nothing is added.
    AddResult readFile(const std::filesystem::path& path, const datafiles::FileAccess& access,
                       int& error);
    // Moves the records of `more` after the ones held.
    void append(EntryStore&& more);
    // Holds nothing, and keeps the memory for the files read next: pages the process has
    // already touched take half the time of fresh ones to read into.
    void clear();
    // Gives the system back the memory that the records held do not use.
    void releaseUnused();

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::string_view field(std::size_t row, Field field) const;

    // The first row whose head word begins with `prefix`, letter case aside exactly as
    // QString::startsWith(prefix, Qt::CaseInsensitive) compares the decoded head word; -1
    // when none does. With `accentsAside`, the accents of vowels are set aside as well
    // (thaitext/folding.h): "perch" begins "perché".
    std::ptrdiff_t findPrefix(std::u16string_view prefix, bool accentsAside = false) const;

private:
    // A row is where its record starts in its file (files are read whole and never exceed
    // 2 GiB, so 31 bits), with the top bit set when the record begins with a quote: its head
    // word then runs from there to the next quote. Other head words are found again by
    // reading the record.
    using Row = std::uint32_t;
    static constexpr Row kQuotedHead = Row(1) << 31;
    struct File {
        std::size_t base;     // where its bytes begin in bytes_
        std::size_t size;     // how many
        std::size_t firstRow; // its rows are [firstRow, firstRow + rows)
        std::size_t rows;
    };
    AddResult index(std::size_t base);
    AddResult index(std::size_t base, datafiles::RecordIndexer& indexer);
    void addDecided(datafiles::RecordIndexer& indexer, std::string_view bytes);
    void reserveRows(std::size_t rows);
    const Row* rows() const { return reinterpret_cast<const Row*>(rows_.view().data()); }
    std::string_view bytesOf(const File& file) const {
        return bytes_.view().substr(file.base, file.size);
    }
    const File& fileOf(std::size_t row) const;
    std::string_view headword(std::string_view bytes, Row row) const;
    std::string_view reread(std::string_view bytes, Row row, Field field) const;

    datafiles::FileBytes bytes_; // the files held, one after another
    datafiles::FileBytes rows_;  // their rows, size_ of them
    std::vector<File> files_;
    std::size_t size_ = 0;
};

// The four lists as one table: column 0 the head words (Combo1), 1 the counterparts
// (Combo2), 2 the attributes (List1), 3 the notes (List2); row k is one record in all four.
class EntryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit EntryListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Empties the four lists, keeping the memory for the next load.
    void clear();
    // An empty store for the next load, with the memory of the lists emptied before when
    // they are empty.
    EntryStore spareStore();
    // Adds the records of `more` after those held, in one reset of the views.
    void append(EntryStore&& more);
    // The first row whose head word begins with `typed`, letter case aside; when none does,
    // the first that begins with it with accents set aside too; -1 when none does either.
    int findPrefix(const QString& typed) const;

    const EntryStore& store() const { return store_; }

private:
    EntryStore store_;
};

} // namespace chartola
