// A client trusts nothing from its host. A fake host over a real socket answers the WebSocket
// handshake by hand and then sends what no host of the game sends: nothing at all, a welcome
// or a refusal of another version, a state before its welcome, a binary frame, a frame far
// larger than any message, a state naming a FIFO as a square's picture, a deed card larger
// than the screen. Each ends the join with the reason, in the player's words, the client's
// copy untouched, and none of them hangs the client or eats its memory.

#include "game/save_game.h"
#include "network/client_session.h"
#include "support/game_harness.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <functional>
#include <memory>

namespace kroda::network {
namespace {

using kroda::testing::waitUntil;

// A host that does only what the test says, frame by raw frame.
class FakeHost {
  public:
    // With `answers` false it takes the connection and never says a word.
    explicit FakeHost(bool answers = true) : answers_(answers) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            socket_ = server_.nextPendingConnection();
            QObject::connect(socket_, &QIODevice::readyRead, [this] { read(); });
        });
    }
    QUrl url() const { return *joinUrl(QStringLiteral("127.0.0.1:%1").arg(server_.serverPort())); }
    bool helloHeard() const { return hello_; }

    // The header of an unmasked frame of the host.
    static QByteArray header(int opcode, quint64 length) {
        QByteArray h;
        h.append(static_cast<char>(0x80 | opcode));
        if (length < 126) {
            h.append(static_cast<char>(length));
        } else if (length < 65536) {
            h.append(static_cast<char>(126));
            h.append(static_cast<char>(length >> 8));
            h.append(static_cast<char>(length & 0xFF));
        } else {
            h.append(static_cast<char>(127));
            for (int shift = 56; shift >= 0; shift -= 8)
                h.append(static_cast<char>((length >> shift) & 0xFF));
        }
        return h;
    }
    void sendText(const QByteArray& json) { socket_->write(header(0x1, json.size()) + json); }
    void send(const HostMessage& m) { sendText(encode(m)); }
    QTcpSocket* socket() const { return socket_; }

  private:
    void read() {
        in_ += socket_->readAll();
        if (!answers_ || upgraded_) {
            hello_ = hello_ || in_.size() > 2;
            return;
        }
        const qsizetype end = in_.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray key = in_.mid(in_.indexOf("Sec-WebSocket-Key: ") + 19).split('\r').first();
        const QByteArray accept =
            QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11",
                                     QCryptographicHash::Sha1)
                .toBase64();
        socket_->write(
            "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\n"
            "Connection: Upgrade\r\nSec-WebSocket-Accept: " +
            accept + "\r\n\r\n");
        upgraded_ = true;
        in_.remove(0, end + 4);
        hello_ = !in_.isEmpty();
    }

    bool answers_;
    QTcpServer server_;
    QTcpSocket* socket_ = nullptr;
    QByteArray in_;
    bool upgraded_ = false;
    bool hello_ = false;
};

QJsonObject documentOf(const QByteArray& save) {
    return QJsonDocument::fromJson(save).object();
}

// `document` with the value at a dotted path (list positions from 0) set, sealed again.
QByteArray edited(const QJsonObject& document, const QString& path, const QJsonValue& value) {
    const QStringList keys = path.split(QLatin1Char('.'));
    std::function<QJsonValue(const QJsonValue&, int)> set = [&](const QJsonValue& node, int at) {
        if (at == keys.size())
            return value;
        if (node.isArray()) {
            QJsonArray a = node.toArray();
            a[keys[at].toInt()] = set(a[keys[at].toInt()], at + 1);
            return QJsonValue(a);
        }
        QJsonObject o = node.toObject();
        o[keys[at]] = set(o[keys[at]], at + 1);
        return QJsonValue(o);
    };
    return resealSave(QJsonDocument(set(document, 0).toObject()).toJson());
}

