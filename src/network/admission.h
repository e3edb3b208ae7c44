#pragma once
// Who may play from the network, as plain rules without sockets: the transport reports each
// connection's events and does what the verdict says. A connection has a while to say hello
// with the join code; wrong codes from one address lock it out for a time; every connection
// is rate-limited; a client that breaks a rule is disconnected; a client owns the seats it was
// given and its inputs for any other seat are ignored; a player who joins again with the same
// name gets the seat back. Time comes from the injected clock (milliseconds, never falling).

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

struct AdmissionRules {
    qint64 helloMs = 10'000;
    int wrongCodesBeforeLockout = 5;
    qint64 lockoutMs = 60'000;
    double burstMessages = 40;
    double messagesPerSecond = 30;
    int maxConnections = 16;
};

using ConnectionId = quint64;

// The verdicts on an event.
struct Keep {};         // nothing to send
struct Admit {          // send a welcome
    QList<int> seats;   // ascending
    QStringList names;  // the name that took each seat, in the same order
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

    // `networkSeats` are the seats (1..kSeatCount) players may take from the network.
    Admission(QString code, QList<int> networkSeats, AdmissionRules rules, Clock clock);

    const QString& code() const { return code_; }

    // A connection from `address` opened; `id` is new.
    Verdict opened(ConnectionId id, const QString& address);
    // A text frame arrived.
    Verdict received(ConnectionId id, QByteArrayView frame);
    // A binary frame arrived: the protocol has none.
    Verdict receivedBinary(ConnectionId id);
    // The connection is gone; its seats wait for the same names to join again.
    void closed(ConnectionId id);
    // The connections whose time for a hello has run out, to close now.
    std::vector<ConnectionId> overdue();

    // The seat is no longer played from the network (the computer took it over): nobody
    // takes it again, and its holder's inputs for it are ignored from now on.
    void withdraw(int seat);

    // The connection playing `seat`, if it is connected.
    std::optional<ConnectionId> holderOf(int seat) const;
    // The name `seat` was taken by; empty while nobody has taken it.
    QString nameAt(int seat) const;
    QList<int> seatsOf(ConnectionId id) const;

  private:
    enum class Phase { AwaitingHello, Admitted };
    struct Connection {
        QString address;
        Phase phase;
        qint64 openedMs;
        TokenBucket bucket;
        QList<int> seats;
    };
    struct Seat {
        QString name;  // empty: free
        std::optional<ConnectionId> holder;
    };
    struct AddressRecord {
        int wrongCodes = 0;
        qint64 lastWrongMs = 0;
        qint64 lockedUntilMs = 0;
    };

    Verdict hello(ConnectionId id, Connection& c, const Hello& h);
    bool lockedOut(const QString& address, qint64 now);
    void forgetOldAddresses(qint64 now);

    QString code_;
    AdmissionRules rules_;
    Clock clock_;
    std::map<int, Seat> seats_;
    std::map<ConnectionId, Connection> connections_;
    QHash<QString, AddressRecord> addresses_;
};

}  // namespace kroda::network
