#include "Layout.h"

#include "Colors.h"
#include "Fonts.h"
#include "Pictures.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPalette>

namespace kyt::layout {

namespace {

// Forwards one control's click to the window's click sink with the
// handler's name.
class ClickRelay : public QObject {
    Q_OBJECT
public:
    ClickRelay(QWidget* control, QString handler, ClickSink sink)
        : QObject(control), control_(control), handler_(std::move(handler)), sink_(std::move(sink))
    { }
public slots:
    void fire()
    {
        if (sink_)
            sink_(handler_, control_);
    }

private:
    QWidget* control_;
    QString handler_;
    ClickSink sink_;
};

QMetaMethod clickSignal(const QMetaObject* mo)
{
    for (int i = mo->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod m = mo->method(i);
        if (m.methodType() == QMetaMethod::Signal && m.name() == "clicked")
            return m;
    }
    return {};
}

bool isPictureType(int typeId)
{
    return typeId == QMetaType::QImage || typeId == QMetaType::QPixmap
        || typeId == QMetaType::QBitmap;
}

void applyProp(QWidget* w, const Row& row, const Prop& prop)
{
    const QMetaObject* mo = w->metaObject();
    const int idx = mo->indexOfProperty(prop.name.constData());
    if (idx < 0)
        throw LayoutError(QStringLiteral("%1 (%2) has no property %3")
                              .arg(row.name, row.cls, QString::fromLatin1(prop.name))
                              .toStdString());
    const QMetaProperty mp = mo->property(idx);
    QVariant value = prop.value;
    // A picture is named by its resource name in the tables.
    if (isPictureType(mp.typeId()) && value.typeId() == QMetaType::QString) {
        const QImage img = loadPicture(value.toString());
        if (img.isNull())
            throw LayoutError(QStringLiteral("%1: no picture named %2")
                                  .arg(row.name, value.toString())
                                  .toStdString());
        if (mp.typeId() == QMetaType::QImage)
            value = img;
        else
            value = QVariant::fromValue(QPixmap::fromImage(img));
    }
    if (!mp.write(w, value))
        throw LayoutError(QStringLiteral("%1 (%2): property %3 refuses its value")
                              .arg(row.name, row.cls, QString::fromLatin1(prop.name))
                              .toStdString());
}

} // namespace

void setFontColor(QWidget* w, quint32 color)
{
    const int idx = w->metaObject()->indexOfProperty("fontColor");
    if (idx >= 0) {
        w->metaObject()->property(idx).write(w, QVariant::fromValue<ColorCode>(color));
        return;
    }
    QPalette pal = w->palette();
    const QColor c = toQColor(color);
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::ButtonText, c);
    w->setPalette(pal);
}

QFont makeFont(const FontSpec& font, const QFont& inherited)
{
    if (!font.given())
        return inherited;
    return deskFont(font.family, font.pixelSize > 0 ? font.pixelSize : 11, font.bold);
}

QWidget* ClassMap::create(const QString& cls, QWidget* parent) const
{
    const auto it = factories_.find(cls);
    if (it == factories_.end())
        throw LayoutError(QStringLiteral("unknown control class %1").arg(cls).toStdString());
    return it->second(parent);
}

std::vector<QString> ClassMap::classes() const
{
    std::vector<QString> out;
    for (const auto& [name, f] : factories_)
        out.push_back(name);
    return out;
}

QWidget* Built::get(const QString& name) const
{
    QWidget* w = find(name);
    if (!w)
        throw LayoutError(QStringLiteral("no control named %1").arg(name).toStdString());
    return w;
}

void setCaption(QWidget* w, const QString& text)
{
    const QMetaObject* mo = w->metaObject();
    for (const char* name : {"caption", "text"}) {
        const int idx = mo->indexOfProperty(name);
        if (idx >= 0) {
            mo->property(idx).write(w, text);
            return;
        }
    }
    throw LayoutError(QStringLiteral("%1 has no caption").arg(w->objectName()).toStdString());
}

QString caption(const QWidget* w)
{
    const QMetaObject* mo = w->metaObject();
    for (const char* name : {"caption", "text"}) {
        const int idx = mo->indexOfProperty(name);
        if (idx >= 0)
            return mo->property(idx).read(w).toString();
    }
    return {};
}

Built build(QWidget* client, const Table& table, const ClassMap& classes, const ClickSink& onClick)
{
    Built built;
    for (const Row& row : table) {
        if (row.name.isEmpty() || built.byName_.contains(row.name))
            throw LayoutError(QStringLiteral("control name \"%1\" is empty or used twice")
                                  .arg(row.name)
                                  .toStdString());
        QWidget* parent = client;
        if (!row.parent.isEmpty()) {
            parent = built.find(row.parent);
            if (!parent)
                throw LayoutError(QStringLiteral("%1: parent %2 is not created before it")
                                      .arg(row.name, row.parent)
                                      .toStdString());
        }
        QWidget* w = classes.create(row.cls, parent);
        w->setObjectName(row.name);
        if (row.width > 0 && row.height > 0)
            w->setGeometry(row.left, row.top, row.width, row.height);
        else
            w->move(row.left, row.top);
        if (row.font.given()) {
            w->setFont(makeFont(row.font, parent->font()));
            setFontColor(w, row.font.color);
        }
        if (!row.caption.isEmpty())
            setCaption(w, row.caption);
        for (const Prop& prop : row.props)
            applyProp(w, row, prop);
        if (qobject_cast<QLabel*>(w)) {
            // Plain labels size themselves to their caption, so that no letter
            // is cut off whatever the installed font's widths.
            w->adjustSize();
        } else if (row.width > 0 && row.height > 0 && w->property("autoSize").isValid()
            && !w->property("autoSize").toBool()) {
            // A fixed-size control keeps the size of its row, whatever its
            // caption made of it before.
            w->setGeometry(row.left, row.top, row.width, row.height);
        }
        if (!row.handler.isEmpty()) {
            const QMetaMethod sig = clickSignal(w->metaObject());
            if (!sig.isValid())
                throw LayoutError(QStringLiteral("%1 (%2) cannot be clicked")
                                      .arg(row.name, row.cls)
                                      .toStdString());
            auto* relay = new ClickRelay(w, row.handler, onClick);
            const QMetaMethod slot
                = relay->metaObject()->method(relay->metaObject()->indexOfSlot("fire()"));
            QObject::connect(w, sig, relay, slot);
        }
        w->setVisible(row.visible);
        built.byName_.insert(row.name, w);
        built.order_.push_back(w);
    }
    return built;
}

} // namespace kyt::layout

#include "Layout.moc"
