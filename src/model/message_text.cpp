#include "model/message_text.h"

namespace kroda {

bool isControlCharacter(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u < 0xA0);
}

bool holdsControlCharacter(const QString& text) {
    for (const QChar c : text) {
        if (isControlCharacter(c))
            return true;
    }
    return false;
}

QString escapeControls(const QString& text) {
    if (!holdsControlCharacter(text))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'\0':
                out += QStringLiteral("\\0");
                break;
            case u'\t':
                out += QStringLiteral("\\t");
                break;
            case u'\n':
                out += QStringLiteral("\\n");
                break;
            case u'\r':
                out += QStringLiteral("\\r");
                break;
            default:
                if (isControlCharacter(c))
                    out += QStringLiteral("\\x") +
                           QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
                else
                    out += c;
        }
    }
    return out;
}

}  // namespace kroda
