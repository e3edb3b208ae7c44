#include "board/board_dump.h"

#include "board/board_source.h"
#include "model/card_file.h"
#include "model/picture_grids.h"

#include <QStringList>

namespace kroda {

namespace {

QString quotedText(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString codeText(int code, const QString& name) {
    return name.isEmpty() ? QString::number(code) : name;
}

void dumpDeck(QString& out, const char* keyword, const Deck& deck) {
    for (int k = 1; k <= kCardsPerDeck && k <= deck.size(); ++k) {
        const Card& c = deck(k);
        out += QStringLiteral("%1 %2 %3 %4\n")
                   .arg(QLatin1String(keyword), codeText(c.Action, actionName(c.Action)))
                   .arg(c.Amount)
                   .arg(quotedText(c.Text.rightTrimmed()));
    }
}

}  // namespace

QString dumpBoardSource(const LoadedBoard& board) {
    QString out =
        QStringLiteral("# The board read from %1\n\n").arg(board.Config.ConfigPath.trimmed());
    const GameConfig& c = board.Config;
    const std::pair<const char*, QString> headers[] = {
        {"mark", board.mark},
        {"corners", c.StripFile1.rightTrimmed()},
        {"sides", c.StripFile2.rightTrimmed()},
        {"illustrations", c.StripFile3.rightTrimmed()},
        {"treasure-file", c.Deck1File.rightTrimmed()},
        {"fortune-file", c.Deck2File.rightTrimmed()},
        {"spare", c.SpareItem.rightTrimmed()},
    };
    for (const auto& [keyword, value] : headers)
        out += QStringLiteral("%1 %2\n").arg(QLatin1String(keyword), quotedText(value));
    out += QLatin1Char('\n');
    for (int i = 0; i < 40; ++i) {
        const Square& sq = board.Squares(i + 1);
        const BoardPicture& pic = board.Pictures[static_cast<std::size_t>(i)];
        QStringList fields{QStringLiteral("square"),
                           QString::number(i),
                           quotedText(sq.Name.rightTrimmed()),
                           codeText(sq.Kind, kindName(sq.Kind)),
                           sq.Price.toPlainText(),
                           sq.HouseCost.toPlainText(),
                           sq.HotelCost.toPlainText()};
        for (int r = 1; r <= 6; ++r) fields << sq.Rent(r).toPlainText();
        fields << (pic.Holder == kCornerHolder ? QStringLiteral("corner")
                   : pic.Holder == kSideHolder ? QStringLiteral("side")
                                               : QString::number(pic.Holder));
        fields << QString::number(pic.Cell);
        out += fields.join(QLatin1Char(' ')) + QLatin1Char('\n');
    }
    out += QLatin1Char('\n');
    dumpDeck(out, "treasure", board.Deck1);
    out += QLatin1Char('\n');
    dumpDeck(out, "fortune", board.Deck2);
    return out;
}

}  // namespace kroda
