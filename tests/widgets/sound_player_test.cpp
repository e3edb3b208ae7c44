// A missing or broken sound plays nothing and counts as over at once, so whoever waits for
// its end goes on; with or without a sound card, nothing hangs.
#include "widgets/sound_player.h"

#include "support/wait_until.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kroda::widgets {
namespace {

TEST(SoundPlayer, MissingOrBrokenSoundsAreOverAtOnce) {
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("505.wav"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFF\x10\0\0\0WAVEnot a sound", 24);
    f.close();
    SoundPlayer player;
    for (const QString& path :
         {dir.filePath(QStringLiteral("Sound/503.wav")), broken, dir.path(), QString()}) {
        int finished = 0;
        player.play(path, [&] { ++finished; });
        EXPECT_FALSE(player.busy()) << path.toStdString();
        testing::waitUntil([&] { return finished > 0; }, 500, "the end of the sound");
        QTest::qWait(50);
        EXPECT_EQ(finished, 1) << path.toStdString();
    }
}

}  // namespace
}  // namespace kroda::widgets
