#pragma once
// The DVD navigator: a thread that walks a DVD-Video volume with libdvdnav, hands the chosen
// streams' payloads to its output, posts the navigator's events, and carries out navigation
// commands between blocks.
//
// The UI thread waits for this thread only in a command's bounded waits, and this thread never
// waits for the UI thread, so those waits cannot deadlock. What the UI thread may read of the
// navigator (domain, title, chapter, streams, buttons, prohibited operations) is a snapshot that
// this thread publishes after each change.
#include "platform/dvd/AngleBlocks.h"
#include "platform/dvd/DvdInterfaces.h"
#include "platform/dvd/NavigatorState.h"
#include "platform/dvd/PsDemux.h"

#include <QString>

#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct dvdnav_s;

namespace dvd {

// A button's highlight: its rectangle in picture pixels and its four colours, each a colour-table
// index and a contrast (0 transparent .. 15 opaque), for pixel values 0 to 3 of the sub-picture.
struct Highlight {
    bool shown = false;
    int button = 0;
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom included
    std::array<uint8_t, 4> colour{};
    std::array<uint8_t, 4> contrast{};
    bool action = false;  // the activated look rather than the selected one
};

struct NavSnapshot {
    bool open = false;
    bool running = false;  // blocks are being read
    bool stopped = true;   // the navigator reached its stop domain (or never started)
    bool readFailed = false;  // reading gave up on damage during this play
    DVD_DOMAIN domain = DVD_DOMAIN_Stop;
    int titles = 0;
    int title = 0;          // 0 in a menu
    int chapters = 0;       // of the current title
    int chapter = 0;
    int64_t timeMs = 0;     // in the title
    int64_t titleLengthMs = 0;
    int audioCount = 0;
    int audioCurrent = -1;  // logical stream
    std::array<uint16_t, 8> audioLanguage{};  // two ISO 639 letters, 0 unknown
    int subpictureCount = 0;
    int subpictureCurrent = -1;
    bool subpictureShown = false;
    std::array<uint16_t, 32> subpictureLanguage{};
    int angleCount = 1;
    int angleCurrent = 1;
    int buttonCount = 0;
    int buttonCurrent = 0;
    // Each button's rectangle in picture pixels: left, top, right, bottom (the last two included).
    std::vector<std::array<int, 4>> buttonAreas;
    uint32_t prohibited = 0;  // VALID_UOP_FLAG bits
    bool still = false;
    double rate = 1.0;        // negative: backwards
    // The frame of the current title set's video (sub-pictures and buttons are laid on it), its
    // shape and its frame rate.
    int pictureWidth = 720;
    int pictureHeight = 576;
    bool wide = false;        // 16:9 picture
    int framesPerSecond = 25; // 30 on an NTSC disc
};

// Where the navigator's output goes. Every call comes from the navigator thread.
class NavigatorOutput {
public:
    virtual ~NavigatorOutput() = default;
    // A payload of the chosen video, audio or sub-picture stream, with the serial of its run.
    virtual void onPayload(const EsPayload& payload, int serial) = 0;
    // The stream jumped: everything queued of earlier serials is to be dropped.
    virtual void onFlush(int serial) = 0;
    // A still picture begins: the last picture must be shown at once and held.
    virtual void onStill(int seconds) = 0;
    virtual void onHighlight(const Highlight& highlight) = 0;
    // The sub-picture colour table: 16 entries of 0x00YYCrCb... as the disc stores them (Y, Cr, Cb).
    virtual void onColourTable(const std::array<uint32_t, 16>& table) = 0;
    // The title set changed its video frame (720 x 480 NTSC, 720 x 576 PAL) or shape.
    virtual void onPictureFormat(int width, int height, bool wide)
    {
        (void)width;
        (void)height;
        (void)wide;
    }
    virtual void onEvent(int32_t code, LONG_PTR param1, LONG_PTR param2) = 0;
    // The navigator asks the player to play out what it has queued (a cell's end); returns when done
    // or when `abandon` says a command is waiting.
    virtual void drain(const std::function<bool()>& abandon) = 0;
    // True while the output cannot take more (the navigator then waits, commands still run).
    virtual bool full() const = 0;
};

class DvdCommand;

class Navigator {
public:
    Navigator();
    ~Navigator();
    Navigator(const Navigator&) = delete;
    Navigator& operator=(const Navigator&) = delete;

