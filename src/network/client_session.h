#pragma once
// A client's game: it joins the host, keeps the save's document of the host's game and loads
// every moment the host sends into a copy of its own, which runs no rules and whose clock
// never ticks. The windows draw that copy; narration lines and sounds are handed on as they
// arrive. A refusal, a lost host or a moment that does not load ends the client's game.

#include "game/game.h"
#include "network/client_transport.h"
#include "network/host_copy.h"
#include "platform/null_front_end.h"
#include "sequencer/virtual_clock.h"

#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace kroda::network {

// Why a client's game ended.
struct ClientEnding {
    enum Kind { Refused, Lost, Fault, Left } kind = Lost;
    std::optional<RefusalReason> reason;  // with Refused
    QString detail;                       // what the transport or the reader said
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
        std::function<void(const ClientEnding& ending)> ended;
    };

    ClientSession(const QString& appFolder, Handlers handlers);
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    // See ClientTransport::trustCertificates.
    std::optional<QString> trustCertificates(const QString& pemFile) {
        return transport_.trustCertificates(pemFile);
    }
    void join(const QUrl& url, const Hello& hello);
    // An input of the person at this client; dropped until the game has started.
    void send(const Input& input);
    void leave();

    const Game& game() const { return *game_; }
    bool started() const { return started_; }
    const QList<int>& seats() const { return transport_.seats(); }
    // The copy's moment as the save serialiser writes it.
    QByteArray saved() const;
    // The save's document of the last moment loaded.
    const QJsonObject& document() const { return copy_.document(); }
    const std::optional<ClientEnding>& ending() const { return ending_; }

  private:
    void received(const HostMessage& message);
    // The copy has taken a state or a moment, or failed to.
    void loaded(const std::optional<QString>& fault);
    void end(ClientEnding ending);

    Handlers handlers_;
    // The copy runs no rules and never asks its port to play or show anything; a port
    // without windows keeps the saved time of day, so the copy writes the save it read.
    NullFrontEnd port_;
    std::unique_ptr<Game> game_;
    VirtualClock clock_;
    HostCopy copy_;
    ClientTransport transport_;
    bool started_ = false;
    std::optional<RefusalReason> refusal_;
    std::optional<ClientEnding> ending_;
};

// The ending in the player's words.
QString endingText(const ClientEnding& ending);

}  // namespace kroda::network
