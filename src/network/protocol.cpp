#include "network/protocol.h"

#include "model/codes.h"
#include "screen/controls.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <tuple>
#include <type_traits>

namespace kroda::network {

namespace {

// The controls a client may click, with their indexes 0..count-1 as the game window has them.
struct ClickTargetName {
    ClickableControl target;
    const char* name;
    int count;
};
constexpr int kDiceImages = std::tuple_size_v<decltype(GameWindow::ImgTao)>;
constexpr int kToolbarCount = std::tuple_size_v<decltype(GameWindow::ImgIconT)>;
constexpr std::array<ClickTargetName, 5> kClickTargets = {{
    {ClickableControl::ImgTao, "ImgTao", kDiceImages},
    {ClickableControl::ImgTable, "ImgTable", kSquareCount},
    {ClickableControl::ImgDescripter, "ImgDescripter", 1},
    {ClickableControl::TxtCrd, "TxtCrd", 1},
    {ClickableControl::LblClose, "LblClose", 1},
}};
constexpr int kMaxKeyCode = 255;
constexpr int kShiftBits = 7;
// Versions a frame may name; any other number is no version.
constexpr int kMaxVersion = 1'000'000;

struct ReasonName {
    RefusalReason reason;
    const char* name;
};
constexpr std::array<ReasonName, 6> kReasons = {{
    {RefusalReason::WrongCode, "wrong-code"},
    {RefusalReason::LockedOut, "locked-out"},
    {RefusalReason::NoFreeSeat, "no-free-seat"},
    {RefusalReason::NameInUse, "name-in-use"},
    {RefusalReason::WrongToken, "wrong-token"},
    {RefusalReason::Version, "version"},
}};

struct SeatPlayerName {
    SeatPlayer player;
    const char* name;
};
constexpr std::array<SeatPlayerName, 3> kSeatPlayers = {{
    {SeatPlayer::Person, "person"},
    {SeatPlayer::Computer, "computer"},
    {SeatPlayer::Network, "network"},
}};

// No control, format or separator characters, no lone surrogates; `allowTab` lets a tab
// through, as narration may hold one.
bool plainText(const QString& s, bool allowTab) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        char32_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            u = QChar::surrogateToUcs4(c, s.at(i + 1));
            ++i;
        } else if (c.isSurrogate()) {
            return false;
        }
        if (allowTab && u == U'\t')
            continue;
        switch (QChar::category(u)) {
            case QChar::Other_Control:
            case QChar::Other_Format:
            case QChar::Other_Surrogate:
            case QChar::Separator_Line:
            case QChar::Separator_Paragraph:
                return false;
            default:
                break;
        }
    }
    return true;
}

// The fields of one message, each taken once and checked; the first fault is kept.
class Fields {
  public:
    Fields(const QJsonObject& object, QString& error) : object_(object), error_(error) {}

    bool ok() const { return error_.isEmpty(); }
    QString& error() { return error_; }

    bool fail(const QString& what) {
        if (error_.isEmpty())
            error_ = what;
        return false;
    }

    // Every field is one the message's kind has.
    bool only(std::initializer_list<const char*> names) {
        for (auto it = object_.begin(); it != object_.end(); ++it) {
            bool known = false;
            for (const char* n : names) known = known || it.key() == QLatin1String(n);
            if (!known)
                return fail(QStringLiteral("unknown field \"%1\"").arg(it.key().left(32)));
        }
        return true;
    }

    bool has(const char* name) const { return object_.contains(QLatin1String(name)); }

