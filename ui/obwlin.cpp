#include "obwlin.h"
#include "Content.h"

namespace kyt {

SchematicSpec Tolin::design() {
  return {QStringLiteral("olin"),
          QStringLiteral("olin"),
          QSize(436, 300),
          QRect(22, 1, 757, 957),
          QStringLiteral("obwody.jpg"),
          LoadTime::Activation,
          {
          {QStringLiteral("liniowy1"), QStringLiteral("Liniowy"), &linia},
          {QStringLiteral("ZPG1"), QStringLiteral("ZPG"), &zpg},
          {QStringLiteral("Pulpit1"), QStringLiteral("Pulpit"), &pulp},
          {QStringLiteral("Zwrotpoz1"), QStringLiteral("Zwrot poz"), &zwrpoz},
          }};
}

Tolin::Tolin(QWidget *parent) : TSchematicForm(design(), parent) {
  // The drawing stored with the window, shown until the file is decoded.
  JPEGImage1->setPicture(storedPicture(QStringLiteral("olin.png")));
}

} // namespace kyt
