#include "HemisphereButton.h"
#include "Support.h"

#include <QSignalSpy>
#include <QTest>

using namespace kyt;
using namespace kyt::testing_support;

namespace {

using B = HemisphereButton;

// A desk button over a blue parent: 18 x 17, one lowered ring of one pixel,
// grey dark colour, red bright colour.
class Hemisphere : public WidgetTest {
protected:
    void SetUp() override
    {
        host.resize(60, 60);
        QPalette pal = host.palette();
        pal.setColor(QPalette::Window, QColor(0, 0, 255));
        host.setPalette(pal);
        host.setAutoFillBackground(true);
        button = new B(&host);
        button->setGeometry(10, 10, 18, 17);
        button->setColorBright(clRed);
    }
    void Show()
    {
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    QWidget host;
    B* button = nullptr;
};

TEST_F(Hemisphere, FaceShadingOfBothLooks)
{
    const QImage out = button->ImageOut(), in = button->ImageIn();
    ASSERT_EQ(out.size(), QSize(18, 17));
    // Shade 1/sqrt 3 at the crown, a little less one row below; bright at
    // the upper left, the dark colour at the lower right, black off the face.
    EXPECT_EQ(Rgb(out, 9, 7), "201,54,54");
    EXPECT_EQ(Rgb(out, 9, 8), "193,63,63");
    EXPECT_EQ(Rgb(out, 5, 4), "220,36,36");
    EXPECT_EQ(Rgb(out, 13, 12), "128,128,128");
    EXPECT_EQ(Rgb(out, 0, 0), "0,0,0");
    // Pressed, the shade is negated: dark at the crown, lit at the lower right.
    EXPECT_EQ(Rgb(in, 9, 7), "128,128,128");
    EXPECT_EQ(Rgb(in, 5, 4), "128,128,128");
    EXPECT_EQ(Rgb(in, 13, 12), "162,94,94");
    int litOut = 0, litIn = 0;
    for (int y = 2; y < 15; ++y)
        for (int x = 2; x < 16; ++x) {
            // Lit face pixels are redder than grey; the ring's greys are not.
            const QColor co = out.pixelColor(x, y), ci = in.pixelColor(x, y);
            const bool o = co.red() > co.green(), i = ci.red() > ci.green();
            EXPECT_FALSE(o && i) << x << "," << y;
            litOut += o;
            litIn += i;
        }
    EXPECT_GT(litOut, 100);
    EXPECT_GT(litIn, 25);

    button->setColorBright(clLime);
    EXPECT_EQ(Rgb(button->ImageOut(), 9, 7), "54,201,54");
    button->setColorBright(clBlack);
    EXPECT_EQ(Rgb(button->ImageOut(), 9, 7), "54,54,54");
}

TEST_F(Hemisphere, RingsAndBorder)
{
    QImage out = button->ImageOut();
    const QImage in = button->ImageIn();
    // Lowered: mid-grey at the left, 128 + round(128 * 2 / sqrt 6) at the right.
    EXPECT_EQ(Rgb(out, 0, 8), "128,128,128");
    EXPECT_EQ(Rgb(out, 17, 8), "233,233,233");
    int ring = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 18; ++x) {
            const QColor c = out.pixelColor(x, y);
            if (c.red() == c.green() && c.red() > 128) {
                EXPECT_EQ(out.pixel(x, y), in.pixel(x, y)) << x << "," << y;
                EXPECT_LE(c.red(), 254);
                ++ring;
            }
        }
    EXPECT_GT(ring, 10);

    // No ring: the face reaches the edge.
    button->setBevelOuter(B::hbNone);
    EXPECT_EQ(Rgb(button->ImageOut(), 0, 8), "197,59,59");
    // Two rings of two pixels: lowered outside, raised inside, face within.
    button->setBevelOuter(B::hbLowered);
    button->setBevelInner(B::hbRaised);
    button->setBevelWidth(2);
    out = button->ImageOut();
    EXPECT_EQ(Rgb(out, 0, 8), "128,128,128");
    EXPECT_EQ(Rgb(out, 3, 8), "233,233,233");
    EXPECT_EQ(Rgb(out, 5, 8), "197,59,59");

