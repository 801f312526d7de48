#include "explbtn.h"

#include "DrawUtil.h"
#include "Fonts.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace kyt {

namespace {

constexpr int kMargin = 3;    // content distance from the edges
constexpr int kSpacing = 2;   // between picture and caption
constexpr int kMarkWidth = 7; // widest row of the popup mark

// The colour of a picture's lower-left pixel counts as transparent.
QRgb keyOf(const QImage& img)
{
    return img.isNull() ? 0 : img.pixel(0, img.height() - 1);
}

}  // namespace

TExplorerButton::TExplorerButton(QWidget* parent) : QWidget(parent)
{
    setFont(defaultDeskFont());
    resize(50, 40);
}

#define KYT_EXPL_SETTER(Name, Type, Field)       \
    void TExplorerButton::set##Name(Type value)  \
    {                                            \
        if (value == Field)                      \
            return;                              \
        Field = value;                           \
        update();                                \
    }

KYT_EXPL_SETTER(Alignment, TAlignment, FAlignment)
KYT_EXPL_SETTER(BevelStyle, TBevelStyle, FBevelStyle)
KYT_EXPL_SETTER(Layout, TExplorerButtonLayout, FLayout)
KYT_EXPL_SETTER(Options, TExplorerButtonOptions, FOptions)
KYT_EXPL_SETTER(ShowDownPattern, bool, FShowDownPattern)
KYT_EXPL_SETTER(UnselectedFontColor, TColor, FUnselectedFontColor)
KYT_EXPL_SETTER(WordWrap, bool, FWordWrap)
KYT_EXPL_SETTER(FontColor, TColor, FFontColor)
KYT_EXPL_SETTER(NoFocusBitmap, const QImage&, FNoFocusBitmap)
KYT_EXPL_SETTER(DisabledBitmap, const QImage&, FDisabledBitmap)

#undef KYT_EXPL_SETTER

void TExplorerButton::setAllowAllUp(bool value)
{
    FAllowAllUp = value;
}

void TExplorerButton::setShadingType(TShadingType value)
{
    if (value == FShadingType)
        return;
    FShadingType = value;
    rebuildImages();
    update();
}

void TExplorerButton::setBitmap(const QImage& value)
{
    if (value == FBitmap)
        return;
    FBitmap = value;
    rebuildImages();
    update();
}

void TExplorerButton::setCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    updateShortcut();
    update();
}

void TExplorerButton::setGroupIndex(int value)
{
    if (value == FGroupIndex)
        return;
    FGroupIndex = value;
    if (FGroupIndex == 0 && FDown) {
        FDown = false;
        update();
    }
}

void TExplorerButton::setDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown)
        return;
    FDown = value;
    if (FDown)
        releaseGroup();
    update();
}

void TExplorerButton::setDropDownMenu(QMenu* value)
{
    if (value == FDropDownMenu)
        return;
    FDropDownMenu = value;
    update();
}

void TExplorerButton::releaseGroup()
{
    if (!parentWidget())
        return;
    for (auto* b : parentWidget()->findChildren<TExplorerButton*>(Qt::FindDirectChildrenOnly)) {
        if (b != this && b->FGroupIndex == FGroupIndex && b->FDown) {
            b->FDown = false;
            b->update();
        }
    }
}

bool TExplorerButton::hasPopup() const
{
    return (FOptions & boPopupMark) && FDropDownMenu;
}

