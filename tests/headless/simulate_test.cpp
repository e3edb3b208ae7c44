// simulate plays whole games of computers and sums them up in one JSON object.

#include "driver_harness.h"

#include "headless/simulator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kroda::headless::testing {
namespace {

QJsonObject parse(const std::string& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
    return doc.object();
}

// Every game is counted once as won, cut off or stalled; wins add up by seat and by place.
TEST(Simulate, ReportsEveryGame) {
    const ScriptOutcome r = runScript("players 3\nsimulate 4 7 40\n", boardFolder());
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const QJsonObject o = parse(r.out);
    EXPECT_EQ(o.value("games").toInt(), 4);
    const int won = o.value("won").toInt();
    EXPECT_EQ(won + o.value("cutOff").toInt() + o.value("stalled").toInt(), 4);
    EXPECT_EQ(o.value("stalled").toInt(), 0);
    const QJsonObject turns = o.value("turns").toObject();
    for (const char* k : {"mean", "median", "p95", "max"}) EXPECT_TRUE(turns.value(k).isDouble());
    EXPECT_LE(turns.value("max").toInt(), 40);
    EXPECT_GT(turns.value("mean").toDouble(), 0);
    int bySeat = 0, byPlace = 0;
    ASSERT_EQ(o.value("winsBySeat").toArray().size(), 3);
    ASSERT_EQ(o.value("winsByPlace").toArray().size(), 3);
    for (const QJsonValue v : o.value("winsBySeat").toArray()) bySeat += v.toInt();
    for (const QJsonValue v : o.value("winsByPlace").toArray()) byPlace += v.toInt();
    EXPECT_EQ(bySeat, won);
    EXPECT_EQ(byPlace, won);
    EXPECT_GT(o.value("timerTicks").toDouble(), 0);
    EXPECT_TRUE(o.value("seconds").isDouble());
}

// Every bankruptcy is counted once under its cause. In a game of two the first bankruptcy
// ends it, so its turn is the game's last.
TEST(Simulate, CountsBankruptciesByCause) {
    const ScriptOutcome r =
        runScript("players 2\nbankruptcard on\nsimulate 6 3 1000\n", boardFolder());
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const QJsonObject o = parse(r.out);
    ASSERT_EQ(o.value("won").toInt(), 6);
    const QJsonObject causes = o.value("bankruptcies").toObject();
    int sum = 0;
    for (const char* k : {"rent", "purchase", "building", "tax", "fine", "cardPay", "loseAll",
                          "bankruptCard", "other"}) {
        ASSERT_TRUE(causes.value(k).isDouble()) << k;
        sum += causes.value(k).toInt();
    }
    EXPECT_EQ(causes.size(), 9);
    EXPECT_EQ(sum, 6);
    EXPECT_EQ(causes.value("other").toInt(), 0);
    EXPECT_EQ(o.value("firstBankruptcyTurn").toObject().value("median"),
              o.value("turns").toObject().value("median"));
}

// --strong gives seats to the strong computer, which wins most games against the designed
// one from any seat; its wins are its seats' own. Seats that do not take part, repeated
// seats and a missing list are refused.
TEST(Simulate, StrongSeats) {
    const ScriptOutcome r = runScript("players 3\nsimulate 30 1 1000 --strong 3\n", boardFolder());
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const QJsonObject o = parse(r.out);
    EXPECT_EQ(o.value("strong").toArray(), QJsonArray({3}));
    EXPECT_EQ(o.value("strongWins"), o.value("winsBySeat").toArray().at(2));
    EXPECT_GE(o.value("strongWins").toInt(), 20) << r.out;
    EXPECT_EQ(o.value("won").toInt(), 30);

    const ScriptOutcome none = runScript("players 2\nsimulate 2 1 1000\n", boardFolder());
    ASSERT_EQ(none.status, ExitOk) << none.err;
    EXPECT_EQ(parse(none.out).value("strong").toArray(), QJsonArray());
    EXPECT_EQ(parse(none.out).value("strongWins").toInt(), 0);

    for (const char* bad : {"players 3\nsimulate 2 --strong 4\n", "simulate 2 --strong 11\n",
                            "simulate 2 --strong\n", "simulate 2 --strong 1x\n"}) {
        const ScriptOutcome b = runScript(bad, boardFolder());
        EXPECT_NE(b.status, ExitOk) << bad;
        EXPECT_NE(b.err.find("--strong"), std::string::npos) << bad << b.err;
    }
}

// The same seeds give the same games, also when each game is saved every 50 ticks and
// played on from the save; only the seconds taken differ.
TEST(Simulate, RepeatsWithTheSameSeed) {
    const auto once = [](const char* options) {
        const ScriptOutcome r =
            runScript(std::string("simulate 3 21 60 --check") + options + "\n", boardFolder());
        EXPECT_EQ(r.status, ExitOk) << r.err;
        static const QRegularExpression seconds(QStringLiteral("\"seconds\": [0-9.]+"));
        return QString::fromStdString(r.out).remove(seconds);
    };
    const QString first = once("");
    EXPECT_EQ(first, once(""));
    EXPECT_EQ(first, once(" --resave"));
}

// A game that asks for a turn past the limit is cut off with the limit as its turns.
TEST(Simulate, CutsAGameOffAtTheTurnLimit) {
    SimulationSettings s;
    s.folder = boardFolder();
    s.maxTurns = 5;
    const GameOutcome g = playComputerGame(s, 3);
    EXPECT_TRUE(g.cutOff);
    EXPECT_EQ(g.turns, 5);
    EXPECT_EQ(g.winner, 0);
}

// Median of an even count is the mean of the middle two; the 95th percentile is the nearest
// rank.
TEST(Simulate, TurnStatistics) {
    SimulationResult r;
    r.settings.players = 2;
    for (int t = 20; t >= 1; --t) {
        GameOutcome g;
        g.turns = t;
        g.winner = t % 2 + 1;
        g.winnerPlace = 1;
        r.games.push_back(g);
    }
    const QJsonObject o = parse(r.toJson().toStdString());
    const QJsonObject turns = o.value("turns").toObject();
    EXPECT_EQ(turns.value("mean").toDouble(), 10.5);
    EXPECT_EQ(turns.value("median").toDouble(), 10.5);
    EXPECT_EQ(turns.value("p95").toDouble(), 19);
    EXPECT_EQ(turns.value("max").toDouble(), 20);
    EXPECT_EQ(o.value("winsBySeat").toArray(), QJsonArray({10, 10}));
    EXPECT_EQ(o.value("winsByPlace").toArray(), QJsonArray({20, 0}));
}

}  // namespace
}  // namespace kroda::headless::testing
