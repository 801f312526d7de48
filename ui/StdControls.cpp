#include "StdControls.h"

#include "Fonts.h"

#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QPicture>
#include <QPolygon>
#include <QScrollBar>
#include <QStyle>

namespace kyt {

// ---- Panel ----

Panel::Panel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // filled edge to edge
    color_ = clWhite;
    setColor(clBtnFace);
}

void Panel::setColor(ColorCode c)
{
    if (c == color_)
        return;
    color_ = c;
    // Controls that take their container's colour find it here.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(c));
    setPalette(pal);
    update();
}

void Panel::setBevelWidth(int w)
{
    if (w == bevel_ || w < 0)
        return;
    bevel_ = w;
    update();
}

void Panel::setCaption(const QString& c)
{
    if (c == caption_)
        return;
    caption_ = c;
    update();
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, toQColor(color_));
    for (int i = 0; i < bevel_; ++i) {
        const QRect b = r.adjusted(i, i, -i, -i);
        p.setPen(toQColor(clBtnHighlight));
        p.drawLine(b.topLeft(), b.topRight());
        p.drawLine(b.topLeft(), b.bottomLeft());
        p.setPen(toQColor(clBtnShadow));
        p.drawLine(b.bottomLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomRight());
    }
    if (!caption_.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(font());
        p.drawText(r, Qt::AlignCenter, caption_);
    }
}

// ---- Shape ----

Shape::Shape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // filled edge to edge
}

void Shape::setBrushColor(ColorCode c)
{
    if (c == brush_)
        return;
    brush_ = c;
    repaint(); // the train run changes sections in long sequences
}

void Shape::setPenColor(ColorCode c)
{
    if (c == pen_)
        return;
    pen_ = c;
    repaint();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(pen_));
    p.fillRect(rect().adjusted(1, 1, -1, -1), toQColor(brush_));
}

// ---- Label ----

Label::Label(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void Label::setCaption(const QString& c)
{
    if (c == text())
        return;
    setText(c);
    repaint();
}

bool Label::oneLinePlainText() const
{
    return !text().isEmpty() && !wordWrap() && textFormat() == Qt::PlainText && pixmap().isNull()
        && picture().isNull() && !movie() && !buddy() && margin() == 0 && frameWidth() == 0
        && indent() <= 0;
}

QSize Label::sizeHint() const
{
    if (!oneLinePlainText())
        return QLabel::sizeHint();
    ensurePolished();
    // As the base class measures a label that does not wrap: the caption's
    // bounding box at the label's alignment, without centring (which only
    // rounds), plus the contents margins.
    const QMargins m = contentsMargins();
    const int flags = int(QStyle::visualAlignment(
                          text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight, alignment()))
        & ~(Qt::AlignVCenter | Qt::AlignHCenter);
    const QRect box = textBounds(
        font(), logicalDpiY(), QRect(0, 0, 2000 - (m.left() + m.right()), 2000), flags, text());
    return QSize(box.width() + m.left() + m.right(), box.height() + m.top() + m.bottom())
        .expandedTo(minimumSize());
}

QSize Label::minimumSizeHint() const
{
    return oneLinePlainText() ? sizeHint() : QLabel::minimumSizeHint();
}

void Label::mouseReleaseEvent(QMouseEvent* e)
{
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

// ---- Memo ----

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setFocusPolicy(Qt::ClickFocus); // not reached by the Tab key
    setFrameShape(QFrame::Box);
    setColor(clWindow);
}

void Memo::setText(const QString& t)
{
    if (t == toPlainText())
        return;
    setPlainText(t);
    viewport()->repaint();
}

void Memo::setColor(ColorCode c)
{
    color_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(c));
    setPalette(pal);
}

// ---- Image ----

Image::Image(QWidget* parent) : QWidget(parent) { }

void Image::setPicture(const QImage& img)
{
    picture_ = img;
    coverWhenOpaque();
    update();
}

void Image::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    coverWhenOpaque();
}

void Image::coverWhenOpaque()
{
    // A picture without transparency that fills the control hides all
    // behind it: what lies behind is not drawn first.
    setAttribute(Qt::WA_OpaquePaintEvent,
        !picture_.isNull() && !picture_.hasAlphaChannel() && picture_.width() >= width()
            && picture_.height() >= height());
}

void Image::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

QImage triangleImage(int w, int h, bool pointsRight, ColorCode background)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(toQColor(background));
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(clGray));
    QPolygon tri;
    const int mid = (h - 1) / 2;
    if (pointsRight)
        tri << QPoint(0, 0) << QPoint(w - 1, mid) << QPoint(0, h - 1);
    else
        tri << QPoint(w - 1, 0) << QPoint(0, mid) << QPoint(w - 1, h - 1);
    p.drawPolygon(tri);
    return img;
}

} // namespace kyt
