// kyt-gallery --png DIR [NAME...]
// Renders every registered shot (or those whose names start with one of the
// given NAMEs) into DIR/<name>.png on the offscreen platform, then exits.

#include "Gallery.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

int usage()
{
    std::fprintf(stderr,
        "usage: kyt-gallery --png DIR [NAME...]\n"
        "       kyt-gallery --list\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // The pictures must not depend on the desktop the gallery runs on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--list")) {
        for (const auto& s : kyt::gallery::shots())
            std::printf("%s\n", qPrintable(s.name));
        return 0;
    }
    if (args.size() < 2 || args[0] != QLatin1String("--png"))
        return usage();
    const QString dirName = args[1];
    const QStringList filters = args.mid(2);

    QDir dir(dirName);
    if (!dir.exists() && !QDir().mkpath(dirName)) {
        std::fprintf(stderr, "kyt-gallery: cannot create folder %s\n", qPrintable(dirName));
        return 1;
    }

    int written = 0, failed = 0;
    std::set<QString> seen;
    for (const auto& shot : kyt::gallery::shots()) {
        if (!filters.isEmpty()
            && std::none_of(filters.begin(), filters.end(),
                [&](const QString& f) { return shot.name.startsWith(f); }))
            continue;
        if (!seen.insert(shot.name).second) {
            std::fprintf(stderr, "kyt-gallery: shot %s registered twice\n", qPrintable(shot.name));
            ++failed;
            continue;
        }
        const QImage img = shot.render ? shot.render() : QImage();
        const QString file = dir.filePath(shot.name + QStringLiteral(".png"));
        if (img.isNull() || !img.save(file, "PNG")) {
            std::fprintf(stderr, "kyt-gallery: cannot write %s\n", qPrintable(file));
            ++failed;
            continue;
        }
        ++written;
    }
    std::printf("%d pictures written to %s\n", written, qPrintable(dirName));
    if (written == 0 && failed == 0) {
        std::fprintf(stderr, "kyt-gallery: no shot matches\n");
        return 1;
    }
    return failed == 0 ? 0 : 1;
}
