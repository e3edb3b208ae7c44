#pragma once
// The game state: the players, the board, the two decks, the data file paths and the
// variables that drive the turn sequencer. One object holds it all, so that two games can
// live side by side.

#include "model/codes.h"
#include "model/value_types.h"

#include <QString>

#include <vector>

namespace kroda {

// Square kinds.
enum SquareKind : Integer {
    Start = 0,
    Land = 1,
    HotelSite = 2,
    PairSite = 3,
    TreasureCard = 4,
    FortuneCard = 5,
    Jail = 6,
    Rest = 7,
    GoToJail = 8,
    Tax = 9,
};

struct Player {
    Long Color = 0;  // RGB, red in the low byte
    bool IsHuman = false;
    // A computer that weighs each offer (computer/offer_value.h) instead of drawing lots;
    // meaningless for a person. Throws are the same either way.
    bool Strong = false;
    Text<12> Name;
    Bounded<Integer, 1, 3> KeyCode;  // Windows virtual-key codes: first die, both dice, second die
    Bounded<Text<10>, 1, 3> KeyLabel;
    Currency Money;
    Integer Position = 0;           // square index 0..39
    Bounded<Integer, 0, 29> Owned;  // square numbers 1..40; slot 0 is never used
    Integer SkipTurns = 0;
    Integer Steps = 0;
    bool Bankrupt = false;
};

struct Square {
    Text<30> Name;
    Integer Owner = 0;      // 0 the bank, 1..4 a player
    Integer Buildings = 0;  // 0 bare land, 1..4 houses, 5 hotel
    Currency Price;
    Currency HouseCost;
    Currency HotelCost;
    Bounded<Currency, 0, 6> Rent;  // Rent(0) is never set or used
    Integer Kind = 0;
};

struct Card {
    kroda::Text<256> Text;
    Integer Action = 0;  // a CardActionValue
    Integer Amount = 0;
};

// A deck of cards indexed from 1; the second deck has 21 cards with the bankrupt card.
class Deck {
  public:
    void reset(int count) { cards_.assign(static_cast<std::size_t>(count), Card{}); }
    int size() const { return static_cast<int>(cards_.size()); }
    bool inBounds(int i) const { return i >= 1 && i <= size(); }
    Card& operator()(int i) { return cards_.at(static_cast<std::size_t>(i - 1)); }
    const Card& operator()(int i) const { return cards_.at(static_cast<std::size_t>(i - 1)); }

  private:
    std::vector<Card> cards_;
};

struct GameConfig {
    Text<255> ConfigPath;
    Text<255> Deck1File;
    Text<255> Deck2File;
    Text<255> StripFile1;  // the corner squares' pictures
    Text<255> StripFile2;  // the side squares' pictures
    Text<255> StripFile3;  // the squares' illustrations
    Text<255> SpareItem;
};

// The sequencer's steps are 1..17; these modes say what input and animation mean now.
enum InputModeValue : Integer { RankingThrow = 1, MoveThrow = 2, YesNoAnswer = 3 };
enum AnimModeValue : Integer { TokenWalk = 1, DiceFlicker = 2, YesNoBlink = 3 };

struct GameState {
    Bounded<Player, 1, 4> Players;
    Integer PlayerCount = 0;
    Bounded<Square, 1, kSquareCount> Squares;
    Deck Deck1;
    Deck Deck2;
    Integer NextCard1 = 0;
    Integer NextCard2 = 0;
    bool BankruptCardOn = false;
    bool NewBoard = false;
    GameConfig Config;
    Integer CurPlayer = 0;
    Text<4> TurnQueue;
    Integer Die1 = 0;
    Integer Die2 = 0;
    Integer DoublesCount = 0;
    Integer TalkStep = NoStep;
    Integer TalkPos = 0;
    Integer TalkLen = 0;
    Integer BlinkFlag = 0;
    Integer AnimMode = 0;
    Integer InputMode = 0;
    QString PendingMessage;
    Integer ViewedSquare = 0;
    Integer BankruptCount = 0;
    QString CommonFolder;  // application folder + "/RsCommon/"
    QString DepthFolder;   // application folder + "/Rs256/" or "/Rs64K/"
    QString ImageFolder;   // application folder + "/Image/"
    Integer WizardStep = 0;

    // A player takes part when its number is at most PlayerCount.
    bool takesPart(int player) const { return player >= 1 && player <= PlayerCount; }
    // Whether a number names one of the four player records.
    static bool isSeat(int player) { return player >= 1 && player <= 4; }
    // Whether a Position names a square of the board.
    static bool isSquareIndex(int position) { return position >= 0 && position < kSquareCount; }
};

}  // namespace kroda
