// The generated two-angle disc as the libraries read it: angle blocks in the information files
// and their backups, the navigator library's angle count, and an angle change within a cell.
#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

#include <dvdnav/dvdnav.h>
#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>

#include <memory>

using testsupport::media;

namespace {

struct Closer {
    void operator()(dvdnav_t* nav) const { dvdnav_close(nav); }
    void operator()(dvd_reader_t* dvd) const { DVDClose(dvd); }
    void operator()(ifo_handle_t* ifo) const { ifoClose(ifo); }
};
template <class T>
using Handle = std::unique_ptr<T, Closer>;

QByteArray Contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Plays until the navigator library says a cell begins; returns its number (0 on failure).
int NextCell(dvdnav_t* nav)
{
    uint8_t block[DVD_VIDEO_LB_LEN];
    for (int i = 0; i < 5000; ++i) {
        int event = 0, len = 0;
        if (dvdnav_get_next_block(nav, block, &event, &len) != DVDNAV_STATUS_OK)
            return 0;
        if (event == DVDNAV_CELL_CHANGE)
            return reinterpret_cast<dvdnav_cell_change_event_t*>(block)->cellN;
        if (event == DVDNAV_STILL_FRAME)
            dvdnav_still_skip(nav);
        if (event == DVDNAV_WAIT)
            dvdnav_wait_skip(nav);
    }
    return 0;
}

// Plays until the next navigation pack; returns its sector (-1 on failure).
int64_t NextNavPack(dvdnav_t* nav)
{
    uint8_t block[DVD_VIDEO_LB_LEN];
    for (int i = 0; i < 5000; ++i) {
        int event = 0, len = 0;
        if (dvdnav_get_next_block(nav, block, &event, &len) != DVDNAV_STATUS_OK)
            return -1;
        if (event == DVDNAV_NAV_PACKET)
            return dvdnav_get_current_nav_dsi(nav)->dsi_gi.nv_pck_lbn;
    }
    return -1;
}

}  // namespace

TEST(GeneratedAngleDvd, TitleOneIsTwoAngleBlocksInItsInformationFilesAndBackups)
{
    const QString dir = media("dvd-angle/VIDEO_TS");
    for (const char* name : {"VIDEO_TS", "VTS_01_0"}) {
        SCOPED_TRACE(name);
        const QByteArray ifo = Contents(dir + "/" + name + ".IFO");
        EXPECT_FALSE(ifo.isEmpty());
        EXPECT_EQ(ifo, Contents(dir + "/" + name + ".BUP"));
    }
    Handle<dvd_reader_t> dvd(DVDOpen(media("dvd-angle").toUtf8().constData()));
    ASSERT_TRUE(dvd);
    Handle<ifo_handle_t> vmg(ifoOpen(dvd.get(), 0));
    ASSERT_TRUE(vmg && vmg->tt_srpt);
    ASSERT_EQ(vmg->tt_srpt->nr_of_srpts, 2);
    EXPECT_EQ(vmg->tt_srpt->title[0].nr_of_angles, 2);
    EXPECT_EQ(vmg->tt_srpt->title[0].nr_of_ptts, 2);
    EXPECT_EQ(vmg->tt_srpt->title[1].nr_of_angles, 1);

    Handle<ifo_handle_t> vts(ifoOpen(dvd.get(), 1));
    ASSERT_TRUE(vts && vts->vts_pgcit && vts->vts_pgcit->nr_of_pgci_srp >= 1);
    const pgc_t* pgc = vts->vts_pgcit->pgci_srp[0].pgc;
    ASSERT_EQ(pgc->nr_of_cells, 4);
    // Both angles of a block belong to one chapter: chapters start at cells 1 and 3.
    ASSERT_EQ(pgc->nr_of_programs, 2);
    EXPECT_EQ(pgc->program_map[0], 1);
    EXPECT_EQ(pgc->program_map[1], 3);
    const unsigned modes[] = {1, 3, 1, 3};  // first and last cell of a block
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c + 1);
        EXPECT_EQ(pgc->cell_playback[c].block_mode, modes[c]);
        EXPECT_EQ(pgc->cell_playback[c].block_type, 1u);  // angle block
    }
    for (int c = 0; c < 4; ++c)
        EXPECT_TRUE(pgc->cell_playback[c].interleaved) << c + 1;
    // The chain lasts as long as one angle: four seconds, not eight.
    EXPECT_EQ(pgc->playback_time.second, 0x04);
    EXPECT_EQ(pgc->playback_time.minute, 0);
}

TEST(GeneratedAngleDvd, TheLibraryCountsTwoAnglesAndChangesAngleWithinTheCell)
{
    Handle<dvd_reader_t> dvd(DVDOpen(media("dvd-angle").toUtf8().constData()));
    ASSERT_TRUE(dvd);
    Handle<ifo_handle_t> vts(ifoOpen(dvd.get(), 1));
    ASSERT_TRUE(vts && vts->vts_pgcit);
    const cell_playback_t& angle2 = vts->vts_pgcit->pgci_srp[0].pgc->cell_playback[1];

    dvdnav_t* raw = nullptr;
    ASSERT_EQ(dvdnav_open(&raw, media("dvd-angle").toUtf8().constData()), DVDNAV_STATUS_OK);
    Handle<dvdnav_t> nav(raw);
    dvdnav_set_readahead_flag(nav.get(), 0);
    ASSERT_EQ(NextCell(nav.get()), 1);
    int32_t title = 0, part = 0, angle = 0, angles = 0;
    ASSERT_EQ(dvdnav_current_title_info(nav.get(), &title, &part), DVDNAV_STATUS_OK);
    EXPECT_EQ(title, 1);
    ASSERT_EQ(dvdnav_get_angle_info(nav.get(), &angle, &angles), DVDNAV_STATUS_OK);
    EXPECT_EQ(angles, 2);
    EXPECT_EQ(angle, 1);
    EXPECT_EQ(dvdnav_angle_change(nav.get(), 3), DVDNAV_STATUS_ERR);
    // Chosen while the first unit plays, angle 2 is read from the unit after next: its navigation
    // pack is in angle 2's cell, though the cell playing is still the block's first.
    ASSERT_GE(NextNavPack(nav.get()), 0);
    ASSERT_EQ(dvdnav_angle_change(nav.get(), 2), DVDNAV_STATUS_OK);
    ASSERT_GE(NextNavPack(nav.get()), 0);
    const int64_t sector = NextNavPack(nav.get());
    EXPECT_GE(sector, int64_t(angle2.first_sector));
    EXPECT_LE(sector, int64_t(angle2.last_sector));
    // The second block is entered at its angle 2 cell, then title 2 follows, with one angle.
    EXPECT_EQ(NextCell(nav.get()), 4);
    EXPECT_EQ(NextCell(nav.get()), 1);
    ASSERT_EQ(dvdnav_current_title_info(nav.get(), &title, &part), DVDNAV_STATUS_OK);
    EXPECT_EQ(title, 2);
    ASSERT_EQ(dvdnav_get_angle_info(nav.get(), &angle, &angles), DVDNAV_STATUS_OK);
    EXPECT_EQ(angles, 1);
}
