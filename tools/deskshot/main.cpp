// kyt-deskshot SCRIPT OUT.png: the simulator window's desk after a replay
// script, as the desktop program draws it.
//
// It builds the simulator window off screen, activates it once
// (FormActivate) and plays the script's lines through the window's own
// trainer, with no event loop run between them: the lamps' blink timers
// never fire, so each lamp shows the phase its last setter left. Then it
// writes the desk's kDeskWidth x kDeskHeight pixels to OUT.png and one line
// of JSON to standard output: {"memoVisible": bool, "memo": [x, y, w, h]},
// the narration's place on the desk and whether it is shown.
//
// Exit status: 0, 1 when the window or the picture could not be made, 2 on
// a usage error or a script the replay language does not take.
#include "App.h"
#include "DeskModel.h"
#include "DeskNames.h"
#include "Replay.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "Windows.h"

#include <QImage>
#include <QMenuBar>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kyt-deskshot SCRIPT OUT.png\n");
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::fprintf(stderr, "kyt-deskshot: cannot read %s\n", argv[1]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    kyt::App app(argc, argv);
    // An error box would wait for a click nobody makes: errors are printed.
    kyt::setReporter(
        [](const QString& text) { std::fprintf(stderr, "reported: %s\n", qPrintable(text)); });
    app.windows().create();
    kyt::SimulatorWindow* w = app.windows().simulatorWindow();
    if (!w) {
        std::fprintf(stderr, "kyt-deskshot: the simulator window was not created\n");
        return 1;
    }
    w->showSimulator();
    w->showNormal();
    w->resize(kyt::SimulatorWindow::kDeskWidth + 16,
        kyt::SimulatorWindow::kDeskHeight + 16 + w->menuBar()->sizeHint().height());
    app.processEvents();

    // Every line at once: the replay language reads them in order, and no
    // event is handled between them.
    std::stringstream lines;
    lines << "FormActivate\n" << script.rdbuf();
    std::ostringstream out, err;
    const int status = kyt::replay::run(lines, out, err, w->trainer());
    if (status != 0) {
        std::fprintf(stderr, "kyt-deskshot: %s", err.str().c_str());
        app.windows().destroy();
        return status;
    }

    QWidget* desk = w->desk();
    const QImage picture = desk->grab(QRect(0, 0, kyt::SimulatorWindow::kDeskWidth,
                                          kyt::SimulatorWindow::kDeskHeight))
                               .toImage()
                               .convertToFormat(QImage::Format_RGB32);
    const bool saved = picture.width() == kyt::SimulatorWindow::kDeskWidth
        && picture.height() == kyt::SimulatorWindow::kDeskHeight
        && picture.save(QString::fromLocal8Bit(argv[2]), "PNG");

    const bool memoVisible = w->sim().desk().visible(kyt::Control::Memo1);
    QRect memo;
    const std::string_view memoName = kyt::controlName(kyt::Control::Memo1);
    if (QWidget* m = w->control(QString::fromLatin1(memoName.data(), qsizetype(memoName.size()))))
        memo = QRect(m->mapTo(desk, QPoint(0, 0)), m->size());
    std::printf("{\"memoVisible\": %s, \"memo\": [%d, %d, %d, %d]}\n",
        memoVisible ? "true" : "false", memo.x(), memo.y(), memo.width(), memo.height());
    app.windows().destroy();
    if (!saved) {
        std::fprintf(stderr, "kyt-deskshot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
