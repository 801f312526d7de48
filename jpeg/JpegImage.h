// JpegImage: the picture control that shows a JPEG file.
//
// JpegImage keeps the compressed bytes of the last file it read and decodes
// them with libjpeg into the picture it draws. Every decoding option is a
// property; changing one decodes the kept bytes again, without reading the
// file again. The decoding itself is the free function DecodeJPEG, which
// needs no widget and no display.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace kyt {

// Colour count of the displayed picture.
enum class ColorCount { _16, _256, TrueColor };
// Inverse-DCT method of the codec.
enum class DctMethod { Integ, FastInteg, FloatingPoint };
// Dithering used when colours are reduced.
enum class DitherMode { None, FS, Ordered };
// Progress step in percent, 1 to 100.
using ProgressStep = int;

// A decoding failure: the codec's formatted message, or one of our own.
class JpegError : public std::runtime_error {
public:
    explicit JpegError(const std::string& message) : std::runtime_error(message) { }
    QString message() const { return QString::fromUtf8(what()); }
};

// A picture file that cannot be opened ("Cannot open file <name>").
class FileOpenError : public std::runtime_error {
public:
    explicit FileOpenError(const std::string& message) : std::runtime_error(message) { }
    QString message() const { return QString::fromUtf8(what()); }
};

// The decoding options, applied to the codec in the order of the fields:
// a later field overrides what an earlier one chose.
struct JpegOptions {
    ColorCount NumOfColors = ColorCount::_256;
    DctMethod DCTMethod = DctMethod::Integ;
    DitherMode Dither = DitherMode::FS;
    bool FastProcessing = false; // one pass, ordered dither, fast DCT, no smoothing
    bool GrayScale = false;
    bool NoSmooth = false; // no fancy upsampling
    bool OnePass = false; // one-pass colour quantisation
    bool operator==(const JpegOptions&) const = default;
};

// The largest picture, in pixels, that a decode will allocate (4096 x 4096):
// with the codec's own full-picture buffers, which are held to
// MaxJPEGCodecBytes, no picture needs more than 256 MiB of decoded pixels. A
// header that announces more fails before any output is allocated.
inline constexpr std::uint64_t MaxJPEGPixels = std::uint64_t(1) << 24;
inline constexpr long MaxJPEGCodecBytes = long(192) << 20;
// The largest picture file that is read; only regular files are read.
inline constexpr qint64 MaxJPEGFileBytes = qint64(64) << 20;

// Decodes a complete JPEG file image. The result is 8-bit indexed with its
// colour table when the colours are quantised or the output is greyscale, and
// 24-bit RGB otherwise. While the rows are produced, onProgress (if set) is
// called with the percentage done each time it reaches a new multiple of
// progressStep (1 to 100); 0 is never reported and no value twice.
// Throws JpegError on every failure, including the codec's first
// warning; no output survives a failure.
QImage DecodeJPEG(const char* data, std::size_t size, const JpegOptions& options,
    ProgressStep progressStep = 10, const std::function<void(int percent)>& onProgress = {});
inline QImage DecodeJPEG(const QByteArray& data, const JpegOptions& options,
    ProgressStep progressStep = 10, const std::function<void(int percent)>& onProgress = {})
{
    return DecodeJPEG(
        data.constData(), std::size_t(data.size()), options, progressStep, onProgress);
}

// Reads and decodes the named files with the default options on threads of
// their own while the caller goes on (the start-up decodes three schematics
// while it builds the desk). A later FileName assignment of one of them
// whose file holds the same bytes takes the finished picture instead of
// decoding it again, unless a progress handler is connected; a file that
// could not be read or decoded is left to that assignment, which reports it
// as always. Each picture serves once.
void PrefetchJPEGFiles(const QStringList& fileNames);

// The picture control. It draws its picture at natural size from its
// top-left corner, clipped to the control; it neither stretches nor centres.
class JpegImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(kyt::ColorCount numOfColors READ numOfColors WRITE setNumOfColors)
    Q_PROPERTY(kyt::DctMethod dctMethod READ dctMethod WRITE setDCTMethod)
    Q_PROPERTY(kyt::DitherMode dither READ dither WRITE setDither)
    Q_PROPERTY(bool fastProcessing READ fastProcessing WRITE setFastProcessing)
    Q_PROPERTY(bool grayScale READ grayScale WRITE setGrayScale)
    Q_PROPERTY(bool noSmooth READ noSmooth WRITE setNoSmooth)
    Q_PROPERTY(bool onePass READ onePass WRITE setOnePass)
    Q_PROPERTY(QString fileName READ fileName WRITE setFileName)
    Q_PROPERTY(int progressStep READ progressStep WRITE setProgressStep)

public:
    explicit JpegImage(QWidget* parent = nullptr);
    ~JpegImage() override;

    ColorCount numOfColors() const { return options_.NumOfColors; }
    DctMethod dctMethod() const { return options_.DCTMethod; }
    DitherMode dither() const { return options_.Dither; }
    bool fastProcessing() const { return options_.FastProcessing; }
    bool grayScale() const { return options_.GrayScale; }
    bool noSmooth() const { return options_.NoSmooth; }
    bool onePass() const { return options_.OnePass; }
    QString fileName() const { return fileName_; }
    ProgressStep progressStep() const { return progressStep_; }
    const JpegOptions& Options() const { return options_; }

    // Each option setter stores the value and decodes the kept bytes again;
    // setting the value already held does nothing. A failed decode throws
    // JpegError and leaves the picture as it was (the option keeps its
    // new value).
    void setNumOfColors(ColorCount value);
    void setDCTMethod(DctMethod value);
    void setDither(DitherMode value);
    void setFastProcessing(bool value);
    void setGrayScale(bool value);
    void setNoSmooth(bool value);
    void setOnePass(bool value);

    // Stores the name, reads the whole file (relative names against the
    // current directory) into the kept bytes and decodes them. An empty name
    // empties the kept bytes and leaves the picture. A file that cannot be
    // opened, or is no regular file of at most MaxJPEGFileBytes (a named pipe,
    // a device), throws FileOpenError; the name is stored all the same and the
    // kept bytes stay. Setting the same name again reads the file again.
    void setFileName(const QString& name);

    // Values outside 1 to 100 are brought into that range.
    void setProgressStep(ProgressStep value);

    // While the control is being set up from a stored layout, option changes
    // only store their values.
    void BeginLoading() { loading_ = true; }
    void EndLoading() { loading_ = false; }
    bool Loading() const { return loading_; }

    // The displayed picture; a picture can also be given directly (for
    // example one stored with a window, shown until a file is decoded).
    // A picture taken from a decode started early may still be dithered
    // here, once, when it is first needed.
    const QImage& picture() const;
    void setPicture(const QImage& picture);

    // The compressed bytes kept from the last file read.
    const QByteArray& SourceBuffer() const { return source_; }

    // The percentage most recently reported through progress().
    int ProgressPercent() const { return progressPercent_; }

    QSize sizeHint() const override;

signals:
    // Reported during a decode, on the GUI thread, at each new multiple of
    // ProgressStep percent of the rows produced.
    void progress(int percent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Decode();
    bool TakePrefetched();
    template <typename T>
    void SetOption(T& field, T value);

    JpegOptions options_;
    QString fileName_;
    ProgressStep progressStep_ = 10;
    bool loading_ = false;
    QByteArray source_;
    mutable QImage picture_;
    mutable std::function<void(QImage&)> finish_; // the dithering still to do, if any
    QPixmap pixmap_; // picture_ converted for drawing, made on first paint
    int progressPercent_ = 0;
};

} // namespace kyt
