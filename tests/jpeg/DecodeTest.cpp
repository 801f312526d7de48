// The decoder against djpeg, and its failures.
#include "JpegImage.h"
#include "JpegSamples.h"
#include "Reference.h"

#include <gtest/gtest.h>

using namespace kyt;
using namespace kyt::samples;

namespace {

struct OptionSet {
    const char* name;
    JpegOptions options;
    QStringList djpeg; // the same choice in djpeg's switches
};

JpegOptions Opt(
    ColorCount colours, DctMethod dct = DctMethod::Integ, DitherMode dither = DitherMode::FS)
{
    JpegOptions o;
    o.NumOfColors = colours;
    o.DCTMethod = dct;
    o.Dither = dither;
    return o;
}
JpegOptions With(JpegOptions o, bool fast, bool grey, bool noSmooth, bool onePass)
{
    o.FastProcessing = fast;
    o.GrayScale = grey;
    o.NoSmooth = noSmooth;
    o.OnePass = onePass;
    return o;
}

using C = ColorCount;
using D = DctMethod;
using Di = DitherMode;

const OptionSet kOptionSets[] = {
    {"Defaults", JpegOptions {}, {"-colors", "256", "-dct", "int", "-dither", "fs"}},
    {"C256Ordered", Opt(C::_256, D::Integ, Di::Ordered), {"-colors", "256", "-dither", "ordered"}},
    {"C256NoDither", Opt(C::_256, D::Integ, Di::None), {"-colors", "256", "-dither", "none"}},
    {"C16FS", Opt(C::_16), {"-colors", "16", "-dither", "fs"}},
    {"C16Ordered", Opt(C::_16, D::Integ, Di::Ordered), {"-colors", "16", "-dither", "ordered"}},
    {"C16NoDither", Opt(C::_16, D::Integ, Di::None), {"-colors", "16", "-dither", "none"}},
    {"TrueColorInt", Opt(C::TrueColor), {"-dct", "int"}},
    {"TrueColorFast", Opt(C::TrueColor, D::FastInteg), {"-dct", "fast"}},
    {"TrueColorFloat", Opt(C::TrueColor, D::FloatingPoint), {"-dct", "float"}},
    {"C256FastDct", Opt(C::_256, D::FastInteg), {"-colors", "256", "-dct", "fast"}},
    {"C256FloatDct", Opt(C::_256, D::FloatingPoint), {"-colors", "256", "-dct", "float"}},
    {"Fast", With({}, true, false, false, false), {"-colors", "256", "-fast"}},
    {"FastTrueColorFloat", With(Opt(C::TrueColor, D::FloatingPoint), true, false, false, false),
        {"-dct", "float", "-fast"}},
    {"FastC16NoDither", With(Opt(C::_16, D::Integ, Di::None), true, false, false, false),
        {"-colors", "16", "-dither", "none", "-fast"}},
    {"GreyTrueColor", With(Opt(C::TrueColor), false, true, false, false), {"-grayscale"}},
    {"GreyC256", With({}, false, true, false, false), {"-colors", "256", "-grayscale"}},
    {"GreyC16Ordered", With(Opt(C::_16, D::Integ, Di::Ordered), false, true, false, false),
        {"-colors", "16", "-dither", "ordered", "-grayscale"}},
    {"NoSmoothTrueColor", With(Opt(C::TrueColor), false, false, true, false), {"-nosmooth"}},
    {"NoSmoothC256", With({}, false, false, true, false), {"-colors", "256", "-nosmooth"}},
    {"OnePassC256", With({}, false, false, false, true), {"-colors", "256", "-onepass"}},
    {"OnePassC16Ordered", With(Opt(C::_16, D::Integ, Di::Ordered), false, false, false, true),
        {"-colors", "16", "-dither", "ordered", "-onepass"}},
    {"OnePassC256NoDither", With(Opt(C::_256, D::Integ, Di::None), false, false, false, true),
        {"-colors", "256", "-dither", "none", "-onepass"}},
    {"Everything", With(Opt(C::_16, D::FloatingPoint, Di::None), true, true, true, true),
        {"-colors", "16", "-dct", "float", "-dither", "none", "-fast", "-grayscale", "-nosmooth",
            "-onepass"}},
};

void PrintTo(const OptionSet& set, std::ostream* os)
{
    *os << set.name;
}

class MatchesDjpeg : public testing::TestWithParam<OptionSet> { };

TEST_P(MatchesDjpeg, OnEverySample)
{
    const OptionSet& set = GetParam();
    const bool quantised = set.options.NumOfColors != C::TrueColor;
    for (const Sample& sample : DecodableSamples()) {
        SCOPED_TRACE(sample.name.toStdString());
        const bool indexed = quantised || set.options.GrayScale || sample.name == "grey";
        const QImage ours = DecodeJPEG(sample.bytes, set.options);
        EXPECT_EQ(ours.format(), indexed ? QImage::Format_Indexed8 : QImage::Format_RGB888);
        if (quantised) {
            EXPECT_LE(ours.colorCount(), set.options.NumOfColors == C::_16 ? 16 : 256);
        }
        const Rgb expected = DecodeWithDjpeg(sample.bytes, set.djpeg);
        ASSERT_EQ(ours.width(), expected.width);
        ASSERT_EQ(ours.height(), expected.height);
        EXPECT_TRUE(ExpandToRgb(ours) == expected) << "pixels differ from djpeg";
    }
}

INSTANTIATE_TEST_SUITE_P(Options, MatchesDjpeg, testing::ValuesIn(kOptionSets),
    [](const testing::TestParamInfo<OptionSet>& info) { return std::string(info.param.name); });

// The options change the result: otherwise the comparisons above would
// prove little about the way each option reaches the codec.
TEST(Decode, OptionsMakeADifference)
{
    const QByteArray jpeg = EncodeJPEG(ColourPattern(64, 48));
    const QImage base = DecodeJPEG(jpeg, {});
    for (const OptionSet& set : kOptionSets) {
        // Two-pass quantisation dithers ordered the Floyd-Steinberg way.
        if (std::string(set.name) == "Defaults" || std::string(set.name) == "C256Ordered")
            continue;
        EXPECT_FALSE(ExpandToRgb(DecodeJPEG(jpeg, set.options)) == ExpandToRgb(base)) << set.name;
    }
}

std::string FailureOf(const QByteArray& bytes, const JpegOptions& options = {})
{
    try {
        DecodeJPEG(bytes, options);
    } catch (const JpegError& e) {
        return e.what();
    }
    return "(decoded)";
}

TEST(Decode, RejectsWhatIsNotAJpegFile)
{
    EXPECT_EQ(FailureOf(BmpFile(ColourPattern(20, 10))), "Not a JPEG file: starts with 0x42 0x4d");
    EXPECT_EQ(FailureOf(QByteArray()), "Premature end of JPEG file");
    EXPECT_EQ(FailureOf(QByteArray("\xFF\xD8", 2)), "Premature end of JPEG file");
}

TEST(Decode, TreatsTheFirstWarningAsAnError)
{
    for (const Sample& sample : DecodableSamples()) {
        SCOPED_TRACE(sample.name.toStdString());
        for (qsizetype cut : {qsizetype(30), sample.bytes.size() / 2, sample.bytes.size() - 2})
            EXPECT_EQ(FailureOf(sample.bytes.left(cut)), "Premature end of JPEG file") << cut;
    }
    // An end-of-image marker in the middle of the compressed data.
    QByteArray broken = EncodeJPEG(ColourPattern(64, 64));
    broken.truncate(broken.size() * 2 / 3);
    broken.append("\xFF\xD9", 2);
    EXPECT_EQ(FailureOf(broken), "Corrupt JPEG data: premature end of data segment");
}

TEST(Decode, RefusesOutputOtherThanGreyOrRgb)
{
    const QByteArray cmyk = EncodeJPEG(ToCmyk(ColourPattern(40, 30)));
    EXPECT_EQ(FailureOf(cmyk), "BMP output must be grayscale or RGB");
    EXPECT_EQ(FailureOf(cmyk, Opt(C::TrueColor)), "BMP output must be grayscale or RGB");
    // The codec itself cannot turn CMYK into grey.
    EXPECT_NE(FailureOf(cmyk, With({}, false, true, false, false)), "(decoded)");
}

TEST(Decode, RefusesPicturesTooLargeToHold)
{
    // No picture may need more than 256 MiB of decoded pixels, the codec's
    // own full-picture buffers included (a progressive file decoded to 256
    // colours keeps its coefficients and a full colour copy: 9 bytes a pixel
    // and one more for the output).
    EXPECT_LE(MaxJPEGPixels * 10, std::uint64_t(256) << 20);
    // The schematics (757 x 957) fit with room to spare.
    EXPECT_GE(MaxJPEGPixels, std::uint64_t(4096) * 4096);
    const QByteArray jpeg = EncodeJPEG(ColourPattern(16, 16));
    EXPECT_EQ(
        FailureOf(WithAnnouncedSize(jpeg, 4097, 4096)), "JPEG image too large: 4097 x 4096 pixels");
    EXPECT_EQ(FailureOf(WithAnnouncedSize(jpeg, 16384, 16384)),
        "JPEG image too large: 16384 x 16384 pixels");
    EXPECT_EQ(FailureOf(WithAnnouncedSize(jpeg, 65500, 65500)),
        "JPEG image too large: 65500 x 65500 pixels");
    // The largest allowed size gets as far as reading the (missing) data.
    EXPECT_EQ(FailureOf(WithAnnouncedSize(jpeg, 4096, 4096)),
        "Corrupt JPEG data: premature end of data segment");
}

TEST(Decode, TheLargestPictureDecodesWithEveryOption)
{
    // A progressive 4:4:4 file at the pixel limit, decoded with two-pass
    // colour reduction: the codec's buffers fit within its memory allowance.
    EncodeParams params;
    params.progressive = true;
    params.subsampling = Subsampling::S444;
    params.quality = 30;
    const QByteArray jpeg = EncodeJPEG(ColourPattern(4096, 4096), params);
    const QImage image = DecodeJPEG(jpeg, {});
    EXPECT_EQ(image.size(), QSize(4096, 4096));
}

TEST(Decode, SkipsCommentMarkersWhateverTheirLength)
{
    const QByteArray jpeg = EncodeJPEG(ColourPattern(30, 20));
    const Rgb plain = ExpandToRgb(DecodeJPEG(jpeg, {}));
    // Lengths that cover less than the length field itself skip nothing.
    for (const char* comment : {"\xFF\xFE\x00\x00", "\xFF\xFE\x00\x01", "\xFF\xFE\x00\x02"}) {
        QByteArray withComment = jpeg;
        withComment.insert(2, comment, 4);
        EXPECT_TRUE(ExpandToRgb(DecodeJPEG(withComment, {})) == plain);
    }
}

std::vector<int> ProgressOf(int height, int step)
{
    std::vector<int> reported;
    DecodeJPEG(EncodeJPEG(ColourPattern(24, height)), {}, step,
        [&](int percent) { reported.push_back(percent); });
    return reported;
}

TEST(Decode, ReportsProgressAtEachNewMultipleOfTheStep)
{
    EXPECT_EQ(ProgressOf(200, 10), (std::vector<int> {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    std::vector<int> sevens;
    for (int p = 7; p <= 100; p += 7)
        sevens.push_back(p);
    EXPECT_EQ(ProgressOf(150, 7), sevens);
    EXPECT_EQ(ProgressOf(3, 10), (std::vector<int> {100}));
    EXPECT_EQ(ProgressOf(3, 1), (std::vector<int> {33, 66, 100}));
    EXPECT_EQ(ProgressOf(3, 0), (std::vector<int> {33, 66, 100})); // brought to 1
    EXPECT_EQ(ProgressOf(1, 100), (std::vector<int> {100}));
}

} // namespace
