#include "Pictures.h"

#include <QFile>

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
    const QString path = QStringLiteral(":/controls/") + name.toUpper() + QStringLiteral(".xpm");
    if (!QFile::exists(path))
        return QImage();
    QImage img(path, "XPM");
    if (img.isNull())
        return img;
    return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace kyt
