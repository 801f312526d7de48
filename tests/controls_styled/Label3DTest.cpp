#include "Label3D.h"
#include "Fonts.h"
#include "Panel3D.h"
#include "Render.h"

#include <gtest/gtest.h>

namespace kyt {
namespace {

using test::Backdrop;
using test::Pixels;

const ColorCode kDesk = rgbValue(128, 255, 0);

struct Label3DTest : ::testing::Test {
    Backdrop host {80, 30, kDesk};
    Label3D* label = new Label3D(&host);

    void SetUp() override
    {
        label->setFont(deskFont(QStringLiteral("MS Sans Serif"), 11, true));
        label->setCaption(QStringLiteral("Wbl"));
        label->setAutoSize(false);
        label->setGeometry(10, 8, 40, 16);
    }

    // The letters alone, drawn plain in black.
    Pixels letters()
    {
        const auto bevel = label->bevel();
        label->setBevel(Label3D::bvNone);
        const Pixels g = test::pixelsOf(test::render(host), clBlack);
        label->setBevel(bevel);
        return g;
    }

    // Every pixel of the label must be: the letters in `text`, else the
    // down-right copy in `lowerRight`, else the up-left copy in `upperLeft`,
    // else the background. `upperLeft` 0xFFFFFFFF: no such copy.
    void expectEmbossed(
        const Pixels& g, int s, ColorCode text, ColorCode lowerRight, ColorCode upperLeft)
    {
        const QImage img = test::render(host);
        int mismatches = 0;
        for (int y = label->y(); y < label->y() + label->height(); ++y)
            for (int x = label->x(); x < label->x() + label->width(); ++x) {
                ColorCode want = kDesk;
                if (g.count({x, y}))
                    want = text;
                else if (g.count({x - s, y - s}))
                    want = lowerRight;
                else if (upperLeft != 0xFFFFFFFFu && g.count({x + s, y + s}))
                    want = upperLeft;
                if (test::at(img, x, y) != resolveColor(want))
                    ++mismatches;
            }
        EXPECT_EQ(mismatches, 0);
    }
};

TEST_F(Label3DTest, RaisedTextHasWhiteUpperLeftAndGreyLowerRightCopies)
{
    const Pixels g = letters();
    ASSERT_GT(g.size(), 20u);
    expectEmbossed(g, 1, clBlack, clGray, clWhite);
}

TEST_F(Label3DTest, LoweredAndShadowedKindsPlaceTheirCopies)
{
    const Pixels g = letters();
    label->setBevel(Label3D::bvLowered);
    expectEmbossed(g, 1, clBlack, clWhite, clGray);
    label->setBevel(Label3D::bvShadow);
    label->setShadowSize(2);
    expectEmbossed(g, 2, clBlack, clGray, 0xFFFFFFFFu);
}

TEST_F(Label3DTest, DisabledLabelDrawsNoUpperLeftCopyAndGreyText)
{
    const Pixels g = letters();
    label->setEnabled(false);
    // clGrayText and clBtnShadow are both RGB 128,128,128.
    expectEmbossed(g, 1, clGrayText, clBtnShadow, 0xFFFFFFFFu);
    EXPECT_EQ(test::count(test::render(host), clWhite), 0);
}

TEST_F(Label3DTest, ShadowSizeZeroLooksPlain)
{
    const QImage plain = [&] {
        label->setBevel(Label3D::bvNone);
        return test::render(host);
    }();
    label->setBevel(Label3D::bvRaised);
    label->setShadowSize(0);
    EXPECT_EQ(test::render(host), plain);
}

TEST_F(Label3DTest, BackgroundIsParentColourOwnColourOrNothing)
{
    EXPECT_EQ(test::at(test::render(host), 49, 23), kDesk); // takes the parent's colour
    label->setColor(clAqua);
    EXPECT_FALSE(label->parentColor());
    EXPECT_EQ(test::at(test::render(host), 49, 23), clAqua);
    label->setTransparent(true);
    EXPECT_EQ(test::at(test::render(host), 49, 23), kDesk); // the parent shows through
}

TEST_F(Label3DTest, LabelOnPanelTakesThePanelsColour)
{
    Panel3D panel;
    panel.resize(60, 40);
    panel.setColor(rgbValue(191, 247, 238));
    Label3D l(&panel);
    l.setCaption(QStringLiteral("x"));
    l.setAutoSize(false);
    l.setGeometry(5, 20, 30, 15);
    const QImage img = test::render(panel);
    EXPECT_EQ(test::at(img, 33, 33), rgbValue(191, 247, 238));
}

TEST_F(Label3DTest, AutoSizeFollowsCaptionAndFont)
{
    label->setAutoSize(true);
    const QSize small = label->size();
    EXPECT_EQ(small, label->TextExtent());
    label->setCaption(QStringLiteral("PRZYJAZD"));
    EXPECT_GT(label->width(), small.width());
    const QSize wide = label->size();
    label->setFont(deskFont(QStringLiteral("MS Sans Serif"), 16, true));
    EXPECT_GT(label->width(), wide.width());
    EXPECT_GT(label->height(), wide.height());
    // An empty caption, or a lone prefix character, keeps one space's size.
    label->setCaption(QString());
    const QSize empty = label->size();
    EXPECT_GT(empty.width(), 0);
    EXPECT_GT(empty.height(), 0);
    label->setCaption(QStringLiteral("&"));
    EXPECT_EQ(label->size(), empty);
    label->setShowAccelChar(false);
    EXPECT_NE(label->size(), empty); // now a visible ampersand
}

TEST_F(Label3DTest, RightAlignedAutoSizeKeepsTheRightEdge)
{
    label->setAlignment(Label3D::taRightJustify);
    label->setAutoSize(true);
    const int right = label->x() + label->width();
    label->setCaption(QStringLiteral("Wbl Wbl Wbl"));
    EXPECT_EQ(label->x() + label->width(), right);
}

} // namespace
} // namespace kyt
