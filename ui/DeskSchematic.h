// DeskSchematic: the schematic window `pulp`, the circuits of the desk lamps.
// The window shows "pulpit.jpg" from the current folder and reads it once, when it is created.
#pragma once

#include "SchematicWindow.h"
#include "Windows.h"

namespace kyt {

class DeskSchematic : public SchematicWindow {
    Q_OBJECT
public:
    explicit DeskSchematic(QWidget* parent = nullptr);

    // The "Schematy" menu.
    void Wizwblokady1Click() { showFromMenu(windows().enablingSchematic()); }
    void Liniowy1Click() { showFromMenu(windows().lineSchematic()); }
    void ZPG1Click() { showFromMenu(windows().zpgSchematic()); }
    void Zwrotpoz1Click() { showFromMenu(windows().permissionSchematic()); }

    static SchematicSpec design();
};

} // namespace kyt
