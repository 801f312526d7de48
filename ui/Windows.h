// Windows: the program's ten windows, created once at start-up, hidden, in
// a fixed order, and kept until the program ends. Handlers reach the other
// windows through these references, named like the windows.
#pragma once

#include <QString>
#include <QWidget>

namespace kyt {

class StartWindow;
class SimulatorWindow;

extern StartWindow *startWindow;   // the start window, the program's main window
extern SimulatorWindow *simulatorWindow;     // the simulator window
extern QWidget *descriptionWindow;     // description of the block
extern QWidget *aboutBox; // about box
extern QWidget *posterWindow;      // picture window
extern QWidget *enablingSchematic;     // schematic: enabling and cancelling the block
extern QWidget *lineSchematic;    // schematic: line circuits
extern QWidget *deskSchematic;     // schematic: desk lamp circuits
extern QWidget *zpgSchematic;      // schematic: ZPG
extern QWidget *permissionSchematic;   // schematic: permission transfer

// Creates the ten windows in order, each hidden; an error raised while one
// is created is reported and the next one is created all the same.
// A second call creates nothing.
void createWindows();
// Destroys them (at the end of the program).
void destroyWindows();

// Shows a window and brings it to the front.
void showWindow(QWidget *w);

} // namespace kyt
