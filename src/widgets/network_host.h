#pragma once
// Hosting a game: the server listening, the waiting window until every network seat has
// joined (or the host starts at once), then the game window, with the host session following
// the game. The command line's --host and the wizard's hand-over with network seats both host
// this way.

#include "network/protocol.h"
#include "widgets/game_session.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace kroda::network {
class HostSession;
}

namespace kroda::widgets {

class HostWindow;

struct HostOptions {
    quint16 port = network::kDefaultPort;  // 0: a free port
    QString seats;                         // p person here, c computer, n network seat
    QString certificateFile;
    QString keyFile;
};

class NetworkHost {
  public:
    // `open` shows the game window (the session's start); it returns false when the game
    // cannot be played.
    NetworkHost(GameSession& session, QList<int> networkSeats, bool narration, int scale,
                std::function<bool()> open);
    ~NetworkHost();
    NetworkHost(const NetworkHost&) = delete;
    NetworkHost& operator=(const NetworkHost&) = delete;

    // Listens, prints "host-port N code C" and shows the waiting window (or opens the game
    // at once without network seats). On failure returns what is wrong.
    std::optional<QString> listen(const HostOptions& options);

    const network::HostSession& session() const;
    // The waiting window, while it exists (hidden once the game runs with every seat taken).
    HostWindow* waitingWindow() const;

  private:
    void startGame();
    void pressed();
    void seatsChanged();

    GameSession& session_;
    std::function<bool()> open_;
    std::unique_ptr<network::HostSession> net_;
    QPointer<HostWindow> waiting_;
    int scale_;
    bool started_ = false;
};

// Runs the game of --host --seats until the player quits; the program's exit status.
int hostGame(const QString& appFolder, const SessionOptions& session, const HostOptions& host);

}  // namespace kroda::widgets
