// The generator's own pieces: the 256-colour conversion, the WAV writer, the Thai fonts, and
// how the board's tiles tie to the square illustrations.

#include "picture_files.h"

#include "art/canvas.h"
#include "art/pictures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImageWriter>

#include <cmath>

namespace kroda::test {
namespace {

QByteArray asBmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(image);
    return bytes;
}

// A picture of few colours keeps them exactly, and still goes out as an 8-bit BMP (a short
// colour table would let the writer fall back to 4 bits).
TEST(PalettedConversion, FewColoursStayExactAndEightBit) {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    image.fill(Qt::white);
    for (int x = 0; x < 30; ++x) {
        image.setPixel(x, x % 20, qRgb(200, 10, 10));
    }
    const QImage few = art::toPaletted(image);
    ASSERT_EQ(few.format(), QImage::Format_Indexed8);
    EXPECT_EQ(few.colorCount(), 256);
    EXPECT_EQ(few.convertToFormat(QImage::Format_RGB32), image);
    const BmpHeader h = readBmpHeader(asBmp(few));
    ASSERT_TRUE(h.valid);
    EXPECT_EQ(h.bitsPerPixel, 8);
}

// A picture of thousands of colours gets a palette of at most 256 that follows it closely,
// with no colour far off anywhere (a wrong palette entry would show as a blotch).
TEST(PalettedConversion, ManyColoursFollowThePicture) {
    QImage image(128, 96, QImage::Format_RGB32);
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 128; ++x) {
            image.setPixel(x, y, qRgb(x * 2, y * 255 / 95, (x + y) % 256));
        }
    }
    const QImage few = art::toPaletted(image);
    ASSERT_EQ(few.format(), QImage::Format_Indexed8);
    EXPECT_LE(few.colorCount(), 256);
    const QImage back = few.convertToFormat(QImage::Format_RGB32);
    double total = 0;
    int worst = 0;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 128; ++x) {
            const QRgb a = image.pixel(x, y), b = back.pixel(x, y);
            const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b));
            total += d;
            worst = std::max(worst, d);
        }
    }
    EXPECT_LT(total / (96.0 * 128 * 3), 8.0);
    EXPECT_LT(worst, 120);
}

// The WAV writer: a header whose sizes match the samples, and samples beyond full scale
// clamped rather than wrapped around (a wrap is a loud crack).
TEST(WavWriter, SizesAndClamping) {
    const QByteArray wav = art::pcmWav({0.f, 0.5f, 2.f, -2.f}, 22050);
    const WavInfo w = readWav(wav);
    ASSERT_TRUE(w.valid);
    EXPECT_EQ(wav.size(), 44 + 8);
    EXPECT_EQ(w.sampleRate, 22050);
    ASSERT_EQ(w.samples.size(), 4u);
    EXPECT_NEAR(w.samples[1], 0.5, 0.001);
    EXPECT_GT(w.samples[2], 0.99);
    EXPECT_LT(w.samples[3], -0.99);
}

// Thai text is drawn with the TLWG fonts themselves, which hold every letter, vowel and tone
// mark of the captions; a fallback font would draw boxes or misplace the marks.
TEST(ThaiText, DrawnWithTheTlwgFonts) {
    ensureGuiApplication();
    art::loadThaiFonts();
    const QString text = QStringLiteral("จุดเริ่มต้น คุก พักผ่อน ไปเข้าคุก ซื้อ ไม่ซื้อ บัตรโชคชะตา");
    for (const char* family : {"Loma", "Kinnari"}) {
        SCOPED_TRACE(family);
        const QFont font = art::thaiFont(family, 14);
        EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(family));
        const QFontMetrics metrics(font);
        for (const QChar c : text) {
            EXPECT_TRUE(metrics.inFont(c)) << int(c.unicode());
        }
    }
    // A fitted caption keeps its marks above and below inside its box.
    const QSizeF box(44, 13);
    const QFont fitted = art::fittedFont("Loma", true, QStringLiteral("จุดเริ่มต้น"), box, 12);
    QPainterPath ink;
    ink.addText(0, 0, fitted, QStringLiteral("จุดเริ่มต้น"));
    EXPECT_LE(ink.boundingRect().height(), box.height());
    EXPECT_LE(ink.boundingRect().width(), box.width());
    EXPECT_GE(fitted.pixelSize(), 9);
}

