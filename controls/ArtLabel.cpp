#include "ArtLabel.h"

#include "PropertyHelpers.h"

#include "DrawUtil.h"
#include "Fonts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace kyt {

ArtLabel::ArtLabel(QWidget* parent) : QWidget(parent), gradient_(new Gradient(this))
{
    setFont(deskFont(QStringLiteral("Arial"), pointsToPixels(24), true));
    connect(gradient_, &Gradient::changed, this, [this] { gradientChanged(); });
    resize(64, 25);
    compose();
}

void ArtLabel::refresh()
{
    adjustSize();
    compose();
    repaint();
}

void ArtLabel::setArtStyle(ArtStyle value)
{
    if (!assign(this, artStyle_, value, &ArtLabel::artStyleChanged))
        return;
    refresh();
}

void ArtLabel::setCaption(const QString& value)
{
    if (!assign(this, caption_, value, &ArtLabel::captionChanged))
        return;
    refresh();
}

void ArtLabel::setFontColor(ColorCode value)
{
    if (!assign(this, fontColor_, value, &ArtLabel::fontColorChanged))
        return;
    gradientChanged_ = true; // the gradient picture starts from the font colour
    refresh();
}

void ArtLabel::setTransparent(bool value)
{
    if (!assign(this, transparent_, value, &ArtLabel::transparentChanged))
        return;
    refresh();
}

void ArtLabel::setColor(ColorCode value)
{
    if (!assign(this, color_, value, &ArtLabel::colorChanged))
        return;
    refresh();
}

void ArtLabel::setBitmap(const QImage& value)
{
    if (value == bitmap_)
        return;
    bitmap_ = value.copy();
    emit bitmapChanged(bitmap_);
    if (artStyle_ & (asBitmap | asBitmapFit))
        refresh();
}

void ArtLabel::setShadowColor(ColorCode value)
{
    if (!assign(this, shadowColor_, value, &ArtLabel::shadowColorChanged))
        return;
    if (artStyle_ & asShadow)
        refresh();
}

void ArtLabel::setOutlineColor(ColorCode value)
{
    if (!assign(this, outlineColor_, value, &ArtLabel::outlineColorChanged))
        return;
    if (artStyle_ & asOutlined)
        refresh();
}

void ArtLabel::setAutoSize(bool value)
{
    if (!assign(this, autoSize_, value, &ArtLabel::autoSizeChanged))
        return;
    refresh();
}

void ArtLabel::setShadowLength(qint32 value)
{
    if (!assign(this, shadowLength_, value, &ArtLabel::shadowLengthChanged))
        return;
    if (artStyle_ & asShadow)
        refresh();
}

void ArtLabel::setGradient(Gradient* value)
{
    if (value && value != gradient_)
        gradient_->Assign(*value); // announces the change
}

void ArtLabel::gradientChanged()
{
    gradientChanged_ = true;
    if (artStyle_ & asGradient)
        refresh();
}

void ArtLabel::setTextAlign(Alignment value)
{
    if (!assign(this, textAlign_, value, &ArtLabel::textAlignChanged))
        return;
    refresh();
}

QSize ArtLabel::sizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(caption_) + 4, fm.size(0, QStringLiteral("Wg")).height() + 4};
}

void ArtLabel::adjustSize()
{
    // The size follows the caption and font; it is settled here, before the
    // next paint, never while painting.
    if (autoSize_ && size() != sizeHint())
        resize(sizeHint());
}

QPoint ArtLabel::TextOrigin() const
{
    const QFontMetrics fm(font());
    const int tw = fm.horizontalAdvance(caption_), th = fm.height();
    const int vmiddle = (height() - th) / 2;
    switch (textAlign_) {
    case taLeftJustify: return {2, qMax(vmiddle, 2)};
    case taRightJustify: return {width() - tw - 2, qMax(vmiddle, 2)};
    case taCenter: return {qMax((width() - tw) / 2, 0), qMax(vmiddle, 0)};
    }
    return {2, 2};
}

