#pragma once
// The running object table: a per-user directory in which each registered object has one entry
// file, named by its moniker's item name and holding a text description of the object, so that a
// tool running as another process can see the live objects of every process of the program.
//
// Entries are written and removed on the UI thread only. Entries left by a process that died
// without revoking them are removed the next time any process registers or lists.
#include "platform/com/Unknown.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace com {

// An object that can describe itself in text for the table (filters, states, media).
class IDescribedObject : public virtual IUnknown {
public:
    static constexpr Guid IID{"{8C1B7E52-3D6A-4F0B-9E47-51A2D4C0B7E3}"};
    virtual std::string describe() = 0;
};

// A name made of a delimiter and an item, e.g. "!" and "FilterGraph 0A1B2C3D pid 1F2".
struct ItemMoniker {
    std::string delimiter;
    std::string item;
    std::string displayName() const { return delimiter + item; }
};

HRESULT createItemMoniker(const std::string& delimiter, const std::string& item, Ref<ItemMoniker>& out);

struct RunningEntry {
    std::string name;  // the item name
    long pid = 0;      // the registering process
    QString path;      // the entry file
};

class RunningObjectTable {
public:
    // Adds an entry for `object` under the moniker's item name; `cookie` identifies it for Revoke.
    HRESULT Register(uint32_t flags, const Ref<IUnknown>& object, const Ref<ItemMoniker>& moniker,
                     uint32_t& cookie);
    // Removes the entry; E_INVALIDARG for an unknown cookie.
    HRESULT Revoke(uint32_t cookie);

    // Rewrites the entries of `object`, whose description has changed.
    void noteChanged(const IUnknown* object);

    // The folder holding the entries: $XDG_RUNTIME_DIR/vistrel/graphs, else /tmp/vistrel-<uid>/graphs.
    static QString directory();
    // The live entries of every process (dead processes' entries are pruned first).
    static std::vector<RunningEntry> entries();
    // Reads the process identifier out of an entry name ("... pid 1F2"); 0 when there is none.
    static long pidOfName(const std::string& name);

private:
    friend HRESULT getRunningObjectTable(Ref<RunningObjectTable>& out);
    RunningObjectTable() = default;
    void write(const std::string& name, IUnknown* object);
    static void prune();

    struct Registration {
        std::string name;
        std::weak_ptr<IUnknown> object;
    };
    std::vector<std::pair<uint32_t, Registration>> registrations_;
    uint32_t nextCookie_ = 0;
};

// The table of this process; fails only when the entry directory cannot be made.
HRESULT getRunningObjectTable(Ref<RunningObjectTable>& out);

}  // namespace com
