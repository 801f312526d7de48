// JPEG encoding with libjpeg into memory, and writing files whole.
#include "PicGen.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace kyt::picgen {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void outputMessage(j_common_ptr) { }

// Everything one encode owns; the codec object and its output buffer are
// released whatever happens.
struct Encoder {
    jpeg_compress_struct cinfo {};
    ErrorManager err {};
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    ~Encoder()
    {
        jpeg_destroy_compress(&cinfo);
        std::free(out);
    }
};

} // namespace

QByteArray encodeJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        throw std::runtime_error("Cannot encode an empty picture");
    // A drawing in shades of grey is stored with one component: a third of
    // the data, and the program decodes it without the colour quantiser's
    // two passes over the picture.
    const bool grey = image.allGray();
    const QImage rgb
        = image.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    std::vector<JSAMPROW> rows(std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        rows[std::size_t(y)] = const_cast<JSAMPROW>(rgb.constScanLine(y));

    Encoder enc;
    enc.cinfo.err = jpeg_std_error(&enc.err.pub);
    enc.err.pub.error_exit = errorExit;
    enc.err.pub.output_message = outputMessage;
    if (setjmp(enc.err.jump))
        throw std::runtime_error(std::string("JPEG encoding failed: ") + enc.err.message);

    jpeg_create_compress(&enc.cinfo);
    jpeg_mem_dest(&enc.cinfo, &enc.out, &enc.outSize);
    enc.cinfo.image_width = JDIMENSION(rgb.width());
    enc.cinfo.image_height = JDIMENSION(rgb.height());
    enc.cinfo.input_components = grey ? 1 : 3;
    enc.cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&enc.cinfo);
    jpeg_set_quality(&enc.cinfo, quality, TRUE);
    enc.cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&enc.cinfo, TRUE);
    while (enc.cinfo.next_scanline < enc.cinfo.image_height)
        jpeg_write_scanlines(&enc.cinfo, &rows[enc.cinfo.next_scanline],
            enc.cinfo.image_height - enc.cinfo.next_scanline);
    jpeg_finish_compress(&enc.cinfo);
    return QByteArray(reinterpret_cast<const char*>(enc.out), qsizetype(enc.outSize));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    // A file that is written completely or not at all: a build interrupted
    // half way never leaves a truncated picture behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("Cannot write file " + path.toStdString());
}

void generateAll(const QString& jpegDir, const QString& storeDir)
{
    if (!jpegDir.isEmpty()) {
        if (!QDir().mkpath(jpegDir))
            throw std::runtime_error("Cannot create folder " + jpegDir.toStdString());
        for (const auto& f : schematicFiles())
            writeFile(QDir(jpegDir).filePath(f.fileName), encodeJpeg(drawSchematic(f.fileName)));
    }
    if (!storeDir.isEmpty()) {
        if (!QDir().mkpath(storeDir))
            throw std::runtime_error("Cannot create folder " + storeDir.toStdString());
        auto png = [](const QImage& img) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            if (!img.save(&buffer, "PNG"))
                throw std::runtime_error("Cannot encode a PNG picture");
            return bytes;
        };
        writeFile(QDir(storeDir).filePath(QStringLiteral("olin.png")), png(drawStoredCircuit()));
        writeFile(QDir(storeDir).filePath(QStringLiteral("zar.png")), png(drawPoster()));
    }
}

} // namespace kyt::picgen
