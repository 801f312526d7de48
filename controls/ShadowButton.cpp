#include "ShadowButton.h"

#include "DrawUtil.h"
#include "Fonts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace kyt {

TShadowButton::TShadowButton(QWidget* parent) : QWidget(parent)
{
    setFont(defaultDeskFont());
    resize(100, 33);
}

#define KYT_SHADOW_SETTER(Name, Type, Field)   \
    void TShadowButton::set##Name(Type value)  \
    {                                          \
        if (value == Field)                    \
            return;                            \
        Field = value;                         \
        repaint();                             \
    }

KYT_SHADOW_SETTER(Caption, const QString&, FCaption)
KYT_SHADOW_SETTER(Color, TColor, FColor)
KYT_SHADOW_SETTER(Shadow, bool, FShadow)
KYT_SHADOW_SETTER(Shape, TShapeType, FShape)
KYT_SHADOW_SETTER(Border, bool, FBorder)
KYT_SHADOW_SETTER(BorderColor, TColor, FBorderColor)
KYT_SHADOW_SETTER(FontColor, TColor, FFontColor)

#undef KYT_SHADOW_SETTER

void TShadowButton::setDeepth(int value)
{
    value = qBound(0, value, MaxDeepth);
    if (value == FDeepth)
        return;
    FDeepth = value;
    repaint();
}

void TShadowButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            FPressed = false;
        repaint();
    } else if (event->type() == QEvent::FontChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void TShadowButton::drawShape(QPainter& p, int offset, int w, int h) const
{
    int x = offset, y = offset;
    const int e = qMin(w, h);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        x += (w - e) / 2;
        y += (h - e) / 2;
        w = h = e;
    }
    // With a pen the shape covers w x h pixels, its outline on the edges;
    // without one it is filled a pixel short on the right and bottom, so
    // that a face always hides a shadow at its own place.
    const QRect r(x, y, w - 1, h - 1);
    switch (FShape) {
    case stRectangle:
    case stSquare:
        p.drawRect(r);
        break;
    case stRoundRect:
    case stRoundSquare:
        p.drawRoundedRect(r, e / 4 / 2.0, e / 4 / 2.0);
        break;
    case stEllipse:
    case stCircle:
        p.drawEllipse(r);
        break;
    }
}

void TShadowButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width() - FDeepth, h = height() - FDeepth;
    if (w <= 0 || h <= 0)
        return;
    if (FShadow && !FPressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(clBtnShadow));
        drawShape(p, FDeepth, w, h);
    }
    const TColor border = isEnabled() ? FBorderColor : grayColor(FBorderColor);
    const TColor face = isEnabled() ? FColor : grayColor(FColor);
    if (FBorder)
        p.setPen(QPen(toQColor(border), 1));
    else
        p.setPen(Qt::NoPen);
    p.setBrush(toQColor(face));
    drawShape(p, FPressed ? FDeepth : 0, w, h);
    if (!FCaption.isEmpty()) {
        p.setFont(font());
        const QSize text = QFontMetrics(font()).size(Qt::TextShowMnemonic, FCaption);
        int x = (w - text.width()) / 2, y = (h - text.height()) / 2;
        if (FPressed) {
            x += FDeepth;
            y += FDeepth;
        }
        p.setPen(toQColor(FFontColor));
        p.drawText(QRect(x, y, text.width(), text.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, FCaption);
    }
}

void TShadowButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) {
        FPressed = true;
        repaint();
    }
    QWidget::mousePressEvent(event);
}

void TShadowButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !FPressed)
        return QWidget::mouseReleaseEvent(event);
    FPressed = false;
    repaint();
    if (rect().contains(event->position().toPoint()))
        emit OnClick(this);
}

void TShadowButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled())
        emit OnDblClick(this);
    // The second press of a double click presses the button again.
    mousePressEvent(event);
}

}  // namespace kyt
