#pragma once
// The navigator's control and information interfaces. A command is checked at once against what
// the navigator last published (range, domain, the disc's prohibited operations): a refused one
// fails and changes nothing. An accepted one is carried out on the navigator thread; the call
// returns once it has started there, with its result, and the command object follows it to its
// end.
#include "platform/dvd/DvdInterfaces.h"

#include <functional>

struct dvdnav_s;

namespace dvd {

class Navigator;

class NavigatorControl final : public IDvdControl2, public IDvdInfo2 {
public:
    // `toPicture` maps a point of the video control to picture pixels; false when it is outside
    // the picture (a black bar).
    using PositionMapper = std::function<bool(int32_t x, int32_t y, int32_t& px, int32_t& py)>;

    explicit NavigatorControl(Navigator& navigator);
    void setPositionMapper(PositionMapper mapper) { toPicture_ = std::move(mapper); }
    // Called with the scan speed whenever it changes (1.0 normal play, negative backwards).
    std::function<void(double)> onRateChange;

    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override;

    // IDvdControl2
    HRESULT PlayTitle(uint32_t title, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT PlayChapterInTitle(uint32_t title, uint32_t chapter, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT PlayAtTime(const DVD_HMSF_TIMECODE& time, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT PlayChapter(uint32_t chapter, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT PlayPrevChapter(uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT PlayNextChapter(uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT PlayForwards(double speed, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT PlayBackwards(double speed, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT ShowMenu(DVD_MENU_ID menu, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT Resume(uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT ReturnFromSubmenu(uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT SelectAudioStream(uint32_t stream, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT SelectSubpictureStream(uint32_t stream, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT SetSubpictureState(bool on, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT SelectAngle(uint32_t angle, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT SelectButton(uint32_t button) override;
    HRESULT ActivateButton() override;
    HRESULT SelectAtPosition(int32_t x, int32_t y) override;
    HRESULT ActivateAtPosition(int32_t x, int32_t y) override;
    HRESULT SetOption(DVD_OPTION_FLAG option, bool on) override;
    HRESULT SetState(const Ref<IDvdState>& state, uint32_t flags, Ref<IDvdCmd>* cmd) override;
    HRESULT Stop() override;

    // IDvdInfo2
    HRESULT GetCurrentDomain(DVD_DOMAIN& domain) override;
    HRESULT GetCurrentLocation(uint32_t& title, uint32_t& chapter, DVD_HMSF_TIMECODE& time) override;
    HRESULT GetTotalTitleTime(DVD_HMSF_TIMECODE& total, uint32_t& timeCodeFlags) override;
    HRESULT GetNumberOfTitles(uint32_t& titles) override;
    HRESULT GetNumberOfChapters(uint32_t title, uint32_t& chapters) override;
    HRESULT GetCurrentAngle(uint32_t& available, uint32_t& current) override;
    HRESULT GetCurrentAudio(uint32_t& available, uint32_t& current) override;
    HRESULT GetCurrentSubpicture(uint32_t& available, uint32_t& current, bool& disabled) override;
    HRESULT GetAudioLanguage(uint32_t stream, uint32_t& lcid) override;
    HRESULT GetSubpictureLanguage(uint32_t stream, uint32_t& lcid) override;
    HRESULT GetCurrentButton(uint32_t& available, uint32_t& current) override;
    HRESULT GetCurrentUOPS(uint32_t& prohibited) override;
    HRESULT GetState(Ref<IDvdState>& state) override;

    bool parentalLevelEvents() const { return parentalEvents_; }

private:
    // Posts `body` and waits for it to start; fills `cmd` when asked.
    HRESULT runCommand(std::function<HRESULT(dvdnav_s*)> body, bool jumps, Ref<IDvdCmd>* cmd);
    HRESULT allowed(uint32_t prohibitedBits) const;
    HRESULT scan(double rate, uint32_t prohibitedBit, Ref<IDvdCmd>* cmd);
    HRESULT atPosition(int32_t x, int32_t y, bool activate);

    Navigator& navigator_;
    PositionMapper toPicture_;
    bool parentalEvents_ = true;
};

}  // namespace dvd
