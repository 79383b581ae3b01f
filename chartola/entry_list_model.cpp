#include "entry_list_model.h"

#include "datafiles/record_index.h"
#include "datafiles/record_reader.h"
#include "platform/text.h"
#include "thaitext/codec.h"
#include "thaitext/folding.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <utility>

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

EntryStore::EntryStore(EntryStore&& other) noexcept
    : bytes_(std::move(other.bytes_)), rows_(std::move(other.rows_)),
      files_(std::move(other.files_)), size_(std::exchange(other.size_, 0)) {
    other.files_.clear();
}

EntryStore& EntryStore::operator=(EntryStore&& other) noexcept {
    if (this != &other) {
        bytes_ = std::move(other.bytes_);
        rows_ = std::move(other.rows_);
        files_ = std::move(other.files_);
        size_ = std::exchange(other.size_, 0);
        other.files_.clear();
    }
    return *this;
}

EntryStore::AddResult EntryStore::addFile(datafiles::FileBytes bytes) {
    const std::size_t base = bytes_.size();
    if (bytes_.capacity() == 0) {
        bytes_ = std::move(bytes);
    } else if (bytes.size() > 0) {
        std::memcpy(bytes_.reserve(base + bytes.size()) + base, bytes.view().data(), bytes.size());
        bytes_.setSize(base + bytes.size());
    }
    return index(base);
}

EntryStore::AddResult EntryStore::readFile(const std::filesystem::path& path,
                                           const datafiles::FileAccess& access, int& error) {
    const std::size_t base = bytes_.size();
    const std::size_t held = size_;
    // Records are indexed as each piece of the file arrives, while its bytes are still in the
    // processor's cache, as far as the piece decides them; the rest once the file is whole.
    datafiles::RecordIndexer indexer({});
    error = datafiles::appendWholeFile(path, access, bytes_, [&](std::string_view bytes) {
        indexer.extend(bytes);
        addDecided(indexer, bytes);
    });
    if (error != 0) {
        size_ = held;
        rows_.setSize(held * sizeof(Row));
        return {};
    }
    return index(base, indexer);
}

void EntryStore::reserveRows(std::size_t rows) {
    const std::size_t held = rows_.capacity() / sizeof(Row);
    if (rows > held)
        rows_.reserve(std::max(rows, held + held / 2) * sizeof(Row));
}

void EntryStore::addDecided(datafiles::RecordIndexer& indexer, std::string_view bytes) {
    constexpr std::size_t kBatch = 256;
    datafiles::IndexedRecord records[kBatch];
    for (std::size_t found = kBatch; found == kBatch;) {
        found = indexer.nextDecided(records, kBatch);
        reserveRows(size_ + found);
        Row* out = reinterpret_cast<Row*>(rows_.reserve(0)) + size_;
        for (std::size_t i = 0; i < found; ++i) {
            *out = static_cast<Row>(records[i].start) |
                   (bytes[records[i].start] == '"' ? kQuotedHead : 0);
            out += !records[i].crossReference;
        }
        size_ = static_cast<std::size_t>(out - reinterpret_cast<Row*>(rows_.reserve(0)));
        rows_.setSize(size_ * sizeof(Row));
    }
}

EntryStore::AddResult EntryStore::index(std::size_t base) {
    datafiles::RecordIndexer indexer(bytes_.view().substr(base));
    return index(base, indexer);
}

EntryStore::AddResult EntryStore::index(std::size_t base, datafiles::RecordIndexer& indexer) {
    const std::string_view all = bytes_.view().substr(base);
    indexer.extend(all);
    const std::size_t first = files_.empty() ? 0 : files_.back().firstRow + files_.back().rows;
    AddResult result;
    datafiles::IndexedRecord record;
    for (;;) {
        addDecided(indexer, all);
        if (indexer.atEnd())
            break;
        if (const auto status = indexer.next(record); status != datafiles::ReadStatus::Record) {
            result = {false, status == datafiles::ReadStatus::TooLong, indexer.line()};
            break;
        }
        if (record.crossReference)
            continue;
        reserveRows(size_ + 1);
        reinterpret_cast<Row*>(rows_.reserve(0))[size_++] =
            static_cast<Row>(record.start) | (all[record.start] == '"' ? kQuotedHead : 0);
        rows_.setSize(size_ * sizeof(Row));
    }
    if (size_ > first)
        files_.push_back({base, all.size(), first, size_ - first});
    else
        bytes_.setSize(base); // a file that shows nothing keeps no bytes
    return result;
}

