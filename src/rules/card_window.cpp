// The card window: it shows the next card of the deck of the square under the drawer and
// applies it when it opens; the next key or mouse press closes it and carries the turn on.
#include "game/game.h"

namespace kroda {

void Game::FrmCard_Load() {
    CardWindow& w = window.FrmCard;
    w.Visible = true;
    w.TxtCrd.Text.clear();
    const Integer cur = state.CurPlayer;
    if (!GameState::isSeat(cur))
        return;
    Player& P = state.Players(cur);
    if (!GameState::isSquareIndex(P.Position))
        return;
    const Integer kind = state.Squares(P.Position + 1).Kind;
    if (kind != TreasureCard && kind != FortuneCard)
        return;
    const bool fortune = kind == FortuneCard;
    const Deck& deck = fortune ? state.Deck2 : state.Deck1;
    const Integer next = fortune ? state.NextCard2 : state.NextCard1;
    if (!deck.inBounds(next))
        return;
    const Card& K = deck(next);

    w.TxtCrd.BackColor = window.ShpCard[fortune ? 1 : 0].FillColor;
    w.TxtCrd.Text =
        K.Text.rightTrimmed() + QStringLiteral(" ") + MShow(Currency::fromUnits(K.Amount));
    switch (K.Action) {
        case PayAmount:
            transfer(cur, kBank, Currency::fromUnits(K.Amount), PaymentCause::CardPay);
            CFace(cur, DismayedFace);
            refreshMoney(cur);
            break;
        case ReceiveAmount:
            transfer(kBank, cur, Currency::fromUnits(K.Amount), PaymentCause::CardGain);
            CFace(cur, GladFace);
            refreshMoney(cur);
            break;
        case BuiltInBankrupt:
        case LoseAllMoney:
            if (fortune) {
                // The label is left alone: the bankruptcy that follows relabels it.
                transfer(cur, kBank, P.Money,
                         K.Action == BuiltInBankrupt ? PaymentCause::BankruptCard
                                                     : PaymentCause::LoseAll);
                CFace(cur, GrimFace);
            }
            break;
        default:
            break;
    }
}

void Game::FrmCard_Unload() {
    CardWindow& w = window.FrmCard;
    if (!w.Visible)
        return;
    w.Visible = false;
    const Integer cur = state.CurPlayer;
    if (!GameState::isSeat(cur))
        return;
    const Player& P = state.Players(cur);
    const bool treasure =
        GameState::isSquareIndex(P.Position) && state.Squares(P.Position + 1).Kind == TreasureCard;
    if (treasure) {
        if (++state.NextCard1 > 20)
            state.NextCard1 = 1;
    } else {
        if (++state.NextCard2 > (state.BankruptCardOn ? 21 : 20))
            state.NextCard2 = 1;
    }
    if (P.Money > Currency{})
        NextQ();
    else
        GameOver(state.CurPlayer);
}

void Game::FrmCard_KeyDown(int, int) {
    FrmCard_Unload();
}

void Game::TxtCrd_MouseDown(int, int, int, int) {
    if (localPlayHeld && localPlayHeld())
        return;
    FrmCard_Unload();
}

}  // namespace kroda