TEST(FakeHost, AClientTrustsNothingFromItsHost) {
    kroda::testing::GameHarness game(2, {2});
    game.game.setAppFolder(QStringLiteral(KRODA_GAME_DIR));
    game.load();
    const QJsonObject good = documentOf(writeSave(game.game, game.clock, SaveSource::Host));
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("picture.bmp"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const Welcome welcome{{2}, {QStringLiteral("Ann")}, {QStringLiteral("AAAAAAAAAAAAAAAAAAAAAA")}};
    const auto stateWith = [&](const char* path, const QJsonValue& value) {
        return State{edited(good, QLatin1String(path), value)};
    };

    struct Case {
        const char* name;
        bool answers;
        std::function<void(FakeHost&)> script;
        ClientEnding::Kind kind;
        const char* detail;  // a piece of the English detail
    };
    const Case cases[] = {
        {"a host that never answers", false, {}, ClientEnding::Unanswered, "no answer"},
        {"a welcome of another version", true,
         [](FakeHost& h) { h.sendText(R"({"type":"welcome","version":3,"seats":"all"})"); },
         ClientEnding::Refused, "version 3"},
        {"a refusal of another version", true,
         [](FakeHost& h) {
             h.send(Refused{RefusalReason::Version, 5});
         },
         ClientEnding::Refused, ""},
        {"a state before the welcome", true,
         [&](FakeHost& h) { h.send(State{QJsonDocument(good).toJson()}); }, ClientEnding::Fault,
         "before its welcome"},
        {"a binary frame", true,
         [&](FakeHost& h) {
             h.send(welcome);
             h.socket()->write(FakeHost::header(0x2, 3) + "abc");
         },
         ClientEnding::Fault, "binary"},
        {"a FIFO as a square's picture", true,
         [&](FakeHost& h) {
             h.send(welcome);
             h.send(stateWith("window.ImgTable.5.File", fifo));
         },
         ClientEnding::Fault, "window.ImgTable(5).File"},
        {"a deed card larger than the screen", true,
         [&](FakeHost& h) {
             h.send(welcome);
             h.send(stateWith("deedCard.Geometry.Width", 32767));
         },
         ClientEnding::Fault, "deedCard.Geometry.Width"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host(c.answers);
        std::optional<ClientEnding> ending;
        ClientSession client(QStringLiteral(KRODA_GAME_DIR),
                             {{}, {}, {}, {}, {}, [&](const ClientEnding& e) { ending = e; }}, {});
        client.setAnswerMs(300);
        const QByteArray before = client.saved();
        client.join(host.url(), {QStringLiteral("QRST2345"), {QStringLiteral("Ann")}});
        if (c.answers) {
            ASSERT_TRUE(waitUntil([&] { return host.helloHeard(); }, 5000, "the hello"));
            c.script(host);
        }
        ASSERT_TRUE(waitUntil([&] { return ending.has_value(); }, 5000, "the join's end"));
        EXPECT_EQ(ending->kind, c.kind) << ending->detail.toStdString();
        EXPECT_TRUE(ending->detail.contains(QLatin1String(c.detail)))
            << ending->detail.toStdString();
        EXPECT_FALSE(client.started());
        EXPECT_EQ(client.saved(), before);
        // The player's words name the host, or both versions.
        const QString told = endingText(*ending);
        if (ending->reason == RefusalReason::Version)
            EXPECT_TRUE(told.contains(QString::number(ending->hostVersion)) &&
                        told.contains(QString::number(kProtocolVersion)))
                << told.toStdString();
        else
            EXPECT_TRUE(told.contains(host.url().host())) << told.toStdString();
    }

    // A frame announced far larger than any message is refused as its header arrives: the
    // client never reads on into it.
    FakeHost host;
    std::optional<ClientEnding> ending;
    ClientSession client(QStringLiteral(KRODA_GAME_DIR),
                         {{}, {}, {}, {}, {}, [&](const ClientEnding& e) { ending = e; }}, {});
    client.join(host.url(), {QStringLiteral("QRST2345"), {QStringLiteral("Ann")}});
    ASSERT_TRUE(waitUntil([&] { return host.helloHeard(); }, 5000, "the hello"));
    host.send(welcome);
    host.socket()->write(FakeHost::header(0x1, 4 * kMaxHostMessageBytes));
    const QByteArray megabyte(1 << 20, ' ');
    qint64 written = 0;
    while (!ending && written < 2 * kMaxHostMessageBytes && host.socket()->isOpen()) {
        written += host.socket()->write(megabyte);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(waitUntil([&] { return ending.has_value(); }, 5000, "the giant frame refused"));
    EXPECT_LT(written, kMaxHostMessageBytes);
}

}  // namespace
}  // namespace kroda::network
