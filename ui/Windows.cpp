#include "Windows.h"

#include "App.h"
#include "Content.h"
#include "pods.h"
#include "info.h"
#include "lin.h"
#include "obwlin.h"
#include "opisbl.h"
#include "ozpg.h"
#include "pulpit.h"
#include "wstep.h"
#include "zarty.h"
#include "zwr.h"

#include <functional>

namespace kyt {

TSTART *START = nullptr;
Tblok *blok = nullptr;
QWidget *opis = nullptr;
QWidget *AboutBox = nullptr;
QWidget *zar = nullptr;
QWidget *olin = nullptr;
QWidget *linia = nullptr;
QWidget *pulp = nullptr;
QWidget *zpg = nullptr;
QWidget *zwrpoz = nullptr;

namespace {

struct Creation {
  const char *name;
  std::function<void()> create;
};

std::vector<Creation> creationOrder()
{
  return {
      {"START", [] { START = new TSTART(); }},
      {"blok", [] { blok = new Tblok(); }},
      {"opis", [] { opis = new Topis(); }},
      {"AboutBox", [] { AboutBox = new TAboutBox(); }},
      {"zar", [] { zar = new Tzar(); }},
      {"olin", [] { olin = new Tolin(); }},
      {"linia", [] { linia = new Tlinia(); }},
      {"pulp", [] { pulp = new Tpulp(); }},
      {"zpg", [] { zpg = new Tzpg(); }},
      {"zwrpoz", [] { zwrpoz = new Tzwrpoz(); }},
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
  for (const SchematicSpec &s : {Tolin::design(), Tlinia::design(), Tpulp::design(),
                                 Tzpg::design(), Tzwrpoz::design()})
    if (s.loadTime == LoadTime::Creation)
      atCreation << s.fileName;
  PrefetchJPEGFiles(atCreation);
  prefetchStoredPictures({QStringLiteral("olin.png"), QStringLiteral("zar.png")});
  for (const Creation &c : creationOrder())
    guarded(c.create);
}

void destroyWindows()
{
  QWidget *all[] = {zwrpoz, zpg, pulp, linia, olin, zar, AboutBox, opis, nullptr, nullptr};
  for (QWidget *w : all)
    delete w;
  delete blok;
  delete START;
  START = nullptr;
  blok = nullptr;
  opis = AboutBox = zar = olin = linia = pulp = zpg = zwrpoz = nullptr;
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
