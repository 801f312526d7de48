#include "Gradient.h"

#include <QPainter>

namespace kyt {

TGradient::TGradient(QObject* parent) : QObject(parent) {}

void TGradient::setGradientStyle(TGradientStyle value)
{
    if (value == FGradientStyle)
        return;
    FGradientStyle = value;
    emit OnChange(this);
}

void TGradient::setLineSize(qint32 value)
{
    value = qMax(1, value);
    if (value == FLineSize)
        return;
    FLineSize = value;
    emit OnChange(this);
}

void TGradient::setColor(int n, TColor value)
{
    if (value == FColors[n])
        return;
    FColors[n] = value;
    emit OnChange(this);
}

void TGradient::setColorCount(int value)
{
    value = qBound(MinColorCount, value, MaxColorCount);
    if (value == FColorCount)
        return;
    FColorCount = value;
    emit OnChange(this);
}

void TGradient::setLineDirection(TDirection value)
{
    if (value == FLineDirection)
        return;
    FLineDirection = value;
    emit OnChange(this);
}

void TGradient::setOnDrawRect(TDrawRectEvent value)
{
    FOnDrawRect = std::move(value);
    if (FGradientStyle == gsCustomRect)
        emit OnChange(this);
}

void TGradient::Assign(const TGradient& source)
{
    if (&source == this)
        return;
    FGradientStyle = source.FGradientStyle;
    FLineSize = source.FLineSize;
    for (int i = 0; i < 5; ++i)
        FColors[i] = source.FColors[i];
    FColorCount = source.FColorCount;
    FLineDirection = source.FLineDirection;
    emit OnChange(this);
}

TColor TGradient::BandColor(int k, int n) const
{
    // Position along the run of ColorCount + 1 colours, in 1/(n-1) steps.
    if (n <= 1)
        return resolveColor(FColors[0]);
    const int steps = n - 1;
    const int scaled = k * FColorCount;  // over steps
    int seg = scaled / steps;
    int frac = scaled % steps;
    if (seg >= FColorCount) {
        seg = FColorCount - 1;
        frac = steps;
    }
    const TColor a = resolveColor(FColors[seg]), b = resolveColor(FColors[seg + 1]);
    auto mix = [&](int shift) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return ca + (cb - ca) * frac / steps;
    };
    return rgbValue(mix(0), mix(8), mix(16));
}

void TGradient::Paint(QPainter& p, const QRect& r) const
{
    if (r.isEmpty())
        return;
    const int ls = FLineSize;
    p.save();
    p.setPen(Qt::NoPen);
    if (FGradientStyle == gsLine) {
        const bool across = FLineDirection == diHorizonal;  // horizontal lines
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
        const int n = (half + ls - 1) / ls;  // the innermost band is the last colour
        for (int k = 0; k < n; ++k) {
            QRect band = r.adjusted(k * ls, k * ls, -k * ls, -k * ls);
            if (FGradientStyle == gsCustomRect && FOnDrawRect)
                band = FOnDrawRect(k, n, r);
            if (band.width() <= 0 || band.height() <= 0)
                break;
            p.setBrush(toQColor(BandColor(k, n)));
            if (FGradientStyle == gsEllipse) {
                if (k == 0)
                    p.fillRect(r, toQColor(BandColor(0, n)));  // the corners
                p.drawEllipse(band);
            } else {
                p.drawRect(band);
            }
        }
    }
    p.restore();
}

}  // namespace kyt
