#include "SettingsCounterStore.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kyt {

namespace {

constexpr const char* kOrganization = "kyt";
constexpr const char* kApplication = "sygnaly";

// The names of the counts the store keeps.
constexpr std::string_view kNames[]
    = {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"};

bool isCountName(const QByteArray& key)
{
    return std::any_of(std::begin(kNames), std::end(kNames), [&](std::string_view n) {
        return key == QByteArray::fromRawData(n.data(), qsizetype(n.size()));
    });
}

QByteArray bytes(std::string_view s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

// A count written as text: an optional sign and decimal digits, nothing else,
// within 32 bits.
std::optional<std::int32_t> parseCount(QByteArray text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.mid(1, text.size() - 2).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!(c >= '0' && c <= '9') && !(i == 0 && (c == '-' || c == '+')))
            return std::nullopt;
    }
    // Leading zeros count for nothing, however many there are.
    const qsizetype sign = text.front() == '-' || text.front() == '+' ? 1 : 0;
    qsizetype digits = sign;
    while (digits < text.size() - 1 && text[digits] == '0')
        ++digits;
    text = text.left(sign) + text.mid(digits);
    if (text.size() - sign == 0 || text.size() > 12)
        return std::nullopt;
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok, 10);
    if (!ok || n < std::numeric_limits<std::int32_t>::min()
        || n > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(n);
}

// INI file ----------------------------------------------------------------------

// A line of the file: a section header, a key with its value, or anything
// else (blank lines, comments, lines that mean nothing).
struct Line {
    enum class Kind { Section, Entry, Other } kind = Kind::Other;
    QByteArray name; // section or key
    QByteArray value;
};

Line parseLine(const QByteArray& raw)
{
    const QByteArray t = raw.trimmed();
    Line line;
    if (t.startsWith('[')) {
        line.kind = Line::Kind::Section;
        const qsizetype end = t.indexOf(']');
        line.name = t.mid(1, end < 0 ? -1 : end - 1).trimmed();
        return line;
    }
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('#'))
        return line;
    const qsizetype eq = t.indexOf('=');
    if (eq <= 0)
        return line;
    line.kind = Line::Kind::Entry;
    line.name = t.left(eq).trimmed();
    line.value = t.mid(eq + 1);
    return line;
}

// The lines of the file, without their ends: a line ends with LF, CR LF or
// CR, as an editor on any system writes it. A UTF-8 byte-order mark at the
// start is no part of the first line.
QByteArrayList splitLines(const QByteArray& content)
{
    QByteArrayList lines;
    qsizetype start = content.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (qsizetype i = start; i < content.size(); ++i) {
        if (content[i] != '\n' && content[i] != '\r')
            continue;
        lines.append(content.mid(start, i - start));
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        lines.append(content.mid(start));
    return lines;
}

// The largest file the store reads; a larger one is no file of counts.
constexpr qint64 kMaxFileBytes = qint64(1) << 20;

// The file's contents, read once; an empty array when there is no file, and
// nullopt when something is there that cannot be read or is no regular file
// of at most kMaxFileBytes. A named pipe or a device is neither waited for
// nor read: the open does not block and the descriptor is checked before
// any read.
std::optional<QByteArray> readFile(const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return QByteArray();
        return std::nullopt;
    }
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer {fd};
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileBytes)
        return std::nullopt;
    QByteArray all(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == all.size()) {
            // It grew while being read: keep reading only up to the limit.
            if (all.size() > kMaxFileBytes)
                return std::nullopt;
            all.resize(std::min<qsizetype>(all.size() * 2, kMaxFileBytes + 1));
        }
        const ssize_t n = ::read(fd, all.data() + got, std::size_t(all.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += n;
    }
    if (got > kMaxFileBytes)
        return std::nullopt;
    all.truncate(got);
    return all;
#else
    QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    QFile f(path);
    if (!info.isFile() || info.size() > kMaxFileBytes || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray all = f.read(kMaxFileBytes + 1);
    if (f.error() != QFileDevice::NoError || all.size() > kMaxFileBytes)
        return std::nullopt;
    return all;
#endif
}

// The keys of the top-level section (lines before any section header, and
// the [General] section), the last value of each key.
std::map<QByteArray, QByteArray> topLevelValues(const QByteArray& content)
{
    std::map<QByteArray, QByteArray> values;
    bool topLevel = true;
    for (const QByteArray& raw : splitLines(content)) {
        const Line line = parseLine(raw);
        if (line.kind == Line::Kind::Section)
            topLevel = line.name == "General";
        else if (line.kind == Line::Kind::Entry && topLevel)
            values[line.name] = line.value;
    }
    return values;
}

// A count as the file holds it: its name and the text after the '='.
struct StoredCount {
    QByteArray name;
    QByteArray text;
};

// The file with one [General] section that begins with the counts, followed
// by the other lines of the top level as they were, and then every other
// section as it was. Saving the result again gives the same bytes.
QByteArray withCounts(const QByteArray& content, std::span<const StoredCount> counts)
{
    QByteArray out = "[General]\n";
    for (const StoredCount& c : counts)
        out += c.name + '=' + c.text + '\n';

    QByteArray others;
    bool topLevel = true;
    for (const QByteArray& raw : splitLines(content)) {
        const Line line = parseLine(raw);
        if (line.kind == Line::Kind::Section) {
            topLevel = line.name == "General";
            if (!topLevel)
                others += raw + '\n';
        } else if (topLevel) {
            if (!(line.kind == Line::Kind::Entry && isCountName(line.name)))
                out += raw + '\n';
        } else {
            others += raw + '\n';
        }
    }
    return out + others;
}

bool replaceFile(const QString& path, const QByteArray& content)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    // The file device reports a write that fails on flushing only through
    // flush(), so check it before the new file takes the old one's place.
    if (f.write(content) != content.size() || !f.flush()) {
        f.cancelWriting();
        f.commit();
        return false;
    }
    return f.commit();
}

