#include "Colors.h"
#include "DrawUtil.h"

#include <gtest/gtest.h>

using namespace kyt;

namespace {

QRgb rgbOf(ColorCode c)
{
    return toQColor(c).rgb() & 0xFFFFFF;
}

} // namespace

TEST(Colors, ByteOrderIsRedGreenBlueFromTheLowByte)
{
    EXPECT_EQ(clRed, 255u);
    EXPECT_EQ(clWhite, 16777215u);
    EXPECT_EQ(rgbOf(rgbValue(1, 2, 3)), qRgb(1, 2, 3) & 0xFFFFFF);
    EXPECT_EQ(fromQColor(QColor(10, 20, 30)), 10u | (20u << 8) | (30u << 16));
    EXPECT_EQ(fromQColor(toQColor(clOlive)), clOlive);
    // A palette-relative value (non-zero top byte without the theme bit)
    // draws its low three bytes.
    EXPECT_EQ(resolveColor(0x02000000u | clTeal), clTeal);
}

TEST(Colors, ThemeColoursComeFromTheClassicScheme)
{
    EXPECT_EQ(clWindow, 0x80000005u);
    EXPECT_EQ(cl3DLight, 0x80000016u);
    EXPECT_EQ(resolveColor(clWindow), clWhite);
    EXPECT_EQ(resolveColor(clBtnHighlight), clWhite);
    EXPECT_EQ(resolveColor(clWindowText), clBlack);
    EXPECT_EQ(resolveColor(clWindowFrame), clBlack);
    EXPECT_EQ(resolveColor(cl3DDkShadow), clBlack);
    EXPECT_EQ(resolveColor(clBtnFace), clSilver);
    EXPECT_EQ(resolveColor(cl3DLight), clSilver);
    EXPECT_EQ(resolveColor(clBtnShadow), clGray);
    EXPECT_EQ(resolveColor(clGrayText), clGray);
    EXPECT_EQ(rgbOf(clBtnFace), qRgb(192, 192, 192) & 0xFFFFFF);
    // Out of the table: black rather than garbage.
    EXPECT_EQ(resolveColor(kThemeBit | 200), clBlack);
    EXPECT_EQ(resolveColor(kThemeBit | 0x105), clBlack);
}

TEST(Colors, GreyValueRoundsTheWeightedSum)
{
    EXPECT_EQ(grayValue(clBlack), 0);
    EXPECT_EQ(grayValue(clWhite), 255);
    EXPECT_EQ(grayValue(clRed), 51);
    EXPECT_EQ(grayValue(clLime), 128); // 127.5 rounds up
    EXPECT_EQ(grayValue(clBlue), 77); // 76.5 rounds up
    EXPECT_EQ(grayValue(rgbValue(1, 0, 0)), 0); // 0.2
    EXPECT_EQ(grayValue(rgbValue(3, 0, 0)), 1); // 0.6
    EXPECT_EQ(grayValue(clBtnFace), 192);
    EXPECT_EQ(grayColor(clLime), clGray);
}

TEST(Colors, LightenAndDarkenClampEachComponent)
{
    EXPECT_EQ(lighten(clBtnFace, 64), clWhite);
    EXPECT_EQ(darken(clBtnFace, 64), clGray);
    EXPECT_EQ(lighten(rgbValue(250, 10, 100), 10), rgbValue(255, 20, 110));
    EXPECT_EQ(darken(rgbValue(250, 10, 100), 20), rgbValue(230, 0, 80));
    EXPECT_EQ(darken(clBlack, 300), clBlack);
    EXPECT_EQ(lighten(clOlive, 0), clOlive);
}
