// The window tables and the builder that makes windows from them.
#include "ControlNames.h"
#include "TestApp.h"

#include "AboutBox.h"
#include "Controls.h"
#include "Dispatch.h"
#include "Layout.h"
#include "Simulator.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "StdControls.h"

#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

using namespace kyt;
using kyt::layout::Row;
using kyt::layout::Table;

namespace {

std::map<QString, int> classCounts(const Table& t)
{
    std::map<QString, int> n;
    for (const Row& r : t)
        ++n[r.cls];
    return n;
}

// The simulation's handler table knows the name, or it is one of the
// simulator window's own handlers.
bool handlerExists(const QString& name)
{
    return findHandler(name.toStdString()) != nullptr
        || SimulatorWindow::ownHandlers().contains(name);
}

} // namespace

TEST(DeskTable, HoldsEveryControlOnceWithTheDesksCounts)
{
    const Table& t = blokTable();
    QSet<QString> seen;
    for (const Row& r : t) {
        EXPECT_FALSE(seen.contains(r.name)) << "name used twice: " << r.name.toStdString();
        if (!r.parent.isEmpty()) {
            EXPECT_TRUE(seen.contains(r.parent))
                << r.name.toStdString() << " comes before its parent " << r.parent.toStdString();
        }
        seen.insert(r.name);
    }
    const auto n = classCounts(t);
    EXPECT_EQ(n.at(QStringLiteral("Led")), 22);
    EXPECT_EQ(n.at(QStringLiteral("RelayIndicator")), 30);
    EXPECT_EQ(n.at(QStringLiteral("DigitCounter")), 8);
    EXPECT_EQ(n.at(QStringLiteral("HemisphereButton")), 18);
    EXPECT_EQ(n.at(QStringLiteral("shape")), 11);
    EXPECT_EQ(n.at(QStringLiteral("ArrowButton")), 4);
    EXPECT_EQ(n.at(QStringLiteral("SpotLabel")), 9);
    EXPECT_EQ(n.at(QStringLiteral("Label3D")), 37);
    EXPECT_EQ(n.at(QStringLiteral("Panel3D")), 3);
    EXPECT_EQ(n.at(QStringLiteral("GradientButton")), 2);
    EXPECT_EQ(n.at(QStringLiteral("ArtLabel")), 3);
    // 30 indicator captions and two separators on the boards.
    EXPECT_EQ(n.at(QStringLiteral("Label")), 32);
}

TEST(DeskTable, EveryHandlerExistsAndEveryModelControlIsOnTheDesk)
{
    for (const Row& r : blokTable()) {
        if (!r.handler.isEmpty()) {
            EXPECT_TRUE(handlerExists(r.handler)) << r.handler.toStdString();
        }
    }
    for (const Row& r : startTable())
        EXPECT_TRUE(r.handler.isEmpty() || r.handler == QLatin1String("stClick")
            || r.handler == QLatin1String("ExplorerButton1Click"));

    Simulator sim;
    QSet<QString> names;
    for (const Row& r : blokTable())
        names.insert(r.name);
    for (const std::string& name : sim.desk().controlNames()) {
        if (sim.desk().kind(name) != ControlKind::Timer) {
            EXPECT_TRUE(names.contains(QString::fromStdString(name))) << name;
        }
    }
    // Every click of the simulation that a hidden control guards belongs to
    // a control of the desk.
    for (const HandlerEntry& e : handlerTable()) {
        if (e.shownBy) {
            EXPECT_TRUE(
                names.contains(QString::fromStdString(std::string(controlName(*e.shownBy)))));
        }
    }
}

TEST(Builder, RefusesWhatWouldPassSilently)
{
    QWidget client;
    const auto& classes = layout::standardClasses();
    const auto build = [&](const Table& t) { return layout::build(&client, t, classes, {}); };

    EXPECT_THROW(build({Row {"a", "TNoSuchControl", {}, 0, 0, 10, 10}}), layout::LayoutError);
    EXPECT_THROW(build({Row {"b", "shape", "later", 0, 0, 10, 10},
                     Row {"later", "Panel", {}, 0, 0, 20, 20}}),
        layout::LayoutError);
    EXPECT_THROW(
        build({Row {"c", "Panel", {}, 0, 0, 10, 10}, Row {"c", "Panel", {}, 0, 0, 10, 10}}),
        layout::LayoutError);
    Row misspelt {"d", "shape", {}, 0, 0, 10, 10};
    misspelt.props = {{"BrushColour", 0u}};
    EXPECT_THROW(build({misspelt}), layout::LayoutError);
    Row unclickable {"e", "shape", {}, 0, 0, 10, 10};
    unclickable.handler = QStringLiteral("eClick");
    EXPECT_THROW(build({unclickable}), layout::LayoutError);
}

