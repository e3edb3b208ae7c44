// A client follows a host's game over real sockets: the host's session plays a seeded game
// without windows and publishes it; the client's keys play its own seat. At every moment the
// client's copy writes the same save as the host's game and the narration arrives in order;
// the seats are told as they fill. The seat's token is kept in a file the user alone may read,
// so that a client killed and started again takes its seat back at once.

#include "network/client_session.h"
#include "game/save_game.h"
#include "network/host_session.h"
#include "network/merge_patch.h"
#include "support/game_harness.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <vector>

namespace kroda::network {
namespace {

using kroda::testing::waitUntil;

// Runs the event loop until done() holds, waking as soon as a frame arrives (the shared wait
// sleeps between its looks, too long for hundreds of round trips).
bool pumpUntil(const std::function<bool()>& done, const char* what) {
    QTimer wake;
    wake.start(20);
    QDeadlineTimer deadline(5000);
    while (!done()) {
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "waited in vain for " << what;
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

QJsonObject documentOf(const QByteArray& save) {
    return QJsonDocument::fromJson(save).object();
}

// One client as the windows have it: the session and what it has told.
struct Client {
    std::vector<QString> heard;
    std::optional<ClientEnding> ending;
    int changes = 0;
    ClientSession session;
    Client(const QString& tokenFile)
        : session(QStringLiteral(KRODA_GAME_DIR),
                  {{},
                   [this] { ++changes; },
                   [this](const QString& line) { heard.push_back(line); },
                   {},
                   {},
                   [this](const ClientEnding& e) { ending = e; }},
                  tokenFile) {}
};

TEST(ClientSession, FollowsTheHostsGameMomentByMoment) {
    // The host: seat 1 the computer, seat 2 a network seat the client plays.
    kroda::testing::GameHarness h(2, {2});
    h.load();
    HostSession host(
        h.game, [&h]() -> const VirtualClock& { return h.clock; }, {2}, QStringLiteral("HJKM2345"));
    HostTransport::Options options;
    options.address = QHostAddress::LocalHost;
    options.port = 0;
    ASSERT_EQ(host.listen(options), std::nullopt);
    std::vector<QString> told;
    h.game.narrationComplete = [&](Integer step, const QString& message) {
        told.push_back(QStringLiteral("%1 %2 %3").arg(h.clock.now()).arg(step).arg(message));
    };
    const auto url = joinUrl(QStringLiteral("127.0.0.1:%1").arg(host.port()));

    QTemporaryDir home;
    const QString tokenFile = home.filePath(QStringLiteral("kroda/seat-tokens.json"));
    auto client = std::make_unique<Client>(tokenFile);
    client->session.join(*url, {QStringLiteral("hjkm2345"), {QStringLiteral("Ann")}});
    ASSERT_TRUE(waitUntil([&] { return host.everySeatTaken(); }, 5000, "the welcome"));
    ASSERT_TRUE(waitUntil([&] { return client->session.hostSeats().seats.size() == 2; }, 5000,
                          "the seats"));
    const QList<SeatEntry> seats = client->session.hostSeats().seats;
    EXPECT_EQ(seats[0], (SeatEntry{1, SeatPlayer::Computer, QStringLiteral("ผู้เล่น:1"), false}));
    EXPECT_EQ(seats[1], (SeatEntry{2, SeatPlayer::Network, QStringLiteral("Ann"), true}));
    EXPECT_FALSE(client->session.started());
    // The token is kept as soon as it is given, in a file only the user may read.
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_TRUE(QFileInfo(tokenFile).permissions().testFlags(QFileDevice::ReadUser |
                                                             QFileDevice::WriteUser));
    EXPECT_FALSE(QFileInfo(tokenFile).permissions() & others);

    host.begin();
    ASSERT_TRUE(waitUntil([&] { return client->session.started(); }, 5000, "the state"));
    EXPECT_EQ(client->session.seats(), (QList<int>{2}));

    // The host plays on; when seat 2 must act, the client answers from its own copy (buy an
    // offer, throw both dice), and after every step both saves are the same.
    int keysSent = 0;
    int steps = 0;
    while (steps++ < 300 && !h.game.isOver()) {
        if (h.game.cardOpen()) {
            h.game.handle([](Game& g) { g.keyPressed(SpaceKey, 0); });
        } else if (h.game.awaitsPerson() && h.s().CurPlayer == 2) {
            const Game& copy = client->session.game();
            const Player& me = copy.state.Players(2);
            const int key = copy.state.InputMode == YesNoAnswer ? me.KeyCode(1) : me.KeyCode(2);
            const QByteArray before = writeSave(h.game, h.clock);
            client->session.send({2, KeyInput{key, 0}});
            ++keysSent;
            ASSERT_TRUE(pumpUntil([&] { return writeSave(h.game, h.clock) != before; },
                                  "the client's key"));
        } else {
            // A few ticks at a time, so that the game gets on within a few hundred steps.
            int ticks = 0;
            h.clock.advanceUntil(
                [&] { return ticks++ >= 12 || h.game.cardOpen() || h.game.awaitsPerson(); },
                600000);
        }
        const QJsonObject moment = documentOf(writeSave(h.game, h.clock));
        ASSERT_TRUE(
            pumpUntil([&] { return client->session.document() == moment || client->ending; },
                      "the client loading the moment"));
        ASSERT_FALSE(client->ending) << endingText(*client->ending).toStdString();
        // The copy's own save, written from what it read, every few steps (each takes a while).
        if (steps % 5 == 0) {
            ASSERT_EQ(documentOf(client->session.saved()), moment)
                << QJsonDocument(mergePatch(moment, documentOf(client->session.saved())))
                       .toJson()
                       .toStdString();
        }
    }
    EXPECT_GE(keysSent, 4);
    ASSERT_TRUE(
        waitUntil([&] { return client->heard.size() == told.size(); }, 5000, "the narration"));
    EXPECT_EQ(client->heard, told);
    EXPECT_GE(told.size(), 3u);

    // Killed, the client leaves nothing but its token file; started again, it takes seat 2
    // back with the kept token, without waiting for the host to find the old one silent.
    client.reset();
    Client again(tokenFile);
    again.session.join(*url, {QStringLiteral("HJKM-2345"), {QStringLiteral("Ann")}});
    ASSERT_TRUE(
        waitUntil([&] { return again.session.started() || again.ending; }, 5000, "the seat back"));
    ASSERT_FALSE(again.ending) << endingText(*again.ending).toStdString();
    EXPECT_EQ(again.session.seats(), (QList<int>{2}));
    EXPECT_TRUE(host.connected(2));
    const QJsonObject moment = documentOf(writeSave(h.game, h.clock));
    ASSERT_TRUE(pumpUntil([&] { return again.session.document() == moment; },
                          "the state after coming back"));
}

}  // namespace
}  // namespace kroda::network
