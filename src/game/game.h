#pragma once
// One game: its state, the game window's controls, its four timers, its random generator and
// the port to the platform. The procedures of every subsystem are members of this object and
// are defined in the subsystem's own folder, where each file keeps its own helpers; they
// never touch a widget or a clock.

#include "deedcard/deed_card.h"
#include "dice/random.h"
#include "model/board_reader.h"
#include "model/game_state.h"
#include "platform/platform_port.h"
#include "rules/payment_ledger.h"
#include "screen/controls.h"
#include "screen/currency_format.h"
#include "sequencer/message_cache.h"
#include "sequencer/timers.h"

#include <QLocale>
#include <QString>

#include <deque>
#include <functional>

namespace kroda {

enum class OfferAnswer { Yes, No, WrongKey };

// Choices a script may fix in advance: the next die values and computer answers.
struct ScriptedChoices {
    std::deque<Integer> dice;
    std::deque<OfferAnswer> answers;
};

class Game {
  public:
    Game(PlatformPort& port, const QString& appFolder);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    GameState state;
    GameWindow window;
    DeedCardWindow FrmOCard;  // the deed card, while it is open
    SourceWindow FrmSource;
    Timers timers;
    Random random;
    PlatformPort& port;
    ScriptedChoices scripted;
    // Every money movement of the game and every bankruptcy, with their causes.
    PaymentLedger ledger;
    // Called when a narrator message has been typed out completely, before the step's
    // completion work runs: the step (TalkStep) and the whole message.
    std::function<void(Integer step, const QString& message)> narrationComplete;
    // Called after every timer tick and every input event, when set: the invariant checker.
    std::function<void()> afterEvent;
    // Called when a turn starts (a person is asked to throw, or the computer's throw falls
    // due), from inside the tick: the moment to autosave once the event is over.
    std::function<void()> turnStarted;
    // Called whenever the game plays a sound, with the file's path: a host tells its clients.
    std::function<void(const QString& wavPath)> soundPlayed;
    // When set and true, this machine's keys and its clicks on the dice and the card are held
    // back: the seat that must act plays from the network.
    std::function<bool()> localPlayHeld;
    // Where MShow takes its currency format from; tests pin it.
    QLocale locale = QLocale::system();
    // How Form_Load reads the board; tests may put a board of their own in its place.
    std::function<BoardReadResult(const BoardLocation&, bool bankruptCardOn)> boardReader =
        readBoard;

    const QString& appFolder() const { return appFolder_; }
    // Moves the game to another application folder, before it is loaded; the resource
    // folders follow it.
    void setAppFolder(const QString& folder);
    // The resource folders the title screen sets, from the application folder.
    void setFolders(bool depth256);

    // The two ways events enter the game, each followed by afterEvent: the tick of one timer,
    // and an input (a key, a click, a drag, an answer of the platform) run on the game.
    void fire(TimerId id);
    void handle(const std::function<void(Game&)>& input);

    // The winner has been named and the sequencer has stopped for good.
    bool isOver() const { return state.TalkStep == Winner && !timers.TimerTalk.Enabled(); }
    // The game stands still until a person throws or answers an offer.
    bool awaitsPerson() const;
    bool cardOpen() const { return window.FrmCard.Visible; }

    // The game window's loading: reads the board, loads the pictures, fills the player
    // panels and starts the sequencer at step 1. Throws BoardLoadError for a bad board. The
    // controls have their designed places from construction on.
    void Form_Load();
    void SaveGame() {}
    // After a saved moment has been put in place: forgets what was typed before it and
    // opens the saved music again when it was playing.
    void resumeSaved(bool musicPlaying);

    // Turn sequencer and narration.
    void TimerTalk_Timer();
    void TimeDelay_Timer();
    void Talk(const QString& text, Integer& pos);
    void TxtDialog_KeyDown(int keyCode, int shift);
    void NextQ();

    // Dice and movement.
    Integer TaoCal(Integer n);
    void TaoList(Integer face1, Integer face2);
    void TaoProc(Integer code, Integer source);
    void ResolveThrow();
    void AnimateTimer_Timer();
    void Animate(Integer pattern);
    void PutTao(Integer player, Integer square, Integer place);

    // Landing rules.
    void ActionCheck(Integer& player, Integer mode);
    QString PriceCheck(Integer position);
    void OpenOffer(Integer player);
    void AcceptPurchase(Integer player);
    void CloseOffer(Integer player, OfferAnswer answer);
    // The current player's answer to the open offer, from his keys, the dice pictures or
    // the computer: a yes buys, then the offer closes.
    void answerOffer(OfferAnswer answer);
    void HouseCreate(Integer position, Integer mode);
    void LocateCheck(Integer n);
    QString OwnerCheck(Integer n);
    void GameOver(Integer& player);

    // The card window: opened modally by the landing rules, closed by a key or a mouse press.
    void FrmCard_Load();
    void FrmCard_KeyDown(int keyCode, int shift);
    void TxtCrd_MouseDown(int button, int shift, int x, int y);
    void FrmCard_Unload();

    // The deed card window of ViewedSquare, modeless: loaded on a screen of the given size
    // (it centres itself), drawn again on every activation, closed by its "X".
    void FrmOCard_Load(int screenWidth, int screenHeight);
    void FrmOCard_Activate();
    void LblClose_Click();

    // Computer player.
    void CPControl();
    // The computer takes over a seat a person played; if the game was waiting on that seat,
    // the computer acts as it would have.
    void handToComputer(Integer player);

    // Status displays.
    void CFace(Integer player, Integer face);
    QString MShow(Currency amount) const;
    void TimerMM_Timer();

    // Player commands.
    // A key press as the window system delivers it: to the card window while it is open,
    // otherwise to Form_KeyDown while key preview is on, then to the narration box.
    void keyPressed(int keyCode, int shift);
    void Form_KeyDown(int keyCode, int shift);
    void ImgTao_Click(int index);
    void ImgDescripter_Click();
    void ImgTable_Click(int index);
    void ImgIconT_MouseDown(int index, int button, int shift, int x, int y);
    void ImgIconT_MouseMove(int index, int button, int shift, int x, int y);
    void ImgIconT_MouseUp(int index, int button, int shift, int x, int y);

    // Shared by the procedures of several rooms.
    // The port's playSound, told to soundPlayed.
    void playSound(const QString& wavPath, SoundMode mode, std::function<void()> finished = {});
    static QString greetingText();
    void Pause();
    void narratorAtRest();
    void hurryNarrator();
    void throwInputsOff();
    // The one way money moves: between two seats or a seat and the bank (kBank), entered in
    // the ledger. Labels are left to the caller, whose order of showing the rules fix.
    void transfer(Integer payer, Integer payee, Currency amount, PaymentCause cause);
    Currency amountOf(Integer position) const;
    void refreshMoney(Integer player);
    Integer winner() const;
    // A piece that cannot be played: the toolbar says so and the game goes on without music.
    void musicRefused();
    void layOutWindow();

  private:
    // Calls afterEvent when an event returns, however it returns.
    struct EventScope {
        Game& game;
        ~EventScope() {
            if (game.afterEvent)
                game.afterEvent();
        }
    };

    QString appFolder_;
    MessageCache message_;
    TypedMessage typed_;
    mutable CurrencyFormats currencyFormats_;
};

}  // namespace kroda
