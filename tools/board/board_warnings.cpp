#include "board/board_warnings.h"

#include "board/board_source.h"
#include "model/card_file.h"

#include <algorithm>
#include <array>

namespace kroda {

namespace {

constexpr std::array<int, 5> kHotelPositions = {4, 5, 15, 25, 35};
constexpr std::array<int, 2> kPairPositions = {12, 28};

bool deckHasText(const Deck& deck) {
    for (int k = 1; k <= kCardsPerDeck && k <= deck.size(); ++k) {
        if (!deck(k).Text.trimmed().isEmpty())
            return true;
    }
    return false;
}

}  // namespace

std::vector<BoardProblem> boardWarnings(const LoadedBoard& board) {
    std::vector<BoardProblem> out;
    const QString file = board.Config.ConfigPath.trimmed();
    const auto warn = [&](int i, const QString& message) {
        out.push_back({true, file, 0,
                       QStringLiteral("square index %1 \"%2\"")
                           .arg(i)
                           .arg(board.Squares(i + 1).Name.rightTrimmed()),
                       message});
    };
    const auto group = [&](int i, Integer kind, const auto& positions, const QString& list) {
        const bool fixed = std::find(positions.begin(), positions.end(), i) != positions.end();
        const Integer actual = board.Squares(i + 1).Kind;
        if (actual == kind && !fixed)
            warn(i, QStringLiteral("a %1 off the positions %2, whose owners the rent counts")
                        .arg(kindName(kind), list));
        else if (fixed && actual != kind)
            warn(i, QStringLiteral("position %1 of the %2 group holds a %3")
                        .arg(i)
                        .arg(kindName(kind), kindName(actual)));
    };
    bool treasureSquare = false, fortuneSquare = false;
    for (int i = 0; i < 40; ++i) {
        group(i, HotelSite, kHotelPositions, QStringLiteral("4, 5, 15, 25, 35"));
        group(i, PairSite, kPairPositions, QStringLiteral("12 and 28"));
        treasureSquare = treasureSquare || board.Squares(i + 1).Kind == TreasureCard;
        fortuneSquare = fortuneSquare || board.Squares(i + 1).Kind == FortuneCard;
    }
    if (treasureSquare && !deckHasText(board.Deck1))
        out.push_back({true,
                       board.Deck1Path,
                       0,
                       {},
                       QStringLiteral("the board has TreasureCard squares but no treasure card "
                                      "has a text")});
    if (fortuneSquare && !deckHasText(board.Deck2))
        out.push_back({true,
                       board.Deck2Path,
                       0,
                       {},
                       QStringLiteral("the board has FortuneCard squares but no fortune card "
                                      "has a text")});
    return out;
}

}  // namespace kroda
