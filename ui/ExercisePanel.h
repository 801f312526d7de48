// ExercisePanel: the task panel beside the desk while an exercise runs: the
// exercise's title and task, the goal to reach now, the hint button, the
// time of the attempt, its mistakes so far and the button that ends it.
#pragma once

#include <QWidget>

#include <cstddef>

class QLabel;
class QPushButton;

namespace kyt {

class Attempt;

class ExercisePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 260;

    explicit ExercisePanel(QWidget* parent = nullptr);

    // Shows the attempt as it stands (nullptr: nothing).
    void showAttempt(const Attempt* attempt);

    QPushButton* hintButton() const { return hint_; }
    QPushButton* finishButton() const { return finish_; }
    QLabel* goalLabel() const { return goal_; }
    QLabel* clockLabel() const { return clock_; }
    QLabel* mistakesLabel() const { return mistakes_; }
    QLabel* hintLabel() const { return hintText_; }
    void setHintText(const QString& text);

signals:
    void hintAsked();
    void finishAsked();

private:
    QLabel* title_ = nullptr;
    QLabel* task_ = nullptr;
    QLabel* goal_ = nullptr;
    QLabel* hintText_ = nullptr;
    QLabel* clock_ = nullptr;
    QLabel* mistakes_ = nullptr;
    QPushButton* hint_ = nullptr;
    QPushButton* finish_ = nullptr;
    std::size_t hintGoal_ = 0; // the goal the hint shown is for
    const Attempt* attempt_ = nullptr;
};

// Minutes and seconds of simulation time: "01:05".
QString minutesSeconds(qint64 ms);

} // namespace kyt
