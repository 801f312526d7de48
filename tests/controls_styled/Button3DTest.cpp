#include "Button3D.h"
#include "Render.h"

#include <gtest/gtest.h>

namespace kyt {
namespace {

struct Button3DTest : ::testing::Test {
    Button3D button;

    void SetUp() override
    {
        button.resize(75, 25);
        button.setCaption(QStringLiteral("OK"));
    }
    QImage picture() { return test::render(button); }
    // Pixels strictly inside the frame lines.
    static int countInside(const QImage& img, ColorCode c)
    {
        return test::count(img.copy(4, 4, img.width() - 8, img.height() - 8), c);
    }
};

TEST_F(Button3DTest, RaisedFrameAndEmbossedCaption)
{
    const QImage img = picture();
    EXPECT_EQ(test::at(img, 0, 0), resolveColor(clBtnHighlight));
    EXPECT_EQ(test::at(img, 74, 24), resolveColor(cl3DDkShadow));
    EXPECT_EQ(test::at(img, 73, 23), resolveColor(clBtnShadow));
    EXPECT_EQ(test::at(img, 10, 12), resolveColor(clBtnFace));
    EXPECT_GT(countInside(img, clWindowText), 10); // the letters
    EXPECT_GT(countInside(img, clBtnHighlight), 5); // light copy up-left
    EXPECT_GT(countInside(img, clBtnShadow), 5); // dark copy down-right
}

TEST_F(Button3DTest, DefaultButtonGetsABlackOuterLine)
{
    button.setDefault(true);
    const QImage img = picture();
    EXPECT_EQ(test::at(img, 0, 0), clBlack);
    EXPECT_EQ(test::at(img, 74, 0), clBlack);
    EXPECT_EQ(test::at(img, 1, 1), resolveColor(clBtnHighlight)); // frame moved in
}

TEST_F(Button3DTest, DisabledCaptionIsWhiteUnderGrey)
{
    button.setEnabled(false);
    const QImage img = picture();
    EXPECT_EQ(countInside(img, clBlack), 0);
    const auto grey = test::pixelsOf(img.copy(4, 4, 67, 17), clGray);
    const auto white = test::pixelsOf(img.copy(4, 4, 67, 17), clWhite);
    ASSERT_GT(grey.size(), 10u);
    // Every white pixel is a grey letter pixel moved one down-right.
    for (auto p : white)
        EXPECT_TRUE(grey.count({p.first - 1, p.second - 1})) << p.first << "," << p.second;
}

TEST_F(Button3DTest, PressedLookAndColourSwap)
{
    button.setDown(true);
    QImage img = picture();
    EXPECT_EQ(test::at(img, 0, 0), resolveColor(clBtnShadow)); // flat shadow rectangle
    EXPECT_EQ(test::at(img, 74, 24), resolveColor(clBtnShadow));
    EXPECT_GT(countInside(img, clWhite), 5); // highlight still up-left

    button.setPressState(Button3D::bvPress);
    img = picture();
    // Light and dark swapped: white only down-right of the letters.
    const auto letters = test::pixelsOf(img, clBlack);
    const auto white = test::pixelsOf(img, clWhite);
    ASSERT_FALSE(white.empty());
    for (auto [x, y] : white)
        EXPECT_TRUE(letters.count({x - 1, y - 1})) << x << "," << y;
    EXPECT_GT(countInside(img, clBtnShadow), 5);

    button.setBevel(Button3D::bvShadow);
    img = picture();
    EXPECT_EQ(test::count(img, clWhite), 0);
    EXPECT_EQ(countInside(img, clBtnShadow), 0); // a pressed shadow button drops its shadow
}

TEST_F(Button3DTest, CaptionMovesOnePixelWhenPressed)
{
    button.setBevel(Button3D::bvNone);
    auto letters = [&] { return test::pixelsOf(picture().copy(3, 3, 69, 19), clBlack); };
    const auto up = letters();
    ASSERT_GT(up.size(), 10u);
    button.setDown(true);
    EXPECT_EQ(letters(), test::shifted(up, 1, 1));
}

} // namespace
} // namespace kyt
