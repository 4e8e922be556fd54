#pragma once
// The CD audio device: the platform's counterpart of the media control interface's CD audio
// device. It is opened on a drive (an optical device such as /dev/sr0, or a CD image given by its
// CUE sheet), answers status queries in the chosen time format, plays, pauses, resumes, stops,
// seeks, moves by track, and opens and closes the door of a real drive. Every command returns a
// result code (CdErrors.h); zero is success.
//
// A play may ask to be notified: when it ends (or is aborted, superseded or fails) the object named
// with the play receives a com::WindowMessageEvent MM_MCINOTIFY, wParam one of the MCI_NOTIFY_
// values, lParam the device's id. The event is posted: it arrives on the UI thread in turn.
//
// UI thread only; the sound is read and played on threads of the device's own.
#include "platform/cdaudio/CdErrors.h"
#include "platform/cdaudio/DiscToc.h"

#include "platform/system/UiWakeUp.h"

#include <QPointer>

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class QObject;

namespace cdaudio {

class Disc;
class CdPlayback;

constexpr uint32_t MM_MCINOTIFY = 0x3B9;
constexpr intptr_t MCI_NOTIFY_SUCCESSFUL = 1;
constexpr intptr_t MCI_NOTIFY_SUPERSEDED = 2;
constexpr intptr_t MCI_NOTIFY_ABORTED = 4;
constexpr intptr_t MCI_NOTIFY_FAILURE = 8;

// Device modes, numbered as the command interface numbers them.
enum class Mode : uint32_t { NotReady = 524, Stopped = 525, Playing = 526, Seeking = 528, Paused = 529, Open = 530 };

class CdAudioDevice {
public:
    CdAudioDevice();
    ~CdAudioDevice();
    CdAudioDevice(const CdAudioDevice&) = delete;
    CdAudioDevice& operator=(const CdAudioDevice&) = delete;

    // Opens the device on the drive named by `element` ("<drive>*.cda", or the drive itself). A
    // drive without a disc opens (its door can still be worked) but does not play; a missing drive
    // or a file that is no audio CD is refused. The table of contents is read afresh.
    MciError open(const std::string& element, bool shareable);
    // Stops and closes; a notification still pending is aborted.
    void close();
    bool isOpen() const { return id_ != 0; }
    uint32_t id() const { return id_; }
    const std::string& drive() const { return drive_; }
    bool shareable() const { return shareable_; }

    MciError setTimeFormat(uint32_t format);
    uint32_t timeFormat() const { return timeFormat_; }

    Mode mode() const;
    bool mediaPresent() const { return disc_ != nullptr; }
    int numberOfTracks() const;
    int firstTrack() const;
    int currentTrack() const;
    // Positions and lengths in the time format.
    uint32_t position() const;
    uint32_t length() const;   // of the whole disc
    uint32_t start() const;    // where the first audio track begins
    MciError trackPosition(int track, uint32_t& value) const;
    MciError trackLength(int track, uint32_t& value) const;  // as a duration (tracks: minutes-seconds-frames)
    // The position in samples from the disc's first sector (for tests and status displays).
    int64_t positionSamples() const;
    // Whether the position has reached the end of the last audio track.
    bool atEnd() const;

    // Plays from `from` (or from the current position) to `to` (or the end of the last audio
    // track); while paused and given neither, it resumes.
    MciError play(std::optional<uint32_t> from = std::nullopt, std::optional<uint32_t> to = std::nullopt,
                  QObject* notify = nullptr);
    MciError pause();
    MciError resume();
    MciError stop();
    // Moves the position, leaving the device stopped.
    MciError seek(uint32_t to);
    MciError seekToStart();
    MciError seekToEnd();
    // Next and previous track; playing goes on from there, a paused device stays paused there.
    MciError nextTrack();
    MciError previousTrack();

    MciError openDoor();
    MciError closeDoor();

private:
    MciError ready();
    MciError moveTo(int64_t sample);
    void endNotify(intptr_t result);
    void played(uint64_t serial, bool complete);  // a play's end, on the UI thread
    void deliverEnd();
    void loadDisc();

    // The sound thread's word of a play's end, handed to the UI thread. First: it outlives the
    // playback whose thread uses it.
    std::mutex endsMutex_;
    std::deque<std::pair<uint64_t, bool>> ends_;  // protected by endsMutex_
    platform::UiWakeUp wake_;
    std::unique_ptr<Disc> disc_;
    std::unique_ptr<CdPlayback> playback_;
    std::string drive_;
    bool shareable_ = false;
    uint32_t id_ = 0;
    uint32_t timeFormat_ = MCI_FORMAT_MSF;
    int64_t playEnd_ = 0;  // the end of the current play, in samples
    QPointer<QObject> notifyTarget_;
    bool notifyPending_ = false;
    uint64_t notifySerial_ = 0;
};

}  // namespace cdaudio