    // The outline lies on the innermost ring's inner edge, in both looks.
    button->setBevelInner(B::hbNone);
    button->setBevelWidth(1);
    button->setBorderColor(clLime);
    button->setBorderStyle(B::bsSingle);
    EXPECT_EQ(Rgb(button->ImageOut(), 1, 8), "0,255,0");
    EXPECT_EQ(Rgb(button->ImageIn(), 16, 8), "0,255,0");
    EXPECT_EQ(Rgb(button->ImageOut(), 9, 8), "193,63,63");
}

TEST_F(Hemisphere, CaptionIsDrawnOnBothLooks)
{
    button->resize(40, 30);
    QFont f = button->font();
    f.setPixelSize(16);
    f.setBold(true);
    button->setFont(f);
    button->setCaption("W");
    for (const QImage& look : {button->ImageOut(), button->ImageIn()}) {
        int black = 0;
        for (int y = 5; y < 25; ++y)
            for (int x = 10; x < 30; ++x)
                black += look.pixel(x, y) == qRgb(0, 0, 0);
        EXPECT_GT(black, 10);
    }
}

TEST_F(Hemisphere, SettersRenderAgainOnlyWhenTheyShould)
{
    const QImage before = button->ImageOut();
    button->setBevelWidth(0);
    button->setBevelWidth(-3);
    EXPECT_EQ(button->bevelWidth(), 1);
    EXPECT_EQ(button->ImageOut(), before);

    button->setColorDark(clBlack);
    EXPECT_EQ(Rgb(button->ImageOut(), 13, 12), "0,0,0");
    button->resize(30, 30);
    EXPECT_EQ(button->ImageIn().size(), QSize(30, 30));

    // While loading nothing renders; the end of loading does.
    button->BeginLoading();
    button->setColorBright(clLime);
    button->resize(18, 17);
    EXPECT_EQ(button->ImageOut().size(), QSize(30, 30));
    button->EndLoading();
    EXPECT_EQ(Rgb(button->ImageOut(), 9, 7), "0,147,0");
}

// Counts paint events delivered to a widget.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(Hemisphere, ShownClippedToTheEllipseAndPaintedAtOnce)
{
    Show();
    QImage shown = Shown(*button);
    EXPECT_EQ(Rgb(shown, 0, 0), "0,0,255");
    EXPECT_EQ(Rgb(shown, 17, 16), "0,0,255");
    EXPECT_EQ(Rgb(shown, 9, 7), "201,54,54");

    PaintCounter counter;
    button->installEventFilter(&counter);
    button->setPressed(true);
    EXPECT_EQ(counter.paints, 1);
    button->setPressed(true);
    EXPECT_EQ(counter.paints, 1) << "an equal value paints nothing";
    shown = Shown(*button);
    EXPECT_EQ(Rgb(shown, 9, 7), "128,128,128");
    EXPECT_EQ(Rgb(shown, 0, 0), "0,0,255");
}

TEST_F(Hemisphere, HitTestCountsOnlyTheFaceInsideTheRings)
{
    EXPECT_FALSE(button->HitTest(0, 0));
    EXPECT_FALSE(button->HitTest(17, 16));
    EXPECT_TRUE(button->HitTest(9, 8));
    // The ring: (0 - 9) / 8 and (1 - 9) / 8 lie outside the face.
    EXPECT_FALSE(button->HitTest(0, 8));
    EXPECT_FALSE(button->HitTest(1, 8));
    EXPECT_TRUE(button->HitTest(2, 8));
    button->setBevelOuter(B::hbNone);
    EXPECT_TRUE(button->HitTest(1, 8));

    // Rings as wide as the button leave no face, so nothing hits.
    button->setBevelOuter(B::hbLowered);
    button->setBevelInner(B::hbLowered);
    for (int w : {5, 20}) {
        button->setBevelWidth(w);
        EXPECT_FALSE(button->HitTest(9, 8)) << w;
        EXPECT_FALSE(button->HitTest(30, 30)) << w;
    }
}

class HemispherePointer : public Hemisphere {
protected:
    void SetUp() override
    {
        Hemisphere::SetUp();
        Show();
        QObject::connect(button, &B::clicked, button,
            [this] { pressedDuringClick.push_back(button->pressed()); });
    }
    std::vector<bool> pressedDuringClick;
};

TEST_F(HemispherePointer, ClickFiresWhileStillPressed)
{
    QSignalSpy clicks(button, &B::clicked);
    // Off the face, or disabled: nothing.
    for (QPoint p : {QPoint(1, 0), QPoint(0, 8), QPoint(17, 16)}) {
        QTest::mousePress(button, Qt::LeftButton, {}, p);
        EXPECT_FALSE(button->pressed()) << p.x() << "," << p.y();
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(9, 8));
    }
    EXPECT_EQ(clicks.count(), 0);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(9, 8));
    EXPECT_TRUE(button->pressed());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 9));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(pressedDuringClick, std::vector<bool> {true});
    EXPECT_FALSE(button->pressed());
    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(9, 8));
    EXPECT_EQ(clicks.count(), 2) << "any mouse button";

    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(9, 8));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(HemispherePointer, DraggingOffAndBackTracksThePress)
{
    QSignalSpy clicks(button, &B::clicked);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(9, 8));
    QTest::mouseMove(button, QPoint(1, 1));
    EXPECT_FALSE(button->pressed());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(button->pressed());
    EXPECT_EQ(clicks.count(), 0);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(9, 8));
    QTest::mouseMove(button, QPoint(40, 8));
    EXPECT_FALSE(button->pressed());
    QTest::mouseMove(button, QPoint(8, 9));
    EXPECT_TRUE(button->pressed());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(8, 9));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button->pressed());
}

