#include "DeskSchematic.h"

namespace kyt {

SchematicSpec DeskSchematic::design()
{
    return {QStringLiteral("pulp"), QStringLiteral("Obwody lampek pulpitu"), QSize(435, 300),
        QRect(21, -4, 732, 876), QStringLiteral("pulpit.jpg"), LoadTime::Creation,
        {
            {QStringLiteral("Wizwblokady1"), QStringLiteral("Wł. i zw. blokady"),
                WindowId::EnablingSchematic},
            {QStringLiteral("Liniowy1"), QStringLiteral("Liniowy"), WindowId::LineSchematic},
            {QStringLiteral("ZPG1"), QStringLiteral("ZPG"), WindowId::ZpgSchematic},
            {QStringLiteral("Zwrotpoz1"), QStringLiteral("Zwrot poz."),
                WindowId::PermissionSchematic},
        }};
}

DeskSchematic::DeskSchematic(QWidget* parent) : SchematicWindow(design(), parent) { }

} // namespace kyt
