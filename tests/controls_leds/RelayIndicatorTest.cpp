#include "RelayIndicator.h"
#include "Pictures.h"
#include "Support.h"

#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>

using namespace kyt;
using namespace kyt::test;

namespace {

class RelayIndicatorTest : public GuiTest {
protected:
    void SetUp() override
    {
        apples = new RelayIndicator(&host);
        host.resize(200, 200);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        paints = std::make_unique<PaintCounter>(apples);
    }

    // A 16 x 16 picture: red, with an olive top-left pixel that becomes the
    // transparent colour.
    static QImage redPicture()
    {
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(qRgb(255, 0, 0));
        img.setPixel(0, 0, qRgb(128, 128, 0));
        return img;
    }

    // Columns of row y that show red.
    static QString redColumns(const QImage& img, int y)
    {
        QString s;
        for (int x = 0; x < img.width(); ++x)
            s += rgbAt(img, x, y) == qRgb(255, 0, 0) ? QLatin1Char('#') : QLatin1Char('.');
        return s;
    }

    // The expected row: '#' from each start for its length, '.' elsewhere.
    static QString runs(int width, std::initializer_list<std::pair<int, int>> spans)
    {
        QString s(width, QLatin1Char('.'));
        for (const auto& [start, length] : spans)
            for (int x = start; x < start + length; ++x)
                s[x] = QLatin1Char('#');
        return s;
    }

    QWidget host;
    RelayIndicator* apples = nullptr;
    std::unique_ptr<PaintCounter> paints;
};

} // namespace

TEST_F(RelayIndicatorTest, StartsAsConstructed)
{
    const QMetaObject* mo = apples->metaObject();
    QStringList own;
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
        own << QString::fromLatin1(mo->property(i).name());
    EXPECT_EQ(own,
        QStringList(
            {"apple", "border", "color", "ctl3D", "lineWrap", "transparentColor", "value"}));
    EXPECT_EQ(apples->size(), QSize(80, 25));
    EXPECT_EQ(apples->color(), clWindow);
    EXPECT_TRUE(apples->ctl3D());
    EXPECT_TRUE(apples->border());
    EXPECT_FALSE(apples->lineWrap());
    EXPECT_EQ(apples->transparentColor(), clOlive);
    EXPECT_EQ(apples->value(), 0.0);
    EXPECT_EQ(apples->apple().size(), QSize(16, 16));
    EXPECT_EQ(rgbAt(apples->apple(), 0, 0), qRgb(128, 128, 0));
}

TEST_F(RelayIndicatorTest, DeskIndicatorShowsTheRelayPictureInASunkenWhiteField)
{
    apples->resize(22, 23);
    // The simulation's way to change a relay look.
    apples->setValue(0);
    apples->loadApple(QStringLiteral("wzb"));
    const int before = paints->count;
    apples->setValue(1);
    EXPECT_GT(paints->count, before);
    EXPECT_EQ(apples->transparentColor(), clOlive);

    const QImage img = rendered(*apples);
    const std::vector<std::string> expected = {
        "GGGGGGGGGGGGGGGGGGGGGW",
        "GKKKKKKKKKKKKKKKKKKKSW",
        "GKWWWWWWWWWWWWWWWWWWSW",
        "GKWWWWWWWWWWWWWWWWWWSW",
        "GKWWWWWWWWWKWWWWWWWWSW", // the arrow's tip at (4 + 7, 4)
        "GKWWWWWWWWWKWWWWWWWWSW",
        "GKWWWWWWWWKBKWWWWWWWSW",
    };
    EXPECT_EQ(compareRows(img, expected), "");
    // Bottom rows: the arrow's foot, then the frame.
    EXPECT_EQ(compareRows(img,
                  {"GKWWWWWWWWKBKWWWWWWWSW", "GKWWWWWWWWKKKWWWWWWWSW", "GKWWWWWWWWWWWWWWWWWWSW",
                      "GSSSSSSSSSSSSSSSSSSSSW", "WWWWWWWWWWWWWWWWWWWWWW"},
                  0, 18),
        "");

    // Loading another picture alone draws nothing; 0 then 1 shows it.
    const int beforeLoad = paints->count;
    apples->loadApple(QStringLiteral("ODZW"));
    EXPECT_EQ(paints->count, beforeLoad);
    apples->setValue(1); // equal: no repaint
    EXPECT_EQ(paints->count, beforeLoad);
    apples->setValue(0);
    apples->setValue(1);
    EXPECT_EQ(paints->count, beforeLoad + 2);
    EXPECT_EQ(rgbAt(rendered(*apples), 4 + 7, 4 + 1), qRgb(255, 0, 0));
}

