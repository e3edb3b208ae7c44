#include "network/protocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <initializer_list>
#include <type_traits>

namespace kroda::network {

namespace {

struct ClickTargetName {
    ClickTarget target;
    const char* name;
    int count;  // indexes 0..count-1, as the game window has them
};
constexpr std::array<ClickTargetName, 5> kClickTargets = {{
    {ClickTarget::ImgTao, "ImgTao", 3},
    {ClickTarget::ImgTable, "ImgTable", 40},
    {ClickTarget::ImgDescripter, "ImgDescripter", 1},
    {ClickTarget::TxtCrd, "TxtCrd", 1},
    {ClickTarget::LblClose, "LblClose", 1},
}};
constexpr int kToolbarCount = 6;
constexpr int kMaxKeyCode = 255;
constexpr int kShiftBits = 7;

struct ReasonName {
    RefusalReason reason;
    const char* name;
};
constexpr std::array<ReasonName, 5> kReasons = {{
    {RefusalReason::WrongCode, "wrong-code"},
    {RefusalReason::LockedOut, "locked-out"},
    {RefusalReason::NoFreeSeat, "no-free-seat"},
    {RefusalReason::NameInUse, "name-in-use"},
    {RefusalReason::Full, "full"},
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

std::optional<ClientMessage> readHello(Fields& f) {
    f.only({"type", "code", "names"});
    Hello h;
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
    f.only({"type", "seats"});
    Welcome w;
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
    if (!f.ok())
        return std::nullopt;
    return w;
}

std::optional<HostMessage> readRefused(Fields& f) {
    f.only({"type", "reason"});
    const QString reason = f.string("reason", 32);
    for (const auto& r : kReasons) {
        if (f.ok() && reason == QLatin1String(r.name))
            return Refused{r.reason};
    }
    f.fail(QStringLiteral("\"reason\" is no reason a host gives"));
    return std::nullopt;
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
        o = {{"type", "hello"}, {"code", h->code}, {"names", QJsonArray::fromStringList(h->names)}};
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
                return {{"type", "welcome"}, {"seats", seats}};
            } else if constexpr (std::is_same_v<M, Refused>) {
                return {{"type", "refused"}, {"reason", reasonText(m.reason)}};
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
