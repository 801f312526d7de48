// JournalWindow: the trainer's journal as a table that follows the session
// as it goes (time of the simulation clock, station, operation, result,
// reason or narration), and the journal's exports: CSV, print and PDF.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

class QPrinter;
class QTableWidget;
class QLabel;

namespace kyt {

class Journal;

class JournalWindow : public QWidget {
    Q_OBJECT
public:
    explicit JournalWindow(const Journal& journal, QWidget* parent = nullptr);

    // Shows the entries added since the last call (all of them again when
    // the journal let some go or was cleared).
    void refresh();
    QTableWidget* table() const { return table_; }

    static constexpr int kColumns = 5;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void addRow(int row, const struct JournalRow& r);

    const Journal& journal_;
    QTableWidget* table_ = nullptr;
    QLabel* dropped_ = nullptr;
    std::uint64_t shownDropped_ = 0;
    std::size_t shownCount_ = 0;
};

// The journal as a printable HTML table, headed by the trainee and the date.
QString journalHtml(const Journal& journal, const QString& trainee, const QString& date);
// Prints the journal on a printer set up already (a PDF file, say).
void printJournal(
    const Journal& journal, const QString& trainee, const QString& date, QPrinter& printer);

} // namespace kyt
