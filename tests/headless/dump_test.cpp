// dump writes one valid JSON object holding every path with the value get prints.

#include "driver_harness.h"

#include "headless/json_writer.h"
#include "headless/session.h"
#include "headless/state_paths.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace kroda::headless::testing {
namespace {

QJsonObject parseObject(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(doc.isObject());
    return doc.object();
}

// Every path that has a value appears once, keyed by the path, with the value get prints.
TEST(Dump, HoldsEveryPathWithItsValue) {
    Session session(emptyFolder());
    session.game().state.Players(1).Name = QStringLiteral("สมชาย \"ตัวจริง\"");
    session.game().state.PendingMessage = QStringLiteral("tab\there\\ line\nnext \x01");
    session.game().state.Players(2).Money = Currency::fromRaw(-25000);
    session.game().state.Deck1.reset(20);
    PathTable table(session);
    const QJsonObject dump = parseObject(dumpJson(table));

    int withValue = 0;
    for (const PathEntry& e : table.entries()) {
        const std::optional<QString> value = e.get();
        if (!value) {
            EXPECT_FALSE(dump.contains(e.path)) << e.path.toStdString();
            continue;
        }
        ++withValue;
        ASSERT_TRUE(dump.contains(e.path)) << e.path.toStdString();
        const QJsonValue v = dump.value(e.path);
        switch (e.kind) {
            case ValueKind::Text:
                EXPECT_EQ(v.toString(), *value) << e.path.toStdString();
                break;
            case ValueKind::Number:
                EXPECT_TRUE(v.isDouble()) << e.path.toStdString();
                EXPECT_EQ(v.toDouble(), value->toDouble()) << e.path.toStdString();
                break;
            case ValueKind::Boolean:
                EXPECT_EQ(v.toBool() ? "true" : "false", *value) << e.path.toStdString();
                break;
        }
    }
    EXPECT_EQ(dump.size(), withValue);
    EXPECT_TRUE(dump.contains(QStringLiteral("Deck1(20).Text")));
    EXPECT_FALSE(dump.contains(QStringLiteral("Deck2(1).Text")));
    EXPECT_EQ(dump.value(QStringLiteral("Players(2).Money")).toDouble(), -2.5);
}

// Thai text is written as UTF-8 itself, not as escapes, so a dump reads like the screen.
TEST(Dump, ThaiTextIsPlainUtf8) {
    const ScriptOutcome r = runScript("set LblPName(0).Caption ผู้เล่น:1\ndump\n", emptyFolder());
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_NE(r.out.find("\"LblPName(0).Caption\": \"ผู้เล่น:1\""), std::string::npos);
    EXPECT_EQ(r.out.find("\\u0e"), std::string::npos);
    EXPECT_EQ(jsonString(QStringLiteral("a\"b\\c\x1f")), "\"a\\\"b\\\\c\\u001f\"");
}

// A dump of a game in progress is still complete and valid: the decks are dealt, and the
// second deck holds the bankrupt card when it is on.
TEST(Dump, AStartedGameDumpsItsDecks) {
    const ScriptOutcome r =
        runScript("bankruptcard on\nseed 2\nstart\nadvance 3000\ndump\n", boardFolder());
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const QJsonObject dump = parseObject(QByteArray::fromStdString(r.out));
    EXPECT_EQ(dump.value(QStringLiteral("Deck2(21).Text")).toString().trimmed(),
              QStringLiteral("ล้มละลาย"));
    EXPECT_EQ(dump.value(QStringLiteral("Deck2(21).Action")).toInt(), 9);
    EXPECT_EQ(dump.value(QStringLiteral("NewBoard")).toBool(), true);
    EXPECT_EQ(dump.value(QStringLiteral("Time")).toInt(), 3000);
}

}  // namespace
}  // namespace kroda::headless::testing
