#include "PermissionSchematic.h"

namespace kyt {

SchematicSpec PermissionSchematic::design()
{
    return {QStringLiteral("zwrpoz"), QStringLiteral("Zwrot pozwolenia"), QSize(435, 300),
        QRect(18, 1, 745, 1008), QStringLiteral("blok - zwrot.jpg"), LoadTime::Creation,
        {
            {QStringLiteral("liniowy1"), QStringLiteral("liniowy"), WindowId::LineSchematic},
            {QStringLiteral("ZPG1"), QStringLiteral("ZPG"), WindowId::ZpgSchematic},
            {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), WindowId::DeskSchematic},
            {QStringLiteral("Obw1"), QStringLiteral("Włączenia i zw."),
                WindowId::EnablingSchematic},
        }};
}

PermissionSchematic::PermissionSchematic(QWidget* parent) : SchematicWindow(design(), parent) { }

} // namespace kyt
