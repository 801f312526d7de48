// Layout: windows built from tables.
//
// Every window of the program describes its controls as a table of rows in
// creation order: a control created later lies above an earlier one where
// they overlap. The builder creates each row's control through a factory
// found by its class name, places it in its parent (another row, or the
// window's own client area), and applies caption, font, colours and the
// initial state. Properties are written by name, in the order the row lists
// them, so a control receives them in the order of its published properties.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kyt::layout {

// A control's font. An empty family inherits the container's font.
struct FontSpec {
    QString family; // "MS Sans Serif", "Arial" (mapped to installed fonts)
    int pixelSize = 0; // character height in pixels
    bool bold = false;
    quint32 color = 0; // kyt::ColorCode of the text
    bool given() const { return !family.isEmpty(); }
};

// One property write: the property's name and its value.
struct Prop {
    QByteArray name;
    QVariant value;
};

// One control of a window.
struct Row {
    Row() = default;
    Row(QString name_, QString cls_, QString parent_, int l, int t, int w = 0, int h = 0,
        QString caption_ = {})
        : name(std::move(name_)),
          cls(std::move(cls_)),
          parent(std::move(parent_)),
          left(l),
          top(t),
          width(w),
          height(h),
          caption(std::move(caption_))
    { }

    QString name; // component name, unique in the window
    QString cls; // class name: "Led", "Panel", ...
    QString parent; // the containing row's name; empty = the window itself
    int left = 0, top = 0;
    int width = 0, height = 0; // 0 = the size the control gives itself
    QString caption;
    FontSpec font;
    std::vector<Prop> props; // colours and initial state, in publishing order
    bool visible = true;
    QString handler; // click handler name; empty = none
};

// A window's table: its controls in creation order.
using Table = std::vector<Row>;

// A class name the builder knows nothing about, a parent named before it
// exists, or a name used twice.
class LayoutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The font a row asks for, with the desk's font names mapped to the
// installed families and sizes given in pixels.
QFont makeFont(const FontSpec& font, const QFont& inherited);

// Sets the colour a control draws its text in.
void setFontColor(QWidget* w, quint32 color);

// Creates a control of one class inside parent.
using Factory = std::function<QWidget*(QWidget* parent)>;

// Class name -> factory. The program's own toolkit controls (Panel,
// Shape, Label, Memo, Image) and the desk's painted controls are
// registered by registerStandardClasses().
class ClassMap {
public:
    void add(const QString& cls, Factory f) { factories_[cls] = std::move(f); }
    bool has(const QString& cls) const { return factories_.count(cls) != 0; }
    QWidget* create(const QString& cls, QWidget* parent) const;
    std::vector<QString> classes() const;

private:
    std::map<QString, Factory> factories_;
};

// Registers every class that the program's window tables use.
void registerStandardClasses(ClassMap& map);
// The map with every class of the program.
const ClassMap& standardClasses();

// Calls back with a handler name whenever a control with a handler is
// clicked.
using ClickSink = std::function<void(const QString& handler, QWidget* control)>;

// The controls of one built window, by component name.
class Built {
public:
    QWidget* find(const QString& name) const { return byName_.value(name, nullptr); }
    QWidget* get(const QString& name) const; // throws LayoutError when missing
    const std::vector<QWidget*>& inOrder() const { return order_; }

private:
    friend Built build(QWidget*, const Table&, const ClassMap&, const ClickSink&);
    QHash<QString, QWidget*> byName_;
    std::vector<QWidget*> order_;
};

// Builds table into client (the window's client area), in row order.
// Every property a row names must exist on a control of a known class;
// a misspelt name raises LayoutError instead of passing silently.
Built build(QWidget* client, const Table& table, const ClassMap& classes, const ClickSink& onClick);

// Writes one property by name; a caption goes to Caption or text.
void setCaption(QWidget* w, const QString& caption);
QString caption(const QWidget* w);

} // namespace kyt::layout
