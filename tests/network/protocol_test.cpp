// The message reader takes exactly the messages of the protocol: every kind a side sends comes
// back from its own frame unchanged, and a frame that is too large, not JSON, not an object,
// of an unknown kind, with a field missing, unknown, of the wrong type or out of range, with
// a name that is not plain text, or with more names than seats or one name twice, is refused
// with a message saying what is wrong.

#include "network/protocol.h"
#include "network/merge_patch.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QString>

#include <vector>

namespace kroda::network {
namespace {

const QString kToken = QStringLiteral("AAAAAAAAAAAAAAAAAAAAAA");
const QString kToken2 = QStringLiteral("abcdefghijklmnopqrst-_");

TEST(Protocol, EveryMessageComesBackFromItsFrame) {
    const std::vector<ClientMessage> client = {
        Hello{QStringLiteral("ABCD2345"), {QStringLiteral("ยาย")}},
        Hello{QStringLiteral("ABCD2345"),
              {QStringLiteral("ยาย"), QStringLiteral("ตา"), QStringLiteral("A & B"),
               QStringLiteral("ABCDEFGHIJKL")}},
        Input{1, KeyInput{83, 0}},
        Input{4, KeyInput{255, 7}},
        Input{2, ClickInput{ClickableControl::ImgTable, 39}},
        Input{3, ClickInput{ClickableControl::LblClose, 0}},
        Input{3, ToolbarInput{5}},
        Hello{QStringLiteral("ABCD2345"),
              {QStringLiteral("ยาย"), QStringLiteral("ตา")},
              {QString(), kToken}},
        // Of another version only the version is read.
        Hello{{}, {}, {}, 1},
        Hello{{}, {}, {}, 7},
    };
    for (const ClientMessage& m : client) {
        QString error;
        const auto back = readClientMessage(encode(m), error);
        ASSERT_TRUE(back) << encode(m).toStdString() << ": " << error.toStdString();
        EXPECT_EQ(*back, m) << encode(m).toStdString();
    }
    const std::vector<HostMessage> host = {
        Welcome{{2, 4}, {QStringLiteral("ยาย"), QStringLiteral("ตา")}, {kToken, kToken2}},
        Welcome{{}, {}, {}, 3},
        Refused{RefusalReason::LockedOut},
        Refused{RefusalReason::Version, 5},
        Seats{{{1, SeatPlayer::Person, QStringLiteral("ผู้เล่น:1"), false},
               {2, SeatPlayer::Network, {}, false},
               {3, SeatPlayer::Network, QStringLiteral("ตา"), true},
               {4, SeatPlayer::Computer, QStringLiteral("ผู้เล่น:4"), false}}},
        State{QByteArray("{\"save\": \"\xe0\xb8\x81\", \"bytes\": \"\\u0000\"}\n")},
        Moment{QJsonObject{{"window", QJsonObject{{"TxtTalk", "ก"}}}, {"gone", QJsonValue::Null}}},
        Narration{QStringLiteral("ตาของ\tแดง")},
        Sound{QStringLiteral("503.wav")},
    };
    for (const HostMessage& m : host) {
        QString error;
        const auto back = readHostMessage(encode(m), error);
        ASSERT_TRUE(back) << encode(m).toStdString() << ": " << error.toStdString();
        EXPECT_EQ(*back, m) << encode(m).toStdString();
    }
    // Names are trimmed.
    QString error;
    const auto hello = readClientMessage(
        R"({"type":"hello","version":2,"code":"abcd-2345","names":["  Somchai  ","\tนิด"]})", error);
    ASSERT_TRUE(hello) << error.toStdString();
    EXPECT_EQ(std::get<Hello>(*hello), (Hello{QStringLiteral("abcd-2345"),
                                              {QStringLiteral("Somchai"), QStringLiteral("นิด")}}));
}

// A moment's patch turns the document the client holds into the host's, whatever changed:
// a nested text, a list, a member added or gone; and two equal moments need no patch.
TEST(Protocol, AMergePatchCarriesOneMomentToTheNext) {
    const auto doc = [](const char* json) { return QJsonDocument::fromJson(json).object(); };
    const QJsonObject from = doc(R"({"state":{"Die1":3,"Players":[{"Money":1500},{"Money":900}]},
        "window":{"TxtTalk":{"Text":"ตา"},"LblBDescript":{"Caption":""}},"music":{"on":false},
        "old":1})");
    const QJsonObject to = doc(R"({"state":{"Die1":0,"Players":[{"Money":1500},{"Money":850}]},
        "window":{"TxtTalk":{"Text":"ตาของ"},"LblBDescript":{"Caption":""}},"music":{"on":false},
        "new":{"a":[1,2]}})");
    const QJsonObject patch = mergePatch(from, to);
    EXPECT_EQ(applyMergePatch(from, patch), to);
    EXPECT_FALSE(patch.contains("music"));
    EXPECT_EQ(patch.value("window").toObject().size(), 1);
    EXPECT_TRUE(patch.value("old").isNull());
    EXPECT_TRUE(mergePatch(to, to).isEmpty());
}

