#include "platform/com/StructuredStorage.h"

#include "platform/com/GsfLibrary.h"
#include "platform/com/ObjectServices.h"
#include "platform/system/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <memory>

namespace com {
namespace {

// A bookmark is a few hundred bytes; anything far larger is no bookmark of ours.
constexpr qint64 kMaxCompoundFile = 16 << 20;

const GsfLibrary& gsf()
{
    return GsfLibrary::shared();
}

struct GObjectUnref {
    void operator()(void* object) const
    {
        if (object)
            gsf().g_object_unref(object);
    }
};
template <class T>
using GRef = std::unique_ptr<T, GObjectUnref>;

// The stream and storage objects are GObjects derived from GsfOutput: its pointer is theirs.
template <class T>
GsfOutput* AsOutput(T* object)
{
    return reinterpret_cast<GsfOutput*>(object);
}

// The class identifier as the platform lays it out in memory: the first three fields
// little-endian, the last eight bytes as they are.
std::array<uint8_t, 16> ClassIdBytes(const Guid& clsid)
{
    const auto& b = clsid.bytes;
    return {b[3], b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]};
}

Guid ClassIdFromBytes(const uint8_t* p)
{
    Guid clsid;
    const uint8_t order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    for (int i = 0; i < 16; ++i)
        clsid.bytes[size_t(order[i])] = p[i];
    return clsid;
}

}  // namespace

HRESULT MemoryStream::QueryInterface(const Guid& iid, Ref<IUnknown>& out)
{
    return answerQuery<IStream>(iid, out);
}

HRESULT MemoryStream::Read(void* data, uint32_t size, uint32_t* read)
{
    const qsizetype n = std::min<qsizetype>(size, bytes_.size() - position_);
    if (n > 0)
        std::memcpy(data, bytes_.constData() + position_, size_t(n));
    position_ += std::max<qsizetype>(n, 0);
    if (read)
        *read = uint32_t(std::max<qsizetype>(n, 0));
    return n == qsizetype(size) ? S_OK : S_FALSE;
}

HRESULT MemoryStream::Write(const void* data, uint32_t size, uint32_t* written)
{
    bytes_.append(static_cast<const char*>(data), qsizetype(size));
    if (written)
        *written = size;
    return S_OK;
}

HRESULT WriteCompoundFile(const QString& path, const char* streamName, const QByteArray& bytes)
{
    if (!gsf().usable())
        return STG_E_WRITEFAULT;
    GRef<GsfOutput> sink(gsf().gsf_output_memory_new());
    bool complete = false;
    {
        GRef<GsfOutfile> storage(gsf().gsf_outfile_msole_new(sink.get()));
        if (!storage)
            return STG_E_WRITEFAULT;
        GRef<GsfOutput> stream(gsf().gsf_outfile_new_child(storage.get(), streamName, FALSE));
        if (stream) {
            complete = gsf().gsf_output_write(stream.get(), size_t(bytes.size()),
                                        reinterpret_cast<const guint8*>(bytes.constData()))
                       && gsf().gsf_output_close(stream.get());
        }
        complete = gsf().gsf_output_close(AsOutput(storage.get())) && complete;
    }
    complete = (gsf().gsf_output_is_closed(sink.get()) || gsf().gsf_output_close(sink.get())) && complete;
    if (!complete)
        return STG_E_WRITEFAULT;
    const guint8* written = gsf().gsf_output_memory_get_bytes(reinterpret_cast<GsfOutputMemory*>(sink.get()));
    const QByteArray file(reinterpret_cast<const char*>(written), qsizetype(gsf().gsf_output_size(sink.get())));
    // The earlier file stays whole until the new one is complete on the disk.
    return platform::WriteFileAtomically(path, file) ? S_OK : STG_E_WRITEFAULT;
}

HRESULT ReadCompoundFile(const QString& path, const char* streamName, QByteArray& bytes)
{
    bytes.clear();
    QFile file(path);
    if (!file.exists())
        return STG_E_FILENOTFOUND;
    if (!file.open(QIODevice::ReadOnly))
        return STG_E_ACCESSDENIED;
    if (file.size() > kMaxCompoundFile)
        return STG_E_INVALIDHEADER;
    return ReadCompoundBytes(file.readAll(), streamName, bytes);
}

HRESULT ReadCompoundBytes(const QByteArray& file, const char* streamName, QByteArray& bytes)
{
    bytes.clear();
    if (!gsf().usable())
        return STG_E_READFAULT;
    GRef<GsfInput> source(gsf().gsf_input_memory_new(reinterpret_cast<const guint8*>(file.constData()),
                                                     gsf_off_t(file.size()), FALSE));
    if (!source)
        return STG_E_INVALIDHEADER;
    GError* error = nullptr;
    GRef<GsfInfile> storage(gsf().gsf_infile_msole_new(source.get(), &error));
    if (error)
        gsf().g_error_free(error);
    if (!storage)
        return STG_E_INVALIDHEADER;
    GRef<GsfInput> stream(gsf().gsf_infile_child_by_name(storage.get(), streamName));
    if (!stream)
        return STG_E_INVALIDHEADER;
    const gsf_off_t size = gsf().gsf_input_size(stream.get());
    if (size < 0 || size > (1 << 20))
        return STG_E_INVALIDHEADER;
    bytes.resize(qsizetype(size));
    if (size > 0 && !gsf().gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8*>(bytes.data()))) {
        bytes.clear();
        return STG_E_READFAULT;
    }
    return S_OK;
}

HRESULT OleSaveToStream(IPersistStream& object, IStream& stream)
{
    Guid clsid;
    HRESULT hr = object.GetClassID(clsid);
    if (FAILED(hr))
        return hr;
    const auto id = ClassIdBytes(clsid);
    uint32_t written = 0;
    hr = stream.Write(id.data(), 16, &written);
    if (FAILED(hr) || written != 16)
        return FAILED(hr) ? hr : STG_E_WRITEFAULT;
    return object.Save(stream, true);
}

HRESULT OleLoadFromStream(IStream& stream, const Guid& iid, Ref<IUnknown>& out)
{
    out.reset();
    uint8_t id[16];
    uint32_t read = 0;
    if (FAILED(stream.Read(id, 16, &read)) || read != 16)
        return STG_E_READFAULT;
    Ref<IUnknown> object;
    HRESULT hr = createInstance(ClassIdFromBytes(id), object);
    if (FAILED(hr))
        return hr;
    auto persist = query<IPersistStream>(object);
    if (!persist)
        return E_NOINTERFACE;
    hr = persist->Load(stream);
    if (FAILED(hr))
        return hr;
    return object->QueryInterface(iid, out);
}

}  // namespace com
