// Kyt: a training simulator of the Kyt relay line block.
//   kyt              the start window
//   kyt --play FILE  plays a saved session in the simulator window
#include "App.h"
#include "Fonts.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "Windows.h"

#include <cstdio>

int main(int argc, char** argv)
{
    kyt::prepareFontConfiguration();
    kyt::App app(argc, argv);
    const QStringList args = app.arguments();
    QString play;
    if (args.size() == 3 && args[1] == QStringLiteral("--play")) {
        play = args[2];
    } else if (args.size() > 1) {
        std::fprintf(stderr, "usage: kyt [--play FILE]\n");
        return 2;
    }
    if (play.isEmpty()) {
        app.startUp();
    } else {
        kyt::awaitFontConfiguration();
        app.windows().create();
        if (kyt::StartWindow* start = app.windows().startWindow())
            start->show();
        if (kyt::SimulatorWindow* simulator = app.windows().simulatorWindow()) {
            // Opened as the start window opens it; the playing then takes the
            // desk over until it is stopped.
            simulator->showSimulator();
            simulator->odczytlicznikow();
            simulator->playSession(play);
        }
    }
    app.exec();
    // The windows are destroyed with the application object, the last
    // created first.
    return 0;
}
