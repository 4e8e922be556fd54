#include "platform/dvd/DvdGraph.h"

#include "platform/com/ObjectServices.h"
#include "platform/dvd/VolumeFinder.h"
#include "platform/media/VideoRendererWindow.h"
#include "platform/system/StartTrace.h"

#include <QFileInfo>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace dvd {

namespace {

// A render made ahead on a thread of its own, until the program creates its DVD graph.
struct Preparation {
    QString volume;
    Ref<DvdGraph> graph;
    std::shared_ptr<media::VideoRendererFilter> videoFilter;  // its window goes on the UI thread
    std::thread thread;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;                  // protected by mutex
    HRESULT result = E_FAIL;            // protected by mutex
    AM_DVD_RENDERSTATUS status;         // protected by mutex
    ~Preparation()
    {
        if (thread.joinable())
            thread.join();
    }
};

std::unique_ptr<Preparation>& PreparationSlot()
{
    static std::unique_ptr<Preparation> slot;
    return slot;
}

// How long the program's graph waits for a render made ahead (a folder or an image file: a few
// milliseconds). Past it, that render is left to finish on its own and a new graph is made.
constexpr std::chrono::seconds kPreparationBound{20};

bool SameVolume(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return ca.isEmpty() || cb.isEmpty() ? a == b : ca == cb;
}

}  // namespace

Ref<DvdGraph> DvdGraph::create()
{
    // A disc prepared ahead is the program's next graph, once its render is done.
    if (std::unique_ptr<Preparation>& slot = PreparationSlot()) {
        std::unique_lock lock(slot->mutex);
        if (slot->finished.wait_for(lock, kPreparationBound, [&slot] { return slot->done; })) {
            const HRESULT result = slot->result;
            const AM_DVD_RENDERSTATUS status = slot->status;
            lock.unlock();
            const std::unique_ptr<Preparation> preparation = std::move(slot);
            preparation->thread.join();
            Ref<DvdGraph> graph = preparation->graph;
            if (result == S_OK) {
                graph->prepared_ = ReadAhead{preparation->volume, status};
                graph->changed();
                return graph;
            }
            // A render that went wrong is made again by the program, which says what went wrong.
        }
    }
    return Ref<DvdGraph>(new DvdGraph());
}

void DvdGraph::registerClass()
{
    com::registerClass(CLSID_DvdGraphBuilder, "Vistrel.DvdGraphBuilder", [] { return Ref<IUnknown>(create()); });
    DvdState::registerClass();
}

DvdGraph::~DvdGraph()
{
    teardown();
}

HRESULT DvdGraph::QueryInterface(const Guid& iid, Ref<IUnknown>& out)
{
    // The window, sound and picture interfaces exist once a disc is rendered.
    if (!player_ && (iid == media::IVideoWindow::IID || iid == media::IBasicAudio::IID
                     || iid == media::IBasicVideo::IID || iid == media::IBasicVideo2::IID)) {
        out.reset();
        return E_NOINTERFACE;
    }
    return answerQuery<IDvdGraphBuilder, media::IFilterGraph, media::IGraphBuilder, media::IFilterGraph2,
                       media::IMediaControl, media::IMediaEvent, media::IMediaEventEx, media::IVideoWindow,
                       media::IBasicAudio, media::IBasicVideo, media::IBasicVideo2, com::IDescribedObject>(iid, out);
}

HRESULT DvdGraph::GetFiltergraph(Ref<media::IGraphBuilder>& graph)
{
    graph = std::dynamic_pointer_cast<media::IGraphBuilder>(shared_from_this());
    return graph ? S_OK : E_FAIL;
}

HRESULT DvdGraph::GetDvdInterface(const Guid& iid, Ref<IUnknown>& out)
{
    out.reset();
    if (!player_)
        return E_NOINTERFACE;
    if (iid == IDvdControl2::IID || iid == IDvdInfo2::IID)
        return control_->QueryInterface(iid, out);
    if (iid == media::IVideoWindow::IID || iid == media::IBasicAudio::IID || iid == media::IBasicVideo2::IID)
        return QueryInterface(iid, out);
    // No closed-caption decoder stands behind IAMLine21Decoder on this platform.
    return E_NOINTERFACE;
}

