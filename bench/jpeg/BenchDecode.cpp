// Decoding a schematic-sized picture (757 x 957) with the picture
// component's decoder, and with djpeg on the same file and options; the
// summary gives the time of ours divided by djpeg's.
//
// Our side reads the file and decodes it into the displayed picture, as
// loading a file name does; djpeg reads the file and writes a BMP image to
// /dev/null. djpeg's time includes starting a process, which is measured
// separately on a tiny file and reported too.
#include "JpegImage.h"
#include "JpegSamples.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace kyt;

namespace {

struct Case {
    const char* name;
    JpegOptions options;
    std::vector<std::string> djpeg; // the same options as djpeg switches
};

JpegOptions TrueColour()
{
    JpegOptions o;
    o.NumOfColors = ColorCount::TrueColor;
    return o;
}
JpegOptions Fast()
{
    JpegOptions o;
    o.FastProcessing = true;
    return o;
}

const Case kCases[] = {
    {"Defaults", {}, {"-colors", "256", "-dct", "int", "-dither", "fs"}},
    {"trueColor", TrueColour(), {"-dct", "int"}},
    {"Fast", Fast(), {"-colors", "256", "-fast"}},
};

bool RunDjpeg(const std::vector<std::string>& switches, const std::string& file)
{
    std::vector<std::string> args {KYT_DJPEG};
    args.insert(args.end(), switches.begin(), switches.end());
    for (const char* s : {"-bmp", "-outfile", "/dev/null"})
        args.emplace_back(s);
    args.push_back(file);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, KYT_DJPEG, nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Keeps each benchmark's real time per iteration for the summary.
class Collector : public benchmark::ConsoleReporter {
public:
    Collector() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) { }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
                seconds[run.run_name.function_name]
                    = run.real_accumulated_time / double(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    const std::string file = dir.filePath("schematic.jpg").toStdString();
    const std::string tiny = dir.filePath("tiny.jpg").toStdString();
    {
        samples::EncodeParams params;
        params.quality = 75;
        QFile out(QString::fromStdString(file));
        QFile small(QString::fromStdString(tiny));
        if (!out.open(QIODevice::WriteOnly) || !small.open(QIODevice::WriteOnly))
            return 1;
        out.write(samples::EncodeJPEG(samples::Schematic(757, 957), params));
        small.write(samples::EncodeJPEG(samples::Schematic(8, 8), params));
    }

    for (const Case& c : kCases) {
        benchmark::RegisterBenchmark((std::string("Kyt/") + c.name).c_str(),
            [&c, file](benchmark::State& state) {
                for (auto _ : state) {
                    QFile in(QString::fromStdString(file));
                    if (!in.open(QIODevice::ReadOnly)) {
                        state.SkipWithError("cannot read the picture");
                        break;
                    }
                    const QImage image = DecodeJPEG(in.readAll(), c.options);
                    benchmark::DoNotOptimize(image.constBits());
                }
            })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(1.0);
        benchmark::RegisterBenchmark((std::string("djpeg/") + c.name).c_str(),
            [&c, file](benchmark::State& state) {
                for (auto _ : state)
                    if (!RunDjpeg(c.djpeg, file)) {
                        state.SkipWithError("djpeg failed");
                        break;
                    }
            })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(1.0);
    }
    benchmark::RegisterBenchmark("djpeg/StartUp",
        [tiny](benchmark::State& state) {
            for (auto _ : state)
                if (!RunDjpeg({}, tiny)) {
                    state.SkipWithError("djpeg failed");
                    break;
                }
        })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MinTime(1.0);

    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    const double startUp
        = collector.seconds.count("djpeg/StartUp") ? collector.seconds["djpeg/StartUp"] : 0.0;
    std::printf("\nRatio to djpeg on the same 757 x 957 file and options (goal: at most 1.10)\n");
    for (const Case& c : kCases) {
        const auto ours = collector.seconds.find(std::string("Kyt/") + c.name);
        const auto theirs = collector.seconds.find(std::string("djpeg/") + c.name);
        if (ours == collector.seconds.end() || theirs == collector.seconds.end())
            continue;
        std::printf("  %-10s %.2f", c.name, ours->second / theirs->second);
        if (startUp > 0 && theirs->second > startUp)
            std::printf("   (%.2f against djpeg without its process start-up)",
                ours->second / (theirs->second - startUp));
        std::printf("\n");
    }
    return 0;
}
