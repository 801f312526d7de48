// lin: the schematic window `linia`, the line circuit joining the two stations.
// The window shows "liniowy.jpg" from the current folder and reads it once, when it is created.
#pragma once

#include "Schematic.h"
#include "Windows.h"

namespace kyt {

class Tlinia : public TSchematicForm {
  Q_OBJECT
public:
  explicit Tlinia(QWidget *parent = nullptr);

  // The "Schematy" menu.
  void Wizwblokady1Click() { showFromMenu(olin); }
  void ZPG1Click() { showFromMenu(zpg); }
  void Pulpit1Click() { showFromMenu(pulp); }
  void Zwrotpoz1Click() { showFromMenu(zwrpoz); }

  static SchematicSpec design();
};

} // namespace kyt