HRESULT DvdGraph::RenderDvdVideoVolume(const QString& volume, uint32_t, AM_DVD_RENDERSTATUS& status)
{
    platform::TraceStart("disc: opening");
    if (takePreparation(volume, status))
        return S_OK;
    status = AM_DVD_RENDERSTATUS();
    if (player_)
        return VFW_E_DVD_RENDERFAIL;  // one disc per graph: the owner disconnects before the next
    const HRESULT hr = render(volume, std::make_shared<media::VideoRendererFilter>(), status);
    if (hr != VFW_E_DVD_DECNOTENOUGH)
        changed();
    return hr;
}

// Opens the volume and builds the player on the video filter's window. Nothing here needs the UI
// thread, so that a disc prepared ahead is rendered on a thread of its own.
HRESULT DvdGraph::render(const QString& volume, const std::shared_ptr<media::VideoRendererFilter>& videoFilter,
                         AM_DVD_RENDERSTATUS& status)
{
    // The named volume, or the first candidate that opens as a DVD-Video volume.
    bool opened = false;
    if (!volume.isEmpty()) {
        opened = navigator_.open(volume);
        status.bDvdVolInvalid = !opened;
    } else {
        for (const QString& candidate : CandidateVolumes()) {
            if (IsDvdVolume(candidate) && navigator_.open(candidate)) {
                opened = true;
                break;
            }
        }
        status.bDvdVolUnknown = !opened;
    }

    platform::TraceStart("disc: navigator open");
    auto player = std::make_unique<DvdPlayer>(events_, videoFilter->window()->sink(), audioDevice_);
    uint32_t failed = 0;
    const HRESULT hr = player->open(failed);
    if (hr == VFW_E_DVD_DECNOTENOUGH) {
        navigator_.close();
        return hr;
    }
    status.iNumStreams = 3;
    status.dwFailedStreamsFlag = failed;
    status.iNumStreamsFailed = (failed & AM_DVD_STREAM_AUDIO ? 1 : 0) + (failed & AM_DVD_STREAM_SUBPIC ? 1 : 0);

    player_ = std::move(player);
    videoFilter_ = videoFilter;
    control_ = std::make_shared<NavigatorControl>(navigator_);
    control_->setPositionMapper(
        [this](int32_t x, int32_t y, int32_t& px, int32_t& py) { return mapToPicture(x, y, px, py); });
    player_->setVolume(volume_);
    player_->setBalance(balance_);
    buildFilters();
    if (opened) {
        const NavSnapshot s = navigator_.snapshot();
        player_->setPictureSize(s.pictureWidth, s.pictureHeight);
        player_->start();
        navigator_.start(player_.get());
    }
    state_ = media::State_Stopped;
    platform::TraceStart("disc: rendered");
    // Without a volume nothing plays, but the graph exists and nothing fails later.
    return opened && failed == 0 ? S_OK : S_FALSE;
}

bool DvdGraph::takePreparation(const QString& volume, AM_DVD_RENDERSTATUS& status)
{
    if (!prepared_)
        return false;
    const ReadAhead preparation = *prepared_;
    prepared_.reset();
    if (!SameVolume(FindDvdVolume(volume), preparation.volume)) {
        teardown();  // another disc: rendered afresh
        changed();
        return false;
    }
    platform::TraceStart("disc: prepared");
    status = preparation.status;
    return true;
}

PreparedDisc::~PreparedDisc()
{
    PreparationSlot().reset();
}

void PreparedDisc::prepare(const QString& volume, bool audioDevice)
{
    PreparationSlot().reset();
    // A drive is opened when it is played: it may take seconds to spin up.
    const QFileInfo file(volume);
    if (!file.isDir() && !file.isFile())
        return;
    auto preparation = std::make_unique<Preparation>();
    preparation->volume = volume;
    preparation->graph = Ref<DvdGraph>(new DvdGraph());
    preparation->graph->setAudioDevice(audioDevice);
    preparation->videoFilter = std::make_shared<media::VideoRendererFilter>();  // a window: made here
    preparation->thread = std::thread([p = preparation.get()] {
        AM_DVD_RENDERSTATUS status;
        const HRESULT result = p->graph->render(p->volume, p->videoFilter, status);
        if (result == S_OK)
            p->graph->readAhead();
        std::lock_guard lock(p->mutex);
        p->result = result;
        p->status = status;
        p->done = true;
        p->finished.notify_all();
    });
    PreparationSlot() = std::move(preparation);
}

void DvdGraph::readAhead()
{
    // Paused, the navigator reads until the queues are full and the first picture is decoded; to
    // its owner the graph stays as just rendered, stopped, its window hidden until it runs.
    player_->setPaused(true);
    navigator_.setPaused(true);
    navigator_.setRunning(true);
}

