#include "widgets/frm_game.h"

#include "game/game.h"
#include "widgets/control_painter.h"
#include "widgets/fonts.h"
#include "widgets/key_codes.h"
#include "widgets/speed_steps.h"
#include "widgets/window_pictures.h"

#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace kroda::widgets {

namespace {

bool contains(const Image& image, QPoint p) {
    return image.Visible && toQRect(image.Geometry).contains(p);
}

// A control takes the mouse only while it is visible and enabled.
bool takesMouse(const Image& image, QPoint p) {
    return contains(image, p) && image.Enabled;
}

const QCursor& handCursor() {
    static const QCursor cursor(QPixmap(QString::fromLatin1(windowpictures::kHandCursor)),
                                windowpictures::kHandCursorHotSpot.x(),
                                windowpictures::kHandCursorHotSpot.y());
    return cursor;
}

}  // namespace

FrmGame::FrmGame(const Game& game, InputSink input, PictureCache& pictures, int scale,
                 QWidget* parent)
    : QWidget(parent),
      game_(game),
      input_(std::move(input)),
      pictures_(pictures),
      scale_(std::clamp(scale, 1, 4)) {
    setFixedSize(kWidth * scale_, kHeight * scale_);
    setWindowTitle(game_.window.Caption);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect FrmGame::gameArea() const {
    const QSize designed(kWidth * scale_, kHeight * scale_);
    if (size() == designed)
        return {QPoint(0, 0), designed};
    const int s = std::clamp(std::min(width() / kWidth, height() / kHeight), 1, 4);
    const QSize drawn(kWidth * s, kHeight * s);
    return {QPoint((width() - drawn.width()) / 2, (height() - drawn.height()) / 2), drawn};
}

void FrmGame::setFullScreen(bool on) {
    if (on == isFullScreen())
        return;
    if (on) {
        normalAt_ = pos();
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showFullScreen();
    } else {
        showNormal();
        setFixedSize(kWidth * scale_, kHeight * scale_);
        move(normalAt_);
    }
    update();
    if (fullScreenChanged)
        fullScreenChanged(on);
}

QPoint FrmGame::logical(QPoint widgetPoint) const {
    const QRect area = gameArea();
    const int s = area.width() / kWidth;
    // Outside the drawn game (the black margins of full screen) nothing is hit.
    if (!area.contains(widgetPoint))
        return {-1, -1};
    return {(widgetPoint.x() - area.left()) / s, (widgetPoint.y() - area.top()) / s};
}

bool FrmGame::showsButton(int toolbarIndex) const {
    return toolbarIndex != SpeedButton || static_cast<bool>(shownSpeed);
}

FrmGame::Hit FrmGame::hitAt(QPoint p) const {
    const GameWindow& w = game_.window;
    const auto at = [&](Hit::Kind kind, int index, const Image& image) {
        return Hit{kind, index, p.x() - image.Geometry.Left, p.y() - image.Geometry.Top};
    };
    for (int i : kToolbarButtons)
        if (showsButton(i) && takesMouse(w.ImgIconT[i], p))
            return at(Hit::Toolbar, i, w.ImgIconT[i]);
    for (int i = 0; i < 3; ++i)
        if (contains(w.ImgTao[i], p))
            return at(Hit::Die, i, w.ImgTao[i]);
    if (takesMouse(w.ImgDescripter, p))
        return at(Hit::Narrator, 0, w.ImgDescripter);
    for (int i = 0; i < 40; ++i)
        if (takesMouse(w.ImgTable[i], p))
            return at(Hit::Square, i, w.ImgTable[i]);
    return {};
}

void FrmGame::paintEvent(QPaintEvent*) {
    if (windowTitle() != game_.window.Caption)
        setWindowTitle(game_.window.Caption);
    const QRect area = gameArea();
    if (area.size() != size()) {
        QPainter black(this);
        black.fillRect(rect(), Qt::black);
    }
    ControlPainter::render(
        *this, {kWidth, kHeight}, area.width() / kWidth,
        [this](QPainter& qp) {
            const GameWindow& w = game_.window;
            ControlPainter p(qp, pictures_, game_.FrmSource);
            p.background(w.Picture, {kWidth, kHeight});

            for (const Image& square : w.ImgTable) p.paint(square);
            for (const Image& block : w.ImgHead) p.paint(block);
            for (const Image& block : w.ImgBottom) p.paint(block);
            p.paint(w.ImgCenter);
            for (const Shape& pile : w.ShpCard) p.paint(pile);
            p.paint(w.ShpTable);

            p.paint(w.ShpTaoPad);
            p.paint(w.ImgTao[0]);
            p.paint(w.ImgTao[1]);
            p.paint(w.ImgTao[2], QString::fromLatin1(windowpictures::kThrowBoth));
            for (const Label& key : w.LblKeyT)
                p.paint(key, labelFont(), false, Qt::AlignHCenter | Qt::AlignVCenter);

            p.paint(w.LblBDescript, labelFont());
            const char* icons[6] = {
                nullptr, windowpictures::kToolbarMusic,  windowpictures::kToolbarSave,
                nullptr, windowpictures::kToolbarManual, windowpictures::kToolbarQuit};
            if (shownSpeed)
                icons[SpeedButton] = windowpictures::kToolbarSpeed[shownSpeedStep(shownSpeed())];
            for (int i : kToolbarButtons)
                if (showsButton(i))
                    p.paint(w.ImgIconT[i], QString::fromLatin1(icons[i]));

            // Tokens stand on the squares.
            for (const Shape& token : w.ShpMark) p.paint(token);

            p.paint(w.ImgDescripter);
            p.paint(w.TxtDialog, narratorFont(), false);

            p.paint(w.ShpLocation);
            p.paint(w.ImgLocation);
            p.paint(w.ImgBuilding);
            p.paint(w.TxtLocation, labelFont(), false);
            p.paint(w.LblOwner, labelFont(), false, Qt::AlignLeft | Qt::AlignTop);
            p.paint(w.LblAct, labelFont());
            p.paint(w.LblPrice, labelFont());
            for (int i = 0; i < 4; ++i) {
                p.paint(w.ShpPlayer[i]);
                p.paint(w.ImgPlayer[i]);
                p.paint(w.LblPName[i], labelFont());
                p.paint(w.LblPMoney[i], labelFont());
            }
        },
        area.topLeft());
}

void FrmGame::keyPressEvent(QKeyEvent* event) {
    // Full screen is the window's, not the game's: the key never reaches the players' keys.
    if (event->key() == Qt::Key_F11) {
        if (!event->isAutoRepeat())
            setFullScreen(!isFullScreen());
        return;
    }
    const int code = virtualKeyCode(*event);
    const int shift = shiftState(event->modifiers());
    input_(KeyPress{code, shift, event->isAutoRepeat()});
}

void FrmGame::mousePressEvent(QMouseEvent* event) {
    const Hit hit = hitAt(logical(event->position().toPoint()));
    pressed_ = hit;
    const int button = mouseButtons(event->button());
    const int shift = shiftState(event->modifiers());
    if (hit.kind == Hit::Toolbar)
        input_(ToolbarMouse{ToolbarMouse::Down, hit.index, button, shift, hit.x, hit.y});
}

void FrmGame::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = logical(event->position().toPoint());
    const int buttons = mouseButtons(event->buttons());
    // While a button is held the control it went down on keeps the mouse, even when it
    // went down on no control: a drag from the board must not sink a toolbar button that
    // would then never see its release.
    Hit hit = buttons != 0 ? pressed_ : hitAt(p);
    if (buttons != 0 && hit.kind == Hit::Toolbar) {
        const Image& icon = game_.window.ImgIconT[hit.index];
        hit.x = p.x() - icon.Geometry.Left;
        hit.y = p.y() - icon.Geometry.Top;
    }
    updatePointer(hitAt(p));
    const int shift = shiftState(event->modifiers());
    if (hit.kind == Hit::Toolbar)
        input_(ToolbarMouse{ToolbarMouse::Move, hit.index, buttons, shift, hit.x, hit.y});
}

