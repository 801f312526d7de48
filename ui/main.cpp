// Kyt: a training simulator of the Kyt relay line block.
#include "App.h"
#include "Fonts.h"

int main(int argc, char** argv)
{
    kyt::prepareFontConfiguration();
    kyt::App app(argc, argv);
    app.startUp();
    app.exec();
    // The windows are destroyed with the application object, the last
    // created first.
    return 0;
}
