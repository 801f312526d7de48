#include "AutoScroll.h"

#include <QMainWindow>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kyt {

QWidget* autoScrollClient(QWidget* window, QSize extent)
{
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(false);
    scroll->setBackgroundRole(QPalette::Window);
    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    client->resize(extent);
    scroll->setWidget(client);
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        main->setCentralWidget(scroll);
    } else {
        auto* box = new QVBoxLayout(window);
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(scroll);
    }
    return client;
}

QScrollArea* scrollAreaOf(QWidget* client)
{
    // The client sits in the scroll area's viewport.
    return client && client->parentWidget()
        ? qobject_cast<QScrollArea*>(client->parentWidget()->parentWidget())
        : nullptr;
}

} // namespace kyt
