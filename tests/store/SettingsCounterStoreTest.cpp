// The counters' settings store on a file of its own: round trips, the values
// a load refuses, what a save keeps, and saves that cannot be written.

#include "SettingsCounterStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
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
UserConfigHome* const userHome =
    static_cast<UserConfigHome*>(::testing::AddGlobalTestEnvironment(new UserConfigHome));

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
    const std::array<NamedCount, 4> values{{{"sza1", 10007},
                                            {"sza2", -3},
                                            {"szb1", std::numeric_limits<std::int32_t>::max()},
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
    writeFile(path, "[General]\nsza1=12\nsza2=abc\nszb1=2147483648\nszb2=-2147483649\n"
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
    writeFile(path, "; written by hand\ngarbage line\nsza1=3\n[Window]\nsza1=kept\n"
                    "[General]\ntheme=dark\ndkoa=12\n");
    ASSERT_TRUE(SettingsCounterStore(path).write(counts(20)));
    const QByteArray text = readAll(path);
    for (const char* kept : {"; written by hand\n", "garbage line\n", "[Window]\nsza1=kept\n",
                             "theme=dark\n"})
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
        const rlimit limit{1024, 1024};
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

} // namespace
} // namespace kyt
