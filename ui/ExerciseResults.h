// ExerciseResults: the trainee's results of the guided exercises, kept in
// one JSON file of the user's data folder ("kyt/results.json"). The file is
// always replaced whole; a file that cannot be read as results is put aside
// as "results.json.bad" and a new one begun.
#pragma once

#include <QList>
#include <QString>

namespace kyt {

class Attempt;

struct ExerciseResult {
    QString exercise; // the exercise's id
    QString title;
    QString trainee;
    QString date; // "yyyy-MM-dd HH:mm"
    bool passed = false;
    int score = 0;
    qint64 time = 0; // ms of simulation time
    int mistakes = 0;
    int hints = 0;
};

ExerciseResult resultOf(const Attempt& attempt, const QString& trainee, const QString& date);

// The results file: "kyt/results.json" in the user's data folder.
QString resultsFile();

// Reads the results. A missing file holds none. A damaged one is renamed to
// "<file>.bad" (replacing an older one) and reported in `problem`; the
// results then start empty.
QList<ExerciseResult> readResults(const QString& path, QString* problem = nullptr);

// Adds one result to the file (its folder made if need be). On failure
// returns false and says why; a damaged file met on the way is reported in
// `problem` and set aside.
bool addResult(
    const QString& path, const ExerciseResult& result, QString* error, QString* problem = nullptr);

} // namespace kyt
