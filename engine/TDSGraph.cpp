#include "engine/TDSGraph.h"

#include "engine/ApplicationException.h"
#include "engine/TDSFilterList.h"
#include "platform/com/RunningObjectTable.h"
#include "platform/com/WindowMessage.h"

#include <unistd.h>

// The hidden window the graph posts WM_GRAPHNOTIFY to. Each notification drains the event queue
// inside a guard: an exception from a handler goes to the application's handler and the message
// still counts as handled.
class TDSGraphNotifyWindow : public QObject {
public:
    explicit TDSGraphNotifyWindow(TDSGraph& graph) : graph_(graph), alive_(graph.alive_) {}
    bool event(QEvent* e) override
    {
        if (e->type() == com::WindowMessageEvent::type() &&
            static_cast<com::WindowMessageEvent*>(e)->message == media::WM_GRAPHNOTIFY) {
            if (!*alive_)
                return true;  // left behind by a component that is gone
            try {
                graph_.ProcessGraphEvents();
            } catch (...) {
                HandleApplicationException(std::current_exception());
            }
            return true;
        }
        return QObject::event(e);
    }

private:
    TDSGraph& graph_;
    const std::shared_ptr<bool> alive_;
};

TDSGraph::TDSGraph(QObject* owner, TServerData& serverData)
    : TOleServer(owner, serverData), notifyWindow_(std::make_unique<TDSGraphNotifyWindow>(*this))
{
}

TDSGraph::~TDSGraph()
{
    *alive_ = false;
    DestroyNotifyWindow();
    TDSGraph::Disconnect();
}

QObject* TDSGraph::NotifyWindow() const
{
    return notifyWindow_.get();
}

void TDSGraph::DestroyNotifyWindow()
{
    if (mediaEventEx_)
        mediaEventEx_->SetNotifyWindow(nullptr, media::WM_GRAPHNOTIFY, 0);
    // Destroyed from one of its own notifications (a handler ending the component): the window
    // is still inside its event and goes once that is over.
    if (draining_ && notifyWindow_)
        notifyWindow_.release()->deleteLater();
    notifyWindow_.reset();
}

void TDSGraph::AddGraphToRot()
{
    com::Ref<com::RunningObjectTable> table;
    if (FAILED(com::getRunningObjectTable(table)))
        return;
    // The graph's address as eight hexadecimal digits (its low 32 bits on a 64-bit system) and
    // the process identifier, as external inspectors expect.
    const auto address = uint32_t(reinterpret_cast<uintptr_t>(graphBuilder_.get()));
    const std::string name = QString::asprintf("FilterGraph %08X pid %X", address, unsigned(getpid()))
                                 .left(255)
                                 .toStdString();
    com::Ref<com::ItemMoniker> moniker;
    if (FAILED(com::createItemMoniker("!", name, moniker)))
        return;
    uint32_t cookie = 0;
    if (SUCCEEDED(table->Register(0, graphBuilder_, moniker, cookie)))
        rotCookie_ = cookie;
}

void TDSGraph::RemoveGraphFromRot()
{
    if (!rotCookie_)
        return;
    com::Ref<com::RunningObjectTable> table;
    if (SUCCEEDED(com::getRunningObjectTable(table)))
        table->Revoke(rotCookie_);
    rotCookie_ = 0;
}

void TDSGraph::Connect()
{
    if (rotEnabled_ && graphBuilder_ && !rotCookie_)
        AddGraphToRot();
}

void TDSGraph::Disconnect()
{
    // A registration still held is withdrawn even if RotEnabled was turned off since: the entry
    // must not outlive the graph it names.
    RemoveGraphFromRot();
    ReleaseBaseInterfaces();
}

void TDSGraph::ReleaseBaseInterfaces()
{
    videoWindowIntf_.reset();
    mediaSeeking_.reset();
    mediaEventEx_.reset();
    graphBuilder_.reset();
    mediaControl_.reset();
    basicAudio_.reset();
    basicVideo2_.reset();
    graphStreams_.reset();
    filterChain_.reset();
    filterMapper2_.reset();
    graphConfig_.reset();
    graphVersion_.reset();
    mediaEventSink_.reset();
    queueCommand_.reset();
    resourceManager_.reset();
    videoFrameStep_.reset();
}

void TDSGraph::QueryGraphInterfaces()
{
    if (mediaEventEx_) {
        mediaEventEx_->SetNotifyFlags(0);
        mediaEventEx_->SetNotifyWindow(notifyWindow_.get(), media::WM_GRAPHNOTIFY,
                                       reinterpret_cast<media::LONG_PTR>(mediaEventEx_.get()));
    }
    if (VideoWindow() && rebindVideoWindow_)
        rebindVideoWindow_();
}

void TDSGraph::RemoveAllFilters()
{
    if (!graphBuilder_)
        return;
    if (mediaControl_)
        mediaControl_->Stop();
    TDSFilterList filters(graphBuilder_);
    for (int i = 0; i < filters.Count(); ++i)
        graphBuilder_->RemoveFilter(filters.Items(i));
}

void TDSGraph::ProcessGraphEvents()
{
    if (!mediaEventEx_)
        return;
    // Holds the interface for the whole drain: a handler may disconnect the component.
    const com::Ref<media::IMediaEventEx> events = mediaEventEx_;
    // A raising handler ends the drain; the component, when it lives on, is no longer draining.
    const std::shared_ptr<bool> alive = alive_;
    struct Draining {
        const std::shared_ptr<bool>& alive;
        bool& flag;
        ~Draining()
        {
            if (*alive)
                flag = false;
        }
    } draining{alive, draining_};
    draining_ = true;
    int32_t code = 0;
    media::LONG_PTR param1 = 0;
    media::LONG_PTR param2 = 0;
    while (events->GetEvent(code, param1, param2, 0) == S_OK) {
        // The parameters are freed even when a handler raises, which ends this drain.
        struct Free {
            const com::Ref<media::IMediaEventEx>& events;
            int32_t code;
            media::LONG_PTR p1, p2;
            ~Free() { events->FreeEventParams(code, p1, p2); }
        } free{events, code, param1, param2};
        HandleGraphEvent(code, param1, param2);
        if (!*alive)
            return;  // the handler destroyed the component: nothing of it may be touched
        if (!notifyWindow_)
            break;  // the handler took the notify window away
    }
}

void TDSGraph::QueryControlInterfaces(const com::Ref<com::IUnknown>& graph)
{
    auto ask = [&graph](auto& field) {
        field.reset();
        field = com::query<typename std::decay_t<decltype(field)>::element_type>(graph);
    };
    ask(mediaControl_);
    ask(mediaEventEx_);
    ask(videoWindowIntf_);
    ask(basicAudio_);
    ask(basicVideo2_);
    ask(mediaSeeking_);
    ask(graphStreams_);
    ask(filterChain_);
    ask(filterMapper2_);
    ask(graphConfig_);
    ask(graphVersion_);
    ask(mediaEventSink_);
    ask(queueCommand_);
    ask(resourceManager_);
    ask(videoFrameStep_);
}
