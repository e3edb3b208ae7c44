#include "widgets/joining_window.h"

#include "widgets/fonts.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace kroda::widgets {

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 180;
// The waiting window's colours: the narrator's yellow in the board's dark green frame.
const QColor kPaper(0xFF, 0xFF, 0x00);
const QColor kFrame(0x00, 0x55, 0x22);

QString seatLine(const network::SeatEntry& e, const QList<int>& own) {
    QString who;
    switch (e.player) {
        case network::SeatPlayer::Person:
            who = e.name + QStringLiteral(" (ที่เครื่องเจ้าของเกม)");
            break;
        case network::SeatPlayer::Computer:
            who = e.name + QStringLiteral(" (คอมพิวเตอร์)");
            break;
        case network::SeatPlayer::Network:
            if (e.name.isEmpty())
                who = QStringLiteral("ว่าง");
            else if (own.contains(e.seat))
                who = e.name + QStringLiteral(" (เครื่องนี้)");
            else
                who = e.present ? e.name : e.name + QStringLiteral(" (หลุดจากเกม)");
            break;
    }
    return QStringLiteral("ผู้เล่น %1: %2").arg(e.seat).arg(who);
}

}  // namespace

JoiningWindow::JoiningWindow(const network::ClientSession& session, int scale, QWidget* parent)
    : QWidget(parent, Qt::Dialog), session_(session), scale_(std::clamp(scale, 1, 4)) {
    setWindowTitle(QStringLiteral("เข้าร่วมเกมทางเครือข่าย"));
    setFixedSize(kWidth * scale_, kHeight * scale_);
}

QStringList JoiningWindow::lines() const {
    const QList<int>& own = session_.seats();
    if (own.isEmpty())
        return {QStringLiteral("กำลังเชื่อมต่อกับ %1…").arg(session_.address())};
    QStringList text{QStringLiteral("เข้าร่วมแล้ว รอเจ้าของเกมเริ่มเกม…")};
    for (const network::SeatEntry& e : session_.hostSeats().seats) text << seatLine(e, own);
    return text;
}

void JoiningWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.scale(scale_, scale_);
    p.fillRect(QRect(0, 0, kWidth, kHeight), kFrame);
    p.fillRect(QRect(8, 8, kWidth - 16, kHeight - 16), kPaper);
    p.setPen(Qt::black);
    QFont heading = labelFont();
    heading.setPixelSize(16);
    heading.setBold(true);
    QFont body = labelFont();
    body.setPixelSize(14);
    const QStringList text = lines();
    int y = 20;
    p.setFont(heading);
    p.drawText(QRect(16, y, kWidth - 32, 24), Qt::AlignCenter, text.first());
    y += 34;
    p.setFont(body);
    for (const QString& line : text.mid(1)) {
        p.drawText(QRect(28, y, kWidth - 44, 20), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += 22;
    }
}

void JoiningWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void JoiningWindow::dismiss() {
    dismissed_ = true;
    close();
}

void JoiningWindow::closeEvent(QCloseEvent* event) {
    if (!std::exchange(dismissed_, true) && closedByPlayer)
        closedByPlayer();
    QWidget::closeEvent(event);
}

}  // namespace kroda::widgets
