// A host and two clients over real sockets on 127.0.0.1: both clients are welcomed to their
// seats, a client with a wrong code is refused and closed, each client's inputs reach the
// host for its own seats only, a client that sends garbage is disconnected while the others
// play on, what the host broadcasts reaches every client, and a client that leaves and joins
// again with the same name and its seat's token gets its seat back.

#include "network/client_transport.h"
#include "network/host_transport.h"
#include "support/wait_until.h"

#include <gtest/gtest.h>

#include <QWebSocket>

#include <vector>

namespace kroda::network {
namespace {

using kroda::testing::waitUntil;

struct Client {
    std::vector<HostMessage> messages;
    QString closedWhy;
    bool closed = false;
    ClientTransport transport{{[this](const HostMessage& m) { messages.push_back(m); },
                               [this](const ClientTransport::Closing& c) {
                                   closed = true;
                                   closedWhy = c.detail;
                               }}};
};

TEST(Loopback, AHostAndTwoClientsPlayOverRealSockets) {
    const QString code = QStringLiteral("HJKM2345");
    std::vector<Input> inputs;
    std::vector<QList<int>> left;
    HostTransport host(code, {2, 3, 4},
                       {[&](const Input& in) { inputs.push_back(in); },
                        {},
                        [&](ConnectionId, const QList<int>& seats) { left.push_back(seats); }});
    HostTransport::Options options;
    options.address = QHostAddress::LocalHost;
    options.port = 0;
    ASSERT_EQ(host.listen(options), std::nullopt);
    ASSERT_NE(host.port(), 0);
    EXPECT_FALSE(host.secure());
    const auto url = joinUrl(QStringLiteral("127.0.0.1:%1").arg(host.port()));
    ASSERT_TRUE(url);

    Client wrong;
    wrong.transport.join(*url, {QStringLiteral("HJKM2346"), {QStringLiteral("Mallory")}});
    ASSERT_TRUE(waitUntil([&] { return wrong.closed; }, 5000, "the wrong code's refusal"));
    ASSERT_EQ(wrong.messages.size(), 1u);
    EXPECT_EQ(wrong.messages[0], HostMessage{Refused{RefusalReason::WrongCode}});
    EXPECT_EQ(wrong.closedWhy, QStringLiteral("wrong-code"));

    Client ann, bee;
    ann.transport.join(*url, {QStringLiteral("hjkm-2345"), {QStringLiteral("Ann")}});
    ASSERT_TRUE(waitUntil([&] { return ann.transport.phase() == ClientTransport::Phase::Admitted; },
                          5000, "Ann's welcome"));
    bee.transport.join(*url, {code, {QStringLiteral("Bee"), QStringLiteral("Cat")}});
    ASSERT_TRUE(waitUntil([&] { return bee.transport.phase() == ClientTransport::Phase::Admitted; },
                          5000, "Bee's welcome"));
    EXPECT_EQ(ann.transport.seats(), (QList<int>{2}));
    EXPECT_EQ(bee.transport.seats(), (QList<int>{3, 4}));
    EXPECT_EQ(host.admission().nameAt(3), QStringLiteral("Bee"));
    EXPECT_EQ(host.admission().nameAt(4), QStringLiteral("Cat"));

    // Each client's inputs for its own seats arrive in order; the others never do.
    ann.transport.send({3, KeyInput{74, 0}});
    ann.transport.send({2, KeyInput{83, 1}});
    bee.transport.send({2, ToolbarInput{5}});
    bee.transport.send({4, ClickInput{ClickableControl::ImgTao, 1}});
    bee.transport.send({3, ToolbarInput{4}});
    ASSERT_TRUE(waitUntil([&] { return inputs.size() >= 3; }, 5000, "three inputs"));
    // A raw socket that says hello and then sends garbage is cut off; the game goes on.
    QWebSocket raw;
    bool rawClosed = false;
    QObject::connect(&raw, &QWebSocket::disconnected, [&] { rawClosed = true; });
    QObject::connect(&raw, &QWebSocket::connected, [&] {
        raw.sendTextMessage(QStringLiteral("{\"type\":\"hello\",\"code\":\"HJKM2345\"}"));
    });
    raw.open(*url);
    ASSERT_TRUE(waitUntil([&] { return rawClosed; }, 5000, "the garbage sender's disconnection"));
    ann.transport.send({2, KeyInput{68, 0}});
    ASSERT_TRUE(waitUntil([&] { return inputs.size() >= 4; }, 5000, "the fourth input"));
    // Inputs from one client keep their order; the two clients' may interleave.
    std::vector<Input> fromAnn, fromBee;
    for (const Input& in : inputs) (in.seat == 2 ? fromAnn : fromBee).push_back(in);
    EXPECT_EQ(fromAnn, (std::vector<Input>{{2, KeyInput{83, 1}}, {2, KeyInput{68, 0}}}));
    EXPECT_EQ(fromBee, (std::vector<Input>{{4, ClickInput{ClickableControl::ImgTao, 1}},
                                           {3, ToolbarInput{4}}}));

    // What the host broadcasts reaches both clients.
    host.broadcast(Narration{QStringLiteral("ถึงตาของแดง")});
    const HostMessage line{Narration{QStringLiteral("ถึงตาของแดง")}};
    ASSERT_TRUE(waitUntil(
        [&] {
            return !ann.messages.empty() && ann.messages.back() == line &&
                   bee.messages.back() == line;
        },
        5000, "the narration on both clients"));

    // Ann leaves; her seat waits for her and comes back when she joins again with its token.
    ASSERT_TRUE(std::holds_alternative<Welcome>(ann.messages.front()));
    const QStringList tokens = std::get<Welcome>(ann.messages.front()).tokens;
    ann.transport.leave();
    ASSERT_TRUE(waitUntil([&] { return !left.empty(); }, 5000, "the host seeing Ann leave"));
    EXPECT_EQ(left[0], (QList<int>{2}));
    EXPECT_EQ(host.admission().holderOf(2), std::nullopt);
    Client again;
    again.transport.join(*url, {code, {QStringLiteral("Ann")}, tokens});
    ASSERT_TRUE(
        waitUntil([&] { return again.transport.phase() == ClientTransport::Phase::Admitted; }, 5000,
                  "Ann's second welcome"));
    EXPECT_EQ(again.transport.seats(), (QList<int>{2}));
    again.transport.send({2, KeyInput{70, 0}});
    ASSERT_TRUE(waitUntil([&] { return inputs.size() >= 5; }, 5000, "Ann's input after rejoining"));
    EXPECT_EQ(inputs.back(), (Input{2, KeyInput{70, 0}}));
    EXPECT_FALSE(bee.closed);
}

// A host that cannot listen says why: a port in use, a certificate or key it cannot read.
TEST(Loopback, AHostThatCannotListenSaysWhy) {
    HostTransport first(QStringLiteral("HJKM2345"), {2}, {});
    HostTransport::Options options;
    options.address = QHostAddress::LocalHost;
    options.port = 0;
    ASSERT_EQ(first.listen(options), std::nullopt);
    HostTransport second(QStringLiteral("HJKM2345"), {2}, {});
    options.port = first.port();
    const auto busy = second.listen(options);
    ASSERT_TRUE(busy);
    EXPECT_TRUE(busy->startsWith(QStringLiteral("cannot listen on port %1").arg(first.port())))
        << busy->toStdString();

    HostTransport secure(QStringLiteral("HJKM2345"), {2}, {});
    options.port = 0;
    options.certificateFile = QStringLiteral("/nonexistent/host.pem");
    options.keyFile = QStringLiteral("/nonexistent/host.key");
    const auto noCertificate = secure.listen(options);
    ASSERT_TRUE(noCertificate);
    EXPECT_TRUE(noCertificate->startsWith(QStringLiteral("/nonexistent/host.pem: ")))
        << noCertificate->toStdString();
}

TEST(Loopback, JoinAddressesGetTheDefaultPort) {
    EXPECT_EQ(joinUrl(QStringLiteral("127.0.0.1")), QUrl(QStringLiteral("ws://127.0.0.1:47410")));
    EXPECT_EQ(joinUrl(QStringLiteral(" localhost:5000 ")),
              QUrl(QStringLiteral("ws://localhost:5000")));
    EXPECT_EQ(joinUrl(QStringLiteral("wss://[::1]")), QUrl(QStringLiteral("wss://[::1]:47410")));
    EXPECT_EQ(joinUrl(QStringLiteral("")), std::nullopt);
    EXPECT_EQ(joinUrl(QStringLiteral("http://host")), std::nullopt);
    EXPECT_EQ(joinUrl(QStringLiteral("host:99999")), std::nullopt);
}

}  // namespace
}  // namespace kroda::network
