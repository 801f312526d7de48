#include "GradientButton.h"

#include "PropertyHelpers.h"

#include "DrawUtil.h"
#include "Fonts.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace kyt {

void fillGradient(QImage& img, ColorCode top, ColorCode bottom)
{
    const ColorCode a = resolveColor(top), b = resolveColor(bottom);
    const int ar = a & 0xFF, ag = (a >> 8) & 0xFF, ab = (a >> 16) & 0xFF;
    const int br = b & 0xFF, bg = (b >> 8) & 0xFF, bb = (b >> 16) & 0xFF;
    const int h = img.height();
    for (int y = 0; y < h; ++y) {
        // A plain split of the height into 256 bands would leave the first
        // bands empty on a low button, so that the top row would not show
        // the top colour; each row takes its own step instead.
        const int i = h > 1 ? y * 255 / (h - 1) : 0;
        const QRgb c
            = qRgb(ar + i * (br - ar) / 255, ag + i * (bg - ag) / 255, ab + i * (bb - ab) / 255);
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        std::fill(line, line + img.width(), c);
    }
}

GradientButton::GradientButton(QWidget* parent) : QWidget(parent)
{
    setFont(defaultDeskFont());
    setAttribute(Qt::WA_OpaquePaintEvent); // its border fills it edge to edge
    resize(100, 30);
    makeGradient();
}

void GradientButton::makeGradient()
{
    const QSize s(width() - 2 * borderWidth_, height() - 2 * borderWidth_);
    if (s.width() <= 0 || s.height() <= 0) {
        gradient_ = QImage();
        return;
    }
    gradient_ = QImage(s, QImage::Format_RGB32);
    fillGradient(gradient_, gradColor_, faceColor_);
}

void GradientButton::checkGradientSize()
{
    const QSize s(qMax(0, width() - 2 * borderWidth_), qMax(0, height() - 2 * borderWidth_));
    if (s != gradient_.size())
        makeGradient();
}

void GradientButton::resizeEvent(QResizeEvent* event)
{
    checkGradientSize();
    QWidget::resizeEvent(event);
}

void GradientButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        state_ = isEnabled() ? (down_ ? bsExclusive : bsUp) : bsDisabled;
        clicks_.cancel();
        update();
    }
    QWidget::changeEvent(event);
}

void GradientButton::setAllowAllUp(bool value)
{
    if (!assign(this, allowAllUp_, value, &GradientButton::allowAllUpChanged))
        return;
    // The group shares the setting.
    if (groupIndex_ != 0 && parentWidget())
        for (auto* b : parentWidget()->findChildren<GradientButton*>(Qt::FindDirectChildrenOnly))
            if (b != this && b->groupIndex_ == groupIndex_)
                assign(b, b->allowAllUp_, value, &GradientButton::allowAllUpChanged);
}

void GradientButton::setGroupIndex(int value)
{
    if (!assign(this, groupIndex_, value, &GradientButton::groupIndexChanged))
        return;
    if (groupIndex_ == 0)
        setDown(false);
}

void GradientButton::setDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    if (down_ && !allowAllUp_)
        return;
    down_ = value;
    emit downChanged(value);
    if (isEnabled())
        state_ = value ? bsExclusive : bsUp;
    repaint();
    if (value)
        releaseGroup();
}

void GradientButton::releaseGroup()
{
    if (!parentWidget())
        return;
    for (auto* b : parentWidget()->findChildren<GradientButton*>(Qt::FindDirectChildrenOnly)) {
        if (b == this || b->groupIndex_ != groupIndex_ || !b->down_)
            continue;
        b->down_ = false;
        emit b->downChanged(false);
        if (b->isEnabled())
            b->state_ = bsUp;
        b->repaint();
    }
}

void GradientButton::setCaption(const QString& value)
{
    if (!assign(this, caption_, value, &GradientButton::captionChanged))
        return;
    update();
}

