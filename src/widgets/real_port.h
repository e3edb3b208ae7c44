#pragma once
// The platform port of the windows: the system beep, WAV sounds, fluidsynth music, the
// music dialog, the manual, quitting and the time of day. Whatever answers later (the end of
// a sound, the dialog) goes back to the game through `deliver`. A save request goes to the
// game's session, which takes the moment once the event is over.

#include "platform/platform_port.h"
#include "widgets/music_device.h"
#include "widgets/sound_player.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace kroda::widgets {

// "Name(*.a, *.b)|*.a;*.b" pairs as a Qt file-dialog filter, "Name(*.a, *.b) (*.a *.b)".
QString qtFileFilter(const QString& filter);

class RealPort : public PlatformPort {
  public:
    using PlatformPort::playSound;

    RealPort();

    // Runs a continuation on the game, with its clock brought up to now.
    std::function<void(std::function<void()>)> deliver = [](std::function<void()> f) { f(); };
    // Shows the deed card window.
    std::function<void()> deedCard;
    // The window dialogs are modal to.
    QPointer<QWidget> dialogParent;
    // Called instead of leaving the event loop; for tests.
    std::function<void()> onQuit;
    // The speed button's press.
    std::function<void()> speedChange;
    // Takes a save dialog's request (title, filter, folder).
    std::function<void(const QString&, const QString&, const QString&)> saveRequested;

    void beep() override;
    void playSound(const QString& wavPath, SoundMode mode, std::function<void()> finished) override;
    void musicClose() override;
    bool musicOpen(const QString& midiPath) override;
    void musicPlay() override;
    std::int64_t musicLength() override;
    std::int64_t musicPosition() override;
    void askOpenFile(const QString& title, const QString& filter, const QString& initialFolder,
                     std::function<void(const QString&)> answer) override;
    void askSaveFile(const QString& title, const QString& filter,
                     const QString& initialFolder) override;
    void openDocument(const QString& path) override;
    void quit() override;
    void changeSpeed() override;
    void showDeedCard() override;
    double timeOfDay() override;

    SoundPlayer& sounds() { return sound_; }
    MusicDevice& music() { return music_; }

  private:
    SoundPlayer sound_;
    MusicDevice music_;
};

}  // namespace kroda::widgets
