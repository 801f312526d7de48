// zwr: the schematic window `zwrpoz`, the circuit that hands the permission over.
// The window shows "blok - zwrot.jpg" from the current folder and reads it once, when it is created.
#pragma once

#include "Schematic.h"
#include "Windows.h"

namespace kyt {

class Tzwrpoz : public TSchematicForm {
  Q_OBJECT
public:
  explicit Tzwrpoz(QWidget *parent = nullptr);

  // The "Schematy" menu.
  void liniowy1Click() { showFromMenu(linia); }
  void ZPG1Click() { showFromMenu(zpg); }
  void Pulpit1Click() { showFromMenu(pulp); }
  void Obw1Click() { showFromMenu(olin); }

  static SchematicSpec design();
};

} // namespace kyt
