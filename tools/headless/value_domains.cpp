#include "headless/value_domains.h"

#include "model/game_state.h"

#include <QRegularExpression>

#include <functional>
#include <vector>

namespace kroda::headless {

namespace {

struct Range {
    std::int64_t lo;
    std::int64_t hi;
};

struct NumberDomain {
    const char* pattern;  // the paths, as an anchored expression
    std::function<Range(const GameState&, bool started)> range;
    const char* meaning;
};

Range fixed(std::int64_t lo, std::int64_t hi) {
    return {lo, hi};
}

int playersTakingPart(const GameState& s) {
    return s.PlayerCount >= 2 && s.PlayerCount <= 4 ? s.PlayerCount : 4;
}

const std::vector<NumberDomain>& numberDomains() {
    static const std::vector<NumberDomain> domains = {
        {R"(PlayerCount)", [](const GameState&, bool) { return fixed(2, 4); }, "players"},
        {R"(Players\(\d\)\.Color)", [](const GameState&, bool) { return fixed(0, 0xFFFFFF); },
         "an RGB colour"},
        {R"(Players\(\d\)\.KeyCode\(\d\))", [](const GameState&, bool) { return fixed(0, 255); },
         "a virtual-key code"},
        {R"(Players\(\d\)\.Position)", [](const GameState&, bool) { return fixed(0, 39); },
         "a square index"},
        {R"(Players\(\d\)\.Owned\(\d+\))", [](const GameState&, bool) { return fixed(0, 40); },
         "a square number or 0 for a free slot"},
        {R"(Players\(\d\)\.SkipTurns)", [](const GameState&, bool) { return fixed(0, 32767); },
         "turns to sit out"},
        {R"(Players\(\d\)\.Steps)", [](const GameState&, bool) { return fixed(0, 12); },
         "a dice total or the squares still to walk"},
        {R"(Squares\(\d+\)\.Owner)", [](const GameState&, bool) { return fixed(0, 4); },
         "a player or 0 for the bank"},
        {R"(Squares\(\d+\)\.Buildings)", [](const GameState&, bool) { return fixed(0, 5); },
         "buildings: 0 bare land, 1 to 4 houses, 5 a hotel"},
        {R"(Squares\(\d+\)\.Kind)", [](const GameState&, bool) { return fixed(Start, Tax); },
         "a kind of square"},
        {R"(NextCard1)", [](const GameState&, bool) { return fixed(1, 20); },
         "a card of the first deck"},
        {R"(NextCard2)",
         [](const GameState& s, bool started) {
             const int size = started ? s.Deck2.size() : (s.BankruptCardOn ? 21 : 20);
             return fixed(1, size > 0 ? size : 20);
         },
         "a card of the second deck"},
        {R"(CurPlayer)", [](const GameState& s, bool) { return fixed(1, playersTakingPart(s)); },
         "a player taking part"},
        {R"(Die[12])", [](const GameState&, bool) { return fixed(0, 6); },
         "a die, 0 when not thrown"},
        {R"(DoublesCount)", [](const GameState&, bool) { return fixed(0, 2); },
         "doubles before the third"},
        {R"(TalkStep)", [](const GameState&, bool) { return fixed(1, 17); },
         "a step of the sequencer"},
        {R"(TalkPos|TalkLen)", [](const GameState&, bool) { return fixed(0, 32767); },
         "a position in the message"},
        {R"(BlinkFlag)", [](const GameState&, bool) { return fixed(0, 1); }, "a phase"},
        {R"(AnimMode)", [](const GameState&, bool) { return fixed(0, YesNoBlink); },
         "an animation, 0 for none"},
        {R"(InputMode)", [](const GameState&, bool) { return fixed(0, YesNoAnswer); },
         "an input mode, 0 for none"},
        {R"(ViewedSquare)", [](const GameState&, bool) { return fixed(0, 40); },
         "a square number or 0"},
        {R"(BankruptCount)",
         [](const GameState& s, bool) { return fixed(0, playersTakingPart(s) - 1); },
         "players gone bankrupt"},
        {R"(WizardStep)", [](const GameState&, bool) { return fixed(0, 32767); }, "a page"},
    };
    return domains;
}

bool matches(const char* pattern, const QString& path) {
    const QRegularExpression re(QRegularExpression::anchoredPattern(QLatin1String(pattern)));
    return re.match(path).hasMatch();
}

}  // namespace

QString wholeNumberProblem(const GameState& state, bool started, const QString& path,
                           std::int64_t value) {
    if (started && path == QLatin1String("PlayerCount"))
        return QStringLiteral("the number of players is fixed once the game has started");
    for (const NumberDomain& d : numberDomains()) {
        if (!matches(d.pattern, path))
            continue;
        const Range r = d.range(state, started);
        if (value < r.lo || value > r.hi)
            return QStringLiteral("%1 is outside %2..%3 (%4)")
                .arg(value)
                .arg(r.lo)
                .arg(r.hi)
                .arg(QLatin1String(d.meaning));
        return {};
    }
    return {};
}

QString moneyProblem(const QString& path, Currency value) {
    static const QRegularExpression boardAmount(
        QStringLiteral(R"(^Squares\(\d+\)\.(Price|HouseCost|HotelCost|Rent\(\d\))$)"));
    if (boardAmount.match(path).hasMatch() && !value.withinBoardLimit())
        return QStringLiteral("%1 is out of the range of money on a board (-%2 to %2)")
            .arg(value.toPlainText(), Currency::boardLimit().toPlainText());
    return {};
}

QString flagProblem(bool started, const QString& path) {
    // The second deck's size follows the bankrupt card when the board loads.
    if (started && path == QLatin1String("BankruptCardOn"))
        return QStringLiteral("the bankrupt card is fixed once the game has started");
    return {};
}

QString textProblem(const GameState& state, const QString& path, const QString& value) {
    if (path != QLatin1String("TurnQueue"))
        return {};
    // The play order: the digits of distinct players taking part, then blanks.
    const QString q = value.left(4);
    const int count = playersTakingPart(state);
    bool seen[5] = {};
    bool blank = false;
    for (const QChar c : q) {
        if (c == QLatin1Char(' ')) {
            blank = true;
            continue;
        }
        const int p = c.unicode() - u'0';
        if (blank || p < 1 || p > count || seen[p])
            return QStringLiteral(
                       "\"%1\" is no play order: distinct players 1 to %2, then "
                       "blanks")
                .arg(value)
                .arg(count);
        seen[p] = true;
    }
    return {};
}

}  // namespace kroda::headless