void TExplorerButton::rebuildImages()
{
    FGrayBitmap = QImage();
    FEngravedBitmap = QImage();
    if (FBitmap.isNull())
        return;
    const QImage src = FBitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyOf(src);
    FGrayBitmap = src;
    QImage mask(src.size(), QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = src.pixel(x, y);
            if (c == key) {
                FGrayBitmap.setPixel(x, y, qRgba(0, 0, 0, 0));
                continue;
            }
            int g = grayValue(rgbValue(qRed(c), qGreen(c), qBlue(c)));
            if (FShadingType == stLight)
                g += (255 - g) / 2;
            else if (FShadingType == stDark)
                g = g * 3 / 4;
            FGrayBitmap.setPixel(x, y, qRgb(g, g, g));
            mask.setPixel(x, y, 0xFF000000u);
        }
    // Engraved: the shape in white one pixel down-right, in shadow on top.
    FEngravedBitmap = QImage(src.width() + 1, src.height() + 1, QImage::Format_ARGB32);
    FEngravedBitmap.fill(Qt::transparent);
    QPainter p(&FEngravedBitmap);
    QImage light = mask, dark = mask;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (qAlpha(mask.pixel(x, y))) {
                light.setPixel(x, y, toQColor(clBtnHighlight).rgb());
                dark.setPixel(x, y, toQColor(clBtnShadow).rgb());
            }
    p.drawImage(1, 1, light);
    p.drawImage(0, 0, dark);
}

QImage TExplorerButton::shownBitmap() const
{
    if (!isEnabled())
        return FDisabledBitmap.isNull() ? FEngravedBitmap : FDisabledBitmap;
    if (!FMouseInside && (FOptions & boMonoDisplay))
        return FNoFocusBitmap.isNull() ? FGrayBitmap : FNoFocusBitmap;
    return FBitmap;
}

void TExplorerButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    const bool sunken = Sunken();
    if (FDown && FShowDownPattern) {
        p.fillRect(r, toQColor(clBtnFace));
        p.fillRect(r, QBrush(toQColor(clBtnHighlight), Qt::Dense4Pattern));
    }
    if (isEnabled() && sunken) {
        QRect f = r;
        frame3D(p, f, clBtnShadow, clBtnHighlight, 1);
    } else if (isEnabled() && FMouseInside) {
        QRect f = r;
        if (FBevelStyle == bsRaised)
            frame3D(p, f, clBtnHighlight, clBtnShadow, 1);
        else
            frame3D(p, f, clBtnShadow, clBtnHighlight, 1);
    }
    const int shift = sunken ? 1 : 0;

    // Content: picture, caption and popup mark, centred in the client area.
    QImage bmp = shownBitmap();
    // The grey and engraved copies carry their own transparency; the user's
    // pictures are keyed on their lower-left pixel.
    const bool keyed = !bmp.isNull() && bmp.cacheKey() != FGrayBitmap.cacheKey() &&
                       bmp.cacheKey() != FEngravedBitmap.cacheKey();
    const bool showText = !(FOptions & boIconOnly) && !FCaption.isEmpty();
    const int markSpace = hasPopup() ? kMarkWidth + kMargin : 0;
    const QRect area = r.adjusted(kMargin, kMargin, -kMargin - markSpace, -kMargin);
    int flags = Qt::TextShowMnemonic;
    flags |= FAlignment == taLeftJustify ? Qt::AlignLeft
             : FAlignment == taRightJustify ? Qt::AlignRight
                                            : Qt::AlignHCenter;
    if (FWordWrap)
        flags |= Qt::TextWordWrap;
    p.setFont(font());
    const QFontMetrics fm(font());
    QSize text;
    if (showText) {
        const bool vertical = FLayout == blBitmapTop || FLayout == blBitmapBottom;
        const int avail = vertical || bmp.isNull() ? area.width()
                                                   : area.width() - bmp.width() - kSpacing;
        text = fm.boundingRect(QRect(0, 0, qMax(1, avail), 0x7fff), flags, FCaption).size();
    }
    const QSize pic = bmp.isNull() ? QSize() : bmp.size();
    const int gap = showText && !pic.isEmpty() ? kSpacing : 0;
    QRect picRect, textRect;
    if (FLayout == blBitmapTop || FLayout == blBitmapBottom) {
        const int total = pic.height() + gap + text.height();
        int y = area.top() + (area.height() - total) / 2;
        const int px = area.left() + (area.width() - pic.width()) / 2;
        if (FLayout == blBitmapTop) {
            picRect = QRect(QPoint(px, y), pic);
            textRect = QRect(area.left(), y + pic.height() + gap, area.width(), text.height());
        } else {
            textRect = QRect(area.left(), y, area.width(), text.height());
            picRect = QRect(QPoint(px, y + text.height() + gap), pic);
        }
    } else {
        const int total = pic.width() + gap + text.width();
        int x = area.left();
        if (FAlignment == taCenter)
            x += (area.width() - total) / 2;
        else if (FAlignment == taRightJustify)
            x += area.width() - total;
        const int py = area.top() + (area.height() - pic.height()) / 2;
        const int ty = area.top() + (area.height() - text.height()) / 2;
        if (FLayout == blBitmapLeft) {
            picRect = QRect(QPoint(x, py), pic);
            textRect = QRect(x + pic.width() + gap, ty, text.width(), text.height());
        } else {
            textRect = QRect(x, ty, text.width(), text.height());
            picRect = QRect(QPoint(x + text.width() + gap, py), pic);
        }
    }
    picRect.translate(shift, shift);
    textRect.translate(shift, shift);
    if (!bmp.isNull()) {
        if (keyed)
            drawTransparent(p, picRect.x(), picRect.y(), bmp, fromQColor(QColor(keyOf(bmp))));
        else
            p.drawImage(picRect.topLeft(), bmp);
    }
    if (showText) {
        if (!isEnabled()) {
            p.setPen(toQColor(clBtnHighlight));
            p.drawText(textRect.translated(1, 1), flags, FCaption);
            p.setPen(toQColor(clBtnShadow));
        } else {
            p.setPen(toQColor(FMouseInside ? FFontColor : FUnselectedFontColor));
        }
        p.drawText(textRect, flags, FCaption);
    }
    if (hasPopup()) {
        // A small downward triangle right of the content: rows of 7, 5, 3, 1.
        const QRect content = showText ? fm.boundingRect(textRect, flags, FCaption) : picRect;
        const int mx = qMin(content.right() + 1 + kMargin, width() - kMargin - kMarkWidth);
        const int my = content.top() + (content.height() - 4) / 2;
        p.setPen(toQColor(!isEnabled() ? clBtnShadow
                          : FMouseInside ? FFontColor
                                         : FUnselectedFontColor));
        for (int row = 0; row < 4; ++row)
            p.drawLine(mx + row, my + row, mx + kMarkWidth - 1 - row, my + row);
    }
}

