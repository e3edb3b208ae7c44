#pragma once
// A network client on screen: the host's game, followed by a ClientSession, in the same
// windows local play uses, whose keys and clicks go to the host. Until the host's game window
// is up, a small window says the client is connecting, then shows the seats as they fill.
// Sounds play from this machine's game folder; narration lines are printed when asked. The
// toolbar stays here: the manual opens, quit leaves the game, music and save do nothing.

#include "network/client_session.h"
#include "widgets/game_windows.h"
#include "widgets/joining_window.h"
#include "widgets/picture_cache.h"
#include "widgets/sound_player.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace kroda::widgets {

struct ClientOptions {
    bool narration = false;  // print each narration line on stdout
    int scale = 1;
};

class ClientGame : public QObject {
    Q_OBJECT
  public:
    ClientGame(const QString& appFolder, const ClientOptions& options, QObject* parent = nullptr);
    ~ClientGame() override;

    // Joins the host; the game window opens once the host's game window has loaded.
    void join(const QUrl& url, const network::Hello& hello);

    network::ClientSession& session() { return session_; }
    GameWindows* windows() { return windows_.get(); }
    // The window shown while joining, until the game window is up.
    JoiningWindow* joiningWindow() const { return joining_; }

    // The game window is up.
    std::function<void()> started;
    // The game is over for this client: it left, or (once the message box naming the reason
    // has been answered) it was refused, found no host, lost the host, or received a moment
    // that does not load.
    std::function<void(const network::ClientEnding&)> ended;
    // The same ending, told at once, before any message box waits for its answer.
    std::function<void(const network::ClientEnding&)> told;
    // Whether message boxes are shown (tests turn them off).
    bool interactive = true;

  private:
    void start();
    void input(const WindowInput& input);
    void toolbar(const ToolbarMouse& press);
    void finish(const network::ClientEnding& ending);

    QString appFolder_;
    ClientOptions options_;
    network::ClientSession session_;
    PictureCache pictures_;
    SoundPlayer sound_;
    std::unique_ptr<GameWindows> windows_;
    QPointer<JoiningWindow> joining_;
};

}  // namespace kroda::widgets
