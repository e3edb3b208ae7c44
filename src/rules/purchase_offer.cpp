// Purchase offers: a plot, a hotel site, one of the pair, or the next building on one's own
// plot. The offer stays open until it is answered.
#include "game/game.h"
#include "model/game_files.h"

namespace kroda {

void Game::OpenOffer(Integer player) {
    if (!GameState::isSeat(player))
        return;
    const Player& P = state.Players(player);
    state.AnimMode = YesNoBlink;
    timers.AnimateTimer.setEnabled(true);
    state.InputMode = YesNoAnswer;
    window.ShpTaoPad.FillColor = P.Color;
    LocateCheck(static_cast<Integer>(P.Position + 1));
    if (!P.IsHuman) {
        CPControl();
        return;
    }
    window.LblKeyT[0].Caption = P.KeyLabel(1).trimmed();
    window.LblKeyT[1].Caption = P.KeyLabel(3).trimmed();
    window.KeyPreview = true;
    window.ImgTao[0].Enabled = true;
    window.ImgTao[1].Enabled = true;
}

void Game::AcceptPurchase(Integer player) {
    if (!GameState::isSeat(player))
        return;
    Player& P = state.Players(player);
    const Integer p = P.Position;
    if (!GameState::isSquareIndex(p))
        return;
    Square& S = state.Squares(p + 1);
    // No money is checked: a purchase may leave the buyer bankrupt.
    if (S.Kind == Land && S.Owner == player) {
        if (S.Buildings >= 0 && S.Buildings <= 3) {
            transfer(player, kBank, S.HouseCost, PaymentCause::Building);
            refreshMoney(player);
            ++S.Buildings;
            HouseCreate(p, BuildingsOnEdge);
        } else if (S.Buildings == 4) {
            transfer(player, kBank, S.HotelCost, PaymentCause::Building);
            refreshMoney(player);
            S.Buildings = 5;
            HouseCreate(p, BuildingsOnEdge);
        }
    } else if (S.Kind == Land || S.Kind == HotelSite || S.Kind == PairSite) {
        transfer(player, kBank, S.Price, PaymentCause::Purchase);
        refreshMoney(player);
        // With every slot taken the square is owned all the same; bankruptcy finds it by
        // its owner.
        for (int j = 1; j <= 29; ++j) {
            if (P.Owned(j) == 0) {
                P.Owned(j) = static_cast<Integer>(p + 1);
                break;
            }
        }
        S.Owner = player;
        HouseCreate(p, OwnerMarker);
    }
}

void Game::answerOffer(OfferAnswer answer) {
    if (answer == OfferAnswer::Yes)
        AcceptPurchase(state.CurPlayer);
    CloseOffer(state.CurPlayer, answer);
}

void Game::CloseOffer(Integer player, OfferAnswer answer) {
    if (answer == OfferAnswer::WrongKey) {
        port.beep();
    } else {
        for (Label& label : window.LblKeyT) label.Caption = QStringLiteral("---");
        playSound(throwSound(appFolder()), SoundMode::AsyncNoInterrupt);
    }
    throwInputsOff();
    if (!GameState::isSeat(player))
        return;
    if (state.Players(player).Money > Currency{}) {
        NextQ();
    } else if (player == state.CurPlayer) {
        GameOver(state.CurPlayer);
    } else {
        GameOver(player);
    }
}

}  // namespace kroda
