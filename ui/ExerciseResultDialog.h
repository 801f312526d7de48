// ExerciseResultDialog: the result of an exercise when it ends: passed or
// not, the score, the goals with their times, the mistakes with their
// reasons and the journal of the attempt; the report can be saved as HTML
// or PDF, headed by the trainee's name and the date. ResultsHistoryWindow
// lists the stored results by exercise with the best score of each.
#pragma once

#include "ExerciseResults.h"

#include <QDialog>

class QTextBrowser;
class QTreeWidget;

namespace kyt {

class Attempt;
class Journal;

// The report of an attempt as HTML.
QString exerciseReportHtml(
    const Attempt& attempt, const Journal& journal, const QString& trainee, const QString& date);

// Writes the report: PDF when the name ends in ".pdf", HTML otherwise.
// Errors are reported; returns whether it was written.
bool saveExerciseReport(const QString& path, const QString& html);

class ExerciseResultDialog : public QDialog {
    Q_OBJECT
public:
    ExerciseResultDialog(const Attempt& attempt, const Journal& journal, const QString& trainee,
        const QString& date, QWidget* parent = nullptr);

    QString html() const { return html_; }
    QTextBrowser* view() const { return view_; }
    bool passed() const { return passed_; }
    int score() const { return score_; }

private:
    void saveAsked();

    QString html_;
    QTextBrowser* view_ = nullptr;
    bool passed_ = false;
    int score_ = 0;
};

class ResultsHistoryWindow : public QDialog {
    Q_OBJECT
public:
    explicit ResultsHistoryWindow(QWidget* parent = nullptr);
    // Reads the results file again and lists it.
    void refresh(const QString& path);
    QTreeWidget* tree() const { return tree_; }

private:
    QTreeWidget* tree_ = nullptr;
};

} // namespace kyt
