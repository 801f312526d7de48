// The round and triangular buttons and the spot label announce each real
// property change once and repaint only then.

#include "Notify.h"

#include "ArrowButton.h"
#include "HemisphereButton.h"
#include "SpotLabel.h"

using namespace kyt;
using namespace kyt::test;

namespace {

class NotifyButtons : public GuiTest {
protected:
    void SetUp() override { host.show(); }
    QWidget host;
};

QVariant colour(ColorCode c)
{
    return QVariant::fromValue<ColorCode>(c);
}

} // namespace

TEST_F(NotifyButtons, HemisphereButton)
{
    auto* button = new HemisphereButton(&host);
    button->resize(18, 17);
    button->show();
    expectNotifiesOnce(button, "bevelInner", QVariant::fromValue(HemisphereButton::hbRaised));
    expectNotifiesOnce(button, "bevelOuter", QVariant::fromValue(HemisphereButton::hbRaised));
    expectNotifiesOnce(button, "bevelWidth", 2);
    expectNotifiesOnce(button, "borderColor", colour(clRed));
    expectNotifiesOnce(button, "borderStyle", QVariant::fromValue(HemisphereButton::bsSingle));
    expectNotifiesOnce(button, "caption", QStringLiteral("1"));
    expectNotifiesOnce(button, "pressed", true);
    // The colours render the face again even for the colour held (a theme
    // colour may look different now).
    expectNotifiesOnce(button, "colorBright", colour(clYellow), Shows::Always);
    expectNotifiesOnce(button, "colorDark", colour(clNavy), Shows::Always);
    expectNotifiesOnce(button, "allowAllUp", true, Shows::No);
    expectNotifiesOnce(button, "groupIndex", 3, Shows::No);
}

TEST_F(NotifyButtons, HemisphereGroupSharesAllowAllUpAndEachTellsOfIt)
{
    auto* a = new HemisphereButton(&host);
    auto* b = new HemisphereButton(&host);
    a->setGroupIndex(1);
    b->setGroupIndex(1);
    QSignalSpy fromA(a, &HemisphereButton::allowAllUpChanged);
    QSignalSpy fromB(b, &HemisphereButton::allowAllUpChanged);
    a->setAllowAllUp(true);
    EXPECT_EQ(fromA.count(), 1);
    EXPECT_EQ(fromB.count(), 1);
    EXPECT_TRUE(b->allowAllUp());
}

TEST_F(NotifyButtons, ArrowButton)
{
    auto* arrow = new ArrowButton(&host);
    arrow->show();
    expectNotifiesOnce(arrow, "buttonColor", colour(clRed));
    expectNotifiesOnce(arrow, "direction", QVariant::fromValue(ArrowButton::arwLEFT));
}

TEST_F(NotifyButtons, SpotLabel)
{
    auto* label = new SpotLabel(QStringLiteral("Spot"), &host);
    label->show();
    expectNotifiesOnce(label, "normalColor", colour(clRed));
    // The spot colour shows only under the pointer.
    expectNotifiesOnce(label, "spotColor", colour(clGreen), Shows::No);
}
