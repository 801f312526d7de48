// The lamp, the relay indicator and the digit counter announce each real
// property change once and repaint only then.

#include "Notify.h"

#include "DigitCounter.h"
#include "Led.h"
#include "Pictures.h"
#include "RelayIndicator.h"

using namespace kyt;
using namespace kyt::test;

namespace {

class NotifyLeds : public GuiTest {
protected:
    void SetUp() override { host.show(); }
    QWidget host;
};

QVariant colour(ColorCode c)
{
    return QVariant::fromValue<ColorCode>(c);
}

} // namespace

TEST_F(NotifyLeds, Led)
{
    auto* led = new Led(&host);
    led->show();
    expectNotifiesOnce(led, "trueColor", colour(clRed));
    expectNotifiesOnce(led, "falseColor", colour(clBlue));
    expectNotifiesOnce(led, "value", true);
    // A lit lamp starts and stops blinking on its lit picture: nothing to
    // draw until the blinking's next tick...
    expectNotifiesOnce(led, "blink", false, Shows::No);
    // ...but a lamp caught dark by its blinking shows lit again at once.
    led->setBlink(true);
    led->blinkTick();
    ASSERT_EQ(led->currentFrame(), 1);
    {
        PaintCounter paints(led);
        led->setBlink(false);
        EXPECT_EQ(paints.count, 1);
        EXPECT_EQ(led->currentFrame(), 0);
    }
    expectNotifiesOnce(led, "interval", 250, Shows::No);
    expectNotifiesOnce(led, "ledStyle", QVariant::fromValue(Led::LEDLarge));
    // A colour change of a blinking lamp is one change, not a blink off and on.
    led->setBlink(true);
    QSignalSpy blinks(led, &Led::blinkChanged);
    led->setTrueColor(clYellow);
    EXPECT_EQ(blinks.count(), 0);
    EXPECT_TRUE(led->blink());
    EXPECT_NE(led->blinkTimer(), nullptr);
}

TEST_F(NotifyLeds, RelayIndicator)
{
    auto* apples = new RelayIndicator(&host);
    apples->show();
    expectNotifiesOnce(apples, "border", false);
    expectNotifiesOnce(apples, "color", colour(clRed));
    expectNotifiesOnce(apples, "ctl3D", false);
    expectNotifiesOnce(apples, "lineWrap", true);
    expectNotifiesOnce(apples, "transparentColor", colour(clBlue));
    expectNotifiesOnce(apples, "value", 2.5);
    // The picture is composed again at every assignment, as before.
    expectNotifiesOnce(apples, "apple", QImage(4, 4, QImage::Format_RGB32), Shows::Always);
}

TEST_F(NotifyLeds, DigitCounter)
{
    auto* digits = new DigitCounter(&host);
    digits->show();
    QImage strip(110, 20, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::white);
    QImage signs(20, 20, QImage::Format_ARGB32_Premultiplied);
    signs.fill(Qt::black);
    QImage separator(4, 20, QImage::Format_ARGB32_Premultiplied);
    separator.fill(Qt::red);
    // The pictures are laid out again at every assignment, as before.
    expectNotifiesOnce(digits, "bmpDigits", strip, Shows::Always);
    expectNotifiesOnce(digits, "bmpPosNegSign", signs, Shows::No);
    expectNotifiesOnce(digits, "bmpThousandsSeparator", separator, Shows::Always);
    expectNotifiesOnce(digits, "bmpTimeSeparator", separator, Shows::No);
    expectNotifiesOnce(digits, "bmpDateSeparator", separator, Shows::No);
    expectNotifiesOnce(digits, "bmpAMPMSign", signs, Shows::No);
    expectNotifiesOnce(digits, "allowNegative", true);
    expectNotifiesOnce(digits, "showThousandsSeparator", true);
    expectNotifiesOnce(digits, "showLeadingZeros", true);
    expectNotifiesOnce(digits, "digitCount", 8);
    expectNotifiesOnce(digits, "value", -1234);
    expectNotifiesOnce(digits, "mode", QVariant::fromValue(DigitCounter::dmTime));
    expectNotifiesOnce(digits, "dateTime", 45000.5, Shows::Always);
    expectNotifiesOnce(digits, "incDecSpeed", 50, Shows::No);
    expectNotifiesOnce(digits, "incDecSteps", 2, Shows::No);
    expectNotifiesOnce(digits, "running", true, Shows::No);
    expectNotifiesOnce(digits, "autoSize", false, Shows::No);
    // A value the counter cannot show is stored as what it shows.
    digits->setAllowNegative(false);
    QSignalSpy values(digits, &DigitCounter::valueChanged);
    digits->setValue(-5);
    ASSERT_EQ(values.count(), 1);
    EXPECT_EQ(values.at(0).at(0).toInt(), 0);
}