// Registry -----------------------------------------------------------------------

std::optional<std::int32_t> variantCount(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int: return v.toInt();
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        if (!ok || n < std::numeric_limits<std::int32_t>::min()
            || n > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
        return std::int32_t(n);
    }
    case QMetaType::QString: return parseCount(v.toString().toUtf8());
    default: return std::nullopt;
    }
}

struct Registry {
    QSettings settings {QSettings::NativeFormat, QSettings::UserScope, kOrganization, kApplication};
    Registry() { settings.setFallbacksEnabled(false); }
};

} // namespace

SettingsCounterStore::SettingsCounterStore()
{
#ifdef Q_OS_WIN
    registry_ = true;
#else
    file_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + "/kyt/sygnaly.conf";
#endif
}

SettingsCounterStore::SettingsCounterStore(const QString& iniFile) : file_(iniFile) { }

QString SettingsCounterStore::location() const
{
    return registry_ ? Registry().settings.fileName() : file_;
}

namespace {

// What a load finds in the file's contents.
CounterStore::Contents contentsOf(
    const std::optional<QByteArray>& content, std::span<const std::string_view> names)
{
    CounterStore::Contents c;
    if (!content) {
        c.exists = true;
        c.values.assign(names.size(), {CounterStore::ReadStatus::Missing, 0});
        return c;
    }
    const auto values = topLevelValues(*content);
    c.exists = std::any_of(
        values.begin(), values.end(), [](const auto& kv) { return isCountName(kv.first); });
    for (std::string_view name : names) {
        const auto it = values.find(bytes(name));
        if (it == values.end()) {
            c.values.push_back({CounterStore::ReadStatus::Missing, 0});
        } else if (const auto count = parseCount(it->second)) {
            c.values.push_back({CounterStore::ReadStatus::Ok, *count});
        } else {
            c.values.push_back({CounterStore::ReadStatus::WrongType, 0});
        }
    }
    return c;
}

std::int32_t plus(std::int32_t stored, std::int32_t uses)
{
    return std::int32_t(std::clamp<std::int64_t>(std::int64_t(stored) + uses,
        std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// How long a save waits for another program's save to end, and the age at
// which a lock whose owner cannot be checked counts as left behind (a save
// takes milliseconds).
constexpr int kLockWaitMs = 5000;
constexpr int kStaleLockMs = 10000;

// Reads the file, works out the counts to store from its top-level values
// and replaces it with them, under a lock beside it.
bool updateFile(const QString& file,
    const std::function<std::vector<StoredCount>(const std::map<QByteArray, QByteArray>&)>&
        countsFor)
{
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    // Over a file-size limit a write (of the lock file too) must fail and be
    // reported, not end the program with the counts unsaved.
    struct IgnoreFileSizeSignal {
#ifdef SIGXFSZ
        void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
        ~IgnoreFileSizeSignal()
        {
            if (previous != SIG_ERR)
                std::signal(SIGXFSZ, previous);
        }
#endif
    } ignoreFileSizeSignal;
    // One save at a time, across programs: each reads what the last one
    // left. A lock left by a program that ended during its save is taken
    // over.
    QLockFile lock(file + ".lock");
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs))
        return false;
    // A file that is there but cannot be read is left alone: rewriting it
    // would lose what it holds.
    const auto content = readFile(file);
    if (!content)
        return false;
    return replaceFile(file, withCounts(*content, countsFor(topLevelValues(*content))));
}

} // namespace

CounterStore::Contents SettingsCounterStore::load(std::span<const std::string_view> names)
{
    if (registry_)
        return CounterStore::load(names);
    return contentsOf(readFile(file_), names);
}

bool SettingsCounterStore::exists()
{
    if (registry_) {
        Registry r;
        return std::any_of(std::begin(kNames), std::end(kNames),
            [&](std::string_view n) { return r.settings.contains(QString::fromLatin1(bytes(n))); });
    }
    return contentsOf(readFile(file_), {}).exists;
}

CounterStore::ReadResult SettingsCounterStore::read(std::string_view name)
{
    if (registry_) {
        Registry r;
        const QString key = QString::fromLatin1(bytes(name));
        if (!r.settings.contains(key))
            return {ReadStatus::Missing, 0};
        const std::optional<std::int32_t> count = variantCount(r.settings.value(key));
        if (!count)
            return {ReadStatus::WrongType, 0};
        return {ReadStatus::Ok, *count};
    }
    return contentsOf(readFile(file_), std::span(&name, 1)).values.front();
}

bool SettingsCounterStore::write(std::span<const NamedCount> counts)
{
    if (registry_) {
        Registry r;
        for (const NamedCount& c : counts)
            r.settings.setValue(QString::fromLatin1(bytes(c.name)), int(c.value));
        r.settings.sync();
        return r.settings.status() == QSettings::NoError;
    }
    return updateFile(file_, [&](const std::map<QByteArray, QByteArray>&) {
        std::vector<StoredCount> stored;
        for (const NamedCount& c : counts)
            stored.push_back({bytes(c.name), QByteArray::number(c.value)});
        return stored;
    });
}

bool SettingsCounterStore::add(std::span<const NamedCount> uses)
{
    if (registry_) {
        Registry r;
        for (const NamedCount& u : uses) {
            const QString key = QString::fromLatin1(bytes(u.name));
            const auto stored = r.settings.contains(key) ? variantCount(r.settings.value(key))
                                                         : std::optional<std::int32_t>(0);
            if (!stored && u.value == 0)
                continue;
            r.settings.setValue(key, int(plus(stored.value_or(0), u.value)));
        }
        r.settings.sync();
        return r.settings.status() == QSettings::NoError;
    }
    // With no use to add, a file that cannot be read needs no change.
    if (std::all_of(uses.begin(), uses.end(), [](const NamedCount& u) { return u.value == 0; })
        && !readFile(file_))
        return true;
    return updateFile(file_, [&](const std::map<QByteArray, QByteArray>& values) {
        std::vector<StoredCount> stored;
        for (const NamedCount& u : uses) {
            const QByteArray name = bytes(u.name);
            const auto it = values.find(name);
            const auto count
                = it == values.end() ? std::optional<std::int32_t>(0) : parseCount(it->second);
            if (!count && u.value == 0)
                stored.push_back({name, it->second}); // kept as it is
            else
                stored.push_back({name, QByteArray::number(plus(count.value_or(0), u.value))});
        }
        return stored;
    });
}

} // namespace kyt
