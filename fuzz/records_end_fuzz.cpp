// Where the writer finds the end of a file's records, reading it in windows of any size,
// agrees with the reader over the whole file: a fragment is found exactly when the reader
// stops in the middle of a record, on the same line; otherwise a line appended after the
// kept bytes and the prefix reads as one more record after all the old ones. The fast check
// of files of the writer's lines finds the same end wherever it decides.

#include "datafiles/entry_writer.h"
#include "datafiles/headword_scan.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::size_t window = 1 + data[0] % 97; // small windows cross every boundary
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const datafiles::ReadAllResult whole = datafiles::readAllRecords(bytes);
    // Where the fast check of a file of the writer's lines finds the end, the reader agrees.
    const auto shaped = datafiles::writerShapedRecordsEnd(
        [bytes](char* out, std::size_t n, std::uint64_t offset) -> ssize_t {
            if (offset >= bytes.size())
                return 0;
            const std::size_t k = std::min<std::size_t>(n, bytes.size() - offset);
            bytes.copy(out, k, static_cast<std::size_t>(offset));
            return static_cast<ssize_t>(k);
        });
    if (shaped) {
        const datafiles::RecordsEnd end = datafiles::findRecordsEnd(bytes, bytes.size() + 1);
        if (end.error != 0 || end.fragment || end.keep != shaped->keep ||
            end.prefix != shaped->prefix)
            std::abort();
    }
    for (const std::size_t w : {window, bytes.size() + 1}) {
        const datafiles::RecordsEnd end = datafiles::findRecordsEnd(bytes, w);
        if (datafiles::beginsWithUtf8Mark(bytes)) { // refused whole: not the kit's code pages
            if (end.error != datafiles::kErrorSavedAsUtf8)
                std::abort();
            continue;
        }
        if (end.error != 0 || end.fragment != whole.truncated)
            std::abort();
        if (end.fragment) {
            if (end.fragmentLine != whole.truncatedLine)
                std::abort();
            continue;
        }
        if (end.keep > bytes.size())
            std::abort();
        const datafiles::DictionaryRecord added{"nuovo", "mai", "-", "-", "@", "$", "$"};
        const std::string after = std::string(bytes.substr(0, end.keep)) + end.prefix +
                                  datafiles::formatRecordLine(added);
        const datafiles::ReadAllResult read = datafiles::readAllRecords(after);
        if (read.truncated || read.records.size() != whole.records.size() + 1 ||
            !(read.records.back() == added))
            std::abort();
        for (std::size_t i = 0; i < whole.records.size(); ++i)
            if (!(read.records[i] == whole.records[i]))
                std::abort();
    }
    return 0;
}
