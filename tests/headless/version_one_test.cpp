// A save of the first version of the format, written by the game as it was then: three
// computers in the middle of a game, 16 squares owned, the bankrupt card in.

#include "driver_harness.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda::headless::testing {
namespace {

const std::string kVersionOne = KRODA_SOURCE_DIR "/tests/headless/version-1.Sav";

// Its seats read as the designed computer, which plays on to the winner the game of that
// version reached from the same moment (player 2, at 1714786 ms); its toolbar is laid out as
// today's, with the speed button; saved again, the file is of today's version and keeps a seat
// made strong.
TEST(VersionOneSave, ReadsWithEverySeatTheDesignedComputer) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string again = dir.filePath(QStringLiteral("again.Sav")).toStdString();
    const ScriptOutcome r = runScript("load \"" + kVersionOne + "\"\n" +
                                          "get Players(1).Name\n"
                                          "get Players(1).Strong\n"
                                          "get Players(2).Strong\n"
                                          "get Players(3).Strong\n"
                                          "get Players(4).Strong\n"
                                          "get ImgIconT(3).Visible\n"
                                          "play\n"
                                          "get CurPlayer\n"
                                          "set Players(3).Strong true\n"
                                          "save \"" +
                                          again + "\"\nload \"" + again + "\"\n" +
                                          "get Players(3).Strong\n"
                                          "get Players(2).Strong\n",
                                      boardFolder());
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(r.out,
              "Somchai     \n"
              "false\nfalse\nfalse\nfalse\n"
              "true\n"
              "1714786\n"
              "2\n"
              "true\nfalse\n");
    QFile saved(QString::fromStdString(again));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QJsonDocument::fromJson(saved.readAll()).object().value("version").toInt(), 2);
}

}  // namespace
}  // namespace kroda::headless::testing
