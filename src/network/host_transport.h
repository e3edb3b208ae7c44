#pragma once
// The host's side of network play. It accepts TCP connections itself, so that every peer is
// held to the host's limits from its first byte, before any handshake: the bytes it sends
// (WebSocket pings and all), the time it has to say hello, what the host queues for it and
// how long its closing may take. TLS (wss, with a certificate and key) is set up on the
// connection, then the WebSocket server upgrades it, and the admission rules decide every
// message. Admitted clients' inputs come out of the `input` handler, for the game to apply
// through the same path as local ones; what the clients show goes out with send and
// broadcast. On the same port the host answers a browser's plain HTTP requests for the page
// (web_responder.h): every connection's first request is read whole, within bounds, and
// either answered and closed or, when it asks for a WebSocket, handed to the upgrade.

#include "network/admission.h"
#include "network/host_limits.h"
#include "network/protocol.h"
#include "network/web_responder.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;
#ifndef QT_NO_SSL
class QSslConfiguration;
#endif

namespace kroda::network {

class HostTransport {
  public:
    struct Options {
        QHostAddress address = QHostAddress::Any;
        quint16 port = kDefaultPort;  // 0: any free port
        // Both set: the server speaks wss with this PEM certificate and key.
        QString certificateFile;
        QString keyFile;
        // The page and its files; without them every request but an upgrade gets 404.
        WebResources web;
    };
    struct Handlers {
        std::function<void(const Input&)> input;
        // Each seat given, with the name that took it, in the same order.
        std::function<void(ConnectionId, const QList<int>& seats, const QStringList& names)> joined;
        std::function<void(ConnectionId, const QList<int>& seats)> left;
    };

    HostTransport(QString code, QList<int> networkSeats, Handlers handlers, HostLimits limits = {});
    ~HostTransport();
    HostTransport(const HostTransport&) = delete;
    HostTransport& operator=(const HostTransport&) = delete;

    // Starts listening; on failure returns what is wrong (a port in use, an unreadable
    // certificate or key).
    std::optional<QString> listen(const Options& options);
    quint16 port() const;
    bool secure() const { return tls_ != nullptr; }
    const Admission& admission() const { return admission_; }
    // See Admission::withdraw.
    void withdrawSeat(int seat) { admission_.withdraw(seat); }
    // See Admission::letBackIn.
    void letBackIn(int seat) { admission_.letBackIn(seat); }
    // The connections open now, from the first byte to the last.
    int connectionCount() const { return static_cast<int>(peers_.size()); }

    void send(ConnectionId id, const HostMessage& message);
    // To every admitted client.
    void broadcast(const HostMessage& message);

  private:
    // Where a connection is on its way from the TCP handshake to the game or an HTTP answer.
    enum class Stage {
        Encrypting,  // the TLS handshake
        Request,     // the head of its first HTTP request arriving
        Upgrading,   // the WebSocket server's handshake
        Game,        // a WebSocket: the admission decides its messages
        Answered,    // an HTTP answer going out, then closed
    };
    struct Peer {
        QPointer<QTcpSocket> tcp;      // TLS or not; the host deletes it after its WebSocket
        QWebSocket* socket = nullptr;  // once the WebSocket handshake is done; ours
        Stage stage = Stage::Request;
        qint64 acceptedMs = 0;
        qint64 counted = 0;  // of its bytes waiting to be read, those already metered
        qint64 lastHeardMs = 0;
        std::optional<qint64> closingSinceMs;
        std::optional<qint64> overQueuedSinceMs;  // holding more than the host may for it
        bool released = false;                    // its seats are free for their players again
    };
    enum class Ending { Close, Abort };

    void accepted(qintptr handle);
    void request(ConnectionId id);
    void respond(ConnectionId id, const WebAnswer& answer, qsizetype headLength);
    void upgrade(ConnectionId id);
    void upgraded();
    void metered(ConnectionId id);
    void decide(ConnectionId id, const Verdict& verdict);
    void end(ConnectionId id, const QString& why, Ending how);
    void forget(ConnectionId id);
    void sweep();
    void keepAlive();
    bool admittedPeer(ConnectionId id, const Peer& peer) const;

    Handlers handlers_;
    HostLimits limits_;
    QElapsedTimer clock_;
    Admission admission_;
    std::unique_ptr<QTcpServer> listener_;
    std::unique_ptr<QWebSocketServer> upgrader_;
    std::unique_ptr<WebResponder> web_;
#ifndef QT_NO_SSL
    std::unique_ptr<QSslConfiguration> tls_;
#else
    std::unique_ptr<int> tls_;
#endif
    std::map<ConnectionId, Peer> peers_;
    QTimer sweepTimer_;
    QTimer pingTimer_;
    QTimer acceptRetry_;
    ConnectionId nextId_ = 1;
};

}  // namespace kroda::network
