#include "widgets/fluidsynth_library.h"

#include <QLibrary>
#include <QLoggingCategory>

#include <optional>

Q_LOGGING_CATEGORY(kSynthLog, "kroda.music", QtCriticalMsg)

namespace kroda::widgets {

namespace {

void logFluid(int level, const char* message, void*) {
    switch (level) {
        case FLUID_PANIC:
        case FLUID_ERR:
        case FLUID_WARN:
            qCWarning(kSynthLog, "%s", message);
            break;
        default:
            qCDebug(kSynthLog, "%s", message);
            break;
    }
}

template <typename F>
bool resolve(QLibrary& library, const char* name, F& f) {
    f = reinterpret_cast<F>(library.resolve(name));
    return f != nullptr;
}

std::optional<Fluidsynth> load() {
    static QLibrary library(QStringLiteral("fluidsynth"), 3);
    if (!library.load()) {
        qCWarning(kSynthLog, "%s", qUtf8Printable(library.errorString()));
        return std::nullopt;
    }
    Fluidsynth f{};
    const bool all = resolve(library, "new_fluid_settings", f.newSettings) &&
                     resolve(library, "delete_fluid_settings", f.deleteSettings) &&
                     resolve(library, "fluid_settings_setstr", f.setString) &&
                     resolve(library, "fluid_settings_setint", f.setInt) &&
                     resolve(library, "fluid_settings_getnum", f.getNumber) &&
                     resolve(library, "new_fluid_synth", f.newSynth) &&
                     resolve(library, "delete_fluid_synth", f.deleteSynth) &&
                     resolve(library, "fluid_synth_sfload", f.loadSoundFont) &&
                     resolve(library, "fluid_synth_system_reset", f.resetSynth) &&
                     resolve(library, "fluid_synth_write_float", f.writeFloat) &&
                     resolve(library, "new_fluid_audio_driver", f.newAudioDriver) &&
                     resolve(library, "delete_fluid_audio_driver", f.deleteAudioDriver) &&
                     resolve(library, "new_fluid_player", f.newPlayer) &&
                     resolve(library, "delete_fluid_player", f.deletePlayer) &&
                     resolve(library, "fluid_player_add_mem", f.addPiece) &&
                     resolve(library, "fluid_player_play", f.play) &&
                     resolve(library, "fluid_player_stop", f.stop) &&
                     resolve(library, "fluid_player_get_status", f.status) &&
                     resolve(library, "fluid_player_get_total_ticks", f.totalTicks) &&
                     resolve(library, "fluid_player_get_current_tick", f.currentTick) &&
                     resolve(library, "fluid_set_log_function", f.setLogFunction);
    if (!all) {
        qCWarning(kSynthLog, "%s", qUtf8Printable(library.errorString()));
        return std::nullopt;
    }
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        f.setLogFunction(level, logFluid, nullptr);
    return f;
}

}  // namespace

const Fluidsynth* fluidsynth() {
    static const std::optional<Fluidsynth> library = load();
    return library ? &*library : nullptr;
}

}  // namespace kroda::widgets
