#pragma once
// The desk's component names as the window's widgets carry them: the typed
// constants of the core, as object names.

#include "DeskNames.h"

#include <QString>

namespace kyt {

inline QString qtName(Control control)
{
    return QString::fromLatin1(controlName(control));
}

} // namespace kyt
