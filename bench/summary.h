#pragma once
// The side-by-side table: each figure of the kit beside a baseline measured in the same run
// and the target it has to meet.

#include "dictionary_generator.h"

#include <string>

namespace bench {

// Runs the measurements on the dictionary generated in `folder` (one record is appended to
// its largest forward file) and returns the table as text. `lookupProbe` is the program that
// runs one console look-up as a process of its own.
std::string sideBySideTable(const std::string& folder, const GeneratedDictionary& generated,
                            const std::string& lookupProbe);

} // namespace bench
