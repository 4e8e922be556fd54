#pragma once
// The DVD graph builder and the graph it builds: the navigator, the decoders, the video and sound
// renderers. One object answers the builder's interface and the graph's control, event, window,
// sound and picture interfaces; the navigator's control and information interfaces are a second
// object that the builder hands out after a render.
//
// Everything here is called on the UI thread; the navigator and player threads reach only the
// event queue and the renderers' thread-safe ends.
#include "platform/com/RunningObjectTable.h"
#include "platform/dvd/DvdInterfaces.h"
#include "platform/dvd/DvdPlayer.h"
#include "platform/dvd/Navigator.h"
#include "platform/dvd/NavigatorControl.h"
#include "platform/media/EventQueue.h"
#include "platform/media/GraphControlBases.h"
#include "platform/media/Filters.h"

#include <memory>
#include <vector>

namespace dvd {

class DvdGraph final : public IDvdGraphBuilder,
                       public media::IFilterGraph2,
                       public media::IMediaControl,
                       public media::GraphEventSource,
                       public media::RendererWindowControl,
                       public media::SoundLevelControl,
                       public media::IBasicVideo2,
                       public com::IDescribedObject {
public:
    static Ref<DvdGraph> create();
    ~DvdGraph() override;
    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override;

    // IDvdGraphBuilder
    HRESULT GetFiltergraph(Ref<media::IGraphBuilder>& graph) override;
    HRESULT GetDvdInterface(const Guid& iid, Ref<IUnknown>& out) override;
    HRESULT RenderDvdVideoVolume(const QString& volume, uint32_t flags, AM_DVD_RENDERSTATUS& status) override;

    // IFilterGraph, IGraphBuilder
    HRESULT EnumFilters(Ref<media::IEnumFilters>& filters) override;
    HRESULT RemoveFilter(const Ref<media::IBaseFilter>& filter) override;
    HRESULT FindFilterByName(const QString& name, Ref<media::IBaseFilter>& filter) override;
    HRESULT RenderFile(const QString& file, const QString& playList = {}) override;

    // IMediaControl
    HRESULT Run() override;
    HRESULT Pause() override;
    HRESULT Stop() override;
    HRESULT GetState(int32_t msTimeout, media::FILTER_STATE& state) override;

    // IBasicVideo, IBasicVideo2
    HRESULT get_AvgTimePerFrame(double& seconds) override;
    HRESULT get_SourceWidth(int32_t& width) override;
    HRESULT get_SourceHeight(int32_t& height) override;
    HRESULT GetVideoSize(int32_t& width, int32_t& height) override;
    HRESULT GetPreferredAspectRatio(int32_t& x, int32_t& y) override;

    std::string describe() override;

    // The renderer window while the graph has one.
    media::VideoRendererWindow* rendererWindow() const override;
    // Benchmarks and tests: sound consumed without a device.
    void setAudioDevice(bool on) { audioDevice_ = on; }
    const Navigator& navigator() const { return navigator_; }
    const DvdPlayer* player() const { return player_.get(); }

    // Makes the builder creatable by its class identifier (idempotent).
    static void registerClass();

private:
    DvdGraph() = default;
    void teardown();
    void setGraphState(media::FILTER_STATE state);
    void applySoundLevels(int32_t volume, int32_t balance) override;
    void buildFilters();
    void changed();
    bool mapToPicture(int32_t x, int32_t y, int32_t& px, int32_t& py) const;

    Navigator navigator_;
    std::unique_ptr<DvdPlayer> player_;
    std::shared_ptr<NavigatorControl> control_;
    std::vector<Ref<media::GraphFilter>> filters_;
    std::shared_ptr<media::VideoRendererFilter> videoFilter_;
    media::FILTER_STATE state_ = media::State_Stopped;
    bool audioDevice_ = true;
};

}  // namespace dvd
