#include "AboutBox.h"

#include "Button3D.h"
#include "Colors.h"
#include "DrawUtil.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace kyt {

namespace {

const QString Sans = QStringLiteral("MS Sans Serif");

layout::Row label(const char* name, int left, int top, int width, int height,
    const QString& caption, int pixelSize, ColorCode color = clBlack)
{
    layout::Row r(QString::fromLatin1(name), QStringLiteral("Label"), QStringLiteral("Panel1"),
        left, top, width, height, caption);
    r.font = {Sans, pixelSize, true, color};
    return r;
}

// Alignment, wrapping and background of the labels that need them.
void finishLabel(QWidget* w, Qt::Alignment align, bool wrap = false, bool aqua = false)
{
    auto* l = qobject_cast<QLabel*>(w);
    if (!l)
        return;
    l->setAlignment(align | Qt::AlignTop);
    l->setWordWrap(wrap);
    if (aqua) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::Window, toQColor(clAqua));
        l->setPalette(pal);
        l->setAutoFillBackground(true);
    }
}

const layout::ClassMap& aboutClasses()
{
    static const layout::ClassMap classes = [] {
        layout::ClassMap map = layout::standardClasses();
        map.add(QStringLiteral("Panel"), [](QWidget* parent) { return new BevelPanel(parent); });
        if (!map.has(QStringLiteral("Button3D")))
            map.add(
                QStringLiteral("Button3D"), [](QWidget* parent) { return new Button3D(parent); });
        return map;
    }();
    return classes;
}

// Puts a label at the place and size of its row: the layout sizes plain
// labels to their one-line caption, which would move a centred caption off
// its centre and keep a word-wrapped one on one line. A caption wider in the
// installed fonts than its place (not wrapped) widens its label instead of
// being cut: to the right of a left-aligned one, evenly about the centre of
// a centred one, staying on the panel.
void placeLabel(QWidget* w, const layout::Row& row)
{
    auto* l = qobject_cast<QLabel*>(w);
    if (!l)
        return;
    QRect place(row.left, row.top, row.width, row.height);
    const int need = l->wordWrap() ? 0 : l->fontMetrics().horizontalAdvance(l->text());
    if (need > place.width() && l->parentWidget()) {
        const int room = l->parentWidget()->width() - 4;
        const int width = std::min(need, room);
        int left = place.left();
        if (l->alignment() & Qt::AlignHCenter)
            left = place.left() + (place.width() - width) / 2;
        left = std::clamp(left, 2, l->parentWidget()->width() - 2 - width);
        place = QRect(left, place.top(), width, place.height());
    }
    l->setGeometry(place);
}

} // namespace

void BevelPanel::setColor(ColorCode c)
{
    if (c == color_)
        return;
    color_ = c;
    update();
}

void BevelPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    frame3D(p, r, clBtnShadow, clBtnHighlight, 1); // outer, lowered
    frame3D(p, r, clBtnHighlight, clBtnShadow, 1); // inner, raised
    p.fillRect(r, toQColor(color_));
}

const layout::Table& AboutBox::table()
{
    static const layout::Table rows = [] {
        layout::Table t;
        layout::Row panel(
            QStringLiteral("Panel1"), QStringLiteral("Panel"), QString(), 7, 7, 323, 247);
        panel.props = {{"color", QVariant::fromValue(ColorCode(0xFF8080))}};
        t.push_back(panel);
        t.push_back(label("Nazwa", 33, 7, 254, 47,
            QStringLiteral("Symulacja działania blokady liniowej typu Kyt"), 16));
        t.push_back(
            label("Label3", 107, 68, 108, 16, QStringLiteral("WERSJA :  3.00"), 13, clPurple));
        // The program's own name stands where an author would be named.
        t.push_back(label("Label2", 49, 92, 224, 20, QStringLiteral("Blokada Kyt"), 16));
        t.push_back(
            label("Label1", 55, 125, 224, 20, QStringLiteral("Strona domowa programu :"), 16));
        // No home page or address is published yet: the lines stay empty.
        t.push_back(label("Label6", 73, 147, 180, 20, QString(), 16));
        t.push_back(label("Label4", 102, 169, 109, 20, QStringLiteral("ZAPRASZAM"), 16));
        t.push_back(label("Label7", 41, 200, 240, 20, QString(), 16));
        t.push_back(
            label("Label5", 23, 226, 113, 13, QStringLiteral("Wersja szkoleniowa"), 11, clWhite));
        layout::Row ok(QStringLiteral("Button3D1"), QStringLiteral("Button3D"), QString(), 135, 257,
            75, 25, QStringLiteral("OK"));
        ok.props = {{"modalResult", 1}}; // OK; the box is not modal, so it only closes
        ok.handler = QStringLiteral("Button3D1Click");
        t.push_back(ok);
        return t;
    }();
    return rows;
}

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("INFORMACJA  O PROGRAMIE"));
    setModal(false);
    // A dialog border: the size is fixed.
    setFixedSize(341, 289);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    controls_
        = layout::build(this, table(), aboutClasses(), [this](const QString& handler, QWidget*) {
              if (handler == QLatin1String("Button3D1Click"))
                  Button3D1Click();
          });
    finishLabel(controls_.find(QStringLiteral("Nazwa")), Qt::AlignHCenter, true, true);
    finishLabel(controls_.find(QStringLiteral("Label1")), Qt::AlignHCenter);
    finishLabel(controls_.find(QStringLiteral("Label5")), Qt::AlignHCenter);
    for (const layout::Row& row : table())
        placeLabel(controls_.get(row.name), row);
}

void AboutBox::Button3D1Click()
{
    close();
}

void AboutBox::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (placed_ || e->spontaneous())
        return;
    // Centred on the screen when first shown; later it opens where it was.
    placed_ = true;
    if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        const QSize outer = frameGeometry().size();
        move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
    }
}

} // namespace kyt
