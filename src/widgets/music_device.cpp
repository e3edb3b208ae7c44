#include "widgets/music_device.h"

#include "model/midi_file.h"
#include "widgets/fluidsynth_library.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <algorithm>
#include <vector>

Q_LOGGING_CATEGORY(kMusicLog, "kroda.music", QtCriticalMsg)

namespace kroda::widgets {

namespace {

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

QString MusicDevice::soundFont(const QString& folder) {
    const QDir dir(folder);
    if (dir.exists(QStringLiteral("default-GM.sf2")))
        return dir.filePath(QStringLiteral("default-GM.sf2"));
    const QStringList any = dir.entryList({QStringLiteral("*.sf2")}, QDir::Files, QDir::Name);
    return any.isEmpty() ? QString() : dir.filePath(any.first());
}

MusicDevice::MusicDevice() = default;

MusicDevice::~MusicDevice() {
    close();
    if (driver_)
        fs_->deleteAudioDriver(driver_);
    if (synth_)
        fs_->deleteSynth(synth_);
    if (settings_)
        fs_->deleteSettings(settings_);
}

bool MusicDevice::ensureSynth() {
    if (triedSynth_)
        return synth_ != nullptr;
    triedSynth_ = true;
    fs_ = fluidsynth();
    if (!fs_)
        return false;
    settings_ = fs_->newSettings();
    if (!settings_)
        return false;
    // The player keeps time by the samples rendered, so silent rendering moves it too.
    fs_->setString(settings_, "player.timing-source", "sample");
    fs_->setInt(settings_, "synth.lock-memory", 0);
    const QByteArray driver = usableAudioDriver();
    if (!driver.isEmpty())
        fs_->setString(settings_, "audio.driver", driver.constData());
    fs_->getNumber(settings_, "synth.sample-rate", &sampleRate_);
    synth_ = fs_->newSynth(settings_);
    if (!synth_)
        return false;
    if (!driver.isEmpty()) {
        const QString font = soundFont();
        if (!font.isEmpty())
            fs_->loadSoundFont(synth_, QFile::encodeName(font).constData(), 1);
        driver_ = fs_->newAudioDriver(settings_, synth_);
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
    player_ = fs_->newPlayer(synth_);
    if (!player_) {
        refusal_ = QStringLiteral("the player cannot be started");
        return false;
    }
    if (fs_->addPiece(player_, piece_.constData(), static_cast<size_t>(piece_.size())) !=
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
    fs_->play(player_);
    playing_ = true;
    rendered_.start();
    renderedFrames_ = 0;
}

void MusicDevice::close() {
    if (!player_)
        return;
    fs_->stop(player_);
    if (!driver_)
        renderElapsed();  // lets the player see its stop before it is deleted
    fs_->deletePlayer(player_);
    player_ = nullptr;
    piece_.clear();
    playing_ = false;
    if (synth_)
        fs_->resetSynth(synth_);
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
        fs_->writeFloat(synth_, n, scratch.data(), 0, 2, scratch.data(), 1, 2);
        frames -= n;
        renderedFrames_ += n;
    }
}

std::int64_t MusicDevice::length() {
    if (!player_)
        return 0;
    renderElapsed();
    return std::max(0, fs_->totalTicks(player_));
}

std::int64_t MusicDevice::position() {
    if (!player_)
        return 0;
    renderElapsed();
    const std::int64_t total = std::max(0, fs_->totalTicks(player_));
    if (fs_->status(player_) == FLUID_PLAYER_DONE)
        return total;
    // fluidsynth counts on a little past the last event.
    return std::clamp<std::int64_t>(fs_->currentTick(player_), 0, total);
}

}  // namespace kroda::widgets
