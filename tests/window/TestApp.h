// The application object every window test runs in, and helpers shared by
// the window tests.
#pragma once

#include <QImage>

#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>

namespace kyt::test {

// The wall time the windows' simulation clocks read, in milliseconds; it
// moves only when a test moves it.
extern std::int64_t fakeNow;

// The folder the counters are stored under during the tests.
QString settingsFolder();

// Records error reports instead of opening message boxes, for as long as
// it lives.
class ReportRecorder {
public:
    ReportRecorder();
    ~ReportRecorder();
    QStringList reports;
};

// The colour of one pixel of a widget as it is drawn now, in the
// coordinates of the widget.
QColor pixelOf(QWidget* w, int x, int y);

} // namespace kyt::test
