#include "word_list.h"

#include "datafiles/file_naming.h"
#include "datafiles/record_index.h"
#include "platform/error_text.h"
#include "platform/text.h"
#include "thaitext/folding.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ripasso {
namespace {

struct ListText {
    Q_DECLARE_TR_FUNCTIONS(ripasso::ListText)
};

// The record's field that each column shows, and the marker shown as empty.
constexpr int kFieldOf[WordList::kColumns] = {0, 1, 4, 2, 3};
constexpr const char* kMarkerOf[WordList::kColumns] = {nullptr, nullptr, datafiles::kNoThai,
                                                       datafiles::kNoAttribute, datafiles::kNoNote};

std::string_view shownField(const datafiles::RecordView& record, int column) {
    const std::string_view field = record.fields[static_cast<std::size_t>(kFieldOf[column])];
    return kMarkerOf[column] && field == kMarkerOf[column] ? std::string_view() : field;
}

// The first place in [from, end) where `needle` (two bytes or more) starts; end when none.
// SSE2 compares 16 places at once on the needle's first and last byte, the rest only where
// both agree.
const char* findNeedle(const char* from, const char* end, std::string_view needle) {
    const std::size_t length = needle.size();
    if (length == 1) {
        const void* hit = std::memchr(from, needle[0], static_cast<std::size_t>(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    }
    if (static_cast<std::size_t>(end - from) < length)
        return end;
    const char* last = end - length; // the last place where the needle can start
    const char* at = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i final = _mm_set1_epi8(needle.back());
    for (; at + 16 <= last + 1; at += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + length - 1));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, final))));
        while (mask != 0) {
            const int bit = __builtin_ctz(mask);
            if (std::memcmp(at + bit + 1, needle.data() + 1, length - 2) == 0)
                return at + bit;
            mask &= mask - 1;
        }
    }
#endif
    for (; at <= last; ++at)
        if (at[0] == needle.front() && std::memcmp(at + 1, needle.data() + 1, length - 1) == 0)
            return at;
    return end;
}

std::uint64_t prefixOf(const char* bytes, std::size_t size) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = prefix << 8 | (i < size ? static_cast<unsigned char>(bytes[i]) : 0u);
    return prefix;
}

bool sameRecord(const datafiles::RecordView& a, const datafiles::RecordView& b) {
    return a.fields == b.fields;
}

bool sameRecord(const datafiles::RecordView& a, const datafiles::DictionaryRecord& b) {
    for (int i = 0; i < datafiles::DictionaryRecord::kFieldCount; ++i)
        if (a.fields[static_cast<std::size_t>(i)] != b.field(i))
            return false;
    return true;
}

} // namespace

WordList::Needle WordList::needleOf(const QString& typed) {
    Needle needle;
    bool latin = false, thai = false;
    const unsigned char* fold = thaitext::foldingTable();
    for (const QChar c : typed) {
        if (c.unicode() < 0x80) {
            needle.bytes += static_cast<char>(fold[c.unicode()]);
        } else if (const auto l = platform::toLatin(QString(c))) {
            const unsigned char folded = fold[static_cast<unsigned char>(l->front())];
            needle.bytes += static_cast<char>(folded);
            latin = latin || folded >= 0x80;
        } else if (const auto t = platform::toThai(QString(c))) {
            needle.bytes += *t;
            thai = true;
        } else {
            needle.impossible = true;
        }
    }
    // Zero bytes stand between the fields of the folded copy: no text holds one.
    needle.impossible =
        needle.impossible || (latin && thai) || needle.bytes.find('\0') != std::string::npos;
    needle.script = thai    ? Needle::Script::Thai
                    : latin ? Needle::Script::Latin
                            : Needle::Script::Any;
    return needle;
}

WordList::~WordList() {
    waitUntilFolded();
}

void WordList::waitUntilFolded() const {
    if (folding_.joinable())
        folding_.join();
}

