#include "network/client_session.h"

#include "game/save_game.h"

#include <utility>

namespace kroda::network {

ClientSession::ClientSession(const QString& appFolder, Handlers handlers)
    : handlers_(std::move(handlers)),
      game_(std::make_unique<Game>(port_, appFolder)),
      clock_(game_->timers, [](TimerId) {}),
      copy_(*game_, clock_),
      transport_({[this](const HostMessage& m) { received(m); },
                  [this](const QString& why) {
                      if (refusal_)
                          end({ClientEnding::Refused, refusal_, why});
                      else
                          end({ClientEnding::Lost, std::nullopt, why});
                  }}) {}

void ClientSession::join(const QUrl& url, const Hello& hello) {
    ending_.reset();
    refusal_.reset();
    started_ = false;
    copy_.forget();
    transport_.join(url, hello);
}

void ClientSession::send(const Input& input) {
    if (started_ && !ending_)
        transport_.send(input);
}

void ClientSession::leave() {
    if (ending_)
        return;
    end({ClientEnding::Left, std::nullopt, {}});
}

QByteArray ClientSession::saved() const {
    return writeSave(*game_, clock_);
}

void ClientSession::received(const HostMessage& message) {
    if (ending_)
        return;
    if (const auto* refused = std::get_if<Refused>(&message)) {
        refusal_ = refused->reason;  // the host closes the connection next
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
        end({ClientEnding::Fault, std::nullopt, *fault});
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
    switch (ending.kind) {
        case ClientEnding::Refused:
            switch (ending.reason.value_or(RefusalReason::WrongCode)) {
                case RefusalReason::WrongCode:
                    return QStringLiteral("เจ้าของเกมไม่รับ: รหัสเข้าร่วมไม่ถูกต้อง");
                case RefusalReason::LockedOut:
                    return QStringLiteral("เจ้าของเกมไม่รับ: ใส่รหัสผิดหลายครั้ง กรุณารอหนึ่งนาทีแล้วลองใหม่");
                case RefusalReason::NoFreeSeat:
                    return QStringLiteral("เจ้าของเกมไม่รับ: ไม่มีที่นั่งว่าง");
                case RefusalReason::NameInUse:
                    return QStringLiteral("เจ้าของเกมไม่รับ: มีผู้เล่นใช้ชื่อนี้อยู่แล้ว");
                case RefusalReason::Full:
                    return QStringLiteral("เจ้าของเกมไม่รับ: มีผู้เชื่อมต่อเต็มแล้ว");
            }
            break;
        case ClientEnding::Lost:
            return QStringLiteral("การเชื่อมต่อกับเจ้าของเกมขาดหาย: ") + ending.detail;
        case ClientEnding::Fault:
            return QStringLiteral("ข้อมูลจากเจ้าของเกมเสียหาย: ") + ending.detail;
        case ClientEnding::Left:
            break;
    }
    return {};
}

}  // namespace kroda::network
