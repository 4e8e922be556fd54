#include "platform/cdaudio/CdPlayback.h"


#include <algorithm>
#include <chrono>
#include <cstring>

namespace cdaudio {

CdPlayback::CdPlayback(SectorSource& source) : source_(source) {}

CdPlayback::~CdPlayback()
{
    stop();
    output_.close();
}

void CdPlayback::openOutput()
{
    if (!output_.isOpen())
        output_.open(kSampleRate, true, false, [this](uint8_t* out, int bytes) { fill(out, bytes); });
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
    output_.setPaused(paused);
    return serial;
}

void CdPlayback::pause()
{
    State playing = State::Playing;
    if (state_.compare_exchange_strong(playing, State::Paused))
        output_.setPaused(true);
}

void CdPlayback::resume()
{
    State paused = State::Paused;
    if (state_.compare_exchange_strong(paused, State::Playing))
        output_.setPaused(false);
}

void CdPlayback::stop()
{
    state_ = State::Stopped;
    output_.setPaused(true);
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
