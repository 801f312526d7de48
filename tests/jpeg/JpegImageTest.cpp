// The picture control: loading, re-decoding on option changes, progress,
// failures and drawing.
#include "JpegImage.h"
#include "JpegSamples.h"
#include "Reference.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMetaProperty>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace kyt;
using namespace kyt::samples;

namespace {

class JpegImageTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!qApp) {
            static int argc = 1;
            static char name[] = "jpeg_image_tests";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        colour = EncodeJPEG(ColourPattern(90, 70));
        Write("pic.jpg", colour);
    }
    void TearDown() override { QDir::setCurrent(previous); }

    static void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Runs the action, expecting the given message; the picture must stay.
    template <typename Exception, typename Action>
    void ExpectFailureKeepsPicture(JpegImage& image, Action action, const std::string& message)
    {
        const Rgb before = ExpandToRgb(image.picture());
        try {
            action();
            ADD_FAILURE() << "no failure, expected " << message;
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_TRUE(ExpandToRgb(image.picture()) == before) << "picture changed";
    }

    QTemporaryDir dir;
    QString previous;
    QByteArray colour;
};

TEST_F(JpegImageTest, PublishesItsPropertiesInOrderWithTheirDefaults)
{
    JpegImage image;
    const QMetaObject* meta = image.metaObject();
    QStringList names;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        names << meta->property(i).name();
    EXPECT_EQ(names,
        (QStringList {"numOfColors", "dctMethod", "dither", "fastProcessing", "grayScale",
            "noSmooth", "onePass", "fileName", "progressStep"}));
    EXPECT_TRUE(image.Options() == JpegOptions {});
    EXPECT_EQ(image.progressStep(), 10);
    EXPECT_TRUE(image.fileName().isEmpty());
    EXPECT_TRUE(image.SourceBuffer().isEmpty());
    EXPECT_TRUE(image.picture().isNull());
}

TEST_F(JpegImageTest, LoadsAFileByRelativeNameAndReDecodesItOnOptionChanges)
{
    JpegImage image;
    image.setFileName("pic.jpg");
    EXPECT_EQ(image.SourceBuffer(), colour);
    EXPECT_EQ(image.picture().format(), QImage::Format_Indexed8);
    EXPECT_TRUE(ExpandToRgb(image.picture()) == DecodeWithDjpeg(colour, {"-colors", "256"}));

    // Grey again from the kept bytes, with the file gone.
    ASSERT_TRUE(QFile::remove("pic.jpg"));
    image.setGrayScale(true);
    EXPECT_TRUE(
        ExpandToRgb(image.picture()) == DecodeWithDjpeg(colour, {"-colors", "256", "-grayscale"}));
    image.setNumOfColors(ColorCount::TrueColor);
    EXPECT_TRUE(ExpandToRgb(image.picture()) == DecodeWithDjpeg(colour, {"-grayscale"}));
    EXPECT_EQ(image.picture().format(), QImage::Format_Indexed8);
    image.setGrayScale(false);
    EXPECT_EQ(image.picture().format(), QImage::Format_RGB888);
    EXPECT_TRUE(ExpandToRgb(image.picture()) == DecodeWithDjpeg(colour, {}));
}

TEST_F(JpegImageTest, FastProcessingOverridesDitherAndDct)
{
    JpegImage image;
    image.setFileName("pic.jpg");
    const Rgb floydSteinberg = ExpandToRgb(image.picture());
    image.setFastProcessing(true);
    const Rgb fast = ExpandToRgb(image.picture());
    EXPECT_FALSE(fast == floydSteinberg);
    EXPECT_TRUE(fast
        == DecodeWithDjpeg(colour,
            {"-colors", "256", "-dither", "ordered", "-onepass", "-dct", "fast", "-nosmooth"}));
    image.setDCTMethod(DctMethod::FloatingPoint);
    image.setDither(DitherMode::None);
    EXPECT_TRUE(ExpandToRgb(image.picture()) == fast);
}

TEST_F(JpegImageTest, EmptyNameClearsTheKeptBytesButKeepsThePicture)
{
    JpegImage image;
    image.setFileName("pic.jpg");
    const Rgb shown = ExpandToRgb(image.picture());
    int reports = 0;
    QObject::connect(&image, &JpegImage::progress, [&] { ++reports; });
    image.setFileName("");
    EXPECT_TRUE(image.SourceBuffer().isEmpty());
    image.setGrayScale(true);
    EXPECT_EQ(reports, 0);
    EXPECT_TRUE(ExpandToRgb(image.picture()) == shown);
}

