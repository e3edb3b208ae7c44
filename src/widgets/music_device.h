#pragma once
// The music device: one MIDI piece played through fluidsynth with Debian's General MIDI
// soundfont. Length and position are MIDI ticks. Without a sound card no audio driver can be
// made; the piece is then rendered silently as time passes, so its position still moves and
// the music loop still behaves.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <cstdint>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;
struct _fluid_audio_driver_t;

namespace kroda::widgets {

struct Fluidsynth;

class MusicDevice {
  public:
    MusicDevice();
    ~MusicDevice();
    MusicDevice(const MusicDevice&) = delete;
    MusicDevice& operator=(const MusicDevice&) = delete;

    // Loads a piece, rewound; false (and nothing loaded) for a file that cannot be played,
    // with the reason in refusal().
    bool open(const QString& midiPath);
    const QString& refusal() const { return refusal_; }
    void play();
    void close();
    bool isOpen() const { return player_ != nullptr; }
    // Whether the sound reaches a sound card.
    bool audible() const { return driver_ != nullptr; }

    // In MIDI ticks; the length is 0 until the piece has begun to play, and the position
    // never passes it.
    std::int64_t length();
    std::int64_t position();

    // The soundfont used: default-GM.sf2, else any .sf2 in the same folder; empty if none.
    static QString soundFont(const QString& folder = QStringLiteral("/usr/share/sounds/sf2"));

  private:
    bool ensureSynth();
    void renderElapsed();

    const Fluidsynth* fs_ = nullptr;  // loaded with the first synthesiser
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    _fluid_audio_driver_t* driver_ = nullptr;
    _fluid_player_t* player_ = nullptr;
    bool triedSynth_ = false;
    QElapsedTimer rendered_;  // silent rendering: real time not yet rendered
    std::int64_t renderedFrames_ = 0;
    bool playing_ = false;
    QByteArray piece_;  // the player reads the piece from here, never from the file again
    QString refusal_;
    double sampleRate_ = 44100;
};

}  // namespace kroda::widgets
