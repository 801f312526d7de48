#include "Panel3D.h"

#include "DrawUtil.h"
#include "Fonts.h"
#include "Label3D.h"
#include "PropertyHelpers.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace kyt {

namespace {

Emboss embossOf(Panel3D::TextBevel b)
{
    switch (b) {
    case Panel3D::bvNone3: return Emboss::None;
    case Panel3D::bvLowered3: return Emboss::Lowered;
    case Panel3D::bvRaised3: return Emboss::Raised;
    case Panel3D::bvShadow3: return Emboss::Shadow;
    }
    return Emboss::None;
}

int alignFlags(Panel3D::Alignment a)
{
    switch (a) {
    case Panel3D::taLeftJustify: return Qt::AlignLeft;
    case Panel3D::taRightJustify: return Qt::AlignRight;
    case Panel3D::taCenter: return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

// Rectangle from edges, right and bottom exclusive.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// A frame of the given width on r, shrinking r; drawn only when p is given.
void frame(QPainter* p, QRect& r, ColorCode topLeft, ColorCode bottomRight, int width)
{
    if (width <= 0)
        return;
    if (p)
        frame3D(*p, r, topLeft, bottomRight, width);
    else
        r.adjust(width, width, -width, -width);
}

} // namespace

Panel3D::Panel3D(QWidget* parent) : QWidget(parent), fontTitle_(defaultDeskFont())
{
    setFont(defaultDeskFont());
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent); // filled edge to edge
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(color_));
    setPalette(pal);
    resize(185, 41);
}

void Panel3D::setChanged()
{
    update();
}

void Panel3D::setCaption(const QString& value)
{
    if (assign(this, caption_, value, &Panel3D::captionChanged))
        setChanged();
}

void Panel3D::setAlignment(Alignment value)
{
    if (assign(this, alignment_, value, &Panel3D::alignmentChanged))
        setChanged();
}

void Panel3D::setBevelOuter(Bevel value)
{
    if (assign(this, bevelOuter_, value, &Panel3D::bevelOuterChanged))
        setChanged();
}

void Panel3D::setBevelInner(Bevel value)
{
    if (assign(this, bevelInner_, value, &Panel3D::bevelInnerChanged))
        setChanged();
}

void Panel3D::setFontColor(ColorCode value)
{
    if (assign(this, fontColor_, value, &Panel3D::fontColorChanged))
        setChanged();
}

void Panel3D::setAlignmentTitle(Alignment value)
{
    if (assign(this, alignmentTitle_, value, &Panel3D::alignmentTitleChanged))
        setChanged();
}

void Panel3D::setBevelCaption(TextBevel value)
{
    if (assign(this, bevelCaption_, value, &Panel3D::bevelCaptionChanged))
        setChanged();
}

void Panel3D::setBevelTitle(TextBevel value)
{
    if (assign(this, bevelTitle_, value, &Panel3D::bevelTitleChanged))
        setChanged();
}

void Panel3D::setBorderTitle(Bevel value)
{
    if (assign(this, borderTitle_, value, &Panel3D::borderTitleChanged))
        setChanged();
}

void Panel3D::setColorTitle(ColorCode value)
{
    if (assign(this, colorTitle_, value, &Panel3D::colorTitleChanged))
        setChanged();
}

void Panel3D::setFontTitleColor(ColorCode value)
{
    if (assign(this, fontTitleColor_, value, &Panel3D::fontTitleColorChanged))
        setChanged();
}

void Panel3D::setHColorCaption(ColorCode value)
{
    if (assign(this, hColorCaption_, value, &Panel3D::hColorCaptionChanged))
        setChanged();
}

void Panel3D::setHColorTitle(ColorCode value)
{
    if (assign(this, hColorTitle_, value, &Panel3D::hColorTitleChanged))
        setChanged();
}

void Panel3D::setRePaintCT(RepaintPart value)
{
    if (assign(this, rePaintCT_, value, &Panel3D::rePaintCTChanged))
        setChanged();
}

void Panel3D::setSColorCaption(ColorCode value)
{
    if (assign(this, sColorCaption_, value, &Panel3D::sColorCaptionChanged))
        setChanged();
}

void Panel3D::setSColorTitle(ColorCode value)
{
    if (assign(this, sColorTitle_, value, &Panel3D::sColorTitleChanged))
        setChanged();
}

void Panel3D::setShadowSizeCaption(quint8 value)
{
    if (assign(this, shadowSizeCaption_, value, &Panel3D::shadowSizeCaptionChanged))
        setChanged();
}

void Panel3D::setShadowSizeTitle(quint8 value)
{
    if (assign(this, shadowSizeTitle_, value, &Panel3D::shadowSizeTitleChanged))
        setChanged();
}

void Panel3D::setTitle(const QString& value)
{
    if (assign(this, title_, value, &Panel3D::titleChanged))
        setChanged();
}

void Panel3D::setVertAlignment(VerticalAlignment value)
{
    if (assign(this, vertAlignment_, value, &Panel3D::vertAlignmentChanged))
        setChanged();
}

void Panel3D::setBevelWidth(int value)
{
    value = qMax(0, value);
    if (!assign(this, bevelWidth_, value, &Panel3D::bevelWidthChanged))
        return;
    setChanged();
}

