// The counters' settings store on a file of its own: first run, round trips,
// the values a load refuses, and saves that cannot be written.

#include "SettingsCounterStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <array>
#include <csignal>
#include <cstdint>
#include <limits>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kyt {
namespace {

using Status = CounterStore::ReadStatus;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::array<NamedCount, 8> counts(std::int32_t first)
{
    return {{{"sza1", first}, {"sza2", first + 1}, {"szb1", first + 2}, {"szb2", first + 3},
             {"dkob", first + 4}, {"dkoa", first + 5}, {"dpob", first + 6}, {"dpoa", first + 7}}};
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(content), content.size());
}

// The user's own store follows XDG_CONFIG_HOME, which the toolkit reads once
// per process: point it at a folder of the test's own before anything runs.
class UserConfigHome : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    }
    QTemporaryDir home;
};
UserConfigHome* const userHome =
    static_cast<UserConfigHome*>(::testing::AddGlobalTestEnvironment(new UserConfigHome));

class SettingsStore : public ::testing::Test {
protected:
    QString path(const char* name = "kyt/sygnaly.conf") const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(SettingsStore, FirstRunHasNothingStored)
{
    SettingsCounterStore store(path());
    EXPECT_FALSE(store.exists());
    EXPECT_EQ(store.read("sza1").status, Status::Missing);
    EXPECT_FALSE(QFile::exists(path())) << "a load must not create the file";

    // A file that holds none of the counts counts as no store at all.
    writeFile(path(), "[General]\nother=1\n");
    EXPECT_FALSE(store.exists());
}

TEST_F(SettingsStore, SaveCreatesTheFileWithTopLevelKeysAndLoadsThemBack)
{
    SettingsCounterStore store(path());
    ASSERT_TRUE(store.write(counts(1)));
    ASSERT_TRUE(QFile::exists(path()));

    const QByteArray text = readAll(path());
    EXPECT_TRUE(text.contains("sza1=1\n")) << text.constData();
    EXPECT_TRUE(text.contains("dpoa=8\n")) << text.constData();

    // A second store on the same file, as the next run would open it.
    SettingsCounterStore next(path());
    EXPECT_TRUE(next.exists());
    for (const NamedCount& c : counts(1)) {
        const auto r = next.read(c.name);
        EXPECT_EQ(r.status, Status::Ok) << c.name;
        EXPECT_EQ(r.value, c.value) << c.name;
    }

    // A later save replaces every value.
    ASSERT_TRUE(store.write(counts(100)));
    EXPECT_EQ(SettingsCounterStore(path()).read("dkoa").value, 105);
}

TEST(UserSettingsStore, LivesInTheUsersConfigFolder)
{
    const QString expected = userHome->home.filePath("kyt/sygnaly.conf");
    SettingsCounterStore store;
    EXPECT_EQ(store.location(), expected);
    EXPECT_FALSE(store.exists());
    ASSERT_TRUE(store.write(counts(3)));
    EXPECT_TRUE(QFile::exists(expected));
    EXPECT_EQ(SettingsCounterStore(expected).read("dpob").value, 9);
}

TEST_F(SettingsStore, ValuesOutsideTheDisplayedRangeLoadUnchanged)
{
    SettingsCounterStore store(path());
    const std::array<NamedCount, 4> extremes{{{"sza1", 10007}, {"sza2", -3}, {"szb1", kMax},
                                              {"szb2", kMin}}};
    ASSERT_TRUE(store.write(extremes));
    for (const NamedCount& c : extremes) {
        const auto r = SettingsCounterStore(path()).read(c.name);
        EXPECT_EQ(r.status, Status::Ok) << c.name;
        EXPECT_EQ(r.value, c.value) << c.name;
    }
}

TEST_F(SettingsStore, OnlyThirtyTwoBitIntegersAreCounts)
{
    writeFile(path(), "[General]\n"
                      "sza1=12\n"
                      "sza2=abc\n"
                      "szb1=2147483648\n"
                      "szb2=-2147483649\n"
                      "dkoa=1, 2\n"
                      "dkob=\n"
                      "dpoa=1.5\n"
                      "dpob= 42 \n");
    SettingsCounterStore store(path());
    EXPECT_TRUE(store.exists());
    EXPECT_EQ(store.read("sza1").status, Status::Ok);
    EXPECT_EQ(store.read("sza1").value, 12);
    for (const char* bad : {"sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa"})
        EXPECT_EQ(store.read(bad).status, Status::WrongType) << bad;
    EXPECT_EQ(store.read("dpob").status, Status::Ok);
    EXPECT_EQ(store.read("dpob").value, 42);
}

TEST_F(SettingsStore, SaveFailsWhenTheFolderCannotBeMade)
{
    // A regular file stands where the store's folder should be; permissions
    // would stop nothing for the superuser, this stops everyone.
    writeFile(dir.filePath("kyt"), "not a folder");
    SettingsCounterStore store(path());
    EXPECT_FALSE(store.write(counts(1)));
    EXPECT_EQ(readAll(dir.filePath("kyt")), QByteArray("not a folder"));
}

TEST_F(SettingsStore, SaveFailsWhenTheStoreIsAFolder)
{
    ASSERT_TRUE(QDir().mkpath(path()));
    SettingsCounterStore store(path());
    EXPECT_FALSE(store.exists());
    EXPECT_FALSE(store.write(counts(1)));
}

TEST_F(SettingsStore, ASaveKeepsEverythingElseTheFileHolds)
{
    writeFile(path(), "; written by hand\n"
                      "garbage without an equals sign\n"
                      "sza1=3\n"
                      "[Window]\n"
                      "sza1=kept in another section\n"
                      "[General]\n"
                      "theme=dark\n"
                      "dkoa=12\n");
    SettingsCounterStore store(path());
    ASSERT_TRUE(store.write(counts(20)));

    const QByteArray text = readAll(path());
    EXPECT_TRUE(text.startsWith("[General]\nsza1=20\nsza2=21\n")) << text.constData();
    for (const char* kept : {"; written by hand\n", "garbage without an equals sign\n",
                             "[Window]\nsza1=kept in another section\n",
                             "theme=dark\n"})
        EXPECT_TRUE(text.contains(kept)) << kept;
    EXPECT_EQ(text.count("dkoa="), 1) << text.constData();
    EXPECT_EQ(text.count("sza1="), 2) << text.constData();

    // The toolkit's own settings read the same file the same way.
    QSettings qt(path(), QSettings::IniFormat);
    EXPECT_EQ(qt.value("sza1").toInt(), 20);
    EXPECT_EQ(qt.value("dkoa").toInt(), 25);
    EXPECT_EQ(qt.value("theme").toString(), QStringLiteral("dark"));
    EXPECT_EQ(qt.value("Window/sza1").toString(),
              QStringLiteral("kept in another section"));
}

TEST_F(SettingsStore, TheKeysOfOtherSectionsAreNoCounts)
{
    writeFile(path(), "[Window]\nsza1=5\n[General]\nsza2=6\n");
    SettingsCounterStore store(path());
    EXPECT_EQ(store.read("sza1").status, Status::Missing);
    EXPECT_EQ(store.read("sza2").value, 6);
}

TEST_F(SettingsStore, AFailedWriteLeavesTheOldFileWhole)
{
    // The old file is larger than the file-size limit set below, so writing
    // the new one in place would cut it short.
    SettingsCounterStore store(path());
    ASSERT_TRUE(store.write(counts(7)));
    {
        QSettings extra(path(), QSettings::IniFormat);
        extra.setValue("note", QString(4096, QLatin1Char('x')));
    }
    const QByteArray before = readAll(path());
    ASSERT_GT(before.size(), 4096);

    // A disk that fills up in the middle of the save: in a child process the
    // file-size limit makes every write past 1 KiB fail.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        SettingsCounterStore inChild(path());
        _exit(inChild.write(counts(500)) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the save must report its failure";

    EXPECT_EQ(readAll(path()), before);
    EXPECT_EQ(SettingsCounterStore(path()).read("sza1").value, 7);
    // No half-written temporary file is left beside it.
    EXPECT_EQ(QDir(dir.filePath("kyt")).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << QDir(dir.filePath("kyt")).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
}

} // namespace
} // namespace kyt
