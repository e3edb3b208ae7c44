#pragma once
// The host's side of network play: a WebSocket server (ws, or wss with a certificate and key)
// whose connections go through the admission rules. Admitted clients' inputs come out of the
// `input` handler, for the game to apply through the same path as local ones; what the clients
// show goes out with send and broadcast.

#include "network/admission.h"
#include "network/protocol.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

class QWebSocket;
class QWebSocketServer;

namespace kroda::network {

class HostTransport {
  public:
    struct Options {
        QHostAddress address = QHostAddress::Any;
        quint16 port = kDefaultPort;  // 0: any free port
        // Both set: the server speaks wss with this PEM certificate and key.
        QString certificateFile;
        QString keyFile;
        // Every admitted client is pinged this often; one not heard from (a message or a
        // pong) for silentMs is taken for gone.
        int pingMs = 5000;
        int silentMs = 15000;
    };
    struct Handlers {
        std::function<void(const Input&)> input;
        // Each seat given, with the name that took it, in the same order.
        std::function<void(ConnectionId, const QList<int>& seats, const QStringList& names)> joined;
        std::function<void(ConnectionId, const QList<int>& seats)> left;
    };

    HostTransport(QString code, QList<int> networkSeats, Handlers handlers,
                  AdmissionRules rules = {});
    ~HostTransport();
    HostTransport(const HostTransport&) = delete;
    HostTransport& operator=(const HostTransport&) = delete;

    // Starts listening; on failure returns what is wrong (a port in use, an unreadable
    // certificate or key).
    std::optional<QString> listen(const Options& options);
    quint16 port() const;
    bool secure() const;
    const Admission& admission() const { return admission_; }
    // See Admission::withdraw.
    void withdrawSeat(int seat) { admission_.withdraw(seat); }

    void send(ConnectionId id, const HostMessage& message);
    // To every admitted client.
    void broadcast(const HostMessage& message);

  private:
    void accept();
    void act(ConnectionId id, const Verdict& verdict);
    void shut(ConnectionId id, const QString& why);
    void gone(ConnectionId id);
    void keepAlive();

    Handlers handlers_;
    QElapsedTimer clock_;
    Admission admission_;
    std::unique_ptr<QWebSocketServer> server_;
    std::map<ConnectionId, QWebSocket*> sockets_;
    std::map<ConnectionId, qint64> lastHeardMs_;
    std::set<ConnectionId> shutting_;
    QTimer helloTimer_;
    QTimer pingTimer_;
    int silentMs_ = 15000;
    ConnectionId nextId_ = 1;
};

}  // namespace kroda::network
