// Fuzzes the JPEG decoder: every input must end in a well-formed picture or
// an JpegError. Anything else (another exception, a crash, a sanitizer
// report, a picture that breaks the promises of DecodeJPEG) is a finding.
#include "FuzzInput.h"
#include "JpegImage.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Finding(const char* what)
{
    std::fprintf(stderr, "fuzz_jpeg: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kyt;
    if (size < fuzz::OptionBytes)
        return 0;
    const fuzz::Choice c = fuzz::ReadChoice(data);
    JpegOptions o;
    o.NumOfColors = ColorCount(c.numOfColors);
    o.DCTMethod = DctMethod(c.dctMethod);
    o.Dither = DitherMode(c.dither);
    o.FastProcessing = c.fast;
    o.GrayScale = c.grey;
    o.NoSmooth = c.noSmooth;
    o.OnePass = c.onePass;

    int last = 0;
    auto progress = [&](int percent) {
        if (percent <= last || percent > 100 || percent % c.progressStep != 0)
            Finding("progress out of order");
        last = percent;
    };
    try {
        const QImage image = DecodeJPEG(reinterpret_cast<const char*>(data + fuzz::OptionBytes),
            size - fuzz::OptionBytes, o, c.progressStep, progress);
        if (image.isNull() || std::uint64_t(image.width()) * image.height() > MaxJPEGPixels)
            Finding("picture without pixels or too large");
        if (image.format() != QImage::Format_Indexed8 && image.format() != QImage::Format_RGB888)
            Finding("picture neither 8-bit indexed nor 24-bit");
        const bool quantised = o.NumOfColors != ColorCount::TrueColor;
        if (quantised && image.format() != QImage::Format_Indexed8)
            Finding("quantised picture not indexed");
        if (image.format() == QImage::Format_Indexed8) {
            const int colours = image.colorCount();
            if (colours < 1
                || (quantised && colours > (o.NumOfColors == ColorCount::_16 ? 16 : 256)))
                Finding("wrong colour table");
        }
        if (last != 100 && 100 % c.progressStep == 0)
            Finding("progress did not reach 100 percent");
    } catch (const JpegError&) { }
    return 0;
}
