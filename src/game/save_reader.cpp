// The reader of save files. A save is input from outside: the frame is checked first (JSON,
// format, version, checksum), then every field against its domain, naming the field at the
// first fault: "state.Players(3).Position: 41 is over 39".
#include "game/save_format.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <vector>

namespace kroda::save {

namespace {

template <class A>
constexpr int lowIndex() {
    if constexpr (requires { A::kLow; })
        return A::kLow;
    else
        return 0;
}

class Reader {
  public:
    Reader(const QJsonObject& root, int version, SavedPaths& paths)
        : version_(version), paths_(paths) {
        places_.push_back({root, QString()});
    }

    const std::optional<QString>& error() const { return error_; }

    template <class T>
    void integer(const char* key, T& v, std::int64_t lo, std::int64_t hi) {
        if (enter(key)) {
            readInteger(v, lo, hi);
            leave();
        }
    }
    void flag(const char* key, bool& v) {
        if (!enter(key))
            return;
        if (here().isBool())
            v = here().toBool();
        else
            fail(QStringLiteral("is not true or false"));
        leave();
    }
    void flagSince(int version, const char* key, bool& v) {
        if (version_ < version)
            v = false;
        else
            flag(key, v);
    }
    template <class T>
    void text(const char* key, T& t) {
        if (enter(key)) {
            readText(t);
            leave();
        }
    }
    template <class T>
    void texts(const char* key, T& items) {
        scalars(key, items, [&](auto& t) { readText(t); });
    }
    template <class T>
    void integers(const char* key, T& items, std::int64_t lo, std::int64_t hi) {
        scalars(key, items, [&](auto& n) { readInteger(n, lo, hi); });
    }
    void money(const char* key, Currency& v, Currency lo, Currency hi) {
        if (enter(key)) {
            readMoney(v, lo, hi);
            leave();
        }
    }
    template <class T>
    void moneys(const char* key, T& items, Currency lo, Currency hi) {
        scalars(key, items, [&](Currency& c) { readMoney(c, lo, hi); });
    }
    void string(const char* key, QString& s) {
        if (enter(key)) {
            readString(s, kTextLimit);
            leave();
        }
    }
    // Every path of the save is judged here, by its kind (game/save_paths.h).
    void path(const char* key, QString& s, PathKind kind) {
        if (!enter(key))
            return;
        if (const auto full = readPath(kind))
            s = *full;
        leave();
    }
    template <class T>
    void pathText(const char* key, T& t, PathKind kind) {
        if (!enter(key))
            return;
        if (const auto full = readPath(kind)) {
            if (full->size() > T::kLength)
                fail(QStringLiteral("the path is longer than %1 characters").arg(T::kLength));
            else
                t = *full;
        }
        leave();
    }
    void real(const char* key, double& v, double lo, double hiExclusive) {
        if (!enter(key))
            return;
        const double d = here().toDouble();
        if (!here().isDouble() || !std::isfinite(d))
            fail(QStringLiteral("is not a number"));
        else if (d < lo || d >= hiExclusive)
            fail(QStringLiteral("%1 is outside %2 up to %3").arg(d).arg(lo).arg(hiExclusive));
        else
            v = d;
        leave();
    }
    void word(const char* key, std::uint64_t& v) {
        if (!enter(key))
            return;
        bool ok = false;
        const QString s = here().toString();
        const std::uint64_t n = s.size() == 16 ? s.toULongLong(&ok, 16) : 0;
        if (!here().isString() || !ok || s.startsWith(QLatin1Char('+')) ||
            s.startsWith(QLatin1Char('-')))
            fail(QStringLiteral("is not 16 hexadecimal digits"));
        else if (n == 0)
            fail(QStringLiteral("0 is no state of the generator"));
        else
            v = n;
        leave();
    }
    void cause(const char* key, PaymentCause& c) {
        if (!enter(key))
            return;
        readCause(c);
        leave();
    }
    void optionalCause(const char* key, std::optional<PaymentCause>& c) {
        if (!enter(key))
            return;
        if (here().isNull()) {
            c.reset();
        } else {
            PaymentCause known{};
            if (readCause(known))
                c = known;
        }
        leave();
    }
    template <class T>
    void element(T& v, std::int64_t lo, std::int64_t hi) {
        if (!error_)
            readInteger(v, lo, hi);
    }
    void answer(OfferAnswer& a) {
        if (error_)
            return;
        const QString s = here().toString();
        for (const OfferAnswer known : {OfferAnswer::Yes, OfferAnswer::No, OfferAnswer::WrongKey}) {
            if (here().isString() && s == QLatin1String(answerName(known))) {
                a = known;
                return;
            }
        }
        fail(QStringLiteral("is not yes, no or wrong"));
    }

