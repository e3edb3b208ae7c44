#include "model/midi_file.h"

#include "model/regular_file.h"

namespace kroda {

namespace {

std::uint32_t bigEndian32(const QByteArray& b, qsizetype at) {
    const auto u = [&](qsizetype i) {
        return static_cast<std::uint32_t>(static_cast<uchar>(b[i]));
    };
    return u(at) << 24 | u(at + 1) << 16 | u(at + 2) << 8 | u(at + 3);
}

std::uint32_t littleEndian32(const QByteArray& b, qsizetype at) {
    const auto u = [&](qsizetype i) {
        return static_cast<std::uint32_t>(static_cast<uchar>(b[i]));
    };
    return u(at) | u(at + 1) << 8 | u(at + 2) << 16 | u(at + 3) << 24;
}

std::uint16_t bigEndian16(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<uchar>(b[at]) << 8 |
                                      static_cast<uchar>(b[at + 1]));
}

MidiPiece refused(const char* why) {
    MidiPiece p;
    p.error = QLatin1String(why);
    return p;
}

// The "data" chunk of a RIFF MIDI file, or an error.
MidiPiece unwrapRiff(const QByteArray& b) {
    if (b.size() < 12 || b.mid(8, 4) != "RMID")
        return refused("it is a RIFF file that holds no MIDI");
    const qsizetype end = std::min<qsizetype>(b.size(), 8 + qsizetype{littleEndian32(b, 4)});
    qsizetype at = 12;
    while (at + 8 <= end) {
        const qsizetype length = littleEndian32(b, at + 4);
        if (length > end - at - 8)
            return refused("it is cut short");
        if (b.mid(at, 4) == "data")
            return checkMidiBytes(b.mid(at + 8, length));
        at += 8 + length + (length & 1);
    }
    return refused("it is a RIFF file that holds no MIDI");
}

}  // namespace

MidiPiece checkMidiBytes(const QByteArray& b) {
    if (b.isEmpty())
        return refused("it is empty");
    if (b.startsWith("RIFF"))
        return unwrapRiff(b);
    if (b.size() < 14 || !b.startsWith("MThd"))
        return refused("it is not a MIDI file");
    const std::uint32_t headerLength = bigEndian32(b, 4);
    if (headerLength < 6 || headerLength > static_cast<std::uint32_t>(b.size() - 8))
        return refused("its MIDI header is damaged");
    const std::uint16_t format = bigEndian16(b, 8);
    const std::uint16_t tracks = bigEndian16(b, 10);
    const std::uint16_t division = bigEndian16(b, 12);
    if (format > 2)
        return refused("it is of an unknown MIDI format");
    if (tracks == 0)
        return refused("it holds no tracks");
    if (division == 0)
        return refused("its MIDI header is damaged");
    if (division & 0x8000)
        return refused("it keeps time in SMPTE frames, which the player does not support");
    int found = 0;
    qsizetype at = 8 + qsizetype{headerLength};
    while (found < tracks) {
        if (b.size() - at < 8)
            return refused("it is cut short");
        const qsizetype length = bigEndian32(b, at + 4);
        if (length > b.size() - at - 8)
            return refused("it is cut short");
        if (b.mid(at, 4) == "MTrk")
            ++found;
        at += 8 + length;
    }
    MidiPiece piece;
    piece.smf = b.left(at);
    return piece;
}

MidiPiece readMidiPiece(const QString& path) {
    FileRead file = readRegularFile(path, kMidiFileLimit);
    if (!file.ok()) {
        MidiPiece p;
        p.error = file.error;
        return p;
    }
    return checkMidiBytes(file.bytes);
}

}  // namespace kroda
