#include "DescriptionWindow.h"

#include "AutoScroll.h"
#include "Colors.h"
#include "Content.h"

#include <QTextDocument>

namespace kyt {

namespace {

// The read-only rich-text box; it keeps plain text here.
QWidget* makeRichEdit(QWidget* parent)
{
    auto* edit = new QTextEdit(parent);
    edit->setReadOnly(true);
    edit->setAcceptRichText(false);
    edit->setLineWrapMode(QTextEdit::WidgetWidth);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return edit;
}

const layout::ClassMap& opisClasses()
{
    static const layout::ClassMap classes = [] {
        layout::ClassMap map = layout::standardClasses();
        map.add(QStringLiteral("RichEdit"), makeRichEdit);
        return map;
    }();
    return classes;
}

} // namespace

const layout::Table& DescriptionWindow::table()
{
    static const layout::Table rows = [] {
        layout::Table t;
        t.emplace_back(QStringLiteral("Panel1"), QStringLiteral("Panel"), QString(), 14, 3, 776,
            539, QStringLiteral("Panel1"));
        layout::Row edit(QStringLiteral("RichEdit1"), QStringLiteral("RichEdit"),
            QStringLiteral("Panel1"), 1, 1, 774, 537);
        edit.font = {QStringLiteral("MS Sans Serif"), 16, false, clBlack};
        t.push_back(edit);
        return t;
    }();
    return rows;
}

QString DescriptionWindow::text()
{
    QString t = storedText(QStringLiteral("opis.txt"));
    if (t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    return t;
}

DescriptionWindow::DescriptionWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("opis"));
    setWindowTitle(QStringLiteral("OPIS BLOKADY"));
    resize(435, 300);
    setWindowState(Qt::WindowMaximized);
    QFont f = layout::makeFont({QStringLiteral("MS Sans Serif"), 11, false, clWindowText}, font());
    setFont(f);

    QWidget* client = autoScrollClient(this, QSize(14 + 776, 3 + 539));
    controls_ = layout::build(client, table(), opisClasses(), {});
    Panel1 = controls_.get(QStringLiteral("Panel1"));
    RichEdit1 = qobject_cast<QTextEdit*>(controls_.get(QStringLiteral("RichEdit1")));

    QPalette pal = RichEdit1->palette();
    pal.setColor(QPalette::Text, toQColor(clBlack));
    RichEdit1->setPalette(pal);
    RichEdit1->setPlainText(text());
}

} // namespace kyt
