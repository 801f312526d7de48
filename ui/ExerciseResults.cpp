#include "ExerciseResults.h"

#include "Attempt.h"
#include "Sessions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace kyt {

namespace {

const QString kResults = QStringLiteral("results");

QJsonObject toJson(const ExerciseResult& r)
{
    return {
        {QStringLiteral("exercise"), r.exercise},
        {QStringLiteral("title"), r.title},
        {QStringLiteral("trainee"), r.trainee},
        {QStringLiteral("date"), r.date},
        {QStringLiteral("passed"), r.passed},
        {QStringLiteral("score"), r.score},
        {QStringLiteral("time"), r.time},
        {QStringLiteral("mistakes"), r.mistakes},
        {QStringLiteral("hints"), r.hints},
    };
}

bool fromJson(const QJsonValue& v, ExerciseResult& r)
{
    if (!v.isObject())
        return false;
    const QJsonObject o = v.toObject();
    if (!o.value(QStringLiteral("exercise")).isString()
        || !o.value(QStringLiteral("score")).isDouble())
        return false;
    r.exercise = o.value(QStringLiteral("exercise")).toString();
    r.title = o.value(QStringLiteral("title")).toString(r.exercise);
    r.trainee = o.value(QStringLiteral("trainee")).toString();
    r.date = o.value(QStringLiteral("date")).toString();
    r.passed = o.value(QStringLiteral("passed")).toBool();
    r.score = o.value(QStringLiteral("score")).toInt();
    r.time = qint64(o.value(QStringLiteral("time")).toDouble());
    r.mistakes = o.value(QStringLiteral("mistakes")).toInt();
    r.hints = o.value(QStringLiteral("hints")).toInt();
    return true;
}

// Puts a damaged file aside and says so.
void setAside(const QString& path, const QString& what, QString* problem)
{
    const QString bad = path + QStringLiteral(".bad");
    QFile::remove(bad);
    const bool moved = QFile::rename(path, bad);
    if (problem)
        *problem = moved
            ? QStringLiteral("Plik wyników %1 jest uszkodzony (%2): zachowano go jako %3 "
                             "i rozpoczęto nowy.")
                  .arg(path, what, bad)
            : QStringLiteral("Plik wyników %1 jest uszkodzony (%2) i nie da się go "
                             "odłożyć jako %3.")
                  .arg(path, what, bad);
}

} // namespace

ExerciseResult resultOf(const Attempt& attempt, const QString& trainee, const QString& date)
{
    ExerciseResult r;
    r.exercise = QString::fromStdString(attempt.exercise().id);
    r.title = QString::fromStdString(attempt.exercise().title);
    r.trainee = trainee;
    r.date = date;
    r.passed = attempt.passed();
    r.score = attempt.score();
    r.time = attempt.elapsed();
    r.mistakes = int(attempt.mistakes().size());
    r.hints = attempt.hints();
    return r;
}

QString resultsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/kyt/results.json");
}

namespace {

// Reads the results; false when the file exists but cannot be opened, so
// that it must not be replaced.
bool readInto(const QString& path, QList<ExerciseResult>& results, QString* problem)
{
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = QStringLiteral("Nie można odczytać pliku wyników %1: %2")
                           .arg(path, file.errorString());
        return false;
    }
    QJsonParseError error {};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    file.close();
    if (error.error != QJsonParseError::NoError) {
        setAside(path, error.errorString(), problem);
        return true;
    }
    if (!doc.isObject() || !doc.object().value(kResults).isArray()) {
        setAside(path, QStringLiteral("brak listy wyników"), problem);
        return true;
    }
    for (const QJsonValue& v : doc.object().value(kResults).toArray()) {
        ExerciseResult r;
        if (!fromJson(v, r)) {
            setAside(path, QStringLiteral("wynik bez ćwiczenia lub punktów"), problem);
            results.clear();
            return true;
        }
        results << r;
    }
    return true;
}

} // namespace

QList<ExerciseResult> readResults(const QString& path, QString* problem)
{
    QList<ExerciseResult> results;
    readInto(path, results, problem);
    return results;
}

bool addResult(const QString& path, const ExerciseResult& result, QString* error, QString* problem)
{
    QList<ExerciseResult> results;
    QString why;
    // A file that exists but cannot be read is not replaced.
    if (!readInto(path, results, &why)) {
        if (error)
            *error = why;
        return false;
    }
    if (problem)
        *problem = why;
    results << result;
    QJsonArray list;
    for (const ExerciseResult& r : results)
        list.append(toJson(r));
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("Nie można utworzyć folderu %1")
                         .arg(QFileInfo(path).absolutePath());
        return false;
    }
    if (!writeWhole(path, QJsonDocument(QJsonObject {{kResults, list}}).toJson(), &why)) {
        if (error)
            *error = QStringLiteral("Nie można zapisać pliku wyników %1: %2").arg(path, why);
        return false;
    }
    return true;
}

} // namespace kyt
