// kyt-screenshot FILE.png: draws the simulator window as a trainee sees it
// while a train runs from A to B, and writes the picture to FILE.png.
// It needs no display: without one it draws off screen.
#include "App.h"
#include "Windows.h"
#include "pods.h"

#include <QImage>
#include <QMenuBar>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: kyt-screenshot FILE.png\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  kyt::App app(argc, argv);
  QStringList errors;
  kyt::setReporter([&](const QString &text) { errors << text; });
  kyt::createWindows();
  kyt::Tblok *w = kyt::blok;
  if (!w)
    return 1;
  w->showSimulator();
  // The desk as it is laid out, without the window manager's frame.
  w->showNormal();
  w->resize(kyt::Tblok::kDeskWidth + 16, kyt::Tblok::kDeskHeight + 16 + w->menuBar()->sizeHint().height());
  // A train from A to B: request, permission, exit and entry signal, off.
  for (const char *h : {"pwbl1Click", "ppoz2Click", "pdalejClick", "psa1Click", "psa2Click",
                        "ArrowButton1Click"})
    w->runHandler(QString::fromLatin1(h));
  for (int tick = 0; tick < 24 && w->timer(QStringLiteral("Timer1"))->isActive(); ++tick)
    w->runHandler(QStringLiteral("Timer1Timer"));
  app.processEvents();
  const QImage shot = w->grab().toImage();
  const bool saved = shot.save(QString::fromLocal8Bit(argv[1]));
  kyt::destroyWindows();
  if (!saved) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  // A scene that did not play as it should is no picture for the README.
  if (!errors.isEmpty()) {
    std::fprintf(stderr, "%s\n", qPrintable(errors.join(QLatin1Char('\n'))));
    return 1;
  }
  return 0;
}
