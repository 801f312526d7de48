#include "DigitCounter.h"
#include "Pictures.h"
#include "Support.h"

#include <QDateTime>
#include <QLocale>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace kyt;
using namespace kyt::test;

namespace {

constexpr int kBlank = 10;

class DigitCounterTest : public GuiTest {
protected:
    void SetUp() override
    {
        strip = loadPicture(QStringLiteral("digits"));
        ASSERT_EQ(strip.width(), 154);
        digits = new DigitCounter(&host);
        host.resize(300, 60);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        paints = std::make_unique<PaintCounter>(digits);
    }

    // The desk's counter: four digits with leading zeros.
    void deskSetup()
    {
        digits->setBmpDigits(strip);
        digits->setDigitCount(4);
        digits->setShowLeadingZeros(true);
    }

    QImage cell(int c) const { return strip.copy(c * 14, 0, 14, 20); }

    // The cells shown from x0 on, left to right, as digits ('_' blank, '?'
    // anything else).
    std::string shownCells(int count, int x0 = 0) const
    {
        const QImage face = digits->face().convertToFormat(QImage::Format_RGB32);
        std::string s;
        for (int i = 0; i < count; ++i) {
            const QImage shown = face.copy(x0 + i * 14, 0, 14, 20);
            char ch = '?';
            for (int c = 0; c <= kBlank; ++c)
                if (shown == cell(c))
                    ch = c == kBlank ? '_' : char('0' + c);
            s += ch;
        }
        return s;
    }

    static QImage solid(int w, int h, QRgb c)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(c);
        return img;
    }

    template <typename F>
    static std::string errorOf(F f)
    {
        try {
            f();
        } catch (const DigitCounterError& e) {
            return e.what();
        }
        return "no error";
    }

    QWidget host;
    QImage strip;
    DigitCounter* digits = nullptr;
    std::unique_ptr<PaintCounter> paints;
};

} // namespace

TEST_F(DigitCounterTest, StartsAsConstructed)
{
    const QMetaObject* mo = digits->metaObject();
    QStringList own;
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
        own << QString::fromLatin1(mo->property(i).name());
    EXPECT_EQ(own,
        QStringList({"bmpDigits", "bmpPosNegSign", "bmpThousandsSeparator", "bmpTimeSeparator",
            "bmpDateSeparator", "bmpAMPMSign", "allowNegative", "autoSize", "dateTime",
            "digitCount", "incDecSpeed", "incDecSteps", "mode", "running", "showLeadingZeros",
            "showThousandsSeparator", "value"}));
    EXPECT_EQ(digits->size(), QSize(84, 20));
    EXPECT_TRUE(digits->autoSize());
    EXPECT_EQ(digits->digitCount(), 6);
    EXPECT_EQ(digits->incDecSpeed(), 100);
    EXPECT_EQ(digits->incDecSteps(), 4);
    EXPECT_EQ(digits->mode(), DigitCounter::dmCounter);
    EXPECT_FALSE(digits->clockTimer()->isActive());
    EXPECT_FALSE(digits->animationTimer()->isActive());
    EXPECT_TRUE(digits->bmpDigits().isNull());
}

TEST_F(DigitCounterTest, DeskCounterShowsFourDigitsWithLeadingZeros)
{
    deskSetup();
    EXPECT_EQ(digits->size(), QSize(56, 20));
    EXPECT_EQ(shownCells(4), "0000");
    int before = paints->count;
    digits->setValue(7);
    EXPECT_GT(paints->count, before); // drawn before the setter returns
    EXPECT_EQ(shownCells(4), "0007");
    before = paints->count;
    digits->setValue(7);
    EXPECT_EQ(paints->count, before);
    digits->setValue(10000);
    EXPECT_EQ(shownCells(4), "0000");
    digits->setValue(12345);
    EXPECT_EQ(shownCells(4), "2345");
    digits->setValue(-5);
    EXPECT_EQ(digits->value(), 0);
    EXPECT_EQ(shownCells(4), "0000");
    // What the face holds is what is painted.
    EXPECT_EQ(rendered(*digits), digits->face().convertToFormat(QImage::Format_RGB32));
}

