// Any bytes read whole, and prefixes of them, without a crash; a prefix never gives other
// records than the whole but for its last, which it may cut.

#include "datafiles/record_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const datafiles::ReadAllResult whole = datafiles::readAllRecords(bytes);
    // Every prefix of a small input; of a large one (up to 1 MiB, so that reading in more
    // than linear time shows) some 64 of them, as every prefix would be quadratic here.
    const std::size_t step = size <= 4096 ? 1 : size / 64;
    for (std::size_t cut = 0; cut <= size; cut += step) {
        const datafiles::ReadAllResult prefix = datafiles::readAllRecords(bytes.substr(0, cut));
        const std::size_t stable = prefix.records.empty() ? 0 : prefix.records.size() - 1;
        if (stable > whole.records.size())
            std::abort();
        for (std::size_t i = 0; i < stable; ++i)
            if (!(prefix.records[i] == whole.records[i]))
                std::abort();
    }
    // A record at a time, each from a fresh reader over the rest, reads the same.
    datafiles::RecordReader reader(bytes);
    std::size_t index = 0;
    datafiles::DictionaryRecord record;
    while (!reader.atEnd()) {
        datafiles::RecordReader fresh(bytes.substr(reader.offset()));
        datafiles::DictionaryRecord again;
        const auto status = reader.next(record);
        if (fresh.next(again) != status || !(again == record))
            std::abort();
        if (status == datafiles::ReadStatus::Truncated)
            break;
        if (index >= whole.records.size() || !(whole.records[index] == record))
            std::abort();
        ++index;
    }
    return 0;
}
