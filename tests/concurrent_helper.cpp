// A helper process for the test of programs appending at once:
//   concurrent_helper write FOLDER ID COUNT   appends COUNT entries through the kit's writer
//   concurrent_helper forever FOLDER ID NOTE  appends entries with a note of NOTE bytes until it
//                                             is killed; prints "appended N" after each
//   concurrent_helper change FOLDER COUNT     moves the reverse record of each entry "ck_N" between
//                                             LEXREV_B and LEXREV_P, COUNT changes in all (0: until
//                                             it is killed)
//   concurrent_helper read FOLDER STOPFILE    reads both files in a loop until STOPFILE exists
//                                             (failing on any error but a file not made yet);
//                                             prints "reads N torn-last T" and fails on a
//                                             torn record that is not a file's last
//   concurrent_helper record FOLDER           records the entry of "casa" again and again as
//                                             the Words page does, until it is killed: the
//                                             WAV written and placed, then named by both
//                                             records, then the kit's own file before it removed;
//                                             prints "take N" after each
// The modes that run until they are killed print "ready" before their first write, so that a
// kill can be timed from there rather than from the start of a process, however slow that is.

#include "datafiles/entry_editor.h"
#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_writer.h"
#include "ripasso/recordings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char* argv[]) {
    if (argc < 3 || (argc < 4 && std::string(argv[1]) != "record"))
        return 2;
    const std::string mode = argv[1];
    const fs::path folder = argv[2];
    const fs::path forward = folder / "LEXFWD_C.DAT";
    const fs::path reverse = folder / "LEXREV_B.DAT";
    if (mode == "forever" || mode == "change" || mode == "record") {
        std::printf("ready\n");
        std::fflush(stdout);
    }
    if (mode == "write" && argc == 5) {
        const std::string id = argv[3];
        const int count = std::atoi(argv[4]);
        for (int i = 0; i < count; ++i) {
            datafiles::DictionaryRecord r{"c" + id + "_" + std::to_string(i),
                                          "b" + id + "_" + std::to_string(i),
                                          "s.f.",
                                          "-",
                                          "\xBA\xE9\xD2\xB9",
                                          "$",
                                          "$"};
            auto result =
                datafiles::appendEntry(forward, datafiles::formatRecordLine(r), reverse,
                                       datafiles::formatRecordLine(datafiles::reverseOf(r)));
            // Two writers in a tight loop can keep each other out for longer than the lock
            // time-out; like a user, try again.
            for (int retry = 0; retry < 100 && result.error == EWOULDBLOCK; ++retry)
                result =
                    datafiles::appendEntry(forward, datafiles::formatRecordLine(r), reverse,
                                           datafiles::formatRecordLine(datafiles::reverseOf(r)));
            if (!result.ok()) {
                std::fprintf(stderr, "write %d failed: %s\n", i,
                             datafiles::describeError(result.error).c_str());
                return 1;
            }
        }
        return 0;
    }
    if (mode == "forever" && argc == 5) {
        const std::string id = argv[3];
        const std::string note(static_cast<std::size_t>(std::atoi(argv[4])), 'n');
        for (long i = 0;; ++i) {
            const datafiles::DictionaryRecord r{"c" + id + "_" + std::to_string(i),
                                                "b" + id + "_" + std::to_string(i),
                                                "-",
                                                note,
                                                "@",
                                                "$",
                                                "$"};
            datafiles::appendEntry(forward, datafiles::formatRecordLine(r), reverse,
                                   datafiles::formatRecordLine(datafiles::reverseOf(r)));
            std::printf("appended %ld\n", i);
            std::fflush(stdout);
        }
    }
    if (mode == "change") {
        const long count = std::atol(argv[3]);
        for (long i = 0; count == 0 || i < count; ++i) {
            const auto bytes = datafiles::readWholeFile(forward);
            if (!bytes.ok())
                return 1;
            std::vector<datafiles::DictionaryRecord> moving;
            for (const auto& r : datafiles::readAllRecords(bytes.bytes).records)
                if (r.headword.starts_with("ck_"))
                    moving.push_back(r);
            if (moving.empty())
                return 1;
            datafiles::EntryChange change;
            change.forward = moving[static_cast<std::size_t>(i) % moving.size()];
            change.replacement = change.forward;
            change.replacement->counterpart[0] = change.forward.counterpart[0] == 'b' ? 'p' : 'b';
            auto result = datafiles::changeEntry(folder, change);
            for (int retry = 0; retry < 100 && result.error == EWOULDBLOCK; ++retry)
                result = datafiles::changeEntry(folder, change);
            if (!result.ok()) {
                std::fprintf(stderr, "change %ld failed: %d %s\n", i,
                             static_cast<int>(result.problem),
                             datafiles::describeError(result.error).c_str());
                return 1;
            }
        }
        return 0;
    }
    if (mode == "record") {
        // Each take a little longer than the one before, so that a torn file would show.
        for (int take = 1;; ++take) {
            const auto bytes = datafiles::readWholeFile(forward);
            if (!bytes.ok())
                return 1;
            const auto records = datafiles::readAllRecords(bytes.bytes).records;
            if (records.empty())
                return 1;
            datafiles::EntryChange change;
            change.forward = records.front();
            const std::string name = ripasso::recordingName(change.forward.counterpart, folder);
            const QByteArray pcm(2 * (4000 + take % 5000), static_cast<char>(take));
            if (ripasso::saveRecording(folder, name, ripasso::waveFile(pcm, 16000)) != 0)
                return 1;
            change.replacement = change.forward;
            change.replacement->thaiSound = name;
            if (!datafiles::changeEntry(folder, change).ok())
                return 1;
            if (ripasso::isOwnRecording(change.forward.thaiSound))
                fs::remove(folder / change.forward.thaiSound);
            std::printf("take %d\n", take); // the caller may wait for a finished take
            std::fflush(stdout);
        }
    }
    if (mode == "read") {
        const fs::path stop = argv[3];
        long reads = 0, tornLast = 0;
        for (bool last = false; !last;) {
            last = fs::exists(stop); // one more round after the writers are done
            for (const fs::path& file : {forward, reverse}) {
                const auto bytes = datafiles::readWholeFile(file);
                if (bytes.error == ENOENT)
                    continue;      // not created yet
                if (!bytes.ok()) { // a file being replaced is read before or after, never fails
                    std::fprintf(stderr, "%s: %s\n", file.c_str(),
                                 datafiles::describeError(bytes.error).c_str());
                    return 1;
                }
                datafiles::RecordReader reader(bytes.bytes);
                datafiles::RecordView record;
                while (!reader.atEnd()) {
                    if (reader.next(record) == datafiles::ReadStatus::Truncated) {
                        ++tornLast; // only ever the file's last: the reader is at the end now
                        break;
                    }
                    if (record.fields[6] != "$") {
                        std::fprintf(stderr, "a record out of step in %s\n", file.c_str());
                        return 1;
                    }
                }
                ++reads;
            }
        }
        std::printf("reads %ld torn-last %ld\n", reads, tornLast);
        return 0;
    }
    return 2;
}
