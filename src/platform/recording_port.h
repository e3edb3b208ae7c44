#pragma once
// The platform port of a game without windows: it plays nothing and records every request,
// so that the headless driver can report them and tests can count them.

#include "platform/platform_port.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace kroda {

class RecordingPort : public PlatformPort {
  public:
    int beeps = 0;
    QStringList sounds;         // every sound requested, in order (paths as given)
    QStringList documents;      // every document opened
    QStringList musicCommands;  // "close", "open PATH", "play"
    int quits = 0;
    int deedCards = 0;
    QString openFileAnswer;  // what the file dialog answers
    int openFileRequests = 0;
    // The music device: a piece of musicLengthValue units whose position the test sets.
    std::int64_t musicLengthValue = 0;
    std::int64_t musicPositionValue = 0;
    // Seconds since midnight; the headless driver points this at its virtual clock.
    std::function<double()> clock = [] { return 0.0; };

    void beep() override { ++beeps; }
    void playSound(const QString& wavPath, SoundMode) override { sounds << wavPath; }
    void musicClose() override { musicCommands << QStringLiteral("close"); }
    void musicOpen(const QString& midiPath) override {
        musicCommands << QStringLiteral("open ") + midiPath;
    }
    void musicPlay() override { musicCommands << QStringLiteral("play"); }
    std::int64_t musicLength() override { return musicLengthValue; }
    std::int64_t musicPosition() override { return musicPositionValue; }
    QString askOpenFile(const QString&, const QString&, const QString&) override {
        ++openFileRequests;
        return openFileAnswer;
    }
    void openDocument(const QString& path) override { documents << path; }
    void quit() override { ++quits; }
    void showDeedCard() override { ++deedCards; }
    double timeOfDay() override { return clock(); }
};

}  // namespace kroda
