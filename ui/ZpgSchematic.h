// ZpgSchematic: the schematic window `zpg`, the circuit of the ZPG relay.
// The window shows "zpg.jpg" from the current folder and reads it again each time it becomes
// the active window.
#pragma once

#include "SchematicWindow.h"
#include "Windows.h"

namespace kyt {

class ZpgSchematic : public SchematicWindow {
    Q_OBJECT
public:
    explicit ZpgSchematic(QWidget* parent = nullptr);

    // The "Schematy" menu.
    void Wizwblokady1Click() { showFromMenu(windows().enablingSchematic()); }
    void Liniowy1Click() { showFromMenu(windows().lineSchematic()); }
    void Pulpit1Click() { showFromMenu(windows().deskSchematic()); }
    void Zwrotpoz1Click() { showFromMenu(windows().permissionSchematic()); }

    static SchematicSpec design();
};

} // namespace kyt
