// A hosted game under attack over real sockets, from many loopback addresses, by peers that
// break every rule a client keeps. Nobody without the code keeps a player with it out or
// starves the host: a crowd that never says hello, a flood of pings that are never read, a
// peer that never reads what the host sends, a closing never answered, the host's files run
// out. And a seat belongs to its player: his name alone, which every screen shows, takes
// nothing; a wrong token counts as a wrong code; his token takes the seat back at once, even
// from a connection of his that has gone silent; and the host can let him back in by his name
// when he has lost it.

#include "game/save_game.h"
#include "hostile/hosted_game.h"
#include "network/client_transport.h"
#include "network/host_session.h"
#include "support/game_harness.h"
#include "support/raw_peer.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace kroda::network {
namespace {

using kroda::testing::RawPeer;
using kroda::testing::waitUntil;

const QString kCode = kHostedCode;

QByteArray helloFrame(const QString& name, const QString& code = kCode, const QString& token = {}) {
    return RawPeer::text(encode(
        ClientMessage{Hello{code, {name}, token.isEmpty() ? QStringList() : QStringList{token}}}));
}

// A client of the game as `kroda --join` has it.
struct Player {
    std::optional<Welcome> welcome;
    QString closedWhy;
    bool closed = false;
    ClientTransport transport{{[this](const HostMessage& m) {
                                   if (const auto* w = std::get_if<Welcome>(&m))
                                       welcome = *w;
                               },
                               [this](const ClientTransport::Closing& c) {
                                   closed = true;
                                   closedWhy = c.detail;
                               }}};
    bool admitted() const { return transport.phase() == ClientTransport::Phase::Admitted; }
};

TEST(HostUnderAttack, NoStrangerKeepsAPlayerOutOrStarvesTheHost) {
    HostLimits limits;
    limits.closingMs = 500;
    // The state alone (about 150 KB) is more than the host may hold for a peer here.
    limits.maxQueuedBytes = 64 * 1024;
    limits.sendBufferBytes = 16 * 1024;
    Hosted g(limits);

    // Forty peers from forty addresses finish the handshake and never say hello; the host
    // keeps the newest up to its cap, and a player with the code gets in at once.
    std::vector<std::unique_ptr<RawPeer>> crowd;
    for (int i = 1; i <= 40; ++i) {
        auto peer = std::make_unique<RawPeer>();
        ASSERT_TRUE(peer->connect(QStringLiteral("127.0.1.%1").arg(i), g.port)) << i;
        ASSERT_TRUE(peer->handshake(g.port)) << i;
        crowd.push_back(std::move(peer));
    }
    ASSERT_TRUE(waitUntil([&] { return g.host->connectionCount() == limits.maxUnnamed; }, 5000,
                          "the crowd held to its cap"));
    Player ann;
    ann.transport.join(g.url(), {kCode, {QStringLiteral("Ann")}});
    ASSERT_TRUE(waitUntil([&] { return ann.admitted() || ann.closed; }, 5000, "Ann's welcome"));
    ASSERT_TRUE(ann.admitted()) << ann.closedWhy.toStdString();
    // One address may hold only a few of those that have not said hello.
    std::vector<std::unique_ptr<RawPeer>> oneAddress;
    for (int i = 0; i < limits.maxUnnamedPerAddress + 6; ++i) {
        auto peer = std::make_unique<RawPeer>();
        ASSERT_TRUE(peer->connect(QStringLiteral("127.0.2.1"), g.port));
        ASSERT_TRUE(peer->handshake(g.port)) << i;
        oneAddress.push_back(std::move(peer));
    }
    ASSERT_TRUE(waitUntil(
        [&] {
            return std::count_if(oneAddress.begin(), oneAddress.end(), [](const auto& p) {
                       return !p->closed();
                   }) == limits.maxUnnamedPerAddress;
        },
        5000, "one address held to its own cap"));
    crowd.clear();
    oneAddress.clear();
    ASSERT_TRUE(waitUntil([&] { return g.host->connectionCount() == 1; }, 5000,
                          "the host left with Ann alone"));

    // Four peers without the code send pings as fast as they can and never read: each is cut
    // off within its burst of bytes, long before its time for a hello runs out, and Ann plays
    // on.
    std::vector<std::unique_ptr<RawPeer>> flood;
    for (int i = 1; i <= 4; ++i) {
        auto peer = std::make_unique<RawPeer>();
        ASSERT_TRUE(peer->connect(QStringLiteral("127.0.3.%1").arg(i), g.port, 4096));
        ASSERT_TRUE(peer->handshake(g.port));
        flood.push_back(std::move(peer));
    }
    QByteArray pings;
    while (pings.size() < 64 * 1024) pings += RawPeer::frame(RawPeer::Ping, QByteArray(100, 'p'));
    QElapsedTimer flooding;
    flooding.start();
    const auto floodCut = [&] { return g.host->connectionCount() == 1; };
    while (!floodCut() && flooding.elapsed() < limits.helloMs / 2) {
        for (auto& peer : flood) peer->send(pings);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_TRUE(floodCut()) << "the flood ran for " << flooding.elapsed() << " ms";
    EXPECT_TRUE(ann.admitted());
    EXPECT_TRUE(g.host->connected(2));
    flood.clear();

    // A second player who never reads what the host sends: once the host holds more for him
    // than it may, he is cut off, and the game goes on for Ann.
    RawPeer deaf;
    ASSERT_TRUE(deaf.connect(QStringLiteral("127.0.4.1"), g.port, 2048));
    ASSERT_TRUE(deaf.handshake(g.port));
    ASSERT_TRUE(deaf.sendAll(helloFrame(QStringLiteral("Deaf"))));
    ASSERT_TRUE(waitUntil([&] { return g.host->connected(3); }, 5000, "the deaf one admitted"));
    g.host->begin();
    ASSERT_TRUE(waitUntil([&] { return !g.host->connected(3); }, 5000,
                          "the deaf one cut off for what the host holds for him"));
    EXPECT_TRUE(g.host->connected(2));

    // A peer told no (a wrong code) that never answers the closing is cut off all the same.
    RawPeer mute;
    ASSERT_TRUE(mute.connect(QStringLiteral("127.0.5.1"), g.port, 2048));
    ASSERT_TRUE(mute.handshake(g.port));
    ASSERT_TRUE(waitUntil([&] { return g.host->connectionCount() == 2; }, 5000, "the mute one"));
    ASSERT_TRUE(mute.sendAll(helloFrame(QStringLiteral("Mute"), QStringLiteral("WRONG234"))));
    ASSERT_TRUE(waitUntil([&] { return g.host->connectionCount() == 1; }, 5000,
                          "the unanswered closing cut"));
}

// Out of files, the host stops accepting; once files are free again, it accepts again.
TEST(HostUnderAttack, TheHostAcceptsAgainAfterItRanOutOfFiles) {
    Hosted g;
    // The sanitizers check a downcast by opening a pipe the first time they meet a type,
    // which they cannot do once the files are counted out: one answered request first lets
    // them meet the host's sockets.
    {
        RawPeer first;
        ASSERT_TRUE(first.connect(QStringLiteral("127.0.6.9"), g.port));
        ASSERT_FALSE(first.exchange("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n").isEmpty());
    }
    // The connections wait in the system's queue until the host accepts them, which it
    // cannot do for more than a few once the files are counted out.
    std::vector<std::unique_ptr<RawPeer>> hog;
    for (int i = 0; i < 32; ++i) {
        auto peer = std::make_unique<RawPeer>();
        ASSERT_TRUE(peer->connect(QStringLiteral("127.0.6.%1").arg(i % 4 + 1), g.port));
        hog.push_back(std::move(peer));
    }
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    rlimit tight = before;
    tight.rlim_cur = static_cast<rlim_t>(QDir(QStringLiteral("/proc/self/fd")).count()) + 8;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const int held = g.host->connectionCount();
    hog.clear();
    Player ann;
    ann.transport.join(g.url(), {kCode, {QStringLiteral("Ann")}});
    const bool admitted = waitUntil([&] { return ann.admitted(); }, 5000, "Ann's welcome");
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &before), 0);
    EXPECT_TRUE(admitted);
    EXPECT_LT(held, 16) << "the host never ran out of files";
}

