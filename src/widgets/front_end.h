#pragma once
// The road from the title screen to the game: the title screen and the windows
// it opens modally (the wizard, the about window, the dialog of a saved game),
// then the hand-over to the game window with the backdrop behind it. Modal windows are shown, not
// run: the title screen takes no input while one is open, and it is active again when the window
// closes.

#include "frontend/about_window.h"
#include "frontend/title_screen.h"
#include "frontend/wizard.h"
#include "widgets/about_window.h"
#include "widgets/client_game.h"
#include "widgets/game_session.h"
#include "widgets/join_window.h"
#include "widgets/network_host.h"
#include "widgets/picture_cache.h"
#include "widgets/sound_player.h"
#include "widgets/title_window.h"
#include "widgets/wizard_window.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace kroda::widgets {

class FrontEnd : public QObject {
    Q_OBJECT
  public:
    FrontEnd(const QString& appFolder, const SessionOptions& options, QObject* parent = nullptr);
    ~FrontEnd() override;

    // Loads and shows the title screen. A picture that cannot be loaded twice is
    // reported in a message box and on stderr; the result is then false.
    bool start();

    // Ends the program with a status; tests watch it instead.
    std::function<void(int status)> quit;
    // Called once the title screen's first frame is painted.
    std::function<void()> firstFrame;
    // Whether message boxes are shown (tests turn them off).
    bool interactive = true;
    // Where a hand-over with network seats listens.
    HostOptions hosting;

    GameSession& session() { return session_; }
    TitleScreen& title() { return title_; }
    Wizard* wizard() { return wizard_.get(); }
    About* about() { return about_.get(); }
    FrmTitle* titleWindow() { return frmTitle_; }
    FrmWizard* wizardWindow() { return frmWizard_; }
    FrmAbout* aboutWindow() { return frmAbout_; }
    // The file dialog of the continue button or the wizard's board page, while it is open.
    QWidget* fileDialog() { return fileDialog_; }
    bool handedOver() const { return handedOver_; }
    // The join window of the join button, while it is open, and the game it joined.
    JoinWindow* joinWindow() { return joinWindow_; }
    ClientGame* client() { return client_.get(); }
    // The hosting of a hand-over with network seats, once it listens.
    NetworkHost* networkHost() { return host_.get(); }

  private:
    void act(TitleAction action);
    void openWizard();
    void openAbout();
    void modalClosed();
    void handOver();
    void openContinueDialog();
    void openJoin();
    void joinChosen(const JoinAnswer& answer);
    void continueChosen(const QString& file);
    void askSavedGame();
    void refresh();
    ClickPlayer clickPlayer();
    void fail(const QString& text);
    // Loads a modal window's picture; one that cannot be loaded ends the program with its
    // message, and the window does not open.
    bool loadWindowPicture(const QString& file);

    QString appFolder_;
    SessionOptions options_;
    GameSession session_;
    TitleScreen title_;
    PictureCache pictures_;
    SoundPlayer sound_;
    std::unique_ptr<Wizard> wizard_;
    std::unique_ptr<About> about_;
    QPointer<FrmTitle> frmTitle_;
    QPointer<FrmWizard> frmWizard_;
    QPointer<FrmAbout> frmAbout_;
    QPointer<QWidget> fileDialog_;
    QPointer<JoinWindow> joinWindow_;
    std::unique_ptr<ClientGame> client_;
    bool handedOver_ = false;
    std::unique_ptr<NetworkHost> host_;
};

}  // namespace kroda::widgets
