// obwlin: the schematic window `olin`, the circuit for enabling and
// releasing the block. The window shows "obwody.jpg" from the current
// folder and reads it again each time it becomes the active window; until
// the file has been decoded it shows the drawing stored with the window.
#pragma once

#include "Schematic.h"
#include "Windows.h"

namespace kyt {

class Tolin : public TSchematicForm {
  Q_OBJECT
public:
  explicit Tolin(QWidget *parent = nullptr);

  // The "Schematy" menu.
  void liniowy1Click() { showFromMenu(linia); }
  void ZPG1Click() { showFromMenu(zpg); }
  void Pulpit1Click() { showFromMenu(pulp); }
  void Zwrotpoz1Click() { showFromMenu(zwrpoz); }

  static SchematicSpec design();
};

} // namespace kyt
