#pragma once
// Fonts of the desk. The windows name the classic faces "MS Sans Serif" and
// "Arial" with a character height in pixels; neither face exists on a Linux
// desktop, so both are shown with Liberation Sans (metric-compatible with
// Arial, and narrow enough for every fixed caption of the desk), falling back
// to DejaVu Sans. Text is drawn without anti-aliasing, crisp like the
// classic bitmap faces, so that every letter pixel has its exact colour.

#include <QFont>
#include <QRect>
#include <QString>

namespace kyt {

// Installed face family list standing in for a named face.
QStringList fontFaces(const QString& family);

// A font of the named face with the given character height in pixels.
QFont deskFont(const QString& family, int pixelHeight, bool bold = false);

// The font of a newly created control: "MS Sans Serif", 11 pixels.
QFont defaultDeskFont();

// Character height of a font in pixels (point sizes are taken at 96 dpi).
int charHeight(const QFont& f);

// The text's bounding box as QFontMetrics(font).boundingRect(box, flags,
// text) gives it; dpi is the resolution of the control the font belongs to.
// The desk's labels are measured at every change of their caption, font or
// layout while they are built, many with the same font and caption: each
// distinct measuring is laid out once. For the thread that shows the
// windows.
QRect textBounds(const QFont& font, int dpi, const QRect& box, int flags, const QString& text);

// Converts a size in points to pixels at 96 dpi, rounded.
int pointsToPixels(double points);

// Start-up: reads the system's font configuration on a thread of its own
// while the application object is being made, before any text is laid out
// (the first font used would otherwise read it then, on the way to the
// first frame). awaitFontConfiguration() waits for that reading; it must be
// called before the toolkit's first use of fonts. Both do nothing when the
// reading was not started or was already awaited.
void prepareFontConfiguration();
void awaitFontConfiguration();

} // namespace kyt
