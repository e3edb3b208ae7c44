#pragma once
// `kroda --join`: joins the address, asking in the join window for what the command line left
// out, and plays until the game ends for this client.

#include "network/client_session.h"
#include "widgets/client_game.h"

#include <QString>
#include <QStringList>

namespace kroda::widgets {

struct JoinOptions {
    QString address;
    QString code;
    QStringList names;            // one for each person at this machine, 1..4
    QString trustedCertificates;  // a PEM file of certificates to trust for wss, or empty
    ClientOptions client;
};

// Returns the program's status: 0 after leaving, 1 after a refusal, no host, a lost host (an
// untrusted certificate among the ways to lose it) or a broken moment, with a line on stderr;
// 2 for options it cannot use.
int playJoined(const QString& appFolder, const JoinOptions& options);

// The line on stderr for an ending, in English with what the host or the socket said, or
// empty for a player who left.
QString endingLine(const network::ClientEnding& ending);

}  // namespace kroda::widgets
