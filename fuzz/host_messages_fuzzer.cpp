// The host's message reader and admission rules, on frames split from one input. Whatever a
// client sends, a message read is one the encoder gives back unchanged, and no input for a
// seat the connection was not given is ever delivered. The client's reader takes each frame
// too.

#include "network/admission.h"
#include "network/protocol.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr char kFrameSeparator[] = "\n=FRAME=\n";

[[noreturn]] void finding(const char* what, const QByteArray& frame) {
    std::fprintf(stderr, "fuzz finding: %s: %s\n", what, frame.left(200).toHex().constData());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kroda::network;
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qint64 now = 0;
    Admission admission(QStringLiteral("ABCD2345"), {2, 4}, HostLimits{}, [&now] { return now; });
    admission.opened(1, QStringLiteral("127.0.0.1"));
    qsizetype from = 0;
    while (from <= input.size()) {
        qsizetype to = input.indexOf(kFrameSeparator, from);
        if (to < 0)
            to = input.size();
        const QByteArray frame = input.mid(from, to - from);
        from = to + static_cast<qsizetype>(sizeof(kFrameSeparator) - 1);
        now += 7;

        QString error;
        if (const auto message = readClientMessage(frame, error)) {
            QString again;
            const auto back = readClientMessage(encode(*message), again);
            if (!back || !(*back == *message))
                finding("a client message does not come back from its own frame", frame);
        } else if (error.isEmpty()) {
            finding("a client frame refused without a reason", frame);
        }
        if (const auto message = readHostMessage(frame, error)) {
            if (!readHostMessage(encode(*message), error))
                finding("a host message does not come back from its own frame", frame);
        }

        const Verdict verdict = admission.received(1, frame);
        if (const auto* deliver = std::get_if<Deliver>(&verdict)) {
            if (!admission.seatsOf(1).contains(deliver->input.seat))
                finding("an input for a seat the client does not own was delivered", frame);
        }
        if (std::holds_alternative<Refuse>(verdict) ||
            std::holds_alternative<Disconnect>(verdict)) {
            admission.closed(1);
            admission.opened(1, QStringLiteral("127.0.0.1"));
        }
    }
    return 0;
}