TEST(Builder, PlacesLaterRowsAboveAndRoutesClicksByHandlerName)
{
    QWidget client;
    client.resize(100, 100);
    Row under {"under", "Panel", {}, 0, 0, 60, 60};
    Row label {"label", "Label", "under", 5, 5, 40, 16, "SZLAK"};
    label.handler = QStringLiteral("labelClick");
    Row silent {"silent", "Label", "under", 5, 30, 40, 16, "A"};
    Row over {"over", "Panel", {}, 40, 40, 50, 50};
    QStringList clicks;
    const auto built = layout::build(&client, {under, label, silent, over},
        layout::standardClasses(),
        [&](const QString& h, QWidget* w) { clicks << h + QLatin1Char('@') + w->objectName(); });
    client.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&client));
    EXPECT_EQ(client.childAt(50, 50), built.get("over"));
    EXPECT_EQ(client.childAt(55, 25), built.get("under"));
    EXPECT_EQ(built.get("label")->parentWidget(), built.get("under"));
    EXPECT_EQ(built.get("label")->pos(), QPoint(5, 5));

    QTest::mouseClick(built.get("label"), Qt::LeftButton, {}, QPoint(10, 8));
    QTest::mouseClick(built.get("silent"), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_EQ(clicks, QStringList {QStringLiteral("labelClick@label")});
    EXPECT_THROW(built.get("missing"), layout::LayoutError);
}

TEST(DeskWindow, StartsAsTheDeskIsDesigned)
{
    SimulatorWindow w;
    const auto prop = [&](const QString& name, const char* property) {
        return w.control(name)->property(property);
    };
    for (const QString& lit : {qtName(Control::ALed1), qtName(Control::ALed3),
             qtName(Control::ALed9), qtName(Control::ALed11)})
        EXPECT_TRUE(prop(lit, "value").toBool()) << lit.toStdString();
    int dark = 0;
    for (const Row& r : blokTable())
        if (r.cls == QLatin1String("Led") && !w.control(r.name)->property("value").toBool())
            ++dark;
    EXPECT_EQ(dark, 18);
    for (const QString& c : {qtName(Control::lsza1), qtName(Control::lsza2), qtName(Control::lszb1),
             qtName(Control::lszb2), qtName(Control::ldkoa), qtName(Control::ldkob),
             qtName(Control::ldpoa), qtName(Control::ldpob)})
        EXPECT_EQ(prop(c, "value").toInt(), 0) << c.toStdString();
    for (const QString& hidden : {qtName(Control::pdalej), qtName(Control::pst),
             qtName(Control::Panel27), qtName(Control::ArrowButton1), qtName(Control::ArrowButton2),
             qtName(Control::ArrowButton3), qtName(Control::ArrowButton4)})
        EXPECT_TRUE(w.control(hidden)->isHidden()) << hidden.toStdString();
    EXPECT_FALSE(w.control(qtName(Control::Memo1))->isHidden());
    EXPECT_EQ(layout::caption(w.control(qtName(Control::np))), QStringLiteral("Brak"));
    EXPECT_EQ(layout::caption(w.control(qtName(Control::ns1))), QStringLiteral("79 - brak"));
    EXPECT_EQ(layout::caption(w.control(qtName(Control::ns2))), QStringLiteral("80 - brak"));
    EXPECT_EQ(prop(qtName(Control::Memo1), "text").toString(), blokInitialMemo());
    EXPECT_EQ(
        layout::caption(w.control(qtName(Control::pst))), QString::fromUtf8("Pociąg \"STÓJ\""));

    for (const QString& t : {qtName(Control::Timer1), qtName(Control::Timer2),
             qtName(Control::Timer3), qtName(Control::Timer4)})
        EXPECT_FALSE(w.timer(t)->isActive()) << t.toStdString();
    EXPECT_EQ(w.timer(qtName(Control::Timer1))->interval(), 500);
    EXPECT_EQ(w.timer(qtName(Control::Timer2))->interval(), 1000);
    EXPECT_EQ(w.timer(qtName(Control::Timer3))->interval(), 1000);
    EXPECT_EQ(w.timer(qtName(Control::Timer4))->interval(), 500);

    EXPECT_EQ(w.windowTitle(), QStringLiteral("Symulator Kyt"));
    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) {
        menus << a->text();
        for (QAction* item : a->menu()->actions())
            menus << QStringLiteral("  ") + item->text();
    }
    EXPECT_EQ(menus.join(QLatin1Char('|')),
        QString::fromUtf8("Schematy|  Wł. i zw. blokady|  Liniowy|  ZPG|  Pulpit|  "
                          "Zwr. pozwolenia|INFORMACJE|  O blokadzie|  O programie"
                          "|Dziennik|  Pokaż dziennik|  Eksportuj do CSV...|  Drukuj...|  "
                          "Zapisz jako PDF...|  |  Zapisz sesję...|  Odtwórz sesję...|  "
                          "Zakończ odtwarzanie|Ćwiczenia|  Otwórz ćwiczenie...|  Historia "
                          "wyników|Widok|  Pauza|  |  Szybkość ×1|  Szybkość ×2|  "
                          "Szybkość ×4|  Szybkość ×8|  |  Następne zdarzenie odtwarzania"));
}

