// Opening shared libraries at run time, with the loader's message kept for the user.
#include "platform/system/SharedLibrary.h"

#include <dlfcn.h>

namespace platform {

SharedLibrary::SharedLibrary(const char* soname) : soname_(QString::fromLatin1(soname))
{
    handle_ = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
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
