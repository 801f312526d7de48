#pragma once
// ClickTracker: the press-then-release click shared by the controls.
//
// A control hands its mouse presses and releases to its tracker. A press the
// control accepts starts a tracked press; a release that ends a tracked press
// is a click when the control's own test (on the control, on its face) holds
// for the release point. Which buttons start and end a press is the tracker's
// rule; what a control shows while pressed, and whether it clicks before or
// after popping up, stays with the control.

class QMouseEvent;
class QWidget;

namespace kyt {

class ClickTracker {
public:
    enum Rule {
        // A left press starts, a left release ends; other buttons change
        // nothing.
        LeftButton,
        // A left press starts; any other press and any release end.
        LeftButtonLast,
        // Any press starts, any release ends.
        AnyButton,
    };

    explicit ClickTracker(Rule rule = LeftButton) : rule_(rule) { }

    // A press; accepted is the control's own condition for starting one
    // (enabled, inside its shape). Returns whether this press started a
    // tracked press.
    bool press(const QMouseEvent* e, bool accepted = true);
    // A release; returns whether it ended a tracked press.
    bool release(const QMouseEvent* e);
    // Whether a press is being tracked.
    bool tracking() const { return tracking_; }
    // Forgets a tracked press (the control was disabled meanwhile).
    void cancel() { tracking_ = false; }

    // Whether the event's point lies within the widget.
    static bool inside(const QWidget* w, const QMouseEvent* e);

private:
    Rule rule_;
    bool tracking_ = false;
};

} // namespace kyt
