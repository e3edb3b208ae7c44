#include "computer/look_ahead.h"

#include "computer/offer_value.h"
#include "model/codes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <vector>

namespace kroda {

namespace {

// A difference of plays that is not this many times its standard error is a close call.
constexpr double kCloseCall = 1.5;
// Answers whose plays differ by at most this share of a game win as often.
constexpr double kTie = 0.01;

// A small, fast generator of the model's own dice (splitmix64).
class Dice {
  public:
    explicit Dice(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int die() { return 1 + below(6); }

  private:
    std::uint64_t state_;
};

enum class Answerer { Designed, Weighing };

// What does not change while the model plays: the board's prices and the cards.
struct Board {
    std::array<Integer, kSquareCount> kind{};
    std::array<std::int64_t, kSquareCount> price{}, houseCost{}, hotelCost{};
    std::array<std::array<std::int64_t, 7>, kSquareCount> rent{};
    std::int64_t startMoney = 0;
    // Card amounts, paid as negative; kLoseAll for a card that takes all the money.
    std::vector<std::int64_t> treasure, fortune;
};

constexpr std::int64_t kLoseAll = INT64_MIN;

// How the persons and the strong computers of the model weigh an offer: the money left must
// exceed the dearest rent ahead of them, times a margin in tenths. Against several players the
// whole ring counts, against one the next throw or so; a plot dearer than a fifth of the
// money is not worth it against one.
constexpr int kReachAgainstMany = kSquareCount - 1;
constexpr int kReachAgainstOne = 12;
constexpr int kDearPlotShareAgainstOne = 5;
struct Margins {
    int plot, building, group;  // tenths
};
constexpr Margins kMarginsAgainstMany{10, 10, 5};
constexpr Margins kMarginsAgainstOne{10, 15, 5};

struct Seat {
    int position = 0;
    std::int64_t money = 0;
    int skip = 0;
    bool out = true;
    int turns = 0;
    Answerer answerer = Answerer::Designed;
};

struct Plot {
    int owner = 0;
    int buildings = 0;
};

struct Model {
    const Board* board = nullptr;
    std::array<Seat, 5> seats{};  // 1..4
    std::array<Plot, kSquareCount> plots{};
    std::array<int, 4> order{};
    int orderSize = 0;
    int left = 0;  // seats not out

    int groupCount(std::span<const Integer> group, int owner) const {
        int n = 0;
        for (const Integer p : group) n += plots[static_cast<std::size_t>(p)].owner == owner;
        return n;
    }

    std::int64_t rentAt(int p) const {
        const Plot& plot = plots[static_cast<std::size_t>(p)];
        const auto& r = board->rent[static_cast<std::size_t>(p)];
        switch (board->kind[static_cast<std::size_t>(p)]) {
            case Land:
                return r[static_cast<std::size_t>(std::min(plot.buildings + 1, 6))];
            case HotelSite:
                return r[static_cast<std::size_t>(groupCount(kHotelGroup, plot.owner))];
            case PairSite:
                return r[static_cast<std::size_t>(groupCount(kPairGroup, plot.owner))];
            default:
                return 0;
        }
    }

    // What the seat's offer at p costs; 0 when there is none.
    std::int64_t offerCost(int seat, int p) const {
        const Plot& plot = plots[static_cast<std::size_t>(p)];
        const Integer kind = board->kind[static_cast<std::size_t>(p)];
        if (kind != Land && kind != HotelSite && kind != PairSite)
            return 0;
        if (plot.owner == 0)
            return board->price[static_cast<std::size_t>(p)];
        if (plot.owner != seat || kind != Land || plot.buildings >= 5)
            return 0;
        return plot.buildings < 4 ? board->houseCost[static_cast<std::size_t>(p)]
                                  : board->hotelCost[static_cast<std::size_t>(p)];
    }

    void take(int seat, int p, std::int64_t cost) {
        Plot& plot = plots[static_cast<std::size_t>(p)];
        seats[static_cast<std::size_t>(seat)].money -= cost;
        if (plot.owner == seat)
            ++plot.buildings;
        else
            plot.owner = seat;
    }

