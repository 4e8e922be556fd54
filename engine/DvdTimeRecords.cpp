#include "engine/DvdTimeRecords.h"

TDVD_HMSF_TIMECODE DecodeHmsf(uint32_t value)
{
    return {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

TDVD_TimeCode DecodeTimeCode(uint32_t v)
{
    TDVD_TimeCode t;
    t.Hours1 = int32_t(v & 0xF);
    t.Hours10 = int32_t(v >> 4 & 0xF);
    t.Minutes1 = int32_t(v >> 8 & 0xF);
    t.Minutes10 = int32_t(v >> 12 & 0xF);
    t.Seconds1 = int32_t(v >> 16 & 0xF);
    t.Seconds10 = int32_t(v >> 20 & 0xF);
    t.Frames1 = int32_t(v >> 24 & 0xF);
    t.Frames10 = int32_t(v >> 28 & 0x3);
    t.FrameRateCode = int32_t(v >> 30 & 0x3);
    return t;
}

TUOPS DecodeUops(uint32_t mask)
{
    auto bit = [mask](int n) { return (mask >> n & 1) != 0; };
    TUOPS u;
    u.TitlePlay = bit(2);
    u.ChapterPlay = bit(1);
    u.TimePlay = bit(0);
    u.StopForResume = bit(3);
    u.GoUp = bit(4);
    u.TimeSearch = bit(0) && bit(5);
    u.ChapterSearch = bit(1) && bit(5);
    u.PrevPGSearch = bit(6);
    u.TopPGSearch = bit(6);
    u.NextPGSearch = bit(7);
    u.ForwardScan = bit(8);
    u.BackwardScan = bit(9);
    u.MenuCallTitle = bit(10);
    u.MenuCallRoot = bit(11);
    u.MenuCallSubpicture = bit(12);
    u.MenuCallAudio = bit(13);
    u.MenuCallAngle = bit(14);
    u.MenuCallChapter = bit(15);
    u.Resume = bit(16);
    u.UpperButtonSelect = bit(17);
    u.LowerButtonSelect = bit(17);
    u.LeftButtonSelect = bit(17);
    u.RightButtonSelect = bit(17);
    u.ButtonActivate = bit(17);
    u.ButtonSelectAndActivate = bit(17);
    u.StillOff = bit(18);
    u.PauseOn = bit(19);
    u.PauseOff = bit(19);
    u.AudioStreamChange = bit(20);
    u.SubpictureStreamChange = bit(21);
    u.AngleChange = bit(22);
    u.KaraokeAudioPresentationModeChange = bit(23);
    u.VideoModePreference = bit(24);
    return u;
}

int32_t FrameRateOf(const TDVD_TimeCode& timeCode)
{
    return timeCode.FrameRateCode == 1 ? 25 : timeCode.FrameRateCode == 3 ? 30 : 0;
}
