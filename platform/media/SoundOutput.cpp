#include "platform/media/SoundOutput.h"

#include "platform/system/SdlLibrary.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace media {

namespace {

// Whether a warm-up is starting the sound system: SDL's start must not run twice at once.
struct WarmUpState {
    std::mutex mutex;
    std::condition_variable done;
    bool running = false;
};

WarmUpState& warmUp()
{
    static WarmUpState state;
    return state;
}

// False when a warm-up is still under way after the bound.
bool awaitWarmUp()
{
    WarmUpState& w = warmUp();
    std::unique_lock lock(w.mutex);
    return w.done.wait_for(lock, SoundSystemWarmUp::kWarmUpBound, [&w] { return !w.running; });
}

const platform::SdlLibrary& sdl()
{
    return platform::SdlLibrary::shared();
}

// Starts SDL's sound part; false without SDL or without a sound system.
bool initSound()
{
    if (!sdl().usable())
        return false;
    // SIGINT and SIGTERM belong to the program (it quits through its own path): SDL must not
    // take them over and turn them into events nobody reads.
    sdl().SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return sdl().SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

}  // namespace

SoundSystemWarmUp::SoundSystemWarmUp()
{
    {
        std::lock_guard lock(warmUp().mutex);
        if (warmUp().running)
            return;
        warmUp().running = true;
    }
    thread_ = std::thread([this] {
        started_ = initSound();
        WarmUpState& w = warmUp();
        std::lock_guard lock(w.mutex);
        w.running = false;
        w.done.notify_all();
    });
}

SoundSystemWarmUp::~SoundSystemWarmUp()
{
    if (thread_.joinable())
        thread_.join();
    if (started_)
        sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SoundOutput::~SoundOutput()
{
    close();
}

bool SoundOutput::open(int rate, bool useDevice, bool rateMayChange, Fill fill)
{
    close();
    fill_ = std::move(fill);
    rate_ = rate > 0 ? rate : 44100;
    open_ = true;
    if (useDevice && awaitWarmUp()) {
        useDevice = initSound();
    } else {
        useDevice = false;
    }
    if (useDevice) {
        sdlStarted_ = true;
        SDL_AudioSpec want{};
        SDL_AudioSpec have{};
        want.freq = rate_;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = [](void* self, Uint8* stream, int len) { static_cast<SoundOutput*>(self)->fill_(stream, len); };
        want.userdata = this;
        device_ = sdl().SDL_OpenAudioDevice(nullptr, 0, &want, &have, rateMayChange ? SDL_AUDIO_ALLOW_FREQUENCY_CHANGE : 0);
        if (device_) {
            rate_ = have.freq;
            bufferBytes_ = int(have.size);
            sdl().SDL_PauseAudioDevice(device_, paused_ ? 1 : 0);
            return true;
        }
        sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlStarted_ = false;
    }
    stopNull_ = false;
    nullThread_ = std::thread([this] { pullWithoutDevice(); });
    return false;
}

void SoundOutput::close()
{
    if (device_) {
        sdl().SDL_CloseAudioDevice(device_);  // waits for a running callback
        device_ = 0;
    }
    if (sdlStarted_) {
        sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlStarted_ = false;
    }
    stopNull_ = true;
    if (nullThread_.joinable())
        nullThread_.join();
    bufferBytes_ = 0;
    open_ = false;
}

void SoundOutput::setPaused(bool paused)
{
    paused_ = paused;
    if (device_)
        sdl().SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

// Without a device: every few milliseconds, take as much sound as the time gone by.
void SoundOutput::pullWithoutDevice()
{
    std::vector<uint8_t> scratch;
    auto last = std::chrono::steady_clock::now();
    while (!stopNull_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const auto now = std::chrono::steady_clock::now();
        const double elapsed = std::min(std::chrono::duration<double>(now - last).count(), 0.1);
        last = now;
        if (paused_)
            continue;
        const int bytes = int(elapsed * rate_) * 4;
        scratch.resize(size_t(bytes));
        if (bytes > 0)
            fill_(scratch.data(), bytes);
    }
}

}  // namespace media