    void bankrupt(int seat) {
        seats[static_cast<std::size_t>(seat)].out = true;
        --left;
        for (Plot& plot : plots)
            if (plot.owner == seat)
                plot = Plot{};
    }

    // Whether the seat is bankrupt after paying.
    bool pay(int seat, std::int64_t amount, int creditor = 0) {
        Seat& s = seats[static_cast<std::size_t>(seat)];
        s.money -= amount;
        if (creditor != 0)
            seats[static_cast<std::size_t>(creditor)].money += amount;
        if (s.money > 0)
            return false;
        bankrupt(seat);
        return true;
    }

    // The answers of the seats the model does not decide for: the designed computer's lot,
    // or a weighing of the money left against the dearest charge ahead.
    bool answers(int seat, int p, std::int64_t cost, Dice& lots) const {
        const Seat& s = seats[static_cast<std::size_t>(seat)];
        if (s.answerer == Answerer::Designed)
            return lots.below(3) == 0;
        const std::int64_t leftOver = s.money - cost;
        if (leftOver <= 0)
            return false;
        const bool alone = left == 2;
        const Integer kind = board->kind[static_cast<std::size_t>(p)];
        const bool building = plots[static_cast<std::size_t>(p)].owner == seat;
        if (alone && !building && kind == Land && cost * kDearPlotShareAgainstOne > s.money)
            return false;
        const int reach = alone ? kReachAgainstOne : kReachAgainstMany;
        std::int64_t worst = 0;
        for (int d = 1; d <= reach; ++d) {
            const int q = (p + d) % kSquareCount;
            const Plot& plot = plots[static_cast<std::size_t>(q)];
            if (plot.owner != 0 && plot.owner != seat)
                worst = std::max(worst, rentAt(q));
        }
        const Margins& m = alone ? kMarginsAgainstOne : kMarginsAgainstMany;
        const int tenths = building ? m.building : kind == Land ? m.plot : m.group;
        return leftOver * 10 > worst * tenths;
    }

    void drawCard(int seat, const std::vector<std::int64_t>& deck, Dice& lots) {
        if (deck.empty())
            return;
        const std::int64_t amount =
            deck[static_cast<std::size_t>(lots.below(static_cast<int>(deck.size())))];
        if (amount == kLoseAll) {
            pay(seat, seats[static_cast<std::size_t>(seat)].money);
        } else if (amount < 0) {
            pay(seat, -amount);
        } else {
            seats[static_cast<std::size_t>(seat)].money += amount;
        }
    }

    void land(int seat, Dice& lots) {
        Seat& s = seats[static_cast<std::size_t>(seat)];
        const int p = s.position;
        const std::size_t i = static_cast<std::size_t>(p);
        switch (board->kind[i]) {
            case Land:
            case HotelSite:
            case PairSite: {
                const Plot& plot = plots[i];
                if (plot.owner != 0 && plot.owner != seat) {
                    pay(seat, rentAt(p), plot.owner);
                    return;
                }
                const std::int64_t cost = offerCost(seat, p);
                if (cost > 0 && answers(seat, p, cost, lots)) {
                    take(seat, p, cost);
                    if (s.money <= 0)
                        bankrupt(seat);
                }
                return;
            }
            case TreasureCard:
                drawCard(seat, board->treasure, lots);
                return;
            case FortuneCard:
                drawCard(seat, board->fortune, lots);
                return;
            case Jail:
            case Rest:
                s.skip = 1;
                return;
            case GoToJail:
                s.position = kJailPosition;
                s.skip = 1;
                pay(seat, board->price[i]);
                return;
            case Tax:
                pay(seat, board->price[i]);
                return;
            default:
                return;
        }
    }

    void move(int seat, int steps, Dice& lots) {
        Seat& s = seats[static_cast<std::size_t>(seat)];
        s.position += steps;
        if (s.position >= kSquareCount) {
            s.position -= kSquareCount;
            s.money += board->startMoney;
        }
        land(seat, lots);
    }

