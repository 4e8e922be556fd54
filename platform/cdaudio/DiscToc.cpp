#include "platform/cdaudio/DiscToc.h"

#include <algorithm>

namespace cdaudio {

namespace {

int64_t sampleOf(int32_t sector)
{
    return int64_t(sector) * kSamplesPerSector;
}

int32_t sectorOf(int64_t sample)
{
    return int32_t(sample / kSamplesPerSector);
}

}  // namespace

DiscToc::DiscToc(std::vector<Track> tracks) : tracks_(std::move(tracks)) {}

bool DiscToc::hasAudio() const
{
    return std::any_of(tracks_.begin(), tracks_.end(), [](const Track& t) { return t.audio; });
}

int DiscToc::firstTrack() const
{
    return tracks_.empty() ? 0 : tracks_.front().number;
}

int DiscToc::lastTrack() const
{
    return tracks_.empty() ? 0 : tracks_.back().number;
}

const Track* DiscToc::find(int number) const
{
    for (const Track& t : tracks_)
        if (t.number == number)
            return &t;
    return nullptr;
}

int64_t DiscToc::startSample() const
{
    for (const Track& t : tracks_)
        if (t.audio)
            return sampleOf(t.firstSector);
    return 0;
}

int64_t DiscToc::endSample() const
{
    for (auto t = tracks_.rbegin(); t != tracks_.rend(); ++t)
        if (t->audio)
            return sampleOf(t->endSector());
    return 0;
}

const Track* DiscToc::trackAt(int64_t sample) const
{
    if (tracks_.empty())
        return nullptr;
    const int32_t sector = sectorOf(sample);
    for (const Track& t : tracks_)
        if (sector < t.endSector())
            return &t;
    return &tracks_.back();
}

int64_t DiscToc::nextTrackStart(int64_t sample) const
{
    const Track* current = trackAt(sample);
    if (!current)
        return sample;
    for (const Track* t = current + 1; t != tracks_.data() + tracks_.size(); ++t)
        if (t->audio)
            return sampleOf(t->firstSector);
    if (current->audio)
        return sampleOf(current->firstSector);
    return previousTrackStart(sample);  // a data track at the end: back to the last audio one
}

int64_t DiscToc::previousTrackStart(int64_t sample) const
{
    const Track* current = trackAt(sample);
    if (!current)
        return sample;
    const bool withinFirstSecond = sectorOf(sample) - current->firstSector < kSectorsPerSecond;
    if (current->audio && !withinFirstSecond)
        return sampleOf(current->firstSector);
    for (const Track* t = current; t != tracks_.data();) {
        --t;
        if (t->audio)
            return sampleOf(t->firstSector);
    }
    // The first audio track: its own start (or, from a leading data track, the first audio one).
    return current->audio ? sampleOf(current->firstSector) : startSample();
}

std::vector<SectorRun> DiscToc::audioRuns(int64_t fromSample, int64_t toSample) const
{
    std::vector<SectorRun> runs;
    const int32_t from = sectorOf(fromSample);
    const int32_t to = int32_t((toSample + kSamplesPerSector - 1) / kSamplesPerSector);
    for (const Track& t : tracks_) {
        if (!t.audio)
            continue;
        const int32_t first = std::max(from, t.firstSector);
        const int32_t end = std::min(to, t.endSector());
        if (first >= end)
            continue;
        if (!runs.empty() && runs.back().end == first)
            runs.back().end = end;
        else
            runs.push_back({first, end});
    }
    return runs;
}

uint32_t DiscToc::encode(int64_t sample, uint32_t format) const
{
    switch (format) {
    case MCI_FORMAT_MILLISECONDS:
        return uint32_t(sample * 1000 / kSampleRate);
    case MCI_FORMAT_MSF: {
        const int32_t address = sectorOf(sample) + kPregapSectors;
        return makeMsf(address / (60 * kSectorsPerSecond), address / kSectorsPerSecond % 60,
                       address % kSectorsPerSecond);
    }
    default: {
        const Track* t = trackAt(sample);
        if (!t)
            return 0;
        const int32_t offset = std::max(0, sectorOf(sample) - t->firstSector);
        return makeTmsf(t->number, offset / (60 * kSectorsPerSecond), offset / kSectorsPerSecond % 60,
                        offset % kSectorsPerSecond);
    }
    }
}

std::optional<int64_t> DiscToc::decode(uint32_t value, uint32_t format) const
{
    int64_t sample = 0;
    switch (format) {
    case MCI_FORMAT_MILLISECONDS:
        sample = int64_t(value) * kSampleRate / 1000;
        break;
    case MCI_FORMAT_MSF: {
        const int64_t address = (int64_t(value & 0xFF) * 60 + (value >> 8 & 0xFF)) * kSectorsPerSecond +
                                (value >> 16 & 0xFF);
        if (address < kPregapSectors)
            return std::nullopt;
        sample = sampleOf(int32_t(address - kPregapSectors));
        break;
    }
    case MCI_FORMAT_TMSF: {
        const Track* t = find(tmsfTrack(value));
        if (!t)
            return std::nullopt;
        const int64_t offset =
            (int64_t(tmsfMinute(value)) * 60 + tmsfSecond(value)) * kSectorsPerSecond + tmsfFrame(value);
        if (offset > t->sectors)
            return std::nullopt;
        sample = sampleOf(int32_t(t->firstSector + offset));
        break;
    }
    default:
        return std::nullopt;
    }
    if (tracks_.empty() || sample > sampleOf(tracks_.back().endSector()))
        return std::nullopt;
    return sample;
}

}  // namespace cdaudio
