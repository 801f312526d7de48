// AboutBox: the about box `AboutBox`: the program's name and version on a
// panel, and an "OK" button that hides the box. The box does not block the
// other windows.
#pragma once

#include "Colors.h"
#include "Layout.h"

#include <QDialog>

namespace kyt {

// The about box's panel: a lowered outer and a raised inner bevel around
// its colour.
class BevelPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(kyt::ColorCode color READ color WRITE setColor)
public:
    explicit BevelPanel(QWidget* parent = nullptr) : QWidget(parent) { }
    ColorCode color() const { return color_; }
    void setColor(ColorCode c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    ColorCode color_ = clBtnFace;
};

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    // "OK": closes (hides) the box.
    void Button3D1Click();

    const layout::Built& controls() const { return controls_; }
    static const layout::Table& table();

protected:
    void showEvent(QShowEvent* e) override;

private:
    layout::Built controls_;
    bool placed_ = false;
};

} // namespace kyt
