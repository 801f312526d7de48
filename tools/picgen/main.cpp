// kyt-picgen JPEGDIR [STOREDIR]: draws the five schematic JPEG files into
// JPEGDIR and the pictures stored inside the program ("olin.png",
// "zar.png") into STOREDIR.
#include "PicGen.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: kyt-picgen JPEGDIR [STOREDIR]\n");
        return 2;
    }
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        kyt::picgen::generateAll(QString::fromLocal8Bit(argv[1]),
            argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kyt-picgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
