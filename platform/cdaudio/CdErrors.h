#pragma once
// Result codes of the CD audio device, numbered as the command interface of the media control
// devices numbers them (zero is success), and the French text shown for each.
#include <cstdint>
#include <string>

namespace cdaudio {

using MciError = uint32_t;

constexpr MciError MCI_OK = 0;
constexpr MciError MCIERR_INVALID_DEVICE_ID = 257;     // command sent to a device that is not open
constexpr MciError MCIERR_HARDWARE = 262;              // the disc could not be read
constexpr MciError MCIERR_INVALID_DEVICE_NAME = 263;   // no such drive
constexpr MciError MCIERR_UNSUPPORTED_FUNCTION = 274;  // e.g. the door of a disc image
constexpr MciError MCIERR_DEVICE_NOT_READY = 276;      // a drive without a disc
constexpr MciError MCIERR_EXTENSION_NOT_FOUND = 281;   // element that names no CD audio device
constexpr MciError MCIERR_OUTOFRANGE = 282;            // a position or track beyond the disc
constexpr MciError MCIERR_BAD_TIME_FORMAT = 293;
constexpr MciError MCIERR_INVALID_FILE = 296;          // a file or drive that holds no audio CD

// The text of a result code (UTF-8); an unknown code gets a generic text with its number.
std::string errorText(MciError code);

}  // namespace cdaudio
