#include "Led.h"

#include "PropertyHelpers.h"

#include "Pictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <map>
#include <tuple>
#include <vector>

namespace kyt {

namespace {

const char* styleImageName(Led::LedStyle s)
{
    switch (s) {
    case Led::LEDSmall: return "ALEDSM";
    case Led::LEDLarge: return "ALEDLG";
    case Led::LEDSqSmall: return "ALEDSQSM";
    case Led::LEDSqLarge: return "ALEDSQLG";
    case Led::LEDVertical: return "ALEDVT";
    case Led::LEDHorizontal: return "ALEDHZ";
    }
    return "ALEDSM";
}

// Recolours the 4-connected surface of exact lime that holds `start`.
void floodLime(QImage& img, QPoint start, ColorCode color)
{
    const QRgb lime = qRgb(0, 255, 0);
    const QRgb fill = toQColor(color).rgb();
    if (img.isNull() || !img.rect().contains(start) || fill == lime)
        return;
    if (img.pixel(start) != lime)
        return;
    std::vector<QPoint> todo {start};
    img.setPixel(start, fill);
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + d;
            if (img.rect().contains(q) && img.pixel(q) == lime) {
                img.setPixel(q, fill);
                todo.push_back(q);
            }
        }
    }
}

// The lamp's picture of the style with the lime surface around `centre`
// recoloured. The desk has dozens of lamps of a few styles and colours, and
// each lamp is recoloured as its style and colours are set: each picture is
// recoloured once, and the lamps share it (a lamp's copy is made on its
// first write).
QImage recolouredPicture(Led::LedStyle style, QPoint centre, ColorCode color)
{
    const QImage picture = loadPicture(QString::fromLatin1(styleImageName(style)));
    if (picture.isNull())
        return picture;
    const QRgb fill = toQColor(color).rgb();
    // Lamps are widgets: built and recoloured on the thread that shows them.
    static std::map<std::tuple<int, int, int, QRgb>, QImage> made;
    const auto key = std::make_tuple(int(style), centre.x(), centre.y(), fill);
    const auto known = made.find(key);
    if (known != made.end())
        return known->second;
    QImage img = picture.copy();
    floodLime(img, centre, color);
    made.emplace(key, img);
    return img;
}

} // namespace

Led::Led(QWidget* parent) : QWidget(parent)
{
    resize(16, 16);
    rebuildImages();
}

Led::~Led()
{
    stopBlinkTimer();
}

QSize Led::styleSize(LedStyle s)
{
    switch (s) {
    case LEDSmall:
    case LEDSqSmall: return QSize(16, 16);
    case LEDLarge:
    case LEDSqLarge: return QSize(22, 22);
    case LEDVertical: return QSize(14, 22);
    case LEDHorizontal: return QSize(22, 14);
    }
    return QSize(16, 16);
}

void Led::rebuildImages()
{
    lit_ = QImage();
    unlit_ = QImage();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(styleSize(ledStyle_));
    const QPoint centre(width() / 2, height() / 2);
    lit_ = recolouredPicture(ledStyle_, centre, trueColor_);
    unlit_ = recolouredPicture(ledStyle_, centre, falseColor_);
    if (lit_.isNull())
        return;
    // The pictures have no transparency and are drawn over the whole lamp.
    setAttribute(Qt::WA_OpaquePaintEvent, !lit_.hasAlphaChannel() && !unlit_.hasAlphaChannel());
}

void Led::showFrame(int frame, bool paint)
{
    if (frame == frame_)
        return; // the lamp shows it already
    frame_ = frame;
    if (paint)
        repaint();
}

void Led::startBlinkTimer()
{
    if (timer_)
        return;
    frame_ = 0;
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &Led::blinkTick);
    // A period of zero or less never ticks: a lamp must not spin the event loop.
    timer_->setInterval(interval_);
    if (interval_ > 0)
        timer_->start();
}

void Led::stopBlinkTimer()
{
    if (!timer_)
        return;
    // The lamp may be switched off from its own blinked() handler, that is from
    // inside the timer's signal: the timer goes away once that has returned.
    timer_->stop();
    timer_->disconnect(this);
    timer_->deleteLater();
    timer_ = nullptr;
}

void Led::blinkTick()
{
    showFrame(frame_ == 0 ? 1 : 0);
    emit blinked();
}

void Led::setValue(bool v)
{
    if (!assign(this, value_, v, &Led::valueChanged))
        return;
    if (v) {
        showFrame(0);
        if (blink_)
            startBlinkTimer();
    } else {
        stopBlinkTimer();
        showFrame(1);
    }
}

void Led::setBlink(bool b)
{
    if (assign(this, blink_, b, &Led::blinkChanged))
        restartBlinking();
}

void Led::restartBlinking(bool paint)
{
    showFrame(value_ ? 0 : 1, paint);
    if (blink_ && value_)
        startBlinkTimer();
    else
        stopBlinkTimer();
}

void Led::setColor(ColorCode& field, ColorCode c, void (Led::*changed)(kyt::ColorCode))
{
    if (!assign(this, field, c, changed))
        return;
    // A blinking lamp starts its blinking anew with the new images.
    const bool wasBlinking = blink_;
    if (wasBlinking) {
        blink_ = false;
        restartBlinking(false);
    }
    rebuildImages();
    if (wasBlinking) {
        blink_ = true;
        restartBlinking(false);
    }
    repaint(); // once, with the new images
}

void Led::setTrueColor(ColorCode c)
{
    setColor(trueColor_, c, &Led::trueColorChanged);
}

void Led::setFalseColor(ColorCode c)
{
    setColor(falseColor_, c, &Led::falseColorChanged);
}

void Led::setLEDStyle(LedStyle s)
{
    if (!assign(this, ledStyle_, s, &Led::ledStyleChanged))
        return;
    rebuildImages();
    repaint();
}

void Led::setInterval(int ms)
{
    assign(this, interval_, ms, &Led::intervalChanged);
    if (!timer_)
        return;
    timer_->setInterval(ms);
    if (ms > 0)
        timer_->start(); // restarts the count from now
    else
        timer_->stop();
}

void Led::paintEvent(QPaintEvent*)
{
    const QImage& img = frame_ == 0 ? lit_ : unlit_;
    if (img.isNull())
        return;
    QPainter p(this);
    p.drawImage(rect(), img);
}

void Led::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    emit mouseEntered();
}

void Led::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    emit mouseLeft();
}

void Led::mousePressEvent(QMouseEvent* e)
{
    clicks_.press(e);
    QWidget::mousePressEvent(e);
}

void Led::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = clicks_.release(e) && ClickTracker::inside(this, e);
    QWidget::mouseReleaseEvent(e);
    if (click)
        emit clicked();
}

} // namespace kyt
