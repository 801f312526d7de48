#include "ExplorerButton.h"

#include "DrawUtil.h"
#include "Fonts.h"
#include "PropertyHelpers.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace kyt {

namespace {

constexpr int kMargin = 3; // content distance from the edges
constexpr int kSpacing = 2; // between picture and caption
constexpr int kMarkWidth = 7; // widest row of the popup mark

// The colour of a picture's lower-left pixel counts as transparent.
QRgb keyOf(const QImage& img)
{
    return img.isNull() ? 0 : img.pixel(0, img.height() - 1);
}

} // namespace

ExplorerButton::ExplorerButton(QWidget* parent) : QWidget(parent)
{
    setFont(defaultDeskFont());
    resize(50, 40);
}

void ExplorerButton::setAlignment(Alignment value)
{
    if (assign(this, alignment_, value, &ExplorerButton::alignmentChanged))
        update();
}

void ExplorerButton::setBevelStyle(BevelStyle value)
{
    if (assign(this, bevelStyle_, value, &ExplorerButton::bevelStyleChanged))
        update();
}

void ExplorerButton::setLayout(ButtonLayout value)
{
    if (assign(this, layout_, value, &ExplorerButton::layoutChanged))
        update();
}

void ExplorerButton::setOptions(Options value)
{
    if (assign(this, options_, value, &ExplorerButton::optionsChanged))
        update();
}

void ExplorerButton::setShowDownPattern(bool value)
{
    if (assign(this, showDownPattern_, value, &ExplorerButton::showDownPatternChanged))
        update();
}

void ExplorerButton::setUnselectedFontColor(ColorCode value)
{
    if (assign(this, unselectedFontColor_, value, &ExplorerButton::unselectedFontColorChanged))
        update();
}

void ExplorerButton::setWordWrap(bool value)
{
    if (assign(this, wordWrap_, value, &ExplorerButton::wordWrapChanged))
        update();
}

void ExplorerButton::setFontColor(ColorCode value)
{
    if (assign(this, fontColor_, value, &ExplorerButton::fontColorChanged))
        update();
}

void ExplorerButton::setNoFocusBitmap(const QImage& value)
{
    if (assign(this, FNoFocusBitmap, value, &ExplorerButton::noFocusBitmapChanged))
        update();
}

void ExplorerButton::setDisabledBitmap(const QImage& value)
{
    if (assign(this, disabledBitmap_, value, &ExplorerButton::disabledBitmapChanged))
        update();
}

void ExplorerButton::setAllowAllUp(bool value)
{
    assign(this, allowAllUp_, value, &ExplorerButton::allowAllUpChanged);
}

void ExplorerButton::setShadingType(ShadingType value)
{
    if (!assign(this, shadingType_, value, &ExplorerButton::shadingTypeChanged))
        return;
    rebuildImages();
    update();
}

void ExplorerButton::setBitmap(const QImage& value)
{
    if (!assign(this, bitmap_, value, &ExplorerButton::bitmapChanged))
        return;
    rebuildImages();
    update();
}

void ExplorerButton::setCaption(const QString& value)
{
    if (!assign(this, caption_, value, &ExplorerButton::captionChanged))
        return;
    updateShortcut();
    update();
}

void ExplorerButton::setGroupIndex(int value)
{
    if (!assign(this, groupIndex_, value, &ExplorerButton::groupIndexChanged))
        return;
    if (groupIndex_ == 0 && down_) {
        down_ = false;
        emit downChanged(false);
        update();
    }
}

void ExplorerButton::setDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (!assign(this, down_, value, &ExplorerButton::downChanged))
        return;
    if (down_)
        releaseGroup();
    update();
}

void ExplorerButton::setDropDownMenu(QMenu* value)
{
    if (!assign(this, dropDownMenu_, value, &ExplorerButton::dropDownMenuChanged))
        return;
    update();
}

