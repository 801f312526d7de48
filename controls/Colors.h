#pragma once
// The desk's colour value: a 32-bit number. For an ordinary colour the low
// byte is red, then green, then blue, top byte 0 (255 is red, 0xFFFFFF white).
// A value with the top bit set (0x80000000 + n) names theme colour n and is
// resolved only when drawn, from one fixed table of the classic desktop
// scheme (never from the platform palette).

#include <QColor>
#include <QtGlobal>
#include <cstdint>

namespace kyt {

using ColorCode = quint32;

constexpr ColorCode kThemeBit = 0x80000000u;

// Theme colours.
constexpr ColorCode clScrollBar = kThemeBit | 0;
constexpr ColorCode clBackground = kThemeBit | 1;
constexpr ColorCode clActiveCaption = kThemeBit | 2;
constexpr ColorCode clInactiveCaption = kThemeBit | 3;
constexpr ColorCode clMenu = kThemeBit | 4;
constexpr ColorCode clWindow = kThemeBit | 5;
constexpr ColorCode clWindowFrame = kThemeBit | 6;
constexpr ColorCode clMenuText = kThemeBit | 7;
constexpr ColorCode clWindowText = kThemeBit | 8;
constexpr ColorCode clCaptionText = kThemeBit | 9;
constexpr ColorCode clActiveBorder = kThemeBit | 10;
constexpr ColorCode clInactiveBorder = kThemeBit | 11;
constexpr ColorCode clAppWorkSpace = kThemeBit | 12;
constexpr ColorCode clHighlight = kThemeBit | 13;
constexpr ColorCode clHighlightText = kThemeBit | 14;
constexpr ColorCode clBtnFace = kThemeBit | 15;
constexpr ColorCode clBtnShadow = kThemeBit | 16;
constexpr ColorCode clGrayText = kThemeBit | 17;
constexpr ColorCode clBtnText = kThemeBit | 18;
constexpr ColorCode clInactiveCaptionText = kThemeBit | 19;
constexpr ColorCode clBtnHighlight = kThemeBit | 20;
constexpr ColorCode cl3DDkShadow = kThemeBit | 21;
constexpr ColorCode cl3DLight = kThemeBit | 22;
constexpr ColorCode clInfoText = kThemeBit | 23;
constexpr ColorCode clInfoBk = kThemeBit | 24;

// Named colours, written as (red, green, blue) in the low three bytes.
constexpr ColorCode rgbValue(int r, int g, int b)
{
    return ColorCode(r & 0xFF) | (ColorCode(g & 0xFF) << 8) | (ColorCode(b & 0xFF) << 16);
}
constexpr ColorCode clBlack = rgbValue(0, 0, 0);
constexpr ColorCode clMaroon = rgbValue(128, 0, 0);
constexpr ColorCode clGreen = rgbValue(0, 128, 0);
constexpr ColorCode clOlive = rgbValue(128, 128, 0);
constexpr ColorCode clNavy = rgbValue(0, 0, 128);
constexpr ColorCode clPurple = rgbValue(128, 0, 128);
constexpr ColorCode clTeal = rgbValue(0, 128, 128);
constexpr ColorCode clGray = rgbValue(128, 128, 128);
constexpr ColorCode clSilver = rgbValue(192, 192, 192);
constexpr ColorCode clRed = rgbValue(255, 0, 0);
constexpr ColorCode clLime = rgbValue(0, 255, 0);
constexpr ColorCode clYellow = rgbValue(255, 255, 0);
constexpr ColorCode clBlue = rgbValue(0, 0, 255);
constexpr ColorCode clFuchsia = rgbValue(255, 0, 255);
constexpr ColorCode clAqua = rgbValue(0, 255, 255);
constexpr ColorCode clWhite = rgbValue(255, 255, 255);

// Resolves theme colours through the fixed classic table; the result is an
// ordinary colour value (top byte 0).
ColorCode resolveColor(ColorCode c);

// Opaque QColor of a colour value (theme colours resolved).
QColor toQColor(ColorCode c);

// Colour value of a QColor (alpha ignored).
ColorCode fromQColor(const QColor& c);

} // namespace kyt