TEST_F(JpegImageTest, FailuresLeaveThePictureAsItWas)
{
    JpegImage image;
    image.setFileName("pic.jpg");
    ExpectFailureKeepsPicture<FileOpenError>(
        image, [&] { image.setFileName("nosuch.jpg"); }, "Cannot open file nosuch.jpg");
    EXPECT_EQ(image.fileName(), "nosuch.jpg");
    EXPECT_EQ(image.SourceBuffer(), colour);
    ASSERT_TRUE(QDir().mkdir("folder.jpg"));
    ExpectFailureKeepsPicture<FileOpenError>(
        image, [&] { image.setFileName("folder.jpg"); }, "Cannot open file folder.jpg");
    EXPECT_EQ(image.SourceBuffer(), colour);

    Write("picture.bmp", BmpFile(ColourPattern(30, 20)));
    ExpectFailureKeepsPicture<JpegError>(
        image, [&] { image.setFileName("picture.bmp"); }, "Not a JPEG file: starts with 0x42 0x4d");
    Write("cut.jpg", colour.left(colour.size() / 2));
    ExpectFailureKeepsPicture<JpegError>(
        image, [&] { image.setFileName("cut.jpg"); }, "Premature end of JPEG file");
    Write("cmyk.jpg", EncodeJPEG(ToCmyk(ColourPattern(30, 20))));
    ExpectFailureKeepsPicture<JpegError>(
        image, [&] { image.setFileName("cmyk.jpg"); }, "BMP output must be grayscale or RGB");
    // The option keeps its new value even though the decode failed.
    ExpectFailureKeepsPicture<JpegError>(
        image, [&] { image.setNumOfColors(ColorCount::TrueColor); },
        "BMP output must be grayscale or RGB");
    EXPECT_EQ(image.numOfColors(), ColorCount::TrueColor);

    // A progress handler that fails ends the decode the same way.
    image.setFileName("pic.jpg");
    QObject::connect(&image, &JpegImage::progress, [](int percent) {
        if (percent == 50)
            throw std::runtime_error("stopped");
    });
    ExpectFailureKeepsPicture<std::runtime_error>(
        image, [&] { image.setGrayScale(true); }, "stopped");
}

TEST_F(JpegImageTest, ReportsProgressOncePerStepAndSkipsNeedlessDecodes)
{
    Write("tall.jpg", EncodeJPEG(ColourPattern(20, 140)));
    JpegImage image;
    std::vector<int> reported;
    QObject::connect(&image, &JpegImage::progress, [&](int percent) {
        EXPECT_EQ(image.ProgressPercent(), percent);
        reported.push_back(percent);
    });
    image.setProgressStep(7);
    image.setFileName("tall.jpg");
    std::vector<int> sevens;
    for (int p = 7; p <= 100; p += 7)
        sevens.push_back(p);
    EXPECT_EQ(reported, sevens);

    reported.clear();
    image.setDither(DitherMode::FS); // unchanged value: no decode
    image.setGrayScale(false);
    EXPECT_TRUE(reported.empty());
    image.setFileName("tall.jpg"); // the same name reads the file again
    EXPECT_EQ(reported, sevens);

    reported.clear();
    image.BeginLoading();
    image.setGrayScale(true);
    image.setNumOfColors(ColorCount::_16);
    image.EndLoading();
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(image.picture().colorCount(), 256);
}

TEST_F(JpegImageTest, PrefetchedPicturesServeOnlyTheBytesTheyWereMadeFrom)
{
    const QByteArray grey = EncodeJPEG(ColourPattern(40, 30));
    Write("same.jpg", colour);
    Write("changed.jpg", colour);
    Write("broken.jpg", colour.left(colour.size() / 2));
    PrefetchJPEGFiles({"same.jpg", "changed.jpg", "broken.jpg", "progress.jpg"});
    Write("changed.jpg", grey); // rewritten after the prefetch began
    Write("progress.jpg", colour);

    JpegImage same;
    same.setFileName("same.jpg");
    EXPECT_EQ(same.ProgressPercent(), 100);
    EXPECT_TRUE(ExpandToRgb(same.picture()) == DecodeWithDjpeg(colour, {"-colors", "256"}));

    JpegImage changed;
    changed.setFileName("changed.jpg");
    EXPECT_EQ(changed.SourceBuffer(), grey);
    EXPECT_TRUE(ExpandToRgb(changed.picture()) == DecodeWithDjpeg(grey, {"-colors", "256"}));

    // A file that fails is still reported by the assignment itself.
    JpegImage broken;
    ExpectFailureKeepsPicture<JpegError>(
        broken, [&] { broken.setFileName("broken.jpg"); }, "Premature end of JPEG file");

    // A connected progress handler sees the whole decode.
    JpegImage watched;
    int reports = 0;
    QObject::connect(&watched, &JpegImage::progress, [&] { ++reports; });
    watched.setFileName("progress.jpg");
    EXPECT_EQ(reports, 10);

    // Each prefetched picture serves once: the next assignment decodes anew
    // and sees the file as it is now.
    Write("same.jpg", grey);
    same.setFileName("same.jpg");
    EXPECT_TRUE(ExpandToRgb(same.picture()) == DecodeWithDjpeg(grey, {"-colors", "256"}));
}

