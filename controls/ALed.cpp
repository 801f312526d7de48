#include "ALed.h"

#include "Pictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <vector>

namespace kyt {

namespace {

const char* styleImageName(TALed::TLEDStyle s)
{
    switch (s) {
    case TALed::LEDSmall: return "ALEDSM";
    case TALed::LEDLarge: return "ALEDLG";
    case TALed::LEDSqSmall: return "ALEDSQSM";
    case TALed::LEDSqLarge: return "ALEDSQLG";
    case TALed::LEDVertical: return "ALEDVT";
    case TALed::LEDHorizontal: return "ALEDHZ";
    }
    return "ALEDSM";
}

// Recolours the 4-connected surface of exact lime that holds `start`.
void floodLime(QImage& img, QPoint start, TColor color)
{
    const QRgb lime = qRgb(0, 255, 0);
    const QRgb fill = toQColor(color).rgb();
    if (img.isNull() || !img.rect().contains(start) || fill == lime)
        return;
    if (img.pixel(start) != lime)
        return;
    std::vector<QPoint> todo{start};
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

}  // namespace

TALed::TALed(QWidget* parent) : QWidget(parent)
{
    resize(16, 16);
    rebuildImages();
}

TALed::~TALed()
{
    stopBlinkTimer();
}

QSize TALed::styleSize(TLEDStyle s)
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

void TALed::rebuildImages()
{
    lit_ = QImage();
    unlit_ = QImage();
    resize(styleSize(ledStyle_));
    const QImage picture = loadPicture(QString::fromLatin1(styleImageName(ledStyle_)));
    if (picture.isNull())
        return;
    lit_ = picture.copy();
    unlit_ = picture.copy();
    const QPoint centre(width() / 2, height() / 2);
    floodLime(lit_, centre, trueColor_);
    floodLime(unlit_, centre, falseColor_);
}

void TALed::showFrame(int frame)
{
    frame_ = frame;
    repaint();
}

void TALed::startBlinkTimer()
{
    if (timer_)
        return;
    frame_ = 0;
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &TALed::blinkTick);
    // A period of zero or less never ticks: a lamp must not spin the event loop.
    timer_->setInterval(interval_);
    if (interval_ > 0)
        timer_->start();
}

void TALed::stopBlinkTimer()
{
    if (!timer_)
        return;
    // The lamp may be switched off from its own OnTimer handler, that is from
    // inside the timer's signal: the timer goes away once that has returned.
    timer_->stop();
    timer_->disconnect(this);
    timer_->deleteLater();
    timer_ = nullptr;
}

void TALed::blinkTick()
{
    showFrame(frame_ == 0 ? 1 : 0);
    emit OnTimer(this);
}

void TALed::setValue(bool v)
{
    if (v == value_)
        return;
    value_ = v;
    if (v) {
        showFrame(0);
        if (blink_)
            startBlinkTimer();
    } else {
        stopBlinkTimer();
        showFrame(1);
    }
}

void TALed::setBlink(bool b)
{
    if (b == blink_)
        return;
    showFrame(value_ ? 0 : 1);
    blink_ = b;
    if (blink_ && value_)
        startBlinkTimer();
    else
        stopBlinkTimer();
}

void TALed::setColor(TColor& field, TColor c)
{
    if (c == field)
        return;
    const bool wasBlinking = blink_;
    if (wasBlinking)
        setBlink(false);
    field = c;
    rebuildImages();
    setBlink(wasBlinking);
    repaint();
}

void TALed::setTrueColor(TColor c) { setColor(trueColor_, c); }

void TALed::setFalseColor(TColor c) { setColor(falseColor_, c); }

void TALed::setLEDStyle(TLEDStyle s)
{
    if (s == ledStyle_)
        return;
    ledStyle_ = s;
    rebuildImages();
    repaint();
}

void TALed::setInterval(int ms)
{
    interval_ = ms;
    if (!timer_)
        return;
    timer_->setInterval(ms);
    if (ms > 0)
        timer_->start();  // restarts the count from now
    else
        timer_->stop();
}

void TALed::paintEvent(QPaintEvent*)
{
    const QImage& img = frame_ == 0 ? lit_ : unlit_;
    if (img.isNull())
        return;
    QPainter p(this);
    p.drawImage(rect(), img);
}

void TALed::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    emit OnMouseEnter(this);
}

void TALed::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    emit OnMouseLeave(this);
}

void TALed::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        pressed_ = true;
    QWidget::mousePressEvent(e);
}

void TALed::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton)
        pressed_ = false;
    QWidget::mouseReleaseEvent(e);
    if (click)
        emit OnClick(this);
}

}  // namespace kyt