TEST_F(RelayIndicatorTest, ALookChangeRepaintsOnceAndTheSameLookNotAtAll)
{
    apples->resize(22, 23);
    QSignalSpy values(apples, &RelayIndicator::valueChanged);
    QSignalSpy pictures(apples, &RelayIndicator::appleChanged);
    const QImage wzb = loadPicture(QStringLiteral("wzb"));
    int before = paints->count;
    apples->setLook(wzb, 1);
    EXPECT_EQ(paints->count, before + 1);
    EXPECT_EQ(values.count(), 1);
    EXPECT_EQ(pictures.count(), 1);
    const QImage shown = rendered(*apples);
    // As the single setters leave it.
    RelayIndicator other(&host);
    other.resize(22, 23);
    other.setApple(wzb);
    other.setValue(1);
    EXPECT_EQ(shown, rendered(other));

    before = paints->count;
    apples->setLook(loadPicture(QStringLiteral("WZB")), 1);
    EXPECT_EQ(paints->count, before);
    EXPECT_EQ(values.count(), 1);
    EXPECT_EQ(pictures.count(), 1);

    apples->setLook(loadPicture(QStringLiteral("ODZW")), 1);
    EXPECT_EQ(paints->count, before + 1);
    EXPECT_EQ(values.count(), 1);
    EXPECT_EQ(pictures.count(), 2);
    EXPECT_NE(rendered(*apples), shown);
}

TEST_F(RelayIndicatorTest, UnknownPictureIsReportedAndKeepsTheHeldOne)
{
    apples->loadApple(QStringLiteral("wzbb"));
    const QImage held = apples->apple();
    try {
        apples->loadApple(QStringLiteral("wzbx"));
        FAIL() << "no error";
    } catch (const ResourceNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource wzbx not found");
    }
    EXPECT_EQ(apples->apple(), held);
}

TEST_F(RelayIndicatorTest, NothingButBackgroundAndFrameForValuesUpToZero)
{
    apples->setApple(redPicture());
    for (double v : {0.0, -2.5}) {
        apples->setValue(v);
        const QImage img = rendered(*apples);
        for (int y = 2; y < 23; ++y)
            for (int x = 2; x < 78; ++x)
                ASSERT_EQ(rgbAt(img, x, y), qRgb(255, 255, 255)) << v << " at " << x << "," << y;
    }
}

TEST_F(RelayIndicatorTest, FractionsCutTheLastPicture)
{
    apples->setApple(redPicture());
    EXPECT_EQ(apples->transparentColor(), clOlive);
    apples->setValue(1);
    EXPECT_EQ(redColumns(rendered(*apples), 5), runs(80, {{4, 16}}));
    // The transparent pixel of the picture shows the field.
    EXPECT_EQ(rgbAt(rendered(*apples), 4, 4), qRgb(255, 255, 255));
    apples->setValue(1.5);
    EXPECT_EQ(redColumns(rendered(*apples), 5), runs(80, {{4, 16}, {22, 8}}));
    apples->setValue(2.25);
    EXPECT_EQ(redColumns(rendered(*apples), 5), runs(80, {{4, 16}, {22, 16}, {40, 4}}));
}

