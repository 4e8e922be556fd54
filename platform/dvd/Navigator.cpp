#include "platform/dvd/Navigator.h"

#include "platform/dvd/DvdCommand.h"
#include "platform/media/Clock.h"

#include <QDir>
#include <QFileInfo>

#include <dvdnav/dvdnav.h>
#include <dvdread/dvd_reader.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstring>

namespace dvd {
namespace {

// libdvdnav and libdvdread explain every damaged sector on stderr; the navigator reports what
// matters through its events instead.
void Quiet(void*, dvdnav_logger_level_t, const char*, va_list) {}
void QuietReader(void*, dvd_logger_level_t, const char*, va_list) {}
const dvdnav_logger_cb kNavLogger{Quiet};
const dvd_logger_cb kReaderLogger{QuietReader};

// Consecutive read failures after which the disc is given up.
constexpr int kMaxReadFailures = 64;
// Consecutive blocks without a navigation packet after which a badly authored disc is given up.
constexpr int kMaxEmptyRun = 20000;

std::atomic<uint32_t> g_nextCommandId{1};

uint32_t ProhibitedMask(const user_ops_t& u)
{
    uint32_t m = 0;
    auto bit = [&m](unsigned set, int n) {
        if (set)
            m |= 1u << n;
    };
    bit(u.title_or_time_play, 0);
    bit(u.chapter_search_or_play, 1);
    bit(u.title_play, 2);
    bit(u.stop, 3);
    bit(u.go_up, 4);
    bit(u.time_or_chapter_search, 5);
    bit(u.prev_or_top_pg_search, 6);
    bit(u.next_pg_search, 7);
    bit(u.forward_scan, 8);
    bit(u.backward_scan, 9);
    bit(u.title_menu_call, 10);
    bit(u.root_menu_call, 11);
    bit(u.subpic_menu_call, 12);
    bit(u.audio_menu_call, 13);
    bit(u.angle_menu_call, 14);
    bit(u.chapter_menu_call, 15);
    bit(u.resume, 16);
    bit(u.button_select_or_activate, 17);
    bit(u.still_off, 18);
    bit(u.pause_on, 19);
    bit(u.audio_stream_change, 20);
    bit(u.subpic_stream_change, 21);
    bit(u.angle_change, 22);
    bit(u.karaoke_audio_pres_mode_change, 23);
    bit(u.video_pres_mode_change, 24);
    return m;
}

DVD_DOMAIN DomainOf(dvdnav_t* nav)
{
    if (dvdnav_is_domain_vts(nav))
        return DVD_DOMAIN_Title;
    if (dvdnav_is_domain_vtsm(nav))
        return DVD_DOMAIN_VideoTitleSetMenu;
    if (dvdnav_is_domain_vmgm(nav))
        return DVD_DOMAIN_VideoManagerMenu;
    if (dvdnav_is_domain_fp(nav))
        return DVD_DOMAIN_FirstPlay;
    return DVD_DOMAIN_Stop;
}

// libdvdnav opens a device, an image, or the folder that holds VIDEO_TS (or VIDEO_TS itself).
QString NavigatorPath(const QString& volume)
{
    const QFileInfo info(volume);
    if (info.isFile() && info.fileName().compare(QLatin1String("VIDEO_TS.IFO"), Qt::CaseInsensitive) == 0)
        return info.absolutePath();
    return volume;
}

}  // namespace

Navigator::Navigator() = default;

Navigator::~Navigator()
{
    close();
}

bool Navigator::open(const QString& volume)
{
    close();
    const QString path = NavigatorPath(volume);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    const QByteArray local = QFile::encodeName(path);
    dvdnav_t* nav = nullptr;
    if (dvdnav_open2(&nav, nullptr, &kNavLogger, local.constData()) != DVDNAV_STATUS_OK || !nav)
        return false;
    int32_t titles = 0;
    if (dvdnav_get_number_of_titles(nav, &titles) != DVDNAV_STATUS_OK || titles < 1) {
        dvdnav_close(nav);
        return false;
    }
    dvdnav_set_readahead_flag(nav, 1);
    dvdnav_set_PGC_positioning_flag(nav, 1);
    dvdnav_menu_language_select(nav, const_cast<char*>("fr"));
    dvdnav_audio_language_select(nav, const_cast<char*>("fr"));
    dvdnav_spu_language_select(nav, const_cast<char*>("fr"));

    chapterCounts_.assign(size_t(titles), 0);
    for (int32_t t = 1; t <= titles; ++t) {
        int32_t parts = 0;
        if (dvdnav_get_number_of_parts(nav, t, &parts) == DVDNAV_STATUS_OK)
            chapterCounts_[size_t(t - 1)] = parts;
    }
    discId_.fill(0);
    if (dvd_reader_t* reader = DVDOpen2(nullptr, &kReaderLogger, local.constData())) {
        DVDDiscID(reader, discId_.data());
        DVDClose(reader);
    }
    angleBlocks_.open(local);
    angleOvercount_ = 0;
    nav_ = nav;
    volume_ = volume;
    NavSnapshot s;
    s.open = true;
    s.titles = titles;
    std::lock_guard lock(mutex_);
    snapshot_ = s;
    return true;
}

void Navigator::start(NavigatorOutput* output)
{
    if (!nav_ || thread_.joinable())
        return;
    output_ = output;
    {
        std::lock_guard lock(mutex_);
        quit_ = false;
    }
    thread_ = std::thread([this] { run(); });
}

void Navigator::close()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        wake_.notify_all();
    }
    if (thread_.joinable())
        thread_.join();
    // Commands never carried out end now, so that nobody waits for them for ever.
    std::deque<std::shared_ptr<DvdCommand>> left;
    {
        std::lock_guard lock(mutex_);
        left.swap(pending_);
        snapshot_ = NavSnapshot();
    }
    for (auto& command : left)
        command->finish(VFW_E_DVD_CMD_CANCELLED);
    for (auto& command : awaitingNav_)
        command->finish();
    awaitingNav_.clear();
    if (nav_) {
        dvdnav_close(nav_);
        nav_ = nullptr;
    }
    chapterCounts_.clear();
    angleBlocks_.close();
    output_ = nullptr;
}