TEST_F(DigitCounterTest, BlanksInsteadOfLeadingZeros)
{
    digits->setBmpDigits(strip);
    digits->setDigitCount(4);
    digits->setValue(7);
    EXPECT_EQ(shownCells(4), "___7");
    digits->setValue(0);
    EXPECT_EQ(shownCells(4), "___0");
    digits->setValue(1002);
    EXPECT_EQ(shownCells(4), "1002");
}

TEST_F(DigitCounterTest, DigitCountIsClampedAndResizes)
{
    digits->setBmpDigits(strip);
    digits->setDigitCount(11);
    EXPECT_EQ(digits->digitCount(), 10);
    EXPECT_EQ(digits->width(), 140);
    digits->setDigitCount(0);
    EXPECT_EQ(digits->digitCount(), 1);
    digits->setDigitCount(5);
    digits->setDigitCount(-5);
    EXPECT_EQ(digits->digitCount(), 1);
    EXPECT_EQ(digits->size(), QSize(14, 20));
    // Without AutoSize the size stays.
    digits->setAutoSize(false);
    digits->setDigitCount(3);
    EXPECT_EQ(digits->size(), QSize(14, 20));
    digits->setAutoSize(true);
    EXPECT_EQ(digits->size(), QSize(42, 20));
}

TEST_F(DigitCounterTest, BitmapsOfTheWrongShapeAreRefusedAndChangeNothing)
{
    digits->setBmpDigits(strip);
    digits->setDigitCount(4);
    const QSize size = digits->size();
    EXPECT_EQ(errorOf([&] { digits->setBmpDigits(solid(150, 20, 0)); }),
        "BmpDigits requires a bitmap that contains the digits 0 through 9 and an empty "
        "space of equal width");
    EXPECT_EQ(errorOf([&] { digits->setBmpDigits(QImage()); }),
        "BmpDigits requires a bitmap that contains the digits 0 through 9 and an empty "
        "space of equal width");
    EXPECT_EQ(digits->bmpDigits().width(), 154);
    EXPECT_EQ(digits->size(), size);

    EXPECT_EQ(errorOf([&] { digits->setBmpPosNegSign(solid(15, 20, 0)); }),
        "BmpPosNegSign requires a bitmap that contains a positive sign and a negative "
        "sign of equal width");
    EXPECT_TRUE(digits->bmpPosNegSign().isNull());
    EXPECT_EQ(errorOf([&] { digits->setBmpAMPMSign(solid(9, 20, 0)); }),
        "BmpAMPMSign requires a bitmap that contains an AM sign and a PM sign of equal "
        "width");
    EXPECT_TRUE(digits->bmpAMPMSign().isNull());
    EXPECT_EQ(digits->size(), size);

    // A strip of 11 cells of 10 pixels.
    EXPECT_EQ(errorOf([&] { digits->setBmpDigits(solid(110, 12, 0)); }), "no error");
    EXPECT_EQ(digits->size(), QSize(40, 12));
}

