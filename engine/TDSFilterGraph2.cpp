#include "engine/TDSFilterGraph2.h"

#include "platform/media/FilterGraph.h"

TServerData& TDSFilterGraph2::ClassData()
{
    static TServerData data{media::CLSID_FilterGraph,
                            media::IFilterGraph2::IID,
                            com::Guid(),
                            500,
                            0,
                            "Vistrel.FilterGraph",
                            [] { return com::Ref<com::IUnknown>(media::FilterGraph::create()); }};
    return data;
}

TDSFilterGraph2::TDSFilterGraph2(QObject* owner) : TDSGraph(owner, ClassData()) {}

TDSFilterGraph2::~TDSFilterGraph2()
{
    DestroyNotifyWindow();
    TDSFilterGraph2::Disconnect();
}

void TDSFilterGraph2::Connect()
{
    if (!filterGraph2_) {
        const com::Ref<com::IUnknown> object = GetServer();
        com::Ref<media::IFilterGraph2> graph = com::query<media::IFilterGraph2>(object);
        if (!graph)
            throw com::ComError(E_NOINTERFACE, "Interface non supportée");
        filterGraph2_ = graph;
        graphBuilder_ = com::query<media::IGraphBuilder>(filterGraph2_);
    }
    TDSGraph::Connect();
}

void TDSFilterGraph2::ConnectTo(const com::Ref<media::IFilterGraph2>& graph)
{
    Disconnect();
    if (!graph)
        throw com::ComError(E_POINTER, "Interface non supportée");
    filterGraph2_ = graph;
    graphBuilder_ = com::query<media::IGraphBuilder>(filterGraph2_);
    TDSGraph::Connect();
}

void TDSFilterGraph2::Disconnect()
{
    if (mediaEventEx_)
        mediaEventEx_->SetNotifyFlags(media::AM_MEDIAEVENT_NONOTIFY);
    if (mediaControl_)
        mediaControl_->Stop();
    if (filterGraph2_) {
        RemoveGraphFromRot();
        filterGraph2_.reset();
        ReleaseBaseInterfaces();
    }
    TDSGraph::Disconnect();
}

void TDSFilterGraph2::QueryGraphInterfaces()
{
    if (filterGraph2_)
        QueryControlInterfaces(filterGraph2_);
    TDSGraph::QueryGraphInterfaces();
    if (TrackBar() && trackBarCalls_.rebind)
        trackBarCalls_.rebind();
}

void TDSFilterGraph2::ReleaseGraphInterfaces()
{
    if (mediaEventEx_) {
        mediaEventEx_->SetNotifyFlags(media::AM_MEDIAEVENT_NONOTIFY);
        mediaEventEx_->SetNotifyWindow(nullptr, media::WM_GRAPHNOTIFY, 0);
    }
    if (mediaControl_)
        mediaControl_->Stop();
    const com::Ref<media::IGraphBuilder> builder = graphBuilder_;
    ReleaseBaseInterfaces();
    graphBuilder_ = builder;
}

void TDSFilterGraph2::ClearGraph()
{
    if (graphBuilder_ && TrackBar() && trackBarCalls_.resetRate)
        trackBarCalls_.resetRate();
    ReleaseGraphInterfaces();
    RemoveAllFilters();
}

void TDSFilterGraph2::HandleGraphEvent(int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2)
{
    if (TrackBar()) {
        if (Event == media::EC_COMPLETE && trackBarCalls_.complete)
            trackBarCalls_.complete();
        else if (Event == media::EC_CLOCK_CHANGED && trackBarCalls_.progress)
            trackBarCalls_.progress();
    }
    TDSGraph::HandleGraphEvent(Event, Param1, Param2);
}
