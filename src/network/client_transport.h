#pragma once
// A client's side of network play: one WebSocket to the host (ws or wss). It says hello with
// the code, the names and their seats' tokens, then sends the person's inputs; everything the
// host sends comes out of the `message` handler once read and checked. A host that sends a
// malformed message is left, and so is one that has not answered the hello within
// kAnswerMs. Over wss the host's certificate must be one the system trusts or one given to
// trustCertificates (a host's certificate of its own making); a certificate that is neither
// ends the connection before the hello, saying so.

#include "network/protocol.h"

#include <QList>
#include <QString>
#include <QTimer>
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

// How long a host has to answer a hello, from the moment the client starts joining.
inline constexpr int kAnswerMs = 10'000;

// What is wrong with a PEM file of certificates to trust: it cannot be read, or holds none.
std::optional<QString> certificateFileProblem(const QString& pemFile);

class ClientTransport {
  public:
    // How the connection ended, with what the host or the socket said (in English).
    struct Closing {
        enum Kind {
            Lost,        // the connection closed or failed once it was up
            Unanswered,  // the host could not be reached, or did not answer in time
            Untrusted,   // the host's certificate failed verification
            Broken,      // the host broke the protocol
        } kind = Lost;
        QString detail;
    };
    struct Handlers {
        std::function<void(const HostMessage&)> message;
        std::function<void(const Closing& closing)> closed;
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
    // How long the host has to answer; kAnswerMs unless a test waits less.
    void setAnswerMs(int ms) { answer_.setInterval(ms); }
    // An input for one of the seats the welcome gave; dropped before the welcome.
    void send(const Input& input);
    void leave();

    Phase phase() const { return phase_; }
    const QList<int>& seats() const { return seats_; }

  private:
    void received(const QString& text);
    void end(Closing::Kind kind, const QString& detail);

    Handlers handlers_;
    std::unique_ptr<QWebSocket> socket_;
    Hello hello_;
    Phase phase_ = Phase::Idle;
    QList<int> seats_;
    std::shared_ptr<QList<QSslCertificate>> trusted_;
    QTimer answer_;
};

}  // namespace kroda::network
