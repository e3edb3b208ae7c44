// The narrator's typewriter and the two ways to hurry him: the space key and a click on his
// picture.
#include "game/game.h"

#include <algorithm>

namespace kroda {

namespace {
// The message typed last is still held, so its buffer cannot have been given to another text;
// and a shown text still in the buffer it was typed into was left alone.
bool typedOnLastTick(const TypedMessage& typed, const QString& shown, const QString& text) {
    return typed.buffer == shown.constData() && typed.message.constData() == text.constData() &&
           typed.message.size() == text.size();
}
}  // namespace

void Game::Talk(const QString& text, Integer& pos) {
    const qsizetype length = text.size();
    state.TalkLen = static_cast<Integer>(length);
    QString& shown = window.TxtDialog.Text;
    const bool nextCharacter = pos > 0 && pos < length && shown.size() == pos - 1;
    if (nextCharacter && typedOnLastTick(typed_, shown, text)) {
        // One more character of the message typed on the last tick: grow it in place.
        shown.append(text[pos - 1]);
        typed_.buffer = shown.constData();
    } else if (nextCharacter && text.startsWith(shown)) {
        shown.append(text[pos - 1]);
        typed_.message = text;
        typed_.buffer = shown.constData();
    } else if (pos <= 0) {
        // A new message: one buffer of its full length, grown in place as it is typed.
        if (shown.isDetached())
            shown.truncate(0);
        else
            shown = QString();
        shown.reserve(length);
    } else if (pos >= length) {
        shown = text;
    } else {
        shown = text.left(pos);
    }
    window.TxtDialog.SelStart = static_cast<int>(std::clamp<qsizetype>(pos, 0, length));
    ++pos;
}

void Game::hurryNarrator() {
    if (timers.TimerTalk.Enabled())
        state.TalkPos = state.TalkLen;
    if (timers.TimeDelay.Enabled()) {
        timers.TimeDelay.setEnabled(false);
        timers.TimeDelay.setInterval(50);
        timers.TimerTalk.setEnabled(true);
    }
}

void Game::TxtDialog_KeyDown(int keyCode, int) {
    if (keyCode == SpaceKey)
        hurryNarrator();
}

void Game::narratorAtRest() {
    window.ImgDescripter.Strip = NarratorStrip;
    window.ImgDescripter.Cell = 1;
}

}  // namespace kroda
