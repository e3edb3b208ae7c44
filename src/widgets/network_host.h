#pragma once
// Hosting a game from the command line: the seats given, the server listening, the waiting
// window until every network seat has joined (or the host starts at once), then the game
// window, with the host session following the game.

#include "widgets/game_session.h"

#include <QString>

namespace kroda::widgets {

struct HostOptions {
    quint16 port = 47410;  // 0: a free port
    QString seats;         // p person here, c computer, n network seat
    QString certificateFile;
    QString keyFile;
};

// Runs the hosted game until the player quits; the program's exit status.
int hostGame(const QString& appFolder, const SessionOptions& session, const HostOptions& host);

}  // namespace kroda::widgets
