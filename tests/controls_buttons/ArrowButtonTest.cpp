#include "ArrowButton.h"
#include "Support.h"

#include <QSignalSpy>
#include <QTest>

using namespace kyt;
using namespace kyt::testing_support;

namespace {

using A = ArrowButton;

// A desk arrow: 20 x 22, pointing right, over a yellow parent.
class Arrow : public WidgetTest {
protected:
    void SetUp() override
    {
        host.resize(60, 60);
        QPalette pal = host.palette();
        pal.setColor(QPalette::Window, QColor(255, 255, 0));
        host.setPalette(pal);
        host.setAutoFillBackground(true);
        arrow = new A(&host);
        arrow->setGeometry(10, 10, 20, 22);
        arrow->setDirection(A::arwRIGHT);
    }
    void Show()
    {
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        arrow->repaint();
    }
    QWidget host;
    A* arrow = nullptr;
};

TEST_F(Arrow, HitAreaIsTheTriangleOfTheLastPaint)
{
    // Hidden and never painted: no hit area, a press does nothing.
    arrow->setVisible(false);
    QSignalSpy clicks(arrow, &A::clicked);
    QTest::mouseClick(arrow, Qt::LeftButton, {}, QPoint(4, 11));
    EXPECT_EQ(clicks.count(), 0);
    arrow->setVisible(true);
    Show();
    EXPECT_TRUE(arrow->HitTest(QPoint(4, 11)));
    EXPECT_FALSE(arrow->HitTest(QPoint(18, 2)));
    EXPECT_FALSE(arrow->HitTest(QPoint(2, 11)));
    EXPECT_FALSE(arrow->HitTest(QPoint(16, 4)));

    // A new direction moves the area at the next paint, not before.
    arrow->setDirection(A::arwLEFT);
    EXPECT_FALSE(arrow->HitTest(QPoint(16, 4)));
    arrow->repaint();
    EXPECT_TRUE(arrow->HitTest(QPoint(16, 4)));
    EXPECT_FALSE(arrow->HitTest(QPoint(4, 4)));
    arrow->setDirection(A::arwDOWN);
    arrow->repaint();
    EXPECT_TRUE(arrow->HitTest(QPoint(4, 4)));
    EXPECT_FALSE(arrow->HitTest(QPoint(4, 17)));
}

TEST_F(Arrow, FrameFillAndEdgesReleasedAndPressed)
{
    Show();
    const QImage up = Shown(*arrow);
    EXPECT_EQ(Rgb(up, 0, 0), "255,255,0") << "the parent shows around the arrow";
    EXPECT_EQ(Rgb(up, 3, 11), "0,0,0");
    EXPECT_EQ(Rgb(up, 4, 11), "0,0,0");
    // The lit edge P1-P3 runs over the moved corners (5, 6) and (5, 16).
    EXPECT_EQ(Rgb(up, 5, 11), "255,255,255");
    EXPECT_EQ(Rgb(up, 8, 11), "0,128,128");
    EXPECT_EQ(arrow->Corner(1), QPoint(14, 11));

    // Pressed: P1-P3 turns black at once, the flanks vanish into the fill.
    QTest::mousePress(arrow, Qt::LeftButton, {}, QPoint(8, 11));
    const QImage down = Shown(*arrow);
    EXPECT_EQ(Rgb(down, 5, 11), "0,0,0");
    int vanished = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 6; x < 14; ++x)
            vanished += up.pixel(x, y) == qRgb(0, 0, 0) && down.pixel(x, y) == qRgb(0, 128, 128);
    EXPECT_GE(vanished, 8);
    QTest::mouseRelease(arrow, Qt::LeftButton, {}, QPoint(8, 11));
    EXPECT_EQ(Shown(*arrow), up);

    arrow->setButtonColor(clRed);
    arrow->repaint();
    EXPECT_EQ(Rgb(Shown(*arrow), 8, 11), "255,0,0");
}

TEST_F(Arrow, ClickSequences)
{
    Show();
    QSignalSpy clicks(arrow, &A::clicked);
    // Off the triangle: nothing, not even on a release inside it.
    QTest::mousePress(arrow, Qt::LeftButton, {}, QPoint(18, 2));
    EXPECT_FALSE(arrow->IsPressed());
    QTest::mouseRelease(arrow, Qt::LeftButton, {}, QPoint(4, 11));
    EXPECT_EQ(clicks.count(), 0);

    QTest::mouseClick(arrow, Qt::LeftButton, {}, QPoint(4, 11));
    ASSERT_EQ(clicks.count(), 1);

    // Released outside the control: released again, no click.
    QTest::mousePress(arrow, Qt::LeftButton, {}, QPoint(4, 11));
    QTest::mouseMove(arrow, QPoint(30, 11));
    QTest::mouseRelease(arrow, Qt::LeftButton, {}, QPoint(30, 11));
    EXPECT_FALSE(arrow->IsPressed());
    EXPECT_EQ(clicks.count(), 1);
    // Released in a corner off the triangle but inside the control: a click.
    QTest::mousePress(arrow, Qt::LeftButton, {}, QPoint(4, 11));
    QTest::mouseRelease(arrow, Qt::LeftButton, {}, QPoint(18, 2));
    EXPECT_EQ(clicks.count(), 2);
    // Only the left button presses it.
    QTest::mouseClick(arrow, Qt::RightButton, {}, QPoint(4, 11));
    EXPECT_EQ(clicks.count(), 2);
}

} // namespace
