// The starter dictionary as built: 52 files that every reader can read whole.

#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "datafiles/record_reader.h"

#include <QTest>

#include <algorithm>
#include <filesystem>
#include <vector>

using namespace datafiles;

class TestStarterDictionary : public QObject {
    Q_OBJECT
private slots:
    void everyLetterHasBothFilesAndTheyRead();
};

void TestStarterDictionary::everyLetterHasBothFilesAndTheyRead() {
    const std::filesystem::path folder = STARTER_FOLDER;
    std::size_t forwardEntries = 0, reverseEntries = 0, pointers = 0;
    std::vector<std::pair<std::string, std::string>> forwardPairs, reversePairs;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        for (Direction direction : {Direction::Forward, Direction::Reverse}) {
            const std::string name = dataFileName(direction, letter);
            const ReadFileResult file = readWholeFile(folder / name);
            QVERIFY2(file.ok(), name.c_str());
            const ReadAllResult read = readAllRecords(file.bytes);
            QVERIFY2(!read.truncated, name.c_str());
            for (const DictionaryRecord& r : read.records) {
                // Each record sits in the file of its own initial.
                const auto expected = direction == Direction::Forward
                                          ? forwardFileForWriting(r.headword)
                                          : reverseFile(r.headword);
                QVERIFY2(expected == name, (name + ": " + r.headword).c_str());
                QVERIFY(!r.headword.empty() && !r.counterpart.empty());
                if (r.isCrossReference()) {
                    ++pointers;
                    continue;
                }
                auto& pairs = direction == Direction::Forward ? forwardPairs : reversePairs;
                const auto key = direction == Direction::Forward ? r.headword : r.counterpart;
                const auto value = direction == Direction::Forward ? r.counterpart : r.headword;
                pairs.emplace_back(key, value);
                ++(direction == Direction::Forward ? forwardEntries : reverseEntries);
            }
        }
    }
    QVERIFY2(forwardEntries >= 600, qPrintable(QString::number(forwardEntries)));
    QCOMPARE(reverseEntries, forwardEntries);
    std::sort(forwardPairs.begin(), forwardPairs.end());
    std::sort(reversePairs.begin(), reversePairs.end());
    QVERIFY(forwardPairs == reversePairs); // every entry in both directions
    QVERIFY(pointers >= 3);
    QVERIFY(std::binary_search(forwardPairs.begin(), forwardPairs.end(),
                               std::pair<std::string, std::string>("casa", "baan")));
}

QTEST_APPLESS_MAIN(TestStarterDictionary)
#include "test_starter_dictionary.moc"
