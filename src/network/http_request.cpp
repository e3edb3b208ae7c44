#include "network/http_request.h"

#include <QStringDecoder>
#include <QUrl>

namespace kroda::network {

namespace {

// RFC 9110's token characters, of which a method and a field name are made.
bool tokenChar(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool token(QByteArrayView text) {
    if (text.isEmpty())
        return false;
    for (char c : text)
        if (!tokenChar(c))
            return false;
    return true;
}

// Visible ASCII and blanks: a field value or a target may hold nothing else.
bool plainText(QByteArrayView text) {
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u != '\t' && (u < 0x20 || u > 0x7e))
            return false;
    }
    return true;
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t')) text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t')) text.chop(1);
    return text;
}

HttpError malformed(const QString& why) {
    return HttpError{400, why};
}

}  // namespace

qsizetype requestHeadLength(QByteArrayView arrived) {
    const qsizetype end = arrived.indexOf(QByteArrayView("\r\n\r\n"));
    return end < 0 ? 0 : end + 4;
}

std::variant<HttpRequest, HttpError> readRequestHead(QByteArrayView bytes) {
    if (bytes.size() > kMaxRequestHead)
        return HttpError{431, QStringLiteral("request head over %1 bytes").arg(kMaxRequestHead)};
    if (!bytes.endsWith(QByteArrayView("\r\n\r\n")))
        return malformed(QStringLiteral("request head does not end with a blank line"));
    bytes.chop(4);
    QList<QByteArrayView> lines;
    for (qsizetype start = 0;;) {
        const qsizetype end = bytes.indexOf(QByteArrayView("\r\n"), start);
        lines.append(bytes.sliced(start, (end < 0 ? bytes.size() : end) - start));
        if (end < 0)
            break;
        start = end + 2;
    }
    if (lines.size() - 1 > kMaxHeaderFields)
        return HttpError{431, QStringLiteral("more than %1 header fields").arg(kMaxHeaderFields)};

    HttpRequest request;
    const QByteArrayView line = lines.front();
    const qsizetype firstSpace = line.indexOf(' ');
    const qsizetype lastSpace = line.lastIndexOf(' ');
    if (firstSpace <= 0 || lastSpace <= firstSpace + 1)
        return malformed(QStringLiteral("request line is not METHOD TARGET VERSION"));
    const QByteArrayView method = line.first(firstSpace);
    const QByteArrayView target = line.sliced(firstSpace + 1, lastSpace - firstSpace - 1);
    const QByteArrayView version = line.sliced(lastSpace + 1);
    if (!token(method))
        return malformed(QStringLiteral("the method is not a token"));
    if (target.contains(' ') || !plainText(target))
        return malformed(QStringLiteral("the target holds blanks or control characters"));
    if (version != QByteArrayView("HTTP/1.1") && version != QByteArrayView("HTTP/1.0"))
        return HttpError{505, QStringLiteral("not HTTP/1.0 or HTTP/1.1")};
    request.method = method.toByteArray();
    request.target = target.toByteArray();

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArrayView field = lines[i];
        const qsizetype colon = field.indexOf(':');
        if (colon <= 0)
            return malformed(QStringLiteral("header line %1 has no field name").arg(i));
        const QByteArrayView name = field.first(colon);
        const QByteArrayView value = trimmed(field.sliced(colon + 1));
        // A blank before the colon or a folded line is how requests are smuggled.
        if (!token(name))
            return malformed(QStringLiteral("header line %1 has a bad field name").arg(i));
        if (!plainText(value))
            return malformed(QStringLiteral("header line %1 holds control characters").arg(i));
        request.fields.append({name.toByteArray().toLower(), value.toByteArray()});
    }
    return request;
}

std::optional<QByteArray> HttpRequest::field(QByteArrayView name) const {
    std::optional<QByteArray> found;
    for (const auto& [key, value] : fields) {
        if (key != name)
            continue;
        if (found)
            return std::nullopt;
        found = value;
    }
    return found;
}

bool HttpRequest::fieldHolds(QByteArrayView name, QByteArrayView wanted) const {
    for (const auto& [key, value] : fields) {
        if (key != name)
            continue;
        for (const QByteArray& part : value.split(','))
            if (part.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}

std::optional<QString> HttpRequest::path() const {
    if (!target.startsWith('/'))
        return std::nullopt;
    QByteArray raw = target;
    if (const qsizetype query = raw.indexOf('?'); query >= 0)
        raw.truncate(query);
    const QByteArray decoded = QByteArray::fromPercentEncoding(raw);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(decoded);
    if (utf8.hasError() || text.contains(QChar(0)))
        return std::nullopt;
    return text;
}

}  // namespace kroda::network