void FrmGame::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = logical(event->position().toPoint());
    const Hit down = pressed_;
    pressed_ = {};
    const Hit up = hitAt(p);
    const int button = mouseButtons(event->button());
    const int shift = shiftState(event->modifiers());
    if (down.kind == Hit::Toolbar) {
        input_(ToolbarMouse{ToolbarMouse::Up, down.index, button, shift, down.x, down.y});
        return;
    }
    // A click is a press and a release on the same control.
    if (button != 1 || up.kind != down.kind || up.index != down.index)
        return;
    switch (up.kind) {
        case Hit::Die:
            input_(ControlClick{ClickableControl::ImgTao, up.index, button, shift, up.x, up.y});
            break;
        case Hit::Narrator:
            input_(ControlClick{ClickableControl::ImgDescripter, 0, button, shift, up.x, up.y});
            break;
        case Hit::Square:
            input_(ControlClick{ClickableControl::ImgTable, up.index, button, shift, up.x, up.y});
            break;
        default:
            break;
    }
}

void FrmGame::updatePointer(const Hit& hit) {
    const GameWindow& w = game_.window;
    bool hand = false;
    switch (hit.kind) {
        case Hit::Narrator:
            hand = w.ImgDescripter.HandPointer;
            break;
        case Hit::Square:
            hand = w.ImgTable[hit.index].HandPointer;
            break;
        case Hit::Toolbar:
            hand = w.ImgIconT[hit.index].HandPointer;
            break;
        default:
            break;
    }
    if (hand)
        setCursor(handCursor());
    else
        unsetCursor();
}

void FrmGame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && activated)
        activated();
    QWidget::changeEvent(event);
}

}  // namespace kroda::widgets
