// PermissionSchematic: the schematic window `zwrpoz`, the circuit that hands the permission over.
// The window shows "blok - zwrot.jpg" from the current folder and reads it once, when it is
// created.
#pragma once

#include "SchematicWindow.h"
#include "Windows.h"

namespace kyt {

class PermissionSchematic : public SchematicWindow {
    Q_OBJECT
public:
    explicit PermissionSchematic(QWidget* parent = nullptr);

    // The "Schematy" menu.
    void liniowy1Click() { showFromMenu(windows().lineSchematic()); }
    void ZPG1Click() { showFromMenu(windows().zpgSchematic()); }
    void Pulpit1Click() { showFromMenu(windows().deskSchematic()); }
    void Obw1Click() { showFromMenu(windows().enablingSchematic()); }

    static SchematicSpec design();
};

} // namespace kyt
