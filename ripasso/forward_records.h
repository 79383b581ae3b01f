#pragma once
// Reads the records of a folder's forward letter files, LEXFWD_A.DAT to LEXFWD_Z.DAT, one
// file at a time. A record that cannot be read is left out and counted; a file that cannot
// be read is named with the reason; neither stops the reading.

#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ripasso {

using PathOf = std::function<std::filesystem::path(const std::string& fileName)>;

// Calls `take` with every record read, in the files' order, and `fileRead` (when given) after
// the last record of each file read; the records' bytes stay valid until then. Returns what
// could not be read, one English sentence each, naming the file.
std::vector<std::string>
readForwardRecords(const PathOf& pathOf, const datafiles::FileAccess& access,
                   const std::function<void(const datafiles::RecordView&)>& take,
                   const std::function<void()>& fileRead = {});

// The field without its "none" marker ("-", "@"): empty when it holds only the marker.
std::string_view unmarked(std::string_view field, const char* none);

} // namespace ripasso