    int integer(const char* name, int lo, int hi) {
        const QJsonValue v = object_.value(QLatin1String(name));
        if (v.isUndefined()) {
            fail(QStringLiteral("\"%1\" is missing").arg(QLatin1String(name)));
            return lo;
        }
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || std::isnan(d) || d != std::floor(d)) {
            fail(QStringLiteral("\"%1\" is not a whole number").arg(QLatin1String(name)));
            return lo;
        }
        if (d < lo || d > hi) {
            fail(QStringLiteral("\"%1\" is outside %2..%3")
                     .arg(QLatin1String(name))
                     .arg(lo)
                     .arg(hi));
            return lo;
        }
        return static_cast<int>(d);
    }

    QString string(const char* name, qsizetype maxLength) {
        const QJsonValue v = object_.value(QLatin1String(name));
        if (v.isUndefined()) {
            fail(QStringLiteral("\"%1\" is missing").arg(QLatin1String(name)));
            return {};
        }
        if (!v.isString()) {
            fail(QStringLiteral("\"%1\" is not text").arg(QLatin1String(name)));
            return {};
        }
        QString s = v.toString();
        if (s.size() > maxLength) {
            fail(
                QStringLiteral("\"%1\" is longer than %2").arg(QLatin1String(name)).arg(maxLength));
            return {};
        }
        return s;
    }

    bool boolean(const char* name) {
        const QJsonValue v = object_.value(QLatin1String(name));
        if (!v.isBool())
            fail(QStringLiteral("\"%1\" is not true or false").arg(QLatin1String(name)));
        return v.toBool();
    }

    // The version a message names; a message without one is version 1's.
    int version() { return has("version") ? integer("version", 1, kMaxVersion) : 1; }

    QJsonArray array(const char* name) {
        const QJsonValue v = object_.value(QLatin1String(name));
        if (!v.isArray())
            fail(QStringLiteral("\"%1\" is not a list").arg(QLatin1String(name)));
        return v.toArray();
    }

    QJsonObject object(const char* name) {
        const QJsonValue v = object_.value(QLatin1String(name));
        if (!v.isObject())
            fail(QStringLiteral("\"%1\" is not an object").arg(QLatin1String(name)));
        return v.toObject();
    }

  private:
    const QJsonObject& object_;
    QString& error_;
};

std::optional<QJsonObject> readObject(QByteArrayView frame, qsizetype limit, QString& error) {
    error.clear();
    if (frame.size() > limit) {
        error =
            QStringLiteral("the message has %1 bytes, more than %2").arg(frame.size()).arg(limit);
        return std::nullopt;
    }
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(frame.toByteArray(), &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = QStringLiteral("the message is not JSON: %1 at byte %2")
                    .arg(parse.errorString())
                    .arg(parse.offset);
        return std::nullopt;
    }
    if (!doc.isObject()) {
        error = QStringLiteral("the message is not a JSON object");
        return std::nullopt;
    }
    return doc.object();
}

QString typeOf(Fields& f) {
    return f.string("type", 16);
}

// Tokens for the names of a hello, one each, "" where a name has none.
QStringList readTokens(Fields& f, qsizetype names) {
    QStringList tokens;
    if (!f.has("tokens"))
        return tokens;
    const QJsonArray list = f.array("tokens");
    if (f.ok() && list.size() != names)
        f.fail(QStringLiteral("\"tokens\" does not hold one token for each name"));
    for (const QJsonValue& v : list) {
        if (!f.ok())
            break;
        const QString token = v.toString();
        if (!v.isString() || (!token.isEmpty() && !tokenForm(token)))
            f.fail(QStringLiteral("\"tokens\" holds what is not a token"));
        tokens << token;
    }
    return tokens;
}

std::optional<ClientMessage> readHello(Fields& f) {
    Hello h;
    // Nothing else of another version's hello can be read: its fields may be others.
    h.version = f.version();
    if (!f.ok())
        return std::nullopt;
    if (h.version != kProtocolVersion)
        return Hello{{}, {}, {}, h.version};
    f.only({"type", "version", "code", "names", "tokens"});
    h.code = f.string("code", kMaxCodeLength);
    if (f.ok() && (h.code.isEmpty() || !plainText(h.code, false)))
        f.fail(QStringLiteral("\"code\" is not a plain code"));
    const QJsonArray names = f.array("names");
    if (f.ok() && (names.isEmpty() || names.size() > kSeatCount))
        f.fail(QStringLiteral("\"names\" does not hold 1 to %1 names").arg(kSeatCount));
    if (f.ok()) {
        QStringList given;
        for (const QJsonValue& v : names) given << v.toString();  // no text: no plain name
        const auto checked = plainNames(given);
        if (const auto* plain = std::get_if<QStringList>(&checked))
            h.names = *plain;
        else if (std::get<NameProblem>(checked).twice)
            f.fail(QStringLiteral("\"names\" holds one name twice"));
        else
            f.fail(QStringLiteral("\"names\" holds what is not a plain name of 1 to %1 characters")
                       .arg(kMaxNameLength));
    }
    if (f.ok())
        h.tokens = readTokens(f, h.names.size());
    if (!f.ok())
        return std::nullopt;
    return h;
}

