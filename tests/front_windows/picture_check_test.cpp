// The title screen's picture check names the file and what is wrong with it.
#include "widgets/picture_check.h"

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

    EXPECT_EQ(pictureProblem({good, good}), std::nullopt);
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
