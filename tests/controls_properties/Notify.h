#pragma once
// Checks a property's NOTIFY contract: a write of a new value emits the
// property's <name>Changed signal once, with the value, and (for a property
// that shows) repaints; writing the same value again emits nothing and
// repaints nothing.

#include "Support.h"

#include <QApplication>
#include <QEvent>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QVariant>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace kyt::test {

// Whether a change shows (repaints), and whether the control draws itself
// again even for the value it holds (it re-reads theme colours or pictures).
enum class Shows { Yes, No, Always };

// Writes value to the property name of o twice (see above); the paints of a
// shown widget are counted.
inline void expectNotifiesOnce(
    QObject* o, const char* name, const QVariant& value, Shows shows = Shows::Yes)
{
    SCOPED_TRACE(std::string(o->metaObject()->className()) + "::" + name);
    const QMetaObject* mo = o->metaObject();
    const int idx = mo->indexOfProperty(name);
    ASSERT_GE(idx, 0);
    const QMetaProperty prop = mo->property(idx);
    ASSERT_TRUE(prop.hasNotifySignal());
    EXPECT_EQ(prop.notifySignal().name(), QByteArray(name) + "Changed");
    ASSERT_NE(prop.read(o), value) << "the test value must be a change";

    auto* w = qobject_cast<QWidget*>(o);
    PaintCounter paints(o);
    QSignalSpy spy(o, prop.notifySignal());
    ASSERT_TRUE(spy.isValid());

    // Runs the posted work (updates, layout requests) a change leaves.
    const auto settle = [&paints] {
        for (int before = -1; before != paints.count;) {
            before = paints.count;
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    };

    prop.write(o, value);
    settle();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0), prop.read(o));
    if (w && shows != Shows::No) {
        EXPECT_GT(paints.count, 0) << "a change shows";
    }
    const int painted = paints.count;

    prop.write(o, prop.read(o));
    settle();
    EXPECT_EQ(spy.count(), 1) << "the same value again is no change";
    if (shows != Shows::Always) {
        EXPECT_EQ(paints.count, painted) << "nor does it repaint";
    }
}

} // namespace kyt::test
