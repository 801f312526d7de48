#include "Label3D.h"

#include "Fonts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace kyt {

void drawEmbossedText(QPainter& p, const QRect& r, int flags, const QString& text,
                      Emboss kind, int s, TColor light, TColor dark, TColor fontColor,
                      bool enabled)
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

QColor backgroundOf(const QWidget* w, TColor ownColor, bool parentColor)
{
    if (parentColor && w->parentWidget())
        return w->parentWidget()->palette().color(QPalette::Window);
    return toQColor(ownColor);
}

TLabel3D::TLabel3D(QWidget* parent) : QWidget(parent)
{
    setFont(defaultDeskFont());
    adjustBounds();
}

TLabel3D::TLabel3D(const QString& caption, QWidget* parent) : TLabel3D(parent)
{
    setCaption(caption);
}

void TLabel3D::setCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    updateShortcut();
    adjustBounds();
    update();
}

void TLabel3D::setColor(TColor value)
{
    if (value == FColor && !FParentColor)
        return;
    FColor = value;
    FParentColor = false;
    update();
}

void TLabel3D::setParentColor(bool value)
{
    if (value == FParentColor)
        return;
    FParentColor = value;
    update();
}

void TLabel3D::setFontColor(TColor value)
{
    if (value == FFontColor)
        return;
    FFontColor = value;
    update();
}

void TLabel3D::setAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    update();
}

void TLabel3D::setAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    adjustBounds();
    update();
}

void TLabel3D::setTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    update();
}

void TLabel3D::setWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    adjustBounds();
    update();
}

void TLabel3D::setShowAccelChar(bool value)
{
    if (value == FShowAccelChar)
        return;
    FShowAccelChar = value;
    updateShortcut();
    adjustBounds();
    update();
}

void TLabel3D::setFocusControl(QWidget* value)
{
    if (value == FFocusControl)
        return;
    FFocusControl = value;
    updateShortcut();
}

void TLabel3D::setHighLightColor(TColor value)
{
    if (value == FHighLightColor)
        return;
    FHighLightColor = value;
    update();
}

void TLabel3D::setShadowColor(TColor value)
{
    if (value == FShadowColor)
        return;
    FShadowColor = value;
    update();
}

void TLabel3D::setBevel(TLabel3DBevel value)
{
    if (value == FBevel)
        return;
    FBevel = value;
    update();
}

void TLabel3D::setShadowSize(quint8 value)
{
    if (value == FShadowSize)
        return;
    FShadowSize = value;
    update();
}

int TLabel3D::textFlags() const
{
    int flags = Qt::AlignTop | Qt::TextExpandTabs | Qt::TextWordWrap;
    switch (FAlignment) {
    case taLeftJustify: flags |= Qt::AlignLeft; break;
    case taRightJustify: flags |= Qt::AlignRight; break;
    case taCenter: flags |= Qt::AlignHCenter; break;
    }
    if (FShowAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QSize TLabel3D::TextExtent() const
{
    QString text = FCaption;
    if (text.isEmpty() || (FShowAccelChar && text == QLatin1String("&")))
        text = QStringLiteral(" ");
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    if (FShowAccelChar)
        flags |= Qt::TextShowMnemonic;
    const QFontMetrics fm(font());
    if (FWordWrap) {
        // Wrapped labels keep their width and grow downwards.
        const QRect r = fm.boundingRect(QRect(0, 0, qMax(1, width()), 0x7fff),
                                        flags | Qt::TextWordWrap, text);
        return {width(), r.height()};
    }
    const QRect r = fm.boundingRect(QRect(0, 0, 0x7fff, 0x7fff), flags, text);
    return {r.width(), r.height()};
}

void TLabel3D::adjustBounds()
{
    if (!FAutoSize)
        return;
    const QSize s = TextExtent();
    int x = this->x();
    if (FAlignment == taRightJustify)
        x += width() - s.width();  // keep the right edge in place
    setGeometry(x, y(), s.width(), s.height());
}

void TLabel3D::updateShortcut()
{
    if (FShortcutId != 0) {
        releaseShortcut(FShortcutId);
        FShortcutId = 0;
    }
    if (!FShowAccelChar || !FFocusControl)
        return;
    const QKeySequence key = QKeySequence::mnemonic(FCaption);
    if (!key.isEmpty())
        FShortcutId = grabShortcut(key);
}

bool TLabel3D::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(event);
        if (se->shortcutId() == FShortcutId && FFocusControl && FFocusControl->isEnabled())
            FFocusControl->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QWidget::event(event);
}

void TLabel3D::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        adjustBounds();
        update();
    }
    QWidget::changeEvent(event);
}

void TLabel3D::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!FTransparent)
        p.fillRect(rect(), backgroundOf(this, FColor, FParentColor));
    p.setFont(font());
    Emboss kind = Emboss::None;
    switch (FBevel) {
    case bvNone: kind = Emboss::None; break;
    case bvLowered: kind = Emboss::Lowered; break;
    case bvRaised: kind = Emboss::Raised; break;
    case bvShadow: kind = Emboss::Shadow; break;
    }
    drawEmbossedText(p, rect(), textFlags(), FCaption, kind, FShadowSize, FHighLightColor,
                     FShadowColor, FFontColor, isEnabled());
}

void TLabel3D::mousePressEvent(QMouseEvent* event)
{
    FPressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TLabel3D::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = FPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        emit OnClick(this);
    QWidget::mouseReleaseEvent(event);
}

void TLabel3D::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit OnDblClick(this);
    QWidget::mouseDoubleClickEvent(event);
}

}  // namespace kyt
