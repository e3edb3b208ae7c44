#pragma once
// Who may play from the network, as plain rules without sockets: the transport reports each
// connection's events and does what the verdict says. A connection has a while to say hello
// with the join code; connections that have not said hello are few, and the oldest makes room
// for a new one; wrong codes or seat tokens from one address lock it out for a time; every
// connection is rate-limited in messages and in bytes; a client that breaks a rule is
// disconnected; a client owns the seats it was given and its inputs for any other seat are
// ignored. Each seat has a secret token: a player who joins again takes his seat back with
// it, at once, or by his name alone once the host lets him back in. Time comes from the
// injected clock (milliseconds, never falling).

#include "network/host_limits.h"
#include "network/protocol.h"
#include "network/token_bucket.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <variant>
#include <vector>

namespace kroda::network {

using ConnectionId = quint64;

// The verdicts on an event.
struct Keep {};         // nothing to send
struct Admit {          // send a welcome
    QList<int> seats;   // ascending
    QStringList names;  // the name that took each seat, in the same order
    QStringList tokens;
    // Connections that held a seat the hello took back with its token: they are closed.
    std::vector<ConnectionId> replaced;
};
struct Refuse {  // send the refusal, then close
    RefusalReason reason;
};
struct Disconnect {  // close at once: the client broke a rule
    QString why;
};
struct Deliver {  // the game applies the input
    Input input;
};
struct Ignore {  // an input the client may not give; the connection stays
    QString why;
};
using Verdict = std::variant<Keep, Admit, Refuse, Disconnect, Deliver, Ignore>;

class Admission {
  public:
    using Clock = std::function<qint64()>;
    // A seat's new token; the system's random source unless a test gives its own.
    using TokenSource = std::function<QString()>;

    // `networkSeats` are the seats (1..kSeatCount) players may take from the network.
    Admission(QString code, QList<int> networkSeats, HostLimits limits, Clock clock,
              TokenSource tokens = {});

    const QString& code() const { return code_; }
    const HostLimits& limits() const { return limits_; }

    // A connection from `address` opened; `id` is new. Returns the connections that have not
    // said hello and are closed to make room for it.
    std::vector<ConnectionId> opened(ConnectionId id, const QString& address);
    // A text frame arrived.
    Verdict received(ConnectionId id, QByteArrayView frame);
    // A binary frame arrived: the protocol has none.
    Verdict receivedBinary(ConnectionId id);
    // `bytes` arrived from the peer, whatever they hold.
    Verdict receivedBytes(ConnectionId id, qint64 bytes);
    // The connection is gone; its seats wait for their players to join again.
    void closed(ConnectionId id);
    // The connections whose time for a hello has run out, to close now.
    std::vector<ConnectionId> overdue();

    // The seat is no longer played from the network (the computer took it over): nobody
    // takes it again, and its holder's inputs for it are ignored from now on.
    void withdraw(int seat);
    // The next hello with the name of `seat`, whose player is gone, takes it without its
    // token (he lost it, playing from another machine); the old token no longer counts.
    void letBackIn(int seat);

    // The connection playing `seat`, if it is connected.
    std::optional<ConnectionId> holderOf(int seat) const;
    // The name `seat` was taken by; empty while nobody has taken it.
    QString nameAt(int seat) const;
    // Whether the host has let the seat's player back in without his token.
    bool lettingBackIn(int seat) const;
    QList<int> seatsOf(ConnectionId id) const;
    bool admitted(ConnectionId id) const;

  private:
    enum class Phase { AwaitingHello, Admitted };
    struct Connection {
        QString address;
        Phase phase;
        qint64 openedMs;
        TokenBucket messages;
        TokenBucket bytes;
        QList<int> seats;
    };
    struct Seat {
        QString name;  // empty: free
        QString token;
        std::optional<ConnectionId> holder;
        bool letBackIn = false;
    };
    struct AddressRecord {
        int wrongGuesses = 0;
        qint64 lastWrongMs = 0;
        qint64 lockedUntilMs = 0;
    };

    Verdict hello(ConnectionId id, Connection& c, const Hello& h);
    Refuse wrongGuess(const QString& address, RefusalReason reason, qint64 now);
    std::optional<ConnectionId> oldestUnnamed(const QString* address) const;
    bool lockedOut(const QString& address, qint64 now);
    void forgetOldAddresses(qint64 now);

    QString code_;
    HostLimits limits_;
    Clock clock_;
    TokenSource newToken_;
    std::map<int, Seat> seats_;
    std::map<ConnectionId, Connection> connections_;
    QHash<QString, AddressRecord> addresses_;
};

}  // namespace kroda::network
