#pragma once
// The interfaces through which the owner of a graph drives and watches it.
#include "platform/media/GraphInterfaces.h"

class QObject;
class QWidget;

namespace media {

class IMediaControl : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A868B1-0AD4-11CE-B03A-0020AF0BA770}"};
    virtual HRESULT Run() = 0;
    virtual HRESULT Pause() = 0;
    // Stops streaming where it is; the position is kept (the caller seeks if it wants the start).
    virtual HRESULT Stop() = 0;
    virtual HRESULT GetState(int32_t msTimeout, FILTER_STATE& state) = 0;
};

class IMediaEvent : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A868B6-0AD4-11CE-B03A-0020AF0BA770}"};
    // The oldest waiting event; E_ABORT when none arrives within msTimeout (0: do not wait).
    // Pointer parameters stay valid until FreeEventParams is called with the same values.
    virtual HRESULT GetEvent(int32_t& code, LONG_PTR& param1, LONG_PTR& param2, int32_t msTimeout) = 0;
    virtual HRESULT FreeEventParams(int32_t code, LONG_PTR param1, LONG_PTR param2) = 0;
};

class IMediaEventEx : public IMediaEvent {
public:
    static constexpr Guid IID{"{56A868C0-0AD4-11CE-B03A-0020AF0BA770}"};
    // While events wait, `message` is posted to `window` (a QObject on the UI thread) as a
    // com::WindowMessageEvent whose lParam is `instanceData`. A null window stops the posting.
    virtual HRESULT SetNotifyWindow(QObject* window, uint32_t message, LONG_PTR instanceData) = 0;
    // 0 delivers events; AM_MEDIAEVENT_NONOTIFY drops the waiting ones and queues no more.
    virtual HRESULT SetNotifyFlags(int32_t flags) = 0;
    virtual HRESULT GetNotifyFlags(int32_t& flags) = 0;
};

class IMediaSeeking : public virtual IUnknown {
public:
    static constexpr Guid IID{"{36B73880-C2C8-11CF-8B46-00805F6CEF60}"};
    virtual HRESULT GetCapabilities(uint32_t& capabilities) = 0;
    virtual HRESULT GetDuration(REFERENCE_TIME& duration) = 0;
    virtual HRESULT GetCurrentPosition(REFERENCE_TIME& position) = 0;
    virtual HRESULT GetStopPosition(REFERENCE_TIME& position) = 0;
    // Either pointer may be null together with AM_SEEKING_NoPositioning.
    virtual HRESULT SetPositions(REFERENCE_TIME* current, uint32_t currentFlags, REFERENCE_TIME* stop,
                                 uint32_t stopFlags) = 0;
    virtual HRESULT GetRate(double& rate) = 0;
    // Forward rates from 0.5 to 8; sound is muted above twice the normal speed.
    virtual HRESULT SetRate(double rate) = 0;
};

class IBasicAudio : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A868B3-0AD4-11CE-B03A-0020AF0BA770}"};
    // Hundredths of a decibel, AUDIO_VOLUME_SILENCE to AUDIO_VOLUME_FULL.
    virtual HRESULT put_Volume(int32_t volume) = 0;
    virtual HRESULT get_Volume(int32_t& volume) = 0;
    // -10000 (left only) to 10000 (right only).
    virtual HRESULT put_Balance(int32_t balance) = 0;
    virtual HRESULT get_Balance(int32_t& balance) = 0;
};

class IBasicVideo : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A868B5-0AD4-11CE-B03A-0020AF0BA770}"};
    virtual HRESULT get_AvgTimePerFrame(double& seconds) = 0;
    virtual HRESULT get_SourceWidth(int32_t& width) = 0;
    virtual HRESULT get_SourceHeight(int32_t& height) = 0;
    virtual HRESULT GetVideoSize(int32_t& width, int32_t& height) = 0;
};

class IBasicVideo2 : public IBasicVideo {
public:
    static constexpr Guid IID{"{329BB360-F6EA-11D1-9038-00A0C9697298}"};
    // The picture's display aspect ratio as a pair of integers.
    virtual HRESULT GetPreferredAspectRatio(int32_t& x, int32_t& y) = 0;
};

class IVideoWindow : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A868B4-0AD4-11CE-B03A-0020AF0BA770}"};
    // The renderer window becomes a child of `owner` when its style holds WS_CHILD, otherwise a
    // window of its own. Null: no owner.
    virtual HRESULT put_Owner(QWidget* owner) = 0;
    virtual HRESULT get_Owner(QWidget*& owner) = 0;
    virtual HRESULT put_Caption(const QString& caption) = 0;
    virtual HRESULT get_Caption(QString& caption) = 0;
    virtual HRESULT put_WindowStyle(uint32_t style) = 0;
    virtual HRESULT get_WindowStyle(uint32_t& style) = 0;
    virtual HRESULT put_WindowStyleEx(uint32_t styleEx) = 0;
    virtual HRESULT get_WindowStyleEx(uint32_t& styleEx) = 0;
    // In the owner's client coordinates for a child, in screen coordinates otherwise.
    virtual HRESULT SetWindowPosition(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
    virtual HRESULT GetWindowPosition(int32_t& left, int32_t& top, int32_t& width, int32_t& height) = 0;
    // Mouse, wheel and key input on the picture is forwarded to `drain`, in its coordinates.
    virtual HRESULT put_MessageDrain(QWidget* drain) = 0;
    virtual HRESULT get_MessageDrain(QWidget*& drain) = 0;
    virtual HRESULT put_Visible(bool visible) = 0;
    virtual HRESULT get_Visible(bool& visible) = 0;
};

class IVideoFrameStep : public virtual IUnknown {
public:
    static constexpr Guid IID{"{E46A9787-2B71-444D-A4B5-1FAB7B708D6A}"};
    // Shows the next `frames` pictures from a paused graph, then posts EC_STEP_COMPLETE.
    virtual HRESULT Step(uint32_t frames, IUnknown* stepObject) = 0;
    virtual HRESULT CanStep(int32_t multiple, IUnknown* stepObject) = 0;
    virtual HRESULT CancelStep() = 0;
};

// The video renderer's input pin answers this with the colour key of its picture.
class IOverlay : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A868A1-0AD4-11CE-B03A-0020AF0BA770}"};
    virtual HRESULT GetDefaultColorKey(COLORKEY& key) = 0;
};

}  // namespace media
