// Kyt: a training simulator of the Kyt relay line block.
#include "App.h"
#include "Windows.h"
#include "wstep.h"

int main(int argc, char **argv)
{
  kyt::App app(argc, argv);
  kyt::createWindows();
  if (kyt::START)
    kyt::START->show();
  app.exec();
  kyt::destroyWindows();
  return 0;
}
