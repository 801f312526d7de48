#include "ShadowButton.h"
#include "Render.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace kyt {
namespace {

struct ShadowButtonTest : ::testing::Test {
    test::Backdrop host {120, 50, clRed};
    ShadowButton* button = new ShadowButton(&host);

    void SetUp() override
    {
        button->setGeometry(4, 4, 104, 33);
        button->setCaption(QString());
        host.show(); // a hidden widget learns of its new size only when shown
    }
    QImage picture() { return test::render(host); }
};

TEST_F(ShadowButtonTest, DisabledButtonIsFilledWithTheGreyOfItsColour)
{
    EXPECT_EQ(test::at(picture(), 50, 18), clLime);
    button->setEnabled(false);
    const QImage img = picture();
    EXPECT_EQ(test::at(img, 50, 18), rgbValue(128, 128, 128)); // 0.5 x 255 rounded
    button->setBorderColor(clYellow); // grey 178.5 -> 179
    EXPECT_EQ(test::at(picture(), 50, 4), rgbValue(179, 179, 179));
}

TEST_F(ShadowButtonTest, UpButtonStandsOnItsShadowAndSinksWhenPressed)
{
    button->setShape(ShadowButton::stRectangle);
    const QImage up = picture();
    // Face 101 x 30 at the top-left, its outline black, shadow below right.
    EXPECT_EQ(test::at(up, 4, 4), clBlack);
    EXPECT_EQ(test::at(up, 104, 33), clBlack);
    EXPECT_EQ(test::at(up, 6, 6), clLime);
    EXPECT_EQ(test::at(up, 106, 35), resolveColor(clBtnShadow));
    EXPECT_EQ(test::at(up, 107, 36), clRed); // unframed shadow: a pixel short
    EXPECT_EQ(test::at(up, 6, 35), clRed); // left of the shadow: the parent

    test::press(*button, {10, 10});
    EXPECT_TRUE(button->pressed());
    const QImage down = picture();
    EXPECT_EQ(test::at(down, 4, 4), clRed); // nothing at the old place's corner
    EXPECT_EQ(test::at(down, 7, 7), clBlack);
    EXPECT_EQ(test::at(down, 107, 36), clBlack);
    EXPECT_EQ(test::count(down, clBtnShadow), 0);
}

TEST_F(ShadowButtonTest, CaptionMovesWithTheFace)
{
    button->setCaption(QStringLiteral("POPRAWIĘ SIĘ"));
    button->setFontColor(clNavy);
    const auto up = test::pixelsOf(picture(), clNavy);
    ASSERT_GT(up.size(), 30u);
    test::press(*button, {10, 10});
    EXPECT_EQ(test::pixelsOf(picture(), clNavy), test::shifted(up, 3, 3));
}

TEST_F(ShadowButtonTest, WithoutDepthPressingChangesNothingVisible)
{
    button->setCaption(QStringLiteral("POPRAWIĘ SIĘ"));
    button->setDeepth(0);
    const QImage up = picture();
    test::press(*button, {10, 10});
    ASSERT_TRUE(button->pressed());
    EXPECT_EQ(picture(), up);
}

TEST_F(ShadowButtonTest, SquareShapesAreCentredSquares)
{
    button->setDeepth(0);
    button->setBorder(false);
    button->setShape(ShadowButton::stSquare);
    QImage img = picture();
    // A 33 x 33 square in the middle of 104 x 33 from x 35 of the button;
    // without its outline it is filled a pixel short: x 35 .. 66.
    EXPECT_EQ(test::at(img, 4 + 34, 20), clRed);
    EXPECT_EQ(test::at(img, 4 + 35, 20), clLime);
    EXPECT_EQ(test::at(img, 4 + 66, 20), clLime);
    EXPECT_EQ(test::at(img, 4 + 67, 20), clRed);
    button->setBorder(true);
    EXPECT_EQ(test::at(picture(), 4 + 67, 20), clBlack);
    button->setShape(ShadowButton::stCircle);
    img = picture();
    EXPECT_EQ(test::at(img, 4 + 36, 5), clRed); // the circle leaves the corner
    EXPECT_EQ(test::at(img, 4 + 51, 20), clLime);
    button->setShape(ShadowButton::stEllipse);
    EXPECT_EQ(test::at(picture(), 4 + 5, 20), clLime); // the ellipse spans the width
}

TEST_F(ShadowButtonTest, ClickOnReleaseOverTheButtonAndDepthLimits)
{
    QSignalSpy clicks(button, &ShadowButton::clicked);
    test::press(*button, {10, 10});
    test::release(*button, {10, 10});
    test::press(*button, {10, 10});
    test::release(*button, {300, 10});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button->pressed());
    button->setDeepth(40);
    EXPECT_EQ(button->deepth(), 12);
    button->setDeepth(-1);
    EXPECT_EQ(button->deepth(), 0);
}

} // namespace
} // namespace kyt
