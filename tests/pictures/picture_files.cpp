#include "picture_files.h"

#include <QFile>
#include <QGuiApplication>
#include <QtEndian>

namespace kroda::test {

void ensureGuiApplication() {
    if (QGuiApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_pictures";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);  // lives for the whole test run
    }
}

QString gameFile(const QString& relative) {
    return QStringLiteral(KRODA_GAME_DIR) + "/" + relative;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

namespace {
// Byte by byte: the readers check the sizes before they read, and stay clear of unaligned loads.
std::uint32_t u32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b.at(at))) | std::uint32_t(std::uint8_t(b.at(at + 1))) << 8 |
           std::uint32_t(std::uint8_t(b.at(at + 2))) << 16 |
           std::uint32_t(std::uint8_t(b.at(at + 3))) << 24;
}
std::uint16_t u16(const QByteArray& b, int at) {
    return std::uint16_t(std::uint8_t(b.at(at)) | std::uint8_t(b.at(at + 1)) << 8);
}
}  // namespace

BmpHeader readBmpHeader(const QByteArray& b) {
    BmpHeader h;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        return h;
    }
    h.infoSize = u32(b, 14);
    h.width = std::int32_t(u32(b, 18));
    h.height = std::int32_t(u32(b, 22));
    h.bitsPerPixel = u16(b, 28);
    h.compression = u32(b, 30);
    h.coloursUsed = u32(b, 46);
    h.valid = u16(b, 26) == 1 && u32(b, 2) == std::uint32_t(b.size()) &&
              u32(b, 10) < std::uint32_t(b.size());
    return h;
}

WavInfo readWav(const QByteArray& b) {
    WavInfo w;
    if (b.size() < 44 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") {
        return w;
    }
    int at = 12;
    bool haveFormat = false;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const int size = int(u32(b, at + 4));
        const int body = at + 8;
        if (body + size > b.size()) {
            return w;
        }
        if (id == "fmt ") {
            w.format = u16(b, body);
            w.channels = u16(b, body + 2);
            w.sampleRate = int(u32(b, body + 4));
            w.bits = u16(b, body + 14);
            haveFormat = true;
        } else if (id == "data" && haveFormat && w.bits == 16) {
            for (int i = 0; i + 1 < size; i += 2) {
                w.samples.push_back(std::int16_t(u16(b, body + i)) / 32768.0);
            }
            w.valid = true;
        }
        at = body + size + (size % 2);
    }
    return w;
}

QImage cellOf(const QImage& strip, int rows, int columns, int cell) {
    const int w = strip.width() / columns, h = strip.height() / rows;
    return strip.copy((cell % columns) * w, (cell / columns) * h, w, h);
}

void averageColour(const QImage& image, double& r, double& g, double& b) {
    r = g = b = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
        }
    }
    const double n = double(rgb.width()) * rgb.height();
    r /= n;
    g /= n;
    b /= n;
}

}  // namespace kroda::test

// Fontconfig keeps the patterns of the fonts it has read until the process ends and offers no
// way to free them from here; under the leak checker that cache is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