    template <class F>
    void object(const char* key, F walk) {
        if (!enter(key))
            return;
        if (!here().isObject())
            fail(QStringLiteral("is not an object"));
        else
            walk();
        leave();
    }
    template <class A, class F>
    void array(const char* key, A& items, F walk) {
        scalars(key, items, [&](auto& item) {
            if (!here().isObject())
                fail(QStringLiteral("is not an object"));
            else
                walk(item);
        });
    }
    template <class R, class F>
    void list(const char* key, int, int lo, int hi, R resize, F walk) {
        const QJsonArray a = arrayOf(key, lo, hi);
        if (error_)
            return;
        resize(static_cast<int>(a.size()));
        const QString at = childPath(key);
        for (int i = 0; i < a.size() && !error_; ++i) {
            enterElement(a, at, i, 0);
            walk(i);
            leave();
        }
    }

  private:
    struct Place {
        QJsonValue value;
        QString path;
    };

    const QJsonValue& here() const { return places_.back().value; }

    bool enter(const char* key) {
        if (error_)
            return false;
        const Place& parent = places_.back();
        const QString path = childPath(key);
        if (!parent.value.isObject()) {
            error_ = parent.path + QStringLiteral(": is not an object");
            return false;
        }
        const QJsonObject o = parent.value.toObject();
        const auto found = o.constFind(QLatin1String(key));
        if (found == o.constEnd()) {
            error_ = path + QStringLiteral(": is missing");
            return false;
        }
        places_.push_back({found.value(), path});
        return true;
    }
    QString childPath(const char* key) const {
        const QString& parent = places_.back().path;
        return parent.isEmpty() ? QString::fromLatin1(key)
                                : parent + QLatin1Char('.') + QLatin1String(key);
    }
    // Element i of the list at `listPath`, named with the record's own index.
    void enterElement(const QJsonArray& a, const QString& listPath, int i, int low) {
        places_.push_back({a.at(i), listPath + QStringLiteral("(%1)").arg(i + low)});
    }
    void leave() { places_.pop_back(); }
    void fail(const QString& what) {
        if (!error_)
            error_ = places_.back().path + QStringLiteral(": ") + what;
    }

    QJsonArray arrayOf(const char* key, int lo, int hi) {
        if (!enter(key))
            return {};
        QJsonArray a;
        if (!here().isArray()) {
            fail(QStringLiteral("is not a list"));
        } else {
            a = here().toArray();
            if (a.size() < lo || a.size() > hi)
                fail(lo == hi ? QStringLiteral("has %1 entries, not %2").arg(a.size()).arg(lo)
                              : QStringLiteral("has %1 entries, outside %2..%3")
                                    .arg(a.size())
                                    .arg(lo)
                                    .arg(hi));
        }
        leave();
        return a;
    }
    template <class T, class F>
    void scalars(const char* key, T& items, F read) {
        const int size = static_cast<int>(std::end(items) - std::begin(items));
        const QJsonArray a = arrayOf(key, size, size);
        if (error_)
            return;
        const QString at = childPath(key);
        int i = 0;
        for (auto& item : items) {
            enterElement(a, at, i, lowIndex<T>());
            read(item);
            leave();
            if (error_)
                return;
            ++i;
        }
    }

