// A seeded game hosted for a client over real sockets: the client's document, patched moment
// by moment, always loads with the save reader and ends equal to the host's save; its key
// throws for its own seat only when that seat must act; when it drops and its seat must act,
// the narrator says the game waits and nothing goes on; the same name without the seat's token
// gets nothing, and with it gets the seat, the whole state and the question back, and play
// goes on from it. Two people at one client each get
// a seat under his own name, and get the same seats back by the same names. Over wss a client
// that trusts the host's own certificate follows the game, and one that does not is stopped
// by its TLS, saying so, without touching the host's game.

#include "network/host_session.h"
#include "game/save_game.h"
#include "game/windowless_game.h"
#include "network/client_transport.h"
#include "network/merge_patch.h"
#include "support/game_harness.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifndef QT_NO_SSL
#include <QSslSocket>
#endif

#include <memory>

namespace kroda::network {
namespace {

using kroda::testing::GameHarness;
using kroda::testing::waitUntil;

// A client that keeps the host's document as the protocol says and reads every moment of it
// into a game of its own.
struct Client {
    QJsonObject document;
    int moments = 0;
    int states = 0;
    QStringList unreadable;  // what the save reader said of a moment it refused
    QStringList narration;
    QStringList sounds;
    Welcome welcome;
    bool closed = false;
    QString closedWhy;
    WindowlessGame copy{QStringLiteral(KRODA_GAME_DIR)};
    ClientTransport transport{{[this](const HostMessage& m) { take(m); },
                               [this](const ClientTransport::Closing& c) {
                                   closed = true;
                                   closedWhy = c.detail;
                               }}};