bool PreparedDisc::waiting() const
{
    return PreparationSlot() != nullptr;
}

void DvdGraph::buildFilters()
{
    using media::GraphFilter;
    using media::GraphPin;
    auto navigator = std::make_shared<GraphFilter>(QStringLiteral("DVD Navigator"));
    auto video = std::make_shared<GraphFilter>(QStringLiteral("MPEG-2 Video Decoder"));
    auto audio = std::make_shared<GraphFilter>(QStringLiteral("DVD Audio Decoder"));
    auto subpicture = std::make_shared<GraphFilter>(QStringLiteral("Sub-picture Decoder"));
    auto sound = std::make_shared<GraphFilter>(QStringLiteral("Audio Renderer"));
    GraphPin::connect(navigator->addPin(QStringLiteral("Video"), media::PINDIR_OUTPUT),
                      video->addPin(QStringLiteral("In"), media::PINDIR_INPUT), QStringLiteral("Video: mpeg2video"));
    GraphPin::connect(navigator->addPin(QStringLiteral("AC3"), media::PINDIR_OUTPUT),
                      audio->addPin(QStringLiteral("In"), media::PINDIR_INPUT), QStringLiteral("Audio: ac3/mp2/dts/lpcm"));
    GraphPin::connect(navigator->addPin(QStringLiteral("SubPicture"), media::PINDIR_OUTPUT),
                      subpicture->addPin(QStringLiteral("In"), media::PINDIR_INPUT), QStringLiteral("Subtitle: dvd_subtitle"));
    GraphPin::connect(video->addPin(QStringLiteral("Out"), media::PINDIR_OUTPUT),
                      subpicture->addPin(QStringLiteral("Video"), media::PINDIR_INPUT), QStringLiteral("Video: yuv420p 720x576"));
    GraphPin::connect(subpicture->addPin(QStringLiteral("Out"), media::PINDIR_OUTPUT),
                      videoFilter_->addPin(QStringLiteral("In"), media::PINDIR_INPUT, true), QStringLiteral("Video: rgb32"));
    GraphPin::connect(audio->addPin(QStringLiteral("Out"), media::PINDIR_OUTPUT),
                      sound->addPin(QStringLiteral("In"), media::PINDIR_INPUT), QStringLiteral("Audio: pcm_s16le stereo"));
    filters_ = {navigator, video, audio, subpicture, videoFilter_, sound};
}

void DvdGraph::teardown()
{
    navigator_.close();
    if (player_)
        player_->stop();
    player_.reset();
    control_.reset();
    for (const auto& filter : filters_) {
        filter->setState(media::State_Stopped);
        for (const auto& pin : filter->pins())
            pin->disconnect();
    }
    filters_.clear();
    videoFilter_.reset();
    state_ = media::State_Stopped;
}

void DvdGraph::changed()
{
    Ref<com::RunningObjectTable> table;
    if (SUCCEEDED(com::getRunningObjectTable(table)))
        table->noteChanged(this);
}

media::VideoRendererWindow* DvdGraph::rendererWindow() const
{
    return videoFilter_ ? videoFilter_->window() : nullptr;
}

bool DvdGraph::mapToPicture(int32_t x, int32_t y, int32_t& px, int32_t& py) const
{
    // The picture fills the renderer window with its shape kept: find its rectangle there.
    media::VideoRendererWindow* window = rendererWindow();
    const NavSnapshot s = navigator_.snapshot();
    if (!window || window->width() <= 0 || window->height() <= 0)
        return false;
    const double aspect = s.wide ? 16.0 / 9.0 : 4.0 / 3.0;
    const double w = window->width(), h = window->height();
    double pw = w, ph = w / aspect;
    if (ph > h) {
        ph = h;
        pw = h * aspect;
    }
    const double left = (w - pw) / 2, top = (h - ph) / 2;
    if (x < left || y < top || x >= left + pw || y >= top + ph)
        return false;
    px = int32_t((x - left) * s.pictureWidth / pw);
    py = int32_t((y - top) * s.pictureHeight / ph);
    return true;
}

HRESULT DvdGraph::EnumFilters(Ref<media::IEnumFilters>& filters)
{
    filters = std::make_shared<media::FilterEnumerator>(
        std::vector<Ref<media::IBaseFilter>>(filters_.begin(), filters_.end()));
    return S_OK;
}

