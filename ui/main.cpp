// Kyt: a training simulator of the Kyt relay line block.
#include "App.h"
#include "Windows.h"
#include "StartWindow.h"

int main(int argc, char **argv)
{
  kyt::App app(argc, argv);
  kyt::createWindows();
  if (kyt::startWindow)
    kyt::startWindow->show();
  app.exec();
  kyt::destroyWindows();
  return 0;
}
