// Throw requests: one die or both, by a player's key, a click on a die picture or the
// computer player.
#include "game/game.h"

namespace kroda {

Integer Game::TaoCal(Integer n) {
    if (n != 1 && n != 2)
        return 0;
    if (!scripted.dice.empty()) {
        const Integer value = scripted.dice.front();
        scripted.dice.pop_front();
        return value;
    }
    random.mixTime(port.timeOfDay());
    return static_cast<Integer>(static_cast<int>(random.next() * 6 + 1));
}

void Game::TaoList(Integer face1, Integer face2) {
    if (face1 >= 1 && face1 <= 6)
        window.ImgTao[0].Cell = static_cast<Integer>(face1 - 1);
    if (face2 >= 1 && face2 <= 6)
        window.ImgTao[1].Cell = static_cast<Integer>(face2 - 1);
}

void Game::TaoProc(Integer code, Integer source) {
    enum class Request { None, Both, First, Second };
    Request request = Request::None;
    if (source == 1) {
        if (state.CurPlayer >= 1 && state.CurPlayer <= 4) {
            const Player& p = state.Players(state.CurPlayer);
            if (code == p.KeyCode(2))
                request = Request::Both;
            else if (code == p.KeyCode(1))
                request = Request::First;
            else if (code == p.KeyCode(3))
                request = Request::Second;
        }
    } else if (source == 2) {
        if (code == 2)
            request = Request::Both;
        else if (code == 0)
            request = Request::First;
        else if (code == 1)
            request = Request::Second;
    } else {
        return;
    }

    const QString used = QStringLiteral("---");
    switch (request) {
        case Request::Both:
            if (state.Die1 != 0 || state.Die2 != 0) {
                port.beep();
                return;
            }
            state.Die1 = TaoCal(1);
            state.Die2 = TaoCal(2);
            TaoList(state.Die1, state.Die2);
            window.LblKeyT[0].Caption = used;
            window.LblKeyT[1].Caption = used;
            window.LblKeyT[2].Caption = used;
            break;
        case Request::First:
            if (state.Die1 != 0) {
                port.beep();
                return;
            }
            state.Die1 = TaoCal(1);
            TaoList(state.Die1, 0);
            window.LblKeyT[0].Caption = used;
            window.LblKeyT[2].Caption = used;
            break;
        case Request::Second:
            if (state.Die2 != 0) {
                port.beep();
                return;
            }
            state.Die2 = TaoCal(2);
            TaoList(0, state.Die2);
            window.LblKeyT[1].Caption = used;
            window.LblKeyT[2].Caption = used;
            break;
        case Request::None:
            port.beep();
            return;
    }
    port.playSound(soundFile(QStringLiteral("503.wav")), SoundMode::AsyncNoInterrupt);
}

void Game::throwInputsOff() {
    window.KeyPreview = false;
    for (Image& die : window.ImgTao) die.Enabled = false;
}

}  // namespace kroda
