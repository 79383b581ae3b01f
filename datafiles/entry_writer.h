#pragma once
// Appending one dictionary entry to its forward and its reverse file, all or nothing.
//
// Both files are opened and locked (flock) before anything is written, so that two
// programs writing at once cannot cut each other's records; readers do not lock. Each
// line goes to the operating system in one write() and is flushed (fdatasync) before the
// other file is written. When the reverse append fails, the forward file is cut back to
// its former size. A file whose last line lacks its line end gets CR LF first when that
// line is a whole record; when it is a fragment, nothing is written at all.

#include "file_io.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace datafiles {

// Appends one line to one file, creating it when missing: locked, one write(), its
// result compared with the line's length, fdatasync; a short or failed write is cut back.
FileResult appendLine(const std::filesystem::path& path, std::string_view line);

struct EntryWriteResult {
    enum class Problem {
        None,
        OpenFailed,    // the file could not be opened or locked
        Fragment,      // the file ends with a broken record; nothing was written
        WriteFailed,   // the append failed; nothing of this entry stays stored
        RollbackFailed // the reverse append failed and the forward line could not be removed
    };
    Problem problem = Problem::None;
    bool reverseFile = false;     // which file the problem is in
    int error = 0;                // errno value for OpenFailed, WriteFailed, RollbackFailed
    std::size_t fragmentLine = 0; // line where the broken record starts, for Fragment

    bool ok() const { return problem == Problem::None; }
};

EntryWriteResult appendEntry(const std::filesystem::path& forwardPath,
                             const std::string& forwardLine,
                             const std::filesystem::path& reversePath,
                             const std::string& reverseLine);

} // namespace datafiles
