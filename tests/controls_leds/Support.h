#pragma once
// Shared pieces of the control tests: the application object, pictures as
// letter rows, and a counter of paint events.

#include "Colors.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace kyt::test {

inline void ensureApp()
{
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "kyt_control_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

// The application object exists before the fixture's own widgets.
class GuiTest : public ::testing::Test {
protected:
    GuiTest() { ensureApp(); }
};

// Letters of the picture tables.
inline QRgb letterColour(char c)
{
    static const std::map<char, QRgb> colours = {
        {'W', qRgb(255, 255, 255)},
        {'S', qRgb(192, 192, 192)},
        {'G', qRgb(128, 128, 128)},
        {'K', qRgb(0, 0, 0)},
        {'L', qRgb(0, 255, 0)},
        {'o', qRgb(128, 128, 0)},
        {'B', qRgb(0, 0, 255)},
        {'R', qRgb(255, 0, 0)},
    };
    return colours.at(c);
}

// Compares img (from its (x0, y0)) with rows of letters; returns the first
// difference as text, empty if none.
inline std::string compareRows(
    const QImage& img, const std::vector<std::string>& rows, int x0 = 0, int y0 = 0)
{
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; x < int(rows[y].size()); ++x) {
            if (!img.rect().contains(x0 + x, y0 + y))
                return "outside at " + std::to_string(x) + "," + std::to_string(y);
            const QRgb got = img.pixel(x0 + x, y0 + y) & 0xFFFFFF;
            const QRgb want = letterColour(rows[y][x]) & 0xFFFFFF;
            if (got != want)
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " is "
                    + QColor(got).name().toStdString() + ", wants " + rows[y][x];
        }
    return {};
}

// The widget as drawn by its paint handler, over a fixed background.
inline QImage rendered(QWidget& w, QRgb background = qRgb(1, 2, 3))
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(background);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

// Opaque colours, comparable with qRgb().
inline QRgb rgbAt(const QImage& img, int x, int y)
{
    return img.pixel(x, y) | 0xFF000000u;
}
inline QRgb rgbOf(ColorCode c)
{
    return toQColor(c).rgb();
}

// Counts the paint events that reach a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QObject* o) { o->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace kyt::test
