// Support code of the picture tests: the reference decoder (djpeg) and pictures
// compared as plain RGB.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace kyt::samples {

struct Rgb {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes; // three bytes a pixel, row after row
    bool operator==(const Rgb&) const = default;
};

// The picture with every palette index replaced by its colour.
Rgb ExpandToRgb(const QImage& image);

// Decodes the JPEG file image with djpeg and the given switches (PPM or PGM
// output, a grey picture expanded to RGB). Fails the running test if djpeg
// does not succeed.
Rgb DecodeWithDjpeg(const QByteArray& jpeg, const QStringList& switches);

// Changes the picture size that the frame header announces.
QByteArray WithAnnouncedSize(QByteArray jpeg, unsigned width, unsigned height);

} // namespace kyt::samples
