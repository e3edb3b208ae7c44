#include "model/bmp_header.h"

#include "model/regular_file.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace kroda {

namespace {

std::uint32_t u32(const QByteArray& b, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::uint16_t u16(const QByteArray& b, int at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      (static_cast<unsigned char>(b[at + 1]) << 8));
}

}  // namespace

BmpHeader readBmpHeader(const QString& path) {
    BmpHeader out;
    const FileRead file = readRegularFile(path, kPictureFileLimit, 26);
    if (!file.ok()) {
        out.error = file.error;
        return out;
    }
    // The file header (14 bytes), then the size of the picture header and the dimensions.
    const QByteArray& b = file.bytes;
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') {
        out.error = QStringLiteral("it is not a BMP picture");
        return out;
    }
    const std::uint32_t headerSize = u32(b, 14);
    if (headerSize == 12) {
        out.width = u16(b, 18);
        out.height = u16(b, 20);
    } else if (headerSize >= 40) {
        const auto w = static_cast<std::int32_t>(u32(b, 18));
        const auto h = static_cast<std::int32_t>(u32(b, 22));
        if (w <= 0 || h == 0 || h == INT32_MIN) {
            out.error =
                QStringLiteral("it is not a BMP picture (its size is %1 x %2)").arg(w).arg(h);
            return out;
        }
        out.width = w;
        out.height = std::abs(h);
    } else {
        out.error =
            QStringLiteral("it is not a BMP picture (unknown header of %1 bytes)").arg(headerSize);
        return out;
    }
    out.ok = true;
    return out;
}

}  // namespace kroda
