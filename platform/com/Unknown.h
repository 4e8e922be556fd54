#pragma once
// Counted references and the interface query.
//
// An object exposes several interfaces; each interface derives virtually from IUnknown, and a
// reference to any of them is a shared pointer that shares the object's count. A query may refuse,
// leaving the reference empty, so "absent" is an ordinary state that every user tests for.
#include "platform/com/Guid.h"
#include "platform/com/Result.h"

#include <memory>

namespace com {

template <class T>
using Ref = std::shared_ptr<T>;

class IUnknown : public std::enable_shared_from_this<IUnknown> {
public:
    static constexpr Guid IID{"{00000000-0000-0000-C000-000000000046}"};
    virtual ~IUnknown() = default;

    // Gives the object's view for iid in `out`, or empties `out` and returns E_NOINTERFACE.
    virtual HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) = 0;

protected:
    // For implementers: answers with this object when `iid` names one of the interfaces listed
    // in Interfaces... that the object implements.
    template <class... Interfaces>
    HRESULT answerQuery(const Guid& iid, Ref<IUnknown>& out)
    {
        out.reset();
        if (iid == IUnknown::IID || ((iid == Interfaces::IID) || ...)) {
            out = shared_from_this();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
};

// The view T of `from`, or an empty reference when the object refuses it.
template <class T, class From>
Ref<T> query(const Ref<From>& from)
{
    if (!from)
        return {};
    Ref<IUnknown> view;
    if (FAILED(from->QueryInterface(T::IID, view)) || !view)
        return {};
    return std::dynamic_pointer_cast<T>(view);
}

// Like query(), in the platform's calling form: fills `out` and returns the result code.
template <class T, class From>
HRESULT queryInto(const Ref<From>& from, Ref<T>& out)
{
    if (!from) {
        out.reset();
        return E_POINTER;
    }
    out = query<T>(from);
    return out ? S_OK : E_NOINTERFACE;
}

}  // namespace com
