#include "forward_records.h"

#include "datafiles/file_naming.h"
#include "platform/error_text.h"

#include <QCoreApplication>
#include <QStringList>

#include <cerrno>
#include <map>

namespace ripasso {
namespace {

struct ReadingText {
    Q_DECLARE_TR_FUNCTIONS(ripasso::ReadingText)
};

QString joinNames(const std::vector<std::string>& names) {
    QStringList all;
    for (const std::string& name : names)
        all << QString::fromStdString(name);
    const QString last = all.takeLast();
    return all.isEmpty() ? last
                         : ReadingText::tr("%1 and %2").arg(all.join(QStringLiteral(", ")), last);
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
            problems.push_back(
                (skipped == 1
                     ? ReadingText::tr("1 record could not be read in %1 (the first on line %2) "
                                       "and was left out.")
                           .arg(QString::fromStdString(name))
                           .arg(firstSkippedLine)
                     : ReadingText::tr("%1 records could not be read in %2 (the first on line "
                                       "%3) and were left out.")
                           .arg(skipped)
                           .arg(QString::fromStdString(name))
                           .arg(firstSkippedLine))
                    .toStdString());
    }
    if (unreadable.size() == 1 && unreadable.begin()->first == ENOENT &&
        unreadable.begin()->second.size() == 26) {
        problems.insert(problems.begin(),
                        ReadingText::tr("This folder holds none of the files LEXFWD_A.DAT to "
                                        "LEXFWD_Z.DAT.")
                            .toStdString());
        return problems;
    }
    // A letter without its file is a letter with no words yet: a folder of one's own starts
    // with the few letters one has words for.
    unreadable.erase(ENOENT);
    for (const auto& [reason, names] : unreadable)
        problems.push_back(ReadingText::tr("%1 could not be read: %2.")
                               .arg(joinNames(names), platform::errorText(reason))
                               .toStdString());
    return problems;
}

} // namespace ripasso
