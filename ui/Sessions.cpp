#include "Sessions.h"

#include <QDir>
#include <QInputDialog>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace kyt {

namespace {

// The journal's own settings file, beside the counters' store but not in it.
std::unique_ptr<QSettings> journalSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
        QStringLiteral("kyt"), QStringLiteral("dziennik"));
}

const QString kTraineeKey = QStringLiteral("kursant");
const QString kPrefix = QStringLiteral("sesja-");
const QString kSuffix = QStringLiteral(".txt");

} // namespace

QString sessionsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/kyt/sessions/");
}

bool writeWhole(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString saveSessionInto(
    const QString& folder, const QByteArray& script, const QDateTime& when, QString* error)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        if (error)
            *error = QStringLiteral("Cannot create folder ") + folder;
        return {};
    }
    const QString stamp = when.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString name = kPrefix + stamp + kSuffix;
    // Two sessions saved within the same millisecond are kept apart.
    for (int n = 2; dir.exists(name); ++n)
        name = kPrefix + stamp + QLatin1Char('-') + QString::number(n) + kSuffix;
    const QString path = dir.filePath(name);
    if (!writeWhole(path, script, error))
        return {};
    // The names sort as their times: the first ones are the oldest.
    QStringList saved
        = dir.entryList({kPrefix + QLatin1Char('*') + kSuffix}, QDir::Files, QDir::Name);
    while (saved.size() > kSessionsKept)
        dir.remove(saved.takeFirst());
    return path;
}

QString storedTraineeName()
{
    return journalSettings()->value(kTraineeKey).toString();
}

void setStoredTraineeName(const QString& name)
{
    journalSettings()->setValue(kTraineeKey, name);
}

QString traineeName(QWidget* parent)
{
    QString name = storedTraineeName();
    if (!name.isEmpty())
        return name;
    bool ok = false;
    name = QInputDialog::getText(parent, QStringLiteral("Dziennik"),
        QStringLiteral("Imię i nazwisko kursanta:"), QLineEdit::Normal, QString(), &ok)
               .trimmed();
    if (ok && !name.isEmpty())
        setStoredTraineeName(name);
    return name;
}

} // namespace kyt
