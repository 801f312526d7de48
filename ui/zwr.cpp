#include "zwr.h"

namespace kyt {

SchematicSpec Tzwrpoz::design() {
  return {QStringLiteral("zwrpoz"),
          QStringLiteral("Zwrot pozwolenia"),
          QSize(435, 300),
          QRect(18, 1, 745, 1008),
          QStringLiteral("blok - zwrot.jpg"),
          LoadTime::Creation,
          {
          {QStringLiteral("liniowy1"), QStringLiteral("liniowy"), &linia},
          {QStringLiteral("ZPG1"), QStringLiteral("ZPG"), &zpg},
          {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), &pulp},
          {QStringLiteral("Obw1"), QStringLiteral("Włączenia i zw."), &olin},
          }};
}

Tzwrpoz::Tzwrpoz(QWidget *parent) : TSchematicForm(design(), parent) {
}

} // namespace kyt
