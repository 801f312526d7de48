#include "arrowbtn.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace kyt {

TArrowButton::TArrowButton(QWidget *parent) : QWidget(parent), FButtonColor(clTeal) {
  resize(33, 33);
}

TArrowButton::~TArrowButton() = default;

void TArrowButton::setButtonColor(TColor value) {
  if (value == FButtonColor)
    return;
  FButtonColor = value;
  update();
}

void TArrowButton::setDirection(TButtonDirection value) {
  if (value == FDirection)
    return;
  FDirection = value;
  update();
}

void TArrowButton::paintEvent(QPaintEvent *) {
  const int w = width(), h = height();
  QPoint p1, p2, p3;
  switch (FDirection) {
  case arwUP:
    p1 = {w / 2, 3}, p2 = {w - 3, h - 3}, p3 = {3, h - 3};
    break;
  case arwRIGHT:
    p1 = {3, 3}, p2 = {w - 3, h / 2}, p3 = {3, h - 3};
    break;
  case arwDOWN:
    p1 = {w - 3, 3}, p2 = {w / 2, h - 3}, p3 = {3, 3};
    break;
  case arwLEFT:
    p1 = {w - 3, 3}, p2 = {w - 3, h - 3}, p3 = {3, h / 2};
    break;
  }

  // The outer triangle is the hit area until the next paint.
  FRegion = QRegion(QPolygon({p1, p2, p3}), Qt::OddEvenFill);
  FHasRegion = true;

  QPainter p(this);
  // A black frame two pixels wide and high inside the triangle's border.
  const QRegion inner = FRegion & FRegion.translated(2, 0) & FRegion.translated(-2, 0) &
                        FRegion.translated(0, 2) & FRegion.translated(0, -2);
  for (const QRect &r : FRegion - inner)
    p.fillRect(r, Qt::black);

  switch (FDirection) {
  case arwUP:
    p1 += {0, 3}, p2 += {-4, -2}, p3 += {3, -2};
    break;
  case arwRIGHT:
    p1 += {2, 3}, p2 += {-3, 0}, p3 += {2, -3};
    break;
  case arwDOWN:
    p1 += {-3, 2}, p2 += {0, -3}, p3 += {2, 2};
    break;
  case arwLEFT:
    p1 += {-2, 3}, p2 += {-2, -2}, p3 += {3, 0};
    break;
  }
  FP1 = p1, FP2 = p2, FP3 = p3;

  const QColor fill = toQColor(FButtonColor);
  p.setPen(Qt::black);
  p.setBrush(fill);
  p.drawPolygon(QPolygon({p1, p2, p3}));

  // Raised while released, sunken while pressed.
  const QColor flanks = FPressed ? fill : QColor(Qt::black);
  p.setPen(flanks);
  p.drawLine(p1, p2);
  p.drawLine(p2, p3);
  p.setPen(FPressed ? QColor(Qt::black) : QColor(Qt::white));
  p.drawLine(p1, p3);
}

void TArrowButton::mousePressEvent(QMouseEvent *event) {
  // Presses off the triangle, or before there is one, do nothing at all.
  if (event->button() != Qt::LeftButton || !HitTest(event->position().toPoint()))
    return;
  FPressed = true;
  repaint();
}

void TArrowButton::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton || !FPressed)
    return;
  FPressed = false;
  repaint();
  if (rect().contains(event->position().toPoint()))
    emit OnClick(this);
}

} // namespace kyt
