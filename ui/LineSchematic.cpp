#include "LineSchematic.h"

namespace kyt {

SchematicSpec LineSchematic::design()
{
    return {QStringLiteral("linia"), QStringLiteral("linia"), QSize(435, 300),
        QRect(10, -6, 769, 812), QStringLiteral("liniowy.jpg"), LoadTime::Creation,
        {
            {QStringLiteral("Wizwblokady1"), QStringLiteral("Wł. i zw. blokady"),
                WindowId::EnablingSchematic},
            {QStringLiteral("ZPG1"), QStringLiteral("ZPG"), WindowId::ZpgSchematic},
            {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), WindowId::DeskSchematic},
            {QStringLiteral("Zwrotpoz1"), QStringLiteral("Zwrot poz"),
                WindowId::PermissionSchematic},
        }};
}

LineSchematic::LineSchematic(QWidget* parent) : SchematicWindow(design(), parent) { }

} // namespace kyt
