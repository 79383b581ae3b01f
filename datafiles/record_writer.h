#pragma once
// The line of one record as the writer lays it out: seven quoted values separated by
// commas, ended by CR LF. Nothing inside a value is escaped.

#include "dictionary_record.h"

#include <string>

namespace datafiles {

std::string formatRecordLine(const DictionaryRecord& record);

// The reverse record of an entry: the first two fields swapped.
DictionaryRecord reverseOf(const DictionaryRecord& forward);

} // namespace datafiles
