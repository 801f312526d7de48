// The application-wide error report.
#include "TestApp.h"

#include "App.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace kyt;

namespace {

// An object whose event handler fails.
class Failing : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Cannot open file liniowy.jpg");
        return QObject::event(e);
    }
};

} // namespace

TEST(ErrorReport, AnErrorEscapingAnEventHandlerIsReportedWithAFullStopAndTheProgramGoesOn)
{
    test::ReportRecorder rec;
    Failing f;
    QEvent e(QEvent::User);
    EXPECT_NO_THROW(QCoreApplication::sendEvent(&f, &e));
    QEvent again(QEvent::User);
    QCoreApplication::sendEvent(&f, &again);
    EXPECT_EQ(rec.reports,
        (QStringList {QStringLiteral("Cannot open file liniowy.jpg."),
            QStringLiteral("Cannot open file liniowy.jpg.")}));
    // An event the handler does not fail on is delivered as usual.
    QEvent fine(QEvent::Type(QEvent::User + 1));
    QCoreApplication::sendEvent(&f, &fine);
    EXPECT_EQ(rec.reports.size(), 2);
}

TEST(ErrorReport, GuardedWorkStopsAtTheErrorAndReportsItOnce)
{
    test::ReportRecorder rec;
    int steps = 0;
    const bool ok = guarded([&] {
        ++steps;
        throw std::runtime_error("Failed to set data for 'sza1'");
        ++steps;
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(rec.reports, QStringList {QStringLiteral("Failed to set data for 'sza1'.")});
    EXPECT_TRUE(guarded([] {}));
    EXPECT_EQ(rec.reports.size(), 1);
}

TEST(ErrorReport, WithoutARecorderAnErrorBoxOpens)
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    // The box is modal: look at it from inside its own event loop, then
    // press its button.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    const Reporter previous = setReporter({});
    reportError(QString::fromUtf8("Nie można"));
    setReporter(previous);
    EXPECT_EQ(title, QStringLiteral("Blokada Kyt"));
    EXPECT_EQ(text, QString::fromUtf8("Nie można."));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}
