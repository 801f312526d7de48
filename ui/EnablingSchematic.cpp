#include "EnablingSchematic.h"
#include "Content.h"

namespace kyt {

SchematicSpec EnablingSchematic::design()
{
    return {QStringLiteral("olin"), QStringLiteral("olin"), QSize(436, 300), QRect(22, 1, 757, 957),
        QStringLiteral("obwody.jpg"), LoadTime::Activation,
        {
            {QStringLiteral("liniowy1"), QStringLiteral("Liniowy"), WindowId::LineSchematic},
            {QStringLiteral("ZPG1"), QStringLiteral("ZPG"), WindowId::ZpgSchematic},
            {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), WindowId::DeskSchematic},
            {QStringLiteral("Zwrotpoz1"), QStringLiteral("Zwrot poz"),
                WindowId::PermissionSchematic},
        }};
}

EnablingSchematic::EnablingSchematic(QWidget* parent) : SchematicWindow(design(), parent)
{
    // The drawing stored with the window, shown until the file is decoded.
    JPEGImage1->setPicture(storedPicture(QStringLiteral("olin.png")));
}

} // namespace kyt