TEST_F(JpegImageTest, PrefetchedGreyPicturesAreDitheredWhenNeededAsADirectDecodeDithersThem)
{
    // Grey pictures reduced to 256 colours by dithering, as the schematics
    // are: a prefetch decodes them and leaves the dithering until the
    // picture is asked for or drawn.
    const QByteArray schematic = EncodeJPEG(ToGrey(Schematic(70, 50)));
    const QByteArray grey = EncodeJPEG(ToGrey(ColourPattern(53, 38)));
    Write("schematic.jpg", schematic);
    Write("grey.jpg", grey);
    Write("drawn.jpg", grey);
    PrefetchJPEGFiles({"schematic.jpg", "grey.jpg", "drawn.jpg"});

    for (const char* name : {"schematic.jpg", "grey.jpg"}) {
        JpegImage image;
        image.setFileName(name);
        EXPECT_EQ(image.ProgressPercent(), 100);
        EXPECT_EQ(image.sizeHint(), DecodeJPEG(image.SourceBuffer(), JpegOptions {}).size())
            << name;
        const QImage direct = DecodeJPEG(image.SourceBuffer(), JpegOptions {});
        EXPECT_EQ(image.picture(), direct) << name;
        EXPECT_EQ(image.picture(), direct) << name << ", asked again";
        EXPECT_TRUE(ExpandToRgb(image.picture())
            == DecodeWithDjpeg(image.SourceBuffer(), {"-colors", "256"}))
            << name;
    }

    // Drawn before anything asked for it, it shows the dithered picture.
    JpegImage drawn;
    drawn.setFileName("drawn.jpg");
    drawn.resize(53, 38);
    QImage shown(53, 38, QImage::Format_RGB32);
    drawn.render(&shown);
    EXPECT_EQ(shown, DecodeJPEG(grey, JpegOptions {}).convertToFormat(QImage::Format_RGB32));
}

TEST_F(JpegImageTest, OnlyRegularFilesOfAtMost64MiBAreRead)
{
    JpegImage image;
    image.setFileName("pic.jpg");

    // A device never ends, or has nothing in it.
    ASSERT_TRUE(QFile::link("/dev/null", "null.jpg"));
    ExpectFailureKeepsPicture<FileOpenError>(
        image, [&] { image.setFileName("null.jpg"); }, "Cannot open file null.jpg");
    EXPECT_EQ(image.SourceBuffer(), colour);

    // A file just over the limit (sparse: it takes no room on the disk).
    {
        QFile big("big.jpg");
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.write(colour) == colour.size());
        ASSERT_TRUE(big.resize((qint64(64) << 20) + 1));
    }
    ExpectFailureKeepsPicture<FileOpenError>(
        image, [&] { image.setFileName("big.jpg"); }, "Cannot open file big.jpg");
    EXPECT_EQ(image.SourceBuffer(), colour);
    // At the limit it is read, and decoded up to the picture's end.
    ASSERT_TRUE(QFile("big.jpg").resize(qint64(64) << 20));
    image.setFileName("big.jpg");
    EXPECT_EQ(image.SourceBuffer().size(), qint64(64) << 20);
    EXPECT_EQ(image.SourceBuffer().left(colour.size()), colour);
}

TEST_F(JpegImageTest, ANamedPipeIsNotWaitedFor)
{
    ASSERT_EQ(mkfifo("pipe.jpg", 0600), 0);
    JpegImage image;
    image.setFileName("pic.jpg");
    // Run where a hang can be seen; should the open wait for a writer, one
    // comes along to end it.
    auto assignment = std::async(std::launch::async, [&] {
        try {
            image.setFileName("pipe.jpg");
        } catch (const FileOpenError& e) {
            return std::string(e.what());
        }
        return std::string("no failure");
    });
    const bool hung = assignment.wait_for(std::chrono::seconds(20)) != std::future_status::ready;
    if (hung)
        ::close(::open("pipe.jpg", O_WRONLY | O_NONBLOCK));
    EXPECT_FALSE(hung) << "the assignment waited for a writer";
    EXPECT_EQ(assignment.get(), "Cannot open file pipe.jpg");
    EXPECT_EQ(image.SourceBuffer(), colour);

    // The start-up prefetch leaves it to the assignment, which reports it.
    PrefetchJPEGFiles({"pipe.jpg"});
    EXPECT_THROW(image.setFileName("pipe.jpg"), FileOpenError);
}

TEST_F(JpegImageTest, DrawsAtNaturalSizeFromTheTopLeftClipped)
{
    JpegImage image;
    QPalette palette = image.palette();
    palette.setColor(QPalette::Window, QColor(255, 0, 255));
    image.setPalette(palette);
    image.setFileName("pic.jpg");
    const QImage quantised = image.picture().convertToFormat(QImage::Format_RGB32);
    image.resize(40, 30);
    const QImage small = image.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(small.size(), QSize(40, 30));
    EXPECT_EQ(small, quantised.copy(0, 0, 40, 30));

    // A new decode is drawn, not the picture drawn before.
    image.setNumOfColors(ColorCount::TrueColor);
    const QImage picture = image.picture().convertToFormat(QImage::Format_RGB32);
    ASSERT_NE(picture, quantised);
    image.resize(120, 100);
    const QImage large = image.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(large.copy(0, 0, 90, 70), picture);
    EXPECT_EQ(large.pixel(100, 80), qRgb(255, 0, 255));
    EXPECT_EQ(large.pixel(95, 10), qRgb(255, 0, 255));
}

} // namespace
