// The desk's lamp, relay indicator and digit counter.

#include "Colors.h"
#include "DigitCounter.h"
#include "Gallery.h"
#include "Led.h"
#include "Pictures.h"
#include "RelayIndicator.h"

#include <QDateTime>
#include <QPainter>

#include <memory>

using namespace kyt;

namespace {

QImage lamp(Led::LedStyle style, ColorCode trueColor, bool on)
{
    Led led;
    led.setBlink(false);
    led.setLEDStyle(style);
    led.setTrueColor(trueColor);
    led.setValue(on);
    return gallery::grab(led);
}

// An indicator as the desk sets it up: 22 x 23, sunken frame, one picture.
QImage indicator(const char* picture)
{
    RelayIndicator a;
    a.resize(22, 23);
    a.setValue(0);
    a.loadApple(QString::fromLatin1(picture));
    a.setValue(1);
    return gallery::grab(a);
}

QImage apples(double value, bool wrap, QSize size = QSize(80, 25), bool ctl3D = true)
{
    RelayIndicator a;
    a.resize(size);
    a.setCtl3D(ctl3D);
    a.setLineWrap(wrap);
    a.setValue(value);
    return gallery::grab(a);
}

// A counter as the desk sets it up: four digits with leading zeros.
std::unique_ptr<DigitCounter> deskCounter()
{
    auto d = std::make_unique<DigitCounter>();
    d->setBmpDigits(loadPicture(QStringLiteral("digits")));
    d->setDigitCount(4);
    d->setShowLeadingZeros(true);
    return d;
}

QImage counter(int value)
{
    auto d = deskCounter();
    d->setValue(value);
    return gallery::grab(*d);
}

// A sign strip for the signed counter: "+" and "-" on the blank drum cell.
QImage signStrip()
{
    const QImage strip = loadPicture(QStringLiteral("digits"));
    const int w = strip.width() / 11;
    QImage signs(2 * w, strip.height(), QImage::Format_RGB32);
    QPainter p(&signs);
    p.drawImage(0, 0, strip, 10 * w, 0, w, strip.height());
    p.drawImage(w, 0, strip, 10 * w, 0, w, strip.height());
    p.fillRect(4, 9, 6, 2, Qt::black);
    p.fillRect(6, 7, 2, 6, Qt::black);
    p.fillRect(w + 4, 9, 6, 2, Qt::black);
    return signs;
}

QImage signedCounter(int value)
{
    auto d = deskCounter();
    d->setBmpPosNegSign(signStrip());
    d->setAllowNegative(true);
    d->setValue(value);
    return gallery::grab(*d);
}

QImage rollingClock()
{
    DigitCounter d;
    d.setBmpDigits(loadPicture(QStringLiteral("digits")));
    d.setMode(DigitCounter::dmTime);
    d.setShowLeadingZeros(true);
    d.setDateTime(DigitCounter::toDateTimeValue(QDateTime(QDate(2024, 5, 1), QTime(13, 59, 59))));
    d.clockTickAt(QDateTime(QDate(2024, 5, 1), QTime(14, 0, 0))); // starts the roll
    d.animationTick(); // one frame further: halfway
    return gallery::grab(d);
}

const bool registered = gallery::add({
    {QStringLiteral("ALed_dark"), [] { return lamp(Led::LEDSmall, clLime, false); }},
    {QStringLiteral("ALed_lit"), [] { return lamp(Led::LEDSmall, clLime, true); }},
    {QStringLiteral("ALed_red_lit"), [] { return lamp(Led::LEDSmall, clRed, true); }},
    {QStringLiteral("ALed_white_lit"), [] { return lamp(Led::LEDSmall, clWhite, true); }},
    {QStringLiteral("ALed_large_lit"), [] { return lamp(Led::LEDLarge, clLime, true); }},
    {QStringLiteral("ALed_large_dark"), [] { return lamp(Led::LEDLarge, clLime, false); }},
    {QStringLiteral("ALed_square_small_lit"), [] { return lamp(Led::LEDSqSmall, clLime, true); }},
    {QStringLiteral("ALed_square_large_lit"), [] { return lamp(Led::LEDSqLarge, clLime, true); }},
    {QStringLiteral("ALed_vertical_lit"), [] { return lamp(Led::LEDVertical, clLime, true); }},
    {QStringLiteral("ALed_horizontal_dark"),
        [] { return lamp(Led::LEDHorizontal, clWhite, false); }},
    {QStringLiteral("ALed_horizontal_white_lit"),
        [] { return lamp(Led::LEDHorizontal, clWhite, true); }},
    {QStringLiteral("ALed_horizontal_red_lit"),
        [] { return lamp(Led::LEDHorizontal, clRed, true); }},
    {QStringLiteral("ALed_blinking_dark_phase"),
        [] {
            Led led;
            led.setTrueColor(clWhite);
            led.setValue(true); // blinks by default, starting lit
            led.blinkTick();
            return gallery::grab(led);
        }},

    {QStringLiteral("Apples_wzb"), [] { return indicator("wzb"); }},
    {QStringLiteral("Apples_odzw"), [] { return indicator("odzw"); }},
    {QStringLiteral("Apples_wzbb"), [] { return indicator("wzbb"); }},
    {QStringLiteral("Apples_value_0"), [] { return apples(0, false); }},
    {QStringLiteral("Apples_value_1_5"), [] { return apples(1.5, false); }},
    {QStringLiteral("Apples_value_3"), [] { return apples(3, false); }},
    {QStringLiteral("Apples_value_3_nowrap"), [] { return apples(3, false, QSize(48, 48)); }},
    {QStringLiteral("Apples_value_3_wrap"), [] { return apples(3, true, QSize(48, 48)); }},
    {QStringLiteral("Apples_value_3_flat"), [] { return apples(3, false, QSize(80, 25), false); }},

    {QStringLiteral("Digits_0"), [] { return counter(0); }},
    {QStringLiteral("Digits_7"), [] { return counter(7); }},
    {QStringLiteral("Digits_12345"), [] { return counter(12345); }},
    {QStringLiteral("Digits_negative_stored_as_0"), [] { return counter(-5); }},
    {QStringLiteral("Digits_negative_signed"), [] { return signedCounter(-42); }},
    {QStringLiteral("Digits_7_no_leading_zeros"),
        [] {
            auto d = deskCounter();
            d->setShowLeadingZeros(false);
            d->setValue(7);
            return gallery::grab(*d);
        }},
    {QStringLiteral("Digits_clock_rolling"), rollingClock},
});

} // namespace
