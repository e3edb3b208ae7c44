// A player's name is shown exactly as it was typed, wherever it appears: marks, quotes, markup
// and place markers are plain text, never a format or rich text.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// Each twelve UTF-16 units, the longest a name can be.
const QString kNames[] = {
    QStringLiteral("ผู้ใหญ่ลี้ใจ"),
    QStringLiteral("\"<b>%1</b>\"!"),
    QStringLiteral("&amp;%2\\n'x'"),
    QStringLiteral("%1%2%3\\n<i>!"),
};

// Where a message shows any part of a name (its first four units), it shows it whole.
void expectWholeNames(const QString& text, const char* where) {
    for (const QString& name : kNames) {
        const QString start = name.left(4);
        for (qsizetype at = text.indexOf(start); at >= 0; at = text.indexOf(start, at + 1))
            EXPECT_EQ(text.mid(at, name.size()), name) << where << ": " << text.toStdString();
    }
}

TEST(PlayerNames, ShownAsTypedInTheNarrationAndThePanels) {
    GameHarness h(4);
    for (int p = 1; p <= 4; ++p) h.player(p).Name = kNames[p - 1];
    h.load();
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(h.game.window.LblPName[static_cast<std::size_t>(p - 1)].Caption, kNames[p - 1]);
    ASSERT_TRUE(h.playToEnd());

    int shown[4] = {};
    for (const Narration& n : h.narration) {
        expectWholeNames(n.message, "narration");
        for (int p = 0; p < 4; ++p) shown[p] += n.message.contains(kNames[p]) ? 1 : 0;
    }
    for (int p = 0; p < 4; ++p) EXPECT_GT(shown[p], 1) << kNames[p].toStdString();
    expectWholeNames(h.game.window.TxtDialog.Text, "the message box");
    for (const auto& label : h.game.window.LblPName) expectWholeNames(label.Caption, "a panel");
}

}  // namespace
}  // namespace kroda::testing
