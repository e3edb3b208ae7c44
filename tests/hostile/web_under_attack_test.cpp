// The page's side of the host's port under attack: every request a browser would never send,
// and those a hostile page would make a browser send. No path of a request reaches a file, only
// GET and HEAD are answered, a head is bounded in size and in time, another site's name for the
// host serves nothing and opens no game, and every answer carries the page's security fields.
// Through it all a player with the code joins and the host plays on.

#include "hostile/hosted_game.h"
#include "support/raw_peer.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <memory>

namespace kroda::network {
namespace {

using kroda::testing::RawPeer;
using kroda::testing::waitUntil;

const QString kCode = kHostedCode;
const QByteArray kPage = "<!DOCTYPE html><title>page</title>";

// The host with a page of one file, asked over raw connections.
struct HostedPage : Hosted {
    explicit HostedPage(HostLimits limits)
        : Hosted(limits, [](const QString& path) -> std::optional<WebResource> {
              if (path == QLatin1String("/"))
                  return WebResource{"text/html; charset=utf-8", kPage};
              return std::nullopt;
          }) {}
    QByteArray host127() const { return "127.0.0.1:" + QByteArray::number(port); }
    // One request from its own address; the whole answer once the host has closed.
    QByteArray ask(const QByteArray& request, int from = 1) const {
        RawPeer peer;
        if (!peer.connect(QStringLiteral("127.0.4.%1").arg(from), port))
            return "no connection";
        return peer.exchange(request);
    }
    QByteArray get(const QByteArray& target, const QByteArray& extra = {}) const {
        return ask("GET " + target + " HTTP/1.1\r\nHost: " + host127() + "\r\n" + extra + "\r\n");
    }
};

QByteArray statusOf(const QByteArray& answer) {
    return answer.left(answer.indexOf("\r\n"));
}

TEST(WebUnderAttack, NoRequestReachesAFileOrKeepsThePlayersOut) {
    HostLimits limits;
    limits.requestMs = 300;
    HostedPage g(limits);

    // The page, with the fields that keep it to its own scripts and socket.
    const QByteArray page = g.get("/");
    EXPECT_EQ(statusOf(page), "HTTP/1.1 200 OK");
    EXPECT_TRUE(page.endsWith(kPage));
    for (const char* field :
         {"Content-Security-Policy: default-src 'none'; script-src 'self';",
          "X-Content-Type-Options: nosniff", "Referrer-Policy: no-referrer", "Connection: close"})
        EXPECT_TRUE(page.contains(field)) << field;
    const QByteArray head = g.ask("HEAD / HTTP/1.1\r\nHost: " + g.host127() + "\r\n\r\n");
    EXPECT_EQ(statusOf(head), "HTTP/1.1 200 OK");
    EXPECT_TRUE(head.endsWith("\r\n\r\n")) << "a HEAD answer has no body";

    // Paths out of the list, plain and encoded, reach nothing.
    for (const QByteArray target :
         {"/../../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd", "/web/..%2f..%2fKovarT.dat",
          "/app/../KovarT.dat", "/KovarT.dat", "//etc/passwd", "/%00", "/%ff%fe",
          "http://127.0.0.1/", "*"}) {
        const QByteArray answer = g.get(target);
        EXPECT_TRUE(statusOf(answer) == "HTTP/1.1 404 Not Found" ||
                    statusOf(answer) == "HTTP/1.1 400 Bad Request")
            << target.constData() << ": " << statusOf(answer).constData();
    }
    // Only GET and HEAD.
    for (const QByteArray method :
         {"POST", "PUT", "DELETE", "OPTIONS", "TRACE", "CONNECT", "get"}) {
        const QByteArray answer =
            g.ask(method + " / HTTP/1.1\r\nHost: " + g.host127() + "\r\nContent-Length: 0\r\n\r\n");
        EXPECT_EQ(statusOf(answer), "HTTP/1.1 405 Method Not Allowed") << method.constData();
        EXPECT_TRUE(answer.contains("Allow: GET, HEAD")) << method.constData();
    }
    // Heads that are not plain: no version, a blank before a colon, a folded line, HTTP/2.
    for (const QByteArray& request : QList<QByteArray>{
             QByteArray("GET /\r\n\r\n"), "GET / HTTP/1.1\r\nHost : x\r\n\r\n",
             "GET / HTTP/1.1\r\nHost: a\r\n b\r\n\r\n", "GET / HTTP/2.0\r\nHost: a\r\n\r\n"}) {
        const QByteArray status = statusOf(g.ask(request));
        EXPECT_TRUE(status.startsWith("HTTP/1.1 400") || status.startsWith("HTTP/1.1 505"))
            << request.constData() << ": " << status.constData();
    }

    // Another site's name for this machine (DNS rebinding) serves nothing and opens no game.
    EXPECT_EQ(statusOf(g.ask("GET / HTTP/1.1\r\nHost: evil.example\r\n\r\n")),
              "HTTP/1.1 421 Misdirected Request");
    EXPECT_EQ(statusOf(g.ask("GET / HTTP/1.1\r\n\r\n")), "HTTP/1.1 421 Misdirected Request");
    const QByteArray upgrade =
        "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n";
    for (const QByteArray& origin :
         QList<QByteArray>{QByteArray("http://evil.example"), "null", "http://127.0.0.1:1",
                           "http://" + g.host127() + ".evil"}) {
        EXPECT_EQ(statusOf(g.get("/", upgrade + "Origin: " + origin + "\r\n")),
                  "HTTP/1.1 403 Forbidden")
            << origin.constData();
    }
    EXPECT_EQ(statusOf(g.ask("GET / HTTP/1.1\r\nHost: evil.example\r\nOrigin: "
                             "http://evil.example\r\n" +
                             upgrade + "\r\n")),
              "HTTP/1.1 403 Forbidden");
    // The page's own origin gets its WebSocket.
    {
        RawPeer own;
        ASSERT_TRUE(own.connect(QStringLiteral("127.0.4.9"), g.port));
        ASSERT_TRUE(own.sendAll("GET / HTTP/1.1\r\nHost: " + g.host127() + "\r\nOrigin: http://" +
                                g.host127() + "\r\n" + upgrade + "\r\n"));
        ASSERT_TRUE(waitUntil(
            [&] {
                own.receive();
                return own.received().contains("\r\n\r\n") || own.closed();
            },
            5000, "the answer to the page's own upgrade"));
        EXPECT_TRUE(own.received().startsWith("HTTP/1.1 101"))
            << statusOf(own.received()).constData();
    }

    // A head of a megabyte is refused at its first 8 KiB, or cut off for its bytes.
    {
        RawPeer big;
        ASSERT_TRUE(big.connect(QStringLiteral("127.0.4.10"), g.port));
        big.sendAll("GET / HTTP/1.1\r\nHost: " + g.host127() + "\r\nX-Big: ", 1000);
        big.send(QByteArray(1024 * 1024, 'a'));
        ASSERT_TRUE(waitUntil(
            [&] {
                big.receive();
                big.send(QByteArray(4096, 'a'));
                return big.closed();
            },
            5000, "the megabyte head cut off"));
        big.receive();
        EXPECT_FALSE(big.received().startsWith("HTTP/1.1 200"));
        if (!big.received().isEmpty()) {
            EXPECT_EQ(statusOf(big.received()), "HTTP/1.1 431 Request Header Fields Too Large");
        }
    }
    // A head sent a byte at a time, slower than the host waits for, gets 408 and is closed.
    {
        RawPeer slow;
        ASSERT_TRUE(slow.connect(QStringLiteral("127.0.4.11"), g.port));
        const QByteArray request = "GET / HTTP/1.1\r\nHost: " + g.host127() + "\r\n\r\n";
        qsizetype sent = 0;
        QTimer drip;
        QObject::connect(&drip, &QTimer::timeout, [&] {
            if (sent < request.size() && slow.send(request.mid(sent, 1)) == 1)
                ++sent;
        });
        drip.start(100);
        ASSERT_TRUE(waitUntil([&] { return slow.closed(); }, 5000, "the slow head closed"));
        slow.receive();
        EXPECT_LT(sent, request.size());
        EXPECT_EQ(statusOf(slow.received()), "HTTP/1.1 408 Request Timeout");
    }

    // Through all of it the host holds nothing but what is open, and a player gets in.
    ASSERT_TRUE(waitUntil([&] { return g.host->connectionCount() == 0; }, 5000,
                          "every request's connection closed"));
    bool welcomed = false;
    ClientTransport ann{
        {[&](const HostMessage& m) { welcomed |= std::holds_alternative<Welcome>(m); },
         [](const ClientTransport::Closing&) {}}};
    ann.join(*joinUrl(QString::fromLatin1(g.host127())), {kCode, {QStringLiteral("Ann")}});
    ASSERT_TRUE(waitUntil([&] { return welcomed; }, 5000, "Ann's welcome"));
    EXPECT_EQ(statusOf(g.get("/")), "HTTP/1.1 200 OK");
}

}  // namespace
}  // namespace kroda::network