TEST_F(DigitCounterTest, NegativeValuesNeedASignBitmap)
{
    deskSetup();
    digits->setAllowNegative(true);
    EXPECT_FALSE(digits->allowNegative());

    QImage signs = solid(20, 20, qRgb(0, 0, 255));
    for (int y = 0; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            signs.setPixel(x, y, qRgb(255, 0, 0));
    digits->setBmpPosNegSign(signs);
    digits->setAllowNegative(true);
    ASSERT_TRUE(digits->allowNegative());
    EXPECT_EQ(digits->size(), QSize(66, 20));
    digits->setValue(-42);
    EXPECT_EQ(digits->value(), -42);
    EXPECT_EQ(shownCells(4, 10), "0042");
    const QImage face = digits->face();
    EXPECT_EQ(rgbAt(face, 0, 0), qRgb(255, 0, 0)); // the negative half
    EXPECT_EQ(rgbAt(face, 9, 19), qRgb(255, 0, 0));
    digits->setValue(42);
    EXPECT_EQ(rgbAt(digits->face(), 0, 0), qRgb(0, 0, 255));

    // Taking the sign bitmap away ends negative values' sign.
    digits->setBmpPosNegSign(QImage());
    EXPECT_FALSE(digits->allowNegative());
    EXPECT_EQ(digits->size(), QSize(56, 20));
}

TEST_F(DigitCounterTest, ThousandsSeparatorsBetweenGroupsOfThree)
{
    digits->setBmpDigits(strip);
    digits->setShowLeadingZeros(true);
    digits->setShowThousandsSeparator(true);
    EXPECT_FALSE(digits->showThousandsSeparator()); // no separator bitmap yet
    digits->setBmpThousandsSeparator(solid(4, 20, qRgb(255, 0, 255)));
    digits->setShowThousandsSeparator(true);
    ASSERT_TRUE(digits->showThousandsSeparator());
    digits->setValue(123456);
    EXPECT_EQ(digits->width(), 6 * 14 + 4);
    EXPECT_EQ(shownCells(3), "123");
    EXPECT_EQ(rgbAt(digits->face(), 42, 5), qRgb(255, 0, 255));
    EXPECT_EQ(shownCells(3, 46), "456");

    digits->setDigitCount(7);
    EXPECT_EQ(digits->width(), 7 * 14 + 8);
    EXPECT_EQ(shownCells(1), "0");
    EXPECT_EQ(rgbAt(digits->face(), 14, 5), qRgb(255, 0, 255));
    EXPECT_EQ(shownCells(3, 18), "123");

    digits->setBmpThousandsSeparator(QImage());
    EXPECT_FALSE(digits->showThousandsSeparator());
    EXPECT_EQ(digits->width(), 7 * 14);
}

TEST_F(DigitCounterTest, ClockShowsTheTimeAndRollsOnEachNewSecond)
{
    digits->setBmpDigits(strip);
    digits->setShowLeadingZeros(true);
    digits->setMode(DigitCounter::dmTime);
    const QDate day(2024, 5, 1);
    digits->setDateTime(DigitCounter::toDateTimeValue(QDateTime(day, QTime(13, 59, 59))));
    EXPECT_EQ(shownCells(6), "135959");

    QSignalSpy started(digits, &DigitCounter::rotationStarted);
    QSignalSpy ended(digits, &DigitCounter::rotationFinished);
    digits->clockTickAt(QDateTime(day, QTime(13, 59, 59, 900))); // same second
    EXPECT_EQ(started.count(), 0);
    digits->clockTickAt(QDateTime(day, QTime(14, 0, 0)));
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(digits->rollPosition(), 3);
    EXPECT_TRUE(digits->animationTimer()->isActive());

    // Frame 3 of 4: the top 15 rows show the bottom of the old digit, the
    // rest the top of the new one; unchanged digits stay still.
    const QImage face = digits->face().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shownCells(1), "1");
    const QImage rolled = face.copy(14, 0, 14, 20); // 3 -> 4
    EXPECT_EQ(rolled.copy(0, 0, 14, 15), cell(3).copy(0, 5, 14, 15));
    EXPECT_EQ(rolled.copy(0, 15, 14, 5), cell(4).copy(0, 0, 14, 5));

    digits->animationTick();
    digits->animationTick();
    EXPECT_EQ(digits->rollPosition(), 1);
    digits->animationTick();
    EXPECT_EQ(digits->rollPosition(), 0);
    EXPECT_EQ(shownCells(6), "140000");
    EXPECT_EQ(ended.count(), 0);
    digits->animationTick();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(digits->animationTimer()->isActive());
}

