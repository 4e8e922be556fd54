#pragma once
// The DVD graph's decoded event records: time codes and the disc's prohibited operations.
#include <cstdint>

// Hours, minutes, seconds, frames: plain numbers, taken whole from the event parameter.
struct TDVD_HMSF_TIMECODE {
    uint8_t bHours = 0;
    uint8_t bMinutes = 0;
    uint8_t bSeconds = 0;
    uint8_t bFrames = 0;
};

// The digits of a packed BCD time code; FrameRateCode 1 is 25 frames a second, 3 is 30.
struct TDVD_TimeCode {
    int32_t Hours1 = 0, Hours10 = 0, Minutes1 = 0, Minutes10 = 0, Seconds1 = 0, Seconds10 = 0;
    int32_t Frames1 = 0, Frames10 = 0, FrameRateCode = 0;
};

// True for each navigator operation the disc prohibits now.
struct TUOPS {
    bool TitlePlay = false, ChapterPlay = false, TimePlay = false, StopForResume = false, GoUp = false;
    bool TimeSearch = false, ChapterSearch = false, PrevPGSearch = false, TopPGSearch = false;
    bool NextPGSearch = false, ForwardScan = false, BackwardScan = false, MenuCallTitle = false;
    bool MenuCallRoot = false, MenuCallSubpicture = false, MenuCallAudio = false, MenuCallAngle = false;
    bool MenuCallChapter = false, Resume = false, UpperButtonSelect = false, LowerButtonSelect = false;
    bool LeftButtonSelect = false, RightButtonSelect = false, ButtonActivate = false;
    bool ButtonSelectAndActivate = false, StillOff = false, PauseOn = false, PauseOff = false;
    bool AudioStreamChange = false, SubpictureStreamChange = false, AngleChange = false;
    bool KaraokeAudioPresentationModeChange = false, VideoModePreference = false;
};

TDVD_HMSF_TIMECODE DecodeHmsf(uint32_t value);
TDVD_TimeCode DecodeTimeCode(uint32_t value);
TUOPS DecodeUops(uint32_t mask);
// 25 for rate code 1, 30 for 3, else 0.
int32_t FrameRateOf(const TDVD_TimeCode& timeCode);
