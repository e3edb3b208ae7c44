// The driver's mouse commands and deed card paths show what the windows would: the toolbar's
// pressed place and hover text, the music dialog asked for, and the deed card drawn.
#include "headless/driver_harness.h"

#include <gtest/gtest.h>

namespace kroda::headless::testing {
namespace {

TEST(Mouse, ToolbarPressHoverAndTheMusicDialog) {
    const ScriptOutcome r = runScript(
        "start\n"
        "mousemove ImgIconT 4\n"
        "get LblBDescript.Caption\n"
        "mousemove ImgIconT 1 held\n"
        "get ImgIconT(1).Top\n"
        "mousemove ImgIconT 1 held\n"
        "get ImgIconT(1).Top\n"
        "mouseup ImgIconT 1\n"
        "get ImgIconT(1).Top\n"
        "mousedown ImgIconT 1\n"
        "get OpenFileTitle\n"
        "get OpenFileFilter\n"
        "get ImgIconT(1).Top\n"
        // Every button the toolbar shows takes the verbs; the speed button changes nothing
        // on a virtual clock.
        "mousemove ImgIconT 3\n"
        "get LblBDescript.Caption\n"
        "click ImgIconT 3\n"
        "get ImgIconT(3).Top\n"
        "click ImgIconT 2\n"
        "get ImgIconT(2).Top\n",
        boardFolder());
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(r.out,
              "คู่มือ\n313\n313\n312\nเปิดไฟล์เพลง\nMidiFile(*.mid, *.rmi)|*.mid;*.rmi\n312\n"
              "ความเร็ว\n312\n312\n");
    const ScriptOutcome unused = runScript("start\nclick ImgIconT 0\n", boardFolder());
    EXPECT_EQ(unused.status, ExitBadScript);
    EXPECT_NE(unused.err.find("is not a button of the toolbar (1, 2, 3, 4, 5)"), std::string::npos)
        << unused.err;
}

TEST(Mouse, DeedCardOpensRedrawsAndCloses) {
    const ScriptOutcome r = runScript(
        "start\n"
        "click ImgTable 1\n"
        "get FrmOCard.Visible\n"
        "get PicOpad(0).Visible\n"
        "click ImgTable 0\n"
        "get PicOpad(0).Visible\n"
        "get PicOpad(1).Visible\n"
        "get LblOcard1(0).Caption\n"
        "click LblClose\n"
        "get FrmOCard.Visible\n",
        boardFolder());
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(r.out, "true\ntrue\nfalse\ntrue\nจุดเริ่มต้น\nfalse\n");
}

}  // namespace
}  // namespace kroda::headless::testing
