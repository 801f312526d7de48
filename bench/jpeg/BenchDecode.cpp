// Decoding speed of the picture component (DecodeJPEG) beside libjpeg called
// directly in the same process with the same parameters, and beside
// `djpeg -pnm` with its process start subtracted:
//
//   bench_jpeg --pictures DIR [--rounds N]
//
// The files: the five schematics in DIR (one-component drawings) and a
// three-component photo-like picture (smooth gradients crossed by sharp
// edges, 1024 x 768, 4:2:0). The options: the component's defaults (256
// colours, Floyd-Steinberg dithering) and true colour. Every round decodes
// each file with each option once by each contender, in turn, from the
// bytes in memory (djpeg reads its file); the medians over the rounds are
// compared. djpeg's process start is measured on an 8 x 8 file.
#include "JpegImage.h"
#include "JpegSamples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include <jpeglib.h>

extern char** environ;

using namespace kyt;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

struct DirectError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void DirectExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<DirectError*>(cinfo->err)->jump, 1);
}

// libjpeg as a program of its own would call it: the bytes in memory, the
// same options, whole row groups into one output buffer.
bool DecodeDirect(const QByteArray& bytes, bool trueColour, std::vector<unsigned char>& out)
{
    jpeg_decompress_struct cinfo {};
    DirectError err {};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = DirectExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
        static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    if (!trueColour) {
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 256;
        cinfo.dither_mode = JDITHER_FS;
    }
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t(cinfo.output_width) * cinfo.output_components;
    out.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[16];
        const int n = std::min<int>(cinfo.rec_outbuf_height, 16);
        for (int i = 0; i < n; ++i)
            rows[i] = out.data()
                + stride * std::min<JDIMENSION>(cinfo.output_scanline + i, cinfo.output_height - 1);
        jpeg_read_scanlines(&cinfo, rows, JDIMENSION(n));
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// Runs djpeg -pnm with the switches on the file, output to /dev/null; its
// wall time in milliseconds, or a negative number when it failed.
double RunDjpeg(std::vector<std::string> switches, const std::string& file)
{
    std::vector<std::string> args {KYT_DJPEG, "-pnm"};
    args.insert(args.end(), switches.begin(), switches.end());
    for (const char* s : {"-outfile", "/dev/null"})
        args.emplace_back(s);
    args.push_back(file);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const Clock::time_point t0 = Clock::now();
    pid_t pid;
    if (posix_spawn(&pid, KYT_DJPEG, nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = msSince(t0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

struct Picture {
    std::string name, file;
    QByteArray bytes;
};

struct Case {
    const Picture* picture;
    bool trueColour;
    std::vector<double> ours, direct, djpeg;
};

} // namespace

int main(int argc, char** argv)
{
    QString pictures;
    int rounds = 15;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--pictures") == 0)
            pictures = QString::fromLocal8Bit(argv[i + 1]);
        else if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));
    }
    if (pictures.isEmpty() || argc % 2 == 0) {
        std::fprintf(stderr, "usage: bench_jpeg --pictures DIR [--rounds N]\n");
        return 2;
    }
    QTemporaryDir dir;
    std::vector<Picture> files;
    for (const char* name :
        {"obwody.jpg", "liniowy.jpg", "pulpit.jpg", "zpg.jpg", "blok - zwrot.jpg"}) {
        Picture p {name, QDir(pictures).filePath(QString::fromLatin1(name)).toStdString(), {}};
        QFile in(QString::fromStdString(p.file));
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", p.file.c_str());
            return 1;
        }
        p.bytes = in.readAll();
        files.push_back(std::move(p));
    }
    const std::string tiny = dir.filePath(QStringLiteral("tiny.jpg")).toStdString();
    {
        Picture photo {"photo-like (3 components)",
            dir.filePath(QStringLiteral("photo.jpg")).toStdString(),
            samples::EncodeJPEG(samples::ColourPattern(1024, 768))};
        QFile out(QString::fromStdString(photo.file));
        QFile small(QString::fromStdString(tiny));
        if (!out.open(QIODevice::WriteOnly) || !small.open(QIODevice::WriteOnly))
            return 1;
        out.write(photo.bytes);
        small.write(samples::EncodeJPEG(samples::Schematic(8, 8)));
        files.push_back(std::move(photo));
    }
    std::vector<Case> cases;
    for (const Picture& p : files)
        for (bool tc : {false, true})
            cases.push_back({&p, tc, {}, {}, {}});

    JpegOptions defaults, trueColour;
    trueColour.NumOfColors = ColorCount::TrueColor;
    std::vector<unsigned char> buffer;
    std::vector<double> startUp;
    // One warm-up round is not counted.
    for (int r = -1; r < rounds; ++r) {
        const double s = RunDjpeg({}, tiny);
        if (s < 0) {
            std::fprintf(stderr, "djpeg failed\n");
            return 1;
        }
        if (r >= 0)
            startUp.push_back(s);
        for (Case& c : cases) {
            // The contenders take turns going first.
            double ours = 0, direct = 0;
            for (int k = 0; k < 2; ++k) {
                if ((k + r) % 2 == 0) {
                    const Clock::time_point t0 = Clock::now();
                    const QImage image
                        = DecodeJPEG(c.picture->bytes, c.trueColour ? trueColour : defaults);
                    ours = msSince(t0);
                    if (image.isNull())
                        return 1;
                } else {
                    const Clock::time_point t0 = Clock::now();
                    if (!DecodeDirect(c.picture->bytes, c.trueColour, buffer)) {
                        std::fprintf(stderr, "libjpeg failed on %s\n", c.picture->name.c_str());
                        return 1;
                    }
                    direct = msSince(t0);
                }
            }
            const double dj = RunDjpeg(c.trueColour
                    ? std::vector<std::string> {"-dct", "int"}
                    : std::vector<std::string> {"-colors", "256", "-dither", "fs", "-dct", "int"},
                c.picture->file);
            if (dj < 0) {
                std::fprintf(stderr, "djpeg failed on %s\n", c.picture->name.c_str());
                return 1;
            }
            if (r < 0)
                continue;
            c.ours.push_back(ours);
            c.direct.push_back(direct);
            c.djpeg.push_back(dj);
        }
    }
    const double start = median(startUp);
    std::printf("decoding, %d rounds interleaved, medians in ms; djpeg -pnm less its process "
                "start (%.2f ms on an 8 x 8 file)\n",
        rounds, start);
    std::printf("%-27s %-11s %7s %7s %7s %13s %12s\n", "picture", "options", "ours", "direct",
        "djpeg", "ours/direct", "ours/djpeg");
    double worst = 0;
    for (const Case& c : cases) {
        const double o = median(c.ours), d = median(c.direct), j = median(c.djpeg) - start;
        worst = std::max(worst, o / d);
        std::printf("%-27s %-11s %7.2f %7.2f %7.2f %13.3f %12.3f\n", c.picture->name.c_str(),
            c.trueColour ? "true colour" : "defaults", o, d, j, o / d, j > 0 ? o / j : 0.0);
    }
    std::printf("goal: ours <= 1.05 x direct in every case: %s (worst %.3f)\n",
        worst <= 1.05 ? "met" : "missed", worst);
    return 0;
}
