#include "SpotLabel.h"

#include <QEnterEvent>
#include <QMouseEvent>

namespace kyt {

TSpotLabel::TSpotLabel(QWidget *parent) : QLabel(parent) { ApplyColour(); }

TSpotLabel::TSpotLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
  ApplyColour();
}

void TSpotLabel::setNormalColor(TColor value) {
  if (value == FNormalColor)
    return;
  FNormalColor = value;
  ApplyColour();
}

void TSpotLabel::setSpotColor(TColor value) {
  if (value == FSpotColor)
    return;
  FSpotColor = value;
  ApplyColour();
}

QColor TSpotLabel::TextColor() const { return toQColor(FMouseInside ? FSpotColor : FNormalColor); }

// The text colour lives in the palette the label paints with; it is set
// whenever the pointer state or a colour changes, never while painting.
void TSpotLabel::ApplyColour() {
  const QColor c = TextColor();
  const QPalette::ColorRole role = foregroundRole();
  QPalette pal = palette();
  if (pal.color(QPalette::Active, role) == c && pal.color(QPalette::Inactive, role) == c)
    return;
  pal.setColor(QPalette::Active, role, c);
  pal.setColor(QPalette::Inactive, role, c);
  setPalette(pal);
  update();
}

void TSpotLabel::enterEvent(QEnterEvent *event) {
  QLabel::enterEvent(event);
  FMouseInside = true;
  ApplyColour();
}

void TSpotLabel::leaveEvent(QEvent *event) {
  QLabel::leaveEvent(event);
  FMouseInside = false;
  ApplyColour();
}

void TSpotLabel::changeEvent(QEvent *event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::PaletteChange)
    ApplyColour(); // a text colour set from outside gives way to ours
}

void TSpotLabel::mousePressEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton)
    FClickDown = true;
  event->accept();
}

void TSpotLabel::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton || !FClickDown)
    return;
  FClickDown = false;
  if (rect().contains(event->position().toPoint()))
    emit OnClick(this);
}

} // namespace kyt