    template <class T>
    void readInteger(T& v, std::int64_t lo, std::int64_t hi) {
        const double d = here().toDouble();
        if (!here().isDouble() || !std::isfinite(d))
            fail(QStringLiteral("is not a number"));
        else if (d != std::floor(d))
            fail(QStringLiteral("%1 is not a whole number").arg(d));
        else if (d < static_cast<double>(lo))
            fail(QStringLiteral("%1 is under %2").arg(d, 0, 'f', 0).arg(lo));
        else if (d > static_cast<double>(hi))
            fail(QStringLiteral("%1 is over %2").arg(d, 0, 'f', 0).arg(hi));
        else
            v = static_cast<T>(d);
    }
    bool readString(QString& s, int limit) {
        if (!here().isString()) {
            fail(QStringLiteral("is not a text"));
            return false;
        }
        const QString t = here().toString();
        if (t.size() > limit) {
            fail(QStringLiteral("is %1 characters long, more than %2").arg(t.size()).arg(limit));
            return false;
        }
        s = t;
        return true;
    }
    std::optional<QString> readPath(PathKind kind) {
        QString stored;
        if (!readString(stored, kTextLimit))
            return std::nullopt;
        SavedPaths::Judged judged = paths_.judge(stored, kind);
        if (judged.fault) {
            fail(*judged.fault);
            return std::nullopt;
        }
        return judged.path;
    }
    template <class T>
    void readText(T& t) {
        QString s;
        if (readString(s, T::kLength))
            t = s;
    }
    void readMoney(Currency& v, Currency lo, Currency hi) {
        const std::optional<Currency> c =
            here().isString() ? Currency::parse(here().toString()) : std::nullopt;
        if (!c)
            fail(QStringLiteral("is not an amount of money in plain decimals"));
        else if (*c < lo || *c > hi)
            fail(QStringLiteral("%1 is out of the range of money (%2 to %3)")
                     .arg(c->toPlainText(), lo.toPlainText(), hi.toPlainText()));
        else
            v = *c;
    }
    bool readCause(PaymentCause& c) {
        const QString s = here().toString();
        for (int k = 0; k < kPaymentCauseCount && here().isString(); ++k) {
            const auto known = static_cast<PaymentCause>(k);
            if (s == QLatin1String(causeName(known))) {
                c = known;
                return true;
            }
        }
        fail(QStringLiteral("is not a cause of payment"));
        return false;
    }

    int version_;
    SavedPaths& paths_;
    std::vector<Place> places_;
    std::optional<QString> error_;
};

std::optional<QString> checkFrame(const QJsonObject& root) {
    const QJsonValue format = root.value(QLatin1String(kFormatKey));
    if (format.toString() != QLatin1String(kFormatName))
        return format.isString() ? QStringLiteral("format \"%1\" is not \"%2\"")
                                       .arg(format.toString().left(64), QLatin1String(kFormatName))
                                 : QStringLiteral("not a Kroda save: it has no format \"%1\"")
                                       .arg(QLatin1String(kFormatName));
    const QJsonValue version = root.value(QLatin1String(kVersionKey));
    const double v = version.toDouble();
    if (!version.isDouble() || v != std::floor(v) || v < 1)
        return QStringLiteral("version: is not a version number");
    if (v > kFormatVersion)
        return QStringLiteral("version %1 is newer than this game reads (up to %2)")
            .arg(v, 0, 'f', 0)
            .arg(kFormatVersion);
    const QJsonValue checksum = root.value(QLatin1String(kChecksumKey));
    if (!checksum.isString())
        return QStringLiteral("checksum: is missing");
    if (checksum.toString() != contentChecksum(root))
        return QStringLiteral("checksum: does not match the content; the file is damaged");
    return std::nullopt;
}

// What the fields cannot say one by one: a running timer counts down within its interval
// (0 when it falls due at the instant of a tick that has just run).
std::optional<QString> checkTimers(const SaveImage& m) {
    for (int i = 0; i < kTimerCount; ++i) {
        const TimerImage& t = m.timers[i];
        const QString name =
            QStringLiteral("timers.%1.Left").arg(timerName(static_cast<TimerId>(i)));
        const bool running = t.Enabled && t.Interval > 0;
        if (running && (t.Left < 0 || t.Left > t.Interval))
            return name + QStringLiteral(": %1 is outside 0..%2, the timer's interval")
                              .arg(t.Left)
                              .arg(t.Interval);
        if (!running && t.Left != -1)
            return name +
                   QStringLiteral(": %1 for a timer that does not run (only -1)").arg(t.Left);
    }
    return std::nullopt;
}

}  // namespace

std::optional<QString> readImage(const QByteArray& bytes, SavedPaths& paths, SaveImage& image) {
    if (bytes.size() > kSaveFileLimit)
        return QStringLiteral("it is larger than %1 bytes").arg(kSaveFileLimit);
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError)
        return QStringLiteral("not a save file: %1 at byte %2")
            .arg(parse.errorString())
            .arg(parse.offset);
    if (!doc.isObject())
        return QStringLiteral("not a save file: no JSON object");
    const QJsonObject root = doc.object();
    if (auto fault = checkFrame(root))
        return fault;
    Reader r(root, root.value(QLatin1String(kVersionKey)).toInt(), paths);
    walkSave(r, image);
    if (r.error())
        return r.error();
    image.boardFolder = paths.boardFolder();
    return checkTimers(image);
}

}  // namespace kroda::save
