// Pictures and fonts of the program's resources, found by name.
#pragma once

#include <QImage>
#include <QString>

namespace kyt {

// A picture of the program's resources by its name, without regard to
// case ("WZB", "odzw", ...). A null image when there is none.
QImage pictureByName(const QString &name);

// The installed font family that stands for a font name of the desk
// ("MS Sans Serif", "Arial").
QString mappedFamily(const QString &family);

} // namespace kyt
