#pragma once
// WAV sounds through Qt Multimedia. A sound's end is taken from the WAV's own length or
// from the sound's signal, whichever comes first, because without an audio device the
// signal never comes. A missing or bad file, or no audio device, is silent and never hangs.

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QSoundEffect;

namespace kroda::widgets {

class SoundPlayer : public QObject {
    Q_OBJECT
  public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Whether a sound is still playing by its own length.
    bool busy() const;
    // Plays the file; `finished` runs from the event loop once it is over. A sound already
    // playing is cut off.
    void play(const QString& wavPath, std::function<void()> finished);

  private:
    void ensureDevice();

    void finish(std::uint64_t serial);

    std::unique_ptr<QSoundEffect> effect_;
    QElapsedTimer clock_;
    std::int64_t busyUntil_ = 0;
    std::uint64_t serial_ = 0;
    std::function<void()> finished_;
    bool askedDevice_ = false;
    bool hasDevice_ = false;
};

}  // namespace kroda::widgets
