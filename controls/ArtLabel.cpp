#include "ArtLabel.h"

#include "DrawUtil.h"
#include "Fonts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace kyt {

TArtLabel::TArtLabel(QWidget* parent) : QWidget(parent), FGradient(new TGradient(this))
{
    setFont(deskFont(QStringLiteral("Arial"), pointsToPixels(24), true));
    connect(FGradient, &TGradient::OnChange, this, [this] { gradientChanged(); });
    resize(64, 25);
    compose();
}

void TArtLabel::refresh()
{
    adjustSize();
    compose();
    repaint();
}

void TArtLabel::setArtStyle(TArtStyle value)
{
    if (value == FArtStyle)
        return;
    FArtStyle = value;
    refresh();
}

void TArtLabel::setCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    refresh();
}

void TArtLabel::setFontColor(TColor value)
{
    if (value == FFontColor)
        return;
    FFontColor = value;
    FGradientChanged = true;  // the gradient picture starts from the font colour
    refresh();
}

void TArtLabel::setTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    refresh();
}

void TArtLabel::setColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    refresh();
}

void TArtLabel::setBitmap(const QImage& value)
{
    if (value == FBitmap)
        return;
    FBitmap = value.copy();
    if (FArtStyle & (asBitmap | asBitmapFit))
        refresh();
}

void TArtLabel::setShadowColor(TColor value)
{
    if (value == FShadowColor)
        return;
    FShadowColor = value;
    if (FArtStyle & asShadow)
        refresh();
}

void TArtLabel::setOutlineColor(TColor value)
{
    if (value == FOutlineColor)
        return;
    FOutlineColor = value;
    if (FArtStyle & asOutlined)
        refresh();
}

void TArtLabel::setAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    refresh();
}

void TArtLabel::setShadowLength(qint32 value)
{
    if (value == FShadowLength)
        return;
    FShadowLength = value;
    if (FArtStyle & asShadow)
        refresh();
}

void TArtLabel::setGradient(TGradient* value)
{
    if (value && value != FGradient)
        FGradient->Assign(*value);  // announces the change
}

void TArtLabel::gradientChanged()
{
    FGradientChanged = true;
    if (FArtStyle & asGradient)
        refresh();
}

void TArtLabel::setTextAlign(TAlignment value)
{
    if (value == FTextAlign)
        return;
    FTextAlign = value;
    refresh();
}

QSize TArtLabel::sizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(FCaption) + 4, fm.size(0, QStringLiteral("Wg")).height() + 4};
}

void TArtLabel::adjustSize()
{
    // The size follows the caption and font; it is settled here, before the
    // next paint, never while painting.
    if (FAutoSize && size() != sizeHint())
        resize(sizeHint());
}

QPoint TArtLabel::TextOrigin() const
{
    const QFontMetrics fm(font());
    const int tw = fm.horizontalAdvance(FCaption), th = fm.height();
    const int vmiddle = (height() - th) / 2;
    switch (FTextAlign) {
    case taLeftJustify: return {2, qMax(vmiddle, 2)};
    case taRightJustify: return {width() - tw - 2, qMax(vmiddle, 2)};
    case taCenter: return {qMax((width() - tw) / 2, 0), qMax(vmiddle, 0)};
    }
    return {2, 2};
}

void TArtLabel::compose()
{
    const QSize s = size();
    if (s.isEmpty()) {
        FComposition = FMask = FOutput = QImage();
        return;
    }
    FComposition = QImage(s, QImage::Format_RGB32);
    FComposition.fill(toQColor(FColor));
    FMask = QImage(s, QImage::Format_RGB32);
    FMask.fill(Qt::white);

    const QPoint o = TextOrigin();
    const int x = o.x(), y = o.y();
    const TColor light = lighten(FColor, 64), dark = darken(FColor, 64);
    {
        QPainter p(&FComposition), m(&FMask);
        p.setFont(font());
        m.setFont(font());
        // Every text pass goes into the mask in black as well.
        if (FArtStyle & asShadow) {
            drawShadowText(p, x, y, FCaption, FFontColor, FShadowColor, FShadowLength);
            drawShadowText(m, x, y, FCaption, clBlack, clBlack, FShadowLength);
        }
        if (FArtStyle & asOutlined) {
            drawOutlineText(p, x, y, FCaption, FFontColor, FOutlineColor);
            drawOutlineText(m, x, y, FCaption, clBlack, clBlack);
        } else if (FArtStyle & (as3DSunk | as3DRaise)) {
            const bool raised = !(FArtStyle & as3DSunk);
            draw3DText(p, x, y, FCaption, FFontColor, light, dark, 1, raised);
            draw3DText(m, x, y, FCaption, clBlack, clBlack, clBlack, 1, raised);
        }
    }

    // Letters filled with a gradient or a picture.
    QImage fill;
    const QFontMetrics fm(font());
    const QRect letters(x, y, fm.horizontalAdvance(FCaption), fm.height());
    if (FArtStyle & asGradient) {
        if (FGradientChanged || FGradientImage.size() != s) {
            FGradientImage = QImage(s, QImage::Format_RGB32);
            FGradientImage.fill(toQColor(FFontColor));
            QPainter g(&FGradientImage);
            FGradient->Paint(g, QRect(QPoint(0, 0), s));
            FGradientChanged = false;
        }
        fill = FGradientImage;
    } else if ((FArtStyle & (asBitmapFit | asBitmap)) && !FBitmap.isNull()) {
        fill = QImage(s, QImage::Format_RGB32);
        fill.fill(Qt::black);
        QPainter f(&fill);
        if (FArtStyle & asBitmapFit)
            f.drawImage(letters, FBitmap);
        else
            tileImage(f, QRect(x, y, s.width() - x, s.height() - y), FBitmap);
    }
    if (!fill.isNull()) {
        QImage shape(s, QImage::Format_RGB32);
        shape.fill(Qt::white);
        {
            QPainter sp(&shape);
            sp.setFont(font());
            sp.setPen(Qt::black);
            sp.drawText(QPoint(x, y + fm.ascent()), FCaption);
        }
        QPainter p(&FComposition);
        drawMasked(p, 0, 0, fill, shape);
        QPainter m(&FMask);
        m.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        m.drawImage(0, 0, shape);  // the letters cover the parent too
    }

    if (FTransparent) {
        FOutput = QImage(s, QImage::Format_ARGB32_Premultiplied);
        FOutput.fill(Qt::transparent);
        QPainter p(&FOutput);
        drawMasked(p, 0, 0, FComposition, FMask);
    } else {
        FOutput = FComposition;
    }
}

void TArtLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, FOutput);
}

void TArtLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    compose();
}

void TArtLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange && FGradient) {
        adjustSize();
        compose();
        repaint();
    }
    QWidget::changeEvent(event);
}

void TArtLabel::mousePressEvent(QMouseEvent* event)
{
    FPressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TArtLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = FPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        emit OnClick(this);
    QWidget::mouseReleaseEvent(event);
}

void TArtLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit OnDblClick(this);
    QWidget::mouseDoubleClickEvent(event);
}

}  // namespace kyt
