#include "HemiBtn.h"
#include "Support.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace kyt;
using namespace kyt::testing_support;

namespace {

using B = THemisphereButton;

// A desk button: 18 x 17, one lowered ring of one pixel, grey dark colour.
class Hemisphere : public WidgetTest {
protected:
  void SetUp() override {
    host.resize(60, 60);
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 255));
    host.setPalette(pal);
    host.setAutoFillBackground(true);
    button = new B(&host);
    button->setGeometry(10, 10, 18, 17);
    button->setColorBright(clRed);
  }
  void Show() {
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  }

  QWidget host;
  B *button = nullptr;
};

TEST_F(Hemisphere, ConstructorDefaults) {
  B b;
  EXPECT_EQ(b.ColorDark(), clGray);
  EXPECT_EQ(b.ColorBright(), clWhite);
  EXPECT_EQ(b.BevelWidth(), 1);
  EXPECT_EQ(b.BevelInner(), B::hbNone);
  EXPECT_EQ(b.BevelOuter(), B::hbLowered);
  EXPECT_EQ(b.BorderStyle(), B::bsNone);
  EXPECT_EQ(b.BorderColor(), clGray);
  EXPECT_FALSE(b.Pressed());
  EXPECT_EQ(b.GroupIndex(), 0);
  EXPECT_FALSE(b.AllowAllUp());
}

TEST_F(Hemisphere, FaceShadingOfARedButton) {
  const QImage out = button->ImageOut();
  ASSERT_EQ(out.size(), QSize(18, 17));
  // Shade 1/sqrt 3 at the crown, a little less one row below it.
  EXPECT_EQ(Rgb(out, 9, 7), "201,54,54");
  EXPECT_EQ(Rgb(out, 9, 8), "193,63,63");
  // Bright at the upper left, the dark colour at the lower right.
  EXPECT_EQ(Rgb(out, 5, 4), "220,36,36");
  EXPECT_EQ(Rgb(out, 13, 12), "128,128,128");
  // Outside the ellipse the look is black.
  EXPECT_EQ(Rgb(out, 0, 0), "0,0,0");
  EXPECT_EQ(Rgb(out, 17, 16), "0,0,0");
}

TEST_F(Hemisphere, PressedFaceSwapsLightAndDark) {
  const QImage out = button->ImageOut();
  const QImage in = button->ImageIn();
  ASSERT_EQ(in.size(), QSize(18, 17));
  // The crown's shade is negated, which clamps to the dark colour.
  EXPECT_EQ(Rgb(in, 9, 7), "128,128,128");
  EXPECT_EQ(Rgb(in, 5, 4), "128,128,128");
  EXPECT_EQ(Rgb(in, 13, 12), "162,94,94");
  // Wherever one face is lit above the dark colour the other is not.
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
}

TEST_F(Hemisphere, FaceColourRunsBetweenDarkAndBright) {
  button->setColorBright(clLime);
  QImage img = button->ImageOut();
  EXPECT_EQ(Rgb(img, 9, 7), "54,201,54");
  button->setColorBright(clBlack);
  img = button->ImageOut();
  // From grey down to nearly black at the lit side.
  EXPECT_EQ(Rgb(img, 9, 7), "54,54,54");
  EXPECT_LT(img.pixelColor(5, 4).red(), 40);
  EXPECT_EQ(Rgb(img, 13, 12), "128,128,128");
}

TEST_F(Hemisphere, LoweredRingIsLitAtTheLowerRightAndTheSameInBothLooks) {
  const QImage out = button->ImageOut();
  const QImage in = button->ImageIn();
  // Left edge: the slope faces away from the light, mid-grey.
  EXPECT_EQ(Rgb(out, 0, 8), "128,128,128");
  // Right edge: 128 + round(128 * 2 / sqrt 6).
  EXPECT_EQ(Rgb(out, 17, 8), "233,233,233");
  int ring = 0;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 18; ++x) {
      const QColor c = out.pixelColor(x, y);
      if (c.red() == c.green() && c.green() == c.blue() && c.red() > 128) {
        EXPECT_EQ(out.pixel(x, y), in.pixel(x, y)) << x << "," << y;
        EXPECT_LE(c.red(), 254);
        ++ring;
      }
    }
  EXPECT_GT(ring, 10);

  button->setBevelOuter(B::hbRaised);
  const QImage raised = button->ImageOut();
  EXPECT_EQ(Rgb(raised, 0, 8), "233,233,233");
  EXPECT_EQ(Rgb(raised, 17, 8), "128,128,128");
}

