#include "Gradbtn.h"

#include "DrawUtil.h"
#include "Fonts.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace kyt {

void fillGradient(QImage& img, TColor top, TColor bottom)
{
    const TColor a = resolveColor(top), b = resolveColor(bottom);
    const int ar = a & 0xFF, ag = (a >> 8) & 0xFF, ab = (a >> 16) & 0xFF;
    const int br = b & 0xFF, bg = (b >> 8) & 0xFF, bb = (b >> 16) & 0xFF;
    const int h = img.height();
    for (int y = 0; y < h; ++y) {
        // A plain split of the height into 256 bands would leave the first
        // bands empty on a low button, so that the top row would not show
        // the top colour; each row takes its own step instead.
        const int i = h > 1 ? y * 255 / (h - 1) : 0;
        const QRgb c = qRgb(ar + i * (br - ar) / 255, ag + i * (bg - ag) / 255,
                            ab + i * (bb - ab) / 255);
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        std::fill(line, line + img.width(), c);
    }
}

TGradButton::TGradButton(QWidget* parent) : QWidget(parent)
{
    setFont(defaultDeskFont());
    resize(100, 30);
    makeGradient();
}

void TGradButton::makeGradient()
{
    const QSize s(width() - 2 * FBorderWidth, height() - 2 * FBorderWidth);
    if (s.width() <= 0 || s.height() <= 0) {
        FGradient = QImage();
        return;
    }
    FGradient = QImage(s, QImage::Format_RGB32);
    fillGradient(FGradient, FGradColor, FFaceColor);
}

void TGradButton::checkGradientSize()
{
    const QSize s(qMax(0, width() - 2 * FBorderWidth), qMax(0, height() - 2 * FBorderWidth));
    if (s != FGradient.size())
        makeGradient();
}

void TGradButton::resizeEvent(QResizeEvent* event)
{
    checkGradientSize();
    QWidget::resizeEvent(event);
}

void TGradButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        FState = isEnabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
        FDragging = false;
        update();
    }
    QWidget::changeEvent(event);
}

void TGradButton::setAllowAllUp(bool value)
{
    if (value == FAllowAllUp)
        return;
    FAllowAllUp = value;
    // The group shares the setting.
    if (FGroupIndex != 0 && parentWidget())
        for (auto* b : parentWidget()->findChildren<TGradButton*>(Qt::FindDirectChildrenOnly))
            if (b != this && b->FGroupIndex == FGroupIndex)
                b->FAllowAllUp = value;
}

void TGradButton::setGroupIndex(int value)
{
    if (value == FGroupIndex)
        return;
    FGroupIndex = value;
    if (FGroupIndex == 0)
        setDown(false);
}

void TGradButton::setDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;
    FDown = value;
    if (isEnabled())
        FState = value ? bsExclusive : bsUp;
    repaint();
    if (value)
        releaseGroup();
}

void TGradButton::releaseGroup()
{
    if (!parentWidget())
        return;
    for (auto* b : parentWidget()->findChildren<TGradButton*>(Qt::FindDirectChildrenOnly)) {
        if (b == this || b->FGroupIndex != FGroupIndex || !b->FDown)
            continue;
        b->FDown = false;
        if (b->isEnabled())
            b->FState = bsUp;
        b->repaint();
    }
}

void TGradButton::setCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    update();
}

void TGradButton::setFontColor(TColor value)
{
    if (value == FFontColor)
        return;
    FFontColor = value;
    update();
}

void TGradButton::setGradColor(TColor value)
{
    if (value == FGradColor)
        return;
    FGradColor = value;
    makeGradient();
    repaint();
}

void TGradButton::setFaceColor(TColor value)
{
    if (value == FFaceColor)
        return;
    FFaceColor = value;
    makeGradient();
    repaint();
}

void TGradButton::setHighlightColor(TColor value)
{
    if (value == FHighlightColor)
        return;
    FHighlightColor = value;
    repaint();
}

void TGradButton::setShadowColor(TColor value)
{
    if (value == FShadowColor)
        return;
    FShadowColor = value;
    repaint();
}

void TGradButton::setBevelWidth(qint32 value)
{
    value = qMax(0, value);
    if (value == FBevelWidth)
        return;
    FBevelWidth = value;
    repaint();
}

void TGradButton::setBorderWidth(qint32 value)
{
    value = qMax(0, value);
    if (value == FBorderWidth)
        return;
    FBorderWidth = value;
    checkGradientSize();
    repaint();
}

TGradButton::TButtonState TGradButton::State() const
{
    return isEnabled() ? FState : bsDisabled;
}

void TGradButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);  // the border
    p.setFont(font());
    const QSize text = QFontMetrics(font()).size(Qt::TextShowMnemonic, FCaption);
    const int x = (width() - text.width()) / 2;
    const int y = (height() - text.height()) / 2;
    const int bw = FBorderWidth;
    QRect r = rect().adjusted(bw, bw, -bw, -bw);
    // A button latched down in its group looks pressed as well.
    const TButtonState st = State();
    const bool pressed = st == bsDown || st == bsExclusive;
    if (pressed) {
        p.drawImage(bw + 1, bw + 1, FGradient);
        if (FBevelWidth > 0 && r.isValid())
            frame3D(p, r, FShadowColor, FFaceColor, FBevelWidth);
    } else {
        p.drawImage(bw, bw, FGradient);
        if (FBevelWidth > 0 && r.isValid())
            frame3D(p, r, FHighlightColor, FShadowColor, FBevelWidth);
    }
    const int shift = pressed ? 1 : 0;
    p.setPen(toQColor(FFontColor));
    p.drawText(QRect(x + shift, y + shift, text.width(), text.height()),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, FCaption);
}

void TGradButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return QWidget::mousePressEvent(event);
    if (!FDown) {
        FState = bsDown;
        repaint();
    }
    FDragging = true;
}

void TGradButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!FDragging)
        return QWidget::mouseMoveEvent(event);
    TButtonState st = FDown ? bsExclusive : bsUp;
    if (rect().contains(event->position().toPoint()))
        st = FDown ? bsExclusive : bsDown;
    if (st != FState) {
        FState = st;
        repaint();
    }
}

void TGradButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!FDragging || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    FDragging = false;
    const bool doClick = rect().contains(event->position().toPoint());
    if (FGroupIndex == 0) {
        FState = bsUp;
        repaint();
    } else if (doClick) {
        const bool wasDown = FDown;
        setDown(!FDown);
        if (wasDown == FDown) {  // stayed latched: no all-up allowed
            FState = FDown ? bsExclusive : bsUp;
            repaint();
        }
    } else {
        FState = FDown ? bsExclusive : bsUp;
        repaint();
    }
    if (doClick)
        emit OnClick(this);
}

void TGradButton::Click()
{
    emit OnClick(this);
}

}  // namespace kyt