TEST(HostUnderAttack, ASeatBelongsToItsPlayer) {
    Hosted g;
    // Ann joins from a machine of hers and drops.
    auto first = std::make_unique<RawPeer>();
    ASSERT_TRUE(first->connect(QStringLiteral("127.0.7.1"), g.port));
    ASSERT_TRUE(first->handshake(g.port));
    ASSERT_TRUE(first->sendAll(helloFrame(QStringLiteral("Ann"))));
    ASSERT_TRUE(waitUntil(
        [&] {
            first->receive();
            return !first->texts().isEmpty();
        },
        5000, "Ann's welcome"));
    QString error;
    const auto welcome = readHostMessage(first->texts().first().toUtf8(), error);
    ASSERT_TRUE(welcome && std::holds_alternative<Welcome>(*welcome)) << error.toStdString();
    const QString token = std::get<Welcome>(*welcome).tokens.value(0);
    first.reset();
    ASSERT_TRUE(waitUntil([&] { return !g.host->connected(2); }, 5000, "Ann gone"));

    // Anyone with the code and her name is refused; wrong tokens count as wrong codes.
    Player mallory;
    mallory.transport.join(g.url(), {kCode, {QStringLiteral("Ann")}});
    ASSERT_TRUE(waitUntil([&] { return mallory.closed; }, 5000, "the name alone refused"));
    EXPECT_EQ(mallory.closedWhy, QStringLiteral("name-in-use"));
    QString guess = token;
    guess[0] = guess[0] == u'A' ? u'B' : u'A';
    for (int i = 0; i < 6; ++i) {
        RawPeer peer;
        ASSERT_TRUE(peer.connect(QStringLiteral("127.0.8.1"), g.port));
        ASSERT_TRUE(peer.handshake(g.port));
        ASSERT_TRUE(peer.sendAll(helloFrame(QStringLiteral("Ann"), kCode, guess)));
        ASSERT_TRUE(waitUntil(
            [&] {
                peer.receive();
                return !peer.texts().isEmpty();
            },
            5000, "the guess's refusal"));
        EXPECT_TRUE(peer.texts().first().contains(i < 5 ? QStringLiteral("wrong-token")
                                                        : QStringLiteral("locked-out")))
            << i << ": " << peer.texts().first().toStdString();
    }
    EXPECT_FALSE(g.host->connected(2));

    // Her token takes the seat back at once, even while a connection of hers that went
    // silent (a sleeping laptop, where Bee played beside her) still holds it; that
    // connection is closed, and Bee's seat waits for Bee.
    RawPeer asleep;
    ASSERT_TRUE(asleep.connect(QStringLiteral("127.0.7.2"), g.port));
    ASSERT_TRUE(asleep.handshake(g.port));
    ASSERT_TRUE(asleep.sendAll(RawPeer::text(encode(ClientMessage{
        Hello{kCode, {QStringLiteral("Ann"), QStringLiteral("Bee")}, {token, QString()}}}))));
    ASSERT_TRUE(waitUntil([&] { return g.host->connected(2) && g.host->connected(3); }, 5000,
                          "Ann back with Bee"));
    Player ann;
    ann.transport.join(g.url(), {kCode, {QStringLiteral("Ann")}, {token}});
    ASSERT_TRUE(waitUntil([&] { return ann.admitted() || ann.closed; }, 5000, "the quick return"));
    ASSERT_TRUE(ann.admitted()) << ann.closedWhy.toStdString();
    EXPECT_EQ(ann.welcome->tokens, QStringList{token});
    EXPECT_TRUE(waitUntil([&] { return asleep.closed(); }, 5000, "the silent connection closed"));
    EXPECT_TRUE(g.host->connected(2));
    EXPECT_FALSE(g.host->connected(3));
    EXPECT_EQ(g.host->nameAt(3), QStringLiteral("Bee"));

    // She lost her token (another machine): the host lets her back in by her name, once,
    // with a new token; the old one takes nothing any more.
    ann.transport.leave();
    ASSERT_TRUE(waitUntil([&] { return !g.host->connected(2); }, 5000, "Ann gone again"));
    EXPECT_EQ(g.host->goneSeats(), (QList<int>{2, 3}));
    g.host->letBackIn(2);
    Player elsewhere;
    elsewhere.transport.join(g.url(), {kCode, {QStringLiteral("Ann")}});
    ASSERT_TRUE(waitUntil([&] { return elsewhere.admitted() || elsewhere.closed; }, 5000,
                          "Ann let back in"));
    ASSERT_TRUE(elsewhere.admitted()) << elsewhere.closedWhy.toStdString();
    EXPECT_NE(elsewhere.welcome->tokens.value(0), token);
    elsewhere.transport.leave();
    ASSERT_TRUE(waitUntil([&] { return !g.host->connected(2); }, 5000, "Ann gone once more"));
    Player stale;
    stale.transport.join(g.url(), {kCode, {QStringLiteral("Ann")}, {token}});
    ASSERT_TRUE(waitUntil([&] { return stale.closed; }, 5000, "the old token refused"));
    EXPECT_EQ(stale.closedWhy, QStringLiteral("wrong-token"));
}

}  // namespace
}  // namespace kroda::network
