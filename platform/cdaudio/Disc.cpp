#include "platform/cdaudio/Disc.h"

#include <cdio/cdio.h>
#include <cdio/mmc.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace cdaudio {

namespace {

bool endsWithNoCase(const std::string& text, const std::string& tail)
{
    if (text.size() < tail.size())
        return false;
    return std::equal(tail.rbegin(), tail.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

std::string driveFromElement(const std::string& element)
{
    std::string drive = element;
    if (endsWithNoCase(drive, "*.cda"))
        drive.resize(drive.size() - 5);
    while (drive.size() > 1 && drive.back() == '/')
        drive.pop_back();
    return drive;
}

std::string defaultDrive()
{
    char* device = cdio_get_default_device(nullptr);
    std::string drive = device ? device : "";
    free(device);
    return drive;
}

DriveKind driveKind(const std::string& drive)
{
    struct stat info {};
    if (drive.empty() || ::stat(drive.c_str(), &info) != 0)
        return DriveKind::Missing;
    if (S_ISBLK(info.st_mode) || S_ISCHR(info.st_mode))
        return DriveKind::Device;
    if (S_ISREG(info.st_mode))
        return DriveKind::Image;
    return DriveKind::Other;
}

struct Disc::Handles {
    CdIo_t* cdio = nullptr;
    cdrom_drive_t* drive = nullptr;
    cdrom_paranoia_t* paranoia = nullptr;
    ~Handles()
    {
        if (paranoia)
            cdio_paranoia_free(paranoia);
        if (drive)
            cdio_cddap_close_no_free_cdio(drive);
        if (cdio)
            cdio_destroy(cdio);
    }
};

Disc::~Disc() = default;

std::unique_ptr<Disc> Disc::load(const std::string& drive, MciError& error)
{
    const DriveKind kind = driveKind(drive);
    if (kind == DriveKind::Missing) {
        error = MCIERR_INVALID_DEVICE_NAME;
        return nullptr;
    }
    const MciError noDisc = kind == DriveKind::Device ? MCIERR_DEVICE_NOT_READY : MCIERR_INVALID_FILE;
    error = noDisc;
    if (kind == DriveKind::Other)
        return nullptr;

    auto handles = std::make_unique<Handles>();
    handles->cdio = cdio_open(drive.c_str(), kind == DriveKind::Device ? DRIVER_DEVICE : DRIVER_UNKNOWN);
    if (!handles->cdio)
        return nullptr;
    const track_t first = cdio_get_first_track_num(handles->cdio);
    const track_t count = cdio_get_num_tracks(handles->cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return nullptr;
    std::vector<Track> tracks;
    for (int number = first; number < first + count && number <= CDIO_CD_MAX_TRACKS; ++number) {
        const lsn_t start = cdio_get_track_lsn(handles->cdio, track_t(number));
        const lsn_t last = cdio_get_track_last_lsn(handles->cdio, track_t(number));
        // A track before the first sector (a CUE sheet without an index gives one) cannot be read:
        // the reader would seek there for ever.
        if (start == CDIO_INVALID_LSN || last == CDIO_INVALID_LSN || start < 0 || last < start)
            return nullptr;
        const bool audio = cdio_get_track_format(handles->cdio, track_t(number)) == TRACK_FORMAT_AUDIO;
        tracks.push_back({number, start, last - start + 1, audio});
    }
    DiscToc toc(std::move(tracks));
    if (!toc.hasAudio())
        return nullptr;

    handles->drive = cdio_cddap_identify_cdio(handles->cdio, CDDA_MESSAGE_FORGETIT, nullptr);
    if (!handles->drive || cdio_cddap_open(handles->drive) != 0)
        return nullptr;
    handles->paranoia = cdio_paranoia_init(handles->drive);
    if (!handles->paranoia)
        return nullptr;
    // An image reads back exactly what it holds; a drive gets the checks, but never stalls the
    // sound on a sector it cannot read.
    cdio_paranoia_modeset(handles->paranoia, kind == DriveKind::Image
                                                 ? PARANOIA_MODE_DISABLE
                                                 : PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);

    std::unique_ptr<Disc> disc(new Disc);
    disc->handles_ = std::move(handles);
    disc->toc_ = std::move(toc);
    disc->image_ = kind == DriveKind::Image;
    error = MCI_OK;
    return disc;
}

bool Disc::readSector(int32_t sector, int16_t* samples)
{
    if (sector != nextSector_)
        cdio_paranoia_seek(handles_->paranoia, sector, SEEK_SET);
    nextSector_ = -1;
    const int16_t* data = cdio_paranoia_read_limited(handles_->paranoia, nullptr, 3);
    if (!data)
        return false;
    std::memcpy(samples, data, kSamplesPerSector * 2 * sizeof(int16_t));
    nextSector_ = sector + 1;
    return true;
}

MciError openDoor(const std::string& drive)
{
    if (driveKind(drive) != DriveKind::Device)
        return MCIERR_UNSUPPORTED_FUNCTION;
    return cdio_eject_media_drive(drive.c_str()) == DRIVER_OP_SUCCESS ? MCI_OK : MCIERR_HARDWARE;
}

MciError closeDoor(const std::string& drive)
{
    if (driveKind(drive) != DriveKind::Device)
        return MCIERR_UNSUPPORTED_FUNCTION;
    driver_id_t driver = DRIVER_DEVICE;
    return cdio_close_tray(drive.c_str(), &driver) == DRIVER_OP_SUCCESS ? MCI_OK : MCIERR_HARDWARE;
}

bool doorIsOpen(const std::string& drive)
{
    if (driveKind(drive) != DriveKind::Device)
        return false;
    CdIo_t* cdio = cdio_open(drive.c_str(), DRIVER_DEVICE);
    if (!cdio)
        return false;
    const bool open = mmc_get_tray_status(cdio) == 1;
    cdio_destroy(cdio);
    return open;
}

}  // namespace cdaudio
