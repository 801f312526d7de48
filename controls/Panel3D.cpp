#include "Panel3D.h"

#include "DrawUtil.h"
#include "Fonts.h"
#include "Label3D.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace kyt {

namespace {

Emboss embossOf(TPanel3D::TPanelText3DBevel b)
{
    switch (b) {
    case TPanel3D::bvNone3: return Emboss::None;
    case TPanel3D::bvLowered3: return Emboss::Lowered;
    case TPanel3D::bvRaised3: return Emboss::Raised;
    case TPanel3D::bvShadow3: return Emboss::Shadow;
    }
    return Emboss::None;
}

int alignFlags(TPanel3D::TAlignment a)
{
    switch (a) {
    case TPanel3D::taLeftJustify: return Qt::AlignLeft;
    case TPanel3D::taRightJustify: return Qt::AlignRight;
    case TPanel3D::taCenter: return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

// Rectangle from edges, right and bottom exclusive.
QRect edges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// A frame of the given width on r, shrinking r; drawn only when p is given.
void frame(QPainter* p, QRect& r, TColor topLeft, TColor bottomRight, int width)
{
    if (width <= 0)
        return;
    if (p)
        frame3D(*p, r, topLeft, bottomRight, width);
    else
        r.adjust(width, width, -width, -width);
}

}  // namespace

TPanel3D::TPanel3D(QWidget* parent) : QWidget(parent), FFontTitle(defaultDeskFont())
{
    setFont(defaultDeskFont());
    setAutoFillBackground(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(FColor));
    setPalette(pal);
    resize(185, 41);
}

void TPanel3D::setChanged()
{
    update();
}

#define KYT_PANEL_SETTER(Name, Type, Field)    \
    void TPanel3D::set##Name(Type value)       \
    {                                          \
        if (value == Field)                    \
            return;                            \
        Field = value;                         \
        setChanged();                          \
    }

KYT_PANEL_SETTER(Caption, const QString&, FCaption)
KYT_PANEL_SETTER(Alignment, TAlignment, FAlignment)
KYT_PANEL_SETTER(BevelOuter, TPanelBevel, FBevelOuter)
KYT_PANEL_SETTER(BevelInner, TPanelBevel, FBevelInner)
KYT_PANEL_SETTER(FontColor, TColor, FFontColor)
KYT_PANEL_SETTER(AlignmentTitle, TAlignment, FAlignmentTitle)
KYT_PANEL_SETTER(BevelCaption, TPanelText3DBevel, FBevelCaption)
KYT_PANEL_SETTER(BevelTitle, TPanelText3DBevel, FBevelTitle)
KYT_PANEL_SETTER(BorderTitle, TPanelBevel, FBorderTitle)
KYT_PANEL_SETTER(ColorTitle, TColor, FColorTitle)
KYT_PANEL_SETTER(FontTitleColor, TColor, FFontTitleColor)
KYT_PANEL_SETTER(HColorCaption, TColor, FHColorCaption)
KYT_PANEL_SETTER(HColorTitle, TColor, FHColorTitle)
KYT_PANEL_SETTER(RePaintCT, TPanel3DRePaintCT, FRePaintCT)
KYT_PANEL_SETTER(SColorCaption, TColor, FSColorCaption)
KYT_PANEL_SETTER(SColorTitle, TColor, FSColorTitle)
KYT_PANEL_SETTER(ShadowSizeCaption, quint8, FShadowSizeCaption)
KYT_PANEL_SETTER(ShadowSizeTitle, quint8, FShadowSizeTitle)
KYT_PANEL_SETTER(Title, const QString&, FTitle)
KYT_PANEL_SETTER(VertAlignment, TPanel3DVertAlignment, FVertAlignment)

#undef KYT_PANEL_SETTER

void TPanel3D::setBevelWidth(int value)
{
    value = qMax(0, value);
    if (value == FBevelWidth)
        return;
    FBevelWidth = value;
    setChanged();
}

void TPanel3D::setBorderWidth(int value)
{
    value = qMax(0, value);
    if (value == FBorderWidth)
        return;
    FBorderWidth = value;
    setChanged();
}

void TPanel3D::setColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    // Children that take their parent's colour read it from the palette.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(FColor));
    setPalette(pal);
    setChanged();
}

void TPanel3D::setFontTitle(const QFont& value)
{
    if (value == FFontTitle)
        return;
    FFontTitle = value;
    setChanged();
}

QRect TPanel3D::innerRect(QPainter* p) const
{
    QRect r = rect();
    // The frame starts half a title line lower, title or not.
    r.setTop(r.top() + FShadowSizeTitle + charHeight(FFontTitle) / 2);
    auto bevel = [&](TPanelBevel b) {
        if (b == bvNone)
            return;
        const bool raised = b == bvRaised;
        frame(p, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
              FBevelWidth);
    };
    bevel(FBevelOuter);
    frame(p, r, FColor, FColor, FBorderWidth);
    bevel(FBevelInner);
    return r;
}

QRect TPanel3D::FrameRect() const
{
    return innerRect(nullptr);
}

int TPanel3D::captionFlags() const
{
    return alignFlags(FAlignment) | Qt::TextWordWrap | Qt::AlignVCenter | Qt::TextShowMnemonic;
}

QRect TPanel3D::CaptionRect() const
{
    const QRect inner = innerRect(nullptr);
    int left = inner.left(), top = inner.top();
    int right = inner.left() + inner.width(), bottom = inner.top() + inner.height();
    const int s = FShadowSizeCaption;
    const QFontMetrics fm(font());
    const int b = fm.boundingRect(edges(left, top, right, bottom), captionFlags(), FCaption).height();
    if (!FTitle.isEmpty())
        top += FShadowSizeTitle + charHeight(FFontTitle) / 2;
    switch (FVertAlignment) {
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
    case vaBottom:
        top = bottom - b - s;
        break;
    }
    return edges(left + s, top, right - s, bottom);
}

QRect TPanel3D::titleText() const
{
    const QFontMetrics fm(FFontTitle);
    const int w = width();
    const int t = fm.horizontalAdvance(FTitle);
    int left = 0, right = w;
    switch (FAlignmentTitle) {
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
    return edges(left, 0, right, fm.size(0, QStringLiteral("W")).height() + FShadowSizeTitle);
}

QRect TPanel3D::TitleStrip() const
{
    if (FTitle.isEmpty())
        return {};
    return titleText().adjusted(-FShadowSizeTitle, 0, FShadowSizeTitle, 0);
}

void TPanel3D::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(FColor));
    innerRect(&p);
    // A control on the panel repaints its own area through the panel; the
    // texts are laid out only when that area reaches their band (the
    // panel's full width, so that a long word's overhang is not missed).
    const QRegion& area = event->region();
    auto reaches = [&](const QRect& r, int margin) {
        return area.intersects(QRect(0, r.top() - margin, width(), r.height() + 2 * margin));
    };
    if (FRePaintCT != rpTitle && reaches(CaptionRect(), FShadowSizeCaption + 2)) {
        p.setFont(font());
        drawEmbossedText(p, CaptionRect(), captionFlags(), FCaption, embossOf(FBevelCaption),
                         FShadowSizeCaption, FHColorCaption, FSColorCaption, FFontColor,
                         isEnabled());
    }
    if (!FTitle.isEmpty() && FRePaintCT != rpCaption && reaches(TitleStrip(), FShadowSizeTitle + 2)) {
        QRect strip = TitleStrip();
        p.fillRect(strip, toQColor(FColorTitle));
        if (FBorderTitle == bvLowered)
            frame(&p, strip, clBtnShadow, clBtnHighlight, FBevelWidth);
        else if (FBorderTitle == bvRaised)
            frame(&p, strip, clBtnHighlight, clBtnShadow, FBevelWidth);
        p.setFont(FFontTitle);
        drawEmbossedText(p, titleText(), alignFlags(FAlignmentTitle) | Qt::AlignVCenter |
                                             Qt::TextSingleLine,
                         FTitle, embossOf(FBevelTitle), FShadowSizeTitle, FHColorTitle,
                         FSColorTitle, FFontTitleColor, isEnabled());
    }
}

void TPanel3D::mousePressEvent(QMouseEvent* event)
{
    FPressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TPanel3D::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = FPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        emit OnClick(this);
    QWidget::mouseReleaseEvent(event);
}

}  // namespace kyt
