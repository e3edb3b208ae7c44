#include "widgets/music_device.h"

#include "model/midi_file.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <fluidsynth.h>

#include <algorithm>
#include <vector>

Q_LOGGING_CATEGORY(kMusicLog, "kroda.music", QtCriticalMsg)

namespace kroda::widgets {

namespace {

void logFluid(int level, const char* message, void*) {
    switch (level) {
        case FLUID_PANIC:
        case FLUID_ERR:
        case FLUID_WARN:
            qCWarning(kMusicLog, "%s", message);
            break;
        default:
            qCDebug(kMusicLog, "%s", message);
            break;
    }
}

// The audio driver that can reach a sound card here, if any: asking fluidsynth for a driver
// that has no device behind it only fills the log.
QByteArray usableAudioDriver() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!qgetenv("PULSE_SERVER").isEmpty() ||
        (!runtime.isEmpty() && QFile::exists(QString::fromLocal8Bit(runtime) + "/pulse/native")))
        return "pulseaudio";
    if (!QDir(QStringLiteral("/dev/snd"))
             .entryList({QStringLiteral("pcmC*p")}, QDir::System)
             .isEmpty())
        return "alsa";
    return {};
}

}  // namespace

void routeFluidsynthLog() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        fluid_set_log_function(level, logFluid, nullptr);
}

QString MusicDevice::soundFont(const QString& folder) {
    const QDir dir(folder);
    if (dir.exists(QStringLiteral("default-GM.sf2")))
        return dir.filePath(QStringLiteral("default-GM.sf2"));
    const QStringList any = dir.entryList({QStringLiteral("*.sf2")}, QDir::Files, QDir::Name);
    return any.isEmpty() ? QString() : dir.filePath(any.first());
}

MusicDevice::MusicDevice() {
    routeFluidsynthLog();
}

MusicDevice::~MusicDevice() {
    close();
    if (driver_)
        delete_fluid_audio_driver(driver_);
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

bool MusicDevice::ensureSynth() {
    if (triedSynth_)
        return synth_ != nullptr;
    triedSynth_ = true;
    settings_ = new_fluid_settings();
    if (!settings_)
        return false;
    // The player keeps time by the samples rendered, so silent rendering moves it too.
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    const QByteArray driver = usableAudioDriver();
    if (!driver.isEmpty())
        fluid_settings_setstr(settings_, "audio.driver", driver.constData());
    fluid_settings_getnum(settings_, "synth.sample-rate", &sampleRate_);
    synth_ = new_fluid_synth(settings_);
    if (!synth_)
        return false;
    if (!driver.isEmpty()) {
        const QString font = soundFont();
        if (!font.isEmpty())
            fluid_synth_sfload(synth_, QFile::encodeName(font).constData(), 1);
        driver_ = new_fluid_audio_driver(settings_, synth_);
    }
    return true;
}

bool MusicDevice::open(const QString& midiPath) {
    close();
    MidiPiece piece = readMidiPiece(midiPath);
    refusal_ = piece.error;
    if (!piece.ok()) {
        qCInfo(kMusicLog, "%s cannot be played: %s", qUtf8Printable(midiPath),
               qUtf8Printable(piece.error));
        return false;
    }
    if (!ensureSynth()) {
        refusal_ = QStringLiteral("the synthesiser cannot be started");
        return false;
    }
    piece_ = std::move(piece.smf);
    player_ = new_fluid_player(synth_);
    if (!player_) {
        refusal_ = QStringLiteral("the player cannot be started");
        return false;
    }
    if (fluid_player_add_mem(player_, piece_.constData(), static_cast<size_t>(piece_.size())) !=
        FLUID_OK) {
        close();
        refusal_ = QStringLiteral("the player does not take it");
        return false;
    }
    return true;
}

void MusicDevice::play() {
    if (!player_ || playing_)
        return;
    fluid_player_play(player_);
    playing_ = true;
    rendered_.start();
    renderedFrames_ = 0;
}

void MusicDevice::close() {
    if (!player_)
        return;
    fluid_player_stop(player_);
    if (!driver_)
        renderElapsed();  // lets the player see its stop before it is deleted
    delete_fluid_player(player_);
    player_ = nullptr;
    piece_.clear();
    playing_ = false;
    if (synth_)
        fluid_synth_system_reset(synth_);
}

void MusicDevice::renderElapsed() {
    if (driver_ || !synth_ || !rendered_.isValid())
        return;
    const auto due =
        static_cast<std::int64_t>(static_cast<double>(rendered_.elapsed()) * sampleRate_ / 1000.0);
    // Beyond a few seconds the music skips on instead of rendering the whole gap.
    const auto cap = static_cast<std::int64_t>(sampleRate_ * 2);
    std::int64_t frames = due - renderedFrames_;
    if (frames > cap) {
        renderedFrames_ = due - cap;
        frames = cap;
    }
    static std::vector<float> scratch(2 * 4096);
    while (frames > 0) {
        const int n = static_cast<int>(std::min<std::int64_t>(frames, 4096));
        fluid_synth_write_float(synth_, n, scratch.data(), 0, 2, scratch.data(), 1, 2);
        frames -= n;
        renderedFrames_ += n;
    }
}

std::int64_t MusicDevice::length() {
    if (!player_)
        return 0;
    renderElapsed();
    return std::max(0, fluid_player_get_total_ticks(player_));
}

std::int64_t MusicDevice::position() {
    if (!player_)
        return 0;
    renderElapsed();
    const std::int64_t total = std::max(0, fluid_player_get_total_ticks(player_));
    if (fluid_player_get_status(player_) == FLUID_PLAYER_DONE)
        return total;
    // fluidsynth counts on a little past the last event.
    return std::clamp<std::int64_t>(fluid_player_get_current_tick(player_), 0, total);
}

}  // namespace kroda::widgets
