// PosterWindow: the picture window `zar`, behind the "SZLAK" label of the track
// diagram: a poster at a fixed place. Closing it hides it.
#pragma once

#include "Layout.h"

#include <QWidget>

namespace kyt {

class PosterWindow : public QWidget {
    Q_OBJECT
public:
    explicit PosterWindow(QWidget* parent = nullptr);

    QWidget* Image1 = nullptr;

    static const layout::Table& table();

private:
    layout::Built controls_;
};

} // namespace kyt
