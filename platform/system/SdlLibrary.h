#pragma once
// SDL, opened when the sound system starts rather than linked: with the sound servers it is built
// for and their sample-file readers, X11 and Wayland pieces, it needs some thirty libraries that
// would otherwise all be loaded and relocated before the program's first line runs. The sound
// system's start-up thread opens it beside the windows' creation; the functions the program uses
// are reached through this table.
#include "platform/system/SharedLibrary.h"

#include <SDL.h>

#include <QString>

namespace platform {

struct SdlFunctions {
    decltype(&::SDL_SetHint) SDL_SetHint = nullptr;
    decltype(&::SDL_InitSubSystem) SDL_InitSubSystem = nullptr;
    decltype(&::SDL_QuitSubSystem) SDL_QuitSubSystem = nullptr;
    decltype(&::SDL_OpenAudioDevice) SDL_OpenAudioDevice = nullptr;
    decltype(&::SDL_CloseAudioDevice) SDL_CloseAudioDevice = nullptr;
    decltype(&::SDL_PauseAudioDevice) SDL_PauseAudioDevice = nullptr;
    decltype(&::SDL_GetVersion) SDL_GetVersion = nullptr;
};

class SdlLibrary : public SdlFunctions {
public:
    // Opens the library by `soname` and finds its functions.
    explicit SdlLibrary(const char* soname);

    // The one the program uses, opened on the first call (from any thread) and kept.
    static const SdlLibrary& shared();

    // True when the library opened and has every function.
    bool usable() const { return usable_; }
    // Why it is not usable, for the user.
    QString error() const;

private:
    SharedLibrary library_;
    bool usable_ = false;
};

}  // namespace platform
