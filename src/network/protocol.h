#pragma once
// The messages between a host and its clients: one JSON object per WebSocket text frame, its
// kind in "type". A client sends only a hello and the person's inputs; the host answers with
// a welcome or a refusal and then sends what the client shows: the seats, the whole state,
// narration lines and sounds. Reading is a pure function of the frame's bytes: bounded,
// checked field by field, anything else an error saying what is wrong.

#include "commands/control_click.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <variant>

namespace kroda::network {

// The protocol's version, in the hello and the welcome. Version 1 had neither a version nor
// the seats' tokens; a hello without a version is version 1's.
inline constexpr int kProtocolVersion = 2;
inline constexpr quint16 kDefaultPort = 47410;
inline constexpr int kSeatCount = 4;
inline constexpr int kMaxNameLength = 12;  // UTF-16 code units, as the game's names
inline constexpr int kMaxCodeLength = 16;  // the code as typed, before it is compared
// A seat's token: 16 random bytes in unpadded base64url.
inline constexpr int kTokenLength = 22;
// The largest frame the host reads.
inline constexpr qsizetype kMaxClientMessageBytes = 64 * 1024;
// The largest frame a client reads: the state carries a whole save.
inline constexpr qsizetype kMaxHostMessageBytes = 16 * 1024 * 1024;
inline constexpr int kMaxNarrationLength = 4096;

// client -> host

// One name for each person at the client, each wanting a seat of his own: 1..kSeatCount
// names, each trimmed, 1..kMaxNameLength, plain text, no two the same. `tokens` is empty or
// holds one entry for each name: the token the welcome gave that name's seat, or "" for none.
// A hello of another version carries only its version: nothing else of it can be read.
struct Hello {
    Hello() = default;
    Hello(QString code_, QStringList names_, QStringList tokens_ = {},
          int version_ = kProtocolVersion)
        : code(std::move(code_)),
          names(std::move(names_)),
          tokens(std::move(tokens_)),
          version(version_) {}
    QString code;
    QStringList names;
    QStringList tokens;
    int version = kProtocolVersion;
    bool operator==(const Hello&) const = default;
};

// A key press as the windows give it: a Windows VK code and the shift bits (1 Shift, 2 Ctrl,
// 4 Alt).
struct KeyInput {
    int keyCode = 0;
    int shift = 0;
    bool operator==(const KeyInput&) const = default;
};

// A click on a control of the game window, its card window or its deed card (the toolbar's
// presses are ToolbarInput).
struct ClickInput {
    ClickableControl target = ClickableControl::ImgTao;
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

// The seats the client owns, ascending, each with the name of the hello that took it and its
// token, which takes the seat back in a later hello. A welcome of another version carries
// only its version.
struct Welcome {
    Welcome() = default;
    Welcome(QList<int> seats_, QStringList names_, QStringList tokens_,
            int version_ = kProtocolVersion)
        : seats(std::move(seats_)),
          names(std::move(names_)),
          tokens(std::move(tokens_)),
          version(version_) {}
    QList<int> seats;
    QStringList names;
    QStringList tokens;
    int version = kProtocolVersion;
    bool operator==(const Welcome&) const = default;
};

enum class RefusalReason { WrongCode, LockedOut, NoFreeSeat, NameInUse, WrongToken, Version };

struct Refused {
    Refused() = default;
    explicit Refused(RefusalReason reason_, int version_ = kProtocolVersion)
        : reason(reason_), version(version_) {}
    RefusalReason reason = RefusalReason::WrongCode;
    int version = kProtocolVersion;  // the host's, told with RefusalReason::Version
    bool operator==(const Refused&) const = default;
};

// Who plays a seat of the host's game.
enum class SeatPlayer { Person, Computer, Network };

struct SeatEntry {
    int seat = 1;
    SeatPlayer player = SeatPlayer::Person;
    QString name;          // empty for a network seat nobody has taken
    bool present = false;  // a network seat's player is connected
    bool operator==(const SeatEntry&) const = default;
};

// Every seat of the game, ascending, sent whenever one changes: a joining player sees the
// seats fill until the game starts.
struct Seats {
    QList<SeatEntry> seats;
    bool operator==(const Seats&) const = default;
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

using HostMessage = std::variant<Welcome, Refused, Seats, State, Moment, Narration, Sound>;

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

// Whether `token` has a token's form (kTokenLength characters of base64url).
bool tokenForm(const QString& token);

// The reason as the protocol names it ("wrong-code").
QString reasonText(RefusalReason reason);

}  // namespace kroda::network
