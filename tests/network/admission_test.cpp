// The host's admission rules, on a clock the test moves: a connection without a hello in 10 s
// is closed and one that says hello late is disconnected; a wrong code is refused and the
// fifth from one address locks that address out for a minute, other addresses still joining;
// a flood disconnects; an input for a seat the client does not own is ignored; two people at
// one client each get a seat under his own name, or neither does; players who join again
// with the same names get the same seats back; a binary frame or a second hello disconnects.
// The join code has 8 characters of its alphabet.

#include "network/admission.h"
#include "network/join_code.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kroda::network {
namespace {

const QString kCode = QStringLiteral("QRST2345");

QByteArray hello(const QString& code, const QStringList& names) {
    return encode(ClientMessage{Hello{code, names}});
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
    return is<Refuse>(v) ? std::get<Refuse>(v).reason : RefusalReason::Full;
}

TEST(Admission, TheHostLetsInOnlyWhoBelongs) {
    qint64 now = 1000;
    Admission a(kCode, {2, 3, 4}, AdmissionRules{}, [&now] { return now; });

    // The handshake: the code is read without regard to case and dashes; two people at one
    // client get the free seats in order, one each, under their own names.
    EXPECT_TRUE(is<Keep>(a.opened(1, QStringLiteral("10.0.0.1"))));
    const Verdict first = a.received(
        1, hello(QStringLiteral("qrst-2345"), {QStringLiteral("Ann"), QStringLiteral("Ben")}));
    ASSERT_TRUE(is<Admit>(first));
    EXPECT_EQ(std::get<Admit>(first).seats, (QList<int>{2, 3}));
    EXPECT_EQ(std::get<Admit>(first).names, (QStringList{"Ann", "Ben"}));
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
    EXPECT_TRUE(is<Keep>(a.opened(2, QStringLiteral("10.0.0.2"))));
    EXPECT_TRUE(is<Keep>(a.opened(3, QStringLiteral("10.0.0.2"))));
    now += 10'000;
    EXPECT_TRUE(a.overdue().empty());
    now += 1;
    EXPECT_EQ(a.overdue(), (std::vector<ConnectionId>{2, 3}));
    EXPECT_TRUE(is<Disconnect>(a.received(3, hello(kCode, {QStringLiteral("Bee")}))));
    a.closed(2);
    a.closed(3);

    // Four wrong codes are refused as wrong; the fifth locks the address for a minute, even
    // with the right code, while another address still gets in.
    for (ConnectionId id = 10; id < 15; ++id) {
        ASSERT_TRUE(is<Keep>(a.opened(id, QStringLiteral("10.0.0.9"))));
        EXPECT_EQ(refusal(a.received(id, hello(QStringLiteral("QRST2346"), {QStringLiteral("X")}))),
                  RefusalReason::WrongCode);
        a.closed(id);
    }
    EXPECT_EQ(refusal(a.opened(20, QStringLiteral("10.0.0.9"))), RefusalReason::LockedOut);
    now += 59'000;
    EXPECT_EQ(refusal(a.opened(21, QStringLiteral("10.0.0.9"))), RefusalReason::LockedOut);
    ASSERT_TRUE(is<Keep>(a.opened(22, QStringLiteral("10.0.0.3"))));
    const Verdict other = a.received(22, hello(kCode, {QStringLiteral("Bee")}));
    ASSERT_TRUE(is<Admit>(other));
    EXPECT_EQ(std::get<Admit>(other).seats, (QList<int>{4}));
    now += 1'000;
    ASSERT_TRUE(is<Keep>(a.opened(23, QStringLiteral("10.0.0.9"))));
    // Every seat is taken: a new name finds none.
    EXPECT_EQ(refusal(a.received(23, hello(kCode, {QStringLiteral("Cat")}))),
              RefusalReason::NoFreeSeat);
    a.closed(23);

    // A name already playing cannot join twice, not even beside a new one.
    ASSERT_TRUE(is<Keep>(a.opened(30, QStringLiteral("10.0.0.1"))));
    EXPECT_EQ(refusal(a.received(30, hello(kCode, {QStringLiteral("Ann")}))),
              RefusalReason::NameInUse);
    a.closed(30);
    ASSERT_TRUE(is<Keep>(a.opened(30, QStringLiteral("10.0.0.1"))));
    EXPECT_EQ(refusal(a.received(30, hello(kCode, {QStringLiteral("Dee"), QStringLiteral("Ben")}))),
              RefusalReason::NameInUse);
    a.closed(30);
    // Once the connection is gone the seats keep their names. A hello whose second person
    // finds no seat takes none, not even the first's own.
    a.closed(1);
    EXPECT_EQ(a.holderOf(2), std::nullopt);
    EXPECT_EQ(a.nameAt(2), QStringLiteral("Ann"));
    ASSERT_TRUE(is<Keep>(a.opened(31, QStringLiteral("10.0.0.7"))));
    EXPECT_EQ(refusal(a.received(31, hello(kCode, {QStringLiteral("Ann"), QStringLiteral("Eve")}))),
              RefusalReason::NoFreeSeat);
    a.closed(31);
    EXPECT_EQ(a.holderOf(2), std::nullopt);
    EXPECT_EQ(a.nameAt(3), QStringLiteral("Ben"));
    // The same names, in any order, get the same seats back, each with its own name.
    ASSERT_TRUE(is<Keep>(a.opened(31, QStringLiteral("10.0.0.7"))));
    const Verdict back =
        a.received(31, hello(kCode, {QStringLiteral("Ben"), QStringLiteral("Ann")}));
    ASSERT_TRUE(is<Admit>(back));
    EXPECT_EQ(std::get<Admit>(back).seats, (QList<int>{2, 3}));
    EXPECT_EQ(std::get<Admit>(back).names, (QStringList{"Ann", "Ben"}));
    EXPECT_TRUE(is<Deliver>(a.received(31, key(2, 83))));
    EXPECT_TRUE(is<Deliver>(a.received(31, key(3, 74))));
    EXPECT_TRUE(is<Ignore>(a.received(31, key(4, 100))));
    // One of two coming back alone gets only his own seat; the other's waits for him.
    a.closed(31);
    ASSERT_TRUE(is<Keep>(a.opened(32, QStringLiteral("10.0.0.7"))));
    const Verdict alone = a.received(32, hello(kCode, {QStringLiteral("Ben")}));
    ASSERT_TRUE(is<Admit>(alone));
    EXPECT_EQ(std::get<Admit>(alone).seats, (QList<int>{3}));
    EXPECT_TRUE(is<Ignore>(a.received(32, key(2, 83))));
    EXPECT_EQ(a.holderOf(2), std::nullopt);
    ASSERT_TRUE(is<Keep>(a.opened(31, QStringLiteral("10.0.0.8"))));
    const Verdict annBack = a.received(31, hello(kCode, {QStringLiteral("Ann")}));
    ASSERT_TRUE(is<Admit>(annBack));
    EXPECT_EQ(std::get<Admit>(annBack).seats, (QList<int>{2}));

    // A second hello, an input before the hello, garbage and binary frames disconnect.
    EXPECT_TRUE(is<Disconnect>(a.received(31, hello(kCode, {QStringLiteral("Ann")}))));
    ASSERT_TRUE(is<Keep>(a.opened(40, QStringLiteral("10.0.0.5"))));
    EXPECT_TRUE(is<Disconnect>(a.received(40, key(1, 83))));
    ASSERT_TRUE(is<Keep>(a.opened(41, QStringLiteral("10.0.0.5"))));
    EXPECT_TRUE(is<Disconnect>(a.received(41, QByteArray("\x00\xff garbage", 10))));
    EXPECT_TRUE(is<Disconnect>(a.receivedBinary(31)));
}

TEST(Admission, AFloodDisconnectsWhileAPlayerAtTypingSpeedPlaysOn) {
    qint64 now = 0;
    Admission a(kCode, {1, 2}, AdmissionRules{}, [&now] { return now; });
    ASSERT_TRUE(is<Keep>(a.opened(1, QStringLiteral("10.0.0.1"))));
    ASSERT_TRUE(is<Keep>(a.opened(2, QStringLiteral("10.0.0.2"))));
    ASSERT_TRUE(is<Admit>(a.received(1, hello(kCode, {QStringLiteral("Typist")}))));
    ASSERT_TRUE(is<Admit>(a.received(2, hello(kCode, {QStringLiteral("Flood")}))));
    // Ten keys a second for a minute pass.
    for (int i = 0; i < 600; ++i) {
        now += 100;
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
    EXPECT_EQ(delivered, static_cast<int>(AdmissionRules{}.burstMessages));
    now += 100;
    EXPECT_TRUE(is<Deliver>(a.received(1, key(1, 65))));
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
