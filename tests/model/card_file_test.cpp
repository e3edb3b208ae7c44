#include "model/card_file.h"

#include "model/windows874.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda {
namespace {

QByteArray deckBytes(int records) {
    QByteArray bytes;
    for (int k = 1; k <= records; ++k)
        bytes += encodeCardRecord(QByteArray("card ") + QByteArray::number(k),
                                  static_cast<Integer>(k), static_cast<Integer>(-k * 100));
    return bytes;
}

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("deck.crd"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// A record keeps its Thai text, ends the text at the last blank of the padding and holds
// the action and amount as signed 16-bit little-endian numbers.
TEST(CardFile, RecordRoundTrip) {
    const QString thai = QStringLiteral("จ่าย ค่าปรับ  ");
    const QByteArray record = encodeCardRecord(encodeWindows874(thai).bytes, -2, -32768);
    ASSERT_EQ(record.size(), kCardRecordSize);
    EXPECT_EQ(static_cast<unsigned char>(record[256]), 0xFE);
    EXPECT_EQ(static_cast<unsigned char>(record[257]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(record[258]), 0x00);
    EXPECT_EQ(static_cast<unsigned char>(record[259]), 0x80);
    const Card card = decodeCardRecord(record);
    EXPECT_EQ(card.Text.rightTrimmed(), QStringLiteral("จ่าย ค่าปรับ"));
    EXPECT_EQ(card.Text.raw().size(), 256);
    EXPECT_EQ(card.Action, -2);
    EXPECT_EQ(card.Amount, -32768);

    QByteArray zeroPadded(kCardRecordSize, '\0');
    zeroPadded.replace(0, 3, "abc");
    EXPECT_EQ(decodeCardRecord(zeroPadded).Text.rightTrimmed(), QStringLiteral("abc"));
}

// Records 1 to 20 are the deck; a longer file is fine, a shorter one is refused with its count.
TEST(CardFile, ExactlyTwentyRecordsAreRead) {
    QTemporaryDir dir;
    const CardFileResult longer = readCardFile(writeFile(dir, deckBytes(23)));
    ASSERT_TRUE(longer.ok) << longer.error.toStdString();
    EXPECT_EQ(longer.cards[0].Text.rightTrimmed(), QStringLiteral("card 1"));
    EXPECT_EQ(longer.cards[19].Action, 20);
    EXPECT_EQ(longer.cards[19].Amount, -2000);

    const CardFileResult shorter = readCardFile(writeFile(dir, deckBytes(19) + "partial"));
    EXPECT_FALSE(shorter.ok);
    EXPECT_TRUE(shorter.error.contains(QStringLiteral("19 whole records")))
        << shorter.error.toStdString();

    EXPECT_FALSE(readCardFile(dir.filePath(QStringLiteral("none.crd"))).ok);
    EXPECT_FALSE(readCardFile(dir.path()).ok);
}

// A byte the code page leaves unassigned is read as U+FFFD and its record is named.
TEST(CardFile, UnassignedBytesAreNamedByRecord) {
    QTemporaryDir dir;
    QByteArray bytes = deckBytes(20);
    bytes[4 * kCardRecordSize + 1] = static_cast<char>(0xFC);
    const CardFileResult read = readCardFile(writeFile(dir, bytes));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.unassignedRecords, std::vector<int>{5});
    EXPECT_EQ(read.cards[4].Text.raw()[1], QChar(kUnassigned874));
}

}  // namespace
}  // namespace kroda
