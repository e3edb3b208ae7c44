// The computer player: it always throws both dice at once and takes an offer one time in
// three, whatever the price. The strong computer throws the same way but plays each offer out
// both ways before it answers (look_ahead.h).
#include "computer/look_ahead.h"
#include "game/game.h"

namespace kroda {

void Game::CPControl() {
    random.mixTime(port.timeOfDay());
    switch (state.InputMode) {
        case RankingThrow:
        case MoveThrow:
            TaoProc(BothDicePicture, ThrowByPicture);
            ResolveThrow();
            break;
        case YesNoAnswer: {
            OfferAnswer answer;
            if (!scripted.answers.empty()) {
                answer = scripted.answers.front();
                scripted.answers.pop_front();
            } else if (GameState::isSeat(state.CurPlayer) &&
                       state.Players(state.CurPlayer).Strong) {
                answer =
                    strongTakesOffer(state, state.CurPlayer) ? OfferAnswer::Yes : OfferAnswer::No;
            } else {
                const int r = random.below(3);
                answer = r == 0   ? OfferAnswer::Yes
                         : r == 1 ? OfferAnswer::No
                                  : OfferAnswer::WrongKey;
            }
            answerOffer(answer);
            break;
        }
        default:
            break;
    }
}

}  // namespace kroda
