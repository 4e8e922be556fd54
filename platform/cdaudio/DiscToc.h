#pragma once
// The table of contents of an audio CD and the arithmetic on it: which track a position falls in,
// where next and previous track lead, which sectors a play covers, and the three time formats in
// which positions are given (milliseconds, minutes-seconds-frames of the disc, and
// tracks-minutes-seconds-frames).
//
// Positions are sample frames from the first sector of the disc (sector 0 = sample 0); a sector
// holds 588 stereo samples, 75 sectors make a second. Tracks keep the numbers the disc gives them,
// so a disc may start at track 2, and data tracks are listed but never played.
#include "platform/cdaudio/CdErrors.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace cdaudio {

constexpr int kSamplesPerSector = 588;
constexpr int kSectorsPerSecond = 75;
constexpr int kSampleRate = kSamplesPerSector * kSectorsPerSecond;  // 44100
constexpr int kPregapSectors = 150;  // the two seconds before sector 0 in disc addresses

// Time formats, with the numbers the command interface gives them.
constexpr uint32_t MCI_FORMAT_MILLISECONDS = 0;
constexpr uint32_t MCI_FORMAT_MSF = 2;
constexpr uint32_t MCI_FORMAT_TMSF = 10;

struct Track {
    int number = 0;
    int32_t firstSector = 0;
    int32_t sectors = 0;
    bool audio = true;
    int32_t endSector() const { return firstSector + sectors; }
};

// A contiguous run of audio sectors [first, end).
struct SectorRun {
    int32_t first = 0;
    int32_t end = 0;
    bool operator==(const SectorRun&) const = default;
};

class DiscToc {
public:
    DiscToc() = default;
    explicit DiscToc(std::vector<Track> tracks);  // in disc order

    const std::vector<Track>& tracks() const { return tracks_; }
    bool hasAudio() const;
    int firstTrack() const;
    int lastTrack() const;
    const Track* find(int number) const;

    // Where playing begins and where it ends: the first sector of the first audio track and the
    // end of the last one.
    int64_t startSample() const;
    int64_t endSample() const;

    // The track holding a position; a position at or past the end belongs to the last track.
    const Track* trackAt(int64_t sample) const;
    // Next track: the start of the next audio track, or of the current one when none follows.
    int64_t nextTrackStart(int64_t sample) const;
    // Previous track: the start of the current track, or of the audio track before it while the
    // position is still within the first second of the current one.
    int64_t previousTrackStart(int64_t sample) const;

    // The audio sectors from one position to another, data tracks left out.
    std::vector<SectorRun> audioRuns(int64_t fromSample, int64_t toSample) const;

    // A position in a time format, packed as the command interface packs it, and back. Decoding
    // refuses a track the disc does not have or a time beyond the disc.
    uint32_t encode(int64_t sample, uint32_t format) const;
    std::optional<int64_t> decode(uint32_t value, uint32_t format) const;

private:
    std::vector<Track> tracks_;
};

// Where the sound of the sectors comes from: the disc, or a stand-in in tests.
class SectorSource {
public:
    virtual ~SectorSource() = default;
    // Reads one sector: 588 stereo samples, interleaved, native byte order. False when it cannot.
    virtual bool readSector(int32_t sector, int16_t* samples) = 0;
};

// The packing of tracks-minutes-seconds-frames and minutes-seconds-frames values.
constexpr uint32_t makeTmsf(int t, int m, int s, int f)
{
    return uint32_t(t & 0xFF) | uint32_t(m & 0xFF) << 8 | uint32_t(s & 0xFF) << 16 | uint32_t(f & 0xFF) << 24;
}
constexpr uint32_t makeMsf(int m, int s, int f)
{
    return uint32_t(m & 0xFF) | uint32_t(s & 0xFF) << 8 | uint32_t(f & 0xFF) << 16;
}
constexpr int tmsfTrack(uint32_t v) { return int(v & 0xFF); }
constexpr int tmsfMinute(uint32_t v) { return int(v >> 8 & 0xFF); }
constexpr int tmsfSecond(uint32_t v) { return int(v >> 16 & 0xFF); }
constexpr int tmsfFrame(uint32_t v) { return int(v >> 24 & 0xFF); }

}  // namespace cdaudio
