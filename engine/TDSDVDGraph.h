#pragma once
// TDSDVDGraph: the graph component that plays a video DVD through the platform's DVD graph
// builder and navigator. It holds the builder and, after a render, the navigator's control and
// information interfaces for the owner; decodes the navigator's events into typed events; and
// saves the navigator's state to a bookmark file and restores it.
#include "engine/DvdTimeRecords.h"
#include "engine/TDSGraph.h"
#include "platform/dvd/DvdInterfaces.h"

class TDSDVDGraph : public TDSGraph {
    Q_OBJECT
public:
    explicit TDSDVDGraph(QObject* owner = nullptr);
    ~TDSDVDGraph() override;

    static TServerData& ClassData();

    const com::Ref<dvd::IDvdGraphBuilder>& IDvdGraphBuilder() const { return dvdGraphBuilder_; }
    const com::Ref<dvd::IDvdControl2>& IDvdControl2() const { return dvdControl2_; }
    const com::Ref<dvd::IDvdInfo2>& IDvdInfo2() const { return dvdInfo2_; }
    const com::Ref<dvd::IAMLine21Decoder>& IAMLine21Decoder() const { return line21Decoder_; }

    void Connect() override;
    void Disconnect() override;
    void QueryGraphInterfaces() override;

    // Writes the navigator's state to a compound file; quietly does nothing on any failure.
    void SaveBookmark(const QString& FileName);
    // Reads such a file and makes the navigator resume there; quietly changes nothing on failure.
    void RestoreBookmark(const QString& FileName);
    // What the last SaveBookmark / RestoreBookmark came to (the player words its own message).
    HRESULT LastBookmarkResult() const { return lastBookmarkResult_; }

    // Published DVD events.
    std::function<void(TDSDVDGraph* sender, int32_t stream, int32_t lcid, const QString& Lang)> OnDVDAudioStreamChange;
    std::function<void(TDSDVDGraph* sender, int32_t heures, int32_t minutes, int32_t secondes, int32_t frames,
                       int32_t frate)>
        OnDVDCurrentTime;
    std::function<void(TDSDVDGraph* sender, int32_t title)> OnDVDTitleChange;
    std::function<void(TDSDVDGraph* sender, int32_t chapter)> OnDVDChapterStart;
    std::function<void(TDSDVDGraph* sender, int32_t total, int32_t current)> OnDVDAngleChange;
    std::function<void(TDSDVDGraph* sender, TUOPS& UOPS)> OnDVDValidUOPSChange;
    std::function<void(TDSDVDGraph* sender, int32_t total, int32_t current)> OnDVDButtonChange;
    std::function<void(TDSDVDGraph* sender)> OnDVDChapterAutoStop;
    std::function<void(TDSDVDGraph* sender, bool NoButtonAvailable, int32_t seconds)> OnDVDStillOn;
    std::function<void(TDSDVDGraph* sender)> OnDVDStillOff;
    std::function<void(TDSDVDGraph* sender, int32_t SubNum, int32_t lcid, const QString& Lang)>
        OnDVDSubpictureStreamChange;
    std::function<void(TDSDVDGraph* sender)> OnDVDNoFP_PGC;
    std::function<void(TDSDVDGraph* sender, int32_t rate)> OnDVDPlaybackRateChange;
    std::function<void(TDSDVDGraph* sender, int32_t level)> OnDVDParentalLevelChange;
    std::function<void(TDSDVDGraph* sender)> OnDVDPlaybackStopped;
    std::function<void(TDSDVDGraph* sender, bool available)> OnDVDAnglesAvailable;
    std::function<void(TDSDVDGraph* sender)> OnDVDPlayPeriodAutoStop;
    std::function<void(TDSDVDGraph* sender, uint32_t Button)> OnDVDButtonAutoActivated;
    std::function<void(TDSDVDGraph* sender, uint32_t CmdID)> OnDVDCMDStart;
    std::function<void(TDSDVDGraph* sender, uint32_t CmdID)> OnDVDCMDEnd;
    std::function<void(TDSDVDGraph* sender)> OnDVDDiscEjected;
    std::function<void(TDSDVDGraph* sender)> OnDVDDiscInserted;
    std::function<void(TDSDVDGraph* sender, TDVD_HMSF_TIMECODE HMSFTimeCode, TDVD_TimeCode& TimeCode)>
        OnDVDCurrentHMSFTime;
    std::function<void(TDSDVDGraph* sender, bool Played)> OnDVDKaraokeMode;
    std::function<void(TDSDVDGraph* sender)> OnDVDDomainFirstPlay;
    std::function<void(TDSDVDGraph* sender)> OnDVDDomainVideoManagerMenu;
    std::function<void(TDSDVDGraph* sender)> OnDVDDomainVideoTitleSetMenu;
    std::function<void(TDSDVDGraph* sender)> OnDVDDomainTitle;
    std::function<void(TDSDVDGraph* sender)> OnDVDDomainStop;
    std::function<void(TDSDVDGraph* sender)> OnDVDErrorUnexpected;
    std::function<void(TDSDVDGraph* sender)> OnDVDErrorInvalidDVD1_0Disc;
    std::function<void(TDSDVDGraph* sender)> OnDVDErrorInvalidDiscRegion;
    std::function<void(TDSDVDGraph* sender)> OnDVDErrorLowParentalLevel;
    std::function<void(TDSDVDGraph* sender)> OnDVDErrorIncompatibleSystemAndDecoderRegions;
    std::function<void(TDSDVDGraph* sender)> OnDVDErrorIncompatibleDiscAndDecoderRegions;
    std::function<void(TDSDVDGraph* sender)> OnDVDWarningInvalidDVD1_0Disc;
    std::function<void(TDSDVDGraph* sender)> OnDVDWarningFormatNotSupported;
    std::function<void(TDSDVDGraph* sender)> OnDVDWarningIllegalNavCommand;
    std::function<void(TDSDVDGraph* sender)> OnDVDWarningOpen;
    std::function<void(TDSDVDGraph* sender)> OnDVDWarningSeek;
    std::function<void(TDSDVDGraph* sender)> OnDVDWarningRead;

    // Runs the event handling for one event as the notification window does (tests use it to
    // feed events that a disc would be slow to produce).
    void DispatchGraphEvent(int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2)
    {
        HandleGraphEvent(Event, Param1, Param2);
    }

protected:
    void HandleGraphEvent(int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2) override;

private:
    void HandleDvdEvent(int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2);

    com::Ref<dvd::IDvdGraphBuilder> dvdGraphBuilder_;
    com::Ref<dvd::IDvdControl2> dvdControl2_;
    com::Ref<dvd::IDvdInfo2> dvdInfo2_;
    com::Ref<dvd::IAMLine21Decoder> line21Decoder_;
    HRESULT lastBookmarkResult_ = S_OK;
};
