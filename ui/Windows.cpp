#include "Windows.h"

#include "App.h"
#include "Content.h"
#include "SimulatorWindow.h"
#include "AboutBox.h"
#include "LineSchematic.h"
#include "EnablingSchematic.h"
#include "DescriptionWindow.h"
#include "ZpgSchematic.h"
#include "DeskSchematic.h"
#include "StartWindow.h"
#include "PosterWindow.h"
#include "PermissionSchematic.h"

#include <functional>

namespace kyt {

StartWindow *startWindow = nullptr;
SimulatorWindow *simulatorWindow = nullptr;
QWidget *descriptionWindow = nullptr;
QWidget *aboutBox = nullptr;
QWidget *posterWindow = nullptr;
QWidget *enablingSchematic = nullptr;
QWidget *lineSchematic = nullptr;
QWidget *deskSchematic = nullptr;
QWidget *zpgSchematic = nullptr;
QWidget *permissionSchematic = nullptr;

namespace {

struct Creation {
  const char *name;
  std::function<void()> create;
};

std::vector<Creation> creationOrder()
{
  return {
      {"START", [] { startWindow = new StartWindow(); }},
      {"blok", [] { simulatorWindow = new SimulatorWindow(); }},
      {"opis", [] { descriptionWindow = new DescriptionWindow(); }},
      {"AboutBox", [] { aboutBox = new AboutBox(); }},
      {"zar", [] { posterWindow = new PosterWindow(); }},
      {"olin", [] { enablingSchematic = new EnablingSchematic(); }},
      {"linia", [] { lineSchematic = new LineSchematic(); }},
      {"pulp", [] { deskSchematic = new DeskSchematic(); }},
      {"zpg", [] { zpgSchematic = new ZpgSchematic(); }},
      {"zwrpoz", [] { permissionSchematic = new PermissionSchematic(); }},
  };
}

bool created = false;

} // namespace

void createWindows()
{
  if (created)
    return;
  created = true;
  // The pictures that creation handlers read are decoded on other threads
  // while the windows before them are built.
  QStringList atCreation;
  for (const SchematicSpec &s : {EnablingSchematic::design(), LineSchematic::design(), DeskSchematic::design(),
                                 ZpgSchematic::design(), PermissionSchematic::design()})
    if (s.loadTime == LoadTime::Creation)
      atCreation << s.fileName;
  PrefetchJPEGFiles(atCreation);
  prefetchStoredPictures({QStringLiteral("olin.png"), QStringLiteral("zar.png")});
  for (const Creation &c : creationOrder())
    guarded(c.create);
}

void destroyWindows()
{
  QWidget *all[] = {permissionSchematic, zpgSchematic, deskSchematic, lineSchematic, enablingSchematic, posterWindow, aboutBox, descriptionWindow, nullptr, nullptr};
  for (QWidget *w : all)
    delete w;
  delete simulatorWindow;
  delete startWindow;
  startWindow = nullptr;
  simulatorWindow = nullptr;
  descriptionWindow = aboutBox = posterWindow = enablingSchematic = lineSchematic = deskSchematic = zpgSchematic = permissionSchematic = nullptr;
  created = false;
}

void showWindow(QWidget *w)
{
  if (!w)
    return;
  w->show();
  w->raise();
  w->activateWindow();
}

} // namespace kyt
