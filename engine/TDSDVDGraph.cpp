#include "engine/TDSDVDGraph.h"

#include "platform/dvd/DvdGraph.h"
#include "platform/com/StructuredStorage.h"

namespace {

// How a saved navigator state's class identifier reads at the start of a bookmark.
QByteArray StateClassBytes()
{
    dvd::DvdState blank;
    com::MemoryStream stream;
    return SUCCEEDED(com::OleSaveToStream(blank, stream)) ? stream.bytes().left(16) : QByteArray();
}

}  // namespace

TServerData& TDSDVDGraph::ClassData()
{
    static TServerData data{dvd::CLSID_DvdGraphBuilder,
                            dvd::IDvdGraphBuilder::IID,
                            com::Guid(),
                            500,
                            0,
                            "Vistrel.DvdGraphBuilder",
                            [] { return com::Ref<com::IUnknown>(dvd::DvdGraph::create()); }};
    return data;
}

TDSDVDGraph::TDSDVDGraph(QObject* owner)
    : TDSGraph(owner, ClassData())
{
    // Saved navigator states are loaded back by their class.
    dvd::DvdState::registerClass();
}

TDSDVDGraph::~TDSDVDGraph()
{
    DestroyNotifyWindow();
    TDSDVDGraph::Disconnect();
}

void TDSDVDGraph::Connect()
{
    if (!dvdGraphBuilder_) {
        const com::Ref<com::IUnknown> object = GetServer();
        com::Ref<dvd::IDvdGraphBuilder> builder = com::query<dvd::IDvdGraphBuilder>(object);
        if (!builder)
            throw com::ComError(E_NOINTERFACE, "Interface non supportée");
        dvdGraphBuilder_ = builder;
        com::Ref<media::IGraphBuilder> graph;
        if (SUCCEEDED(dvdGraphBuilder_->GetFiltergraph(graph)))
            graphBuilder_ = graph;
    }
    TDSGraph::Connect();
}

void TDSDVDGraph::Disconnect()
{
    // The registration goes while the graph is still held.
    RemoveGraphFromRot();
    if (dvdGraphBuilder_) {
        dvdGraphBuilder_.reset();
        dvdControl2_.reset();
        dvdInfo2_.reset();
        line21Decoder_.reset();
    }
    if (mediaEventEx_)
        mediaEventEx_->SetNotifyFlags(media::AM_MEDIAEVENT_NONOTIFY);
    ReleaseBaseInterfaces();
    TDSGraph::Disconnect();
}

void TDSDVDGraph::QueryGraphInterfaces()
{
    if (dvdGraphBuilder_) {
        auto ask = [this](auto& field) {
            field.reset();
            com::Ref<com::IUnknown> unknown;
            using Interface = typename std::decay_t<decltype(field)>::element_type;
            if (SUCCEEDED(dvdGraphBuilder_->GetDvdInterface(Interface::IID, unknown)))
                field = com::query<Interface>(unknown);
        };
        ask(dvdControl2_);
        ask(dvdInfo2_);
        ask(line21Decoder_);
    }
    if (graphBuilder_)
        QueryControlInterfaces(graphBuilder_);
    TDSGraph::QueryGraphInterfaces();
}

void TDSDVDGraph::SaveBookmark(const QString& FileName)
{
    lastBookmarkResult_ = E_FAIL;
    if (!dvdInfo2_)
        return;
    com::Ref<dvd::IDvdState> state;
    if (FAILED(lastBookmarkResult_ = dvdInfo2_->GetState(state)) || !state)
        return;
    auto persist = com::query<com::IPersistStream>(state);
    if (!persist) {
        lastBookmarkResult_ = E_NOINTERFACE;
        return;
    }
    com::MemoryStream stream;
    if (FAILED(lastBookmarkResult_ = com::OleSaveToStream(*persist, stream)))
        return;
    lastBookmarkResult_ = com::WriteCompoundFile(FileName, "BookMark", stream.bytes());
}

void TDSDVDGraph::RestoreBookmark(const QString& FileName)
{
    lastBookmarkResult_ = E_FAIL;
    if (!dvdControl2_)
        return;
    QByteArray bytes;
    if (FAILED(lastBookmarkResult_ = com::ReadCompoundFile(FileName, "BookMark", bytes)))
        return;
    // The file names the class of the object it holds: only a navigator state may come out of a
    // bookmark; any other class is a damaged (or foreign) file and nothing is created from it.
    if (bytes.left(16) != StateClassBytes()) {
        lastBookmarkResult_ = dvd::VFW_E_DVD_STATE_CORRUPT;
        return;
    }
    com::MemoryStream stream(bytes);
    com::Ref<com::IUnknown> object;
    if (FAILED(lastBookmarkResult_ = com::OleLoadFromStream(stream, dvd::IDvdState::IID, object)))
        return;
    auto state = com::query<dvd::IDvdState>(object);
    com::Ref<dvd::IDvdCmd> command;
    lastBookmarkResult_ = dvdControl2_->SetState(state, dvd::DVD_CMD_FLAG_None, &command);
    if (SUCCEEDED(lastBookmarkResult_) && command)
        command->WaitForEnd();
}
