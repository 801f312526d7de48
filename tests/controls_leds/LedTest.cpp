#include "Led.h"
#include "Pictures.h"
#include "Support.h"

#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace kyt;
using namespace kyt::test;

namespace {

class LedTest : public GuiTest {
protected:
    // A lamp on screen (offscreen platform), so that immediate repaints are
    // real paint events.
    void SetUp() override
    {
        led = new Led(&host);
        host.resize(60, 60);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        paints = std::make_unique<PaintCounter>(led);
    }

    QRgb centre() { return rgbAt(rendered(*led), led->width() / 2, led->height() / 2); }

    QWidget host;
    Led* led = nullptr;
    std::unique_ptr<PaintCounter> paints;
};

} // namespace

TEST_F(LedTest, PublishesItsPropertiesInOrderWithTheirDefaults)
{
    const QMetaObject* mo = led->metaObject();
    QStringList own;
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
        own << QString::fromLatin1(mo->property(i).name());
    EXPECT_EQ(
        own, QStringList({"trueColor", "falseColor", "blink", "value", "interval", "ledStyle"}));
    EXPECT_EQ(led->property("trueColor").value<ColorCode>(), clLime);
    EXPECT_EQ(led->property("falseColor").value<ColorCode>(), clSilver);
    EXPECT_TRUE(led->blink());
    EXPECT_FALSE(led->value());
    EXPECT_EQ(led->interval(), 1000);
    EXPECT_EQ(led->ledStyle(), Led::LEDSmall);
    EXPECT_EQ(led->size(), QSize(16, 16));
    EXPECT_EQ(led->currentFrame(), 1);
    EXPECT_EQ(led->blinkTimer(), nullptr);
    // The dark lamp is silver where the picture is lime.
    EXPECT_EQ(centre(), rgbOf(clSilver));
}

TEST_F(LedTest, ColourChangesTouchOnlyTheConnectedLampArea)
{
    const QImage picture = loadPicture(QStringLiteral("ALEDSM"));
    led->setTrueColor(clRed);
    const QImage lit = led->litImage();
    const QImage unlit = led->unlitImage();
    ASSERT_EQ(lit.size(), picture.size());
    int recoloured = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb p = picture.pixel(x, y);
            if (p == qRgb(0, 255, 0)) {
                ++recoloured;
                EXPECT_EQ(rgbAt(lit, x, y), rgbOf(clRed)) << x << "," << y;
                EXPECT_EQ(rgbAt(unlit, x, y), rgbOf(clSilver)) << x << "," << y;
            } else {
                EXPECT_EQ(lit.pixel(x, y), p) << x << "," << y;
                EXPECT_EQ(unlit.pixel(x, y), p) << x << "," << y;
            }
        }
    EXPECT_EQ(recoloured, 48); // every lime pixel of the picture is connected

    // A theme colour is resolved; lime as colour keeps the lime area.
    led->setFalseColor(clBtnShadow);
    EXPECT_EQ(rgbAt(led->unlitImage(), 8, 8), rgbOf(clGray));
    led->setFalseColor(clLime);
    EXPECT_EQ(led->unlitImage(), picture);

    // Every style's lamp area is reached from its centre.
    for (auto style :
        {Led::LEDLarge, Led::LEDSqSmall, Led::LEDSqLarge, Led::LEDVertical, Led::LEDHorizontal}) {
        led->setLEDStyle(style);
        EXPECT_EQ(led->size(), Led::styleSize(style));
        int lime = 0, red = 0;
        for (int y = 0; y < led->height(); ++y)
            for (int x = 0; x < led->width(); ++x) {
                lime += led->litImage().pixel(x, y) == qRgb(0, 255, 0);
                red += rgbAt(led->litImage(), x, y) == rgbOf(clRed);
            }
        EXPECT_EQ(lime, 0) << style;
        EXPECT_GT(red, 30) << style;
    }
}

TEST_F(LedTest, ValueShowsTheNewImageBeforeTheSetterReturns)
{
    led->setBlink(false);
    const int before = paints->count;
    led->setValue(true);
    EXPECT_GT(paints->count, before);
    EXPECT_EQ(led->currentFrame(), 0);
    EXPECT_EQ(centre(), rgbOf(clLime));

    const int again = paints->count;
    led->setValue(true); // equal: nothing at all
    EXPECT_EQ(paints->count, again);

    led->setValue(false);
    EXPECT_GT(paints->count, again);
    EXPECT_EQ(centre(), rgbOf(clSilver));
}

TEST_F(LedTest, BlinkingStartsLitAndAlternatesOnTicks)
{
    QSignalSpy ticks(led, &Led::blinked);
    led->setInterval(500);
    led->setValue(true);
    ASSERT_NE(led->blinkTimer(), nullptr);
    EXPECT_TRUE(led->blinkTimer()->isActive());
    EXPECT_EQ(led->blinkTimer()->interval(), 500);
    EXPECT_EQ(led->currentFrame(), 0);
    EXPECT_EQ(centre(), rgbOf(clLime));

    const int before = paints->count;
    led->blinkTick();
    EXPECT_GT(paints->count, before);
    EXPECT_EQ(led->currentFrame(), 1);
    EXPECT_EQ(centre(), rgbOf(clSilver));
    led->blinkTick();
    EXPECT_EQ(led->currentFrame(), 0);
    EXPECT_EQ(ticks.count(), 2);
    ASSERT_FALSE(ticks.isEmpty());

    // The real timer drives the same step.
    QMetaObject::invokeMethod(const_cast<QTimer*>(led->blinkTimer()), "timeout");
    EXPECT_EQ(ticks.count(), 3);
    EXPECT_EQ(led->currentFrame(), 1);

    // A second Value := True restarts nothing, not even the phase.
    const QTimer* timer = led->blinkTimer();
    led->setValue(true);
    EXPECT_EQ(led->blinkTimer(), timer);
    EXPECT_EQ(led->currentFrame(), 1);
}

