#include "ozpg.h"

namespace kyt {

SchematicSpec Tzpg::design() {
  return {QStringLiteral("zpg"),
          QStringLiteral("zpg"),
          QSize(435, 300),
          QRect(29, 2, 721, 863),
          QStringLiteral("zpg.jpg"),
          LoadTime::Activation,
          {
          {QStringLiteral("Wizwblokady1"), QStringLiteral("Wł. i zw. blokady"), &olin},
          {QStringLiteral("Liniowy1"), QStringLiteral("Liniowy"), &linia},
          {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), &pulp},
          {QStringLiteral("Zwrotpoz1"), QStringLiteral("Zwrot poz."), &zwrpoz},
          }};
}

Tzpg::Tzpg(QWidget *parent) : TSchematicForm(design(), parent) {
}

} // namespace kyt