TEST_F(Hemisphere, BevelsBorderAndCaptionShapeTheLook) {
  // Without rings the face reaches the edge of the ellipse.
  button->setBevelOuter(B::hbNone);
  EXPECT_EQ(Rgb(button->ImageOut(), 0, 8), "197,59,59");

  // Two rings of two pixels each leave a face inside an inset of four.
  button->setBevelOuter(B::hbLowered);
  button->setBevelInner(B::hbRaised);
  button->setBevelWidth(2);
  QImage img = button->ImageOut();
  // Left edge, outer ring (lowered): mid-grey; inner ring (raised): light.
  EXPECT_EQ(Rgb(img, 0, 8), "128,128,128");
  EXPECT_EQ(Rgb(img, 3, 8), "233,233,233");
  EXPECT_EQ(Rgb(img, 5, 8), "197,59,59");

  // The outline lies on the innermost ring's inner edge.
  button->setBevelInner(B::hbNone);
  button->setBevelWidth(1);
  button->setBorderColor(clLime);
  button->setBorderStyle(B::bsSingle);
  img = button->ImageOut();
  EXPECT_EQ(Rgb(img, 1, 8), "0,255,0");
  EXPECT_EQ(Rgb(img, 16, 8), "0,255,0");
  EXPECT_EQ(Rgb(img, 9, 8), "193,63,63");
  EXPECT_EQ(Rgb(button->ImageIn(), 1, 8), "0,255,0");

  // A caption puts the window text colour on the face of both looks.
  button->resize(40, 30);
  QFont f = button->font();
  f.setPixelSize(16);
  f.setBold(true);
  button->setFont(f);
  button->setCaption("W");
  for (const QImage &look : {button->ImageOut(), button->ImageIn()}) {
    int black = 0;
    for (int y = 5; y < 25; ++y)
      for (int x = 10; x < 30; ++x)
        black += look.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(black, 10);
  }
}

TEST_F(Hemisphere, SettersRenderAgainOnlyWhenTheyShould) {
  const QImage before = button->ImageOut();
  button->setBevelWidth(0);
  button->setBevelWidth(-3);
  EXPECT_EQ(button->BevelWidth(), 1);
  EXPECT_EQ(button->ImageOut(), before);

  // Colours are taken even when equal, and the look follows each change.
  button->setColorDark(clBlack);
  EXPECT_EQ(Rgb(button->ImageOut(), 13, 12), "0,0,0");
  button->setColorDark(clGray);
  EXPECT_EQ(button->ImageOut(), before);

  // A new size renders both looks at that size.
  button->resize(30, 30);
  EXPECT_EQ(button->ImageOut().size(), QSize(30, 30));
  EXPECT_EQ(button->ImageIn().size(), QSize(30, 30));

  // While loading nothing renders; the end of loading renders once.
  button->BeginLoading();
  button->setColorBright(clLime);
  button->resize(18, 17);
  EXPECT_EQ(button->ImageOut().size(), QSize(30, 30));
  button->EndLoading();
  EXPECT_EQ(Rgb(button->ImageOut(), 9, 7), "54,201,54");
}

TEST_F(Hemisphere, ShownLookIsClippedToTheEllipseAndFollowsPressed) {
  Show();
  QImage shown = Shown(*button);
  // The parent's surface shows in the corners.
  EXPECT_EQ(Rgb(shown, 0, 0), "0,0,255");
  EXPECT_EQ(Rgb(shown, 17, 16), "0,0,255");
  EXPECT_EQ(Rgb(shown, 9, 7), "201,54,54");
  button->setPressed(true);
  shown = Shown(*button);
  EXPECT_EQ(Rgb(shown, 9, 7), "128,128,128");
  EXPECT_EQ(Rgb(shown, 0, 0), "0,0,255");
}

