#include "ExercisePanel.h"

#include "Attempt.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyt {

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QLabel* wrapped(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

} // namespace

QString minutesSeconds(qint64 ms)
{
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2")
        .arg(s / 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

ExercisePanel::ExercisePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("exercisePanel"));
    setAutoFillBackground(true);
    auto* box = new QVBoxLayout(this);
    title_ = wrapped(this, "exerciseTitle");
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    task_ = wrapped(this, "exerciseTask");
    auto* goalHeading = wrapped(this, "goalHeading");
    goalHeading->setText(QStringLiteral("Cel:"));
    goalHeading->setFont(bold);
    goal_ = wrapped(this, "exerciseGoal");
    hint_ = new QPushButton(QStringLiteral("Podpowiedź"), this);
    hint_->setObjectName(QStringLiteral("hintButton"));
    hintText_ = wrapped(this, "exerciseHint");
    hintText_->hide();
    clock_ = wrapped(this, "exerciseClock");
    mistakes_ = wrapped(this, "exerciseMistakes");
    finish_ = new QPushButton(QStringLiteral("Zakończ"), this);
    finish_->setObjectName(QStringLiteral("finishButton"));
    for (QWidget* w : std::initializer_list<QWidget*> {
             title_, task_, goalHeading, goal_, hint_, hintText_, clock_, mistakes_})
        box->addWidget(w);
    box->addStretch(1);
    box->addWidget(finish_);
    connect(hint_, &QPushButton::clicked, this, &ExercisePanel::hintAsked);
    connect(finish_, &QPushButton::clicked, this, &ExercisePanel::finishAsked);
}

void ExercisePanel::setHintText(const QString& text)
{
    if (attempt_)
        hintGoal_ = attempt_->currentGoal();
    hintText_->setText(text);
    hintText_->setVisible(!text.isEmpty());
}

void ExercisePanel::showAttempt(const Attempt* attempt)
{
    attempt_ = attempt;
    if (!attempt)
        return;
    if (attempt->currentGoal() != hintGoal_)
        setHintText({});
    const Exercise& ex = attempt->exercise();
    title_->setText(qs(ex.title) + QStringLiteral(" (")
        + qs(std::string(difficultyName(ex.difficulty))) + QLatin1Char(')'));
    task_->setText(qs(ex.task));
    const std::size_t current = attempt->currentGoal();
    if (current < ex.goals.size())
        goal_->setText(QStringLiteral("%1/%2. %3")
                           .arg(current + 1)
                           .arg(ex.goals.size())
                           .arg(qs(ex.goals[current].text)));
    else
        goal_->setText(QStringLiteral("Wszystkie cele osiągnięte."));
    QString clock = QStringLiteral("Czas: %1").arg(minutesSeconds(attempt->elapsed()));
    if (ex.timeLimit)
        clock += QStringLiteral(" / %1").arg(minutesSeconds(*ex.timeLimit));
    clock_->setText(clock);
    mistakes_->setText(QStringLiteral("Błędy: %1").arg(attempt->mistakes().size()));
    hint_->setEnabled(!attempt->finished() && current < ex.goals.size());
    finish_->setEnabled(!attempt->finished());
}

} // namespace kyt
