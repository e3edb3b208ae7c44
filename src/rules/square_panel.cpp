// The information panel beside the board: one square's name, picture, rule, amount and
// owner.
#include "game/game.h"

namespace kroda {

QString Game::OwnerCheck(Integer n) {
    if (!state.NewBoard || n < 1 || n > kSquareCount)
        return {};
    const Integer owner = state.Squares(n).Owner;
    if (owner == 0)
        return QStringLiteral("เจ้าของ: ธนาคาร");
    if (GameState::isSeat(owner))
        return QStringLiteral("เจ้าของ: ") + state.Players(owner).Name.raw();
    return {};
}

void Game::LocateCheck(Integer n) {
    if (!state.NewBoard || n < 1 || n > kSquareCount)
        return;
    const Square& sq = state.Squares(n);
    window.TxtLocation.Text = sq.Name.trimmed();
    window.ImgLocation.Strip = IllustrationStrip;
    window.ImgLocation.Cell = static_cast<Integer>(n - 1);

    auto show = [&](const QString& act, const QString& price, const QString& owner) {
        window.LblAct.Caption = act;
        window.LblPrice.Caption = price;
        window.LblOwner.Caption = owner;
    };
    switch (sq.Kind) {
        case Start:
            show(QStringLiteral("ได้รับเงิน"), MShow(sq.Price), OwnerCheck(n));
            break;
        case Land:
            show(QStringLiteral("ราคาที่ดิน"), MShow(sq.Price), OwnerCheck(n));
            HouseCreate(static_cast<Integer>(n - 1), BuildingsInPanel);
            break;
        case HotelSite:
        case PairSite:
            show(QStringLiteral("ราคา"), MShow(sq.Price), OwnerCheck(n));
            break;
        case TreasureCard:
        case FortuneCard:
        case Jail:
        case GoToJail:
            show({}, {}, {});
            break;
        case Rest: {
            // A count is written with a blank in place of the sign when it is not negative.
            const QString count =
                (sq.Price >= Currency{} ? QStringLiteral(" ") : QString()) + sq.Price.toPlainText();
            show(QStringLiteral("หยุดเดิน"), count + QStringLiteral(" ") + QStringLiteral("ครั้ง"), {});
            break;
        }
        case Tax:
            show(QStringLiteral("จ่าย"), MShow(sq.Price), {});
            break;
        default:
            break;
    }
}

}  // namespace kroda
