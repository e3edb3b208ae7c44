#pragma once
// Reading the game folder's pictures and sounds the way a strict loader would.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace kroda::test {

// A Qt application object for the tests that draw (fonts need one).
void ensureGuiApplication();

QString gameFile(const QString& relative);
QByteArray readBytes(const QString& path);

struct BmpHeader {
    bool valid = false;
    std::int32_t width = 0, height = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;  // size of the colour table (0 = all 2^bits)
    std::uint32_t infoSize = 0;
};
BmpHeader readBmpHeader(const QByteArray& bytes);

struct WavInfo {
    bool valid = false;
    int format = 0, channels = 0, sampleRate = 0, bits = 0;
    std::vector<double> samples;  // -1..1
};
WavInfo readWav(const QByteArray& bytes);

// One cell of a strip cut rows x columns, counted row by row from 0.
QImage cellOf(const QImage& strip, int rows, int columns, int cell);
// Average colour of an image area.
void averageColour(const QImage& image, double& r, double& g, double& b);

}  // namespace kroda::test