TEST(Protocol, EveryMalformedFrameIsRefusedWithItsFault) {
    struct Bad {
        QByteArray frame;
        const char* fault;  // a piece of the error
    };
    QByteArray tooLarge = R"({"type":"hello","version":2,"code":"ABCD2345","names":[")";
    tooLarge += QByteArray(kMaxClientMessageBytes, 'a') + "\"]}";
    const QByteArray nul("{\"type\":\"hello\"\0}", 17);
    const char* notPlain = "\"names\" holds what is not a plain name of 1 to 12 characters";
    const std::vector<Bad> bad = {
        {tooLarge, "more than 65536"},
        {"", "not JSON"},
        {nul, "not JSON"},
        {"\xff\xfe{\"type\":\"input\"}", "not JSON"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["\u0e01)", "not JSON"},
        {"[1,2,3]", "not a JSON object"},
        {R"({"code":"ABCD2345"})", "\"type\" is missing"},
        {R"({"type":7})", "\"type\" is not text"},
        {R"({"type":"welcome","seats":[1]})", "no message a client sends"},
        {R"({"type":"hello","version":2,"code":"ABCD2345"})", "\"names\" is not a list"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A"],"admin":true})",
         "unknown field \"admin\""},
        // The one name and the seats wanted of older clients are no longer read.
        {R"({"type":"hello","version":2,"code":"ABCD2345","name":"A"})", "unknown field \"name\""},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A"],"seats":2})",
         "unknown field \"seats\""},
        {R"({"type":"hello","version":2,"code":12345678,"names":["A"]})", "\"code\" is not text"},
        {R"({"type":"hello","version":2,"code":"ABCD2345ABCD23456","names":["A"]})",
         "\"code\" is longer"},
        {R"({"type":"hello","version":2,"code":"","names":["A"]})", "\"code\" is not a plain code"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":"A"})",
         "\"names\" is not a list"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":{"0":"A"}})",
         "\"names\" is not a list"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":[]})",
         "\"names\" does not hold 1 to 4"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A","B","C","D","E"]})",
         "\"names\" does not hold 1 to 4"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A","B","A"]})",
         "\"names\" holds one name twice"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["Ann"," Ann "]})",
         "\"names\" holds one name twice"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":[""]})", notPlain},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A","   "]})", notPlain},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["ABCDEFGHIJKLM"]})", notPlain},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["Ann\u0007"]})", notPlain},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A\nB"]})", notPlain},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A\u202eB"]})", notPlain},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A\ud800B"]})", notPlain},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":[["A"]]})", notPlain},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A",7]})", notPlain},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A",null]})", notPlain},
        {R"({"type":"input","seat":1,"kind":"key","key":256,"shift":0})", "\"key\" is outside"},
        {R"({"type":"input","seat":1,"kind":"key","key":-1,"shift":0})", "\"key\" is outside"},
        {R"({"type":"input","seat":1,"kind":"key","key":65.5,"shift":0})",
         "\"key\" is not a whole number"},
        {R"({"type":"input","seat":1,"kind":"key","key":true,"shift":0})",
         "\"key\" is not a whole number"},
        {R"({"type":"input","seat":1,"kind":"key","key":65,"shift":8})", "\"shift\" is outside"},
        {R"({"type":"input","seat":1,"kind":"key","key":65})", "\"shift\" is missing"},
        {R"({"type":"input","seat":0,"kind":"key","key":65,"shift":0})",
         "\"seat\" is outside 1..4"},
        {R"({"type":"input","seat":5,"kind":"toolbar","index":1})", "\"seat\" is outside 1..4"},
        {R"({"type":"input","seat":1e300,"kind":"toolbar","index":1})", "\"seat\" is outside"},
        {R"({"type":"input","seat":1,"kind":"toolbar","index":6})", "\"index\" is outside 0..5"},
        {R"({"type":"input","seat":1,"kind":"click","control":"ImgTao","index":3})",
         "\"index\" is outside 0..2"},
        {R"({"type":"input","seat":1,"kind":"click","control":"FrmGame","index":0})",
         "names no control"},
        {R"({"type":"input","seat":1,"kind":"click","control":"ImgTao","index":0,"x":1})",
         "unknown field \"x\""},
        {R"({"type":"input","seat":1,"kind":"drag"})", "\"kind\" is none of"},
        {R"({"type":"hello","version":"2","code":"ABCD2345","names":["A"]})",
         "\"version\" is not a whole number"},
        {R"({"type":"hello","version":0,"code":"ABCD2345","names":["A"]})",
         "\"version\" is outside"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A","B"],"tokens":[""]})",
         "one token for each name"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A"],"tokens":["short"]})",
         "not a token"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A"],"tokens":[7]})",
         "not a token"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A"],"tokens":"x"})",
         "\"tokens\" is not a list"},
    };
    for (const Bad& b : bad) {
        QString error;
        EXPECT_FALSE(readClientMessage(b.frame, error)) << b.frame.left(80).toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(b.fault)))
            << b.frame.left(80).toStdString() << " gave: " << error.toStdString();
    }

    // The client's reader is as strict with what the host sends.
    const std::vector<Bad> badHost = {
        {R"({"type":"welcome","version":2,"seats":[],"names":[],"tokens":[]})",
         "\"seats\" does not hold"},
        {R"({"type":"welcome","version":2,"seats":[3,2],"names":["A","B"],"tokens":[]})",
         "rising list"},
        {R"({"type":"welcome","version":2,"seats":[1,5],"names":["A","B"],"tokens":[]})",
         "rising list"},
        {R"({"type":"welcome","version":2,"seats":[1],"names":["A","B"],"tokens":["AAAAAAAAAAAAAAAAAAAAAA"]})",
         "one name for each seat"},
        {R"({"type":"welcome","version":2,"seats":[1],"names":["A"],"tokens":["AAAA"]})",
         "not a token"},
        {R"({"type":"welcome","version":2,"seats":[1],"names":["A\n"],"tokens":["AAAAAAAAAAAAAAAAAAAAAA"]})",
         "not a plain name"},
        {R"({"type":"refused","reason":"because"})", "no reason"},
        {R"({"type":"refused","reason":"full"})", "no reason"},
        {R"({"type":"refused","reason":"wrong-code","version":2})", "only with the reason"},
        {R"({"type":"refused","reason":"version"})", "\"version\" is missing"},
        {R"({"type":"seats","seats":[{"seat":2,"player":"network","name":"","present":false},{"seat":1,"player":"person","name":"A","present":false}]})",
         "rising order"},
        {R"({"type":"seats","seats":[{"seat":1,"player":"ghost","name":"A","present":false}]})",
         "none of person"},
        {R"({"type":"seats","seats":[{"seat":1,"player":"person","name":"ABCDEFGHIJKLM","present":false}]})",
         "longer than 12"},
        {R"({"type":"seats","seats":[{"seat":1,"player":"person","name":"A","present":1}]})",
         "not true or false"},
        {R"({"type":"seats","seats":[{"seat":1,"player":"person","name":"A","present":true,"x":0}]})",
         "unknown field"},
        {R"({"type":"state","save":"!!notbase64"})", "not a base64 save"},
        {R"({"type":"moment","patch":[1]})", "\"patch\" is not an object"},
        {R"({"type":"narration","line":"one\ntwo"})", "not one line"},
        {R"({"type":"sound","file":"../../etc/passwd.wav"})", "not the plain name"},
        {R"({"type":"hello","version":2,"code":"ABCD2345","names":["A"]})",
         "no message a host sends"},
    };
    for (const Bad& b : badHost) {
        QString error;
        EXPECT_FALSE(readHostMessage(b.frame, error)) << b.frame.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(b.fault)))
            << b.frame.toStdString() << " gave: " << error.toStdString();
    }
}

}  // namespace
}  // namespace kroda::network
