#pragma once
// The side-by-side table: each figure of the kit beside a baseline measured in the same run.

#include <string>

namespace bench {

// Runs the measurements and returns the table as text.
std::string sideBySideTable();

} // namespace bench
