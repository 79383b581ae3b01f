#include "datafiles/path_mapping.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using datafiles::PathMapper;

class TestPathMapping : public QObject {
    Q_OBJECT
private slots:
    void init();
    void mapping_data();
    void mapping();
    void nativeFolders();
    void newFileKeepsItsName();
    void tildeMeansTheHomeFolder();

private:
    QTemporaryDir dir_;
    fs::path root_;
};

void TestPathMapping::init() {
    root_ = dir_.path().toStdString();
    fs::create_directories(root_ / "drive_c" / "THAI");
    std::ofstream(root_ / "drive_c" / "THAI" / "LEXFWD_C.DAT") << "x";
    std::ofstream(root_ / "drive_c" / "THAI" / "LEXREV_B.DAT") << "x";
}

void TestPathMapping::mapping_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected"); // relative to the drive root
    QTest::newRow("capital names") << "C:\\THAI\\LEXFWD_C.DAT"
                                   << "drive_c/THAI/LEXFWD_C.DAT";
    QTest::newRow("small names, doubled backslash") << "c:\\thai\\\\lexfwd_c.dat"
                                                    << "drive_c/THAI/LEXFWD_C.DAT";
    QTest::newRow("default folder and loader name") << "C:\\THAI\\\\lexrev_b.dat"
                                                    << "drive_c/THAI/LEXREV_B.DAT";
    QTest::newRow("mixed case") << "c:\\Thai\\LexFwd_C.Dat"
                                << "drive_c/THAI/LEXFWD_C.DAT";
    QTest::newRow("forward slashes") << "C:/THAI/LEXFWD_C.DAT"
                                     << "drive_c/THAI/LEXFWD_C.DAT";
    QTest::newRow("no final backslash") << "C:\\THAILEXFWD_C.DAT"
                                        << "drive_c/THAILEXFWD_C.DAT";
    QTest::newRow("other drive") << "D:\\THAI\\LEXFWD_C.DAT"
                                 << "drive_d/THAI/LEXFWD_C.DAT";
    QTest::newRow("drive without separator") << "c:THAI\\LEXFWD_C.DAT"
                                             << "drive_c/THAI/LEXFWD_C.DAT";
}

void TestPathMapping::mapping() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    const PathMapper mapper(root_);
    QCOMPARE(QString::fromStdString(mapper.map(typed.toStdString()).string()),
             QString::fromStdString((root_ / expected.toStdString()).string()));
}

void TestPathMapping::nativeFolders() {
    const PathMapper mapper("/nowhere");
    const std::string folder = root_.string() + "/drive_c/thai/";
    QCOMPARE(mapper.map(folder + "lexfwd_c.dat"), root_ / "drive_c" / "THAI" / "LEXFWD_C.DAT");
    QCOMPARE(mapper.map(folder + "//LEXFWD_C.DAT"), root_ / "drive_c" / "THAI" / "LEXFWD_C.DAT");
}

void TestPathMapping::newFileKeepsItsName() {
    const PathMapper mapper(root_);
    // An existing folder is matched, a file not there yet keeps the name as given.
    QCOMPARE(mapper.map("c:\\thai\\LEXFWD_Q.DAT"), root_ / "drive_c" / "THAI" / "LEXFWD_Q.DAT");
    QCOMPARE(mapper.map("c:\\newdir\\sub\\LEXFWD_Q.DAT"),
             root_ / "drive_c" / "newdir" / "sub" / "LEXFWD_Q.DAT");
    // When two names differ only by case, the exact one wins.
    std::ofstream(root_ / "drive_c" / "THAI" / "lexfwd_c.dat") << "y";
    QCOMPARE(mapper.map("C:\\THAI\\lexfwd_c.dat"), root_ / "drive_c" / "THAI" / "lexfwd_c.dat");
    QCOMPARE(mapper.map("C:\\THAI\\LEXFWD_C.DAT"), root_ / "drive_c" / "THAI" / "LEXFWD_C.DAT");
}

void TestPathMapping::tildeMeansTheHomeFolder() {
    const QByteArray savedHome = qgetenv("HOME");
    const fs::path home = root_ / "home";
    fs::create_directories(home / "thai");
    std::ofstream(home / "thai" / "LEXFWD_C.DAT") << "x";
    qputenv("HOME", QByteArray::fromStdString(home.string()));
    const PathMapper mapper(root_);

    // Vocaboro's capital names, Chartola's backslashed small ones, both separators.
    QCOMPARE(mapper.map("~/thai/LEXFWD_C.DAT"), home / "thai" / "LEXFWD_C.DAT");
    QCOMPARE(mapper.map("~/Thai\\lexfwd_c.dat"), home / "thai" / "LEXFWD_C.DAT");
    QCOMPARE(mapper.map("~\\thai\\LEXREV_B.DAT"), home / "thai" / "LEXREV_B.DAT");
    QCOMPARE(mapper.map("~\\lexfwd_c.dat"), home / "lexfwd_c.dat");
    // Only a leading "~" before a separator is the home folder: "~ana" is no user's home,
    // and a "~" further on is part of a name.
    QCOMPARE(mapper.map("~ana/LEXFWD_C.DAT"), fs::path(".") / "~ana" / "LEXFWD_C.DAT");
    QCOMPARE(mapper.map("C:\\~\\LEXFWD_C.DAT"), root_ / "drive_c" / "~" / "LEXFWD_C.DAT");
    // A home folder written with a final slash gives the same paths.
    qputenv("HOME", QByteArray::fromStdString(home.string() + "/"));
    QCOMPARE(mapper.map("~/thai/LEXFWD_C.DAT"), home / "thai" / "LEXFWD_C.DAT");

    qputenv("HOME", savedHome);
}

QTEST_APPLESS_MAIN(TestPathMapping)
#include "test_path_mapping.moc"
