#include "widgets/network_host.h"

#include "model/seat_defaults.h"
#include "network/host_session.h"
#include "network/join_code.h"
#include "widgets/error_box.h"
#include "widgets/frm_back.h"
#include "widgets/front_window.h"
#include "widgets/host_window.h"

#include <QApplication>
#include <QPointer>

#include <cstdio>

namespace kroda::widgets {

int hostGame(const QString& appFolder, const SessionOptions& options, const HostOptions& host) {
    GameSession session(appFolder, options);
    GameState& s = session.game().state;
    s.PlayerCount = static_cast<Integer>(host.seats.size());
    s.BankruptCardOn = false;
    QList<int> networkSeats;
    for (int p = 1; p <= 4; ++p) {
        const QChar who = p <= host.seats.size() ? host.seats[p - 1] : QLatin1Char('c');
        setUpSeat(s, p, who != QLatin1Char('c'), QStringLiteral("ผู้เล่น:%1").arg(p));
        if (who == QLatin1Char('n'))
            networkSeats << p;
    }

    network::HostSession net(
        session.game(),
        [&session]() -> const VirtualClock& { return session.clock()->virtualClock(); },
        networkSeats, network::newJoinCode());
    net.deliver = [&session](const network::HostSession::GameInput& in) { session.deliver(in); };
    if (options.narration)
        net.waitingTold = [](const QString& line) {
            const QByteArray bytes = line.toUtf8() + '\n';
            std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
            std::fflush(stdout);
        };
    network::HostTransport::Options listen;
    listen.port = host.port;
    listen.certificateFile = host.certificateFile;
    listen.keyFile = host.keyFile;
    if (const auto error = net.listen(listen)) {
        reportFault(*error, true);
        return 1;
    }
    std::printf("host-port %u code %s\n", static_cast<unsigned>(net.port()),
                net.code().toUtf8().constData());
    std::fflush(stdout);

    QPointer<HostWindow> waiting;
    bool started = false;
    const auto startGame = [&] {
        if (started)
            return;
        started = true;
        auto* backdrop = new FrmBack;
        backdrop->load(FrontWindow::screenSize());
        backdrop->show();
        if (!session.start(backdrop)) {
            backdrop->close();
            QApplication::exit(1);
            return;
        }
        net.begin();
        if (waiting)
            waiting->hide();
    };
    const auto pressed = [&] {
        // Before the game: the empty seats go to the computer and play starts. During it: the
        // seats whose players are gone go to the computer.
        for (int seat : QList<int>(net.networkSeats()))
            if (!net.connected(seat))
                net.handToComputer(seat);
        startGame();
    };
    waiting = new HostWindow(net, session.game(), hostAddresses(), pressed, options.scale);
    waiting->setAttribute(Qt::WA_DeleteOnClose);
    const QSize screen = FrontWindow::screenSize();
    waiting->move((screen.width() - waiting->width()) / 2,
                  (screen.height() - waiting->height()) / 2);
    net.seatsChanged = [&] {
        if (!started && net.everySeatTaken()) {
            startGame();
            return;
        }
        if (!waiting)
            return;
        waiting->update();
        if (started)
            waiting->setVisible(!net.everySeatTaken());
    };
    // Closing the waiting window before the game ends the program.
    QObject::connect(waiting, &QObject::destroyed, [&] {
        if (!started)
            QApplication::quit();
    });
    if (networkSeats.isEmpty())
        startGame();
    else
        waiting->show();
    const int status = QApplication::exec();
    if (waiting)
        waiting->disconnect();
    delete waiting;
    return status;
}

}  // namespace kroda::widgets
