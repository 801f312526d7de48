// libFuzzer target of the counters-file reader: any bytes as the counters
// file. Every count must load as a count, "missing" or "wrong type", and a
// save over the file must either store all eight counts, which then load
// back, or refuse and leave the file as it was.
#include "SettingsCounterStore.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kNames[] = {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"};

[[noreturn]] void fail(const char* what, const char* name)
{
    std::fprintf(stderr, "counter store fault: %s (%s)\n", what, name);
    std::abort();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    static unsigned long round = 0;
    // A new name every round: the settings layer caches files by name and
    // time stamp, and two rounds may fall in the same millisecond.
    const QString path = dir.filePath(QStringLiteral("c%1.conf").arg(round++));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            fail("cannot write the input file", "");
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    using Status = kyt::CounterStore::ReadStatus;
    {
        kyt::SettingsCounterStore store(path);
        store.exists();
        for (const char* name : kNames) {
            const auto r = store.read(name);
            if (r.status != Status::Ok && r.status != Status::Missing
                && r.status != Status::WrongType)
                fail("a load result outside ok, missing and wrong type", name);
            if (r.status != Status::Ok && r.value != 0)
                fail("a value with a failed load", name);
        }
    }

    const QByteArray before = readAll(path);
    const std::array<kyt::NamedCount, 8> counts {{{"sza1", 1}, {"sza2", -2}, {"szb1", 2147483647},
        {"szb2", -2147483647 - 1}, {"dkob", 5}, {"dkoa", 6}, {"dpob", 10007}, {"dpoa", 0}}};
    kyt::SettingsCounterStore store(path);
    if (store.write(counts)) {
        kyt::SettingsCounterStore again(path);
        for (const kyt::NamedCount& c : counts) {
            const auto r = again.read(c.name);
            if (r.status != Status::Ok || r.value != c.value)
                fail("a saved count does not load back", c.name.data());
        }
    } else if (readAll(path) != before) {
        fail("a refused save changed the file", "");
    }
    QFile::remove(path);
    return 0;
}
