#include "model/card_file.h"

#include "model/message_text.h"
#include "model/regular_file.h"
#include "model/windows874.h"

namespace kroda {

namespace {

Integer readInt16(const QByteArray& bytes, int at) {
    const auto lo = static_cast<unsigned char>(bytes[at]);
    const auto hi = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<Integer>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

void writeInt16(QByteArray& bytes, int at, Integer value) {
    const auto u = static_cast<std::uint16_t>(value);
    bytes[at] = static_cast<char>(u & 0xFF);
    bytes[at + 1] = static_cast<char>(u >> 8);
}

int textLength(const QByteArray& record) {
    int end = kCardTextSize;
    while (end > 0 && (record[end - 1] == ' ' || record[end - 1] == '\0')) --end;
    return end;
}

}  // namespace

Card decodeCardRecord(const QByteArray& bytes) {
    const QByteArray record = bytes.leftJustified(kCardRecordSize, '\0', true);
    Card card;
    card.Text = decodeWindows874(record.left(textLength(record)));
    card.Action = readInt16(record, kCardTextSize);
    card.Amount = readInt16(record, kCardTextSize + 2);
    return card;
}

QByteArray encodeCardRecord(const QByteArray& text874, Integer action, Integer amount) {
    QByteArray record(kCardRecordSize, ' ');
    record.replace(0, std::min<qsizetype>(text874.size(), kCardTextSize),
                   text874.left(kCardTextSize));
    writeInt16(record, kCardTextSize, action);
    writeInt16(record, kCardTextSize + 2, amount);
    return record;
}

CardFileResult readCardFile(const QString& path) {
    CardFileResult out;
    const FileRead file =
        readRegularFile(path, kCardFileLimit, qint64{kCardRecordSize} * kCardsPerDeck);
    if (!file.ok()) {
        out.error = QStringLiteral("the card file cannot be read: %1").arg(file.error);
        return out;
    }
    const QByteArray& bytes = file.bytes;
    if (bytes.size() < kCardRecordSize * kCardsPerDeck) {
        out.error = QStringLiteral(
                        "the card file holds %1 whole records (%2 bytes); a deck needs %3 "
                        "records of %4 bytes")
                        .arg(file.size / kCardRecordSize)
                        .arg(file.size)
                        .arg(kCardsPerDeck)
                        .arg(kCardRecordSize);
        return out;
    }
    for (int k = 0; k < kCardsPerDeck; ++k) {
        const QByteArray record = bytes.mid(k * kCardRecordSize, kCardRecordSize);
        out.cards[static_cast<std::size_t>(k)] = decodeCardRecord(record);
        if (out.cards[static_cast<std::size_t>(k)].Text.raw().contains(QChar(kUnassigned874)))
            out.unassignedRecords.push_back(k + 1);
        if (holdsControlCharacter(out.cards[static_cast<std::size_t>(k)].Text.rightTrimmed()))
            out.controlRecords.push_back(k + 1);
    }
    out.ok = true;
    return out;
}

}  // namespace kroda
