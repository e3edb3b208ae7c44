// kroda-bench [GAMES] [SEED]: plays games of four computer players on the default board and
// reports how fast the engine runs them.

#include "headless/simulator.h"
#include "model/board_reader.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    kroda::headless::SimulationSettings settings;
    settings.folder = QCoreApplication::applicationDirPath();
    settings.bankruptCardOn = true;  // as the new-game wizard starts
    settings.games = 200;
    settings.seed = 1;
    bool ok = true;
    if (argc > 1)
        settings.games = QString::fromLocal8Bit(argv[1]).toInt(&ok);
    if (ok && argc > 2)
        settings.seed = QString::fromLocal8Bit(argv[2]).toULongLong(&ok);
    if (!ok || argc > 3 || settings.games < 1) {
        std::cerr << "usage: kroda-bench [GAMES] [SEED]\n";
        return 2;
    }

    kroda::headless::SimulationResult r;
    try {
        r = kroda::headless::simulate(settings);
    } catch (const kroda::BoardLoadError& e) {
        std::cerr << e.text().toStdString() << '\n';
        return 3;
    }
    const double seconds = r.seconds > 0 ? r.seconds : 1e-9;
    std::cout << "games: " << r.games.size() << " (" << r.won() << " won, " << r.cutOff()
              << " cut off)\n"
              << "turns: " << r.totalTurns() << "\n"
              << "timer ticks: " << r.ticks() << "\n"
              << "seconds: " << r.seconds << "\n"
              << "timer ticks per second: " << static_cast<long long>(r.ticks() / seconds) << "\n"
              << "turns per second: " << static_cast<long long>(r.totalTurns() / seconds) << "\n";
    return 0;
}
