#include "ExplorerButton.h"
#include "DrawUtil.h"
#include "Fonts.h"
#include "Render.h"

#include <QEnterEvent>
#include <QMenu>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace kyt {
namespace {

const ColorCode kStart = rgbValue(45, 193, 210);

struct ExplorerButtonTest : ::testing::Test {
    test::Backdrop host {420, 60, kStart};
    ExplorerButton* button = new ExplorerButton(&host);

    void SetUp() override
    {
        button->setGeometry(0, 0, 205, 40);
        button->setCaption(QStringLiteral("Chętnie się pouczę."));
        button->setFont(deskFont(QStringLiteral("MS Sans Serif"), 19, true));
        button->setFontColor(clBlack);
        button->setUnselectedFontColor(clNavy);
    }
    QImage picture() { return test::render(host).copy(0, 0, 205, 40); }
    void enter()
    {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(button, &e);
    }
    void leave()
    {
        QEvent e(QEvent::Leave);
        QCoreApplication::sendEvent(button, &e);
    }
    void click(ExplorerButton* b)
    {
        test::press(*b, {5, 5});
        test::release(*b, {5, 5});
    }
};

TEST_F(ExplorerButtonTest, EdgeOnlyWhileThePointerIsOver)
{
    QImage img = picture();
    EXPECT_EQ(test::at(img, 0, 0), kStart); // flat: the window shows
    EXPECT_EQ(test::at(img, 204, 39), kStart);
    enter();
    EXPECT_TRUE(button->MouseInControl());
    img = picture();
    EXPECT_EQ(test::at(img, 0, 0), resolveColor(clBtnHighlight));
    EXPECT_EQ(test::at(img, 204, 39), resolveColor(clBtnShadow));
    button->setBevelStyle(ExplorerButton::bsLowered);
    img = picture();
    EXPECT_EQ(test::at(img, 0, 0), resolveColor(clBtnShadow));
    leave();
    EXPECT_EQ(test::at(picture(), 0, 0), kStart);
}

TEST_F(ExplorerButtonTest, CaptionColourFollowsThePointer)
{
    EXPECT_GT(test::count(picture(), clNavy), 50);
    EXPECT_EQ(test::count(picture(), clBlack), 0);
    enter();
    EXPECT_EQ(test::count(picture(), clNavy), 0);
    EXPECT_GT(test::count(picture(), clBlack), 50);
}

TEST_F(ExplorerButtonTest, PressedSinksAndShiftsTheCaption)
{
    enter();
    const auto up = test::pixelsOf(picture(), clBlack);
    test::press(*button, {5, 5});
    EXPECT_TRUE(button->Sunken());
    const QImage img = picture();
    EXPECT_EQ(test::at(img, 0, 0), resolveColor(clBtnShadow));
    EXPECT_EQ(test::at(img, 204, 39), resolveColor(clBtnHighlight));
    EXPECT_EQ(test::pixelsOf(img, clBlack), test::shifted(up, 1, 1));
    // Dragged out, it comes up again; back in, it sinks again.
    test::moveTo(*button, {300, 5});
    EXPECT_FALSE(button->Sunken());
    test::moveTo(*button, {10, 5});
    EXPECT_TRUE(button->Sunken());
}

TEST_F(ExplorerButtonTest, ClicksOnReleaseOverTheButton)
{
    QSignalSpy clicks(button, &ExplorerButton::clicked);
    click(button);
    EXPECT_EQ(clicks.count(), 1);
    test::press(*button, {5, 5});
    test::release(*button, {300, 5});
    EXPECT_EQ(clicks.count(), 1);
    button->setEnabled(false);
    click(button);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ExplorerButtonTest, GroupLatchingAndDownPattern)
{
    auto* other = new ExplorerButton(&host);
    other->setGeometry(210, 0, 205, 40);
    button->setDown(true);
    EXPECT_FALSE(button->down()); // only group members stay down
    button->setGroupIndex(2);
    other->setGroupIndex(2);
    click(button);
    EXPECT_TRUE(button->down());
    leave();
    QImage img = picture();
    EXPECT_EQ(test::at(img, 0, 0), resolveColor(clBtnShadow)); // sunken while down
    EXPECT_GT(test::count(img.copy(1, 1, 203, 38), clBtnHighlight), 1000); // dotted
    click(other);
    EXPECT_TRUE(other->down());
    EXPECT_FALSE(button->down());
    click(other);
    EXPECT_TRUE(other->down()); // no all-up
    other->setAllowAllUp(true);
    click(other);
    EXPECT_FALSE(other->down());
    other->setDown(true);
    other->setShowDownPattern(false);
    const QImage plain = test::render(host).copy(210, 0, 205, 40);
    EXPECT_EQ(test::count(plain.copy(1, 1, 203, 38), clBtnHighlight), 0);
}

TEST_F(ExplorerButtonTest, DropDownMenuOpensInsteadOfClicking)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Jeden"));
    QSignalSpy clicks(button, &ExplorerButton::clicked);
    button->setDropDownMenu(&menu);
    enter();
    // The popup mark: rows of 7, 5, 3 and 1 pixels in the font colour.
    const QImage img = picture();
    const auto all = test::pixelsOf(img, clBlack);
    button->setOptions(ExplorerButton::boMonoDisplay);
    const auto noMark = test::pixelsOf(picture(), clBlack);
    EXPECT_EQ(all.size() - noMark.size(), 16u);
    click(button);
    EXPECT_EQ(clicks.count(), 1); // without the mark option it clicks

    button->setOptions(ExplorerButton::boMonoDisplay | ExplorerButton::boPopupMark);
    test::press(*button, {5, 5});
    EXPECT_TRUE(menu.isVisible());
    test::release(*button, {5, 5});
    EXPECT_EQ(clicks.count(), 1);
    menu.hide();
}

TEST_F(ExplorerButtonTest, MonoDisplayGreysThePictureAwayFromThePointer)
{
    QImage pic(8, 8, QImage::Format_RGB32);
    pic.fill(Qt::red);
    pic.setPixel(0, 7, qRgb(0, 255, 0)); // lower-left: the transparent colour
    pic.setPixel(7, 7, qRgb(0, 255, 0));
    button->setCaption(QString());
    button->setBitmap(pic);
    QImage img = picture();
    const ColorCode grey = grayColor(clRed); // 51
    EXPECT_EQ(test::count(img, clRed), 0);
    EXPECT_EQ(test::count(img, grey), 62);
    EXPECT_EQ(test::count(img, clLime), 0);
    enter();
    img = picture();
    EXPECT_EQ(test::count(img, clRed), 62);
    button->setEnabled(false);
    img = picture();
    EXPECT_EQ(test::count(img, clRed), 0);
    EXPECT_GT(test::count(img, clBtnShadow), 50); // engraved
}

} // namespace
} // namespace kyt