void Panel3D::setBorderWidth(int value)
{
    value = qMax(0, value);
    if (!assign(this, borderWidth_, value, &Panel3D::borderWidthChanged))
        return;
    setChanged();
}

void Panel3D::setColor(ColorCode value)
{
    if (!assign(this, color_, value, &Panel3D::colorChanged))
        return;
    // Children that take their parent's colour read it from the palette.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(color_));
    setPalette(pal);
    setChanged();
}

void Panel3D::setFontTitle(const QFont& value)
{
    if (!assign(this, fontTitle_, value, &Panel3D::fontTitleChanged))
        return;
    setChanged();
}

QRect Panel3D::innerRect(QPainter* p) const
{
    QRect r = rect();
    // The frame starts half a title line lower, title or not.
    r.setTop(r.top() + shadowSizeTitle_ + charHeight(fontTitle_) / 2);
    auto bevel = [&](Bevel b) {
        if (b == bvNone)
            return;
        const bool raised = b == bvRaised;
        frame(p, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
            bevelWidth_);
    };
    bevel(bevelOuter_);
    frame(p, r, color_, color_, borderWidth_);
    bevel(bevelInner_);
    return r;
}

QRect Panel3D::FrameRect() const
{
    return innerRect(nullptr);
}

int Panel3D::captionFlags() const
{
    return alignFlags(alignment_) | Qt::TextWordWrap | Qt::AlignVCenter | Qt::TextShowMnemonic;
}

QRect Panel3D::CaptionRect() const
{
    const QRect inner = innerRect(nullptr);
    int left = inner.left(), top = inner.top();
    int right = inner.left() + inner.width(), bottom = inner.top() + inner.height();
    const int s = shadowSizeCaption_;
    const QFontMetrics fm(font());
    const int b
        = fm.boundingRect(edges(left, top, right, bottom), captionFlags(), caption_).height();
    if (!title_.isEmpty())
        top += shadowSizeTitle_ + charHeight(fontTitle_) / 2;
    switch (vertAlignment_) {
    case vaTop: {
        const int oldTop = top;
        top += s;
        bottom = oldTop + b + 2 * s;
        break;
    }
    case vaCenter:
        top = (top + bottom - b) / 2 + s;
        bottom = top + b + s;
        break;
    case vaBottom: top = bottom - b - s; break;
    }
    return edges(left + s, top, right - s, bottom);
}

QRect Panel3D::titleText() const
{
    const QFontMetrics fm(fontTitle_);
    const int w = width();
    const int t = fm.horizontalAdvance(title_);
    int left = 0, right = w;
    switch (alignmentTitle_) {
    case taLeftJustify:
        left = 5;
        if (t < w - 5)
            right = 5 + t;
        break;
    case taRightJustify:
        right = w - 5;
        if (t < w - 5)
            left = w - 5 - t;
        break;
    case taCenter:
        left = t > w ? 0 : w / 2 - t / 2;
        right = w / 2 + t / 2;
        break;
    }
    return edges(left, 0, right, fm.size(0, QStringLiteral("W")).height() + shadowSizeTitle_);
}

QRect Panel3D::TitleStrip() const
{
    if (title_.isEmpty())
        return {};
    return titleText().adjusted(-shadowSizeTitle_, 0, shadowSizeTitle_, 0);
}

void Panel3D::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(color_));
    innerRect(&p);
    // A control on the panel repaints its own area through the panel; the
    // texts are laid out only when that area reaches their band (the
    // panel's full width, so that a long word's overhang is not missed).
    const QRegion& area = event->region();
    auto reaches = [&](const QRect& r, int margin) {
        return area.intersects(QRect(0, r.top() - margin, width(), r.height() + 2 * margin));
    };
    if (rePaintCT_ != rpTitle && reaches(CaptionRect(), shadowSizeCaption_ + 2)) {
        p.setFont(font());
        drawEmbossedText(p, CaptionRect(), captionFlags(), caption_, embossOf(bevelCaption_),
            shadowSizeCaption_, hColorCaption_, sColorCaption_, fontColor_, isEnabled());
    }
    if (!title_.isEmpty() && rePaintCT_ != rpCaption
        && reaches(TitleStrip(), shadowSizeTitle_ + 2)) {
        QRect strip = TitleStrip();
        p.fillRect(strip, toQColor(colorTitle_));
        if (borderTitle_ == bvLowered)
            frame(&p, strip, clBtnShadow, clBtnHighlight, bevelWidth_);
        else if (borderTitle_ == bvRaised)
            frame(&p, strip, clBtnHighlight, clBtnShadow, bevelWidth_);
        p.setFont(fontTitle_);
        drawEmbossedText(p, titleText(),
            alignFlags(alignmentTitle_) | Qt::AlignVCenter | Qt::TextSingleLine, title_,
            embossOf(bevelTitle_), shadowSizeTitle_, hColorTitle_, sColorTitle_, fontTitleColor_,
            isEnabled());
    }
}

void Panel3D::mousePressEvent(QMouseEvent* event)
{
    clicks_.press(event);
    QWidget::mousePressEvent(event);
}

void Panel3D::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = clicks_.release(event) && ClickTracker::inside(this, event);
    if (click)
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

} // namespace kyt
