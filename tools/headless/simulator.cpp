#include "headless/simulator.h"

#include "game/invariants.h"
#include "headless/json_writer.h"
#include "headless/session.h"
#include "headless/state_paths.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>
#include <numeric>
#include <optional>
#include <stdexcept>

namespace kroda::headless {

namespace {

// Virtual time a game may take per turn before it is taken for stuck: far more than a turn
// of narration, pauses and walking needs.
constexpr std::int64_t kVirtualMsPerTurn = 10 * 60 * 1000;

// How often --resave saves the game and goes on from the save.
constexpr std::uint64_t kResaveTicks = 50;

QByteArray number(double v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return QByteArray::number(static_cast<qlonglong>(v));
    return QByteArray::number(v, 'f', 3);
}

// The middle value of a sorted list, the mean of the middle two for an even count; 0 for none.
double middleOf(const std::vector<int>& sorted) {
    const std::size_t n = sorted.size();
    if (n == 0)
        return 0;
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
}

// The causes a bankruptcy is reported under; any other counts as "other".
constexpr PaymentCause kReportedCauses[] = {
    PaymentCause::Rent, PaymentCause::Purchase, PaymentCause::Building, PaymentCause::Tax,
    PaymentCause::Fine, PaymentCause::CardPay,  PaymentCause::LoseAll,  PaymentCause::BankruptCard,
};

QByteArray bankruptcyCounts(const std::vector<GameOutcome>& games) {
    int counts[kPaymentCauseCount] = {};
    int other = 0;
    for (const GameOutcome& g : games) {
        for (const std::optional<PaymentCause>& c : g.bankruptcies) {
            const bool reported =
                c && std::find(std::begin(kReportedCauses), std::end(kReportedCauses), *c) !=
                         std::end(kReportedCauses);
            if (reported)
                ++counts[static_cast<int>(*c)];
            else
                ++other;
        }
    }
    QByteArray out = "{";
    for (const PaymentCause c : kReportedCauses) {
        out += QByteArray("\"") + causeName(c) +
               "\": " + QByteArray::number(counts[static_cast<int>(c)]) + ", ";
    }
    return out + "\"other\": " + QByteArray::number(other) + "}";
}

}  // namespace

GameOutcome playComputerGame(const SimulationSettings& settings, std::uint64_t seed) {
    return playComputerGame(settings, seed, readBoard);
}

GameOutcome playComputerGame(const SimulationSettings& settings, std::uint64_t seed,
                             const BoardReader& reader) {
    auto session = std::make_unique<Session>(settings.folder);
    session->game().boardReader = reader;
    session->seed(seed);
    GameState& setUp = session->game().state;
    setUp.PlayerCount = static_cast<Integer>(settings.players);
    setUp.BankruptCardOn = settings.bankruptCardOn;
    for (int p = 1; p <= settings.players; ++p) {
        const bool strong = std::find(settings.strongSeats.begin(), settings.strongSeats.end(),
                                      p) != settings.strongSeats.end();
        session->setUpPlayer(p, strong ? Controller::StrongComputer : Controller::Computer,
                             QStringLiteral("ผู้เล่น:%1").arg(p));
    }

    GameOutcome out;
    // The outcome follows whichever session plays the game now.
    const auto follow = [&out, &settings, seed](Session& played) {
        const PaymentLedger& ledger = played.game().ledger;
        played.onNarration = [&out, &ledger](std::int64_t, Integer step, const QString&) {
            if (step == ThrowRequest)
                ++out.turns;
            else if (out.firstBankruptcyTurn == 0 && !ledger.bankruptcies().empty())
                out.firstBankruptcyTurn = out.turns;
        };
        if (settings.check) {
            Game& game = played.game();
            game.afterEvent = [&out, &game, &played, seed] {
                if (out.broken)
                    return;
                if (const auto b = brokenInvariant(game)) {
                    const PathTable paths(played);
                    out.broken = InvariantReport{seed, out.turns, b->text(), dumpJson(paths)};
                }
            };
        }
    };
    follow(*session);
    session->start();

    std::uint64_t nextResave = session->ticks() + kResaveTicks;
    const auto resaveDue = [&] { return settings.resave && session->ticks() >= nextResave; };
    // Asked after every tick: the plain counts first.
    const auto done = [&] {
        const Game& game = session->game();
        return out.turns > settings.maxTurns || out.broken.has_value() || game.isOver() ||
               game.cardOpen() || game.awaitsPerson() || resaveDue();
    };
    const std::int64_t limit = (std::int64_t{settings.maxTurns} + 10) * kVirtualMsPerTurn;
    for (;;) {
        if (!session->runUntil(done, limit - session->now())) {
            out.stalled = true;
            break;
        }
        if (out.broken)
            break;
        if (out.turns > settings.maxTurns) {
            out.cutOff = true;
            out.turns = settings.maxTurns;
            break;
        }
        if (resaveDue()) {
            // The game goes on from its save, in a game that has seen nothing else.
            auto fresh = std::make_unique<Session>(settings.folder);
            fresh->game().boardReader = reader;
            follow(*fresh);
            if (const auto fault = fresh->load(session->save()))
                throw std::runtime_error(
                    QStringLiteral("the save of the game of seed %1 at tick %2 does not load: %3")
                        .arg(seed)
                        .arg(session->ticks())
                        .arg(*fault)
                        .toStdString());
            session = std::move(fresh);
            nextResave = session->ticks() + kResaveTicks;
            continue;
        }
        if (session->hasWinner()) {
            const GameState& s = session->game().state;
            out.winner = s.CurPlayer;
            const QString queue = s.TurnQueue.trimmed();
            out.winnerPlace = static_cast<int>(queue.indexOf(QString::number(out.winner))) + 1;
            break;
        }
        if (!session->cardOpen()) {
            out.stalled = true;  // a person is awaited in a game of computers
            break;
        }
        session->game().handle([](Game& g) { g.keyPressed(SpaceKey, 0); });
        if (session->cardOpen()) {
            out.stalled = true;
            break;
        }
    }
    out.ticks = session->ticks();
    const PaymentLedger& ledger = session->game().ledger;
    if (out.firstBankruptcyTurn == 0 && !ledger.bankruptcies().empty())
        out.firstBankruptcyTurn = out.turns;
    for (const BankruptcyRecord& b : ledger.bankruptcies()) out.bankruptcies.push_back(b.cause);
    return out;
}

SimulationResult simulate(const SimulationSettings& settings) {
    SimulationResult r;
    r.settings = settings;
    r.games.reserve(static_cast<std::size_t>(std::max(settings.games, 0)));
    // Every game plays the same board: it is read from the files once, by the first game, and
    // the later games load that reading (a board with errors stops the first game already).
    std::optional<BoardReadResult> firstReading;
    const BoardReader reader = [&firstReading](const BoardLocation& where, bool bankruptCardOn) {
        if (!firstReading)
            firstReading = readBoard(where, bankruptCardOn);
        return *firstReading;
    };
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < settings.games; ++i) {
        r.games.push_back(
            playComputerGame(settings, settings.seed + static_cast<std::uint64_t>(i), reader));
        if (r.games.back().broken)
            break;
    }
    r.seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    return r;
}

