#pragma once
// A window made on its first use.

#include <functional>

namespace platform {

// Stands where a window's global pointer would: the window's owner gives the way to make it, and the
// first use (`->`, `*`, a conversion to a pointer or to a truth value) makes it. Windows nobody
// opens during a start cost that start nothing. Without a maker, the window is null.
template <class T>
class DeferredWindow {
public:
    T* get()
    {
        if (!window_ && make_) {
            // Taken first: a use of this window while it is being made sees null, not a second one.
            auto make = std::move(make_);
            make_ = nullptr;
            window_ = make();
        }
        return window_;
    }
    operator T*() { return get(); }
    T* operator->() { return get(); }
    T& operator*() { return *get(); }

    bool made() const { return window_ != nullptr; }

    // The owner's maker; the window made by an earlier one is forgotten.
    void setMaker(std::function<T*()> make)
    {
        make_ = std::move(make);
        window_ = nullptr;
    }
    // The owner is destroying the window (or will never make it): null from now on.
    void reset()
    {
        make_ = nullptr;
        window_ = nullptr;
    }

private:
    std::function<T*()> make_;
    T* window_ = nullptr;
};

}  // namespace platform
