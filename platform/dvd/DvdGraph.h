#pragma once
// The DVD graph builder and the graph it builds: the navigator, the decoders, the video and sound
// renderers. One object answers the builder's interface and the graph's control, event, window,
// sound and picture interfaces; the navigator's control and information interfaces are a second
// object that the builder hands out after a render.
//
// Everything here is called on the UI thread (but the render of a disc prepared ahead, made on a
// thread of its own before the graph is handed out); the navigator and player threads reach only
// the event queue and the renderers' thread-safe ends.
#include "platform/com/RunningObjectTable.h"
#include "platform/dvd/DvdInterfaces.h"
#include "platform/dvd/DvdPlayer.h"
#include "platform/dvd/Navigator.h"
#include "platform/dvd/NavigatorControl.h"
#include "platform/media/EventQueue.h"
#include "platform/media/GraphControlBases.h"
#include "platform/media/Filters.h"

#include <memory>
#include <optional>
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

    // Whether the graph holds a disc prepared ahead (PreparedDisc) that no render has taken yet.
    bool prepared() const { return prepared_.has_value(); }

private:
    friend class PreparedDisc;
    // A render made ahead: the volume it opened and what it answered.
    struct ReadAhead {
        QString volume;
        AM_DVD_RENDERSTATUS status;
    };

    DvdGraph() = default;
    HRESULT render(const QString& volume, const std::shared_ptr<media::VideoRendererFilter>& videoFilter,
                   AM_DVD_RENDERSTATUS& status);
    bool takePreparation(const QString& volume, AM_DVD_RENDERSTATUS& status);
    void readAhead();
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
    std::optional<ReadAhead> prepared_;
};

// The DVD-Video volume the program is about to play (a folder or an image file), opened ahead: a
// DVD graph renders it on a thread of its own and reads it paused, so that its first picture is
// decoded while the program's windows are being made rather than after. The next DVD graph the
// program creates (CLSID_DvdGraphBuilder) is that one, once its render is done (waited for at most
// 20 s); a render of the same volume (named, or found as the first candidate) finds it rendered
// and answers as the first render did, and Run goes on from the picture already decoded. A render
// of another volume closes it and renders that one; a failed render is not kept. A preparation
// nobody took is closed with this object. Made and destroyed on the UI thread.
class PreparedDisc {
public:
    PreparedDisc() = default;
    ~PreparedDisc();
    PreparedDisc(const PreparedDisc&) = delete;
    PreparedDisc& operator=(const PreparedDisc&) = delete;

    // Starts rendering `volume` and reading it; a drive, or anything but a folder or a file, is
    // left to the program's own render. Audio device as the graph's.
    void prepare(const QString& volume, bool audioDevice = true);
    // Whether a preparation waits to be taken (done or not).
    bool waiting() const;
};

}  // namespace dvd