std::optional<ClientMessage> readInput(Fields& f) {
    Input in;
    const QString kind = f.string("kind", 16);
    if (!f.ok())
        return std::nullopt;
    if (kind == QLatin1String("key")) {
        f.only({"type", "seat", "kind", "key", "shift"});
        KeyInput k;
        k.keyCode = f.integer("key", 0, kMaxKeyCode);
        k.shift = f.integer("shift", 0, kShiftBits);
        in.action = k;
    } else if (kind == QLatin1String("click")) {
        f.only({"type", "seat", "kind", "control", "index"});
        const QString control = f.string("control", 32);
        const ClickTargetName* target = nullptr;
        for (const auto& t : kClickTargets) {
            if (control == QLatin1String(t.name))
                target = &t;
        }
        if (f.ok() && !target) {
            f.fail(QStringLiteral("\"control\" names no control a click may land on"));
        } else if (target) {
            in.action = ClickInput{target->target, f.integer("index", 0, target->count - 1)};
        }
    } else if (kind == QLatin1String("toolbar")) {
        f.only({"type", "seat", "kind", "index"});
        in.action = ToolbarInput{f.integer("index", 0, kToolbarCount - 1)};
    } else {
        f.fail(QStringLiteral("\"kind\" is none of key, click, toolbar"));
    }
    in.seat = f.integer("seat", 1, kSeatCount);
    if (!f.ok())
        return std::nullopt;
    return in;
}

std::optional<HostMessage> readWelcome(Fields& f) {
    Welcome w;
    w.version = f.version();
    if (!f.ok())
        return std::nullopt;
    if (w.version != kProtocolVersion)
        return Welcome{{}, {}, {}, w.version};
    f.only({"type", "version", "seats", "names", "tokens"});
    const QJsonArray seats = f.array("seats");
    if (f.ok() && (seats.isEmpty() || seats.size() > kSeatCount))
        f.fail(QStringLiteral("\"seats\" does not hold 1 to %1 seats").arg(kSeatCount));
    for (const QJsonValue& v : seats) {
        const double d = v.toDouble(0);
        if (!v.isDouble() || d != std::floor(d) || d < 1 || d > kSeatCount ||
            (!w.seats.isEmpty() && d <= w.seats.back())) {
            f.fail(QStringLiteral("\"seats\" is not a rising list of seats 1..%1").arg(kSeatCount));
            break;
        }
        w.seats.append(static_cast<int>(d));
    }
    const QJsonArray names = f.array("names");
    if (f.ok() && names.size() != seats.size())
        f.fail(QStringLiteral("\"names\" does not hold one name for each seat"));
    for (const QJsonValue& v : names) {
        if (!f.ok())
            break;
        const auto name = plainName(v.toString());
        if (!v.isString() || name != v.toString())
            f.fail(QStringLiteral("\"names\" holds what is not a plain name"));
        w.names << v.toString();
    }
    const QJsonArray tokens = f.array("tokens");
    if (f.ok() && tokens.size() != seats.size())
        f.fail(QStringLiteral("\"tokens\" does not hold one token for each seat"));
    for (const QJsonValue& v : tokens) {
        if (!f.ok())
            break;
        if (!tokenForm(v.toString()))
            f.fail(QStringLiteral("\"tokens\" holds what is not a token"));
        w.tokens << v.toString();
    }
    if (!f.ok())
        return std::nullopt;
    return w;
}

std::optional<HostMessage> readRefused(Fields& f) {
    f.only({"type", "reason", "version"});
    const QString reason = f.string("reason", 32);
    Refused r;
    const auto known = std::find_if(kReasons.begin(), kReasons.end(), [&](const ReasonName& n) {
        return reason == QLatin1String(n.name);
    });
    if (f.ok() && known == kReasons.end())
        f.fail(QStringLiteral("\"reason\" is no reason a host gives"));
    if (!f.ok())
        return std::nullopt;
    r.reason = known->reason;
    // The host's own version, which the refused client names to its player.
    if (r.reason == RefusalReason::Version)
        r.version = f.integer("version", 1, kMaxVersion);
    else if (f.has("version"))
        f.fail(QStringLiteral("\"version\" comes only with the reason \"version\""));
    if (!f.ok())
        return std::nullopt;
    return r;
}

