#pragma once
// The MIDI source: plays a standard MIDI file through FluidSynth with a General MIDI sound font and
// pushes the synthesised sound (16-bit stereo, 44.1 kHz) into the audio renderer's FrameQueue from
// a synthesis thread of its own.
//
// The length of the piece is found when the file is opened by running the sequencer once on a
// silent synthesiser, which also gives the table of sequencer ticks per second used for seeking.
#include "platform/com/Result.h"
#include "platform/media/FrameQueue.h"
#include "platform/media/SeekRequest.h"

#include <QString>

#include <atomic>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace media {

class FluidLibrary;

class MidiSource {
public:
    // Synthesises with `library`, or when none is given with the program's FluidSynth, opened on
    // the first MIDI file.
    explicit MidiSource(const FluidLibrary* library = nullptr);
    ~MidiSource();
    MidiSource(const MidiSource&) = delete;
    MidiSource& operator=(const MidiSource&) = delete;

    static constexpr int kSampleRate = 44100;

    // True when the file starts like a standard MIDI file.
    static bool isMidiFile(const QString& path);
    // The General MIDI sound font to use: $VISTREL_SOUNDFONT when set (even when it does not
    // exist, which means none), else the largest one installed in the usual places; empty if none.
    static QString findSoundFont();

    // Loads the sound font and the file. VFW_E_CANNOT_RENDER without a usable sound font,
    // VFW_E_INVALID_FILE_FORMAT for a file the sequencer refuses.
    HRESULT open(const QString& path);
    double duration() const { return duration_; }
    QString soundFont() const { return soundFont_; }
    // Why open() failed, for the user, when the reason is more than the file.
    QString error() const { return error_; }

    void start(FrameQueue* out);
    void stop();
    void seek(double target, int serial);

private:
    void run();
    bool restartAt(double target);
    int tickAt(double seconds) const;

    const FluidLibrary& fluid_;
    QString path_;
    QString soundFont_;
    QString error_;
    double duration_ = 0;
    std::vector<std::pair<double, int>> ticks_;  // (seconds, sequencer tick), rising
    struct Synth;
    std::unique_ptr<Synth> synth_;
    FrameQueue* out_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    SeekRequest seekRequest_;
};

}  // namespace media
