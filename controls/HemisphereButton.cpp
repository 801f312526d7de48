#include "HemisphereButton.h"

#include "PropertyHelpers.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace kyt {

namespace {

// Whether pixel (x, y) belongs to the filled ellipse inscribed in the
// rectangle from (l, t) to (r, b), right and bottom edges excluded: the
// pixel's centre must lie inside the ellipse.
bool InEllipse(int x, int y, double l, double t, double r, double b)
{
    const double rx = (r - l) / 2, ry = (b - t) / 2;
    if (rx <= 0 || ry <= 0)
        return false;
    const double dx = (x + 0.5 - (l + r) / 2) / rx;
    const double dy = (y + 0.5 - (t + b) / 2) / ry;
    return dx * dx + dy * dy <= 1.0;
}

bool InInset(int x, int y, int w, int h, int inset)
{
    return InEllipse(x, y, inset, inset, w - inset, h - inset);
}

// Grey of a bevel ring pixel at offset (x, y) from the button's centre.
QRgb RingPixel(HemisphereButton::Bevel bevel, double x, double y)
{
    const double r = std::sqrt(x * x + y * y);
    const double slope = r > 0 ? (x + y) / r : 0.0;
    double s = bevel == HemisphereButton::hbLowered ? (1 + slope) / std::sqrt(6.0)
                                                    : (1 - slope) / std::sqrt(6.0);
    s = std::clamp(s, 0.0, 1.0);
    const int g = 128 + int(std::lround(128 * s));
    return qRgb(g, g, g);
}

} // namespace

HemisphereButton::HemisphereButton(QWidget* parent)
    : QWidget(parent), colorDark_(clGray), colorBright_(clWhite), borderColor_(clGray)
{
    // The caption is drawn in the desk's window text colour.
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, toQColor(clWindowText));
    setPalette(pal);
}

HemisphereButton::~HemisphereButton() = default;

void HemisphereButton::setAllowAllUp(bool value)
{
    if (value == allowAllUp_)
        return;
    if (loading_ || groupIndex_ == 0 || !parentWidget()) {
        assign(this, allowAllUp_, value, &HemisphereButton::allowAllUpChanged);
        return;
    }
    const auto siblings
        = parentWidget()->findChildren<HemisphereButton*>(Qt::FindDirectChildrenOnly);
    for (HemisphereButton* b : siblings)
        if (b->groupIndex_ == groupIndex_)
            assign(b, b->allowAllUp_, value, &HemisphereButton::allowAllUpChanged);
}

void HemisphereButton::setBevelInner(Bevel value)
{
    if (!assign(this, bevelInner_, value, &HemisphereButton::bevelInnerChanged))
        return;
    Changed();
}

void HemisphereButton::setBevelOuter(Bevel value)
{
    if (!assign(this, bevelOuter_, value, &HemisphereButton::bevelOuterChanged))
        return;
    Changed();
}

void HemisphereButton::setBevelWidth(int value)
{
    if (value <= 0 || !assign(this, bevelWidth_, value, &HemisphereButton::bevelWidthChanged))
        return;
    Changed();
}

void HemisphereButton::setBorderColor(ColorCode value)
{
    if (!assign(this, borderColor_, value, &HemisphereButton::borderColorChanged))
        return;
    Changed();
}

void HemisphereButton::setBorderStyle(BorderStyle value)
{
    if (!assign(this, borderStyle_, value, &HemisphereButton::borderStyleChanged))
        return;
    Changed();
}

void HemisphereButton::setCaption(const QString& value)
{
    if (!assign(this, caption_, value, &HemisphereButton::captionChanged))
        return;
    Changed();
}

void HemisphereButton::setColorBright(ColorCode value)
{
    assign(this, colorBright_, value, &HemisphereButton::colorBrightChanged);
    Changed();
}

void HemisphereButton::setColorDark(ColorCode value)
{
    assign(this, colorDark_, value, &HemisphereButton::colorDarkChanged);
    Changed();
}