std::optional<HostMessage> readSeats(Fields& f) {
    f.only({"type", "seats"});
    const QJsonArray list = f.array("seats");
    if (f.ok() && (list.isEmpty() || list.size() > kSeatCount))
        f.fail(QStringLiteral("\"seats\" does not hold 1 to %1 seats").arg(kSeatCount));
    Seats seats;
    for (const QJsonValue& v : list) {
        if (!f.ok())
            break;
        if (!v.isObject()) {
            f.fail(QStringLiteral("\"seats\" holds what is not a seat"));
            break;
        }
        const QJsonObject o = v.toObject();
        Fields e(o, f.error());
        e.only({"seat", "player", "name", "present"});
        SeatEntry entry;
        entry.seat = e.integer("seat", 1, kSeatCount);
        const QString player = e.string("player", 16);
        const auto p =
            std::find_if(kSeatPlayers.begin(), kSeatPlayers.end(),
                         [&](const SeatPlayerName& n) { return player == QLatin1String(n.name); });
        if (e.ok() && p == kSeatPlayers.end())
            e.fail(QStringLiteral("\"player\" is none of person, computer, network"));
        if (e.ok())
            entry.player = p->player;
        entry.name = e.string("name", kMaxNameLength);
        if (e.ok() && !entry.name.isEmpty() && !plainName(entry.name))
            e.fail(QStringLiteral("\"name\" is not a plain name"));
        entry.present = e.boolean("present");
        if (e.ok() && !seats.seats.isEmpty() && entry.seat <= seats.seats.back().seat)
            e.fail(QStringLiteral("\"seats\" is not in rising order"));
        seats.seats << entry;
    }
    if (!f.ok())
        return std::nullopt;
    return seats;
}

std::optional<HostMessage> readState(Fields& f) {
    f.only({"type", "save"});
    const QString text = f.string("save", kMaxHostMessageBytes);
    if (!f.ok())
        return std::nullopt;
    const auto decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty()) {
        f.fail(QStringLiteral("\"save\" is not a base64 save"));
        return std::nullopt;
    }
    return State{decoded.decoded};
}

std::optional<HostMessage> readMoment(Fields& f) {
    f.only({"type", "patch"});
    const QJsonObject patch = f.object("patch");
    if (!f.ok())
        return std::nullopt;
    return Moment{patch};
}

std::optional<HostMessage> readNarration(Fields& f) {
    f.only({"type", "line"});
    const QString line = f.string("line", kMaxNarrationLength);
    if (f.ok() && !plainText(line, true))
        f.fail(QStringLiteral("\"line\" is not one line of plain text"));
    if (!f.ok())
        return std::nullopt;
    return Narration{line};
}

std::optional<HostMessage> readSound(Fields& f) {
    static const QRegularExpression file(QStringLiteral("^[A-Za-z0-9_-]{1,64}\\.wav$"),
                                         QRegularExpression::CaseInsensitiveOption);
    f.only({"type", "file"});
    const QString name = f.string("file", 72);
    if (f.ok() && !file.match(name).hasMatch())
        f.fail(QStringLiteral("\"file\" is not the plain name of a sound"));
    if (!f.ok())
        return std::nullopt;
    return Sound{name};
}

QByteArray compact(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

}  // namespace

std::optional<QString> plainName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > kMaxNameLength || !plainText(trimmed, false))
        return std::nullopt;
    return trimmed;
}

std::variant<QStringList, NameProblem> plainNames(const QStringList& names) {
    QStringList plain;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const auto name = plainName(names[i]);
        if (!name)
            return NameProblem{i, false};
        if (plain.contains(*name))
            return NameProblem{i, true};
        plain << *name;
    }
    return plain;
}

bool tokenForm(const QString& token) {
    if (token.size() != kTokenLength)
        return false;
    return std::all_of(token.begin(), token.end(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
               c == u'-' || c == u'_';
    });
}

QString reasonText(RefusalReason reason) {
    for (const auto& r : kReasons) {
        if (r.reason == reason)
            return QLatin1String(r.name);
    }
    return {};
}

