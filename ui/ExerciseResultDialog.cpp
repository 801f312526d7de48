#include "ExerciseResultDialog.h"

#include "App.h"
#include "Attempt.h"
#include "Controls.h"
#include "ExercisePanel.h"
#include "JournalWindow.h"
#include "Sessions.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QMap>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kyt {

namespace {

QString esc(const std::string& s)
{
    return QString::fromStdString(s).toHtmlEscaped();
}

} // namespace

QString exerciseReportHtml(
    const Attempt& attempt, const Journal& journal, const QString& trainee, const QString& date)
{
    const Exercise& ex = attempt.exercise();
    QString html = QStringLiteral("<h2>Ćwiczenie: %1</h2><p>Kursant: %2<br>Data: %3</p>")
                       .arg(esc(ex.title), trainee.toHtmlEscaped(), date.toHtmlEscaped());
    html
        += QStringLiteral("<p><b>%1</b> — wynik: %2 pkt, czas: %3, podpowiedzi: %4</p>")
               .arg(attempt.passed() ? QStringLiteral("Zaliczone") : QStringLiteral("Niezaliczone"))
               .arg(attempt.score())
               .arg(minutesSeconds(attempt.elapsed()))
               .arg(attempt.hints());
    html += QStringLiteral("<h3>Cele</h3><table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">"
                           "<tr><th>Cel</th><th>Osiągnięty</th></tr>");
    for (std::size_t i = 0; i < ex.goals.size(); ++i) {
        const GoalProgress& g = attempt.goals()[i];
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                    .arg(esc(ex.goals[i].text),
                        g.reached && g.time ? minutesSeconds(*g.time) : QStringLiteral("nie"));
    }
    html += QStringLiteral("</table><h3>Błędy</h3>");
    if (attempt.mistakes().empty()) {
        html += QStringLiteral("<p>Brak.</p>");
    } else {
        html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">"
                               "<tr><th>Czas</th><th>Przycisk</th><th>Powód</th></tr>");
        for (const Mistake& m : attempt.mistakes())
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                        .arg(minutesSeconds(m.time),
                            m.handler.empty() ? QString() : esc(shortNameOfHandler(m.handler)),
                            esc(m.reason));
        html += QStringLiteral("</table>");
    }
    return html + journalHtml(journal, trainee, date);
}

bool saveExerciseReport(const QString& path, const QString& html)
{
    QTextDocument doc;
    doc.setHtml(html);
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        doc.print(&printer);
        if (printer.printerState() == QPrinter::Error) {
            reportError(QStringLiteral("Cannot create file %1").arg(path));
            return false;
        }
        return true;
    }
    QString why;
    if (writeWhole(path, doc.toHtml().toUtf8(), &why))
        return true;
    reportError(QStringLiteral("Cannot create file %1: %2").arg(path, why));
    return false;
}

ExerciseResultDialog::ExerciseResultDialog(const Attempt& attempt, const Journal& journal,
    const QString& trainee, const QString& date, QWidget* parent)
    : QDialog(parent),
      html_(exerciseReportHtml(attempt, journal, trainee, date)),
      passed_(attempt.passed()),
      score_(attempt.score())
{
    setObjectName(QStringLiteral("exerciseResult"));
    setWindowTitle(QStringLiteral("Wynik ćwiczenia"));
    resize(640, 520);
    auto* box = new QVBoxLayout(this);
    view_ = new QTextBrowser(this);
    view_->setObjectName(QStringLiteral("resultView"));
    view_->setHtml(html_);
    box->addWidget(view_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save
        = buttons->addButton(QStringLiteral("Zapisz raport"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveReport"));
    QPushButton* close
        = buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("closeResult"));
    connect(save, &QPushButton::clicked, this, &ExerciseResultDialog::saveAsked);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    box->addWidget(buttons);
}

void ExerciseResultDialog::saveAsked()
{
    const QString pdf = QStringLiteral("PDF (*.pdf)");
    QString filter;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Zapisz raport"), QString(),
        QStringLiteral("HTML (*.html);;") + pdf, &filter);
    if (path.isEmpty())
        return;
    // The PDF chosen by its filter is written as PDF whatever the name.
    if (filter == pdf && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    saveExerciseReport(path, html_);
}

ResultsHistoryWindow::ResultsHistoryWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("resultsHistory"));
    setWindowTitle(QStringLiteral("Historia wyników"));
    resize(600, 400);
    auto* box = new QVBoxLayout(this);
    tree_ = new QTreeWidget(this);
    tree_->setColumnCount(4);
    tree_->setHeaderLabels({QStringLiteral("Ćwiczenie / data"), QStringLiteral("Kursant"),
        QStringLiteral("Wynik"), QStringLiteral("Czas")});
    box->addWidget(tree_);
}

void ResultsHistoryWindow::refresh(const QString& path)
{
    QString problem;
    const QList<ExerciseResult> results = readResults(path, &problem);
    if (!problem.isEmpty())
        reportError(problem);
    tree_->clear();
    QMap<QString, QTreeWidgetItem*> byExercise;
    QMap<QString, int> best;
    for (const ExerciseResult& r : results) {
        QTreeWidgetItem*& top = byExercise[r.exercise];
        if (!top) {
            top = new QTreeWidgetItem(tree_, {r.title});
            best[r.exercise] = -1;
        }
        new QTreeWidgetItem(top,
            {r.date, r.trainee,
                QStringLiteral("%1 pkt (%2)")
                    .arg(r.score)
                    .arg(r.passed ? QStringLiteral("zaliczone") : QStringLiteral("niezaliczone")),
                minutesSeconds(r.time)});
        best[r.exercise] = std::max(best[r.exercise], r.score);
    }
    for (auto it = byExercise.begin(); it != byExercise.end(); ++it)
        (*it)->setText(2,
            QStringLiteral("najlepszy: %1 pkt, prób: %2")
                .arg(best[it.key()])
                .arg((*it)->childCount()));
    tree_->expandAll();
    tree_->header()->resizeSections(QHeaderView::ResizeToContents);
}

} // namespace kyt
