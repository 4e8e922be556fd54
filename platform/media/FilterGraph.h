#pragma once
// The filter graph manager of this platform: one object answering every graph interface. It
// renders a file into a complete graph (source, decoders, renderers), plays it through a Playback,
// queues its events for the owner and describes itself for the running object table.
//
// Everything here is called on the UI thread; only the event queue is reached from the playback
// threads. Interfaces with nothing behind them are refused: IVideoWindow, IBasicVideo(2) and
// IVideoFrameStep without a video renderer, IBasicAudio without an audio renderer, and always the
// ones listed in RefusedInterfaces.h.
#include "platform/com/RunningObjectTable.h"
#include "platform/media/ControlInterfaces.h"
#include "platform/media/EventQueue.h"
#include "platform/media/GraphControlBases.h"
#include "platform/media/Filters.h"
#include "platform/media/Playback.h"

#include <memory>
#include <vector>

namespace media {

class FilterGraph : public IFilterGraph2,
                    public IMediaControl,
                    public GraphEventSource,
                    public IMediaSeeking,
                    public RendererWindowControl,
                    public SoundLevelControl,
                    public IBasicVideo2,
                    public IVideoFrameStep,
                    public com::IDescribedObject {
public:
    static Ref<FilterGraph> create();
    ~FilterGraph() override;

    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override;

    // IFilterGraph, IGraphBuilder
    HRESULT EnumFilters(Ref<IEnumFilters>& filters) override;
    HRESULT RemoveFilter(const Ref<IBaseFilter>& filter) override;
    HRESULT FindFilterByName(const QString& name, Ref<IBaseFilter>& filter) override;
    HRESULT RenderFile(const QString& file, const QString& playList = {}) override;

    // IMediaControl
    HRESULT Run() override;
    HRESULT Pause() override;
    HRESULT Stop() override;
    HRESULT GetState(int32_t msTimeout, FILTER_STATE& state) override;


    // IMediaSeeking
    HRESULT GetCapabilities(uint32_t& capabilities) override;
    HRESULT GetDuration(REFERENCE_TIME& duration) override;
    HRESULT GetCurrentPosition(REFERENCE_TIME& position) override;
    HRESULT GetStopPosition(REFERENCE_TIME& position) override;
    HRESULT SetPositions(REFERENCE_TIME* current, uint32_t currentFlags, REFERENCE_TIME* stop,
                         uint32_t stopFlags) override;
    HRESULT GetRate(double& rate) override;
    HRESULT SetRate(double rate) override;



    // IBasicVideo, IBasicVideo2
    HRESULT get_AvgTimePerFrame(double& seconds) override;
    HRESULT get_SourceWidth(int32_t& width) override;
    HRESULT get_SourceHeight(int32_t& height) override;
    HRESULT GetVideoSize(int32_t& width, int32_t& height) override;
    HRESULT GetPreferredAspectRatio(int32_t& x, int32_t& y) override;

    // IVideoFrameStep
    HRESULT Step(uint32_t frames, IUnknown* stepObject) override;
    HRESULT CanStep(int32_t multiple, IUnknown* stepObject) override;
    HRESULT CancelStep() override;

    // IDescribedObject
    std::string describe() override;

    // The renderer window while the graph has a video renderer.
    VideoRendererWindow* rendererWindow() const override;
    // Options of the next RenderFile (benchmarks: null outputs).
    void setPlaybackOptions(bool audioDevice, bool freeRun);
    const Playback* playback() const { return playback_.get(); }

    // Makes the class creatable by its class identifier (idempotent).
    static void registerClass();

private:
    FilterGraph() = default;
    void setState(FILTER_STATE state);
    void applySoundLevels(int32_t volume, int32_t balance) override;
    void teardown();
    void changed();
    void buildFilters(const QString& file);

    std::unique_ptr<Playback> playback_;
    std::vector<Ref<GraphFilter>> filters_;
    std::shared_ptr<VideoRendererFilter> videoFilter_;
    bool hasAudioRenderer_ = false;
    FILTER_STATE state_ = State_Stopped;
    bool clockAnnounced_ = false;
    double rate_ = 1.0;
    REFERENCE_TIME stopPosition_ = -1;
    bool audioDevice_ = true;
    bool freeRun_ = false;
};

}  // namespace media