TEST_F(HemispherePointer, DoubleClickAndAHandlerThatDeletesTheButton)
{
    QSignalSpy clicks(button, &B::clicked);
    QSignalSpy doubles(button, &B::doubleClicked);
    // Press, release, double-click press, release.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(9, 8));
    QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(9, 8));
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(9, 8));
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_FALSE(button->pressed());

    QPointer<B> watch(button);
    QObject::connect(button, &B::clicked, button, [this] { delete button; });
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(9, 8));
    EXPECT_TRUE(watch.isNull());
}

TEST_F(Hemisphere, GroupMembersLatchLikeRadioButtons)
{
    B* b[3] = {button, new B(&host), new B(&host)};
    for (int i = 0; i < 3; ++i) {
        b[i]->setGeometry(i * 20, 0, 18, 17);
        b[i]->setGroupIndex(1);
    }
    auto* other = new B(&host);
    other->setGeometry(0, 30, 18, 17);
    other->setGroupIndex(2);
    other->setPressed(true);
    Show();
    auto click = [](B* x) { QTest::mouseClick(x, Qt::LeftButton, {}, QPoint(9, 8)); };
    auto state = [&] {
        return std::vector<bool> {b[0]->pressed(), b[1]->pressed(), b[2]->pressed()};
    };
    using V = std::vector<bool>;

    click(b[0]);
    EXPECT_EQ(state(), (V {true, false, false}));
    click(b[1]);
    EXPECT_EQ(state(), (V {false, true, false}));
    // Without AllowAllUp a latched button stays in, clicked or dragged off.
    click(b[1]);
    QTest::mousePress(b[1], Qt::LeftButton, {}, QPoint(9, 8));
    QTest::mouseMove(b[1], QPoint(40, 8));
    EXPECT_TRUE(b[1]->pressed());
    QTest::mouseRelease(b[1], Qt::LeftButton, {}, QPoint(40, 8));
    EXPECT_EQ(state(), (V {false, true, false}));
    EXPECT_TRUE(other->pressed()) << "another group is left alone";

    // AllowAllUp spreads over the group, and a second click releases.
    b[2]->setAllowAllUp(true);
    EXPECT_TRUE(b[0]->allowAllUp());
    EXPECT_FALSE(other->allowAllUp());
    click(b[2]);
    EXPECT_EQ(state(), (V {false, false, true}));
    click(b[2]);
    EXPECT_EQ(state(), (V {false, false, false}));

    // While loading only the button itself takes it.
    b[0]->BeginLoading();
    b[0]->setAllowAllUp(false);
    b[0]->EndLoading();
    EXPECT_TRUE(b[1]->allowAllUp());
}

} // namespace
