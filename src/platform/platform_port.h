#pragma once
// What the engine cannot do itself: sound, music, dialogs, the manual, quitting and the
// time of day. The Qt windows implement it for real; the headless driver records it.

#include <QString>

#include <cstdint>
#include <functional>

namespace kroda {

enum class SoundMode {
    // Returns at once; dropped when a sound is already playing.
    AsyncNoInterrupt,
    // The caller goes on only when the sound has finished: it passes what comes next as
    // `finished`, which a real port runs later from the event loop (never in a blocking wait).
    Sync,
};

class PlatformPort {
  public:
    virtual ~PlatformPort() = default;

    virtual void beep() = 0;
    // `finished` runs once the sound is over (Sync) or at once (AsyncNoInterrupt); a missing
    // or unplayable sound counts as over.
    virtual void playSound(const QString& wavPath, SoundMode mode,
                           std::function<void()> finished) = 0;
    void playSound(const QString& wavPath, SoundMode mode) { playSound(wavPath, mode, {}); }

    // The music device: one MIDI piece, length and position in the same unit. Opening fails
    // for a file that cannot be played; nothing is open then.
    virtual void musicClose() = 0;
    virtual bool musicOpen(const QString& midiPath) = 0;
    virtual void musicPlay() = 0;
    virtual std::int64_t musicLength() = 0;
    virtual std::int64_t musicPosition() = 0;

    // A modal file-open dialog, answered later through `answer`; an empty name means it was
    // cancelled. The game goes on behind the dialog.
    virtual void askOpenFile(const QString& title, const QString& filter,
                             const QString& initialFolder,
                             std::function<void(const QString& file)> answer) = 0;
    // A file-save dialog for the moment the request was made: the port takes the game's
    // moment once the current event has returned and writes it to the file the dialog
    // answers, later. The game goes on behind the dialog and never hears the answer.
    virtual void askSaveFile(const QString& title, const QString& filter,
                             const QString& initialFolder) = 0;
    // Opens a document with its default handler, without waiting and ignoring the result.
    virtual void openDocument(const QString& path) = 0;
    virtual void quit() = 0;
    // The speed button: the program's clock runs at its next speed against real time. The
    // speed is the program's, not the game's; a clock that is not real time has none.
    virtual void changeSpeed() {}
    // Shows (or brings to the front) the deed card of ViewedSquare, modeless.
    virtual void showDeedCard() = 0;

    // Seconds since midnight, with their fraction; mixed into the random generator.
    virtual double timeOfDay() = 0;
};

}  // namespace kroda