void GradientButton::setFontColor(ColorCode value)
{
    if (!assign(this, fontColor_, value, &GradientButton::fontColorChanged))
        return;
    update();
}

void GradientButton::setGradColor(ColorCode value)
{
    if (!assign(this, gradColor_, value, &GradientButton::gradColorChanged))
        return;
    makeGradient();
    repaint();
}

void GradientButton::setFaceColor(ColorCode value)
{
    if (!assign(this, faceColor_, value, &GradientButton::faceColorChanged))
        return;
    makeGradient();
    repaint();
}

void GradientButton::setHighlightColor(ColorCode value)
{
    if (!assign(this, highlightColor_, value, &GradientButton::highlightColorChanged))
        return;
    repaint();
}

void GradientButton::setShadowColor(ColorCode value)
{
    if (!assign(this, shadowColor_, value, &GradientButton::shadowColorChanged))
        return;
    repaint();
}

void GradientButton::setBevelWidth(qint32 value)
{
    value = qMax(0, value);
    if (!assign(this, bevelWidth_, value, &GradientButton::bevelWidthChanged))
        return;
    repaint();
}

void GradientButton::setBorderWidth(qint32 value)
{
    value = qMax(0, value);
    if (!assign(this, borderWidth_, value, &GradientButton::borderWidthChanged))
        return;
    checkGradientSize();
    repaint();
}

GradientButton::ButtonState GradientButton::State() const
{
    return isEnabled() ? state_ : bsDisabled;
}

void GradientButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black); // the border
    p.setFont(font());
    const QSize text = QFontMetrics(font()).size(Qt::TextShowMnemonic, caption_);
    const int x = (width() - text.width()) / 2;
    const int y = (height() - text.height()) / 2;
    const int bw = borderWidth_;
    QRect r = rect().adjusted(bw, bw, -bw, -bw);
    // A button latched down in its group looks pressed as well.
    const ButtonState st = State();
    const bool pressed = st == bsDown || st == bsExclusive;
    if (pressed) {
        p.drawImage(bw + 1, bw + 1, gradient_);
        if (bevelWidth_ > 0 && r.isValid())
            frame3D(p, r, shadowColor_, faceColor_, bevelWidth_);
    } else {
        p.drawImage(bw, bw, gradient_);
        if (bevelWidth_ > 0 && r.isValid())
            frame3D(p, r, highlightColor_, shadowColor_, bevelWidth_);
    }
    const int shift = pressed ? 1 : 0;
    p.setPen(toQColor(fontColor_));
    p.drawText(QRect(x + shift, y + shift, text.width(), text.height()),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, caption_);
}

void GradientButton::mousePressEvent(QMouseEvent* event)
{
    if (!clicks_.press(event, isEnabled()))
        return QWidget::mousePressEvent(event);
    if (!down_) {
        state_ = bsDown;
        repaint();
    }
}

void GradientButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!clicks_.tracking())
        return QWidget::mouseMoveEvent(event);
    ButtonState st = down_ ? bsExclusive : bsUp;
    if (ClickTracker::inside(this, event))
        st = down_ ? bsExclusive : bsDown;
    if (st != state_) {
        state_ = st;
        repaint();
    }
}

void GradientButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!clicks_.release(event))
        return QWidget::mouseReleaseEvent(event);
    const bool doClick = ClickTracker::inside(this, event);
    if (groupIndex_ == 0) {
        state_ = bsUp;
        repaint();
    } else if (doClick) {
        const bool wasDown = down_;
        setDown(!down_);
        if (wasDown == down_) { // stayed latched: no all-up allowed
            state_ = down_ ? bsExclusive : bsUp;
            repaint();
        }
    } else {
        state_ = down_ ? bsExclusive : bsUp;
        repaint();
    }
    if (doClick)
        emit clicked();
}

void GradientButton::Click()
{
    emit clicked();
}

} // namespace kyt
