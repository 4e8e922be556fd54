#pragma once
// FluidSynth, opened when the first MIDI file is played rather than linked: it needs some thirty
// libraries of its own (sound servers, GLib, sample-file readers) that nothing else maps, so a disc
// or a film never loads them. The functions the MIDI source uses are reached through this table.
#include "platform/system/SharedLibrary.h"

#include <fluidsynth.h>

#include <QString>

namespace media {

struct FluidFunctions {
    decltype(&::fluid_set_log_function) fluid_set_log_function = nullptr;
    decltype(&::new_fluid_settings) new_fluid_settings = nullptr;
    decltype(&::delete_fluid_settings) delete_fluid_settings = nullptr;
    decltype(&::fluid_settings_setnum) fluid_settings_setnum = nullptr;
    decltype(&::fluid_settings_setint) fluid_settings_setint = nullptr;
    decltype(&::fluid_settings_setstr) fluid_settings_setstr = nullptr;
    decltype(&::new_fluid_synth) new_fluid_synth = nullptr;
    decltype(&::delete_fluid_synth) delete_fluid_synth = nullptr;
    decltype(&::fluid_synth_sfload) fluid_synth_sfload = nullptr;
    decltype(&::fluid_synth_write_s16) fluid_synth_write_s16 = nullptr;
    decltype(&::fluid_synth_all_sounds_off) fluid_synth_all_sounds_off = nullptr;
    decltype(&::new_fluid_player) new_fluid_player = nullptr;
    decltype(&::delete_fluid_player) delete_fluid_player = nullptr;
    decltype(&::fluid_player_add) fluid_player_add = nullptr;
    decltype(&::fluid_player_play) fluid_player_play = nullptr;
    decltype(&::fluid_player_seek) fluid_player_seek = nullptr;
    decltype(&::fluid_player_get_status) fluid_player_get_status = nullptr;
    decltype(&::fluid_player_get_current_tick) fluid_player_get_current_tick = nullptr;
    decltype(&::fluid_player_get_total_ticks) fluid_player_get_total_ticks = nullptr;
};

class FluidLibrary : public FluidFunctions {
public:
    // Opens the library by `soname` and finds its functions.
    explicit FluidLibrary(const char* soname);

    // The one the program uses, opened on the first call (from any thread) and kept.
    static const FluidLibrary& shared();

    // True when the library opened and has every function.
    bool usable() const { return usable_; }
    // Why it is not usable, for the user.
    QString error() const;

private:
    platform::SharedLibrary library_;
    bool usable_ = false;
};

}  // namespace media
