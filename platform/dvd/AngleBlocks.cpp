// The angle blocks of a disc's titles, read from its information files (see AngleBlocks.h).
#include "platform/dvd/AngleBlocks.h"

#include <dvdnav/dvdnav.h>
#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>

#include <cstdarg>

namespace dvd {

namespace {

void Quiet(void*, dvd_logger_level_t, const char*, va_list) {}
const dvd_logger_cb kQuiet{Quiet};

int Bcd(uint8_t value)
{
    return (value >> 4) * 10 + (value & 0x0F);
}

}  // namespace

int64_t PlayingTimeTicks(uint8_t hour, uint8_t minute, uint8_t second, uint8_t frameByte)
{
    const int64_t seconds = (int64_t(Bcd(hour)) * 60 + Bcd(minute)) * 60 + Bcd(second);
    // 01: 25 frames a second; 11: 29.97 (counted as 30 a second, as the time codes are).
    const int rate = (frameByte >> 6) == 3 ? 30 : 25;
    return seconds * 90000 + int64_t(Bcd(frameByte & 0x3F)) * 90000 / rate;
}

struct AngleBlocks::Files {
    struct ReaderCloser {
        void operator()(dvd_reader_t* reader) const { DVDClose(reader); }
    };
    struct IfoCloser {
        void operator()(ifo_handle_t* ifo) const { ifoClose(ifo); }
    };
    // Declared first, so that the information files read through it close before it.
    std::unique_ptr<dvd_reader_t, ReaderCloser> reader;
    std::unique_ptr<ifo_handle_t, IfoCloser> vmg;
    std::unique_ptr<ifo_handle_t, IfoCloser> vts;  // the title set last asked about
    int vtsNumber = 0;
};

AngleBlocks::AngleBlocks() = default;
AngleBlocks::~AngleBlocks() = default;

bool AngleBlocks::open(const QByteArray& path)
{
    auto files = std::make_unique<Files>();
    files->reader.reset(DVDOpen2(nullptr, &kQuiet, path.constData()));
    if (files->reader)
        files->vmg.reset(ifoOpen(files->reader.get(), 0));
    files_ = files->vmg ? std::move(files) : nullptr;
    return files_ != nullptr;
}

void AngleBlocks::close()
{
    files_.reset();
}

int64_t AngleBlocks::overcount(dvdnav_t* nav, int cell)
{
    if (!files_)
        return 0;
    Files& f = *files_;
    int32_t title = 0, chain = 0, program = 0;
    if (!f.vmg->tt_srpt || dvdnav_current_title_program(nav, &title, &chain, &program) != DVDNAV_STATUS_OK
        || title < 1 || title > f.vmg->tt_srpt->nr_of_srpts)
        return 0;
    const title_info_t& info = f.vmg->tt_srpt->title[title - 1];
    if (info.nr_of_angles < 2)
        return 0;
    if (info.title_set_nr != f.vtsNumber) {
        f.vts.reset(ifoOpen(f.reader.get(), info.title_set_nr));
        f.vtsNumber = f.vts ? info.title_set_nr : 0;
    }
    if (!f.vts || !f.vts->vts_pgcit || chain < 1 || chain > f.vts->vts_pgcit->nr_of_pgci_srp)
        return 0;
    const pgc_t* pgc = f.vts->vts_pgcit->pgci_srp[chain - 1].pgc;
    if (!pgc || !pgc->cell_playback || cell < 1 || cell > pgc->nr_of_cells)
        return 0;
    // Block modes: 1 the block's first cell, 2 and 3 the others; block type 1: an angle block.
    int first = cell - 1;
    if (pgc->cell_playback[first].block_type != 1 || pgc->cell_playback[first].block_mode < 2)
        return 0;
    while (first > 0 && pgc->cell_playback[first].block_mode != 1)
        --first;
    const dvd_time_t& t = pgc->cell_playback[first].playback_time;
    return PlayingTimeTicks(t.hour, t.minute, t.second, t.frame_u);
}

}  // namespace dvd
