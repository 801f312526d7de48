// DeskSchematic: the schematic window `pulp`, the circuits of the desk lamps.
// The window shows "pulpit.jpg" from the current folder and reads it once, when it is created.
#pragma once

#include "SchematicWindow.h"
#include "Windows.h"

namespace kyt {

class DeskSchematic : public SchematicWindow {
  Q_OBJECT
public:
  explicit DeskSchematic(QWidget *parent = nullptr);

  // The "Schematy" menu.
  void Wizwblokady1Click() { showFromMenu(enablingSchematic); }
  void Liniowy1Click() { showFromMenu(lineSchematic); }
  void ZPG1Click() { showFromMenu(zpgSchematic); }
  void Zwrotpoz1Click() { showFromMenu(permissionSchematic); }

  static SchematicSpec design();
};

} // namespace kyt
