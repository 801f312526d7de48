#include "Reference.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kyt::samples {

Rgb ExpandToRgb(const QImage& image)
{
    Rgb out {image.width(), image.height(), {}};
    out.bytes.reserve(std::size_t(image.width()) * image.height() * 3);
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* row = rgb.constScanLine(y);
        out.bytes.insert(out.bytes.end(), row, row + std::size_t(rgb.width()) * 3);
    }
    return out;
}

namespace {

// Reads a binary PPM (P6) or PGM (P5) file with maximum value 255.
Rgb ParseNetpbm(const QByteArray& file)
{
    qsizetype pos = 0;
    auto token = [&]() {
        while (pos < file.size() && QChar(file[pos]).isSpace())
            ++pos;
        qsizetype start = pos;
        while (pos < file.size() && !QChar(file[pos]).isSpace())
            ++pos;
        return file.mid(start, pos - start);
    };
    const QByteArray magic = token();
    Rgb out;
    out.width = token().toInt();
    out.height = token().toInt();
    const int maxValue = token().toInt();
    ++pos; // the single blank after the header
    EXPECT_EQ(maxValue, 255);
    const int channels = magic == "P6" ? 3 : 1;
    EXPECT_TRUE(magic == "P6" || magic == "P5") << magic.constData();
    const qsizetype count = qsizetype(out.width) * out.height;
    EXPECT_EQ(file.size() - pos, count * channels);
    if (file.size() - pos < count * channels)
        return out;
    for (qsizetype i = 0; i < count; ++i)
        for (int c = 0; c < 3; ++c)
            out.bytes.push_back(std::uint8_t(file[pos + i * channels + (channels == 3 ? c : 0)]));
    return out;
}

} // namespace

Rgb DecodeWithDjpeg(const QByteArray& jpeg, const QStringList& switches)
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.jpg"), out = dir.filePath("out.pnm");
    QFile file(in);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(jpeg);
    file.close();
    QProcess djpeg;
    djpeg.start(QStringLiteral(KYT_DJPEG), switches + QStringList {"-pnm", "-outfile", out, in});
    EXPECT_TRUE(djpeg.waitForFinished(-1));
    EXPECT_EQ(djpeg.exitCode(), 0) << djpeg.readAllStandardError().constData();
    QFile result(out);
    EXPECT_TRUE(result.open(QIODevice::ReadOnly));
    return ParseNetpbm(result.readAll());
}

QByteArray WithAnnouncedSize(QByteArray jpeg, unsigned width, unsigned height)
{
    for (qsizetype i = 0; i + 9 < jpeg.size(); ++i) {
        const auto marker = uchar(jpeg[i + 1]);
        if (uchar(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

} // namespace kyt::samples
