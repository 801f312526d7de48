#include "DrawUtil.h"

#include <QFontMetrics>

#include <algorithm>

namespace kyt {

namespace {

int red(ColorCode c)
{
    return int(c & 0xFF);
}
int green(ColorCode c)
{
    return int((c >> 8) & 0xFF);
}
int blue(ColorCode c)
{
    return int((c >> 16) & 0xFF);
}

ColorCode shifted(ColorCode c, int n)
{
    const ColorCode v = resolveColor(c);
    auto clamp = [](int x) { return std::clamp(x, 0, 255); };
    return rgbValue(clamp(red(v) + n), clamp(green(v) + n), clamp(blue(v) + n));
}

// Text at (x, y), where (x, y) is the top-left corner of the text's line box.
void textAt(QPainter& p, int x, int y, const QString& text, ColorCode color)
{
    p.setPen(toQColor(color));
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), text);
}

} // namespace

int grayValue(ColorCode c)
{
    const ColorCode v = resolveColor(c);
    // round(sum / 100) for a non-negative sum, halves away from zero
    const int sum = 20 * red(v) + 50 * green(v) + 30 * blue(v);
    return (sum + 50) / 100;
}

ColorCode grayColor(ColorCode c)
{
    const int g = grayValue(c);
    return rgbValue(g, g, g);
}

ColorCode lighten(ColorCode c, int n)
{
    return shifted(c, n);
}

ColorCode darken(ColorCode c, int n)
{
    return shifted(c, -n);
}

void drawTransparent(QPainter& p, int x, int y, const QImage& img, ColorCode key)
{
    if (img.isNull())
        return;
    const QRgb keyRgb = toQColor(key).rgb() & 0x00FFFFFFu;
    QImage layer = img.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < layer.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(row));
        for (int col = 0; col < layer.width(); ++col) {
            if ((line[col] & 0x00FFFFFFu) == keyRgb)
                line[col] = 0;
            else
                line[col] |= 0xFF000000u;
        }
    }
    p.drawImage(x, y, layer);
}

void drawShadowText(QPainter& p, int x, int y, const QString& text, ColorCode textColor,
    ColorCode shadowColor, int depth)
{
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    textAt(p, x + depth, y + depth, text, shadowColor);
    textAt(p, x, y, text, textColor);
    p.restore();
}

void drawOutlineText(
    QPainter& p, int x, int y, const QString& text, ColorCode textColor, ColorCode outlineColor)
{
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    for (int dy : {-1, 1})
        for (int dx : {-1, 1})
            textAt(p, x + dx, y + dy, text, outlineColor);
    textAt(p, x, y, text, textColor);
    p.restore();
}

void draw3DText(QPainter& p, int x, int y, const QString& text, ColorCode textColor,
    ColorCode lightColor, ColorCode darkColor, int depth, bool raised)
{
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    textAt(p, x - depth, y - depth, text, raised ? lightColor : darkColor);
    textAt(p, x + depth, y + depth, text, raised ? darkColor : lightColor);
    textAt(p, x, y, text, textColor);
    p.restore();
}

void tileImage(QPainter& p, const QRect& r, const QImage& img)
{
    if (img.isNull() || r.isEmpty())
        return;
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    for (int y = r.top(); y <= r.bottom(); y += img.height())
        for (int x = r.left(); x <= r.right(); x += img.width())
            p.drawImage(x, y, img);
    p.restore();
}

void drawMasked(QPainter& p, int x, int y, const QImage& img, const QImage& mask)
{
    if (img.isNull() || mask.isNull())
        return;
    const int w = std::min(img.width(), mask.width());
    const int h = std::min(img.height(), mask.height());
    QImage layer = img.copy(0, 0, w, h).convertToFormat(QImage::Format_ARGB32);
    const QImage m = mask.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < h; ++row) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(row));
        const auto* mline = reinterpret_cast<const QRgb*>(m.constScanLine(row));
        for (int col = 0; col < w; ++col) {
            if (qGray(mline[col]) < 128)
                line[col] |= 0xFF000000u;
            else
                line[col] = 0;
        }
    }
    p.drawImage(x, y, layer);
}

void frame3D(QPainter& p, QRect& r, ColorCode topLeft, ColorCode bottomRight, int width)
{
    const QColor tl = toQColor(topLeft);
    const QColor br = toQColor(bottomRight);
    for (int i = 0; i < width; ++i) {
        if (r.width() > 0 && r.height() > 0) {
            const int left = r.left(), top = r.top(), right = r.right(), bottom = r.bottom();
            // top edge without its right end, left edge without its bottom end
            p.fillRect(QRect(QPoint(left, top), QPoint(right - 1, top)), tl);
            p.fillRect(QRect(QPoint(left, top), QPoint(left, bottom - 1)), tl);
            // right edge and bottom edge, corners included
            p.fillRect(QRect(QPoint(right, top), QPoint(right, bottom)), br);
            p.fillRect(QRect(QPoint(left, bottom), QPoint(right, bottom)), br);
        }
        r.adjust(1, 1, -1, -1);
    }
}

} // namespace kyt
