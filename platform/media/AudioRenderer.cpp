#include "platform/media/AudioRenderer.h"


extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>

namespace media {

AudioRenderer::AudioRenderer(FrameQueue& in, Clock& clock) : in_(in), clock_(clock) {}

AudioRenderer::~AudioRenderer()
{
    close();
}

bool AudioRenderer::open(int sampleRate, bool useDevice)
{
    close();
    output_.setPaused(paused_);
    return output_.open(sampleRate, useDevice, true, [this](uint8_t* out, int len) { fill(out, len); });
}

void AudioRenderer::close()
{
    output_.close();
    swr_free(&swr_);
}

void AudioRenderer::setPaused(bool paused)
{
    paused_ = paused;
    output_.setPaused(paused);
}

void AudioRenderer::setRate(double rate)
{
    rate_ = rate;
}

bool AudioRenderer::convert(const DecodedFrame& decoded, double rate)
{
    const AVFrame* frame = decoded.frame.get();
    const int inRate = std::max(1, int(std::lround(frame->sample_rate * rate)));
    if (!swr_ || inRate != swrInRate_ || frame->format != swrInFormat_ ||
        frame->ch_layout.nb_channels != swrInChannels_ || rate != swrRate_) {
        swr_free(&swr_);
        AVChannelLayout inLayout{};
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&frame->ch_layout) == 0)
            av_channel_layout_default(&inLayout, std::max(1, frame->ch_layout.nb_channels));
        else
            av_channel_layout_copy(&inLayout, &frame->ch_layout);
        AVChannelLayout outLayout = AV_CHANNEL_LAYOUT_STEREO;
        const int ret = swr_alloc_set_opts2(&swr_, &outLayout, AV_SAMPLE_FMT_S16, output_.rate(), &inLayout,
                                            AVSampleFormat(frame->format), inRate, 0, nullptr);
        av_channel_layout_uninit(&inLayout);
        if (ret < 0 || swr_init(swr_) < 0) {
            swr_free(&swr_);
            return false;
        }
        swrInRate_ = inRate;
        swrInFormat_ = frame->format;
        swrInChannels_ = frame->ch_layout.nb_channels;
        swrRate_ = rate;
    }
    const int capacity = swr_get_out_samples(swr_, frame->nb_samples);
    if (capacity <= 0)
        return false;
    buffer_.resize(size_t(capacity) * 2);
    auto* out = reinterpret_cast<uint8_t*>(buffer_.data());
    const int got = swr_convert(swr_, &out, capacity, const_cast<const uint8_t**>(frame->extended_data),
                                frame->nb_samples);
    if (got < 0)
        return false;
    buffer_.resize(size_t(got) * 2);
    bufferPos_ = 0;

    const int32_t volume = volume_;
    const int32_t balance = balance_;
    if (rate > kMaxAudibleRate || volume <= -10000) {
        std::fill(buffer_.begin(), buffer_.end(), int16_t(0));
    } else if (volume != 0 || balance != 0) {
        const double gain = std::pow(10.0, volume / 2000.0);
        const double left = gain * (balance > 0 ? std::pow(10.0, -balance / 2000.0) : 1.0);
        const double right = gain * (balance < 0 ? std::pow(10.0, balance / 2000.0) : 1.0);
        for (size_t i = 0; i + 1 < buffer_.size(); i += 2) {
            buffer_[i] = int16_t(std::lround(buffer_[i] * left));
            buffer_[i + 1] = int16_t(std::lround(buffer_[i + 1] * right));
        }
    }
    return true;
}

bool AudioRenderer::refill()
{
    for (;;) {
        DecodedFrame frame = in_.take();
        if (!frame.frame) {
            const int serial = in_.serial();
            if (in_.drained() && endedSerial_ != serial) {
                endedSerial_ = serial;
                if (onEnded)
                    onEnded(serial);
            }
            return false;
        }
        if (frame.serial != in_.serial())
            continue;  // from before a seek
        if (!convert(frame, rate_))
            continue;
        bufferEndPts_ = frame.pts + frame.duration;
        bufferSerial_ = frame.serial;
        return true;
    }
}

void AudioRenderer::fill(uint8_t* out, int len)
{
    const double rate = rate_;
    const int bytesPerSecond = output_.rate() * 4;
    while (len > 0) {
        if (bufferPos_ >= buffer_.size() && !refill()) {
            std::memset(out, 0, size_t(len));
            return;  // nothing played: the clock runs on by itself
        }
        const size_t samples = std::min(buffer_.size() - bufferPos_, size_t(len) / 2);
        std::memcpy(out, buffer_.data() + bufferPos_, samples * 2);
        bufferPos_ += samples;
        out += samples * 2;
        len -= int(samples * 2);
        if (samples == 0)
            break;
    }
    if (len > 0)
        std::memset(out, 0, size_t(len));
    if (output_.hasDevice() && bufferSerial_ == in_.serial()) {
        // What the listener hears now: the end of the converted buffer, less what is still
        // waiting in it and in the device's own buffers, in media seconds.
        const double waiting = double((buffer_.size() - bufferPos_) * 2 + 2 * size_t(output_.bufferBytes()));
        clock_.setIfSerial(bufferEndPts_ - waiting / bytesPerSecond * rate, bufferSerial_);
    }
}

}  // namespace media
