#pragma once
// The new-game wizard FrmWizard: seven stacked pages that ask for the board, the bankrupt
// card, the number of players and each player's controller and name, writing the answers
// into the game state as they are given. PostWizard moves forward and back through them. The
// board may be a saved game's: Next then asks for the file, and the wizard goes on when the
// answer comes.

#include "frontend/click_sound.h"
#include "frontend/front_controls.h"
#include "frontend/image_button.h"
#include "model/board_reader.h"
#include "model/game_state.h"
#include "screen/controls.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace kroda {

// WizardStep values that are not a player's page.
enum WizardStepValue : Integer {
    BoardPage = 0,
    OptionsPage = 1,
    PlayerCountPage = 2,
    FirstControllerPage = 3,  // controller pages 3, 5, 7, 9; name pages 4, 6, 8, 10
    CompletionPage = 99,
};

// The panels' indexes in PicPad.
enum WizardPanel : int {
    BoardPanel = 0,
    OptionsPanel = 1,
    PlayerCountPanel = 2,
    ControllerPanel = 3,
    PersonNamePanel = 4,
    ComputerNamePanel = 5,
    CompletionPanel = 6,
};

enum WizardButton : int { DescriptionButton = 0, CloseButton = 1, BackButton = 2, NextButton = 3 };

enum WizardDirection : Integer { Back = 0, Next = 1 };

struct WizardWindow {
    QString Caption;
    Rect Geometry;
    QString Picture;
    std::array<Panel, 7> PicPad;
    std::array<Label, 7> LblQuest;    // the question of each page
    std::array<Label, 2> LblCaption;  // 0 the band's caption bar, 1 its fixed grey shadow
    Shape ShpBlock;
    std::array<ImageButton, 4> ImgButtonW;  // the icons are ImgIconW(0..3)
    Label LblDescriptW;

    std::array<OptionButton, 2> Opt1;   // the board
    CheckBox Check1;                    // the bankrupt card
    std::array<OptionButton, 3> Opt2;   // two, three or four players
    std::array<OptionButton, 4> Opt3;   // person, computer, network player, strong computer
    std::array<NameBox, 2> TxtName;     // 0 on the person's name page, 1 on the computer's
    std::array<Label, 3> LblKey;        // what each of a person's keys does
    std::array<Label, 3> LblKey2;       // the person's keys
    std::array<Label, 2> LblNameTitle;  // "ชื่อ:" on the two name pages
    Label LblKeyTitle;                  // "คีย์ของคุณ:"
};

// What became of the wizard: still open, closed back to the title screen, or handed over to
// the game.
enum class WizardOutcome { Open, Closed, HandedOver };

class Wizard {
  public:
    // Loading the wizard: a fresh window with the default selections, centred on the screen;
    // every seat is named afresh. WizardStep is the game's and is left as it is.
    Wizard(GameState& state, const QString& appFolder, int screenWidth, int screenHeight);

    WizardWindow window;
    ClickPlayer playClick = silentClick;
    // Called once when the wizard closes or hands over.
    std::function<void(WizardOutcome)> finished;
    // Asks for the save whose board to play; the window answers with savedGameChosen.
    std::function<void()> askSavedGame;
    // Says why a chosen save cannot give its board ("FILE: what"); the board page stays.
    std::function<void(const QString& text)> refused;

    WizardOutcome outcome() const { return outcome_; }
    // The panel on top: the page the user sees.
    int shownPanel() const;

    void PostWizard(Integer direction);
    // The answer to askSavedGame: the chosen file, or empty when the dialog was cancelled.
    void savedGameChosen(const QString& file);
    // The board of the save chosen on the board page, while that choice stands.
    const std::optional<LoadedBoard>& savedBoard() const { return savedBoard_; }
    // The seats a player on another machine plays, rising; the hand-over hosts them.
    QList<int> networkSeats() const;
    // The window was closed by other means than its buttons (the window system).
    void Form_Unload();

    // The window's inputs.
    void ImgButtonW_MouseDown(int index);
    void ImgButtonW_MouseMove(int index, bool held);
    void ImgButtonW_MouseUp(int index);
    void selectOption1(int index);
    void selectOption2(int index);
    void selectOption3(int index);
    void setCheck1(bool ticked);
    // The user typed into a name box: the text as the box holds it, cut to its length.
    void setName(int box, const QString& text);
    // A name box got the focus: its whole text is selected.
    void TxtName_GotFocus(int box);
    // Enter presses Next, Escape presses Close.
    void keyPressed(int keyCode);

  private:
    void runButton(int index);
    void close();
    void handOver();
    void setBand(int player);  // 0 the board's yellow band
    void setCompletionBand();
    void openNamePage(int player);

    GameState& state_;
    QString appFolder_;
    ImageButtonRow buttons_;
    ClickGate click_;
    WizardOutcome outcome_ = WizardOutcome::Open;
    bool askingForSave_ = false;  // the board page waits for the save dialog's answer
    std::optional<LoadedBoard> savedBoard_;
    std::array<bool, 4> networkSeat_{};  // by seat - 1
};

}  // namespace kroda
