// Windows: the program's ten windows, created once at start-up, hidden, in
// a fixed order, and kept until the program ends. Handlers reach the other
// windows through these references, named like the windows.
#pragma once

#include <QString>
#include <QWidget>

namespace kyt {

class TSTART;
class Tblok;

extern TSTART *START;   // the start window, the program's main window
extern Tblok *blok;     // the simulator window
extern QWidget *opis;     // description of the block
extern QWidget *AboutBox; // about box
extern QWidget *zar;      // picture window
extern QWidget *olin;     // schematic: enabling and cancelling the block
extern QWidget *linia;    // schematic: line circuits
extern QWidget *pulp;     // schematic: desk lamp circuits
extern QWidget *zpg;      // schematic: ZPG
extern QWidget *zwrpoz;   // schematic: permission transfer

// Creates the ten windows in order, each hidden; an error raised while one
// is created is reported and the next one is created all the same.
// A second call creates nothing.
void createWindows();
// Destroys them (at the end of the program).
void destroyWindows();

// Shows a window and brings it to the front.
void showWindow(QWidget *w);

} // namespace kyt
