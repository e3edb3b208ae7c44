// The music device plays a MIDI file through fluidsynth with no sound card: length and
// position in ticks, the position never past the length, and a file that is not MIDI refused.
#include "widgets/music_device.h"

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
    QTRY_VERIFY_WITH_TIMEOUT(music.length() > 0, 3000);
    EXPECT_EQ(music.length(), 96);
    QTRY_VERIFY_WITH_TIMEOUT(music.position() == music.length(), 5000);
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

}  // namespace
}  // namespace kroda::widgets