void Navigator::setRunning(bool running)
{
    std::lock_guard lock(mutex_);
    if (running && !running_) {
        // A new play: the damage met by the last one is forgotten, reading tries again.
        ++playCount_;
        snapshot_.readFailed = false;
    }
    running_ = running;
    snapshot_.running = running;
    wake_.notify_all();
}

void Navigator::setPaused(bool paused)
{
    std::lock_guard lock(mutex_);
    paused_ = paused;
    wake_.notify_all();
}

bool Navigator::workWaiting() const
{
    return quit_ || !pending_.empty() || selectPending_;
}

void Navigator::postSelectAt(int x, int y)
{
    std::lock_guard lock(mutex_);
    selectX_ = x;
    selectY_ = y;
    selectPending_ = true;
    wake_.notify_all();
}

void Navigator::runSelectAt()
{
    int x = 0, y = 0;
    {
        std::lock_guard lock(mutex_);
        if (!selectPending_)
            return;
        selectPending_ = false;
        x = selectX_;
        y = selectY_;
    }
    pci_t* pci = dvdnav_get_current_nav_pci(nav_);
    if (pci && dvdnav_mouse_select(nav_, pci, x, y) == DVDNAV_STATUS_OK && output_)
        refreshButtons();
}

NavSnapshot Navigator::snapshot() const
{
    std::lock_guard lock(mutex_);
    return snapshot_;
}

