#pragma once
// A client's game: it joins the host, keeps the save's document of the host's game and loads
// every moment the host sends into a copy of its own, which runs no rules and whose clock
// never ticks. The windows draw that copy; narration lines and sounds are handed on as they
// arrive. A refusal, a lost host or a moment that does not load ends the client's game.

#include "game/game.h"
#include "network/client_transport.h"
#include "network/host_copy.h"
#include "network/seat_token_store.h"
#include "network/token_bucket.h"
#include "platform/null_front_end.h"
#include "sequencer/virtual_clock.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace kroda::network {

// Why a client's game ended.
struct ClientEnding {
    enum Kind {
        Refused,     // the host said no: `reason`
        Unanswered,  // no host answered at `address` in time
        Untrusted,   // the host's certificate failed verification
        Lost,        // the connection to the host broke
        Fault,       // the host sent what cannot be read
        Left,        // the player left
    } kind = Lost;
    std::optional<RefusalReason> reason;  // with Refused
    int hostVersion = kProtocolVersion;   // with RefusalReason::Version
    QString address;                      // the host as joined, "HOST:PORT"
    QString detail;                       // what the transport or the reader said, in English
};

class ClientSession {
  public:
    struct Handlers {
        // The first state has been loaded: the game can be shown.
        std::function<void()> started;
        // The copy holds a new moment.
        std::function<void()> changed;
        std::function<void(const QString& line)> narration;
        std::function<void(const QString& file)> sound;
        // The host's seats, before the game starts and whenever one changes.
        std::function<void(const Seats& seats)> seats;
        std::function<void(const ClientEnding& ending)> ended;
    };

    // The seats' tokens are kept in `tokenFile` (SeatTokenStore), or nowhere when it is empty.
    ClientSession(const QString& appFolder, Handlers handlers,
                  const QString& tokenFile = SeatTokenStore::defaultFile());
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    // See ClientTransport::trustCertificates.
    std::optional<QString> trustCertificates(const QString& pemFile) {
        return transport_.trustCertificates(pemFile);
    }
    // Joins with the hello's code and names; the seats' tokens kept for them go with it.
    void join(const QUrl& url, const Hello& hello);
    // See ClientTransport::setAnswerMs.
    void setAnswerMs(int ms) { transport_.setAnswerMs(ms); }
    // An input of the person at this client; dropped until the game has started, and beyond
    // the pace of kInputBurst and kInputsPerSecond, well under the host's limit: keys pressed
    // as fast as fingers go never cost the connection.
    void send(const Input& input);
    static constexpr double kInputBurst = 20;
    static constexpr double kInputsPerSecond = 20;
    void leave();

    const Game& game() const { return *game_; }
    bool started() const { return started_; }
    // The seats this client owns, once welcomed.
    const QList<int>& seats() const { return transport_.seats(); }
    // Every seat of the host's game, as the host last told.
    const Seats& hostSeats() const { return hostSeats_; }
    // The copy's moment as the save serialiser writes it.
    QByteArray saved() const;
    // The save's document of the last moment loaded.
    const QJsonObject& document() const { return copy_.document(); }
    const std::optional<ClientEnding>& ending() const { return ending_; }

    // The host as the player gave it, "HOST:PORT".
    QString address() const;

  private:
    void received(const HostMessage& message);
    void welcomed(const Welcome& welcome);
    void closed(const ClientTransport::Closing& closing);
    // The copy has taken a state or a moment, or failed to.
    void loaded(const std::optional<QString>& fault);
    void end(ClientEnding ending);
    SeatTokenStore::Key seatKey(const QString& name) const;

    Handlers handlers_;
    SeatTokenStore tokens_;
    QElapsedTimer elapsed_;
    TokenBucket pace_{kInputBurst, kInputsPerSecond, 0};
    QUrl url_;
    Hello hello_;
    // The copy runs no rules and never asks its port to play or show anything; a port
    // without windows keeps the saved time of day, so the copy writes the save it read.
    NullFrontEnd port_;
    std::unique_ptr<Game> game_;
    VirtualClock clock_;
    HostCopy copy_;
    ClientTransport transport_;
    bool started_ = false;
    std::optional<Refused> refusal_;
    Seats hostSeats_;
    std::optional<ClientEnding> ending_;
};

// The ending in the player's words, in Thai.
QString endingText(const ClientEnding& ending);

}  // namespace kroda::network
