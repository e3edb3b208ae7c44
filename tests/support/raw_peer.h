#pragma once
// A network peer that speaks WebSocket by hand over a plain socket, from any loopback address:
// it does what no client of the game does (it never reads, sends pings without end, dribbles
// its handshake, stops answering), and sees exactly when the host cuts it off. Its calls never
// block: the host it talks to runs on the same event loop.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kroda::testing {

class RawPeer {
  public:
    enum Opcode { Text = 0x1, Binary = 0x2, Close = 0x8, Ping = 0x9 };

    RawPeer() = default;
    ~RawPeer();
    RawPeer(const RawPeer&) = delete;
    RawPeer& operator=(const RawPeer&) = delete;

    // Connects from `source` (an address of 127.0.0.0/8) to the host's port on 127.0.0.1. A
    // small receive buffer makes a peer that never reads fill up at once.
    bool connect(const QString& source, quint16 port, int receiveBuffer = 0);
    // The WebSocket handshake's request for the host's port.
    static QByteArray upgradeRequest(quint16 port);
    // Sends the request and runs the event loop until the host's answer has come: true for
    // "101 Switching Protocols".
    bool handshake(quint16 port, int timeoutMs = 5000);
    // One frame as a client sends it: final, masked.
    static QByteArray frame(Opcode opcode, const QByteArray& payload);
    static QByteArray text(const QByteArray& json) { return frame(Text, json); }

    // Writes as much as the socket takes now; the bytes written, 0 when it takes none now,
    // -1 once the connection is gone.
    qint64 send(const QByteArray& bytes);
    // Sends all of `bytes`, running the event loop while the socket is full; false when the
    // connection went first.
    bool sendAll(const QByteArray& bytes, int timeoutMs = 5000);
    // Reads what has arrived; the text frames among it are kept for texts().
    void receive();
    // The host's text frames received so far.
    const QStringList& texts() const { return texts_; }
    // Sends `request` and runs the event loop until the host has closed the connection: every
    // byte the host sent, empty when it sent none or kept the connection open past the time.
    QByteArray exchange(const QByteArray& request, int timeoutMs = 5000);
    // Every byte received so far, whatever it holds.
    const QByteArray& received() const { return received_; }
    // The host has closed or cut the connection (end of stream, reset).
    bool closed() const;
    void close();

  private:
    int fd_ = -1;
    QByteArray in_;
    QByteArray received_;
    QByteArray response_;  // the host's answer to the handshake
    QStringList texts_;
    bool upgraded_ = false;
};

}  // namespace kroda::testing
