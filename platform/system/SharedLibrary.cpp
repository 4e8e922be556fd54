// Opening shared libraries at run time, with the loader's message kept for the user.
#include "platform/system/SharedLibrary.h"

#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>
#include <link.h>

namespace platform {
namespace {

// The folder the loader took the already loaded library `soname` from; empty when not loaded.
QString FolderOf(const char* soname)
{
    void* handle = dlopen(soname, RTLD_LAZY | RTLD_NOLOAD);
    if (!handle)
        return {};
    QString folder;
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name)
        folder = QFileInfo(QString::fromLocal8Bit(map->l_name)).absolutePath();
    dlclose(handle);
    return folder;
}

}  // namespace

SharedLibrary::SharedLibrary(const char* soname) : soname_(QString::fromLatin1(soname))
{
    open(soname_);
}

SharedLibrary::SharedLibrary(const char* soname, const char* neighbour) : soname_(QString::fromLatin1(soname))
{
    const QString folder = FolderOf(neighbour);
    if (!folder.isEmpty() && QFileInfo::exists(folder + QLatin1Char('/') + soname_))
        open(folder + QLatin1Char('/') + soname_);
    else
        open(soname_);
}

void SharedLibrary::open(const QString& path)
{
    // Never unloaded, even once closed: its threads and callbacks (sound, synthesis) may still run
    // while the program ends, and what it allocated stays reachable for the leak checkers.
    handle_ = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle_) {
        const char* why = dlerror();
        error_ = why ? QString::fromLocal8Bit(why) : soname_;
    }
}

SharedLibrary::~SharedLibrary()
{
    if (handle_)
        dlclose(handle_);
}

void* SharedLibrary::address(const char* name)
{
    if (!handle_)
        return nullptr;
    dlerror();
    void* found = dlsym(handle_, name);
    if (!found) {
        const char* why = dlerror();
        error_ = why ? QString::fromLocal8Bit(why) : QString::fromLatin1(name);
    }
    return found;
}

}  // namespace platform
