#pragma once
// A shared library opened at run time (dlopen) rather than linked: the program maps it, and the
// libraries it needs in turn, only when a feature first uses it. The handle closes on destruction,
// but the library stays loaded until the program ends.
#include <QString>

namespace platform {

class SharedLibrary {
public:
    // Opens `soname` (e.g. "libfluidsynth.so.3") where the loader would look for a library the
    // program needs: the program's run path (its own libraries), then the system's folders. (A plain
    // dlopen searches the run path of whoever calls it, and under the sanitizers that is their
    // runtime, not the program.)
    explicit SharedLibrary(const char* soname);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    // Why it could not be opened, or why the last symbol was missing (the loader's words).
    QString error() const { return error_; }
    QString soname() const { return soname_; }

    // The address of the function `name` as the pointer type `Fn`; nullptr when missing.
    template <class Fn>
    bool resolve(Fn& fn, const char* name)
    {
        fn = reinterpret_cast<Fn>(address(name));
        return fn != nullptr;
    }

private:
    void open(const QString& path);
    void* address(const char* name);

    QString soname_;
    QString error_;
    void* handle_ = nullptr;
};

}  // namespace platform