void EntryStore::append(EntryStore&& more) {
    if (empty()) {
        *this = std::move(more);
        return;
    }
    const std::size_t base = bytes_.size();
    const std::string_view bytes = more.bytes_.view();
    if (!bytes.empty()) {
        std::memcpy(bytes_.reserve(base + bytes.size()) + base, bytes.data(), bytes.size());
        bytes_.setSize(base + bytes.size());
    }
    reserveRows(size_ + more.size_);
    if (more.size_ > 0)
        std::memcpy(rows_.reserve(0) + size_ * sizeof(Row), more.rows(), more.size_ * sizeof(Row));
    rows_.setSize((size_ + more.size_) * sizeof(Row));
    for (File file : more.files_) {
        file.base += base;
        file.firstRow += size_;
        files_.push_back(file);
    }
    size_ += more.size_;
    more.clear();
}

void EntryStore::clear() {
    bytes_.setSize(0);
    rows_.setSize(0);
    files_.clear();
    size_ = 0;
}

void EntryStore::releaseUnused() {
    bytes_.releaseUnused();
    rows_.releaseUnused();
}

const EntryStore::File& EntryStore::fileOf(std::size_t row) const {
    const auto after =
        std::upper_bound(files_.begin(), files_.end(), row,
                         [](std::size_t r, const File& file) { return r < file.firstRow; });
    return *(after - 1);
}

std::string_view EntryStore::reread(std::string_view bytes, Row row, Field field) const {
    datafiles::RecordReader reader(bytes.substr(row & ~kQuotedHead));
    datafiles::RecordView record;
    reader.next(record);
    return record.fields[static_cast<std::size_t>(field)];
}

std::string_view EntryStore::headword(std::string_view bytes, Row row) const {
    if (!(row & kQuotedHead))
        return reread(bytes, row, Headword);
    const std::size_t start = (row & ~kQuotedHead) + 1;
    return bytes.substr(start, bytes.find('"', start) - start);
}

std::string_view EntryStore::field(std::size_t row, Field field) const {
    const File& file = fileOf(row);
    const Row r = rows()[row];
    return field == Headword ? headword(bytesOf(file), r) : reread(bytesOf(file), r, field);
}

std::ptrdiff_t EntryStore::findPrefix(std::u16string_view prefix, bool accentsAside) const {
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
        const auto byte = static_cast<unsigned char>(found - fold.folded.begin());
        wanted += static_cast<char>(accentsAside ? thaitext::foldLatin(byte) : byte);
    }
    if (size_ == 0)
        return -1;
    if (wanted.empty())
        return 0;
    const unsigned char* standIn = accentsAside ? thaitext::foldingTable() : fold.standIn.data();
    const auto first = static_cast<unsigned char>(wanted[0]);
    const std::size_t length = wanted.size();
    auto matches = [&](const char* head, std::size_t size) {
        if (size < length)
            return false;
        for (std::size_t i = 0; i < length; ++i)
            if (standIn[static_cast<unsigned char>(head[i])] !=
                static_cast<unsigned char>(wanted[i]))
                return false;
        return true;
    };
    const Row* all = rows();
    for (const File& file : files_) {
        const std::string_view bytes = bytesOf(file);
        for (std::size_t r = file.firstRow; r < file.firstRow + file.rows; ++r) {
            const Row row = all[r];
            if (!(row & kQuotedHead)) {
                const std::string_view head = reread(bytes, row, Headword);
                if (matches(head.data(), head.size()))
                    return static_cast<std::ptrdiff_t>(r);
                continue;
            }
            // A quoted head word ends at the next quote, which no typed text matches there.
            const char* head = bytes.data() + (row & ~kQuotedHead) + 1;
            if (standIn[static_cast<unsigned char>(head[0])] != first || head[0] == '"')
                continue;
            std::size_t i = 1;
            while (i < length && head[i] != '"' &&
                   standIn[static_cast<unsigned char>(head[i])] ==
                       static_cast<unsigned char>(wanted[i]))
                ++i;
            if (i == length)
                return static_cast<std::ptrdiff_t>(r);
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
    store_.clear();
    endResetModel();
}

EntryStore EntryListModel::spareStore() {
    if (!store_.empty())
        return {};
    EntryStore spare = std::move(store_);
    spare.clear();
    return spare;
}

void EntryListModel::append(EntryStore&& more) {
    if (more.empty()) {
        if (store_.empty()) // it may hold the memory of the lists emptied before
            store_ = std::move(more);
        store_.releaseUnused();
        return;
    }
    beginResetModel();
    store_.append(std::move(more));
    endResetModel();
    store_.releaseUnused();
}

int EntryListModel::findPrefix(const QString& typed) const {
    const std::u16string_view prefix(reinterpret_cast<const char16_t*>(typed.utf16()),
                                     static_cast<std::size_t>(typed.size()));
    std::ptrdiff_t row = store_.findPrefix(prefix);
    if (row < 0)
        row = store_.findPrefix(prefix, true);
    return row < INT_MAX ? static_cast<int>(row) : -1;
}

} // namespace chartola
