#include "network/join_code.h"

#include <QRandomGenerator>

namespace kroda::network {

QString newJoinCode() {
    constexpr auto size = static_cast<quint32>(sizeof(kJoinCodeAlphabet) - 1);
    QString code;
    for (int i = 0; i < kJoinCodeLength; ++i)
        code.append(QLatin1Char(kJoinCodeAlphabet[QRandomGenerator::system()->bounded(size)]));
    return code;
}

QString plainJoinCode(const QString& typed) {
    QString t = typed.toUpper();
    t.remove(QLatin1Char(' '));
    t.remove(QLatin1Char('-'));
    return t;
}

bool sameJoinCode(const QString& typed, const QString& code) {
    const QString t = plainJoinCode(typed);
    if (t.size() != code.size())
        return false;
    char16_t differ = 0;
    for (qsizetype i = 0; i < t.size(); ++i) differ |= t.at(i).unicode() ^ code.at(i).unicode();
    return differ == 0;
}

}  // namespace kroda::network
