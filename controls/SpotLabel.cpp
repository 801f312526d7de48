#include "SpotLabel.h"

#include "PropertyHelpers.h"

#include <QEnterEvent>
#include <QMouseEvent>

namespace kyt {

SpotLabel::SpotLabel(QWidget* parent) : QLabel(parent)
{
    ApplyColour();
}

SpotLabel::SpotLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    ApplyColour();
}

void SpotLabel::setNormalColor(ColorCode value)
{
    if (!assign(this, normalColor_, value, &SpotLabel::normalColorChanged))
        return;
    ApplyColour();
}

void SpotLabel::setSpotColor(ColorCode value)
{
    if (!assign(this, spotColor_, value, &SpotLabel::spotColorChanged))
        return;
    ApplyColour();
}

QColor SpotLabel::TextColor() const
{
    return toQColor(mouseInside_ ? spotColor_ : normalColor_);
}

// The text colour lives in the palette the label paints with; it is set
// whenever the pointer state or a colour changes, never while painting.
void SpotLabel::ApplyColour()
{
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

void SpotLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    mouseInside_ = true;
    ApplyColour();
}

void SpotLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    mouseInside_ = false;
    ApplyColour();
}

void SpotLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        ApplyColour(); // a text colour set from outside gives way to ours
}

void SpotLabel::mousePressEvent(QMouseEvent* event)
{
    clicks_.press(event);
    event->accept();
}

void SpotLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (clicks_.release(event) && ClickTracker::inside(this, event))
        emit clicked();
}

} // namespace kyt
