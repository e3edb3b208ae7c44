// Whatever file is chosen as music, it is either a playable Standard MIDI File, handed on
// whole, or refused with the reason; nothing past the file's end is ever read.

#include "model/midi_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kroda {
namespace {

QByteArray be32(quint32 n) {
    QByteArray b;
    for (int shift = 24; shift >= 0; shift -= 8) b.append(static_cast<char>(n >> shift));
    return b;
}

QByteArray le32(quint32 n) {
    QByteArray b;
    for (int shift = 0; shift <= 24; shift += 8) b.append(static_cast<char>(n >> shift));
    return b;
}

QByteArray header(int format, int tracks, const char* divisionHex = "0060") {
    return QByteArray("MThd") + be32(6) + QByteArray::fromHex("000" + QByteArray::number(format)) +
           QByteArray::fromHex(QByteArray::number(tracks, 16).rightJustified(4, '0')) +
           QByteArray::fromHex(divisionHex);
}

QByteArray chunk(const char* id, const QByteArray& body) {
    return QByteArray(id) + be32(static_cast<quint32>(body.size())) + body;
}

const QByteArray kTrack = chunk("MTrk", QByteArray::fromHex("00903C403080 3C4030FF2F00"));
const QByteArray kPiece = header(0, 1) + kTrack;

QByteArray riff(const QByteArray& inner) {
    QByteArray body =
        QByteArray("RMID") + "data" + le32(static_cast<quint32>(inner.size())) + inner;
    return QByteArray("RIFF") + le32(static_cast<quint32>(body.size())) + body;
}

TEST(MidiFile, PlayablePiecesAreHandedOnWhole) {
    const QByteArray twoTracks = header(1, 2) + kTrack + chunk("XFIH", "skip") + kTrack;
    const struct {
        const char* name;
        QByteArray bytes;
        QByteArray smf;
    } cases[] = {
        {"one track", kPiece, kPiece},
        {"two tracks around a chunk of another kind", twoTracks, twoTracks},
        {"bytes after the last track are left out", kPiece + "junk", kPiece},
        {"a RIFF MIDI file gives the piece inside it", riff(kPiece), kPiece},
    };
    for (const auto& c : cases) {
        const MidiPiece p = checkMidiBytes(c.bytes);
        EXPECT_TRUE(p.ok()) << c.name << ": " << p.error.toStdString();
        EXPECT_EQ(p.smf, c.smf) << c.name;
    }
}

TEST(MidiFile, DamagedOrForeignFilesAreRefusedWithTheReason) {
    const QByteArray cut = kPiece.left(kPiece.size() - 3);
    QByteArray longHeader = kPiece;
    longHeader.replace(4, 4, be32(0x7FFFFFF0));
    QByteArray longTrack = kPiece;
    longTrack.replace(18, 4, be32(0xFFFFFFFF));
    const struct {
        const char* name;
        QByteArray bytes;
        const char* error;
    } cases[] = {
        {"empty", {}, "it is empty"},
        {"text", "MIDI music, honestly", "it is not a MIDI file"},
        {"a header alone, too short", QByteArray("MThd") + be32(6), "it is not a MIDI file"},
        {"a header longer than the file", longHeader, "its MIDI header is damaged"},
        {"format 3", header(3, 1) + kTrack, "it is of an unknown MIDI format"},
        {"no tracks", header(1, 0), "it holds no tracks"},
        {"no division", header(0, 1, "0000") + kTrack, "its MIDI header is damaged"},
        {"SMPTE time", header(0, 1, "E728") + kTrack,
         "it keeps time in SMPTE frames, which the player does not support"},
        {"the last track cut", cut, "it is cut short"},
        {"a track longer than the file", longTrack, "it is cut short"},
        {"fewer tracks than the header says", header(1, 3) + kTrack + kTrack, "it is cut short"},
        {"a RIFF file of sound", QByteArray("RIFF") + le32(4) + "WAVE",
         "it is a RIFF file that holds no MIDI"},
        {"a RIFF MIDI file cut short", riff(kPiece).left(30), "it is cut short"},
        {"a RIFF MIDI file holding damage", riff(cut), "it is cut short"},
    };
    for (const auto& c : cases) {
        const MidiPiece p = checkMidiBytes(c.bytes);
        EXPECT_EQ(p.error.toStdString(), c.error) << c.name;
        EXPECT_TRUE(p.smf.isEmpty()) << c.name;
    }
}

// The file is read only if it is a regular one, and its true cause is given otherwise.
TEST(MidiFile, OnlyRegularFilesAreRead) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.mid"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(readMidiPiece(fifo).error.toStdString(), "it is a FIFO, not a regular file");
    EXPECT_EQ(readMidiPiece(dir.path()).error.toStdString(), "it is a folder, not a file");
    EXPECT_EQ(readMidiPiece(QStringLiteral("/dev/zero")).error.toStdString(),
              "it is a device, not a regular file");
    EXPECT_EQ(readMidiPiece(dir.filePath(QStringLiteral("gone.mid"))).error.toStdString(),
              "it is missing");
}

}  // namespace
}  // namespace kroda
