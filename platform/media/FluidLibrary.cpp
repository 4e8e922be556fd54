// Opening FluidSynth on first use and filling the table of its functions.
#include "platform/media/FluidLibrary.h"

namespace media {

FluidLibrary::FluidLibrary(const char* soname) : library_(soname)
{
    platform::SharedLibrary& l = library_;
    FluidFunctions& f = *this;
    usable_ = l.isOpen() && l.resolve(f.fluid_set_log_function, "fluid_set_log_function") &&
              l.resolve(f.new_fluid_settings, "new_fluid_settings") &&
              l.resolve(f.delete_fluid_settings, "delete_fluid_settings") &&
              l.resolve(f.fluid_settings_setnum, "fluid_settings_setnum") &&
              l.resolve(f.fluid_settings_setint, "fluid_settings_setint") &&
              l.resolve(f.fluid_settings_setstr, "fluid_settings_setstr") &&
              l.resolve(f.new_fluid_synth, "new_fluid_synth") && l.resolve(f.delete_fluid_synth, "delete_fluid_synth") &&
              l.resolve(f.fluid_synth_sfload, "fluid_synth_sfload") &&
              l.resolve(f.fluid_synth_write_s16, "fluid_synth_write_s16") &&
              l.resolve(f.fluid_synth_all_sounds_off, "fluid_synth_all_sounds_off") &&
              l.resolve(f.new_fluid_player, "new_fluid_player") &&
              l.resolve(f.delete_fluid_player, "delete_fluid_player") &&
              l.resolve(f.fluid_player_add, "fluid_player_add") && l.resolve(f.fluid_player_play, "fluid_player_play") &&
              l.resolve(f.fluid_player_seek, "fluid_player_seek") &&
              l.resolve(f.fluid_player_get_status, "fluid_player_get_status") &&
              l.resolve(f.fluid_player_get_current_tick, "fluid_player_get_current_tick") &&
              l.resolve(f.fluid_player_get_total_ticks, "fluid_player_get_total_ticks");
    if (usable_)
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
}

const FluidLibrary& FluidLibrary::shared()
{
    static const FluidLibrary library(VISTREL_FLUIDSYNTH_SONAME);
    return library;
}

QString FluidLibrary::error() const
{
    if (usable_)
        return {};
    return QStringLiteral("Impossible de lire les fichiers MIDI : la bibliothèque de synthèse %1 est absente ou "
                          "inutilisable (%2).")
        .arg(library_.soname(), library_.error());
}

}  // namespace media
