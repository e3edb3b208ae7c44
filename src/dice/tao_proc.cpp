// Throw requests: one die or both, by a player's key, a click on a die picture or the
// computer player.
#include "game/game.h"
#include "model/game_files.h"

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

namespace {
// The dice a throw request asks for.
struct DiceRequest {
    bool first = false;
    bool second = false;
};

DiceRequest requestedDice(const GameState& s, Integer code, Integer source) {
    if (source == ThrowByKey) {
        if (!GameState::isSeat(s.CurPlayer))
            return {};
        const Player& p = s.Players(s.CurPlayer);
        if (code == p.KeyCode(2))
            return {true, true};
        if (code == p.KeyCode(1))
            return {true, false};
        if (code == p.KeyCode(3))
            return {false, true};
        return {};
    }
    switch (code) {
        case BothDicePicture:
            return {true, true};
        case FirstDiePicture:
            return {true, false};
        case SecondDiePicture:
            return {false, true};
        default:
            return {};
    }
}
}  // namespace

void Game::TaoProc(Integer code, Integer source) {
    if (source != ThrowByKey && source != ThrowByPicture)
        return;
    const DiceRequest r = requestedDice(state, code, source);
    // A request for no die, or for a die already thrown, is refused as a whole.
    if ((!r.first && !r.second) || (r.first && state.Die1 != 0) || (r.second && state.Die2 != 0)) {
        port.beep();
        return;
    }
    if (r.first)
        state.Die1 = TaoCal(1);
    if (r.second)
        state.Die2 = TaoCal(2);
    TaoList(r.first ? state.Die1 : Integer{0}, r.second ? state.Die2 : Integer{0});
    // The labels of the keys that would throw a thrown die again: its own and both dice.
    const QString used = QStringLiteral("---");
    if (r.first)
        window.LblKeyT[0].Caption = used;
    if (r.second)
        window.LblKeyT[1].Caption = used;
    window.LblKeyT[2].Caption = used;
    playSound(throwSound(appFolder()), SoundMode::AsyncNoInterrupt);
}

void Game::throwInputsOff() {
    window.KeyPreview = false;
    for (Image& die : window.ImgTao) die.Enabled = false;
}

}  // namespace kroda
