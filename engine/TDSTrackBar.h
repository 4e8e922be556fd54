#pragma once
// TDSTrackBar: the seek bar of a file graph. Playback progress shows as the bar's selection (from 0
// to the share of the file already played), the thumb is the user's: every change of its position
// seeks the graph there. A hidden timer object refreshes the selection once per step of the bar's
// range at the current rate, so a long file costs one refresh a minute or so.
//
// Binding is two-way and not owning: SetGraph points this bar at the graph and the graph's TrackBar
// back at this bar; the graph calls HandleComplete at end of stream and UpdateProgress when its
// clock changes, and binds the bar again after each render (which rewinds it).
//
// Properties follow the components' pattern: Name() reads, SetName(v) writes; a write of the
// current value does nothing.
#include "platform/media/Types.h"

#include <QObject>
#include <QSlider>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

class TDSFilterGraph2;
class TDSTrackBarTimerWindow;
class QProxyStyle;

// The seeking capabilities of a graph, bit 0 first, as the platform reports them.
enum class TDSAMSeeking : uint8_t {
    CanSeekAbsolute,
    CanSeekForwards,
    CanSeekBackwards,
    CanGetCurrentPos,
    CanGetStopPos,
    CanGetDuration,
    CanPlayBackwards,
    CanDoSegments,
    Source,
};

// A set of TDSAMSeeking (16 bits, one bit per capability).
class TDSAMSeekingKind {
public:
    constexpr TDSAMSeekingKind() = default;
    constexpr explicit TDSAMSeekingKind(uint16_t bits) : bits_(bits & 0x1FF) {}
    constexpr bool Contains(TDSAMSeeking c) const { return bits_ & (1u << unsigned(c)); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr uint16_t Bits() const { return bits_; }
    constexpr bool operator==(const TDSAMSeekingKind&) const = default;

private:
    uint16_t bits_ = 0;
};

// Raised when no timer can be had for the progress refresh.
class EOutOfResources : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TDSTrackBar : public QSlider {
    Q_OBJECT
public:
    // The hidden timer object's timer that drives UpdateProgress.
    static constexpr int ProgressTimerId = 1;

    explicit TDSTrackBar(QWidget* parent = nullptr);
    ~TDSTrackBar() override;

    TDSFilterGraph2* Graph() const { return graph_; }
    // Binds to `value` (or to none), rewinds and restarts the progress timer when it can seek.
    void SetGraph(TDSFilterGraph2* value);

    // The bound graph's seeking capabilities; empty without a seeking interface.
    TDSAMSeekingKind Capabilities() const;
    // The bound graph's playback rate; 0.0 without a seeking interface.
    double Rate() const;
    // Sets the graph's rate and restarts the progress timer; 0.0 (or not a number) changes nothing.
    void SetRate(double value);

    bool TimerEnabled() const { return timerEnabled_; }
    void SetTimerEnabled(bool value);
    // Milliseconds between progress refreshes, as last computed by UpdateTimer.
    uint32_t TimerInterval() const { return timerInterval_; }

    // Restarts the progress timer at one bar step of play time. Raises EOutOfResources with
    // "Pas assez de timers disponibles" when no timer can be had.
    void UpdateTimer();
    // Shows the share already played as the selection 0..SelEnd; the thumb stays where it is.
    void UpdateProgress();
    // End of stream: stops the graph, takes the thumb home (seeking only if it had moved) and
    // clears the selection.
    void HandleComplete();

    // The track bar's own properties.
    int Min() const { return minimum(); }
    void SetMin(int value) { setMinimum(value); }
    int Max() const { return maximum(); }
    void SetMax(int value) { setMaximum(value); }
    int Position() const { return value(); }
    void SetPosition(int value) { setValue(value); }
    int SelStart() const { return selStart_; }
    void SetSelStart(int value);
    int SelEnd() const { return selEnd_; }
    void SetSelEnd(int value);
    // The thumb's size across the channel, in pixels.
    int ThumbLength() const { return thumbLength_; }
    void SetThumbLength(int value);

    // Fired after each position change, before the graph is sought.
    std::function<void(TDSTrackBar* sender)> OnChange;

    // The channel rectangle and the pixel centre of `value` on it, as painted (for tests and
    // for owners that draw marks of their own).
    QRect ChannelRect() const;
    int PixelOf(int value) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Starts the hidden object's timer 1; false when the system refuses it.
    virtual bool StartProgressTimer(uint32_t interval);

private:
    void Changed();
    void Unbind();
    void GraphDestroyed();
    bool HasSeeking() const;

    TDSFilterGraph2* graph_ = nullptr;
    std::unique_ptr<TDSTrackBarTimerWindow> timerWindow_;
    QProxyStyle* style_ = nullptr;  // gives the thumb its length; a child of this bar
    QMetaObject::Connection graphGone_;
    bool timerEnabled_ = false;
    uint32_t timerInterval_ = 0;
    int selStart_ = 0;
    int selEnd_ = 0;
    int thumbLength_ = 15;
};
