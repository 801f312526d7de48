#include "Gradient.h"

#include "PropertyHelpers.h"

#include <QPainter>

namespace kyt {

namespace {

// The NOTIFY signals of color1 to color5.
constexpr void (Gradient::*colorChanged[])(kyt::ColorCode)
    = {&Gradient::color1Changed, &Gradient::color2Changed, &Gradient::color3Changed,
        &Gradient::color4Changed, &Gradient::color5Changed};

} // namespace

Gradient::Gradient(QObject* parent) : QObject(parent) { }

void Gradient::setGradientStyle(Style value)
{
    if (!assign(this, gradientStyle_, value, &Gradient::gradientStyleChanged))
        return;
    emit changed();
}

void Gradient::setLineSize(qint32 value)
{
    value = qMax(1, value);
    if (!assign(this, lineSize_, value, &Gradient::lineSizeChanged))
        return;
    emit changed();
}

void Gradient::setColor(int n, ColorCode value)
{
    if (!assign(this, FColors[n], value, colorChanged[n]))
        return;
    emit changed();
}

void Gradient::setColorCount(int value)
{
    value = qBound(MinColorCount, value, MaxColorCount);
    if (!assign(this, colorCount_, value, &Gradient::colorCountChanged))
        return;
    emit changed();
}

void Gradient::setLineDirection(Direction value)
{
    if (!assign(this, lineDirection_, value, &Gradient::lineDirectionChanged))
        return;
    emit changed();
}

void Gradient::setOnDrawRect(DrawRectHandler value)
{
    onDrawRect_ = std::move(value);
    if (gradientStyle_ == gsCustomRect)
        emit changed();
}

void Gradient::Assign(const Gradient& source)
{
    if (&source == this)
        return;
    // One changed() for the whole copy; each property tells of its own change.
    assign(this, gradientStyle_, source.gradientStyle_, &Gradient::gradientStyleChanged);
    assign(this, lineSize_, source.lineSize_, &Gradient::lineSizeChanged);
    for (int i = 0; i < 5; ++i)
        assign(this, FColors[i], source.FColors[i], colorChanged[i]);
    assign(this, colorCount_, source.colorCount_, &Gradient::colorCountChanged);
    assign(this, lineDirection_, source.lineDirection_, &Gradient::lineDirectionChanged);
    emit changed();
}

ColorCode Gradient::BandColor(int k, int n) const
{
    // Position along the run of ColorCount + 1 colours, in 1/(n-1) steps.
    if (n <= 1)
        return resolveColor(FColors[0]);
    const int steps = n - 1;
    const int scaled = k * colorCount_; // over steps
    int seg = scaled / steps;
    int frac = scaled % steps;
    if (seg >= colorCount_) {
        seg = colorCount_ - 1;
        frac = steps;
    }
    const ColorCode a = resolveColor(FColors[seg]), b = resolveColor(FColors[seg + 1]);
    auto mix = [&](int shift) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return ca + (cb - ca) * frac / steps;
    };
    return rgbValue(mix(0), mix(8), mix(16));
}

void Gradient::Paint(QPainter& p, const QRect& r) const
{
    if (r.isEmpty())
        return;
    const int ls = lineSize_;
    p.save();
    p.setPen(Qt::NoPen);
    if (gradientStyle_ == gsLine) {
        const bool across = lineDirection_ == diHorizonal; // horizontal lines
        const int extent = across ? r.height() : r.width();
        const int n = (extent + ls - 1) / ls;
        for (int k = 0; k < n; ++k) {
            const QColor c = toQColor(BandColor(k, n));
            if (across)
                p.fillRect(QRect(r.left(), r.top() + k * ls, r.width(), ls).intersected(r), c);
            else
                p.fillRect(QRect(r.left() + k * ls, r.top(), ls, r.height()).intersected(r), c);
        }
    } else {
        // Concentric shapes from the outside in.
        const int half = (qMin(r.width(), r.height()) + 1) / 2;
        const int n = (half + ls - 1) / ls; // the innermost band is the last colour
        for (int k = 0; k < n; ++k) {
            QRect band = r.adjusted(k * ls, k * ls, -k * ls, -k * ls);
            if (gradientStyle_ == gsCustomRect && onDrawRect_)
                band = onDrawRect_(k, n, r);
            if (band.width() <= 0 || band.height() <= 0)
                break;
            p.setBrush(toQColor(BandColor(k, n)));
            if (gradientStyle_ == gsEllipse) {
                if (k == 0)
                    p.fillRect(r, toQColor(BandColor(0, n))); // the corners
                p.drawEllipse(band);
            } else {
                p.drawRect(band);
            }
        }
    }
    p.restore();
}

} // namespace kyt
