// The baseline of the start-up and memory figures: a bare Qt Widgets window
// of the start window's size, centred, on the same platform. It reports when
// the window is first exposed and ends.
#include "ProcProbe.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv)
{
    const long long t0 = kytbench::launchNs(kytbench::nowNs());
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("MIĘDZYSTACYJNA BLOKADA KYT"));
    w.resize(454, 258);
    if (QScreen* s = QGuiApplication::primaryScreen())
        w.move(s->availableGeometry().center() - w.rect().center());
    w.winId(); // creates the platform window, so that its exposure can be watched
    kytbench::ExposeWatch watch(w.windowHandle(), [t0] { kytbench::reportAndExit(t0); });
    w.show();
    return app.exec();
}
