#pragma once
// The platform port of a game without windows: it plays nothing and records every request,
// so that the headless driver can report them and tests can count them.

#include "platform/platform_port.h"
#include "platform/wav_duration.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace kroda {

class RecordingPort : public PlatformPort {
  public:
    using PlatformPort::playSound;

    int beeps = 0;
    QStringList sounds;         // every sound that played, in order (paths as given)
    QStringList droppedSounds;  // asynchronous sounds asked for while another one played
    QStringList documents;      // every document opened
    QStringList musicCommands;  // "close", "open PATH", "play"
    int quits = 0;
    int speedChanges = 0;
    int deedCards = 0;
    QString openFileAnswer;  // what the file dialog answers
    int openFileRequests = 0;
    // The last file dialog asked for.
    QString openFileTitle, openFileFilter, openFileFolder;
    int saveFileRequests = 0;
    // The last save dialog asked for.
    QString saveFileTitle, saveFileFilter, saveFileFolder;
    // The music device: a piece of musicLengthValue units. Its position is rewound on open
    // and, when musicFollowsClock is set, advances one unit per millisecond of the clock
    // while it plays, up to the length; otherwise it stays where a test puts it.
    std::int64_t musicLengthValue = 0;
    bool musicRefused = false;  // every file given to musicOpen cannot be played
    std::int64_t musicPositionValue = 0;
    bool musicFollowsClock = false;
    // Runs when a deed card is shown; the headless driver loads or redraws its data there.
    std::function<void()> deedCardShown;
    // Seconds since midnight; the headless driver points this at its virtual clock.
    std::function<double()> clock = [] { return 0.0; };

    void beep() override { ++beeps; }
    void playSound(const QString& wavPath, SoundMode mode,
                   std::function<void()> finished) override {
        // Sounds keep their own time: a sound lasts as long as its file says.
        const std::int64_t now = clockMs();
        if (mode == SoundMode::AsyncNoInterrupt && now < soundBusyUntil_) {
            droppedSounds << wavPath;
        } else {
            sounds << wavPath;
            soundBusyUntil_ = now + soundLengthMs(wavPath);
        }
        if (finished)
            finished();
    }
    void musicClose() override {
        musicCommands << QStringLiteral("close");
        musicPlaying_ = false;
    }
    bool musicOpen(const QString& midiPath) override {
        musicCommands << QStringLiteral("open ") + midiPath;
        musicPositionValue = 0;
        musicPlaying_ = false;
        return !musicRefused;
    }
    void musicPlay() override {
        musicCommands << QStringLiteral("play");
        musicPlaying_ = true;
        musicReadAt_ = clockMs();
    }
    std::int64_t musicLength() override { return musicLengthValue; }
    std::int64_t musicPosition() override {
        if (musicFollowsClock && musicPlaying_) {
            const std::int64_t now = clockMs();
            musicPositionValue =
                std::min(musicLengthValue,
                         musicPositionValue + std::max<std::int64_t>(0, now - musicReadAt_));
            musicReadAt_ = now;
        }
        return musicPositionValue;
    }
    void askOpenFile(const QString& title, const QString& filter, const QString& initialFolder,
                     std::function<void(const QString&)> answer) override {
        ++openFileRequests;
        openFileTitle = title;
        openFileFilter = filter;
        openFileFolder = initialFolder;
        if (answer)
            answer(openFileAnswer);
    }
    void askSaveFile(const QString& title, const QString& filter,
                     const QString& initialFolder) override {
        ++saveFileRequests;
        saveFileTitle = title;
        saveFileFilter = filter;
        saveFileFolder = initialFolder;
    }
    void openDocument(const QString& path) override { documents << path; }
    void quit() override { ++quits; }
    void changeSpeed() override { ++speedChanges; }
    void showDeedCard() override {
        ++deedCards;
        if (deedCardShown)
            deedCardShown();
    }
    double timeOfDay() override { return clock(); }

  private:
    std::int64_t clockMs() const { return static_cast<std::int64_t>(std::llround(clock() * 1000)); }

    // Each file's length is read once: a game plays the same two sounds again and again.
    std::int64_t soundLengthMs(const QString& wavPath) {
        auto found = soundLengths_.constFind(wavPath);
        if (found == soundLengths_.constEnd())
            found = soundLengths_.insert(wavPath, wavDurationMs(wavPath).value_or(0));
        return *found;
    }

    QHash<QString, std::int64_t> soundLengths_;
    std::int64_t soundBusyUntil_ = 0;
    bool musicPlaying_ = false;
    std::int64_t musicReadAt_ = 0;
};

}  // namespace kroda
