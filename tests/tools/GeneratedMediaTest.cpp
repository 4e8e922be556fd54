#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cdio/cdio.h>
#include <dvdnav/dvdnav.h>

extern "C" {
#include <libavformat/avformat.h>
}

#include <memory>

using testsupport::media;

namespace {

struct NavCloser {
    void operator()(dvdnav_t* nav) const { dvdnav_close(nav); }
};
using Nav = std::unique_ptr<dvdnav_t, NavCloser>;

Nav OpenDvd()
{
    dvdnav_t* nav = nullptr;
    if (dvdnav_open(&nav, media("dvd").toUtf8().constData()) != DVDNAV_STATUS_OK)
        return nullptr;
    return Nav(nav);
}

}  // namespace

TEST(GeneratedDvd, HasTwoTitlesWithThreeAndOneChapters)
{
    Nav nav = OpenDvd();
    ASSERT_TRUE(nav);
    int32_t titles = 0;
    ASSERT_EQ(dvdnav_get_number_of_titles(nav.get(), &titles), DVDNAV_STATUS_OK);
    EXPECT_EQ(titles, 2);
    int32_t parts = 0;
    ASSERT_EQ(dvdnav_get_number_of_parts(nav.get(), 1, &parts), DVDNAV_STATUS_OK);
    EXPECT_EQ(parts, 3);
    ASSERT_EQ(dvdnav_get_number_of_parts(nav.get(), 2, &parts), DVDNAV_STATUS_OK);
    EXPECT_EQ(parts, 1);
    // Title 1 lasts twelve seconds, its chapters start every four.
    uint64_t* times = nullptr;
    uint64_t duration = 0;
    const uint32_t count = dvdnav_describe_title_chapters(nav.get(), 1, &times, &duration);
    ASSERT_EQ(count, 3u);
    EXPECT_NEAR(double(duration) / 90000.0, 12.0, 0.2);
    EXPECT_NEAR(double(times[0]) / 90000.0, 4.0, 0.2);
    EXPECT_NEAR(double(times[1]) / 90000.0, 8.0, 0.2);
    free(times);
}

TEST(GeneratedDvd, StartsInTheTitleMenuWithTwoButtonsAndHasTwoAudioLanguages)
{
    Nav nav = OpenDvd();
    ASSERT_TRUE(nav);
    dvdnav_set_readahead_flag(nav.get(), 0);
    uint8_t block[DVD_VIDEO_LB_LEN];
    int buttons = 0;
    bool inMenu = false;
    // Play until the first highlight information arrives: that is the title menu's.
    for (int i = 0; i < 2000 && buttons == 0; ++i) {
        int event = 0, len = 0;
        ASSERT_EQ(dvdnav_get_next_block(nav.get(), block, &event, &len), DVDNAV_STATUS_OK);
        if (event == DVDNAV_NAV_PACKET) {
            pci_t* pci = dvdnav_get_current_nav_pci(nav.get());
            buttons = pci ? pci->hli.hl_gi.btn_ns : 0;
            inMenu = dvdnav_is_domain_vmgm(nav.get());
        } else if (event == DVDNAV_STILL_FRAME) {
            dvdnav_still_skip(nav.get());
        }
    }
    EXPECT_TRUE(inMenu);
    EXPECT_EQ(buttons, 2);

    // Button 1 leads to title 1, which speaks French then English.
    ASSERT_EQ(dvdnav_title_play(nav.get(), 1), DVDNAV_STATUS_OK);
    for (int i = 0; i < 200; ++i) {
        int event = 0, len = 0;
        ASSERT_EQ(dvdnav_get_next_block(nav.get(), block, &event, &len), DVDNAV_STATUS_OK);
        if (event == DVDNAV_NAV_PACKET)
            break;
    }
    EXPECT_EQ(dvdnav_audio_stream_to_lang(nav.get(), 0), ('f' << 8) | 'r');
    EXPECT_EQ(dvdnav_audio_stream_to_lang(nav.get(), 1), ('e' << 8) | 'n');
    EXPECT_EQ(dvdnav_spu_stream_to_lang(nav.get(), 0), ('f' << 8) | 'r');
}

TEST(GeneratedCd, HasThreeAudioTracksOfFiveSeconds)
{
    CdIo_t* cd = cdio_open(media("cd/disc.cue").toUtf8().constData(), DRIVER_UNKNOWN);
    ASSERT_NE(cd, nullptr);
    EXPECT_EQ(cdio_get_first_track_num(cd), 1);
    EXPECT_EQ(cdio_get_num_tracks(cd), 3);
    for (track_t t = 1; t <= 3; ++t) {
        EXPECT_EQ(cdio_get_track_format(cd, t), TRACK_FORMAT_AUDIO);
        EXPECT_EQ(cdio_get_track_lsn(cd, t), lsn_t((t - 1) * 375));
    }
    cdio_destroy(cd);
}

TEST(GeneratedFiles, EveryKindOpensWithItsStreams)
{
    struct Expect {
        const char* file;
        bool video;
        bool audio;
    };
    for (const Expect& e : {Expect{"files/red.avi", true, true}, Expect{"files/green.mpg", true, true},
                            Expect{"files/halves.mpeg", true, true}, Expect{"files/tone440.wav", false, true},
                            Expect{"files/tone660.mp2", false, true}, Expect{"files/tone880.mp3", false, true}}) {
        SCOPED_TRACE(e.file);
        AVFormatContext* context = nullptr;
        ASSERT_EQ(avformat_open_input(&context, media(e.file).toUtf8().constData(), nullptr, nullptr), 0);
        ASSERT_GE(avformat_find_stream_info(context, nullptr), 0);
        EXPECT_EQ(av_find_best_stream(context, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0) >= 0, e.video);
        EXPECT_EQ(av_find_best_stream(context, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0) >= 0, e.audio);
        avformat_close_input(&context);
    }
    QFile midi(media("files/melody.mid"));
    ASSERT_TRUE(midi.open(QIODevice::ReadOnly));
    EXPECT_TRUE(midi.read(4) == "MThd");
    EXPECT_EQ(QFile(media("damaged/empty.mp3")).size(), 0);
}
