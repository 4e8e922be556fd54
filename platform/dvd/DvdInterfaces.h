#pragma once
// The DVD navigator's interfaces: the graph builder that finds and renders a disc, the control
// and information interfaces of the navigator, command objects, and the navigator's saved state.
#include "platform/com/Stream.h"
#include "platform/dvd/DvdTypes.h"
#include "platform/media/ControlInterfaces.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace dvd {

using com::Guid;
using com::IPersistStream;
using com::IStream;
using com::IUnknown;
using com::Ref;

// A navigation command under way. Its end is also announced by EC_DVD_CMD_END.
class IDvdCmd : public virtual IUnknown {
public:
    static constexpr Guid IID{"{5A4A97E4-94EE-4A55-9751-74B5643AA27D}"};
    // Waits until the navigator has carried the command out, or failed it, and returns the
    // command's result. The wait is bounded: a command that has not ended within a few seconds
    // gives VFW_E_TIMEOUT (one that has not even started is then cancelled). Safe on the UI
    // thread: the navigator never waits for that thread.
    virtual HRESULT WaitForEnd() = 0;
    // Waits (bounded likewise) until the navigator has started the command.
    virtual HRESULT WaitForStart() = 0;
};

// A saved navigator state: where playback was, on which disc.
class IDvdState : public virtual IUnknown {
public:
    static constexpr Guid IID{"{86303D6D-1C4A-4087-AB42-F711167048EF}"};
    virtual HRESULT GetDiscID(uint64_t& discId) = 0;
    virtual HRESULT GetParentalLevel(uint32_t& level) = 0;
};

