#include "entry_editor.h"

namespace datafiles {

EntryEditResult changeEntry(const std::filesystem::path& folder, const EntryChange& change,
                            const FileAccess& access) {
    (void)folder;
    (void)change;
    (void)access;
    EntryEditResult r;
    r.problem = EntryEditResult::Problem::WriteFailed;
    r.error = ENOSYS;
    return r;
}

} // namespace datafiles
