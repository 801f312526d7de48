// Kyt: a training simulator of the Kyt relay line block.
#include "App.h"
#include "StartWindow.h"
#include "Windows.h"

int main(int argc, char** argv)
{
    kyt::App app(argc, argv);
    app.windows().create();
    if (kyt::StartWindow* start = app.windows().startWindow())
        start->show();
    app.exec();
    // The windows are destroyed with the application object, the last
    // created first.
    return 0;
}
