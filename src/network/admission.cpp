#include "network/admission.h"

#include "network/join_code.h"

#include <algorithm>
#include <utility>

namespace kroda::network {

Admission::Admission(QString code, QList<int> networkSeats, AdmissionRules rules, Clock clock)
    : code_(std::move(code)), rules_(rules), clock_(std::move(clock)) {
    for (int s : networkSeats) {
        if (s >= 1 && s <= kSeatCount)
            seats_[s] = {};
    }
}

Verdict Admission::opened(ConnectionId id, const QString& address) {
    const qint64 now = clock_();
    forgetOldAddresses(now);
    if (lockedOut(address, now))
        return Refuse{RefusalReason::LockedOut};
    if (static_cast<int>(connections_.size()) >= rules_.maxConnections)
        return Refuse{RefusalReason::Full};
    connections_.insert_or_assign(
        id, Connection{address,
                       Phase::AwaitingHello,
                       now,
                       TokenBucket(rules_.burstMessages, rules_.messagesPerSecond, now),
                       {}});
    return Keep{};
}

Verdict Admission::received(ConnectionId id, QByteArrayView frame) {
    const auto it = connections_.find(id);
    if (it == connections_.end())
        return Disconnect{QStringLiteral("a connection the host does not know")};
    Connection& c = it->second;
    const qint64 now = clock_();
    if (c.phase == Phase::AwaitingHello && now - c.openedMs > rules_.helloMs)
        return Disconnect{QStringLiteral("no hello in time")};
    if (!c.bucket.take(now))
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

Verdict Admission::hello(ConnectionId id, Connection& c, const Hello& h) {
    const qint64 now = clock_();
    if (lockedOut(c.address, now))
        return Refuse{RefusalReason::LockedOut};
    AddressRecord& record = addresses_[c.address];
    if (!sameJoinCode(h.code, code_)) {
        record.lastWrongMs = now;
        if (++record.wrongCodes >= rules_.wrongCodesBeforeLockout) {
            record.wrongCodes = 0;
            record.lockedUntilMs = now + rules_.lockoutMs;
        }
        return Refuse{RefusalReason::WrongCode};
    }
    addresses_.remove(c.address);

    // Each person gets a seat of his own, or the hello is refused: a name seen before takes
    // back its own seat, a new name the first free one.
    std::map<int, QString> given;
    QStringList newcomers;
    for (const QString& name : h.names) {
        const auto own = std::find_if(seats_.begin(), seats_.end(),
                                      [&name](const auto& s) { return s.second.name == name; });
        if (own == seats_.end()) {
            newcomers.append(name);
            continue;
        }
        if (own->second.holder)
            return Refuse{RefusalReason::NameInUse};
        given[own->first] = name;
    }
    for (const QString& name : newcomers) {
        const auto free = std::find_if(seats_.begin(), seats_.end(), [&given](const auto& s) {
            return s.second.name.isEmpty() && !given.contains(s.first);
        });
        if (free == seats_.end())
            return Refuse{RefusalReason::NoFreeSeat};
        given[free->first] = name;
    }
    if (given.empty())
        return Refuse{RefusalReason::NoFreeSeat};
    Admit admit;
    for (const auto& [number, name] : given) {
        seats_[number] = {name, id};
        admit.seats.append(number);
        admit.names.append(name);
    }
    c.phase = Phase::Admitted;
    c.seats = admit.seats;
    return admit;
}

void Admission::closed(ConnectionId id) {
    const auto it = connections_.find(id);
    if (it == connections_.end())
        return;
    for (int number : it->second.seats) seats_[number].holder.reset();
    connections_.erase(it);
}

std::vector<ConnectionId> Admission::overdue() {
    const qint64 now = clock_();
    forgetOldAddresses(now);
    std::vector<ConnectionId> late;
    for (const auto& [id, c] : connections_) {
        if (c.phase == Phase::AwaitingHello && now - c.openedMs > rules_.helloMs)
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

std::optional<ConnectionId> Admission::holderOf(int seat) const {
    const auto it = seats_.find(seat);
    return it == seats_.end() ? std::nullopt : it->second.holder;
}

QString Admission::nameAt(int seat) const {
    const auto it = seats_.find(seat);
    return it == seats_.end() ? QString() : it->second.name;
}

QList<int> Admission::seatsOf(ConnectionId id) const {
    const auto it = connections_.find(id);
    return it == connections_.end() ? QList<int>() : it->second.seats;
}

bool Admission::lockedOut(const QString& address, qint64 now) {
    const auto it = addresses_.constFind(address);
    return it != addresses_.constEnd() && it->lockedUntilMs > now;
}

// Wrong codes are forgotten a lockout's length after the last one, so the table stays small.
void Admission::forgetOldAddresses(qint64 now) {
    for (auto it = addresses_.begin(); it != addresses_.end();) {
        if (it->lockedUntilMs <= now && now - it->lastWrongMs >= rules_.lockoutMs)
            it = addresses_.erase(it);
        else
            ++it;
    }
}

}  // namespace kroda::network
