#include "network/host_transport.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>

#ifndef QT_NO_SSL
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#endif

#include <unistd.h>

#include <utility>
#include <vector>

namespace kroda::network {

namespace {

// A close reason is at most 123 bytes.
constexpr int kCloseReasonLength = 60;

// An IPv4 peer seen through an IPv6 socket counts as the same address.
QString addressText(const QHostAddress& address) {
    bool v4 = false;
    const quint32 ip4 = address.toIPv4Address(&v4);
    return v4 ? QHostAddress(ip4).toString() : address.toString();
}

// A TCP server that hands each accepted connection's descriptor over as it comes, so that
// the transport makes the socket (plain or TLS) and holds it to its limits itself.
class Listener : public QTcpServer {
  public:
    std::function<void(qintptr)> incoming;

  protected:
    void incomingConnection(qintptr handle) override { incoming(handle); }
};

#ifndef QT_NO_SSL
std::optional<QString> loadTls(const HostTransport::Options& o, QSslConfiguration& tls) {
    const QList<QSslCertificate> chain = QSslCertificate::fromPath(o.certificateFile);
    if (chain.isEmpty())
        return o.certificateFile + QStringLiteral(": no PEM certificate could be read");
    QFile keyFile(o.keyFile);
    if (!keyFile.open(QIODevice::ReadOnly))
        return o.keyFile + QStringLiteral(": cannot be read");
    const QByteArray pem = keyFile.read(1024 * 1024);
    QSslKey key(pem, QSsl::Rsa);
    if (key.isNull())
        key = QSslKey(pem, QSsl::Ec);
    if (key.isNull())
        return o.keyFile + QStringLiteral(": no PEM RSA or EC private key could be read");
    tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificateChain(chain);
    tls.setPrivateKey(key);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);  // clients prove themselves by the code
    return std::nullopt;
}
#endif

}  // namespace

HostTransport::HostTransport(QString code, QList<int> networkSeats, Handlers handlers,
                             HostLimits limits)
    : handlers_(std::move(handlers)),
      limits_(limits),
      admission_(std::move(code), std::move(networkSeats), limits,
                 [this] { return clock_.elapsed(); }) {
    clock_.start();
    sweepTimer_.setInterval(limits_.sweepMs);
    QObject::connect(&sweepTimer_, &QTimer::timeout, [this] { sweep(); });
    pingTimer_.setInterval(limits_.pingMs);
    QObject::connect(&pingTimer_, &QTimer::timeout, [this] { keepAlive(); });
    acceptRetry_.setSingleShot(true);
    acceptRetry_.setInterval(limits_.acceptRetryMs);
    QObject::connect(&acceptRetry_, &QTimer::timeout, [this] {
        if (listener_)
            listener_->resumeAccepting();
    });
}

HostTransport::~HostTransport() {
    sweepTimer_.stop();
    pingTimer_.stop();
    for (auto& [id, peer] : peers_) {
        if (peer.tcp)
            QObject::disconnect(peer.tcp, nullptr, nullptr, nullptr);
        if (peer.socket) {
            // The WebSocket says goodbye as it goes; aborted first, it would write to nothing.
            QObject::disconnect(peer.socket, nullptr, nullptr, nullptr);
            delete peer.socket;
        }
        if (peer.tcp) {
            peer.tcp->abort();
            delete peer.tcp;
        }
    }
}

std::optional<QString> HostTransport::listen(const Options& options) {
    if (!options.certificateFile.isEmpty() || !options.keyFile.isEmpty()) {
#ifndef QT_NO_SSL
        auto tls = std::make_unique<QSslConfiguration>();
        if (auto error = loadTls(options, *tls))
            return error;
        tls_ = std::move(tls);
#else
        return QStringLiteral("this Qt has no TLS");
#endif
    }
    // The upgrade of a connection the listener accepted; it never listens itself.
    upgrader_ = std::make_unique<QWebSocketServer>(QStringLiteral("Kroda"),
                                                   QWebSocketServer::NonSecureMode);
    upgrader_->setHandshakeTimeout(std::chrono::milliseconds(limits_.helloMs));
    upgrader_->setMaxPendingConnections(limits_.maxUnnamed + kSeatCount);
    QObject::connect(upgrader_.get(), &QWebSocketServer::newConnection, [this] { upgraded(); });

    auto listener = std::make_unique<Listener>();
    listener->incoming = [this](qintptr handle) { accepted(handle); };
    // Out of files (or another shortage), the server stops accepting; it starts again soon,
    // when connections closed since may have given files back.
    QObject::connect(listener.get(), &QTcpServer::acceptError, [this] { acceptRetry_.start(); });
    if (!listener->listen(options.address, options.port))
        return QStringLiteral("cannot listen on port %1: %2")
            .arg(options.port)
            .arg(listener->errorString());
    listener_ = std::move(listener);
    sweepTimer_.start();
    pingTimer_.start();
    return std::nullopt;
}

quint16 HostTransport::port() const {
    return listener_ ? listener_->serverPort() : 0;
}

