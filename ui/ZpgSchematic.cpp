#include "ZpgSchematic.h"

namespace kyt {

SchematicSpec ZpgSchematic::design() {
  return {QStringLiteral("zpg"),
          QStringLiteral("zpg"),
          QSize(435, 300),
          QRect(29, 2, 721, 863),
          QStringLiteral("zpg.jpg"),
          LoadTime::Activation,
          {
          {QStringLiteral("Wizwblokady1"), QStringLiteral("Wł. i zw. blokady"), &enablingSchematic},
          {QStringLiteral("Liniowy1"), QStringLiteral("Liniowy"), &lineSchematic},
          {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), &deskSchematic},
          {QStringLiteral("Zwrotpoz1"), QStringLiteral("Zwrot poz."), &permissionSchematic},
          }};
}

ZpgSchematic::ZpgSchematic(QWidget *parent) : SchematicWindow(design(), parent) {
}

} // namespace kyt
