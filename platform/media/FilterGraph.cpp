#include "platform/media/FilterGraph.h"

#include "platform/com/ObjectServices.h"
#include "platform/media/VideoRendererWindow.h"

#include <QFileInfo>

namespace media {

Ref<FilterGraph> FilterGraph::create()
{
    return Ref<FilterGraph>(new FilterGraph());
}

void FilterGraph::registerClass()
{
    com::registerClass(CLSID_FilterGraph, "Vistrel.FilterGraph", [] { return Ref<IUnknown>(create()); });
}

FilterGraph::~FilterGraph()
{
    teardown();
}

HRESULT FilterGraph::QueryInterface(const Guid& iid, Ref<IUnknown>& out)
{
    if (videoFilter_ && (iid == IVideoWindow::IID || iid == IBasicVideo::IID || iid == IBasicVideo2::IID ||
                         iid == IVideoFrameStep::IID)) {
        out = shared_from_this();
        return S_OK;
    }
    if (hasAudioRenderer_ && iid == IBasicAudio::IID) {
        out = shared_from_this();
        return S_OK;
    }
    return answerQuery<IFilterGraph, IGraphBuilder, IFilterGraph2, IMediaControl, IMediaEvent, IMediaEventEx,
                       IMediaSeeking, com::IDescribedObject>(iid, out);
}

void FilterGraph::changed()
{
    Ref<com::RunningObjectTable> table;
    if (SUCCEEDED(com::getRunningObjectTable(table)))
        table->noteChanged(this);
}

void FilterGraph::setPlaybackOptions(bool audioDevice, bool freeRun)
{
    audioDevice_ = audioDevice;
    freeRun_ = freeRun;
}

VideoRendererWindow* FilterGraph::rendererWindow() const
{
    return videoFilter_ ? videoFilter_->window() : nullptr;
}

void FilterGraph::buildFilters(const QString& file)
{
    auto source = std::make_shared<GraphFilter>(file);
    filters_.push_back(source);
    auto chain = [&](const StreamInfo& stream, const QString& kind, const QString& decoderName,
                     const Ref<GraphFilter>& renderer) {
        auto out = source->addPin(kind, PINDIR_OUTPUT);
        auto decoder = std::make_shared<GraphFilter>(decoderName);
        filters_.push_back(decoder);
        GraphPin::connect(out, decoder->addPin(QStringLiteral("In"), PINDIR_INPUT), stream.description);
        filters_.push_back(renderer);
        GraphPin::connect(decoder->addPin(QStringLiteral("Out"), PINDIR_OUTPUT),
                          renderer->addPin(QStringLiteral("In"), PINDIR_INPUT, renderer == videoFilter_),
                          kind == QLatin1String("Video") ? QStringLiteral("Video: rgb32 %1x%2")
                                                               .arg(playback_->width())
                                                               .arg(playback_->height())
                                                         : QStringLiteral("Audio: pcm_s16le stereo"));
    };
    if (playback_->video().present)
        chain(playback_->video(), QStringLiteral("Video"), playback_->video().codecName + QStringLiteral(" Decoder"),
              videoFilter_);
    if (playback_->audio().present) {
        const QString decoder = playback_->isMidi() ? QStringLiteral("MIDI Synthesizer")
                                                    : playback_->audio().codecName + QStringLiteral(" Decoder");
        chain(playback_->audio(), QStringLiteral("Audio"), decoder, std::make_shared<GraphFilter>(QStringLiteral("Audio Renderer")));
        hasAudioRenderer_ = true;
    }
}

HRESULT FilterGraph::RenderFile(const QString& file, const QString&)
{
    if (!filters_.empty())
        return VFW_E_WRONG_STATE;  // one file per graph: the owner clears it before the next
    auto videoFilter = std::make_shared<VideoRendererFilter>();
    auto playback = std::make_unique<Playback>([this](int32_t code, LONG_PTR p1, LONG_PTR p2) { events_.put(code, p1, p2); });
    PlaybackOptions options;
    options.videoSink = videoFilter->window()->sink();
    options.audioDevice = audioDevice_;
    options.freeRun = freeRun_;
    const HRESULT hr = playback->open(QFileInfo(file).absoluteFilePath(), options);
    if (FAILED(hr))
        return hr;  // nothing was added: the graph is as it was

    playback_ = std::move(playback);
    if (playback_->video().present)
        videoFilter_ = videoFilter;
    buildFilters(file);
    playback_->setRate(rate_);
    playback_->setVolume(volume_);
    playback_->setBalance(balance_);
    stopPosition_ = -1;
    clockAnnounced_ = false;
    state_ = State_Stopped;
    changed();
    return S_OK;
}

// Stops the threads and unhooks every connection; the filters stay listed.
void FilterGraph::teardown()
{
    playback_.reset();
    for (const auto& filter : filters_) {
        filter->setState(State_Stopped);
        for (const auto& pin : filter->pins())
            pin->disconnect();
    }
    state_ = State_Stopped;
}

HRESULT FilterGraph::EnumFilters(Ref<IEnumFilters>& filters)
{
    filters = std::make_shared<FilterEnumerator>(std::vector<Ref<IBaseFilter>>(filters_.begin(), filters_.end()));
    return S_OK;
}

HRESULT FilterGraph::RemoveFilter(const Ref<IBaseFilter>& filter)
{
    if (!filter)
        return E_POINTER;
    for (auto it = filters_.begin(); it != filters_.end(); ++it) {
        if (static_cast<IBaseFilter*>(it->get()) != filter.get())
            continue;
        // A graph missing a filter cannot play: stop it and take it apart.
        teardown();
        if (*it == videoFilter_) {
            if (auto* window = videoFilter_->window())
                window->setStreaming(false);
            videoFilter_.reset();
        }
        if ((*it)->name() == QLatin1String("Audio Renderer"))
            hasAudioRenderer_ = false;
        filters_.erase(it);
        if (filters_.empty())
            events_.clear();
        changed();
        return S_OK;
    }
    return VFW_E_NOT_FOUND;
}

HRESULT FilterGraph::FindFilterByName(const QString& name, Ref<IBaseFilter>& filter)
{
    for (const auto& f : filters_) {
        if (f->name() == name) {
            filter = f;
            return S_OK;
        }
    }
    filter.reset();
    return VFW_E_NOT_FOUND;
}

void FilterGraph::setState(FILTER_STATE state)
{
    state_ = state;
    for (const auto& filter : filters_)
        filter->setState(state);
    if (videoFilter_ && state != State_Stopped)
        videoFilter_->window()->setStreaming(true);
    changed();
}

HRESULT FilterGraph::Run()
{
    if (!playback_)
        return filters_.empty() ? S_OK : VFW_E_NOT_CONNECTED;
    playback_->run();
    setState(State_Running);
    if (!clockAnnounced_) {
        clockAnnounced_ = true;
        events_.put(EC_CLOCK_CHANGED, 0, 0);
    }
    return S_OK;
}

HRESULT FilterGraph::Pause()
{
    if (!playback_)
        return filters_.empty() ? S_OK : VFW_E_NOT_CONNECTED;
    playback_->pause();
    setState(State_Paused);
    events_.put(EC_PAUSED, S_OK, 0);
    return S_OK;
}

HRESULT FilterGraph::Stop()
{
    if (playback_)
        playback_->stop();
    setState(State_Stopped);
    return S_OK;
}

HRESULT FilterGraph::GetState(int32_t, FILTER_STATE& state)
{
    state = state_;
    return S_OK;
}

std::string FilterGraph::describe()
{
    static const char* const states[] = {"Stopped", "Paused", "Running"};
    QString text;
    text += QStringLiteral("Graph state: %1\n").arg(QLatin1String(states[state_]));
    if (playback_)
        text += QStringLiteral("Source format: %1, duration %2 s\n")
                    .arg(playback_->sourceFormat())
                    .arg(playback_->duration(), 0, 'f', 3);
    if (auto* window = rendererWindow())
        text += QStringLiteral("Video output: %1\n").arg(window->outputName());
    text += QStringLiteral("Filters: %1\n").arg(filters_.size());
    for (const auto& filter : filters_) {
        text += QStringLiteral("Filter \"%1\" [%2]\n").arg(filter->name(), QLatin1String(states[filter->state()]));
        for (const auto& pin : filter->pins()) {
            const auto peer = pin->peer();
            QString peerName;
            Ref<IBaseFilter> peerFilter;
            if (peer && SUCCEEDED(peer->QueryFilter(peerFilter)) && peerFilter)
                peerFilter->QueryFilterInfo(peerName);
            text += QStringLiteral("  pin \"%1\" %2 %3 \"%4\": %5\n")
                        .arg(pin->id(), pin->direction() == PINDIR_INPUT ? QStringLiteral("input from")
                                                                         : QStringLiteral("output to"),
                             peer ? QStringLiteral("filter") : QStringLiteral("(not connected)"),
                             peerName, peer ? pin->media() : QString());
        }
    }
    return text.toStdString();
}

}  // namespace media
