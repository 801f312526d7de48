// Shared set-up of the button tests: one application object for the whole
// program and small functions for reading rendered pixels.
#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace kyt::testing_support {

inline void EnsureApp()
{
    if (!qApp) {
        static int argc = 1;
        static char name[] = "controls_buttons_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

class WidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApp(); }
};

// "r,g,b" of a pixel, so that a failure shows the colour found.
inline std::string Rgb(const QImage& img, int x, int y)
{
    const QColor c = img.pixelColor(x, y);
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + ","
        + std::to_string(c.blue());
}

// The widget as it is shown over its parent's surface.
inline QImage Shown(QWidget& w)
{
    QWidget* host = w.parentWidget() ? w.parentWidget() : &w;
    const QImage all = host->grab().toImage();
    return w.parentWidget() ? all.copy(w.geometry()) : all;
}

} // namespace kyt::testing_support
