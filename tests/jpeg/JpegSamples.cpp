#include "JpegSamples.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace kyt::samples {

namespace {

// A small deterministic generator, so that every run makes the same files.
struct Lcg {
    std::uint32_t state;
    std::uint32_t next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int below(int n) { return int(next() % std::uint32_t(n)); }
};

void SetPixel(RawPicture& p, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    if (x < 0 || y < 0 || x >= p.width || y >= p.height)
        return;
    std::uint8_t* px = &p.pixels[(std::size_t(y) * p.width + x) * 3];
    px[0] = r;
    px[1] = g;
    px[2] = b;
}

void FillRect(
    RawPicture& p, int x0, int y0, int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            SetPixel(p, x, y, r, g, b);
}

} // namespace

RawPicture ColourPattern(int width, int height)
{
    RawPicture p {width, height, 3, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            auto r = std::uint8_t(x * 255 / std::max(1, width - 1));
            auto g = std::uint8_t(y * 255 / std::max(1, height - 1));
            auto b = std::uint8_t(((x + 2 * y) * 7) & 0xFF);
            if ((x / 9 + y / 7) % 5 == 0) { // sharp coloured bands
                r = 255 - r;
                b = 40;
            }
            SetPixel(p, x, y, r, g, b);
        }
    return p;
}

RawPicture Schematic(int width, int height)
{
    RawPicture p {
        width, height, 3, std::vector<std::uint8_t>(std::size_t(width) * height * 3, 255)};
    Lcg rnd {12345u};
    // Wires: long horizontal and vertical lines.
    for (int i = 0; i < width / 12; ++i) {
        int y = rnd.below(height), x0 = rnd.below(width), len = 40 + rnd.below(width / 2);
        FillRect(p, x0, y, len, 1 + rnd.below(2), 0, 0, 0);
        int x = rnd.below(width), y0 = rnd.below(height), vlen = 40 + rnd.below(height / 2);
        FillRect(p, x, y0, 1 + rnd.below(2), vlen, 0, 0, 0);
    }
    // Relays: outlined boxes with a coil line, and contacts as small dots.
    for (int i = 0; i < width / 8; ++i) {
        int x = rnd.below(width), y = rnd.below(height), w = 14 + rnd.below(30),
            h = 10 + rnd.below(20);
        FillRect(p, x, y, w, 1, 0, 0, 0);
        FillRect(p, x, y + h, w, 1, 0, 0, 0);
        FillRect(p, x, y, 1, h, 0, 0, 0);
        FillRect(p, x + w, y, 1, h + 1, 0, 0, 0);
        FillRect(p, x + 2, y + h / 2, w - 3, 1, 60, 60, 60);
        FillRect(p, x - 3, y + h / 2 - 1, 3, 3, 0, 0, 0);
    }
    // Labels: rows of tiny glyph-like blocks.
    for (int i = 0; i < width / 6; ++i) {
        int x = rnd.below(width), y = rnd.below(height);
        for (int c = 0; c < 6; ++c)
            for (int k = 0; k < 8; ++k)
                if (rnd.below(3) == 0)
                    FillRect(p, x + c * 6 + k % 4, y + k / 4 * 3, 1, 3, 0, 0, 0);
    }
    // A few coloured marks.
    for (int i = 0; i < 20; ++i) {
        bool red = i % 2 == 0;
        FillRect(p, rnd.below(width), rnd.below(height), 30 + rnd.below(60), 2, red ? 220 : 0, 0,
            red ? 0 : 200);
    }
    return p;
}

RawPicture ToGrey(const RawPicture& rgb)
{
    RawPicture g {
        rgb.width, rgb.height, 1, std::vector<std::uint8_t>(std::size_t(rgb.width) * rgb.height)};
    for (std::size_t i = 0; i < g.pixels.size(); ++i) {
        const std::uint8_t* px = &rgb.pixels[i * 3];
        g.pixels[i] = std::uint8_t((px[0] * 30 + px[1] * 59 + px[2] * 11) / 100);
    }
    return g;
}

