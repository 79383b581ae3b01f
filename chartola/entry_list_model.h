#pragma once
// The dictionary window's four entry lists, held as the bytes of the data files that a load
// read and an index of where each record lies in them. A field becomes text only when a
// view shows it or the search compares it, so a million entries cost their bytes and eight
// more each, and emptying the lists frees one buffer per file.

#include "datafiles/file_io.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

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
    // Keeps the bytes of one file and indexes its records. A record cut short by the end of
    // the bytes ends the reading; the records before it stay.
    AddResult addFile(datafiles::FileBytes bytes);
    // Moves the records of `more` after the ones held.
    void append(EntryStore&& more);

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::string_view field(std::size_t row, Field field) const;

    // The first row whose head word begins with `prefix`, letter case aside exactly as
    // QString::startsWith(prefix, Qt::CaseInsensitive) compares the decoded head word; -1
    // when none does.
    std::ptrdiff_t findPrefix(std::u16string_view prefix) const;

private:
    // Where a record starts in its file, and where its head word lies from there. A head
    // word too far in or too long for 16 bits is found again by reading the record.
    struct Row {
        std::uint32_t record;
        std::uint16_t headOffset;
        std::uint16_t headLength;
    };
    static constexpr std::uint16_t kFar = 0xFFFF;
    struct File {
        datafiles::FileBytes bytes;
        std::vector<Row> rows; // each file its own, so that appending copies no rows
        std::size_t firstRow;
    };
    const File& fileOf(std::size_t row) const;
    std::string_view headword(const File& file, const Row& row) const;
    std::string_view reread(const File& file, const Row& row, Field field) const;

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

    // Empties the four lists.
    void clear();
    // Adds the records of `more` after those held, in one reset of the views.
    void append(EntryStore&& more);
    // The first row whose head word begins with `typed`, letter case aside; -1 when none.
    int findPrefix(const QString& typed) const;

    const EntryStore& store() const { return store_; }

private:
    EntryStore store_;
};

} // namespace chartola