void HemisphereButton::setPressed(bool value)
{
    if (!assign(this, pressed_, value, &HemisphereButton::pressedChanged))
        return;
    repaint();
}

void HemisphereButton::EndLoading()
{
    loading_ = false;
    Render();
    update();
}

int HemisphereButton::RingCount() const
{
    return (bevelOuter_ != hbNone ? 1 : 0) + (bevelInner_ != hbNone ? 1 : 0);
}

bool HemisphereButton::HitTest(int x, int y) const
{
    const double cx = width() / 2.0, cy = height() / 2.0;
    const int k = bevelWidth_ * RingCount();
    // Rings that leave no face leave nothing to press.
    if (cx - k <= 0 || cy - k <= 0)
        return false;
    const double dx = (x - cx) / (cx - k), dy = (y - cy) / (cy - k);
    return dx * dx + dy * dy <= 1.0;
}

const QImage& HemisphereButton::ImageOut()
{
    CheckSize();
    RenderIfStale();
    return imageOut_;
}

const QImage& HemisphereButton::ImageIn()
{
    CheckSize();
    RenderIfStale();
    return imageIn_;
}

void HemisphereButton::CheckSize()
{
    if (width() == renderedWidth_ && height() == renderedHeight_)
        return;
    if (!loading_)
        Render();
    renderedWidth_ = width();
    renderedHeight_ = height();
}

void HemisphereButton::Changed()
{
    Render();
    repaint();
}

// The looks are drawn when first needed (the first paint, or ImageOut() and
// ImageIn()), not at every change: a desk of buttons is built without
// drawing any of them before it is shown.
void HemisphereButton::Render()
{
    if (loading_ || width() <= 1 || height() <= 1)
        return;
    stale_ = true;
    renderedWidth_ = width();
    renderedHeight_ = height();
}

void HemisphereButton::RenderIfStale()
{
    if (!stale_ || width() <= 1 || height() <= 1)
        return;
    stale_ = false;
    imageOut_ = RenderLook(true);
    imageIn_ = RenderLook(false);
    // The shown part: the filled ellipse, one run of pixels per row.
    clip_ = QRegion();
    for (int y = 0; y < height(); ++y) {
        int x = 0;
        while (x < width() && !InInset(x, y, width(), height(), 0))
            ++x;
        int end = x;
        while (end < width() && InInset(end, y, width(), height(), 0))
            ++end;
        if (end > x)
            clip_ += QRect(x, y, end - x, 1);
    }
    renderedWidth_ = width();
    renderedHeight_ = height();
}

