#include "deedcard/deed_card.h"

#include <algorithm>

namespace kroda {

namespace {

constexpr Long kDarkBlue = 0x800000;
constexpr Long kRed = 0x0000FF;
constexpr Rect kPanel{112, 48, 217, 177};

// Rows of a panel: the fixed text on the left, the value on the right.
Rect leftCell(int row, int rowHeight) {
    return {kPanel.Left + 4, kPanel.Top + 4 + row * rowHeight, 146, rowHeight};
}
Rect rightCell(int row, int rowHeight) {
    return {kPanel.Left + 148, kPanel.Top + 4 + row * rowHeight, 66, rowHeight};
}

template <std::size_t N>
void layRows(std::array<Label, N>& texts, std::array<Label, N>& values,
             const std::array<const char16_t*, N>& captions, int rowHeight) {
    for (std::size_t i = 0; i < N; ++i) {
        texts[i].Geometry = leftCell(static_cast<int>(i), rowHeight);
        texts[i].Caption = QString::fromUtf16(captions[i]);
        values[i].Geometry = rightCell(static_cast<int>(i), rowHeight);
    }
}

}  // namespace

DeedCardWindow::DeedCardWindow() {
    LblLname.Geometry = {16, 16, 305, 17};
    LblLname.Caption = QStringLiteral("โฉนด");
    LblLname.ForeColor = kDarkBlue;
    LblClose.Geometry = {312, 16, 17, 17};
    LblClose.Caption = QStringLiteral("X");
    LblClose.ForeColor = kRed;
    ImgOLocate.Geometry = {8, 48, 96, 96};
    ImgOLocate.Strip = IllustrationStrip;
    ImgOLocate.Visible = false;  // nothing to show before a square is drawn
    LblLabel.Geometry = {8, 152, 96, 17};
    LblLabel.Caption = QStringLiteral("สิ่งปลูกสร้าง");
    for (DeedPanelBox& panel : PicOpad) panel.Geometry = kPanel;

    layRows(LblLand, LblVariable,
            {u"ค่าเช่าที่ดิน", u"พร้อมบ้าน 1 หลัง", u"พร้อมบ้าน 2 หลัง", u"พร้อมบ้าน 3 หลัง", u"พร้อมบ้าน 4 หลัง",
             u"กับโรงแรม", u"บ้านหลังละ", u"โรงแรม"},
            21);
    // The second line is long: the pair panel gives it two rows.
    LblPair[0].Geometry = leftCell(0, 21);
    LblPair[0].Caption = QStringLiteral("ค่าเช่าที่ดิน");
    Lblv3[0].Geometry = rightCell(0, 21);
    LblPair[1].Geometry = {kPanel.Left + 4, kPanel.Top + 4 + 21, 146, 42};
    LblPair[1].Caption = QStringLiteral("ถ้าเป็นเจ้าของทั้งปะปาและไฟฟ้า");
    Lblv3[1].Geometry = {kPanel.Left + 148, kPanel.Top + 4 + 21, 66, 42};
    layRows(LblHotel, LblVriable2,
            {u"ที่ดิน", u"ถ้าเป็นเจ้าของ ร.ร. 2 แห่ง", u"ถ้าเป็นเจ้าของ ร.ร. 3 แห่ง",
             u"ถ้าเป็นเจ้าของ ร.ร. 4 แห่ง", u"ถ้าเป็นเจ้าของ ร.ร. 5 แห่ง"},
            21);
    LblOcard1[0].Geometry = {kPanel.Left + 4, kPanel.Top + 8, kPanel.Width - 8, 25};
    LblOcard1[1].Geometry = {kPanel.Left + 4, kPanel.Top + 36, kPanel.Width - 8, 25};
}

void DeedCardWindow::hidePanels() {
    for (DeedPanelBox& panel : PicOpad) panel.Visible = false;
}

void DeedCardWindow::draw(const GameState& state, Integer squareNumber,
                          const std::function<QString(Currency)>& money) {
    hidePanels();
    if (!state.NewBoard || !state.Squares.inBounds(squareNumber))
        return;
    const Square& sq = state.Squares(squareNumber);
    LblLname.Caption = sq.Name.trimmed();
    LblLabel.Caption = QStringLiteral("ผู้ถือหุ้น");
    ImgOLocate.Cell = static_cast<Integer>(squareNumber - 1);
    ImgOLocate.Visible = true;

    const auto text = [this](const QString& first, const QString& second) {
        LblOcard1[0].Caption = first;
        LblOcard1[1].Caption = second;
        PicOpad[TextPanel].Visible = true;
    };
    switch (sq.Kind) {
        case Start:
            text(QStringLiteral("จุดเริ่มต้น"), QStringLiteral("ได้รับเงิน ") + money(sq.Price));
            break;
        case Land:
            for (int r = 1; r <= 6; ++r)
                LblVariable[static_cast<std::size_t>(r - 1)].Caption = money(sq.Rent(r));
            LblVariable[6].Caption = money(sq.HouseCost);
            LblVariable[7].Caption = money(sq.HotelCost);
            PicOpad[LandPanel].Visible = true;
            break;
        case HotelSite:
            for (int r = 1; r <= 5; ++r)
                LblVriable2[static_cast<std::size_t>(r - 1)].Caption = money(sq.Rent(r));
            PicOpad[HotelPanel].Visible = true;
            break;
        case PairSite:
            Lblv3[0].Caption = money(sq.Rent(1));
            Lblv3[1].Caption = money(sq.Rent(2));
            PicOpad[PairPanel].Visible = true;
            break;
        case TreasureCard:
            text(QStringLiteral("บัตรทรัพย์สมบัติ"), QString());
            break;
        case FortuneCard:
            text(QStringLiteral("บัตรโชคชะตา"), QString());
            break;
        case Jail:
            text(QStringLiteral("เข้าคุก"), QStringLiteral("หยุดเดิน 1 ครั้ง"));
            break;
        case Rest:
            text(QStringLiteral("หยุดพัก"), QStringLiteral("หยุดเดิน 1 ครั้ง"));
            break;
        case GoToJail:
            // The landing charges the square's own price, so the card tells that amount.
            text(QStringLiteral("ไปเข้าคุก"),
                 QStringLiteral("จ่าย ") + money(sq.Price) + QStringLiteral(" และหยุดเดิน 1 ครั้ง"));
            break;
        case Tax:
            text(QStringLiteral("ภาษี"), QStringLiteral("จ่าย ") + money(sq.Price));
            break;
        default:
            break;
    }
}

// The card and the mouse stay within reach (kPlaceReachX, kPlaceReachY), so that every moment
// of the game is one a save can hold.
void DeedCardWindow::LblLname_MouseMove(int button, int x, int y) {
    if (button != kLeftButton) {
        LblLname_MouseUp(button, x, y);
        return;
    }
    Geometry.Left = std::clamp(Geometry.Left + x - DragX, -kPlaceReachX, kPlaceReachX);
    Geometry.Top = std::clamp(Geometry.Top + y - DragY, -kPlaceReachY, kPlaceReachY);
}

void DeedCardWindow::LblLname_MouseUp(int, int x, int y) {
    DragX = std::clamp(x, -kPlaceReachX, kPlaceReachX);
    DragY = std::clamp(y, -kPlaceReachY, kPlaceReachY);
}

}  // namespace kroda
