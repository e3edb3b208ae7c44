#include "widgets/frm_ocard.h"

#include "game/game.h"
#include "widgets/control_painter.h"
#include "widgets/fonts.h"
#include "widgets/key_codes.h"
#include "widgets/panel_rows.h"
#include "widgets/window_pictures.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPixmap>

#include <utility>

namespace kroda::widgets {

namespace {
const QCursor& titleCursor() {
    static const QCursor cursor(QPixmap(QString::fromLatin1(windowpictures::kDeedTitleCursor)),
                                windowpictures::kDeedTitleCursorHotSpot.x(),
                                windowpictures::kDeedTitleCursorHotSpot.y());
    return cursor;
}
}  // namespace

FrmOCard::FrmOCard(const Game& game, InputSink input, PictureCache& pictures, int scale,
                   QWidget* parent)
    : QWidget(parent, Qt::Window),
      game_(game),
      input_(std::move(input)),
      pictures_(pictures),
      scale_(std::clamp(scale, 1, 4)) {
    const DeedCardWindow& card = game_.FrmOCard;
    setWindowTitle(card.Caption);
    setFixedSize(card.Geometry.Width * scale_, card.Geometry.Height * scale_);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    follow();
}

void FrmOCard::follow() {
    const Rect& g = game_.FrmOCard.Geometry;
    if (pos() != QPoint(g.Left, g.Top))
        move(g.Left, g.Top);
    update();
}

FrmOCard::Part FrmOCard::partAt(QPoint widgetPoint) const {
    const QPoint p = widgetPoint / scale_;
    const DeedCardWindow& card = game_.FrmOCard;
    if (toQRect(card.LblClose.Geometry).contains(p))
        return Part::Close;
    if (toQRect(card.LblLname.Geometry).contains(p))
        return Part::Title;
    return Part::None;
}

void FrmOCard::paintEvent(QPaintEvent*) {
    const DeedCardWindow& card = game_.FrmOCard;
    ControlPainter::render(
        *this, {card.Geometry.Width, card.Geometry.Height}, scale_, [&](QPainter& qp) {
            ControlPainter p(qp, pictures_, game_.FrmSource);
            qp.fillRect(QRect(0, 0, card.Geometry.Width, card.Geometry.Height),
                        ControlPainter::color(card.BackColor));
            QFont bold = labelFont();
            bold.setBold(true);
            p.paint(card.LblLname, bold);
            p.paint(card.LblClose, bold, false, Qt::AlignCenter);
            qp.setPen(QColor(0x80, 0x80, 0x80));
            qp.drawRect(QRect(7, 47, 97, 97));  // the picture's frame
            p.paint(card.ImgOLocate);
            p.paint(card.LblLabel, labelFont());
            qp.drawLine(8, 40, 330, 40);
            for (const DeedPanelBox& panel : card.PicOpad)
                if (panel.Visible)
                    qp.drawRect(toQRect(panel.Geometry).adjusted(0, 0, -1, -1));
            const QFont font = labelFont();
            // The pair panel gives its long text two lines, the others keep each row on one.
            const auto rows = [&](const auto& texts, const auto& values, bool oneLine) {
                QList<PanelRow> pairs;
                for (std::size_t i = 0; i < texts.size(); ++i)
                    pairs.append({texts[i].Caption, values[i].Caption});
                // From the left edge of the texts to the right edge of the amounts.
                const int span =
                    values[0].Geometry.Left + values[0].Geometry.Width - texts[0].Geometry.Left;
                const QFont fitting = oneLine ? panelRowFont(font, pairs, span) : font;
                for (const Label& l : texts) p.paint(l, fitting);
                for (const Label& l : values)
                    p.paint(l, fitting, false, Qt::AlignRight | Qt::AlignVCenter);
            };
            if (card.PicOpad[LandPanel].Visible)
                rows(card.LblLand, card.LblVariable, true);
            if (card.PicOpad[PairPanel].Visible)
                rows(card.LblPair, card.Lblv3, false);
            if (card.PicOpad[HotelPanel].Visible)
                rows(card.LblHotel, card.LblVriable2, true);
            if (card.PicOpad[TextPanel].Visible)
                for (const Label& l : card.LblOcard1) p.paint(l, font);
        });
}

void FrmOCard::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        held_ = partAt(event->position().toPoint());
}

QPoint FrmOCard::insideTitle(QPoint widgetPoint) const {
    // The drag works in screen pixels, the unit the window is placed in.
    const Rect& title = game_.FrmOCard.LblLname.Geometry;
    return widgetPoint - QPoint(title.Left, title.Top) * scale_;
}

void FrmOCard::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const Part part = partAt(at);
    if (part == Part::None)
        unsetCursor();
    else
        setCursor(titleCursor());
    const bool left = event->buttons().testFlag(Qt::LeftButton);
    // The title keeps the mouse while the button that went down on it is held.
    const bool dragging = held_ == Part::Title && left;
    if (!dragging && part != Part::Title)
        return;
    const QPoint p = insideTitle(at);
    const int button = dragging ? kLeftButton : mouseButtons(event->buttons()) & ~1;
    input_(DeedTitleMouse{DeedTitleMouse::Move, button, p.x(), p.y()});
}

void FrmOCard::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const Part part = partAt(at);
    if (event->button() == Qt::LeftButton) {
        const Part pressed = std::exchange(held_, Part::None);
        // "X" closes on a click: the press and the release both on it.
        if (pressed == Part::Close && part == Part::Close) {
            input_(ControlClick{ClickableControl::LblClose, 0, kLeftButton, 0, 0, 0});
            return;
        }
    }
    if (part != Part::Title)
        return;
    const QPoint p = insideTitle(at);
    const int button = mouseButtons(event->button());
    input_(DeedTitleMouse{DeedTitleMouse::Up, button, p.x(), p.y()});
}

void FrmOCard::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        input_(DeedActivated{});
    QWidget::changeEvent(event);
}

}  // namespace kroda::widgets
