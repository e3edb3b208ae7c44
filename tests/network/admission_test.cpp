// The host's admission rules, on a clock the test moves: a connection without a hello in 10 s
// is closed and one that says hello late is disconnected; a wrong code or seat token is
// refused and the fifth from one address locks that address out for a minute, other
// addresses still joining; connections that have not said hello are few, the oldest making
// room; a flood of messages or of bytes disconnects; an input for a seat the client does not
// own is ignored; two people at one client each get a seat under his own name, or neither
// does; a seat goes back to its player only with its token (at once, the old connection
// closed), or by his name once the host lets him back in; a hello of another version is
// refused; a binary frame or a second hello disconnects. The join code has 8 characters of its
// alphabet.

#include "network/admission.h"
#include "network/join_code.h"
#include "network/seat_token.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kroda::network {
namespace {

const QString kCode = QStringLiteral("QRST2345");

QByteArray hello(const QString& code, const QStringList& names, const QStringList& tokens = {}) {
    return encode(ClientMessage{Hello{code, names, tokens}});
}

QByteArray key(int seat, int keyCode) {
    return encode(ClientMessage{Input{seat, KeyInput{keyCode, 0}}});
}

template <class V>
bool is(const Verdict& v) {
    return std::holds_alternative<V>(v);
}

RefusalReason refusal(const Verdict& v) {
    EXPECT_TRUE(is<Refuse>(v)) << v.index();
    return is<Refuse>(v) ? std::get<Refuse>(v).reason : RefusalReason::Version;
}

// Tokens the test can tell apart: "TOKEN1", "TOKEN2", ... padded to a token's length.
Admission::TokenSource countedTokens() {
    return [n = 0]() mutable {
        return QStringLiteral("TOKEN%1").arg(++n).leftJustified(kTokenLength, QLatin1Char('x'));
    };
}

TEST(Admission, TheHostLetsInOnlyWhoBelongs) {
    qint64 now = 1000;
    Admission a(
        kCode, {2, 3, 4}, HostLimits{}, [&now] { return now; }, countedTokens());

    // The handshake: the code is read without regard to case and dashes; two people at one
    // client get the free seats in order, one each, under their own names, each with a token.
    EXPECT_TRUE(a.opened(1, QStringLiteral("10.0.0.1")).empty());
    const Verdict first = a.received(
        1, hello(QStringLiteral("qrst-2345"), {QStringLiteral("Ann"), QStringLiteral("Ben")}));
    ASSERT_TRUE(is<Admit>(first));
    EXPECT_EQ(std::get<Admit>(first).seats, (QList<int>{2, 3}));
    EXPECT_EQ(std::get<Admit>(first).names, (QStringList{"Ann", "Ben"}));
    const QStringList tokens = std::get<Admit>(first).tokens;
    ASSERT_EQ(tokens.size(), 2);
    EXPECT_NE(tokens[0], tokens[1]);
    EXPECT_EQ(a.holderOf(3), ConnectionId{1});
    EXPECT_EQ(a.nameAt(2), QStringLiteral("Ann"));
    EXPECT_EQ(a.nameAt(3), QStringLiteral("Ben"));

    // Inputs for its own seats arrive; for another seat they are ignored, and it stays.
    const Verdict own = a.received(1, key(3, 74));
    ASSERT_TRUE(is<Deliver>(own));
    EXPECT_EQ(std::get<Deliver>(own).input, (Input{3, KeyInput{74, 0}}));
    EXPECT_TRUE(is<Ignore>(a.received(1, key(4, 100))));
    EXPECT_TRUE(is<Ignore>(a.received(1, key(1, 83))));
    EXPECT_TRUE(is<Deliver>(a.received(1, key(2, 83))));

    // Silence: closed once 10 s pass, and a hello after that is too late.
    EXPECT_TRUE(a.opened(2, QStringLiteral("10.0.0.2")).empty());
    EXPECT_TRUE(a.opened(3, QStringLiteral("10.0.0.2")).empty());
    now += 10'000;
    EXPECT_TRUE(a.overdue().empty());
    now += 1;
    EXPECT_EQ(a.overdue(), (std::vector<ConnectionId>{2, 3}));
    EXPECT_TRUE(is<Disconnect>(a.received(3, hello(kCode, {QStringLiteral("Bee")}))));
    a.closed(2);
    a.closed(3);

    // A hello of another version is refused whatever it holds; the client is told the host's.
    EXPECT_TRUE(a.opened(5, QStringLiteral("10.0.0.5")).empty());
    EXPECT_EQ(refusal(a.received(5, R"({"type":"hello","version":3,"code":"QRST2345","x":[]})")),
              RefusalReason::Version);
    a.closed(5);
    EXPECT_TRUE(a.opened(5, QStringLiteral("10.0.0.5")).empty());
    EXPECT_EQ(refusal(a.received(5, R"({"type":"hello","code":"QRST2345","names":["Old"]})")),
              RefusalReason::Version);
    a.closed(5);

    // Four wrong codes are refused as wrong; the fifth locks the address for a minute, even
    // with the right code, while another address still gets in.
    for (ConnectionId id = 10; id < 15; ++id) {
        ASSERT_TRUE(a.opened(id, QStringLiteral("10.0.0.9")).empty());
        EXPECT_EQ(refusal(a.received(id, hello(QStringLiteral("QRST2346"), {QStringLiteral("X")}))),
                  RefusalReason::WrongCode);
        a.closed(id);
    }
    ASSERT_TRUE(a.opened(20, QStringLiteral("10.0.0.9")).empty());
    EXPECT_EQ(refusal(a.received(20, hello(kCode, {QStringLiteral("Bee")}))),
              RefusalReason::LockedOut);
    a.closed(20);
    now += 59'000;
    ASSERT_TRUE(a.opened(21, QStringLiteral("10.0.0.9")).empty());
    EXPECT_EQ(refusal(a.received(21, hello(kCode, {QStringLiteral("Bee")}))),
              RefusalReason::LockedOut);
    a.closed(21);
    ASSERT_TRUE(a.opened(22, QStringLiteral("10.0.0.3")).empty());
    const Verdict other = a.received(22, hello(kCode, {QStringLiteral("Bee")}));
    ASSERT_TRUE(is<Admit>(other));
    EXPECT_EQ(std::get<Admit>(other).seats, (QList<int>{4}));
    now += 1'000;
    ASSERT_TRUE(a.opened(23, QStringLiteral("10.0.0.9")).empty());
    // Every seat is taken: a new name finds none.
    EXPECT_EQ(refusal(a.received(23, hello(kCode, {QStringLiteral("Cat")}))),
              RefusalReason::NoFreeSeat);
    a.closed(23);

    // A name already playing cannot join twice, not even beside a new one.
    ASSERT_TRUE(a.opened(30, QStringLiteral("10.0.0.1")).empty());
    EXPECT_EQ(refusal(a.received(30, hello(kCode, {QStringLiteral("Ann")}))),
              RefusalReason::NameInUse);
    a.closed(30);
    ASSERT_TRUE(a.opened(30, QStringLiteral("10.0.0.1")).empty());
    EXPECT_EQ(refusal(a.received(30, hello(kCode, {QStringLiteral("Dee"), QStringLiteral("Ben")}))),
              RefusalReason::NameInUse);
    a.closed(30);
    // Once the connection is gone the seats keep their names, and wait for their tokens: a
    // name alone takes nothing. A hello whose second person finds no seat takes none, not
    // even the first's own.
    a.closed(1);
    EXPECT_EQ(a.holderOf(2), std::nullopt);
    EXPECT_EQ(a.nameAt(2), QStringLiteral("Ann"));
    ASSERT_TRUE(a.opened(31, QStringLiteral("10.0.0.7")).empty());
    EXPECT_EQ(refusal(a.received(31, hello(kCode, {QStringLiteral("Ann")}))),
              RefusalReason::NameInUse);
    a.closed(31);
    ASSERT_TRUE(a.opened(31, QStringLiteral("10.0.0.7")).empty());
    EXPECT_EQ(refusal(a.received(31, hello(kCode, {QStringLiteral("Ann"), QStringLiteral("Eve")},
                                           {tokens[0], QString()}))),
              RefusalReason::NoFreeSeat);
    a.closed(31);
    EXPECT_EQ(a.holderOf(2), std::nullopt);
    EXPECT_EQ(a.nameAt(3), QStringLiteral("Ben"));
    // The same names with their tokens, in any order, get the same seats back, each with its
    // own name and token.
    ASSERT_TRUE(a.opened(31, QStringLiteral("10.0.0.7")).empty());
    const Verdict back = a.received(
        31, hello(kCode, {QStringLiteral("Ben"), QStringLiteral("Ann")}, {tokens[1], tokens[0]}));
    ASSERT_TRUE(is<Admit>(back));
    EXPECT_EQ(std::get<Admit>(back).seats, (QList<int>{2, 3}));
    EXPECT_EQ(std::get<Admit>(back).names, (QStringList{"Ann", "Ben"}));
    EXPECT_EQ(std::get<Admit>(back).tokens, tokens);
    EXPECT_TRUE(is<Deliver>(a.received(31, key(2, 83))));
    EXPECT_TRUE(is<Deliver>(a.received(31, key(3, 74))));
    EXPECT_TRUE(is<Ignore>(a.received(31, key(4, 100))));
    // A quick return: a token takes its seat at once, though the old connection has not been
    // found silent; that connection is closed, and the other seat it held waits for its own.
    ASSERT_TRUE(a.opened(32, QStringLiteral("10.0.0.8")).empty());
    const Verdict quick = a.received(32, hello(kCode, {QStringLiteral("Ben")}, {tokens[1]}));
    ASSERT_TRUE(is<Admit>(quick));
    EXPECT_EQ(std::get<Admit>(quick).seats, (QList<int>{3}));
    EXPECT_EQ(std::get<Admit>(quick).replaced, (std::vector<ConnectionId>{31}));
    EXPECT_TRUE(is<Ignore>(a.received(31, key(3, 74))));
    a.closed(31);
    EXPECT_EQ(a.holderOf(3), ConnectionId{32});
    EXPECT_EQ(a.holderOf(2), std::nullopt);
    EXPECT_TRUE(is<Ignore>(a.received(32, key(2, 83))));

    // Wrong tokens count as wrong codes: the fifth locks the address out.
    for (ConnectionId id = 50; id < 55; ++id) {
        ASSERT_TRUE(a.opened(id, QStringLiteral("10.0.0.6")).empty());
        EXPECT_EQ(refusal(a.received(id, hello(kCode, {QStringLiteral("Ann")}, {tokens[1]}))),
                  RefusalReason::WrongToken);
        a.closed(id);
    }
    ASSERT_TRUE(a.opened(55, QStringLiteral("10.0.0.6")).empty());
    EXPECT_EQ(refusal(a.received(55, hello(kCode, {QStringLiteral("Ann")}, {tokens[0]}))),
              RefusalReason::LockedOut);
    a.closed(55);
    // Ann lost her token: the host lets her back in by her name, once, with a new token; the
    // old token takes nothing any more.
    a.letBackIn(3);  // Ben is here: nothing to let back
    EXPECT_FALSE(a.lettingBackIn(3));
    a.letBackIn(2);
    EXPECT_TRUE(a.lettingBackIn(2));
    ASSERT_TRUE(a.opened(56, QStringLiteral("10.0.0.4")).empty());
    EXPECT_EQ(refusal(a.received(56, hello(kCode, {QStringLiteral("Ann")}, {tokens[0]}))),
              RefusalReason::WrongToken);
    a.closed(56);
    ASSERT_TRUE(a.opened(57, QStringLiteral("10.0.0.4")).empty());
    const Verdict letIn = a.received(57, hello(kCode, {QStringLiteral("Ann")}));
    ASSERT_TRUE(is<Admit>(letIn));
    EXPECT_EQ(std::get<Admit>(letIn).seats, (QList<int>{2}));
    EXPECT_NE(std::get<Admit>(letIn).tokens[0], tokens[0]);
    EXPECT_FALSE(a.lettingBackIn(2));

    // A second hello, an input before the hello, garbage and binary frames disconnect.
    EXPECT_TRUE(is<Disconnect>(a.received(57, hello(kCode, {QStringLiteral("Ann")}))));
    ASSERT_TRUE(a.opened(40, QStringLiteral("10.0.0.5")).empty());
    EXPECT_TRUE(is<Disconnect>(a.received(40, key(1, 83))));
    ASSERT_TRUE(a.opened(41, QStringLiteral("10.0.0.5")).empty());
    EXPECT_TRUE(is<Disconnect>(a.received(41, QByteArray("\x00\xff garbage", 10))));
    EXPECT_TRUE(is<Disconnect>(a.receivedBinary(57)));
}

// A crowd that never says hello keeps nobody out: past the caps, in all and from one address,
// the oldest that has not said hello makes room, and a player who has said it is never
// counted.
TEST(Admission, ConnectionsWithoutAHelloMakeRoomForNewOnes) {
    qint64 now = 0;
    HostLimits limits;
    limits.maxUnnamed = 4;
    limits.maxUnnamedPerAddress = 2;
    Admission a(kCode, {1, 2}, limits, [&now] { return now; });
    ASSERT_TRUE(a.opened(1, QStringLiteral("10.0.0.1")).empty());
    ASSERT_TRUE(is<Admit>(a.received(1, hello(kCode, {QStringLiteral("Ann")}))));
    for (ConnectionId id = 10; id < 14; ++id) {
        now += 10;
        ASSERT_TRUE(a.opened(id, QStringLiteral("10.1.0.%1").arg(id)).empty()) << id;
    }
    now += 10;
    EXPECT_EQ(a.opened(14, QStringLiteral("10.1.0.14")), (std::vector<ConnectionId>{10}));
    now += 10;
    EXPECT_EQ(a.opened(15, QStringLiteral("10.1.0.15")), (std::vector<ConnectionId>{11}));
    // One address past its own cap loses its own oldest first.
    now += 10;
    EXPECT_EQ(a.opened(16, QStringLiteral("10.1.0.15")), (std::vector<ConnectionId>{12}));
    now += 10;
    EXPECT_EQ(a.opened(17, QStringLiteral("10.1.0.15")), (std::vector<ConnectionId>{15}));
    // What was evicted is unknown from now on; the player with the code gets in.
    EXPECT_TRUE(is<Disconnect>(a.received(10, hello(kCode, {QStringLiteral("Bee")}))));
    now += 10;
    EXPECT_EQ(a.opened(18, QStringLiteral("10.2.0.1")), (std::vector<ConnectionId>{13}));
    EXPECT_TRUE(is<Admit>(a.received(18, hello(kCode, {QStringLiteral("Bee")}))));
    EXPECT_EQ(a.holderOf(1), ConnectionId{1});
}

TEST(Admission, AFloodDisconnectsWhileAPlayerAtTypingSpeedPlaysOn) {
    qint64 now = 0;
    Admission a(kCode, {1, 2}, HostLimits{}, [&now] { return now; });
    ASSERT_TRUE(a.opened(1, QStringLiteral("10.0.0.1")).empty());
    ASSERT_TRUE(a.opened(2, QStringLiteral("10.0.0.2")).empty());
    ASSERT_TRUE(is<Admit>(a.received(1, hello(kCode, {QStringLiteral("Typist")}))));
    ASSERT_TRUE(is<Admit>(a.received(2, hello(kCode, {QStringLiteral("Flood")}))));
    // Ten keys a second for a minute pass, with the bytes they take.
    for (int i = 0; i < 600; ++i) {
        now += 100;
        ASSERT_TRUE(is<Keep>(a.receivedBytes(1, key(1, 65 + i % 26).size() + 6))) << i;
        ASSERT_TRUE(is<Deliver>(a.received(1, key(1, 65 + i % 26)))) << i;
    }
    // A burst passes up to the bucket; the flood is cut off within it.
    int delivered = 0;
    Verdict v = Keep{};
    while (!is<Disconnect>(v) && delivered < 1000) {
        v = a.received(2, key(2, 65));
        delivered += is<Deliver>(v) ? 1 : 0;
    }
    EXPECT_TRUE(is<Disconnect>(v));
    EXPECT_EQ(delivered, static_cast<int>(HostLimits{}.burstMessages));
    now += 100;
    EXPECT_TRUE(is<Deliver>(a.received(1, key(1, 65))));
    // Bytes the messages' count never sees (pings) run dry in the same way.
    ASSERT_TRUE(a.opened(3, QStringLiteral("10.0.0.3")).empty());
    qint64 sent = 0;
    while (is<Keep>(a.receivedBytes(3, 131)) && sent < 10'000'000) sent += 131;
    EXPECT_LE(sent, static_cast<qint64>(HostLimits{}.burstBytes));
}

TEST(Admission, JoinCodesAreEightCharactersOfTheAlphabet) {
    const QString alphabet = QString::fromLatin1(kJoinCodeAlphabet);
    QString first = newJoinCode();
    bool differs = false;
    for (int i = 0; i < 20; ++i) {
        const QString code = newJoinCode();
        ASSERT_EQ(code.size(), kJoinCodeLength);
        for (QChar c : code) EXPECT_TRUE(alphabet.contains(c)) << code.toStdString();
        differs = differs || code != first;
        EXPECT_TRUE(sameJoinCode(code.toLower(), code));
    }
    EXPECT_TRUE(differs);
    for (const char* lookAlike : {"0", "O", "1", "I", "L"})
        EXPECT_FALSE(alphabet.contains(QLatin1String(lookAlike))) << lookAlike;
    EXPECT_FALSE(sameJoinCode(QStringLiteral("QRST234"), kCode));
    EXPECT_FALSE(sameJoinCode(QStringLiteral("QRST23455"), kCode));
}

}  // namespace
}  // namespace kroda::network
