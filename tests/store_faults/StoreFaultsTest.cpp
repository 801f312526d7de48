// Bad stored data and failing saves of the counters' settings store: files
// of garbage, a huge file, values that are no 32-bit count, duplicated keys,
// a missing or unwritable folder and a full disk. Each load must end in a
// count, "missing" or "wrong type", never a crash; each save either stores
// every count or refuses and leaves the file as it was.
#include "SettingsCounterStore.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <sys/stat.h>

namespace kyt {
namespace {

using Status = CounterStore::ReadStatus;

const char* const kLoadOrder[] = {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"};

// The eight counts as the program saves them, each with its own value.
std::array<NamedCount, 8> counts(std::int32_t base)
{
    return {{{"sza1", base + 1}, {"sza2", base + 2}, {"szb1", base + 3}, {"szb2", base + 4},
        {"dkob", base + 5}, {"dkoa", base + 6}, {"dpob", base + 7}, {"dpoa", base + 8}}};
}

std::map<std::string, std::int32_t> asMap(const std::array<NamedCount, 8>& c)
{
    std::map<std::string, std::int32_t> m;
    for (const NamedCount& n : c)
        m[std::string(n.name)] = n.value;
    return m;
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
    ASSERT_EQ(f.write(content), content.size());
}

// Reads all eight counts; a status outside the three is a fault in itself.
std::map<std::string, CounterStore::ReadResult> readAllCounts(CounterStore& store)
{
    std::map<std::string, CounterStore::ReadResult> r;
    for (const char* name : kLoadOrder) {
        const auto v = store.read(name);
        EXPECT_TRUE(
            v.status == Status::Ok || v.status == Status::Missing || v.status == Status::WrongType)
            << name;
        r[name] = v;
    }
    return r;
}

// A save either stores every count, which then loads back, or refuses and
// leaves the file byte for byte as it was.
void expectSaveWholeOrNothing(const QString& file, std::int32_t base, const char* what)
{
    const QByteArray before = readAll(file);
    const bool existed = QFileInfo::exists(file);
    SettingsCounterStore store(file);
    const auto c = counts(base);
    if (store.write(c)) {
        SettingsCounterStore again(file);
        for (const auto& [name, value] : asMap(c)) {
            const auto r = again.read(name);
            EXPECT_EQ(r.status, Status::Ok) << what << ": " << name;
            EXPECT_EQ(r.value, value) << what << ": " << name;
        }
    } else {
        EXPECT_EQ(QFileInfo::exists(file), existed) << what;
        EXPECT_EQ(readAll(file), before) << what << ": a refused save changed the file";
    }
}

class StoreFaults : public ::testing::Test {
protected:
    QString file(const QString& name = "kyt/sygnaly.conf") const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(StoreFaults, GarbageFilesLoadSomethingAndNeverLoseASave)
{
    // Bytes that mean something to an INI reader, mixed with any others.
    const QByteArray meaningful = "=[]\n\r\\\";,@#%() \t0123456789-sza1dkopb";
    std::mt19937 rng(20240611);
    for (int round = 0; round < 300; ++round) {
        QByteArray junk;
        const int size = int(rng() % 2048);
        for (int i = 0; i < size; ++i)
            junk.append(rng() % 3 ? meaningful[int(rng() % meaningful.size())] : char(rng()));
        if (round % 3 == 0)
            junk.prepend("sza1=5\nsza2=6\n");
        const QString path = file(QStringLiteral("g%1/sygnaly.conf").arg(round));
        writeFile(path, junk);
        SettingsCounterStore store(path);
        store.exists();
        readAllCounts(store);
        expectSaveWholeOrNothing(path, 100 * round, "garbage round");
        if (HasFailure()) {
            ADD_FAILURE() << "garbage of round " << round << ": " << junk.toHex().toStdString();
            return;
        }
    }
}

TEST_F(StoreFaults, AFileOverOneMebibyteIsUnreadableAndLeftAlone)
{
    // Just under 1 MiB of comment lines before the counts: read as always.
    const QByteArray line = "; " + QByteArray(78, 'x') + "\n";
    QByteArray content;
    while (content.size() + line.size() < (1 << 20) - 200)
        content += line;
    for (const auto& [name, value] : asMap(counts(40)))
        content += QByteArray::fromStdString(name) + "=" + QByteArray::number(value) + "\n";
    ASSERT_LE(content.size(), 1 << 20);
    writeFile(file(), content);
    SettingsCounterStore store(file());
    EXPECT_TRUE(store.exists());
    const auto loaded = readAllCounts(store);
    for (const auto& [name, value] : asMap(counts(40))) {
        EXPECT_EQ(loaded.at(name).status, Status::Ok) << name;
        EXPECT_EQ(loaded.at(name).value, value) << name;
    }

    // Some 40 MiB of comment lines before the counts, and one 8 MiB value:
    // there, but not read, and never replaced.
    content.reserve(48 << 20);
    while (content.size() < (40 << 20))
        content.prepend(QByteArray(1 << 20, ';') + "\n");
    content += "extra=" + QByteArray(8 << 20, '7') + "\n";
    writeFile(file(), content);
    EXPECT_TRUE(store.exists());
    for (const auto& [name, r] : readAllCounts(store))
        EXPECT_EQ(r.status, Status::Missing) << name;
    EXPECT_FALSE(store.write(counts(70)));
    EXPECT_EQ(readAll(file()), content);

    // A count written as half a million digits is no 32-bit count.
    writeFile(file("long/sygnaly.conf"), "sza1=" + QByteArray(512 << 10, '9') + "\n");
    SettingsCounterStore longValue(file("long/sygnaly.conf"));
    EXPECT_EQ(longValue.read("sza1").status, Status::WrongType);
}

TEST_F(StoreFaults, OnlyThirtyTwoBitIntegersLoadAsCounts)
{
    struct Case {
        const char* stored;
        Status status;
        std::int32_t value;
    };
    const Case cases[] = {
        {"2147483647", Status::Ok, std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", Status::Ok, std::numeric_limits<std::int32_t>::min()},
        {"-5", Status::Ok, -5},
        {"10007", Status::Ok, 10007},
        {"2147483648", Status::WrongType, 0},
        {"-2147483649", Status::WrongType, 0},
        {"4294967296", Status::WrongType, 0},
        {"99999999999999999999999", Status::WrongType, 0},
        {"abc", Status::WrongType, 0},
        {"12abc", Status::WrongType, 0},
        {"1.5", Status::WrongType, 0},
        {"1e3", Status::WrongType, 0},
        {"", Status::WrongType, 0},
        {"12, 13", Status::WrongType, 0}, // a list
        {"@Rect(1 2 3 4)", Status::WrongType, 0}, // a rectangle
        {"@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x3xyz)", Status::WrongType, 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString path = file(QStringLiteral("v%1/sygnaly.conf").arg(n++));
        writeFile(path, QByteArray("sza1=") + c.stored + "\n");
        SettingsCounterStore store(path);
        const auto r = store.read("sza1");
        EXPECT_EQ(r.status, c.status) << "stored as '" << c.stored << "'";
        if (c.status == Status::Ok) {
            EXPECT_EQ(r.value, c.value) << "stored as '" << c.stored << "'";
        }
        // A bad value is replaced by the next save; nothing else is lost.
        expectSaveWholeOrNothing(path, 9, c.stored);
    }
}

TEST_F(StoreFaults, DuplicatedKeysLoadOneOfTheirValuesAndSaveOnce)
{
    writeFile(file(), "[General]\nsza1=1\nsza2=2\nsza1=3\n[General]\nsza2=4\n");
    SettingsCounterStore store(file());
    const auto sza1 = store.read("sza1");
    const auto sza2 = store.read("sza2");
    ASSERT_EQ(sza1.status, Status::Ok);
    ASSERT_EQ(sza2.status, Status::Ok);
    EXPECT_TRUE(sza1.value == 1 || sza1.value == 3) << sza1.value;
    EXPECT_TRUE(sza2.value == 2 || sza2.value == 4) << sza2.value;

    ASSERT_TRUE(store.write(counts(0)));
    const QByteArray saved = readAll(file());
    EXPECT_EQ(saved.count("sza1="), 1) << saved.toStdString();
    EXPECT_EQ(saved.count("sza2="), 1) << saved.toStdString();
}

TEST_F(StoreFaults, AMissingFolderIsAFirstRunAndTheSaveMakesIt)
{
    const QString path = file("a/b/c/kyt/sygnaly.conf");
    SettingsCounterStore store(path);
    EXPECT_FALSE(store.exists());
    EXPECT_EQ(store.read("sza1").status, Status::Missing);
    EXPECT_FALSE(QFileInfo::exists(file("a"))) << "a load must not create anything";
    ASSERT_TRUE(store.write(counts(3)));
    EXPECT_EQ(SettingsCounterStore(path).read("dpoa").value, 11);
}

TEST_F(StoreFaults, AFolderThatIsAFileRefusesTheSaveAndStaysAsItWas)
{
    // Permissions stop nothing for root: a regular file where the store's
    // folder should be stops everyone.
    writeFile(file("kyt"), "not a folder\n");
    SettingsCounterStore store(file());
    EXPECT_FALSE(store.exists());
    EXPECT_FALSE(store.write(counts(1)));
    EXPECT_EQ(readAll(file("kyt")), QByteArray("not a folder\n"));
}

// ---------------------------------------------------------------------------
// Conditions set up outside this process: the store tool runs under a
// file-size limit, or in a mount namespace of its own on a small or
// read-only file system.

struct ProcessRun {
    bool crashed = false;
    int exitCode = -1;
    QString out;
};

ProcessRun runProcess(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProgram(program);
    p.setArguments(args);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start();
    ProcessRun r;
    if (!p.waitForStarted(10000)) {
        r.crashed = true;
        return r;
    }
    p.waitForFinished(120000);
    r.crashed = p.exitStatus() == QProcess::CrashExit;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    return r;
}

QStringList saveArgs(const QString& file, std::int32_t base)
{
    QStringList a {file, "save"};
    for (const NamedCount& c : counts(base))
        a << QString::number(c.value);
    return a;
}

// The counts as the store tool prints them after a load.
QString loadedText(std::int32_t base)
{
    QString s = "exists=1\n";
    const auto m = asMap(counts(base));
    for (const char* name : kLoadOrder)
        s += QStringLiteral("%1=%2\n").arg(name).arg(m.at(name));
    return s;
}

bool canMount(const QString& dir)
{
    const ProcessRun r
        = runProcess("unshare", {"-m", "sh", "-c", "mount -t tmpfs -o size=64k tmpfs \"$0\"", dir});
    return !r.crashed && r.exitCode == 0;
}

TEST_F(StoreFaults, AFileSizeLimitRefusesTheSaveWithoutKillingTheProgram)
{
    ASSERT_EQ(runProcess(KYT_STORE_TOOL, saveArgs(file(), 1)).exitCode, 0);
    const QByteArray before = readAll(file());
    // The new file would be about 100 bytes; the limit allows 32.
    QStringList args {"--fsize=32", KYT_STORE_TOOL};
    args << saveArgs(file(), 1000000);
    const ProcessRun r = runProcess("prlimit", args);
    EXPECT_FALSE(r.crashed) << "the save was killed by the file-size limit";
    EXPECT_EQ(r.exitCode, 3) << r.out.toStdString();
    EXPECT_EQ(readAll(file()), before);
    EXPECT_EQ(runProcess(KYT_STORE_TOOL, {file(), "load"}).out, loadedText(1));
}

TEST_F(StoreFaults, AFullDiskRefusesTheSaveAndKeepsTheOldCounts)
{
    QDir().mkpath(file("mnt"));
    if (!canMount(file("mnt")))
        GTEST_SKIP() << "no mount namespace with a small file system here";
    const QString script = R"(
        mount -t tmpfs -o size=64k tmpfs "$1" || exit 10
        "$0" "$1/sygnaly.conf" save 1 2 3 4 5 6 7 8 >/dev/null || exit 11
        cp "$1/sygnaly.conf" "$1/before" || exit 12
        dd if=/dev/zero of="$1/fill" bs=1024 2>/dev/null
        "$0" "$1/sygnaly.conf" save 1000001 1000002 1000003 1000004 1000005 1000006 1000007 1000008
        echo "status=$?"
        cmp -s "$1/before" "$1/sygnaly.conf" && echo unchanged
        "$0" "$1/sygnaly.conf" load
    )";
    const ProcessRun r
        = runProcess("unshare", {"-m", "sh", "-c", script, KYT_STORE_TOOL, file("mnt")});
    ASSERT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    EXPECT_TRUE(r.out.startsWith("refused\nstatus=3\nunchanged\nexists=1\n"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith("sza1=1\nsza2=2\nszb1=3\nszb2=4\ndkoa=6\ndkob=5\ndpoa=8\ndpob=7\n"))
        << r.out.toStdString();
}

TEST_F(StoreFaults, AReadOnlyFolderRefusesTheSaveAndKeepsTheOldCounts)
{
    QDir().mkpath(file("mnt"));
    if (!canMount(file("mnt")))
        GTEST_SKIP() << "no mount namespace here";
    const QString script = R"(
        mount -t tmpfs -o size=64k tmpfs "$1" || exit 10
        "$0" "$1/sygnaly.conf" save 1 2 3 4 5 6 7 8 >/dev/null || exit 11
        mount -o remount,ro "$1" || exit 12
        "$0" "$1/sygnaly.conf" save 11 12 13 14 15 16 17 18
        echo "status=$?"
        "$0" "$1/sygnaly.conf" load
    )";
    const ProcessRun r
        = runProcess("unshare", {"-m", "sh", "-c", script, KYT_STORE_TOOL, file("mnt")});
    ASSERT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    EXPECT_EQ(r.out,
        "refused\nstatus=3\nexists=1\n"
        "sza1=1\nsza2=2\nszb1=3\nszb2=4\ndkoa=6\ndkob=5\ndpoa=8\ndpob=7\n");
}

TEST_F(StoreFaults, ASpecialFileInPlaceOfTheFileIsNeitherReadNorReplaced)
{
    // A named pipe would block an open without a writer; a device never
    // ends. The store tool's load must come back at once either way.
    QDir().mkpath(file("fifo/kyt"));
    ASSERT_EQ(mkfifo(QFile::encodeName(file("fifo/kyt/sygnaly.conf")).constData(), 0600), 0);
    QDir().mkpath(file("zero/kyt"));
    ASSERT_TRUE(QFile::link("/dev/zero", file("zero/kyt/sygnaly.conf")));
    for (const QString& path : {file("fifo/kyt/sygnaly.conf"), file("zero/kyt/sygnaly.conf")}) {
        const ProcessRun load = runProcess("timeout", {"10", KYT_STORE_TOOL, path, "load"});
        EXPECT_EQ(load.exitCode, 0) << path.toStdString() << ": the load did not come back";
        EXPECT_EQ(load.out,
            "exists=1\nsza1:missing\nsza2:missing\nszb1:missing\nszb2:missing\n"
            "dkoa:missing\ndkob:missing\ndpoa:missing\ndpob:missing\n")
            << path.toStdString();
        QStringList save {"10", KYT_STORE_TOOL};
        save << saveArgs(path, 1);
        EXPECT_EQ(runProcess("timeout", save).exitCode, 3) << path.toStdString();
    }
    EXPECT_FALSE(QFileInfo(file("fifo/kyt/sygnaly.conf")).isFile()) << "the pipe was replaced";
    EXPECT_TRUE(QFileInfo(file("zero/kyt/sygnaly.conf")).isSymLink()) << "the link was replaced";
}

} // namespace
} // namespace kyt