TEST_F(LedTest, SwitchingOffInTheDarkPhaseAndOnAgainStartsLit)
{
    led->setValue(true);
    led->blinkTick(); // dark phase
    led->setValue(false);
    EXPECT_EQ(led->blinkTimer(), nullptr);
    EXPECT_EQ(led->currentFrame(), 1);
    led->setValue(true);
    EXPECT_EQ(led->currentFrame(), 0);
    EXPECT_NE(led->blinkTimer(), nullptr);
}

TEST_F(LedTest, BlinkSetterShowsTheSteadyStateFirst)
{
    led->setValue(true);
    led->blinkTick(); // dark phase
    led->setBlink(false);
    EXPECT_EQ(led->currentFrame(), 0); // lit at once
    EXPECT_EQ(led->blinkTimer(), nullptr);
    led->setBlink(true);
    EXPECT_NE(led->blinkTimer(), nullptr);
    EXPECT_EQ(led->currentFrame(), 0);

    // On a dark lamp: the dark image, no timer until the lamp goes on.
    led->setValue(false);
    led->setBlink(false);
    led->setBlink(true);
    EXPECT_EQ(led->currentFrame(), 1);
    EXPECT_EQ(led->blinkTimer(), nullptr);
    led->setValue(true);
    EXPECT_NE(led->blinkTimer(), nullptr);
}

TEST_F(LedTest, ColourChangeWhileBlinkingRestartsFromTheLitPhase)
{
    led->setValue(true);
    led->blinkTick(); // dark phase
    led->setTrueColor(clLime); // the colour it has: nothing, not even the phase
    EXPECT_EQ(led->currentFrame(), 1);

    const QTimer* oldTimer = led->blinkTimer();
    led->setTrueColor(clRed);
    EXPECT_EQ(led->currentFrame(), 0);
    ASSERT_NE(led->blinkTimer(), nullptr);
    EXPECT_NE(led->blinkTimer(), oldTimer);
    EXPECT_TRUE(led->blink());
    EXPECT_EQ(centre(), rgbOf(clRed));
    led->blinkTick();
    EXPECT_EQ(centre(), rgbOf(clSilver));
    led->blinkTick();
    EXPECT_EQ(centre(), rgbOf(clRed));
}

TEST_F(LedTest, ColourChangeSnapsBackToTheStyleSize)
{
    led->setLEDStyle(Led::LEDHorizontal);
    EXPECT_EQ(led->size(), QSize(22, 14));
    led->resize(40, 30);
    led->setTrueColor(clWhite);
    EXPECT_EQ(led->size(), QSize(22, 14));
    led->resize(40, 30);
    led->setFalseColor(clRed);
    EXPECT_EQ(led->size(), QSize(22, 14));
}

TEST_F(LedTest, IntervalRetimesARunningTimer)
{
    led->setValue(true);
    led->setInterval(250);
    ASSERT_NE(led->blinkTimer(), nullptr);
    EXPECT_EQ(led->blinkTimer()->interval(), 250);
    EXPECT_TRUE(led->blinkTimer()->isActive());
    // A period of zero would spin the event loop: such a lamp simply stays.
    led->setInterval(0);
    EXPECT_FALSE(led->blinkTimer()->isActive());
    led->setValue(false);
    led->setValue(true);
    EXPECT_FALSE(led->blinkTimer()->isActive());
    EXPECT_EQ(led->currentFrame(), 0);
}

TEST_F(LedTest, EqualColoursStillTickAndTheLampMaySwitchOffFromItsOwnTick)
{
    led->setTrueColor(clSilver);
    QSignalSpy ticks(led, &Led::blinked);
    QObject::connect(led, &Led::blinked, led, [this] {
        if (led->currentFrame() == 1)
            led->setValue(false);
    });
    led->setValue(true);
    const QRgb lit = centre();
    QMetaObject::invokeMethod(const_cast<QTimer*>(led->blinkTimer()), "timeout");
    EXPECT_EQ(ticks.count(), 1);
    EXPECT_EQ(centre(), lit);
    EXPECT_FALSE(led->value());
    EXPECT_EQ(led->blinkTimer(), nullptr);
}

TEST_F(LedTest, PointerEnterLeaveAndClickAreSignalled)
{
    QSignalSpy enter(led, &Led::mouseEntered);
    QSignalSpy leave(led, &Led::mouseLeft);
    QSignalSpy click(led, &Led::clicked);
    QEnterEvent enterEvent(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(led, &enterEvent);
    QEvent leaveEvent(QEvent::Leave);
    QApplication::sendEvent(led, &leaveEvent);
    EXPECT_EQ(enter.count(), 1);
    EXPECT_EQ(leave.count(), 1);
    QTest::mouseClick(led, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(click.count(), 1);
    // Released outside: no click.
    QTest::mousePress(led, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(led, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(click.count(), 1);
}