HRESULT DvdGraph::RemoveFilter(const Ref<media::IBaseFilter>& filter)
{
    for (auto it = filters_.begin(); it != filters_.end(); ++it) {
        if (Ref<media::IBaseFilter>(*it) == filter) {
            // Taking any part out of a DVD graph leaves nothing playable: stop it all.
            teardown();
            changed();
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

HRESULT DvdGraph::FindFilterByName(const QString& name, Ref<media::IBaseFilter>& filter)
{
    filter.reset();
    for (const auto& f : filters_) {
        if (f->name() == name) {
            filter = f;
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

HRESULT DvdGraph::RenderFile(const QString&, const QString&)
{
    return VFW_E_CANNOT_RENDER;  // a DVD graph plays a disc, not files
}

void DvdGraph::setGraphState(media::FILTER_STATE state)
{
    state_ = state;
    for (const auto& filter : filters_)
        filter->setState(state);
    if (auto* window = rendererWindow())
        window->setStreaming(state != media::State_Stopped);
    changed();
}

HRESULT DvdGraph::Run()
{
    if (!player_)
        return VFW_E_NOT_CONNECTED;
    platform::TraceStart("disc: run");
    player_->setPaused(false);
    navigator_.setPaused(false);
    navigator_.setRunning(true);
    setGraphState(media::State_Running);
    return S_OK;
}

HRESULT DvdGraph::Pause()
{
    if (!player_)
        return VFW_E_NOT_CONNECTED;
    player_->setPaused(true);
    navigator_.setPaused(true);
    // The navigator keeps reading until the queues are full, so that a resumed disc goes on at once.
    navigator_.setRunning(true);
    setGraphState(media::State_Paused);
    return S_OK;
}

HRESULT DvdGraph::Stop()
{
    if (!player_)
        return S_OK;
    player_->setPaused(true);
    navigator_.setRunning(false);
    setGraphState(media::State_Stopped);
    return S_OK;
}

HRESULT DvdGraph::GetState(int32_t, media::FILTER_STATE& state)
{
    // A navigator that stopped reading by itself (the disc's end of play, damage it gave up on)
    // leaves nothing running, whatever was last asked of the graph.
    state = state_;
    if (state_ != media::State_Stopped && player_ && !navigator_.snapshot().running)
        state = media::State_Stopped;
    return S_OK;
}

void DvdGraph::applySoundLevels(int32_t volume, int32_t balance)
{
    if (player_) {
        player_->setVolume(volume);
        player_->setBalance(balance);
    }
}

HRESULT DvdGraph::get_AvgTimePerFrame(double& seconds)
{
    // NTSC discs show 30000 / 1001 frames a second, PAL discs 25.
    seconds = navigator_.snapshot().framesPerSecond == 30 ? 1001.0 / 30000.0 : 0.04;
    return S_OK;
}

HRESULT DvdGraph::get_SourceWidth(int32_t& width)
{
    width = navigator_.snapshot().pictureWidth;
    return S_OK;
}

HRESULT DvdGraph::get_SourceHeight(int32_t& height)
{
    height = navigator_.snapshot().pictureHeight;
    return S_OK;
}

HRESULT DvdGraph::GetVideoSize(int32_t& width, int32_t& height)
{
    const NavSnapshot s = navigator_.snapshot();
    width = s.pictureWidth;
    height = s.pictureHeight;
    return S_OK;
}

HRESULT DvdGraph::GetPreferredAspectRatio(int32_t& x, int32_t& y)
{
    const bool wide = navigator_.snapshot().wide;
    x = wide ? 16 : 4;
    y = wide ? 9 : 3;
    return S_OK;
}

std::string DvdGraph::describe()
{
    static const char* const states[] = {"Stopped", "Paused", "Running"};
    QString text = QStringLiteral("DVD graph: %1\nVolume: %2\n")
                       .arg(QLatin1String(states[state_]),
                            navigator_.volume().isEmpty() ? QStringLiteral("(none)") : navigator_.volume());
    if (auto* window = rendererWindow())
        text += QStringLiteral("Video output: %1\n").arg(window->outputName());
    for (const auto& filter : filters_) {
        text += QStringLiteral("Filter \"%1\" [%2]\n").arg(filter->name(), QLatin1String(states[filter->state()]));
        for (const auto& pin : filter->pins())
            text += QStringLiteral("  pin \"%1\": %2\n").arg(pin->id(), pin->media());
    }
    return text.toStdString();
}

}  // namespace dvd
