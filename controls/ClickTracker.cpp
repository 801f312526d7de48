#include "ClickTracker.h"

#include <QMouseEvent>
#include <QWidget>

namespace kyt {

bool ClickTracker::press(const QMouseEvent* e, bool accepted)
{
    const bool starts = accepted && (rule_ == AnyButton || e->button() == Qt::LeftButton);
    if (starts)
        tracking_ = true;
    else if (rule_ == LeftButtonLast)
        tracking_ = false;
    return starts;
}

bool ClickTracker::release(const QMouseEvent* e)
{
    const bool ends = rule_ == AnyButton || e->button() == Qt::LeftButton;
    const bool click = tracking_ && ends;
    if (ends || rule_ == LeftButtonLast)
        tracking_ = false;
    return click;
}

bool ClickTracker::inside(const QWidget* w, const QMouseEvent* e)
{
    return w->rect().contains(e->position().toPoint());
}

} // namespace kyt