std::vector<std::string> WordList::load(const PathOf& pathOf, const datafiles::FileAccess& access) {
    waitUntilFolded();
    bytes_.setSize(0);
    rows_.clear();
    files_.clear();
    std::vector<std::string> problems;
    constexpr std::size_t kBatch = 256;
    datafiles::IndexedRecord records[kBatch];
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name = datafiles::dataFileName(datafiles::Direction::Forward, letter);
        const std::size_t base = bytes_.size();
        const std::size_t held = rows_.size();
        // Records are indexed while each piece of the file is still in the processor's cache,
        // as far as the piece decides them; the rest once the file is whole.
        datafiles::RecordIndexer indexer({});
        auto addDecided = [&] {
            for (std::size_t found = kBatch; found == kBatch;) {
                found = indexer.nextDecided(records, kBatch);
                for (std::size_t i = 0; i < found; ++i)
                    if (!records[i].crossReference)
                        rows_.push_back(static_cast<Row>(records[i].start));
            }
        };
        const int error =
            datafiles::appendWholeFile(pathOf(name), access, bytes_, [&](std::string_view bytes) {
                indexer.extend(bytes);
                addDecided();
            });
        if (error != 0) {
            rows_.resize(held);
            if (error != ENOENT)
                problems.push_back(
                    ListText::tr("%1 could not be read: %2.")
                        .arg(QString::fromStdString(name), platform::errorText(error))
                        .toStdString());
            continue;
        }
        const std::string_view all = bytes_.view().substr(base);
        indexer.extend(all);
        datafiles::IndexedRecord record;
        for (;;) {
            addDecided();
            if (indexer.atEnd())
                break;
            if (const auto status = indexer.next(record); status != datafiles::ReadStatus::Record) {
                problems.push_back(
                    (status == datafiles::ReadStatus::TooLong
                         ? ListText::tr("%1 holds a record longer than 4 MiB on line %2; the "
                                        "records before it are listed.")
                         : ListText::tr("%1 ends in the middle of a record on line %2; the "
                                        "records before it are listed."))
                        .arg(QString::fromStdString(name))
                        .arg(indexer.line())
                        .toStdString());
                break;
            }
            if (!record.crossReference)
                rows_.push_back(static_cast<Row>(record.start));
        }
        if (rows_.size() > held)
            files_.push_back({letter, base, all.size(), held, rows_.size() - held});
        else
            bytes_.setSize(base); // a file that lists nothing keeps no bytes
    }
    folding_ = std::thread([this] { fold(); });
    return problems;
}

const WordList::File& WordList::fileOf(Row row) const {
    const auto after =
        std::upper_bound(files_.begin(), files_.end(), std::size_t(row),
                         [](std::size_t r, const File& file) { return r < file.firstRow; });
    return *(after - 1);
}

datafiles::RecordView WordList::record(Row row) const {
    const File& file = fileOf(row);
    datafiles::RecordReader reader(bytesOf(file).substr(rows_[row]));
    datafiles::RecordView record;
    reader.next(record);
    return record;
}

std::string_view WordList::shown(Row row, Column column) const {
    return shownField(record(row), column);
}

char WordList::fileLetter(Row row) const {
    return fileOf(row).letter;
}

std::size_t WordList::occurrence(Row row) const {
    const File& file = fileOf(row);
    const datafiles::RecordView target = record(row);
    std::size_t equal = 0;
    for (std::size_t r = file.firstRow; r < row; ++r)
        equal += sameRecord(record(static_cast<Row>(r)), target);
    return equal;
}

std::optional<WordList::Row> WordList::find(const datafiles::DictionaryRecord& wanted,
                                            char letter) const {
    for (const File& file : files_) {
        if (file.letter != letter)
            continue;
        for (std::size_t r = file.firstRow; r < file.firstRow + file.rows; ++r)
            if (sameRecord(record(static_cast<Row>(r)), wanted))
                return static_cast<Row>(r);
    }
    return std::nullopt;
}

void WordList::fold() {
    const std::size_t size = bytes_.size();
    folded_.setSize(0);
    if (size == 0)
        return;
    char* out = nullptr;
    try {
        out = folded_.reserve(size);
    } catch (const std::bad_alloc&) {
        return; // without memory for the copy, nothing is found
    }
    folded_.setSize(size);
    std::memset(out, 0, size);
    const char* in = bytes_.view().data();
    const unsigned char* latin = thaitext::foldingTable();
    forEachRow([&](const datafiles::RecordView& record, Row) {
        for (int column = 0; column < kColumns; ++column) {
            const std::string_view field = shownField(record, column);
            // A field shown empty (its marker) points nowhere into the bytes.
            const auto at = field.empty() ? 0 : static_cast<std::size_t>(field.data() - in);
            if (column == Thai) {
                // Thai script is never folded; the plain capitals beside it are.
                for (std::size_t i = 0; i < field.size(); ++i) {
                    const auto b = static_cast<unsigned char>(field[i]);
                    out[at + i] = static_cast<char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
                }
            } else {
                for (std::size_t i = 0; i < field.size(); ++i)
                    out[at + i] = static_cast<char>(latin[static_cast<unsigned char>(field[i])]);
            }
        }
    });
}

