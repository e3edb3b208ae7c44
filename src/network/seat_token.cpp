#include "network/seat_token.h"

#include "network/protocol.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <array>

namespace kroda::network {

QString newSeatToken() {
    std::array<quint32, 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    const QByteArray bytes(reinterpret_cast<const char*>(words.data()),
                           static_cast<qsizetype>(sizeof(words)));
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

bool sameToken(const QString& given, const QString& token) {
    if (given.size() != kTokenLength || token.size() != kTokenLength)
        return false;
    char16_t differ = 0;
    for (qsizetype i = 0; i < kTokenLength; ++i)
        differ |= given.at(i).unicode() ^ token.at(i).unicode();
    return differ == 0;
}

}  // namespace kroda::network
