#pragma once
// One game on screen: the game state a front end prepared (or a save), the game window and
// the windows it opens, the real clock and the real port. The title screen's hand-over
// starts one. It writes the autosave at the start of every turn and the toolbar's saves.

#include "game/game.h"
#include "widgets/game_windows.h"
#include "widgets/picture_cache.h"
#include "widgets/real_clock.h"
#include "widgets/real_port.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace kroda::widgets {

struct SessionOptions {
    bool narration = false;   // print each completed message on stdout
    double speed = 1.0;       // every game timer this many times faster
    int scale = 1;            // every window enlarged this many times
    QString boardDir;         // a board folder of its own, or empty for the game folder's
    bool fullScreen = false;  // the game window opens full screen
    // Told of the speed button's and F11's choices, to remember them for the next game.
    std::function<void(double)> speedChosen;
    std::function<void(bool)> fullScreenChosen;
};

// Reads the board of `options.boardDir` (or nothing when it is empty) and returns the reader's
// message when it cannot be played.
std::optional<QString> checkBoard(const QString& boardDir, bool bankruptCardOn);

class GameSession : public QObject {
    Q_OBJECT
  public:
    GameSession(const QString& appFolder, const SessionOptions& options, QObject* parent = nullptr);
    ~GameSession() override;

    // The game state before the start, for the front end to fill as the wizard does.
    Game& game() { return *game_; }
    RealPort& port() { return port_; }
    RealClock* clock() { return clock_.get(); }
    FrmGame* gameWindow() { return windows_.gameWindow(); }
    FrmCard* cardWindow() { return windows_.cardWindow(); }
    FrmOCard* deedCardWindow() { return windows_.deedCardWindow(); }
    // The toolbar's save dialog while it is open.
    QWidget* saveDialog() const { return saveDialog_; }

    // Loads the game window (Form_Load), shows it placed on the screen and starts the clock.
    // A board that cannot be read is reported in a message box and on stderr; the result is
    // then false and no window stays open. `backdrop` is closed when the game window
    // activates.
    bool start(QWidget* backdrop = nullptr);

    // Puts the game saved in `path` into the game and a clock of its own, instead of
    // Form_Load. A bad file returns "FILE: what is wrong" and leaves the game as it was.
    std::optional<QString> loadSave(const QString& path);
    // After loadSave: shows the game window at the saved moment and starts the clock.
    void resume(QWidget* backdrop = nullptr);
    // The board the next start plays instead of reading one: the board of a save.
    void playBoard(const LoadedBoard& board);

    // Runs an input on the game at the real instant and shows what changed.
    void deliver(const std::function<void(Game&)>& input);

    // Whether message boxes are shown (tests turn them off).
    bool interactive = true;

  private:
    // A save dialog asked for by the toolbar, waiting for the event to be over.
    struct SaveRequest {
        QString title, filter, folder;
    };

    void openWindow(QWidget* backdrop);
    std::unique_ptr<RealClock> makeClock();
    void watchNarration();
    void settled();
    void askWhereToSave(const SaveRequest& request);
    void saveChosen(const QString& file, const QByteArray& bytes);
    void engineChanged();
    void showDeedCard();
    void printNarration(Integer step, const QString& message);
    void changeSpeed();

    SessionOptions options_;
    RealPort port_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<RealClock> clock_;
    PictureCache pictures_;
    GameWindows windows_;
    QPointer<QWidget> saveDialog_;
    std::optional<SaveRequest> saveRequest_;
    bool autosaveDue_ = false;
    bool autosaveRemoved_ = false;
};

}  // namespace kroda::widgets
