#include "datafiles/path_mapping.h"
#include "platform/install_paths.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

QStringList entries(const fs::path& folder) {
    QStringList names;
    for (const auto& entry : fs::directory_iterator(folder))
        names << QString::fromStdString(entry.path().filename().string());
    names.sort();
    return names;
}

} // namespace

class TestInstallPaths : public QObject {
    Q_OBJECT
private slots:
    void init();
    void buildTreeKeepsTheDriveBesideThePrograms();
    void installedCopyFillsAFolderOfTheUsersOwn();
    void laterStartsKeepTheUsersFiles();
    void aCopyThatFailsLeavesNoHalfFolder();
    void copiesLeftByKilledStartsGoAtTheNext();
    void aHomeThatCannotBeWrittenLeadsToTheStarter();
    void programsStartingTogetherLeaveOneCopy();
    void userDataHomeFollowsTheEnvironment();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    fs::path root_, bin_, starter_, dataHome_, userDrive_;
};

void TestInstallPaths::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    root_ = dir_->path().toStdString();
    // An installed copy: PREFIX/bin and the read-only starter in PREFIX/share/thai-kit.
    bin_ = root_ / "usr" / "bin";
    fs::create_directories(bin_);
    starter_ = root_ / "usr" / "share" / "thai-kit" / "drive_c";
    write(starter_ / "THAI" / "LEXFWD_C.DAT",
          "\"casa\",\"baan\",\"-\",\"-\",\"\xba\xe9\xd2\xb9\",\"$\",\"$\"\r\n");
    write(starter_ / "THAI" / "LEXREV_B.DAT",
          "\"baan\",\"casa\",\"-\",\"-\",\"\xba\xe9\xd2\xb9\",\"$\",\"$\"\r\n");
    write(starter_ / "THAI" / "ciò_cing.wav", std::string("RIFF\0\0\0\0WAVE", 12));
    for (const auto& entry : fs::recursive_directory_iterator(starter_))
        if (entry.is_regular_file())
            fs::permissions(entry.path(),
                            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    dataHome_ = root_ / "home" / ".local" / "share";
    userDrive_ = dataHome_ / "thai-kit" / "drive_c";
}

void TestInstallPaths::buildTreeKeepsTheDriveBesideThePrograms() {
    const fs::path build = root_ / "build" / "bin";
    write(build / "drive_c" / "THAI" / "LEXFWD_C.DAT", "x");
    QCOMPARE(platform::driveRoot(build, dataHome_), build);
    QVERIFY(!fs::exists(dataHome_));
    // A folder with neither layout keeps the programs' own folder.
    QCOMPARE(platform::driveRoot(root_ / "elsewhere", dataHome_), root_ / "elsewhere");
    QVERIFY(!fs::exists(dataHome_));
}

void TestInstallPaths::installedCopyFillsAFolderOfTheUsersOwn() {
    const fs::path driveRoot = platform::driveRoot(bin_, dataHome_);
    QCOMPARE(driveRoot, dataHome_ / "thai-kit");
    QCOMPARE(entries(userDrive_), QStringList{"THAI"}); // nothing left under a temporary name
    QCOMPARE(entries(userDrive_ / "THAI"), entries(starter_ / "THAI"));
    for (const auto& entry : fs::directory_iterator(starter_ / "THAI")) {
        const fs::path copy = userDrive_ / "THAI" / entry.path().filename();
        QCOMPARE(contents(copy), contents(entry.path()));
        QVERIFY((fs::status(copy).permissions() & fs::perms::owner_write) != fs::perms::none);
    }
    // "C:\THAI\" as the programs build their paths leads into the user's copy.
    const datafiles::PathMapper paths(driveRoot);
    QCOMPARE(paths.map("C:\\THAI\\LEXFWD_C.DAT"), userDrive_ / "THAI" / "LEXFWD_C.DAT");
    QCOMPARE(paths.map("c:\\thai\\\\lexrev_b.dat"), userDrive_ / "THAI" / "LEXREV_B.DAT");
}

void TestInstallPaths::laterStartsKeepTheUsersFiles() {
    platform::driveRoot(bin_, dataHome_);
    const fs::path forward = userDrive_ / "THAI" / "LEXFWD_C.DAT";
    const std::string added =
        contents(forward) + "\"cane\",\"maa\",\"-\",\"-\",\"@\",\"$\",\"$\"\r\n";
    write(forward, added);
    fs::remove(userDrive_ / "THAI" / "LEXREV_B.DAT");
    // A newer starter: a changed file, and a folder the user does not have yet.
    fs::permissions(starter_ / "THAI" / "LEXFWD_C.DAT", fs::perms::owner_write,
                    fs::perm_options::add);
    write(starter_ / "THAI" / "LEXFWD_C.DAT",
          "\"cibo\",\"aahaan\",\"-\",\"-\",\"@\",\"$\",\"$\"\r\n");
    write(starter_ / "SUONI" / "1k_kai.wav", "RIFF");

    QCOMPARE(platform::driveRoot(bin_, dataHome_), dataHome_ / "thai-kit");
    QCOMPARE(contents(forward), added);
    QVERIFY(!fs::exists(userDrive_ / "THAI" / "LEXREV_B.DAT"));
    QCOMPARE(contents(userDrive_ / "SUONI" / "1k_kai.wav"), std::string("RIFF"));
    QCOMPARE(entries(userDrive_), (QStringList{"SUONI", "THAI"}));

    // A THAI folder that the user made before the first start is theirs as it is.
    fs::remove_all(dataHome_);
    write(userDrive_ / "THAI" / "LEXFWD_A.DAT", "mine");
    QCOMPARE(platform::driveRoot(bin_, dataHome_), dataHome_ / "thai-kit");
    QCOMPARE(entries(userDrive_ / "THAI"), QStringList{"LEXFWD_A.DAT"});
    QCOMPARE(contents(userDrive_ / "THAI" / "LEXFWD_A.DAT"), std::string("mine"));
}

