// The narrator's typewriter, its pauses, and hurrying him with the space key or a click.
#include "support/game_harness.h"

#include <gtest/gtest.h>

#include <functional>

namespace kroda::testing {
namespace {

const QString kStep2 = QStringLiteral("ขอให้ผู้เล่นทุกท่าน อ่านคู่มือก่อนการเล่น");

// Talk shows one more character per call; a message of n characters is complete on call
// n + 1, when the box shows all of it; an empty message on the first call.
TEST(Narration, TalkTypesOneCharacterPerCall) {
    GameHarness h;
    const QString text = QStringLiteral("กขคงจฉชซฌญ");
    Integer pos = 0;
    for (int call = 1; call <= 11; ++call) {
        h.game.Talk(text, pos);
        EXPECT_EQ(h.game.window.TxtDialog.Text, text.left(call - 1));
        EXPECT_EQ(h.game.window.TxtDialog.SelStart, call - 1);
        EXPECT_EQ(pos > h.s().TalkLen, call == 11) << call;
    }
    pos = 0;
    h.game.Talk(QString(), pos);
    EXPECT_GT(pos, h.s().TalkLen);
}

// Each message starts typing 2.5 s after the previous one completes (the first pause starts
// 5 ms after it, later ones 1 ms); the narrator's mouth opens on every second tick.
TEST(Narration, MessagesAreTypedOnTicksWithPausesBetween) {
    GameHarness h;
    h.load();
    const std::int64_t l1 = h.s().TalkLen;
    h.clock.advance(60);
    EXPECT_EQ(h.game.window.ImgDescripter.Cell, 1);
    h.clock.advance(60);
    EXPECT_EQ(h.game.window.ImgDescripter.Cell, 2);
    ASSERT_TRUE(h.runUntilNarrated(3));
    const std::int64_t t1 = 60 * (l1 + 1);
    const std::int64_t t2 = t1 + 5 + 2500 + 60 * (kStep2.size() + 1);
    const std::int64_t l3 = h.narration[2].message.size();
    EXPECT_EQ(h.narration[0].at, t1);
    EXPECT_EQ(h.narration[1].at, t2);
    EXPECT_EQ(h.narration[2].at, t2 + 1 + 2500 + 60 * (l3 + 1));
}

// Space and a click on the narrator do the same: during typing the next tick completes the
// message; during a pause the next message starts at once, and the pause after it still
// lasts 2.5 s, only starting 50 ms after the message; at other times nothing changes.
TEST(Narration, SpaceAndNarratorClickHurryTyping) {
    for (int way = 0; way < 2; ++way) {
        GameHarness h(2);
        const auto hurry = [&] {
            if (way == 0)
                h.game.keyPressed(32, 0);
            else
                h.game.ImgDescripter_Click();
        };
        h.load();
        ASSERT_TRUE(h.runUntilNarrated(1));
        const std::int64_t t1 = h.clock.now();
        h.clock.advance(100);
        hurry();
        ASSERT_TRUE(h.runUntilNarrated(2));
        const std::int64_t t2 = t1 + 100 + 60 * (kStep2.size() + 1);
        EXPECT_EQ(h.narration[1].at, t2);
        h.clock.advance(2550 + 3 * 60);  // three ticks into the third message
        EXPECT_EQ(h.game.window.TxtDialog.Text.size(), 2);
        hurry();
        ASSERT_TRUE(h.runUntilNarrated(3));
        EXPECT_EQ(h.narration[2].at, t2 + 2550 + 4 * 60);

        // Waiting for a computer's throw is never visible; make player 1 a person instead.
        GameHarness w(2, {1});
        w.load();
        ASSERT_TRUE(w.runUntil([&] { return w.game.window.KeyPreview; }));
        if (way == 0)
            w.game.keyPressed(32, 0);
        else
            w.game.ImgDescripter_Click();
        EXPECT_FALSE(w.game.timers.TimerTalk.Enabled());
        EXPECT_FALSE(w.game.timers.TimeDelay.Enabled());
        EXPECT_EQ(w.s().TalkPos, 0);
        // The space key also reaches the throw keys, where it is no key of the player's.
        EXPECT_EQ(w.port.beeps, way == 0 ? 1 : 0);
    }
}

// What the narrator says is always made of the present values: a name, a total, a square's
// name or a landing message that changes while its message is being typed is typed in its
// new form from the next tick on.
TEST(Narration, AQuotedValueChangedMidMessageIsTypedAnew) {
    const struct {
        const char* what;
        Integer step;
        std::function<void(GameHarness&)> change;
        QString expected;
    } cases[] = {
        {"the player's name", ThrowRequest,
         [](GameHarness& h) { h.player(h.s().CurPlayer).Name = QStringLiteral("สมชาย"); },
         QStringLiteral("ขอเชิญ 'สมชาย' โยนลูกเต๋า")},
        {"a ranking request's name", RankingRequest2,
         [](GameHarness& h) { h.player(2).Name = QStringLiteral("สมศรี"); },
         QStringLiteral("ขอเชิญ'สมศรี'โยนลูกเต๋าเพื่อจัดอันดับครับ")},
        {"the total", ThrowTotal, [](GameHarness& h) { h.player(h.s().CurPlayer).Steps = 11; },
         QStringLiteral("ได้ 11 แต้ม")},
        {"the square's name", LandedOn,
         [](GameHarness& h) {
             h.square(h.player(h.s().CurPlayer).Position).Name = QStringLiteral("ที่ใหม่");
         },
         QStringLiteral("ตกที่ 'ที่ใหม่'")},
        {"the landing message", LandingMessage,
         [](GameHarness& h) { h.s().PendingMessage = QStringLiteral("ข้อความใหม่"); },
         QStringLiteral("ข้อความใหม่")},
    };
    for (const auto& c : cases) {
        GameHarness h(2);
        h.load();
        ASSERT_TRUE(h.runUntil([&] { return h.s().TalkStep == c.step && h.s().TalkPos > 4; }))
            << c.what;
        c.change(h);
        h.clock.advance(60);
        EXPECT_EQ(h.game.window.TxtDialog.Text, c.expected.left(h.s().TalkPos - 1)) << c.what;
        ASSERT_TRUE(h.runUntilNarrated(c.step)) << c.what;
        EXPECT_EQ(h.lastMessage(), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace kroda::testing
