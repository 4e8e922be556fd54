#pragma once
// A disc as libcdio sees it: an optical drive (/dev/sr0 ...) or a CD image given by its CUE sheet.
// Loading reads the table of contents afresh each time, so a changed disc is seen at the next load;
// reading goes through libcdio-paranoia, which reads an image as it reads a drive.
//
// A Disc is used by one thread at a time: the device's owner while nothing plays, the reader thread
// of a playback while it runs.
#include "platform/cdaudio/DiscToc.h"

#include <memory>
#include <string>

namespace cdaudio {

// The drive named by an element: "<drive>*.cda" gives <drive>; a plain drive or CUE sheet path is
// taken as it is. Trailing slashes are dropped; an empty drive stays empty.
std::string driveFromElement(const std::string& element);

// The system's first optical drive; empty when it has none.
std::string defaultDrive();

// What a drive name points at.
enum class DriveKind { Missing, Device, Image, Other };
DriveKind driveKind(const std::string& drive);

class Disc : public SectorSource {
public:
    ~Disc() override;
    Disc(const Disc&) = delete;
    Disc& operator=(const Disc&) = delete;

    // Opens the disc in a drive or image. On failure returns null and sets `error`:
    // MCIERR_DEVICE_NOT_READY for a drive without a readable audio disc, MCIERR_INVALID_FILE for a
    // file or folder that is no audio CD.
    static std::unique_ptr<Disc> load(const std::string& drive, MciError& error);

    const DiscToc& toc() const { return toc_; }
    bool isImage() const { return image_; }

    bool readSector(int32_t sector, int16_t* samples) override;

private:
    Disc() = default;

    struct Handles;
    std::unique_ptr<Handles> handles_;
    DiscToc toc_;
    bool image_ = false;
    int32_t nextSector_ = -1;  // where the reader stands; a different sector needs a seek
};

// The door of an optical drive. Images and anything that is not a drive refuse with
// MCIERR_UNSUPPORTED_FUNCTION; a drive that does not obey gives MCIERR_HARDWARE.
MciError openDoor(const std::string& drive);
MciError closeDoor(const std::string& drive);
// Whether the door of a drive stands open (false when unknown).
bool doorIsOpen(const std::string& drive);

}  // namespace cdaudio
