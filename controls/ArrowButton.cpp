#include "ArrowButton.h"

#include "PropertyHelpers.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace kyt {

ArrowButton::ArrowButton(QWidget* parent) : QWidget(parent), buttonColor_(clTeal)
{
    resize(33, 33);
}

ArrowButton::~ArrowButton() = default;

void ArrowButton::setButtonColor(ColorCode value)
{
    if (!assign(this, buttonColor_, value, &ArrowButton::buttonColorChanged))
        return;
    update();
}

void ArrowButton::setDirection(Direction value)
{
    if (!assign(this, direction_, value, &ArrowButton::directionChanged))
        return;
    update();
}

void ArrowButton::paintEvent(QPaintEvent*)
{
    const int w = width(), h = height();
    QPoint p1, p2, p3;
    switch (direction_) {
    case arwUP: p1 = {w / 2, 3}, p2 = {w - 3, h - 3}, p3 = {3, h - 3}; break;
    case arwRIGHT: p1 = {3, 3}, p2 = {w - 3, h / 2}, p3 = {3, h - 3}; break;
    case arwDOWN: p1 = {w - 3, 3}, p2 = {w / 2, h - 3}, p3 = {3, 3}; break;
    case arwLEFT: p1 = {w - 3, 3}, p2 = {w - 3, h - 3}, p3 = {3, h / 2}; break;
    }

    // The outer triangle is the hit area until the next paint.
    region_ = QRegion(QPolygon({p1, p2, p3}), Qt::OddEvenFill);
    hasRegion_ = true;

    QPainter p(this);
    // A black frame two pixels wide and high inside the triangle's border.
    const QRegion inner = region_ & region_.translated(2, 0) & region_.translated(-2, 0)
        & region_.translated(0, 2) & region_.translated(0, -2);
    for (const QRect& r : region_ - inner)
        p.fillRect(r, Qt::black);

    switch (direction_) {
    case arwUP: p1 += {0, 3}, p2 += {-4, -2}, p3 += {3, -2}; break;
    case arwRIGHT: p1 += {2, 3}, p2 += {-3, 0}, p3 += {2, -3}; break;
    case arwDOWN: p1 += {-3, 2}, p2 += {0, -3}, p3 += {2, 2}; break;
    case arwLEFT: p1 += {-2, 3}, p2 += {-2, -2}, p3 += {3, 0}; break;
    }
    FP1 = p1, FP2 = p2, p3_ = p3;

    const QColor fill = toQColor(buttonColor_);
    p.setPen(Qt::black);
    p.setBrush(fill);
    p.drawPolygon(QPolygon({p1, p2, p3}));

    // Raised while released, sunken while pressed.
    const QColor flanks = clicks_.tracking() ? fill : QColor(Qt::black);
    p.setPen(flanks);
    p.drawLine(p1, p2);
    p.drawLine(p2, p3);
    p.setPen(clicks_.tracking() ? QColor(Qt::black) : QColor(Qt::white));
    p.drawLine(p1, p3);
}

void ArrowButton::mousePressEvent(QMouseEvent* event)
{
    // Presses off the triangle, or before there is one, do nothing at all.
    if (clicks_.press(event, HitTest(event->position().toPoint())))
        repaint();
}

void ArrowButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!clicks_.release(event))
        return;
    repaint();
    if (ClickTracker::inside(this, event))
        emit clicked();
}

} // namespace kyt
