// What a square does to the player who comes to rest on it: first the narrator's sentence,
// then, once it has been spoken, the effect. Each kind of square has its own pair.
#include "game/game.h"

namespace kroda {

namespace {

// One landing: the player, his square and the game they belong to.
struct Landing {
    Game& g;
    Integer& player;
    Player& P;
    Integer position;
    Square& S;

    Landing(Game& game, Integer& who)
        : g(game),
          player(who),
          P(game.state.Players(who)),
          position(P.Position),
          S(game.state.Squares(P.Position + 1)) {}

    QString& message() { return g.state.PendingMessage; }
    QString quotedName(const Player& p) const {
        return QStringLiteral("'") + p.Name.trimmed() + QStringLiteral("'");
    }
    // The turn ends after the usual pause.
    void passTurn() {
        g.timers.TimeDelay.setEnabled(true);
        g.NextQ();
    }

    void announce() {
        switch (S.Kind) {
            case Start:
                announceStart();
                break;
            case Land:
            case HotelSite:
            case PairSite:
                announceProperty();
                break;
            case TreasureCard:
            case FortuneCard:
                announceCard();
                break;
            case Jail:
                announceJail();
                break;
            case Rest:
                announceRest();
                break;
            case GoToJail:
                announceGoToJail();
                break;
            case Tax:
                announceTax();
                break;
            default:
                break;
        }
        g.state.TalkStep = LandingMessage;
    }

    void resolve() {
        switch (S.Kind) {
            case Start:
                resolveStart();
                break;
            case Land:
            case HotelSite:
            case PairSite:
                resolveProperty();
                break;
            case TreasureCard:
            case FortuneCard:
                g.FrmCard_Load();
                break;
            case Jail:
            case Rest:
                resolveSitOut();
                break;
            case GoToJail:
                resolveGoToJail();
                break;
            case Tax:
                payToBank(g.amountOf(position), PaymentCause::Tax);
                break;
            default:
                break;
        }
    }

    void announceStart() {
        g.CFace(player, ContentFace);
        message() = quotedName(P) + QStringLiteral("ได้รับเงิน ") + g.MShow(g.amountOf(0));
    }
    void resolveStart() {
        // The start money itself was paid by the walk.
        g.CFace(player, ContentFace);
        passTurn();
    }

    void announceProperty() {
        if (S.Owner == 0) {
            g.CFace(player, HopefulFace);
            message() = S.Kind == HotelSite
                            ? QStringLiteral("คุณต้องการซื้อโรงแรมนี้หรือไม่ (O=ซื้อ, X=ไม่ซื้อ)")
                            : QStringLiteral("คุณต้องการซื้อที่ดินนี้หรือไม่ (O=ซื้อ, X=ไม่ซื้อ)");
        } else if (S.Owner == player) {
            announceOwnProperty();
        } else if (GameState::isSeat(S.Owner)) {
            g.CFace(player, GrimFace);
            g.CFace(S.Owner, GladFace);
            message() = quotedName(P) + QStringLiteral(" จ่ายค่าเช่าให้ ") +
                        quotedName(g.state.Players(S.Owner)) + QStringLiteral(" ") +
                        g.MShow(g.amountOf(position));
        }
    }
    void announceOwnProperty() {
        if (S.Kind != Land) {
            g.CFace(player, ContentFace);
            message() = QStringLiteral("...");
        } else if (S.Buildings <= 3) {
            g.CFace(player, ContentFace);
            message() = QStringLiteral("คุณต้องการซื้อบ้านหรือไม่ (O=ซื้อ, X=ไม่ซื้อ)");
        } else if (S.Buildings == 4) {
            g.CFace(player, ContentFace);
            message() = QStringLiteral("คุณต้องการซื้อโรงแรมหรือไม่ (O=ซื้อ, X=ไม่ซื้อ)");
        } else {
            g.CFace(player, GladFace);
            message() = QStringLiteral("...");
        }
    }
    void resolveProperty() {
        if (S.Owner == 0) {
            g.CFace(player, HopefulFace);
            g.OpenOffer(player);
        } else if (S.Owner == player) {
            resolveOwnProperty();
        } else if (GameState::isSeat(S.Owner)) {
            payRent();
        } else {
            g.NextQ();
        }
    }
    void resolveOwnProperty() {
        if (S.Kind != Land) {
            g.NextQ();
        } else if (S.Buildings <= 4) {
            g.OpenOffer(player);
        } else {
            g.CFace(player, GladFace);
            message() = QStringLiteral("...");
            passTurn();
        }
    }
    void payRent() {
        const Integer owner = S.Owner;
        const Currency rent = g.amountOf(position);
        // The owner is paid the whole rent, not only what the payer could afford.
        g.transfer(player, owner, rent, PaymentCause::Rent);
        g.refreshMoney(player);
        if (P.Money > Currency{}) {
            g.refreshMoney(owner);
            passTurn();
        } else {
            g.GameOver(player);
            g.refreshMoney(owner);
        }
    }

    void announceCard() {
        g.CFace(player, HopefulFace);
        message() = QStringLiteral("กดคีย์ใด ๆ เพื่อปิดบัตร");
    }

    void announceJail() {
        g.CFace(player, DismayedFace);
        message() = QStringLiteral("แวะเยี่ยมคุก หยุดเดิน 1 ครั้ง");
    }
    void announceRest() {
        g.CFace(player, DismayedFace);
        message() =
            QStringLiteral("แวะพักผ่อน หยุดเดิน ") + g.PriceCheck(position) + QStringLiteral(" ครั้ง");
    }
    void resolveSitOut() {
        // Whatever count a rest square announces, it costs one turn.
        P.SkipTurns = 1;
        passTurn();
    }

    void announceGoToJail() {
        g.CFace(player, GrimFace);
        message() = QStringLiteral("ไปเข้าคุก และจ่ายค่าปรับ ") + g.MShow(g.amountOf(position));
    }
    void resolveGoToJail() {
        const Currency fine = g.amountOf(position);
        g.PutTao(player, kJailPosition, player);
        P.Position = kJailPosition;
        P.SkipTurns = 1;
        payToBank(fine, PaymentCause::Fine);
    }

    void announceTax() {
        g.CFace(player, DismayedFace);
        message() = QStringLiteral("จ่ายภาษี ") + g.MShow(g.amountOf(position));
    }
    // A payment to the bank: the turn ends, or the player is bankrupt.
    void payToBank(Currency amount, PaymentCause cause) {
        g.transfer(player, kBank, amount, cause);
        g.refreshMoney(player);
        if (P.Money > Currency{}) {
            g.timers.TimeDelay.setEnabled(true);
            g.NextQ();
        } else {
            g.GameOver(player);
        }
    }
};

}  // namespace

void Game::ActionCheck(Integer& player, Integer mode) {
    if (!GameState::isSeat(player) || !GameState::isSquareIndex(state.Players(player).Position))
        return;
    if (mode == AnnounceLanding)
        Landing(*this, player).announce();
    else if (mode == ResolveLanding)
        Landing(*this, player).resolve();
}

void Game::refreshMoney(Integer player) {
    if (GameState::isSeat(player))
        window.LblPMoney[player - 1].Caption = MShow(state.Players(player).Money);
}

}  // namespace kroda
