// libFuzzer entry for CD images: any CUE sheet beside a short BIN opens as a disc or is refused,
// and a disc that opens gives a table of contents whose tracks can be read.
#include "platform/cdaudio/Disc.h"

#include <cdio/logging.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace cdaudio;

namespace {

std::string g_folder;

void WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    cdio_loglevel_default = CDIO_LOG_ASSERT;
    char folder[] = "/tmp/vistrel-cue-fuzz-XXXXXX";
    if (!mkdtemp(folder))
        std::abort();
    g_folder = folder;
    // Forty sectors of sound: long enough for a track or two, shorter than most sheets claim.
    std::string sound(2352 * 40, '\0');
    for (size_t i = 0; i < sound.size(); ++i)
        sound[i] = char(i * 7);
    WriteFile(g_folder + "/disc.bin", reinterpret_cast<const uint8_t*>(sound.data()), sound.size());
    std::atexit([] {
        ::unlink((g_folder + "/disc.bin").c_str());
        ::unlink((g_folder + "/disc.cue").c_str());
        ::rmdir(g_folder.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string sheet = g_folder + "/disc.cue";
    WriteFile(sheet, data, size);
    MciError error = MCI_OK;
    std::unique_ptr<Disc> disc = Disc::load(sheet, error);
    if (!disc)
        return 0;
    const DiscToc& toc = disc->toc();
    int16_t samples[kSamplesPerSector * 2];
    for (const Track& track : toc.tracks()) {
        if (track.audio) {
            disc->readSector(track.firstSector, samples);
            disc->readSector(track.endSector() - 1, samples);
        }
    }
    for (const SectorRun& run : toc.audioRuns(toc.startSample(), toc.endSample()))
        if (run.first > run.end)
            std::abort();
    return 0;
}
