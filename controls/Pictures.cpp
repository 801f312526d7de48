#include "Pictures.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImageReader>

#include <mutex>
#include <thread>

// The pictures live in this static library; their registration must be
// pulled in explicitly before the first look-up.
static void initControlPictures()
{
    Q_INIT_RESOURCE(control_pictures);
}

namespace kyt {

namespace {

const QString kFolder = QStringLiteral(":/controls/");

// Every lamp and indicator of the desk asks for its picture, a dozen
// controls for the same one: each picture is parsed once. The images are
// shared and copied on a caller's first write.
std::mutex lock;
QHash<QString, QImage> parsed;

// The thread of preparePictures(). Made at the first call, it is destroyed
// (and joined, if no one has awaited it) before the pictures above and
// before whatever of the toolkit was made before it.
struct Preparer {
    std::thread thread;
    ~Preparer()
    {
        if (thread.joinable())
            thread.join();
    }
};

Preparer& preparer()
{
    static Preparer p;
    return p;
}

void registerPictures()
{
    static const bool initialised = (initControlPictures(), true);
    (void)initialised;
}

QImage parse(const QString& key)
{
    const QString path = kFolder + key + QStringLiteral(".xpm");
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
    return img;
}

} // namespace

QImage loadPicture(const QString& name)
{
    registerPictures();
    // Only plain names: no folder parts may reach the resource path.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QImage();
    const QString key = name.toUpper();
    {
        std::lock_guard<std::mutex> guard(lock);
        const auto known = parsed.constFind(key);
        if (known != parsed.constEnd())
            return *known;
    }
    // Parsed outside the lock, so that a caller does not wait for another
    // picture's parsing; of two parsings of the same picture the first kept
    // wins.
    const QImage img = parse(key);
    std::lock_guard<std::mutex> guard(lock);
    return *parsed.insert(key, parsed.value(key, img));
}

void preparePictures()
{
    registerPictures();
    std::lock_guard<std::mutex> guard(lock);
    Preparer& p = preparer();
    if (p.thread.joinable())
        return;
    p.thread = std::thread([] {
        for (const QString& file : QDir(kFolder).entryList(QDir::Files, QDir::Name))
            (void)loadPicture(file.section(QLatin1Char('.'), 0, 0));
    });
}

void awaitPictures()
{
    std::thread done;
    {
        std::lock_guard<std::mutex> guard(lock);
        done = std::move(preparer().thread);
    }
    if (done.joinable())
        done.join();
}

} // namespace kyt
