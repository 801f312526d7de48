// StartWindow: the start window. From it the trainee opens the simulator or
// quits; closing it ends the program.
#pragma once

#include "Layout.h"

#include <QWidget>

namespace kyt {

class StartWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartWindow(QWidget* parent = nullptr);

    const layout::Built& controls() const { return controls_; }

    // "Chętnie się pouczę.": shows the simulator, then loads the stored
    // counters into it.
    void stClick();
    // "Nie !!! Może kiedyś ?": ends the program (without saving anything).
    void ExplorerButton1Click();
    void FormCreate() { }

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void onClick(const QString& handler);

    layout::Built controls_;
    bool placed_ = false;
};

// The start window's controls in creation order.
const layout::Table& startTable();

} // namespace kyt
