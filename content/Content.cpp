#include "Content.h"

#include "Prefetch.h"

#include <QFile>
#include <QImageReader>

// The resources live in a library of their own; naming them here keeps
// them linked into every program that shows the windows.
static void initContentResources()
{
    Q_INIT_RESOURCE(kyt_content);
}

namespace kyt {

namespace {

QString resourcePath(const QString& name)
{
    static const bool ready = (initContentResources(), true);
    (void)ready;
    return QStringLiteral(":/kyt/") + name;
}

// The stored pictures are PNG files, read by the toolkit's own PNG reader
// without asking every installed picture plugin first whether it knows them
// (which would load each plugin into the program).
QImage readStored(const QString& path)
{
    QImageReader reader(path, "PNG");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

Prefetch<QImage> prefetched;

} // namespace

void prefetchStoredPictures(const QStringList& names)
{
    for (const QString& name : names)
        prefetched.start(name, [path = resourcePath(name)] { return readStored(path); });
}

QImage storedPicture(const QString& name)
{
    if (std::optional<QImage> ready = prefetched.take(name))
        return *ready;
    return readStored(resourcePath(name));
}

QString storedText(const QString& name)
{
    QFile file(resourcePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace kyt