std::shared_ptr<DvdCommand> Navigator::post(std::function<HRESULT(dvdnav_s*)> body, bool jumps)
{
    if (!jumps) {
        // A stream, angle or button change is in the navigator's registers once the body ran:
        // publish it before the command's result is known, so that whoever waited for the result
        // reads the new state. Runs on the navigator thread, like every command.
        body = [this, run = std::move(body)](dvdnav_s* nav) {
            const HRESULT hr = run(nav);
            if (SUCCEEDED(hr) && output_) {
                refreshStreams();
                refreshButtons();
            }
            return hr;
        };
    }
    auto command = std::make_shared<DvdCommand>(g_nextCommandId++, std::move(body), jumps);
    std::lock_guard lock(mutex_);
    if (!thread_.joinable() || quit_) {
        command->finish(VFW_E_DVD_CMD_CANCELLED);
        return command;
    }
    pending_.push_back(command);
    wake_.notify_all();
    return command;
}

void Navigator::publish(const std::function<void(NavSnapshot&)>& change)
{
    std::lock_guard lock(mutex_);
    change(snapshot_);
}

void Navigator::postEvent(int32_t code, LONG_PTR p1, LONG_PTR p2)
{
    if (output_)
        output_->onEvent(code, p1, p2);
}

void Navigator::runCommands(bool afterNavPacket)
{
    if (afterNavPacket) {
        for (auto& command : awaitingNav_) {
            command->finish();
            postEvent(EC_DVD_CMD_END, LONG_PTR(command->id()), 0);
        }
        awaitingNav_.clear();
    }
    runSelectAt();
    bool ran = false;
    for (;;) {
        std::shared_ptr<DvdCommand> command;
        bool reading = false;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty())
                break;
            command = pending_.front();
            pending_.pop_front();
            reading = running_;
        }
        if (command->cancelled())
            continue;  // its owner stopped waiting before it began
        postEvent(EC_DVD_CMD_START, LONG_PTR(command->id()), 0);
        const HRESULT hr = command->execute(nav_);
        ran = true;
        if (SUCCEEDED(hr) && command->jumps()) {
            // The first blocks of the new place are not the old place's: drop what is queued. This
            // also empties a paused player's full queues, so that the new place is read (and shown)
            // and the command ends while the title stays paused.
            lastSecond_ = -1;
            ++serial_;
            if (output_)
                output_->onFlush(serial_);
            if (reading) {
                awaitingNav_.push_back(command);
                continue;
            }
        }
        command->finish(hr);
        postEvent(EC_DVD_CMD_END, LONG_PTR(command->id()), 0);
    }
    if (ran && output_)
        refreshButtons();
}

void Navigator::refreshButtons()
{
    // A selection made during a still (a menu) shows at once: no navigation packet follows it.
    int32_t button = 0;
    dvdnav_get_current_highlight(nav_, &button);
    int buttons = 0;
    publish([&](NavSnapshot& s) {
        buttons = s.buttonCount;
        s.buttonCurrent = buttons > 0 ? button : 0;
    });
    if (buttons > 0 && button != lastButton_) {
        lastButton_ = button;
        postEvent(EC_DVD_BUTTON_CHANGE, buttons, button);
    }
    refreshHighlight(false);
}

void Navigator::run()
{
    uint8_t block[DVD_VIDEO_LB_LEN];
    int failures = 0;
    int play = -1;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait_for(lock, std::chrono::milliseconds(running_ ? 0 : 50),
                           [this] { return workWaiting() || running_; });
            if (quit_)
                break;
        }
        runCommands(false);
        bool reading;
        {
            std::lock_guard lock(mutex_);
            reading = running_;
            if (playCount_ != play) {
                play = playCount_;
                failures = 0;  // each play has its own count of failed reads
            }
        }
        if (!reading || !output_)
            continue;
        if (output_->full()) {
            // The queues hold most of a second: looking again in 20 ms keeps them well ahead
            // without waking 200 times a second (a command still wakes the thread at once).
            std::unique_lock lock(mutex_);
            wake_.wait_for(lock, std::chrono::milliseconds(20), [this] { return workWaiting(); });
            continue;
        }
        if (readOne(block)) {
            failures = 0;
        } else if (++failures >= kMaxReadFailures) {
            // The disc cannot be read any further: playback stops until the next play.
            failures = 0;
            publish([](NavSnapshot& s) {
                s.stopped = true;
                s.readFailed = true;
                s.domain = DVD_DOMAIN_Stop;
            });
            postEvent(EC_DVD_ERROR, DVD_ERROR_Unexpected, 0);
            postEvent(EC_DVD_PLAYBACK_STOPPED);
            postEvent(media::EC_COMPLETE, S_OK);
            setRunning(false);
        }
    }
    for (auto& command : awaitingNav_)
        command->finish();
    awaitingNav_.clear();
}

