#pragma once
// The Windows Thai code page 874: ASCII, the typographic extras at 0x80-0x9F, the no-break
// space at 0xA0 and the Thai block at 0xA1-0xFB. Our own table, so that the result does not
// depend on the system's codecs.

#include <QByteArray>
#include <QString>

#include <optional>

namespace kroda {

// U+FFFD marks a byte the code page leaves unassigned.
constexpr char16_t kUnassigned874 = 0xFFFD;

// The character of one byte, or U+FFFD.
char16_t windows874Char(unsigned char byte);

// Every byte becomes one UTF-16 code unit, so positions in the text are byte offsets.
QString decodeWindows874(const QByteArray& bytes);

// The byte of a character, or nothing when the code page cannot hold it.
std::optional<unsigned char> windows874Byte(char16_t ch);

struct Encoded874 {
    QByteArray bytes;
    int badPosition = -1;  // first character the code page cannot hold, -1 when none

    bool ok() const { return badPosition < 0; }
};
Encoded874 encodeWindows874(const QString& text);

}  // namespace kroda
