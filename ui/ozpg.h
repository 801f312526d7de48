// ozpg: the schematic window `zpg`, the circuit of the ZPG relay.
// The window shows "zpg.jpg" from the current folder and reads it again each time it becomes
// the active window.
#pragma once

#include "Schematic.h"
#include "Windows.h"

namespace kyt {

class Tzpg : public TSchematicForm {
  Q_OBJECT
public:
  explicit Tzpg(QWidget *parent = nullptr);

  // The "Schematy" menu.
  void Wizwblokady1Click() { showFromMenu(olin); }
  void Liniowy1Click() { showFromMenu(linia); }
  void Pulpit1Click() { showFromMenu(pulp); }
  void Zwrotpoz1Click() { showFromMenu(zwrpoz); }

  static SchematicSpec design();
};

} // namespace kyt