int WordList::fieldAt(Row row, std::size_t offset) const {
    const datafiles::RecordView r = record(row);
    const char* at = bytes_.view().data() + offset;
    for (int column = 0; column < kColumns; ++column) {
        const std::string_view field = shownField(r, column);
        if (at >= field.data() && at < field.data() + field.size())
            return column;
    }
    return -1;
}

std::vector<WordList::Row> WordList::search(const Needle& needle) const {
    std::vector<Row> found;
    if (needle.impossible || needle.bytes.empty())
        return found;
    waitUntilFolded();
    if (folded_.size() != bytes_.size())
        return found;
    const char* folded = folded_.view().data();
    for (const File& file : files_) {
        const char* begin = folded + file.base;
        const char* end = begin + file.size;
        const std::size_t rowsEnd = file.firstRow + file.rows;
        std::size_t row = file.firstRow;
        for (const char* from = begin; from < end;) {
            const char* hit = findNeedle(from, end, needle.bytes);
            if (hit == end)
                break;
            const auto offset = static_cast<std::size_t>(hit - begin);
            // The last row that starts at or before the hit: gallop from the row before.
            std::size_t low = row, step = 1, high = row + 1;
            while (high < rowsEnd && rows_[high] <= offset) {
                low = high;
                step *= 2;
                high = low + step;
            }
            high = std::min(high, rowsEnd);
            row = static_cast<std::size_t>(
                      std::upper_bound(rows_.begin() + static_cast<std::ptrdiff_t>(low) + 1,
                                       rows_.begin() + static_cast<std::ptrdiff_t>(high), offset) -
                      rows_.begin()) -
                  1;
            bool inPlace = true;
            if (needle.script != Needle::Script::Any) {
                const int column = fieldAt(static_cast<Row>(row), file.base + offset);
                inPlace = needle.script == Needle::Script::Thai ? column == Thai
                                                                : column >= 0 && column != Thai;
            }
            if (!inPlace) {
                from = hit + 1;
                continue;
            }
            found.push_back(static_cast<Row>(row));
            // The rest of this row is not needed: on to the next one.
            from = row + 1 < rowsEnd ? begin + rows_[row + 1] : end;
            ++row;
            if (row >= rowsEnd)
                break;
        }
    }
    return found;
}

std::vector<WordList::Row> WordList::sorted(Column column, bool descending) const {
    waitUntilFolded();
    struct Key {
        std::uint64_t prefix; // the first eight folded bytes, for most comparisons
        std::size_t at;       // where the field starts in the bytes
        std::uint32_t size;
        Row row;
    };
    std::vector<Key> keys;
    keys.reserve(rows_.size());
    const char* in = bytes_.view().data();
    const char* folded = folded_.size() == bytes_.size() ? folded_.view().data() : in;
    forEachRow([&](const datafiles::RecordView& record, Row row) {
        const std::string_view field = shownField(record, column);
        // A field shown empty (its marker) points nowhere into the bytes.
        const auto at = field.empty() ? 0 : static_cast<std::size_t>(field.data() - in);
        keys.push_back({prefixOf(folded + at, field.size()), at,
                        static_cast<std::uint32_t>(field.size()), row});
    });
    // Folded text first, then the bytes themselves (capitals before small letters), then the
    // files' order.
    auto before = [&](const Key& a, const Key& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const std::size_t common = std::min(a.size, b.size);
        if (common > 8)
            if (const int c = std::memcmp(folded + a.at + 8, folded + b.at + 8, common - 8))
                return c < 0;
        if (a.size != b.size)
            return a.size < b.size;
        return std::memcmp(in + a.at, in + b.at, a.size) < 0;
    };
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (before(a, b))
            return !descending;
        if (before(b, a))
            return descending;
        return a.row < b.row;
    });
    std::vector<Row> order;
    order.reserve(keys.size());
    for (const Key& key : keys)
        order.push_back(key.row);
    return order;
}

} // namespace ripasso