// Counts paint events delivered to a widget.
struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject *, QEvent *e) override {
    paints += e->type() == QEvent::Paint;
    return false;
  }
};

TEST_F(Hemisphere, PressedPaintsBeforeTheSetterReturns) {
  Show();
  PaintCounter counter;
  button->installEventFilter(&counter);
  button->setPressed(true);
  EXPECT_EQ(counter.paints, 1);
  button->setPressed(true);
  EXPECT_EQ(counter.paints, 1) << "an equal value paints nothing";
  button->setColorBright(clLime);
  EXPECT_EQ(counter.paints, 2);
}

TEST_F(Hemisphere, HitTestCountsOnlyTheFaceInsideTheRings) {
  EXPECT_FALSE(button->HitTest(0, 0));
  EXPECT_FALSE(button->HitTest(17, 16));
  EXPECT_TRUE(button->HitTest(9, 8));
  // The ring at the left edge: (0 - 9) / 8 and (1 - 9) / 8 lie outside.
  EXPECT_FALSE(button->HitTest(0, 8));
  EXPECT_FALSE(button->HitTest(1, 8));
  EXPECT_TRUE(button->HitTest(2, 8));
  EXPECT_FALSE(button->HitTest(9, 0));
  EXPECT_TRUE(button->HitTest(9, 1));

  button->setBevelOuter(B::hbNone);
  EXPECT_TRUE(button->HitTest(1, 8));
  EXPECT_TRUE(button->HitTest(9, 0));

  // Rings as wide as the button leave no face: nothing hits, not even the
  // centre, and the sums over the negative radii do not wrap round.
  button->setBevelOuter(B::hbLowered);
  button->setBevelInner(B::hbLowered);
  button->setBevelWidth(5);
  EXPECT_FALSE(button->HitTest(9, 8));
  EXPECT_FALSE(button->HitTest(0, 0));
  button->setBevelWidth(20);
  EXPECT_FALSE(button->HitTest(9, 8));
  EXPECT_FALSE(button->HitTest(30, 30));
}

class HemispherePointer : public Hemisphere {
protected:
  void SetUp() override {
    Hemisphere::SetUp();
    Show();
    QObject::connect(button, &B::OnClick, button, [this](QObject *sender) {
      EXPECT_EQ(sender, button);
      pressedDuringClick.push_back(button->Pressed());
    });
  }
  std::vector<bool> pressedDuringClick;
};

TEST_F(HemispherePointer, ClickOnTheFaceFiresWhileStillPressed) {
  QSignalSpy clicks(button, &B::OnClick);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(9, 8));
  EXPECT_TRUE(button->Pressed());
  EXPECT_EQ(Rgb(Shown(*button), 9, 7), "128,128,128") << "pressed look shown";
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 9));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(pressedDuringClick, std::vector<bool>{true});
  EXPECT_FALSE(button->Pressed());

  // Any mouse button presses it.
  QTest::mouseClick(button, Qt::RightButton, {}, QPoint(9, 8));
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(HemispherePointer, PressesOffTheFaceOrWhileDisabledAreIgnored) {
  QSignalSpy clicks(button, &B::OnClick);
  for (QPoint p : {QPoint(1, 0), QPoint(0, 8), QPoint(17, 16)}) {
    QTest::mousePress(button, Qt::LeftButton, {}, p);
    EXPECT_FALSE(button->Pressed()) << p.x() << "," << p.y();
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(9, 8));
  }
  button->setEnabled(false);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(9, 8));
  EXPECT_FALSE(button->Pressed());
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(HemispherePointer, DraggingOffAndBackTracksThePress) {
  QSignalSpy clicks(button, &B::OnClick);
  // Off the face and released there: no click, the button is up.
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(9, 8));
  QTest::mouseMove(button, QPoint(1, 1));
  EXPECT_FALSE(button->Pressed());
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(1, 1));
  EXPECT_FALSE(button->Pressed());
  EXPECT_EQ(clicks.count(), 0);

  // Off and back again: one click.
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(9, 8));
  QTest::mouseMove(button, QPoint(40, 8));
  EXPECT_FALSE(button->Pressed());
  QTest::mouseMove(button, QPoint(8, 9));
  EXPECT_TRUE(button->Pressed());
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(8, 9));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_FALSE(button->Pressed());

  // A release without a press on the face reports nothing.
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(9, 8));
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(HemispherePointer, DoubleClickFiresOnThePressAndClickOnTheRelease) {
  QSignalSpy clicks(button, &B::OnClick);
  QSignalSpy doubles(button, &B::OnDblClick);
  // The event sequence of a double click: press, release, double-click
  // press, release.
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(9, 8));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(doubles.count(), 0);
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(9, 8));
  EXPECT_EQ(doubles.count(), 1);
  EXPECT_TRUE(button->Pressed());
  EXPECT_EQ(clicks.count(), 1);
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(9, 8));
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_FALSE(button->Pressed());
}

