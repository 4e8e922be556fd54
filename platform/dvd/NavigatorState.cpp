#include "platform/dvd/NavigatorState.h"

#include "platform/com/ObjectServices.h"

#include <QDataStream>
#include <QIODevice>

extern "C" {
#include <libavutil/crc.h>
}

namespace dvd {
namespace {

constexpr char kTag[4] = {'V', 'D', 'N', 'S'};
constexpr quint16 kVersion = 1;
constexpr int kPayloadSize = 4 + 2 + 16 + 4 * 5 + 8 + 4 + 1 + 4;  // tag .. angle
constexpr int kSavedSize = kPayloadSize + 4;                      // and the checksum

quint32 Checksum(const char* data, int size)
{
    return av_crc(av_crc_get_table(AV_CRC_32_IEEE_LE), 0, reinterpret_cast<const uint8_t*>(data), size_t(size));
}

}  // namespace

QByteArray SerializeState(const NavigatorState& state)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData(kTag, 4);
    out << kVersion;
    out.writeRawData(reinterpret_cast<const char*>(state.discId.data()), 16);
    out << qint32(state.domain) << qint32(state.menu) << qint32(state.title) << qint32(state.chapter)
        << qint32(state.audioStream) << qint64(state.timeMs) << qint32(state.subpictureStream)
        << quint8(state.subpictureShown ? 1 : 0) << qint32(state.angle);
    out << Checksum(bytes.constData(), bytes.size());
    return bytes;
}

std::optional<NavigatorState> ParseState(const QByteArray& bytes)
{
    if (bytes.size() != kSavedSize || !bytes.startsWith(QByteArray(kTag, 4)))
        return std::nullopt;
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    in.skipRawData(4);
    quint16 version = 0;
    in >> version;
    if (version != kVersion)
        return std::nullopt;
    NavigatorState state;
    in.readRawData(reinterpret_cast<char*>(state.discId.data()), 16);
    qint32 domain = 0, menu = 0, title = 0, chapter = 0, audio = 0, subpicture = 0, angle = 0;
    qint64 timeMs = 0;
    quint8 shown = 0;
    quint32 checksum = 0;
    in >> domain >> menu >> title >> chapter >> audio >> timeMs >> subpicture >> shown >> angle >> checksum;
    if (in.status() != QDataStream::Ok || checksum != Checksum(bytes.constData(), kPayloadSize))
        return std::nullopt;
    // Values no navigator could have written are a damaged state, not a place to go.
    const bool inMenu = domain == DVD_DOMAIN_VideoManagerMenu || domain == DVD_DOMAIN_VideoTitleSetMenu;
    if (domain < DVD_DOMAIN_FirstPlay || domain > DVD_DOMAIN_Stop || title < 0 || title > kMaxTitles
        || chapter < 0 || chapter > 999 || timeMs < 0 || audio < -1 || audio > 7 || subpicture < -1
        || subpicture > 31 || shown > 1 || angle < 1 || angle > 9 || (domain == DVD_DOMAIN_Title && title < 1)
        || (inMenu && (menu < DVD_MENU_Title || menu > DVD_MENU_Chapter)))
        return std::nullopt;
    state.domain = DVD_DOMAIN(domain);
    state.menu = menu;
    state.title = title;
    state.chapter = chapter;
    state.timeMs = timeMs;
    state.audioStream = audio;
    state.subpictureStream = subpicture;
    state.subpictureShown = shown == 1;
    state.angle = angle;
    return state;
}

HRESULT DvdState::QueryInterface(const Guid& iid, Ref<IUnknown>& out)
{
    return answerQuery<IDvdState, IPersistStream>(iid, out);
}

HRESULT DvdState::GetDiscID(uint64_t& discId)
{
    discId = 0;
    for (int i = 0; i < 8; ++i)
        discId = discId << 8 | state_.discId[size_t(i)];
    return S_OK;
}

HRESULT DvdState::GetParentalLevel(uint32_t& level)
{
    level = 0xFFFFFFFF;  // no parental level is set on this platform
    return S_OK;
}

HRESULT DvdState::GetClassID(Guid& clsid)
{
    clsid = CLSID_VistrelDvdState;
    return S_OK;
}

HRESULT DvdState::Load(IStream& stream)
{
    QByteArray bytes(kSavedSize, Qt::Uninitialized);
    uint32_t read = 0;
    if (FAILED(stream.Read(bytes.data(), uint32_t(bytes.size()), &read)) || read != uint32_t(bytes.size()))
        return VFW_E_DVD_STATE_CORRUPT;
    const auto parsed = ParseState(bytes);
    if (!parsed)
        return VFW_E_DVD_STATE_CORRUPT;
    state_ = *parsed;
    return S_OK;
}

HRESULT DvdState::Save(IStream& stream, bool)
{
    const QByteArray bytes = SerializeState(state_);
    uint32_t written = 0;
    const HRESULT hr = stream.Write(bytes.constData(), uint32_t(bytes.size()), &written);
    return FAILED(hr) ? hr : (written == uint32_t(bytes.size()) ? S_OK : E_FAIL);
}

HRESULT DvdState::GetSizeMax(uint64_t& size)
{
    size = kSavedSize;
    return S_OK;
}

void DvdState::registerClass()
{
    com::registerClass(CLSID_VistrelDvdState, "Vistrel.DvdState",
                       [] { return std::static_pointer_cast<IUnknown>(std::make_shared<DvdState>()); });
}

}  // namespace dvd
