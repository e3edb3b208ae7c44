#include "platform/wav_duration.h"

#include "model/regular_file.h"

#include <algorithm>

namespace kroda {

namespace {

// The headers of a sound lie within its first chunks; its samples need not be read.
constexpr std::int64_t kSoundFileLimit = std::int64_t{256} << 20;
constexpr std::int64_t kSoundHeaderBytes = 1 << 20;

std::uint32_t le32(const QByteArray& b, qsizetype at) {
    const auto u = [&](qsizetype i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i]));
    };
    return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}

}  // namespace

std::optional<std::int64_t> wavDurationMs(const QString& path) {
    // A sound named by a board may be anything: only a regular file is read, and only its
    // beginning, so a FIFO or a device never blocks the game.
    const FileRead file = readRegularFile(path, kSoundFileLimit, kSoundHeaderBytes);
    const QByteArray& b = file.bytes;
    if (!file.ok() || b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::uint32_t byteRate = 0;
    // Chunks follow one another, each padded to an even length; "fmt " gives the byte rate,
    // "data" the length.
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const std::int64_t size = le32(b, at + 4);
        const QByteArray id = b.mid(at, 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > b.size())
                return std::nullopt;
            byteRate = le32(b, body + 8);
        } else if (id == "data") {
            if (byteRate == 0)
                return std::nullopt;
            const std::int64_t available = std::max<std::int64_t>(0, file.size - body);
            const auto bytes = static_cast<std::uint64_t>(std::min(size, available));
            return static_cast<std::int64_t>((bytes * 1000 + byteRate - 1) / byteRate);
        }
        const std::int64_t next = body + size + (size & 1);
        if (next > b.size())
            return std::nullopt;
        at = static_cast<qsizetype>(next);
    }
    return std::nullopt;
}

}  // namespace kroda
