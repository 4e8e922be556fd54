// TDSDVDGraph::HandleGraphEvent: the base handling, then the navigator's events.
#include "engine/TDSDVDGraph.h"

#include "platform/system/Languages.h"

namespace {

// The English name of a language, as the locale data gives it (at most 260 characters).
QString EnglishName(uint32_t lcid)
{
    return lcid ? platform::LanguageName(lcid, QStringLiteral("en")).left(260) : QString();
}

}  // namespace

void TDSDVDGraph::HandleGraphEvent(int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2)
{
    TDSGraph::HandleGraphEvent(Event, Param1, Param2);
    HandleDvdEvent(Event, Param1, Param2);
}

void TDSDVDGraph::HandleDvdEvent(int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2)
{
    using namespace dvd;
    const auto p1 = int32_t(Param1);
    const auto p2 = int32_t(Param2);
    auto fire = [this](const std::function<void(TDSDVDGraph*)>& handler) {
        if (handler)
            handler(this);
    };
    switch (Event) {
    case EC_DVD_DOMAIN_CHANGE:
        switch (p1) {
        case DVD_DOMAIN_FirstPlay: fire(OnDVDDomainFirstPlay); break;
        case DVD_DOMAIN_VideoManagerMenu: fire(OnDVDDomainVideoManagerMenu); break;
        case DVD_DOMAIN_VideoTitleSetMenu: fire(OnDVDDomainVideoTitleSetMenu); break;
        case DVD_DOMAIN_Title: fire(OnDVDDomainTitle); break;
        case DVD_DOMAIN_Stop: fire(OnDVDDomainStop); break;
        default: break;
        }
        break;
    case EC_DVD_TITLE_CHANGE:
        if (OnDVDTitleChange)
            OnDVDTitleChange(this, p1);
        break;
    case EC_DVD_CHAPTER_START:
        if (OnDVDChapterStart)
            OnDVDChapterStart(this, p1);
        break;
    case EC_DVD_AUDIO_STREAM_CHANGE:
        if (OnDVDAudioStreamChange) {
            uint32_t lcid = 0;
            if (dvdInfo2_ && FAILED(dvdInfo2_->GetAudioLanguage(uint32_t(p1), lcid)))
                lcid = 0;
            OnDVDAudioStreamChange(this, p1, int32_t(lcid), EnglishName(lcid));
        }
        break;
    case EC_DVD_SUBPICTURE_STREAM_CHANGE:
        if (OnDVDSubpictureStreamChange) {
            uint32_t lcid = 0;
            if (dvdInfo2_ && FAILED(dvdInfo2_->GetSubpictureLanguage(uint32_t(p1), lcid)))
                lcid = 0;
            OnDVDSubpictureStreamChange(this, p1, int32_t(lcid), EnglishName(lcid));
        }
        break;
    case EC_DVD_ANGLE_CHANGE:
        if (OnDVDAngleChange)
            OnDVDAngleChange(this, p1, p2);
        break;
    case EC_DVD_BUTTON_CHANGE:
        if (OnDVDButtonChange)
            OnDVDButtonChange(this, p1, p2);
        break;
    case EC_DVD_VALID_UOPS_CHANGE:
        if (OnDVDValidUOPSChange) {
            TUOPS uops = DecodeUops(uint32_t(Param1));
            OnDVDValidUOPSChange(this, uops);
        }
        break;
    case EC_DVD_STILL_ON:
        if (OnDVDStillOn)
            OnDVDStillOn(this, p1 == 1, p2);
        break;
    case EC_DVD_STILL_OFF: fire(OnDVDStillOff); break;
    case EC_DVD_CURRENT_TIME:
        if (OnDVDCurrentTime) {
            const TDVD_TimeCode t = DecodeTimeCode(uint32_t(Param1));
            OnDVDCurrentTime(this, 10 * t.Hours10 + t.Hours1, 10 * t.Minutes10 + t.Minutes1,
                             10 * t.Seconds10 + t.Seconds1, 10 * t.Frames10 + t.Frames1, FrameRateOf(t));
        }
        break;
    case EC_DVD_ERROR:
        switch (p1) {
        case DVD_ERROR_Unexpected: fire(OnDVDErrorUnexpected); break;
        case DVD_ERROR_InvalidDVD1_0Disc: fire(OnDVDErrorInvalidDVD1_0Disc); break;
        case DVD_ERROR_InvalidDiscRegion: fire(OnDVDErrorInvalidDiscRegion); break;
        case DVD_ERROR_LowParentalLevel: fire(OnDVDErrorLowParentalLevel); break;
        case DVD_ERROR_IncompatibleSystemAndDecoderRegions: fire(OnDVDErrorIncompatibleSystemAndDecoderRegions); break;
        case DVD_ERROR_IncompatibleDiscAndDecoderRegions: fire(OnDVDErrorIncompatibleDiscAndDecoderRegions); break;
        default: break;
        }
        break;
    case EC_DVD_WARNING:
        switch (p1) {
        case DVD_WARNING_InvalidDVD1_0Disc: fire(OnDVDWarningInvalidDVD1_0Disc); break;
        case DVD_WARNING_FormatNotSupported: fire(OnDVDWarningFormatNotSupported); break;
        case DVD_WARNING_IllegalNavCommand: fire(OnDVDWarningIllegalNavCommand); break;
        case DVD_WARNING_Open: fire(OnDVDWarningOpen); break;
        case DVD_WARNING_Seek: fire(OnDVDWarningSeek); break;
        case DVD_WARNING_Read: fire(OnDVDWarningRead); break;
        default: break;
        }
        break;
    case EC_DVD_CHAPTER_AUTOSTOP: fire(OnDVDChapterAutoStop); break;
    case EC_DVD_NO_FP_PGC: fire(OnDVDNoFP_PGC); break;
    case EC_DVD_PLAYBACK_RATE_CHANGE:
        if (OnDVDPlaybackRateChange)
            OnDVDPlaybackRateChange(this, p1 / 10000);  // C++ division truncates toward zero
        break;
    case EC_DVD_PARENTAL_LEVEL_CHANGE:
        if (OnDVDParentalLevelChange)
            OnDVDParentalLevelChange(this, p1);
        break;
    case EC_DVD_PLAYBACK_STOPPED: fire(OnDVDPlaybackStopped); break;
    case EC_DVD_ANGLES_AVAILABLE:
        if (OnDVDAnglesAvailable)
            OnDVDAnglesAvailable(this, p1 == 1);
        break;
    case EC_DVD_PLAYPERIOD_AUTOSTOP: fire(OnDVDPlayPeriodAutoStop); break;
    case EC_DVD_BUTTON_AUTO_ACTIVATED:
        if (OnDVDButtonAutoActivated)
            OnDVDButtonAutoActivated(this, uint32_t(Param1));
        break;
    case EC_DVD_CMD_START:
        if (OnDVDCMDStart)
            OnDVDCMDStart(this, uint32_t(Param1));
        break;
    case EC_DVD_CMD_END:
        if (OnDVDCMDEnd)
            OnDVDCMDEnd(this, uint32_t(Param1));
        break;
    case EC_DVD_DISC_EJECTED: fire(OnDVDDiscEjected); break;
    case EC_DVD_DISC_INSERTED: fire(OnDVDDiscInserted); break;
    case EC_DVD_CURRENT_HMSF_TIME:
        if (OnDVDCurrentHMSFTime) {
            TDVD_TimeCode timeCode = DecodeTimeCode(uint32_t(Param2));
            OnDVDCurrentHMSFTime(this, DecodeHmsf(uint32_t(Param1)), timeCode);
        }
        break;
    case EC_DVD_KARAOKE_MODE:
        if (OnDVDKaraokeMode)
            OnDVDKaraokeMode(this, p1 != 0);
        break;
    default:
        break;
    }
}