void ExplorerButton::releaseGroup()
{
    if (!parentWidget())
        return;
    for (auto* b : parentWidget()->findChildren<ExplorerButton*>(Qt::FindDirectChildrenOnly)) {
        if (b != this && b->groupIndex_ == groupIndex_ && b->down_) {
            b->down_ = false;
            emit b->downChanged(false);
            b->update();
        }
    }
}

bool ExplorerButton::hasPopup() const
{
    return (options_ & boPopupMark) && dropDownMenu_;
}

void ExplorerButton::rebuildImages()
{
    FGrayBitmap = QImage();
    engravedBitmap_ = QImage();
    if (bitmap_.isNull())
        return;
    const QImage src = bitmap_.convertToFormat(QImage::Format_ARGB32);
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
            if (shadingType_ == stLight)
                g += (255 - g) / 2;
            else if (shadingType_ == stDark)
                g = g * 3 / 4;
            FGrayBitmap.setPixel(x, y, qRgb(g, g, g));
            mask.setPixel(x, y, 0xFF000000u);
        }
    // Engraved: the shape in white one pixel down-right, in shadow on top.
    engravedBitmap_ = QImage(src.width() + 1, src.height() + 1, QImage::Format_ARGB32);
    engravedBitmap_.fill(Qt::transparent);
    QPainter p(&engravedBitmap_);
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

QImage ExplorerButton::shownBitmap() const
{
    if (!isEnabled())
        return disabledBitmap_.isNull() ? engravedBitmap_ : disabledBitmap_;
    if (!mouseInside_ && (options_ & boMonoDisplay))
        return FNoFocusBitmap.isNull() ? FGrayBitmap : FNoFocusBitmap;
    return bitmap_;
}

void ExplorerButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    const bool sunken = Sunken();
    if (down_ && showDownPattern_) {
        p.fillRect(r, toQColor(clBtnFace));
        p.fillRect(r, QBrush(toQColor(clBtnHighlight), Qt::Dense4Pattern));
    }
    if (isEnabled() && sunken) {
        QRect f = r;
        frame3D(p, f, clBtnShadow, clBtnHighlight, 1);
    } else if (isEnabled() && mouseInside_) {
        QRect f = r;
        if (bevelStyle_ == bsRaised)
            frame3D(p, f, clBtnHighlight, clBtnShadow, 1);
        else
            frame3D(p, f, clBtnShadow, clBtnHighlight, 1);
    }
    const int shift = sunken ? 1 : 0;

    // Content: picture, caption and popup mark, centred in the client area.
    QImage bmp = shownBitmap();
    // The grey and engraved copies carry their own transparency; the user's
    // pictures are keyed on their lower-left pixel.
    const bool keyed = !bmp.isNull() && bmp.cacheKey() != FGrayBitmap.cacheKey()
        && bmp.cacheKey() != engravedBitmap_.cacheKey();
    const bool showText = !(options_ & boIconOnly) && !caption_.isEmpty();
    const int markSpace = hasPopup() ? kMarkWidth + kMargin : 0;
    const QRect area = r.adjusted(kMargin, kMargin, -kMargin - markSpace, -kMargin);
    int flags = Qt::TextShowMnemonic;
    flags |= alignment_ == taLeftJustify ? Qt::AlignLeft
        : alignment_ == taRightJustify   ? Qt::AlignRight
                                         : Qt::AlignHCenter;
    if (wordWrap_)
        flags |= Qt::TextWordWrap;
    p.setFont(font());
    const QFontMetrics fm(font());
    QSize text;
    if (showText) {
        const bool vertical = layout_ == blBitmapTop || layout_ == blBitmapBottom;
        const int avail
            = vertical || bmp.isNull() ? area.width() : area.width() - bmp.width() - kSpacing;
        text = fm.boundingRect(QRect(0, 0, qMax(1, avail), 0x7fff), flags, caption_).size();
    }
    const QSize pic = bmp.isNull() ? QSize() : bmp.size();
    const int gap = showText && !pic.isEmpty() ? kSpacing : 0;
    QRect picRect, textRect;
    if (layout_ == blBitmapTop || layout_ == blBitmapBottom) {
        const int total = pic.height() + gap + text.height();
        int y = area.top() + (area.height() - total) / 2;
        const int px = area.left() + (area.width() - pic.width()) / 2;
        if (layout_ == blBitmapTop) {
            picRect = QRect(QPoint(px, y), pic);
            textRect = QRect(area.left(), y + pic.height() + gap, area.width(), text.height());
        } else {
            textRect = QRect(area.left(), y, area.width(), text.height());
            picRect = QRect(QPoint(px, y + text.height() + gap), pic);
        }
    } else {
        const int total = pic.width() + gap + text.width();
        int x = area.left();
        if (alignment_ == taCenter)
            x += (area.width() - total) / 2;
        else if (alignment_ == taRightJustify)
            x += area.width() - total;
        const int py = area.top() + (area.height() - pic.height()) / 2;
        const int ty = area.top() + (area.height() - text.height()) / 2;
        if (layout_ == blBitmapLeft) {
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
            p.drawText(textRect.translated(1, 1), flags, caption_);
            p.setPen(toQColor(clBtnShadow));
        } else {
            p.setPen(toQColor(mouseInside_ ? fontColor_ : unselectedFontColor_));
        }
        p.drawText(textRect, flags, caption_);
    }
    if (hasPopup()) {
        // A small downward triangle right of the content: rows of 7, 5, 3, 1.
        const QRect content = showText ? fm.boundingRect(textRect, flags, caption_) : picRect;
        const int mx = qMin(content.right() + 1 + kMargin, width() - kMargin - kMarkWidth);
        const int my = content.top() + (content.height() - 4) / 2;
        p.setPen(toQColor(!isEnabled() ? clBtnShadow
                : mouseInside_         ? fontColor_
                                       : unselectedFontColor_));
        for (int row = 0; row < 4; ++row)
            p.drawLine(mx + row, my + row, mx + kMarkWidth - 1 - row, my + row);
    }
}

