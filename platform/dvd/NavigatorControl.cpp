#include "platform/dvd/NavigatorControl.h"

#include "platform/dvd/DvdCommand.h"
#include "platform/dvd/Navigator.h"
#include "platform/system/Languages.h"

#include <dvdnav/dvdnav.h>

#include <algorithm>

namespace dvd {
namespace {

// Frames count at the disc's rate: 25 a second on PAL discs, 30 on NTSC ones.
DVD_HMSF_TIMECODE FromMilliseconds(int64_t ms, int fps)
{
    const int64_t s = ms / 1000;
    return {uint8_t(s / 3600), uint8_t(s / 60 % 60), uint8_t(s % 60), uint8_t(ms % 1000 * fps / 1000)};
}

int64_t ToMilliseconds(const DVD_HMSF_TIMECODE& t, int fps)
{
    const int64_t frames = std::min<int64_t>(t.bFrames, fps - 1);
    return ((int64_t(t.bHours) * 60 + t.bMinutes) * 60 + t.bSeconds) * 1000 + frames * 1000 / fps;
}

HRESULT Status(dvdnav_status_t status)
{
    return status == DVDNAV_STATUS_OK ? S_OK : VFW_E_DVD_OPERATION_INHIBITED;
}

}  // namespace

NavigatorControl::NavigatorControl(Navigator& navigator)
    : navigator_(navigator)
{
}

HRESULT NavigatorControl::QueryInterface(const Guid& iid, Ref<IUnknown>& out)
{
    return answerQuery<IDvdControl2, IDvdInfo2>(iid, out);
}

HRESULT NavigatorControl::runCommand(std::function<HRESULT(dvdnav_s*)> body, bool jumps, Ref<IDvdCmd>* cmd)
{
    const auto command = navigator_.post(std::move(body), jumps);
    // The result is known once the command has started; a failed one has changed nothing. A
    // navigator that does not take the command up in time fails it (and it will not run later).
    const HRESULT waited = command->WaitForStart();
    const HRESULT hr = FAILED(waited) ? waited : command->result();
    if (cmd)
        *cmd = SUCCEEDED(hr) ? Ref<IDvdCmd>(command) : Ref<IDvdCmd>();
    return hr;
}

HRESULT NavigatorControl::allowed(uint32_t prohibitedBits) const
{
    const NavSnapshot s = navigator_.snapshot();
    // A disc that could not be read any further plays nothing until the next play: commands
    // would succeed on nothing.
    if (!s.open || s.readFailed)
        return VFW_E_DVD_INVALIDDOMAIN;
    return (s.prohibited & prohibitedBits) ? VFW_E_DVD_OPERATION_INHIBITED : S_OK;
}

HRESULT NavigatorControl::PlayTitle(uint32_t title, uint32_t, Ref<IDvdCmd>* cmd)
{
    if (title < 1 || int(title) > navigator_.titleCount())
        return E_INVALIDARG;
    if (HRESULT hr = allowed(UOP_FLAG_Play_Title); FAILED(hr))
        return hr;
    return runCommand([title](dvdnav_s* nav) { return Status(dvdnav_title_play(nav, int32_t(title))); }, true, cmd);
}

HRESULT NavigatorControl::PlayChapterInTitle(uint32_t title, uint32_t chapter, uint32_t, Ref<IDvdCmd>* cmd)
{
    if (title < 1 || int(title) > navigator_.titleCount() || chapter < 1
        || int(chapter) > navigator_.chapterCount(int(title)))
        return E_INVALIDARG;
    if (HRESULT hr = allowed(UOP_FLAG_Play_Chapter); FAILED(hr))
        return hr;
    return runCommand(
        [title, chapter](dvdnav_s* nav) { return Status(dvdnav_part_play(nav, int32_t(title), int32_t(chapter))); },
        true, cmd);
}

HRESULT NavigatorControl::PlayAtTime(const DVD_HMSF_TIMECODE& time, uint32_t, Ref<IDvdCmd>* cmd)
{
    const NavSnapshot s = navigator_.snapshot();
    const int64_t target = ToMilliseconds(time, s.framesPerSecond);
    if (s.domain != DVD_DOMAIN_Title)
        return VFW_E_DVD_INVALIDDOMAIN;
    // Minutes and seconds of 60 count as a whole hour or minute more.
    if (target < 0 || (s.titleLengthMs > 0 && target >= s.titleLengthMs))
        return E_INVALIDARG;
    if (HRESULT hr = allowed(UOP_FLAG_Play_Title_Or_AtTime); FAILED(hr))
        return hr;
    return runCommand([target](dvdnav_s* nav) { return Status(dvdnav_time_search(nav, uint64_t(target) * 90)); },
                      true, cmd);
}

HRESULT NavigatorControl::PlayChapter(uint32_t chapter, uint32_t flags, Ref<IDvdCmd>* cmd)
{
    const NavSnapshot s = navigator_.snapshot();
    if (s.domain != DVD_DOMAIN_Title)
        return VFW_E_DVD_INVALIDDOMAIN;
    return PlayChapterInTitle(uint32_t(s.title), chapter, flags, cmd);
}

HRESULT NavigatorControl::PlayPrevChapter(uint32_t, Ref<IDvdCmd>* cmd)
{
    const NavSnapshot s = navigator_.snapshot();
    if (s.domain != DVD_DOMAIN_Title)
        return VFW_E_DVD_INVALIDDOMAIN;
    if (HRESULT hr = allowed(UOP_FLAG_PlayPrev_Or_Replay_Chapter); FAILED(hr))
        return hr;
    return runCommand([](dvdnav_s* nav) { return Status(dvdnav_prev_pg_search(nav)); }, true, cmd);
}

HRESULT NavigatorControl::PlayNextChapter(uint32_t, Ref<IDvdCmd>* cmd)
{
    const NavSnapshot s = navigator_.snapshot();
    if (s.domain != DVD_DOMAIN_Title)
        return VFW_E_DVD_INVALIDDOMAIN;
    if (s.chapter >= s.chapters)
        return E_INVALIDARG;
    if (HRESULT hr = allowed(UOP_FLAG_PlayNext_Chapter); FAILED(hr))
        return hr;
    return runCommand([](dvdnav_s* nav) { return Status(dvdnav_next_pg_search(nav)); }, true, cmd);
}

HRESULT NavigatorControl::scan(double rate, uint32_t prohibitedBit, Ref<IDvdCmd>* cmd)
{
    const NavSnapshot s = navigator_.snapshot();
    if (s.domain != DVD_DOMAIN_Title)
        return VFW_E_DVD_INVALIDDOMAIN;
    if (rate != 1.0) {
        if (HRESULT hr = allowed(prohibitedBit); FAILED(hr))
            return hr;
    }
    Navigator* navigator = &navigator_;
    return runCommand(
        [navigator, rate](dvdnav_s*) {
            navigator->setScan(rate == 1.0 ? 0.0 : rate);
            return S_OK;
        },
        false, cmd);
}

HRESULT NavigatorControl::PlayForwards(double speed, uint32_t, Ref<IDvdCmd>* cmd)
{
    if (!(speed > 0.0) || speed > 64.0)
        return E_INVALIDARG;
    const HRESULT hr = scan(speed, UOP_FLAG_Play_Forwards, cmd);
    if (SUCCEEDED(hr) && onRateChange)
        onRateChange(speed);
    return hr;
}

HRESULT NavigatorControl::PlayBackwards(double speed, uint32_t, Ref<IDvdCmd>* cmd)
{
    if (!(speed > 0.0) || speed > 64.0)
        return E_INVALIDARG;
    const HRESULT hr = scan(-speed, UOP_FLAG_Play_Backwards, cmd);
    if (SUCCEEDED(hr) && onRateChange)
        onRateChange(-speed);
    return hr;
}

HRESULT NavigatorControl::ShowMenu(DVD_MENU_ID menu, uint32_t, Ref<IDvdCmd>* cmd)
{
    uint32_t bit = 0;
    switch (menu) {
    case DVD_MENU_Title: bit = UOP_FLAG_ShowMenu_Title; break;
    case DVD_MENU_Root: bit = UOP_FLAG_ShowMenu_Root; break;
    case DVD_MENU_Subpicture: bit = UOP_FLAG_ShowMenu_SubPic; break;
    case DVD_MENU_Audio: bit = UOP_FLAG_ShowMenu_Audio; break;
    case DVD_MENU_Angle: bit = UOP_FLAG_ShowMenu_Angle; break;
    case DVD_MENU_Chapter: bit = UOP_FLAG_ShowMenu_Chapter; break;
    default: return E_INVALIDARG;
    }
    if (HRESULT hr = allowed(bit); FAILED(hr))
        return hr;
    Navigator* navigator = &navigator_;
    return runCommand(
        [menu, navigator](dvdnav_s* nav) {
            navigator->setScan(0.0);
            return Status(dvdnav_menu_call(nav, DVDMenuID_t(menu)));
        },
        true, cmd);
}

HRESULT NavigatorControl::Resume(uint32_t, Ref<IDvdCmd>* cmd)
{
    if (HRESULT hr = allowed(UOP_FLAG_Resume); FAILED(hr))
        return hr;
    return runCommand([](dvdnav_s* nav) { return Status(dvdnav_menu_call(nav, DVD_MENU_Escape)); }, true, cmd);
}

HRESULT NavigatorControl::ReturnFromSubmenu(uint32_t, Ref<IDvdCmd>* cmd)
{
    if (HRESULT hr = allowed(UOP_FLAG_ReturnFromSubMenu); FAILED(hr))
        return hr;
    return runCommand([](dvdnav_s* nav) { return Status(dvdnav_go_up(nav)); }, true, cmd);
}

HRESULT NavigatorControl::SelectAudioStream(uint32_t stream, uint32_t, Ref<IDvdCmd>* cmd)
{
    const NavSnapshot s = navigator_.snapshot();
    if (int(stream) >= s.audioCount)
        return E_INVALIDARG;
    if (HRESULT hr = allowed(UOP_FLAG_Select_Audio_Stream); FAILED(hr))
        return hr;
    return runCommand([stream](dvdnav_s* nav) { return Navigator::setStreams(nav, int(stream), -1, -1); }, false, cmd);
}

HRESULT NavigatorControl::SelectSubpictureStream(uint32_t stream, uint32_t, Ref<IDvdCmd>* cmd)
{
    const NavSnapshot s = navigator_.snapshot();
    if (int(stream) >= s.subpictureCount)
        return E_INVALIDARG;
    if (HRESULT hr = allowed(UOP_FLAG_Select_SubPic_Stream); FAILED(hr))
        return hr;
    return runCommand([stream](dvdnav_s* nav) { return Navigator::setStreams(nav, -1, int(stream), -1); }, false, cmd);
}

HRESULT NavigatorControl::SetSubpictureState(bool on, uint32_t, Ref<IDvdCmd>* cmd)
{
    const NavSnapshot s = navigator_.snapshot();
    if (s.subpictureCount == 0)
        return VFW_E_DVD_INVALIDDOMAIN;
    if (HRESULT hr = allowed(UOP_FLAG_Select_SubPic_Stream); FAILED(hr))
        return hr;
    return runCommand([on](dvdnav_s* nav) { return Navigator::setStreams(nav, -1, -1, on ? 1 : 0); }, false, cmd);
}

HRESULT NavigatorControl::SelectAngle(uint32_t angle, uint32_t, Ref<IDvdCmd>* cmd)
{
    const NavSnapshot s = navigator_.snapshot();
    if (angle < 1 || int(angle) > s.angleCount)
        return E_INVALIDARG;
    if (HRESULT hr = allowed(UOP_FLAG_Select_Angle); FAILED(hr))
        return hr;
    return runCommand([angle](dvdnav_s* nav) { return Status(dvdnav_angle_change(nav, int32_t(angle))); }, false, cmd);
}

HRESULT NavigatorControl::SelectButton(uint32_t button)
{
    const NavSnapshot s = navigator_.snapshot();
    if (button < 1 || int(button) > s.buttonCount)
        return VFW_E_DVD_NO_BUTTON;
    if (HRESULT hr = allowed(UOP_FLAG_Select_Or_Activate_Button); FAILED(hr))
        return hr;
    return runCommand(
        [button](dvdnav_s* nav) {
            pci_t* pci = dvdnav_get_current_nav_pci(nav);
            return pci ? Status(dvdnav_button_select(nav, pci, int32_t(button))) : VFW_E_DVD_NO_BUTTON;
        },
        false, nullptr);
}

HRESULT NavigatorControl::ActivateButton()
{
    const NavSnapshot s = navigator_.snapshot();
    if (s.buttonCount == 0)
        return VFW_E_DVD_NO_BUTTON;
    if (HRESULT hr = allowed(UOP_FLAG_Select_Or_Activate_Button); FAILED(hr))
        return hr;
    Navigator* navigator = &navigator_;
    return runCommand(
        [navigator](dvdnav_s* nav) {
            pci_t* pci = dvdnav_get_current_nav_pci(nav);
            if (!pci)
                return VFW_E_DVD_NO_BUTTON;
            navigator->showActivated();
            return Status(dvdnav_button_activate(nav, pci));
        },
        true, nullptr);
}

HRESULT NavigatorControl::atPosition(int32_t x, int32_t y, bool activate)
{
    int32_t px = x, py = y;
    if (toPicture_ && !toPicture_(x, y, px, py))
        return VFW_E_DVD_NO_BUTTON;
    const NavSnapshot s = navigator_.snapshot();
    if (s.buttonCount == 0)
        return VFW_E_DVD_NO_BUTTON;
    if (HRESULT hr = allowed(UOP_FLAG_Select_Or_Activate_Button); FAILED(hr))
        return hr;
    if (!activate) {
        // The mouse moves on while the navigator works: nobody waits, the latest point wins. The
        // buttons last published tell at once whether the point is on one.
        bool onButton = false;
        for (const auto& a : s.buttonAreas)
            onButton = onButton || (px >= a[0] && px <= a[2] && py >= a[1] && py <= a[3]);
        if (!onButton)
            return VFW_E_DVD_NO_BUTTON;
        navigator_.postSelectAt(px, py);
        return S_OK;
    }
    Navigator* navigator = &navigator_;
    return runCommand(
        [px, py, navigator](dvdnav_s* nav) {
            pci_t* pci = dvdnav_get_current_nav_pci(nav);
            if (!pci || dvdnav_mouse_select(nav, pci, px, py) != DVDNAV_STATUS_OK)
                return VFW_E_DVD_NO_BUTTON;
            navigator->showActivated();
            return dvdnav_button_activate(nav, pci) == DVDNAV_STATUS_OK ? S_OK : VFW_E_DVD_NO_BUTTON;
        },
        true, nullptr);
}

HRESULT NavigatorControl::SelectAtPosition(int32_t x, int32_t y)
{
    return atPosition(x, y, false);
}

HRESULT NavigatorControl::ActivateAtPosition(int32_t x, int32_t y)
{
    return atPosition(x, y, true);
}

HRESULT NavigatorControl::SetOption(DVD_OPTION_FLAG option, bool on)
{
    switch (option) {
    case DVD_HMSF_TimeCodeEvents:
        navigator_.setTimeEvents(on);
        return S_OK;
    case DVD_NotifyParentalLevelChange:
        parentalEvents_ = on;
        return S_OK;
    case DVD_ResetOnStop:
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT NavigatorControl::SetState(const Ref<IDvdState>& state, uint32_t, Ref<IDvdCmd>* cmd)
{
    auto* saved = dynamic_cast<DvdState*>(state.get());
    if (!saved)
        return E_INVALIDARG;
    const NavigatorState target = saved->state();
    if (target.discId != navigator_.discId())
        return VFW_E_DVD_STATE_WRONG_DISC;
    const bool inTitle = target.domain == DVD_DOMAIN_Title;
    const bool inMenu = target.domain == DVD_DOMAIN_VideoManagerMenu || target.domain == DVD_DOMAIN_VideoTitleSetMenu;
    if (!inTitle && !inMenu)
        return VFW_E_DVD_STATE_CORRUPT;
    if (inTitle
        && (target.title > navigator_.titleCount() || target.chapter < 1
            || target.chapter > navigator_.chapterCount(target.title)))
        return VFW_E_DVD_STATE_CORRUPT;
    return runCommand(
        [target, inTitle](dvdnav_s* nav) {
            if (!inTitle)
                return Status(dvdnav_menu_call(nav, DVDMenuID_t(target.menu)));
            if (dvdnav_part_play(nav, target.title, target.chapter) != DVDNAV_STATUS_OK)
                return VFW_E_DVD_OPERATION_INHIBITED;
            // The angle can be chosen only inside the title; the chapter is then entered again so
            // that it begins in the saved angle (angle 1 included) rather than in the one left.
            int32_t angle = 1, angles = 1;
            dvdnav_get_angle_info(nav, &angle, &angles);
            if (angles > 1 && angle != target.angle && dvdnav_angle_change(nav, target.angle) == DVDNAV_STATUS_OK)
                dvdnav_part_play(nav, target.title, target.chapter);
            if (target.timeMs > 0)
                dvdnav_time_search(nav, uint64_t(target.timeMs) * 90);
            Navigator::setStreams(nav, target.audioStream, target.subpictureStream, target.subpictureShown ? 1 : 0);
            return S_OK;
        },
        true, cmd);
}

HRESULT NavigatorControl::Stop()
{
    return runCommand([](dvdnav_s* nav) { return Status(dvdnav_stop(nav)); }, true, nullptr);
}

HRESULT NavigatorControl::GetCurrentDomain(DVD_DOMAIN& domain)
{
    domain = navigator_.snapshot().domain;
    return S_OK;
}

HRESULT NavigatorControl::GetCurrentLocation(uint32_t& title, uint32_t& chapter, DVD_HMSF_TIMECODE& time)
{
    const NavSnapshot s = navigator_.snapshot();
    title = uint32_t(s.title);
    chapter = uint32_t(s.chapter);
    time = FromMilliseconds(s.timeMs, s.framesPerSecond);
    return S_OK;
}

HRESULT NavigatorControl::GetTotalTitleTime(DVD_HMSF_TIMECODE& total, uint32_t& timeCodeFlags)
{
    const NavSnapshot s = navigator_.snapshot();
    timeCodeFlags = s.framesPerSecond == 30 ? DVD_TC_FLAG_30fps : DVD_TC_FLAG_25fps;
    if (s.domain != DVD_DOMAIN_Title) {
        total = {};
        return VFW_E_DVD_INVALIDDOMAIN;
    }
    total = FromMilliseconds(s.titleLengthMs, s.framesPerSecond);
    return S_OK;
}

HRESULT NavigatorControl::GetNumberOfTitles(uint32_t& titles)
{
    titles = uint32_t(navigator_.titleCount());
    return S_OK;
}

HRESULT NavigatorControl::GetNumberOfChapters(uint32_t title, uint32_t& chapters)
{
    chapters = uint32_t(navigator_.chapterCount(int(title)));
    return chapters ? S_OK : E_INVALIDARG;
}

HRESULT NavigatorControl::GetCurrentAngle(uint32_t& available, uint32_t& current)
{
    const NavSnapshot s = navigator_.snapshot();
    available = uint32_t(s.angleCount);
    current = uint32_t(s.angleCurrent);
    return S_OK;
}

HRESULT NavigatorControl::GetCurrentAudio(uint32_t& available, uint32_t& current)
{
    const NavSnapshot s = navigator_.snapshot();
    available = uint32_t(s.audioCount);
    current = s.audioCurrent >= 0 ? uint32_t(s.audioCurrent) : 0;
    return S_OK;
}

HRESULT NavigatorControl::GetCurrentSubpicture(uint32_t& available, uint32_t& current, bool& disabled)
{
    const NavSnapshot s = navigator_.snapshot();
    available = uint32_t(s.subpictureCount);
    current = s.subpictureCurrent >= 0 ? uint32_t(s.subpictureCurrent) : 0;
    disabled = !s.subpictureShown;
    return S_OK;
}

HRESULT NavigatorControl::GetAudioLanguage(uint32_t stream, uint32_t& lcid)
{
    const NavSnapshot s = navigator_.snapshot();
    lcid = 0;
    if (int(stream) >= s.audioCount)
        return E_INVALIDARG;
    lcid = platform::LcidFromIso639(s.audioLanguage[stream]);
    return S_OK;
}

HRESULT NavigatorControl::GetSubpictureLanguage(uint32_t stream, uint32_t& lcid)
{
    const NavSnapshot s = navigator_.snapshot();
    lcid = 0;
    if (int(stream) >= s.subpictureCount)
        return E_INVALIDARG;
    lcid = platform::LcidFromIso639(s.subpictureLanguage[stream]);
    return S_OK;
}

HRESULT NavigatorControl::GetCurrentButton(uint32_t& available, uint32_t& current)
{
    const NavSnapshot s = navigator_.snapshot();
    available = uint32_t(s.buttonCount);
    current = uint32_t(s.buttonCurrent);
    return S_OK;
}

HRESULT NavigatorControl::GetCurrentUOPS(uint32_t& prohibited)
{
    prohibited = navigator_.snapshot().prohibited;
    return S_OK;
}

HRESULT NavigatorControl::GetState(Ref<IDvdState>& state)
{
    const NavSnapshot s = navigator_.snapshot();
    if (!s.open || s.domain == DVD_DOMAIN_Stop || s.domain == DVD_DOMAIN_FirstPlay) {
        state.reset();
        return VFW_E_DVD_INVALIDDOMAIN;
    }
    state = std::make_shared<DvdState>(navigator_.currentState());
    return S_OK;
}

}  // namespace dvd
