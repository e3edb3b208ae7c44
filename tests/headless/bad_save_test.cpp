// A bad save file, damaged or hostile, is refused with a message naming the file and the
// fault, and the game it was to be loaded into stays exactly as it was. A hostile save names
// a FIFO, a device, a file out of the game folder or a window too large to draw, or holds a
// moment from which the game can never go on.

#include "driver_harness.h"

#include "game/save_game.h"
#include "headless/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <initializer_list>
#include <utility>

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

QByteArray edited(const QByteArray& good,
                  std::initializer_list<std::pair<const char*, QJsonValue>> changes) {
    QJsonValue root = QJsonDocument::fromJson(good).object();
    for (const auto& [path, value] : changes)
        root = setAt(root, QString::fromLatin1(path).split(QLatin1Char('.')), 0, value);
    return resealSave(QJsonDocument(root.toObject()).toJson());
}

// The good save with one byte flipped in its middle so that it is still JSON: only the
// checksum can tell.
QByteArray flippedInTheMiddle(const QByteArray& good) {
    for (qsizetype at = good.size() / 2; at < good.size(); ++at) {
        QByteArray b = good;
        b[at] = static_cast<char>(b[at] ^ 0x04);
        if (!QJsonDocument::fromJson(b).isNull())
            return b;
    }
    ADD_FAILURE() << "no byte flips into JSON";
    return good;
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
    // Hostile files in the game folder, and a picture outside it.
    const QString hostile = boardFolder() + QStringLiteral("/hostile");
    ASSERT_TRUE(QDir().mkpath(hostile));
    ASSERT_EQ(mkfifo(QFile::encodeName(hostile + QStringLiteral("/fifo.bmp")).constData(), 0600),
              0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), hostile + QStringLiteral("/zero.bmp")));
    write(dir.filePath(QStringLiteral("outside.bmp")), "BM");
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("outside.bmp")),
                            hostile + QStringLiteral("/out.bmp")));

    struct Case {
        const char* name;
        std::function<void()> make;
        QString fault;
    };
    const auto bytes = [&](QByteArray b) { return [&file, b] { write(file, b); }; };
    const auto field = [&](const char* path, QJsonValue v) {
        return bytes(edited(good, {{path, v}}));
    };
    // A square shown as a whole picture (Strip -1) rather than a cell of the board's.
    const auto square5 = [&](const char* name) {
        return bytes(edited(good, {{"window.ImgTable.5.Strip", -1},
                                   {"window.ImgTable.5.File", QLatin1String(name)}}));
    };
    const Case cases[] = {
        {"truncated", bytes(good.left(good.size() * 2 / 3)), "not a save file"},
        {"a flipped byte", bytes(flippedInTheMiddle(good)), "checksum: does not match"},
        {"not JSON", bytes("Kroda\n"), "not a save file"},
        {"another format", field("format", QStringLiteral("kroda-board")), "format"},
        {"a later version", field("version", 3), "version 3 is newer than this game reads"},
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
        {"a FIFO as the panel's picture", field("window.ImgLocation.File", "$APP/hostile/fifo.bmp"),
         "window.ImgLocation.File: \"$APP/hostile/fifo.bmp\": it is a FIFO"},
        {"a FIFO as a square's picture", square5("$APP/hostile/fifo.bmp"),
         "window.ImgTable(5).File: \"$APP/hostile/fifo.bmp\": it is a FIFO"},
        {"a FIFO as the music", field("window.MM.FileName", "$APP/hostile/fifo.bmp"),
         "window.MM.FileName: \"$APP/hostile/fifo.bmp\": it is a FIFO"},
        {"/dev/zero as the panel's picture", field("window.ImgLocation.File", "/dev/zero"),
         "window.ImgLocation.File: \"/dev/zero\" lies neither in the game folder nor in a board "
         "folder"},
        {"/dev/zero as the music", field("window.MM.FileName", "/dev/zero"),
         "window.MM.FileName: \"/dev/zero\": it is a device"},
        {"a link to /dev/zero as a square's picture", square5("$APP/hostile/zero.bmp"),
         "window.ImgTable(5).File: \"$APP/hostile/zero.bmp\" leads out of"},
        {"a \"..\" part", field("window.ImgLocation.File", "$APP/Image/../../outside.bmp"),
         "window.ImgLocation.File: \"$APP/Image/../../outside.bmp\": a \"..\" part leads out"},
        {"a link out of the folder", square5("$APP/hostile/out.bmp"),
         "window.ImgTable(5).File: \"$APP/hostile/out.bmp\" leads out of"},
        {"a picture of a folder without a board",
         field("source.PicCSource.9.File", dir.filePath(QStringLiteral("outside.bmp"))),
         QStringLiteral("source.PicCSource(9).File: \"%1\" lies neither in the game folder nor "
                        "in a board folder")
             .arg(dir.filePath(QStringLiteral("outside.bmp")))},
        {"a file as the image folder", field("state.ImageFolder", "$APP/KovarT.dat"),
         "state.ImageFolder: \"$APP/KovarT.dat\": it is not a folder"},
        {"a deed card of 32767 x 32767", field("deedCard.Geometry.Width", 32767),
         "deedCard.Geometry.Width: 32767 is over 640"},
        {"a card window higher than the game window", field("window.FrmCard.Geometry.Height", 481),
         "window.FrmCard.Geometry.Height: 481 is over 480"},
        {"a control far out", field("window.ImgLocation.Geometry.Left", -30000),
         "window.ImgLocation.Geometry.Left: -30000 is under -5120"},
        {"a deed card dragged far out", field("deedCard.Geometry.Top", 4000),
         "deedCard.Geometry.Top: 4000 is over 3840"},
        {"a moment that cannot go on",
         bytes(edited(good, {{"timers.TimerTalk.Enabled", false},
                             {"timers.TimerTalk.Left", -1},
                             {"timers.TimeDelay.Enabled", false},
                             {"timers.TimeDelay.Left", -1},
                             {"timers.AnimateTimer.Enabled", false},
                             {"timers.AnimateTimer.Left", -1},
                             {"window.FrmCard.Visible", false}})),
         "breaks a rule of the game: the game goes on: no timer moves it, no one is awaited"},
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
        EXPECT_TRUE(fault->contains(c.fault)) << fault->toStdString();
        EXPECT_EQ(session.save(), good);
    }
    // The good file itself loads.
    QFile::remove(file);
    write(file, good);
    EXPECT_FALSE(session.loadFile(file));
    EXPECT_EQ(session.save(), good);
    QDir(hostile).removeRecursively();
    // The game folder is the program's own, given as it likes: relative, with ".." parts.
    Session relative(QDir::current().relativeFilePath(boardFolder()));
    EXPECT_EQ(relative.load(good), std::nullopt);

    // A game of a board folder of its own (kroda --board DIR) names its square pictures by
    // full paths there: its save loads with that folder's pictures while the folder holds the
    // board's KovarT.dat, and is refused once it does not.
    const QString own = dir.filePath(QStringLiteral("own board"));
    ASSERT_TRUE(QDir().mkpath(own + QStringLiteral("/Image")));
    ASSERT_TRUE(QFile::copy(boardFolder() + QStringLiteral("/KovarT.dat"),
                            own + QStringLiteral("/KovarT.dat")));
    QJsonObject boardSave = QJsonDocument::fromJson(good).object();
    QJsonObject source = boardSave[QLatin1String("source")].toObject();
    QJsonArray holders = source[QLatin1String("PicCSource")].toArray();
    QStringList ownPictures;
    for (const int h : {CornerStrip, SideStrip, IllustrationStrip}) {
        QJsonObject holder = holders[h].toObject();
        const QString name = QFileInfo(holder[QLatin1String("File")].toString()).fileName();
        ASSERT_TRUE(QFile::copy(boardFolder() + QStringLiteral("/Image/") + name,
                                own + QStringLiteral("/Image/") + name));
        ownPictures << own + QStringLiteral("/Image/") + name;
        holder[QLatin1String("File")] = ownPictures.back();
        holders[h] = holder;
    }
    source[QLatin1String("PicCSource")] = holders;
    boardSave[QLatin1String("source")] = source;
    const QByteArray ownBoard = resealSave(QJsonDocument(boardSave).toJson());
    ASSERT_EQ(session.load(ownBoard), std::nullopt);
    EXPECT_EQ(session.game().FrmSource.PicCSource[CornerStrip].File, ownPictures[0]);
    EXPECT_EQ(session.game().FrmSource.PicCSource[IllustrationStrip].File, ownPictures[2]);
    const QByteArray loaded = session.save();
    ASSERT_TRUE(QFile::remove(own + QStringLiteral("/KovarT.dat")));
    const auto fault = session.load(ownBoard);
    ASSERT_TRUE(fault);
    EXPECT_TRUE(fault->contains(
        QStringLiteral("source.PicCSource(9).File: \"%1\" lies neither").arg(ownPictures[0])))
        << fault->toStdString();
    EXPECT_EQ(session.save(), loaded);
}

}  // namespace
}  // namespace kroda::headless::testing
