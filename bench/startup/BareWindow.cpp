// The baseline of the start-up and memory figures: a bare Qt Widgets window
// of the start window's size and caption, centred, on the same platform. It
// ends like the program does under KYT_EXIT_AFTER (ExitAfter.h): after its
// first frame, or once the event loop is idle after it ("ready").
#include "ExitAfter.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv)
{
    const kyt::ExitPoint exitAfter = kyt::exitPointFromEnvironment();
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("MIĘDZYSTACYJNA BLOKADA KYT"));
    w.resize(446, 231);
    if (QScreen* s = QGuiApplication::primaryScreen())
        w.move(s->availableGeometry().center() - w.rect().center());
    kyt::FirstFrameWatch watch(&w, [exitAfter] {
        if (exitAfter == kyt::ExitPoint::FirstFrame)
            kyt::exitNow();
        if (exitAfter != kyt::ExitPoint::None)
            new kyt::IdleWatch(kyt::exitNow);
    });
    w.show();
    return app.exec();
}
