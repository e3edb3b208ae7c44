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

QString stepMessage(const GameState& s) {
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
                if (GameState::isSquareIndex(position))
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

// Two texts are surely equal when they are one shared buffer: a text that is changed gets a
// buffer of its own, because the cache holds a reference to the old one.
bool sameText(const QString& a, const QString& b) {
    return a.constData() == b.constData() && a.size() == b.size();
}

const QString& currentMessage(const GameState& s, MessageCache& c) {
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
                if (GameState::isSquareIndex(value))
                    quoted = &s.Squares(value + 1).Name.raw();
            }
            break;
        case LandingMessage:
            quoted = &s.PendingMessage;
            break;
        default:
            break;
    }
    const bool sameQuote = quoted ? sameText(c.quoted, *quoted) : c.quoted.isNull();
    if (cacheable && c.valid && c.step == step && c.player == player && c.value == value &&
        sameQuote) {
        return c.message;
    }
    c.message = stepMessage(s);
    c.valid = cacheable;
    c.step = step;
    c.player = player;
    c.value = value;
    c.quoted = quoted ? *quoted : QString();
    return c.message;
}

// The labels under the dice name the keys that do the same: first die, second die, both.
void showKeyLabels(Game& g, const Player& p) {
    g.window.LblKeyT[0].Caption = p.KeyLabel(1).trimmed();
    g.window.LblKeyT[1].Caption = p.KeyLabel(3).trimmed();
    g.window.LblKeyT[2].Caption = p.KeyLabel(2).trimmed();
}

void ArmRoll(Game& g) {
    const Integer cur = g.state.CurPlayer;
    if (!GameState::isSeat(cur))
        return;
    const Player& p = g.state.Players(cur);
    if (p.IsHuman) {
        showKeyLabels(g, p);
        g.window.KeyPreview = true;
        for (Image& die : g.window.ImgTao) die.Enabled = true;
    }
    g.narratorAtRest();
    g.state.TalkPos = 0;
    g.state.TalkLen = 0;
    g.window.ShpTaoPad.FillColor = p.Color;
    g.state.TalkStep = ThrowTotal;
    g.timers.TimerTalk.setEnabled(false);
    g.state.AnimMode = DiceFlicker;
    g.timers.AnimateTimer.setEnabled(true);
    if (!p.IsHuman)
        g.CPControl();
}

void faceAfterRoll(Game& g) {
    const Integer p = g.state.CurPlayer;
    if (!GameState::isSeat(p))
        return;
    const Integer t = g.state.Players(p).Steps;
    if (t == 3)
        g.CFace(p, GrimFace);
    else if (t == 4 || t == 5)
        g.CFace(p, DismayedFace);
    else if (t == 6)
        g.CFace(p, HopefulFace);
    else if (t >= 7 && t <= 10)
        g.CFace(p, ContentFace);
    else if (t == 2 || t == 11 || t == 12)
        g.CFace(p, GladFace);
}

// The greeting and the advice to read the manual.
void completeOpening(Game& g, Integer step) {
    g.state.TalkStep = step == Greeting ? ReadTheManual : RankingRequest1;
    g.Pause();
}

// The requests for the ranking throws, the ranking's result and the start of play.
void completeRanking(Game& g, Integer step) {
    switch (step) {
        case RankingRequest1:
            g.state.TalkStep = ThrowTotal;
            g.state.InputMode = RankingThrow;
            g.state.CurPlayer = 1;
            ArmRoll(g);
            break;
        case RankingRequest2:
        case RankingRequest3:
        case RankingRequest4:
            g.state.Die1 = 0;
            g.state.Die2 = 0;
            g.state.TalkStep = ThrowTotal;
            g.state.CurPlayer = static_cast<Integer>(step - RankingRequest1 + 1);
            ArmRoll(g);
            break;
        case RankingResult: {
            g.state.TalkStep = GameBegins;
            const FaceValue faces[4] = {GladFace, ContentFace, DismayedFace, GrimFace};
            const int shown = g.state.PlayerCount == 4 ? 4 : g.state.PlayerCount > 2 ? 3 : 2;
            for (int k = 1; k <= shown; ++k) {
                const int p = queued(g.state, k);
                if (GameState::isSeat(p))
                    g.CFace(static_cast<Integer>(p), faces[k - 1]);
            }
            g.Pause();
            break;
        }
        case GameBegins: {
            g.state.TalkStep = ThrowRequest;
            const QString q = g.state.TurnQueue.trimmed();
            if (!q.isEmpty() && q[0] >= QLatin1Char('1') && q[0] <= QLatin1Char('4'))
                g.state.CurPlayer = static_cast<Integer>(q[0].unicode() - u'0');
            g.Pause();
            break;
        }
        default:
            break;
    }
}

