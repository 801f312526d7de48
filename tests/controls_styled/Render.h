#pragma once
// Rendering helpers of the control tests: pictures of widgets over a known
// background, and pixel sets to compare letter shapes.

#include "Colors.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <set>
#include <utility>

namespace kyt::test {

// A plain coloured surface to put controls on.
class Backdrop : public QWidget {
public:
    Backdrop(int w, int h, ColorCode color) : color_(color)
    {
        resize(w, h);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, toQColor(color));
        setPalette(pal);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), toQColor(color_)); }

private:
    ColorCode color_;
};

// The widget and its children drawn over `under`.
inline QImage render(QWidget& w, ColorCode under = rgbValue(1, 2, 3))
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(toQColor(under));
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

// Colour value of a pixel.
inline ColorCode at(const QImage& img, int x, int y)
{
    return fromQColor(img.pixelColor(x, y));
}

using Pixels = std::set<std::pair<int, int>>;

// All pixels of one colour.
inline Pixels pixelsOf(const QImage& img, ColorCode c)
{
    Pixels s;
    const QRgb want = toQColor(c).rgb();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == want)
                s.insert({x, y});
    return s;
}

inline Pixels shifted(const Pixels& s, int dx, int dy)
{
    Pixels r;
    for (auto [x, y] : s)
        r.insert({x + dx, y + dy});
    return r;
}

inline int count(const QImage& img, ColorCode c)
{
    return int(pixelsOf(img, c).size());
}

inline void mouse(QWidget& w, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent e(type, QPointF(at), w.mapToGlobal(QPointF(at)),
        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

inline void press(QWidget& w, QPoint p)
{
    mouse(w, QEvent::MouseButtonPress, p);
}
inline void release(QWidget& w, QPoint p)
{
    mouse(w, QEvent::MouseButtonRelease, p);
}
inline void moveTo(QWidget& w, QPoint p)
{
    mouse(w, QEvent::MouseMove, p);
}
inline QPoint centre(const QWidget& w)
{
    return {w.width() / 2, w.height() / 2};
}

} // namespace kyt::test
