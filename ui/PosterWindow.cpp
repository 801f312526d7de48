#include "PosterWindow.h"

#include "Colors.h"
#include "Content.h"

#include <QVariant>

namespace kyt {

const layout::Table& PosterWindow::table()
{
    static const layout::Table rows = [] {
        layout::Row image(
            QStringLiteral("Image1"), QStringLiteral("Image"), QString(), 8, 8, 287, 428);
        image.props = {{"picture", storedPicture(QStringLiteral("zar.png"))}};
        return layout::Table {image};
    }();
    return rows;
}

PosterWindow::PosterWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("zar"));
    setWindowTitle(QStringLiteral("Takiemu to dobrze"));
    // A normal window at a fixed place: 316 x 472 with its frame, which
    // leaves this client area inside a classic window frame.
    move(200, 67);
    resize(308, 445);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(64, 0, 64));
    setPalette(pal);
    setAutoFillBackground(true);

    controls_ = layout::build(this, table(), layout::standardClasses(), {});
    Image1 = controls_.get(QStringLiteral("Image1"));
}

} // namespace kyt
