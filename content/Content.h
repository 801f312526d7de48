// Content: the pictures and texts compiled into the program.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace kyt {

// A picture stored in the program by name ("olin.png", "zar.png"); a null
// image when there is none of that name.
QImage storedPicture(const QString& name);

// Starts reading these stored pictures on threads of their own; the next
// storedPicture() of each name waits for and takes that reading.
void prefetchStoredPictures(const QStringList& names);

// A text stored in the program by name ("opis.txt"), decoded from UTF-8;
// an empty string when there is none.
QString storedText(const QString& name);

} // namespace kyt
