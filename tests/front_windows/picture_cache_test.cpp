// The windows' pictures are loaded once: the first bad file is named with what is wrong with
// it, and the good ones are kept for the windows to show.
#include "widgets/picture_cache.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda::widgets {
namespace {

TEST(PictureCheck, NamesTheFirstBadFileAndWhy) {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.bmp"));
    QImage(4, 4, QImage::Format_RGB32).save(good, "BMP");
    const QString broken = dir.filePath(QStringLiteral("broken.bmp"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("BM not really a picture");
    f.close();
    const QString missing = dir.filePath(QStringLiteral("missing.bmp"));

    PictureCache kept;
    EXPECT_EQ(kept.load({good, good}), std::nullopt);
    QFile::remove(good);  // what was loaded is shown without reading the file again
    EXPECT_EQ(kept.picture(good).size(), QSize(4, 4));
    EXPECT_EQ(kept.load({good}), std::nullopt);
    QImage(4, 4, QImage::Format_RGB32).save(good, "BMP");

    const auto pictureProblem = [](const QStringList& files) { return PictureCache().load(files); };
    const auto gone = pictureProblem({good, missing, broken});
    ASSERT_TRUE(gone);
    EXPECT_EQ(*gone, missing + QStringLiteral(": the file is missing"));
    const auto bad = pictureProblem({good, broken});
    ASSERT_TRUE(bad);
    EXPECT_TRUE(bad->startsWith(broken + QStringLiteral(": not a picture"))) << bad->toStdString();
    EXPECT_TRUE(pictureProblem({dir.path()})->endsWith(QStringLiteral("not a file")));
}

// A picture held by cells shows each cell as the whole picture held it, at the same colours,
// however the cells are asked for, and is never read from its file again.
TEST(PictureCells, EveryCellComesBackAsItWasCut) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cells.bmp"));
    QImage drawn(5 * 6, 3 * 4, QImage::Format_RGB32);
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            drawn.setPixel(x, y, qRgb(x * 8, y * 20, (x * y) % 256));
    ASSERT_TRUE(drawn.save(file, "BMP"));
    const PictureHolder holder{file, 3, 5};
    const PictureHolder other{dir.filePath(QStringLiteral("other.bmp")), 1, 1};
    ASSERT_TRUE(QImage(2, 2, QImage::Format_RGB32).save(other.File, "BMP"));

    PictureCache pictures;
    ASSERT_EQ(pictures.load({file, other.File}), std::nullopt);
    EXPECT_EQ(pictures.heldCell(holder, 0), nullptr);  // cut from the picture until held
    pictures.holdByCells(holder);
    QFile::remove(file);
    EXPECT_EQ(pictures.load({file}), std::nullopt);
    EXPECT_TRUE(pictures.picture(file).isNull());
    EXPECT_EQ(pictures.heldCell(other, 0), nullptr);

    // More cells than are kept decoded, out of order and again.
    for (const int cell : {0, 14, 7, 3, 9, 12, 0, 5, 14, 1, 2, 3, 4, 6, 8, 10, 11, 13, 7}) {
        SCOPED_TRACE(cell);
        const QImage* shown = pictures.heldCell(holder, cell);
        ASSERT_NE(shown, nullptr);
        const QImage expected =
            drawn.copy((cell % 5) * 6, (cell / 5) * 4, 6, 4).convertToFormat(shown->format());
        EXPECT_EQ(*shown, expected);
    }
    for (const int outside : {-1, 15, 1000}) {
        const QImage* shown = pictures.heldCell(holder, outside);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->isNull());
    }
}

}  // namespace
}  // namespace kroda::widgets
