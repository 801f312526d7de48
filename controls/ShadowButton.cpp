#include "ShadowButton.h"

#include "DrawUtil.h"
#include "Fonts.h"
#include "PropertyHelpers.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace kyt {

ShadowButton::ShadowButton(QWidget* parent) : QWidget(parent)
{
    setFont(defaultDeskFont());
    resize(100, 33);
}

void ShadowButton::setCaption(const QString& value)
{
    if (assign(this, caption_, value, &ShadowButton::captionChanged))
        repaint();
}

void ShadowButton::setColor(ColorCode value)
{
    if (assign(this, color_, value, &ShadowButton::colorChanged))
        repaint();
}

void ShadowButton::setShadow(bool value)
{
    if (assign(this, shadow_, value, &ShadowButton::shadowChanged))
        repaint();
}

void ShadowButton::setShape(ShapeType value)
{
    if (assign(this, shape_, value, &ShadowButton::shapeChanged))
        repaint();
}

void ShadowButton::setBorder(bool value)
{
    if (assign(this, border_, value, &ShadowButton::borderChanged))
        repaint();
}

void ShadowButton::setBorderColor(ColorCode value)
{
    if (assign(this, borderColor_, value, &ShadowButton::borderColorChanged))
        repaint();
}

void ShadowButton::setFontColor(ColorCode value)
{
    if (assign(this, fontColor_, value, &ShadowButton::fontColorChanged))
        repaint();
}

void ShadowButton::setDeepth(int value)
{
    value = qBound(0, value, MaxDeepth);
    if (!assign(this, deepth_, value, &ShadowButton::deepthChanged))
        return;
    repaint();
}

void ShadowButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            clicks_.cancel();
        repaint();
    } else if (event->type() == QEvent::FontChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void ShadowButton::drawShape(QPainter& p, int offset, int w, int h) const
{
    int x = offset, y = offset;
    const int e = qMin(w, h);
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        x += (w - e) / 2;
        y += (h - e) / 2;
        w = h = e;
    }
    // With a pen the shape covers w x h pixels, its outline on the edges;
    // without one it is filled a pixel short on the right and bottom, so
    // that a face always hides a shadow at its own place.
    const QRect r(x, y, w - 1, h - 1);
    switch (shape_) {
    case stRectangle:
    case stSquare: p.drawRect(r); break;
    case stRoundRect:
    case stRoundSquare: p.drawRoundedRect(r, e / 4 / 2.0, e / 4 / 2.0); break;
    case stEllipse:
    case stCircle: p.drawEllipse(r); break;
    }
}

void ShadowButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width() - deepth_, h = height() - deepth_;
    if (w <= 0 || h <= 0)
        return;
    if (shadow_ && !clicks_.tracking()) {
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(clBtnShadow));
        drawShape(p, deepth_, w, h);
    }
    const ColorCode border = isEnabled() ? borderColor_ : grayColor(borderColor_);
    const ColorCode face = isEnabled() ? color_ : grayColor(color_);
    if (border_)
        p.setPen(QPen(toQColor(border), 1));
    else
        p.setPen(Qt::NoPen);
    p.setBrush(toQColor(face));
    drawShape(p, clicks_.tracking() ? deepth_ : 0, w, h);
    if (!caption_.isEmpty()) {
        p.setFont(font());
        const QSize text = QFontMetrics(font()).size(Qt::TextShowMnemonic, caption_);
        int x = (w - text.width()) / 2, y = (h - text.height()) / 2;
        if (clicks_.tracking()) {
            x += deepth_;
            y += deepth_;
        }
        p.setPen(toQColor(fontColor_));
        p.drawText(QRect(x, y, text.width(), text.height()),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, caption_);
    }
}

void ShadowButton::mousePressEvent(QMouseEvent* event)
{
    if (clicks_.press(event, isEnabled()))
        repaint();
    QWidget::mousePressEvent(event);
}

void ShadowButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!clicks_.release(event))
        return QWidget::mouseReleaseEvent(event);
    repaint();
    if (ClickTracker::inside(this, event))
        emit clicked();
}

void ShadowButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled())
        emit doubleClicked();
    // The second press of a double click presses the button again.
    mousePressEvent(event);
}

} // namespace kyt
