#include "JpegImage.h"
#include "Prefetch.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QMetaMethod>
#include <QPainter>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <jerror.h>
#include <jpeglib.h>

namespace kyt {

namespace {

// The codec's error manager with a way back out of the codec: fatal errors
// and the first warning format their message and jump back to the decode.
// No C++ exception ever crosses the codec's C frames.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// A data source reading the kept bytes where they are, all at once; past
// their end it supplies an end-of-image marker of its own.
struct SourceManager {
    jpeg_source_mgr pub;
    const JOCTET* data;
    std::size_t size;
    std::size_t position;
    JOCTET endMarker[2];
};

// Grey output reduced to a few colours with Floyd-Steinberg dithering, done
// here on the decoded grey rows instead of in the codec's one-pass
// quantiser, with the same colour map, the same mapping of each level and
// the same serpentine spreading of the error: the same pixels, without the
// codec's extra buffering of every row. Rows must come in order.
class GreyDither {
public:
    // The codec's colour map and level mapping for `colours` greys.
    GreyDither(int colours, int width)
        : colours_(colours), width_(width), errors_(std::size_t(width) + 2, 0)
    {
        const int maxj = colours - 1;
        for (int j = 0; j < colours; ++j)
            map_[j] = std::uint8_t((j * 255 + maxj / 2) / maxj);
        // The largest input level that maps to colour j.
        const auto largest = [maxj](int j) { return ((2 * j + 1) * 255 + maxj) / (2 * maxj); };
        int val = 0, k = largest(0);
        for (int level = 0; level <= 255; ++level) {
            while (level > k)
                k = largest(++val);
            index_[level] = std::uint8_t(val);
        }
        allGreys_ = colours == 256;
        for (int v = 0; allGreys_ && v <= 255; ++v)
            allGreys_ = map_[v] == v && index_[v] == std::max(v - 1, 0);
    }
    int colours() const { return colours_; }
    std::uint8_t level(int colour) const { return map_[colour]; }

    // Turns one row of grey levels into colour indices, in place.
    void row(std::uint8_t* p)
    {
        int dir = 1;
        std::uint8_t* px = p;
        int* err = errors_.data();
        if (oddRow_) {
            dir = -1;
            px = p + (width_ - 1);
            err = errors_.data() + (width_ + 1);
        }
        if (allGreys_)
            spread<true>(px, err, dir);
        else
            spread<false>(px, err, dir);
        oddRow_ = !oddRow_;
    }

private:
    // With 256 greys the codec maps level v to colour v - 1 (0 to 0) and
    // colour j is level j: both are worked out instead of looked up, which
    // keeps the chain from one pixel to the next short.
    template <bool AllGreys>
    void spread(std::uint8_t* px, int* err, int dir) const
    {
        int cur = 0, belowErr = 0, prevErr = 0;
        for (int col = width_; col > 0; --col) {
            // An arithmetic shift, as the codec's RIGHT_SHIFT.
            cur = (cur + err[dir] + 8) >> 4;
            cur = std::clamp(cur + int(*px), 0, 255);
            if constexpr (AllGreys) {
                const int above = cur > 0 ? 1 : 0;
                *px = std::uint8_t(cur - above);
                cur = above;
            } else {
                const std::uint8_t code = index_[cur];
                *px = code;
                cur -= map_[code];
            }
            const int nextErr = cur;
            const int delta = cur * 2;
            cur += delta; // error x 3
            err[0] = prevErr + cur;
            cur += delta; // error x 5
            prevErr = belowErr + cur;
            belowErr = nextErr;
            cur += delta; // error x 7
            px += dir;
            err += dir;
        }
        err[0] = prevErr;
    }

