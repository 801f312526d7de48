#include "SpotLabel.h"
#include "Support.h"

#include <QCursor>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

using namespace kyt;
using namespace kyt::testing_support;

namespace {

class SpotLabelTest : public WidgetTest {
protected:
    void SetUp() override
    {
        host.resize(120, 40);
        QPalette pal = host.palette();
        pal.setColor(QPalette::Window, QColor(192, 192, 192));
        host.setPalette(pal);
        host.setAutoFillBackground(true);
        label = new SpotLabel("SZLAK", &host);
        QFont f = label->font();
        f.setPixelSize(13);
        f.setBold(true);
        label->setFont(f);
        label->setGeometry(5, 5, 100, 25);
        // The pointer starts away from the label, whatever earlier tests left.
        QCursor::setPos(QPoint(-1000, -1000));
        QCoreApplication::processEvents();
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        QCoreApplication::processEvents();
        ASSERT_FALSE(label->MouseInside());
    }
    void Enter()
    {
        QEnterEvent e(QPointF(5, 5), QPointF(10, 10), QPointF(10, 10));
        QApplication::sendEvent(label, &e);
    }
    void Leave()
    {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(label, &e);
    }
    // Pixels of the shown label in exactly this colour.
    int Count(QColor c)
    {
        const QImage img = Shown(*label);
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixelColor(x, y) == c;
        return n;
    }
    QWidget host;
    SpotLabel* label = nullptr;
};

TEST_F(SpotLabelTest, ColourFollowsThePointer)
{
    EXPECT_GT(Count(Qt::black), 10);
    EXPECT_EQ(Count(Qt::blue), 0);
    Enter();
    EXPECT_GT(Count(Qt::blue), 10);
    EXPECT_EQ(Count(Qt::black), 0);
    Leave();
    EXPECT_GT(Count(Qt::black), 10);
    EXPECT_EQ(Count(Qt::blue), 0);
}

TEST_F(SpotLabelTest, NormalColorGovernsTheTextColour)
{
    // A text colour set on the label itself does not show.
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(pal);
    EXPECT_EQ(Count(Qt::red), 0);
    EXPECT_GT(Count(Qt::black), 10);

    label->setNormalColor(clRed);
    EXPECT_GT(Count(Qt::red), 10);
    label->setSpotColor(clLime);
    Enter();
    EXPECT_GT(Count(Qt::green), 10);
    EXPECT_EQ(Count(Qt::red), 0);
}

TEST_F(SpotLabelTest, ClickOverTheLabel)
{
    QSignalSpy clicks(label, &SpotLabel::clicked);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