    void turn(int seat, std::uint64_t seed) {
        Seat& s = seats[static_cast<std::size_t>(seat)];
        // Each seat's n-th turn has the same dice and lots in both plays, whatever happened
        // before it.
        const std::uint64_t key =
            seed + (static_cast<std::uint64_t>(s.turns++) * 4 + static_cast<std::uint64_t>(seat)) *
                       0x9E3779B97F4A7C15ull;
        Dice dice(key);
        Dice lots(~key);
        if (s.skip > 0) {
            --s.skip;
            return;
        }
        for (int doubles = 0; doubles < 3; ++doubles) {
            const int a = dice.die(), b = dice.die();
            if (a == b && doubles == 2)
                return;  // the third double loses the move
            move(seat, a + b, lots);
            if (s.out || a != b || s.skip > 0)
                return;
        }
    }

    int nextAfter(int seat) const {
        int at = 0;
        for (int k = 0; k < orderSize; ++k)
            if (order[static_cast<std::size_t>(k)] == seat)
                at = k;
        for (int step = 1; step <= orderSize; ++step) {
            const int next = order[static_cast<std::size_t>((at + step) % orderSize)];
            if (!seats[static_cast<std::size_t>(next)].out)
                return next;
        }
        return seat;
    }

    std::int64_t wealth(int seat) const {
        std::int64_t w = std::max<std::int64_t>(seats[static_cast<std::size_t>(seat)].money, 0);
        for (std::size_t p = 0; p < plots.size(); ++p)
            if (plots[p].owner == seat)
                w += board->price[p] + plots[p].buildings * board->houseCost[p];
        return w;
    }

