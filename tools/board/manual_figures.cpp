#include "board/manual_figures.h"

#include "model/game_state.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace kroda {

namespace {

// "2,000", "-1,500", "12.5": grouped whole units, decimals only where there are some.
QString grouped(Currency amount) {
    QString plain = amount.toPlainText();
    const bool negative = plain.startsWith(QLatin1Char('-'));
    if (negative)
        plain.remove(0, 1);
    const qsizetype point = plain.indexOf(QLatin1Char('.'));
    QString whole = point < 0 ? plain : plain.left(point);
    const QString fraction = point < 0 ? QString() : plain.mid(point);
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3) whole.insert(at, QLatin1Char(','));
    return (negative ? QStringLiteral("-") : QString()) + whole + fraction;
}

struct KindText {
    const char* cssClass;
    const char16_t* name;
    const char16_t* amountWord;  // before the amount; null when the square shows a rule
    const char16_t* rule;
};

KindText kindText(Integer kind) {
    switch (kind) {
        case Start:
            return {"k-start", u"จุดเริ่มต้น", u"ได้รับ ", nullptr};
        case Land:
            return {"k-land", u"ที่ดิน", u"ราคา ", nullptr};
        case HotelSite:
            return {"k-hotel", u"โรงแรม", u"ราคา ", nullptr};
        case PairSite:
            return {"k-pair", u"สาธารณูปโภค", u"ราคา ", nullptr};
        case TreasureCard:
            return {"k-treasure", u"บัตรทรัพย์สมบัติ", nullptr, u"จั่วบัตร"};
        case FortuneCard:
            return {"k-fortune", u"บัตรโชคชะตา", nullptr, u"จั่วบัตร"};
        case Jail:
            return {"k-jail", u"คุก", nullptr, u"หยุด 1 ครั้ง"};
        // A rest square always costs one turn, whatever count it announces.
        case Rest:
            return {"k-rest", u"พักผ่อน", nullptr, u"หยุด 1 ครั้ง"};
        case GoToJail:
            return {"k-gojail", u"ไปเข้าคุก", u"ค่าปรับ ", nullptr};
        case Tax:
            return {"k-tax", u"ภาษี", u"จ่าย ", nullptr};
        default:
            return {"k-other", u"", nullptr, u""};
    }
}

QString cell(const QString& text, bool number = false) {
    return (number ? QStringLiteral("<td class=\"num\">") : QStringLiteral("<td>")) + text +
           QStringLiteral("</td>");
}

QString squareRows(const BoardSource& board) {
    QString rows;
    for (std::size_t i = 0; i < board.squares.size(); ++i) {
        const SourceSquare& s = board.squares[i];
        const KindText k = kindText(s.kind);
        const QString amount = k.amountWord ? QString::fromUtf16(k.amountWord) + grouped(s.price)
                                            : QString::fromUtf16(k.rule);
        rows +=
            QStringLiteral("<tr>") + cell(QString::number(i), true) +
            cell(QStringLiteral("<span class=\"dot %1\"></span>").arg(QLatin1String(k.cssClass)) +
                 s.name.toHtmlEscaped()) +
            cell(QString::fromUtf16(k.name)) + cell(amount) + QStringLiteral("</tr>\n");
    }
    return rows;
}

QString landRows(const BoardSource& board) {
    QString rows;
    for (std::size_t i = 0; i < board.squares.size(); ++i) {
        const SourceSquare& s = board.squares[i];
        if (s.kind != Land)
            continue;
        rows += QStringLiteral("<tr>") + cell(QString::number(i), true) +
                cell(s.name.toHtmlEscaped()) + cell(grouped(s.price), true) +
                cell(grouped(s.houseCost), true) + cell(grouped(s.hotelCost), true);
        for (const Currency& rent : s.rents) rows += cell(grouped(rent), true);
        rows += QStringLiteral("</tr>\n");
    }
    return rows;
}

std::optional<QString> cardAmount(const BoardSource& board, const QStringList& words) {
    if (words.size() != 4)
        return std::nullopt;
    const std::vector<SourceCard>* deck = words[1] == QLatin1String("treasure")  ? &board.treasure
                                          : words[1] == QLatin1String("fortune") ? &board.fortune
                                                                                 : nullptr;
    const Integer action = words[2] == QLatin1String("pay")        ? Integer{0}
                           : words[2] == QLatin1String("receive")  ? Integer{1}
                           : words[2] == QLatin1String("lose-all") ? Integer{10}
                                                                   : Integer{-1};
    if (!deck || action < 0)
        return std::nullopt;
    if (words[3] == QLatin1String("count")) {
        const auto n = std::count_if(deck->begin(), deck->end(),
                                     [&](const SourceCard& c) { return c.action == action; });
        return QString::number(n);
    }
    const bool largest = words[3] == QLatin1String("max");
    if (!largest && words[3] != QLatin1String("min"))
        return std::nullopt;
    std::optional<Integer> found;
    for (const SourceCard& c : *deck) {
        if (c.action == action && (!found || (largest ? c.amount > *found : c.amount < *found)))
            found = c.amount;
    }
    if (!found)
        return std::nullopt;
    return grouped(Currency::fromUnits(*found));
}

std::optional<QString> expand(const BoardSource& board, const QString& placeholder) {
    const QStringList words = placeholder.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return std::nullopt;
    const QString& what = words[0];
    if (what == QLatin1String("square-rows") && words.size() == 1)
        return squareRows(board);
    if (what == QLatin1String("land-rows") && words.size() == 1)
        return landRows(board);
    if (what == QLatin1String("cards"))
        return cardAmount(board, words);

    const bool rent = what == QLatin1String("rent");
    if (words.size() != (rent ? 3 : 2))
        return std::nullopt;
    bool ok = false;
    const int index = words[1].toInt(&ok);
    if (!ok || index < 0 || index >= static_cast<int>(board.squares.size()))
        return std::nullopt;
    const SourceSquare& s = board.squares[static_cast<std::size_t>(index)];
    if (what == QLatin1String("price"))
        return grouped(s.price);
    if (what == QLatin1String("house"))
        return grouped(s.houseCost);
    if (what == QLatin1String("hotel"))
        return grouped(s.hotelCost);
    if (rent) {
        const int k = words[2].toInt(&ok);
        if (ok && k >= 1 && k <= 6)
            return grouped(s.rents[static_cast<std::size_t>(k - 1)]);
    }
    return std::nullopt;
}

}  // namespace

ManualFillResult fillManual(const BoardSource& board, const QString& page,
                            const QString& templateName) {
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{([^{}]*)\\}\\}"));
    ManualFillResult result;
    qsizetype copied = 0;
    for (auto it = placeholder.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        result.page += page.mid(copied, m.capturedStart() - copied);
        copied = m.capturedEnd();
        const std::optional<QString> value = expand(board, m.captured(1).trimmed());
        if (value) {
            result.page += *value;
        } else {
            const int line = static_cast<int>(page.left(m.capturedStart()).count(u'\n')) + 1;
            result.errors << QStringLiteral("%1:%2: the placeholder %3 names nothing on this board")
                                 .arg(templateName)
                                 .arg(line)
                                 .arg(m.captured(0));
        }
    }
    result.page += page.mid(copied);
    return result;
}

}  // namespace kroda
