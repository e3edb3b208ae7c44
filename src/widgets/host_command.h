#pragma once
// `kroda --host --seats LIST`: the game of the command line's seats, hosted for the network
// seats' players until the host quits.

#include "network/protocol.h"
#include "widgets/game_session.h"

#include <QHostAddress>
#include <QString>

namespace kroda::widgets {

struct HostOptions {
    QHostAddress address = QHostAddress::Any;  // one address of the machine, or all
    quint16 port = network::kDefaultPort;      // 0: a free port
    QString seats;                             // p person here, c computer, n network seat
    QString certificateFile;
    QString keyFile;
};

// Runs the game until the player quits; the program's exit status.
int hostGame(const QString& appFolder, const SessionOptions& session, const HostOptions& host);

}  // namespace kroda::widgets