QImage HemisphereButton::RenderLook(bool convex) const
{
    const int w = width(), h = height();
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    // Text drawn into the image must measure as it would on the screen.
    img.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    img.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));

    // The face: light from the upper left front, direction (-1, -1, 1) / sqrt 3.
    const ColorCode dark = resolveColor(colorDark_), bright = resolveColor(colorBright_);
    const int dr = int(dark & 0xFF), dg = int((dark >> 8) & 0xFF), db = int((dark >> 16) & 0xFF);
    const int sr = int(bright & 0xFF) - dr, sg = int((bright >> 8) & 0xFF) - dg,
              sb = int((bright >> 16) & 0xFF) - db;
    const double root3 = std::sqrt(3.0);
    auto put = [&](double px, int py, double x, double y, double z) {
        const int ix = int(px);
        if (ix < 0 || ix >= w || py < 0 || py >= h)
            return;
        const double s = std::clamp((z - x - y) / root3, 0.0, 1.0);
        img.setPixel(ix, py,
            qRgb(dr + int(std::lround(sr * s)), dg + int(std::lround(sg * s)),
                db + int(std::lround(sb * s))));
    };
    const double a = h / 2.0, c = w / 2.0;
    const int rows = int(std::ceil(a));
    for (int n = 0; n <= rows; ++n) {
        const double b = convex ? 1 - n / a : n / a - 1;
        const int cols = int(std::ceil(c * std::sqrt(std::max(0.0, 1 - b * b))));
        for (int m = 0; m <= cols; ++m) {
            const double e = convex ? m / c : -m / c;
            const double rad = std::sqrt(b * b + e * e);
            const double z = convex ? 1 - rad : rad - 1;
            const double right = std::ceil(c + m), left = std::floor(c - m);
            put(right, n - 1, e, -b, z);
            put(right, h - n, e, b, z);
            put(left, h - n, -e, b, z);
            put(left, n - 1, -e, -b, z);
        }
    }

    if (!caption_.isEmpty()) {
        QPainter p(&img);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        const QFontMetrics fm(font(), &img);
        const int x = int(std::lround((w - fm.horizontalAdvance(caption_) - 1) / 2.0));
        const int y = int(std::lround((h - fm.height() - 1) / 2.0));
        p.drawText(x, y + fm.ascent(), caption_);
    }

    const int rings = RingCount();
    if (rings > 0) {
        const Bevel outer = bevelOuter_ != hbNone ? bevelOuter_ : bevelInner_;
        const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (InInset(x, y, w, h, rings * bevelWidth_))
                    continue;
                if (!InInset(x, y, w, h, 0))
                    img.setPixel(x, y, qRgb(0, 0, 0));
                else if (rings == 1 || !InInset(x, y, w, h, bevelWidth_))
                    img.setPixel(x, y, RingPixel(outer, x - cx, y - cy));
                else
                    img.setPixel(x, y, RingPixel(bevelInner_, x - cx, y - cy));
            }
    }

    if (borderStyle_ == bsSingle) {
        // The outline: pixels of the inset ellipse that touch a pixel outside it.
        const int inset = bevelWidth_ * rings;
        const QRgb colour = toQColor(borderColor_).rgb();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (InInset(x, y, w, h, inset)
                    && (!InInset(x - 1, y, w, h, inset) || !InInset(x + 1, y, w, h, inset)
                        || !InInset(x, y - 1, w, h, inset) || !InInset(x, y + 1, w, h, inset)))
                    img.setPixel(x, y, colour);
    }
    return img;
}

void HemisphereButton::paintEvent(QPaintEvent*)
{
    if (loading_)
        return;
    RenderIfStale();
    const QImage& img = pressed_ ? imageIn_ : imageOut_;
    if (img.isNull())
        return;
    QPainter p(this);
    p.setClipRegion(clip_);
    p.drawImage(0, 0, img);
}

void HemisphereButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    CheckSize();
}

void HemisphereButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        if (!caption_.isEmpty())
            Changed();
    }
}

void HemisphereButton::Press(QMouseEvent* event, bool doubleClick)
{
    const QPoint pt = event->position().toPoint();
    if (!clicks_.press(event, isEnabled() && HitTest(pt.x(), pt.y())))
        return;
    wasPressed_ = pressed_;
    setPressed(true);
    if (doubleClick)
        emit doubleClicked();
}

void HemisphereButton::mousePressEvent(QMouseEvent* event)
{
    Press(event, false);
}

void HemisphereButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    Press(event, true);
}

void HemisphereButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!clicks_.tracking() || wasPressed_)
        return;
    const QPoint pt = event->position().toPoint();
    setPressed(HitTest(pt.x(), pt.y()));
}

void HemisphereButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!clicks_.release(event))
        return;
    const QPoint pt = event->position().toPoint();
    if (!HitTest(pt.x(), pt.y()))
        return;
    // A click handler may hide or even delete the button.
    QPointer<HemisphereButton> self(this);
    emit clicked();
    if (!self)
        return;
    if (groupIndex_ == 0) {
        setPressed(false);
        return;
    }
    if (!allowAllUp_ && wasPressed_)
        return;
    if (parentWidget()) {
        const auto siblings
            = parentWidget()->findChildren<HemisphereButton*>(Qt::FindDirectChildrenOnly);
        for (HemisphereButton* b : siblings)
            if (b->groupIndex_ == groupIndex_)
                b->setPressed(false);
    } else {
        setPressed(false);
    }
    setPressed(!wasPressed_);
}

} // namespace kyt
