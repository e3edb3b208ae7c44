// A client follows a host's game over real sockets: a small host here plays a seeded game
// without windows, sends the state once and a merge patch after every event, and applies the
// client's keys for its own seat. At every moment the client's copy writes the same save as
// the host's game, the narration arrives in order, and a moment that does not load ends the
// client's game with an error and leaves the copy at the last good moment.

#include "network/client_session.h"
#include "game/save_game.h"
#include "network/host_transport.h"
#include "network/merge_patch.h"
#include "support/game_harness.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QTimer>

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

TEST(ClientSession, FollowsTheHostsGameMomentByMoment) {
    // The host: seat 1 the computer, seat 2 a network seat the client plays.
    kroda::testing::GameHarness h(2, {2});
    std::vector<Input> inputs;
    std::optional<ConnectionId> joined;
    HostTransport host(
        QStringLiteral("HJKM2345"), {2},
        {[&](const Input& in) { inputs.push_back(in); },
         [&](ConnectionId id, const QList<int>&, const QStringList&) { joined = id; },
         {}});
    std::vector<QString> sentLines;
    h.game.narrationComplete = [&](Integer step, const QString& message) {
        const QString line = QStringLiteral("%1 %2 %3").arg(h.clock.now()).arg(step).arg(message);
        sentLines.push_back(line);
        host.broadcast(Narration{line});
    };
    h.load();
    QJsonObject last = documentOf(writeSave(h.game, h.clock));
    std::vector<QJsonObject> sent{last};  // the state, then every moment
    const auto publish = [&] {
        const QJsonObject now = documentOf(writeSave(h.game, h.clock));
        const QJsonObject patch = mergePatch(last, now);
        if (patch.isEmpty())
            return;
        host.broadcast(Moment{patch});
        last = now;
        sent.push_back(now);
    };
    HostTransport::Options options;
    options.address = QHostAddress::LocalHost;
    options.port = 0;
    ASSERT_EQ(host.listen(options), std::nullopt);

    // The client: it keeps every moment it loads and every line it hears.
    std::vector<QJsonObject> seen;
    std::vector<QString> heard;
    std::optional<ClientEnding> ending;
    ClientSession* client = nullptr;
    // The client's game folder is its own, as on another machine.
    ClientSession session(QStringLiteral(KRODA_GAME_DIR),
                          {{},
                           [&] { seen.push_back(documentOf(client->saved())); },
                           [&](const QString& line) { heard.push_back(line); },
                           {},
                           [&](const ClientEnding& e) { ending = e; }});
    client = &session;
    session.join(*joinUrl(QStringLiteral("127.0.0.1:%1").arg(host.port())),
                 {QStringLiteral("hjkm2345"), {QStringLiteral("Ann")}});
    ASSERT_TRUE(waitUntil([&] { return joined.has_value(); }, 5000, "the welcome"));
    host.send(*joined, State{writeSave(h.game, h.clock)});
    ASSERT_TRUE(waitUntil([&] { return session.started() || ending; }, 5000, "the state"));
    ASSERT_FALSE(ending) << endingText(*ending).toStdString();
    EXPECT_EQ(session.seats(), (QList<int>{2}));

    // The host plays tick by tick; when seat 2 must act, the client's key is awaited.
    int keysSent = 0;
    while (sent.size() < 300 && !h.game.isOver()) {
        if (h.game.cardOpen()) {
            h.game.handle([](Game& g) { g.keyPressed(SpaceKey, 0); });
        } else if (h.game.awaitsPerson()) {
            // The client answers from its own copy: buy an offer, throw both dice.
            const Game& copy = session.game();
            const Player& me = copy.state.Players(2);
            const int key = copy.state.InputMode == YesNoAnswer ? me.KeyCode(1) : me.KeyCode(2);
            session.send({2, KeyInput{key, 0}});
            ++keysSent;
            ASSERT_TRUE(pumpUntil([&] { return !inputs.empty(); }, "the client's key"));
            const Input in = inputs.back();
            inputs.clear();
            ASSERT_EQ(in.seat, 2);
            const auto k = std::get<KeyInput>(in.action);
            h.game.handle([&](Game& g) { g.keyPressed(k.keyCode, k.shift); });
        } else {
            // A few ticks at a time, so that the game gets on within a few hundred moments;
            // the first moments go tick by tick.
            int ticks = 0;
            const int batch = sent.size() < 60 ? 1 : 12;
            h.clock.advanceUntil(
                [&] { return ticks++ >= batch || h.game.cardOpen() || h.game.awaitsPerson(); },
                600000);
        }
        publish();
        ASSERT_TRUE(pumpUntil([&] { return seen.size() == sent.size() || ending; },
                              "the client loading the moment"));
        ASSERT_FALSE(ending) << endingText(*ending).toStdString();
    }
    EXPECT_GE(keysSent, 4);
    ASSERT_EQ(seen.size(), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i)
        ASSERT_EQ(seen[i], sent[i])
            << "moment " << i << ": "
            << QJsonDocument(mergePatch(sent[i], seen[i])).toJson().toStdString();
    ASSERT_TRUE(waitUntil([&] { return heard.size() == sentLines.size(); }, 5000, "the narration"));
    EXPECT_EQ(heard, sentLines);
    EXPECT_GE(heard.size(), 3u);

    // A moment whose checksum does not fit ends the client's game; the copy stays as it was.
    QJsonObject broken;
    broken.insert(QStringLiteral("checksum"), QStringLiteral("0000"));
    host.broadcast(Moment{broken});
    ASSERT_TRUE(waitUntil([&] { return ending.has_value(); }, 5000, "the fault"));
    EXPECT_EQ(ending->kind, ClientEnding::Fault);
    EXPECT_TRUE(ending->detail.contains(QStringLiteral("does not load")))
        << ending->detail.toStdString();
    EXPECT_EQ(documentOf(session.saved()), sent.back());
    EXPECT_EQ(seen.size(), sent.size());
}

}  // namespace
}  // namespace kroda::network
