#pragma once
// A MIDI piece chosen as background music. Any file at all may be chosen, so it is read whole
// (a regular file, within a limit) and its chunks are checked before the synthesiser sees it:
// a file that is not MIDI, is empty or is cut short is refused with the reason. The piece then
// plays from memory, so deleting or replacing the file while it plays changes nothing.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace kroda {

constexpr std::int64_t kMidiFileLimit = 16 << 20;

struct MidiPiece {
    // A Standard MIDI File; a RIFF MIDI file ("RMID") is unwrapped to the one it holds.
    QByteArray smf;
    // Why the file cannot be played, worded to follow "cannot be played: "; empty when it can.
    QString error;

    bool ok() const { return error.isEmpty(); }
};

MidiPiece readMidiPiece(const QString& path);
MidiPiece checkMidiBytes(const QByteArray& bytes);

}  // namespace kroda