    int colours_;
    int width_;
    bool allGreys_ = false;
    std::vector<int> errors_; // one before the first column, one after the last
    bool oddRow_ = false;
    std::uint8_t map_[256] {};
    std::uint8_t index_[256] {};
};

// Everything a decode owns. The codec object is destroyed whatever happens;
// destroying one that was never created is harmless.
struct Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    SourceManager src;
    std::optional<GreyDither> dither; // made before the codec runs rows
    // The grey rows are left undithered, for the dither to be run over the
    // whole picture later.
    bool deferDither = false;
    ~Decoder() { jpeg_destroy_decompress(&cinfo); }
};

[[noreturn]] void FailWithMessage(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void ErrorExit(j_common_ptr cinfo)
{
    FailWithMessage(cinfo);
}

// Level -1 is a warning; the first one ends the decode like an error.
// Trace messages (levels 0 and up) are not shown.
void EmitMessage(j_common_ptr cinfo, int msgLevel)
{
    if (msgLevel < 0)
        FailWithMessage(cinfo);
}

void OutputMessage(j_common_ptr) { }

void InitSource(j_decompress_ptr) { }

boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    auto* src = reinterpret_cast<SourceManager*>(cinfo->src);
    const std::size_t count = src->size - src->position;
    if (count == 0) {
        // The data ended before the image did: warn, then hand the codec an
        // end-of-image marker so that it can stop cleanly.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->endMarker[0] = 0xFF;
        src->endMarker[1] = JPEG_EOI;
        src->pub.next_input_byte = src->endMarker;
        src->pub.bytes_in_buffer = 2;
        return TRUE;
    }
    // The codec only reads its input: it is given the kept bytes themselves.
    src->pub.next_input_byte = src->data + src->position;
    src->pub.bytes_in_buffer = count;
    src->position = src->size;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long numBytes)
{
    if (numBytes <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    auto remaining = static_cast<std::size_t>(numBytes);
    while (remaining > src->bytes_in_buffer) {
        remaining -= src->bytes_in_buffer;
        src->bytes_in_buffer = 0;
        (*src->fill_input_buffer)(cinfo);
    }
    src->next_input_byte += remaining;
    src->bytes_in_buffer -= remaining;
}

void TermSource(j_decompress_ptr) { }

unsigned NextByte(j_decompress_ptr cinfo)
{
    jpeg_source_mgr* src = cinfo->src;
    if (src->bytes_in_buffer == 0)
        (*src->fill_input_buffer)(cinfo);
    --src->bytes_in_buffer;
    return *src->next_input_byte++;
}

// Comment markers are read past without being kept.
boolean SkipComment(j_decompress_ptr cinfo)
{
    unsigned length = NextByte(cinfo) << 8;
    length |= NextByte(cinfo);
    if (length > 2)
        (*cinfo->src->skip_input_data)(cinfo, long(length - 2));
    return TRUE;
}

// Data and size are already set; the reading starts from the beginning.
void ConnectSource(Decoder& d)
{
    SourceManager& src = d.src;
    src.pub.init_source = InitSource;
    src.pub.fill_input_buffer = FillInputBuffer;
    src.pub.skip_input_data = SkipInputData;
    src.pub.resync_to_restart = jpeg_resync_to_restart;
    src.pub.term_source = TermSource;
    src.pub.next_input_byte = nullptr;
    src.pub.bytes_in_buffer = 0;
    src.position = 0;
    d.cinfo.src = &src.pub;
}

void ApplyOptions(jpeg_decompress_struct& cinfo, const JpegOptions& o)
{
    switch (o.NumOfColors) {
    case ColorCount::_16:
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 16;
        break;
    case ColorCount::_256:
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 256;
        break;
    case ColorCount::TrueColor: cinfo.quantize_colors = FALSE; break;
    }
    switch (o.DCTMethod) {
    case DctMethod::Integ: cinfo.dct_method = JDCT_ISLOW; break;
    case DctMethod::FastInteg: cinfo.dct_method = JDCT_IFAST; break;
    case DctMethod::FloatingPoint: cinfo.dct_method = JDCT_FLOAT; break;
    }
    switch (o.Dither) {
    case DitherMode::None: cinfo.dither_mode = JDITHER_NONE; break;
    case DitherMode::FS: cinfo.dither_mode = JDITHER_FS; break;
    case DitherMode::Ordered: cinfo.dither_mode = JDITHER_ORDERED; break;
    }
    if (o.FastProcessing) {
        cinfo.two_pass_quantize = FALSE;
        cinfo.dither_mode = JDITHER_ORDERED;
        cinfo.dct_method = JDCT_IFAST;
        cinfo.do_fancy_upsampling = FALSE;
    }
    if (o.GrayScale)
        cinfo.out_color_space = JCS_GRAYSCALE;
    if (o.NoSmooth)
        cinfo.do_fancy_upsampling = FALSE;
    if (o.OnePass)
        cinfo.two_pass_quantize = FALSE;
}

// Makes the (unfilled) output picture for the started decompression, with
// its colour table when it is indexed.
QImage MakeOutput(const jpeg_decompress_struct& cinfo)
{
    const bool indexed = cinfo.quantize_colors || cinfo.out_color_space == JCS_GRAYSCALE;
    if (cinfo.output_components != (indexed ? 1 : 3))
        throw JpegError("Unexpected number of output components");
    QImage image(int(cinfo.output_width), int(cinfo.output_height),
        indexed ? QImage::Format_Indexed8 : QImage::Format_RGB888);
    if (image.isNull())
        throw JpegError("Not enough memory for the picture");
    if (indexed) {
        QList<QRgb> table;
        if (cinfo.quantize_colors) {
            table.reserve(cinfo.actual_number_of_colors);
            for (int i = 0; i < cinfo.actual_number_of_colors; ++i) {
                if (cinfo.out_color_components == 3)
                    table.append(
                        qRgb(cinfo.colormap[0][i], cinfo.colormap[1][i], cinfo.colormap[2][i]));
                else
                    table.append(
                        qRgb(cinfo.colormap[0][i], cinfo.colormap[0][i], cinfo.colormap[0][i]));
            }
        } else {
            table.reserve(256);
            for (int i = 0; i < 256; ++i)
                table.append(qRgb(i, i, i));
        }
        image.setColorTable(table);
    }
    return image;
}

struct Progress {
    ProgressStep step;
    const std::function<void(int)>* report;
    int last;
};

// The decode proper. The codec jumps back to the setjmp below on a fatal
// error or a warning; between the setjmp and any codec call no local with a
// destructor is alive, so the jump skips nothing that needs cleaning up.
// Failures of our own are thrown as exceptions directly, outside the codec.
bool RunDecode(Decoder& d, const JpegOptions& options, Progress& progress, QImage& out)
{
    if (setjmp(d.err.jump))
        return false;

    jpeg_decompress_struct& cinfo = d.cinfo;
    jpeg_create_decompress(&cinfo);
    // Full-picture buffers beyond this fail the decode instead of being made.
    cinfo.mem->max_memory_to_use = MaxJPEGCodecBytes;
    jpeg_set_marker_processor(&cinfo, JPEG_COM, SkipComment);
    ConnectSource(d);
    jpeg_read_header(&cinfo, TRUE);

    if (std::uint64_t(cinfo.image_width) * cinfo.image_height > MaxJPEGPixels)
        throw JpegError("JPEG image too large: " + std::to_string(cinfo.image_width) + " x "
            + std::to_string(cinfo.image_height) + " pixels");

    ApplyOptions(cinfo, options);
    if (cinfo.out_color_space != JCS_GRAYSCALE && cinfo.out_color_space != JCS_RGB)
        throw JpegError("BMP output must be grayscale or RGB");

    // Grey to be dithered to a few colours: decoded as grey, dithered here.
    const bool ownDither = cinfo.quantize_colors && cinfo.out_color_space == JCS_GRAYSCALE
        && cinfo.dither_mode == JDITHER_FS && cinfo.colormap == nullptr
        && cinfo.desired_number_of_colors >= 2 && cinfo.desired_number_of_colors <= 256;
    const int ditherColours = cinfo.desired_number_of_colors;
    if (ownDither)
        cinfo.quantize_colors = FALSE;

    jpeg_start_decompress(&cinfo);
    out = MakeOutput(cinfo);
    std::optional<GreyDither>& dither = d.dither;
    if (ownDither) {
        dither.emplace(ditherColours, int(cinfo.output_width));
        QList<QRgb> table;
        table.reserve(dither->colours());
        for (int i = 0; i < dither->colours(); ++i)
            table.append(qRgb(dither->level(i), dither->level(i), dither->level(i)));
        out.setColorTable(table);
    }

    const JDIMENSION height = cinfo.output_height;
    uchar* const bits = out.bits();
    const auto stride = std::size_t(out.bytesPerLine());
    constexpr int MaxRows = 4;
    while (cinfo.output_scanline < height) {
        // The rows the codec makes in one go, straight into the picture.
        const JDIMENSION first = cinfo.output_scanline;
        const JDIMENSION rows
            = std::min<JDIMENSION>(std::clamp(cinfo.rec_outbuf_height, 1, MaxRows), height - first);
        JSAMPROW rowPointers[MaxRows];
        for (JDIMENSION i = 0; i < rows; ++i)
            rowPointers[i] = bits + stride * (first + i);
        jpeg_read_scanlines(&cinfo, rowPointers, rows);
        if (dither && !d.deferDither)
            for (JDIMENSION line = first; line < cinfo.output_scanline; ++line)
                dither->row(bits + stride * line);
        for (JDIMENSION line = first + 1; line <= cinfo.output_scanline; ++line) {
            const int percent = int(std::uint64_t(line) * 100 / height);
            if (percent != progress.last && percent % progress.step == 0) {
                progress.last = percent;
                if (*progress.report)
                    (*progress.report)(percent);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

namespace {

QImage DecodeWith(Decoder& d, const char* data, std::size_t size, const JpegOptions& options,
    ProgressStep progressStep, const std::function<void(int percent)>& onProgress)
{
    d.cinfo.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = ErrorExit;
    d.err.pub.emit_message = EmitMessage;
    d.err.pub.output_message = OutputMessage;
    d.err.pub.trace_level = 0;
    d.src.data = reinterpret_cast<const JOCTET*>(data);
    d.src.size = data ? size : 0;

    Progress progress {std::clamp(progressStep, 1, 100), &onProgress, 0};
    QImage image;
    if (!RunDecode(d, options, progress, image))
        throw JpegError(d.err.message);
    return image;
}

} // namespace

QImage DecodeJPEG(const char* data, std::size_t size, const JpegOptions& options,
    ProgressStep progressStep, const std::function<void(int percent)>& onProgress)
{
    Decoder d {};
    return DecodeWith(d, data, size, options, progressStep, onProgress);
}

// ---------------------------------------------------------------------------

namespace {

// Reads a whole picture file. Only a regular file of at most
// MaxJPEGFileBytes is read: the open does not wait (for the writer of a
// named pipe) and the opened file is checked before anything is read.
bool ReadPictureFile(const QString& name, QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > MaxJPEGFileBytes)
        return false;
#else
    const QFileInfo info(name);
    QFile file(name);
    if (!info.isFile() || info.size() > MaxJPEGFileBytes || !file.open(QIODevice::ReadOnly))
        return false;
#endif
    QByteArray all = file.read(MaxJPEGFileBytes + 1);
    if (file.error() != QFileDevice::NoError || all.size() > MaxJPEGFileBytes)
        return false;
    bytes = std::move(all);
    return true;
}

struct Prefetched {
    QByteArray bytes;
    QImage image; // null when the file could not be read or decoded
    // Dithers image in place when it is decoded grey still to be dithered;
    // empty otherwise.
    std::function<void(QImage&)> finish;
};

Prefetch<Prefetched> prefetches;

Prefetched ReadAndDecode(const QString& name)
{
    Prefetched p;
    if (!ReadPictureFile(name, p.bytes) || p.bytes.isEmpty())
        return p;
    try {
        // Whether the bytes decode is known once the codec has run; the
        // dithering, which cannot fail, is left until the picture is needed.
        Decoder d {};
        d.deferDither = true;
        p.image = DecodeWith(
            d, p.bytes.constData(), std::size_t(p.bytes.size()), JpegOptions {}, 10, {});
        if (d.dither)
            p.finish = [dither = *d.dither](QImage& grey) mutable {
                uchar* const bits = grey.bits();
                const auto stride = std::size_t(grey.bytesPerLine());
                for (int line = 0; line < grey.height(); ++line)
                    dither.row(bits + stride * std::size_t(line));
            };
    } catch (...) {
        // Left to the FileName assignment, which reports it.
    }
    return p;
}

} // namespace

void PrefetchJPEGFiles(const QStringList& fileNames)
{
    for (const QString& name : fileNames)
        if (!name.isEmpty())
            prefetches.start(name, [name] { return ReadAndDecode(name); });
}

bool JpegImage::TakePrefetched()
{
    const std::optional<Prefetched> taken = prefetches.take(fileName_);
    if (!taken)
        return false;
    const Prefetched& p = *taken;
    // The decode it stands for would end at 100 %, reported to nobody.
    if (loading_ || options_ != JpegOptions {} || p.image.isNull() || p.bytes != source_
        || 100 % progressStep_ != 0
        || isSignalConnected(QMetaMethod::fromSignal(&JpegImage::progress)))
        return false;
    progressPercent_ = 100;
    setPicture(p.image);
    finish_ = p.finish;
    return true;
}

JpegImage::JpegImage(QWidget* parent) : QWidget(parent) { }

JpegImage::~JpegImage() = default;

template <typename T>
void JpegImage::SetOption(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    Decode();
}

void JpegImage::setNumOfColors(ColorCount value)
{
    SetOption(options_.NumOfColors, value);
}
void JpegImage::setDCTMethod(DctMethod value)
{
    SetOption(options_.DCTMethod, value);
}
void JpegImage::setDither(DitherMode value)
{
    SetOption(options_.Dither, value);
}
void JpegImage::setFastProcessing(bool value)
{
    SetOption(options_.FastProcessing, value);
}
void JpegImage::setGrayScale(bool value)
{
    SetOption(options_.GrayScale, value);
}
void JpegImage::setNoSmooth(bool value)
{
    SetOption(options_.NoSmooth, value);
}
void JpegImage::setOnePass(bool value)
{
    SetOption(options_.OnePass, value);
}

void JpegImage::setProgressStep(ProgressStep value)
{
    progressStep_ = std::clamp(value, 1, 100);
}

void JpegImage::setFileName(const QString& name)
{
    fileName_ = name;
    if (name.isEmpty()) {
        source_.clear();
        return;
    }
    QByteArray bytes;
    if (!ReadPictureFile(name, bytes))
        throw FileOpenError(("Cannot open file " + name).toStdString());
    source_ = std::move(bytes);
    if (TakePrefetched())
        return;
    Decode();
}

void JpegImage::Decode()
{
    if (source_.isEmpty() || loading_)
        return;
    progressPercent_ = 0;
    QImage image = DecodeJPEG(source_, options_, progressStep_, [this](int percent) {
        progressPercent_ = percent;
        emit progress(percent);
    });
    setPicture(image);
}

void JpegImage::setPicture(const QImage& picture)
{
    picture_ = picture;
    finish_ = nullptr;
    pixmap_ = QPixmap();
    update();
}

const QImage& JpegImage::picture() const
{
    if (finish_) {
        const auto finish = std::move(finish_);
        finish_ = nullptr;
        finish(picture_);
    }
    return picture_;
}

QSize JpegImage::sizeHint() const
{
    return picture_.isNull() ? QWidget::sizeHint() : picture_.size();
}

void JpegImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    if (pixmap_.isNull())
        pixmap_ = QPixmap::fromImage(picture());
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap_);
}

} // namespace kyt
