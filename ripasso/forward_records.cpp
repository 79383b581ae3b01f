#include "forward_records.h"

#include "datafiles/file_naming.h"

#include <cerrno>
#include <map>

namespace ripasso {
namespace {

std::string joinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (std::size_t i = 0; i < names.size(); ++i)
        joined += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return joined;
}

} // namespace

std::string_view unmarked(std::string_view field, const char* none) {
    return field == none ? std::string_view() : field;
}

std::vector<std::string>
readForwardRecords(const PathOf& pathOf, const datafiles::FileAccess& access,
                   const std::function<void(const datafiles::RecordView&)>& take,
                   const std::function<void()>& fileRead) {
    std::vector<std::string> problems;
    std::map<int, std::vector<std::string>> unreadable; // file names by reason
    // One buffer for every file: the pages made for the first are those of the next.
    datafiles::FileBytes bytes;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name = datafiles::dataFileName(datafiles::Direction::Forward, letter);
        bytes.setSize(0);
        if (const int error = datafiles::appendWholeFile(pathOf(name), access, bytes)) {
            unreadable[error].push_back(name);
            continue;
        }
        datafiles::RecordReader reader(bytes.view());
        datafiles::RecordView record;
        std::size_t skipped = 0, firstSkippedLine = 0;
        while (!reader.atEnd()) {
            const datafiles::ReadStatus status = reader.next(record);
            if (status == datafiles::ReadStatus::Record && !record.headword().empty()) {
                take(record);
                continue;
            }
            if (skipped++ == 0)
                firstSkippedLine = reader.line();
            if (status == datafiles::ReadStatus::Truncated)
                break;
        }
        if (fileRead)
            fileRead();
        if (skipped > 0)
            problems.push_back(std::to_string(skipped) + (skipped == 1 ? " record" : " records") +
                               " could not be read in " + name + " (the first on line " +
                               std::to_string(firstSkippedLine) + ") and " +
                               (skipped == 1 ? "was" : "were") + " left out.");
    }
    if (unreadable.size() == 1 && unreadable.begin()->first == ENOENT &&
        unreadable.begin()->second.size() == 26) {
        problems.insert(problems.begin(),
                        "This folder holds none of the files LEXFWD_A.DAT to LEXFWD_Z.DAT.");
        return problems;
    }
    // A letter without its file is a letter with no words yet: a folder of one's own starts
    // with the few letters one has words for.
    unreadable.erase(ENOENT);
    for (const auto& [reason, names] : unreadable)
        problems.push_back(joinNames(names) +
                           " could not be read: " + datafiles::describeError(reason) + ".");
    return problems;
}

} // namespace ripasso
