// kroda-narration-pace FOLDER [--speed F]: the narrator's pace on the real clock. The game of
// FOLDER starts as the game window loads it, and its timers run on a precise Qt timer that
// moves the virtual clock on to the real time elapsed (times F). The greeting has 64
// characters, so it completes on the 65th tick of TimerTalk: 65 x 60 ms / F. Prints
//   greeting-ms R expected-ms E ratio R/E

#include "game/game.h"
#include "model/board_reader.h"
#include "model/seat_defaults.h"
#include "platform/recording_port.h"
#include "sequencer/virtual_clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    double speed = 1;
    if (args.size() == 3 && args[1] == QLatin1String("--speed"))
        speed = args[2].toDouble();
    if ((args.size() != 1 && args.size() != 3) || speed < 0.25 || speed > 100) {
        std::fprintf(stderr, "usage: kroda-narration-pace FOLDER [--speed F]\n");
        return 2;
    }

    kroda::RecordingPort port;
    kroda::Game game(port, args[0]);
    kroda::VirtualClock clock(game.timers, [&](kroda::TimerId id) { game.fire(id); });
    kroda::GameState& s = game.state;
    s.PlayerCount = 4;
    s.NewBoard = true;
    s.Config.ConfigPath = game.appFolder() + QStringLiteral("/KovarT.dat");
    for (int p = 1; p <= 4; ++p) {
        s.Players(p).Name = QStringLiteral("ผู้เล่น:%1").arg(p);
        s.Players(p).Color = kroda::seatDefaults()[p - 1].Color;
    }

    QElapsedTimer real;
    double greetingMs = -1;
    qsizetype length = 0;
    game.narrationComplete = [&](kroda::Integer step, const QString& message) {
        if (step == kroda::Greeting && greetingMs < 0) {
            greetingMs = static_cast<double>(real.nsecsElapsed()) / 1e6;
            length = message.size();
            app.quit();
        }
    };
    try {
        game.Form_Load();
    } catch (const kroda::BoardLoadError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    real.start();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const auto target = static_cast<std::int64_t>(real.nsecsElapsed() / 1e6 * speed);
        if (target > clock.now())
            clock.advance(target - clock.now());
    });
    tick.start();
    app.exec();
    if (greetingMs < 0)
        return 1;
    const double expected = static_cast<double>(length + 1) * 60.0 / speed;
    std::printf("greeting-ms %.1f expected-ms %.1f ratio %.4f characters %lld\n", greetingMs,
                expected, greetingMs / expected, static_cast<long long>(length));
    return 0;
}
