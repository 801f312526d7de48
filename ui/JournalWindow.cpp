#include "JournalWindow.h"

#include "Journal.h"

#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace kyt {

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

const char* const kHeadings[JournalWindow::kColumns]
    = {"Czas", "Stacja", "Operacja", "Wynik", "Powód lub narracja"};

} // namespace

JournalWindow::JournalWindow(const Journal& journal, QWidget* parent)
    : QWidget(parent, Qt::Window), journal_(journal)
{
    setObjectName(QStringLiteral("dziennik"));
    setWindowTitle(QStringLiteral("Dziennik"));
    resize(760, 420);
    auto* box = new QVBoxLayout(this);
    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName(QStringLiteral("journalTable"));
    QStringList headings;
    for (const char* h : kHeadings)
        headings << QString::fromUtf8(h);
    table_->setHorizontalHeaderLabels(headings);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setColumnWidth(0, 70);
    table_->setColumnWidth(1, 50);
    table_->setColumnWidth(2, 160);
    table_->setColumnWidth(3, 90);
    box->addWidget(table_);
    dropped_ = new QLabel(this);
    dropped_->setVisible(false);
    box->addWidget(dropped_);
}

void JournalWindow::addRow(int row, const JournalRow& r)
{
    const std::string* fields[kColumns] = {&r.time, &r.station, &r.operation, &r.result, &r.note};
    for (int c = 0; c < kColumns; ++c) {
        // The narration is long: its table cell shows its first line, the
        // tooltip all of it.
        QString text = qs(*fields[c]);
        auto* item = new QTableWidgetItem(text.section(QLatin1Char('\n'), 0, 0));
        if (text.contains(QLatin1Char('\n')))
            item->setToolTip(text);
        table_->setItem(row, c, item);
    }
}

void JournalWindow::refresh()
{
    const auto& entries = journal_.entries();
    if (journal_.dropped() != shownDropped_ || entries.size() < shownCount_) {
        table_->setRowCount(0);
        shownCount_ = 0;
        shownDropped_ = journal_.dropped();
    }
    if (entries.size() == shownCount_)
        return;
    const bool atEnd = table_->rowCount() == 0
        || table_->rowAt(table_->viewport()->height() - 1) < 0
        || table_->rowAt(table_->viewport()->height() - 1) >= table_->rowCount() - 1;
    table_->setRowCount(int(entries.size()));
    for (std::size_t i = shownCount_; i < entries.size(); ++i)
        addRow(int(i), journalRow(entries[i]));
    shownCount_ = entries.size();
    dropped_->setVisible(shownDropped_ > 0);
    dropped_->setText(
        QStringLiteral("Pominięto najstarsze wpisy: %1").arg(qulonglong(shownDropped_)));
    // Following the session: the newest entry stays in sight unless the
    // trainee scrolled back to read.
    if (atEnd)
        table_->scrollToBottom();
}

void JournalWindow::showEvent(QShowEvent* e)
{
    refresh();
    QWidget::showEvent(e);
}

QString journalHtml(const Journal& journal, const QString& trainee, const QString& date)
{
    QString html = QStringLiteral("<h3>Dziennik symulatora Kyt</h3><p>Kursant: %1<br>Data: %2</p>")
                       .arg(trainee.toHtmlEscaped(), date.toHtmlEscaped());
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\"><tr>");
    for (const char* h : kHeadings)
        html += QStringLiteral("<th>%1</th>").arg(QString::fromUtf8(h));
    html += QStringLiteral("</tr>");
    for (const JournalEntry& e : journal.entries()) {
        const JournalRow r = journalRow(e);
        html += QStringLiteral("<tr>");
        for (const std::string* f : {&r.time, &r.station, &r.operation, &r.result, &r.note})
            html += QStringLiteral("<td>%1</td>")
                        .arg(qs(*f).toHtmlEscaped().replace(
                            QLatin1Char('\n'), QStringLiteral("<br>")));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

void printJournal(
    const Journal& journal, const QString& trainee, const QString& date, QPrinter& printer)
{
    QTextDocument doc;
    doc.setHtml(journalHtml(journal, trainee, date));
    doc.print(&printer);
}

} // namespace kyt
