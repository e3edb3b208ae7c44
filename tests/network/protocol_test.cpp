// The message reader takes exactly the messages of the protocol: every kind a side sends comes
// back from its own frame unchanged, and a frame that is too large, not JSON, not an object,
// of an unknown kind, with a field missing, unknown, of the wrong type or out of range, or with
// a name that is not plain text, is refused with a message saying what is wrong.

#include "network/protocol.h"
#include "network/merge_patch.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QString>

#include <vector>

namespace kroda::network {
namespace {

TEST(Protocol, EveryMessageComesBackFromItsFrame) {
    const std::vector<ClientMessage> client = {
        Hello{QStringLiteral("ABCD2345"), QStringLiteral("ยาย"), 2},
        Input{1, KeyInput{83, 0}},
        Input{4, KeyInput{255, 7}},
        Input{2, ClickInput{ClickTarget::ImgTable, 39}},
        Input{3, ClickInput{ClickTarget::LblClose, 0}},
        Input{3, ToolbarInput{5}},
    };
    for (const ClientMessage& m : client) {
        QString error;
        const auto back = readClientMessage(encode(m), error);
        ASSERT_TRUE(back) << encode(m).toStdString() << ": " << error.toStdString();
        EXPECT_EQ(*back, m) << encode(m).toStdString();
    }
    const std::vector<HostMessage> host = {
        Welcome{{2, 4}},
        Refused{RefusalReason::LockedOut},
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
    // Names are trimmed, and the seats wanted default to one.
    QString error;
    const auto hello =
        readClientMessage(R"({"type":"hello","code":"abcd-2345","name":"  Somchai  "})", error);
    ASSERT_TRUE(hello) << error.toStdString();
    EXPECT_EQ(std::get<Hello>(*hello),
              (Hello{QStringLiteral("abcd-2345"), QStringLiteral("Somchai"), 1}));
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
    QByteArray tooLarge = R"({"type":"hello","code":"ABCD2345","name":")";
    tooLarge += QByteArray(kMaxClientMessageBytes, 'a') + "\"}";
    const QByteArray nul("{\"type\":\"hello\"\0}", 17);
    const std::vector<Bad> bad = {
        {tooLarge, "more than 65536"},
        {"", "not JSON"},
        {nul, "not JSON"},
        {"\xff\xfe{\"type\":\"input\"}", "not JSON"},
        {R"({"type":"hello","code":"ABCD2345","name":"\u0e01)", "not JSON"},
        {"[1,2,3]", "not a JSON object"},
        {R"({"code":"ABCD2345"})", "\"type\" is missing"},
        {R"({"type":7})", "\"type\" is not text"},
        {R"({"type":"welcome","seats":[1]})", "no message a client sends"},
        {R"({"type":"hello","code":"ABCD2345"})", "\"name\" is missing"},
        {R"({"type":"hello","code":"ABCD2345","name":"A","admin":true})",
         "unknown field \"admin\""},
        {R"({"type":"hello","code":12345678,"name":"A"})", "\"code\" is not text"},
        {R"({"type":"hello","code":"ABCD2345ABCD23456","name":"A"})", "\"code\" is longer"},
        {R"({"type":"hello","code":"","name":"A"})", "\"code\" is not a plain code"},
        {R"({"type":"hello","code":"ABCD2345","name":"   "})", "\"name\" is not a plain name"},
        {R"({"type":"hello","code":"ABCD2345","name":"ABCDEFGHIJKLM"})",
         "\"name\" is not a plain name"},
        {R"({"type":"hello","code":"ABCD2345","name":"Ann\u0007"})",
         "\"name\" is not a plain name"},
        {R"({"type":"hello","code":"ABCD2345","name":"A\nB"})", "\"name\" is not a plain name"},
        {R"({"type":"hello","code":"ABCD2345","name":"A\u202eB"})", "\"name\" is not a plain name"},
        {R"({"type":"hello","code":"ABCD2345","name":"A\ud800B"})", "\"name\" is not a plain name"},
        {R"({"type":"hello","code":"ABCD2345","name":["A"]})", "\"name\" is not text"},
        {R"({"type":"hello","code":"ABCD2345","name":"A","seats":5})", "\"seats\" is outside 1..4"},
        {R"({"type":"hello","code":"ABCD2345","name":"A","seats":"2"})",
         "\"seats\" is not a whole number"},
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
    };
    for (const Bad& b : bad) {
        QString error;
        EXPECT_FALSE(readClientMessage(b.frame, error)) << b.frame.left(80).toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(b.fault)))
            << b.frame.left(80).toStdString() << " gave: " << error.toStdString();
    }

    // The client's reader is as strict with what the host sends.
    const std::vector<Bad> badHost = {
        {R"({"type":"welcome","seats":[]})", "\"seats\" does not hold"},
        {R"({"type":"welcome","seats":[3,2]})", "rising list"},
        {R"({"type":"welcome","seats":[1,5]})", "rising list"},
        {R"({"type":"refused","reason":"because"})", "no reason"},
        {R"({"type":"state","save":"!!notbase64"})", "not a base64 save"},
        {R"({"type":"moment","patch":[1]})", "\"patch\" is not an object"},
        {R"({"type":"narration","line":"one\ntwo"})", "not one line"},
        {R"({"type":"sound","file":"../../etc/passwd.wav"})", "not the plain name"},
        {R"({"type":"hello","code":"ABCD2345","name":"A"})", "no message a host sends"},
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