// A throw asked for, thrown again or announced.
void completeThrow(Game& g, Integer step) {
    switch (step) {
        case ThrowTotal:
            faceAfterRoll(g);
            if (g.state.InputMode == RankingThrow) {
                g.state.TalkStep = g.state.CurPlayer == g.state.PlayerCount
                                       ? Integer{RankingResult}
                                       : static_cast<Integer>(RankingRequest1 + g.state.CurPlayer);
                g.Pause();
            } else if (g.state.InputMode == MoveThrow) {
                g.state.TalkStep = LandedOn;
                g.state.AnimMode = TokenWalk;
                g.state.DoublesCount = 0;
                g.timers.AnimateTimer.setEnabled(true);
                g.timers.TimerTalk.setEnabled(false);
            }
            break;
        case DoubleThrowAgain:
        case EqualTotalThrowAgain:
            g.state.Die1 = 0;
            g.state.Die2 = 0;
            ArmRoll(g);
            break;
        case ThrowRequest:
            g.state.Die1 = 0;
            g.state.Die2 = 0;
            g.state.InputMode = MoveThrow;
            g.state.TalkStep = ThrowTotal;
            ArmRoll(g);
            // A person is asked to throw, or the computer has thrown: a turn has begun.
            if (g.turnStarted)
                g.turnStarted();
            break;
        default:
            break;
    }
}

// The square named, then its rule.
void completeLanding(Game& g, Integer step) {
    if (step == LandedOn) {
        g.ActionCheck(g.state.CurPlayer, AnnounceLanding);
        g.Pause();
    } else {
        g.timers.TimerTalk.setEnabled(false);
        g.ActionCheck(g.state.CurPlayer, ResolveLanding);
    }
}

// A lost move, a bankruptcy or the winner.
void completeEnding(Game& g, Integer step) {
    switch (step) {
        case ThirdDouble:
            g.state.Die1 = 0;
            g.state.Die2 = 0;
            g.Pause();
            g.NextQ();
            break;
        case PlayerBankrupt:
            g.Pause();
            g.NextQ();
            break;
        case Winner: {
            const Integer w = g.state.CurPlayer;
            if (GameState::isSeat(w)) {
                const Player& p = g.state.Players(w);
                showKeyLabels(g, p);
                g.window.ShpTaoPad.FillColor = p.Color;
            }
            g.timers.TimerTalk.setEnabled(false);
            break;
        }
        default:
            break;
    }
}

void completeStep(Game& g) {
    const Integer step = g.state.TalkStep;
    g.state.TalkPos = 0;
    g.state.TalkLen = 0;
    g.narratorAtRest();
    if (step <= ReadTheManual)
        completeOpening(g, step);
    else if (step <= GameBegins)
        completeRanking(g, step);
    else if (step <= ThrowRequest)
        completeThrow(g, step);
    else if (step <= LandingMessage)
        completeLanding(g, step);
    else
        completeEnding(g, step);
}

}  // namespace

QString Game::greetingText() {
    return greeting();
}

void Game::TimerTalk_Timer() {
    const Integer step = state.TalkStep;
    if (step < Greeting || step > Winner)
        return;
    const QString& message = currentMessage(state, message_);
    Talk(message, state.TalkPos);
    if (step != PlayerBankrupt && step != Winner)
        Animate(NarratorMouth);
    if (state.TalkPos > state.TalkLen) {
        if (narrationComplete)
            narrationComplete(step, message);
        completeStep(*this);
    }
}

}  // namespace kroda
