#include "widgets/qr_code.h"

#include <qrencode.h>

#include <memory>

namespace kroda::widgets {

std::optional<QrCode> qrCode(const QByteArray& text) {
    // Level M survives a smudged screen or a glare; the links are short enough for it.
    const std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M), QRcode_free);
    if (!code)
        return std::nullopt;
    QrCode out;
    out.size = code->width;
    out.dark.resize(static_cast<std::size_t>(out.size * out.size));
    for (std::size_t i = 0; i < out.dark.size(); ++i) out.dark[i] = (code->data[i] & 1) != 0;
    return out;
}

}  // namespace kroda::widgets
