#include "widgets/client_game.h"

#include "model/codes.h"
#include "model/game_files.h"
#include "widgets/document_opener.h"
#include "widgets/error_box.h"
#include "widgets/frm_back.h"
#include "widgets/front_window.h"
#include "widgets/remote_input.h"

#include <QApplication>
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
                [this](const ClientEnding& e) { finish(e); }}) {}

ClientGame::~ClientGame() {
    if (windows_)
        windows_->closed = nullptr;
}

void ClientGame::join(const QUrl& url, const network::Hello& hello) {
    session_.join(url, hello);
}

void ClientGame::start() {
    const Game& g = session_.game();
    // Before the host's game window has loaded (the host waits for its players) there is
    // nothing to show, not even the pictures' names.
    if (g.window.Caption.isEmpty())
        return;
    if (const auto problem = loadWindowPictures(pictures_, g)) {
        finish({ClientEnding::Fault, std::nullopt, *problem});
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

QString endingLine(const ClientEnding& ending) {
    switch (ending.kind) {
        case ClientEnding::Refused:
            return QStringLiteral("kroda: the host refused to let this player in: ") +
                   network::reasonText(ending.reason.value_or(network::RefusalReason::WrongCode));
        case ClientEnding::Lost:
            return QStringLiteral("kroda: lost the host: ") + ending.detail;
        case ClientEnding::Fault:
            return QStringLiteral("kroda: ") + ending.detail;
        case ClientEnding::Left:
            break;
    }
    return {};
}

namespace {

// The client of one `--join`: the join window when something is missing, then the game.
class JoinRun : public QObject {
  public:
    JoinRun(const QString& appFolder, const JoinOptions& options)
        : options_(options), game_(appFolder, options.client) {
        // A script sees why the join ended while the message box still waits for a person.
        game_.told = [](const ClientEnding& e) {
            const QString line = endingLine(e);
            if (!line.isEmpty()) {
                std::fprintf(stderr, "%s\n", line.toUtf8().constData());
                std::fflush(stderr);
            }
        };
        game_.ended = [](const ClientEnding& e) {
            QApplication::exit(e.kind == ClientEnding::Left ? 0 : 1);
        };
    }

    // Whatever is wrong with the certificates to trust.
    std::optional<QString> trust(const QString& pemFile) {
        return game_.session().trustCertificates(pemFile);
    }

    // False when the address cannot be joined at all.
    bool start() {
        if (!options_.code.isEmpty() && !options_.names.isEmpty()) {
            go({options_.address, options_.code, options_.names});
            return true;
        }
        auto* w = new JoinWindow({options_.address, options_.code, options_.names});
        w->accepted = [this](const JoinAnswer& a) { go(a); };
        w->cancelled = [] { QApplication::exit(0); };
        centreOnScreen(*w);
        w->show();
        w->activateWindow();
        return true;
    }

  private:
    void go(const JoinAnswer& a) { game_.join(*network::joinUrl(a.address), {a.code, a.names}); }

    JoinOptions options_;
    ClientGame game_;
};

}  // namespace

int playJoined(const QString& appFolder, const JoinOptions& options) {
    if (!network::joinUrl(options.address)) {
        std::fprintf(stderr, "kroda: --join: not an address: %s\n",
                     options.address.toUtf8().constData());
        return 2;
    }
    if (options.names.size() > network::kSeatCount) {
        std::fprintf(stderr, "kroda: --name: at most %d people play at one machine\n",
                     network::kSeatCount);
        return 2;
    }
    const auto names = network::plainNames(options.names);
    if (const auto* problem = std::get_if<network::NameProblem>(&names)) {
        const QByteArray given = options.names[problem->index].trimmed().toUtf8();
        if (problem->twice)
            std::fprintf(stderr,
                         "kroda: --name: each person at this machine needs a name of "
                         "his own: %s is given twice\n",
                         given.constData());
        else
            std::fprintf(stderr, "kroda: --name: a name is plain text of 1 to %d characters: %s\n",
                         network::kMaxNameLength, given.constData());
        return 2;
    }
    JoinOptions checked = options;
    checked.names = std::get<QStringList>(names);
    JoinRun run(appFolder, checked);
    if (!options.trustedCertificates.isEmpty()) {
        if (const auto problem = run.trust(options.trustedCertificates)) {
            std::fprintf(stderr, "kroda: --tls-ca: %s\n", problem->toUtf8().constData());
            return 2;
        }
    }
    if (!run.start())
        return 1;
    return QApplication::exec();
}

}  // namespace kroda::widgets
