#include "headless/json_writer.h"

#include "headless/state_paths.h"

namespace kroda::headless {

QByteArray jsonString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += QByteArray("\\u00") + QByteArray::number(c, 16).rightJustified(2, '0');
                } else {
                    out += ch;  // UTF-8 bytes pass through
                }
        }
    }
    out += '"';
    return out;
}

QByteArray dumpJson(const PathTable& table) {
    QByteArray out = "{";
    bool first = true;
    for (const PathEntry& e : table.entries()) {
        const std::optional<QString> value = e.get();
        if (!value)
            continue;
        out += first ? "\n  " : ",\n  ";
        first = false;
        out += jsonString(e.path);
        out += ": ";
        if (e.kind == ValueKind::Text) {
            out += jsonString(*value);
        } else {
            out += value->toUtf8();
        }
    }
    out += "\n}\n";
    return out;
}

}  // namespace kroda::headless
