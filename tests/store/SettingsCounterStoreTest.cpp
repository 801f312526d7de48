// The counters' settings store on a file of its own: round trips, the values
// a load refuses, what a save keeps, and saves that cannot be written.

#include "SettingsCounterStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>

#include <array>
#include <csignal>
#include <limits>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kyt {
namespace {

using Status = CounterStore::ReadStatus;

std::array<NamedCount, 8> counts(std::int32_t first)
{
    return {{{"sza1", first}, {"sza2", first + 1}, {"szb1", first + 2}, {"szb2", first + 3},
        {"dkob", first + 4}, {"dkoa", first + 5}, {"dpob", first + 6}, {"dpoa", first + 7}}};
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

// The user's own store follows XDG_CONFIG_HOME, which is read once per
// process: point it at a folder of the test's own before anything runs.
class UserConfigHome : public ::testing::Environment {
public:
    void SetUp() override { qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit()); }
    QTemporaryDir home;
};
UserConfigHome* const userHome
    = static_cast<UserConfigHome*>(::testing::AddGlobalTestEnvironment(new UserConfigHome));

class SettingsStore : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath("kyt/sygnaly.conf");
};

TEST(UserSettingsStore, LivesInTheUsersConfigFolder)
{
    const QString expected = userHome->home.filePath("kyt/sygnaly.conf");
    SettingsCounterStore store;
    EXPECT_EQ(store.location(), expected);
    EXPECT_FALSE(store.exists());
    EXPECT_EQ(store.read("sza1").status, Status::Missing);
    EXPECT_FALSE(QFile::exists(expected)) << "a load creates nothing";
    ASSERT_TRUE(store.write(counts(3)));
    EXPECT_EQ(SettingsCounterStore(expected).read("dpob").value, 9);
}

TEST_F(SettingsStore, RoundTripOfAnyThirtyTwoBitValue)
{
    SettingsCounterStore store(path);
    const std::array<NamedCount, 4> values {
        {{"sza1", 10007}, {"sza2", -3}, {"szb1", std::numeric_limits<std::int32_t>::max()},
            {"szb2", std::numeric_limits<std::int32_t>::min()}}};
    ASSERT_TRUE(store.write(values));
    EXPECT_TRUE(readAll(path).startsWith("[General]\nsza1=10007\nsza2=-3\n"));
    SettingsCounterStore next(path); // as the next run opens it
    EXPECT_TRUE(next.exists());
    for (const NamedCount& c : values) {
        EXPECT_EQ(next.read(c.name).status, Status::Ok) << c.name;
        EXPECT_EQ(next.read(c.name).value, c.value) << c.name;
    }
    EXPECT_EQ(next.read("dkoa").status, Status::Missing);
}

TEST_F(SettingsStore, OnlyThirtyTwoBitIntegersOfTheTopLevelAreCounts)
{
    writeFile(path,
        "[General]\nsza1=12\nsza2=abc\nszb1=2147483648\nszb2=-2147483649\n"
        "dkoa=1, 2\ndkob=\ndpoa=1.5\ndpob= 42 \n[Window]\nother=1\n");
    SettingsCounterStore store(path);
    EXPECT_EQ(store.read("sza1").value, 12);
    EXPECT_EQ(store.read("dpob").value, 42);
    for (const char* bad : {"sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa"})
        EXPECT_EQ(store.read(bad).status, Status::WrongType) << bad;
    // Keys of another section, or none of the counts at all: nothing stored.
    writeFile(path, "[General]\nother=1\n[Window]\nsza1=5\n");
    EXPECT_FALSE(store.exists());
    EXPECT_EQ(store.read("sza1").status, Status::Missing);
}

TEST_F(SettingsStore, ASaveKeepsEverythingElseTheFileHolds)
{
    writeFile(path,
        "; written by hand\ngarbage line\nsza1=3\n[Window]\nsza1=kept\n"
        "[General]\ntheme=dark\ndkoa=12\n");
    ASSERT_TRUE(SettingsCounterStore(path).write(counts(20)));
    const QByteArray text = readAll(path);
    for (const char* kept :
        {"; written by hand\n", "garbage line\n", "[Window]\nsza1=kept\n", "theme=dark\n"})
        EXPECT_TRUE(text.contains(kept)) << kept;
    EXPECT_EQ(text.count("dkoa="), 1) << text.constData();

    // The toolkit's own settings read the file the same way.
    QSettings qt(path, QSettings::IniFormat);
    EXPECT_EQ(qt.value("sza1").toInt(), 20);
    EXPECT_EQ(qt.value("dkoa").toInt(), 25);
    EXPECT_EQ(qt.value("Window/sza1").toString(), QStringLiteral("kept"));
}

TEST_F(SettingsStore, SaveFailsWhereNoFileCanBe)
{
    // A folder where the file should be, a regular file where its folder
    // should be: permissions would stop nothing for the superuser.
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_FALSE(SettingsCounterStore(path).write(counts(1)));
    writeFile(dir.filePath("other"), "not a folder");
    EXPECT_FALSE(SettingsCounterStore(dir.filePath("other/sygnaly.conf")).write(counts(1)));
    EXPECT_EQ(readAll(dir.filePath("other")), QByteArray("not a folder"));
}

