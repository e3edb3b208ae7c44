// The board folder as the game reads it: one input is split into KovarT.dat, both card
// files and the headers of every picture, written to a folder and read with and without the
// bankrupt card. Every message must be one line, and an accepted board must hold only
// amounts a game can carry.

#include "fuzz_support.h"

#include "board/board_dump.h"
#include "board/board_warnings.h"
#include "model/board_reader.h"

#include <cstddef>
#include <cstdint>

namespace {

void expectOneLine(const kroda::BoardProblem& p) {
    const QString text = p.text();
    for (const QChar c : text) {
        if (c.unicode() < 0x20)
            kroda::fuzz::finding(QStringLiteral("a message holds a control character: ") + text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kroda;
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString folder = fuzz::scratchFolder();
    fuzz::writeBoardFolder(folder, fuzz::splitInput(input));
    const BoardLocation where{folder + QStringLiteral("/KovarT.dat"), folder,
                              folder + QStringLiteral("/Image/")};
    for (const bool bankruptCard : {false, true}) {
        const BoardReadResult r = readBoard(where, bankruptCard);
        for (const BoardProblem& p : r.problems) expectOneLine(p);
        if (r.hasErrors())
            continue;
        for (const Square& sq : r.board->Squares) {
            bool within = sq.Price.withinBoardLimit() && sq.HouseCost.withinBoardLimit() &&
                          sq.HotelCost.withinBoardLimit();
            for (const Currency& rent : sq.Rent) within = within && rent.withinBoardLimit();
            if (!within)
                fuzz::finding(QStringLiteral("an accepted board holds an amount beyond the limit"));
        }
        if (r.board->Deck2.size() != (bankruptCard ? 21 : 20))
            fuzz::finding(QStringLiteral("the second deck has the wrong size"));
        for (const BoardProblem& p : boardWarnings(*r.board)) expectOneLine(p);
        (void)dumpBoardSource(*r.board);
    }
    return 0;
}
