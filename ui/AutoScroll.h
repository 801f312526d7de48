// AutoScroll: a window's client area that scrolls when its controls reach
// beyond the visible part, as every window of the program does.
#pragma once

#include <QSize>

class QScrollArea;
class QWidget;

namespace kyt {

// Makes a scrolling client area of the given extent the whole content of
// window (the central widget of a main window) and returns the widget on
// which the window's controls are placed. The client area takes the
// window's background.
QWidget* autoScrollClient(QWidget* window, QSize extent);

// The scroll area around a client made by autoScrollClient.
QScrollArea* scrollAreaOf(QWidget* client);

} // namespace kyt
