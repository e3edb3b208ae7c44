// A network client's game window sends the host protocol inputs: a key goes for the owned
// seat whose keys hold it, another key and a click for the owned seat that must act now (or
// the first owned seat), and the toolbar stays at home.

#include "widgets/remote_input.h"
#include "model/seat_defaults.h"
#include "support/game_harness.h"
#include "widgets/frm_game.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace kroda::widgets {
namespace {

TEST(RemoteInput, KeysAndClicksOnAClientsWindowBecomeInputsForItsSeats) {
    kroda::testing::GameHarness h(4);
    h.load();
    const QList<int> own{2, 3};
    std::vector<network::Input> sent;
    int local = 0;
    PictureCache pictures;
    FrmGame w(
        h.game,
        [&](const WindowInput& in) {
            if (const auto r = remoteInput(in, h.game.state, own))
                sent.push_back(*r);
            else
                ++local;
        },
        pictures);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    h.game.state.CurPlayer = 1;  // a seat of the host's
    const int seat3Key = h.game.state.Players(3).KeyCode(2);
    // The seat defaults give letters and the arrow keys (VK 0x25..0x28).
    const Qt::Key arrows[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};
    QTest::keyClick(&w, seat3Key >= 0x25 && seat3Key <= 0x28 ? arrows[seat3Key - 0x25]
                                                             : static_cast<Qt::Key>(seat3Key));
    QTest::keyClick(&w, Qt::Key_F5);  // a key of no seat
    const Image& square = h.game.window.ImgTable[5];
    ASSERT_TRUE(square.Visible && square.Enabled);
    const QPoint centre(square.Geometry.Left + square.Geometry.Width / 2,
                        square.Geometry.Top + square.Geometry.Height / 2);
    QTest::mouseClick(&w, Qt::LeftButton, {}, centre);
    h.game.state.CurPlayer = 3;  // now one of this client's seats must act
    QTest::mouseClick(&w, Qt::LeftButton, {}, centre);
    QTest::keyClick(&w, Qt::Key_F5);

    const std::vector<network::Input> expected{
        {3, network::KeyInput{seat3Key, 0}},
        {2, network::KeyInput{0x74, 0}},  // VK_F5
        {2, network::ClickInput{ClickableControl::ImgTable, 5}},
        {3, network::ClickInput{ClickableControl::ImgTable, 5}},
        {3, network::KeyInput{0x74, 0}},
    };
    EXPECT_EQ(sent, expected);

    // The toolbar's press and release stay on the client.
    const Image& quit = h.game.window.ImgIconT[QuitButton];
    if (quit.Visible && quit.Enabled) {
        const std::size_t before = sent.size();
        QTest::mouseClick(&w, Qt::LeftButton, {}, {quit.Geometry.Left + 4, quit.Geometry.Top + 4});
        EXPECT_EQ(sent.size(), before);
        EXPECT_GE(local, 2);
    }
}

}  // namespace
}  // namespace kroda::widgets