    void take(const HostMessage& m) {
        if (const auto* w = std::get_if<Welcome>(&m))
            welcome = *w;
        if (const auto* state = std::get_if<State>(&m)) {
            ++states;
            document = QJsonDocument::fromJson(state->save).object();
        } else if (const auto* moment = std::get_if<Moment>(&m)) {
            ++moments;
            document = applyMergePatch(document, moment->patch);
        } else if (const auto* line = std::get_if<Narration>(&m)) {
            narration << line->line;
            return;
        } else if (const auto* sound = std::get_if<Sound>(&m)) {
            sounds << sound->file;
            return;
        } else {
            return;
        }
        const QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Compact);
        if (const auto error = readSave(bytes, copy.game, copy.clock, SaveSource::Host))
            unreadable << *error;
    }
};

// Listens on a free local port; the address a client joins, with the scheme, or nothing when
// the host could not listen.
std::optional<QUrl> listenLocally(HostSession& host, HostTransport::Options options = {},
                                  const QString& scheme = QStringLiteral("ws")) {
    options.address = QHostAddress::LocalHost;
    options.port = 0;
    if (host.listen(options))
        return std::nullopt;
    return joinUrl(QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(host.port()));
}

TEST(HostSession, AClientPlaysItsSeatDropsAndComesBack) {
    GameHarness h(2, {1, 2});
    // The save reader checks the board's pictures in the game's folder.
    h.game.setAppFolder(QStringLiteral(KRODA_GAME_DIR));
    h.load();
    const QString code = QStringLiteral("HJKM2345");
    HostSession host(
        h.game, [&h]() -> const VirtualClock& { return h.clock; }, {2}, code);
    std::vector<std::pair<Input, bool>> done;
    host.inputDone = [&](const Input& in, bool applied) { done.emplace_back(in, applied); };
    QStringList waits;
    host.waitingTold = [&](const QString& line) { waits << line; };
    const auto url = listenLocally(host);
    ASSERT_TRUE(url);
    const auto hostDocument = [&] {
        return QJsonDocument::fromJson(writeSave(h.game, h.clock)).object();
    };
    const auto caughtUp = [&](Client& c, const char* what) {
        return waitUntil([&] { return c.document == hostDocument(); }, 5000, what);
    };

    auto bee = std::make_unique<Client>();
    bee->transport.join(*url, {code, {QStringLiteral("Bee")}});
    ASSERT_TRUE(waitUntil([&] { return host.everySeatTaken(); }, 5000, "Bee taking seat 2"));
    EXPECT_EQ(h.player(2).Name.trimmed(), QStringLiteral("Bee"));
    host.begin();
    ASSERT_TRUE(waitUntil([&] { return bee->states == 1; }, 5000, "the whole state"));
    ASSERT_TRUE(caughtUp(*bee, "the state equal to the host's"));

    // Player 1 ranks with 3 at the host's keyboard; seat 2 throws 11 from the network.
    h.dice({1, 2, 5, 6});
    const Integer both1 = h.player(1).KeyCode(2), both2 = h.player(2).KeyCode(2);
    ASSERT_TRUE(h.runUntil([&] { return h.game.awaitsPerson(); }));
    ASSERT_EQ(h.s().CurPlayer, 1);
    // Not seat 2's turn, and seat 1 is not Bee's: neither input changes anything.
    const QByteArray before = writeSave(h.game, h.clock);
    bee->transport.send({2, KeyInput{both2, 0}});
    bee->transport.send({1, KeyInput{both1, 0}});
    bee->transport.send({2, ClickInput{ClickableControl::ImgTao, 2}});
    ASSERT_TRUE(waitUntil([&] { return done.size() == 2; }, 5000, "the two owned inputs"));
    EXPECT_FALSE(done[0].second);
    EXPECT_FALSE(done[1].second);
    EXPECT_EQ(writeSave(h.game, h.clock), before);
    ASSERT_TRUE(caughtUp(*bee, "the moment before the first throw"));
    h.game.handle([both1](Game& g) { g.keyPressed(both1, 0); });
    ASSERT_TRUE(h.runUntil([&] { return h.game.awaitsPerson() && h.s().CurPlayer == 2; }));
    // The host's own keyboard does not throw for the network seat.
    const QByteArray waiting = writeSave(h.game, h.clock);
    h.game.handle([both2](Game& g) { g.keyPressed(both2, 0); });
    h.game.handle([](Game& g) { g.ImgTao_Click(2); });
    EXPECT_EQ(writeSave(h.game, h.clock), waiting);
    ASSERT_TRUE(caughtUp(*bee, "the moment seat 2 must throw"));
    const int momentsBefore = bee->moments;
    bee->transport.send({2, KeyInput{both2, 0}});
    ASSERT_TRUE(waitUntil([&] { return done.size() == 3; }, 5000, "Bee's throw"));
    EXPECT_TRUE(done[2].second);
    EXPECT_NE(writeSave(h.game, h.clock), waiting);
    EXPECT_FALSE(bee->sounds.isEmpty());  // the dice's sound

    // The ranking is over; seat 2 threw highest and moves first.
    ASSERT_TRUE(h.runUntil([&] { return h.game.awaitsPerson(); }));
    ASSERT_EQ(h.s().CurPlayer, 2);
    ASSERT_TRUE(caughtUp(*bee, "the moment seat 2 must move"));
    EXPECT_GT(bee->moments, momentsBefore);
    EXPECT_EQ(bee->unreadable.join(QLatin1Char(10)).toStdString(), "");
    // Every narration line the host's narrator completed reached the client.
    ASSERT_TRUE(waitUntil(
        [&] { return bee->narration.size() == static_cast<qsizetype>(h.narration.size()); }, 5000,
        "the narration"));
    EXPECT_TRUE(bee->narration.back().endsWith(h.narration.back().message));

    // Bee drops: the narrator says the game waits, and nothing goes on however long it waits.
    const QString question = h.game.window.TxtDialog.Text;
    const QStringList beeTokens = bee->welcome.tokens;
    ASSERT_EQ(beeTokens.size(), 1);
    bee.reset();
    ASSERT_TRUE(waitUntil([&] { return waits.size() == 1; }, 5000, "the waiting line"));
    EXPECT_TRUE(waits[0].endsWith(HostSession::waitingLine(QStringLiteral("Bee"))))
        << waits[0].toStdString();
    EXPECT_EQ(h.game.window.TxtDialog.Text, HostSession::waitingLine(QStringLiteral("Bee")));
    const Player seat2 = h.player(2);
    h.clock.advance(60000);
    EXPECT_TRUE(h.game.awaitsPerson());
    EXPECT_EQ(h.s().CurPlayer, 2);
    EXPECT_EQ(h.player(2).Position, seat2.Position);

    // Someone else with the code and Bee's name, which every screen shows, gets nothing.
    Client impostor;
    impostor.transport.join(*url, {code, {QStringLiteral("Bee")}});
    ASSERT_TRUE(waitUntil([&] { return impostor.closed; }, 5000, "the impostor's refusal"));
    EXPECT_EQ(impostor.closedWhy, QStringLiteral("name-in-use"));
    EXPECT_FALSE(host.connected(2));

    // Bee joins again with her seat's token: the seat, the whole state with the question the
    // game waits on in place of the waiting line, and the throw goes on from there.
    Client again;
    again.transport.join(*url, {code, {QStringLiteral("Bee")}, beeTokens});
    ASSERT_TRUE(waitUntil([&] { return again.states == 1; }, 5000, "the state after rejoining"));
    EXPECT_EQ(again.transport.seats(), (QList<int>{2}));
    EXPECT_EQ(again.welcome.tokens, beeTokens);
    EXPECT_EQ(h.game.window.TxtDialog.Text, question);
    ASSERT_TRUE(caughtUp(again, "the rejoined client's document"));
    again.transport.send({2, ClickInput{ClickableControl::ImgTao, 2}});
    ASSERT_TRUE(waitUntil([&] { return done.size() == 4; }, 5000, "the throw after rejoining"));
    EXPECT_TRUE(done[3].second);
    ASSERT_TRUE(h.runUntil([&] { return h.player(2).Position != seat2.Position; }));
    ASSERT_TRUE(caughtUp(again, "the moment after the move"));
    EXPECT_EQ(again.unreadable.join(QLatin1Char(10)).toStdString(), "");
    EXPECT_EQ(waits.size(), 1);
}

// Two people at one client: one seat each, in order, each renamed on the host by his own
// name; inputs for either seat pass and for the host's seat do not; gone and back with the
// same names and tokens in another order, they get the same seats and keep their names.
TEST(HostSession, TwoPeopleAtOneClientPlayASeatEach) {
    GameHarness h(4, {1, 2, 3, 4});
    h.game.setAppFolder(QStringLiteral(KRODA_GAME_DIR));
    h.load();
    const QString code = QStringLiteral("HJKM2345");
    HostSession host(
        h.game, [&h]() -> const VirtualClock& { return h.clock; }, {2, 4}, code);
    const auto url = listenLocally(host);
    ASSERT_TRUE(url);
    const QString grandma = QStringLiteral("ยาย"), grandpa = QStringLiteral("ตา");

    auto pair = std::make_unique<Client>();
    pair->transport.join(*url, {code, {grandma, grandpa}});
    ASSERT_TRUE(waitUntil([&] { return host.everySeatTaken(); }, 5000, "both seats taken"));
    EXPECT_EQ(pair->transport.seats(), (QList<int>{2, 4}));
    EXPECT_EQ(h.player(2).Name.trimmed(), grandma);
    EXPECT_EQ(h.player(4).Name.trimmed(), grandpa);
    EXPECT_EQ(host.nameAt(2), grandma);
    EXPECT_EQ(host.nameAt(4), grandpa);
    EXPECT_EQ(h.player(3).Name.trimmed(), QStringLiteral("ผู้เล่น:3"));
    host.begin();
    ASSERT_TRUE(waitUntil([&] { return pair->states == 1; }, 5000, "the whole state"));

    // A third person elsewhere finds no seat.
    Client late;
    late.transport.join(*url, {code, {QStringLiteral("หลาน")}});
    ASSERT_TRUE(waitUntil([&] { return late.closed; }, 5000, "the late one's refusal"));
    EXPECT_EQ(late.closedWhy, QStringLiteral("no-free-seat"));

    const QStringList tokens = pair->welcome.tokens;
    ASSERT_EQ(tokens.size(), 2);
    pair.reset();
    ASSERT_TRUE(waitUntil([&] { return !host.connected(2) && !host.connected(4); }, 5000,
                          "the host seeing both leave"));
    EXPECT_EQ(host.nameAt(4), grandpa);
    Client back;
    back.transport.join(*url, {code, {grandpa, grandma}, {tokens[1], tokens[0]}});
    ASSERT_TRUE(waitUntil([&] { return back.states == 1; }, 5000, "the state after rejoining"));
    EXPECT_EQ(back.transport.seats(), (QList<int>{2, 4}));
    EXPECT_EQ(h.player(2).Name.trimmed(), grandma);
    EXPECT_EQ(h.player(4).Name.trimmed(), grandpa);
    EXPECT_TRUE(host.everySeatTaken());
}

// A host with a self-signed certificate: a file that cannot be read or holds no certificate is
// refused by name; a client that does not trust the certificate ends its join with a message
// naming it, and the host's game and seats are as before; one that trusts it is admitted, gets
// the whole state and then a moment of the game going on.
TEST(HostSession, AClientTrustsTheHostsOwnCertificate) {
#ifdef QT_NO_SSL
    GTEST_SKIP() << "this Qt has no TLS";
#else
    if (!QSslSocket::supportsSsl())
        GTEST_SKIP() << "this Qt has no TLS backend";
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty())
        GTEST_SKIP() << "no openssl to make a certificate with";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString certificate = dir.filePath(QStringLiteral("host.pem"));
    const QString key = dir.filePath(QStringLiteral("host.key"));
    QProcess make;
    make.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                         QStringLiteral("rsa:2048"), QStringLiteral("-nodes"),
                         QStringLiteral("-keyout"), key, QStringLiteral("-out"), certificate,
                         QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                         QStringLiteral("/CN=localhost"), QStringLiteral("-addext"),
                         QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1")});
    ASSERT_TRUE(make.waitForFinished(60000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();

    GameHarness h(2, {1, 2});
    h.game.setAppFolder(QStringLiteral(KRODA_GAME_DIR));
    h.load();
    const QString code = QStringLiteral("HJKM2345");
    HostSession host(
        h.game, [&h]() -> const VirtualClock& { return h.clock; }, {2}, code);
    HostTransport::Options options;
    options.certificateFile = certificate;
    options.keyFile = key;
    const auto url = listenLocally(host, options, QStringLiteral("wss"));
    ASSERT_TRUE(url);
    EXPECT_TRUE(host.secure());
    host.begin();

    Client stranger;
    const auto missing =
        stranger.transport.trustCertificates(dir.filePath(QStringLiteral("none.pem")));
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->startsWith(dir.filePath(QStringLiteral("none.pem")) +
                                    QStringLiteral(": cannot be read")))
        << missing->toStdString();
    const auto notCertificate = stranger.transport.trustCertificates(key);
    ASSERT_TRUE(notCertificate);
    EXPECT_EQ(*notCertificate, key + QStringLiteral(": no PEM certificate could be read"));

    const QByteArray before = writeSave(h.game, h.clock);
    stranger.transport.join(*url, {code, {QStringLiteral("Mallory")}});
    ASSERT_TRUE(waitUntil([&] { return stranger.closed; }, 10000, "the untrusted join's end"));
    EXPECT_TRUE(stranger.closedWhy.contains(QStringLiteral("certificate is not trusted")))
        << stranger.closedWhy.toStdString();
    EXPECT_EQ(stranger.states, 0);
    EXPECT_EQ(stranger.transport.phase(), ClientTransport::Phase::Closed);
    EXPECT_FALSE(host.connected(2));
    EXPECT_EQ(host.nameAt(2), QString());
    EXPECT_EQ(writeSave(h.game, h.clock), before);

    Client bee;
    ASSERT_EQ(bee.transport.trustCertificates(certificate), std::nullopt);
    bee.transport.join(*url, {code, {QStringLiteral("Bee")}});
    ASSERT_TRUE(waitUntil([&] { return bee.states == 1; }, 10000, "the state over wss"));
    EXPECT_EQ(bee.transport.seats(), (QList<int>{2}));
    EXPECT_EQ(h.player(2).Name.trimmed(), QStringLiteral("Bee"));
    h.dice({1, 2, 5, 6});
    ASSERT_TRUE(h.runUntil([&] { return h.game.awaitsPerson(); }));
    ASSERT_TRUE(waitUntil(
        [&] {
            return bee.moments > 0 &&
                   bee.document == QJsonDocument::fromJson(writeSave(h.game, h.clock)).object();
        },
        10000, "a moment over wss"));
    EXPECT_EQ(bee.unreadable.join(QLatin1Char(10)).toStdString(), "");
    EXPECT_FALSE(bee.closed);
#endif
}

}  // namespace
}  // namespace kroda::network
