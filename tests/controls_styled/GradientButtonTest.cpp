#include "GradientButton.h"
#include "Fonts.h"
#include "Render.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace kyt {
namespace {

struct GradButtonTest : ::testing::Test {
    test::Backdrop host {200, 60, clTeal};
    GradientButton* button = new GradientButton(&host);

    void SetUp() override
    {
        button->resize(93, 30);
        button->setCaption(QStringLiteral("DALEJ"));
        button->setFont(deskFont(QStringLiteral("MS Sans Serif"), 16, true));
        host.show(); // a hidden widget learns of its new size only when shown
    }
};

TEST_F(GradButtonTest, GradientRunsExactlyFromGradColorToFaceColor)
{
    const QImage& g = button->GradientImage();
    ASSERT_EQ(g.size(), QSize(91, 28));
    for (int x : {0, 45, 90}) {
        EXPECT_EQ(test::at(g, x, 0), clBlue);
        EXPECT_EQ(test::at(g, x, 27), clBlack);
    }
    // Blue falls steadily from top to bottom.
    for (int y = 1; y < 28; ++y)
        EXPECT_LT(qBlue(g.pixel(0, y)), qBlue(g.pixel(0, y - 1))) << "row " << y;

    button->resize(139, 30);
    button->setGradColor(clLime);
    button->setFaceColor(clRed);
    const QImage& t = button->GradientImage();
    EXPECT_EQ(t.size(), QSize(137, 28));
    EXPECT_EQ(test::at(t, 3, 0), clLime);
    EXPECT_EQ(test::at(t, 3, 27), clRed);
    // Row 14 of 28 is step 14 * 255 / 27 = 132 of 255.
    EXPECT_EQ(test::at(t, 3, 14), rgbValue(132, 123, 0));
}

TEST_F(GradButtonTest, GradientEndsAreExactForAnyHeight)
{
    for (int h : {1, 2, 3, 100, 255, 256, 300, 600}) {
        QImage img(4, h, QImage::Format_RGB32);
        fillGradient(img, rgbValue(10, 200, 30), rgbValue(250, 0, 90));
        EXPECT_EQ(test::at(img, 0, 0), rgbValue(10, 200, 30)) << h;
        if (h > 1) {
            EXPECT_EQ(test::at(img, 3, h - 1), rgbValue(250, 0, 90)) << h;
        }
    }
}

TEST_F(GradButtonTest, GradientIsRemadeOnlyForItsColoursAndSize)
{
    const qint64 first = button->GradientImage().cacheKey();
    button->setCaption(QStringLiteral("Pociąg \"JEDŹ\""));
    button->setHighlightColor(clYellow);
    button->setBevelWidth(2);
    button->setGradColor(clBlue); // unchanged value
    EXPECT_EQ(button->GradientImage().cacheKey(), first);

    button->setGradColor(clLime);
    const qint64 second = button->GradientImage().cacheKey();
    EXPECT_NE(second, first);
    button->resize(93, 40);
    EXPECT_EQ(button->GradientImage().size(), QSize(91, 38));
    button->setBorderWidth(3);
    EXPECT_EQ(button->GradientImage().size(), QSize(87, 34));
    EXPECT_EQ(test::at(button->GradientImage(), 0, 0), clLime);
}

TEST_F(GradButtonTest, FaceSitsInsideABlackBorderAndRaisedBevel)
{
    button->setCaption(QString());
    const QImage img = test::render(*button);
    const QImage& g = button->GradientImage();
    EXPECT_EQ(test::at(img, 0, 0), clBlack); // border
    EXPECT_EQ(test::at(img, 92, 29), clBlack);
    EXPECT_EQ(test::at(img, 1, 1), clWhite); // highlight top-left
    EXPECT_EQ(test::at(img, 91, 28), clBlack); // shadow bottom-right
    for (int y = 2; y < 28; ++y)
        for (int x = 2; x < 91; ++x)
            ASSERT_EQ(img.pixel(x, y), g.pixel(x - 1, y - 1)) << x << "," << y;
}

TEST_F(GradButtonTest, PressedButtonShiftsFaceAndCaptionAndTurnsTheBevel)
{
    button->setGradColor(clLime);
    button->setFaceColor(clRed);
    button->setShadowColor(clNavy);
    const QImage up = test::render(*button);
    test::press(*button, test::centre(*button));
    EXPECT_EQ(button->State(), GradientButton::bsDown);
    const QImage down = test::render(*button);

    EXPECT_EQ(test::at(up, 1, 1), clWhite);
    EXPECT_EQ(test::at(up, 91, 28), clNavy);
    EXPECT_EQ(test::at(down, 1, 1), clNavy); // ShadowColor now top-left
    EXPECT_EQ(test::at(down, 91, 28), clRed); // FaceColor bottom-right
    // Inside the bevel everything moved one pixel down and right.
    int compared = 0;
    for (int y = 3; y < 28; ++y)
        for (int x = 3; x < 91; ++x, ++compared)
            ASSERT_EQ(down.pixel(x, y), up.pixel(x - 1, y - 1)) << x << "," << y;
    EXPECT_GT(compared, 2000);
    const auto caption = test::pixelsOf(up, clWhite);
    EXPECT_GT(caption.size(), 50u);

    test::release(*button, test::centre(*button));
    EXPECT_EQ(test::render(*button), up);
}

TEST_F(GradButtonTest, ClicksOnReleaseOverTheButtonOnly)
{
    QSignalSpy clicks(button, &GradientButton::clicked);
    test::press(*button, {10, 10});
    EXPECT_EQ(clicks.count(), 0);
    test::release(*button, {10, 10});
    EXPECT_EQ(clicks.count(), 1);

    // Dragged off, the button pops up and gives no click.
    test::press(*button, {10, 10});
    test::moveTo(*button, {150, 10});
    EXPECT_EQ(button->State(), GradientButton::bsUp);
    test::moveTo(*button, {20, 10});
    EXPECT_EQ(button->State(), GradientButton::bsDown);
    test::moveTo(*button, {150, 10});
    test::release(*button, {150, 10});
    EXPECT_EQ(clicks.count(), 1);

    button->setEnabled(false);
    test::press(*button, {10, 10});
    test::release(*button, {10, 10});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->State(), GradientButton::bsDisabled);
}

TEST_F(GradButtonTest, GroupMembersLatchAndReleaseEachOther)
{
    auto* other = new GradientButton(&host);
    other->move(100, 0);
    button->setDown(true);
    EXPECT_FALSE(button->down()); // no group: cannot stay down
    button->setGroupIndex(1);
    other->setGroupIndex(1);
    test::press(*button, {5, 5});
    test::release(*button, {5, 5});
    EXPECT_TRUE(button->down());
    EXPECT_EQ(button->State(), GradientButton::bsExclusive);
    test::press(*other, {5, 5});
    test::release(*other, {5, 5});
    EXPECT_TRUE(other->down());
    EXPECT_FALSE(button->down());
    // A second click leaves it down unless all may be up.
    test::press(*other, {5, 5});
    test::release(*other, {5, 5});
    EXPECT_TRUE(other->down());
    other->setAllowAllUp(true);
    EXPECT_TRUE(button->allowAllUp());
    test::press(*other, {5, 5});
    test::release(*other, {5, 5});
    EXPECT_FALSE(other->down());
}

} // namespace
} // namespace kyt