void ExplorerButton::updateShortcut()
{
    if (shortcutId_ != 0) {
        releaseShortcut(shortcutId_);
        shortcutId_ = 0;
    }
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    if (!key.isEmpty())
        shortcutId_ = grabShortcut(key);
}

bool ExplorerButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        if (static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_ && isEnabled()
            && isVisible())
            Click();
        return true;
    }
    return QWidget::event(event);
}

void ExplorerButton::enterEvent(QEnterEvent* event)
{
    if (!mouseInside_) {
        mouseInside_ = true;
        update();
    }
    QWidget::enterEvent(event);
}

void ExplorerButton::leaveEvent(QEvent* event)
{
    if (mouseInside_) {
        mouseInside_ = false;
        update();
    }
    QWidget::leaveEvent(event);
}

void ExplorerButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        clicks_.cancel();
        update();
    }
    QWidget::changeEvent(event);
}

void ExplorerButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled() && hasPopup()) {
        // The menu opens under the button's lower-left corner instead of a click.
        dropDownMenu_->popup(mapToGlobal(QPoint(0, height())));
        return;
    }
    if (!clicks_.press(event, isEnabled()))
        return QWidget::mousePressEvent(event);
    mouseInside_ = true;
    update();
}

void ExplorerButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!clicks_.tracking())
        return QWidget::mouseMoveEvent(event);
    const bool inside = ClickTracker::inside(this, event);
    if (inside != mouseInside_) {
        mouseInside_ = inside;
        update();
    }
}

void ExplorerButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!clicks_.release(event))
        return QWidget::mouseReleaseEvent(event);
    const bool inside = ClickTracker::inside(this, event);
    mouseInside_ = inside;
    update();
    if (inside)
        Click();
}

void ExplorerButton::Click()
{
    if (groupIndex_ != 0) {
        if (!down_)
            setDown(true);
        else if (allowAllUp_)
            setDown(false);
    }
    emit clicked();
}

} // namespace kyt
