#include "widgets/network_host.h"

#include "network/host_session.h"
#include "network/join_code.h"
#include "widgets/front_window.h"
#include "widgets/host_window.h"
#include "widgets/web_resources.h"

#include <QAbstractButton>
#include <QApplication>

#include <cstdio>
#include <utility>

namespace kroda::widgets {

NetworkHost::NetworkHost(GameSession& session, QList<int> networkSeats, bool narration, int scale,
                         std::function<bool()> open)
    : session_(session),
      open_(std::move(open)),
      net_(std::make_unique<network::HostSession>(
          session.game(),
          [&session]() -> const VirtualClock& { return session.clock()->virtualClock(); },
          std::move(networkSeats), network::newJoinCode())),
      scale_(scale) {
    net_->deliver = [&session](const network::HostSession::GameInput& in) { session.deliver(in); };
    if (narration)
        net_->waitingTold = [](const QString& line) {
            const QByteArray bytes = line.toUtf8() + '\n';
            std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
            std::fflush(stdout);
        };
    net_->seatsChanged = [this] { seatsChanged(); };
}

NetworkHost::~NetworkHost() {
    if (waiting_) {
        waiting_->disconnect();
        delete waiting_;
    }
}

std::optional<QString> NetworkHost::listen(const HostOptions& options) {
    network::HostTransport::Options listen;
    listen.address = options.address;
    listen.port = options.port;
    listen.web = webResources(session_.game().appFolder());
    listen.certificateFile = options.certificateFile;
    listen.keyFile = options.keyFile;
    if (auto error = net_->listen(listen))
        return error;
    std::printf("host-port %u code %s\n", static_cast<unsigned>(net_->port()),
                net_->code().toUtf8().constData());
    std::fflush(stdout);

    const bool everyAddress = options.address == QHostAddress::Any ||
                              options.address == QHostAddress::AnyIPv4 ||
                              options.address == QHostAddress::AnyIPv6;
    const QString one = options.address.protocol() == QAbstractSocket::IPv6Protocol
                            ? QLatin1Char('[') + options.address.toString() + QLatin1Char(']')
                            : options.address.toString();
    waiting_ = new HostWindow(
        *net_, session_.game(), everyAddress ? hostAddresses() : QStringList{one},
        {[this] { pressed(); }, [this](int seat) { net_->letBackIn(seat); }}, scale_);
    waiting_->setAttribute(Qt::WA_DeleteOnClose);
    const QSize screen = FrontWindow::screenSize();
    waiting_->move((screen.width() - waiting_->width()) / 2,
                   (screen.height() - waiting_->height()) / 2);
    // Closing the waiting window before the game ends the program.
    QObject::connect(waiting_, &QObject::destroyed, [this] {
        if (!started_)
            QApplication::quit();
    });
    if (net_->networkSeats().isEmpty())
        startGame();
    else
        waiting_->show();
    return std::nullopt;
}

const network::HostSession& NetworkHost::session() const {
    return *net_;
}

HostWindow* NetworkHost::waitingWindow() const {
    return waiting_;
}

void NetworkHost::startGame() {
    if (started_)
        return;
    started_ = true;
    if (!open_()) {
        QApplication::exit(1);
        return;
    }
    net_->begin();
    if (waiting_)
        waiting_->hide();
}

// Before the game the empty seats go to the computer and play starts; during it the seats
// whose players are gone go to the computer. Seats go only once the host has said yes to the
// question that names them: a stray Enter gives nothing away.
void NetworkHost::pressed() {
    QList<int> missing;
    QStringList named;
    for (int seat : net_->networkSeats()) {
        if (net_->connected(seat))
            continue;
        missing << seat;
        const QString name = net_->nameAt(seat);
        named << (name.isEmpty() ? QStringLiteral("ผู้เล่น %1").arg(seat)
                                 : QStringLiteral("ผู้เล่น %1 (%2)").arg(seat).arg(name));
    }
    if (missing.isEmpty()) {
        startGame();
        return;
    }
    if (question_)
        return;
    question_ = new QMessageBox(
        QMessageBox::Question, QStringLiteral("Kroda"),
        QStringLiteral("ให้คอมพิวเตอร์เล่นแทน %1 ไปจนจบเกมหรือไม่").arg(named.join(QStringLiteral(", "))),
        QMessageBox::Yes | QMessageBox::No, waiting_);
    question_->setTextFormat(Qt::PlainText);
    question_->button(QMessageBox::Yes)->setText(QStringLiteral("ใช่"));
    question_->button(QMessageBox::No)->setText(QStringLiteral("ไม่"));
    question_->setDefaultButton(QMessageBox::No);
    question_->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(question_, &QMessageBox::finished, [this, missing](int answer) {
        // Once the question has gone and given the keyboard back: the game window that opens
        // then is the active one, and its backdrop closes with that.
        if (answer == QMessageBox::Yes && waiting_)
            QMetaObject::invokeMethod(
                waiting_, [this, missing] { handOver(missing); }, Qt::QueuedConnection);
    });
    question_->open();
}

void NetworkHost::handOver(const QList<int>& seats) {
    // A player who joined while the question was open keeps his seat.
    for (int seat : seats)
        if (!net_->connected(seat))
            net_->handToComputer(seat);
    startGame();
}

void NetworkHost::seatsChanged() {
    if (!started_ && net_->everySeatTaken()) {
        startGame();
        return;
    }
    if (!waiting_)
        return;
    waiting_->update();
    // Players who leave a game that has its winner leave nobody to wait for.
    if (started_)
        waiting_->setVisible(!net_->everySeatTaken() && !session_.game().isOver());
}

}  // namespace kroda::widgets
