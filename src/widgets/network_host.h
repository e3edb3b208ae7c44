#pragma once
// Hosting a game: the server listening, the waiting window until every network seat has
// joined (or the host starts at once, once he has said yes to the computer taking the empty
// seats), then the game window, with the host session following the game. The command line's
// --host and the wizard's hand-over with network seats both host this way.

#include "widgets/game_session.h"
#include "widgets/host_command.h"

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace kroda::network {
class HostSession;
}

namespace kroda::widgets {

class HostWindow;

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
    // The question before the computer takes seats, while it is open.
    QMessageBox* handOverQuestion() const { return question_; }

  private:
    void startGame();
    void pressed();
    void handOver(const QList<int>& seats);
    void seatsChanged();

    GameSession& session_;
    std::function<bool()> open_;
    std::unique_ptr<network::HostSession> net_;
    QPointer<HostWindow> waiting_;
    QPointer<QMessageBox> question_;
    int scale_;
    bool started_ = false;
};

}  // namespace kroda::widgets
