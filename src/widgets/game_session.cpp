#include "widgets/game_session.h"

#include "game/save_game.h"
#include "model/game_files.h"
#include "widgets/error_box.h"
#include "widgets/file_dialogs.h"
#include "widgets/front_window.h"
#include "widgets/speed_steps.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include <cstdio>

namespace kroda::widgets {

namespace {

BoardLocation boardIn(const QString& dir) {
    return {boardFile(dir), dir, dir + QStringLiteral("/Image")};
}

}  // namespace

std::optional<QString> checkBoard(const QString& boardDir, bool bankruptCardOn) {
    if (boardDir.isEmpty())
        return std::nullopt;
    const BoardReadResult result = readBoard(boardIn(boardDir), bankruptCardOn);
    if (!result.hasErrors() && result.board)
        return std::nullopt;
    const QString text = result.errorText();
    return text.isEmpty() ? boardDir + QStringLiteral(": the board cannot be read") : text;
}

GameSession::GameSession(const QString& appFolder, const SessionOptions& options, QObject* parent)
    : QObject(parent),
      options_(options),
      game_(std::make_unique<Game>(port_, appFolder)),
      windows_(*game_, pictures_, options_.scale, [this](const WindowInput& input) {
          deliver([input](Game& g) { applyInput(g, input); });
      }) {
    // The window quits the program when it is closed from its frame.
    windows_.closed = [this] { port_.quit(); };
    if (!options_.boardDir.isEmpty()) {
        const QString dir = options_.boardDir;
        game_->boardReader = [dir](const BoardLocation&, bool bankruptCardOn) {
            return readBoard(boardIn(dir), bankruptCardOn);
        };
    }
    port_.deliver = [this](std::function<void()> f) {
        deliver([f = std::move(f)](Game&) { f(); });
    };
    port_.deedCard = [this] { showDeedCard(); };
    port_.saveRequested = [this](const QString& title, const QString& filter,
                                 const QString& folder) {
        saveRequest_ = SaveRequest{title, filter, folder};
    };
    port_.speedChange = [this] { changeSpeed(); };
    game_->turnStarted = [this] { autosaveDue_ = true; };
}

GameSession::~GameSession() {
    windows_.closed = nullptr;
}

bool GameSession::start(QWidget* backdrop) {
    Game& g = *game_;
    g.state.NewBoard = true;
    if (g.state.Config.ConfigPath.trimmed().isEmpty())
        g.state.Config.ConfigPath = boardFile(g.appFolder());
    watchNarration();
    try {
        g.Form_Load();
    } catch (const BoardLoadError& e) {
        reportFault(e.text(), interactive);
        return false;
    }
    // The window's own pictures fail as the board's do, before anything is shown.
    if (const auto problem = loadWindowPictures(pictures_, g)) {
        reportFault(*problem, interactive);
        return false;
    }
    openWindow(backdrop);
    clock_.reset();
    clock_ = makeClock();
    clock_->start();
    return true;
}

std::optional<QString> GameSession::loadSave(const QString& path) {
    clock_.reset();  // one clock at a time watches the timers
    auto clock = makeClock();
    if (auto error = loadSaveFile(path, *game_, clock->virtualClock()))
        return error;
    clock_ = std::move(clock);
    return std::nullopt;
}

void GameSession::resume(QWidget* backdrop) {
    watchNarration();
    openWindow(backdrop);
    clock_->start();
    engineChanged();  // a card window open at the saved moment comes up
}

void GameSession::playBoard(const LoadedBoard& board) {
    game_->boardReader = [board](const BoardLocation&, bool) {
        BoardReadResult result;
        result.board = board;
        return result;
    };
}

void GameSession::watchNarration() {
    if (options_.narration)
        game_->narrationComplete = [this](Integer step, const QString& message) {
            printNarration(step, message);
        };
}

void GameSession::openWindow(QWidget* backdrop) {
    windows_.open(backdrop, options_.fullScreen);
    FrmGame* window = windows_.gameWindow();
    window->shownSpeed = [this] { return clock_ ? clock_->speed() : options_.speed; };
    window->fullScreenChanged = [this](bool on) {
        if (options_.fullScreenChosen)
            options_.fullScreenChosen(on);
    };
    port_.dialogParent = window;
}

void GameSession::changeSpeed() {
    if (!clock_)
        return;
    const double speed = nextSpeed(clock_->speed());
    clock_->setSpeed(speed);
    options_.speed = speed;
    if (options_.speedChosen)
        options_.speedChosen(speed);
}

std::unique_ptr<RealClock> GameSession::makeClock() {
    auto clock = std::make_unique<RealClock>(
        game_->timers, [this](TimerId id) { game_->fire(id); }, options_.speed);
    clock->changed = [this] { engineChanged(); };
    clock->settled = [this] { settled(); };
    return clock;
}

void GameSession::settled() {
    Game& g = *game_;
    if (autosaveDue_) {
        autosaveDue_ = false;
        // A disk that refuses the autosave must not stop the game.
        if (clock_) {
            if (const auto error = storeSaveFile(autosavePath(), g, clock_->virtualClock())) {
                std::fprintf(stderr, "kroda: autosave: %s\n", error->toUtf8().constData());
                std::fflush(stderr);
            }
        }
    }
    if (g.isOver() && !autosaveRemoved_) {
        autosaveRemoved_ = true;
        QFile::remove(autosavePath());
    }
    if (saveRequest_) {
        const SaveRequest request = *saveRequest_;
        saveRequest_.reset();
        askWhereToSave(request);
    }
}

void GameSession::askWhereToSave(const SaveRequest& request) {
    if (!clock_)
        return;
    // The file holds the moment of the press, however long the dialog stays open.
    const QByteArray bytes = writeSave(*game_, clock_->virtualClock());
    saveDialog_ =
        showFileDialog(windows_.gameWindow(),
                       {FileDialogKind::Save, request.title, request.filter, request.folder, {}},
                       [this, bytes](const QString& file) { saveChosen(file, bytes); });
}

void GameSession::saveChosen(const QString& file, const QByteArray& bytes) {
    if (file.isEmpty())
        return;
    const auto error = writeWhole(withSaveSuffix(file), bytes);
    if (!error)
        return;
    std::fprintf(stderr, "kroda: %s\n", error->toUtf8().constData());
    std::fflush(stderr);
    if (interactive)
        makeErrorBox(QStringLiteral("Kroda"), *error)->open();
}

void GameSession::deliver(const std::function<void(Game&)>& input) {
    if (!clock_) {
        game_->handle(input);
        return;
    }
    clock_->deliver([&] { game_->handle(input); });
}

void GameSession::engineChanged() {
    windows_.sync();
}

void GameSession::showDeedCard() {
    Game& g = *game_;
    if (g.FrmOCard.Visible) {
        g.FrmOCard_Activate();
    } else {
        const QSize s = FrontWindow::screenSize();
        g.FrmOCard_Load(s.width(), s.height());
    }
    // The window itself comes up once the input has run (GameWindows::sync).
    windows_.raiseDeedCard();
}

void GameSession::printNarration(Integer step, const QString& message) {
    const std::int64_t ms = clock_ ? clock_->now() : 0;
    const QByteArray line = QByteArray::number(static_cast<qlonglong>(ms)) + ' ' +
                            QByteArray::number(step) + ' ' + message.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fflush(stdout);
}

}  // namespace kroda::widgets