TEST_F(DigitCounterTest, ClockKeepsGoingOverMidnightAndCopesWithoutSteps)
{
    digits->setBmpDigits(strip);
    digits->setMode(DigitCounter::dmTime);
    digits->setShowLeadingZeros(true);
    digits->setDateTime(
        DigitCounter::toDateTimeValue(QDateTime(QDate(2024, 5, 1), QTime(23, 59, 59))));
    QSignalSpy started(digits, &DigitCounter::rotationStarted);
    digits->clockTickAt(QDateTime(QDate(2024, 5, 2), QTime(0, 0, 0)));
    EXPECT_EQ(started.count(), 1);
    for (int i = 0; i < 5; ++i)
        digits->animationTick();
    EXPECT_EQ(shownCells(6), "000000");
    // No steps at all: the clock moves on without a roll.
    digits->setIncDecSteps(0);
    digits->clockTickAt(QDateTime(QDate(2024, 5, 2), QTime(0, 0, 1)));
    EXPECT_EQ(digits->rollPosition(), 0);
    EXPECT_EQ(shownCells(6), "000001");

    // Other modes ignore the clock.
    digits->setMode(DigitCounter::dmCounter);
    const double before = digits->dateTime();
    digits->clockTickAt(QDateTime(QDate(2024, 5, 3), QTime(1, 0, 0)));
    EXPECT_EQ(digits->dateTime(), before);

    // Running drives the 100 ms clock timer.
    digits->setRunning(true);
    EXPECT_TRUE(digits->clockTimer()->isActive());
    EXPECT_EQ(digits->clockTimer()->interval(), 100);
    digits->setRunning(false);
    EXPECT_FALSE(digits->clockTimer()->isActive());
}

TEST_F(DigitCounterTest, TwelveHourClockAndBlankTensOfEachPair)
{
    digits->setBmpDigits(strip);
    digits->setMode(DigitCounter::dmTime);
    digits->setDateTime(
        DigitCounter::toDateTimeValue(QDateTime(QDate(2024, 5, 1), QTime(10, 5, 7))));
    EXPECT_EQ(shownCells(6), "10_5_7");
    // 1/3 day is 08:00:00 sharp.
    digits->setDateTime(1.0 / 3.0);
    EXPECT_EQ(shownCells(6), "_8_0_0");

    QImage ampm = solid(20, 20, qRgb(0, 0, 255)); // AM blue, PM red
    for (int y = 0; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            ampm.setPixel(x, y, qRgb(255, 0, 0));
    digits->setBmpAMPMSign(ampm);
    EXPECT_EQ(digits->width(), 6 * 14 + 10);
    digits->setShowLeadingZeros(true);
    digits->setDateTime(
        DigitCounter::toDateTimeValue(QDateTime(QDate(2024, 5, 1), QTime(0, 30, 0))));
    EXPECT_EQ(shownCells(6), "123000");
    EXPECT_EQ(rgbAt(digits->face(), 84, 0), qRgb(0, 0, 255));
    digits->setDateTime(
        DigitCounter::toDateTimeValue(QDateTime(QDate(2024, 5, 1), QTime(13, 4, 5))));
    EXPECT_EQ(shownCells(6), "010405");
    EXPECT_EQ(rgbAt(digits->face(), 84, 0), qRgb(255, 0, 0));
    EXPECT_EQ(rgbAt(digits->face(), 93, 19), qRgb(255, 0, 0));
}

TEST_F(DigitCounterTest, DateFollowsTheShortDateFormat)
{
    digits->setBmpDigits(strip);
    digits->setShowLeadingZeros(true);
    digits->setMode(DigitCounter::dmDate);
    const double t = DigitCounter::toDateTimeValue(QDateTime(QDate(2024, 3, 9), QTime(12, 0)));
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // dd.MM.yy
    digits->setDateTime(t);
    EXPECT_EQ(shownCells(6), "090324");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // M/d/yy
    digits->setDateTime(t);
    EXPECT_EQ(shownCells(6), "030924");
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden)); // yyyy-MM-dd
    digits->setDateTime(t);
    EXPECT_EQ(shownCells(6), "240309");
    QLocale::setDefault(saved);
}
