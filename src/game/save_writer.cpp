// The writer of save files: the moment of a game taken as plain data, then written field by
// field in the order of the one list of fields.
#include "game/save_format.h"

#include "game/save_image.h"
#include "platform/null_front_end.h"
#include "sequencer/virtual_clock.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <vector>

namespace kroda::save {

const char* timerName(TimerId id) {
    switch (id) {
        case TimerId::TimerTalk:
            return "TimerTalk";
        case TimerId::TimeDelay:
            return "TimeDelay";
        case TimerId::AnimateTimer:
            return "AnimateTimer";
        case TimerId::TimerMM:
            return "TimerMM";
    }
    return "";
}

const char* answerName(OfferAnswer answer) {
    switch (answer) {
        case OfferAnswer::Yes:
            return "yes";
        case OfferAnswer::No:
            return "no";
        case OfferAnswer::WrongKey:
            return "wrong";
    }
    return "";
}

QString relativePath(const QString& path, const QString& appFolder) {
    if (!appFolder.isEmpty() && path.startsWith(appFolder + QLatin1Char('/')))
        return QLatin1String(kAppPrefix) + path.mid(appFolder.size() + 1);
    return path;
}

QString absolutePath(const QString& stored, const QString& appFolder) {
    if (stored.startsWith(QLatin1String(kAppPrefix)))
        return appFolder + QLatin1Char('/') +
               stored.mid(static_cast<qsizetype>(qstrlen(kAppPrefix)));
    return stored;
}

QString contentChecksum(QJsonObject root) {
    root.remove(QLatin1String(kChecksumKey));
    const QByteArray content = QJsonDocument(root).toJson(QJsonDocument::Compact);
    return QStringLiteral("sha256:") +
           QString::fromLatin1(
               QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
}

namespace {

// Builds the JSON tree as the walk goes: one object (or one array element) per level.
class Writer {
  public:
    explicit Writer(const QString& appFolder) : appFolder_(appFolder) { levels_.emplace_back(); }

    QJsonObject root() const { return levels_.front().object; }

    template <class T>
    void integer(const char* key, const T& v, std::int64_t, std::int64_t) {
        put(key, static_cast<qint64>(v));
    }
    void flag(const char* key, bool v) { put(key, v); }
    void flagSince(int, const char* key, bool v) { put(key, v); }
    template <class T>
    void text(const char* key, const T& t) {
        put(key, t.rightTrimmed());
    }
    template <class T>
    void texts(const char* key, const T& items) {
        QJsonArray a;
        for (const auto& t : items) a.append(t.rightTrimmed());
        put(key, a);
    }
    template <class T>
    void integers(const char* key, const T& items, std::int64_t, std::int64_t) {
        QJsonArray a;
        for (const auto& n : items) a.append(static_cast<qint64>(n));
        put(key, a);
    }
    void money(const char* key, Currency v, Currency, Currency) { put(key, v.toPlainText()); }
    template <class T>
    void moneys(const char* key, const T& items, Currency, Currency) {
        QJsonArray a;
        for (const Currency c : items) a.append(c.toPlainText());
        put(key, a);
    }
    void string(const char* key, const QString& s) { put(key, s); }
    void path(const char* key, const QString& s, PathKind) {
        put(key, relativePath(s, appFolder_));
    }
    template <class T>
    void pathText(const char* key, const T& t, PathKind) {
        put(key, relativePath(t.rightTrimmed(), appFolder_));
    }
    void real(const char* key, double v, double, double) { put(key, v); }
    void word(const char* key, std::uint64_t v) {
        put(key, QStringLiteral("%1").arg(v, 16, 16, QLatin1Char('0')));
    }
    void cause(const char* key, PaymentCause c) { put(key, QLatin1String(causeName(c))); }
    void optionalCause(const char* key, const std::optional<PaymentCause>& c) {
        put(key, c ? QJsonValue(QLatin1String(causeName(*c))) : QJsonValue(QJsonValue::Null));
    }
    template <class T>
    void element(const T& v, std::int64_t, std::int64_t) {
        levels_.back().scalar = static_cast<qint64>(v);
    }
    void answer(OfferAnswer a) { levels_.back().scalar = QLatin1String(answerName(a)); }

    template <class F>
    void object(const char* key, F walk) {
        levels_.emplace_back();
        walk();
        const QJsonObject done = levels_.back().object;
        levels_.pop_back();
        put(key, done);
    }
    template <class A, class F>
    void array(const char* key, const A& items, F walk) {
        QJsonArray a;
        for (const auto& item : items) a.append(element([&] { walk(item); }));
        put(key, a);
    }
    template <class R, class F>
    void list(const char* key, int size, int, int, R, F walk) {
        QJsonArray a;
        for (int i = 0; i < size; ++i) a.append(element([&] { walk(i); }));
        put(key, a);
    }

  private:
    struct Level {
        QJsonObject object;
        QJsonValue scalar = QJsonValue::Undefined;
    };
    template <class F>
    QJsonValue element(F walk) {
        levels_.emplace_back();
        walk();
        Level done = levels_.back();
        levels_.pop_back();
        return done.scalar.isUndefined() ? QJsonValue(done.object) : done.scalar;
    }
    void put(const char* key, const QJsonValue& v) {
        levels_.back().object.insert(QLatin1String(key), v);
    }

    QString appFolder_;
    std::vector<Level> levels_;
};

SaveImage capture(const Game& game, const VirtualClock& clock) {
    SaveImage m;
    m.now = clock.now();
    m.ticks = static_cast<std::int64_t>(clock.ticksFired());
    if (const auto* null = dynamic_cast<const NullFrontEnd*>(&game.port)) {
        m.timeOfDayAtZero = null->startOfDay;
    } else {
        const double t = game.port.timeOfDay() - static_cast<double>(m.now) / 1000.0;
        m.timeOfDayAtZero = std::fmod(std::fmod(t, 86400.0) + 86400.0, 86400.0);
    }
    for (int i = 0; i < kTimerCount; ++i) {
        const auto id = static_cast<TimerId>(i);
        const LogicalTimer& t = game.timers[id];
        const std::int64_t due = clock.dueAt(id);
        m.timers[i] = {t.Interval(), t.Enabled(), due < 0 ? -1 : due - m.now};
    }
    m.random = game.random.state();
    m.state = game.state;
    m.window = game.window;
    m.source = game.FrmSource;
    m.deedCard = game.FrmOCard;
    m.payments = game.ledger.payments();
    m.bankruptcies = game.ledger.bankruptcies();
    m.scriptedDice.assign(game.scripted.dice.begin(), game.scripted.dice.end());
    m.scriptedAnswers.assign(game.scripted.answers.begin(), game.scripted.answers.end());
    m.musicPlaying = game.timers.TimerMM.Enabled() && !game.window.MM.FileName.isEmpty();
    return m;
}

}  // namespace

QByteArray writeImage(const SaveImage& image, const QString& appFolder) {
    Writer w(appFolder);
    walkSave(w, image);
    QJsonObject root = w.root();
    root.insert(QLatin1String(kFormatKey), QLatin1String(kFormatName));
    root.insert(QLatin1String(kVersionKey), kFormatVersion);
    root.insert(QLatin1String(kChecksumKey), contentChecksum(root));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

}  // namespace kroda::save

namespace kroda {

QByteArray writeSave(const Game& game, const VirtualClock& clock, SaveSource to) {
    save::SaveImage image = save::capture(game, clock);
    if (to == SaveSource::Host) {
        image.window.MM.FileName.clear();
        image.musicPlaying = false;
    }
    return save::writeImage(image, game.appFolder());
}

}  // namespace kroda
