#include "record_writer.h"

#include <utility>

namespace datafiles {

std::string formatRecordLine(const DictionaryRecord& record) {
    std::size_t size = 2 + 6;
    for (int i = 0; i < DictionaryRecord::kFieldCount; ++i)
        size += record.field(i).size() + 2;
    std::string line;
    line.reserve(size);
    for (int i = 0; i < DictionaryRecord::kFieldCount; ++i) {
        if (i > 0)
            line += ',';
        line += '"';
        line += record.field(i);
        line += '"';
    }
    line += "\r\n";
    return line;
}

DictionaryRecord reverseOf(const DictionaryRecord& forward) {
    DictionaryRecord reverse = forward;
    std::swap(reverse.headword, reverse.counterpart);
    return reverse;
}

} // namespace datafiles
