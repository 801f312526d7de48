#include "DigitCounter.h"

#include "PropertyHelpers.h"

#include <QDateTime>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace kyt {

namespace {

constexpr int kSecondsPerDay = 86400;
const QDate kEpoch(1899, 12, 30);

// Days 1 January 0001 to 31 December 9999 relative to the epoch.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

struct DayAndTime {
    QDate date;
    int second = 0; // second of the day, 0..86399
};

DayAndTime decode(double t)
{
    if (!std::isfinite(t))
        t = 0;
    t = std::clamp(t, kFirstDay, kLastDay + 0.99999);
    const double days = std::trunc(t);
    const double frac = std::fabs(t - days);
    DayAndTime d;
    d.date = kEpoch.addDays(qint64(days));
    // Whole milliseconds first, so that 1/3 day is 08:00:00 and not 07:59:59.
    const auto ms = std::llround(frac * 1000.0 * kSecondsPerDay);
    d.second = std::clamp(int(ms / 1000), 0, kSecondsPerDay - 1);
    return d;
}

std::int64_t pow10(int n)
{
    std::int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

std::int64_t timeNumber(int second)
{
    return std::int64_t(second / 3600) * 10000 + (second / 60 % 60) * 100 + second % 60;
}

std::int64_t dateNumber(const QDate& d)
{
    const int yy = ((d.year() % 100) + 100) % 100;
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    const QChar first = format.isEmpty() ? QChar() : format.at(0).toLower();
    if (first == QLatin1Char('d'))
        return std::int64_t(d.day()) * 10000 + d.month() * 100 + yy;
    if (first == QLatin1Char('y'))
        return std::int64_t(yy) * 10000 + d.month() * 100 + d.day();
    return std::int64_t(d.month()) * 10000 + d.day() * 100 + yy;
}

// The two halves of a sign bitmap side by side, at the cells' height.
QImage halvesAtHeight(const QImage& img, int h)
{
    if (img.height() == h)
        return img;
    return img.scaled(img.width(), h);
}

// A bitmap as the cells are drawn from; a null one stays null.
QImage premultiplied(const QImage& b)
{
    return b.isNull() ? QImage() : b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

DigitCounter::DigitCounter(QWidget* parent) : QWidget(parent)
{
    resize(84, 20);
    animationTimer_ = new QTimer(this);
    animationTimer_->setInterval(100);
    connect(animationTimer_, &QTimer::timeout, this, &DigitCounter::animationTick);
    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(100);
    connect(clockTimer_, &QTimer::timeout, this, &DigitCounter::clockTick);
    compose();
}

double DigitCounter::toDateTimeValue(const QDateTime& dt)
{
    const qint64 days = kEpoch.daysTo(dt.date());
    const double frac = dt.time().msecsSinceStartOfDay() / (1000.0 * kSecondsPerDay);
    return days >= 0 ? double(days) + frac : double(days) - frac;
}

// ---- setters -------------------------------------------------------------

void DigitCounter::setValue(int v)
{
    if (v < 0 && !allowNegative_)
        v = 0;
    if (!assign(this, value_, v, &DigitCounter::valueChanged))
        return;
    refresh();
}

void DigitCounter::setDateTime(double t)
{
    assign(this, dateTime_, t, &DigitCounter::dateTimeChanged);
    refresh();
}

void DigitCounter::setShowLeadingZeros(bool b)
{
    if (!assign(this, showLeadingZeros_, b, &DigitCounter::showLeadingZerosChanged))
        return;
    refresh();
}

void DigitCounter::setDigitCount(int n)
{
    n = std::clamp(n, 1, 10);
    if (!assign(this, digitCount_, n, &DigitCounter::digitCountChanged))
        return;
    resizeOrRefresh();
}

void DigitCounter::setMode(Mode m)
{
    if (!assign(this, mode_, m, &DigitCounter::modeChanged))
        return;
    resizeOrRefresh();
}

void DigitCounter::setAllowNegative(bool b)
{
    b = b && !bmpPosNegSign_.isNull() && bmpPosNegSign_.width() > 0;
    if (!assign(this, allowNegative_, b, &DigitCounter::allowNegativeChanged))
        return;
    resizeOrRefresh();
}

void DigitCounter::setShowThousandsSeparator(bool b)
{
    b = b && !bmpThousandsSeparator_.isNull();
    if (!assign(this, showThousandsSeparator_, b, &DigitCounter::showThousandsSeparatorChanged))
        return;
    resizeOrRefresh();
}

void DigitCounter::setAutoSize(bool b)
{
    if (!assign(this, autoSize_, b, &DigitCounter::autoSizeChanged))
        return;
    if (b)
        resizeToContent();
}

void DigitCounter::setIncDecSpeed(int n)
{
    if (n <= 0)
        n = 1;
    if (!assign(this, incDecSpeed_, n, &DigitCounter::incDecSpeedChanged))
        return;
    animationTimer_->setInterval(n);
}

void DigitCounter::setIncDecSteps(int n)
{
    assign(this, incDecSteps_, n, &DigitCounter::incDecStepsChanged);
}

void DigitCounter::setRunning(bool b)
{
    if (!assign(this, running_, b, &DigitCounter::runningChanged))
        return;
    if (b)
        clockTimer_->start();
    else
        clockTimer_->stop();
}

void DigitCounter::setBmpDigits(const QImage& b)
{
    if (b.isNull() || b.width() % 11 != 0)
        throw DigitCounterError("BmpDigits requires a bitmap that contains the digits 0 through 9 "
                                "and an empty space of equal width");
    assign(this, bmpDigits_, premultiplied(b), &DigitCounter::bmpDigitsChanged);
    resizeOrRefresh();
}

void DigitCounter::setBmpPosNegSign(const QImage& b)
{
    if (b.isNull()) {
        assign(this, bmpPosNegSign_, QImage(), &DigitCounter::bmpPosNegSignChanged);
        setAllowNegative(false);
        return;
    }
    if (b.width() % 2 != 0)
        throw DigitCounterError("BmpPosNegSign requires a bitmap that contains a positive sign "
                                "and a negative sign of equal width");
    assign(this, bmpPosNegSign_, premultiplied(b), &DigitCounter::bmpPosNegSignChanged);
    if (allowNegative_)
        resizeOrRefresh();
}

void DigitCounter::setBmpThousandsSeparator(const QImage& b)
{
    if (b.isNull()) {
        assign(this, bmpThousandsSeparator_, QImage(), &DigitCounter::bmpThousandsSeparatorChanged);
        assign(this, showThousandsSeparator_, false, &DigitCounter::showThousandsSeparatorChanged);
        resizeOrRefresh();
        return;
    }
    assign(this, bmpThousandsSeparator_, premultiplied(b),
        &DigitCounter::bmpThousandsSeparatorChanged);
    resizeOrRefresh();
}

void DigitCounter::setBmpTimeSeparator(const QImage& b)
{
    assign(this, bmpTimeSeparator_, premultiplied(b), &DigitCounter::bmpTimeSeparatorChanged);
    if (mode_ == dmTime)
        resizeOrRefresh();
}

void DigitCounter::setBmpDateSeparator(const QImage& b)
{
    assign(this, bmpDateSeparator_, premultiplied(b), &DigitCounter::bmpDateSeparatorChanged);
    if (mode_ == dmDate)
        resizeOrRefresh();
}

void DigitCounter::setBmpAMPMSign(const QImage& b)
{
    if (!b.isNull() && b.width() % 2 != 0)
        throw DigitCounterError("BmpAMPMSign requires a bitmap that contains an AM sign "
                                "and a PM sign of equal width");
    assign(this, bmpAMPMSign_, premultiplied(b), &DigitCounter::bmpAMPMSignChanged);
    if (mode_ == dmTime)
        resizeOrRefresh();
}

void DigitCounter::loaded()
{
    if (autoSize_)
        resizeToContent();
}

// ---- size and drawing ----------------------------------------------------

int DigitCounter::contentWidth() const
{
    const int w = cellWidth();
    switch (mode_) {
    case dmCounter: {
        int total = w * digitCount_;
        if (showThousandsSeparator_ && !bmpThousandsSeparator_.isNull())
            total += bmpThousandsSeparator_.width() * ((digitCount_ - 1) / 3);
        if (allowNegative_ && !bmpPosNegSign_.isNull())
            total += bmpPosNegSign_.width() / 2;
        return total;
    }
    case dmTime: {
        int total = w * 6;
        if (!bmpTimeSeparator_.isNull())
            total += 2 * bmpTimeSeparator_.width();
        if (!bmpAMPMSign_.isNull())
            total += bmpAMPMSign_.width() / 2;
        return total;
    }
    case dmDate: {
        int total = w * 6;
        if (!bmpDateSeparator_.isNull())
            total += 2 * bmpDateSeparator_.width();
        return total;
    }
    }
    return 0;
}

void DigitCounter::resizeToContent()
{
    if (bmpDigits_.isNull())
        return;
    const QSize wanted(contentWidth(), bmpDigits_.height());
    if (wanted != size())
        setGeometry(x(), y(), wanted.width(), wanted.height());
    // The look may change without a change of size (another mode, say).
    refresh();
}

void DigitCounter::resizeOrRefresh()
{
    if (autoSize_)
        resizeToContent();
    else
        refresh();
}

void DigitCounter::refresh()
{
    compose();
    repaint();
}

std::int64_t DigitCounter::shownNumber(bool neighbour) const
{
    const bool forward = roll_ >= 1; // the neighbour is the value before
    switch (mode_) {
    case dmCounter: {
        const std::int64_t v = value_;
        if (!neighbour)
            return v;
        const std::int64_t p = pow10(digitCount_);
        if (!forward) {
            const std::int64_t next = v + 1;
            if (next == p)
                return allowNegative_ ? 1 - p : 0;
            return next;
        }
        const std::int64_t prev = v - 1;
        if (prev < 0 && !allowNegative_)
            return p - 1;
        return prev;
    }
    case dmTime: {
        int s = decode(dateTime_).second;
        if (neighbour)
            s = (s + (forward ? -1 : 1) + kSecondsPerDay) % kSecondsPerDay;
        return timeNumber(s);
    }
    case dmDate: {
        QDate d = decode(dateTime_).date;
        if (neighbour)
            d = d.addDays(forward ? -1 : 1);
        return dateNumber(d);
    }
    }
    return 0;
}

int DigitCounter::cellOf(std::int64_t v, int i) const
{
    const std::int64_t c = (v < 0 ? -v : v) / pow10(i - 1);
    const int d = int(c % 10);
    if (showLeadingZeros_)
        return d;
    if (mode_ == dmCounter)
        return (c != 0 || i == 1) ? d : 10;
    return (d == 0 && i % 2 == 0) ? 10 : d;
}

void DigitCounter::compose()
{
    face_ = QImage(size().expandedTo(QSize(0, 0)), QImage::Format_ARGB32_Premultiplied);
    if (face_.isNull())
        return;
    face_.fill(Qt::transparent);
    const int w = cellWidth();
    const int h = bmpDigits_.height();
    if (bmpDigits_.isNull() || w <= 0)
        return;

    QPainter p(&face_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const int steps = incDecSteps_;
    const bool rolling = roll_ != 0 && steps > 0;

    // One cell of width cw from src: the glyph at column cur, or, while
    // rolling, the glyph at cur sliding against the neighbour glyph at nb.
    auto drawCell = [&](int x, const QImage& src, int cw, int cur, int nb, bool roll) {
        if (!roll) {
            p.drawImage(QRect(x, 0, cw, h), src, QRect(cur, 0, cw, h));
            return;
        }
        if (roll_ >= 1) {
            // forward: the current glyph rises from below
            const int top = std::clamp(int(std::int64_t(h) * roll_ / steps), 0, h);
            p.drawImage(QRect(x, 0, cw, top), src, QRect(nb, h - top, cw, top));
            p.drawImage(QRect(x, top, cw, h - top), src, QRect(cur, 0, cw, h - top));
        } else {
            const int top = std::clamp(int(std::int64_t(h) * (roll_ + steps) / steps), 0, h);
            p.drawImage(QRect(x, 0, cw, top), src, QRect(cur, h - top, cw, top));
            p.drawImage(QRect(x, top, cw, h - top), src, QRect(nb, 0, cw, h - top));
        }
    };

    const int n = mode_ == dmCounter ? digitCount_ : 6;
    int x = contentWidth();
    std::int64_t v = shownNumber(false);
    std::int64_t vn = shownNumber(true);

    if (mode_ == dmTime && !bmpAMPMSign_.isNull()) {
        const int hw = bmpAMPMSign_.width() / 2;
        const QImage halves = halvesAtHeight(bmpAMPMSign_, h);
        const bool pm = v >= 120000, pmN = vn >= 120000;
        x -= hw;
        drawCell(x, halves, hw, pm ? hw : 0, pmN ? hw : 0, rolling && pm != pmN);
        for (std::int64_t* t : {&v, &vn}) {
            if (*t > 119999)
                *t -= 120000;
            if (*t < 10000)
                *t += 120000;
        }
    }

    const QImage& separator = mode_ == dmCounter ? bmpThousandsSeparator_
        : mode_ == dmTime                        ? bmpTimeSeparator_
                                                 : bmpDateSeparator_;
    for (int i = 1; i <= n; ++i) {
        x -= w;
        const int c = cellOf(v, i), cn = cellOf(vn, i);
        drawCell(x, bmpDigits_, w, c * w, cn * w, rolling && c != cn);
        const bool separatorAfter = mode_ == dmCounter
            ? (showThousandsSeparator_ && i % 3 == 0 && i < digitCount_)
            : (i == 2 || i == 4);
        if (separatorAfter && !separator.isNull()) {
            x -= separator.width();
            p.drawImage(x, 0, separator);
        }
    }

    if (mode_ == dmCounter && allowNegative_ && !bmpPosNegSign_.isNull()) {
        const int hw = bmpPosNegSign_.width() / 2;
        const QImage halves = halvesAtHeight(bmpPosNegSign_, h);
        const bool neg = v < 0, negN = vn < 0;
        drawCell(0, halves, hw, neg ? hw : 0, negN ? hw : 0, rolling && neg != negN);
    }
}

// ---- clock and animation ---------------------------------------------------

void DigitCounter::clockTick()
{
    clockTickAt(QDateTime::currentDateTime());
}

void DigitCounter::clockTickAt(const QDateTime& now)
{
    if (mode_ != dmTime)
        return;
    try {
        const double t = toDateTimeValue(now);
        const DayAndTime at = decode(t), shown = decode(dateTime_);
        // Within one day the clock only moves on to a later second; a new day
        // always counts, or the clock would stop at midnight.
        if (at.date == shown.date && at.second <= shown.second)
            return;
        assign(this, dateTime_, t, &DigitCounter::dateTimeChanged);
        roll_ = incDecSteps_ > 0 ? incDecSteps_ - 1 : 0;
        refresh();
        animationTimer_->start();
        emit rotationStarted();
    } catch (...) {
        roll_ = 0;
        refresh();
    }
}

void DigitCounter::animationTick()
{
    if (roll_ != 0) {
        roll_ += roll_ > 0 ? -1 : 1;
        refresh();
        return;
    }
    animationTimer_->stop();
    emit rotationFinished();
}

// ---- events ----------------------------------------------------------------

void DigitCounter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, face_);
}

void DigitCounter::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    compose();
}

void DigitCounter::mousePressEvent(QMouseEvent* e)
{
    clicks_.press(e);
}

void DigitCounter::mouseReleaseEvent(QMouseEvent* e)
{
    if (clicks_.release(e) && ClickTracker::inside(this, e))
        emit clicked();
}

void DigitCounter::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
    mousePressEvent(e);
}

} // namespace kyt
