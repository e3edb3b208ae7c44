#include "network/host_session.h"

#include "commands/control_click.h"
#include "game/game.h"
#include "game/save_game.h"
#include "network/merge_patch.h"
#include "sequencer/virtual_clock.h"

#include <QFileInfo>
#include <QJsonDocument>

#include <algorithm>
#include <utility>

namespace kroda::network {

namespace {

QJsonObject documentOf(const QByteArray& save) {
    return QJsonDocument::fromJson(save).object();
}

}  // namespace

HostSession::HostSession(Game& game, Clock clock, QList<int> networkSeats, QString code,
                         HostLimits limits)
    : deliver([&game](const GameInput& in) { game.handle(in); }),
      game_(game),
      clock_(std::move(clock)),
      seats_(networkSeats),
      transport_(std::move(code), std::move(networkSeats),
                 {[this](const Input& in) { input(in); },
                  [this](ConnectionId id, const QList<int>& seats, const QStringList& names) {
                      joined(id, seats, names);
                  },
                  [this](ConnectionId id, const QList<int>&) { left(id); }},
                 limits) {
    settled_.setSingleShot(true);
    settled_.setInterval(0);
    QObject::connect(&settled_, &QTimer::timeout, [this] {
        sendMoments();
        announceWaits();
    });
}

HostSession::~HostSession() {
    if (!begun_)
        return;
    game_.narrationComplete = previousNarration_;
    game_.afterEvent = previousAfterEvent_;
    game_.soundPlayed = nullptr;
    game_.localPlayHeld = nullptr;
}

std::optional<QString> HostSession::listen(const HostTransport::Options& options) {
    return transport_.listen(options);
}

bool HostSession::connected(int seat) const {
    return transport_.admission().holderOf(seat).has_value();
}

QString HostSession::nameAt(int seat) const {
    return transport_.admission().nameAt(seat);
}

bool HostSession::everySeatTaken() const {
    for (int seat : seats_)
        if (!connected(seat))
            return false;
    return true;
}

QString HostSession::waitingLine(const QString& name) {
    return QStringLiteral("เกมหยุดรอ %1 กลับเข้ามาเล่นก่อน").arg(name);
}

void HostSession::begin() {
    if (begun_)
        return;
    begun_ = true;
    previousNarration_ = game_.narrationComplete;
    previousAfterEvent_ = game_.afterEvent;
    game_.narrationComplete = [this](Integer step, const QString& message) {
        if (previousNarration_)
            previousNarration_(step, message);
        narrate(step, message);
    };
    game_.afterEvent = [this] {
        if (previousAfterEvent_)
            previousAfterEvent_();
        eventDone();
    };
    game_.soundPlayed = [this](const QString& wavPath) {
        transport_.broadcast(Sound{QFileInfo(wavPath).fileName()});
    };
    game_.localPlayHeld = [this] { return !remoteInput_ && networkSeatMustAct(); };
    for (const auto& [id, seats] : joinedSeats_) sendState(id);
    settled_.start();
}

void HostSession::handToComputer(int seat) {
    if (!seats_.contains(seat))
        return;
    seats_.removeAll(seat);
    announced_.erase(seat);
    transport_.withdrawSeat(seat);
    if (begun_)
        run([seat](Game& g) { g.handToComputer(static_cast<Integer>(seat)); });
    else
        game_.state.Players(seat).IsHuman = false;
    tellSeats();
    if (seatsChanged)
        seatsChanged();
}

void HostSession::letBackIn(int seat) {
    if (!goneSeats().contains(seat))
        return;
    transport_.letBackIn(seat);
    if (seatsChanged)
        seatsChanged();
}

bool HostSession::lettingBackIn(int seat) const {
    return transport_.admission().lettingBackIn(seat);
}

QList<int> HostSession::goneSeats() const {
    QList<int> gone;
    for (int seat : seats_)
        if (!nameAt(seat).isEmpty() && !connected(seat))
            gone << seat;
    return gone;
}

Seats HostSession::seats() const {
    Seats all;
    const GameState& s = game_.state;
    for (int seat = 1; seat <= std::min<int>(s.PlayerCount, kSeatCount); ++seat) {
        SeatEntry e;
        e.seat = seat;
        if (seats_.contains(seat)) {
            e.player = SeatPlayer::Network;
            e.name = nameAt(seat);
            e.present = connected(seat);
        } else {
            e.player = s.Players(seat).IsHuman ? SeatPlayer::Person : SeatPlayer::Computer;
            // A name the protocol cannot carry is left out rather than cost the clients the game.
            e.name = plainName(s.Players(seat).Name.trimmed()).value_or(QString());
        }
        all.seats << e;
    }
    return all;
}

void HostSession::tellSeats() {
    transport_.broadcast(seats());
}

void HostSession::joined(ConnectionId id, const QList<int>& seats, const QStringList& names) {
    joinedSeats_[id] = seats;
    // Each joining player's name replaces his seat's; a player coming back keeps his own.
    std::map<int, QString> renamed;
    for (qsizetype i = 0; i < seats.size() && i < names.size(); ++i)
        if (game_.state.Players(seats[i]).Name.trimmed() != names[i])
            renamed[seats[i]] = names[i];
    if (!renamed.empty()) {
        const auto rename = [renamed](Game& g) {
            for (const auto& [seat, name] : renamed) g.state.Players(seat).Name = name;
        };
        if (begun_)
            run(rename);
        else
            rename(game_);
    }
    if (begun_) {
        // The question the game waits on comes back in place of the waiting line.
        for (int seat : seats) {
            const auto told = announced_.find(seat);
            if (told == announced_.end())
                continue;
            const Told before = told->second;
            announced_.erase(told);
            const QString waiting = waitingLine(game_.state.Players(seat).Name.trimmed());
            run([before, waiting](Game& g) {
                if (g.window.TxtDialog.Text != waiting)
                    return;
                g.window.TxtDialog.Text = before.text;
                g.window.TxtDialog.SelStart = before.selStart;
            });
        }
        sendState(id);
    }
    tellSeats();
    if (seatsChanged)
        seatsChanged();
}

void HostSession::left(ConnectionId id) {
    sent_.erase(id);
    joinedSeats_.erase(id);
    if (begun_)
        settled_.start();
    tellSeats();
    if (seatsChanged)
        seatsChanged();
}

// The seat plays now: it is the current player's, a person's, and the game waits on it for a
// throw, an answer or the card window.
bool HostSession::mayAct(int seat) const {
    const GameState& s = game_.state;
    // A game with a winner waits for nobody.
    return begun_ && !game_.isOver() && seats_.contains(seat) && s.CurPlayer == seat &&
           s.Players(seat).IsHuman && (game_.awaitsPerson() || game_.cardOpen());
}

bool HostSession::networkSeatMustAct() const {
    return mayAct(game_.state.CurPlayer);
}

void HostSession::input(const Input& in) {
    bool applied = false;
    // A client's toolbar is its own: it never saves or quits the host's game.
    if (mayAct(in.seat) && !std::holds_alternative<ToolbarInput>(in.action)) {
        if (const auto* key = std::get_if<KeyInput>(&in.action)) {
            const KeyInput k = *key;
            run([k](Game& g) { g.keyPressed(k.keyCode, k.shift); });
            applied = true;
        } else if (const auto* click = std::get_if<ClickInput>(&in.action)) {
            const ClickableControl control = click->target;
            const int index = click->index;
            if (takesClick(game_, control, index)) {
                run([control, index](Game& g) { clickControl(g, control, index); });
                applied = true;
            }
        }
    }
    if (inputDone)
        inputDone(in, applied);
}

void HostSession::run(const GameInput& in) {
    remoteInput_ = true;
    deliver(in);
    remoteInput_ = false;
}

void HostSession::sendState(ConnectionId id) {
    const QByteArray save = writeSave(game_, clock_(), SaveSource::Host);
    sent_[id] = documentOf(save);
    transport_.send(id, State{save});
}

void HostSession::eventDone() {
    if (!settled_.isActive())
        settled_.start();
}

// Once the event loop has the game settled: one moment of the save for every client, each
// getting what changed since the document it holds.
void HostSession::sendMoments() {
    if (sent_.empty())
        return;
    const QJsonObject now = documentOf(writeSave(game_, clock_(), SaveSource::Host));
    for (auto& [id, held] : sent_) {
        const QJsonObject patch = mergePatch(held, now);
        if (patch.isEmpty())
            continue;
        transport_.send(id, Moment{patch});
        held = now;
    }
}

// A network seat that must act with nobody at its client: the narrator says the game waits,
// once per wait, and nothing goes on for that seat until its player is back.
void HostSession::announceWaits() {
    for (int seat : seats_) {
        if (!mayAct(seat) || connected(seat)) {
            announced_.erase(seat);
            continue;
        }
        if (announced_.contains(seat))
            continue;
        announced_[seat] = {game_.window.TxtDialog.Text, game_.window.TxtDialog.SelStart};
        const QString line = waitingLine(game_.state.Players(seat).Name.trimmed());
        run([line](Game& g) {
            g.window.TxtDialog.Text = line;
            g.window.TxtDialog.SelStart = static_cast<int>(line.size());
        });
        const QString told = narrate(game_.state.TalkStep, line);
        if (waitingTold)
            waitingTold(told);
    }
}

QString HostSession::narrate(Integer step, const QString& message) {
    const QString line = QString::number(clock_().now()) + QLatin1Char(' ') +
                         QString::number(step) + QLatin1Char(' ') + message;
    transport_.broadcast(Narration{line});
    return line;
}

}  // namespace kroda::network
