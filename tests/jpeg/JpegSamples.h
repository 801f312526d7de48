// Sample pictures and the JPEG files made from them with libjpeg's
// compressor, shared by the picture tests, the fuzz seed corpus and the
// decoding benchmark.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

namespace kyt::samples {

// Uncompressed samples, row after row, `components` bytes a pixel:
// 1 grey, 3 RGB, 4 CMYK.
struct RawPicture {
    int width = 0;
    int height = 0;
    int components = 3;
    std::vector<std::uint8_t> pixels;
};

// Smooth colour gradients crossed by sharp coloured edges.
RawPicture ColourPattern(int width, int height);
// A drawing like a circuit schematic: black lines, boxes and contacts on
// white, with a few red and blue marks.
RawPicture Schematic(int width, int height);
// The grey (luminance) or CMYK version of an RGB picture.
RawPicture ToGrey(const RawPicture& rgb);
RawPicture ToCmyk(const RawPicture& rgb);

enum class Subsampling { S444, S422, S420 };

struct EncodeParams {
    int quality = 85;
    Subsampling subsampling = Subsampling::S420;
    bool progressive = false;
    int restartRows = 0; // restart interval in MCU rows, 0 for none
    std::vector<std::string> comments; // written as comment markers after the header
};

QByteArray EncodeJPEG(const RawPicture& picture, const EncodeParams& params = {});

// The bytes of an uncompressed 24-bit Windows BMP file of the picture.
QByteArray BmpFile(const RawPicture& rgb);

// A named JPEG file for the comparisons with djpeg.
struct Sample {
    QString name;
    QByteArray bytes;
};
// Small files covering colour (4:2:0 and 4:2:2), greyscale, progressive,
// and comment markers with restart markers.
std::vector<Sample> DecodableSamples();

} // namespace kyt::samples
