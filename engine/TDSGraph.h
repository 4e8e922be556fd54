#pragma once
// TDSGraph: the base of the graph components. It owns one media graph of the platform, keeps
// counted references to its control interfaces for the owner, registers the graph in the running
// object table when RotEnabled, and turns the graph's events into component events on the UI
// thread: the graph posts WM_GRAPHNOTIFY to the hidden NotifyWindow, which drains the event queue.
//
// Events are std::function members named after the events; an unassigned one is skipped. Each
// passes the component as `sender`. Pointer parameters (filters, pins, devices) are the graph's
// own and valid only during the handler.
//
// Derived classes: call DestroyNotifyWindow() and Disconnect() from their own destructor, since a
// base destructor cannot reach their part of Disconnect.
#include "engine/TOleServer.h"
#include "platform/media/ControlInterfaces.h"
#include "platform/media/RefusedInterfaces.h"

#include <QPointer>

#include <functional>
#include <memory>

class TDSVideoWindow;
class TDSGraphNotifyWindow;

// Width in the low half and height in the high half of the event's first parameter.
struct TVideoSize {
    uint16_t Width = 0;
    uint16_t Height = 0;
};

// The stage at which a sound device failed, as the platform reports it.
enum TSNDDEV_ERR : int32_t {
    SNDDEV_ERROR_Open = 1,
    SNDDEV_ERROR_Close,
    SNDDEV_ERROR_GetCaps,
    SNDDEV_ERROR_PrepareHeader,
    SNDDEV_ERROR_UnprepareHeader,
    SNDDEV_ERROR_Reset,
    SNDDEV_ERROR_Restart,
    SNDDEV_ERROR_GetPosition,
    SNDDEV_ERROR_Write,
    SNDDEV_ERROR_Pause,
    SNDDEV_ERROR_Stop,
    SNDDEV_ERROR_Start,
    SNDDEV_ERROR_AddBuffer,
    SNDDEV_ERROR_Query,
};

class TDSGraph : public TOleServer {
    Q_OBJECT
public:
    TDSGraph(QObject* owner, TServerData& serverData);
    ~TDSGraph() override;

    // The video window control bound to this graph, or none; set and cleared by the control
    // (SetVideoWindow(this) when it binds, SetVideoWindow(nullptr) when it lets go). Not owned.
    TDSVideoWindow* VideoWindow() const { return videoWindowObject_ ? videoWindow_ : nullptr; }
    template <class Control = TDSVideoWindow>
    void SetVideoWindow(Control* control)
    {
        videoWindow_ = control;
        videoWindowObject_ = control;
        rebindVideoWindow_ = nullptr;
        if (control)
            rebindVideoWindow_ = [this, control] { control->SetGraph(this); };
    }

    QObject* NotifyWindow() const;
    uint32_t RotCookie() const { return rotCookie_; }
    bool RotEnabled() const { return rotEnabled_; }
    void SetRotEnabled(bool value) { rotEnabled_ = value; }

    // The graph's interfaces; each empty when absent.
    const com::Ref<media::IVideoWindow>& IVideoWindow() const { return videoWindowIntf_; }
    const com::Ref<media::IMediaSeeking>& IMediaSeeking() const { return mediaSeeking_; }
    const com::Ref<media::IMediaEventEx>& IMediaEventEx() const { return mediaEventEx_; }
    const com::Ref<media::IGraphBuilder>& IGraphBuilder() const { return graphBuilder_; }
    const com::Ref<media::IMediaControl>& IMediaControl() const { return mediaControl_; }
    const com::Ref<media::IBasicAudio>& IBasicAudio() const { return basicAudio_; }
    const com::Ref<media::IBasicVideo2>& IBasicVideo2() const { return basicVideo2_; }
    const com::Ref<media::IAMGraphStreams>& IAMGraphStreams() const { return graphStreams_; }
    const com::Ref<media::IFilterChain>& IFilterChain() const { return filterChain_; }
    const com::Ref<media::IFilterMapper2>& IFilterMapper2() const { return filterMapper2_; }
    const com::Ref<media::IGraphConfig>& IGraphConfig() const { return graphConfig_; }
    const com::Ref<media::IGraphVersion>& IGraphVersion() const { return graphVersion_; }
    const com::Ref<media::IMediaEventSink>& IMediaEventSink() const { return mediaEventSink_; }
    const com::Ref<media::IQueueCommand>& IQueueCommand() const { return queueCommand_; }
    const com::Ref<media::IResourceManager>& IResourceManager() const { return resourceManager_; }
    const com::Ref<media::IVideoFrameStep>& IVideoFrameStep() const { return videoFrameStep_; }

    // Registers the graph in the running object table (base part of every Connect).
    void Connect() override;
    // Withdraws the registration and releases the base references.
    void Disconnect() override;
    // Routes notifications to NotifyWindow and rebinds the video window (base part).
    virtual void QueryGraphInterfaces();

