#pragma once
// One game: its state, the game window's controls, its four timers, its random generator and
// the port to the platform. The procedures of every subsystem are members of this object and
// are defined in the subsystem's own folder; they never touch a widget or a clock.

#include "dice/random.h"
#include "model/controls.h"
#include "model/game_state.h"
#include "model/platform_port.h"
#include "sequencer/timers.h"

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
    Timers timers;
    Random random;
    PlatformPort& port;
    ScriptedChoices scripted;
    // Called when a narrator message has been typed out completely, before the step's
    // completion work runs: the step (TalkStep) and the whole message.
    std::function<void(Integer step, const QString& message)> narrationComplete;

    const QString& appFolder() const { return appFolder_; }
    // The resource folders the title screen sets, from the application folder.
    void setFolders(bool depth256);

    // Runs the tick of one timer.
    void fire(TimerId id);

    // The game window's loading: lays out the controls, reads the board, fills the player
    // panels and starts the sequencer at step 1. Throws BoardLoadError for a bad board.
    void Form_Load();
    void SaveGame() {}

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
    void HouseCreate(Integer position, Integer mode);
    void LocateCheck(Integer n);
    QString OwnerCheck(Integer n);
    void GameOver(Integer& player);

    // The card window: opened modally by the landing rules, closed by a key or a mouse press.
    void FrmCard_Load();
    void FrmCard_KeyDown(int keyCode, int shift);
    void TxtCrd_MouseDown(int button, int shift, int x, int y);
    void FrmCard_Unload();

    // Computer player.
    void CPControl();

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

  private:
    QString appFolder_;
};

}  // namespace kroda
