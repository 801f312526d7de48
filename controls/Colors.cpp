#include "Colors.h"

#include <array>

namespace kyt {

namespace {

// The classic desktop scheme, indexed by theme colour number.
constexpr std::array<ColorCode, 25> kClassicScheme = {
    rgbValue(192, 192, 192), // 0 scroll bar
    rgbValue(0, 128, 128), // 1 desktop background
    rgbValue(0, 0, 128), // 2 active caption
    rgbValue(128, 128, 128), // 3 inactive caption
    rgbValue(192, 192, 192), // 4 menu
    rgbValue(255, 255, 255), // 5 window
    rgbValue(0, 0, 0), // 6 window frame
    rgbValue(0, 0, 0), // 7 menu text
    rgbValue(0, 0, 0), // 8 window text
    rgbValue(255, 255, 255), // 9 caption text
    rgbValue(192, 192, 192), // 10 active border
    rgbValue(192, 192, 192), // 11 inactive border
    rgbValue(128, 128, 128), // 12 application workspace
    rgbValue(0, 0, 128), // 13 selection highlight
    rgbValue(255, 255, 255), // 14 selected text
    rgbValue(192, 192, 192), // 15 button face
    rgbValue(128, 128, 128), // 16 button shadow
    rgbValue(128, 128, 128), // 17 grey text
    rgbValue(0, 0, 0), // 18 button text
    rgbValue(192, 192, 192), // 19 inactive caption text
    rgbValue(255, 255, 255), // 20 button highlight
    rgbValue(0, 0, 0), // 21 3-D dark shadow
    rgbValue(192, 192, 192), // 22 3-D light
    rgbValue(0, 0, 0), // 23 tooltip text
    rgbValue(255, 255, 225), // 24 tooltip background
};

} // namespace

ColorCode resolveColor(ColorCode c)
{
    if (c & kThemeBit) {
        const ColorCode index = c & 0xFFu;
        // An unknown theme number draws black, as the desktop does.
        if ((c & ~(kThemeBit | 0xFFu)) != 0 || index >= kClassicScheme.size())
            return clBlack;
        return kClassicScheme[index];
    }
    return c & 0x00FFFFFFu;
}

QColor toQColor(ColorCode c)
{
    const ColorCode v = resolveColor(c);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

ColorCode fromQColor(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return rgbValue(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace kyt
