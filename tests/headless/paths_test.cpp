// Paths reach every field by its record's own indexes and write it by the field's own rules.

#include "driver_harness.h"

#include "headless/session.h"
#include "headless/state_paths.h"

#include <gtest/gtest.h>

namespace kroda::headless::testing {
namespace {

class Paths : public ::testing::Test {
  protected:
    Session session{emptyFolder()};
    PathTable table{session};

    QString get(const char* path) {
        const PathEntry* e = table.find(QString::fromLatin1(path));
        if (!e) {
            ADD_FAILURE() << "no path " << path;
            return {};
        }
        return e->get().value_or(QStringLiteral("<none>"));
    }
    // The error text; empty when the value was stored.
    QString set(const char* path, const QString& value) {
        const PathEntry* e = table.find(QString::fromLatin1(path));
        if (!e || !e->set)
            return QStringLiteral("<not writable>");
        return e->set(value);
    }
};

// Text(N) fields keep exactly N characters: shorter text is padded, longer text cut.
TEST_F(Paths, TextFieldsArePaddedAndCut) {
    EXPECT_EQ(set("Players(1).Name", QStringLiteral("ABCDEFGHIJKLMNOP")), "");
    EXPECT_EQ(get("Players(1).Name"), "ABCDEFGHIJKL");
    EXPECT_EQ(set("Players(2).Name", QStringLiteral("  Bo")), "");
    EXPECT_EQ(get("Players(2).Name"), "  Bo        ");
    EXPECT_EQ(set("TurnQueue", QStringLiteral("21")), "");
    EXPECT_EQ(get("TurnQueue"), "21  ");
    EXPECT_EQ(set("Squares(40).Name", QStringLiteral("ถนนราชดำเนิน")), "");
    EXPECT_EQ(get("Squares(40).Name").size(), 30);
    EXPECT_EQ(get("Config.Deck1File").size(), 255);
    EXPECT_EQ(set("PendingMessage", QStringLiteral(" free text ")), "");
    EXPECT_EQ(get("PendingMessage"), " free text ");
}

// Money is exact decimal; a bad amount is refused and leaves the old value.
TEST_F(Paths, CurrencyIsExactAndRefusesBadAmounts) {
    EXPECT_EQ(set("Players(1).Money", QStringLiteral("15000")), "");
    EXPECT_EQ(get("Players(1).Money"), "15000");
    EXPECT_EQ(set("Squares(2).Rent(3)", QStringLiteral("-2.5")), "");
    EXPECT_EQ(get("Squares(2).Rent(3)"), "-2.5");
    EXPECT_EQ(set("Squares(2).Price", QStringLiteral("0.0001")), "");
    EXPECT_EQ(get("Squares(2).Price"), "0.0001");
    for (const char* bad : {"1,500", "1.23456", "abc", ""}) {
        EXPECT_NE(set("Players(1).Money", QString::fromLatin1(bad)), "") << bad;
        EXPECT_EQ(get("Players(1).Money"), "15000") << bad;
    }
}

// Integers are range-checked by width, Booleans are true/false, colours plain decimal.
TEST_F(Paths, NumbersBooleansAndColours) {
    EXPECT_EQ(set("ImgTao(0).Cell", QStringLiteral("-32768")), "");
    EXPECT_EQ(get("ImgTao(0).Cell"), "-32768");
    EXPECT_NE(set("ImgTao(0).Cell", QStringLiteral("32768")), "");
    EXPECT_NE(set("ImgTao(0).Cell", QStringLiteral("3.5")), "");
    EXPECT_EQ(get("ImgTao(0).Cell"), "-32768");

    EXPECT_EQ(set("Players(1).IsHuman", QStringLiteral("true")), "");
    EXPECT_EQ(get("Players(1).IsHuman"), "true");
    EXPECT_NE(set("Players(1).IsHuman", QStringLiteral("-1")), "");
    EXPECT_EQ(set("FrmCard.Visible", QStringLiteral("false")), "");
    EXPECT_EQ(get("FrmCard.Visible"), "false");

    EXPECT_EQ(set("ShpTaoPad.FillColor", QStringLiteral("0xFF00FF")), "");
    EXPECT_EQ(get("ShpTaoPad.FillColor"), "16711935");
    EXPECT_EQ(set("Players(4).Color", QStringLiteral("16711680")), "");
    EXPECT_EQ(get("Players(4).Color"), "16711680");
    EXPECT_NE(set("Players(4).Color", QStringLiteral("2147483648")), "");
}

// Records keep their declared bounds (Players 1..4, Owned 0..29, Rent 0..6); controls count
// from 0.
TEST_F(Paths, IndexesFollowTheRecordsAndControls) {
    const auto has = [&](const char* path) { return table.find(QString::fromLatin1(path)); };
    for (const char* p : {"Players(1).Money",
                          "Players(4).Bankrupt",
                          "Players(1).Owned(0)",
                          "Players(1).Owned(29)",
                          "Players(2).KeyCode(3)",
                          "Squares(1).Rent(0)",
                          "Squares(40).Rent(6)",
                          "Deck2(21).Action",
                          "ImgTao(0).Cell",
                          "ImgTao(2).Enabled",
                          "ImgTable(39).Left",
                          "ImgHead(35).Cell",
                          "LblPMoney(3).Caption",
                          "LblKeyT(2).Caption",
                          "ShpMark(0).Left",
                          "ShpCard(1).FillColor",
                          "ImgIconT(5).Top",
                          "TxtCrd.BackColor",
                          "FrmCard.Visible",
                          "KeyPreview",
                          "FrmGame.Caption",
                          "Config.SpareItem",
                          "TimerMM.Interval",
                          "Beeps",
                          "Sounds",
                          "WizardStep"})
        EXPECT_TRUE(has(p)) << p;
    for (const char* p :
         {"Players(0).Money", "Players(5).Money", "Players(1).Owned(30)", "Players(1).KeyCode(0)",
          "Squares(0).Name", "Squares(41).Name", "Squares(1).Rent(7)", "Deck1(22).Text",
          "ImgTao(3).Cell", "ImgHead(36).Cell", "LblPMoney(4).Caption", "Players(1)",
          "players(1).Money", "Players( 1).Money", "FrmCard.TxtCrd.Text", "PicCSource(15).File"})
        EXPECT_FALSE(has(p)) << p;
}

// A card exists only while its deck holds it; before the board is read there is none.
TEST_F(Paths, CardsExistOnlyWhileTheDeckHoldsThem) {
    EXPECT_EQ(get("Deck1(1).Text"), "<none>");
    EXPECT_NE(set("Deck1(1).Amount", QStringLiteral("5")), "");
    session.game().state.Deck2.reset(21);
    EXPECT_EQ(set("Deck2(21).Amount", QStringLiteral("-7")), "");
    EXPECT_EQ(get("Deck2(21).Amount"), "-7");
    session.game().state.Deck2.reset(20);
    EXPECT_EQ(get("Deck2(21).Amount"), "<none>");
}

// The port's requests read as lists relative to the game folder; they cannot be written.
TEST_F(Paths, PortRequestsReadAsLists) {
    session.port().sounds << session.folder() + QStringLiteral("/Sound/503.wav")
                          << session.folder() + QStringLiteral("/Sound/505.wav");
    session.port().beeps = 2;
    EXPECT_EQ(get("Sounds"), "Sound/503.wav,Sound/505.wav");
    EXPECT_EQ(get("Beeps"), "2");
    EXPECT_EQ(set("Beeps", QStringLiteral("0")), "");
    EXPECT_EQ(session.port().beeps, 0);
    EXPECT_EQ(set("Sounds", QString()), "<not writable>");
}

// A timer's Enabled and Interval go through the timer, so the clock follows them.
TEST(PathTimers, TheClockFollowsTimersSetThroughPaths) {
    const ScriptOutcome r = runScript(
        "seed 1\nstart\n"
        "set TimerTalk.Enabled false\nset TimeDelay.Enabled false\n"
        "set AnimateTimer.Enabled false\nset TimerMM.Enabled false\n"
        "set AnimMode 0\n"
        "set AnimateTimer.Interval 50\n"
        "get Ticks\n"
        "set AnimateTimer.Enabled true\n"
        "advance 200\n"
        "get Ticks\n"
        "get AnimateTimer.Interval\n"
        "get AnimateTimer.Enabled\n"
        "set AnimateTimer.Interval 70000\n",
        boardFolder());
    EXPECT_EQ(r.status, ExitBadScript);
    ASSERT_EQ(r.out.size() > 0, true) << r.err;
    const QStringList lines = QString::fromStdString(r.out).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 4) << r.out;
    EXPECT_EQ(lines[1].toLongLong() - lines[0].toLongLong(), 4);
    EXPECT_EQ(lines[2], "50");
    EXPECT_EQ(lines[3], "true");
    EXPECT_NE(r.err.find("0..65535"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace kroda::headless::testing
