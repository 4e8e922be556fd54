// The player model's state and its quiet stand-ins for windows that are not there.
#include "model/PlayerModel.h"

#include "model/MediumFromPath.h"
#include "platform/dvd/VolumeFinder.h"
#include "platform/system/MessageBox.h"

namespace {

class NoStatusDisplay final : public IStatusDisplay {
public:
    void TextOut(int, int, const QString&) override {}
    void Clear() override {}
};

class NoCommands final : public IPlaybackCommands {
public:
    void PlayMedium() override {}
    void PauseMedium() override {}
    void StopMedium() override {}
    void NextChapter() override {}
    void PreviousChapter() override {}
    void FastForward() override {}
    void Rewind() override {}
    void ShowRootMenu() override {}
    void ShowTitleMenu() override {}
    void ToggleFullScreen() override {}
    void ShowVideoWindow() override {}
    void ClearFileGraph() override {}
    media::IMediaSeeking* FileSeeking() override { return nullptr; }
    QMenu* PopupMenu() override { return nullptr; }
};

class NoPanel final : public IPanelCommands {
public:
    void Quit() override {}
    void OpenMedium() override {}
    void ShowPanel() override {}
    QString SettingsFolder() const override { return {}; }
    QWidget* Window() override { return nullptr; }
};

class NoProgress final : public IStartUpProgress {
public:
    void SetProgress(int) override {}
    void Finish() override {}
};

NoStatusDisplay g_noStatusDisplay;
NoCommands g_noCommands;
NoPanel g_noPanel;
NoProgress g_noProgress;

}  // namespace

QString MprisStatusOf(PlaybackState state)
{
    switch (state) {
    case PlaybackState::Playing:
    case PlaybackState::ScanningForward:
    case PlaybackState::ScanningBackward:
        return QStringLiteral("Playing");
    case PlaybackState::Paused:
        return QStringLiteral("Paused");
    case PlaybackState::Stopped:
    case PlaybackState::Loading:
    case PlaybackState::Error:
        break;
    }
    return QStringLiteral("Stopped");
}

PlayerModel::PlayerModel(QObject* parent)
    : QObject(parent)
    , statusDisplay_(&g_noStatusDisplay)
    , commands_(&g_noCommands)
    , panel_(&g_noPanel)
    , progress_(&g_noProgress)
{
}

PlayerModel::~PlayerModel() = default;

void PlayerModel::SetMedium(const QString& kind, const QString& file)
{
    if (medium_.MediaKind == kind && medium_.MediaFile == file)
        return;
    medium_.MediaKind = kind;
    medium_.MediaFile = file;
    chapter_ = 0;
    emit MediumChanged();
}

void PlayerModel::SetMediaDrive(const QString& drive)
{
    medium_.MediaDrive = drive;
}

bool PlayerModel::TakeMedium(const QString& path)
{
    const MediumChoice choice = MediumFromPath(path);
    if (!choice.exists) {
        platform::ShowMessageBox({nullptr, QStringLiteral("Attention"),
                                  QStringLiteral("Le support « %1 » est introuvable.").arg(path),
                                  platform::MessageIcon::Warning});
        return false;
    }
    if (!choice.dvdVolume.isEmpty())
        dvd::SetPreferredVolume(choice.dvdVolume);
    CurrentMediumRecord taken = medium_;
    taken.MediaKind = choice.kind;
    taken.MediaFile = choice.file;
    if (!choice.drive.isEmpty())
        taken.MediaDrive = choice.drive;
    // The same medium taken again is a medium all the same (the DVD's volume may be another).
    medium_ = taken;
    chapter_ = 0;
    emit MediumChanged();
    return true;
}

void PlayerModel::SetState(PlaybackState state, double rate)
{
    const bool scanning = state == PlaybackState::ScanningForward || state == PlaybackState::ScanningBackward;
    if (!scanning)
        rate = 1.0;
    if (state == state_ && rate == rate_)
        return;
    state_ = state;
    rate_ = rate;
    emit StateChanged(state);
}

bool PlayerModel::IsPlaying() const
{
    return MprisStatusOf(state_) == QLatin1String("Playing");
}

void PlayerModel::SetChapter(int chapter)
{
    if (chapter == chapter_)
        return;
    chapter_ = chapter;
    emit ChapterChanged(chapter);
}

void PlayerModel::AnnounceSeek(qint64 position)
{
    emit Seeked(position);
}

void PlayerModel::RequestQuit()
{
    quitRequested_ = true;
    emit Quitting();
}

void PlayerModel::SetStatusDisplay(IStatusDisplay* display)
{
    statusDisplay_ = display ? display : &g_noStatusDisplay;
}

void PlayerModel::SetCommands(IPlaybackCommands* commands)
{
    commands_ = commands ? commands : &g_noCommands;
}

void PlayerModel::SetPanel(IPanelCommands* panel)
{
    panel_ = panel ? panel : &g_noPanel;
}

void PlayerModel::SetStartUpProgress(IStartUpProgress* progress)
{
    progress_ = progress ? progress : &g_noProgress;
}
