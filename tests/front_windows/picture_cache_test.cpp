// The title screen's pictures are loaded once: the first bad file is named with what is wrong
// with it, and the good ones are kept for the windows to show.
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

}  // namespace
}  // namespace kroda::widgets
