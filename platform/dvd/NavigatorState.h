#pragma once
// What brings DVD playback back to the same place of the same disc, as a plain record, and its
// saved form. The record knows nothing of the navigator: it is written and checked on its own.
#include "platform/dvd/DvdInterfaces.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace dvd {

struct NavigatorState {
    std::array<uint8_t, 16> discId{};  // the disc's identity (a digest of its information files)
    DVD_DOMAIN domain = DVD_DOMAIN_Stop;
    int32_t menu = 0;           // in a menu domain: the menu that was shown (DVD_MENU_ID)
    int32_t title = 0;          // from 1; 0 in a menu
    int32_t chapter = 0;        // from 1
    int64_t timeMs = 0;         // position in the title, milliseconds
    int32_t audioStream = 0;    // from 0; -1 none
    int32_t subpictureStream = 0;
    bool subpictureShown = false;
    int32_t angle = 1;          // from 1

    friend bool operator==(const NavigatorState&, const NavigatorState&) = default;
};

// The saved form: a fixed tag and version, the fields in little-endian order, and a checksum.
QByteArray SerializeState(const NavigatorState& state);
// Empty when the bytes are not a whole, consistent saved state.
std::optional<NavigatorState> ParseState(const QByteArray& bytes);

// A saved state as an object: the navigator's GetState gives one, SetState takes one, and it
// saves itself into a stream and loads itself back (class CLSID_VistrelDvdState).
class DvdState final : public IDvdState, public IPersistStream {
public:
    DvdState() = default;
    explicit DvdState(const NavigatorState& state) : state_(state) {}

    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override;
    HRESULT GetDiscID(uint64_t& discId) override;
    HRESULT GetParentalLevel(uint32_t& level) override;
    HRESULT GetClassID(Guid& clsid) override;
    HRESULT Load(IStream& stream) override;
    HRESULT Save(IStream& stream, bool clearDirty) override;
    HRESULT GetSizeMax(uint64_t& size) override;

    const NavigatorState& state() const { return state_; }

    // Makes the class creatable, so that a saved state can be loaded back by its class id.
    static void registerClass();

private:
    NavigatorState state_;
};

}  // namespace dvd
