#include "ZpgSchematic.h"

namespace kyt {

SchematicSpec ZpgSchematic::design()
{
    return {QStringLiteral("zpg"), QStringLiteral("zpg"), QSize(435, 300), QRect(29, 2, 721, 863),
        QStringLiteral("zpg.jpg"), LoadTime::Activation,
        {
            {QStringLiteral("Wizwblokady1"), QStringLiteral("Wł. i zw. blokady"),
                WindowId::EnablingSchematic},
            {QStringLiteral("Liniowy1"), QStringLiteral("Liniowy"), WindowId::LineSchematic},
            {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), WindowId::DeskSchematic},
            {QStringLiteral("Zwrotpoz1"), QStringLiteral("Zwrot poz."),
                WindowId::PermissionSchematic},
        }};
}

ZpgSchematic::ZpgSchematic(QWidget* parent) : SchematicWindow(design(), parent) { }

} // namespace kyt
