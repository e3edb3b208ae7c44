#include "widgets/client_game.h"

#include "model/codes.h"
#include "model/game_files.h"
#include "widgets/document_opener.h"
#include "widgets/error_box.h"
#include "widgets/frm_back.h"
#include "widgets/front_window.h"
#include "widgets/joining_window.h"
#include "widgets/remote_input.h"

#include <QMessageBox>

#include <cstdio>

namespace kroda::widgets {

using network::ClientEnding;

ClientGame::ClientGame(const QString& appFolder, const ClientOptions& options, QObject* parent)
    : QObject(parent),
      appFolder_(appFolder),
      options_(options),
      session_(appFolder,
               {[this] { start(); },
                [this] {
                    if (windows_)
                        windows_->sync();
                },
                [this](const QString& line) {
                    if (!options_.narration)
                        return;
                    const QByteArray bytes = line.toUtf8() + '\n';
                    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()),
                                stdout);
                    std::fflush(stdout);
                },
                [this](const QString& file) { sound_.play(soundFile(appFolder_, file), {}); },
                [this](const network::Seats&) {
                    if (joining_)
                        joining_->update();
                },
                [this](const ClientEnding& e) { finish(e); }}) {}

ClientGame::~ClientGame() {
    if (windows_)
        windows_->closed = nullptr;
    if (joining_) {
        joining_->closedByPlayer = nullptr;
        delete joining_;
    }
}

void ClientGame::join(const QUrl& url, const network::Hello& hello) {
    session_.join(url, hello);
    if (!joining_) {
        joining_ = new JoiningWindow(session_, options_.scale);
        joining_->setAttribute(Qt::WA_DeleteOnClose);
        joining_->closedByPlayer = [this] { session_.leave(); };
        centreOnScreen(*joining_);
        joining_->show();
    }
    joining_->update();
}

void ClientGame::start() {
    const Game& g = session_.game();
    // Before the host's game window has loaded (the host waits for its players) there is
    // nothing to show, not even the pictures' names.
    if (joining_)
        joining_->update();
    if (g.window.Caption.isEmpty())
        return;
    if (const auto problem = loadWindowPictures(pictures_, g)) {
        finish({ClientEnding::Fault, std::nullopt, network::kProtocolVersion, session_.address(),
                *problem});
        return;
    }
    windows_ = std::make_unique<GameWindows>(g, pictures_, options_.scale,
                                             [this](const WindowInput& in) { input(in); });
    // Closing the game window from its frame leaves the game.
    windows_->closed = [this] { session_.leave(); };
    auto* backdrop = new FrmBack;
    backdrop->load(FrontWindow::screenSize());
    backdrop->show();
    windows_->open(backdrop);
    if (joining_)
        joining_->dismiss();
    if (started)
        started();
}

void ClientGame::input(const WindowInput& in) {
    if (const auto* press = std::get_if<ToolbarMouse>(&in)) {
        toolbar(*press);
        return;
    }
    if (const auto remote = remoteInput(in, session_.game().state, session_.seats()))
        session_.send(*remote);
}

void ClientGame::toolbar(const ToolbarMouse& press) {
    if (press.phase != ToolbarMouse::Down || press.button != 1)
        return;
    if (press.index == ManualButton)
        openDocument(manualFile(appFolder_));
    else if (press.index == QuitButton)
        session_.leave();
}

void ClientGame::finish(const ClientEnding& ending) {
    if (joining_)
        joining_->dismiss();
    if (told)
        told(ending);
    const auto done = [this, ending] {
        if (windows_) {
            windows_->closed = nullptr;
            windows_.reset();
        }
        if (ended)
            ended(ending);
    };
    if (ending.kind == ClientEnding::Left || !interactive) {
        done();
        return;
    }
    QMessageBox* box = makeErrorBox(QStringLiteral("Kroda"), network::endingText(ending));
    connect(box, &QMessageBox::finished, this, done);
    box->open();
}

}  // namespace kroda::widgets
