#include "network/client_transport.h"

#include "model/regular_file.h"

#include <QFile>
#include <QWebSocket>

#ifndef QT_NO_SSL
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#endif

#include <utility>
#include <variant>

namespace kroda::network {

std::optional<QUrl> joinUrl(const QString& typed) {
    const QString text = typed.trimmed();
    const bool hasScheme =
        text.startsWith(QLatin1String("ws://")) || text.startsWith(QLatin1String("wss://"));
    QUrl url(hasScheme ? text : QStringLiteral("ws://") + text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery() ||
        url.hasFragment() || (url.path() != QLatin1String("/") && !url.path().isEmpty()))
        return std::nullopt;
    if (url.port() == -1)
        url.setPort(kDefaultPort);
    return url;
}

ClientTransport::ClientTransport(Handlers handlers) : handlers_(std::move(handlers)) {
    answer_.setSingleShot(true);
    answer_.setInterval(kAnswerMs);
    QObject::connect(&answer_, &QTimer::timeout, [this] {
        if (phase_ == Phase::Connecting || phase_ == Phase::AwaitingWelcome)
            end(Closing::Unanswered, QStringLiteral("no answer within %1 s").arg(kAnswerMs / 1000));
    });
}

namespace {

#ifndef QT_NO_SSL
// The certificates of the file, or what is wrong with it.
std::variant<QList<QSslCertificate>, QString> readCertificates(const QString& pemFile) {
    // A bundle of certificates is small; a larger file is none.
    const FileRead read = readRegularFile(pemFile, 4 * 1024 * 1024);
    if (!read.ok())
        return pemFile + QStringLiteral(": cannot be read: ") + read.error;
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(read.bytes, QSsl::Pem);
    if (certificates.isEmpty())
        return pemFile + QStringLiteral(": no PEM certificate could be read");
    return certificates;
}
#endif

}  // namespace

std::optional<QString> certificateFileProblem(const QString& pemFile) {
#ifndef QT_NO_SSL
    const auto read = readCertificates(pemFile);
    if (const auto* problem = std::get_if<QString>(&read))
        return *problem;
    return std::nullopt;
#else
    return pemFile + QStringLiteral(": this Qt has no TLS");
#endif
}

std::optional<QString> ClientTransport::trustCertificates(const QString& pemFile) {
#ifndef QT_NO_SSL
    auto read = readCertificates(pemFile);
    if (const auto* problem = std::get_if<QString>(&read))
        return *problem;
    trusted_ =
        std::make_shared<QList<QSslCertificate>>(std::move(std::get<QList<QSslCertificate>>(read)));
    return std::nullopt;
#else
    return pemFile + QStringLiteral(": this Qt has no TLS");
#endif
}

ClientTransport::~ClientTransport() {
    if (socket_) {
        QObject::disconnect(socket_.get(), nullptr, nullptr, nullptr);
        socket_->abort();
    }
}

void ClientTransport::join(const QUrl& url, const Hello& hello) {
    if (socket_) {
        QObject::disconnect(socket_.get(), nullptr, nullptr, nullptr);
        socket_->abort();
    }
    socket_ = std::make_unique<QWebSocket>();
    socket_->setMaxAllowedIncomingMessageSize(kMaxHostMessageBytes);
    // A frame is never larger than the message it carries: a frame announced larger is
    // refused as its header arrives, not read first.
    socket_->setMaxAllowedIncomingFrameSize(kMaxHostMessageBytes);
    hello_ = hello;
    seats_.clear();
    phase_ = Phase::Connecting;
    QWebSocket* s = socket_.get();
#ifndef QT_NO_SSL
    if (trusted_) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(*trusted_);
        s->setSslConfiguration(tls);
    }
    // A certificate that fails verification is never let through: the join ends, saying why.
    QObject::connect(s, &QWebSocket::sslErrors, s, [this](const QList<QSslError>& errors) {
        QStringList why;
        for (const QSslError& e : errors) why << e.errorString();
        end(Closing::Untrusted, QStringLiteral("the host's certificate is not trusted (%1)")
                                    .arg(why.join(QStringLiteral("; "))));
    });
#endif
    // Before the connection is up, any error ends the join: the host is not there.
    QObject::connect(s, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), s,
                     [this](QAbstractSocket::SocketError) {
                         if (phase_ == Phase::Connecting)
                             end(Closing::Unanswered, socket_->errorString());
                     });
    QObject::connect(s, &QWebSocket::connected, s, [this] {
        phase_ = Phase::AwaitingWelcome;
        socket_->sendTextMessage(QString::fromUtf8(encode(ClientMessage{hello_})));
    });
    QObject::connect(s, &QWebSocket::textMessageReceived, s,
                     [this](const QString& text) { received(text); });
    QObject::connect(s, &QWebSocket::binaryMessageReceived, s, [this](const QByteArray&) {
        end(Closing::Broken, QStringLiteral("the host sent a binary frame"));
    });
    QObject::connect(s, &QWebSocket::disconnected, s, [this] {
        const QString reason = socket_->closeReason();
        end(phase_ == Phase::Connecting ? Closing::Unanswered : Closing::Lost,
            reason.isEmpty() ? socket_->errorString() : reason);
    });
    answer_.start();
    socket_->open(url);
}

void ClientTransport::send(const Input& input) {
    if (phase_ == Phase::Admitted)
        socket_->sendTextMessage(QString::fromUtf8(encode(ClientMessage{input})));
}

void ClientTransport::leave() {
    if (socket_ && phase_ != Phase::Closed && phase_ != Phase::Idle)
        socket_->close(QWebSocketProtocol::CloseCodeNormal, QStringLiteral("left"));
}

void ClientTransport::received(const QString& text) {
    if (phase_ != Phase::AwaitingWelcome && phase_ != Phase::Admitted)
        return;
    QString error;
    const auto message = readHostMessage(text.toUtf8(), error);
    if (!message) {
        end(Closing::Broken, QStringLiteral("the host sent a malformed message: ") + error);
        return;
    }
    if (const auto* welcome = std::get_if<Welcome>(&*message)) {
        if (phase_ == Phase::Admitted) {
            end(Closing::Broken, QStringLiteral("the host sent a second welcome"));
            return;
        }
        // A welcome of another version is handed on for the player to be told, and admits
        // nothing: the host's messages could not be read.
        if (welcome->version == kProtocolVersion) {
            phase_ = Phase::Admitted;
            seats_ = welcome->seats;
        }
        answer_.stop();
    } else if (std::holds_alternative<Refused>(*message)) {
        answer_.stop();
    } else if (phase_ != Phase::Admitted) {
        end(Closing::Broken, QStringLiteral("the host sent a message before its welcome"));
        return;
    }
    if (handlers_.message)
        handlers_.message(*message);
}

// The connection's one ending: the handler hears of it once.
void ClientTransport::end(Closing::Kind kind, const QString& detail) {
    if (phase_ == Phase::Closed)
        return;
    phase_ = Phase::Closed;
    answer_.stop();
    if (socket_->state() != QAbstractSocket::UnconnectedState)
        socket_->abort();
    if (handlers_.closed)
        handlers_.closed({kind, detail});
}

}  // namespace kroda::network
