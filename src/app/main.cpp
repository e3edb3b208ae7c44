// Kroda. Until the game has its windows, it plays a game of four computer players in the
// terminal: the narrator's every message, as he finishes it, with the game clock beside it.

#include "frontend/seat_defaults.h"
#include "game/windowless_game.h"
#include "model/board_reader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>

#include <cstdio>

namespace {

QString clockText(std::int64_t ms) {
    const std::int64_t s = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    kroda::WindowlessGame windowless(QCoreApplication::applicationDirPath());
    kroda::Game& game = windowless.game;
    game.random.seed(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));

    kroda::GameState& s = game.state;
    s.PlayerCount = 4;
    s.BankruptCardOn = true;
    s.NewBoard = true;
    s.Config.ConfigPath = game.appFolder() + QStringLiteral("/KovarT.dat");
    for (int p = 1; p <= 4; ++p) {
        s.Players(p).Name = QStringLiteral("ผู้เล่น:%1").arg(p);
        s.Players(p).IsHuman = false;
        s.Players(p).Color = kroda::seatDefaults()[p - 1].Color;
    }

    game.narrationComplete = [&](kroda::Integer, const QString& message) {
        out << clockText(windowless.clock.now()) << "  " << message << Qt::endl;
    };
    try {
        game.Form_Load();
    } catch (const kroda::BoardLoadError& e) {
        err << e.text() << Qt::endl;
        return 1;
    }

    // A game ends with the winner's narration; the clock stops there. Nobody sits at the
    // keyboard, so a drawn card is read out and put away after a moment.
    const std::int64_t day = std::int64_t{24} * 3600 * 1000;
    windowless.play(day, 1500, [&] {
        out << clockText(windowless.clock.now()) << "  [" << game.window.FrmCard.TxtCrd.Text << "]"
            << Qt::endl;
    });
    return game.isOver() ? 0 : 2;
}
