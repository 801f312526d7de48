#include "pulpit.h"

namespace kyt {

SchematicSpec Tpulp::design() {
  return {QStringLiteral("pulp"),
          QStringLiteral("Obwody lampek pulpitu"),
          QSize(435, 300),
          QRect(21, -4, 732, 876),
          QStringLiteral("pulpit.jpg"),
          LoadTime::Creation,
          {
          {QStringLiteral("Wizwblokady1"), QStringLiteral("Wł. i zw. blokady"), &olin},
          {QStringLiteral("Liniowy1"), QStringLiteral("Liniowy"), &linia},
          {QStringLiteral("ZPG1"), QStringLiteral("ZPG"), &zpg},
          {QStringLiteral("Zwrotpoz1"), QStringLiteral("Zwrot poz."), &zwrpoz},
          }};
}

Tpulp::Tpulp(QWidget *parent) : TSchematicForm(design(), parent) {
}

} // namespace kyt
