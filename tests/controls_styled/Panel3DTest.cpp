#include "Panel3D.h"
#include "Fonts.h"
#include "Render.h"

#include <gtest/gtest.h>

namespace kyt {
namespace {

const ColorCode kBoard = rgbValue(133, 239, 207);

struct Panel3DTest : ::testing::Test {
    Panel3D panel;

    void SetUp() override
    {
        panel.resize(95, 120);
        panel.setColor(kBoard);
        panel.setFont(deskFont(QStringLiteral("MS Sans Serif"), 13, true));
        panel.setFontTitle(deskFont(QStringLiteral("MS Sans Serif"), 11));
        panel.setCaption(QStringLiteral("Stan"));
    }

    // Rows holding pixels of colour c inside r.
    static std::pair<int, int> rowsOf(const QImage& img, ColorCode c, const QRect& r)
    {
        int lo = 100000, hi = -1;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (test::at(img, x, y) == c) {
                    lo = std::min(lo, y);
                    hi = std::max(hi, y);
                }
        return {lo, hi};
    }
};

TEST_F(Panel3DTest, FrameStartsHalfATitleLineBelowTheTopWithoutTitle)
{
    // Title font 11 px: 1 + 11 div 2 = 6 rows of panel colour above the frame.
    QImage img = test::render(panel);
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(test::at(img, 2, y), kBoard) << "row " << y;
    EXPECT_EQ(test::at(img, 20, 6), resolveColor(clBtnHighlight)); // raised: light top
    EXPECT_EQ(test::at(img, 0, 60), resolveColor(clBtnHighlight));
    EXPECT_EQ(test::at(img, 94, 60), resolveColor(clBtnShadow));
    EXPECT_EQ(test::at(img, 20, 119), resolveColor(clBtnShadow));
    EXPECT_EQ(panel.FrameRect(), QRect(1, 7, 93, 112));

    panel.setFontTitle(deskFont(QStringLiteral("MS Sans Serif"), 13, true));
    panel.setBevelOuter(Panel3D::bvLowered);
    img = test::render(panel);
    EXPECT_EQ(test::at(img, 20, 6), kBoard);
    EXPECT_EQ(test::at(img, 20, 7), resolveColor(clBtnShadow)); // lowered: dark top
    EXPECT_EQ(test::at(img, 94, 60), resolveColor(clBtnHighlight));
}

TEST_F(Panel3DTest, BevelsAndBorderShrinkTheInside)
{
    panel.setBevelWidth(2);
    panel.setBorderWidth(3);
    panel.setBevelInner(Panel3D::bvLowered);
    EXPECT_EQ(panel.FrameRect(), QRect(7, 13, 81, 100));
    const QImage img = test::render(panel);
    EXPECT_EQ(test::at(img, 1, 60), resolveColor(clBtnHighlight)); // outer, 2 wide
    EXPECT_EQ(test::at(img, 3, 60), kBoard); // border in panel colour
    EXPECT_EQ(test::at(img, 6, 60), resolveColor(clBtnShadow)); // inner lowered
}

TEST_F(Panel3DTest, VerticalAlignmentPlacesTheCaption)
{
    panel.setBevelCaption(Panel3D::bvNone3);
    const QRect inside = panel.FrameRect();
    panel.setVertAlignment(Panel3D::vaTop);
    const auto top = rowsOf(test::render(panel), clBlack, inside);
    panel.setVertAlignment(Panel3D::vaCenter);
    const auto mid = rowsOf(test::render(panel), clBlack, inside);
    panel.setVertAlignment(Panel3D::vaBottom);
    const auto bottom = rowsOf(test::render(panel), clBlack, inside);
    ASSERT_GE(top.second, 0);
    EXPECT_LT(top.second, inside.top() + 16);
    EXPECT_NEAR((mid.first + mid.second) / 2, (inside.top() + inside.bottom()) / 2, 4);
    EXPECT_GT(bottom.first, inside.bottom() - 16);
}

TEST_F(Panel3DTest, LongCaptionIsWordBrokenWithinThePanel)
{
    panel.setCaption(QStringLiteral("Stan przekaźników "));
    panel.setVertAlignment(Panel3D::vaTop);
    panel.setBevelCaption(Panel3D::bvNone3);
    const QImage img = test::render(panel);
    const auto rows = rowsOf(img, clBlack, panel.rect());
    EXPECT_GT(rows.second - rows.first, 20); // two lines
    for (int y = 0; y < img.height(); ++y) {
        EXPECT_NE(test::at(img, 1, y), clBlack);
        EXPECT_NE(test::at(img, 93, y), clBlack);
    }
}

TEST_F(Panel3DTest, TitleStripIsPlacedByItsAlignment)
{
    panel.setTitle(QStringLiteral("Tytuł"));
    const int t = QFontMetrics(panel.fontTitle()).horizontalAdvance(panel.title());
    EXPECT_EQ(panel.TitleStrip().left(), 5 - 1);
    EXPECT_EQ(panel.TitleStrip().right(), 5 + t); // right edge 5 + t, widened by 1
    panel.setAlignmentTitle(Panel3D::taRightJustify);
    EXPECT_EQ(panel.TitleStrip().right(), 95 - 5);
    panel.setAlignmentTitle(Panel3D::taCenter);
    EXPECT_EQ(panel.TitleStrip().left(), 95 / 2 - t / 2 - 1);
    // A title wider than the panel starts at its left edge.
    panel.setTitle(QStringLiteral("Bardzo długi tytuł panelu"));
    EXPECT_EQ(panel.TitleStrip().left(), -1);
    panel.setTitle(QString());
    EXPECT_TRUE(panel.TitleStrip().isEmpty());
}

TEST_F(Panel3DTest, RePaintCTChoosesCaptionTitleOrBoth)
{
    panel.setTitle(QStringLiteral("Tytuł"));
    panel.setColorTitle(clYellow);
    panel.setBevelCaption(Panel3D::bvNone3);
    panel.setBevelTitle(Panel3D::bvNone3);
    panel.setFontColor(clRed);
    panel.setFontTitleColor(clBlue);
    auto parts = [&] {
        const QImage img = test::render(panel);
        return std::tuple(test::count(img, clRed) > 0, test::count(img, clBlue) > 0,
            test::count(img, clYellow) > 0);
    };
    EXPECT_EQ(parts(), std::tuple(true, true, true));
    panel.setRePaintCT(Panel3D::rpCaption);
    EXPECT_EQ(parts(), std::tuple(true, false, false));
    panel.setRePaintCT(Panel3D::rpTitle);
    EXPECT_EQ(parts(), std::tuple(false, true, true));
}

TEST_F(Panel3DTest, PartialRepaintsDrawTheTextsWhereverTheyReach)
{
    // A control on the board repaints only its own area of the panel: each
    // strip of the panel drawn on its own must match the whole picture.
    panel.setCaption(QStringLiteral("Stan przekaźników "));
    panel.setVertAlignment(Panel3D::vaTop);
    panel.setTitle(QStringLiteral("Tytuł"));
    panel.setShadowSizeCaption(3);
    const QImage whole = test::render(panel);
    for (int top = 0; top < panel.height(); top += 3) {
        QImage strips(panel.size(), QImage::Format_RGB32);
        strips.fill(Qt::black);
        const QRect strip(10, top, 30, 3);
        panel.render(&strips, strip.topLeft(), QRegion(strip), QWidget::DrawChildren);
        for (int y = strip.top(); y <= std::min(strip.bottom(), panel.height() - 1); ++y)
            for (int x = strip.left(); x <= strip.right(); ++x)
                ASSERT_EQ(strips.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
    }
}

} // namespace
} // namespace kyt
