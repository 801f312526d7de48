// The click tracker's three rules, on synthetic mouse events.

#include "Notify.h"

#include "ClickTracker.h"

#include <QMouseEvent>

using namespace kyt;
using namespace kyt::test;

namespace {

QMouseEvent event(QEvent::Type type, Qt::MouseButton button, QPointF at = {5, 5})
{
    return QMouseEvent(type, at, at, button, button, Qt::NoModifier);
}

bool press(ClickTracker& t, Qt::MouseButton b, bool accepted = true)
{
    const QMouseEvent e = event(QEvent::MouseButtonPress, b);
    return t.press(&e, accepted);
}

bool release(ClickTracker& t, Qt::MouseButton b)
{
    const QMouseEvent e = event(QEvent::MouseButtonRelease, b);
    return t.release(&e);
}

class ClickTrackerTest : public GuiTest { };

} // namespace

TEST_F(ClickTrackerTest, LeftButtonRuleIgnoresOtherButtons)
{
    ClickTracker t;
    EXPECT_FALSE(release(t, Qt::LeftButton)) << "no press, no click";
    EXPECT_FALSE(press(t, Qt::LeftButton, false)) << "a press the control refuses";
    EXPECT_FALSE(t.tracking());
    EXPECT_FALSE(press(t, Qt::RightButton));
    EXPECT_FALSE(t.tracking());
    EXPECT_TRUE(press(t, Qt::LeftButton));
    EXPECT_FALSE(press(t, Qt::RightButton));
    EXPECT_FALSE(release(t, Qt::RightButton));
    EXPECT_TRUE(t.tracking()) << "the right button leaves the left press alone";
    EXPECT_TRUE(release(t, Qt::LeftButton));
    EXPECT_FALSE(t.tracking());
    EXPECT_FALSE(release(t, Qt::LeftButton)) << "one press, one click";
    press(t, Qt::LeftButton);
    t.cancel();
    EXPECT_FALSE(release(t, Qt::LeftButton));
}

TEST_F(ClickTrackerTest, LeftButtonLastRuleEndsAtAnyOtherPressOrRelease)
{
    ClickTracker t(ClickTracker::LeftButtonLast);
    press(t, Qt::LeftButton);
    press(t, Qt::RightButton);
    EXPECT_FALSE(t.tracking());
    EXPECT_FALSE(release(t, Qt::LeftButton));
    press(t, Qt::LeftButton);
    EXPECT_FALSE(release(t, Qt::RightButton));
    EXPECT_FALSE(release(t, Qt::LeftButton)) << "the right release ended it";
    press(t, Qt::LeftButton);
    EXPECT_TRUE(release(t, Qt::LeftButton));
}

TEST_F(ClickTrackerTest, AnyButtonRule)
{
    ClickTracker t(ClickTracker::AnyButton);
    EXPECT_TRUE(press(t, Qt::RightButton));
    EXPECT_TRUE(release(t, Qt::MiddleButton));
    EXPECT_FALSE(press(t, Qt::LeftButton, false));
    EXPECT_FALSE(release(t, Qt::LeftButton));
}

TEST_F(ClickTrackerTest, InsideIsTheWidgetsRectangle)
{
    QWidget w;
    w.resize(10, 10);
    const QMouseEvent in = event(QEvent::MouseButtonRelease, Qt::LeftButton, {9, 9});
    const QMouseEvent out = event(QEvent::MouseButtonRelease, Qt::LeftButton, {10, 3});
    EXPECT_TRUE(ClickTracker::inside(&w, &in));
    EXPECT_FALSE(ClickTracker::inside(&w, &out));
}
