#include "lin.h"

namespace kyt {

SchematicSpec Tlinia::design() {
  return {QStringLiteral("linia"),
          QStringLiteral("linia"),
          QSize(435, 300),
          QRect(10, -6, 769, 812),
          QStringLiteral("liniowy.jpg"),
          LoadTime::Creation,
          {
          {QStringLiteral("Wizwblokady1"), QStringLiteral("Wł. i zw. blokady"), &olin},
          {QStringLiteral("ZPG1"), QStringLiteral("ZPG"), &zpg},
          {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), &pulp},
          {QStringLiteral("Zwrotpoz1"), QStringLiteral("Zwrot poz"), &zwrpoz},
          }};
}

Tlinia::Tlinia(QWidget *parent) : TSchematicForm(design(), parent) {
}

} // namespace kyt