QByteArray encode(const ClientMessage& message) {
    QJsonObject o;
    if (const auto* h = std::get_if<Hello>(&message)) {
        o = {{"type", "hello"},
             {"version", h->version},
             {"code", h->code},
             {"names", QJsonArray::fromStringList(h->names)}};
        if (!h->tokens.isEmpty())
            o.insert("tokens", QJsonArray::fromStringList(h->tokens));
        return compact(o);
    }
    const Input& in = std::get<Input>(message);
    o = {{"type", "input"}, {"seat", in.seat}};
    std::visit(
        [&o](const auto& a) {
            using A = std::decay_t<decltype(a)>;
            if constexpr (std::is_same_v<A, KeyInput>) {
                o.insert("kind", "key");
                o.insert("key", a.keyCode);
                o.insert("shift", a.shift);
            } else if constexpr (std::is_same_v<A, ClickInput>) {
                o.insert("kind", "click");
                for (const auto& t : kClickTargets) {
                    if (t.target == a.target)
                        o.insert("control", QLatin1String(t.name));
                }
                o.insert("index", a.index);
            } else {
                static_assert(std::is_same_v<A, ToolbarInput>);
                o.insert("kind", "toolbar");
                o.insert("index", a.index);
            }
        },
        in.action);
    return compact(o);
}

QByteArray encode(const HostMessage& message) {
    QJsonObject o = std::visit(
        [](const auto& m) -> QJsonObject {
            using M = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<M, Welcome>) {
                QJsonArray seats;
                for (int s : m.seats) seats.append(s);
                return {{"type", "welcome"},
                        {"version", m.version},
                        {"seats", seats},
                        {"names", QJsonArray::fromStringList(m.names)},
                        {"tokens", QJsonArray::fromStringList(m.tokens)}};
            } else if constexpr (std::is_same_v<M, Refused>) {
                QJsonObject r{{"type", "refused"}, {"reason", reasonText(m.reason)}};
                if (m.reason == RefusalReason::Version)
                    r.insert("version", m.version);
                return r;
            } else if constexpr (std::is_same_v<M, Seats>) {
                QJsonArray seats;
                for (const SeatEntry& e : m.seats) {
                    QString player;
                    for (const auto& n : kSeatPlayers) {
                        if (n.player == e.player)
                            player = QLatin1String(n.name);
                    }
                    seats.append(QJsonObject{{"seat", e.seat},
                                             {"player", player},
                                             {"name", e.name},
                                             {"present", e.present}});
                }
                return {{"type", "seats"}, {"seats", seats}};
            } else if constexpr (std::is_same_v<M, State>) {
                return {{"type", "state"}, {"save", QString::fromLatin1(m.save.toBase64())}};
            } else if constexpr (std::is_same_v<M, Moment>) {
                return {{"type", "moment"}, {"patch", m.patch}};
            } else if constexpr (std::is_same_v<M, Narration>) {
                return {{"type", "narration"}, {"line", m.line}};
            } else {
                static_assert(std::is_same_v<M, Sound>);
                return {{"type", "sound"}, {"file", m.file}};
            }
        },
        message);
    return compact(o);
}

std::optional<ClientMessage> readClientMessage(QByteArrayView frame, QString& error) {
    const auto object = readObject(frame, kMaxClientMessageBytes, error);
    if (!object)
        return std::nullopt;
    Fields f(*object, error);
    const QString type = typeOf(f);
    if (!f.ok())
        return std::nullopt;
    if (type == QLatin1String("hello"))
        return readHello(f);
    if (type == QLatin1String("input"))
        return readInput(f);
    f.fail(QStringLiteral("\"type\" is no message a client sends"));
    return std::nullopt;
}

std::optional<HostMessage> readHostMessage(QByteArrayView frame, QString& error) {
    const auto object = readObject(frame, kMaxHostMessageBytes, error);
    if (!object)
        return std::nullopt;
    Fields f(*object, error);
    const QString type = typeOf(f);
    if (!f.ok())
        return std::nullopt;
    if (type == QLatin1String("welcome"))
        return readWelcome(f);
    if (type == QLatin1String("refused"))
        return readRefused(f);
    if (type == QLatin1String("seats"))
        return readSeats(f);
    if (type == QLatin1String("state"))
        return readState(f);
    if (type == QLatin1String("moment"))
        return readMoment(f);
    if (type == QLatin1String("narration"))
        return readNarration(f);
    if (type == QLatin1String("sound"))
        return readSound(f);
    f.fail(QStringLiteral("\"type\" is no message a host sends"));
    return std::nullopt;
}

}  // namespace kroda::network
