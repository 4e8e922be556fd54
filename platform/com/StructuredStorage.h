#pragma once
// Compound (structured-storage) files holding named streams, and saving an object into a stream
// as its class identifier followed by its own bytes, so that it can be loaded back by class.
#include "platform/com/Stream.h"

#include <QByteArray>
#include <QString>

namespace com {

// An in-memory stream.
class MemoryStream final : public IStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(QByteArray bytes) : bytes_(std::move(bytes)) {}
    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override;
    HRESULT Read(void* data, uint32_t size, uint32_t* read) override;
    HRESULT Write(const void* data, uint32_t size, uint32_t* written) override;
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    qsizetype position_ = 0;
};

// Writes a compound file at `path` holding one stream `streamName` with `bytes`, replacing any
// earlier file atomically (platform/system/AtomicFile.h), so an interrupted save leaves the earlier
// file whole.
HRESULT WriteCompoundFile(const QString& path, const char* streamName, const QByteArray& bytes);
// Reads stream `streamName` of the compound file at `path`. STG_E_FILENOTFOUND when there is no
// file; STG_E_INVALIDHEADER when it is no compound file or has no such stream.
HRESULT ReadCompoundFile(const QString& path, const char* streamName, QByteArray& bytes);
// The same, from the bytes of a whole compound file.
HRESULT ReadCompoundBytes(const QByteArray& file, const char* streamName, QByteArray& bytes);

// The object's class identifier (16 bytes, in the platform's binary layout) then its own bytes.
HRESULT OleSaveToStream(IPersistStream& object, IStream& stream);
// Creates an object of the class named at the start of the stream, loads it from the rest and
// gives its `iid` view.
HRESULT OleLoadFromStream(IStream& stream, const Guid& iid, Ref<IUnknown>& out);

constexpr HRESULT STG_E_FILENOTFOUND = HRESULT(0x80030002);
constexpr HRESULT STG_E_ACCESSDENIED = HRESULT(0x80030005);
constexpr HRESULT STG_E_WRITEFAULT = HRESULT(0x8003001D);
constexpr HRESULT STG_E_READFAULT = HRESULT(0x8003001E);
constexpr HRESULT STG_E_INVALIDHEADER = HRESULT(0x800300FB);

}  // namespace com