class IDvdControl2 : public virtual IUnknown {
public:
    static constexpr Guid IID{"{33BC7430-EEC0-11D2-8201-00A0C9D74842}"};
    // Every command returns at once; `cmd`, when asked for, follows it to its end. A command the
    // disc forbids, or one out of range, fails (VFW_E_DVD_OPERATION_INHIBITED, E_INVALIDARG) and
    // changes nothing.
    virtual HRESULT PlayTitle(uint32_t title, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT PlayChapterInTitle(uint32_t title, uint32_t chapter, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT PlayAtTime(const DVD_HMSF_TIMECODE& time, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT PlayChapter(uint32_t chapter, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT PlayPrevChapter(uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT PlayNextChapter(uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    // Scans at `speed` (1.0 forwards is normal play with sound; higher speeds show key frames).
    virtual HRESULT PlayForwards(double speed, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT PlayBackwards(double speed, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT ShowMenu(DVD_MENU_ID menu, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT Resume(uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT ReturnFromSubmenu(uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT SelectAudioStream(uint32_t stream, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT SelectSubpictureStream(uint32_t stream, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT SetSubpictureState(bool on, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT SelectAngle(uint32_t angle, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT SelectButton(uint32_t button) = 0;
    virtual HRESULT ActivateButton() = 0;
    // A point in pixels of the video control that shows the picture; the navigator maps it to the
    // picture (scaling and black bars taken into account) before looking for a button there.
    virtual HRESULT SelectAtPosition(int32_t x, int32_t y) = 0;
    virtual HRESULT ActivateAtPosition(int32_t x, int32_t y) = 0;
    virtual HRESULT SetOption(DVD_OPTION_FLAG option, bool on) = 0;
    virtual HRESULT SetState(const Ref<IDvdState>& state, uint32_t flags, Ref<IDvdCmd>* cmd) = 0;
    virtual HRESULT Stop() = 0;
};

class IDvdInfo2 : public virtual IUnknown {
public:
    static constexpr Guid IID{"{34151510-EEC0-11D2-8201-00A0C9D74842}"};
    virtual HRESULT GetCurrentDomain(DVD_DOMAIN& domain) = 0;
    // Title, chapter and time in the title where playback stands.
    virtual HRESULT GetCurrentLocation(uint32_t& title, uint32_t& chapter, DVD_HMSF_TIMECODE& time) = 0;
    virtual HRESULT GetTotalTitleTime(DVD_HMSF_TIMECODE& total, uint32_t& timeCodeFlags) = 0;
    virtual HRESULT GetNumberOfTitles(uint32_t& titles) = 0;
    virtual HRESULT GetNumberOfChapters(uint32_t title, uint32_t& chapters) = 0;
    virtual HRESULT GetCurrentAngle(uint32_t& available, uint32_t& current) = 0;
    virtual HRESULT GetCurrentAudio(uint32_t& available, uint32_t& current) = 0;
    virtual HRESULT GetCurrentSubpicture(uint32_t& available, uint32_t& current, bool& disabled) = 0;
    // Locale identifiers as the desktop's locale data numbers them (0x040C French, 0x0409
    // English); 0 when the disc gives no language for the stream.
    virtual HRESULT GetAudioLanguage(uint32_t stream, uint32_t& lcid) = 0;
    virtual HRESULT GetSubpictureLanguage(uint32_t stream, uint32_t& lcid) = 0;
    virtual HRESULT GetCurrentButton(uint32_t& available, uint32_t& current) = 0;
    virtual HRESULT GetCurrentUOPS(uint32_t& prohibited) = 0;
    virtual HRESULT GetState(Ref<IDvdState>& state) = 0;
};

// The closed-caption decoder: nothing stands behind it on this platform.
class IAMLine21Decoder : public virtual IUnknown {
public:
    static constexpr Guid IID{"{6E8D4A21-310C-11D0-B79A-00AA003767A7}"};
};

class IDvdGraphBuilder : public virtual IUnknown {
public:
    static constexpr Guid IID{"{FCC152B6-F372-11D0-8E00-00C04FD7C08B}"};
    virtual HRESULT GetFiltergraph(Ref<media::IGraphBuilder>& graph) = 0;
    // The navigator's interfaces (IDvdControl2, IDvdInfo2) and those of the renderers
    // (IVideoWindow, IBasicAudio, ...); E_NOINTERFACE for anything else, before a render too.
    virtual HRESULT GetDvdInterface(const Guid& iid, Ref<IUnknown>& out) = 0;
    // Finds a DVD-Video volume (`volume` empty: the default drive, then every optical drive,
    // then mounted volumes) and builds the graph that plays it. S_OK: everything plays; S_FALSE:
    // something does not (see `status`; with no volume at all nothing plays);
    // VFW_E_DVD_DECNOTENOUGH: no decoder for the disc's video; VFW_E_DVD_RENDERFAIL: no graph.
    virtual HRESULT RenderDvdVideoVolume(const QString& volume, uint32_t flags, AM_DVD_RENDERSTATUS& status) = 0;
};

constexpr Guid CLSID_DvdGraphBuilder{"{FCC152B7-F372-11D0-8E00-00C04FD7C08B}"};
// The class of our navigator's saved state.
constexpr Guid CLSID_VistrelDvdState{"{B5E1A3C2-7D4F-4E8A-9C31-5A0F2D6E8B47}"};

constexpr HRESULT VFW_E_DVD_OPERATION_INHIBITED = HRESULT(0x80040276);
constexpr HRESULT VFW_E_DVD_INVALIDDOMAIN = HRESULT(0x80040277);
constexpr HRESULT VFW_E_DVD_NO_BUTTON = HRESULT(0x80040278);
constexpr HRESULT VFW_E_DVD_STATE_WRONG_DISC = HRESULT(0x80040286);
constexpr HRESULT VFW_E_DVD_STATE_CORRUPT = HRESULT(0x80040285);
constexpr HRESULT VFW_E_DVD_CMD_CANCELLED = HRESULT(0x80040284);
constexpr HRESULT VFW_E_TIMEOUT = HRESULT(0x8004022E);

}  // namespace dvd
