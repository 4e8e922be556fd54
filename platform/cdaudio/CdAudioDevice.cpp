#include "platform/cdaudio/CdAudioDevice.h"

#include "platform/cdaudio/CdPlayback.h"
#include "platform/cdaudio/Disc.h"
#include "platform/com/WindowMessage.h"


namespace cdaudio {

namespace {

uint32_t nextDeviceId()
{
    static uint32_t last = 0;
    return ++last;
}

// A length in the time format: milliseconds, or minutes-seconds-frames (also for tracks, as the
// length of a track has no track number).
uint32_t duration(int64_t sectors, uint32_t format)
{
    if (format == MCI_FORMAT_MILLISECONDS)
        return uint32_t(sectors * 1000 / kSectorsPerSecond);
    return makeMsf(int(sectors / (60 * kSectorsPerSecond)), int(sectors / kSectorsPerSecond % 60),
                   int(sectors % kSectorsPerSecond));
}

}  // namespace

CdAudioDevice::CdAudioDevice() : wake_([this] { deliverEnd(); }) {}

CdAudioDevice::~CdAudioDevice()
{
    close();
}

MciError CdAudioDevice::open(const std::string& element, bool shareable)
{
    close();
    std::string drive = driveFromElement(element);
    if (drive.empty())
        drive = defaultDrive();
    switch (driveKind(drive)) {
    case DriveKind::Missing:
        return MCIERR_INVALID_DEVICE_NAME;
    case DriveKind::Other:
        return MCIERR_INVALID_FILE;
    case DriveKind::Image:
    case DriveKind::Device:
        break;
    }
    drive_ = drive;
    loadDisc();
    if (!disc_ && driveKind(drive) == DriveKind::Image) {
        drive_.clear();
        return MCIERR_INVALID_FILE;
    }
    shareable_ = shareable;
    timeFormat_ = MCI_FORMAT_MSF;
    id_ = nextDeviceId();
    return MCI_OK;
}

void CdAudioDevice::loadDisc()
{
    if (disc_)
        return;
    MciError error = MCI_OK;
    disc_ = Disc::load(drive_, error);
    if (!disc_)
        return;
    playback_ = std::make_unique<CdPlayback>(*disc_);
    playback_->setPosition(disc_->toc().startSample());
    playback_->onEnded = [this](uint64_t serial, bool complete) {
        {
            std::lock_guard lock(endsMutex_);
            ends_.emplace_back(serial, complete);
        }
        wake_.wake();
    };
}

// The UI thread: the oldest end of a play the sound thread told of.
void CdAudioDevice::deliverEnd()
{
    std::pair<uint64_t, bool> end;
    {
        std::lock_guard lock(endsMutex_);
        if (ends_.empty())
            return;
        end = ends_.front();
        ends_.pop_front();
    }
    played(end.first, end.second);
}

void CdAudioDevice::close()
{
    if (!isOpen())
        return;
    endNotify(MCI_NOTIFY_ABORTED);
    playback_.reset();  // before the disc it reads
    disc_.reset();
    drive_.clear();
    id_ = 0;
}

MciError CdAudioDevice::ready()
{
    if (!isOpen())
        return MCIERR_INVALID_DEVICE_ID;
    loadDisc();  // a drive opened empty may have a disc by now
    return disc_ ? MCI_OK : MCIERR_DEVICE_NOT_READY;
}

MciError CdAudioDevice::setTimeFormat(uint32_t format)
{
    if (!isOpen())
        return MCIERR_INVALID_DEVICE_ID;
    if (format != MCI_FORMAT_MILLISECONDS && format != MCI_FORMAT_MSF && format != MCI_FORMAT_TMSF)
        return MCIERR_BAD_TIME_FORMAT;
    timeFormat_ = format;
    return MCI_OK;
}

Mode CdAudioDevice::mode() const
{
    if (!isOpen())
        return Mode::NotReady;
    if (!disc_)
        return doorIsOpen(drive_) ? Mode::Open : Mode::NotReady;
    switch (playback_->state()) {
    case CdPlayback::State::Playing:
        return Mode::Playing;
    case CdPlayback::State::Paused:
        return Mode::Paused;
    case CdPlayback::State::Stopped:
        break;
    }
    return Mode::Stopped;
}

int CdAudioDevice::numberOfTracks() const
{
    return disc_ ? int(disc_->toc().tracks().size()) : 0;
}

int CdAudioDevice::firstTrack() const
{
    return disc_ ? disc_->toc().firstTrack() : 0;
}

int CdAudioDevice::currentTrack() const
{
    if (!disc_)
        return 0;
    const Track* track = disc_->toc().trackAt(playback_->position());
    return track ? track->number : 0;
}

int64_t CdAudioDevice::positionSamples() const
{
    return playback_ ? playback_->position() : 0;
}

bool CdAudioDevice::atEnd() const
{
    return disc_ && playback_->position() >= disc_->toc().endSample();
}

uint32_t CdAudioDevice::position() const
{
    return disc_ ? disc_->toc().encode(playback_->position(), timeFormat_) : 0;
}

uint32_t CdAudioDevice::length() const
{
    if (!disc_ || disc_->toc().tracks().empty())
        return 0;
    return duration(disc_->toc().tracks().back().endSector(), timeFormat_);
}

uint32_t CdAudioDevice::start() const
{
    return disc_ ? disc_->toc().encode(disc_->toc().startSample(), timeFormat_) : 0;
}

MciError CdAudioDevice::trackPosition(int track, uint32_t& value) const
{
    if (!isOpen())
        return MCIERR_INVALID_DEVICE_ID;
    const Track* t = disc_ ? disc_->toc().find(track) : nullptr;
    if (!t)
        return disc_ ? MCIERR_OUTOFRANGE : MCIERR_DEVICE_NOT_READY;
    value = disc_->toc().encode(int64_t(t->firstSector) * kSamplesPerSector, timeFormat_);
    return MCI_OK;
}

MciError CdAudioDevice::trackLength(int track, uint32_t& value) const
{
    if (!isOpen())
        return MCIERR_INVALID_DEVICE_ID;
    const Track* t = disc_ ? disc_->toc().find(track) : nullptr;
    if (!t)
        return disc_ ? MCIERR_OUTOFRANGE : MCIERR_DEVICE_NOT_READY;
    value = duration(t->sectors, timeFormat_);
    return MCI_OK;
}

void CdAudioDevice::endNotify(intptr_t result)
{
    if (!notifyPending_)
        return;
    notifyPending_ = false;
    com::postMessage(notifyTarget_.data(), MM_MCINOTIFY, result, intptr_t(id_));
    notifyTarget_.clear();
}

void CdAudioDevice::played(uint64_t serial, bool complete)
{
    if (notifyPending_ && serial == notifySerial_)
        endNotify(complete ? MCI_NOTIFY_SUCCESSFUL : MCI_NOTIFY_FAILURE);
}

MciError CdAudioDevice::play(std::optional<uint32_t> from, std::optional<uint32_t> to, QObject* notify)
{
    if (const MciError error = ready())
        return error;
    const DiscToc& toc = disc_->toc();
    std::optional<int64_t> first = from ? toc.decode(*from, timeFormat_) : playback_->position();
    std::optional<int64_t> end = to ? toc.decode(*to, timeFormat_) : toc.endSample();
    if (!first || !end || *first > *end)
        return MCIERR_OUTOFRANGE;
    endNotify(notify ? MCI_NOTIFY_SUPERSEDED : MCI_NOTIFY_ABORTED);
    uint64_t serial = 0;
    if (!from && !to && playback_->state() == CdPlayback::State::Paused) {
        playback_->resume();
        serial = playback_->serial();
    } else {
        serial = playback_->start(toc.audioRuns(*first, *end));
    }
    if (notify) {
        notifyPending_ = true;
        notifyTarget_ = notify;
        notifySerial_ = serial;
    }
    return MCI_OK;
}

MciError CdAudioDevice::pause()
{
    if (const MciError error = ready())
        return error;
    if (playback_->state() == CdPlayback::State::Playing) {
        endNotify(MCI_NOTIFY_ABORTED);
        playback_->pause();
    }
    return MCI_OK;
}

MciError CdAudioDevice::resume()
{
    if (const MciError error = ready())
        return error;
    playback_->resume();
    return MCI_OK;
}

MciError CdAudioDevice::stop()
{
    if (const MciError error = ready())
        return error;
    endNotify(MCI_NOTIFY_ABORTED);
    playback_->stop();
    return MCI_OK;
}

MciError CdAudioDevice::seek(uint32_t to)
{
    if (const MciError error = ready())
        return error;
    const std::optional<int64_t> sample = disc_->toc().decode(to, timeFormat_);
    if (!sample)
        return MCIERR_OUTOFRANGE;
    endNotify(MCI_NOTIFY_ABORTED);
    playback_->stop();
    playback_->setPosition(*sample);
    return MCI_OK;
}

MciError CdAudioDevice::seekToStart()
{
    if (const MciError error = ready())
        return error;
    return seek(disc_->toc().encode(disc_->toc().startSample(), timeFormat_));
}

MciError CdAudioDevice::seekToEnd()
{
    if (const MciError error = ready())
        return error;
    endNotify(MCI_NOTIFY_ABORTED);
    playback_->stop();
    playback_->setPosition(disc_->toc().endSample());
    return MCI_OK;
}

MciError CdAudioDevice::moveTo(int64_t sample)
{
    const CdPlayback::State state = playback_->state();
    endNotify(MCI_NOTIFY_ABORTED);
    if (state == CdPlayback::State::Stopped) {
        playback_->setPosition(sample);
        return MCI_OK;
    }
    playback_->start(disc_->toc().audioRuns(sample, disc_->toc().endSample()), state == CdPlayback::State::Paused);
    return MCI_OK;
}

MciError CdAudioDevice::nextTrack()
{
    if (const MciError error = ready())
        return error;
    return moveTo(disc_->toc().nextTrackStart(playback_->position()));
}

MciError CdAudioDevice::previousTrack()
{
    if (const MciError error = ready())
        return error;
    return moveTo(disc_->toc().previousTrackStart(playback_->position()));
}

MciError CdAudioDevice::openDoor()
{
    if (!isOpen())
        return MCIERR_INVALID_DEVICE_ID;
    const MciError error = cdaudio::openDoor(drive_);
    if (error == MCI_OK) {
        endNotify(MCI_NOTIFY_ABORTED);
        playback_.reset();
        disc_.reset();
    }
    return error;
}

MciError CdAudioDevice::closeDoor()
{
    if (!isOpen())
        return MCIERR_INVALID_DEVICE_ID;
    const MciError error = cdaudio::closeDoor(drive_);
    if (error == MCI_OK)
        loadDisc();
    return error;
}

}  // namespace cdaudio
