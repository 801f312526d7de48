#include "Button3D.h"

#include "DrawUtil.h"
#include "Fonts.h"
#include "Label3D.h"
#include "PropertyHelpers.h"

#include <QFontMetrics>
#include <QPainter>

namespace kyt {

Button3D::Button3D(QWidget* parent) : QPushButton(parent)
{
    setFont(defaultDeskFont());
    resize(75, 25);
}

void Button3D::setCaption(const QString& value)
{
    if (value == text())
        return;
    setText(value);
    emit captionChanged(value);
    update();
}

void Button3D::setFontColor(ColorCode value)
{
    if (assign(this, fontColor_, value, &Button3D::fontColorChanged))
        update();
}

void Button3D::setHighLightColor(ColorCode value)
{
    if (assign(this, highLightColor_, value, &Button3D::highLightColorChanged))
        update();
}

void Button3D::setShadowColor(ColorCode value)
{
    if (assign(this, shadowColor_, value, &Button3D::shadowColorChanged))
        update();
}

void Button3D::setBevel(Bevel value)
{
    if (assign(this, bevel_, value, &Button3D::bevelChanged))
        update();
}

void Button3D::setShadowSize(quint8 value)
{
    if (assign(this, shadowSize_, value, &Button3D::shadowSizeChanged))
        update();
}

void Button3D::setPressState(PressState value)
{
    if (assign(this, pressState_, value, &Button3D::pressStateChanged))
        update();
}

void Button3D::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    const bool pressed = isDown();
    if (hasFocus() || isDefault()) {
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    if (pressed) {
        p.setPen(toQColor(clBtnShadow));
        p.setBrush(toQColor(clBtnFace));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        // The desktop's raised push-button frame: an outer light/dark line
        // and an inner one, on the button face.
        p.fillRect(r, toQColor(clBtnFace));
        QRect f = r;
        frame3D(p, f, clBtnHighlight, cl3DDkShadow, 1);
        frame3D(p, f, cl3DLight, clBtnShadow, 1);
    }
    p.setFont(font());
    const QSize text
        = QFontMetrics(font()).size(Qt::TextShowMnemonic | Qt::TextSingleLine, this->text());
    QRect tr(
        (width() - text.width()) / 2, (height() - text.height()) / 2, text.width(), text.height());
    if (pressed)
        tr.translate(1, 1);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (!isEnabled()) {
        p.setPen(toQColor(clWhite));
        p.drawText(tr.translated(1, 1), flags, this->text());
        p.setPen(toQColor(clGray));
        p.drawText(tr, flags, this->text());
    } else {
        Emboss kind = embossOf(bevel_);
        ColorCode light = highLightColor_, dark = shadowColor_;
        if (pressed && pressState_ == bvPress)
            std::swap(light, dark);
        if (pressed && kind == Emboss::Shadow)
            kind = Emboss::None; // a pressed shadowed caption drops its shadow
        drawEmbossedText(
            p, tr, flags, this->text(), kind, shadowSize_, light, dark, fontColor_, true);
    }
    // A focused push button is the one Enter presses: it is the default.
    if (hasFocus()) {
        QPen pen(Qt::black, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}

} // namespace kyt
