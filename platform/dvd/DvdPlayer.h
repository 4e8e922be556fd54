#pragma once
// The playing half of the DVD graph: takes the navigator's payloads, assembles and decodes them
// (MPEG-2 video; AC-3, DTS, MPEG audio and LPCM sound; sub-pictures), and shows and plays them on
// one clock through the media platform's renderers.
//
// Time: the disc's timestamps start again at every jump. Each run of payloads (a serial) is laid
// on a single timeline that goes on from where the clock stands, so the renderers see time only
// moving forward, and nothing of an earlier run is shown once the navigator has jumped.
#include "platform/dvd/EsAssembler.h"
#include "platform/dvd/Navigator.h"
#include "platform/dvd/SubpictureSink.h"
#include "platform/media/AudioRenderer.h"
#include "platform/media/Clock.h"
#include "platform/media/Decoder.h"
#include "platform/media/EventQueue.h"
#include "platform/media/VideoRenderer.h"

#include <array>
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

struct AVCodecContext;

namespace dvd {

class DvdPlayer final : public NavigatorOutput {
public:
    DvdPlayer(media::EventQueue& events, std::shared_ptr<media::VideoSink> window, bool audioDevice);
    ~DvdPlayer() override;
    DvdPlayer(const DvdPlayer&) = delete;
    DvdPlayer& operator=(const DvdPlayer&) = delete;

    // Opens the decoders. VFW_E_DVD_DECNOTENOUGH without an MPEG-2 video decoder; S_FALSE when
    // some sound or sub-picture decoder is missing (the status record says which).
    HRESULT open(uint32_t& failedStreams);
    void start();
    void stop();
    void setPaused(bool paused);
    void setVolume(int32_t volume);
    void setBalance(int32_t balance);
    void setSubpicturesShown(bool shown) { overlay_->setShown(shown); }
    void setPictureSize(int width, int height) { overlay_->setPictureSize(width, height); }

    const media::Clock& clock() const { return clock_; }
    const media::VideoRenderer* videoRenderer() const { return videoRenderer_.get(); }
    bool hasAudioDevice() const { return audioRenderer_ && audioRenderer_->hasDevice(); }

    // NavigatorOutput
    void onPayload(const EsPayload& payload, int serial) override;
    void onFlush(int serial) override;
    void onStill(int seconds) override;
    void onHighlight(const Highlight& highlight) override;
    void onColourTable(const std::array<uint32_t, 16>& table) override;
    void onPictureFormat(int width, int height, bool wide) override;
    void onEvent(int32_t code, LONG_PTR param1, LONG_PTR param2) override;
    void drain(const std::function<bool()>& abandon) override;
    bool full() const override;

private:
    struct AudioPath {
        std::unique_ptr<media::PacketQueue> packets;
        std::unique_ptr<media::Decoder> decoder;
        std::unique_ptr<EsAssembler> assembler;
    };
    int64_t timeline(const EsPayload& payload);
    // Time events wait for the picture they tell the time of: each is stamped with the timeline
    // time of the pictures read so far and handed on once the clock has reached it.
    // Called from the renderer (each picture shown) and from the navigator (each payload, each
    // look at whether the player is full), so that no window is needed for the events to flow.
    void releaseDueEvents() const;
    void decodeSubpicture(AVPacket* packet, int serial);
    AudioPath* audioFor(EsKind kind);

    media::EventQueue& events_;
    media::Clock clock_;
    std::shared_ptr<SubpictureSink> overlay_;
    bool audioDevice_;

    media::PacketQueue videoPackets_;
    media::FrameQueue videoFrames_{4};
    media::FrameQueue audioFrames_{16};
    std::unique_ptr<media::Decoder> videoDecoder_;
    std::unique_ptr<EsAssembler> videoAssembler_;
    AudioPath ac3_, dts_, mpa_, lpcm_;
    std::unique_ptr<media::VideoRenderer> videoRenderer_;
    std::unique_ptr<media::AudioRenderer> audioRenderer_;
    std::unique_ptr<EsAssembler> spuAssembler_;
    AVCodecContext* spuCodec_ = nullptr;  // navigator thread only after Open
    bool started_ = false;
    // Timeline time of the latest picture handed to the decoder (navigator thread writes).
    std::atomic<double> queuedUntil_{0.0};

    struct HeldEvent {
        double at;
        int32_t code;
        LONG_PTR param1, param2;
    };
    mutable std::mutex heldMutex_;
    mutable std::deque<HeldEvent> held_;  // protected by heldMutex_

    // Navigator thread only:
    int serial_ = 0;
    bool based_ = false;
    int64_t offset_ = 0;        // added to the disc's timestamps (90 kHz)
    int64_t lastVideoPts_ = -1;
    EsKind audioKind_ = EsKind::Other;
};

}  // namespace dvd
