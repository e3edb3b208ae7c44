#pragma once
// Every limit of a host, in one place: the admission rules and the transport's bounds. A
// stranger who never says hello, or says it wrongly, is held to all of them; so is a player.

#include <QtGlobal>

namespace kroda::network {

struct HostLimits {
    // A connection says hello within this long of its TCP connection being accepted: the
    // TLS and WebSocket handshakes count, so a peer that never finishes them goes too.
    qint64 helloMs = 10'000;
    // Connections that have not said hello, in all and from one address. When either is
    // full, the oldest such connection is closed to make room: a crowd that never says hello
    // delays a player with the code by one round trip, and keeps nobody out. A browser
    // loading the page opens six connections at once, and a household shares one address.
    int maxUnnamed = 32;
    int maxUnnamedPerAddress = 16;
    // An HTTP request's head arrives whole within this long of the connection's acceptance,
    // or the host answers 408 and closes it.
    qint64 requestMs = 5'000;

    // Wrong codes or seat tokens from one address before it is locked out, and for how long.
    int wrongGuessesBeforeLockout = 5;
    qint64 lockoutMs = 60'000;

    // Messages of one connection: a burst, then a steady rate; more is a disconnection.
    double burstMessages = 40;
    double messagesPerSecond = 30;
    // Bytes a peer sends, WebSocket pings and frame headers included, which the messages'
    // count cannot see: a burst that holds the largest message twice, then a steady rate
    // far above what play needs (a few hundred bytes a second).
    double burstBytes = 128 * 1024;
    double bytesPerSecond = 32 * 1024;

    // What the host may hold unsent for one peer, the state included (a save is about 150 KB
    // as a message), before that peer is dropped: a peer that never reads costs no more. The
    // system's own send buffer for a peer is fixed too (the system doubles it), where it
    // would otherwise grow to megabytes for a peer that never reads.
    qint64 maxQueuedBytes = 2 * 1024 * 1024;
    int sendBufferBytes = 256 * 1024;
    // A peer is dropped once it has held more than maxQueuedBytes for this long: one that
    // reads, however slowly its machine runs, has taken the state long before.
    qint64 queuedMs = 2'000;
    // A connection being closed is cut off after this long, whatever it still has to send.
    qint64 closingMs = 3'000;
    // How often the host looks at the hello deadlines, the queues and the closings.
    int sweepMs = 250;
    // After the host has run out of files, it tries to accept again this often.
    int acceptRetryMs = 200;

    // Every admitted client is pinged this often; one not heard from (a message or a pong)
    // for silentMs is taken for gone.
    int pingMs = 5'000;
    int silentMs = 15'000;
};

}  // namespace kroda::network
