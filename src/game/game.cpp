#include "game/game.h"

#include <utility>

namespace kroda {

Game::Game(PlatformPort& platform, const QString& appFolder)
    : port(platform), appFolder_(appFolder) {
    setFolders(false);
    layOutWindow();
}

void Game::setFolders(bool depth256) {
    state.CommonFolder = appFolder_ + QStringLiteral("/RsCommon/");
    state.DepthFolder =
        appFolder_ + (depth256 ? QStringLiteral("/Rs256/") : QStringLiteral("/Rs64K/"));
    state.ImageFolder = appFolder_ + QStringLiteral("/Image/");
}

void Game::setAppFolder(const QString& folder) {
    appFolder_ = folder;
    setFolders(false);
}

bool Game::awaitsPerson() const {
    const GameState& s = state;
    const Timers& t = timers;
    if (!GameState::isSeat(s.CurPlayer) || !s.Players(s.CurPlayer).IsHuman)
        return false;
    if (t.TimerTalk.Enabled() || t.TimeDelay.Enabled())
        return false;
    if (s.AnimMode == TokenWalk && t.AnimateTimer.Enabled())
        return false;
    const bool throwAwaited =
        s.TalkStep == ThrowTotal && (s.InputMode == RankingThrow || s.InputMode == MoveThrow);
    return throwAwaited || s.InputMode == YesNoAnswer;
}

void Game::fire(TimerId id) {
    const EventScope event{*this};
    switch (id) {
        case TimerId::TimerTalk:
            TimerTalk_Timer();
            break;
        case TimerId::TimeDelay:
            TimeDelay_Timer();
            break;
        case TimerId::AnimateTimer:
            AnimateTimer_Timer();
            break;
        case TimerId::TimerMM:
            TimerMM_Timer();
            break;
    }
}

void Game::playSound(const QString& wavPath, SoundMode mode, std::function<void()> finished) {
    if (soundPlayed)
        soundPlayed(wavPath);
    port.playSound(wavPath, mode, std::move(finished));
}

void Game::handle(const std::function<void(Game&)>& input) {
    const EventScope event{*this};
    input(*this);
}

}  // namespace kroda
