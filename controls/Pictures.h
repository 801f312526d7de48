#pragma once
// The fixed pictures of the desk's controls, compiled into the program.

#include <QImage>
#include <QString>

namespace kyt {

// The picture of that name ("ALEDSM", "wzb", "Digits": case does not
// matter), as a 32-bit RGB image; a null image if there is no such picture.
QImage loadPicture(const QString& name);

// Parses every picture on a thread of its own, for the controls built
// after it is called; loadPicture() then finds them ready (or parses one
// itself when asked for it first). A second call does nothing until
// awaitPictures().
void preparePictures();
// Waits for the thread of preparePictures(), if there is one.
void awaitPictures();

} // namespace kyt
