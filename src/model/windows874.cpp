#include "model/windows874.h"

#include <array>

namespace kroda {

namespace {

constexpr char16_t X = kUnassigned874;

// 0x80-0x9F: only a few bytes carry punctuation, the rest are unassigned.
constexpr std::array<char16_t, 32> kExtras = {
    0x20AC, X,      X,      X,      X,      0x2026, X,      X,       // 0x80-0x87
    X,      X,      X,      X,      X,      X,      X,      X,       // 0x88-0x8F
    X,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90-0x97
    X,      X,      X,      X,      X,      X,      X,      X,       // 0x98-0x9F
};

}  // namespace

char16_t windows874Char(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte < 0xA0)
        return kExtras[byte - 0x80];
    if (byte == 0xA0)
        return 0x00A0;
    // The Thai letters and signs keep the code page's order in the Unicode block.
    if (byte <= 0xDA || (byte >= 0xDF && byte <= 0xFB))
        return static_cast<char16_t>(0x0E00 + (byte - 0xA0));
    return X;
}

QString decodeWindows874(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = QChar(windows874Char(static_cast<unsigned char>(bytes[i])));
    return out;
}

std::optional<unsigned char> windows874Byte(char16_t ch) {
    if (ch < 0x80)
        return static_cast<unsigned char>(ch);
    if (ch == 0x00A0)
        return 0xA0;
    if (ch >= 0x0E01 && ch <= 0x0E5B) {
        const auto byte = static_cast<unsigned char>(ch - 0x0E00 + 0xA0);
        if (windows874Char(byte) == ch)
            return byte;
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kExtras.size(); ++i) {
        if (kExtras[i] != X && kExtras[i] == ch)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

Encoded874 encodeWindows874(const QString& text) {
    Encoded874 out;
    out.bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = windows874Byte(text[i].unicode());
        if (!byte) {
            out.badPosition = static_cast<int>(i);
            out.bytes.clear();
            return out;
        }
        out.bytes.append(static_cast<char>(*byte));
    }
    return out;
}

}  // namespace kroda