TEST_F(HemispherePointer, ButtonDeletedByItsClickHandler) {
  QObject::disconnect(button, &B::OnClick, nullptr, nullptr);
  QPointer<B> watch(button);
  QObject::connect(button, &B::OnClick, button, [this] { delete button; });
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(9, 8));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(9, 8));
  EXPECT_TRUE(watch.isNull());
  button = nullptr;
}

class HemisphereGroup : public WidgetTest {
protected:
  void SetUp() override {
    host.resize(100, 40);
    for (int i = 0; i < 3; ++i) {
      b[i] = new B(&host);
      b[i]->setGeometry(i * 20, 0, 18, 17);
      b[i]->setGroupIndex(1);
    }
    other = new B(&host);
    other->setGeometry(70, 0, 18, 17);
    other->setGroupIndex(2);
    other->setPressed(true);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  }
  void Click(B *button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(9, 8)); }
  std::vector<bool> State() const { return {b[0]->Pressed(), b[1]->Pressed(), b[2]->Pressed()}; }

  QWidget host;
  B *b[3] = {};
  B *other = nullptr;
};

TEST_F(HemisphereGroup, MembersLatchLikeRadioButtons) {
  QSignalSpy clicks(b[1], &B::OnClick);
  Click(b[0]);
  EXPECT_EQ(State(), (std::vector<bool>{true, false, false}));
  Click(b[1]);
  EXPECT_EQ(State(), (std::vector<bool>{false, true, false}));
  // Without AllowAllUp a latched button stays latched, but still clicks.
  Click(b[1]);
  EXPECT_EQ(State(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_TRUE(other->Pressed()) << "another group is left alone";
  // A latched button held and dragged off its face stays in.
  QTest::mousePress(b[1], Qt::LeftButton, {}, QPoint(9, 8));
  QTest::mouseMove(b[1], QPoint(40, 8));
  EXPECT_TRUE(b[1]->Pressed());
  QTest::mouseRelease(b[1], Qt::LeftButton, {}, QPoint(40, 8));
  EXPECT_EQ(State(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(HemisphereGroup, AllowAllUpSpreadsOverTheGroupAndReleasesTheLatched) {
  b[2]->setAllowAllUp(true);
  EXPECT_TRUE(b[0]->AllowAllUp());
  EXPECT_TRUE(b[1]->AllowAllUp());
  EXPECT_FALSE(other->AllowAllUp());
  Click(b[2]);
  EXPECT_EQ(State(), (std::vector<bool>{false, false, true}));
  Click(b[2]);
  EXPECT_EQ(State(), (std::vector<bool>{false, false, false}));

  // While loading, and outside groups, only the button itself takes it.
  b[0]->BeginLoading();
  b[0]->setAllowAllUp(false);
  b[0]->EndLoading();
  EXPECT_FALSE(b[0]->AllowAllUp());
  EXPECT_TRUE(b[1]->AllowAllUp());
  b[1]->setGroupIndex(0);
  b[1]->setAllowAllUp(false);
  EXPECT_TRUE(b[2]->AllowAllUp());
}

} // namespace
