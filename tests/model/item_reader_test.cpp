#include "model/item_reader.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace kroda {
namespace {

QStringList texts(const QString& input) {
    ItemReader r(input);
    QStringList out;
    while (auto item = r.readText()) out << item->text;
    return out;
}

// Commas and every kind of line break separate items; line numbers count CR LF as one break.
TEST(ItemReader, SeparatorsAndLineNumbers) {
    for (const QString& eol :
         {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")}) {
        ItemReader r(QStringLiteral("a,b") + eol + QStringLiteral("c") + eol + eol +
                     QStringLiteral("  d"));
        std::vector<std::pair<QString, int>> got;
        while (auto item = r.readText()) got.emplace_back(item->text, item->line);
        const std::vector<std::pair<QString, int>> expected = {{QStringLiteral("a"), 1},
                                                               {QStringLiteral("b"), 1},
                                                               {QStringLiteral("c"), 2},
                                                               {QStringLiteral("d"), 4}};
        EXPECT_EQ(got, expected);
        EXPECT_TRUE(r.atEnd());
    }
}

// A quoted text keeps its commas and blanks; an unquoted one splits at a comma, keeps
// quotes inside as characters and drops blanks at its end.
TEST(ItemReader, QuotedAndUnquotedText) {
    EXPECT_EQ(texts(QStringLiteral("\" x, y \",\"\"")),
              (QStringList{QStringLiteral(" x, y "), QString()}));
    EXPECT_EQ(texts(QStringLiteral("Bang kok, City  \nsay \"hi\"")),
              (QStringList{QStringLiteral("Bang kok"), QStringLiteral("City"),
                           QStringLiteral("say \"hi\"")}));
}

// Two commas make an empty item; empty lines and a comma at a line's end make none.
TEST(ItemReader, BlankItems) {
    EXPECT_EQ(
        texts(QStringLiteral("a,,b,\n\n c")),
        (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b"), QStringLiteral("c")}));
}

// A number ends at a blank, so two numbers written with a blank between are two items;
// blanks before a comma belong to no item.
TEST(ItemReader, NumbersEndAtBlanks) {
    ItemReader r(QStringLiteral("12 34 , 5,\"6\",x7"));
    QStringList got;
    while (auto item = r.readNumber()) got << item->text;
    EXPECT_EQ(got, (QStringList{QStringLiteral("12"), QStringLiteral("34"), QStringLiteral("5"),
                                QStringLiteral("6"), QStringLiteral("x7")}));
}

// Text after a closing quote is passed over up to the next separator, and a quote left
// open ends at its line; both are noted with their line.
TEST(ItemReader, UnusualQuotesAreNoted) {
    ItemReader r(QStringLiteral("\"ab\"cd,e\n\"open, still\nnext\n\"end"));
    QStringList got;
    while (auto item = r.readText()) got << item->text;
    EXPECT_EQ(got,
              (QStringList{QStringLiteral("ab"), QStringLiteral("e"), QStringLiteral("open, still"),
                           QStringLiteral("next"), QStringLiteral("end")}));
    ASSERT_EQ(r.notes().size(), 3u);
    EXPECT_EQ(r.notes()[0].line, 1);
    EXPECT_EQ(r.notes()[1].line, 2);
    EXPECT_EQ(r.notes()[2].line, 4);
}

// An item cut by the end of the file is still an item; after it there is none.
TEST(ItemReader, EndOfFileMidItem) {
    ItemReader r(QStringLiteral("1,2"));
    EXPECT_EQ(r.readNumber()->text, QStringLiteral("1"));
    EXPECT_EQ(r.readNumber()->text, QStringLiteral("2"));
    EXPECT_FALSE(r.readNumber().has_value());
    EXPECT_FALSE(r.readText().has_value());
}

}  // namespace
}  // namespace kroda
