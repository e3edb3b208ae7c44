#pragma once
// The strong computer looks ahead before it answers an offer: it plays the rest of the game
// out many times on a small model of the board, once taking the offer and once refusing it,
// with the same throws of the dice for both, and takes the answer that wins more often. In
// the model the designed computers take one offer in three, as they do, and persons and strong
// computers answer by weighing the offer (offer_value.h). The model's dice are its own: the
// game's random numbers are never drawn, and the same moment always gets the same answer.

#include "model/game_state.h"

#include <cstdint>

namespace kroda {

struct LookAheadVerdict {
    int gamesPlayed = 0;  // for each answer
    double winsTaking = 0;
    double winsRefusing = 0;
};

// Plays the rest of the game out `games` times for each answer to the offer open to
// `player`, and more, up to `mostGames`, when the answers come out close. A game still going
// after `turnLimit` turns counts as the share of the wealth he holds then.
LookAheadVerdict lookAhead(const GameState& state, Integer player, int games = 100,
                           int mostGames = 800, int turnLimit = 400);

// The strong computer's answer: the answer that wins more often when the game is played out,
// the weighing of the offer (offer_value.h) when both win as often. It never takes an offer
// that leaves it with nothing.
bool strongTakesOffer(const GameState& state, Integer player);

}  // namespace kroda
