// Network play on one machine: a host (a game without windows behind HostTransport) and a
// ClientSession on 127.0.0.1. Prints two figures:
//   press-to-answer: from a key sent by the client to the client holding the host's next
//     moment (the host applies the key, its clock ticks, it sends the moment's patch, the
//     client loads it), median and p99 over 1000 presses at 16 a second;
//   typed-message bytes/s: the frames a client receives while the narrator types the greeting,
//     per second of game time.
#include "game/save_game.h"
#include "game/windowless_game.h"
#include "model/seat_defaults.h"
#include "network/client_session.h"
#include "network/host_transport.h"
#include "network/merge_patch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

using namespace kroda;
using namespace kroda::network;

namespace {

QJsonObject documentOf(const QByteArray& save) {
    return QJsonDocument::fromJson(save).object();
}

void pumpUntil(const std::function<bool()>& done) {
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QCoreApplication::applicationDirPath() + "/../game";
    WindowlessGame host(folder);
    GameState& s = host.game.state;
    s.PlayerCount = 2;
    for (int p = 1; p <= 4; ++p) setUpSeat(s, p, p == 2, QStringLiteral("ผู้เล่น:%1").arg(p));
    s.Config.ConfigPath = folder + "/KovarT.dat";
    s.NewBoard = true;
    host.game.Form_Load();

    std::vector<Input> inputs;
    std::optional<ConnectionId> joined;
    HostTransport transport(
        QStringLiteral("HJKM2345"), {2},
        {[&](const Input& in) { inputs.push_back(in); },
         [&](ConnectionId id, const QList<int>&, const QStringList&) { joined = id; },
         {}});
    HostTransport::Options options;
    options.address = QHostAddress::LocalHost;
    options.port = 0;
    if (const auto e = transport.listen(options)) {
        std::fprintf(stderr, "%s\n", e->toUtf8().constData());
        return 1;
    }
    QJsonObject last = documentOf(writeSave(host.game, host.clock));
    qint64 bytes = 0;
    const auto publish = [&] {
        const QJsonObject now = documentOf(writeSave(host.game, host.clock));
        const QJsonObject patch = mergePatch(last, now);
        if (patch.isEmpty())
            return;
        const HostMessage m{Moment{patch}};
        bytes += encode(m).size();
        transport.broadcast(m);
        last = now;
    };
    int moments = 0;
    ClientSession client(folder, {{},
                                  [&] { ++moments; },
                                  {},
                                  {},
                                  {},
                                  [](const ClientEnding& e) {
                                      std::fprintf(stderr, "%s\n",
                                                   endingText(e).toUtf8().constData());
                                      std::exit(1);
                                  }});
    client.join(*joinUrl(QStringLiteral("127.0.0.1:%1").arg(transport.port())),
                {QStringLiteral("HJKM2345"), {QStringLiteral("Bench")}});
    pumpUntil([&] { return joined.has_value(); });
    transport.send(*joined, State{writeSave(host.game, host.clock)});
    pumpUntil([&] { return client.started(); });

    // The greeting, typed: what a client receives per second of game time.
    const std::int64_t start = host.clock.now();
    bool narrated = false;
    host.game.narrationComplete = [&](Integer, const QString&) { narrated = true; };
    while (!narrated) {
        int ticks = 0;
        host.clock.advanceUntil([&] { return ticks++ > 0; }, 600000);
        const int before = moments;
        const qint64 b = bytes;
        publish();
        if (bytes != b)
            pumpUntil([&] { return moments > before; });
    }
    const double seconds = static_cast<double>(host.clock.now() - start) / 1000.0;
    std::printf("typed-message bytes-per-second %.0f (%lld bytes in %.2f s of game time)\n",
                static_cast<double>(bytes) / seconds, static_cast<long long>(bytes), seconds);
    std::fflush(stdout);

    // 1000 presses, each answered by the host's next moment.
    std::vector<double> ms;
    QElapsedTimer t;
    // Paced at 16 presses a second, under the client's own pace of 20 inputs a second (which
    // keeps it under the host's rate limit of 30 messages a second).
    QElapsedTimer pace;
    pace.start();
    while (ms.size() < 1000) {
        while (pace.elapsed() < 60) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pace.restart();
        const int before = moments;
        t.start();
        client.send({2, KeyInput{0x41, 0}});
        pumpUntil([&] { return !inputs.empty(); });
        const auto k = std::get<KeyInput>(inputs.front().action);
        inputs.clear();
        host.game.handle([&](Game& g) { g.keyPressed(k.keyCode, k.shift); });
        int ticks = 0;
        host.clock.advanceUntil([&] { return ticks++ > 0; }, 600000);
        const qint64 b = bytes;
        publish();
        if (bytes == b)
            continue;  // nothing changed: no answer to wait for
        pumpUntil([&] { return moments > before; });
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("press-to-answer ms median %.2f p99 %.2f over %zu presses\n", ms[ms.size() / 2],
                ms[ms.size() * 99 / 100], ms.size());
    return 0;
}