void TExplorerButton::updateShortcut()
{
    if (FShortcutId != 0) {
        releaseShortcut(FShortcutId);
        FShortcutId = 0;
    }
    const QKeySequence key = QKeySequence::mnemonic(FCaption);
    if (!key.isEmpty())
        FShortcutId = grabShortcut(key);
}

bool TExplorerButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        if (static_cast<QShortcutEvent*>(event)->shortcutId() == FShortcutId && isEnabled() &&
            isVisible())
            Click();
        return true;
    }
    return QWidget::event(event);
}

void TExplorerButton::enterEvent(QEnterEvent* event)
{
    if (!FMouseInside) {
        FMouseInside = true;
        update();
    }
    QWidget::enterEvent(event);
}

void TExplorerButton::leaveEvent(QEvent* event)
{
    if (FMouseInside) {
        FMouseInside = false;
        update();
    }
    QWidget::leaveEvent(event);
}

void TExplorerButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        FPressing = false;
        update();
    }
    QWidget::changeEvent(event);
}

void TExplorerButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return QWidget::mousePressEvent(event);
    if (hasPopup()) {
        // The menu opens under the button's lower-left corner instead of a click.
        FDropDownMenu->popup(mapToGlobal(QPoint(0, height())));
        return;
    }
    FPressing = true;
    FMouseInside = true;
    update();
}

void TExplorerButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!FPressing)
        return QWidget::mouseMoveEvent(event);
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != FMouseInside) {
        FMouseInside = inside;
        update();
    }
}

void TExplorerButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!FPressing || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    FPressing = false;
    const bool inside = rect().contains(event->position().toPoint());
    FMouseInside = inside;
    update();
    if (inside)
        Click();
}

void TExplorerButton::Click()
{
    if (FGroupIndex != 0) {
        if (!FDown)
            setDown(true);
        else if (FAllowAllUp)
            setDown(false);
    }
    emit OnClick(this);
}

}  // namespace kyt
