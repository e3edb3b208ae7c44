#include "network/host_transport.h"

#include <QFile>
#include <QHostInfo>
#include <QNetworkInterface>
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

// The names by which a browser on this machine or the network may reach the host.
QSet<QString> ownNames(const QHostAddress& listening) {
    QSet<QString> names{QStringLiteral("localhost")};
    const QString local = QHostInfo::localHostName().toLower();
    if (!local.isEmpty())
        names << local << local + QStringLiteral(".local");
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        names << addressText(address).toLower() << address.toString().toLower();
    if (!listening.isNull() && listening != QHostAddress::Any &&
        listening != QHostAddress::AnyIPv4 && listening != QHostAddress::AnyIPv6)
        names << addressText(listening).toLower();
    return names;
}

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
    web_ = std::make_unique<WebResponder>(options.web, ownNames(options.address));
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
    const qint64 now = clock_.elapsed();
    Peer peer;
    peer.tcp = tcp;
    peer.acceptedMs = now;
    peer.lastHeardMs = now;
    peers_[id] = peer;
    // Connected first, so that it sees every arrival before the request, the handshake or the
    // WebSocket reads it.
    QObject::connect(tcp, &QIODevice::readyRead, tcp, [this, id] {
        metered(id);
        request(id);
    });
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
        peers_[id].stage = Stage::Encrypting;
        QObject::connect(ssl, &QSslSocket::encrypted, ssl, [this, id] {
            if (const auto p = peers_.find(id); p != peers_.end()) {
                p->second.stage = Stage::Request;
                request(id);
            }
        });
        QObject::connect(ssl, &QSslSocket::sslErrors, ssl,
                         [this, id] { end(id, QStringLiteral("TLS failed"), Ending::Abort); });
        ssl->startServerEncryption();
    }
#endif
}

// The first request's head is looked at where it arrives, not taken: an upgrade leaves it
// for the WebSocket server to read.
void HostTransport::request(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end() || it->second.stage != Stage::Request || !it->second.tcp ||
        it->second.closingSinceMs)
        return;
    QTcpSocket* tcp = it->second.tcp;
    const QByteArray arrived = tcp->peek(kMaxRequestHead);
    const qsizetype length = requestHeadLength(arrived);
    if (length == 0) {
        if (arrived.size() >= kMaxRequestHead)
            respond(id, WebResponder::failure(431), 0);
        return;
    }
    const WebAnswer answer = web_->answer(QByteArrayView(arrived).first(length));
    if (answer.kind == WebAnswer::Respond) {
        respond(id, answer, length);
        return;
    }
    it->second.stage = Stage::Upgrading;
    it->second.counted = 0;
    upgrade(id);
}

// One answer to one request, and the connection closes once it is sent. Until then it is held
// to the same bounds as any connection that has not said hello: the hello's deadline and what
// the host may queue for it.
void HostTransport::respond(ConnectionId id, const WebAnswer& answer, qsizetype headLength) {
    Peer& peer = peers_.at(id);
    QTcpSocket* tcp = peer.tcp;
    peer.stage = Stage::Answered;
    tcp->skip(headLength);
    const auto closeWhenSent = [tcp] {
        if (tcp->bytesToWrite() == 0)
            tcp->disconnectFromHost();
    };
    QObject::connect(tcp, &QIODevice::bytesWritten, tcp, closeWhenSent);
#ifndef QT_NO_SSL
    if (auto* ssl = qobject_cast<QSslSocket*>(tcp))
        QObject::connect(ssl, &QSslSocket::encryptedBytesWritten, ssl, closeWhenSent);
#endif
    tcp->write(answer.response);
}

void HostTransport::upgrade(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end() || !it->second.tcp)
        return;
    QTcpSocket* tcp = it->second.tcp;
    upgrader_->handleConnection(tcp);
    // The request has already arrived: the server, which reads on readyRead, is told again.
    QMetaObject::invokeMethod(
        tcp, [tcp] { emit tcp->readyRead(); }, Qt::QueuedConnection);
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
        match->second.stage = Stage::Game;
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
    // Until the request is taken, what arrived stays where it is: only the growth is new. Later
    // a reader takes what it can, and a partial frame left from one arrival counts again at
    // the next, which errs against the sender.
    Peer& peer = it->second;
    const qint64 available = peer.tcp->bytesAvailable();
    const qint64 fresh = peer.stage == Stage::Request ? available - peer.counted : available;
    peer.counted = available;
    const Verdict v = admission_.receivedBytes(id, fresh);
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
    std::vector<ConnectionId> slow;
    for (const auto& [id, peer] : peers_)
        if (peer.stage == Stage::Request && now - peer.acceptedMs > limits_.requestMs)
            slow.push_back(id);
    for (ConnectionId id : slow) respond(id, WebResponder::failure(408), 0);
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