bool Navigator::wanted(const EsPayload& payload) const
{
    const bool scanning = scanRate_.load() != 0.0;
    switch (payload.kind) {
    case EsKind::Video:
        return payload.number == 0;
    case EsKind::Ac3:
    case EsKind::Dts:
    case EsKind::Lpcm:
    case EsKind::Mpa:
        return !scanning && payload.number == audioPhysical_;
    case EsKind::Subpicture:
        return subpicturePhysical_ >= 0 && payload.number == (subpicturePhysical_ & 0x1F);
    default:
        return false;
    }
}

bool Navigator::readOne(uint8_t* block)
{
    int32_t event = 0;
    int32_t length = 0;
    if (dvdnav_get_next_block(nav_, block, &event, &length) != DVDNAV_STATUS_OK) {
        postEvent(EC_DVD_WARNING, DVD_WARNING_Read, 0);
        return false;
    }
    switch (event) {
    case DVDNAV_BLOCK_OK:
        if (++emptyRun_ > kMaxEmptyRun) {
            emptyRun_ = 0;
            postEvent(EC_DVD_WARNING, DVD_WARNING_FormatNotSupported, 0);
            dvdnav_stop(nav_);
            break;
        }
        DemuxPack(block, size_t(length), [this](const EsPayload& payload) {
            if (wanted(payload))
                output_->onPayload(payload, serial_);
        });
        break;
    case DVDNAV_NAV_PACKET:
        emptyRun_ = 0;
        onNavPacket();
        break;
    case DVDNAV_STILL_FRAME:
        holdStill(reinterpret_cast<dvdnav_still_event_t*>(block)->length);
        break;
    case DVDNAV_WAIT:
        // The cell ends with a pause of the navigator: play out what is queued, then go on.
        output_->drain([this] {
            std::lock_guard lock(mutex_);
            return workWaiting();
        });
        dvdnav_wait_skip(nav_);
        break;
    case DVDNAV_SPU_CLUT_CHANGE: {
        std::array<uint32_t, 16> table{};
        std::memcpy(table.data(), block, sizeof(uint32_t) * 16);
        output_->onColourTable(table);
        break;
    }
    case DVDNAV_SPU_STREAM_CHANGE: {
        const auto* change = reinterpret_cast<dvdnav_spu_stream_change_event_t*>(block);
        (void)change;
        refreshStreams();
        break;
    }
    case DVDNAV_AUDIO_STREAM_CHANGE:
        refreshStreams();
        break;
    case DVDNAV_VTS_CHANGE: {
        // Each title set (and each menu domain) has video attributes of its own: the frame that
        // sub-pictures and buttons are laid on, its shape and its frame rate follow them.
        uint32_t width = 720, height = 576;
        dvdnav_get_video_resolution(nav_, &width, &height);
        const bool ntsc = height == 480 || height == 240;
        const int frameHeight = ntsc ? 480 : 576;
        const bool wide = dvdnav_get_video_aspect(nav_) == 3;
        publish([&](NavSnapshot& s) {
            s.pictureWidth = 720;
            s.pictureHeight = frameHeight;
            s.wide = wide;
            s.framesPerSecond = ntsc ? 30 : 25;
        });
        framesPerSecond_ = ntsc ? 30 : 25;
        output_->onPictureFormat(720, frameHeight, wide);
        break;
    }
    case DVDNAV_CELL_CHANGE: {
        const auto* change = reinterpret_cast<dvdnav_cell_change_event_t*>(block);
        angleOvercount_ = angleBlocks_.overcount(nav_, change->cellN);
        onCellChange(change->pgN);
        break;
    }
    case DVDNAV_HIGHLIGHT:
        refreshHighlight(true);
        break;
    case DVDNAV_HOP_CHANNEL:
        ++serial_;
        output_->onFlush(serial_);
        break;
    case DVDNAV_STOP:
        publish([](NavSnapshot& s) {
            s.stopped = true;
            s.domain = DVD_DOMAIN_Stop;
            s.title = 0;
        });
        postEvent(EC_DVD_DOMAIN_CHANGE, DVD_DOMAIN_Stop, 0);
        postEvent(EC_DVD_PLAYBACK_STOPPED);
        postEvent(media::EC_COMPLETE, S_OK);
        setRunning(false);
        runCommands(true);
        break;
    default:
        break;
    }
    return true;
}

