// A sound lasts as long as its own header says: the sample data over the byte rate, whatever
// the size of its format chunk and whatever chunks come before the data. Anything that is not
// a readable WAV file has no length, and never blocks.
#include "platform/wav_duration.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kroda::testing {
namespace {

QByteArray le32(quint32 v) {
    QByteArray out;
    for (int k = 0; k < 4; ++k) out.append(static_cast<char>((v >> (8 * k)) & 0xff));
    return out;
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray c = QByteArray(id) + le32(static_cast<quint32>(body.size())) + body;
    return body.size() % 2 ? c + '\0' : c;
}

// Mono 8-bit PCM at 1000 bytes a second; `extension` bytes after the 16 of the format.
QByteArray format(int extension) {
    QByteArray fmt("\x01\x00\x01\x00", 4);
    fmt += le32(1000) + le32(1000) + QByteArray("\x01\x00\x08\x00", 4);
    return chunk("fmt ", fmt + QByteArray(extension, '\0'));
}

QByteArray wave(const QByteArray& chunks) {
    const QByteArray body = "WAVE" + chunks;
    return "RIFF" + le32(static_cast<quint32>(body.size())) + body;
}

TEST(WavDuration, TheHeaderGivesTheLength) {
    const QByteArray samples(250, '\x80');
    QByteArray cut = chunk("data", QByteArray(900, '\x80'));
    cut.chop(600);  // says 900 bytes, holds 300
    const struct {
        const char* name;
        QByteArray bytes;
        std::optional<std::int64_t> ms;
    } cases[] = {
        {"plain PCM, a 16-byte format", wave(format(0) + chunk("data", samples)), 250},
        {"a format with its extension", wave(format(2) + chunk("data", samples)), 250},
        {"an odd chunk, padded, before the data",
         wave(format(0) + chunk("LIST", "abc") + chunk("data", samples)), 250},
        {"data cut short counts what is there", wave(format(0) + cut), 300},
        {"no format before the data", wave(chunk("data", samples)), std::nullopt},
        {"no data", wave(format(0)), std::nullopt},
        {"a format cut short", wave(chunk("fmt ", "\x01\x00")), std::nullopt},
        {"not RIFF", QByteArray("MThd not a sound at all"), std::nullopt},
        {"empty", QByteArray(), std::nullopt},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("sound.wav"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        EXPECT_EQ(wavDurationMs(path), c.ms) << c.name;
    }
}

TEST(WavDuration, TheGamesOwnSoundsHaveTheirLength) {
    for (const char* name : {"/Sound/503.wav", "/Sound/505.wav"}) {
        const auto ms = wavDurationMs(QStringLiteral(KRODA_GAME_DIR) + QLatin1String(name));
        ASSERT_TRUE(ms.has_value()) << name;
        EXPECT_GT(*ms, 0) << name;
    }
}

TEST(WavDuration, OnlyARegularFileIsRead) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("503.wav"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(wavDurationMs(fifo), std::nullopt);
    EXPECT_EQ(wavDurationMs(dir.path()), std::nullopt);
    EXPECT_EQ(wavDurationMs(QStringLiteral("/dev/zero")), std::nullopt);
}

}  // namespace
}  // namespace kroda::testing
