#include "Windows.h"

#include "App.h"
#include "pods.h"
#include "wstep.h"

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

PlainWindow::PlainWindow(const QString &caption)
{
  setWindowTitle(caption);
  resize(400, 300);
}

namespace {

struct Creation {
  const char *name;
  std::function<void()> create;
};

template <class T> std::function<void()> plain(T *&ref, const char *caption)
{
  return [&ref, caption] { ref = new PlainWindow(QString::fromUtf8(caption)); };
}

std::vector<Creation> creationOrder()
{
  return {
      {"START", [] { START = new TSTART(); }},
      {"blok", [] { blok = new Tblok(); }},
      {"opis", plain(opis, "OPIS BLOKADY")},
      {"AboutBox", plain(AboutBox, "INFORMACJA  O PROGRAMIE")},
      {"zar", plain(zar, "Takiemu to dobrze")},
      {"olin", plain(olin, "olin")},
      {"linia", plain(linia, "linia")},
      {"pulp", plain(pulp, "Obwody lampek pulpitu")},
      {"zpg", plain(zpg, "zpg")},
      {"zwrpoz", plain(zwrpoz, "Zwrot pozwolenia")},
  };
}

bool created = false;

} // namespace

void createWindows()
{
  if (created)
    return;
  created = true;
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
