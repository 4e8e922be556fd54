// Soak figures, printed: open, play, seek, jump and stop, over and over, on the generated DVD, a
// media file and the CD image, all in one process, the way the player drives the engine's
// components. Resident memory, open descriptors and threads are read after fifty warm-up cycles
// (libraries load, caches and allocator pools fill) and again at the end (targets: growth under 5 MB, the same descriptors
// and threads as before).
//   vistrel-bench-soak [CYCLES]   (default 300)
#include "ProgramProbe.h"
#include "engine/TDSDVDGraph.h"
#include "engine/TDSFilterGraph2.h"
#include "engine/TMediaPlayer.h"
#include "platform/dvd/VolumeFinder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using bench::mediaFile;

namespace {

// Cycles before the "before" figures: libraries load, caches and the allocator's pools fill. glibc
// gives the playing threads arenas of their own, which reach their working size only after a few
// dozen cycles (300 cycles after 10 of warm-up: +8.6 MB, of which +1.2 MB with MALLOC_ARENA_MAX=2;
// after 50: +3.7 MB), so the figures start at cycle 50.
constexpr int kWarmUp = 50;

struct Usage {
    long residentKb = 0;
    int descriptors = 0;
    int threads = 0;
};

Usage Measure()
{
    Usage u;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                u.residentKb = line.mid(6).trimmed().split(' ').value(0).toLong();
            else if (line.startsWith("Threads:"))
                u.threads = line.mid(8).trimmed().toInt();
        }
    }
    u.descriptors = int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
    return u;
}

// Lets the event loop and the platform's threads run for a while.
void Run(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

void DvdCycle(TDSDVDGraph& graph)
{
    graph.Disconnect();
    graph.Connect();
    dvd::AM_DVD_RENDERSTATUS status;
    if (!graph.IDvdGraphBuilder()
        || FAILED(graph.IDvdGraphBuilder()->RenderDvdVideoVolume({}, dvd::AM_DVD_HWDEC_PREFER, status)))
        return;
    graph.QueryGraphInterfaces();
    if (graph.IMediaControl())
        graph.IMediaControl()->Run();
    Run(40);
    if (auto control = graph.IDvdControl2()) {
        control->PlayChapterInTitle(1, 2, dvd::DVD_CMD_FLAG_None, nullptr);  // jump
        Run(40);
        dvd::DVD_HMSF_TIMECODE time{};
        time.bSeconds = 9;
        control->PlayAtTime(time, dvd::DVD_CMD_FLAG_None, nullptr);  // seek
        Run(40);
    }
    if (graph.IMediaControl())
        graph.IMediaControl()->Stop();
    graph.Disconnect();
}

void FileCycle(TDSFilterGraph2& graph, const QString& file)
{
    graph.ClearGraph();
    if (FAILED(graph.IFilterGraph2()->RenderFile(file)))
        return;
    graph.QueryGraphInterfaces();
    if (graph.IMediaControl())
        graph.IMediaControl()->Run();
    Run(40);
    if (auto seeking = graph.IMediaSeeking()) {
        media::REFERENCE_TIME position = 30'000'000;  // 3 s
        seeking->SetPositions(&position, media::AM_SEEKING_AbsolutePositioning, nullptr, 0);
        Run(40);
        position = 0;
        seeking->SetPositions(&position, media::AM_SEEKING_AbsolutePositioning, nullptr, 0);
        Run(40);
    }
    if (graph.IMediaControl())
        graph.IMediaControl()->Stop();
    graph.ClearGraph();
}

void CdCycle()
{
    TMediaPlayer player;
    player.Shareable = true;
    player.FileName = mediaFile(QStringLiteral("cd/disc.cue")) + QStringLiteral("*.cda");
    RunMediaCommand([&] {
        player.Open();
        player.Play();
        Run(40);
        player.Next();  // jump
        Run(40);
        player.SetTimeFormat(tfMilliseconds);
        player.SetPosition(7000);  // seek
        Run(40);
        player.Stop();
        player.Close();
    });
}

void Print(const char* when, const Usage& u)
{
    std::printf("%-22s resident %7.1f MB   descriptors %4d   threads %3d\n", when, u.residentKb / 1024.0,
                u.descriptors, u.threads);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("SDL_AUDIODRIVER", qgetenv("SDL_AUDIODRIVER").isEmpty() ? "dummy" : qgetenv("SDL_AUDIODRIVER"));
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::max(1, atoi(argv[1])) : 300;
    dvd::SetPreferredVolume(mediaFile(QStringLiteral("dvd")));
    const QString file = mediaFile(QStringLiteral("files/halves.mpeg"));

    // VISTREL_SOAK_ONLY=dvd|file|cd soaks one kind of medium; VISTREL_SOAK_VERBOSE prints every cycle.
    const QString only = qEnvironmentVariable("VISTREL_SOAK_ONLY");
    const bool verbose = qEnvironmentVariableIsSet("VISTREL_SOAK_VERBOSE");
    const Usage start = Measure();
    QElapsedTimer timer;
    timer.start();
    Usage warm;
    {
        TDSDVDGraph dvdGraph;
        TDSFilterGraph2 fileGraph;
        fileGraph.Connect();
        for (int i = 0; i < kWarmUp + cycles; ++i) {
            if (only.isEmpty() || only == "dvd")
                DvdCycle(dvdGraph);
            if (only.isEmpty() || only == "file")
                FileCycle(fileGraph, file);
            if (only.isEmpty() || only == "cd")
                CdCycle();
            if (i == kWarmUp)
                warm = Measure();
            if (verbose)
                std::printf("  cycle %d: resident %.1f MB, threads %d\n", i, Measure().residentKb / 1024.0, Measure().threads);
            if (i % 50 == 0) {
                std::printf("  %d cycles, resident %.1f MB\n", i, Measure().residentKb / 1024.0);
                std::fflush(stdout);
            }
        }
        fileGraph.Disconnect();
    }
    Run(200);  // threads that end on their own
    const Usage end = Measure();

    std::printf("Soak: %d cycles of open/play/seek/jump/stop on the DVD, %s and the CD image, %.1f s\n", cycles,
                qPrintable(QFileInfo(file).fileName()), timer.elapsed() / 1000.0);
    Print("at start", start);
    Print("after the warm-up", warm);
    Print("at the end", end);
    const double growthMb = (end.residentKb - warm.residentKb) / 1024.0;
    std::printf("resident growth %.1f MB (target under 5)   descriptors %+d   threads %+d (targets 0)\n", growthMb,
                end.descriptors - warm.descriptors, end.threads - warm.threads);
    return 0;
}
