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

using TColor = quint32;

constexpr TColor kThemeBit = 0x80000000u;

// Theme colours.
constexpr TColor clScrollBar = kThemeBit | 0;
constexpr TColor clBackground = kThemeBit | 1;
constexpr TColor clActiveCaption = kThemeBit | 2;
constexpr TColor clInactiveCaption = kThemeBit | 3;
constexpr TColor clMenu = kThemeBit | 4;
constexpr TColor clWindow = kThemeBit | 5;
constexpr TColor clWindowFrame = kThemeBit | 6;
constexpr TColor clMenuText = kThemeBit | 7;
constexpr TColor clWindowText = kThemeBit | 8;
constexpr TColor clCaptionText = kThemeBit | 9;
constexpr TColor clActiveBorder = kThemeBit | 10;
constexpr TColor clInactiveBorder = kThemeBit | 11;
constexpr TColor clAppWorkSpace = kThemeBit | 12;
constexpr TColor clHighlight = kThemeBit | 13;
constexpr TColor clHighlightText = kThemeBit | 14;
constexpr TColor clBtnFace = kThemeBit | 15;
constexpr TColor clBtnShadow = kThemeBit | 16;
constexpr TColor clGrayText = kThemeBit | 17;
constexpr TColor clBtnText = kThemeBit | 18;
constexpr TColor clInactiveCaptionText = kThemeBit | 19;
constexpr TColor clBtnHighlight = kThemeBit | 20;
constexpr TColor cl3DDkShadow = kThemeBit | 21;
constexpr TColor cl3DLight = kThemeBit | 22;
constexpr TColor clInfoText = kThemeBit | 23;
constexpr TColor clInfoBk = kThemeBit | 24;

// Named colours, written as (red, green, blue) in the low three bytes.
constexpr TColor rgbValue(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr TColor clBlack = rgbValue(0, 0, 0);
constexpr TColor clMaroon = rgbValue(128, 0, 0);
constexpr TColor clGreen = rgbValue(0, 128, 0);
constexpr TColor clOlive = rgbValue(128, 128, 0);
constexpr TColor clNavy = rgbValue(0, 0, 128);
constexpr TColor clPurple = rgbValue(128, 0, 128);
constexpr TColor clTeal = rgbValue(0, 128, 128);
constexpr TColor clGray = rgbValue(128, 128, 128);
constexpr TColor clSilver = rgbValue(192, 192, 192);
constexpr TColor clRed = rgbValue(255, 0, 0);
constexpr TColor clLime = rgbValue(0, 255, 0);
constexpr TColor clYellow = rgbValue(255, 255, 0);
constexpr TColor clBlue = rgbValue(0, 0, 255);
constexpr TColor clFuchsia = rgbValue(255, 0, 255);
constexpr TColor clAqua = rgbValue(0, 255, 255);
constexpr TColor clWhite = rgbValue(255, 255, 255);

// Resolves theme colours through the fixed classic table; the result is an
// ordinary colour value (top byte 0).
TColor resolveColor(TColor c);

// Opaque QColor of a colour value (theme colours resolved).
QColor toQColor(TColor c);

// Colour value of a QColor (alpha ignored).
TColor fromQColor(const QColor& c);

}  // namespace kyt
