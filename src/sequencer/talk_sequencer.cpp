// The turn sequencer: every tick of TimerTalk types one more character of the current step's
// message; when the message is complete the step does its work and chooses the next step.
#include "game/game.h"

#include <QStringBuilder>

namespace kroda {

namespace {

const QString& greeting() {
    static const QString text =
        QStringLiteral("ยินดีต้อนรับสู่เกมKroda ผม 'นายเหลือง' จะมาเป็นผู้บรรยายในเกมนี้");
    return text;
}

QStringView nameOf(const GameState& s, int player) {
    return GameState::isSeat(player) ? s.Players(player).Name.trimmedView() : QStringView();
}

// The player named by digit k (1..4) of the play order; 0 when there is none.
int queued(const GameState& s, int k) {
    const QString& q = s.TurnQueue.raw();
    const char16_t c = q[k - 1].unicode();
    return c >= u'1' && c <= u'4' ? c - u'0' : 0;
}

}  // namespace

QString Game::greetingText() {
    return greeting();
}

QString Game::stepMessage() const {
    const GameState& s = state;
    // Each message is put together in one allocation (operator%).
    const QLatin1Char apostrophe('\'');
    switch (s.TalkStep) {
        case Greeting:
            return greeting();
        case ReadTheManual:
            return QStringLiteral("ขอให้ผู้เล่นทุกท่าน อ่านคู่มือก่อนการเล่น");
        case RankingRequest1:
        case RankingRequest2:
        case RankingRequest3:
        case RankingRequest4:
            return QStringLiteral("ขอเชิญ") % apostrophe %
                   nameOf(s, s.TalkStep - RankingRequest1 + 1) % apostrophe %
                   QStringLiteral("โยนลูกเต๋าเพื่อจัดอันดับครับ");
        case RankingResult: {
            QString m = QStringLiteral("การจัดอันดับเสร็จสิ้นแล้ว ผลออกมาดังนี้ 1:") %
                        nameOf(s, queued(s, 1)) % QStringLiteral(", 2:") % nameOf(s, queued(s, 2));
            if (s.PlayerCount > 2)
                m += QStringLiteral(", 3:") % nameOf(s, queued(s, 3));
            if (s.PlayerCount == 4)
                m += QStringLiteral(", 4:") % nameOf(s, queued(s, 4));
            return m;
        }
        case GameBegins:
            return QStringLiteral("จะขอเริ่มเกม ณ บัดนี้");
        case ThrowTotal: {
            const int steps = GameState::isSeat(s.CurPlayer) ? s.Players(s.CurPlayer).Steps : 0;
            return QStringLiteral("ได้ ") % QString::number(steps) % QStringLiteral(" แต้ม");
        }
        case DoubleThrowAgain:
            return QStringLiteral("ลูกเต๋าซ้ำกัน โปรดโยนใหม่");
        case EqualTotalThrowAgain:
            return QStringLiteral("จำนวนแต้มซ้ำกับผู้อื่น โปรดโยนใหม่");
        case ThrowRequest:
            return QStringLiteral("ขอเชิญ ") % apostrophe % nameOf(s, s.CurPlayer) % apostrophe %
                   QStringLiteral(" โยนลูกเต๋า");
        case LandedOn: {
            QStringView square;
            if (GameState::isSeat(s.CurPlayer)) {
                const int position = s.Players(s.CurPlayer).Position;
                if (position >= 0 && position <= 39)
                    square = s.Squares(position + 1).Name.trimmedView();
            }
            return QStringLiteral("ตกที่ ") % apostrophe % square % apostrophe;
        }
        case LandingMessage:
            return s.PendingMessage;
        case ThirdDouble:
            return QStringLiteral("ลูกเต๋าซ้ำกันครบ 3 ครั้ง หยุดเดิน 1 ครั้ง");
        case PlayerBankrupt:
            return apostrophe % nameOf(s, s.CurPlayer) % QStringLiteral("' ล้มละลาย");
        case Winner:
            return apostrophe % nameOf(s, s.CurPlayer) % QStringLiteral("' เป็นผู้ชนะ");
        default:
            return {};
    }
}

namespace {
// Two texts are surely equal when they are one shared buffer: a text that is changed gets a
// buffer of its own, because the cache holds a reference to the old one.
bool sameText(const QString& a, const QString& b) {
    return a.constData() == b.constData() && a.size() == b.size();
}
}  // namespace

const QString& Game::currentMessage() {
    const GameState& s = state;
    const Integer step = s.TalkStep;
    Integer player = 0;
    Integer value = 0;
    const QString* quoted = nullptr;
    bool cacheable = true;
    switch (step) {
        case RankingRequest1:
        case RankingRequest2:
        case RankingRequest3:
        case RankingRequest4:
            quoted = &s.Players(step - RankingRequest1 + 1).Name.raw();
            break;
        case RankingResult:
            cacheable = false;  // once a game
            break;
        case ThrowTotal:
            player = s.CurPlayer;
            value = GameState::isSeat(player) ? s.Players(player).Steps : Integer{0};
            break;
        case ThrowRequest:
        case PlayerBankrupt:
        case Winner:
            player = s.CurPlayer;
            if (GameState::isSeat(player))
                quoted = &s.Players(player).Name.raw();
            break;
        case LandedOn:
            player = s.CurPlayer;
            if (GameState::isSeat(player)) {
                value = s.Players(player).Position;
                if (value >= 0 && value <= 39)
                    quoted = &s.Squares(value + 1).Name.raw();
            }
            break;
        case LandingMessage:
            quoted = &s.PendingMessage;
            break;
        default:
            break;
    }
    MessageCache& c = message_;
    const bool sameQuote = quoted ? sameText(c.quoted, *quoted) : c.quoted.isNull();
    if (cacheable && c.valid && c.step == step && c.player == player && c.value == value &&
        sameQuote) {
        return c.message;
    }
    c.message = stepMessage();
    c.valid = cacheable;
    c.step = step;
    c.player = player;
    c.value = value;
    c.quoted = quoted ? *quoted : QString();
    return c.message;
}

void Game::TimerTalk_Timer() {
    const Integer step = state.TalkStep;
    if (step < Greeting || step > Winner)
        return;
    const QString& message = currentMessage();
    Talk(message, state.TalkPos);
    if (step != PlayerBankrupt && step != Winner)
        Animate(NarratorMouth);
    if (state.TalkPos > state.TalkLen) {
        if (narrationComplete)
            narrationComplete(step, message);
        completeStep();
    }
}

void Game::faceAfterRoll() {
    const Integer p = state.CurPlayer;
    if (!GameState::isSeat(p))
        return;
    const Integer t = state.Players(p).Steps;
    if (t == 3)
        CFace(p, 5);
    else if (t == 4 || t == 5)
        CFace(p, 4);
    else if (t == 6)
        CFace(p, 1);
    else if (t >= 7 && t <= 10)
        CFace(p, 2);
    else if (t == 2 || t == 11 || t == 12)
        CFace(p, 3);
}

void Game::completeStep() {
    const Integer step = state.TalkStep;
    state.TalkPos = 0;
    state.TalkLen = 0;
    narratorAtRest();
    if (step <= ReadTheManual)
        completeOpening(step);
    else if (step <= GameBegins)
        completeRanking(step);
    else if (step <= ThrowRequest)
        completeThrow(step);
    else if (step <= LandingMessage)
        completeLanding(step);
    else
        completeEnding(step);
}

// The greeting and the advice to read the manual.
void Game::completeOpening(Integer step) {
    state.TalkStep = step == Greeting ? ReadTheManual : RankingRequest1;
    Pause();
}

// The requests for the ranking throws, the ranking's result and the start of play.
void Game::completeRanking(Integer step) {
    switch (step) {
        case RankingRequest1:
            state.TalkStep = ThrowTotal;
            state.InputMode = RankingThrow;
            state.CurPlayer = 1;
            ArmRoll();
            break;
        case RankingRequest2:
        case RankingRequest3:
        case RankingRequest4:
            state.Die1 = 0;
            state.Die2 = 0;
            state.TalkStep = ThrowTotal;
            state.CurPlayer = static_cast<Integer>(step - RankingRequest1 + 1);
            ArmRoll();
            break;
        case RankingResult: {
            state.TalkStep = GameBegins;
            const int faces[4] = {3, 2, 4, 5};
            const int shown = state.PlayerCount == 4 ? 4 : state.PlayerCount > 2 ? 3 : 2;
            for (int k = 1; k <= shown; ++k) {
                const int p = queued(state, k);
                if (GameState::isSeat(p))
                    CFace(static_cast<Integer>(p), static_cast<Integer>(faces[k - 1]));
            }
            Pause();
            break;
        }
        case GameBegins: {
            state.TalkStep = ThrowRequest;
            const QString q = state.TurnQueue.trimmed();
            if (!q.isEmpty() && q[0] >= QLatin1Char('1') && q[0] <= QLatin1Char('4'))
                state.CurPlayer = static_cast<Integer>(q[0].unicode() - u'0');
            Pause();
            break;
        }
        default:
            break;
    }
}

// A throw asked for, thrown again or announced.
void Game::completeThrow(Integer step) {
    switch (step) {
        case ThrowTotal:
            faceAfterRoll();
            if (state.InputMode == RankingThrow) {
                state.TalkStep = state.CurPlayer == state.PlayerCount
                                     ? Integer{RankingResult}
                                     : static_cast<Integer>(RankingRequest1 + state.CurPlayer);
                Pause();
            } else if (state.InputMode == MoveThrow) {
                state.TalkStep = LandedOn;
                state.AnimMode = TokenWalk;
                state.DoublesCount = 0;
                timers.AnimateTimer.setEnabled(true);
                timers.TimerTalk.setEnabled(false);
            }
            break;
        case DoubleThrowAgain:
        case EqualTotalThrowAgain:
            state.Die1 = 0;
            state.Die2 = 0;
            ArmRoll();
            break;
        case ThrowRequest:
            state.Die1 = 0;
            state.Die2 = 0;
            state.InputMode = MoveThrow;
            state.TalkStep = ThrowTotal;
            ArmRoll();
            // A person is asked to throw, or the computer has thrown: a turn has begun.
            if (turnStarted)
                turnStarted();
            break;
        default:
            break;
    }
}

// The square named, then its rule.
void Game::completeLanding(Integer step) {
    if (step == LandedOn) {
        ActionCheck(state.CurPlayer, AnnounceLanding);
        Pause();
    } else {
        timers.TimerTalk.setEnabled(false);
        ActionCheck(state.CurPlayer, ResolveLanding);
    }
}

// A lost move, a bankruptcy or the winner.
void Game::completeEnding(Integer step) {
    switch (step) {
        case ThirdDouble:
            state.Die1 = 0;
            state.Die2 = 0;
            Pause();
            NextQ();
            break;
        case PlayerBankrupt:
            Pause();
            NextQ();
            break;
        case Winner: {
            const Integer w = state.CurPlayer;
            if (GameState::isSeat(w)) {
                const Player& p = state.Players(w);
                showKeyLabels(p);
                window.ShpTaoPad.FillColor = p.Color;
            }
            timers.TimerTalk.setEnabled(false);
            break;
        }
        default:
            break;
    }
}

// The labels under the dice name the keys that do the same: first die, second die, both.
void Game::showKeyLabels(const Player& p) {
    window.LblKeyT[0].Caption = p.KeyLabel(1).trimmed();
    window.LblKeyT[1].Caption = p.KeyLabel(3).trimmed();
    window.LblKeyT[2].Caption = p.KeyLabel(2).trimmed();
}

void Game::ArmRoll() {
    const Integer cur = state.CurPlayer;
    if (!GameState::isSeat(cur))
        return;
    const Player& p = state.Players(cur);
    if (p.IsHuman) {
        showKeyLabels(p);
        window.KeyPreview = true;
        for (Image& die : window.ImgTao) die.Enabled = true;
    }
    narratorAtRest();
    state.TalkPos = 0;
    state.TalkLen = 0;
    window.ShpTaoPad.FillColor = p.Color;
    state.TalkStep = ThrowTotal;
    timers.TimerTalk.setEnabled(false);
    state.AnimMode = DiceFlicker;
    timers.AnimateTimer.setEnabled(true);
    if (!p.IsHuman)
        CPControl();
}

}  // namespace kroda
