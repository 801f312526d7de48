// LineSchematic: the schematic window `linia`, the line circuit joining the two stations.
// The window shows "liniowy.jpg" from the current folder and reads it once, when it is created.
#pragma once

#include "SchematicWindow.h"
#include "Windows.h"

namespace kyt {

class LineSchematic : public SchematicWindow {
    Q_OBJECT
public:
    explicit LineSchematic(QWidget* parent = nullptr);

    // The "Schematy" menu.
    void Wizwblokady1Click() { showFromMenu(windows().enablingSchematic()); }
    void ZPG1Click() { showFromMenu(windows().zpgSchematic()); }
    void Pulpit1Click() { showFromMenu(windows().deskSchematic()); }
    void Zwrotpoz1Click() { showFromMenu(windows().permissionSchematic()); }

    static SchematicSpec design();
};

} // namespace kyt
