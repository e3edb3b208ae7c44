// The loading of the game window: the board, the pictures of the source window, the player
// panels, and the sequencer set to its first step.
#include "game/game.h"

#include <QStringBuilder>

namespace kroda {

void Game::Form_Load() {
    ledger.clear();
    window.Caption = QStringLiteral("เกมKroda 2.0 Final");
    window.Picture = state.CommonFolder + QStringLiteral("Game.bmp");

    if (state.NewBoard) {
        window.ImgCenter.Strip = -1;
        window.ImgCenter.File = state.ImageFolder + QStringLiteral("CBlock.bmp");
        const QString configPath = state.Config.ConfigPath.trimmed();
        const BoardReadResult result = boardReader(
            BoardLocation{configPath, appFolder_, state.ImageFolder}, state.BankruptCardOn);
        if (result.hasErrors() || !result.board) {
            const QString text = result.errorText();
            throw BoardLoadError(
                text.isEmpty() ? configPath + QStringLiteral(": the board cannot be read") : text);
        }
        if (!result.board->markOk)
            port.beep();
        installBoard(*result.board);
    }

    for (Image& square : window.ImgTable) square.HandPointer = window.ImgDescripter.HandPointer;

    const char16_t* strips[5] = {u"Yelface.bmp", u"Redface.bmp", u"Grnface.bmp", u"Whiface.bmp",
                                 u"Bluface.bmp"};
    for (int h = 0; h < 5; ++h)
        FrmSource.PicCSource[NarratorStrip + h].File =
            state.ImageFolder + QString::fromUtf16(strips[h]);
    narratorAtRest();

    fillPlayerPanels();
    LocateCheck(1);

    FrmSource.PicCSource[DiceStrip].File = state.CommonFolder + QStringLiteral("Tao.bmp");
    window.ImgTao[0].Strip = DiceStrip;
    window.ImgTao[0].Cell = 0;
    window.ImgTao[1].Strip = DiceStrip;
    window.ImgTao[1].Cell = 4;

    state.TalkLen = static_cast<Integer>(greetingText().size());
    state.BlinkFlag = 0;
    state.TalkStep = Greeting;
}

void Game::installBoard(const LoadedBoard& board) {
    GameConfig& c = state.Config;
    c.Deck1File = board.Config.Deck1File.raw();
    c.Deck2File = board.Config.Deck2File.raw();
    c.StripFile1 = board.Config.StripFile1.raw();
    c.StripFile2 = board.Config.StripFile2.raw();
    c.StripFile3 = board.Config.StripFile3.raw();
    c.SpareItem = board.Config.SpareItem.raw();
    state.Deck1 = board.Deck1;
    state.Deck2 = board.Deck2;
    state.NextCard1 = 1;
    state.NextCard2 = 1;
    state.Squares = board.Squares;

    FrmSource.PicCSource[CornerStrip].File = board.CornerPicturePath;
    FrmSource.PicCSource[SideStrip].File = board.SidePicturePath;
    FrmSource.PicCSource[IllustrationStrip].File = board.IllustrationPicturePath;
    for (int i = 0; i < 40; ++i) {
        window.ImgTable[i].Strip = board.Pictures[i].Holder;
        window.ImgTable[i].Cell = board.Pictures[i].Cell;
    }

    FrmSource.PicCSource[HorizontalBlocks].File = state.ImageFolder + QStringLiteral("Hblocks.bmp");
    FrmSource.PicCSource[VerticalBlocks].File = state.ImageFolder + QStringLiteral("Vblocks.bmp");
    FrmSource.PicCSource[BuildingLevels].File = state.ImageFolder + QStringLiteral("Stblocks.bmp");
    for (int k = 0; k < 36; ++k) {
        const bool row = k <= 8 || (k >= 18 && k <= 26);
        const Integer strip = row ? HorizontalBlocks : VerticalBlocks;
        window.ImgHead[k].Strip = strip;
        window.ImgHead[k].Cell = 0;
        window.ImgBottom[k].Strip = strip;
        window.ImgBottom[k].Cell = 0;
    }
    window.ImgBuilding.Strip = BuildingLevels;
    window.ImgBuilding.Cell = 0;
}

void Game::fillPlayerPanels() {
    for (int p = 1; p <= 4; ++p) {
        if (p <= 2 || p <= state.PlayerCount) {
            window.ImgPlayer[p - 1].Strip = static_cast<Integer>(p + 3);
            window.ImgPlayer[p - 1].Cell = 0;
            window.LblPName[p - 1].Caption = state.Players(p).Name.trimmed();
            Player& P = state.Players(p);
            P.Money = Currency{};
            transfer(kBank, static_cast<Integer>(p), Currency::fromUnits(15000),
                     PaymentCause::OpeningMoney);
            refreshMoney(static_cast<Integer>(p));
        } else {
            window.LblPName[p - 1].Caption = QStringLiteral("ไม่มีผู้เล่น");
            window.ShpMark[p - 1].Visible = false;
        }
    }
}

QString Game::soundFile(const QString& name) const {
    return appFolder_ % QStringLiteral("/Sound/") % name;
}

}  // namespace kroda
