#pragma once
// The messages between a host and its clients: one JSON object per WebSocket text frame, its
// kind in "type". A client sends only a hello and the person's inputs; the host answers with
// a welcome or a refusal and then sends what the client shows: the whole state, narration
// lines and sounds. Reading is a pure function of the frame's bytes: bounded, checked field
// by field, anything else an error saying what is wrong.

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace kroda::network {

inline constexpr quint16 kDefaultPort = 47410;
inline constexpr int kSeatCount = 4;
inline constexpr int kMaxNameLength = 12;  // UTF-16 code units, as the game's names
inline constexpr int kMaxCodeLength = 16;  // the code as typed, before it is compared
// The largest frame the host reads.
inline constexpr qsizetype kMaxClientMessageBytes = 64 * 1024;
// The largest frame a client reads: the state carries a whole save.
inline constexpr qsizetype kMaxHostMessageBytes = 16 * 1024 * 1024;
inline constexpr int kMaxNarrationLength = 4096;

// client -> host

// One name for each person at the client, each wanting a seat of his own: 1..kSeatCount
// names, each trimmed, 1..kMaxNameLength, plain text, no two the same.
struct Hello {
    QString code;
    QStringList names;
    bool operator==(const Hello&) const = default;
};

// A key press as the windows give it: a Windows VK code and the shift bits (1 Shift, 2 Ctrl,
// 4 Alt).
struct KeyInput {
    int keyCode = 0;
    int shift = 0;
    bool operator==(const KeyInput&) const = default;
};

// The controls a click may land on, named as the game window names them.
enum class ClickTarget { ImgTao, ImgTable, ImgDescripter, TxtCrd, LblClose };

struct ClickInput {
    ClickTarget target = ClickTarget::ImgTao;
    int index = 0;
    bool operator==(const ClickInput&) const = default;
};

// A press on the game window's toolbar (ImgIconT's index).
struct ToolbarInput {
    int index = 0;
    bool operator==(const ToolbarInput&) const = default;
};

struct Input {
    int seat = 1;  // 1..kSeatCount
    std::variant<KeyInput, ClickInput, ToolbarInput> action;
    bool operator==(const Input&) const = default;
};

using ClientMessage = std::variant<Hello, Input>;

// host -> client

struct Welcome {
    QList<int> seats;  // the seats the client owns, ascending
    bool operator==(const Welcome&) const = default;
};

enum class RefusalReason { WrongCode, LockedOut, NoFreeSeat, NameInUse, Full };

struct Refused {
    RefusalReason reason = RefusalReason::WrongCode;
    bool operator==(const Refused&) const = default;
};

// The whole game at one moment: the bytes of the save serialiser (writeSave), which a client
// puts into its copy with readSave. The protocol carries them and never looks inside.
struct State {
    QByteArray save;
    bool operator==(const State&) const = default;
};

// What changed since the last state or moment: a merge patch (merge_patch.h) of the save's
// JSON document. The client applies it to the document it holds and reads the result as it
// reads a state, checksum and all, so a patch that does not fit is refused as a bad state is.
struct Moment {
    QJsonObject patch;
    bool operator==(const Moment&) const = default;
};

struct Narration {
    QString line;
    bool operator==(const Narration&) const = default;
};

// A sound to play: a file of the game's Sound folder, by its plain name ("Dice.wav").
struct Sound {
    QString file;
    bool operator==(const Sound&) const = default;
};

using HostMessage = std::variant<Welcome, Refused, State, Moment, Narration, Sound>;

// The frame of a message, compact UTF-8 JSON.
QByteArray encode(const ClientMessage& message);
QByteArray encode(const HostMessage& message);

// The message a frame holds; on anything else nullopt, with `error` saying what is wrong.
std::optional<ClientMessage> readClientMessage(QByteArrayView frame, QString& error);
std::optional<HostMessage> readHostMessage(QByteArrayView frame, QString& error);

// A name as the network may give it: trimmed, 1..kMaxNameLength code units, no control or
// format characters. Like a name typed here, it is always drawn as plain text. Returns the
// trimmed name, or nullopt.
std::optional<QString> plainName(const QString& name);
// Names for the people at one client, each by plainName, no two the same: the trimmed names,
// or the first that is wrong and whether it repeats an earlier one.
struct NameProblem {
    qsizetype index;
    bool twice;  // false: not a plain name
};
std::variant<QStringList, NameProblem> plainNames(const QStringList& names);

QString reasonText(RefusalReason reason);

}  // namespace kroda::network
