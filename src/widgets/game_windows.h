#pragma once
// The windows of one game on screen: the game window, and the card window and the deed card
// opened and closed as the game's state says. They draw a game they only read and send what
// the user does to one input sink, so the same windows serve a local game and a network
// client's copy of the host's.

#include "widgets/frm_card.h"
#include "widgets/frm_game.h"
#include "widgets/frm_ocard.h"
#include "widgets/input_sink.h"
#include "widgets/picture_cache.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <optional>

namespace kroda::widgets {

class GameWindows : public QObject {
    Q_OBJECT
  public:
    GameWindows(const Game& game, PictureCache& pictures, int scale, InputSink input,
                QObject* parent = nullptr);
    ~GameWindows() override;

    // Shows the game window placed on the screen, or full screen; `backdrop` is closed when
    // it activates.
    void open(QWidget* backdrop, bool fullScreen = false);
    // Repaints, and opens or closes the card window and the deed card as the state says.
    void sync();
    // Brings the deed card's window to the front, when it is open.
    void raiseDeedCard();

    FrmGame* gameWindow() const { return frmGame_; }
    FrmCard* cardWindow() const { return frmCard_; }
    FrmOCard* deedCardWindow() const { return frmOCard_; }

    // The game window was closed (from its frame, or by its owner).
    std::function<void()> closed;

  private:
    void syncCardWindow();
    void syncDeedCard();

    const Game& game_;
    PictureCache& pictures_;
    int scale_;
    InputSink input_;
    QPointer<FrmGame> frmGame_;
    QPointer<FrmCard> frmCard_;
    QPointer<FrmOCard> frmOCard_;
    QPointer<QWidget> backdrop_;
};

// Loads every picture the game window and its deed card show, before anything is shown;
// the first that is missing or unreadable is named with what is wrong with it.
std::optional<QString> loadWindowPictures(PictureCache& pictures, const Game& game);

// Places a window with anchor mode 5 on the primary screen.
void centreOnScreen(QWidget& window);

}  // namespace kroda::widgets