    // Plays on from the turn after `seat`'s until one seat is left or `turnLimit` turns; the
    // result is `player`'s win (1), loss (0) or share of the wealth at the limit.
    double playOut(int seat, int player, int turnLimit, std::uint64_t seed) {
        for (int t = 0; t < turnLimit && left > 1; ++t) {
            if (seats[static_cast<std::size_t>(player)].out)
                return 0;
            seat = nextAfter(seat);
            turn(seat, seed);
        }
        if (seats[static_cast<std::size_t>(player)].out)
            return 0;
        if (left <= 1)
            return 1;
        std::int64_t all = 0;
        for (int k = 1; k <= 4; ++k)
            if (!seats[static_cast<std::size_t>(k)].out)
                all += wealth(k);
        return all > 0 ? static_cast<double>(wealth(player)) / static_cast<double>(all) : 0;
    }
};

std::vector<std::int64_t> deckOf(const Deck& deck, bool canRuin) {
    std::vector<std::int64_t> cards;
    for (int i = 1; i <= deck.size(); ++i) {
        const Card& c = deck(i);
        if (c.Action == PayAmount)
            cards.push_back(-static_cast<std::int64_t>(c.Amount));
        else if (c.Action == ReceiveAmount)
            cards.push_back(c.Amount);
        else if (canRuin && (c.Action == BuiltInBankrupt || c.Action == LoseAllMoney))
            cards.push_back(kLoseAll);
        else
            cards.push_back(0);
    }
    return cards;
}

Board boardOf(const GameState& state) {
    Board b;
    for (int p = 0; p < kSquareCount; ++p) {
        const Square& s = state.Squares(p + 1);
        const std::size_t i = static_cast<std::size_t>(p);
        b.kind[i] = s.Kind;
        b.price[i] = s.Price.units();
        b.houseCost[i] = s.HouseCost.units();
        b.hotelCost[i] = s.HotelCost.units();
        for (int r = 1; r <= 6; ++r) b.rent[i][static_cast<std::size_t>(r)] = s.Rent(r).units();
    }
    b.startMoney = state.Squares(1).Price.units();
    b.treasure = deckOf(state.Deck1, false);
    b.fortune = deckOf(state.Deck2, true);
    return b;
}

Model modelOf(const GameState& state, const Board& board) {
    Model m;
    m.board = &board;
    for (int k = 1; k <= 4; ++k) {
        if (!state.takesPart(k))
            continue;
        const Player& P = state.Players(k);
        Seat& s = m.seats[static_cast<std::size_t>(k)];
        s.out = P.Bankrupt;
        s.position = std::clamp<int>(P.Position, 0, kSquareCount - 1);
        s.money = P.Money.units();
        s.skip = P.SkipTurns;
        s.answerer = P.IsHuman || P.Strong ? Answerer::Weighing : Answerer::Designed;
        if (!s.out)
            ++m.left;
    }
    for (int p = 0; p < kSquareCount; ++p) {
        const Square& s = state.Squares(p + 1);
        const bool owned =
            s.Owner >= 1 && s.Owner <= 4 && !m.seats[static_cast<std::size_t>(s.Owner)].out;
        m.plots[static_cast<std::size_t>(p)] =
            owned ? Plot{s.Owner, std::clamp<int>(s.Buildings, 0, 5)} : Plot{};
    }
    const QString queue = state.TurnQueue.trimmed();
    for (const QChar c : queue) {
        const int k = c.digitValue();
        if (state.takesPart(k) && m.orderSize < 4)
            m.order[static_cast<std::size_t>(m.orderSize++)] = k;
    }
    if (m.orderSize == 0)
        for (int k = 1; k <= state.PlayerCount && k <= 4; ++k)
            m.order[static_cast<std::size_t>(m.orderSize++)] = k;
    return m;
}

// The same moment always looks ahead with the same dice.
std::uint64_t seedOf(const Model& m, int player) {
    std::uint64_t h = 0xCBF29CE484222325ull ^ static_cast<std::uint64_t>(player);
    const auto mix = [&h](std::int64_t v) {
        h ^= static_cast<std::uint64_t>(v);
        h *= 0x100000001B3ull;
    };
    for (const Seat& s : m.seats) {
        mix(s.position);
        mix(s.money);
    }
    for (const Plot& p : m.plots) mix(p.owner * 8 + p.buildings);
    return h;
}

}  // namespace

LookAheadVerdict lookAhead(const GameState& state, Integer player, int games, int mostGames,
                           int turnLimit) {
    LookAheadVerdict verdict;
    if (!GameState::isSeat(player) || !state.takesPart(player))
        return verdict;
    const Board board = boardOf(state);
    const Model now = modelOf(state, board);
    const int p = now.seats[static_cast<std::size_t>(player)].position;
    const std::int64_t cost = now.offerCost(player, p);
    if (cost <= 0)
        return verdict;
    const std::uint64_t seed = seedOf(now, player);
    double sumSquares = 0;
    int g = 0;
    const auto playPair = [&] {
        double results[2] = {};
        for (const bool taking : {true, false}) {
            Model m = now;
            if (taking) {
                m.take(player, p, cost);
                if (m.seats[static_cast<std::size_t>(player)].money <= 0)
                    m.bankrupt(player);
            }
            results[taking ? 0 : 1] =
                m.playOut(player, player, turnLimit,
                          seed + static_cast<std::uint64_t>(g) * 0xD1B54A32D192ED03ull);
        }
        verdict.winsTaking += results[0];
        verdict.winsRefusing += results[1];
        sumSquares += (results[0] - results[1]) * (results[0] - results[1]);
        ++g;
    };
    while (g < games) playPair();
    // A close call is played out more, up to `mostGames`, until the difference stands out
    // of the plays' own spread.
    while (g < mostGames) {
        const double mean = (verdict.winsTaking - verdict.winsRefusing) / g;
        const double variance = std::max(sumSquares / g - mean * mean, 1e-12);
        if (std::abs(mean) > kCloseCall * std::sqrt(variance / g))
            break;
        const int until = std::min(mostGames, g * 2);
        while (g < until) playPair();
    }
    verdict.gamesPlayed = g;
    return verdict;
}

bool strongTakesOffer(const GameState& state, Integer player) {
    if (!GameState::isSeat(player))
        return false;
    const LookAheadVerdict v = lookAhead(state, player);
    if (v.gamesPlayed == 0)
        return false;
    // Within a hundredth of a game either way the plays cannot tell; the weighing decides.
    if (std::abs(v.winsTaking - v.winsRefusing) <= kTie * v.gamesPlayed)
        return takesOffer(state, player);
    return v.winsTaking > v.winsRefusing;
}

}  // namespace kroda
