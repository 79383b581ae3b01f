#include "entry_list_model.h"

#include "datafiles/record_reader.h"
#include "platform/text.h"
#include "thaitext/codec.h"

#include <algorithm>
#include <array>
#include <climits>

namespace chartola {
namespace {

// Letter case as QString's case-insensitive comparison sees it, for the 256 bytes of code
// page 1252: each byte stands for the first byte whose character folds to the same one
// (B and b for b, À and à for à, Š and š for š), so comparing these stand-ins compares the
// decoded texts' folded characters.
struct Folding {
    std::array<char16_t, 256> folded{};
    std::array<unsigned char, 256> standIn{};

    Folding() {
        for (std::size_t b = 0; b < 256; ++b)
            folded[b] = QChar(thaitext::cp1252ToUnicode(static_cast<unsigned char>(b)))
                            .toCaseFolded()
                            .unicode();
        for (std::size_t b = 0; b < 256; ++b)
            standIn[b] = static_cast<unsigned char>(
                std::find(folded.begin(), folded.end(), folded[b]) - folded.begin());
    }
};

const Folding& folding() {
    static const Folding f;
    return f;
}

} // namespace

EntryStore::AddResult EntryStore::addFile(datafiles::FileBytes bytes) {
    // Files are read whole and never exceed 2 GiB (datafiles::kMaxDataFileBytes), so a
    // record's offset fits 32 bits.
    File file{std::move(bytes), {}, size_};
    const std::string_view all = file.bytes.view();
    // A writer's line takes 23 bytes at least and about 45 in a real dictionary: room for a
    // record in every 32 bytes seldom grows, and what stays unused is never touched.
    file.rows.reserve(all.size() / 32 + 1);
    datafiles::RecordReader reader(all);
    datafiles::RecordView record;
    AddResult result;
    while (!reader.atEnd()) {
        const std::size_t start = reader.offset();
        if (const auto status = reader.next(record); status != datafiles::ReadStatus::Record) {
            result = {false, status == datafiles::ReadStatus::TooLong, reader.line()};
            break;
        }
        if (record.isCrossReference())
            continue;
        const std::string_view head = record.headword();
        const std::size_t offset =
            head.data() ? static_cast<std::size_t>(head.data() - (all.data() + start)) : 0;
        file.rows.push_back({static_cast<std::uint32_t>(start),
                             offset < kFar ? static_cast<std::uint16_t>(offset) : kFar,
                             head.size() < kFar ? static_cast<std::uint16_t>(head.size()) : kFar});
    }
    if (!file.rows.empty()) { // a file that shows nothing keeps no bytes
        size_ += file.rows.size();
        files_.push_back(std::move(file));
    }
    return result;
}

void EntryStore::append(EntryStore&& more) {
    for (File& file : more.files_) {
        file.firstRow += size_;
        files_.push_back(std::move(file));
    }
    size_ += more.size_;
    more.files_.clear();
    more.size_ = 0;
}

const EntryStore::File& EntryStore::fileOf(std::size_t row) const {
    const auto after =
        std::upper_bound(files_.begin(), files_.end(), row,
                         [](std::size_t r, const File& file) { return r < file.firstRow; });
    return *(after - 1);
}

std::string_view EntryStore::reread(const File& file, const Row& row, Field field) const {
    datafiles::RecordReader reader(file.bytes.view().substr(row.record));
    datafiles::RecordView record;
    reader.next(record);
    return record.fields[static_cast<std::size_t>(field)];
}

std::string_view EntryStore::headword(const File& file, const Row& row) const {
    if (row.headOffset == kFar || row.headLength == kFar)
        return reread(file, row, Headword);
    return file.bytes.view().substr(row.record + row.headOffset, row.headLength);
}

std::string_view EntryStore::field(std::size_t row, Field field) const {
    const File& file = fileOf(row);
    const Row& r = file.rows[row - file.firstRow];
    return field == Headword ? headword(file, r) : reread(file, r, field);
}

std::ptrdiff_t EntryStore::findPrefix(std::u16string_view prefix) const {
    const Folding& fold = folding();
    // The typed text as stand-in bytes, once; a character that no byte folds to matches
    // no head word.
    std::string wanted;
    wanted.reserve(prefix.size());
    for (const char16_t unit : prefix) {
        const char16_t folded = QChar(unit).toCaseFolded().unicode();
        const auto found = std::find(fold.folded.begin(), fold.folded.end(), folded);
        if (found == fold.folded.end())
            return -1;
        wanted += static_cast<char>(found - fold.folded.begin());
    }
    if (size_ == 0)
        return -1;
    if (wanted.empty())
        return 0;
    const unsigned char* standIn = fold.standIn.data();
    const auto first = static_cast<unsigned char>(wanted[0]);
    const std::size_t length = wanted.size();
    for (const File& file : files_) {
        const char* bytes = file.bytes.view().data();
        for (std::size_t r = 0; r < file.rows.size(); ++r) {
            const Row& row = file.rows[r];
            const char* head = bytes + row.record + row.headOffset;
            std::size_t size = row.headLength;
            if (row.headOffset == kFar || row.headLength == kFar) {
                const std::string_view far = reread(file, row, Headword);
                head = far.data();
                size = far.size();
            }
            if (size < length || standIn[static_cast<unsigned char>(head[0])] != first)
                continue;
            std::size_t i = 1;
            while (i < length && standIn[static_cast<unsigned char>(head[i])] ==
                                     static_cast<unsigned char>(wanted[i]))
                ++i;
            if (i == length)
                return static_cast<std::ptrdiff_t>(file.firstRow + r);
        }
    }
    return -1;
}

EntryListModel::EntryListModel(QObject* parent) : QAbstractTableModel(parent) {}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(store_.size(), INT_MAX));
}

int EntryListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid() ||
        index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    return platform::fromLatin(store_.field(static_cast<std::size_t>(index.row()),
                                            static_cast<EntryStore::Field>(index.column())));
}

void EntryListModel::clear() {
    if (store_.empty())
        return;
    beginResetModel();
    store_ = EntryStore();
    endResetModel();
}

void EntryListModel::append(EntryStore&& more) {
    if (more.empty())
        return;
    beginResetModel();
    store_.append(std::move(more));
    endResetModel();
}

int EntryListModel::findPrefix(const QString& typed) const {
    const std::ptrdiff_t row = store_.findPrefix(std::u16string_view(
        reinterpret_cast<const char16_t*>(typed.utf16()), static_cast<std::size_t>(typed.size())));
    return row < INT_MAX ? static_cast<int>(row) : -1;
}

} // namespace chartola