void TestInstallPaths::aCopyThatFailsLeavesNoHalfFolder() {
    // A pipe cannot be copied: the copy of THAI stops there.
    QCOMPARE(::mkfifo((starter_ / "THAI" / "zz_pipe").c_str(), 0644), 0);
    QVERIFY(!platform::seedDrive(starter_, userDrive_));
    QCOMPARE(entries(userDrive_), QStringList{});
    // With none of the starter there, "C:" leads to the starter itself: look-ups work.
    QCOMPARE(platform::driveRoot(bin_, dataHome_), root_ / "usr" / "share" / "thai-kit");
    QCOMPARE(entries(userDrive_), QStringList{});

    fs::remove(starter_ / "THAI" / "zz_pipe");
    QCOMPARE(platform::driveRoot(bin_, dataHome_), dataHome_ / "thai-kit");
    QCOMPARE(entries(userDrive_ / "THAI"), entries(starter_ / "THAI"));
}

void TestInstallPaths::copiesLeftByKilledStartsGoAtTheNext() {
    // A start killed in the middle of its copy left it; one of a start still running
    // stays for that start to finish.
    const pid_t gone = ::fork();
    QVERIFY(gone >= 0);
    if (gone == 0)
        ::_exit(0);
    QCOMPARE(::waitpid(gone, nullptr, 0), gone);
    const fs::path dead = userDrive_ / (".THAI.seeding-" + std::to_string(gone));
    const fs::path alive = userDrive_ / (".THAI.seeding-" + std::to_string(::getppid()));
    write(dead / "LEXFWD_C.DAT", "half");
    write(alive / "LEXFWD_C.DAT", "half");
    write(userDrive_ / ".notes.seeding-old", "not a copy of ours");
    QCOMPARE(platform::driveRoot(bin_, dataHome_), dataHome_ / "thai-kit");
    QVERIFY(!fs::exists(dead));
    QVERIFY(fs::exists(alive / "LEXFWD_C.DAT"));
    QVERIFY(fs::exists(userDrive_ / ".notes.seeding-old"));
}

void TestInstallPaths::aHomeThatCannotBeWrittenLeadsToTheStarter() {
    // A path through a regular file cannot be made, for root too.
    write(root_ / "home" / "file", "x");
    const fs::path blocked = root_ / "home" / "file" / ".local" / "share";
    QCOMPARE(platform::driveRoot(bin_, blocked), root_ / "usr" / "share" / "thai-kit");
    // With no home at all, the same.
    QCOMPARE(platform::driveRoot(bin_, fs::path()), root_ / "usr" / "share" / "thai-kit");
}

void TestInstallPaths::programsStartingTogetherLeaveOneCopy() {
    const fs::path go = root_ / "go";
    std::vector<pid_t> children;
    for (int i = 0; i < 4; ++i) {
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            while (!fs::exists(go))
                ::usleep(100);
            ::_exit(platform::driveRoot(bin_, dataHome_) == dataHome_ / "thai-kit" ? 0 : 1);
        }
        children.push_back(pid);
    }
    write(go, "");
    for (const pid_t pid : children) {
        int status = 0;
        QCOMPARE(::waitpid(pid, &status, 0), pid);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    QCOMPARE(entries(userDrive_), QStringList{"THAI"});
    QCOMPARE(entries(userDrive_ / "THAI"), entries(starter_ / "THAI"));
    for (const auto& entry : fs::directory_iterator(starter_ / "THAI"))
        QCOMPARE(contents(userDrive_ / "THAI" / entry.path().filename()), contents(entry.path()));
}

void TestInstallPaths::userDataHomeFollowsTheEnvironment() {
    const QByteArray savedHome = qgetenv("HOME"), savedXdg = qgetenv("XDG_DATA_HOME");
    const bool hadXdg = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    qputenv("HOME", "/home/ana");
    qunsetenv("XDG_DATA_HOME");
    QCOMPARE(platform::userDataHome(), fs::path("/home/ana/.local/share"));
    qputenv("XDG_DATA_HOME", "/srv/ana/data");
    QCOMPARE(platform::userDataHome(), fs::path("/srv/ana/data"));
    // A relative or empty value is not a place: the default holds.
    qputenv("XDG_DATA_HOME", "data");
    QCOMPARE(platform::userDataHome(), fs::path("/home/ana/.local/share"));
    qputenv("XDG_DATA_HOME", "");
    QCOMPARE(platform::userDataHome(), fs::path("/home/ana/.local/share"));
    qputenv("HOME", savedHome);
    if (hadXdg)
        qputenv("XDG_DATA_HOME", savedXdg);
    else
        qunsetenv("XDG_DATA_HOME");
}

QTEST_APPLESS_MAIN(TestInstallPaths)
#include "test_install_paths.moc"