void Navigator::onCellChange(int pgN)
{
    const DVD_DOMAIN domain = DomainOf(nav_);
    int32_t title = 0, part = 0;
    dvdnav_current_title_info(nav_, &title, &part);
    if (domain != DVD_DOMAIN_Title)
        title = 0;
    if (int(domain) != lastDomain_) {
        lastDomain_ = domain;
        postEvent(EC_DVD_DOMAIN_CHANGE, domain, 0);
    }
    int64_t lengthMs = 0;
    int32_t chapters = 0;
    if (title > 0) {
        dvdnav_get_number_of_parts(nav_, title, &chapters);
        uint64_t* times = nullptr;
        uint64_t duration = 0;
        if (dvdnav_describe_title_chapters(nav_, title, &times, &duration) > 0)
            lengthMs = int64_t(duration / 90);
        free(times);
    }
    const int chapter = title > 0 ? (part > 0 ? part : pgN) : 0;
    publish([&](NavSnapshot& s) {
        s.stopped = false;
        s.domain = domain;
        s.title = title;
        s.chapter = chapter;
        if (title > 0) {
            s.chapters = chapters;
            s.titleLengthMs = lengthMs;
        }
    });
    if (title != lastTitle_) {
        lastTitle_ = title;
        if (title > 0)
            postEvent(EC_DVD_TITLE_CHANGE, title, 0);
        lastChapter_ = -1;
    }
    if (title > 0 && chapter != lastChapter_) {
        lastChapter_ = chapter;
        postEvent(EC_DVD_CHAPTER_START, chapter, 0);
    }
    refreshStreams();
}

void Navigator::refreshStreams()
{
    const int audioPhysical = dvdnav_get_active_audio_stream(nav_);
    const int spuRaw = uint8_t(dvdnav_get_active_spu_stream(nav_));
    const int spuPhysical = spuRaw == 0xFF ? -1 : spuRaw;
    std::array<uint16_t, 8> audioLanguage{};
    std::array<uint16_t, 32> spuLanguage{};
    int audioCount = 0, spuCount = 0;
    for (int i = 0; i < 8; ++i) {
        const uint16_t lang = dvdnav_audio_stream_to_lang(nav_, uint8_t(i));
        if (lang == 0xFFFF)
            break;
        audioLanguage[size_t(i)] = lang;
        ++audioCount;
    }
    for (int i = 0; i < 32; ++i) {
        const uint16_t lang = dvdnav_spu_stream_to_lang(nav_, uint8_t(i));
        if (lang == 0xFFFF)
            break;
        spuLanguage[size_t(i)] = lang;
        ++spuCount;
    }
    const int audioLogical = audioPhysical >= 0 ? dvdnav_get_audio_logical_stream(nav_, uint8_t(audioPhysical)) : -1;
    const int spuLogical = spuPhysical >= 0 ? dvdnav_get_spu_logical_stream(nav_, uint8_t(spuPhysical & 0x1F)) : -1;
    const bool shown = spuPhysical >= 0 && !(spuPhysical & 0x80);
    int32_t angle = 1, angles = 1;
    dvdnav_get_angle_info(nav_, &angle, &angles);
    // The angle register outlives the title it was chosen in: a title with fewer angles plays its
    // first, whatever the register says.
    angles = std::max(angles, 1);
    if (angle < 1 || angle > angles)
        angle = 1;

    const bool audioChanged = audioPhysical >= 0 && audioPhysical != audioPhysical_;
    const bool spuChanged = spuPhysical != subpicturePhysical_;
    audioPhysical_ = audioPhysical >= 0 ? audioPhysical : 0;
    subpicturePhysical_ = spuPhysical;
    NavSnapshot before;
    publish([&](NavSnapshot& s) {
        before = s;
        s.audioCount = audioCount;
        s.audioLanguage = audioLanguage;
        s.audioCurrent = audioLogical;
        s.subpictureCount = spuCount;
        s.subpictureLanguage = spuLanguage;
        s.subpictureCurrent = spuLogical;
        s.subpictureShown = shown;
        s.angleCount = angles;
        s.angleCurrent = angle;
    });
    if (audioChanged || before.audioCurrent != audioLogical)
        postEvent(EC_DVD_AUDIO_STREAM_CHANGE, audioLogical, 0);
    if (spuChanged || before.subpictureCurrent != spuLogical)
        postEvent(EC_DVD_SUBPICTURE_STREAM_CHANGE, spuLogical, shown ? 1 : 0);
    if (before.angleCurrent != angle || before.angleCount != angles)
        postEvent(EC_DVD_ANGLE_CHANGE, angles, angle);
    // Whether there are angles to choose from at all: said when it changes.
    const bool severalAngles = angles > 1;
    if (severalAngles != anglesAvailable_) {
        anglesAvailable_ = severalAngles;
        postEvent(EC_DVD_ANGLES_AVAILABLE, severalAngles ? 1 : 0, 0);
    }
}

