#include "platform/com/ObjectServices.h"

#include <map>

namespace com {
namespace {

struct ClassEntry {
    std::string progId;
    Factory factory;
};

std::map<Guid, ClassEntry>& classes()
{
    static std::map<Guid, ClassEntry> table;
    return table;
}

struct ActiveEntry {
    Guid clsid;
    std::weak_ptr<IUnknown> object;  // the list does not keep an object alive
};

std::map<uint32_t, ActiveEntry>& actives()
{
    static std::map<uint32_t, ActiveEntry> table;
    return table;
}

}  // namespace

void registerClass(const Guid& clsid, const std::string& progId, Factory factory)
{
    classes()[clsid] = ClassEntry{progId, std::move(factory)};
}

HRESULT createInstance(const Guid& clsid, Ref<IUnknown>& out)
{
    out.reset();
    auto it = classes().find(clsid);
    if (it == classes().end() || !it->second.factory)
        return REGDB_E_CLASSNOTREG;
    out = it->second.factory();
    return out ? S_OK : E_OUTOFMEMORY;
}

std::string progIdFromClsid(const Guid& clsid)
{
    auto it = classes().find(clsid);
    return it == classes().end() ? std::string() : it->second.progId;
}

HRESULT registerActiveObject(const Ref<IUnknown>& object, const Guid& clsid, uint32_t& registration)
{
    if (!object)
        return E_POINTER;
    static uint32_t next = 0;
    registration = ++next;
    actives()[registration] = ActiveEntry{clsid, object};
    return S_OK;
}

HRESULT revokeActiveObject(uint32_t registration)
{
    return actives().erase(registration) ? S_OK : E_INVALIDARG;
}

HRESULT getActiveObject(const Guid& clsid, Ref<IUnknown>& out)
{
    out.reset();
    for (auto it = actives().begin(); it != actives().end();) {
        Ref<IUnknown> alive = it->second.object.lock();
        if (!alive) {
            it = actives().erase(it);
            continue;
        }
        if (it->second.clsid == clsid) {
            out = alive;
            return S_OK;
        }
        ++it;
    }
    return MK_E_UNAVAILABLE;
}

}  // namespace com
