// A client takes from its host only what a host may name: files of the game folder, by their
// "$APP/" names, and no music. A state or a moment naming a full path, a file of a board
// folder or a music file is refused by the client's reading, and leaves the copy and the
// document it holds as they were; a host whose player has music playing sends its moments
// without the music, so that its clients still follow it.

#include "network/host_copy.h"

#include "game/save_game.h"
#include "network/merge_patch.h"
#include "support/game_harness.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include <functional>
#include <initializer_list>
#include <utility>

namespace kroda::network {
namespace {

QJsonObject documentOf(const QByteArray& save) {
    return QJsonDocument::fromJson(save).object();
}

// The document with the values at dotted paths ("window.ImgLocation.File", list positions
// from 0) set, and its checksum made again, as a hostile host would.
QJsonObject edited(QJsonObject document,
                   std::initializer_list<std::pair<const char*, QJsonValue>> changes) {
    for (const auto& [path, value] : changes) {
        const QStringList keys = QString::fromLatin1(path).split(QLatin1Char('.'));
        std::function<QJsonValue(const QJsonValue&, int)> set = [&](const QJsonValue& node,
                                                                    int at) -> QJsonValue {
            if (at == keys.size())
                return value;
            if (node.isArray()) {
                QJsonArray a = node.toArray();
                const int i = keys[at].toInt();
                a[i] = set(a[i], at + 1);
                return a;
            }
            QJsonObject o = node.toObject();
            o[keys[at]] = set(o[keys[at]], at + 1);
            return o;
        };
        document = set(document, 0).toObject();
    }
    return documentOf(resealSave(QJsonDocument(document).toJson()));
}

TEST(HostCopy, TakesOnlyFilesOfTheGameFolderAndNoMusic) {
    kroda::testing::GameHarness host(2);
    host.load();
    // The host's player has chosen a piece of his own, which plays.
    host.game.window.MM.FileName = QStringLiteral("/home/host/Music/piece.mid");
    host.game.timers.TimerMM.setEnabled(true);
    const QJsonObject saved = documentOf(writeSave(host.game, host.clock));
    EXPECT_EQ(saved[QLatin1String("window")][QLatin1String("MM")][QLatin1String("FileName")],
              QStringLiteral("/home/host/Music/piece.mid"));
    const QJsonObject sent = documentOf(writeSave(host.game, host.clock, SaveSource::Host));

    kroda::testing::GameHarness client(2);
    client.game.setAppFolder(QStringLiteral(KRODA_GAME_DIR));
    HostCopy copy(client.game, client.clock);
    ASSERT_EQ(copy.take(State{QJsonDocument(sent).toJson()}), std::nullopt);
    EXPECT_EQ(copy.document(), sent);
    EXPECT_EQ(client.game.window.MM.FileName, QString());
    EXPECT_FALSE(client.port.musicCommands.join(QLatin1Char(' ')).contains(QLatin1String("open")));

    const QString gameFolder = QStringLiteral(KRODA_GAME_DIR);
    const struct {
        const char* name;
        QJsonObject document;
        const char* fault;
    } cases[] = {
        {"a full path into the game folder",
         edited(sent,
                {{"window.ImgLocation.File", gameFolder + QStringLiteral("/Image/CBlock.bmp")}}),
         "window.ImgLocation.File: \""},
        {"a picture of a board folder",
         edited(sent,
                {{"source.PicCSource.9.File", gameFolder + QStringLiteral("/Image/Corners.bmp")}}),
         "source.PicCSource(9).File: \""},
        {"a device", edited(sent, {{"window.Picture", QStringLiteral("/dev/zero")}}),
         "window.Picture: \"/dev/zero\": a host names only files of the game folder ($APP/...)"},
        {"a music file of the game folder",
         edited(sent, {{"window.MM.FileName", QStringLiteral("$APP/Sound/503.wav")}}),
         "window.MM.FileName: \"$APP/Sound/503.wav\": a host's music file is never opened"},
    };
    const QByteArray before = writeSave(client.game, client.clock);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Whole, as a state, and as a moment that changes the document held into it.
        const auto asState = copy.take(State{QJsonDocument(c.document).toJson()});
        const auto asMoment = copy.take(Moment{mergePatch(copy.document(), c.document)});
        for (const auto& fault : {asState, asMoment}) {
            ASSERT_TRUE(fault);
            EXPECT_TRUE(fault->contains(QLatin1String(c.fault))) << fault->toStdString();
            EXPECT_TRUE(fault->contains(QLatin1String("a host"))) << fault->toStdString();
        }
        EXPECT_EQ(copy.document(), sent);
        EXPECT_EQ(writeSave(client.game, client.clock), before);
    }
}

}  // namespace
}  // namespace kroda::network