TEST_F(SettingsStore, ADiskThatFillsUpDuringTheSaveLeavesTheOldFileWhole)
{
    // The old file is larger than the file-size limit set below, so a file
    // written in place would be cut short.
    writeFile(path, "[General]\nsza1=7\nnote=" + QByteArray(4096, 'x') + "\n");
    const QByteArray before = readAll(path);

    // In a child process every write past 1 KiB fails, as on a full disk.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(SettingsCounterStore(path).write(counts(500)) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "the save reports its failure";
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.filePath("kyt")).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file is left beside it";
}

TEST_F(SettingsStore, SavingTwiceGivesTheBytesOfOneSave)
{
    writeFile(path,
        "; written by hand\ntheme=dark\n[General]\nsza1=3\nvolume=7\n"
        "[Window]\nwidth=640\n");
    ASSERT_TRUE(SettingsCounterStore(path).write(counts(20)));
    const QByteArray once = readAll(path);
    ASSERT_TRUE(SettingsCounterStore(path).write(counts(20)));
    EXPECT_EQ(readAll(path), once);
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(SettingsCounterStore(path).write(counts(20)));
    EXPECT_EQ(readAll(path), once);
    EXPECT_EQ(once.count("[General]"), 1) << once.constData();
    for (const char* kept :
        {"; written by hand\n", "theme=dark\n", "volume=7\n", "[Window]\nwidth=640\n"})
        EXPECT_EQ(once.count(kept), 1) << kept << " in " << once.constData();
    EXPECT_EQ(once.count("sza1="), 1) << once.constData();
    QSettings qt(path, QSettings::IniFormat);
    EXPECT_EQ(qt.value("theme").toString(), QStringLiteral("dark"));
    EXPECT_EQ(qt.value("volume").toInt(), 7);
    EXPECT_EQ(qt.value("Window/width").toInt(), 640);
}

TEST_F(SettingsStore, AFileFromAWindowsEditorReadsTheSame)
{
    const QByteArray bom = "\xEF\xBB\xBF";
    const QByteArray plain = "[General]\nsza1=12\nsza2=0\nszb1=007\ndpob=-3\n[Window]\nsza1=9\n";
    for (const QByteArray& text :
        {bom + plain, QByteArray(plain).replace("\n", "\r\n"),
            bom + QByteArray(plain).replace("\n", "\r\n"), QByteArray(plain).replace("\n", "\r")}) {
        writeFile(path, text);
        SettingsCounterStore store(path);
        EXPECT_TRUE(store.exists()) << text.toHex().constData();
        EXPECT_EQ(store.read("sza1").value, 12) << text.toHex().constData();
        EXPECT_EQ(store.read("sza2").status, Status::Ok) << text.toHex().constData();
        EXPECT_EQ(store.read("szb1").value, 7) << text.toHex().constData();
        EXPECT_EQ(store.read("dpob").value, -3) << text.toHex().constData();
        // A save keeps the other section once, and the next load agrees.
        ASSERT_TRUE(store.write(counts(40)));
        const QByteArray saved = readAll(path);
        EXPECT_EQ(saved.count("[General]"), 1) << saved.toHex().constData();
        EXPECT_EQ(saved.count("sza1="), 2) << saved.toHex().constData(); // one in [Window]
        EXPECT_EQ(store.read("sza1").value, 40);
        EXPECT_EQ(store.read("dpoa").value, 47);
    }
}

TEST_F(SettingsStore, LeadingZerosOfAnyNumberAreAccepted)
{
    const QByteArray zeros(40, '0');
    writeFile(path,
        "sza1=0012\nsza2=" + zeros + "12\nszb1=-" + zeros + "5\nszb2=+" + zeros
            + "2147483647\ndkoa=" + zeros + "\ndkob=" + zeros + "2147483648\n");
    SettingsCounterStore store(path);
    EXPECT_EQ(store.read("sza1").value, 12);
    EXPECT_EQ(store.read("sza2").value, 12);
    EXPECT_EQ(store.read("szb1").value, -5);
    EXPECT_EQ(store.read("szb2").value, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(store.read("dkoa").status, Status::Ok);
    EXPECT_EQ(store.read("dkoa").value, 0);
    EXPECT_EQ(store.read("dkob").status, Status::WrongType);
}

TEST_F(SettingsStore, ALockLeftByAProgramThatEndedIsBroken)
{
    ASSERT_TRUE(SettingsCounterStore(path).write(counts(10)));
    // The lock of a program killed in the middle of its save.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0)
        _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    writeFile(path + ".lock",
        QByteArray::number(child) + "\nkyt\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    const std::array<NamedCount, 2> uses {{{"sza1", 2}, {"dpoa", 1}}};
    ASSERT_TRUE(SettingsCounterStore(path).add(uses));
    EXPECT_EQ(SettingsCounterStore(path).read("sza1").value, 12);
    EXPECT_EQ(SettingsCounterStore(path).read("dpoa").value, 18);
    EXPECT_FALSE(QFile::exists(path + ".lock"));
}

} // namespace
} // namespace kyt
