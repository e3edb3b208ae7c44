#include "network/client_session.h"

#include "game/save_game.h"

#include <cstdio>
#include <utility>

namespace kroda::network {

ClientSession::ClientSession(const QString& appFolder, Handlers handlers, const QString& tokenFile)
    : handlers_(std::move(handlers)),
      tokens_(tokenFile),
      game_(std::make_unique<Game>(port_, appFolder)),
      clock_(game_->timers, [](TimerId) {}),
      copy_(*game_, clock_),
      transport_({[this](const HostMessage& m) { received(m); },
                  [this](const ClientTransport::Closing& c) { closed(c); }}) {
    elapsed_.start();
}

void ClientSession::join(const QUrl& url, const Hello& hello) {
    ending_.reset();
    refusal_.reset();
    started_ = false;
    url_ = url;
    hello_ = hello;
    hello_.tokens.clear();
    bool any = false;
    for (const QString& name : hello.names) {
        const QString token = tokens_.file().isEmpty() ? QString() : tokens_.find(seatKey(name));
        any = any || !token.isEmpty();
        hello_.tokens << token;
    }
    if (!any)
        hello_.tokens.clear();
    copy_.forget();
    transport_.join(url, hello_);
}

QString ClientSession::address() const {
    return url_.host() + QLatin1Char(':') + QString::number(url_.port(kDefaultPort));
}

SeatTokenStore::Key ClientSession::seatKey(const QString& name) const {
    return {url_.host(), url_.port(kDefaultPort), hello_.code, name};
}

void ClientSession::closed(const ClientTransport::Closing& c) {
    ClientEnding e;
    e.address = address();
    e.detail = c.detail;
    if (refusal_) {
        e.kind = ClientEnding::Refused;
        e.reason = refusal_->reason;
        e.hostVersion = refusal_->version;
    } else {
        switch (c.kind) {
            case ClientTransport::Closing::Unanswered:
                e.kind = ClientEnding::Unanswered;
                break;
            case ClientTransport::Closing::Untrusted:
                e.kind = ClientEnding::Untrusted;
                break;
            case ClientTransport::Closing::Broken:
                e.kind = ClientEnding::Fault;
                break;
            case ClientTransport::Closing::Lost:
                e.kind = ClientEnding::Lost;
                break;
        }
    }
    end(e);
}

// The seats' tokens are kept at once: a client killed a moment later takes them back.
void ClientSession::welcomed(const Welcome& welcome) {
    if (welcome.version != kProtocolVersion) {
        ClientEnding e{ClientEnding::Refused, RefusalReason::Version, welcome.version, address(),
                       QStringLiteral("the host speaks version %1 of the protocol, this game %2")
                           .arg(welcome.version)
                           .arg(kProtocolVersion)};
        end(e);
        return;
    }
    if (tokens_.file().isEmpty())
        return;
    std::vector<std::pair<SeatTokenStore::Key, QString>> kept;
    for (qsizetype i = 0; i < welcome.seats.size(); ++i)
        kept.emplace_back(seatKey(welcome.names.value(i)), welcome.tokens.value(i));
    if (const auto problem = tokens_.keep(kept))
        std::fprintf(stderr, "kroda: the seats' tokens: %s\n", problem->toUtf8().constData());
}

void ClientSession::send(const Input& input) {
    if (started_ && !ending_ && pace_.take(elapsed_.elapsed()))
        transport_.send(input);
}

void ClientSession::leave() {
    if (ending_)
        return;
    end({ClientEnding::Left, std::nullopt, kProtocolVersion, address(), {}});
}

QByteArray ClientSession::saved() const {
    return writeSave(*game_, clock_);
}

void ClientSession::received(const HostMessage& message) {
    if (ending_)
        return;
    if (const auto* welcome = std::get_if<Welcome>(&message)) {
        welcomed(*welcome);
    } else if (const auto* refused = std::get_if<Refused>(&message)) {
        // The join ends here, whether or not the host goes on to close the connection.
        refusal_ = *refused;
        closed({ClientTransport::Closing::Lost, QStringLiteral("refused")});
    } else if (const auto* seats = std::get_if<Seats>(&message)) {
        hostSeats_ = *seats;
        if (handlers_.seats)
            handlers_.seats(*seats);
    } else if (const auto* state = std::get_if<State>(&message)) {
        loaded(copy_.take(*state));
    } else if (const auto* moment = std::get_if<Moment>(&message)) {
        loaded(copy_.take(*moment));
    } else if (const auto* line = std::get_if<Narration>(&message)) {
        if (handlers_.narration)
            handlers_.narration(line->line);
    } else if (const auto* sound = std::get_if<Sound>(&message)) {
        if (handlers_.sound)
            handlers_.sound(sound->file);
    }
}

void ClientSession::loaded(const std::optional<QString>& fault) {
    if (fault) {
        end({ClientEnding::Fault, std::nullopt, kProtocolVersion, address(), *fault});
        return;
    }
    if (!std::exchange(started_, true)) {
        if (handlers_.started)
            handlers_.started();
    }
    if (handlers_.changed)
        handlers_.changed();
}

// The game's one ending: the handler hears of it once.
void ClientSession::end(ClientEnding ending) {
    if (ending_)
        return;
    ending_ = ending;
    transport_.leave();
    if (handlers_.ended)
        handlers_.ended(*ending_);
}

QString endingText(const ClientEnding& ending) {
    const QString refused = QStringLiteral("เจ้าของเกมไม่รับ: ");
    switch (ending.kind) {
        case ClientEnding::Refused:
            switch (ending.reason.value_or(RefusalReason::WrongCode)) {
                case RefusalReason::WrongCode:
                    return refused + QStringLiteral("รหัสเข้าร่วมไม่ถูกต้อง");
                case RefusalReason::LockedOut:
                    return refused + QStringLiteral("ใส่รหัสผิดหลายครั้ง กรุณารอหนึ่งนาทีแล้วลองใหม่");
                case RefusalReason::NoFreeSeat:
                    return refused + QStringLiteral("ไม่มีที่นั่งว่าง");
                case RefusalReason::NameInUse:
                    return refused + QStringLiteral(
                                         "ชื่อนี้เป็นของผู้เล่นในเกมแล้ว ถ้าเป็นชื่อของคุณ "
                                         "ให้เจ้าของเกมกด \"ให้กลับเข้ามาเล่น\" แล้วเข้าร่วมอีกครั้ง");
                case RefusalReason::WrongToken:
                    return refused + QStringLiteral("ที่นั่งนี้เป็นของผู้เล่นคนอื่น");
                case RefusalReason::Version:
                    return refused + QStringLiteral(
                                         "เกมของเจ้าของเกมสื่อสารรุ่น %1 แต่เกมนี้สื่อสารรุ่น %2 "
                                         "กรุณาใช้เกมรุ่นเดียวกัน")
                                         .arg(ending.hostVersion)
                                         .arg(kProtocolVersion);
            }
            break;
        case ClientEnding::Unanswered:
            return QStringLiteral(
                       "ติดต่อเจ้าของเกมที่ %1 ไม่ได้ กรุณาตรวจที่อยู่และพอร์ต "
                       "และดูว่าเจ้าของเกมเปิดเกมรออยู่")
                .arg(ending.address);
        case ClientEnding::Untrusted:
            return QStringLiteral(
                       "ใบรับรองของเจ้าของเกมที่ %1 ไม่ผ่านการตรวจสอบ "
                       "ถ้าเจ้าของเกมสร้างใบรับรองขึ้นเอง ให้เลือกไฟล์ใบรับรองนั้น"
                       "ในหน้าต่างเข้าร่วมเกม")
                .arg(ending.address);
        case ClientEnding::Lost:
            return QStringLiteral("การเชื่อมต่อกับเจ้าของเกมที่ %1 ขาดหาย").arg(ending.address);
        case ClientEnding::Fault:
            return QStringLiteral("ข้อมูลจากเจ้าของเกมที่ %1 เสียหาย เกมจึงหยุดเล่น").arg(ending.address);
        case ClientEnding::Left:
            break;
    }
    return {};
}

}  // namespace kroda::network
