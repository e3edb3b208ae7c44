#include "network/admission.h"

#include "network/join_code.h"
#include "network/seat_token.h"

#include <algorithm>
#include <utility>

namespace kroda::network {

Admission::Admission(QString code, QList<int> networkSeats, HostLimits limits, Clock clock,
                     TokenSource tokens)
    : code_(std::move(code)),
      limits_(limits),
      clock_(std::move(clock)),
      newToken_(tokens ? std::move(tokens) : TokenSource(newSeatToken)) {
    for (int s : networkSeats) {
        if (s >= 1 && s <= kSeatCount)
            seats_[s] = {};
    }
}

std::vector<ConnectionId> Admission::opened(ConnectionId id, const QString& address) {
    const qint64 now = clock_();
    forgetOldAddresses(now);
    // Room for the newcomer: the oldest that has not said hello goes, from its own address
    // first, so that a crowd renewing its connections never keeps out a player with the code.
    std::vector<ConnectionId> evicted;
    const auto makeRoom = [&](const QString* from, int cap) {
        const auto unnamed =
            std::count_if(connections_.begin(), connections_.end(), [&](const auto& c) {
                return c.second.phase == Phase::AwaitingHello &&
                       (!from || c.second.address == *from);
            });
        if (unnamed < cap)
            return;
        if (const auto oldest = oldestUnnamed(from)) {
            connections_.erase(*oldest);
            evicted.push_back(*oldest);
        }
    };
    makeRoom(&address, limits_.maxUnnamedPerAddress);
    makeRoom(nullptr, limits_.maxUnnamed);
    connections_.insert_or_assign(
        id, Connection{address,
                       Phase::AwaitingHello,
                       now,
                       TokenBucket(limits_.burstMessages, limits_.messagesPerSecond, now),
                       TokenBucket(limits_.burstBytes, limits_.bytesPerSecond, now),
                       {}});
    return evicted;
}

std::optional<ConnectionId> Admission::oldestUnnamed(const QString* address) const {
    std::optional<ConnectionId> oldest;
    qint64 oldestMs = 0;
    for (const auto& [id, c] : connections_) {
        if (c.phase != Phase::AwaitingHello || (address && c.address != *address))
            continue;
        if (!oldest || c.openedMs < oldestMs) {
            oldest = id;
            oldestMs = c.openedMs;
        }
    }
    return oldest;
}

Verdict Admission::received(ConnectionId id, QByteArrayView frame) {
    const auto it = connections_.find(id);
    if (it == connections_.end())
        return Disconnect{QStringLiteral("a connection the host does not know")};
    Connection& c = it->second;
    const qint64 now = clock_();
    if (c.phase == Phase::AwaitingHello && now - c.openedMs > limits_.helloMs)
        return Disconnect{QStringLiteral("no hello in time")};
    if (!c.messages.take(now))
        return Disconnect{QStringLiteral("more messages than the rate allows")};
    QString error;
    const auto message = readClientMessage(frame, error);
    if (!message)
        return Disconnect{error};
    if (const auto* h = std::get_if<Hello>(&*message)) {
        if (c.phase == Phase::Admitted)
            return Disconnect{QStringLiteral("a second hello")};
        return hello(id, c, *h);
    }
    const Input& in = std::get<Input>(*message);
    if (c.phase == Phase::AwaitingHello)
        return Disconnect{QStringLiteral("an input before the hello")};
    if (!c.seats.contains(in.seat))
        return Ignore{
            QStringLiteral("an input for seat %1, which the client does not own").arg(in.seat)};
    return Deliver{in};
}

Verdict Admission::receivedBinary(ConnectionId) {
    return Disconnect{QStringLiteral("a binary frame")};
}

Verdict Admission::receivedBytes(ConnectionId id, qint64 bytes) {
    const auto it = connections_.find(id);
    if (it == connections_.end())
        return Keep{};  // already on its way out
    if (!it->second.bytes.take(clock_(), static_cast<double>(bytes)))
        return Disconnect{QStringLiteral("more bytes than the rate allows")};
    return Keep{};
}

Refuse Admission::wrongGuess(const QString& address, RefusalReason reason, qint64 now) {
    AddressRecord& record = addresses_[address];
    record.lastWrongMs = now;
    if (++record.wrongGuesses >= limits_.wrongGuessesBeforeLockout) {
        record.wrongGuesses = 0;
        record.lockedUntilMs = now + limits_.lockoutMs;
    }
    return Refuse{reason};
}

Verdict Admission::hello(ConnectionId id, Connection& c, const Hello& h) {
    const qint64 now = clock_();
    if (h.version != kProtocolVersion)
        return Refuse{RefusalReason::Version};
    if (lockedOut(c.address, now))
        return Refuse{RefusalReason::LockedOut};
    if (!sameJoinCode(h.code, code_))
        return wrongGuess(c.address, RefusalReason::WrongCode, now);

    // Each person gets a seat of his own, or the hello is refused: a name seen before takes
    // back its own seat with the seat's token (or without it, once the host lets him back
    // in), a new name the first free one.
    struct Taken {
        QString name;
        bool newToken;
    };
    std::map<int, Taken> given;
    QStringList newcomers;
    for (qsizetype i = 0; i < h.names.size(); ++i) {
        const QString& name = h.names[i];
        const QString token = h.tokens.value(i);
        const auto own = std::find_if(seats_.begin(), seats_.end(),
                                      [&name](const auto& s) { return s.second.name == name; });
        if (own == seats_.end()) {
            newcomers.append(name);
            continue;
        }
        const Seat& seat = own->second;
        if (!token.isEmpty()) {
            if (!sameToken(token, seat.token))
                return wrongGuess(c.address, RefusalReason::WrongToken, now);
            given[own->first] = {name, false};
        } else if (seat.letBackIn && !seat.holder) {
            given[own->first] = {name, true};
        } else {
            return Refuse{RefusalReason::NameInUse};
        }
    }
    for (const QString& name : newcomers) {
        const auto free = std::find_if(seats_.begin(), seats_.end(), [&given](const auto& s) {
            return s.second.name.isEmpty() && !given.contains(s.first);
        });
        if (free == seats_.end())
            return Refuse{RefusalReason::NoFreeSeat};
        given[free->first] = {name, true};
    }
    if (given.empty())
        return Refuse{RefusalReason::NoFreeSeat};

    addresses_.remove(c.address);
    Admit admit;
    for (const auto& [number, taken] : given) {
        Seat& seat = seats_[number];
        if (seat.holder && *seat.holder != id) {
            // A quick return: the old connection has not been found silent yet.
            const ConnectionId old = *seat.holder;
            if (const auto o = connections_.find(old); o != connections_.end())
                o->second.seats.removeAll(number);
            if (std::find(admit.replaced.begin(), admit.replaced.end(), old) ==
                admit.replaced.end())
                admit.replaced.push_back(old);
        }
        if (taken.newToken)
            seat.token = newToken_();
        seat.name = taken.name;
        seat.holder = id;
        seat.letBackIn = false;
        admit.seats.append(number);
        admit.names.append(taken.name);
        admit.tokens.append(seat.token);
    }
    c.phase = Phase::Admitted;
    c.seats = admit.seats;
    return admit;
}

void Admission::closed(ConnectionId id) {
    const auto it = connections_.find(id);
    if (it == connections_.end())
        return;
    for (int number : it->second.seats) {
        Seat& seat = seats_[number];
        if (seat.holder == id)
            seat.holder.reset();
    }
    connections_.erase(it);
}

std::vector<ConnectionId> Admission::overdue() {
    const qint64 now = clock_();
    forgetOldAddresses(now);
    std::vector<ConnectionId> late;
    for (const auto& [id, c] : connections_) {
        if (c.phase == Phase::AwaitingHello && now - c.openedMs > limits_.helloMs)
            late.push_back(id);
    }
    return late;
}

void Admission::withdraw(int seat) {
    const auto it = seats_.find(seat);
    if (it == seats_.end())
        return;
    if (it->second.holder) {
        const auto c = connections_.find(*it->second.holder);
        if (c != connections_.end())
            c->second.seats.removeAll(seat);
    }
    seats_.erase(it);
}

void Admission::letBackIn(int seat) {
    const auto it = seats_.find(seat);
    if (it == seats_.end() || it->second.name.isEmpty() || it->second.holder)
        return;
    it->second.letBackIn = true;
    it->second.token.clear();  // the lost token takes nothing back
}

std::optional<ConnectionId> Admission::holderOf(int seat) const {
    const auto it = seats_.find(seat);
    return it == seats_.end() ? std::nullopt : it->second.holder;
}

QString Admission::nameAt(int seat) const {
    const auto it = seats_.find(seat);
    return it == seats_.end() ? QString() : it->second.name;
}

bool Admission::lettingBackIn(int seat) const {
    const auto it = seats_.find(seat);
    return it != seats_.end() && it->second.letBackIn;
}

QList<int> Admission::seatsOf(ConnectionId id) const {
    const auto it = connections_.find(id);
    return it == connections_.end() ? QList<int>() : it->second.seats;
}

bool Admission::admitted(ConnectionId id) const {
    const auto it = connections_.find(id);
    return it != connections_.end() && it->second.phase == Phase::Admitted;
}

bool Admission::lockedOut(const QString& address, qint64 now) {
    const auto it = addresses_.constFind(address);
    return it != addresses_.constEnd() && it->lockedUntilMs > now;
}

// Wrong guesses are forgotten a lockout's length after the last one, so the table stays small.
void Admission::forgetOldAddresses(qint64 now) {
    for (auto it = addresses_.begin(); it != addresses_.end();) {
        if (it->lockedUntilMs <= now && now - it->lastWrongMs >= limits_.lockoutMs)
            it = addresses_.erase(it);
        else
            ++it;
    }
}

}  // namespace kroda::network
