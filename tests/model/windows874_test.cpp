#include "model/windows874.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>

namespace kroda {
namespace {

// What glibc's CP874 converter makes of one byte: the character, or nothing when unassigned.
std::optional<char16_t> referenceChar(unsigned char byte) {
    iconv_t cd = iconv_open("UTF-16LE", "CP874");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "glibc has no CP874 converter";
        return std::nullopt;
    }
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 1, outLeft = sizeof out;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || sizeof out - outLeft != 2)
        return std::nullopt;
    return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                 (static_cast<unsigned char>(out[1]) << 8));
}

// Every byte decodes as glibc's CP874 does, and an unassigned byte becomes U+FFFD.
TEST(Windows874, EveryByteMatchesTheReferenceConverter) {
    for (int b = 0; b < 256; ++b) {
        const auto expected = referenceChar(static_cast<unsigned char>(b));
        EXPECT_EQ(windows874Char(static_cast<unsigned char>(b)), expected.value_or(kUnassigned874))
            << "byte 0x" << std::hex << b;
    }
}

// Encoding gives back the byte of every assigned character; decoding a whole buffer keeps
// one character per byte.
TEST(Windows874, EncodingReversesDecoding) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        if (windows874Char(static_cast<unsigned char>(b)) != kUnassigned874)
            all.append(static_cast<char>(b));
    }
    const QString text = decodeWindows874(all);
    ASSERT_EQ(text.size(), all.size());
    const Encoded874 back = encodeWindows874(text);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.bytes, all);
}

// A character outside the code page is refused, and its position is told.
TEST(Windows874, EncodingRefusesWhatTheCodePageCannotHold) {
    for (const char16_t refused : {u'\u00E9', u'\u0E3B', u'\u0E5C', u'\uFFFD', u'\u4E2D'}) {
        const QString text = QStringLiteral("ab") + QChar(refused) + QStringLiteral("c");
        const Encoded874 out = encodeWindows874(text);
        EXPECT_EQ(out.badPosition, 2) << "U+" << std::hex << static_cast<int>(refused);
        EXPECT_FALSE(windows874Byte(refused).has_value());
    }
}

}  // namespace
}  // namespace kroda