TEST_F(RelayIndicatorTest, FullRowsStopOrWrap)
{
    apples->resize(48, 48);
    apples->setApple(redPicture());
    apples->setValue(3);
    // 4 + 16 + 2 = 22, 22 + 16 + 2 = 40, and 40 + 16 reaches the right margin.
    QImage img = rendered(*apples);
    EXPECT_EQ(redColumns(img, 5), runs(48, {{4, 16}, {22, 16}}));
    EXPECT_EQ(redColumns(img, 25), runs(48, {}));

    apples->setLineWrap(true);
    img = rendered(*apples);
    EXPECT_EQ(redColumns(img, 5), runs(48, {{4, 16}, {22, 16}}));
    // the third picture starts a new row at x = 4, y = 4 + 16 + 2
    EXPECT_EQ(redColumns(img, 21), runs(48, {}));
    EXPECT_EQ(redColumns(img, 23), runs(48, {{4, 16}}));

    // A huge count with line wrap ends below the control instead of looping.
    apples->setValue(1e12);
    img = rendered(*apples);
    EXPECT_EQ(redColumns(img, 42), runs(48, {{4, 16}, {22, 16}}));
}

TEST_F(RelayIndicatorTest, TopLeftPixelOfANewPictureIsTransparent)
{
    QImage pic(16, 16, QImage::Format_RGB32);
    pic.fill(qRgb(0, 0, 255));
    pic.setPixel(0, 0, qRgb(255, 255, 255));
    pic.setPixel(5, 5, qRgb(255, 255, 255));
    apples->setColor(clYellow);
    apples->setApple(pic);
    EXPECT_EQ(apples->transparentColor(), clWhite);
    apples->setValue(1);
    const QImage img = rendered(*apples);
    EXPECT_EQ(rgbAt(img, 4 + 5, 4 + 5), rgbOf(clYellow));
    EXPECT_EQ(rgbAt(img, 4 + 6, 4 + 5), qRgb(0, 0, 255));

    // A theme colour as key means the picture's bottom-left pixel colour.
    pic.setPixel(0, 15, qRgb(0, 0, 255));
    apples->setApple(pic);
    apples->setTransparentColor(clBtnFace);
    EXPECT_EQ(rgbAt(rendered(*apples), 4 + 6, 4 + 5), rgbOf(clYellow));
    EXPECT_EQ(rgbAt(rendered(*apples), 4 + 5, 4 + 5), qRgb(255, 255, 255));
}

TEST_F(RelayIndicatorTest, FlatBorderAndNoBorder)
{
    apples->setApple(redPicture());
    apples->setValue(1);
    apples->setCtl3D(false);
    QImage img = rendered(*apples);
    EXPECT_EQ(rgbAt(img, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(rgbAt(img, 79, 24), qRgb(0, 0, 0));
    EXPECT_EQ(rgbAt(img, 1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(redColumns(img, 5).indexOf(QLatin1Char('#')), 3);

    apples->setBorder(false);
    img = rendered(*apples);
    EXPECT_EQ(rgbAt(img, 79, 24), qRgb(255, 255, 255));
    EXPECT_EQ(rgbAt(img, 0, 1), qRgb(255, 0, 0));
}

TEST_F(RelayIndicatorTest, SettersRepaintOnlyOnChange)
{
    int before = paints->count;
    apples->setBorder(true);
    apples->setColor(clWindow);
    apples->setCtl3D(true);
    apples->setLineWrap(false);
    apples->setTransparentColor(clOlive);
    apples->setValue(0);
    EXPECT_EQ(paints->count, before);
    apples->setColor(clRed);
    EXPECT_EQ(paints->count, before + 1);
    EXPECT_EQ(rgbAt(rendered(*apples), 10, 10), qRgb(255, 0, 0));
    // The very picture held is no change either.
    before = paints->count;
    apples->setApple(apples->apple());
    EXPECT_EQ(paints->count, before);
}

TEST_F(RelayIndicatorTest, ClicksAndDoubleClicksAreSignalled)
{
    QSignalSpy click(apples, &RelayIndicator::clicked);
    QSignalSpy dbl(apples, &RelayIndicator::doubleClicked);
    QTest::mouseClick(apples, Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(click.count(), 1);
    // The right button and a release off the control are no click.
    QTest::mouseClick(apples, Qt::RightButton, {}, QPoint(7, 9));
    QTest::mousePress(apples, Qt::LeftButton, {}, QPoint(7, 9));
    QTest::mouseRelease(apples, Qt::LeftButton, {}, QPoint(200, 9));
    EXPECT_EQ(click.count(), 1);
    QTest::mouseDClick(apples, Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(dbl.count(), 1);
}
