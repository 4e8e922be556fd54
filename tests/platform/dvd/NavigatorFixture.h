#pragma once
// The navigator on the generated disc, without decoding: a paced output stands in for the player
// (it takes payloads as fast as real time would play them, or holds them like a paused player)
// and records what comes out. Tests may also stop the navigator thread inside a highlight.
#include "platform/dvd/DvdCommand.h"
#include "platform/dvd/Navigator.h"
#include "platform/dvd/NavigatorControl.h"

#include "platform/media/Clock.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace navtest {

using namespace dvd;
using namespace std::chrono_literals;

class PacedOutput : public NavigatorOutput {
public:
    void onPayload(const EsPayload& payload, int serial) override
    {
        std::lock_guard lock(mutex_);
        if (payload.kind == EsKind::Video && payload.pts >= 0) {
            if (serial != serial_ || startPts_ < 0) {
                serial_ = serial;
                startPts_ = payload.pts;
                aheadPts_ = payload.pts;
                lastPts_ = payload.pts;
                startAt_ = media::Clock::now();
            }
            // Time stamps start afresh at cell boundaries: across such a step the picture is
            // taken to go on one frame later, so that every cell is paced.
            const int64_t step = payload.pts - lastPts_;
            aheadPts_ += step >= 0 && step < 90000 ? step : 3600;
            lastPts_ = payload.pts;
        }
        if (payload.kind == EsKind::Ac3)
            ++audio_[payload.number & 7];
        if (payload.kind == EsKind::Subpicture)
            ++subpictures_;
    }
    void onFlush(int serial) override
    {
        std::lock_guard lock(mutex_);
        serial_ = serial;
        startPts_ = -1;
        ++flushes_;
    }
    void onStill(int) override
    {
        std::lock_guard lock(mutex_);
        ++stills_;
    }
    void onHighlight(const Highlight& h) override
    {
        std::unique_lock lock(mutex_);
        highlight_ = h;
        if (h.action)
            activated_ = h;
        ++highlights_;
        // Held: the navigator thread stays here until released.
        inHighlight_ = holdHighlights_;
        released_.wait(lock, [this] { return !holdHighlights_; });
        inHighlight_ = false;
    }
    void HoldHighlights(bool hold)
    {
        std::lock_guard lock(mutex_);
        holdHighlights_ = hold;
        released_.notify_all();
    }
    bool InHighlight()
    {
        std::lock_guard lock(mutex_);
        return inHighlight_;
    }
    // The last highlight drawn in the activated colours.
    Highlight LastActivated()
    {
        std::lock_guard lock(mutex_);
        return activated_;
    }
    int Highlights()
    {
        std::lock_guard lock(mutex_);
        return highlights_;
    }
    // Like a paused player: what it holds stays, so it is full once it holds anything.
    void SetPaused(bool paused)
    {
        std::lock_guard lock(mutex_);
        paused_ = paused;
    }
    void onColourTable(const std::array<uint32_t, 16>&) override {}
    void onEvent(int32_t code, LONG_PTR p1, LONG_PTR p2) override
    {
        std::lock_guard lock(mutex_);
        events_.push_back({code, p1, p2});
    }
    void drain(const std::function<bool()>&) override {}
    bool full() const override
    {
        std::lock_guard lock(mutex_);
        if (startPts_ < 0)
            return false;
        if (paused_)
            return true;
        // Half a second of picture ahead of real time at most.
        const double played = media::Clock::now() - startAt_;
        return double(aheadPts_ - startPts_) / 90000.0 > played + 0.5;
    }

    struct Event {
        int32_t code;
        LONG_PTR p1, p2;
    };
    std::vector<Event> Events()
    {
        std::lock_guard lock(mutex_);
        return events_;
    }
    int Count(int32_t code)
    {
        int n = 0;
        for (const auto& e : Events())
            n += e.code == code;
        return n;
    }
    void ClearEvents()
    {
        std::lock_guard lock(mutex_);
        events_.clear();
    }
    Highlight LastHighlight()
    {
        std::lock_guard lock(mutex_);
        return highlight_;
    }
    int AudioPackets(int stream)
    {
        std::lock_guard lock(mutex_);
        return audio_[stream];
    }
    void ResetCounts()
    {
        std::lock_guard lock(mutex_);
        audio_.fill(0);
        subpictures_ = 0;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool holdHighlights_ = false;
    bool inHighlight_ = false;
    bool paused_ = false;
    int highlights_ = 0;
    std::vector<Event> events_;
    Highlight highlight_;
    Highlight activated_;
    int serial_ = 0;
    int64_t startPts_ = -1;
    int64_t aheadPts_ = 0;  // how far the picture has come since startPts_, cell steps smoothed
    int64_t lastPts_ = 0;
    double startAt_ = 0;
    int flushes_ = 0;
    int stills_ = 0;
    int subpictures_ = 0;
    std::array<int, 8> audio_{};
};

inline bool WaitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout = 5s)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return pred();
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class NavigatorOnDisc : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(navigator.open(testsupport::media(disc)));
        control = std::make_shared<NavigatorControl>(navigator);
        navigator.setTimeEvents(true);
        navigator.start(&output);
        navigator.setRunning(true);
    }
    void TearDown() override
    {
        output.HoldHighlights(false);
        output.SetPaused(false);
        DvdCommand::setWaitBound({});
        navigator.close();
    }

    NavSnapshot Snap() { return navigator.snapshot(); }
    bool WaitForMenu()
    {
        return WaitUntil([&] { return Snap().domain == DVD_DOMAIN_VideoManagerMenu && Snap().buttonCount == 2; });
    }
    bool WaitForChapter(int title, int chapter)
    {
        return WaitUntil([&] {
            const auto s = Snap();
            return s.domain == DVD_DOMAIN_Title && s.title == title && s.chapter == chapter;
        });
    }

    const char* disc = "dvd";  // under the generated media
    PacedOutput output;
    Navigator navigator;
    std::shared_ptr<NavigatorControl> control;
};

}  // namespace navtest
