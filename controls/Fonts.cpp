#include "Fonts.h"

#include <QFontMetrics>
#include <QHash>
#include <QStringList>
#include <cmath>
#include <thread>

#include <fontconfig/fontconfig.h>

namespace kyt {

QStringList fontFaces(const QString& family)
{
    const QString f = family.trimmed();
    if (f.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0
        || f.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 || f.isEmpty())
        return {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    return {f, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
}

QFont deskFont(const QString& family, int pixelHeight, bool bold)
{
    QFont font;
    font.setFamilies(fontFaces(family));
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont defaultDeskFont()
{
    return deskFont(QStringLiteral("MS Sans Serif"), 11);
}

int pointsToPixels(double points)
{
    return int(std::lround(points * 96.0 / 72.0));
}

namespace {

// The reading thread; a program that ends without awaiting it (an early
// exit) waits for it on the way out.
struct Reader {
    std::thread thread;
    ~Reader()
    {
        if (thread.joinable())
            thread.join();
    }
};

std::thread& fontConfigurationReader()
{
    static Reader reader;
    return reader.thread;
}

} // namespace

void prepareFontConfiguration()
{
    std::thread& reader = fontConfigurationReader();
    if (!reader.joinable())
        reader = std::thread([] { FcInit(); });
}

void awaitFontConfiguration()
{
    std::thread& reader = fontConfigurationReader();
    if (reader.joinable())
        reader.join();
}

namespace {

struct Measuring {
    QFont font;
    int dpi;
    QRect box;
    int flags;
    QString text;
    bool operator==(const Measuring& o) const
    {
        return dpi == o.dpi && flags == o.flags && box == o.box && text == o.text && font == o.font;
    }
};

size_t qHash(const Measuring& m, size_t seed = 0)
{
    return qHashMulti(seed, m.font, m.dpi, m.box.width(), m.box.height(), m.flags, m.text);
}

} // namespace

QRect textBounds(const QFont& font, int dpi, const QRect& box, int flags, const QString& text)
{
    static QHash<Measuring, QRect> known;
    const Measuring m {font, dpi, box, flags, text};
    const auto it = known.constFind(m);
    if (it != known.constEnd())
        return *it;
    const QRect r = QFontMetrics(font).boundingRect(box, flags, text);
    known.insert(m, r);
    return r;
}

int charHeight(const QFont& f)
{
    if (f.pixelSize() > 0)
        return f.pixelSize();
    if (f.pointSizeF() > 0)
        return pointsToPixels(f.pointSizeF());
    return 11;
}

} // namespace kyt
