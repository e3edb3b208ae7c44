#pragma once
// The host's game played from the network: the server and its admission rules hooked to a
// running game. A remote input runs on the game through the same entry as a local one, when
// the client owns the seat and that seat must act now; the host's own keys and dice do not
// play for a network seat. After every event the clients get what changed in the save's
// document; they get the narrator's lines and the sounds as they happen, and the seats
// whenever one changes. A seat whose client is gone holds the game where it must act, the
// narrator saying so, until its player joins again (with the seat's token, or by his name once
// the host lets him back in) or the host hands the seat to the computer; a returning player
// finds the question the game asked him.

#include "model/value_types.h"
#include "network/host_limits.h"
#include "network/host_transport.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <optional>

namespace kroda {
class Game;
class VirtualClock;
}  // namespace kroda

namespace kroda::network {

class HostSession {
  public:
    using Clock = std::function<const VirtualClock&()>;
    using GameInput = std::function<void(Game&)>;

    // `networkSeats` are the seats of `game` played from the network; `clock` is the game's
    // clock, asked for whenever a moment is taken (a loaded save brings a clock of its own).
    HostSession(Game& game, Clock clock, QList<int> networkSeats, QString code,
                HostLimits limits = {});
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    std::optional<QString> listen(const HostTransport::Options& options);
    quint16 port() const { return transport_.port(); }
    const QString& code() const { return transport_.admission().code(); }
    bool secure() const { return transport_.secure(); }
    // The connections open now, whether or not they have said hello.
    int connectionCount() const { return transport_.connectionCount(); }

    // The seats still played from the network.
    const QList<int>& networkSeats() const { return seats_; }
    bool connected(int seat) const;
    // The name that took the seat; empty while nobody has.
    QString nameAt(int seat) const;
    bool everySeatTaken() const;

    // The game is running: from now on the session follows its events, and every client
    // joined so far gets the whole state. Call it once the game is loaded.
    void begin();
    bool begun() const { return begun_; }

    // The computer plays the seat from now on; if the game was waiting on it, at once.
    void handToComputer(int seat);
    // The seat's player, who is gone, comes back by his name alone: he lost his token.
    void letBackIn(int seat);
    bool lettingBackIn(int seat) const;
    // The network seats whose players have joined and are gone now.
    QList<int> goneSeats() const;
    // Every seat of the game as the clients are told of it.
    Seats seats() const;

    // Runs an input on the game; the windows bring the clock up to the present first.
    std::function<void(const GameInput&)> deliver;
    // A seat was taken, left or handed to the computer.
    std::function<void()> seatsChanged;
    // The narrator's line that the game waits for a seat's player, "<ms> <step> <message>"
    // as the clients get it, for the host's --narration.
    std::function<void(const QString& line)> waitingTold;
    // Each remote input once it has been applied or ignored.
    std::function<void(const Input& input, bool applied)> inputDone;

    // The narrator's line while the game waits for a seat's player to come back.
    static QString waitingLine(const QString& name);

  private:
    void joined(ConnectionId id, const QList<int>& seats, const QStringList& names);
    void left(ConnectionId id);
    void input(const Input& in);
    bool mayAct(int seat) const;
    bool networkSeatMustAct() const;
    void sendState(ConnectionId id);
    void eventDone();
    void sendMoments();
    void announceWaits();
    void tellSeats();
    QString narrate(Integer step, const QString& message);
    void run(const GameInput& input);

    Game& game_;
    Clock clock_;
    QList<int> seats_;
    HostTransport transport_;
    bool begun_ = false;
    bool remoteInput_ = false;
    // The document each joined client holds, by connection.
    std::map<ConnectionId, QJsonObject> sent_;
    std::map<ConnectionId, QList<int>> joinedSeats_;
    // The seats whose wait the narrator has told, with the narrator's box as it was before.
    struct Told {
        QString text;
        int selStart = 0;
    };
    std::map<int, Told> announced_;
    // Once the event loop has the game settled after an event: the moments and the waits.
    QTimer settled_;
    // The game's hooks before begin, restored at the end.
    std::function<void(Integer, const QString&)> previousNarration_;
    std::function<void()> previousAfterEvent_;
};

}  // namespace kroda::network
