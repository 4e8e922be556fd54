#pragma once
// Streams of bytes, and objects that save themselves into one and load themselves back.
#include "platform/com/Guid.h"
#include "platform/com/Result.h"
#include "platform/com/Unknown.h"

#include <cstdint>

namespace com {

// Bytes in and out of an object's saved form.
class IStream : public virtual IUnknown {
public:
    static constexpr Guid IID{"{0000000C-0000-0000-C000-000000000046}"};
    // Reads up to `size` bytes; S_FALSE when fewer were there.
    virtual HRESULT Read(void* data, uint32_t size, uint32_t* read) = 0;
    virtual HRESULT Write(const void* data, uint32_t size, uint32_t* written) = 0;
};

// An object that saves itself into a stream and loads itself back.
class IPersistStream : public virtual IUnknown {
public:
    static constexpr Guid IID{"{00000109-0000-0000-C000-000000000046}"};
    virtual HRESULT GetClassID(Guid& clsid) = 0;
    virtual HRESULT Load(IStream& stream) = 0;
    virtual HRESULT Save(IStream& stream, bool clearDirty) = 0;
    virtual HRESULT GetSizeMax(uint64_t& size) = 0;
};

}  // namespace com
