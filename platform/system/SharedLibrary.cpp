// Opening shared libraries at run time, with the loader's message kept for the user.
#include "platform/system/SharedLibrary.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstddef>
#include <vector>

#include <dlfcn.h>

namespace platform {
namespace {

// The folders the loader searches for the program's own needs, in its order: the program's run
// path (existing folders only), the library path of the environment, the system's folders.
QStringList ProgramSearchFolders()
{
    void* program = dlopen(nullptr, RTLD_LAZY);
    if (!program)
        return {};
    QStringList folders;
    Dl_serinfo size{};
    if (dlinfo(program, RTLD_DI_SERINFOSIZE, &size) == 0 && size.dls_size >= sizeof(Dl_serinfo)) {
        std::vector<std::max_align_t> buffer((size.dls_size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t));
        auto* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
        *info = size;  // the count and size the loader asks back
        if (dlinfo(program, RTLD_DI_SERINFO, info) == 0)
            for (unsigned i = 0; i < info->dls_cnt; ++i)
                folders << QString::fromLocal8Bit(info->dls_serpath[i].dls_name);
    }
    dlclose(program);
    return folders;
}

}  // namespace

SharedLibrary::SharedLibrary(const char* soname) : soname_(QString::fromLatin1(soname))
{
    for (const QString& folder : ProgramSearchFolders()) {
        const QString path = folder + QLatin1Char('/') + soname_;
        if (QFileInfo::exists(path)) {
            open(path);
            return;
        }
    }
    // Not in those folders: the loader's own search still knows its cache.
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
