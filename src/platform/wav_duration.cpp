#include "platform/wav_duration.h"

#include <QFile>

namespace kroda {

namespace {
std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t{u[0]} | std::uint32_t{u[1]} << 8 | std::uint32_t{u[2]} << 16 |
           std::uint32_t{u[3]} << 24;
}
}  // namespace

std::optional<std::int64_t> wavDurationMs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    char header[12];
    if (file.read(header, 12) != 12 || QByteArray(header, 4) != "RIFF" ||
        QByteArray(header + 8, 4) != "WAVE")
        return std::nullopt;
    std::uint32_t byteRate = 0;
    // Chunks follow one another; "fmt " gives the byte rate, "data" the length.
    for (int chunks = 0; chunks < 64; ++chunks) {
        char chunk[8];
        if (file.read(chunk, 8) != 8)
            return std::nullopt;
        const std::uint32_t size = le32(chunk + 4);
        const QByteArray id(chunk, 4);
        if (id == "fmt ") {
            char fmt[16];
            if (size < 16 || file.read(fmt, 16) != 16)
                return std::nullopt;
            byteRate = le32(fmt + 8);
            if (!file.skip(static_cast<qint64>(size) - 16 + (size & 1)))
                return std::nullopt;
        } else if (id == "data") {
            if (byteRate == 0)
                return std::nullopt;
            const std::uint64_t available = static_cast<std::uint64_t>(file.size() - file.pos());
            const std::uint64_t bytes = std::min<std::uint64_t>(size, available);
            return static_cast<std::int64_t>((bytes * 1000 + byteRate - 1) / byteRate);
        } else if (!file.skip(static_cast<qint64>(size) + (size & 1))) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace kroda
