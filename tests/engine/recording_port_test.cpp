// The recording port lets an asynchronous sound play only when the one before it is over,
// each lasting as long as its WAV file says, however often it plays.
#include "platform/recording_port.h"
#include "platform/wav_duration.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

void put32(QByteArray& out, quint32 v) {
    for (int k = 0; k < 4; ++k) out.append(static_cast<char>((v >> (8 * k)) & 0xff));
}

// A mono 8-bit PCM file of 1000 bytes a second, `ms` long, its format chunk with the
// two-byte extension.
QString writeWav(const QString& path, int ms) {
    QByteArray fmt;
    fmt.append("\x01\x00\x01\x00", 4);  // PCM, one channel
    put32(fmt, 1000);                   // samples per second
    put32(fmt, 1000);                   // bytes per second
    fmt.append("\x01\x00\x08\x00\x00\x00", 6);
    QByteArray body = "WAVEfmt ";
    put32(body, static_cast<quint32>(fmt.size()));
    body += fmt + "data";
    put32(body, static_cast<quint32>(ms));
    body += QByteArray(ms, '\x80');
    QByteArray file = "RIFF";
    put32(file, static_cast<quint32>(body.size()));
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file + body);
    return path;
}

TEST(RecordingPort, AsynchronousSoundWaitsForTheOneBeforeItToEnd) {
    const QTemporaryDir dir;
    const QString throwSound = writeWav(dir.filePath(QStringLiteral("503.wav")), 600);
    const auto length = wavDurationMs(throwSound);
    ASSERT_EQ(length, 600);

    RecordingPort port;
    double seconds = 100;
    port.clock = [&seconds] { return seconds; };
    for (int round = 0; round < 3; ++round) {
        port.playSound(throwSound, SoundMode::AsyncNoInterrupt);
        seconds += static_cast<double>(*length - 1) / 1000;
        port.playSound(throwSound, SoundMode::AsyncNoInterrupt);  // still playing: dropped
        seconds += 0.001;
    }
    EXPECT_EQ(port.sounds.size(), 3);
    EXPECT_EQ(port.droppedSounds.size(), 3);

    // A missing file lasts no time at all.
    const QString missing = dir.filePath(QStringLiteral("none.wav"));
    port.playSound(missing, SoundMode::AsyncNoInterrupt);
    port.playSound(missing, SoundMode::AsyncNoInterrupt);
    EXPECT_EQ(port.sounds.size(), 5);
}

}  // namespace
}  // namespace kroda::testing
