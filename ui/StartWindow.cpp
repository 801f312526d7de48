#include "StartWindow.h"

#include "App.h"
#include "Colors.h"
#include "SimulatorWindow.h"
#include "Windows.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace kyt {

using layout::Row;
using layout::Table;

namespace {

const QString kSans = QStringLiteral("MS Sans Serif");

// The client area inside the window's 454 x 258 outer frame.
constexpr int kClientWidth = 446;
constexpr int kClientHeight = 231;

Table makeStartTable()
{
    Table t;
    {
        Row r {QStringLiteral("Label3D1"), QStringLiteral("Label3D"), {}, 86, 35, 273, 24,
            QStringLiteral("SYMULATOR BLOKADY KYT")};
        r.font = {kSans, 19, true, clNavy};
        t.push_back(r);
    }
    {
        Row r {QStringLiteral("Label6"), QStringLiteral("Label"), {}, 173, 68, 77, 13,
            QStringLiteral("Wersja : 3.00")};
        r.font = {kSans, 11, true, clBlack};
        t.push_back(r);
    }
    const auto button
        = [&](const char* name, int l, int top, int w, const char* caption, const char* handler) {
              Row r {QString::fromLatin1(name), QStringLiteral("ExplorerButton"), {}, l, top, w, 40,
                  QString::fromUtf8(caption)};
              r.font = {kSans, 19, true, clBlack};
              r.props = {{"options", QStringLiteral("boMonoDisplay|boPopupMark")}};
              r.handler = QString::fromLatin1(handler);
              t.push_back(r);
          };
    button("ExplorerButton1", 11, 92, 209, "Nie !!! Może kiedyś ?", "ExplorerButton1Click");
    button("st", 221, 91, 205, "Chętnie się pouczę.", "stClick");
    {
        Row r {QStringLiteral("Label5"), QStringLiteral("Label"), {}, 41, 148, 126, 13,
            QString::fromUtf8("Strona domowa autora")};
        r.font = {kSans, 11, true, clBlack};
        t.push_back(r);
    }
    return t;
}

} // namespace

const Table& startTable()
{
    static const Table table = makeStartTable();
    return table;
}

StartWindow::StartWindow(QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("START"));
    setWindowTitle(QString::fromUtf8("MIĘDZYSTACYJNA BLOKADA KYT"));
    setFixedSize(kClientWidth, kClientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(rgbValue(45, 193, 210)));
    pal.setColor(QPalette::WindowText, toQColor(clBlack));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(layout::makeFont({kSans, 11, false, clBlack}, font()));
    controls_ = layout::build(this, startTable(), layout::standardClasses(),
        [this](const QString& h, QWidget*) { onClick(h); });
    FormCreate();
}

void StartWindow::onClick(const QString& handler)
{
    guarded([&] {
        if (handler == QLatin1String("stClick"))
            stClick();
        else if (handler == QLatin1String("ExplorerButton1Click"))
            ExplorerButton1Click();
    });
}

void StartWindow::stClick()
{
    // The simulator may not have been built yet when the start window has
    // only just appeared.
    windows().createRest();
    SimulatorWindow* simulator = windows().simulatorWindow();
    if (!simulator)
        return;
    simulator->showSimulator();
    simulator->odczytlicznikow();
}

// The loop ends at once: asking the windows to close first would run the
// simulator's close handler, which saves the counters.
void StartWindow::ExplorerButton1Click()
{
    QCoreApplication::exit(0);
}

void StartWindow::closeEvent(QCloseEvent* e)
{
    // Closing the main window ends the program; no other window's close
    // handler runs on this path.
    e->accept();
    ExplorerButton1Click();
}

void StartWindow::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (placed_)
        return;
    placed_ = true;
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

} // namespace kyt