TEST(DeskWindow, MishapPanelCoversTheVoltagePanelAndTheDeskIsNotRescaled)
{
    SimulatorWindow w;
    w.resize(500, 400);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QWidget* desk = w.desk();
    QWidget* mishap = w.control(qtName(Control::Panel27));
    QWidget* voltage = w.control("Panel3D3");
    const QPoint inBoth(400, 150);
    EXPECT_TRUE(voltage->isAncestorOf(desk->childAt(inBoth)) || desk->childAt(inBoth) == voltage);
    w.sim().desk().setVisible(kyt::Control::Panel27, true);
    EXPECT_TRUE(mishap->isVisible());
    QWidget* top = desk->childAt(inBoth);
    EXPECT_TRUE(top == mishap || mishap->isAncestorOf(top));
    // A small client area clips the desk: nothing moves or shrinks.
    EXPECT_LT(desk->width(), SimulatorWindow::kDeskWidth);
    EXPECT_EQ(w.control("Panel3D2")->geometry(), QRect(673, 93, 95, 429));
    EXPECT_EQ(w.control(qtName(Control::Memo1))->geometry(), QRect(113, 385, 549, 133));
}

TEST(DeskWindow, TheScreenAfterClicksShowsTheDeskAsDrawnAfresh)
{
    // Controls that cover their area are drawn without what lies behind
    // them: one that left a pixel unpainted would leave an older picture on
    // the screen, which a fresh drawing of the window would not show.
    SimulatorWindow w;
    w.resize(SimulatorWindow::kDeskWidth, SimulatorWindow::kDeskHeight);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QScreen* screen = w.windowHandle()->screen();
    const auto settle = [] {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    };
    const auto onScreen = [&] {
        return screen->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const auto drawn = [&] { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    settle();
    const QImage start = onScreen();
    ASSERT_EQ(start, drawn());
    // A block requested, given with its "DALEJ" step, the exit signal set.
    const auto byName = [](const std::string& name) {
        for (const PressableControl& p : pressableControls())
            if (shortName(p) == name)
                return QString::fromUtf8(p.control.data(), qsizetype(p.control.size()));
        return QString();
    };
    for (const char* name : {"Wbl (stacja A)", "Poz (stacja B)", "DALEJ", "A (stacja A)"}) {
        QWidget* control = w.control(byName(name));
        ASSERT_NE(control, nullptr) << name;
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
        settle();
        EXPECT_EQ(onScreen(), drawn()) << name;
    }
    EXPECT_NE(onScreen(), start);
}

TEST(DeskWindow, PlainLabelsAreSizedAsTheToolkitSizesThem)
{
    // A one-line label measures its caption once; the size must be the one
    // the toolkit's label gives, or a caption would be cut or moved.
    SimulatorWindow desk;
    StartWindow start;
    AboutBox about;
    int compared = 0;
    for (QWidget* window : {static_cast<QWidget*>(&desk), static_cast<QWidget*>(&start),
             static_cast<QWidget*>(&about)})
        for (Label* label : window->findChildren<Label*>()) {
            EXPECT_EQ(label->sizeHint(), label->QLabel::sizeHint())
                << label->objectName().toStdString();
            EXPECT_EQ(label->minimumSizeHint(), label->QLabel::minimumSizeHint())
                << label->objectName().toStdString();
            ++compared;
        }
    EXPECT_GT(compared, 30);
    // A label that wraps is left to the toolkit.
    Label wrapped;
    wrapped.setWordWrap(true);
    wrapped.setCaption(QStringLiteral("Stan zasadniczy. Przekaźniki Dp wzbudzone bezprądowo"));
    EXPECT_EQ(wrapped.sizeHint(), wrapped.QLabel::sizeHint());
}
