#pragma once
// A client's side of network play: one WebSocket to the host (ws or wss). It says hello with
// the code and the name, then sends the person's inputs; everything the host sends comes out
// of the `message` handler once read and checked. A host that sends a malformed message is
// left. Over wss the host's certificate must be one the system trusts or one given to
// trustCertificates (a host's certificate of its own making); a certificate that is neither
// ends the connection before the hello, saying so.

#include "network/protocol.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QWebSocket;
class QSslCertificate;

namespace kroda::network {

// The address a player types, "HOST", "HOST:PORT" or a ws:// or wss:// URL, as a URL with
// the default port filled in; nullopt when it is none of these.
std::optional<QUrl> joinUrl(const QString& typed);

class ClientTransport {
  public:
    struct Handlers {
        std::function<void(const HostMessage&)> message;
        // The connection ended; `why` is the host's reason or what went wrong.
        std::function<void(const QString& why)> closed;
    };
    enum class Phase { Idle, Connecting, AwaitingWelcome, Admitted, Closed };

    explicit ClientTransport(Handlers handlers);
    ~ClientTransport();
    ClientTransport(const ClientTransport&) = delete;
    ClientTransport& operator=(const ClientTransport&) = delete;

    // Trusts the PEM certificates of the file besides the system's, from the next join on.
    // Returns what is wrong: a file that cannot be read, or holds no PEM certificate.
    std::optional<QString> trustCertificates(const QString& pemFile);

    void join(const QUrl& url, const Hello& hello);
    // An input for one of the seats the welcome gave; dropped before the welcome.
    void send(const Input& input);
    void leave();

    Phase phase() const { return phase_; }
    const QList<int>& seats() const { return seats_; }

  private:
    void received(const QString& text);
    void end(const QString& why);

    Handlers handlers_;
    std::unique_ptr<QWebSocket> socket_;
    Hello hello_;
    Phase phase_ = Phase::Idle;
    QList<int> seats_;
    std::shared_ptr<QList<QSslCertificate>> trusted_;
};

}  // namespace kroda::network