const ArtLabel& ArtLabel::composed() const
{
    if (stale_) {
        composeNow();
        stale_ = false;
    }
    return *this;
}

void ArtLabel::composeNow() const
{
    const QSize s = size();
    if (s.isEmpty()) {
        composition_ = mask_ = output_ = QImage();
        return;
    }
    composition_ = QImage(s, QImage::Format_RGB32);
    composition_.fill(toQColor(color_));
    mask_ = QImage(s, QImage::Format_RGB32);
    mask_.fill(Qt::white);

    const QPoint o = TextOrigin();
    const int x = o.x(), y = o.y();
    const ColorCode light = lighten(color_, 64), dark = darken(color_, 64);
    {
        QPainter p(&composition_), m(&mask_);
        p.setFont(font());
        m.setFont(font());
        // Every text pass goes into the mask in black as well.
        if (artStyle_ & asShadow) {
            drawShadowText(p, x, y, caption_, fontColor_, shadowColor_, shadowLength_);
            drawShadowText(m, x, y, caption_, clBlack, clBlack, shadowLength_);
        }
        if (artStyle_ & asOutlined) {
            drawOutlineText(p, x, y, caption_, fontColor_, outlineColor_);
            drawOutlineText(m, x, y, caption_, clBlack, clBlack);
        } else if (artStyle_ & (as3DSunk | as3DRaise)) {
            const bool raised = !(artStyle_ & as3DSunk);
            draw3DText(p, x, y, caption_, fontColor_, light, dark, 1, raised);
            draw3DText(m, x, y, caption_, clBlack, clBlack, clBlack, 1, raised);
        }
    }

    // Letters filled with a gradient or a picture.
    QImage fill;
    const QFontMetrics fm(font());
    const QRect letters(x, y, fm.horizontalAdvance(caption_), fm.height());
    if (artStyle_ & asGradient) {
        if (gradientChanged_ || gradientImage_.size() != s) {
            gradientImage_ = QImage(s, QImage::Format_RGB32);
            gradientImage_.fill(toQColor(fontColor_));
            QPainter g(&gradientImage_);
            gradient_->Paint(g, QRect(QPoint(0, 0), s));
            gradientChanged_ = false;
        }
        fill = gradientImage_;
    } else if ((artStyle_ & (asBitmapFit | asBitmap)) && !bitmap_.isNull()) {
        fill = QImage(s, QImage::Format_RGB32);
        fill.fill(Qt::black);
        QPainter f(&fill);
        if (artStyle_ & asBitmapFit)
            f.drawImage(letters, bitmap_);
        else
            tileImage(f, QRect(x, y, s.width() - x, s.height() - y), bitmap_);
    }
    if (!fill.isNull()) {
        QImage shape(s, QImage::Format_RGB32);
        shape.fill(Qt::white);
        {
            QPainter sp(&shape);
            sp.setFont(font());
            sp.setPen(Qt::black);
            sp.drawText(QPoint(x, y + fm.ascent()), caption_);
        }
        QPainter p(&composition_);
        drawMasked(p, 0, 0, fill, shape);
        QPainter m(&mask_);
        m.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        m.drawImage(0, 0, shape); // the letters cover the parent too
    }

    if (transparent_) {
        output_ = QImage(s, QImage::Format_ARGB32_Premultiplied);
        output_.fill(Qt::transparent);
        QPainter p(&output_);
        drawMasked(p, 0, 0, composition_, mask_);
    } else {
        output_ = composition_;
    }
}

void ArtLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, Output());
}

void ArtLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    compose();
}

void ArtLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange && gradient_) {
        adjustSize();
        compose();
        repaint();
    }
    QWidget::changeEvent(event);
}

void ArtLabel::mousePressEvent(QMouseEvent* event)
{
    clicks_.press(event);
    QWidget::mousePressEvent(event);
}

void ArtLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = clicks_.release(event) && ClickTracker::inside(this, event);
    if (click)
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void ArtLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace kyt
