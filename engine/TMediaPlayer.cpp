#include "engine/TMediaPlayer.h"

#include "engine/ApplicationException.h"
#include "platform/cdaudio/CdAudioDevice.h"
#include "platform/com/WindowMessage.h"

using namespace cdaudio;

namespace {

const char* const kNotOpen = "Aucun périphérique MCI ouvert";

bool EndsWithCda(const QString& element)
{
    return element.endsWith(QStringLiteral(".cda"), Qt::CaseInsensitive);
}

}  // namespace

TMediaPlayer::TMediaPlayer(QObject* owner) : QObject(owner) {}

TMediaPlayer::~TMediaPlayer() = default;

CdAudioDevice& TMediaPlayer::OpenDevice() const
{
    if (!device_ || !device_->isOpen())
        throw EMCIDeviceError(kNotOpen);
    return *device_;
}

void TMediaPlayer::Result(uint32_t error)
{
    error_ = error;
}

QString TMediaPlayer::ErrorMessage() const
{
    return QString::fromStdString(errorText(error_));
}

void TMediaPlayer::Open()
{
    Close();
    uint32_t error = MCI_OK;
    if (DeviceType != dtAutoSelect && DeviceType != dtCDAudio)
        error = MCIERR_INVALID_DEVICE_NAME;  // the only device there is plays audio CDs
    else if (DeviceType == dtAutoSelect && !EndsWithCda(FileName))
        error = MCIERR_EXTENSION_NOT_FOUND;
    if (error == MCI_OK) {
        if (!device_)
            device_ = std::make_unique<CdAudioDevice>();
        error = device_->open(FileName.toStdString(), Shareable);
    }
    Result(error);
    if (error != MCI_OK)
        throw EMCIDeviceError(errorText(error));
}

void TMediaPlayer::Close()
{
    if (device_)
        device_->close();
    hasStart_ = hasEnd_ = false;
}

void TMediaPlayer::Play()
{
    CdAudioDevice& device = OpenDevice();
    std::optional<uint32_t> from;
    std::optional<uint32_t> to;
    if (hasStart_)
        from = startPos_;
    else if (AutoRewind && device.atEnd())
        from = device.start();
    if (hasEnd_)
        to = endPos_;
    hasStart_ = hasEnd_ = false;
    Result(device.play(from, to, Notify ? this : nullptr));
}

void TMediaPlayer::Pause()
{
    CdAudioDevice& device = OpenDevice();
    Result(device.mode() == Mode::Paused ? device.resume() : device.pause());
}

void TMediaPlayer::PauseOnly()
{
    Result(OpenDevice().pause());
}

void TMediaPlayer::Resume()
{
    Result(OpenDevice().resume());
}

void TMediaPlayer::Stop()
{
    Result(OpenDevice().stop());
}

void TMediaPlayer::Next()
{
    Result(OpenDevice().nextTrack());
}

void TMediaPlayer::Previous()
{
    Result(OpenDevice().previousTrack());
}

void TMediaPlayer::Rewind()
{
    Result(OpenDevice().seekToStart());
}

void TMediaPlayer::Eject()
{
    Result(OpenDevice().openDoor());
}

void TMediaPlayer::CloseDoor()
{
    Result(OpenDevice().closeDoor());
}

void TMediaPlayer::SetStartPos(uint32_t value)
{
    startPos_ = value;
    hasStart_ = true;
}

void TMediaPlayer::SetEndPos(uint32_t value)
{
    endPos_ = value;
    hasEnd_ = true;
}

TMPTimeFormats TMediaPlayer::TimeFormat() const
{
    return device_ && device_->isOpen() ? TMPTimeFormats(device_->timeFormat()) : tfMilliseconds;
}

void TMediaPlayer::SetTimeFormat(TMPTimeFormats value)
{
    Result(OpenDevice().setTimeFormat(uint32_t(value)));
}

uint32_t TMediaPlayer::Position() const
{
    return device_ ? device_->position() : 0;
}

void TMediaPlayer::SetPosition(uint32_t value)
{
    CdAudioDevice& device = OpenDevice();
    const bool playing = device.mode() == Mode::Playing;
    uint32_t error = device.seek(value);
    if (error == MCI_OK && playing)
        error = device.play();
    Result(error);
}

uint32_t TMediaPlayer::Length() const
{
    return device_ ? device_->length() : 0;
}

uint32_t TMediaPlayer::Start() const
{
    return device_ ? device_->start() : 0;
}

int TMediaPlayer::Tracks() const
{
    return device_ ? device_->numberOfTracks() : 0;
}

uint32_t TMediaPlayer::TrackLength(int track) const
{
    uint32_t value = 0;
    if (device_)
        device_->trackLength(track, value);
    return value;
}

uint32_t TMediaPlayer::TrackPosition(int track) const
{
    uint32_t value = 0;
    if (device_)
        device_->trackPosition(track, value);
    return value;
}

TMPModes TMediaPlayer::Mode() const
{
    if (!device_)
        return mpNotReady;
    switch (device_->mode()) {
    case cdaudio::Mode::NotReady:
        return mpNotReady;
    case cdaudio::Mode::Stopped:
        return mpStopped;
    case cdaudio::Mode::Playing:
        return mpPlaying;
    case cdaudio::Mode::Seeking:
        return mpSeeking;
    case cdaudio::Mode::Paused:
        return mpPaused;
    case cdaudio::Mode::Open:
        return mpOpen;
    }
    return mpNotReady;
}

uint32_t TMediaPlayer::DeviceID() const
{
    return device_ ? device_->id() : 0;
}

bool TMediaPlayer::event(QEvent* e)
{
    if (e->type() != com::WindowMessageEvent::type())
        return QObject::event(e);
    const auto* message = static_cast<com::WindowMessageEvent*>(e);
    if (message->message != MM_MCINOTIFY)
        return true;
    switch (message->wParam) {
    case MCI_NOTIFY_SUCCESSFUL:
        notifyValue_ = nvSuccessful;
        break;
    case MCI_NOTIFY_SUPERSEDED:
        notifyValue_ = nvSuperseded;
        break;
    case MCI_NOTIFY_ABORTED:
        notifyValue_ = nvAborted;
        break;
    default:
        notifyValue_ = nvFailure;
        break;
    }
    if (OnNotify)
        OnNotify(this);
    return true;
}

bool RunMediaCommand(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (...) {
        HandleApplicationException(std::current_exception());
        return false;
    }
}
