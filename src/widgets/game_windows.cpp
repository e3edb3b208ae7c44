#include "widgets/game_windows.h"

#include "game/game.h"
#include "screen/window_placement.h"
#include "widgets/front_window.h"

#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kroda::widgets {

// The pictures are the background, the board's centre and the holders of the source window
// from the narrator's strip on.
std::optional<QString> loadWindowPictures(PictureCache& pictures, const Game& g) {
    QStringList files{g.window.Picture, g.window.ImgCenter.File};
    for (std::size_t h = NarratorStrip; h < g.FrmSource.PicCSource.size(); ++h)
        files << g.FrmSource.PicCSource[h].File;
    files.removeAll(QString());
    if (auto problem = pictures.load(files))
        return problem;
    // The information panel and a deed card show one illustration each.
    pictures.holdByCells(g.FrmSource.PicCSource[IllustrationStrip]);
#ifdef __GLIBC__
    // The title screen's and the wizard's pictures and the whole illustrations picture were
    // just let go; the allocator keeps such holes resident until it is asked to return them.
    malloc_trim(0);
#endif
    return std::nullopt;
}

void centreOnScreen(QWidget& window) {
    const QSize s = FrontWindow::screenSize();
    if (const auto at =
            placeWindow(kCentreAnchor, s.width(), s.height(), window.width(), window.height()))
        window.move(at->Left, at->Top);
}

GameWindows::GameWindows(const Game& game, PictureCache& pictures, int scale, InputSink input,
                         QObject* parent)
    : QObject(parent), game_(game), pictures_(pictures), scale_(scale), input_(std::move(input)) {}

GameWindows::~GameWindows() {
    for (QObject* w :
         {static_cast<QObject*>(frmGame_.data()), static_cast<QObject*>(frmOCard_.data())})
        if (w)
            w->disconnect(this);
    delete frmOCard_;
    delete frmCard_;
    delete frmGame_;
}

void GameWindows::open(QWidget* backdrop, bool fullScreen) {
    backdrop_ = backdrop;
    frmGame_ = new FrmGame(game_, input_, pictures_, scale_);
    frmGame_->setAttribute(Qt::WA_DeleteOnClose);
    frmGame_->activated = [this] {
        if (backdrop_)
            backdrop_->close();  // Form_Activate unloads the backdrop
    };
    connect(frmGame_, &QObject::destroyed, this, [this] {
        if (closed)
            closed();
    });

    const QSize screen = FrontWindow::screenSize();
    centreOnScreen(*frmGame_);
    if (fullScreen)
        frmGame_->setFullScreen(true);
    else if (maximiseOn640x480(screen.width(), screen.height()) == WindowState::Maximized)
        frmGame_->showMaximized();
    else
        frmGame_->show();
    frmGame_->activateWindow();
    frmGame_->setFocus();
}

void GameWindows::sync() {
    if (frmGame_)
        frmGame_->update();
    syncCardWindow();
    syncDeedCard();
}

void GameWindows::syncCardWindow() {
    const bool open = game_.window.FrmCard.Visible;
    if (open && !frmCard_ && frmGame_) {
        frmCard_ = new FrmCard(game_, input_, scale_, frmGame_);
        frmCard_->setAttribute(Qt::WA_DeleteOnClose);
        centreOnScreen(*frmCard_);
        frmCard_->open();  // window-modal; a later key or click answers it
        frmCard_->activateWindow();
        frmCard_->setFocus();
    } else if (!open && frmCard_) {
        frmCard_->hide();
        frmCard_->deleteLater();
        frmCard_ = nullptr;
        if (frmGame_) {
            frmGame_->activateWindow();
            frmGame_->setFocus();
        }
    } else if (frmCard_) {
        frmCard_->update();
    }
}

void GameWindows::raiseDeedCard() {
    if (frmOCard_) {
        frmOCard_->raise();
        frmOCard_->activateWindow();
    }
}

void GameWindows::syncDeedCard() {
    const bool open = game_.FrmOCard.Visible;
    if (open && !frmOCard_) {
        // A window of the game window's, so that it stays above it in full screen too.
        frmOCard_ = new FrmOCard(game_, input_, pictures_, scale_, frmGame_);
        frmOCard_->setAttribute(Qt::WA_DeleteOnClose);
        connect(frmOCard_, &QObject::destroyed, this, [this] {
            // Closed from its frame: the card is unloaded as by its "X".
            if (game_.FrmOCard.Visible)
                input_(ControlClick{ClickableControl::LblClose, 0, 1, 0, 0, 0});
        });
        frmOCard_->show();
        frmOCard_->raise();
        frmOCard_->activateWindow();
    } else if (open) {
        frmOCard_->follow();
    } else if (frmOCard_) {
        QWidget* w = frmOCard_;
        frmOCard_ = nullptr;
        w->close();
    }
}

}  // namespace kroda::widgets