void Navigator::onNavPacket()
{
    const DVD_DOMAIN domain = DomainOf(nav_);
    const int64_t timeMs = std::max<int64_t>(0, (dvdnav_get_current_time(nav_) - angleOvercount_) / 90);
    const uint32_t prohibited = ProhibitedMask(dvdnav_get_restrictions(nav_));
    pci_t* pci = dvdnav_get_current_nav_pci(nav_);
    const int buttons = pci ? pci->hli.hl_gi.btn_ns : 0;
    int32_t button = 0;
    dvdnav_get_current_highlight(nav_, &button);
    int32_t title = 0, part = 0;
    dvdnav_current_title_info(nav_, &title, &part);
    const bool inTitle = domain == DVD_DOMAIN_Title;
    // Where the buttons are, in every display group the disc has (4:3, letterbox, pan-scan).
    std::vector<std::array<int, 4>> areas;
    const int groups = pci ? std::clamp(int(pci->hli.hl_gi.btngr_ns), 1, 3) : 1;
    for (int g = 0; g < groups; ++g) {
        for (int i = 0; i < buttons && i < 36 / groups; ++i) {
            const btni_t& b = pci->hli.btnit[g * (36 / groups) + i];
            areas.push_back({int(b.x_start), int(b.y_start), int(b.x_end), int(b.y_end)});
        }
    }
    NavSnapshot before;
    publish([&](NavSnapshot& s) {
        before = s;
        s.stopped = false;
        s.domain = domain;
        s.timeMs = inTitle ? timeMs : 0;
        s.prohibited = prohibited;
        s.buttonAreas = std::move(areas);
        s.buttonCount = buttons;
        s.buttonCurrent = buttons > 0 ? button : 0;
        if (inTitle && part > 0)
            s.chapter = part;
    });
    if (inTitle && part > 0 && part != lastChapter_ && title == lastTitle_) {
        lastChapter_ = part;
        postEvent(EC_DVD_CHAPTER_START, part, 0);
    }
    if (prohibited != lastProhibited_) {
        lastProhibited_ = prohibited;
        postEvent(EC_DVD_VALID_UOPS_CHANGE, LONG_PTR(prohibited), 0);
    }
    if (buttons != before.buttonCount || (buttons > 0 && button != lastButton_)) {
        lastButton_ = button;
        postEvent(EC_DVD_BUTTON_CHANGE, buttons, buttons > 0 ? button : 0);
    }
    if (inTitle) {
        const int64_t second = timeMs / 1000;
        if (second != lastSecond_) {
            lastSecond_ = second;
            const int h = int(second / 3600), m = int(second / 60 % 60), sec = int(second % 60);
            const int frames = int(timeMs % 1000 * framesPerSecond_ / 1000);
            const uint32_t bcd = PackBcdTimeCode(h, m, sec, frames, framesPerSecond_ == 30 ? 3 : 1);
            if (hmsfEvents_)
                postEvent(EC_DVD_CURRENT_HMSF_TIME, LONG_PTR(PackHmsf({uint8_t(h), uint8_t(m), uint8_t(sec), uint8_t(frames)})),
                     LONG_PTR(bcd));
            else
                postEvent(EC_DVD_CURRENT_TIME, LONG_PTR(bcd), 0);
        }
    }
    refreshHighlight(false);

    // Scanning: after each unit shown, jump ahead (or back) by what the speed covers meanwhile.
    const double rate = scanRate_.load();
    if (rate != 0.0 && inTitle) {
        const double now = media::Clock::now();
        if (scanClock_ == 0)
            scanClock_ = now;
        const double elapsed = now - scanClock_;
        if (elapsed >= 0.25) {
            scanClock_ = now;
            const int64_t target = timeMs + int64_t(elapsed * rate * 1000.0);
            const int64_t length = before.titleLengthMs;
            if (target <= 0 || (length > 0 && target >= length)) {
                scanRate_ = 0.0;  // the scan reached an end of the title: normal play from there
                publish([](NavSnapshot& s) { s.rate = 1.0; });
                postEvent(EC_DVD_PLAYBACK_RATE_CHANGE, 10000, 0);
            } else if (dvdnav_time_search(nav_, uint64_t(target) * 90) == DVDNAV_STATUS_OK) {
                ++serial_;
                output_->onFlush(serial_);
            }
        }
    } else {
        scanClock_ = 0;
    }
    runCommands(true);
}