// Side tile k belongs to square k + 1 + k / 9: its colour band faces the board's centre in
// the colour of that square's group, and its small picture is that square's illustration.
TEST(BoardTiles, SideTilesMatchTheirSquares) {
    const QImage sides(gameFile("Image/Sides.bmp"));
    const QImage places(gameFile("Image/Places.bmp"));
    ASSERT_FALSE(sides.isNull());
    ASSERT_FALSE(places.isNull());
    auto thumbnail = [](const QImage& image) {
        return image.scaled(6, 6, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    };
    auto distance = [](const QImage& a, const QImage& b) {
        double d = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                d += std::pow(qRed(p) - qRed(q), 2) + std::pow(qGreen(p) - qGreen(q), 2) +
                     std::pow(qBlue(p) - qBlue(q), 2);
            }
        }
        return d;
    };
    std::vector<QImage> placeThumbs;
    for (int i = 0; i < 40; ++i) {
        placeThumbs.push_back(thumbnail(cellOf(places, 5, 8, i).copy(4, 4, 88, 88)));
    }
    // Squares of one group share a band colour; the band sits on the inner side.
    auto bandColour = [&](int k) {
        const QImage tile = cellOf(sides, 6, 6, k);
        const int side = k / 9;
        const QPoint inner = side == 0   ? QPoint(16, 3)
                             : side == 1 ? QPoint(28, 16)
                             : side == 2 ? QPoint(16, 28)
                                         : QPoint(3, 16);
        return tile.pixel(inner);
    };
    auto sideOf = [](int index) { return index - 1 - index / 10; };
    EXPECT_EQ(bandColour(sideOf(1)), bandColour(sideOf(3)));    // brown
    EXPECT_EQ(bandColour(sideOf(11)), bandColour(sideOf(14)));  // pink, left column
    EXPECT_EQ(bandColour(sideOf(21)), bandColour(sideOf(23)));  // red, top row
    EXPECT_EQ(bandColour(sideOf(31)), bandColour(sideOf(34)));  // green, right column
    EXPECT_NE(bandColour(sideOf(3)), bandColour(sideOf(6)));    // brown against light blue
    EXPECT_EQ(bandColour(sideOf(2)), bandColour(sideOf(17)));   // the treasure squares
    EXPECT_NE(bandColour(sideOf(7)), bandColour(sideOf(2)));    // fortune against treasure

    for (int k = 0; k < 36; ++k) {
        const int index = k + 1 + k / 9;
        SCOPED_TRACE(index);
        const QImage tile = cellOf(sides, 6, 6, k);
        const int side = k / 9;
        const QPoint pictureAt = side == 0   ? QPoint(6, 12)
                                 : side == 1 ? QPoint(3, 6)
                                 : side == 2 ? QPoint(6, 3)
                                             : QPoint(10, 6);
        const QImage picture = thumbnail(tile.copy(QRect(pictureAt, QSize(18, 18))));
        int nearest = 0;
        for (int i = 1; i < 40; ++i) {
            if (distance(picture, placeThumbs[size_t(i)]) <
                distance(picture, placeThumbs[size_t(nearest)])) {
                nearest = i;
            }
        }
        EXPECT_LT(distance(placeThumbs[size_t(nearest)], placeThumbs[size_t(index)]), 1.0)
            << "looks like square " << nearest;
    }
}

// The board centre stays calm where the window writes the toolbar hint and lays the toolbar:
// no bright title or ornament under them.
TEST(BoardTiles, CentreKeepsCalmAreas) {
    const QImage centre(gameFile("Image/CBlock.bmp"));
    ASSERT_FALSE(centre.isNull());
    for (const QRect& area : {QRect(8, 224, 137, 17), QRect(32, 256, 112, 16)}) {
        int lowest = 255, highest = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const int grey = qGray(centre.pixel(x, y));
                lowest = std::min(lowest, grey);
                highest = std::max(highest, grey);
            }
        }
        EXPECT_LT(highest - lowest, 40) << area.x() << "," << area.y();
        EXPECT_GT(lowest, 150);
    }
}

}  // namespace
}  // namespace kroda::test
