#pragma once
// Drawing helpers shared by the desk's painted controls.

#include "Colors.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace kyt {

// Grey value: round((20 * red + 50 * green + 30 * blue) / 100), 0..255.
int grayValue(ColorCode c);
// The grey colour of that value (red = green = blue = grayValue(c)).
ColorCode grayColor(ColorCode c);

// Adds n to (lighten) or subtracts n from (darken) each component,
// clamped to 0..255. Theme colours are resolved first.
ColorCode lighten(ColorCode c, int n);
ColorCode darken(ColorCode c, int n);

// Draws img at (x, y), leaving the background wherever img has the key colour
// (a theme colour as key is resolved first).
void drawTransparent(QPainter& p, int x, int y, const QImage& img, ColorCode key);

// The text helpers draw with the painter's font, with a transparent
// background; (x, y) is the top-left corner of the text's line box.

// Text with a drop shadow: the text in shadowColor at (x + depth, y + depth),
// then in textColor at (x, y). Transparent background.
void drawShadowText(QPainter& p, int x, int y, const QString& text, ColorCode textColor,
    ColorCode shadowColor, int depth);

// Text with a one-pixel outline: the text in outlineColor at the four
// diagonal neighbours (x +- 1, y +- 1), then in textColor at (x, y).
void drawOutlineText(
    QPainter& p, int x, int y, const QString& text, ColorCode textColor, ColorCode outlineColor);

// Text with 3-D edges: raised draws the light copy up-left and the dark copy
// down-right by depth pixels; sunk the reverse; then the text itself.
void draw3DText(QPainter& p, int x, int y, const QString& text, ColorCode textColor,
    ColorCode lightColor, ColorCode darkColor, int depth, bool raised);

// Repeats img over r, starting at r's top-left corner, clipped to r.
void tileImage(QPainter& p, const QRect& r, const QImage& img);

// Lays img over the background at (x, y) through mask: where mask is black
// (darker than mid grey), the pixel of img is drawn; where it is white, the
// background stays. Only the area common to img and mask is drawn.
void drawMasked(QPainter& p, int x, int y, const QImage& img, const QImage& mask);

// 3-D frame of the given width on r: topLeft on the top and left edges,
// bottomRight on the bottom and right edges (the top-right and bottom-left
// corner pixels belong to bottomRight). r shrinks by width on each side.
void frame3D(QPainter& p, QRect& r, ColorCode topLeft, ColorCode bottomRight, int width);

} // namespace kyt
