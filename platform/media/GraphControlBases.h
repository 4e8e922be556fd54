#pragma once
// Parts that every graph object of this platform answers the same way: the renderer window's
// placement behind IVideoWindow, and the event queue behind IMediaEventEx. A graph derives from
// them and says where its renderer window and its queue are.
#include "platform/media/ControlInterfaces.h"
#include "platform/media/EventQueue.h"

namespace media {

class VideoRendererWindow;

// IVideoWindow over the graph's renderer window; every call fails with E_NOINTERFACE while the
// graph has none.
class RendererWindowControl : public IVideoWindow {
public:
    HRESULT put_Owner(QWidget* owner) override;
    HRESULT get_Owner(QWidget*& owner) override;
    HRESULT put_Caption(const QString& caption) override;
    HRESULT get_Caption(QString& caption) override;
    HRESULT put_WindowStyle(uint32_t style) override;
    HRESULT get_WindowStyle(uint32_t& style) override;
    HRESULT put_WindowStyleEx(uint32_t styleEx) override;
    HRESULT get_WindowStyleEx(uint32_t& styleEx) override;
    HRESULT SetWindowPosition(int32_t left, int32_t top, int32_t width, int32_t height) override;
    HRESULT GetWindowPosition(int32_t& left, int32_t& top, int32_t& width, int32_t& height) override;
    HRESULT put_MessageDrain(QWidget* drain) override;
    HRESULT get_MessageDrain(QWidget*& drain) override;
    HRESULT put_Visible(bool visible) override;
    HRESULT get_Visible(bool& visible) override;

    // The renderer window while the graph has a video renderer.
    virtual VideoRendererWindow* rendererWindow() const = 0;
};

// IBasicAudio: the volume and balance the graph keeps, checked, and handed to whatever plays the
// sound now (and again to what plays it later, by the graph).
class SoundLevelControl : public IBasicAudio {
public:
    HRESULT put_Volume(int32_t volume) override;
    HRESULT get_Volume(int32_t& volume) override;
    HRESULT put_Balance(int32_t balance) override;
    HRESULT get_Balance(int32_t& balance) override;

protected:
    // Hands the levels to the sound output, when there is one.
    virtual void applySoundLevels(int32_t volume, int32_t balance) = 0;
    int32_t volume_ = AUDIO_VOLUME_FULL;
    int32_t balance_ = 0;
};

// IMediaEventEx over the graph's own event queue.
class GraphEventSource : public IMediaEventEx {
public:
    HRESULT GetEvent(int32_t& code, LONG_PTR& param1, LONG_PTR& param2, int32_t msTimeout) override;
    HRESULT FreeEventParams(int32_t code, LONG_PTR param1, LONG_PTR param2) override;
    HRESULT SetNotifyWindow(QObject* window, uint32_t message, LONG_PTR instanceData) override;
    HRESULT SetNotifyFlags(int32_t flags) override;
    HRESULT GetNotifyFlags(int32_t& flags) override;

    // For the platform's own sources of events (and tests): queues an event as a filter would.
    EventQueue& events() { return events_; }

protected:
    EventQueue events_;
};

}  // namespace media
