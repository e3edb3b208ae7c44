// Money never overflows: reading stops at the limits, a board holds only amounts that a
// game can carry, and sums and differences stop at the money limit instead of wrapping.

#include "board_folder.h"

#include <limits>

namespace kroda {
namespace {

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

// Amounts at and just past the 64-bit limits are read or refused, never wrapped.
TEST(MoneyLimits, ParsingAtTheLimits) {
    EXPECT_EQ(Currency::parse(QStringLiteral("100000000000000")), Currency::limit());
    EXPECT_EQ(Currency::parse(QStringLiteral("-100000000000000")), -Currency::limit());
    for (const char* beyond :
         {"100000000000000.0001", "922337203685477.5807", "922337203685477.5808",
          "-922337203685477.5808", "9223372036854775807", "99999999999999999999"})
        EXPECT_FALSE(Currency::parse(QLatin1String(beyond))) << beyond;
}

// Arithmetic stops at the money limit on either side, whatever the operands.
TEST(MoneyLimits, ArithmeticStopsAtTheLimit) {
    const Currency top = Currency::limit();
    const Currency one = Currency::fromUnits(1);
    EXPECT_EQ(top + one, top);
    EXPECT_EQ(-top - one, -top);
    EXPECT_EQ(top - one, Currency::fromRaw(top.raw() - Currency::kScale));
    EXPECT_EQ(Currency::fromRaw(kInt64Max) + Currency::fromRaw(kInt64Max), top);
    EXPECT_EQ(Currency::fromRaw(-kInt64Max - 1) - Currency::fromRaw(kInt64Max), -top);
    EXPECT_EQ(-Currency::fromRaw(-kInt64Max - 1), top);
    EXPECT_EQ(Currency::fromUnits(kInt64Max), top);
    EXPECT_EQ(Currency::fromUnits(-kInt64Max), -top);
    Currency money = Currency::fromUnits(15000);
    for (int pass = 0; pass < 200'000; ++pass) money += Currency::boardLimit();
    EXPECT_EQ(money, top);
}

// An amount beyond the board's limit is an error naming the file, the line and the item;
// one at the limit is read.
TEST(MoneyLimits, TheReaderRefusesAmountsBeyondTheBoardLimit) {
    struct Case {
        int field;
        const char* value;
        bool accepted;
    };
    const Case cases[] = {
        {2, "1000000000", true},
        {2, "-1000000000", true},
        {2, "1000000000.0001", false},
        {2, "-1000000000.0001", false},
        {2, "500000000000000", false},
        {3, "-900000000000000", false},
        {10, "922337203685477.5808", false},
    };
    BoardFolder folder;
    const QStringList original = folder.lines();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        QStringList fields = original[7 + 1].split(QLatin1Char(','));
        fields[c.field] = QLatin1String(c.value);
        QStringList l = original;
        l[7 + 1] = fields.join(QLatin1Char(','));
        folder.writeLines(l);
        const BoardReadResult r = folder.read();
        EXPECT_EQ(!r.hasErrors(), c.accepted) << problemText(r).toStdString();
        if (c.accepted)
            continue;
        ASSERT_EQ(r.problems.size(), 1u) << problemText(r).toStdString();
        EXPECT_EQ(r.problems[0].line, 9);
        EXPECT_TRUE(
            r.problems[0].where.startsWith(QStringLiteral("item %1 (").arg(7 + 13 + c.field + 1)));
        EXPECT_TRUE(r.problems[0].message.contains(
            QStringLiteral("out of the range of money on a board (-1000000000 to 1000000000)")))
            << r.problems[0].text().toStdString();
    }
}

// Messages stay whole on one line: control characters from the file are escaped.
TEST(MoneyLimits, MessagesEscapeControlCharacters) {
    BoardProblem p{false,
                   QStringLiteral("Kovar\x01T.dat"),
                   3,
                   {},
                   QStringLiteral("found \"a") + QChar(u'\0') + QStringLiteral("b\nc\x1B\"")};
    EXPECT_EQ(p.text(), QStringLiteral("Kovar\\x01T.dat:3: found \"a\\0b\\nc\\x1B\""));
}

}  // namespace
}  // namespace kroda
