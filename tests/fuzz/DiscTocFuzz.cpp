// libFuzzer entry for the table-of-contents arithmetic: any list of tracks a drive or image may
// report (out of order, overlapping, empty, huge), and any position or packed time, must give
// answers without crashing or overflowing; a decoded time must fall on the disc.
#include "platform/cdaudio/DiscToc.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdlib>

using namespace cdaudio;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    std::vector<Track> tracks(in.take<uint8_t>() % 100);
    for (Track& t : tracks) {
        t.number = in.take<uint8_t>();
        t.firstSector = in.take<int32_t>() & 0x3FFFFF;  // what a CD address can hold
        t.sectors = in.take<int32_t>() & 0x3FFFFF;
        t.audio = in.take<uint8_t>() & 1;
    }
    const DiscToc toc(std::move(tracks));
    (void)toc.hasAudio();
    (void)toc.find(in.take<uint8_t>());
    (void)toc.startSample();
    (void)toc.endSample();
    while (!in.empty()) {
        const int64_t sample = in.take<int32_t>();
        (void)toc.trackAt(sample);
        (void)toc.nextTrackStart(sample);
        (void)toc.previousTrackStart(sample);
        for (const SectorRun& run : toc.audioRuns(sample, in.take<int32_t>()))
            if (run.first > run.end)
                std::abort();
        for (uint32_t format : {MCI_FORMAT_MILLISECONDS, MCI_FORMAT_MSF, MCI_FORMAT_TMSF}) {
            (void)toc.encode(sample, format);
            // A decoded time lies on the disc, whose end is that of its last track.
            if (const auto decoded = toc.decode(in.take<uint32_t>(), format))
                if (*decoded < 0 || *decoded > int64_t(toc.tracks().back().endSector()) * kSamplesPerSector)
                    std::abort();
        }
    }
    return 0;
}