void HostTransport::accepted(qintptr handle) {
    QTcpSocket* tcp = nullptr;
#ifndef QT_NO_SSL
    if (tls_) {
        auto* ssl = new QSslSocket;
        ssl->setSslConfiguration(*tls_);
        tcp = ssl;
    }
#endif
    if (!tcp)
        tcp = new QTcpSocket;
    if (!tcp->setSocketDescriptor(handle)) {
        delete tcp;
        ::close(static_cast<int>(handle));
        return;
    }
    // The read buffer holds the largest message twice; a peer that sends faster waits for TCP.
    tcp->setReadBufferSize(2 * kMaxClientMessageBytes);
    tcp->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, limits_.sendBufferBytes);
    const ConnectionId id = nextId_++;
    peers_[id] = Peer{tcp, nullptr, clock_.elapsed(), std::nullopt, std::nullopt, false};
    // Connected first, so that it sees every arrival before the handshake or the WebSocket
    // reads it: what is buffered is what arrived (a partial frame left from before counts
    // again, which errs against the sender).
    QObject::connect(tcp, &QIODevice::readyRead, tcp, [this, id] { metered(id); });
    QObject::connect(tcp, &QObject::destroyed, [this, id] {
        if (const auto p = peers_.find(id); p != peers_.end()) {
            p->second.tcp = nullptr;
            forget(id);
        }
    });
    QObject::connect(tcp, &QAbstractSocket::disconnected, tcp, [this, id] {
        const auto it = peers_.find(id);
        if (it != peers_.end() && !it->second.socket)
            forget(id);
    });
    for (ConnectionId old : admission_.opened(id, addressText(tcp->peerAddress())))
        end(old, QStringLiteral("room for a newer connection"), Ending::Abort);
#ifndef QT_NO_SSL
    if (auto* ssl = qobject_cast<QSslSocket*>(tcp)) {
        QObject::connect(ssl, &QSslSocket::encrypted, ssl, [this, id] { upgrade(id); });
        QObject::connect(ssl, &QSslSocket::sslErrors, ssl,
                         [this, id] { end(id, QStringLiteral("TLS failed"), Ending::Abort); });
        ssl->startServerEncryption();
        return;
    }
#endif
    upgrade(id);
}

void HostTransport::upgrade(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it != peers_.end() && it->second.tcp)
        upgrader_->handleConnection(it->second.tcp);
}

// The WebSocket handshake of one or more connections is done: each is matched to its
// connection by the peer's address and port, which are the TCP connection's own.
void HostTransport::upgraded() {
    while (QWebSocket* socket = upgrader_->nextPendingConnection()) {
        auto match = peers_.end();
        for (auto it = peers_.begin(); it != peers_.end(); ++it) {
            const QTcpSocket* tcp = it->second.tcp;
            if (tcp && !it->second.socket && tcp->peerAddress() == socket->peerAddress() &&
                tcp->peerPort() == socket->peerPort())
                match = it;
        }
        if (match == peers_.end() || match->second.closingSinceMs) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        const ConnectionId id = match->first;
        match->second.socket = socket;
        socket->setMaxAllowedIncomingMessageSize(kMaxClientMessageBytes);
        socket->setMaxAllowedIncomingFrameSize(kMaxClientMessageBytes);
        QObject::connect(socket, &QWebSocket::pong, socket, [this, id] {
            if (const auto p = peers_.find(id); p != peers_.end())
                p->second.lastHeardMs = clock_.elapsed();
        });
        QObject::connect(socket, &QWebSocket::textMessageReceived, socket,
                         [this, id](const QString& text) {
                             const auto p = peers_.find(id);
                             if (p == peers_.end() || p->second.closingSinceMs)
                                 return;
                             p->second.lastHeardMs = clock_.elapsed();
                             decide(id, admission_.received(id, text.toUtf8()));
                         });
        QObject::connect(socket, &QWebSocket::binaryMessageReceived, socket,
                         [this, id](const QByteArray&) {
                             const auto p = peers_.find(id);
                             if (p != peers_.end() && !p->second.closingSinceMs)
                                 decide(id, admission_.receivedBinary(id));
                         });
        QObject::connect(socket, &QWebSocket::disconnected, socket, [this, id] { forget(id); });
    }
}

void HostTransport::metered(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end() || !it->second.tcp || it->second.closingSinceMs)
        return;
    const Verdict v = admission_.receivedBytes(id, it->second.tcp->bytesAvailable());
    if (const auto* broke = std::get_if<Disconnect>(&v)) {
        const QString why = broke->why;
        // Not from inside the socket's own signal: the reader it is about to call goes first.
        QMetaObject::invokeMethod(
            it->second.tcp, [this, id, why] { end(id, why, Ending::Abort); }, Qt::QueuedConnection);
    }
}

