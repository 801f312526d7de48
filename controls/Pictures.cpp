#include "Pictures.h"

#include <QFile>
#include <QHash>
#include <QImageReader>

#include <mutex>

// The pictures live in this static library; their registration must be
// pulled in explicitly before the first look-up.
static void initControlPictures()
{
    Q_INIT_RESOURCE(control_pictures);
}

namespace kyt {

QImage loadPicture(const QString& name)
{
    static const bool initialised = (initControlPictures(), true);
    (void)initialised;
    // Only plain names: no folder parts may reach the resource path.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QImage();
    // Every lamp and indicator of the desk asks for its picture, a dozen
    // controls for the same one: each picture is parsed once. The images
    // are shared and copied on a caller's first write.
    static std::mutex lock;
    static QHash<QString, QImage> parsed;
    const QString key = name.toUpper();
    std::lock_guard<std::mutex> guard(lock);
    const auto known = parsed.constFind(key);
    if (known != parsed.constEnd())
        return *known;
    const QString path = QStringLiteral(":/controls/") + key + QStringLiteral(".xpm");
    QImage img;
    if (QFile::exists(path)) {
        // Read by the toolkit's own XPM reader without asking every
        // installed picture plugin first whether it knows the format: that
        // would load each of them into the program.
        QImageReader reader(path, "XPM");
        reader.setAutoDetectImageFormat(false);
        img = reader.read();
        if (!img.isNull())
            img = img.convertToFormat(QImage::Format_RGB32);
    }
    parsed.insert(key, img);
    return img;
}

} // namespace kyt
