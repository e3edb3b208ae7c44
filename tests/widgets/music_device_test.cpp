// The music device plays a MIDI file through fluidsynth with no sound card: length and
// position in ticks, the position never past the length, and a file that is not MIDI refused.
#include "widgets/music_device.h"

#include "support/wait_until.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kroda::widgets {
namespace {

// One track, 96 ticks per quarter: a note of 48 ticks, then the end 48 ticks later.
QByteArray tinyMidi() {
    const QByteArray track = QByteArray::fromHex(
                                 "00903C40"
                                 "3080 3C40"
                                 "30FF2F00")
                                 .replace(' ', "");
    QByteArray m = QByteArray::fromHex("4D546864000000060000000100604D54726B");
    const auto n = static_cast<quint32>(track.size());
    m.append(static_cast<char>(n >> 24)).append(static_cast<char>(n >> 16));
    m.append(static_cast<char>(n >> 8)).append(static_cast<char>(n));
    return m + track;
}

TEST(MusicDevice, PlaysAPieceToItsEndWithoutASoundCard) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tiny.mid"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(tinyMidi());
    f.close();

    MusicDevice music;
    ASSERT_TRUE(music.open(path));
    EXPECT_EQ(music.position(), 0);
    music.play();
    // 96 ticks at 120 beats a minute: half a second.
    ASSERT_TRUE(testing::waitUntil([&] { return music.length() > 0; }, 3000, "the length"));
    EXPECT_EQ(music.length(), 96);
    EXPECT_TRUE(testing::waitUntil([&] { return music.position() == music.length(); }, 5000,
                                   "the end of the piece"));
    QTest::qWait(200);
    EXPECT_EQ(music.position(), music.length());
    // Opened again, it starts from the beginning.
    music.close();
    ASSERT_TRUE(music.open(path));
    music.play();
    EXPECT_LT(music.position(), 96);
}

TEST(MusicDevice, RefusesAFileThatIsNotMidi) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("song.mid"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFF not music at all");
    f.close();
    MusicDevice music;
    EXPECT_FALSE(music.open(path));
    EXPECT_FALSE(music.open(dir.filePath(QStringLiteral("missing.mid"))));
    EXPECT_EQ(music.length(), 0);
    EXPECT_EQ(music.position(), 0);
}

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QLatin1String(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

// An empty file, a cut MIDI file and one that only begins like MIDI are refused with the
// reason; the device stays closed and silent.
TEST(MusicDevice, RefusesEmptyAndCutPiecesWithTheReason) {
    QTemporaryDir dir;
    const QByteArray midi = tinyMidi();
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty.mid", {}, "it is empty"},
        {"cut.mid", midi.left(midi.size() - 5), "it is cut short"},
        {"header.mid", midi.left(14), "it is cut short"},
    };
    MusicDevice music;
    for (const auto& c : cases) {
        EXPECT_FALSE(music.open(writeFile(dir, c.name, c.bytes))) << c.name;
        EXPECT_EQ(music.refusal().toStdString(), c.reason) << c.name;
        EXPECT_FALSE(music.isOpen()) << c.name;
        EXPECT_EQ(music.length(), 0) << c.name;
    }
}

// The piece plays from memory: deleting its file or writing other bytes over it while it
// plays changes nothing until it is opened again, when the new state of the file counts.
TEST(MusicDevice, APieceDeletedOrReplacedWhilePlayingPlaysOn) {
    for (const bool deleted : {true, false}) {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "song.mid", tinyMidi());
        MusicDevice music;
        ASSERT_TRUE(music.open(path));
        music.play();
        if (deleted)
            QFile::remove(path);
        else
            writeFile(dir, "song.mid", "not music any more");
        ASSERT_TRUE(testing::waitUntil([&] { return music.length() > 0; }, 3000, "the length"));
        EXPECT_EQ(music.length(), 96);
        EXPECT_TRUE(testing::waitUntil([&] { return music.position() == music.length(); }, 5000,
                                       "the end of the piece"));
        music.close();
        EXPECT_FALSE(music.open(path));
        EXPECT_EQ(music.refusal().toStdString(),
                  deleted ? "it is missing" : "it is not a MIDI file");
    }
}

}  // namespace
}  // namespace kroda::widgets
