// A bad save file, damaged or hostile, is refused with a message naming the file and the
// fault, and the game it was to be loaded into stays exactly as it was.

#include "driver_harness.h"

#include "game/save_game.h"
#include "headless/session.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace kroda::headless::testing {
namespace {

// The value at `path` ("state.Players.2.Position": keys, and list positions from 0) set to
// `value`.
QJsonValue setAt(const QJsonValue& node, const QStringList& path, int at, const QJsonValue& value) {
    if (at == path.size())
        return value;
    if (node.isArray()) {
        QJsonArray a = node.toArray();
        const int i = path[at].toInt();
        a[i] = setAt(a[i], path, at + 1, value);
        return a;
    }
    QJsonObject o = node.toObject();
    o[path[at]] = setAt(o[path[at]], path, at + 1, value);
    return o;
}

QByteArray edited(const QByteArray& good, const QString& path, const QJsonValue& value) {
    const QJsonValue root = QJsonDocument::fromJson(good).object();
    const QJsonValue changed = setAt(root, path.split(QLatin1Char('.')), 0, value);
    return resealSave(QJsonDocument(changed.toObject()).toJson());
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

TEST(BadSave, IsRefusedAndChangesNothing) {
    Session session(boardFolder());
    session.seed(7);
    session.game().state.PlayerCount = 3;
    session.start();
    session.runUntil([&] { return session.ticks() >= 4000; }, 3'600'000);
    const QByteArray good = session.save();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bad.Sav"));

    struct Case {
        const char* name;
        std::function<void()> make;
        const char* fault;
    };
    const auto bytes = [&](QByteArray b) { return [&file, b] { write(file, b); }; };
    const auto field = [&](const char* path, QJsonValue v) {
        return bytes(edited(good, QLatin1String(path), v));
    };
    QByteArray flipped = good;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x04);
    const Case cases[] = {
        {"truncated", bytes(good.left(good.size() * 2 / 3)), "not a save file"},
        {"a flipped byte", bytes(flipped), ""},
        {"not JSON", bytes("Kroda\n"), "not a save file"},
        {"another format", field("format", QStringLiteral("kroda-board")), "format"},
        {"a later version", field("version", 2), "version 2 is newer than this game reads"},
        {"money past the board's limit", field("state.Squares.1.Price", "1000000000.0001"),
         "state.Squares(2).Price: 1000000000.0001 is out of the range of money"},
        {"a position over 39", field("state.Players.2.Position", 41),
         "state.Players(3).Position: 41 is over 39"},
        {"five players", field("state.PlayerCount", 5), "state.PlayerCount: 5 is over 4"},
        {"an owner who is no player", field("state.Squares.1.Owner", 4),
         "state.Squares(2).Owner: 4 is over 3"},
        {"a negative interval", field("timers.TimerTalk.Interval", -5),
         "timers.TimerTalk.Interval: -5 is under 0"},
        {"a broken invariant", field("state.Players.0.Money", "1"),
         "breaks a rule of the game: each player's money is the balance of his ledger entries"},
        {"200 MB", [&] { ASSERT_EQ(truncate(QFile::encodeName(file).constData(), 200 << 20), 0); },
         "larger than"},
        {"a FIFO",
         [&] {
             QFile::remove(file);
             ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
         },
         "FIFO"},
        {"a link to /dev/zero",
         [&] {
             QFile::remove(file);
             ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), file));
         },
         "device"},
    };
    // Flipping any byte is caught, not only the one in the middle: the checksum covers the
    // content.
    for (qsizetype at = 0; at < good.size(); at += good.size() / 97) {
        QByteArray b = good;
        b[at] = static_cast<char>(b[at] ^ 0x01);
        EXPECT_TRUE(session.load(b)) << "byte " << at;
    }
    EXPECT_EQ(session.save(), good);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(file);
        write(file, good);
        c.make();
        const std::optional<QString> fault = session.loadFile(file);
        ASSERT_TRUE(fault);
        EXPECT_TRUE(fault->startsWith(file + QStringLiteral(": "))) << fault->toStdString();
        EXPECT_TRUE(fault->contains(QLatin1String(c.fault))) << fault->toStdString();
        EXPECT_EQ(session.save(), good);
    }
    // The good file itself loads.
    QFile::remove(file);
    write(file, good);
    EXPECT_FALSE(session.loadFile(file));
    EXPECT_EQ(session.save(), good);
}

}  // namespace
}  // namespace kroda::headless::testing
