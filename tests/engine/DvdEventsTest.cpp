// The DVD graph's event decoding, fed events directly.
#include "engine/TDSDVDGraph.h"

#include "platform/dvd/DvdTypes.h"

#include <gtest/gtest.h>

using namespace dvd;

TEST(DvdEvents, TimeCodesDecodeDigitsAndFrameRate)
{
    TDSDVDGraph graph;
    int h = -1, m = -1, s = -1, f = -1, rate = -1;
    graph.OnDVDCurrentTime = [&](TDSDVDGraph*, int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
        h = a, m = b, s = c, f = d, rate = e;
    };
    // Bytes low first: 0x01, 0x23, 0x45, 0x52 (frames 12, rate code 1).
    graph.DispatchGraphEvent(EC_DVD_CURRENT_TIME, 0x52452301, 0);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(m, 23);
    EXPECT_EQ(s, 45);
    EXPECT_EQ(f, 12);
    EXPECT_EQ(rate, 25);
    // Rate code 2 is no rate this program knows.
    graph.DispatchGraphEvent(EC_DVD_CURRENT_TIME, 0x92452301, 0);
    EXPECT_EQ(rate, 0);
    EXPECT_EQ(PackBcdTimeCode(1, 23, 45, 12, 1), 0x52452301u);

    TDVD_HMSF_TIMECODE hmsf{};
    TDVD_TimeCode bcd{};
    graph.OnDVDCurrentHMSFTime = [&](TDSDVDGraph*, TDVD_HMSF_TIMECODE t, TDVD_TimeCode& tc) {
        hmsf = t;
        bcd = tc;
    };
    graph.DispatchGraphEvent(EC_DVD_CURRENT_HMSF_TIME, LONG_PTR(PackHmsf({0, 1, 2, 3})), 0x52452301);
    EXPECT_EQ(hmsf.bMinutes, 1);
    EXPECT_EQ(hmsf.bSeconds, 2);
    EXPECT_EQ(hmsf.bFrames, 3);
    EXPECT_EQ(bcd.Minutes10, 2);
    EXPECT_EQ(bcd.Frames10, 1);
    EXPECT_EQ(bcd.FrameRateCode, 1);
}

TEST(DvdEvents, ProhibitedOperationsDecodeFromTheMask)
{
    auto count = [](const TUOPS& u) {
        const bool* fields = reinterpret_cast<const bool*>(&u);
        int n = 0;
        for (size_t i = 0; i < sizeof(TUOPS); ++i)
            n += fields[i];
        return n;
    };
    static_assert(sizeof(TUOPS) == 33);
    const TUOPS buttons = DecodeUops(1u << 17);
    EXPECT_EQ(count(buttons), 6);
    EXPECT_TRUE(buttons.UpperButtonSelect && buttons.ButtonActivate && buttons.ButtonSelectAndActivate);
    EXPECT_EQ(count(DecodeUops(1u << 5)), 0);
    const TUOPS time = DecodeUops(1u | 1u << 5);
    EXPECT_TRUE(time.TimePlay);
    EXPECT_TRUE(time.TimeSearch);
    EXPECT_EQ(count(time), 2);
    EXPECT_EQ(count(DecodeUops(0xFFFFFFFF)), 33);

    TDSDVDGraph graph;
    bool seen = false;
    graph.OnDVDValidUOPSChange = [&](TDSDVDGraph*, TUOPS& u) { seen = u.ForwardScan && !u.BackwardScan; };
    graph.DispatchGraphEvent(EC_DVD_VALID_UOPS_CHANGE, 1 << 8, 0);
    EXPECT_TRUE(seen);
}

TEST(DvdEvents, RatesTruncateAndUnknownDomainsFireOnlyTheRawEvent)
{
    TDSDVDGraph graph;
    std::vector<int> rates;
    graph.OnDVDPlaybackRateChange = [&](TDSDVDGraph*, int32_t r) { rates.push_back(r); };
    for (LONG_PTR raw : {20000, 5000, -10000})
        graph.DispatchGraphEvent(EC_DVD_PLAYBACK_RATE_CHANGE, raw, 0);
    EXPECT_EQ(rates, (std::vector<int>{2, 0, -1}));

    int raw = 0, domains = 0;
    graph.OnDSEvent = [&](TDSGraph*, int32_t, media::LONG_PTR, media::LONG_PTR) { ++raw; };
    auto count = [&](TDSDVDGraph*) { ++domains; };
    graph.OnDVDDomainFirstPlay = count;
    graph.OnDVDDomainVideoManagerMenu = count;
    graph.OnDVDDomainVideoTitleSetMenu = count;
    graph.OnDVDDomainTitle = count;
    graph.OnDVDDomainStop = count;
    graph.DispatchGraphEvent(EC_DVD_DOMAIN_CHANGE, 0, 0);
    graph.DispatchGraphEvent(EC_DVD_DOMAIN_CHANGE, 6, 0);
    EXPECT_EQ(raw, 2);
    EXPECT_EQ(domains, 0);
    graph.DispatchGraphEvent(EC_DVD_DOMAIN_CHANGE, DVD_DOMAIN_Title, 0);
    EXPECT_EQ(domains, 1);
}

TEST(DvdEvents, StreamChangesCarryLanguagesOnlyWhenTheNavigatorKnowsThem)
{
    TDSDVDGraph graph;
    int lcid = -1;
    QString name = "x";
    graph.OnDVDAudioStreamChange = [&](TDSDVDGraph*, int32_t, int32_t l, const QString& n) {
        lcid = l;
        name = n;
    };
    // Without a navigator the language is unknown: 0 and no name.
    graph.DispatchGraphEvent(EC_DVD_AUDIO_STREAM_CHANGE, 1, 0);
    EXPECT_EQ(lcid, 0);
    EXPECT_TRUE(name.isEmpty());
    bool stillButtons = true;
    int seconds = 0;
    graph.OnDVDStillOn = [&](TDSDVDGraph*, bool noButton, int32_t s) {
        stillButtons = !noButton;
        seconds = s;
    };
    graph.DispatchGraphEvent(EC_DVD_STILL_ON, 1, 5);
    EXPECT_FALSE(stillButtons);
    EXPECT_EQ(seconds, 5);
}
