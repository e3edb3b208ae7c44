// What a client does with its host's messages: the frames of one input are read as the
// client reads them (readHostMessage), and each state and moment goes to a copy of the game
// by the client's own way (network/host_copy.h): a moment merged into the document held, then
// read as a save from a host. A hostile host seals what it sends, so each state and moment is
// also taken with its checksum made right for what it carries. A refused message changes
// neither the copy nor the document; what the copy writes of an accepted one reads again as a
// host's save.

#include "fuzz_support.h"

#include "game/save_game.h"
#include "game/windowless_game.h"
#include "network/host_copy.h"
#include "network/merge_patch.h"
#include "network/protocol.h"

#include <QJsonDocument>

#include <cstddef>
#include <cstdint>

namespace {

using namespace kroda;
using namespace kroda::network;

constexpr char kFrameSeparator[] = "\n=FRAME=\n";

QByteArray compact(const QJsonObject& document) {
    return QJsonDocument(document).toJson(QJsonDocument::Compact);
}

// The moment with its checksum made right for the document it makes of `held`.
Moment sealed(const Moment& moment, const QJsonObject& held) {
    const QJsonObject merged =
        QJsonDocument::fromJson(resealSave(compact(applyMergePatch(held, moment.patch)))).object();
    Moment out = moment;
    out.patch.insert(QStringLiteral("checksum"), merged.value(QStringLiteral("checksum")));
    return out;
}

template <class M>
void take(HostCopy& copy, WindowlessGame& game, const M& message) {
    const QByteArray before = writeSave(game.game, game.clock);
    const QJsonObject held = copy.document();
    if (copy.take(message)) {
        if (copy.document() != held || writeSave(game.game, game.clock) != before)
            fuzz::finding(QStringLiteral("a refused message of the host changed the copy"));
        return;
    }
    const QByteArray written = writeSave(game.game, game.clock, SaveSource::Host);
    WindowlessGame again(fuzz::defaultBoardFolder());
    if (const auto fault = readSave(written, again.game, again.clock, SaveSource::Host))
        fuzz::finding(QStringLiteral("what a copy wrote of a host's moment does not read: ") +
                      *fault);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    WindowlessGame game(fuzz::defaultBoardFolder());
    HostCopy copy(game.game, game.clock);
    qsizetype from = 0;
    while (from <= input.size()) {
        qsizetype to = input.indexOf(kFrameSeparator, from);
        if (to < 0)
            to = input.size();
        const QByteArray frame = input.mid(from, to - from);
        from = to + static_cast<qsizetype>(sizeof(kFrameSeparator) - 1);

        QString error;
        const auto message = readHostMessage(frame, error);
        if (!message)
            continue;
        if (const auto* state = std::get_if<State>(&*message)) {
            take(copy, game, *state);
            const State resealed{resealSave(state->save)};
            if (resealed.save != state->save)
                take(copy, game, resealed);
        } else if (const auto* moment = std::get_if<Moment>(&*message)) {
            const QJsonObject held = copy.document();
            take(copy, game, *moment);
            const Moment resealed = sealed(*moment, held);
            if (!(resealed == *moment))
                take(copy, game, resealed);
        }
    }
    return 0;
}
