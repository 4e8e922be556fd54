// Play, pause and stop of the three kinds of medium.
#include "engine/TDSDVDGraph.h"
#include "engine/TDSFilterGraph2.h"
#include "engine/TDSVideoWindow.h"
#include "model/PlayerModel.h"
#include "platform/system/MessageBox.h"
#include "player/VideoWindow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>

namespace {

// The hourglass for as long as a command loads its medium.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

void Warn(const QString& text)
{
    platform::ShowMessageBox({nullptr, QStringLiteral("Attention"), text, platform::MessageIcon::Warning});
}

}  // namespace

bool TForm10::IsDvd() const
{
    return Model.CurrentMedium().IsDvd();
}

bool TForm10::IsCd() const
{
    return Model.CurrentMedium().IsCd();
}

void TForm10::ClearFileGraph()
{
    FilterGraph->ClearGraph();
}

media::IMediaSeeking* TForm10::FileSeeking()
{
    return Model.CurrentMedium().IsFile() ? FilterGraph->IMediaSeeking().get() : nullptr;
}

void TForm10::SetDvdEntriesVisible(bool visible)
{
    for (const char* name : {"Goto2", "Playspeed2", "Configuration1", "Pleincran1", "Zoom1", "Signets1"})
        if (QAction* item = MenuItem(QString::fromLatin1(name)))
            item->setVisible(visible);
}

void TForm10::PlayMedium()
{
    Model.SetState(PlaybackState::Loading);
    bool loaded = true;
    {
        WaitCursor hourglass;
        loaded = IsDvd() ? PlayDvd() : PlayFileOrCd();
    }
    if (Model.QuitRequested())
        return;
    Model.SetState(loaded ? PlaybackState::Playing : PlaybackState::Stopped);
}

bool TForm10::PlayDvd()
{
    // A pause pressed before anything was loaded leaves nothing to resume: the play loads.
    if (Paused && DVDGraph->IMediaControl()) {
        DVDGraph->IMediaControl()->Run();
        return true;
    }
    const bool built = bool(DVDGraph->IDvdGraphBuilder());
    if (!built) {
        // Build first: a disc that cannot be found changes nothing of what the user sees.
        dvdx8->SetGraph(DVDGraph);
        DVDGraph->Disconnect();
        DVDGraph->Connect();
        dvd::AM_DVD_RENDERSTATUS status;
        const HRESULT hr =
            DVDGraph->IDvdGraphBuilder()
                ? DVDGraph->IDvdGraphBuilder()->RenderDvdVideoVolume({}, dvd::AM_DVD_HWDEC_PREFER, status)
                : VFW_E_DVD_RENDERFAIL;
        if (!CheckDvdRenderResult(hr))
            return false;
        if (status.bDvdVolUnknown || status.bDvdVolInvalid) {
            DVDGraph->Disconnect();
            Warn(QStringLiteral("Aucun DVD vidéo n'a été trouvé."));
            return false;
        }
    }
    Model.StatusDisplay().TextOut(5, 5, QStringLiteral("Lecture d'un DVD"));
    show();
    Panel1->hide();
    Realign();
    SetDvdEntriesVisible(true);
    dvdx8->SetGraph(DVDGraph);
    if (built) {
        // Back to normal speed after a fast forward or a rewind.
        if (DVDGraph->IDvdControl2())
            DVDGraph->IDvdControl2()->PlayForwards(1.0, dvd::DVD_CMD_FLAG_None, nullptr);
        if (DVDGraph->IMediaControl())
            DVDGraph->IMediaControl()->Run();
        return true;
    }
    DVDGraph->QueryGraphInterfaces();
    if (DVDGraph->IDvdControl2()) {
        DVDGraph->IDvdControl2()->SetOption(dvd::DVD_NotifyParentalLevelChange, false);
        DVDGraph->IDvdControl2()->SetOption(dvd::DVD_HMSF_TimeCodeEvents, true);
    }
    if (DVDGraph->IMediaControl())
        DVDGraph->IMediaControl()->Run();
    return true;
}

bool TForm10::CheckDvdRenderResult(HRESULT status)
{
    QString text;
    if (status == VFW_E_DVD_RENDERFAIL)
        text = QStringLiteral("Des erreurs sont survenues lors de la construction du graph.");
    else if (status == VFW_E_DVD_DECNOTENOUGH)
        text = QStringLiteral(
            "Votre matériel ou les codecs installés sur votre ordinateur ne permettent pas de décoder les DVD vidéos.");
    else
        return true;
    platform::ShowMessageBox({nullptr, QStringLiteral("Erreur"), text, platform::MessageIcon::Error});
    DVDGraph->Disconnect();
    Model.RequestQuit();
    return false;
}

bool TForm10::PlayFileOrCd()
{
    const CurrentMediumRecord medium = Model.CurrentMedium();
    if (Paused && (IsCd() || FilterGraph->IMediaControl())) {
        if (IsCd())
            CdPlay();
        else
            FilterGraph->IMediaControl()->Run();
        return true;
    }
    dvdx8->SetGraph(FilterGraph);
    FilterGraph->ClearGraph();
    if (!IsCd()) {
        // A file that cannot be rendered is said so; the graph stays empty and nothing else moves.
        const HRESULT hr = FilterGraph->IFilterGraph2() ? FilterGraph->IFilterGraph2()->RenderFile(medium.MediaFile)
                                                        : E_FAIL;
        if (FAILED(hr)) {
            Warn(QStringLiteral("Impossible de lire le fichier « %1 ».").arg(medium.MediaFile));
            return false;
        }
    }
    FilterGraph->QueryGraphInterfaces();
    Panel1->show();
    Realign();
    Model.StatusDisplay().TextOut(5, 5, QStringLiteral("Fichier ") + medium.MediaFile);
    for (const char* name : {"Goto2", "Playspeed2", "Configuration1", "Pleincran1"})
        MenuItem(QString::fromLatin1(name))->setVisible(false);
    // The video window shows for a file with a picture, whatever its name says.
    if (IsCd() || !FilterGraph->IBasicVideo2()) {
        hide();
        MenuItem(QStringLiteral("Zoom1"))->setVisible(false);
        MenuItem(QStringLiteral("Signets1"))->setVisible(false);
    } else {
        show();
        MenuItem(QStringLiteral("Pleincran1"))->setVisible(true);
        MenuItem(QStringLiteral("Zoom1"))->setVisible(true);
    }
    if (IsCd()) {
        Model.StatusDisplay().Clear();
        Model.StatusDisplay().TextOut(5, 5, QStringLiteral("CD audio"));
        return CdOpenAndPlay();
    }
    if (FilterGraph->IMediaControl())
        FilterGraph->IMediaControl()->Run();
    return true;
}

void TForm10::PauseMedium()
{
    Paused = true;
    Model.SetState(PlaybackState::Paused);
    if (IsDvd()) {
        if (DVDGraph->IMediaControl())
            DVDGraph->IMediaControl()->Pause();
    } else if (IsCd()) {
        CdPause();
    } else if (FilterGraph->IMediaControl()) {
        FilterGraph->IMediaControl()->Pause();
    }
}

void TForm10::StopMedium()
{
    Paused = false;
    Model.SetState(PlaybackState::Stopped);
    if (IsDvd()) {
        if (DVDGraph->IMediaControl()) {
            DVDGraph->IMediaControl()->Stop();
            DVDGraph->Disconnect();
        }
    } else if (IsCd()) {
        CdStop();
    } else if (FilterGraph->IMediaControl()) {
        FilterGraph->IMediaControl()->Stop();
    }
}
