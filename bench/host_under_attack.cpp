// The real host under two attacks from loopback peers without the code, measured from outside:
// `kroda --host --port 0 --seats pnn` runs in a process of its own (offscreen), and this
// program attacks it. Prints:
//   join-ms: the time a player with the code takes from opening his connection to the
//     welcome, with no crowd (the baseline) and with forty peers from forty addresses that
//     finished the handshake and never said hello, median and max over 20 joins each;
//   flood RSS: the host's resident set before, at its peak and two seconds after four peers
//     sent WebSocket pings as fast as they could for 12 s, never reading.
// Usage: kroda-attack-bench GAME_FOLDER
#include "network/client_transport.h"
#include "support/raw_peer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace kroda;
using namespace kroda::network;
using kroda::testing::RawPeer;

namespace {

void pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

qint64 residentKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const auto m = QRegularExpression(QStringLiteral("VmRSS:\\s+(\\d+)")).match(text);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

// The time from the join to the welcome; -1 when there was none within 5 s.
double joinMs(const QUrl& url, const QString& code, QStringList& tokens) {
    std::optional<Welcome> welcome;
    bool closed = false;
    ClientTransport t({[&](const HostMessage& m) {
                           if (const auto* w = std::get_if<Welcome>(&m))
                               welcome = *w;
                       },
                       [&](const ClientTransport::Closing&) { closed = true; }});
    QElapsedTimer clock;
    clock.start();
    t.join(url, {code, {QStringLiteral("Player")}, tokens});
    while (!welcome && !closed && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (!welcome)
        return -1;
    tokens = welcome->tokens;
    t.leave();
    pump(50);
    return ms;
}

void printJoins(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("join-ms %s: median %.2f, max %.2f, refused or unanswered %ld of %zu\n", what,
                ms.empty() ? 0.0 : ms[ms.size() / 2], ms.empty() ? 0.0 : ms.back(),
                static_cast<long>(std::count(ms.begin(), ms.end(), -1.0)), ms.size());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kroda-attack-bench GAME_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir home;
    QProcess host;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    host.setProcessEnvironment(env);
    host.start(folder + QStringLiteral("/kroda"),
               {QStringLiteral("--host"), QStringLiteral("--port"), QStringLiteral("0"),
                QStringLiteral("--seats"), QStringLiteral("pnn")});
    QString line;
    while (!line.startsWith(QStringLiteral("host-port")) && host.waitForReadyRead(10000))
        line = QString::fromUtf8(host.readLine()).trimmed();
    const auto m =
        QRegularExpression(QStringLiteral("host-port (\\d+) code (\\S+)")).match(line);
    if (!m.hasMatch()) {
        std::fprintf(stderr, "the host did not start: %s\n", host.readAllStandardError().constData());
        return 1;
    }
    const auto port = static_cast<quint16>(m.captured(1).toUInt());
    const QString code = m.captured(2);
    const QUrl url = *joinUrl(QStringLiteral("127.0.0.1:%1").arg(port));
    pump(500);

    QStringList tokens;
    std::vector<double> alone, crowded;
    for (int i = 0; i < 20; ++i) alone.push_back(joinMs(url, code, tokens));
    std::vector<std::unique_ptr<RawPeer>> crowd;
    int handshakes = 0;
    for (int i = 1; i <= 40; ++i) {
        auto peer = std::make_unique<RawPeer>();
        if (peer->connect(QStringLiteral("127.0.1.%1").arg(i), port) && peer->handshake(port))
            ++handshakes;
        crowd.push_back(std::move(peer));
    }
    for (int i = 0; i < 20; ++i) crowded.push_back(joinMs(url, code, tokens));
    std::printf("crowd: %d of 40 finished the handshake\n", handshakes);
    printJoins("alone", alone);
    printJoins("beside the crowd", crowded);
    crowd.clear();
    pump(500);

    const qint64 before = residentKb(host.processId());
    std::vector<std::unique_ptr<RawPeer>> flood;
    for (int i = 1; i <= 4; ++i) {
        auto peer = std::make_unique<RawPeer>();
        if (peer->connect(QStringLiteral("127.0.3.%1").arg(i), port, 4096) &&
            peer->handshake(port))
            flood.push_back(std::move(peer));
    }
    QByteArray pings;
    while (pings.size() < 64 * 1024) pings += RawPeer::frame(RawPeer::Ping, QByteArray(100, 'p'));
    qint64 peak = before, sent = 0;
    QElapsedTimer flooding;
    flooding.start();
    int cut = 0;
    while (flooding.elapsed() < 12'000) {
        cut = 0;
        for (auto& peer : flood) {
            const qint64 n = peer->send(pings);
            cut += n < 0 || peer->closed() ? 1 : 0;
            sent += std::max<qint64>(0, n);
        }
        if (flooding.elapsed() % 250 < 5)
            peak = std::max(peak, residentKb(host.processId()));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    flood.clear();
    pump(2000);
    const qint64 after = residentKb(host.processId());
    std::printf("flood: %zu peers, %lld bytes of pings taken by the system, %d cut off by the host\n",
                static_cast<std::size_t>(4), static_cast<long long>(sent), cut);
    std::printf("flood RSS kB: before %lld, peak %lld, 2 s after %lld\n",
                static_cast<long long>(before), static_cast<long long>(peak),
                static_cast<long long>(after));
    host.kill();
    host.waitForFinished();
    return 0;
}
