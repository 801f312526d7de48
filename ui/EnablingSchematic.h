// EnablingSchematic: the schematic window `olin`, the circuit for enabling and
// releasing the block. The window shows "obwody.jpg" from the current
// folder and reads it again each time it becomes the active window; until
// the file has been decoded it shows the drawing stored with the window.
#pragma once

#include "SchematicWindow.h"
#include "Windows.h"

namespace kyt {

class EnablingSchematic : public SchematicWindow {
    Q_OBJECT
public:
    explicit EnablingSchematic(QWidget* parent = nullptr);

    // The "Schematy" menu.
    void liniowy1Click() { showFromMenu(windows().lineSchematic()); }
    void ZPG1Click() { showFromMenu(windows().zpgSchematic()); }
    void Pulpit1Click() { showFromMenu(windows().deskSchematic()); }
    void Zwrotpoz1Click() { showFromMenu(windows().permissionSchematic()); }

    static SchematicSpec design();
};

} // namespace kyt
