#include "widgets/sound_player.h"

#include "platform/wav_duration.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace kroda::widgets {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {
    clock_.start();
}

// Asking for the device starts the sound system, which waits for a sound to be needed.
// Without a device a sound effect only complains; the timing alone is kept then.
void SoundPlayer::ensureDevice() {
    if (askedDevice_)
        return;
    askedDevice_ = true;
    hasDevice_ = !QMediaDevices::defaultAudioOutput().isNull();
    if (hasDevice_)
        effect_ = std::make_unique<QSoundEffect>();
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::busy() const {
    return clock_.elapsed() < busyUntil_;
}

void SoundPlayer::play(const QString& wavPath, std::function<void()> finished) {
    // A sound cut off counts as over: its caller goes on.
    if (finished_) {
        auto previous = std::move(finished_);
        finished_ = {};
        previous();
    }
    const std::uint64_t serial = ++serial_;
    finished_ = std::move(finished);
    const auto length = wavDurationMs(wavPath);
    if (!length) {
        busyUntil_ = 0;
        QTimer::singleShot(0, this, [this, serial] { finish(serial); });
        return;
    }
    busyUntil_ = clock_.elapsed() + *length;
    ensureDevice();
    if (effect_) {
        effect_->disconnect(this);
        effect_->stop();
        effect_->setSource(QUrl::fromLocalFile(wavPath));
        connect(effect_.get(), &QSoundEffect::playingChanged, this, [this, serial] {
            if (!effect_->isPlaying() && effect_->status() != QSoundEffect::Loading)
                finish(serial);
        });
        connect(effect_.get(), &QSoundEffect::statusChanged, this, [this, serial] {
            if (effect_->status() == QSoundEffect::Error)
                finish(serial);
        });
        effect_->play();
    }
    QTimer::singleShot(static_cast<int>(*length), this, [this, serial] { finish(serial); });
}

void SoundPlayer::finish(std::uint64_t serial) {
    if (serial != serial_ || !finished_)
        return;
    busyUntil_ = 0;
    auto done = std::move(finished_);
    finished_ = {};
    done();
}

}  // namespace kroda::widgets
