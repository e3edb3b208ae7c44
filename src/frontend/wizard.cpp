#include "frontend/wizard.h"

#include "frontend/title_screen.h"
#include "game/save_game.h"
#include "model/codes.h"
#include "model/game_files.h"
#include "model/seat_defaults.h"

#include <cstddef>

namespace kroda {

namespace {

const ImageButtonStyle kWizardStyle{MiniButtons, 368};
constexpr Long kYellow = 0x00FFFF;
constexpr Long kBlack = 0x000000;
constexpr Long kGrey = 0x808080;

QString trimSpaces(const QString& s) {
    return Text<12>::trimBlanks(s);
}

const SeatDefaults& seat(int player) {
    return seatDefaults().at(static_cast<std::size_t>(player - 1));
}

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// Which player a controller or name page belongs to.
int playerOfStep(Integer step) {
    return step / 2 - (step % 2 == 0 ? 1 : 0);
}

void layOut(WizardWindow& w) {
    w.Caption = QStringLiteral("Player Wizard");
    w.Geometry = {0, 0, 480, 400};
    for (Panel& p : w.PicPad) p = {{96, 88, 361, 257}, false};
    w.PicPad[BoardPanel].Visible = true;

    const char16_t* questions[7] = {
        u"คุณต้องการเล่นกระดานไหน?",
        u"คุณต้องการกำหนดอะไรบ้าง?",
        u"คุณต้องการเล่นกี่คน?",
        u"ผู้ควบคุม",
        u"คีย์ของคุณ:",
        u"",
        u"การตั้งกระดานและผู้เล่นเสร็จสมบูรณ์",
    };
    for (int i = 0; i < 7; ++i) {
        w.LblQuest[at(i)] = {
            {112, 104, 329, 25}, QString::fromUtf16(questions[i]), kBlack, 0xFFFFFF, true};
    }
    w.LblQuest[PersonNamePanel].Geometry = {112, 152, 329, 25};
    w.LblQuest[ComputerNamePanel].Visible = false;

    w.LblCaption[1] = {{64, 40, 401, 36}, QString(), kGrey, kGrey, true};
    w.LblCaption[0] = {{56, 32, 401, 36}, QString(), kBlack, kYellow, true};
    w.ShpBlock = {{16, 24, 73, 321}, kYellow, true, true};

    const int buttonLefts[4] = {304, 344, 392, 432};
    const char16_t* hovers[4] = {u"คำอธิบาย", u"ปิด", u"กลับ", u"ถัดไป"};
    for (int i = 0; i < 4; ++i) {
        ImageButton& b = w.ImgButtonW[at(i)];
        b.Button.Geometry = {buttonLefts[i], 360, 32, 32};
        b.Button.Strip = MiniButtons;
        b.Icon.Geometry = {buttonLefts[i] + 8, 368, 16, 16};
        b.Text.Visible = false;
        b.HoverText = QString::fromUtf16(hovers[i]);
    }
    w.ImgButtonW[DescriptionButton].Button.Visible = false;
    w.ImgButtonW[DescriptionButton].Icon.Visible = false;
    w.LblDescriptW = {
        {104, 360, 225, 25}, QStringLiteral("โปรดชี้ที่ปุ่มข้าง ๆ นี้"), kBlack, 0xFFFFFF, true};

    w.Opt1[0] = {{136, 152, 297, 25}, QStringLiteral("กระดานใหม่"), true, true};
    w.Opt1[1] = {{136, 184, 297, 25}, QStringLiteral("อ่านค่าการตั้งกระดานจากบันทึกเกม"), false, true};
    w.Check1 = {{136, 152, 297, 25}, QStringLiteral("ให้มีบัตร \"ล้มละลาย\""), true, true};
    for (int k = 0; k < 3; ++k)
        w.Opt2[at(k)] = {
            {136, 152 + 32 * k, 297, 25}, QStringLiteral("เล่น %1 คน").arg(k + 2), k == 0, true};
    w.Opt3[0] = {{136, 152, 297, 25}, QStringLiteral("คน"), true, true};
    w.Opt3[1] = {{136, 184, 297, 25}, QStringLiteral("คอมพิวเตอร์"), false, true};
    // The strong computer stands beside the designed one, the network player last.
    w.Opt3[3] = {{136, 216, 297, 25}, QStringLiteral("คอมพิวเตอร์ฝีมือดี"), false, true};
    w.Opt3[2] = {{136, 248, 297, 25}, QStringLiteral("ผู้เล่นทางเครือข่าย"), false, true};

    for (int box = 0; box < 2; ++box) {
        w.LblNameTitle[at(box)] = {
            {112, 112, 57, 25}, QStringLiteral("ชื่อ:"), kBlack, 0xFFFFFF, true};
        w.TxtName[at(box)].Box.Geometry = {176, 112, 193, 25};
    }
    w.LblKeyTitle = w.LblQuest[PersonNamePanel];
    const char16_t* keys[3] = {u"โยนซ้าย/ตกลงซื้อ/ลด -", u"โยนคู่/ดูโฉนด/ตกลง -", u"โยนขวา/ไม่ซื้อ/เพิ่ม -"};
    for (int k = 0; k < 3; ++k) {
        w.LblKey[at(k)] = {
            {112, 192 + 32 * k, 209, 25}, QString::fromUtf16(keys[k]), kBlack, 0xFFFFFF, true};
        w.LblKey2[at(k)] = {{328, 192 + 32 * k, 121, 25}, QString(), 0x800000, 0xFFFFFF, true};
    }
}

}  // namespace

Wizard::Wizard(GameState& state, const QString& appFolder, int screenWidth, int screenHeight)
    : state_(state),
      appFolder_(appFolder),
      buttons_(window.ImgButtonW, kWizardStyle, &window.LblDescriptW) {
    layOut(window);
    centreWindow(window.Geometry, {screenWidth, screenHeight});
    window.Picture = state_.CommonFolder + QStringLiteral("Wizard.bmp");
    for (int p = 1; p <= 4; ++p) state_.Players(p).Name = QStringLiteral("ผู้เล่น:%1").arg(p);
    setBand(0);
}

int Wizard::shownPanel() const {
    for (int i = 6; i >= 0; --i)
        if (window.PicPad[at(i)].Visible)
            return i;
    return -1;
}

void Wizard::setBand(int player) {
    Label& bar = window.LblCaption[0];
    if (player == 0) {
        bar.Caption = QStringLiteral(" ตั้งกระดาน");
        bar.BackColor = kYellow;
        bar.ForeColor = kBlack;
    } else {
        bar.Caption = QStringLiteral(" ตั้งผู้เล่น:%1").arg(player);
        bar.BackColor = seat(player).BandColor;
        bar.ForeColor = seat(player).BandTextColor;
    }
    window.ShpBlock.FillColor = bar.BackColor;
}

void Wizard::setCompletionBand() {
    Label& bar = window.LblCaption[0];
    bar.Caption = QStringLiteral(" เสร็จสมบูรณ์");
    bar.BackColor = kYellow;
    bar.ForeColor = kBlack;
    window.ShpBlock.FillColor = kYellow;
}

void Wizard::openNamePage(int player) {
    const Player& p = state_.Players(player);
    // A network player's page asks only for the name: his keys are on his own machine.
    if (p.IsHuman && !networkSeat_[static_cast<std::size_t>(player - 1)]) {
        window.PicPad[PersonNamePanel].Visible = true;
        for (int k = 0; k < 3; ++k)
            window.LblKey2[at(k)].Caption = QString::fromUtf16(seat(player).KeyCaption[at(k)]);
        window.TxtName[0].Box.Text = p.Name.trimmed();
    } else {
        window.PicPad[ComputerNamePanel].Visible = true;
        window.TxtName[1].Box.Text = p.Name.trimmed();
    }
}

void Wizard::PostWizard(Integer direction) {
    if (outcome_ != WizardOutcome::Open)
        return;
    Integer& step = state_.WizardStep;
    auto& pad = window.PicPad;
    if (direction == Next) {
        if (step == BoardPage) {
            if (window.Opt1[1].Value) {
                // The options page opens when the dialog answers with a good save.
                if (!askingForSave_ && askSavedGame) {
                    askingForSave_ = true;
                    askSavedGame();
                }
                return;
            }
            if (!window.Opt1[0].Value)
                return;
            savedBoard_.reset();
            window.Check1.Enabled = true;
            state_.NewBoard = true;
            state_.Config.ConfigPath = boardFile(appFolder_);
            pad[OptionsPanel].Visible = true;
            step = OptionsPage;
        } else if (step == OptionsPage) {
            // Each Next takes the box as it is now, so that unticking it after going back
            // leaves the card out.
            state_.BankruptCardOn = window.Check1.Value;
            pad[PlayerCountPanel].Visible = true;
            step = PlayerCountPage;
        } else if (step == PlayerCountPage) {
            state_.PlayerCount = 2;
            for (int k = 0; k < 3; ++k)
                if (window.Opt2[at(k)].Value)
                    state_.PlayerCount = static_cast<Integer>(k + 2);
            setBand(1);
            pad[ControllerPanel].Visible = true;
            step = FirstControllerPage;
        } else if (step >= 3 && step <= 10 && step % 2 == 1) {
            const int p = playerOfStep(step);
            Player& player = state_.Players(p);
            networkSeat_[static_cast<std::size_t>(p - 1)] = window.Opt3[2].Value;
            player.IsHuman = window.Opt3[0].Value || window.Opt3[2].Value;
            player.Strong = window.Opt3[3].Value;
            openNamePage(p);
            player.Color = seat(p).Color;
            ++step;
        } else if (step >= 4 && step <= 10) {
            const int p = playerOfStep(step);
            Player& player = state_.Players(p);
            const bool keysHere = player.IsHuman && !networkSeat_[static_cast<std::size_t>(p - 1)];
            const QString& text = window.TxtName[keysHere ? 0 : 1].Box.Text;
            if (text.isEmpty() || text.front() == QLatin1Char(' '))
                return;
            const Controller who = player.IsHuman  ? Controller::Person
                                   : player.Strong ? Controller::StrongComputer
                                                   : Controller::Computer;
            setUpSeat(state_, p, who, trimSpaces(text));  // the field keeps 12
            if (p == state_.PlayerCount) {
                setCompletionBand();
                if (p == 4) {
                    pad[PersonNamePanel].Visible = false;
                    pad[ComputerNamePanel].Visible = false;
                }
                pad[CompletionPanel].Visible = true;
                step = CompletionPage;
            } else {
                setBand(p + 1);
                pad[PersonNamePanel].Visible = false;
                pad[ComputerNamePanel].Visible = false;
                step = static_cast<Integer>(2 * p + 3);
            }
        } else if (step == CompletionPage) {
            handOver();
        }
        return;
    }

    if (step == BoardPage) {
        close();
    } else if (step == OptionsPage) {
        pad[OptionsPanel].Visible = false;
        step = BoardPage;
    } else if (step == PlayerCountPage) {
        pad[PlayerCountPanel].Visible = false;
        step = OptionsPage;
    } else if (step == FirstControllerPage) {
        setBand(0);
        pad[ControllerPanel].Visible = false;
        step = PlayerCountPage;
    } else if (step >= 4 && step <= 10 && step % 2 == 0) {
        const int p = playerOfStep(step);
        const bool human = state_.Players(p).IsHuman;
        const bool network = networkSeat_[static_cast<std::size_t>(p - 1)];
        const bool strong = !human && state_.Players(p).Strong;
        window.Opt3[0].Value = human && !network;
        window.Opt3[1].Value = !human && !strong;
        window.Opt3[2].Value = network;
        window.Opt3[3].Value = strong;
        pad[PersonNamePanel].Visible = false;
        pad[ComputerNamePanel].Visible = false;
        step = static_cast<Integer>(2 * p + 1);
    } else if (step >= 5 && step <= 9) {
        const int p = playerOfStep(step);
        setBand(p - 1);
        openNamePage(p - 1);
        step = static_cast<Integer>(2 * (p - 1) + 2);
    } else if (step == CompletionPage) {
        const int p = state_.PlayerCount;
        setBand(p);
        openNamePage(p);
        pad[CompletionPanel].Visible = false;
        step = static_cast<Integer>(2 * p + 2);
    }
}

void Wizard::savedGameChosen(const QString& file) {
    if (!askingForSave_)
        return;
    askingForSave_ = false;
    if (file.isEmpty() || outcome_ != WizardOutcome::Open || state_.WizardStep != BoardPage)
        return;
    QString error;
    std::optional<SavedBoard> saved = readSavedBoard(file, appFolder_, error);
    if (!saved) {
        if (refused)
            refused(error);
        return;
    }
    savedBoard_ = std::move(saved->board);
    state_.NewBoard = true;
    state_.Config.ConfigPath = file;
    // The bankrupt card is in the saved decks or not: the box shows which, and stays so.
    window.Check1.Value = saved->bankruptCardOn;
    window.Check1.Enabled = false;
    window.PicPad[OptionsPanel].Visible = true;
    state_.WizardStep = OptionsPage;
}

void Wizard::close() {
    state_.WizardStep = BoardPage;
    outcome_ = WizardOutcome::Closed;
    if (finished)
        finished(outcome_);
}

void Wizard::handOver() {
    outcome_ = WizardOutcome::HandedOver;
    if (finished)
        finished(outcome_);
}

void Wizard::Form_Unload() {
    // Closed by the window system rather than a button: as Close, so that the next wizard
    // starts on the board page with the step it shows.
    if (outcome_ == WizardOutcome::Open)
        close();
}

void Wizard::ImgButtonW_MouseDown(int index) {
    if (index <= DescriptionButton || index > NextButton || outcome_ != WizardOutcome::Open ||
        askingForSave_)
        return;
    if (click_.busy() || !buttons_.mouseDown(index))
        return;
    click_.run(playClick, clickSound(appFolder_), [this, index] { runButton(index); });
}

void Wizard::ImgButtonW_MouseMove(int index, bool held) {
    if (index <= DescriptionButton || index > NextButton)
        return;
    buttons_.mouseMove(index, held);
}

void Wizard::ImgButtonW_MouseUp(int index) {
    if (index <= DescriptionButton || index > NextButton)
        return;
    buttons_.mouseUp(index);
}

void Wizard::runButton(int index) {
    if (outcome_ != WizardOutcome::Open)
        return;
    if (index == CloseButton)
        close();
    else if (index == BackButton)
        PostWizard(Back);
    else if (index == NextButton)
        PostWizard(Next);
}

void Wizard::keyPressed(int keyCode) {
    const int index = keyCode == EnterKey ? NextButton : keyCode == EscapeKey ? CloseButton : -1;
    if (index < 0)
        return;
    ImgButtonW_MouseDown(index);
    ImgButtonW_MouseUp(index);
}

void Wizard::selectOption1(int index) {
    if (index < 0 || index > 1 || !window.Opt1[at(index)].Visible)
        return;
    for (int k = 0; k < 2; ++k) window.Opt1[at(k)].Value = k == index;
}

void Wizard::selectOption2(int index) {
    if (index < 0 || index > 2)
        return;
    for (int k = 0; k < 3; ++k) window.Opt2[at(k)].Value = k == index;
}

void Wizard::selectOption3(int index) {
    if (index < 0 || index > 3)
        return;
    for (int k = 0; k < 4; ++k) window.Opt3[at(k)].Value = k == index;
}

QList<int> Wizard::networkSeats() const {
    QList<int> seats;
    for (int p = 1; p <= state_.PlayerCount; ++p)
        if (networkSeat_[static_cast<std::size_t>(p - 1)] && state_.Players(p).IsHuman)
            seats << p;
    return seats;
}

void Wizard::setCheck1(bool ticked) {
    if (!window.Check1.Enabled)
        return;
    window.Check1.Value = ticked;
}

void Wizard::setName(int box, const QString& text) {
    if (box < 0 || box > 1)
        return;
    NameBox& name = window.TxtName[at(box)];
    name.Box.Text = text.left(name.MaxLength);
    name.Box.SelStart = static_cast<int>(name.Box.Text.size());
    name.SelLength = 0;
}

void Wizard::TxtName_GotFocus(int box) {
    if (box < 0 || box > 1)
        return;
    NameBox& name = window.TxtName[at(box)];
    name.Box.SelStart = 0;
    name.SelLength = static_cast<int>(name.Box.Text.size());
}

}  // namespace kroda
