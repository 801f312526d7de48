// DescriptionWindow: the description window `opis`, a read-only text about the
// simulated block. Closing it hides it; the text stays scrolled where the
// reader left it.
#pragma once

#include "Layout.h"

#include <QTextEdit>
#include <QWidget>

namespace kyt {

class DescriptionWindow : public QWidget {
    Q_OBJECT
public:
    explicit DescriptionWindow(QWidget* parent = nullptr);

    QWidget* Panel1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;

    // The window's controls in creation order.
    static const layout::Table& table();
    // The description, one paragraph per line.
    static QString text();

private:
    layout::Built controls_;
};

} // namespace kyt