    // Opens the volume (a device, a folder holding VIDEO_TS, VIDEO_TS itself, VIDEO_TS.IFO or an
    // ISO image). False when it is no readable DVD-Video volume.
    bool open(const QString& volume);
    QString volume() const { return volume_; }
    std::array<uint8_t, 16> discId() const { return discId_; }
    int titleCount() const { return int(chapterCounts_.size()); }
    // Chapters of a title (from 1); 0 for a title that does not exist. Read when the volume opens.
    int chapterCount(int title) const
    {
        return title >= 1 && title <= titleCount() ? chapterCounts_[size_t(title - 1)] : 0;
    }

    // Starts the thread (reading waits until setRunning(true)). `output` must outlive close().
    void start(NavigatorOutput* output);
    // Stops the thread and closes the volume.
    void close();
    // Reading on (playing) or off (paused, stopped): commands are carried out either way.
    void setRunning(bool running);
    // The player holds its picture: a timed still does not count down meanwhile.
    void setPaused(bool paused);
    void setTimeEvents(bool hmsf) { hmsfEvents_ = hmsf; }

    NavSnapshot snapshot() const;

    // Runs `body` on the navigator thread. `jumps`: the command moves playback, so it counts as
    // carried out when the first navigation packet of the new place has been read (or at once
    // while reading is off). The returned command follows it; EC_DVD_CMD_START/END are posted.
    std::shared_ptr<DvdCommand> post(std::function<HRESULT(dvdnav_s*)> body, bool jumps);
    // Selects the button at a point of the picture, without anyone waiting: only the latest
    // point asked for is carried out.
    void postSelectAt(int x, int y);

    // Scan: 0 = normal play; otherwise speed (>1 forwards, <0 backwards) showing key frames.
    // Navigator thread (a command's body): posts EC_DVD_PLAYBACK_RATE_CHANGE with the new rate.
    void setScan(double rate);

    // Navigator thread (a command's body): shows the current button in its activated colours,
    // as the disc draws a pressed button, before the activation moves playback away.
    void showActivated();

    // The state record of where playback stands now.
    NavigatorState currentState() const;

    // Sets the stream numbers register with the VM command that does it (audio and sub-picture
    // logical numbers; -1 leaves one unchanged; `show` sets the sub-picture display flag).
    static HRESULT setStreams(dvdnav_s* nav, int audio, int subpicture, int show);

private:
    void run();
    bool readOne(uint8_t* block);
    void runCommands(bool afterNavPacket);
    void runSelectAt();
    bool workWaiting() const;  // mutex_ held
    void onNavPacket();
    void onCellChange(int pgN);
    void refreshStreams();
    void refreshHighlight(bool force, bool activated = false);
    void refreshButtons();
    void publish(const std::function<void(NavSnapshot&)>& change);
    void postEvent(int32_t code, LONG_PTR p1 = 0, LONG_PTR p2 = 0);
    void holdStill(int seconds);
    bool quitting() const;
    bool wanted(const EsPayload& payload) const;

    QString volume_;
    std::array<uint8_t, 16> discId_{};
    std::vector<int> chapterCounts_;
    dvdnav_s* nav_ = nullptr;  // navigator thread only once started
    NavigatorOutput* output_ = nullptr;
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<DvdCommand>> pending_;         // protected by mutex_
    std::vector<std::shared_ptr<DvdCommand>> awaitingNav_;   // navigator thread only
    NavSnapshot snapshot_;                                    // protected by mutex_
    bool quit_ = false;                                       // protected by mutex_
    bool running_ = false;                                    // protected by mutex_
    bool paused_ = false;                                     // protected by mutex_
    int playCount_ = 0;                                       // protected by mutex_: plays begun
    bool selectPending_ = false;                              // protected by mutex_
    int selectX_ = 0, selectY_ = 0;                           // protected by mutex_
    std::atomic<bool> hmsfEvents_{false};
    std::atomic<double> scanRate_{0.0};

    // Navigator thread only:
    int serial_ = 0;
    int lastDomain_ = 0;
    int lastTitle_ = -1;
    int lastChapter_ = -1;
    int64_t lastSecond_ = -1;
    int audioPhysical_ = 0;
    int subpicturePhysical_ = -1;  // with 0x80 set while hidden
    int lastButton_ = -1;
    uint32_t lastProhibited_ = 0xFFFFFFFF;
    uint64_t highlightKey_ = 0;
    double scanClock_ = 0;
    int emptyRun_ = 0;
    int framesPerSecond_ = 25;
    bool anglesAvailable_ = false;
    // The library's title time counts another angle's cell in an angle block: taken off here.
    AngleBlocks angleBlocks_;
    int64_t angleOvercount_ = 0;  // 90 kHz ticks, for the cell playing
    bool buttonActivated_ = false;  // a button was activated during the current still
};

}  // namespace dvd
