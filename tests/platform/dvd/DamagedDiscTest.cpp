// Damaged discs: the navigator skips what it cannot read, warns, or stops; it never hangs.
#include "platform/dvd/Navigator.h"
#include "platform/dvd/NavigatorControl.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace dvd;
using namespace std::chrono_literals;

namespace {

// Takes everything at once: the disc is read as fast as it can be.
class Sink : public NavigatorOutput {
public:
    void onPayload(const EsPayload&, int) override { ++payloads; }
    void onFlush(int) override {}
    void onStill(int) override {}
    void onHighlight(const Highlight&) override {}
    void onColourTable(const std::array<uint32_t, 16>&) override {}
    void onEvent(int32_t code, LONG_PTR, LONG_PTR) override
    {
        if (code == EC_DVD_WARNING)
            ++warnings;
        if (code == EC_DVD_ERROR)
            ++errors;
        if (code == EC_DVD_PLAYBACK_STOPPED)
            stopped = true;
    }
    void drain(const std::function<bool()>&) override {}
    bool full() const override { return false; }

    std::atomic<int> payloads{0};
    std::atomic<int> warnings{0};
    std::atomic<int> errors{0};
    std::atomic<bool> stopped{false};
};

// Starts reading the opened disc into `sink` and waits (until `until`) for its title menu.
void StartToMenu(Navigator& navigator, Sink& sink, std::chrono::steady_clock::time_point until)
{
    navigator.start(&sink);
    navigator.setRunning(true);
    while (navigator.snapshot().domain != DVD_DOMAIN_VideoManagerMenu && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(5ms);
}

// Plays title 1 to its end (the disc then goes back to its menu) or to a stop.
void PlayThrough(const QString& disc, Sink& sink, bool& opened)
{
    Navigator navigator;
    opened = navigator.open(testsupport::media(disc));
    if (!opened)
        return;
    NavigatorControl control(navigator);
    const auto until = std::chrono::steady_clock::now() + 20s;
    StartToMenu(navigator, sink, until);
    control.PlayChapterInTitle(1, 1, 0, nullptr);
    // The title's end leads back to the menu, or the damage stops playback.
    std::this_thread::sleep_for(100ms);
    while (navigator.snapshot().domain == DVD_DOMAIN_Title && !sink.stopped && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(5ms);
    EXPECT_LT(std::chrono::steady_clock::now(), until) << "the navigator did not get past the damage";
    navigator.close();
}

}  // namespace

TEST(DamagedDisc, TruncatedTitleEndsOrStopsWithoutHanging)
{
    Sink sink;
    bool opened = false;
    PlayThrough("damaged/dvd-truncated", sink, opened);
    ASSERT_TRUE(opened);
    EXPECT_GT(sink.payloads.load(), 0);
}

TEST(DamagedDisc, AGivenUpDiscStaysStoppedAndEachPlayTriesOnlyOnceMore)
{
    Sink sink;
    Navigator navigator;
    ASSERT_TRUE(navigator.open(testsupport::media("damaged/dvd-truncated")));
    NavigatorControl control(navigator);
    const auto until = std::chrono::steady_clock::now() + 20s;
    StartToMenu(navigator, sink, until);
    ASSERT_EQ(control.PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    while (!navigator.snapshot().readFailed && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(5ms);
    ASSERT_TRUE(navigator.snapshot().readFailed) << "the cut title was read past its end without failing";
    EXPECT_FALSE(navigator.snapshot().running);
    EXPECT_EQ(sink.errors.load(), 1);  // said once, as an unexpected error
    // Commands on a disc that gave up fail instead of "succeeding" on nothing.
    EXPECT_LT(control.PlayChapterInTitle(1, 2, 0, nullptr), 0);

    // Play again: the navigator tries afresh, fails as many times as a play may, and stops again
    // instead of warning for ever.
    const int warningsBefore = sink.warnings.load();
    navigator.setRunning(true);
    EXPECT_FALSE(navigator.snapshot().readFailed);
    std::this_thread::sleep_for(1500ms);
    EXPECT_FALSE(navigator.snapshot().running);
    EXPECT_TRUE(navigator.snapshot().readFailed);
    EXPECT_LE(sink.warnings.load() - warningsBefore, 200);
    navigator.close();
}

TEST(DamagedDisc, ZeroedSectorsAreSkipped)
{
    Sink sink;
    bool opened = false;
    PlayThrough("damaged/dvd-zeroed", sink, opened);
    ASSERT_TRUE(opened);
    EXPECT_GT(sink.payloads.load(), 0);
}

TEST(DamagedDisc, MissingBackupsStillPlay)
{
    Sink sink;
    bool opened = false;
    PlayThrough("damaged/dvd-nobackup", sink, opened);
    ASSERT_TRUE(opened);
    EXPECT_GT(sink.payloads.load(), 100);
}
