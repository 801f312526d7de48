#include "Label3D.h"

#include "PropertyHelpers.h"

#include "Fonts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace kyt {

void drawEmbossedText(QPainter& p, const QRect& r, int flags, const QString& text, Emboss kind,
    int s, ColorCode light, ColorCode dark, ColorCode fontColor, bool enabled)
{
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    if (kind == Emboss::None) {
        p.setPen(toQColor(fontColor));
        p.drawText(r, flags, text);
        p.restore();
        return;
    }
    if (kind != Emboss::Shadow && enabled) {
        p.setPen(toQColor(kind == Emboss::Raised ? light : dark));
        p.drawText(r.translated(-s, -s), flags, text);
    }
    p.setPen(toQColor(kind == Emboss::Lowered ? light : dark));
    p.drawText(r.translated(s, s), flags, text);
    p.setPen(toQColor(enabled ? fontColor : clGrayText));
    p.drawText(r, flags, text);
    p.restore();
}

QColor backgroundOf(const QWidget* w, ColorCode ownColor, bool parentColor)
{
    if (parentColor && w->parentWidget())
        return w->parentWidget()->palette().color(QPalette::Window);
    return toQColor(ownColor);
}

Label3D::Label3D(QWidget* parent) : QWidget(parent)
{
    setFont(defaultDeskFont());
    adjustBounds();
}

Label3D::Label3D(const QString& caption, QWidget* parent) : Label3D(parent)
{
    setCaption(caption);
}

void Label3D::setCaption(const QString& value)
{
    if (!assign(this, caption_, value, &Label3D::captionChanged))
        return;
    updateShortcut();
    adjustBounds();
    update();
}

void Label3D::setColor(ColorCode value)
{
    if (value == color_ && !parentColor_)
        return;
    assign(this, color_, value, &Label3D::colorChanged);
    assign(this, parentColor_, false, &Label3D::parentColorChanged);
    update();
}

void Label3D::setParentColor(bool value)
{
    if (!assign(this, parentColor_, value, &Label3D::parentColorChanged))
        return;
    update();
}

void Label3D::setFontColor(ColorCode value)
{
    if (!assign(this, fontColor_, value, &Label3D::fontColorChanged))
        return;
    update();
}

void Label3D::setAlignment(Alignment value)
{
    if (!assign(this, alignment_, value, &Label3D::alignmentChanged))
        return;
    update();
}

void Label3D::setAutoSize(bool value)
{
    if (!assign(this, autoSize_, value, &Label3D::autoSizeChanged))
        return;
    adjustBounds();
    update();
}

void Label3D::setTransparent(bool value)
{
    if (!assign(this, transparent_, value, &Label3D::transparentChanged))
        return;
    update();
}

void Label3D::setWordWrap(bool value)
{
    if (!assign(this, wordWrap_, value, &Label3D::wordWrapChanged))
        return;
    adjustBounds();
    update();
}

void Label3D::setShowAccelChar(bool value)
{
    if (!assign(this, showAccelChar_, value, &Label3D::showAccelCharChanged))
        return;
    updateShortcut();
    adjustBounds();
    update();
}

void Label3D::setFocusControl(QWidget* value)
{
    if (!assign(this, focusControl_, value, &Label3D::focusControlChanged))
        return;
    updateShortcut();
}

void Label3D::setHighLightColor(ColorCode value)
{
    if (!assign(this, highLightColor_, value, &Label3D::highLightColorChanged))
        return;
    update();
}

void Label3D::setShadowColor(ColorCode value)
{
    if (!assign(this, shadowColor_, value, &Label3D::shadowColorChanged))
        return;
    update();
}

void Label3D::setBevel(Bevel value)
{
    if (!assign(this, bevel_, value, &Label3D::bevelChanged))
        return;
    update();
}

void Label3D::setShadowSize(quint8 value)
{
    if (!assign(this, shadowSize_, value, &Label3D::shadowSizeChanged))
        return;
    update();
}

int Label3D::textFlags() const
{
    int flags = Qt::AlignTop | Qt::TextExpandTabs | Qt::TextWordWrap;
    switch (alignment_) {
    case taLeftJustify: flags |= Qt::AlignLeft; break;
    case taRightJustify: flags |= Qt::AlignRight; break;
    case taCenter: flags |= Qt::AlignHCenter; break;
    }
    if (showAccelChar_)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QSize Label3D::TextExtent() const
{
    QString text = caption_;
    if (text.isEmpty() || (showAccelChar_ && text == QLatin1String("&")))
        text = QStringLiteral(" ");
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    if (showAccelChar_)
        flags |= Qt::TextShowMnemonic;
    if (wordWrap_) {
        // Wrapped labels keep their width and grow downwards.
        const QRect r = textBounds(font(), logicalDpiY(), QRect(0, 0, qMax(1, width()), 0x7fff),
            flags | Qt::TextWordWrap, text);
        return {width(), r.height()};
    }
    const QRect r = textBounds(font(), logicalDpiY(), QRect(0, 0, 0x7fff, 0x7fff), flags, text);
    return {r.width(), r.height()};
}

void Label3D::adjustBounds()
{
    if (!autoSize_)
        return;
    const QSize s = TextExtent();
    int x = this->x();
    if (alignment_ == taRightJustify)
        x += width() - s.width(); // keep the right edge in place
    setGeometry(x, y(), s.width(), s.height());
}

void Label3D::updateShortcut()
{
    if (shortcutId_ != 0) {
        releaseShortcut(shortcutId_);
        shortcutId_ = 0;
    }
    if (!showAccelChar_ || !focusControl_)
        return;
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    if (!key.isEmpty())
        shortcutId_ = grabShortcut(key);
}

bool Label3D::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(event);
        if (se->shortcutId() == shortcutId_ && focusControl_ && focusControl_->isEnabled())
            focusControl_->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QWidget::event(event);
}

void Label3D::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        adjustBounds();
        update();
    }
    QWidget::changeEvent(event);
}

void Label3D::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!transparent_)
        p.fillRect(rect(), backgroundOf(this, color_, parentColor_));
    p.setFont(font());
    const Emboss kind = embossOf(bevel_);
    drawEmbossedText(p, rect(), textFlags(), caption_, kind, shadowSize_, highLightColor_,
        shadowColor_, fontColor_, isEnabled());
}

void Label3D::mousePressEvent(QMouseEvent* event)
{
    clicks_.press(event);
    QWidget::mousePressEvent(event);
}

void Label3D::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = clicks_.release(event) && ClickTracker::inside(this, event);
    if (click)
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void Label3D::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace kyt
