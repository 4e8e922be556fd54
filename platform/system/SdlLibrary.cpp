// Opening SDL on first use and filling the table of its functions.
#include "platform/system/SdlLibrary.h"

namespace platform {

SdlLibrary::SdlLibrary(const char* soname) : library_(soname)
{
    SharedLibrary& l = library_;
    SdlFunctions& f = *this;
    usable_ = l.isOpen() && l.resolve(f.SDL_SetHint, "SDL_SetHint") &&
              l.resolve(f.SDL_InitSubSystem, "SDL_InitSubSystem") &&
              l.resolve(f.SDL_QuitSubSystem, "SDL_QuitSubSystem") &&
              l.resolve(f.SDL_OpenAudioDevice, "SDL_OpenAudioDevice") &&
              l.resolve(f.SDL_CloseAudioDevice, "SDL_CloseAudioDevice") &&
              l.resolve(f.SDL_PauseAudioDevice, "SDL_PauseAudioDevice") &&
              l.resolve(f.SDL_GetVersion, "SDL_GetVersion");
    if (!usable_)
        static_cast<SdlFunctions&>(*this) = SdlFunctions();  // nothing half-found is ever called
}

const SdlLibrary& SdlLibrary::shared()
{
    static const SdlLibrary library(VISTREL_SDL2_SONAME);
    return library;
}

QString SdlLibrary::error() const
{
    if (usable_)
        return {};
    return QStringLiteral("Pas de son : la bibliothèque %1 est absente ou inutilisable (%2).")
        .arg(library_.soname(), library_.error());
}

}  // namespace platform
