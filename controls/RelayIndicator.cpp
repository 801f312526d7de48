#include "RelayIndicator.h"

#include "DrawUtil.h"
#include "Pictures.h"
#include "PropertyHelpers.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace kyt {

RelayIndicator::RelayIndicator(QWidget* parent) : QWidget(parent)
{
    // The face covers the whole control: nothing behind it is drawn first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    apple_ = loadPicture(QStringLiteral("APPLE"));
    resize(80, 25);
    compose();
}

void RelayIndicator::setApple(const QImage& b)
{
    if (&b == &apple_)
        return;
    takeApple(b);
    refresh();
}

bool RelayIndicator::takeApple(const QImage& b)
{
    bool changed
        = assign(this, apple_, b.isNull() ? QImage() : b.convertToFormat(QImage::Format_RGB32),
            &RelayIndicator::appleChanged);
    if (!apple_.isNull())
        changed |= assign(this, transparentColor_, fromQColor(QColor(apple_.pixel(0, 0))),
            &RelayIndicator::transparentColorChanged);
    return changed;
}

void RelayIndicator::setLook(const QImage& picture, double value)
{
    bool changed = &picture != &apple_ && takeApple(picture);
    changed |= assign(this, value_, value, &RelayIndicator::valueChanged);
    if (changed)
        refresh();
}

void RelayIndicator::loadApple(const QString& name)
{
    QImage picture = loadPicture(name);
    if (picture.isNull())
        throw ResourceNotFound("Resource " + name.toStdString() + " not found");
    assign(this, apple_, picture, &RelayIndicator::appleChanged);
    compose();
}

void RelayIndicator::setBorder(bool value)
{
    if (assign(this, border_, value, &RelayIndicator::borderChanged))
        refresh();
}

void RelayIndicator::setColor(ColorCode value)
{
    if (assign(this, color_, value, &RelayIndicator::colorChanged))
        refresh();
}

void RelayIndicator::setCtl3D(bool value)
{
    if (assign(this, ctl3D_, value, &RelayIndicator::ctl3DChanged))
        refresh();
}

void RelayIndicator::setLineWrap(bool value)
{
    if (assign(this, lineWrap_, value, &RelayIndicator::lineWrapChanged))
        refresh();
}

void RelayIndicator::setTransparentColor(ColorCode value)
{
    if (assign(this, transparentColor_, value, &RelayIndicator::transparentColorChanged))
        refresh();
}

void RelayIndicator::setValue(double x)
{
    if (!assign(this, value_, x, &RelayIndicator::valueChanged))
        return;
    refresh();
}

void RelayIndicator::refresh()
{
    compose();
    repaint();
}

const QImage& RelayIndicator::face() const
{
    if (faceStale_)
        composeFace();
    return face_;
}

void RelayIndicator::composeFace() const
{
    faceStale_ = false;
    const int w = width(), h = height();
    face_ = QImage(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    if (face_.isNull())
        return;
    const QColor background = toQColor(color_);
    face_.fill(background);
    QPainter p(&face_);

    int m = 0;
    if (border_ && ctl3D_) {
        m = 4;
    } else if (border_) {
        p.setPen(Qt::black);
        p.setBrush(background);
        p.drawRect(0, 0, w - 1, h - 1);
        m = 3;
    }

    if (!apple_.isNull()) {
        const int pw = apple_.width(), ph = apple_.height();
        // A theme colour as transparent colour means the picture's own
        // bottom-left pixel colour.
        const ColorCode key = (transparentColor_ & kThemeBit)
            ? fromQColor(QColor(apple_.pixel(0, ph - 1)))
            : transparentColor_;
        int x = m, y = m;
        const int s = 2;
        double r = value_;
        bool full = false;
        // Rows below the control can never show: drawing stops there, so that a
        // huge count with line wrap ends at once.
        while (r > 1 && !full && y < h) {
            drawTransparent(p, x, y, apple_, key);
            x += pw + s;
            if (x + pw >= w - m) {
                if (!lineWrap_) {
                    full = true;
                } else {
                    y += ph + s;
                    x = m;
                }
            }
            r -= 1;
        }
        if (!full && r > 0 && y < h) {
            const int part = int(std::lround(pw * r));
            if (part > 0)
                drawTransparent(p, x, y, apple_.copy(0, 0, part, ph), key);
        }
    }

    if (border_) {
        if (ctl3D_) {
            QRect r(0, 0, w, h);
            frame3D(p, r, clBtnShadow, clBtnHighlight, 1);
            frame3D(p, r, cl3DDkShadow, clBtnFace, 1);
        } else {
            p.setPen(Qt::black);
            p.setBrush(Qt::NoBrush);
            p.drawRect(0, 0, w - 1, h - 1);
        }
    }
}

void RelayIndicator::paintEvent(QPaintEvent*)
{
    const QImage& shown = face();
    QPainter p(this);
    p.drawImage(0, 0, shown);
}

void RelayIndicator::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    compose();
}

void RelayIndicator::mousePressEvent(QMouseEvent* e)
{
    clicks_.press(e);
}

void RelayIndicator::mouseReleaseEvent(QMouseEvent* e)
{
    if (clicks_.release(e) && ClickTracker::inside(this, e))
        emit clicked();
}

void RelayIndicator::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
    mousePressEvent(e);
}

} // namespace kyt
