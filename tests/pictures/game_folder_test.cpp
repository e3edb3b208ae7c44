// The picture files of the game folder: where the windows look for them, in the format and
// size their holders cut into cells.

#include "picture_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <set>

namespace kroda::test {
namespace {

struct Expected {
    const char* path;
    int width, height, rows, columns;
    bool paletted;
};

const Expected kPictures[] = {
    {"RsCommon/Game.bmp", 640, 480, 1, 1, false},   {"RsCommon/Tao.bmp", 400, 40, 1, 10, false},
    {"RsCommon/Wizard.bmp", 480, 400, 1, 1, false}, {"RsCommon/About.bmp", 400, 400, 1, 1, false},
    {"Rs64K/Title.bmp", 640, 480, 1, 1, false},     {"Rs64K/SQBtns.Bmp", 144, 48, 1, 3, false},
    {"Rs64K/LBtns.bmp", 300, 35, 1, 3, false},      {"Rs64K/MiniBtns.bmp", 96, 32, 1, 3, false},
    {"Rs256/Title.bmp", 640, 480, 1, 1, true},      {"Rs256/SQBtns.Bmp", 144, 48, 1, 3, true},
    {"Rs256/LBtns.bmp", 300, 35, 1, 3, true},       {"Rs256/MiniBtns.bmp", 96, 32, 1, 3, true},
    {"Image/Yelface.bmp", 360, 72, 1, 5, false},    {"Image/Redface.bmp", 280, 56, 1, 5, false},
    {"Image/Grnface.bmp", 280, 56, 1, 5, false},    {"Image/Whiface.bmp", 280, 56, 1, 5, false},
    {"Image/Bluface.bmp", 280, 56, 1, 5, false},    {"Image/Hblocks.bmp", 33, 90, 10, 1, false},
    {"Image/Vblocks.bmp", 90, 33, 1, 10, false},    {"Image/Stblocks.bmp", 96, 150, 6, 1, false},
    {"Image/CBlock.bmp", 288, 288, 1, 1, false},    {"Image/Corners.bmp", 96, 96, 2, 2, false},
    {"Image/Sides.bmp", 192, 192, 6, 6, false},     {"Image/Places.bmp", 768, 480, 5, 8, false},
};

QImage load(const char* path) {
    return QImage(gameFile(path));
}

// Every picture is an uncompressed BMP of the exact size, true colour or 8-bit with its own
// colour table of at most 256 entries, and the size divides evenly into its holder's cells.
TEST(GameFolderPictures, FormatSizeAndGrid) {
    for (const Expected& e : kPictures) {
        SCOPED_TRACE(e.path);
        const QString path = gameFile(e.path);
        // The exact letter case matters to the loader: list the folder rather than open it.
        const QFileInfo info(path);
        ASSERT_TRUE(QDir(info.absolutePath()).entryList(QDir::Files).contains(info.fileName()));
        const BmpHeader h = readBmpHeader(readBytes(path));
        ASSERT_TRUE(h.valid);
        EXPECT_EQ(h.infoSize, 40u);
        EXPECT_EQ(h.compression, 0u);
        EXPECT_EQ(h.width, e.width);
        EXPECT_EQ(std::abs(h.height), e.height);
        if (e.paletted) {
            EXPECT_EQ(h.bitsPerPixel, 8);
            EXPECT_LE(h.coloursUsed, 256u);
        } else {
            EXPECT_EQ(h.bitsPerPixel, 24);
        }
        const QImage image = load(e.path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(e.width, e.height));
        EXPECT_EQ(e.width % e.columns, 0);
        EXPECT_EQ(e.height % e.rows, 0);
    }
}

// The 256-colour title and buttons look like the true colour ones: a poor palette or a broken
// dither would show here long before anyone runs a 256-colour display.
TEST(GameFolderPictures, PalettedSetMatchesTrueColourSet) {
    for (const char* name : {"Title.bmp", "SQBtns.Bmp", "LBtns.bmp", "MiniBtns.bmp"}) {
        SCOPED_TRACE(name);
        const QImage full =
            load((std::string("Rs64K/") + name).c_str()).convertToFormat(QImage::Format_RGB32);
        const QImage few = load((std::string("Rs256/") + name).c_str());
        ASSERT_EQ(few.format(), QImage::Format_Indexed8);
        const QImage reduced = few.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(full.size(), reduced.size());
        double difference = 0;
        for (int y = 0; y < full.height(); ++y) {
            for (int x = 0; x < full.width(); ++x) {
                const QRgb a = full.pixel(x, y), b = reduced.pixel(x, y);
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b));
            }
        }
        EXPECT_LT(difference / (3.0 * full.width() * full.height()), 4.0);
    }
}

