#pragma once
// Creating objects by class identifier and finding the object of a class registered as active in
// this process. Classes register a factory once (idempotent); everything here runs on the UI thread.
#include "platform/com/Unknown.h"

#include <functional>
#include <string>

namespace com {

using Factory = std::function<Ref<IUnknown>()>;

// Makes `clsid` creatable under the program identifier `progId` (for example "Vistrel.FilterGraph").
void registerClass(const Guid& clsid, const std::string& progId, Factory factory);

// A new object of the class, or REGDB_E_CLASSNOTREG.
HRESULT createInstance(const Guid& clsid, Ref<IUnknown>& out);

// The program identifier a class was registered with; empty when unknown.
std::string progIdFromClsid(const Guid& clsid);

// The active-object list of this process: one object per class at most.
HRESULT registerActiveObject(const Ref<IUnknown>& object, const Guid& clsid, uint32_t& registration);
HRESULT revokeActiveObject(uint32_t registration);
// MK_E_UNAVAILABLE when no object of that class is active.
HRESULT getActiveObject(const Guid& clsid, Ref<IUnknown>& out);

}  // namespace com