    // Published events.
    std::function<void(TDSGraph* sender, int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2)> OnDSEvent;
    std::function<void(TDSGraph* sender, bool Buffering)> OnGraphBufferingData;
    std::function<void(TDSGraph* sender)> OnGraphClockChanged;
    std::function<void(TDSGraph* sender, HRESULT Result, media::IBaseFilter* Renderer)> OnGraphComplete;
    std::function<void(TDSGraph* sender, com::IUnknown* Device, bool Removed)> OnGraphDeviceLost;
    std::function<void(TDSGraph* sender, int64_t StreamTime, uint32_t NumSegment)> OnGraphEndOfSegment;
    std::function<void(TDSGraph* sender, HRESULT Result)> OnGraphErrorStillPlaying;
    std::function<void(TDSGraph* sender, HRESULT Result)> OnGraphErrorAbort;
    std::function<void(TDSGraph* sender, media::IBaseFilter* Renderer)> OnGraphFullscreenLost;
    std::function<void(TDSGraph* sender)> OnGraphChanged;
    std::function<void(TDSGraph* sender, const QString& String1, const QString& String2)> OnGraphOleEvent;
    std::function<void(TDSGraph* sender, bool opening)> OnGraphOpeningFile;
    std::function<void(TDSGraph* sender)> OnGraphPaletteChanged;
    std::function<void(TDSGraph* sender, HRESULT Result)> OnGraphPaused;
    std::function<void(TDSGraph* sender)> OnGraphQualityChange;
    std::function<void(TDSGraph* sender, TSNDDEV_ERR OccurWhen, uint32_t ErrorCode)> OnGraphSNDDevInError;
    std::function<void(TDSGraph* sender, TSNDDEV_ERR OccurWhen, uint32_t ErrorCode)> OnGraphSNDDevOutError;
    std::function<void(TDSGraph* sender)> OnGraphStepComplete;
    std::function<void(TDSGraph* sender, media::IPin* PinSender, uint32_t Cookie)> OnGraphStreamControlStarted;
    std::function<void(TDSGraph* sender, media::IPin* PinSender, uint32_t Cookie)> OnGraphStreamControlStopped;
    std::function<void(TDSGraph* sender, HRESULT Operation, uint32_t Value)> OnGraphStreamErrorStillPlaying;
    std::function<void(TDSGraph* sender, HRESULT Operation, uint32_t Value)> OnGraphStreamErrorStopped;
    std::function<void(TDSGraph* sender)> OnGraphUserAbort;
    std::function<void(TDSGraph* sender, TVideoSize size)> OnGraphVideoSizeChanged;
    std::function<void(TDSGraph* sender, media::IBaseFilter* From, uint32_t DeviceID)> OnGraphTimeCodeAvailable;
    std::function<void(TDSGraph* sender, uint32_t NewMode, uint32_t DeviceID)> OnGraphEXTDeviceModeChange;
    std::function<void(TDSGraph* sender)> OnGraphClockUnset;

protected:
    // Fires OnDSEvent, then the event of the code (if any) for one graph event.
    virtual void HandleGraphEvent(int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2);
    // Stops the graph and removes every filter of a snapshot of it.
    virtual void RemoveAllFilters();
    void DestroyNotifyWindow();
    // Releases every interface reference held by the base.
    void ReleaseBaseInterfaces();
    // Asks `graph` for the fifteen control interfaces, in their order; each field is cleared
    // before its request, so a refusal leaves it empty.
    void QueryControlInterfaces(const com::Ref<com::IUnknown>& graph);
    void AddGraphToRot();
    void RemoveGraphFromRot();

    com::Ref<media::IVideoWindow> videoWindowIntf_;
    com::Ref<media::IMediaSeeking> mediaSeeking_;
    com::Ref<media::IMediaEventEx> mediaEventEx_;
    com::Ref<media::IGraphBuilder> graphBuilder_;
    com::Ref<media::IMediaControl> mediaControl_;
    com::Ref<media::IBasicAudio> basicAudio_;
    com::Ref<media::IBasicVideo2> basicVideo2_;
    com::Ref<media::IAMGraphStreams> graphStreams_;
    com::Ref<media::IFilterChain> filterChain_;
    com::Ref<media::IFilterMapper2> filterMapper2_;
    com::Ref<media::IGraphConfig> graphConfig_;
    com::Ref<media::IGraphVersion> graphVersion_;
    com::Ref<media::IMediaEventSink> mediaEventSink_;
    com::Ref<media::IQueueCommand> queueCommand_;
    com::Ref<media::IResourceManager> resourceManager_;
    com::Ref<media::IVideoFrameStep> videoFrameStep_;

private:
    friend class TDSGraphNotifyWindow;
    void ProcessGraphEvents();

    TDSVideoWindow* videoWindow_ = nullptr;
    QPointer<QObject> videoWindowObject_;  // tells whether the control still exists
    std::function<void()> rebindVideoWindow_;
    // Lives as long as the component: a handler may destroy the component in the middle of a
    // drain, and the drain must then touch nothing of it. (Made before the notify window.)
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool draining_ = false;
    std::unique_ptr<TDSGraphNotifyWindow> notifyWindow_;
    uint32_t rotCookie_ = 0;
    bool rotEnabled_ = false;
};
