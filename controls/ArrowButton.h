// ArrowButton: the triangular push button of the desk.
//
// ArrowButton draws a filled arrow with a two-pixel black frame and a
// one-pixel 3-D edge. Only a press inside the triangle counts; the release
// reports clicked() when the pointer is still within the control.
#pragma once

#include "ClickTracker.h"
#include "Colors.h"

#include <QPoint>
#include <QRegion>
#include <QWidget>

namespace kyt {

class ArrowButton : public QWidget {
    Q_OBJECT
public:
    enum Direction { arwUP, arwRIGHT, arwLEFT, arwDOWN };
    Q_ENUM(Direction)

    Q_PROPERTY(
        kyt::ColorCode buttonColor READ buttonColor WRITE setButtonColor NOTIFY buttonColorChanged)
    Q_PROPERTY(Direction direction READ direction WRITE setDirection NOTIFY directionChanged)

public:
    explicit ArrowButton(QWidget* parent = nullptr);
    ~ArrowButton() override;

    ColorCode buttonColor() const { return buttonColor_; }
    Direction direction() const { return direction_; }

    // Both redraw at the next paint; the hit area follows at that paint.
    void setButtonColor(ColorCode value);
    void setDirection(Direction value);

    // Whether the point (control coordinates) lies in the triangle of the last
    // paint; before the first paint nothing does.
    bool HitTest(const QPoint& pt) const { return hasRegion_ && region_.contains(pt); }
    bool IsPressed() const { return clicks_.tracking(); }
    // The inner corners as last drawn.
    QPoint Corner(int i) const { return i == 0 ? FP1 : i == 1 ? FP2 : p3_; }

    QSize sizeHint() const override { return QSize(33, 33); }

signals:
    void buttonColorChanged(kyt::ColorCode buttonColor);
    void directionChanged(Direction direction);

    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Direction direction_ = arwUP;
    ColorCode buttonColor_;
    QPoint FP1, FP2, p3_;
    QRegion region_;
    bool hasRegion_ = false;
    ClickTracker clicks_;
};

} // namespace kyt
