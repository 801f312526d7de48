// Writes the seed corpus of the JPEG fuzz target into the given folder: the
// test samples and a few broken files, each with several option choices.
#include "../JpegSamples.h"
#include "FuzzInput.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace kyt;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: jpeg_fuzz_seeds FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(".")) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    std::vector<samples::Sample> files = samples::DecodableSamples();
    samples::EncodeParams progressive;
    progressive.progressive = true;
    progressive.subsampling = samples::Subsampling::S422;
    files.push_back(
        {"progressive422", samples::EncodeJPEG(samples::ColourPattern(33, 21), progressive)});
    files.push_back({"cmyk", samples::EncodeJPEG(samples::ToCmyk(samples::ColourPattern(24, 16)))});
    files.push_back({"bmp", samples::BmpFile(samples::ColourPattern(8, 8))});
    files.push_back({"truncated", files[0].bytes.left(files[0].bytes.size() / 2)});

    const fuzz::Choice choices[] = {
        {1, 0, 1, false, false, false, false, 10}, // the control's defaults
        {2, 1, 0, false, false, false, false, 7},
        {0, 2, 2, false, false, true, true, 1},
        {1, 0, 1, true, true, false, false, 33},
    };
    int written = 0;
    for (const samples::Sample& file : files)
        for (std::size_t i = 0; i < std::size(choices); ++i) {
            std::uint8_t prefix[fuzz::OptionBytes];
            fuzz::WriteChoice(choices[i], prefix);
            QFile out(dir.filePath(QString("%1-%2").arg(file.name).arg(i)));
            if (!out.open(QIODevice::WriteOnly))
                return 1;
            out.write(reinterpret_cast<const char*>(prefix), fuzz::OptionBytes);
            out.write(file.bytes);
            ++written;
        }
    std::printf("%d seeds written\n", written);
    return 0;
}
