#include "platform/com/RunningObjectTable.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace com {

HRESULT createItemMoniker(const std::string& delimiter, const std::string& item, Ref<ItemMoniker>& out)
{
    out = std::make_shared<ItemMoniker>(ItemMoniker{delimiter, item});
    return S_OK;
}

QString RunningObjectTable::directory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return QDir(runtime).filePath(QStringLiteral("vistrel/graphs"));
    return QStringLiteral("/tmp/vistrel-%1/graphs").arg(getuid());
}

long RunningObjectTable::pidOfName(const std::string& name)
{
    const auto at = name.rfind(" pid ");
    if (at == std::string::npos)
        return 0;
    try {
        size_t used = 0;
        const std::string digits = name.substr(at + 5);
        const long pid = std::stol(digits, &used, 16);
        return used == digits.size() && pid > 0 ? pid : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

static bool processAlive(long pid)
{
    return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

void RunningObjectTable::prune()
{
    QDir dir(directory());
    for (const QString& file : dir.entryList(QDir::Files)) {
        const long pid = pidOfName(file.toStdString());
        if (pid && !processAlive(pid))
            dir.remove(file);
    }
}

std::vector<RunningEntry> RunningObjectTable::entries()
{
    prune();
    std::vector<RunningEntry> result;
    QDir dir(directory());
    for (const QString& file : dir.entryList(QDir::Files, QDir::Name)) {
        if (file.startsWith(QLatin1Char('.')))
            continue;  // a description being written
        result.push_back({file.toStdString(), pidOfName(file.toStdString()), dir.filePath(file)});
    }
    return result;
}

void RunningObjectTable::write(const std::string& name, IUnknown* object)
{
    std::string text;
    if (object) {
        Ref<IUnknown> self = object->shared_from_this();
        if (auto described = query<IDescribedObject>(self))
            text = described->describe();
    }
    if (text.empty())
        text = name + "\n";
    // Written whole under a temporary name and renamed, so a reader never sees half a description.
    QSaveFile file(QDir(directory()).filePath(QString::fromStdString(name)));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.data(), qint64(text.size()));
        file.commit();
    }
}

HRESULT RunningObjectTable::Register(uint32_t, const Ref<IUnknown>& object, const Ref<ItemMoniker>& moniker,
                                     uint32_t& cookie)
{
    cookie = 0;
    if (!object || !moniker)
        return E_INVALIDARG;
    const std::string& name = moniker->item;
    if (name.empty() || name.find('/') != std::string::npos || name.front() == '.')
        return E_INVALIDARG;
    if (!QDir().mkpath(directory()))
        return E_FAIL;
    prune();
    cookie = ++nextCookie_;
    registrations_.push_back({cookie, Registration{name, object}});
    write(name, object.get());
    return S_OK;
}

HRESULT RunningObjectTable::Revoke(uint32_t cookie)
{
    for (auto it = registrations_.begin(); it != registrations_.end(); ++it) {
        if (it->first != cookie)
            continue;
        const std::string name = it->second.name;
        registrations_.erase(it);
        for (const auto& other : registrations_)
            if (other.second.name == name)
                return S_OK;  // the entry still stands for another registration
        QFile::remove(QDir(directory()).filePath(QString::fromStdString(name)));
        return S_OK;
    }
    return E_INVALIDARG;
}

void RunningObjectTable::noteChanged(const IUnknown* object)
{
    for (const auto& [cookie, reg] : registrations_) {
        Ref<IUnknown> alive = reg.object.lock();
        if (alive && alive.get() == object)
            write(reg.name, alive.get());
    }
}

HRESULT getRunningObjectTable(Ref<RunningObjectTable>& out)
{
    static Ref<RunningObjectTable> table;
    if (!table) {
        if (!QDir().mkpath(RunningObjectTable::directory())) {
            out.reset();
            return E_FAIL;
        }
        QFile::setPermissions(RunningObjectTable::directory(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        table.reset(new RunningObjectTable());
    }
    out = table;
    return S_OK;
}

}  // namespace com
