// The styled labels, panels and buttons and the gradient announce each real
// property change once and repaint only then.

#include "Notify.h"

#include "ArtLabel.h"
#include "Button3D.h"
#include "ExplorerButton.h"
#include "Gradient.h"
#include "GradientButton.h"
#include "Label3D.h"
#include "Panel3D.h"
#include "ShadowButton.h"

using namespace kyt;
using namespace kyt::test;

namespace {

class NotifyStyled : public GuiTest {
protected:
    void SetUp() override { host.show(); }

    template <typename Control>
    Control* shown()
    {
        auto* c = new Control(&host);
        c->show();
        return c;
    }

    QWidget host;
};

QVariant colour(ColorCode c)
{
    return QVariant::fromValue<ColorCode>(c);
}

} // namespace

TEST_F(NotifyStyled, Label3D)
{
    auto* label = shown<Label3D>();
    expectNotifiesOnce(label, "caption", QStringLiteral("Station A"));
    expectNotifiesOnce(label, "fontColor", colour(clRed));
    expectNotifiesOnce(label, "highLightColor", colour(clYellow));
    expectNotifiesOnce(label, "shadowColor", colour(clNavy));
    expectNotifiesOnce(label, "bevel", QVariant::fromValue(Label3D::bvShadow));
    expectNotifiesOnce(label, "shadowSize", QVariant::fromValue<quint8>(3));
    expectNotifiesOnce(label, "color", colour(clGreen));
    // A colour of its own ends the parent's colour: both say so.
    label->setParentColor(true);
    QSignalSpy colours(label, &Label3D::colorChanged);
    QSignalSpy parents(label, &Label3D::parentColorChanged);
    label->setColor(label->color());
    EXPECT_EQ(colours.count(), 0);
    EXPECT_EQ(parents.count(), 1);
}

TEST_F(NotifyStyled, Panel3D)
{
    auto* panel = shown<Panel3D>();
    expectNotifiesOnce(panel, "caption", QStringLiteral("Block"));
    expectNotifiesOnce(panel, "title", QStringLiteral("Line"));
    expectNotifiesOnce(panel, "fontColor", colour(clRed));
    expectNotifiesOnce(panel, "colorTitle", colour(clYellow));
    expectNotifiesOnce(panel, "bevelWidth", 3);
    expectNotifiesOnce(panel, "borderWidth", 2);
    expectNotifiesOnce(panel, "shadowSizeTitle", QVariant::fromValue<quint8>(4));
}

TEST_F(NotifyStyled, Button3DAndShadowButton)
{
    auto* button = shown<Button3D>();
    expectNotifiesOnce(button, "caption", QStringLiteral("OK"));
    expectNotifiesOnce(button, "fontColor", colour(clRed));
    expectNotifiesOnce(button, "shadowSize", QVariant::fromValue<quint8>(3));
    expectNotifiesOnce(button, "modalResult", 1, Shows::No);

    auto* shadow = shown<ShadowButton>();
    expectNotifiesOnce(shadow, "caption", QStringLiteral("Start"));
    expectNotifiesOnce(shadow, "color", colour(clRed));
    expectNotifiesOnce(shadow, "shadow", false);
    expectNotifiesOnce(shadow, "border", false);
    expectNotifiesOnce(shadow, "deepth", 2);
}

TEST_F(NotifyStyled, GradientButtonGroup)
{
    auto* a = shown<GradientButton>();
    expectNotifiesOnce(a, "caption", QStringLiteral("A"));
    expectNotifiesOnce(a, "gradColor", colour(clRed));
    expectNotifiesOnce(a, "bevelWidth", 3);
    expectNotifiesOnce(a, "groupIndex", 1, Shows::No);
    auto* b = shown<GradientButton>();
    b->move(0, a->height()); // beside a, not covering it
    b->setGroupIndex(1);
    expectNotifiesOnce(a, "down", true);
    // Latching b releases a: both tell of it.
    QSignalSpy fromA(a, &GradientButton::downChanged);
    QSignalSpy fromB(b, &GradientButton::downChanged);
    b->setDown(true);
    ASSERT_EQ(fromA.count(), 1);
    EXPECT_FALSE(fromA.at(0).at(0).toBool());
    ASSERT_EQ(fromB.count(), 1);
    EXPECT_TRUE(fromB.at(0).at(0).toBool());
}

TEST_F(NotifyStyled, ExplorerButtonGroup)
{
    auto* a = shown<ExplorerButton>();
    expectNotifiesOnce(a, "caption", QStringLiteral("A"));
    expectNotifiesOnce(a, "fontColor", colour(clRed));
    expectNotifiesOnce(a, "wordWrap", true);
    expectNotifiesOnce(a, "about", QStringLiteral("about"), Shows::No);
    expectNotifiesOnce(a, "allowAllUp", true, Shows::No);
    expectNotifiesOnce(a, "groupIndex", 2, Shows::No);
    auto* b = shown<ExplorerButton>();
    b->setGroupIndex(2);
    expectNotifiesOnce(a, "down", true);
    QSignalSpy fromA(a, &ExplorerButton::downChanged);
    b->setDown(true);
    ASSERT_EQ(fromA.count(), 1);
    EXPECT_FALSE(fromA.at(0).at(0).toBool());
}

TEST_F(NotifyStyled, ArtLabelAndGradient)
{
    auto* label = shown<ArtLabel>();
    expectNotifiesOnce(label, "caption", QStringLiteral("Kyt"));
    expectNotifiesOnce(label, "fontColor", colour(clRed));
    expectNotifiesOnce(label, "shadowColor", colour(clNavy));
    expectNotifiesOnce(label, "shadowLength", 5);

    Gradient g;
    expectNotifiesOnce(&g, "color3", colour(clRed));
    expectNotifiesOnce(&g, "lineSize", 7);
    expectNotifiesOnce(&g, "colorCount", 4);
    // A copy tells of each property it changes and of the change once.
    Gradient other;
    other.setColor1(clBlue);
    QSignalSpy firsts(&g, &Gradient::color1Changed);
    QSignalSpy changes(&g, &Gradient::changed);
    g.Assign(other);
    EXPECT_EQ(firsts.count(), 1);
    EXPECT_EQ(changes.count(), 1);
}