void HostTransport::decide(ConnectionId id, const Verdict& verdict) {
    if (const auto* admit = std::get_if<Admit>(&verdict)) {
        // The welcome goes first: what the closing of a replaced connection tells the
        // clients must not reach this one before it.
        send(id, Welcome{admit->seats, admit->names, admit->tokens});
        for (ConnectionId old : admit->replaced)
            end(old, QStringLiteral("its player joined again"), Ending::Abort);
        if (handlers_.joined)
            handlers_.joined(id, admit->seats, admit->names);
    } else if (const auto* refuse = std::get_if<Refuse>(&verdict)) {
        send(id, Refused{refuse->reason});
        end(id, reasonText(refuse->reason), Ending::Close);
    } else if (const auto* broke = std::get_if<Disconnect>(&verdict)) {
        end(id, broke->why, Ending::Close);
    } else if (const auto* deliver = std::get_if<Deliver>(&verdict)) {
        if (handlers_.input)
            handlers_.input(deliver->input);
    }
}

// The host is done with a connection: its seats are free for their players at once, and the
// connection is closed, politely or at once. A polite close that drags on is cut by the sweep.
void HostTransport::end(ConnectionId id, const QString& why, Ending how) {
    const auto it = peers_.find(id);
    if (it == peers_.end())
        return;
    Peer& peer = it->second;
    if (!peer.released) {
        peer.released = true;
        const QList<int> seats = admission_.seatsOf(id);
        admission_.closed(id);
        if (!seats.isEmpty() && handlers_.left)
            handlers_.left(id, seats);
    }
    if (how == Ending::Close && peer.socket && !peer.closingSinceMs) {
        peer.closingSinceMs = clock_.elapsed();
        peer.socket->close(QWebSocketProtocol::CloseCodePolicyViolated,
                           why.left(kCloseReasonLength));
        return;
    }
    peer.closingSinceMs = peer.closingSinceMs.value_or(clock_.elapsed());
    if (peer.socket)
        peer.socket->abort();
    else if (peer.tcp)
        peer.tcp->abort();
    forget(id);
}

// The connection is gone, or its socket deleted: nothing of it stays.
void HostTransport::forget(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end())
        return;
    Peer peer = it->second;
    peers_.erase(it);
    if (!peer.released) {
        const QList<int> seats = admission_.seatsOf(id);
        admission_.closed(id);
        if (!seats.isEmpty() && handlers_.left)
            handlers_.left(id, seats);
    }
    if (peer.socket) {
        QObject::disconnect(peer.socket, nullptr, nullptr, nullptr);
        peer.socket->deleteLater();
    }
    // Neither the WebSocket made from a connection nor the server upgrading it takes the
    // connection for its own: it is the host's to delete, after its WebSocket.
    if (peer.tcp) {
        QObject::disconnect(peer.tcp, nullptr, nullptr, nullptr);
        if (!peer.socket)
            peer.tcp->abort();
        peer.tcp->deleteLater();
    }
}

bool HostTransport::admittedPeer(ConnectionId id, const Peer& peer) const {
    return peer.socket && !peer.closingSinceMs && admission_.admitted(id);
}

// The hello deadlines, what the host holds unsent for each peer, and the closings.
void HostTransport::sweep() {
    for (ConnectionId id : admission_.overdue())
        end(id, QStringLiteral("no hello in time"), Ending::Abort);
    const qint64 now = clock_.elapsed();
    std::vector<std::pair<ConnectionId, QString>> cut;
    for (auto& [id, peer] : peers_) {
        const qint64 queued =
            peer.socket ? peer.socket->bytesToWrite() : (peer.tcp ? peer.tcp->bytesToWrite() : 0);
        if (queued <= limits_.maxQueuedBytes)
            peer.overQueuedSinceMs.reset();
        else if (!peer.overQueuedSinceMs)
            peer.overQueuedSinceMs = now;
        if (peer.overQueuedSinceMs && now - *peer.overQueuedSinceMs > limits_.queuedMs)
            cut.emplace_back(id, QStringLiteral("more unsent bytes than the host holds"));
        else if (peer.closingSinceMs && now - *peer.closingSinceMs > limits_.closingMs)
            cut.emplace_back(id, QStringLiteral("its closing took too long"));
    }
    for (const auto& [id, why] : cut) end(id, why, Ending::Abort);
}

// A client that has gone silent (its machine asleep, its cable pulled) closes nothing itself:
// the pings find it, and its seats wait for it as for one that left.
void HostTransport::keepAlive() {
    const qint64 now = clock_.elapsed();
    std::vector<ConnectionId> silent;
    for (const auto& [id, peer] : peers_) {
        if (!admittedPeer(id, peer) || admission_.seatsOf(id).isEmpty())
            continue;
        if (now - peer.lastHeardMs > limits_.silentMs)
            silent.push_back(id);
        else
            peer.socket->ping();
    }
    for (ConnectionId id : silent) end(id, QStringLiteral("silent"), Ending::Abort);
}

void HostTransport::send(ConnectionId id, const HostMessage& message) {
    const auto it = peers_.find(id);
    if (it != peers_.end() && it->second.socket && !it->second.closingSinceMs)
        it->second.socket->sendTextMessage(QString::fromUtf8(encode(message)));
}

void HostTransport::broadcast(const HostMessage& message) {
    const QString text = QString::fromUtf8(encode(message));
    for (const auto& [id, peer] : peers_) {
        if (admittedPeer(id, peer))
            peer.socket->sendTextMessage(text);
    }
}

}  // namespace kroda::network