int SimulationResult::won() const {
    return static_cast<int>(
        std::count_if(games.begin(), games.end(), [](const GameOutcome& g) { return g.winner; }));
}

const InvariantReport* SimulationResult::firstBroken() const {
    for (const GameOutcome& g : games) {
        if (g.broken)
            return &*g.broken;
    }
    return nullptr;
}

int SimulationResult::cutOff() const {
    return static_cast<int>(
        std::count_if(games.begin(), games.end(), [](const GameOutcome& g) { return g.cutOff; }));
}

int SimulationResult::stalled() const {
    return static_cast<int>(
        std::count_if(games.begin(), games.end(), [](const GameOutcome& g) { return g.stalled; }));
}

std::uint64_t SimulationResult::ticks() const {
    return std::accumulate(games.begin(), games.end(), std::uint64_t{0},
                           [](std::uint64_t sum, const GameOutcome& g) { return sum + g.ticks; });
}

std::int64_t SimulationResult::totalTurns() const {
    return std::accumulate(games.begin(), games.end(), std::int64_t{0},
                           [](std::int64_t sum, const GameOutcome& g) { return sum + g.turns; });
}

QByteArray SimulationResult::toJson() const {
    std::vector<int> turns;
    turns.reserve(games.size());
    for (const GameOutcome& g : games) turns.push_back(g.turns);
    std::sort(turns.begin(), turns.end());
    const std::size_t n = turns.size();
    double mean = 0, median = 0, p95 = 0, max = 0;
    if (n > 0) {
        mean = static_cast<double>(totalTurns()) / static_cast<double>(n);
        median = middleOf(turns);
        // Nearest rank: the smallest value that at least 95% of the games do not exceed.
        const auto rank = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(n)));
        p95 = turns[std::max<std::size_t>(rank, 1) - 1];
        max = turns.back();
    }
    std::vector<int> bySeat(static_cast<std::size_t>(settings.players), 0);
    std::vector<int> byPlace(static_cast<std::size_t>(settings.players), 0);
    for (const GameOutcome& g : games) {
        if (g.winner >= 1 && g.winner <= settings.players)
            ++bySeat[static_cast<std::size_t>(g.winner - 1)];
        if (g.winnerPlace >= 1 && g.winnerPlace <= settings.players)
            ++byPlace[static_cast<std::size_t>(g.winnerPlace - 1)];
    }
    const auto list = [](const std::vector<int>& v) {
        QByteArray out = "[";
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (i)
                out += ", ";
            out += QByteArray::number(v[i]);
        }
        return out + "]";
    };
    QByteArray out = "{";
    out += "\"games\": " + QByteArray::number(static_cast<qulonglong>(n));
    out += ", \"won\": " + QByteArray::number(won());
    out += ", \"cutOff\": " + QByteArray::number(cutOff());
    out += ", \"stalled\": " + QByteArray::number(stalled());
    out += ", \"players\": " + QByteArray::number(settings.players);
    out += ", \"seed\": " + QByteArray::number(static_cast<qulonglong>(settings.seed));
    out += ", \"maxTurns\": " + QByteArray::number(settings.maxTurns);
    out += ", \"turns\": {\"mean\": " + number(mean) + ", \"median\": " + number(median) +
           ", \"p95\": " + number(p95) + ", \"max\": " + number(max) + "}";
    int strongWins = 0;
    for (const int seat : settings.strongSeats)
        if (seat >= 1 && seat <= settings.players)
            strongWins += bySeat[static_cast<std::size_t>(seat - 1)];
    out += ", \"strong\": " + list(settings.strongSeats);
    out += ", \"strongWins\": " + QByteArray::number(strongWins);
    out += ", \"winsBySeat\": " + list(bySeat);
    out += ", \"winsByPlace\": " + list(byPlace);
    std::vector<int> firstOut;
    for (const GameOutcome& g : games) {
        if (g.firstBankruptcyTurn > 0)
            firstOut.push_back(g.firstBankruptcyTurn);
    }
    std::sort(firstOut.begin(), firstOut.end());
    out += ", \"bankruptcies\": " + bankruptcyCounts(games);
    out += ", \"firstBankruptcyTurn\": {\"median\": " + number(middleOf(firstOut)) + "}";
    out += ", \"timerTicks\": " + QByteArray::number(static_cast<qulonglong>(ticks()));
    if (settings.check) {
        const InvariantReport* b = firstBroken();
        out += QByteArray(", \"checked\": true, \"broken\": ") + (b ? "1" : "0");
    }
    out += ", \"seconds\": " + QByteArray::number(seconds, 'f', 3);
    out += "}\n";
    return out;
}

}  // namespace kroda::headless
