#include "SettingsCounterStore.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <csignal>
#include <limits>
#include <map>
#include <optional>

namespace kyt {

namespace {

constexpr const char* kOrganization = "kyt";
constexpr const char* kApplication = "sygnaly";

// The names of the counts the store keeps.
constexpr std::string_view kNames[] = {"sza1", "sza2", "szb1", "szb2",
                                       "dkoa", "dkob", "dpoa", "dpob"};

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
    if (text.isEmpty() || text.size() > 12)
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!(c >= '0' && c <= '9') && !(i == 0 && (c == '-' || c == '+')))
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok, 10);
    if (!ok || n < std::numeric_limits<std::int32_t>::min() ||
        n > std::numeric_limits<std::int32_t>::max())
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

// The file's contents; nullopt when it is there but cannot be read.
std::optional<QByteArray> readFile(const QString& path)
{
    QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray all = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return all;
}

// The keys of the top-level section (lines before any section header, and
// the [General] section), the last value of each key.
std::map<QByteArray, QByteArray> topLevelValues(const QByteArray& content)
{
    std::map<QByteArray, QByteArray> values;
    bool topLevel = true;
    for (const QByteArray& raw : content.split('\n')) {
        const Line line = parseLine(raw);
        if (line.kind == Line::Kind::Section)
            topLevel = line.name == "General";
        else if (line.kind == Line::Kind::Entry && topLevel)
            values[line.name] = line.value;
    }
    return values;
}

// The file with the counts as the first keys of its top-level section and
// every other line as it was.
QByteArray withCounts(const QByteArray& content, std::span<const NamedCount> counts)
{
    QByteArray out = "[General]\n";
    for (const NamedCount& c : counts)
        out += bytes(c.name) + '=' + QByteArray::number(c.value) + '\n';

    QByteArrayList lines = content.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // the end of the last line
    bool topLevel = true;
    for (const QByteArray& raw : lines) {
        const Line line = parseLine(raw);
        if (line.kind == Line::Kind::Section)
            topLevel = line.name == "General";
        else if (line.kind == Line::Kind::Entry && topLevel && isCountName(line.name))
            continue;
        out += raw + '\n';
    }
    return out;
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
    case QMetaType::Int:
        return v.toInt();
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        if (!ok || n < std::numeric_limits<std::int32_t>::min() ||
            n > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
        return std::int32_t(n);
    }
    case QMetaType::QString:
        return parseCount(v.toString().toUtf8());
    default:
        return std::nullopt;
    }
}

struct Registry {
    QSettings settings{QSettings::NativeFormat, QSettings::UserScope, kOrganization,
                       kApplication};
    Registry() { settings.setFallbacksEnabled(false); }
};

} // namespace

SettingsCounterStore::SettingsCounterStore()
{
#ifdef Q_OS_WIN
    registry_ = true;
#else
    file_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            "/kyt/sygnaly.conf";
#endif
}

SettingsCounterStore::SettingsCounterStore(const QString& iniFile) : file_(iniFile) {}

QString SettingsCounterStore::location() const
{
    return registry_ ? Registry().settings.fileName() : file_;
}

bool SettingsCounterStore::exists()
{
    if (registry_) {
        Registry r;
        return std::any_of(std::begin(kNames), std::end(kNames), [&](std::string_view n) {
            return r.settings.contains(QString::fromLatin1(bytes(n)));
        });
    }
    const auto content = readFile(file_);
    if (!content)
        return false;
    const auto values = topLevelValues(*content);
    return std::any_of(values.begin(), values.end(),
                       [](const auto& kv) { return isCountName(kv.first); });
}

CounterStore::ReadResult SettingsCounterStore::read(std::string_view name)
{
    std::optional<std::int32_t> count;
    if (registry_) {
        Registry r;
        const QString key = QString::fromLatin1(bytes(name));
        if (!r.settings.contains(key))
            return {ReadStatus::Missing, 0};
        count = variantCount(r.settings.value(key));
    } else {
        const auto content = readFile(file_);
        if (!content)
            return {ReadStatus::Missing, 0};
        const auto values = topLevelValues(*content);
        const auto it = values.find(bytes(name));
        if (it == values.end())
            return {ReadStatus::Missing, 0};
        count = parseCount(it->second);
    }
    if (!count)
        return {ReadStatus::WrongType, 0};
    return {ReadStatus::Ok, *count};
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
    // A file that is there but cannot be read is left alone: rewriting it
    // would lose what it holds.
    const auto content = readFile(file_);
    if (!content)
        return false;
#ifdef SIGXFSZ
    // Over a file-size limit the write must fail and be reported, not end
    // the program with the counts unsaved.
    void (*const previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
#endif
    const bool saved = replaceFile(file_, withCounts(*content, counts));
#ifdef SIGXFSZ
    if (previous != SIG_ERR)
        std::signal(SIGXFSZ, previous);
#endif
    return saved;
}

} // namespace kyt
