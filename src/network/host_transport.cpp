#include "network/host_transport.h"

#include <QFile>
#include <QWebSocket>
#include <QWebSocketServer>

#ifndef QT_NO_SSL
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#endif

#include <utility>
#include <vector>

namespace kroda::network {

namespace {

constexpr int kHelloCheckMs = 250;

// An IPv4 peer seen through an IPv6 socket counts as the same address.
QString addressText(const QHostAddress& address) {
    bool v4 = false;
    const quint32 ip4 = address.toIPv4Address(&v4);
    return v4 ? QHostAddress(ip4).toString() : address.toString();
}

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
                             AdmissionRules rules)
    : handlers_(std::move(handlers)),
      admission_(std::move(code), std::move(networkSeats), rules,
                 [this] { return clock_.elapsed(); }) {
    clock_.start();
    helloTimer_.setInterval(kHelloCheckMs);
    QObject::connect(&helloTimer_, &QTimer::timeout, [this] {
        for (ConnectionId id : admission_.overdue()) shut(id, QStringLiteral("no hello in time"));
    });
}

HostTransport::~HostTransport() {
    helloTimer_.stop();
    pingTimer_.stop();
    for (auto& [id, socket] : sockets_) {
        QObject::disconnect(socket, nullptr, nullptr, nullptr);
        socket->abort();
        delete socket;
    }
}

std::optional<QString> HostTransport::listen(const Options& options) {
    const bool tls = !options.certificateFile.isEmpty() || !options.keyFile.isEmpty();
    server_ = std::make_unique<QWebSocketServer>(
        QStringLiteral("Kroda"),
        tls ? QWebSocketServer::SecureMode : QWebSocketServer::NonSecureMode);
    if (tls) {
#ifndef QT_NO_SSL
        QSslConfiguration config;
        if (auto error = loadTls(options, config))
            return error;
        server_->setSslConfiguration(config);
#else
        return QStringLiteral("this Qt has no TLS");
#endif
    }
    server_->setMaxPendingConnections(AdmissionRules{}.maxConnections);
    server_->setHandshakeTimeout(std::chrono::milliseconds(AdmissionRules{}.helloMs));
    QObject::connect(server_.get(), &QWebSocketServer::newConnection, [this] { accept(); });
    if (!server_->listen(options.address, options.port))
        return QStringLiteral("cannot listen on port %1: %2")
            .arg(options.port)
            .arg(server_->errorString());
    helloTimer_.start();
    silentMs_ = options.silentMs;
    pingTimer_.setInterval(options.pingMs);
    QObject::connect(&pingTimer_, &QTimer::timeout, [this] { keepAlive(); });
    pingTimer_.start();
    return std::nullopt;
}

quint16 HostTransport::port() const {
    return server_ ? server_->serverPort() : 0;
}

bool HostTransport::secure() const {
    return server_ && server_->secureMode() == QWebSocketServer::SecureMode;
}

void HostTransport::accept() {
    while (QWebSocket* socket = server_->nextPendingConnection()) {
        const ConnectionId id = nextId_++;
        socket->setMaxAllowedIncomingMessageSize(kMaxClientMessageBytes);
        socket->setMaxAllowedIncomingFrameSize(kMaxClientMessageBytes);
        sockets_[id] = socket;
        lastHeardMs_[id] = clock_.elapsed();
        QObject::connect(socket, &QWebSocket::pong, socket,
                         [this, id] { lastHeardMs_[id] = clock_.elapsed(); });
        QObject::connect(socket, &QWebSocket::textMessageReceived, socket,
                         [this, id](const QString& text) {
                             lastHeardMs_[id] = clock_.elapsed();
                             if (!shutting_.contains(id))
                                 act(id, admission_.received(id, text.toUtf8()));
                         });
        QObject::connect(socket, &QWebSocket::binaryMessageReceived, socket,
                         [this, id](const QByteArray&) {
                             if (!shutting_.contains(id))
                                 act(id, admission_.receivedBinary(id));
                         });
        QObject::connect(socket, &QWebSocket::disconnected, socket, [this, id] { gone(id); });
        act(id, admission_.opened(id, addressText(socket->peerAddress())));
    }
}

void HostTransport::act(ConnectionId id, const Verdict& verdict) {
    if (const auto* admit = std::get_if<Admit>(&verdict)) {
        send(id, Welcome{admit->seats});
        if (handlers_.joined)
            handlers_.joined(id, admit->seats, admit->names);
    } else if (const auto* refuse = std::get_if<Refuse>(&verdict)) {
        send(id, Refused{refuse->reason});
        shut(id, reasonText(refuse->reason));
    } else if (const auto* broke = std::get_if<Disconnect>(&verdict)) {
        shut(id, broke->why);
    } else if (const auto* deliver = std::get_if<Deliver>(&verdict)) {
        if (handlers_.input)
            handlers_.input(deliver->input);
    }
}

// Closes a connection the host is done with; its seats are free for the same name at once.
void HostTransport::shut(ConnectionId id, const QString& why) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end() || !shutting_.insert(id).second)
        return;
    const QList<int> seats = admission_.seatsOf(id);
    admission_.closed(id);
    if (!seats.isEmpty() && handlers_.left)
        handlers_.left(id, seats);
    // A close reason is at most 123 bytes.
    it->second->close(QWebSocketProtocol::CloseCodePolicyViolated, why.left(60));
}

void HostTransport::gone(ConnectionId id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end())
        return;
    if (!shutting_.contains(id)) {
        const QList<int> seats = admission_.seatsOf(id);
        admission_.closed(id);
        if (!seats.isEmpty() && handlers_.left)
            handlers_.left(id, seats);
    }
    shutting_.erase(id);
    lastHeardMs_.erase(id);
    it->second->deleteLater();
    sockets_.erase(it);
}

// A client that has gone silent (its machine asleep, its cable pulled) closes nothing itself:
// the pings find it, and its seats wait for it as for one that left.
void HostTransport::keepAlive() {
    const qint64 now = clock_.elapsed();
    std::vector<ConnectionId> silent;
    for (const auto& [id, socket] : sockets_) {
        if (shutting_.contains(id) || admission_.seatsOf(id).isEmpty())
            continue;
        if (now - lastHeardMs_[id] > silentMs_)
            silent.push_back(id);
        else
            socket->ping();
    }
    for (ConnectionId id : silent) {
        const QList<int> seats = admission_.seatsOf(id);
        shutting_.insert(id);
        admission_.closed(id);
        if (handlers_.left)
            handlers_.left(id, seats);
        sockets_[id]->abort();
    }
}

void HostTransport::send(ConnectionId id, const HostMessage& message) {
    const auto it = sockets_.find(id);
    if (it != sockets_.end() && !shutting_.contains(id))
        it->second->sendTextMessage(QString::fromUtf8(encode(message)));
}

void HostTransport::broadcast(const HostMessage& message) {
    const QString text = QString::fromUtf8(encode(message));
    for (const auto& [id, socket] : sockets_) {
        if (!shutting_.contains(id) && !admission_.seatsOf(id).isEmpty())
            socket->sendTextMessage(text);
    }
}

}  // namespace kroda::network
