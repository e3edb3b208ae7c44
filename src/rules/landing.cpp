// What a square does to the player who comes to rest on it: first the narrator's sentence
// (mode 1), then, once it has been spoken, the effect (mode 2).
#include "game/game.h"

namespace kroda {

namespace {
bool ownable(Integer kind) {
    return kind == Land || kind == HotelSite || kind == PairSite;
}
bool isSeat(int player) {
    return player >= 1 && player <= 4;
}
}  // namespace

void Game::ActionCheck(Integer& player, Integer mode) {
    if (!isSeat(player))
        return;
    const Integer position = state.Players(player).Position;
    if (position < 0 || position > 39)
        return;
    if (mode == 1)
        announceLanding(player);
    else if (mode == 2)
        resolveLanding(player);
}

void Game::announceLanding(Integer player) {
    const Player& P = state.Players(player);
    const Integer p = P.Position;
    const Square& S = state.Squares(p + 1);
    const QString name = P.Name.trimmed();
    const QString apostrophe = QStringLiteral("'");
    const QString nothing = QStringLiteral("...");
    QString& message = state.PendingMessage;

    switch (S.Kind) {
        case Start:
            CFace(player, 2);
            message =
                apostrophe + name + apostrophe + QStringLiteral("ได้รับเงิน ") + MShow(amountOf(0));
            break;
        case Land:
        case HotelSite:
        case PairSite:
            if (S.Owner == 0) {
                CFace(player, 1);
                message = S.Kind == HotelSite
                              ? QStringLiteral("คุณต้องการซื้อโรงแรมนี้หรือไม่ (O=ซื้อ, X=ไม่ซื้อ)")
                              : QStringLiteral("คุณต้องการซื้อที่ดินนี้หรือไม่ (O=ซื้อ, X=ไม่ซื้อ)");
            } else if (S.Owner == player) {
                if (S.Kind != Land) {
                    CFace(player, 2);
                    message = nothing;
                } else if (S.Buildings <= 3) {
                    CFace(player, 2);
                    message = QStringLiteral("คุณต้องการซื้อบ้านหรือไม่ (O=ซื้อ, X=ไม่ซื้อ)");
                } else if (S.Buildings == 4) {
                    CFace(player, 2);
                    message = QStringLiteral("คุณต้องการซื้อโรงแรมหรือไม่ (O=ซื้อ, X=ไม่ซื้อ)");
                } else {
                    CFace(player, 3);
                    message = nothing;
                }
            } else if (isSeat(S.Owner)) {
                CFace(player, 5);
                CFace(S.Owner, 3);
                message = apostrophe + name + apostrophe + QStringLiteral(" จ่ายค่าเช่าให้ ") +
                          apostrophe + state.Players(S.Owner).Name.trimmed() + apostrophe +
                          QStringLiteral(" ") + MShow(amountOf(p));
            }
            break;
        case TreasureCard:
        case FortuneCard:
            CFace(player, 1);
            message = QStringLiteral("กดคีย์ใด ๆ เพื่อปิดบัตร");
            break;
        case Jail:
            CFace(player, 4);
            message = QStringLiteral("แวะเยี่ยมคุก หยุดเดิน 1 ครั้ง");
            break;
        case Rest:
            CFace(player, 4);
            message = QStringLiteral("แวะพักผ่อน หยุดเดิน ") + PriceCheck(p) + QStringLiteral(" ครั้ง");
            break;
        case GoToJail:
            CFace(player, 5);
            message = QStringLiteral("ไปเข้าคุก และจ่ายค่าปรับ ") + MShow(amountOf(p));
            break;
        case Tax:
            CFace(player, 4);
            message = QStringLiteral("จ่ายภาษี ") + MShow(amountOf(p));
            break;
        default:
            break;
    }
    state.TalkStep = 14;
}

void Game::resolveLanding(Integer& player) {
    Player& P = state.Players(player);
    const Integer p = P.Position;
    Square& S = state.Squares(p + 1);

    switch (S.Kind) {
        case Start:
            // The start money itself was paid by the walk.
            CFace(player, 2);
            timers.TimeDelay.setEnabled(true);
            NextQ();
            return;
        case TreasureCard:
        case FortuneCard:
            FrmCard_Load();
            return;
        case Jail:
        case Rest:
            // Whatever count a rest square announces, it costs one turn.
            P.SkipTurns = 1;
            timers.TimeDelay.setEnabled(true);
            NextQ();
            return;
        case GoToJail: {
            const Currency fine = amountOf(p);
            PutTao(player, 10, player);
            P.Position = 10;
            P.SkipTurns = 1;
            payToBank(player, fine, PaymentCause::Fine);
            return;
        }
        case Tax:
            payToBank(player, amountOf(p), PaymentCause::Tax);
            return;
        default:
            break;
    }
    if (!ownable(S.Kind))
        return;

    if (S.Owner == 0) {
        CFace(player, 1);
        OpenOffer(player);
    } else if (S.Owner == player) {
        if (S.Kind != Land) {
            NextQ();
        } else if (S.Buildings <= 4) {
            OpenOffer(player);
        } else {
            CFace(player, 3);
            state.PendingMessage = QStringLiteral("...");
            timers.TimeDelay.setEnabled(true);
            NextQ();
        }
    } else if (isSeat(S.Owner)) {
        const Integer owner = S.Owner;
        const Currency rent = amountOf(p);
        // The owner is paid the whole rent, not only what the payer could afford.
        transfer(player, owner, rent, PaymentCause::Rent);
        refreshMoney(player);
        if (P.Money > Currency{}) {
            refreshMoney(owner);
            timers.TimeDelay.setEnabled(true);
            NextQ();
        } else {
            GameOver(player);
            refreshMoney(owner);
        }
    } else {
        NextQ();
    }
}

void Game::payToBank(Integer& player, Currency amount, PaymentCause cause) {
    Player& P = state.Players(player);
    transfer(player, kBank, amount, cause);
    refreshMoney(player);
    if (P.Money > Currency{}) {
        timers.TimeDelay.setEnabled(true);
        NextQ();
    } else {
        GameOver(player);
    }
}

void Game::refreshMoney(Integer player) {
    if (isSeat(player))
        window.LblPMoney[player - 1].Caption = MShow(state.Players(player).Money);
}

}  // namespace kroda