RawPicture ToCmyk(const RawPicture& rgb)
{
    RawPicture c {rgb.width, rgb.height, 4,
        std::vector<std::uint8_t>(std::size_t(rgb.width) * rgb.height * 4)};
    for (std::size_t i = 0; i < std::size_t(rgb.width) * rgb.height; ++i) {
        const std::uint8_t* px = &rgb.pixels[i * 3];
        std::uint8_t k = std::uint8_t(255 - std::max({px[0], px[1], px[2]}));
        c.pixels[i * 4 + 0] = std::uint8_t(255 - px[0] - k);
        c.pixels[i * 4 + 1] = std::uint8_t(255 - px[1] - k);
        c.pixels[i * 4 + 2] = std::uint8_t(255 - px[2] - k);
        c.pixels[i * 4 + 3] = k;
    }
    return c;
}

QByteArray EncodeJPEG(const RawPicture& picture, const EncodeParams& params)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err); // a compressor error ends the test program
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = JDIMENSION(picture.width);
    cinfo.image_height = JDIMENSION(picture.height);
    cinfo.input_components = picture.components;
    cinfo.in_color_space = picture.components == 1 ? JCS_GRAYSCALE
        : picture.components == 4                  ? JCS_CMYK
                                                   : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, params.quality, TRUE);
    if (picture.components == 3) {
        cinfo.comp_info[0].h_samp_factor = params.subsampling == Subsampling::S444 ? 1 : 2;
        cinfo.comp_info[0].v_samp_factor = params.subsampling == Subsampling::S420 ? 2 : 1;
    }
    if (params.progressive)
        jpeg_simple_progression(&cinfo);
    cinfo.restart_in_rows = params.restartRows;

    jpeg_start_compress(&cinfo, TRUE);
    for (const std::string& comment : params.comments)
        jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(comment.data()),
            unsigned(comment.size()));
    const std::size_t stride = std::size_t(picture.width) * picture.components;
    while (cinfo.next_scanline < cinfo.image_height) {
        auto row = const_cast<JSAMPROW>(&picture.pixels[cinfo.next_scanline * stride]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

QByteArray BmpFile(const RawPicture& rgb)
{
    const int stride = (rgb.width * 3 + 3) & ~3;
    const std::uint32_t imageSize = std::uint32_t(stride) * rgb.height;
    QByteArray out;
    auto put16 = [&](std::uint32_t v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    out.append("BM");
    put32(14 + 40 + imageSize);
    put32(0);
    put32(14 + 40);
    put32(40);
    put32(std::uint32_t(rgb.width));
    put32(std::uint32_t(rgb.height));
    put16(1);
    put16(24);
    put32(0);
    put32(imageSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = rgb.height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < rgb.width; ++x) {
            const std::uint8_t* px = &rgb.pixels[(std::size_t(y) * rgb.width + x) * 3];
            row[x * 3] = char(px[2]);
            row[x * 3 + 1] = char(px[1]);
            row[x * 3 + 2] = char(px[0]);
        }
        out.append(row);
    }
    return out;
}

std::vector<Sample> DecodableSamples()
{
    std::vector<Sample> samples;
    const RawPicture colour = ColourPattern(67, 45);
    samples.push_back({"colour420", EncodeJPEG(colour)});
    EncodeParams p422;
    p422.subsampling = Subsampling::S422;
    p422.quality = 60;
    samples.push_back({"colour422", EncodeJPEG(ColourPattern(50, 33), p422)});
    samples.push_back({"grey", EncodeJPEG(ToGrey(ColourPattern(53, 38)))});
    EncodeParams progressive;
    progressive.progressive = true;
    samples.push_back({"progressive", EncodeJPEG(Schematic(70, 50), progressive)});
    EncodeParams commented;
    commented.restartRows = 1;
    commented.subsampling = Subsampling::S444;
    commented.comments = {"Kyt", "", std::string(6000, 'c'), "last"};
    samples.push_back({"comments", EncodeJPEG(colour, commented)});
    return samples;
}

} // namespace kyt::samples