void Navigator::showActivated()
{
    buttonActivated_ = true;
    refreshHighlight(true, true);
}

void Navigator::refreshHighlight(bool force, bool activated)
{
    Highlight highlight;
    pci_t* pci = dvdnav_get_current_nav_pci(nav_);
    int32_t button = 0;
    dvdnav_get_current_highlight(nav_, &button);
    if (pci && pci->hli.hl_gi.hli_ss != 0 && button > 0 && button <= pci->hli.hl_gi.btn_ns) {
        dvdnav_highlight_area_t area{};
        if (dvdnav_get_highlight_area(pci, button, activated ? 1 : 0, &area) == DVDNAV_STATUS_OK) {
            highlight.action = activated;
            highlight.shown = true;
            highlight.button = button;
            highlight.left = area.sx;
            highlight.top = area.sy;
            highlight.right = area.ex;
            highlight.bottom = area.ey;
            for (int i = 0; i < 4; ++i) {
                highlight.colour[size_t(i)] = uint8_t(area.palette >> (16 + 4 * i) & 0xF);
                highlight.contrast[size_t(i)] = uint8_t(area.palette >> (4 * i) & 0xF);
            }
        }
    }
    const uint64_t key = highlight.shown ? (uint64_t(button) << 48 | uint64_t(highlight.left) << 32
                                            | uint64_t(highlight.top) << 16 | uint64_t(highlight.right)
                                            | (activated ? uint64_t(1) << 63 : 0))
                                         : 0;
    if (force || key != highlightKey_) {
        highlightKey_ = key;
        output_->onHighlight(highlight);
    }
}

