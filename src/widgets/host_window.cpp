#include "widgets/host_window.h"

#include "game/game.h"
#include "widgets/fonts.h"
#include "widgets/qr_code.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNetworkInterface>
#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

namespace kroda::widgets {

namespace {

// The seats and the code on the left, the links' QR codes on the right.
constexpr int kWidth = 420;
constexpr int kPanelWidth = 340;
constexpr int kHeight = 320;
constexpr int kShownLinks = 2;
constexpr int kLineHeight = 20;
constexpr int kShownAddresses = 3;
constexpr int kAddressesTop = 72;
constexpr int kAddressLineHeight = 18;
constexpr int kCodeBlock = 40;
// The narrator's yellow and the board's dark green frame.
const QColor kPaper(0xFF, 0xFF, 0x00);
const QColor kFrame(0x00, 0x55, 0x22);

// A home or office network's address (RFC 1918).
bool privateIPv4(const QHostAddress& a) {
    for (const char* subnet : {"10.0.0.0/8", "172.16.0.0/12", "192.168.0.0/16"})
        if (a.isInSubnet(QHostAddress::parseSubnet(QLatin1String(subnet))))
            return true;
    return false;
}

}  // namespace

QStringList hostAddresses() {
    QStringList local, v4, v6;
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (a.isLoopback() || a.isLinkLocal() || a.isNull())
            continue;
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            (privateIPv4(a) ? local : v4) << a.toString();
        else if (a.protocol() == QAbstractSocket::IPv6Protocol)
            v6 << QLatin1Char('[') + a.toString() + QLatin1Char(']');  // before ":PORT"
    }
    if (local.isEmpty() && v4.isEmpty() && v6.isEmpty())
        v4 << QStringLiteral("127.0.0.1");
    // The home network's addresses first: the phones at the table are on it.
    return local + v4 + v6;
}

HostWindow::HostWindow(const network::HostSession& host, const Game& game, QStringList addresses,
                       Actions actions, int scale, QWidget* parent)
    : QWidget(parent),
      host_(host),
      game_(game),
      addresses_(std::move(addresses)),
      actions_(std::move(actions)),
      scale_(std::clamp(scale, 1, 4)) {
    setWindowTitle(QStringLiteral("Kroda : เปิดเกมทางเครือข่าย"));
    setFixedSize((kWidth + kPanelWidth) * scale_, kHeight * scale_);
    setFocusPolicy(Qt::StrongFocus);
}

QRect HostWindow::buttonRect() {
    return {kWidth / 2 - 90, kHeight - 52, 180, 36};
}

std::vector<std::pair<int, QString>> HostWindow::lines() const {
    std::vector<std::pair<int, QString>> lines;
    for (int seat = 1; seat <= network::kSeatCount; ++seat) {
        const QString name = host_.nameAt(seat);
        const bool network = host_.networkSeats().contains(seat);
        if (!network && name.isEmpty())
            continue;
        QString what;
        if (!network)
            what = QStringLiteral("คอมพิวเตอร์เล่นแทน");
        else if (host_.connected(seat))
            what = name;
        else if (host_.lettingBackIn(seat))
            what = name + QStringLiteral(" (รอให้กลับเข้ามา)");
        else if (!name.isEmpty())
            what = name + QStringLiteral(" (หลุดจากเกม)");
        else
            what = QStringLiteral("ว่าง");
        lines.emplace_back(seat, QStringLiteral("ผู้เล่น %1: %2").arg(seat).arg(what));
    }
    return lines;
}

QStringList HostWindow::seatLines() const {
    QStringList text;
    for (const auto& [seat, line] : lines()) text << line;
    return text;
}

QString HostWindow::letBackInText() {
    return QStringLiteral("ให้กลับเข้ามาเล่น");
}

// The heading, the addresses' label, the addresses and the code stand above the seats.
int HostWindow::seatTop() const {
    const auto shown = static_cast<int>(std::min<qsizetype>(addresses_.size(), kShownAddresses));
    return kAddressesTop + kAddressLineHeight * shown + kCodeBlock;
}

QRect HostWindow::letBackInRect(int seat) const {
    const QList<int> gone = host_.goneSeats();
    if (!gone.contains(seat) || host_.lettingBackIn(seat))
        return {};
    int y = seatTop();
    for (const auto& [s, line] : lines()) {
        if (s == seat)
            return {kWidth - 24 - 120, y + 1, 120, kLineHeight - 2};
        y += kLineHeight;
    }
    return {};
}

QStringList HostWindow::links() const {
    QStringList links;
    const QString scheme = host_.secure() ? QStringLiteral("https://") : QStringLiteral("http://");
    for (const QString& a : addresses_.mid(0, kShownLinks))
        links << scheme + a + QLatin1Char(':') + QString::number(host_.port()) +
                     QStringLiteral("/#") + host_.code();
    return links;
}

QString HostWindow::buttonText() const {
    return host_.begun() ? QStringLiteral("ให้คอมพิวเตอร์เล่นแทน") : QStringLiteral("เริ่มเล่นเลย");
}

void HostWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.scale(scale_, scale_);
    p.fillRect(QRect(0, 0, kWidth + kPanelWidth, kHeight), kFrame);
    p.fillRect(QRect(8, 8, kWidth - 16, kHeight - 16), kPaper);
    paintLinks(p, QRect(kWidth, 8, kPanelWidth - 8, kHeight - 16));
    p.setPen(Qt::black);

    QFont heading = labelFont();
    heading.setPixelSize(18);
    heading.setBold(true);
    QFont body = labelFont();
    body.setPixelSize(14);
    QFont code = heading;
    code.setPixelSize(26);
    code.setLetterSpacing(QFont::AbsoluteSpacing, 4);

    int y = 20;
    p.setFont(heading);
    p.drawText(
        QRect(16, y, kWidth - 32, 24), Qt::AlignCenter,
        host_.begun() ? QStringLiteral("รอผู้เล่นกลับเข้ามา") : QStringLiteral("รอผู้เล่นทางเครือข่าย"));
    y += 32;
    p.setFont(body);
    const QString port = QString::number(host_.port());
    p.drawText(QRect(20, y, kWidth - 40, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("ที่อยู่สำหรับเข้าร่วม (พอร์ต %1):").arg(port));
    y += 20;
    for (const QString& a : addresses_.mid(0, kShownAddresses)) {
        p.drawText(
            QRect(36, y, kWidth - 56, kAddressLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
            (host_.secure() ? QStringLiteral("wss://") : QString()) + a + QLatin1Char(':') + port);
        y += kAddressLineHeight;
    }
    y += 6;
    p.drawText(QRect(20, y, kWidth - 40, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("รหัสเข้าร่วม:"));
    p.setFont(code);
    p.drawText(QRect(120, y - 6, kWidth - 140, 32), Qt::AlignLeft | Qt::AlignVCenter, host_.code());
    y = seatTop();
    QFont small = body;
    small.setPixelSize(12);
    for (const auto& [seat, line] : lines()) {
        const auto c = game_.state.Players(seat).Color;  // red in the low byte
        p.setPen(Qt::black);
        p.setFont(body);
        p.fillRect(QRect(20, y + 4, 12, 12),
                   QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                          static_cast<int>((c >> 16) & 0xFF)));
        p.drawText(QRect(40, y, kWidth - 60, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
        if (const QRect r = letBackInRect(seat); !r.isEmpty()) {
            p.fillRect(r, kFrame);
            p.setPen(QColor(0xFF, 0xFF, 0xFF));
            p.setFont(small);
            p.drawText(r, Qt::AlignCenter, letBackInText());
        }
        y += kLineHeight;
    }

    const QRect b = buttonRect();
    p.fillRect(b, kFrame);
    p.setPen(QColor(0xFF, 0xFF, 0xFF));
    QFont button = body;
    button.setBold(true);
    p.setFont(button);
    p.drawText(b, Qt::AlignCenter, buttonText());
}

// Each link as a QR code, black on white with its quiet zone, and the page's address under
// it for a browser that has no camera.
void HostWindow::paintLinks(QPainter& p, const QRect& area) const {
    p.fillRect(area, Qt::white);
    QFont body = labelFont();
    body.setPixelSize(14);
    body.setBold(true);
    p.setPen(Qt::black);
    p.setFont(body);
    p.drawText(QRect(area.left(), area.top() + 8, area.width(), 20), Qt::AlignCenter,
               QStringLiteral("เล่นจากโทรศัพท์: ส่องรหัสนี้"));
    const QStringList shown = links();
    if (shown.isEmpty())
        return;
    const int cell = area.width() / static_cast<int>(shown.size());
    QFont small = labelFont();
    small.setPixelSize(11);
    for (int i = 0; i < shown.size(); ++i) {
        const auto code = qrCode(shown[i].toUtf8());
        if (!code)
            continue;
        constexpr int kQuiet = 4;
        const int modules = code->size + 2 * kQuiet;
        const int px = std::max(1, std::min((cell - 12) / modules, 200 / modules));
        const int side = modules * px;
        const int left = area.left() + i * cell + (cell - side) / 2;
        const int top = area.top() + 40;
        for (int y = 0; y < code->size; ++y)
            for (int x = 0; x < code->size; ++x)
                if (code->at(x, y))
                    p.fillRect(left + (x + kQuiet) * px, top + (y + kQuiet) * px, px, px,
                               Qt::black);
        p.setFont(small);
        const QString page = shown[i].left(shown[i].indexOf(QLatin1Char('#')));
        p.drawText(QRect(area.left() + i * cell, top + side + 4, cell, 16), Qt::AlignCenter, page);
    }
}

void HostWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = (event->position() / scale_).toPoint();
    if (buttonRect().contains(at) && actions_.pressed) {
        actions_.pressed();
        return;
    }
    for (int seat : host_.goneSeats()) {
        if (letBackInRect(seat).contains(at) && actions_.letBackIn) {
            actions_.letBackIn(seat);
            return;
        }
    }
}

void HostWindow::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && actions_.pressed) {
        actions_.pressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kroda::widgets
