// The application object every window test runs in, and helpers shared by
// the window tests.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "Dispatch.h"

// Skips a test that needs the train, signal and counter handlers while
// they are not part of the build yet.
#define KYT_NEEDS_TRAFFIC()                                                    \
  do {                                                                         \
    if (!::kyt::findHandler("FormClose") || !::kyt::findHandler("psa1Click"))  \
      GTEST_SKIP() << "train and counter handlers not built";                  \
  } while (0)

namespace kyt::test {

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
QColor pixelOf(QWidget *w, int x, int y);

} // namespace kyt::test