// Each cell of a strip holds a picture of its own: a grid cut wrongly, or a cell drawn twice,
// would show two equal cells or a flat one.
TEST(GameFolderPictures, CellsAreDistinctPictures) {
    struct Strip {
        const char* path;
        int rows, columns;
        std::set<std::set<int>> alike;  // cells that may look the same
    };
    const Strip strips[] = {
        {"RsCommon/Tao.bmp", 1, 10, {}},
        {"Image/Yelface.bmp", 1, 5, {}},
        {"Image/Redface.bmp", 1, 5, {}},
        {"Image/Whiface.bmp", 1, 5, {}},
        {"Image/Hblocks.bmp", 10, 1, {}},
        {"Image/Vblocks.bmp", 1, 10, {}},
        {"Image/Stblocks.bmp", 6, 1, {}},
        {"Image/Corners.bmp", 2, 2, {}},
        {"Image/Sides.bmp", 6, 6, {}},
        {"Rs64K/SQBtns.Bmp", 1, 3, {}},
        {"Image/Places.bmp", 5, 8, {{2, 17, 33}, {7, 22, 36}}},
    };
    for (const Strip& s : strips) {
        SCOPED_TRACE(s.path);
        const QImage strip = load(s.path);
        const int count = s.rows * s.columns;
        for (int i = 0; i < count; ++i) {
            const QImage a = cellOf(strip, s.rows, s.columns, i);
            bool flat = true;
            for (int y = 0; y < a.height() && flat; ++y) {
                for (int x = 0; x < a.width() && flat; ++x) {
                    flat = a.pixel(x, y) == a.pixel(0, 0);
                }
            }
            EXPECT_FALSE(flat && i > 0) << "cell " << i << " is one flat colour";
            for (int j = i + 1; j < count; ++j) {
                bool meantAlike = false;
                for (const auto& group : s.alike) {
                    meantAlike = meantAlike || (group.count(i) && group.count(j));
                }
                if (!meantAlike) {
                    EXPECT_NE(a, cellOf(strip, s.rows, s.columns, j))
                        << "cells " << i << " and " << j;
                }
            }
        }
    }
}

// The narrator's talking frame differs from his resting frame only around the mouth, so the
// face does not jump while he speaks.
TEST(GameFolderPictures, NarratorTalksWithHisMouthOnly) {
    const QImage strip = load("Image/Yelface.bmp");
    const QImage rest = cellOf(strip, 1, 5, 1), talk = cellOf(strip, 1, 5, 2);
    QRect changed;
    for (int y = 0; y < rest.height(); ++y) {
        for (int x = 0; x < rest.width(); ++x) {
            if (rest.pixel(x, y) != talk.pixel(x, y)) {
                changed |= QRect(x, y, 1, 1);
            }
        }
    }
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_GE(changed.top(), 36);
    EXPECT_LE(changed.width(), 24);
}

// The answer buttons read as yes (green) and no (red) in both blink frames, and the two
// frames of each differ so the blink shows.
TEST(GameFolderPictures, AnswerButtonsAreGreenYesAndRedNo) {
    const QImage strip = load("RsCommon/Tao.bmp");
    for (int cell = 6; cell <= 9; ++cell) {
        SCOPED_TRACE(cell);
        double r, g, b;
        averageColour(cellOf(strip, 1, 10, cell), r, g, b);
        if (cell < 8) {
            EXPECT_GT(g, r + 30);
        } else {
            EXPECT_GT(r, g + 30);
        }
    }
    EXPECT_NE(cellOf(strip, 1, 10, 6), cellOf(strip, 1, 10, 7));
    EXPECT_NE(cellOf(strip, 1, 10, 8), cellOf(strip, 1, 10, 9));
}

// Each face strip is painted in its player's colour; owner markers use the players' exact
// colours, as do the pads and tokens the window fills.
TEST(GameFolderPictures, PlayersKeepTheirColours) {
    const char* faces[4] = {"Image/Redface.bmp", "Image/Grnface.bmp", "Image/Whiface.bmp",
                            "Image/Bluface.bmp"};
    const QRgb exact[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 255), qRgb(0, 0, 255)};
    const QImage hblocks = load("Image/Hblocks.bmp"), vblocks = load("Image/Vblocks.bmp");
    for (int p = 0; p < 4; ++p) {
        SCOPED_TRACE(faces[p]);
        // The middle of the face in the pleased cell.
        const QImage face = cellOf(load(faces[p]), 1, 5, 1).copy(14, 30, 28, 12);
        double r, g, b;
        averageColour(face, r, g, b);
        switch (p) {
            case 0:
                EXPECT_GT(r, g + 80);
                EXPECT_GT(r, b + 80);
                break;
            case 1:
                EXPECT_GT(g, r + 60);
                EXPECT_GT(g, b + 60);
                break;
            case 2:
                EXPECT_GT(std::min({r, g, b}), 200);
                break;
            default:
                EXPECT_GT(b, r + 80);
                EXPECT_GT(b, g + 60);
                break;
        }
        EXPECT_EQ(cellOf(hblocks, 10, 1, p + 1).pixel(16, 4), exact[p]);
        EXPECT_EQ(cellOf(vblocks, 1, 10, p + 1).pixel(4, 16), exact[p]);
    }
}

}  // namespace
}  // namespace kroda::test
