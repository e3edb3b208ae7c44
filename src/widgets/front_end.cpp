#include "widgets/front_end.h"

#include "frontend/colour_count.h"
#include "game/save_game.h"
#include "widgets/about_window.h"
#include "widgets/error_box.h"
#include "widgets/file_dialogs.h"
#include "widgets/frm_back.h"
#include "widgets/title_window.h"
#include "widgets/wizard_window.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>

namespace kroda::widgets {

namespace {
ScreenSize screen() {
    const QSize s = FrontWindow::screenSize();
    return {s.width(), s.height()};
}
}  // namespace

FrontEnd::FrontEnd(const QString& appFolder, const SessionOptions& options, QObject* parent)
    : QObject(parent),
      appFolder_(appFolder),
      options_(options),
      session_(appFolder, options),
      title_(session_.game().state, session_.game().FrmSource, appFolder) {
    quit = [](int status) { QCoreApplication::exit(status); };
    title_.playClick = clickPlayer();
    title_.act = [this](TitleAction a) { act(a); };
}

FrontEnd::~FrontEnd() {
    delete joinWindow_;
    delete frmWizard_;
    delete frmAbout_;
    delete frmTitle_;
}

bool FrontEnd::start() {
    const QScreen* display = QGuiApplication::primaryScreen();
    std::optional<Long> colours;
    if (display != nullptr)
        colours = colourCount(display->depth(), 1);
    title_.Form_Load(screen(), colours);
    // A failed load is tried once more with the same folders. The pictures checked are the
    // ones the title screen shows.
    pictures_.clear();
    if (pictures_.load(title_.pictureFiles())) {
        title_.loadPictures();
        if (const auto problem = pictures_.load(title_.pictureFiles())) {
            fail(*problem);
            return false;
        }
    }
    frmTitle_ = new FrmTitle(title_, pictures_, session_.game().FrmSource, options_.scale);
    frmTitle_->firstFrame = [this] {
        if (firstFrame)
            firstFrame();
    };
    frmTitle_->closedByUser = [this] {
        if (!handedOver_)
            quit(0);
    };
    frmTitle_->place(title_.window.Geometry);
    if (title_.window.Maximized)
        frmTitle_->showMaximized();
    else
        frmTitle_->show();
    frmTitle_->activateWindow();
    title_.Form_Activate();
    return true;
}

void FrontEnd::fail(const QString& text) {
    reportFault(text, interactive);
}

bool FrontEnd::loadWindowPicture(const QString& file) {
    const auto problem = pictures_.load({file});
    if (!problem)
        return true;
    // Reported from the event loop, not from inside the button's press, and then the end.
    QMetaObject::invokeMethod(
        this,
        [this, text = *problem] {
            fail(text);
            quit(1);
        },
        Qt::QueuedConnection);
    return false;
}

ClickPlayer FrontEnd::clickPlayer() {
    return [this](const QString& path, std::function<void()> finished) {
        sound_.play(path, [this, finished = std::move(finished)] {
            finished();
            refresh();
        });
    };
}

void FrontEnd::refresh() {
    if (frmWizard_ && wizard_ && wizard_->outcome() == WizardOutcome::Open)
        frmWizard_->refresh();
    if (frmAbout_)
        frmAbout_->update();
    if (frmTitle_)
        frmTitle_->update();
}

void FrontEnd::act(TitleAction action) {
    switch (action) {
        case TitleAction::NewGame:
            openWizard();
            break;
        case TitleAction::About:
            openAbout();
            break;
        case TitleAction::Manual:
            session_.port().openDocument(title_.manualPath());
            break;
        case TitleAction::Exit:
            quit(0);
            break;
        case TitleAction::Continue:
            openContinueDialog();
            break;
        case TitleAction::Join:
            openJoin();
            break;
    }
}

void FrontEnd::openWizard() {
    if (frmWizard_)
        return;
    const ScreenSize s = screen();
    wizard_ = std::make_unique<Wizard>(session_.game().state, appFolder_, s.Width, s.Height);
    if (!loadWindowPicture(wizard_->window.Picture))
        return;
    wizard_->playClick = clickPlayer();
    wizard_->askSavedGame = [this] { askSavedGame(); };
    wizard_->refused = [this](const QString& text) { fail(text); };
    wizard_->finished = [this](WizardOutcome outcome) {
        if (frmWizard_)
            frmWizard_->close();
        if (outcome == WizardOutcome::HandedOver)
            handOver();
        else
            modalClosed();
    };
    frmWizard_ = new FrmWizard(*wizard_, pictures_, session_.game().FrmSource, options_.scale);
    frmWizard_->setWindowModality(Qt::ApplicationModal);
    frmWizard_->place(wizard_->window.Geometry);
    frmWizard_->show();
    frmWizard_->activateWindow();
}

void FrontEnd::openAbout() {
    if (frmAbout_)
        return;
    const ScreenSize s = screen();
    about_ =
        std::make_unique<About>(session_.game().state.CommonFolder, appFolder_, s.Width, s.Height);
    if (!loadWindowPicture(about_->window.Picture))
        return;
    about_->playClick = clickPlayer();
    about_->closed = [this] {
        if (frmAbout_)
            frmAbout_->close();
        modalClosed();
    };
    frmAbout_ = new FrmAbout(*about_, pictures_, session_.game().FrmSource, options_.scale);
    frmAbout_->setWindowModality(Qt::ApplicationModal);
    frmAbout_->place(about_->window.Geometry);
    frmAbout_->show();
    frmAbout_->activateWindow();
}

void FrontEnd::modalClosed() {
    if (!frmTitle_)
        return;
    // The title screen is active again: its buttons and description come back to
    // rest.
    frmTitle_->activateWindow();
    title_.Form_Activate();
    frmTitle_->update();
}

void FrontEnd::openContinueDialog() {
    if (fileDialog_ || !frmTitle_)
        return;
    const FileDialog& d = title_.window.CmnDlg;
    const QString autosave = autosavePath();
    fileDialog_ = showFileDialog(frmTitle_,
                                 {FileDialogKind::Open, d.DialogTitle, d.Filter, d.InitDir,
                                  QFile::exists(autosave) ? autosave : QString()},
                                 [this](const QString& file) { continueChosen(file); });
}

void FrontEnd::continueChosen(const QString& file) {
    if (file.isEmpty() || handedOver_) {
        modalClosed();
        return;
    }
    // The file is read before the title screen goes: a bad one leaves it as it was.
    session_.interactive = interactive;
    if (const auto problem = session_.loadSave(file)) {
        fail(*problem);
        modalClosed();
        return;
    }
    handedOver_ = true;
    if (frmWizard_)
        frmWizard_->close();
    auto* backdrop = new FrmBack;
    backdrop->show();
    if (frmTitle_)
        frmTitle_->close();
    session_.resume(backdrop);
}

void FrontEnd::openJoin() {
    if (joinWindow_ || client_)
        return;
    joinWindow_ = new JoinWindow({});
    joinWindow_->setWindowModality(Qt::ApplicationModal);
    joinWindow_->accepted = [this](const JoinAnswer& a) { joinChosen(a); };
    joinWindow_->cancelled = [this] { modalClosed(); };
    centreOnScreen(*joinWindow_);
    joinWindow_->show();
    joinWindow_->activateWindow();
}

// The title screen stays until the host's game is on screen; a refusal brings it back.
void FrontEnd::joinChosen(const JoinAnswer& answer) {
    client_ =
        std::make_unique<ClientGame>(appFolder_, ClientOptions{options_.narration, options_.scale});
    client_->interactive = interactive;
    client_->started = [this] {
        handedOver_ = true;
        if (frmTitle_)
            frmTitle_->close();
    };
    client_->ended = [this](const network::ClientEnding& e) {
        if (!handedOver_) {
            client_.release()->deleteLater();
            modalClosed();
            return;
        }
        quit(e.kind == network::ClientEnding::Left ? 0 : 1);
    };
    // The window has checked the certificate file it chose.
    if (!answer.certificateFile.isEmpty())
        client_->session().trustCertificates(answer.certificateFile);
    client_->join(*network::joinUrl(answer.address), {answer.code, answer.names});
}

void FrontEnd::askSavedGame() {
    if (fileDialog_ || !frmWizard_ || !wizard_)
        return;
    const FileDialog& d = title_.window.CmnDlg;
    fileDialog_ =
        showFileDialog(frmWizard_, {FileDialogKind::Open, d.DialogTitle, d.Filter, d.InitDir, {}},
                       [this](const QString& file) {
                           if (!wizard_)
                               return;
                           wizard_->savedGameChosen(file);
                           if (frmWizard_ && wizard_->outcome() == WizardOutcome::Open)
                               frmWizard_->refresh();
                       });
}

void FrontEnd::handOver() {
    handedOver_ = true;
    if (wizard_ && wizard_->savedBoard())
        session_.playBoard(*wizard_->savedBoard());
    auto* backdrop = new FrmBack;
    backdrop->load(FrontWindow::screenSize());
    backdrop->show();
    if (frmTitle_)
        frmTitle_->close();
    // The title screen and the wizard do not come back: their pictures (2 MB) go with them.
    pictures_.clear();
    session_.interactive = interactive;
    const QList<int> networkSeats = wizard_ ? wizard_->networkSeats() : QList<int>();
    if (!networkSeats.isEmpty()) {
        // The game window waits for the network players; the backdrop waits with it.
        host_ = std::make_unique<NetworkHost>(session_, networkSeats, options_.narration,
                                              options_.scale, [this, backdrop] {
                                                  if (session_.start(backdrop))
                                                      return true;
                                                  backdrop->close();
                                                  quit(1);
                                                  return false;
                                              });
        if (const auto error = host_->listen(hosting)) {
            backdrop->close();
            fail(*error);
            quit(1);
        }
        return;
    }
    if (!session_.start(backdrop)) {
        if (backdrop)
            backdrop->close();
        quit(1);
    }
}

}  // namespace kroda::widgets
