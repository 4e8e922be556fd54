#include "platform/cdaudio/CdPlayback.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace cdaudio {

CdPlayback::CdPlayback(SectorSource& source) : source_(source) {}

CdPlayback::~CdPlayback()
{
    stop();
    closeOutput();
}

void CdPlayback::openOutput()
{
    if (outputOpen_)
        return;
    outputOpen_ = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        sdlStarted_ = true;
        SDL_AudioSpec want{};
        SDL_AudioSpec have{};
        want.freq = kSampleRate;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = [](void* self, Uint8* stream, int len) { static_cast<CdPlayback*>(self)->fill(stream, len); };
        want.userdata = this;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (device_)
            return;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlStarted_ = false;
    }
    stopNull_ = false;
    nullThread_ = std::thread([this] { nullOutput(); });
}

void CdPlayback::closeOutput()
{
    if (device_) {
        SDL_CloseAudioDevice(device_);  // waits for a running callback
        device_ = 0;
    }
    if (sdlStarted_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlStarted_ = false;
    }
    stopNull_ = true;
    if (nullThread_.joinable())
        nullThread_.join();
    outputOpen_ = false;
}

// Without a device: every few milliseconds, take as much sound as the time gone by.
void CdPlayback::nullOutput()
{
    std::vector<uint8_t> scratch;
    auto last = std::chrono::steady_clock::now();
    while (!stopNull_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const auto now = std::chrono::steady_clock::now();
        const double elapsed = std::min(std::chrono::duration<double>(now - last).count(), 0.1);
        last = now;
        const int bytes = int(elapsed * kSampleRate) * 4;
        scratch.resize(size_t(bytes));
        if (bytes > 0)
            fill(scratch.data(), bytes);
    }
}

void CdPlayback::stopReader()
{
    {
        std::lock_guard lock(mutex_);
        stopReading_ = true;
    }
    space_.notify_all();
    if (reader_.joinable())
        reader_.join();
}

uint64_t CdPlayback::start(std::vector<SectorRun> runs, bool paused)
{
    stop();
    openOutput();
    uint64_t serial = 0;
    {
        std::lock_guard lock(mutex_);
        buffer_.clear();
        readerDone_ = false;
        readFailed_ = false;
        stopReading_ = false;
        endReported_ = false;
        serial = ++serial_;
    }
    if (!runs.empty())
        position_ = int64_t(runs.front().first) * kSamplesPerSector;
    state_ = paused ? State::Paused : State::Playing;
    reader_ = std::thread([this, runs = std::move(runs), serial]() mutable { readLoop(std::move(runs), serial); });
    if (device_)
        SDL_PauseAudioDevice(device_, paused ? 1 : 0);
    return serial;
}

void CdPlayback::pause()
{
    State playing = State::Playing;
    if (state_.compare_exchange_strong(playing, State::Paused) && device_)
        SDL_PauseAudioDevice(device_, 1);
}

void CdPlayback::resume()
{
    State paused = State::Paused;
    if (state_.compare_exchange_strong(paused, State::Playing) && device_)
        SDL_PauseAudioDevice(device_, 0);
}

void CdPlayback::stop()
{
    state_ = State::Stopped;
    if (device_)
        SDL_PauseAudioDevice(device_, 1);
    stopReader();
    std::lock_guard lock(mutex_);
    buffer_.clear();
    endReported_ = true;  // a stopped play never reports its end
}

uint64_t CdPlayback::serial()
{
    std::lock_guard lock(mutex_);
    return serial_;
}

void CdPlayback::setPosition(int64_t sample)
{
    if (state_ == State::Stopped)
        position_ = sample;
}

void CdPlayback::readLoop(std::vector<SectorRun> runs, uint64_t serial)
{
    bool complete = true;
    for (const SectorRun& run : runs) {
        for (int32_t sector = run.first; sector < run.end; ++sector) {
            {
                std::unique_lock lock(mutex_);
                space_.wait(lock, [&] { return stopReading_ || buffer_.size() < kBufferSectors; });
                if (stopReading_)
                    return;
            }
            Chunk chunk{int64_t(sector) * kSamplesPerSector, std::vector<int16_t>(kSamplesPerSector * 2)};
            if (!source_.readSector(sector, chunk.samples.data())) {
                complete = false;
                break;
            }
            std::lock_guard lock(mutex_);
            if (serial != serial_)
                return;
            buffer_.push_back(std::move(chunk));
        }
        if (!complete)
            break;
    }
    std::lock_guard lock(mutex_);
    readerDone_ = true;
    readFailed_ = !complete;
}

void CdPlayback::fill(uint8_t* out, int bytes)
{
    auto* samples = reinterpret_cast<int16_t*>(out);
    size_t wanted = size_t(bytes) / 4;  // stereo frames
    bool ended = false;
    bool complete = true;
    uint64_t serial = 0;
    {
        std::lock_guard lock(mutex_);
        if (state_ == State::Playing) {
            while (wanted > 0 && !buffer_.empty()) {
                Chunk& chunk = buffer_.front();
                const size_t frames = std::min(wanted, chunk.samples.size() / 2 - chunk.used);
                std::memcpy(samples, chunk.samples.data() + chunk.used * 2, frames * 4);
                samples += frames * 2;
                wanted -= frames;
                chunk.used += frames;
                position_ = chunk.firstSample + int64_t(chunk.used);
                if (chunk.used * 2 == chunk.samples.size()) {
                    buffer_.pop_front();
                    space_.notify_one();
                }
            }
            if (buffer_.empty() && readerDone_ && !endReported_) {
                endReported_ = true;
                ended = true;
                complete = !readFailed_;
                serial = serial_;
                state_ = State::Stopped;
            }
        }
    }
    std::memset(samples, 0, wanted * 4);
    if (ended && onEnded)
        onEnded(serial, complete);
}

}  // namespace cdaudio
