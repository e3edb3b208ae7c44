// `set` stores only values inside a field's domain, so no script can index past an array or
// leave the sequencer at a step, mode or kind the game does not have.

#include "driver_harness.h"

#include <gtest/gtest.h>

namespace kroda::headless::testing {
namespace {

struct Refusal {
    const char* line;
    const char* message;
};

// Out-of-domain values are refused with the field and its range, before and after start.
TEST(SetDomains, RefusesValuesOutsideEachFieldsDomain) {
    const Refusal before[] = {
        {"set PlayerCount 9", "PlayerCount: 9 is outside 2..4"},
        {"set PlayerCount 1", "outside 2..4"},
        {"set TalkStep 99", "TalkStep: 99 is outside 1..17"},
        {"set TalkStep 0", "outside 1..17"},
        {"set InputMode 9", "InputMode: 9 is outside 0..3"},
        {"set AnimMode -1", "outside 0..3"},
        {"set Squares(3).Kind 12", "Squares(3).Kind: 12 is outside 0..9"},
        {"set Squares(3).Buildings 6", "outside 0..5"},
        {"set Squares(3).Owner 5", "outside 0..4"},
        {"set Squares(3).Price 1000000000.5", "out of the range of money on a board"},
        {"set Players(1).Money 100000000000001", "expected an amount"},
        {"set Players(2).Position 40", "outside 0..39"},
        {"set Players(2).Owned(3) 41", "outside 0..40"},
        {"set Players(2).KeyCode(1) 256", "outside 0..255"},
        {"set CurPlayer 0", "outside 1..4"},
        {"set Die2 7", "outside 0..6"},
        {"set DoublesCount 3", "outside 0..2"},
        {"set NextCard1 21", "outside 1..20"},
        {"set NextCard2 21", "outside 1..20"},
        {"set TurnQueue 1135", "no play order"},
        {"set TurnQueue \"1 2 \"", "no play order"},
    };
    for (const Refusal& c : before) {
        const ScriptOutcome r = runScript(std::string(c.line) + "\n", emptyFolder());
        EXPECT_EQ(r.status, ExitBadScript) << c.line;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.line << ": " << r.err;
    }

    const Refusal after[] = {
        {"set PlayerCount 3", "fixed once the game has started"},
        {"set BankruptCardOn true", "fixed once the game has started"},
        {"set CurPlayer 3", "outside 1..2"},
        {"set BankruptCount 2", "outside 0..1"},
    };
    for (const Refusal& c : after) {
        const ScriptOutcome r =
            runScript(std::string("players 2\nstart\n") + c.line + "\n", boardFolder());
        EXPECT_EQ(r.status, ExitBadScript) << c.line;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.line << ": " << r.err;
    }
}

// Values at the edges of each domain are stored, and with the bankrupt card the second
// deck's 21st card may be the next.
TEST(SetDomains, AcceptsTheEdgesOfEachDomain) {
    const ScriptOutcome r = runScript(
        "players 3\nbankruptcard on\nstart\n"
        "set TalkStep 17\nset TalkStep 1\nset InputMode 0\nset InputMode 3\n"
        "set Squares(3).Kind 9\nset Squares(3).Buildings 5\nset Squares(40).Owner 3\n"
        "set Squares(3).Price -1000000000\nset Players(1).Money 100000000000000\n"
        "set NextCard2 21\nset CurPlayer 3\nset TurnQueue \"31  \"\nset TurnQueue 312\n"
        "get NextCard2\nget TurnQueue\n",
        boardFolder());
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(r.out, "21\n312 \n");
}

// An error is printed whole: a NUL or a line break in a value neither cuts the message nor
// splits it, and the status still tells the failure.
TEST(SetDomains, ErrorsArePrintedWholeWithControlCharactersEscaped) {
    std::string script = "set Die1 \"4";
    script += '\0';
    script += "2\x1B\"\n";
    const ScriptOutcome r = runScript(script, emptyFolder());
    EXPECT_EQ(r.status, ExitBadScript);
    EXPECT_EQ(r.err, "test:1: Die1: expected a whole number, found \"4\\02\\x1B\"\n");

    std::string folder = "folder \"/tmp";
    folder += '\0';
    folder += "x\"\n";
    const ScriptOutcome f = runScript(folder, emptyFolder());
    EXPECT_EQ(f.status, ExitBadScript);
    EXPECT_NE(f.err.find("holds a control character"), std::string::npos) << f.err;
    EXPECT_EQ(f.err.find("Broken filename"), std::string::npos);
}

}  // namespace
}  // namespace kroda::headless::testing
