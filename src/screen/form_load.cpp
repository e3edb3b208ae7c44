// The loading of the game window: the board, the pictures of the source window, the player
// panels, and the sequencer set to its first step.
#include "game/game.h"

namespace kroda {

namespace {

void installBoard(Game& g, const LoadedBoard& board) {
    GameConfig& c = g.state.Config;
    c.Deck1File = board.Config.Deck1File.raw();
    c.Deck2File = board.Config.Deck2File.raw();
    c.StripFile1 = board.Config.StripFile1.raw();
    c.StripFile2 = board.Config.StripFile2.raw();
    c.StripFile3 = board.Config.StripFile3.raw();
    c.SpareItem = board.Config.SpareItem.raw();
    g.state.Deck1 = board.Deck1;
    g.state.Deck2 = board.Deck2;
    g.state.NextCard1 = 1;
    g.state.NextCard2 = 1;
    g.state.Squares = board.Squares;

    g.FrmSource.PicCSource[CornerStrip].File = board.CornerPicturePath;
    g.FrmSource.PicCSource[SideStrip].File = board.SidePicturePath;
    g.FrmSource.PicCSource[IllustrationStrip].File = board.IllustrationPicturePath;
    for (int i = 0; i < kSquareCount; ++i) {
        g.window.ImgTable[i].Strip = board.Pictures[i].Holder;
        g.window.ImgTable[i].Cell = board.Pictures[i].Cell;
    }

    g.FrmSource.PicCSource[HorizontalBlocks].File =
        g.state.ImageFolder + QStringLiteral("Hblocks.bmp");
    g.FrmSource.PicCSource[VerticalBlocks].File =
        g.state.ImageFolder + QStringLiteral("Vblocks.bmp");
    g.FrmSource.PicCSource[BuildingLevels].File =
        g.state.ImageFolder + QStringLiteral("Stblocks.bmp");
    for (int k = 0; k < 36; ++k) {
        const bool row = k <= 8 || (k >= 18 && k <= 26);
        const Integer strip = row ? HorizontalBlocks : VerticalBlocks;
        g.window.ImgHead[k].Strip = strip;
        g.window.ImgHead[k].Cell = 0;
        g.window.ImgBottom[k].Strip = strip;
        g.window.ImgBottom[k].Cell = 0;
    }
    g.window.ImgBuilding.Strip = BuildingLevels;
    g.window.ImgBuilding.Cell = 0;
}

void fillPlayerPanels(Game& g) {
    for (int p = 1; p <= 4; ++p) {
        if (p <= 2 || p <= g.state.PlayerCount) {
            g.window.ImgPlayer[p - 1].Strip = static_cast<Integer>(p + 3);
            g.window.ImgPlayer[p - 1].Cell = 0;
            g.window.LblPName[p - 1].Caption = g.state.Players(p).Name.trimmed();
            Player& P = g.state.Players(p);
            P.Money = Currency{};
            g.transfer(kBank, static_cast<Integer>(p), Currency::fromUnits(15000),
                       PaymentCause::OpeningMoney);
            g.refreshMoney(static_cast<Integer>(p));
        } else {
            g.window.LblPName[p - 1].Caption = QStringLiteral("ไม่มีผู้เล่น");
            g.window.ShpMark[p - 1].Visible = false;
        }
    }
}

}  // namespace

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
        installBoard(*this, *result.board);
    }

    for (Image& square : window.ImgTable) square.HandPointer = window.ImgDescripter.HandPointer;

    const char16_t* strips[5] = {u"Yelface.bmp", u"Redface.bmp", u"Grnface.bmp", u"Whiface.bmp",
                                 u"Bluface.bmp"};
    for (int h = 0; h < 5; ++h)
        FrmSource.PicCSource[NarratorStrip + h].File =
            state.ImageFolder + QString::fromUtf16(strips[h]);
    narratorAtRest();

    fillPlayerPanels(*this);
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

}  // namespace kroda
