#include "PermissionSchematic.h"

namespace kyt {

SchematicSpec PermissionSchematic::design() {
  return {QStringLiteral("zwrpoz"),
          QStringLiteral("Zwrot pozwolenia"),
          QSize(435, 300),
          QRect(18, 1, 745, 1008),
          QStringLiteral("blok - zwrot.jpg"),
          LoadTime::Creation,
          {
          {QStringLiteral("liniowy1"), QStringLiteral("liniowy"), &lineSchematic},
          {QStringLiteral("ZPG1"), QStringLiteral("ZPG"), &zpgSchematic},
          {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), &deskSchematic},
          {QStringLiteral("Obw1"), QStringLiteral("Włączenia i zw."), &enablingSchematic},
          }};
}

PermissionSchematic::PermissionSchematic(QWidget *parent) : SchematicWindow(design(), parent) {
}

} // namespace kyt
