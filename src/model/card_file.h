#pragma once
// A card file: fixed records of 260 bytes, record k (from 1) at byte (k - 1) x 260.
// Bytes 0-255 are the text in windows-874, padded with blanks; bytes 256-257 the action and
// 258-259 the amount, both signed 16-bit little-endian. A deck is records 1 to 20; the file
// may be longer.

#include "model/game_state.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace kroda {

constexpr int kCardRecordSize = 260;
constexpr int kCardTextSize = 256;
constexpr int kCardsPerDeck = 20;

// 260 bytes in, one card out. Blanks and zero bytes at the end of the text are padding.
Card decodeCardRecord(const QByteArray& record);
// The text must already be windows-874 and at most 256 bytes.
QByteArray encodeCardRecord(const QByteArray& text874, Integer action, Integer amount);

struct CardFileResult {
    bool ok = false;
    std::array<Card, kCardsPerDeck> cards{};
    QString error;  // why the file cannot be used: missing, unreadable, too short
    // Records (1-based) whose text holds a byte the code page leaves unassigned.
    std::vector<int> unassignedRecords;
    // Records whose text holds a control character (blanks and NULs at its end are padding).
    std::vector<int> controlRecords;
};
CardFileResult readCardFile(const QString& path);

// The 21st card of the second deck when the bankrupt card is on; never read from a file.
inline Card builtInBankruptCard() {
    Card c;
    c.Text = QStringLiteral("ล้มละลาย");
    c.Action = 9;
    c.Amount = 0;
    return c;
}

}  // namespace kroda
