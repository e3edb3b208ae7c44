#pragma once
// The small codes the procedures pass each other, with the numbers the game has always used.

#include "model/value_types.h"

namespace kroda {

// The ring of squares, indexed 0..kSquareCount - 1 by Position, and the jail's place on it.
inline constexpr Integer kSquareCount = 40;
inline constexpr Integer kJailPosition = 10;
// The rent groups, fixed by their places on the board, not by the squares' kinds: the five
// hotels and the pair of utilities.
inline constexpr Integer kHotelGroup[] = {4, 5, 15, 25, 35};
inline constexpr Integer kPairGroup[] = {12, 28};

// The steps of the turn sequencer (TalkStep).
enum TalkStepValue : Integer {
    NoStep = 0,  // before the game window is loaded
    Greeting = 1,
    ReadTheManual = 2,
    RankingRequest1 = 3,  // player k is asked in step RankingRequest1 + k - 1
    RankingRequest2 = 4,
    RankingRequest3 = 5,
    RankingRequest4 = 6,
    RankingResult = 7,
    GameBegins = 8,
    ThrowTotal = 9,
    DoubleThrowAgain = 10,
    EqualTotalThrowAgain = 11,
    ThrowRequest = 12,
    LandedOn = 13,
    LandingMessage = 14,
    ThirdDouble = 15,
    PlayerBankrupt = 16,
    Winner = 17,
};

// The two phases of ActionCheck.
enum LandingPhaseValue : Integer { AnnounceLanding = 1, ResolveLanding = 2 };

// What one frame of Animate draws.
enum AnimatePatternValue : Integer {
    NarratorMouth = 1,
    DiceFlickerFrame = 10,
    WalkOneSquare = 11,
    YesNoBlinkFrame = 12,
};

// Where a throw request of TaoProc comes from: a key code or a die picture's index.
enum ThrowSourceValue : Integer { ThrowByKey = 1, ThrowByPicture = 2 };

// The die pictures a click or the computer player throws with (ImgTao).
enum DicePictureValue : Integer { FirstDiePicture = 0, SecondDiePicture = 1, BothDicePicture = 2 };

// What HouseCreate draws for a square.
enum HouseModeValue : Integer {
    OwnerMarker = 0,
    BuildingsOnEdge = 1,
    BuildingsInPanel = 2,
    ClearOwnerMarker = 3,
};

// What a card does to the player who draws it.
enum CardActionValue : Integer {
    PayAmount = 0,
    ReceiveAmount = 1,
    BuiltInBankrupt = 9,
    LoseAllMoney = 10,
};

// The five expressions of a player's face (CFace), by the events that show them.
enum FaceValue : Integer {
    HopefulFace = 1,   // an unowned square offered for sale, a card square
    ContentFace = 2,   // the start square, one's own square
    GladFace = 3,      // rent received, a card gain, one's own fully built plot
    DismayedFace = 4,  // tax, the jail visit, the rest square, a card loss, a double
    GrimFace = 5,      // rent paid, jail, the lose-all card, the third double, bankruptcy
};

// The toolbar's buttons (ImgIconT); place 0 is unused. The save and speed buttons take two of
// the places the designed three left free.
enum ToolbarButtonValue : int {
    MusicButton = 1,
    SaveButton = 2,
    SpeedButton = 3,
    ManualButton = 4,
    QuitButton = 5
};
inline constexpr ToolbarButtonValue kToolbarButtons[] = {MusicButton, SaveButton, SpeedButton,
                                                         ManualButton, QuitButton};

// The Windows virtual-key codes the game itself reacts to, besides the players' own keys.
enum VirtualKeyValue : int { EnterKey = 13, EscapeKey = 27, SpaceKey = 32 };

}  // namespace kroda
