#pragma once
// Values of the DVD navigator's interfaces, with the numbers its callers were written against:
// event codes, domains, options, time records, prohibited-operation bits, render flags.
#include "platform/media/Types.h"

#include <cstdint>

namespace dvd {

using media::LONG_PTR;
using media::REFERENCE_TIME;

// Navigator events (posted with the graph's other events).
constexpr int32_t EC_DVD_DOMAIN_CHANGE = 0x101;
constexpr int32_t EC_DVD_TITLE_CHANGE = 0x102;
constexpr int32_t EC_DVD_CHAPTER_START = 0x103;
constexpr int32_t EC_DVD_AUDIO_STREAM_CHANGE = 0x104;
constexpr int32_t EC_DVD_SUBPICTURE_STREAM_CHANGE = 0x105;
constexpr int32_t EC_DVD_ANGLE_CHANGE = 0x106;
constexpr int32_t EC_DVD_BUTTON_CHANGE = 0x107;
constexpr int32_t EC_DVD_VALID_UOPS_CHANGE = 0x108;
constexpr int32_t EC_DVD_STILL_ON = 0x109;
constexpr int32_t EC_DVD_STILL_OFF = 0x10A;
constexpr int32_t EC_DVD_CURRENT_TIME = 0x10B;
constexpr int32_t EC_DVD_ERROR = 0x10C;
constexpr int32_t EC_DVD_WARNING = 0x10D;
constexpr int32_t EC_DVD_CHAPTER_AUTOSTOP = 0x10E;
constexpr int32_t EC_DVD_NO_FP_PGC = 0x10F;
constexpr int32_t EC_DVD_PLAYBACK_RATE_CHANGE = 0x110;
constexpr int32_t EC_DVD_PARENTAL_LEVEL_CHANGE = 0x111;
constexpr int32_t EC_DVD_PLAYBACK_STOPPED = 0x112;
constexpr int32_t EC_DVD_ANGLES_AVAILABLE = 0x113;
constexpr int32_t EC_DVD_PLAYPERIOD_AUTOSTOP = 0x114;
constexpr int32_t EC_DVD_BUTTON_AUTO_ACTIVATED = 0x115;
constexpr int32_t EC_DVD_CMD_START = 0x116;
constexpr int32_t EC_DVD_CMD_END = 0x117;
constexpr int32_t EC_DVD_DISC_EJECTED = 0x118;
constexpr int32_t EC_DVD_DISC_INSERTED = 0x119;
constexpr int32_t EC_DVD_CURRENT_HMSF_TIME = 0x11A;
constexpr int32_t EC_DVD_KARAOKE_MODE = 0x11B;

// Where the navigator is (EC_DVD_DOMAIN_CHANGE's first parameter).
enum DVD_DOMAIN : int32_t {
    DVD_DOMAIN_FirstPlay = 1,
    DVD_DOMAIN_VideoManagerMenu = 2,
    DVD_DOMAIN_VideoTitleSetMenu = 3,
    DVD_DOMAIN_Title = 4,
    DVD_DOMAIN_Stop = 5,
};

// EC_DVD_ERROR and EC_DVD_WARNING sub-codes.
enum DVD_ERROR : int32_t {
    DVD_ERROR_Unexpected = 1,
    DVD_ERROR_CopyProtectFail = 2,
    DVD_ERROR_InvalidDVD1_0Disc = 3,
    DVD_ERROR_InvalidDiscRegion = 4,
    DVD_ERROR_LowParentalLevel = 5,
    DVD_ERROR_MacrovisionFail = 6,
    DVD_ERROR_IncompatibleSystemAndDecoderRegions = 7,
    DVD_ERROR_IncompatibleDiscAndDecoderRegions = 8,
};
enum DVD_WARNING : int32_t {
    DVD_WARNING_InvalidDVD1_0Disc = 1,
    DVD_WARNING_FormatNotSupported = 2,
    DVD_WARNING_IllegalNavCommand = 3,
    DVD_WARNING_Open = 4,
    DVD_WARNING_Seek = 5,
    DVD_WARNING_Read = 6,
};

// ShowMenu.
enum DVD_MENU_ID : int32_t {
    DVD_MENU_Title = 2,
    DVD_MENU_Root = 3,
    DVD_MENU_Subpicture = 4,
    DVD_MENU_Audio = 5,
    DVD_MENU_Angle = 6,
    DVD_MENU_Chapter = 7,
};

// SetOption.
enum DVD_OPTION_FLAG : int32_t {
    DVD_ResetOnStop = 1,
    DVD_NotifyParentalLevelChange = 2,
    DVD_HMSF_TimeCodeEvents = 3,
};

// Flags of the navigation commands (only 0, "no flags", is used by this program).
constexpr uint32_t DVD_CMD_FLAG_None = 0;
constexpr uint32_t DVD_CMD_FLAG_Flush = 1;
constexpr uint32_t DVD_CMD_FLAG_Block = 8;

// RenderDvdVideoVolume.
constexpr uint32_t AM_DVD_HWDEC_PREFER = 0x01;
constexpr uint32_t AM_DVD_HWDEC_ONLY = 0x02;
constexpr uint32_t AM_DVD_SWDEC_PREFER = 0x04;
constexpr uint32_t AM_DVD_SWDEC_ONLY = 0x08;
constexpr uint32_t AM_DVD_NOVPE = 0x100;

// What a render could not do (RenderDvdVideoVolume's status record).
constexpr uint32_t AM_DVD_STREAM_VIDEO = 0x01;
constexpr uint32_t AM_DVD_STREAM_AUDIO = 0x02;
constexpr uint32_t AM_DVD_STREAM_SUBPIC = 0x04;
struct AM_DVD_RENDERSTATUS {
    HRESULT hrVPEStatus = S_OK;
    bool bDvdVolInvalid = false;  // the named volume is not a DVD-Video volume
    bool bDvdVolUnknown = false;  // no volume was found
    bool bNoLine21In = false;
    bool bNoLine21Out = false;
    int32_t iNumStreams = 0;
    int32_t iNumStreamsFailed = 0;
    uint32_t dwFailedStreamsFlag = 0;  // AM_DVD_STREAM_* bits of the streams that will not play
};

// A time as hours, minutes, seconds, frames: plain numbers, one byte each, in this order.
struct DVD_HMSF_TIMECODE {
    uint8_t bHours = 0;
    uint8_t bMinutes = 0;
    uint8_t bSeconds = 0;
    uint8_t bFrames = 0;
};
// Packs the record into the 32-bit event parameter (hours in the lowest byte).
constexpr uint32_t PackHmsf(DVD_HMSF_TIMECODE t)
{
    return uint32_t(t.bHours) | uint32_t(t.bMinutes) << 8 | uint32_t(t.bSeconds) << 16 | uint32_t(t.bFrames) << 24;
}
constexpr DVD_HMSF_TIMECODE UnpackHmsf(uint32_t v)
{
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

// The packed BCD time code of EC_DVD_CURRENT_TIME: from bit 0, hours (2 digits), minutes, seconds,
// frames (2 digits of which the tens take two bits), then the frame-rate code in bits 30-31
// (1 = 25 frames a second, 3 = 30).
uint32_t PackBcdTimeCode(int hours, int minutes, int seconds, int frames, int frameRateCode);

// The frame-rate flags of DVD_HMSF times.
constexpr uint32_t DVD_TC_FLAG_25fps = 0x1;
constexpr uint32_t DVD_TC_FLAG_30fps = 0x2;

// The disc's prohibited user operations (EC_DVD_VALID_UOPS_CHANGE's parameter), one bit each.
enum VALID_UOP_FLAG : uint32_t {
    UOP_FLAG_Play_Title_Or_AtTime = 0x00000001,
    UOP_FLAG_Play_Chapter = 0x00000002,
    UOP_FLAG_Play_Title = 0x00000004,
    UOP_FLAG_Stop = 0x00000008,
    UOP_FLAG_ReturnFromSubMenu = 0x00000010,
    UOP_FLAG_Play_Chapter_Or_AtTime = 0x00000020,
    UOP_FLAG_PlayPrev_Or_Replay_Chapter = 0x00000040,
    UOP_FLAG_PlayNext_Chapter = 0x00000080,
    UOP_FLAG_Play_Forwards = 0x00000100,
    UOP_FLAG_Play_Backwards = 0x00000200,
    UOP_FLAG_ShowMenu_Title = 0x00000400,
    UOP_FLAG_ShowMenu_Root = 0x00000800,
    UOP_FLAG_ShowMenu_SubPic = 0x00001000,
    UOP_FLAG_ShowMenu_Audio = 0x00002000,
    UOP_FLAG_ShowMenu_Angle = 0x00004000,
    UOP_FLAG_ShowMenu_Chapter = 0x00008000,
    UOP_FLAG_Resume = 0x00010000,
    UOP_FLAG_Select_Or_Activate_Button = 0x00020000,
    UOP_FLAG_Still_Off = 0x00040000,
    UOP_FLAG_Pause_On = 0x00080000,
    UOP_FLAG_Select_Audio_Stream = 0x00100000,
    UOP_FLAG_Select_SubPic_Stream = 0x00200000,
    UOP_FLAG_Select_Angle = 0x00400000,
    UOP_FLAG_Select_Karaoke_Audio_Presentation_Mode = 0x00800000,
    UOP_FLAG_Select_Video_Mode_Preference = 0x01000000,
};

// Where a DVD volume may be found by name: a device, a folder holding VIDEO_TS, the VIDEO_TS
// folder itself, its VIDEO_TS.IFO, or an ISO image.
constexpr int32_t kMaxTitles = 99;

}  // namespace dvd