void Navigator::holdStill(int seconds)
{
    const bool infinite = seconds == 0xFF;
    // A still is a settled place: commands that were waiting to see where they led are done.
    runCommands(true);
    publish([](NavSnapshot& s) { s.still = true; });
    output_->onStill(seconds);
    const NavSnapshot now = snapshot();
    postEvent(EC_DVD_STILL_ON, now.buttonCount == 0 ? 1 : 0, infinite ? LONG_PTR(-1) : LONG_PTR(seconds));
    // A timed still counts only while playback goes on: paused or stopped, it waits.
    double left = infinite ? 1e12 : double(seconds);
    double last = media::Clock::now();
    const int serialAtStill = serial_;
    buttonActivated_ = false;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            const double now = media::Clock::now();
            if (running_ && !paused_)
                left -= now - last;
            last = now;
            if (quit_ || left <= 0)
                break;
            wake_.wait_for(lock, std::chrono::milliseconds(int(std::min(left, 0.1) * 1000) + 1),
                           [this] { return workWaiting(); });
            if (quit_)
                break;
        }
        runCommands(false);
        // A command that moved playback ends the still: the navigator is elsewhere now.
        if (!awaitingNav_.empty() || serial_ != serialAtStill)
            break;
        std::lock_guard lock(mutex_);
        if (quit_)
            break;
    }
    {
        std::lock_guard lock(mutex_);
        snapshot_.still = false;
    }
    // Whether the still ran out or a command moved playback away from it, the navigator must
    // leave it: libdvdnav keeps reporting the still of the old place until told so. A button
    // that moved playback has left the still already, and telling libdvdnav again would make it
    // skip the next still it meets (the first one of the new place).
    const bool leftByButton = buttonActivated_ && (!awaitingNav_.empty() || serial_ != serialAtStill);
    if (!quitting() && !leftByButton)
        dvdnav_still_skip(nav_);
    postEvent(EC_DVD_STILL_OFF);
}

void Navigator::setScan(double rate)
{
    if (rate == scanRate_.load())
        return;
    scanRate_ = rate;
    scanClock_ = 0;
    const double shown = rate == 0.0 ? 1.0 : rate;
    publish([shown](NavSnapshot& s) { s.rate = shown; });
    postEvent(EC_DVD_PLAYBACK_RATE_CHANGE, LONG_PTR(std::lround(shown * 10000.0)), 0);
}

bool Navigator::quitting() const
{
    std::lock_guard lock(mutex_);
    return quit_;
}

NavigatorState Navigator::currentState() const
{
    const NavSnapshot s = snapshot();
    NavigatorState state;
    state.discId = discId_;
    state.domain = s.domain;
    state.menu = s.domain == DVD_DOMAIN_VideoTitleSetMenu ? DVD_MENU_Root
                 : s.domain == DVD_DOMAIN_VideoManagerMenu ? DVD_MENU_Title
                                                            : 0;
    state.title = s.title;
    state.chapter = s.chapter;
    state.timeMs = s.timeMs;
    state.audioStream = s.audioCurrent;
    state.subpictureStream = s.subpictureCurrent;
    state.subpictureShown = s.subpictureShown;
    state.angle = s.angleCurrent;
    return state;
}

HRESULT Navigator::setStreams(dvdnav_s* nav, int audio, int subpicture, int show)
{
    vm_cmd_t command{};
    command.bytes[0] = 0x51;
    if (audio >= 0)
        command.bytes[3] = uint8_t(0x80 | audio);
    if (subpicture >= 0 || show >= 0) {
        int32_t spu = subpicture;
        if (spu < 0)
            spu = dvdnav_get_spu_logical_stream(nav, uint8_t(dvdnav_get_active_spu_stream(nav) & 0x1F));
        if (spu < 0)
            spu = 0;
        bool visible = show > 0;
        if (show < 0)
            visible = !(uint8_t(dvdnav_get_active_spu_stream(nav)) & 0x80);
        command.bytes[4] = uint8_t(0x80 | (spu & 0x3F) | (visible ? 0x40 : 0));
    }
    int32_t button = 0;
    dvdnav_get_current_highlight(nav, &button);
    // The VM command runs only "from a button"; in a title any number will do.
    return dvdnav_button_activate_cmd(nav, button > 0 ? button : 1, &command) == DVDNAV_STATUS_OK ? S_OK : E_FAIL;
}

}  // namespace dvd
