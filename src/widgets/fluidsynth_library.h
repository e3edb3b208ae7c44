#pragma once
// fluidsynth, loaded the first time a piece of music is opened. Music is played only when a
// player chooses it, and the synthesiser brings some forty libraries of sound formats and
// drivers with it, which a game without music would otherwise load at start and keep.

#include <fluidsynth.h>

namespace kroda::widgets {

struct Fluidsynth {
    decltype(&::new_fluid_settings) newSettings;
    decltype(&::delete_fluid_settings) deleteSettings;
    decltype(&::fluid_settings_setstr) setString;
    decltype(&::fluid_settings_setint) setInt;
    decltype(&::fluid_settings_getnum) getNumber;
    decltype(&::new_fluid_synth) newSynth;
    decltype(&::delete_fluid_synth) deleteSynth;
    decltype(&::fluid_synth_sfload) loadSoundFont;
    decltype(&::fluid_synth_system_reset) resetSynth;
    decltype(&::fluid_synth_write_float) writeFloat;
    decltype(&::new_fluid_audio_driver) newAudioDriver;
    decltype(&::delete_fluid_audio_driver) deleteAudioDriver;
    decltype(&::new_fluid_player) newPlayer;
    decltype(&::delete_fluid_player) deletePlayer;
    decltype(&::fluid_player_add_mem) addPiece;
    decltype(&::fluid_player_play) play;
    decltype(&::fluid_player_stop) stop;
    decltype(&::fluid_player_get_status) status;
    decltype(&::fluid_player_get_total_ticks) totalTicks;
    decltype(&::fluid_player_get_current_tick) currentTick;
    decltype(&::fluid_set_log_function) setLogFunction;
};

// The library with every function found, its messages sent to the program's log; null when
// it is not installed or lacks a function.
const Fluidsynth* fluidsynth();

}  // namespace kroda::widgets
