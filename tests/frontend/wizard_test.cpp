// The new-game wizard's pages, forward and back, and what each Next writes into the game.
#include "frontend/wizard.h"
#include "model/seat_defaults.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace kroda {
namespace {

const QString kApp = QStringLiteral("/games/kroda");

struct WizardRun {
    GameState state;
    std::unique_ptr<Wizard> wizard;
    std::vector<WizardOutcome> outcomes;

    WizardRun() {
        state.CommonFolder = kApp + QStringLiteral("/RsCommon/");
        open();
    }
    void open() {
        outcomes.clear();
        wizard = std::make_unique<Wizard>(state, kApp, 800, 600);
        wizard->finished = [this](WizardOutcome o) { outcomes.push_back(o); };
    }
    Wizard& w() { return *wizard; }
    WizardWindow& win() { return wizard->window; }
    Integer step() const { return state.WizardStep; }
    void next() { wizard->PostWizard(Next); }
    void back() { wizard->PostWizard(Back); }
    QString band() const { return wizard->window.LblCaption[0].Caption; }
    // The name box of the page on top.
    int nameBox() const { return wizard->shownPanel() == PersonNamePanel ? 0 : 1; }
};

const SeatDefaults& seat(int p) {
    return seatDefaults()[static_cast<std::size_t>(p - 1)];
}

// Loading: a centred 480 x 400 "Player Wizard" on its board page, every seat named afresh,
// the step left as the game holds it.
TEST(Wizard, LoadsOnTheBoardPageWithFreshNames) {
    WizardRun r;
    EXPECT_EQ(r.win().Caption, QStringLiteral("Player Wizard"));
    EXPECT_EQ(r.win().Geometry, (Rect{160, 100, 480, 400}));
    EXPECT_EQ(r.win().Picture, kApp + QStringLiteral("/RsCommon/Wizard.bmp"));
    EXPECT_EQ(r.w().shownPanel(), BoardPanel);
    EXPECT_EQ(r.band(), QStringLiteral(" ตั้งกระดาน"));
    EXPECT_EQ(r.win().LblCaption[0].BackColor, 0x00FFFF);
    EXPECT_EQ(r.win().ShpBlock.FillColor, 0x00FFFF);
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(r.state.Players(p).Name.trimmed(), QStringLiteral("ผู้เล่น:%1").arg(p));
    EXPECT_TRUE(r.win().Check1.Value);
    EXPECT_TRUE(r.win().Opt2[0].Value);
    EXPECT_TRUE(r.win().Opt3[0].Value);
    EXPECT_TRUE(r.win().Opt1[1].Visible);
    EXPECT_FALSE(r.win().Opt1[1].Value);
    EXPECT_FALSE(r.win().ImgButtonW[DescriptionButton].Button.Visible);
    for (const ImageButton& b : r.win().ImgButtonW) EXPECT_EQ(b.Button.Cell, NormalCell);
}

// Every count of players with every mix of persons and computers, through every page to the
// hand-over and back again to the board page: the step, the page on top and the band at each
// press, and what lands in the game state.
TEST(Wizard, EveryMixForwardAndBack) {
    for (int count = 2; count <= 4; ++count) {
        for (int mix = 0; mix < (1 << count); ++mix) {
            SCOPED_TRACE(testing::Message() << count << " players, mix " << mix);
            WizardRun r;
            // A computer keeps the keys it had: mark them to see that nothing writes them.
            for (int p = 1; p <= 4; ++p) {
                r.state.Players(p).KeyCode(1) = 999;
                r.state.Players(p).KeyLabel(1) = QStringLiteral("old");
            }
            r.w().setCheck1(false);
            r.next();
            EXPECT_TRUE(r.state.NewBoard);
            EXPECT_EQ(r.state.Config.ConfigPath.trimmed(), kApp + QStringLiteral("/KovarT.dat"));
            EXPECT_EQ(r.step(), OptionsPage);
            EXPECT_EQ(r.w().shownPanel(), OptionsPanel);
            r.next();
            EXPECT_FALSE(r.state.BankruptCardOn);
            EXPECT_EQ(r.w().shownPanel(), PlayerCountPanel);
            r.w().selectOption2(count - 2);
            r.next();
            EXPECT_EQ(r.state.PlayerCount, count);

            for (int p = 1; p <= count; ++p) {
                const bool human = (mix >> (p - 1)) & 1;
                EXPECT_EQ(r.step(), 2 * p + 1);
                EXPECT_EQ(r.w().shownPanel(), ControllerPanel);
                EXPECT_EQ(r.band(), QStringLiteral(" ตั้งผู้เล่น:%1").arg(p));
                EXPECT_EQ(r.win().LblCaption[0].BackColor, seat(p).BandColor);
                EXPECT_EQ(r.win().LblCaption[0].ForeColor, seat(p).BandTextColor);
                EXPECT_EQ(r.win().ShpBlock.FillColor, seat(p).BandColor);
                r.w().selectOption3(human ? 0 : 1);
                r.next();
                EXPECT_EQ(r.step(), 2 * p + 2);
                EXPECT_EQ(r.state.Players(p).IsHuman, human);
                EXPECT_EQ(r.state.Players(p).Color, seat(p).Color);
                ASSERT_EQ(r.w().shownPanel(), human ? PersonNamePanel : ComputerNamePanel);
                const int box = human ? 0 : 1;
                EXPECT_EQ(r.win().TxtName[box].Box.Text, QStringLiteral("ผู้เล่น:%1").arg(p));
                if (human) {
                    EXPECT_EQ(r.win().LblKey2[2].Caption,
                              QString::fromUtf16(seat(p).KeyCaption[2]));
                }
                EXPECT_EQ(r.state.Players(p).KeyCode(1), 999) << "keys wait for the name page";
                r.w().setName(box, QStringLiteral("  P%1  ").arg(p).mid(2));
                r.next();
                EXPECT_EQ(r.state.Players(p).Name.trimmed(), QStringLiteral("P%1").arg(p));
                if (human) {
                    for (int k = 1; k <= 3; ++k) {
                        EXPECT_EQ(r.state.Players(p).KeyCode(k), seat(p).KeyCode[k - 1]);
                        EXPECT_EQ(r.state.Players(p).KeyLabel(k).trimmed(),
                                  QString::fromUtf16(seat(p).KeyLabel[k - 1]));
                    }
                } else {
                    EXPECT_EQ(r.state.Players(p).KeyCode(1), 999);
                    EXPECT_EQ(r.state.Players(p).KeyLabel(1).trimmed(), QStringLiteral("old"));
                }
            }
            EXPECT_EQ(r.step(), CompletionPage);
            EXPECT_EQ(r.w().shownPanel(), CompletionPanel);
            EXPECT_EQ(r.band(), QStringLiteral(" เสร็จสมบูรณ์"));
            EXPECT_EQ(r.win().LblCaption[0].BackColor, 0x00FFFF);
            for (int p = count + 1; p <= 4; ++p)
                EXPECT_EQ(r.state.Players(p).Color, 0) << "a seat out of the game is untouched";

            // Back from the completion page re-opens the last player's name page, then each
            // player's controller page and the name page before it.
            for (int p = count; p >= 1; --p) {
                const bool human = (mix >> (p - 1)) & 1;
                r.back();
                EXPECT_EQ(r.step(), 2 * p + 2);
                EXPECT_EQ(r.w().shownPanel(), human ? PersonNamePanel : ComputerNamePanel);
                EXPECT_EQ(r.band(), QStringLiteral(" ตั้งผู้เล่น:%1").arg(p));
                EXPECT_EQ(r.win().TxtName[human ? 0 : 1].Box.Text, QStringLiteral("P%1").arg(p));
                r.back();
                EXPECT_EQ(r.step(), 2 * p + 1);
                EXPECT_EQ(r.w().shownPanel(), ControllerPanel);
                EXPECT_EQ(r.win().Opt3[0].Value, human);
                EXPECT_EQ(r.win().Opt3[1].Value, !human);
            }
            r.back();
            EXPECT_EQ(r.step(), PlayerCountPage);
            EXPECT_EQ(r.band(), QStringLiteral(" ตั้งกระดาน"));
            EXPECT_EQ(r.w().shownPanel(), PlayerCountPanel);
            r.back();
            EXPECT_EQ(r.w().shownPanel(), OptionsPanel);
            r.back();
            EXPECT_EQ(r.step(), BoardPage);
            EXPECT_EQ(r.w().shownPanel(), BoardPanel);
            EXPECT_TRUE(r.outcomes.empty());
            r.back();
            EXPECT_EQ(r.outcomes, std::vector<WizardOutcome>{WizardOutcome::Closed});
            EXPECT_EQ(r.step(), BoardPage);
        }
    }
}

// Drives a wizard to player 1's name page as a person.
void toFirstNamePage(WizardRun& r, bool human = true) {
    r.next();
    r.next();
    r.next();
    r.w().selectOption3(human ? 0 : 1);
    r.next();
}

// A name page refuses an empty name and one that begins with a space, without a word;
// trailing spaces are dropped; a box holds at most 12 characters.
TEST(Wizard, NamePageRefusalsAndTrimming) {
    for (bool human : {true, false}) {
        WizardRun r;
        toFirstNamePage(r, human);
        const int box = r.nameBox();
        const Integer before = r.step();
        for (const QString& refused :
             {QString(), QStringLiteral(" Somchai"), QStringLiteral("   ")}) {
            r.w().setName(box, refused);
            r.next();
            EXPECT_EQ(r.step(), before) << refused.toStdString();
            EXPECT_EQ(r.w().shownPanel(), human ? PersonNamePanel : ComputerNamePanel);
            EXPECT_EQ(r.state.Players(1).Name.trimmed(), QStringLiteral("ผู้เล่น:1"));
        }
        r.w().setName(box, QStringLiteral("สมชายใจดีมากมายจริงๆ"));
        EXPECT_EQ(r.win().TxtName[box].Box.Text.size(), 12);
        r.w().setName(box, QStringLiteral("Lek   "));
        r.next();
        EXPECT_EQ(r.state.Players(1).Name.trimmed(), QStringLiteral("Lek"));
        EXPECT_EQ(r.state.Players(1).Name.rightTrimmed(), QStringLiteral("Lek"));
    }
}

// A name box selects its whole text when it gets the focus.
TEST(Wizard, NameBoxSelectsAllOnFocus) {
    WizardRun r;
    toFirstNamePage(r);
    r.w().TxtName_GotFocus(0);
    EXPECT_EQ(r.win().TxtName[0].Box.SelStart, 0);
    EXPECT_EQ(r.win().TxtName[0].SelLength, QStringLiteral("ผู้เล่น:1").size());
}

// A player first made a computer, then a person after going back, gets the person's page
// with his current name and his key captions; the keys are his only once Next is pressed
// on that page.
TEST(Wizard, ComputerTurnedPersonGetsKeysOnlyOnNext) {
    WizardRun r;
    r.state.Players(1).KeyCode(1) = 0;
    toFirstNamePage(r, false);
    r.w().setName(1, QStringLiteral("Bot"));
    r.next();  // to player 2's controller page
    r.back();  // player 1's name page again, the computer's
    EXPECT_EQ(r.w().shownPanel(), ComputerNamePanel);
    EXPECT_EQ(r.win().TxtName[1].Box.Text, QStringLiteral("Bot"));
    r.back();  // player 1's controller page
    EXPECT_TRUE(r.win().Opt3[1].Value);
    r.w().selectOption3(0);
    r.next();
    EXPECT_EQ(r.w().shownPanel(), PersonNamePanel);
    EXPECT_EQ(r.win().TxtName[0].Box.Text, QStringLiteral("Bot"));
    EXPECT_EQ(r.win().LblKey2[0].Caption, QStringLiteral("S"));
    EXPECT_TRUE(r.state.Players(1).IsHuman);
    EXPECT_EQ(r.state.Players(1).KeyCode(1), 0);
    r.next();
    EXPECT_EQ(r.state.Players(1).KeyCode(1), 83);
    EXPECT_EQ(r.state.Players(1).KeyLabel(3).trimmed(), QStringLiteral("F"));
}

// The controller choice carries over to the next player's page.
TEST(Wizard, ControllerChoiceIsKeptFromPlayerToPlayer) {
    WizardRun r;
    toFirstNamePage(r, false);
    r.next();
    EXPECT_EQ(r.step(), 5);
    EXPECT_TRUE(r.win().Opt3[1].Value);
    r.next();
    EXPECT_FALSE(r.state.Players(2).IsHuman);
}

// The strong computer is a fourth choice, in the page's column between the designed computer
// and the network player: it gets the computer's name page, its seat plays strong, the
// choice carries to the next player's page, and Back shows it again; a seat that goes back to
// the designed computer loses it.
TEST(Wizard, StrongComputerIsAFourthChoice) {
    WizardRun r;
    r.next();
    r.next();
    r.w().selectOption2(1);
    r.next();
    const Panel& page = r.win().PicPad[ControllerPanel];
    const int order[4] = {0, 1, 3, 2};
    for (int k = 0; k < 4; ++k) {
        const Rect& g = r.win().Opt3[static_cast<std::size_t>(order[k])].Geometry;
        EXPECT_TRUE(r.win().Opt3[static_cast<std::size_t>(order[k])].Visible);
        EXPECT_GE(g.Top, page.Geometry.Top);
        EXPECT_LE(g.Top + g.Height, page.Geometry.Top + page.Geometry.Height);
        if (k > 0) {
            const Rect& above = r.win().Opt3[static_cast<std::size_t>(order[k - 1])].Geometry;
            EXPECT_EQ(g.Left, above.Left);
            EXPECT_GE(g.Top, above.Top + above.Height) << "choice " << order[k];
        }
    }
    EXPECT_EQ(r.win().Opt3[3].Caption, QStringLiteral("คอมพิวเตอร์ฝีมือดี"));
    r.w().selectOption3(3);
    EXPECT_FALSE(r.win().Opt3[0].Value || r.win().Opt3[1].Value || r.win().Opt3[2].Value);
    r.next();
    EXPECT_EQ(r.w().shownPanel(), ComputerNamePanel);
    r.next();
    EXPECT_FALSE(r.state.Players(1).IsHuman);
    EXPECT_TRUE(r.state.Players(1).Strong);
    EXPECT_EQ(r.state.Players(1).Color, seat(1).Color);
    EXPECT_TRUE(r.win().Opt3[3].Value);
    r.w().selectOption3(1);
    r.next();
    r.next();
    EXPECT_FALSE(r.state.Players(2).Strong);
    EXPECT_FALSE(r.state.Players(2).IsHuman);
    EXPECT_TRUE(r.w().networkSeats().isEmpty());
    for (int i = 0; i < 4; ++i) r.back();  // to player 1's controller page
    EXPECT_EQ(r.step(), 3);
    EXPECT_TRUE(r.win().Opt3[3].Value);
    EXPECT_FALSE(r.win().Opt3[1].Value);
    r.w().selectOption3(1);
    r.next();
    r.next();
    EXPECT_FALSE(r.state.Players(1).Strong);
}

// The bankrupt card follows the box as it is at the last Next on the options page.
TEST(Wizard, BankruptCardFollowsTheBoxAtEachNext) {
    WizardRun r;
    r.next();
    r.next();  // ticked by default
    EXPECT_TRUE(r.state.BankruptCardOn);
    r.back();
    r.w().setCheck1(false);
    r.next();
    EXPECT_FALSE(r.state.BankruptCardOn);
    r.back();
    r.w().setCheck1(true);
    r.next();
    EXPECT_TRUE(r.state.BankruptCardOn);
}

// Close on any page goes back to the title screen with the step at 0; the next wizard starts
// on its board page with fresh names, while the seats keep what the pages wrote.
TEST(Wizard, CloseOnAnyPageAndAFreshStart) {
    for (int presses = 0; presses <= 9; ++presses) {
        SCOPED_TRACE(presses);
        WizardRun r;
        r.w().selectOption2(2);
        for (int i = 0; i < presses; ++i) r.next();
        r.w().ImgButtonW_MouseDown(CloseButton);
        EXPECT_EQ(r.outcomes, std::vector<WizardOutcome>{WizardOutcome::Closed});
        EXPECT_EQ(r.step(), BoardPage);
        const bool human1 = r.state.Players(1).IsHuman;
        const Long colour1 = r.state.Players(1).Color;
        r.open();
        EXPECT_EQ(r.w().shownPanel(), BoardPanel);
        EXPECT_EQ(r.band(), QStringLiteral(" ตั้งกระดาน"));
        EXPECT_EQ(r.state.Players(1).Name.trimmed(), QStringLiteral("ผู้เล่น:1"));
        EXPECT_EQ(r.state.Players(1).IsHuman, human1);
        EXPECT_EQ(r.state.Players(1).Color, colour1);
        r.next();
        EXPECT_EQ(r.step(), OptionsPage);
    }
}

// A wizard closed by the window system counts as closed with its button, so that the next
// one does not start on the board page with another page's step.
TEST(Wizard, ClosedByTheWindowSystemStartsAfreshToo) {
    WizardRun r;
    r.next();
    r.next();
    r.w().Form_Unload();
    EXPECT_EQ(r.step(), BoardPage);
    EXPECT_EQ(r.outcomes, std::vector<WizardOutcome>{WizardOutcome::Closed});
    r.w().Form_Unload();
    EXPECT_EQ(r.outcomes.size(), 1u);
}

// Next on the completion page hands over once and leaves the step at 99; the window then
// takes no more presses.
TEST(Wizard, HandOverLeavesTheStepAt99) {
    WizardRun r;
    toFirstNamePage(r);
    r.next();
    r.next();
    r.next();
    ASSERT_EQ(r.step(), CompletionPage);
    r.next();
    EXPECT_EQ(r.outcomes, std::vector<WizardOutcome>{WizardOutcome::HandedOver});
    r.next();
    r.back();
    r.w().Form_Unload();
    EXPECT_EQ(r.outcomes.size(), 1u);
    EXPECT_EQ(r.step(), CompletionPage);
}

// With four players the last name page is hidden before the completion page shows.
TEST(Wizard, FourthPlayerLeavesNoNamePageBehind) {
    WizardRun r;
    r.next();
    r.next();
    r.w().selectOption2(2);
    r.next();
    for (int p = 1; p <= 4; ++p) {
        r.next();
        r.next();
    }
    ASSERT_EQ(r.step(), CompletionPage);
    EXPECT_FALSE(r.win().PicPad[PersonNamePanel].Visible);
    EXPECT_FALSE(r.win().PicPad[ComputerNamePanel].Visible);
    r.back();
    EXPECT_EQ(r.step(), 10);
    EXPECT_EQ(r.w().shownPanel(), PersonNamePanel);
    EXPECT_EQ(r.band(), QStringLiteral(" ตั้งผู้เล่น:4"));
}

// The buttons: the action runs only when the click has finished, once per press, never again
// while the button is held and moved over; Enter is Next and Escape is Close.
TEST(Wizard, ButtonsActAfterTheClickOncePerPress) {
    WizardRun r;
    std::vector<QString> sounds;
    std::function<void()> pending;
    r.w().playClick = [&](const QString& path, std::function<void()> done) {
        sounds.push_back(path);
        pending = std::move(done);
    };
    r.w().ImgButtonW_MouseDown(NextButton);
    EXPECT_EQ(r.step(), BoardPage) << "the click is still playing";
    EXPECT_EQ(sounds, std::vector<QString>{kApp + QStringLiteral("/Sound/505.wav")});
    r.w().ImgButtonW_MouseMove(NextButton, true);
    r.w().ImgButtonW_MouseUp(NextButton);
    r.w().ImgButtonW_MouseDown(NextButton);  // while the first click plays
    EXPECT_EQ(sounds.size(), 1u);
    pending();
    EXPECT_EQ(r.step(), OptionsPage);

    r.w().ImgButtonW_MouseDown(NextButton);
    for (int i = 0; i < 3; ++i) r.w().ImgButtonW_MouseMove(NextButton, true);
    pending();
    r.w().ImgButtonW_MouseDown(NextButton);  // still held: the icon is down
    EXPECT_EQ(sounds.size(), 2u);
    EXPECT_EQ(r.step(), PlayerCountPage);
    r.w().ImgButtonW_MouseUp(NextButton);

    r.w().keyPressed(13);
    pending();
    EXPECT_EQ(r.step(), FirstControllerPage);
    r.w().keyPressed(65);
    EXPECT_EQ(sounds.size(), 3u);
    r.w().keyPressed(27);
    pending();
    EXPECT_EQ(r.outcomes, std::vector<WizardOutcome>{WizardOutcome::Closed});
    EXPECT_EQ(r.step(), BoardPage);
    r.w().ImgButtonW_MouseDown(DescriptionButton);
    EXPECT_EQ(sounds.size(), 4u) << "the hidden button takes no press";
}

// The board of a saved game: Next asks for the file, once, and waits for the answer; a
// cancel or a bad file leaves the board page (a bad one named with its fault), a good one
// opens the options page with the save's bankrupt-card setting, which no click changes.
TEST(Wizard, BoardFromASavedGame) {
    WizardRun r;
    int asks = 0;
    QStringList refusals;
    r.w().askSavedGame = [&] { ++asks; };
    r.w().refused = [&](const QString& text) { refusals << text; };
    r.w().selectOption1(1);
    r.next();
    r.next();
    EXPECT_EQ(asks, 1) << "one dialog at a time";
    r.w().savedGameChosen(QString());
    EXPECT_EQ(r.step(), BoardPage);
    r.next();
    EXPECT_EQ(asks, 2);
    const QString bad = QStringLiteral("/nonexistent/game.Sav");
    r.w().savedGameChosen(bad);
    EXPECT_EQ(r.step(), BoardPage);
    EXPECT_EQ(r.w().shownPanel(), BoardPanel);
    ASSERT_EQ(refusals.size(), 1);
    EXPECT_TRUE(refusals[0].startsWith(bad + QStringLiteral(": "))) << refusals[0].toStdString();
    EXPECT_FALSE(r.w().savedBoard().has_value());
}

}  // namespace
}  // namespace kroda
