#pragma once
// The control gallery: named shots of the desk's controls in their
// characteristic states, rendered off screen into PNG files.

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace kyt::gallery {

// One picture of a control in one state; the name "ALed_red_lit" gives the
// file ALed_red_lit.png.
struct Shot {
    QString name;
    std::function<QImage()> render;
};

// Registers shots; called from a static initialiser in each
// gallery_<module>.cpp:
//   static const bool registered = kyt::gallery::add({ {"ALed_dark", []{ ... }}, ... });
bool add(std::vector<Shot> shots);

// Every registered shot, sorted by name.
std::vector<Shot> shots();

// Renders a widget (not shown on screen) into an image of its size, over
// the button-face grey of the desk.
QImage grab(QWidget& w);

} // namespace kyt::gallery
