#include "headless/session.h"

#include "frontend/seat_defaults.h"

#include <QDateTime>
#include <QTime>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace kroda::headless {

void setUpSeat(GameState& state, int player, bool human, const QString& name) {
    Player& p = state.Players(player);
    const SeatDefaults& seat = seatDefaults().at(static_cast<std::size_t>(player - 1));
    p.IsHuman = human;
    p.Color = seat.Color;
    p.Name = name.trimmed();  // the field cuts it to 12
    if (human) {
        for (int k = 1; k <= 3; ++k) {
            p.KeyCode(k) = seat.KeyCode[static_cast<std::size_t>(k - 1)];
            p.KeyLabel(k) = QString::fromUtf16(seat.KeyLabel[static_cast<std::size_t>(k - 1)]);
        }
    }
}

Session::Session(const QString& folder)
    : game_(std::make_unique<Game>(port_, folder)),
      realTime_(QTime::currentTime().msecsSinceStartOfDay() / 1000.0) {
    port_.clock = [this] { return timeOfDay(); };
    port_.musicFollowsClock = true;
    // The deed card opens on the designed 640 x 480 screen, as the windows would place it.
    port_.deedCardShown = [this] {
        if (game_->FrmOCard.Visible)
            game_->FrmOCard_Activate();
        else
            game_->FrmOCard_Load(640, 480);
    };
    game_->random.seed(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    // The wizard names every seat when it loads.
    for (int p = 1; p <= 4; ++p) game_->state.Players(p).Name = QStringLiteral("ผู้เล่น:%1").arg(p);
}

double Session::timeOfDay() const {
    const double at = fixedTime_.value_or(realTime_) + static_cast<double>(now()) / 1000.0;
    return std::fmod(at, 86400.0);
}

void Session::setFolder(const QString& folder) {
    if (started())
        throw std::logic_error("the folder cannot change once the game has started");
    auto next = std::make_unique<Game>(port_, folder);
    next->state = game_->state;
    next->window = game_->window;
    next->FrmSource = game_->FrmSource;
    next->locale = game_->locale;
    next->timers = game_->timers;
    next->random = game_->random;
    next->scripted = game_->scripted;
    next->setFolders(false);
    game_ = std::move(next);
}

void Session::seed(std::uint64_t seed) {
    game_->random.seed(seed);
    fixedTime_ = kSeededTimeOfDay;
}

void Session::setUpPlayer(int player, bool human, const QString& name) {
    setUpSeat(game_->state, player, human, name);
    setUp_[player] = true;
}

void Session::start() {
    if (started())
        throw std::logic_error("the game has already started");
    GameState& s = game_->state;
    if (s.PlayerCount == 0)
        s.PlayerCount = 4;
    for (int p = 1; p <= s.PlayerCount; ++p) {
        if (!setUp_[p])
            setUpSeat(s, p, false, s.Players(p).Name.trimmed());
    }
    s.NewBoard = true;
    s.Config.ConfigPath = folder() + QStringLiteral("/KovarT.dat");
    clock_ = std::make_unique<VirtualClock>(game_->timers, [this](TimerId id) { game_->fire(id); });
    game_->narrationComplete = [this](Integer step, const QString& message) {
        if (onNarration)
            onNarration(now(), step, message);
    };
    game_->Form_Load();
}

void Session::advance(std::int64_t ms) {
    clock_->advance(ms);
}

bool Session::runUntil(const std::function<bool()>& done, std::int64_t limit) {
    return clock_->advanceUntil(done, limit);
}

bool Session::hasWinner() const {
    return game_->state.TalkStep == 17 && !game_->timers.TimerTalk.Enabled();
}

bool Session::cardOpen() const {
    return game_->window.FrmCard.Visible;
}

bool Session::waitingForPerson() const {
    const GameState& s = game_->state;
    const Timers& t = game_->timers;
    if (!Bounded<Player, 1, 4>::inBounds(s.CurPlayer) || !s.Players(s.CurPlayer).IsHuman)
        return false;
    if (t.TimerTalk.Enabled() || t.TimeDelay.Enabled())
        return false;
    if (s.AnimMode == TokenWalk && t.AnimateTimer.Enabled())
        return false;
    const bool throwAwaited =
        s.TalkStep == 9 && (s.InputMode == RankingThrow || s.InputMode == MoveThrow);
    return throwAwaited || s.InputMode == YesNoAnswer;
}

bool Session::wait(std::int64_t limit) {
    return runUntil([this] { return hasWinner() || cardOpen() || waitingForPerson(); }, limit);
}

bool Session::play(std::int64_t limit) {
    const std::int64_t until = now() + limit;
    for (;;) {
        const bool stopped = wait(until - now());
        if (!stopped || !cardOpen())
            return stopped;
        // Someone watching presses a key to close the card.
        game_->keyPressed(32, 0);
        if (cardOpen())
            return true;  // the window would not close: leave it to the script
    }
}

}  // namespace kroda::headless
