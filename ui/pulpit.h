// pulpit: the schematic window `pulp`, the circuits of the desk lamps.
// The window shows "pulpit.jpg" from the current folder and reads it once, when it is created.
#pragma once

#include "Schematic.h"
#include "Windows.h"

namespace kyt {

class Tpulp : public TSchematicForm {
  Q_OBJECT
public:
  explicit Tpulp(QWidget *parent = nullptr);

  // The "Schematy" menu.
  void Wizwblokady1Click() { showFromMenu(olin); }
  void Liniowy1Click() { showFromMenu(linia); }
  void ZPG1Click() { showFromMenu(zpg); }
  void Zwrotpoz1Click() { showFromMenu(zwrpoz); }

  static SchematicSpec design();
};

} // namespace kyt
